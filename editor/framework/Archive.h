#pragma once
// The stream a document serialises through: loading from or storing to an open file.
#include <QIODevice>

namespace fw {

class Archive {
public:
    enum class Mode { Load, Store };

    Archive(QIODevice* device, Mode mode) : m_device(device), m_mode(mode) {}

    bool IsStoring() const { return m_mode == Mode::Store; }
    bool IsLoading() const { return m_mode == Mode::Load; }
    QIODevice* Device() const { return m_device; }

    // Bytes moved, or -1 on a wrong direction or a device error.
    qint64 Write(const void* data, qint64 size);
    qint64 Read(void* data, qint64 size);
    qint64 BytesWritten() const { return m_written; }

private:
    QIODevice* m_device;
    Mode m_mode;
    qint64 m_written = 0;
};

} // namespace fw
