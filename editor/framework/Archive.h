#pragma once
// The stream a document serialises through: loading from or storing to an open file.
#include <cstdint>
#include <cstdio>

namespace fw {

class Archive {
public:
    enum class Mode { Load, Store };

    Archive(std::FILE* file, Mode mode) : m_file(file), m_mode(mode) {}

    bool IsStoring() const { return m_mode == Mode::Store; }
    bool IsLoading() const { return m_mode == Mode::Load; }

    // Bytes moved, or -1 on a wrong direction or a file error.
    int64_t Write(const void* data, int64_t size);
    int64_t Read(void* data, int64_t size);
    int64_t BytesWritten() const { return m_written; }

private:
    std::FILE* m_file;
    Mode m_mode;
    int64_t m_written = 0;
};

} // namespace fw
