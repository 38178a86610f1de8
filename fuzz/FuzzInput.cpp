#include "FuzzInput.h"

#include "RecordingGl.h"

#include "orvex/foundation/FileRefusal.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/mman.h>
#include <unistd.h>

namespace {

struct MemoryFile {
    int fd = -1;
    char path[64] = {};

    void Create(const char* name)
    {
        fd = memfd_create(name, 0);
        if (fd < 0) {
            std::perror("memfd_create");
            std::abort();
        }
        std::snprintf(path, sizeof path, "/proc/self/fd/%d", fd);
    }

    const char* Fill(const std::uint8_t* data, std::size_t size)
    {
        if (ftruncate(fd, 0) != 0 || (size > 0 && pwrite(fd, data, size, 0) != static_cast<ssize_t>(size))) {
            std::perror("memfd write");
            std::abort();
        }
        return path;
    }
};

MemoryFile first;
MemoryFile second;

} // namespace

void FuzzSetUp()
{
    InstallNoOpGl();
    first.Create("orvex-fuzz-input");
    second.Create("orvex-fuzz-second");
}

const char* FuzzFile(const std::uint8_t* data, std::size_t size)
{
    return first.Fill(data, size);
}

const char* FuzzSecondFile(const std::uint8_t* data, std::size_t size)
{
    return second.Fill(data, size);
}

void CheckRefusal(const FileRefusal& refusal, std::size_t fileSize)
{
    if (!refusal.IsSet() || refusal.GetOffset() > static_cast<std::int64_t>(fileSize))
        __builtin_trap();
    char text[FileRefusal::kTextSize];
    refusal.Format(text, sizeof text);
    if (std::strchr(text, '\n') != nullptr)
        __builtin_trap();
}
