#include "framework/Archive.h"

namespace fw {

qint64 Archive::Write(const void* data, qint64 size)
{
    if (!IsStoring() || m_device == nullptr || size < 0)
        return -1;
    const qint64 written = m_device->write(static_cast<const char*>(data), size);
    if (written > 0)
        m_written += written;
    return written;
}

qint64 Archive::Read(void* data, qint64 size)
{
    if (!IsLoading() || m_device == nullptr || size < 0)
        return -1;
    return m_device->read(static_cast<char*>(data), size);
}

} // namespace fw
