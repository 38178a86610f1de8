#include "framework/Archive.h"

namespace fw {

int64_t Archive::Write(const void* data, int64_t size)
{
    if (!IsStoring() || m_file == nullptr || size < 0)
        return -1;
    const size_t written = std::fwrite(data, 1, static_cast<size_t>(size), m_file);
    if (written != static_cast<size_t>(size) && std::ferror(m_file))
        return -1;
    m_written += static_cast<int64_t>(written);
    return static_cast<int64_t>(written);
}

int64_t Archive::Read(void* data, int64_t size)
{
    if (!IsLoading() || m_file == nullptr || size < 0)
        return -1;
    const size_t read = std::fread(data, 1, static_cast<size_t>(size), m_file);
    if (read != static_cast<size_t>(size) && std::ferror(m_file))
        return -1;
    return static_cast<int64_t>(read);
}

} // namespace fw
