#include "foundation/FileStream.h"

#include <cstring>
#include <sys/stat.h>

FileStream::~FileStream()
{
    FileStream::Destroy();
}

void FileStream::Destroy()
{
    Close();
}

bool FileStream::Open(const char* path, int mode)
{
    static const char* const modeStrings[] = {"wb", "rb", "r+b"};
    if (path == nullptr || mode < 0 || mode > 2)
        return false;
    file = std::fopen(path, modeStrings[mode]);
    return file != nullptr;
}

void FileStream::Close()
{
    if (file != nullptr) {
        std::fclose(file);
        file = nullptr;
    }
}

std::size_t FileStream::Read(void* buffer, std::size_t size, std::size_t count)
{
    if (file == nullptr)
        return 0;
    return std::fread(buffer, size, count, file);
}

std::size_t FileStream::Write(const void* buffer, std::size_t size, std::size_t count)
{
    if (file == nullptr)
        return 0;
    return std::fwrite(buffer, size, count, file);
}

int FileStream::ReadString(char* buffer)
{
    int length = GetC();
    if (length < 0)
        length = 0;
    if (length > 0) {
        const std::size_t got = Read(buffer, 1, static_cast<std::size_t>(length));
        // Bytes the file did not have read as zeros rather than whatever the buffer held.
        std::memset(buffer + got, 0, static_cast<std::size_t>(length) - got);
    }
    buffer[length] = '\0';
    return length;
}

int FileStream::ReadString(char* buffer, std::size_t capacity)
{
    if (capacity == 0)
        return -1;
    buffer[0] = '\0';
    int length = GetC();
    if (length < 0)
        return 0;
    if (static_cast<std::size_t>(length) + 1 > capacity)
        return -1;
    if (length > 0 && Read(buffer, 1, static_cast<std::size_t>(length)) != static_cast<std::size_t>(length)) {
        buffer[0] = '\0';
        return -1;
    }
    buffer[length] = '\0';
    return length;
}

int FileStream::WriteString(const char* text)
{
    if (text == nullptr) {
        const unsigned char zero = 0;
        Write(&zero, 1, 1);
        return 0;
    }
    const std::size_t length = std::strlen(text);
    if (length > 255)
        return 0;
    const unsigned char lengthByte = static_cast<unsigned char>(length);
    Write(&lengthByte, 1, 1);
    Write(text, 1, length);
    return lengthByte;
}

int FileStream::GetC()
{
    if (file == nullptr)
        return -1;
    const int c = std::fgetc(file);
    return c == EOF ? -1 : c;
}

int FileStream::Seek(std::int64_t offset, int origin)
{
    static const int origins[] = {SEEK_SET, SEEK_CUR, SEEK_END};
    if (file == nullptr || origin < 0 || origin > 2)
        return -1;
    return fseeko(file, static_cast<off_t>(offset), origins[origin]);
}

std::int64_t FileStream::Tell()
{
    if (file == nullptr)
        return -1;
    return static_cast<std::int64_t>(ftello(file));
}

std::int64_t FileStream::BytesLeft()
{
    if (file == nullptr)
        return 0;
    struct stat info;
    if (fstat(fileno(file), &info) != 0)
        return 0;
    const std::int64_t position = Tell();
    if (position < 0 || position > static_cast<std::int64_t>(info.st_size))
        return 0;
    return static_cast<std::int64_t>(info.st_size) - position;
}

bool ReadFileHeader(FileStream& stream)
{
    constexpr std::int32_t kFileVersion = 100;
    char signature[256];
    if (stream.ReadString(signature, sizeof signature) < 0 || std::strncmp(signature, "RIFF", 4) != 0)
        return false;
    std::int32_t version = 0;
    return stream.ReadExact(&version, sizeof version, 1) && version == kFileVersion;
}
