#include "orvex/foundation/FileStream.h"

#include "orvex/foundation/FileRules.h"

#include <cerrno>
#include <cstdarg>
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

bool FileStream::HasError() const
{
    return file != nullptr && std::ferror(file) != 0;
}

bool FileStream::Refuse(std::size_t fieldSize, const char* format, ...)
{
    if (refusal == nullptr || refusal->IsSet())
        return false;
    const std::int64_t position = Tell();
    std::va_list args;
    va_start(args, format);
    refusal->NoteReasonV(position < 0 ? -1 : position - static_cast<std::int64_t>(fieldSize), format, args);
    va_end(args);
    return false;
}

bool FileStream::RefuseAt(std::int64_t offset, const char* format, ...)
{
    if (refusal == nullptr || refusal->IsSet())
        return false;
    std::va_list args;
    va_start(args, format);
    refusal->NoteReasonV(offset, format, args);
    va_end(args);
    return false;
}

bool FileStream::Within(const char* kind, std::int32_t index, const char* name)
{
    if (refusal != nullptr)
        refusal->AddRecord(kind, index, name);
    return false;
}

bool FileStream::InSection(FileSection section)
{
    if (refusal != nullptr)
        refusal->SetSection(section);
    return false;
}

bool FileStream::CountFits(std::int32_t count, std::int64_t recordSize, const char* what, std::int64_t after)
{
    if (count < 0)
        return Refuse(sizeof count, "negative %s count %d", what, static_cast<int>(count));
    const std::int64_t left = BytesLeft();
    if (count > (left - after) / recordSize) {
        // Saturating: a track of 2^32 frames times 2^31 tracks does not fit 64 bits.
        const auto records = static_cast<unsigned long long>(count);
        const auto size = static_cast<unsigned long long>(recordSize);
        const auto tail = static_cast<unsigned long long>(after);
        const unsigned long long need = records > (~0ULL - tail) / size ? ~0ULL : records * size + tail;
        return Refuse(sizeof count, "%s count %d needs at least %llu bytes, the file has %lld left", what,
                      static_cast<int>(count), need, static_cast<long long>(left));
    }
    return true;
}

bool FileStream::OpenToRead(const char* path)
{
    errno = 0;
    if (Open(path, FileStreamRead))
        return true;
    const int error = errno;
    InSection(FileSection::File);
    if (error != 0)
        return RefuseAt(-1, "the file cannot be opened (%s)", std::strerror(error));
    return RefuseAt(-1, "the file cannot be opened");
}

bool FileStream::ReadName(char* buffer, std::size_t capacity, const char* what, std::size_t* lengthOut)
{
    if (capacity == 0)
        return Refuse(0, "no room for the %s", what);
    buffer[0] = '\0';
    const int length = GetC();
    if (length < 0)
        return Refuse(0, "the file ends before the %s", what);
    if (static_cast<std::size_t>(length) + 1 > capacity)
        return Refuse(1, "%s of %d bytes, at most %d fit", what, length, static_cast<int>(capacity) - 1);
    if (length > 0 && Read(buffer, 1, static_cast<std::size_t>(length)) != static_cast<std::size_t>(length)) {
        buffer[0] = '\0';
        return Refuse(0, "the file ends inside the %s", what);
    }
    buffer[length] = '\0';
    if (lengthOut != nullptr)
        *lengthOut = static_cast<std::size_t>(length);
    return true;
}

bool ReadFileHeader(FileStream& stream)
{
    // The signature is read by hand rather than with ReadName so that a file of another
    // kind is told so even when it is shorter than its first byte promises.
    const int length = stream.GetC();
    if (length < 0) {
        stream.InSection(FileSection::File);
        return stream.HasError() ? stream.RefuseAt(-1, "the file cannot be read")
                                 : stream.RefuseAt(0, "the file is empty");
    }
    char signature[256];
    const std::size_t got = stream.Read(signature, 1, static_cast<std::size_t>(length));
    const std::size_t judged = got < FileRules::kSignaturePrefix ? got : FileRules::kSignaturePrefix;
    const bool prefixSoFar = std::memcmp(signature, FileRules::kSignature, judged) == 0;
    if (!prefixSoFar || static_cast<std::size_t>(length) < FileRules::kSignaturePrefix) {
        stream.InSection(FileSection::Header);
        return stream.RefuseAt(1, "the signature does not begin with \"RIFF\": not a file of the engine's formats");
    }
    if (got < static_cast<std::size_t>(length)) {
        stream.InSection(FileSection::Header);
        return stream.Refuse(0, "the file ends inside the signature");
    }
    std::int32_t version = 0;
    if (!stream.ReadExact(&version, sizeof version, 1)) {
        stream.InSection(FileSection::Header);
        return stream.Refuse(0, "the file ends inside the version");
    }
    if (version != FileRules::kVersion) {
        stream.InSection(FileSection::Header);
        return stream.Refuse(sizeof version, "the version is %d; only version %d is read", static_cast<int>(version),
                             static_cast<int>(FileRules::kVersion));
    }
    return true;
}
