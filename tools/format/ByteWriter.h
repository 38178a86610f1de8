// Little-endian byte writer that the content files are built with.
//
// Collects bytes in memory; when given an open FILE it flushes its buffer there every
// 64 KiB, so files of any size are written without holding them in memory. The
// primitives match the engine's field types: u8, i32, u32, f32 and the length-prefixed
// string (one length byte, then the text, no terminator).
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace orvex::format {

class ByteWriter {
public:
    // Writes into memory only; Bytes() holds everything written.
    ByteWriter() = default;
    // Streams into `file` (opened for binary writing, not owned); call Finish at the end.
    explicit ByteWriter(std::FILE* file);
    ByteWriter(const ByteWriter&) = delete;
    ByteWriter& operator=(const ByteWriter&) = delete;

    void U8(std::uint8_t value);
    void U16(std::uint16_t value);
    void I32(std::int32_t value);
    void U32(std::uint32_t value);
    void F32(float value);
    void Raw(const void* data, std::size_t size);
    // Length byte then the text. A text over 255 bytes cannot be encoded: it marks the
    // writer failed (see Ok) and writes nothing.
    void String(std::string_view text);

    // Total bytes written so far (flushed or not).
    std::uint64_t Size() const { return written; }
    // False once a string did not fit its length byte or the file refused a write.
    bool Ok() const { return ok; }
    // Flushes what is buffered to the file; returns Ok().
    bool Finish();
    // The bytes written (memory writers; for file writers only what is not flushed yet).
    const std::vector<std::uint8_t>& Bytes() const { return buffer; }
    std::vector<std::uint8_t> TakeBytes() { return std::move(buffer); }

private:
    void Flush();

    std::vector<std::uint8_t> buffer;
    std::FILE* file = nullptr;
    std::uint64_t written = 0;
    bool ok = true;
};

// Writes `bytes` to `path` (created or truncated); false when the file cannot be written.
bool WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);

// Creates `path` and lets `encode` stream into it; false when the file cannot be created
// or written or the encoder marked the writer failed.
bool WriteStreamed(const std::string& path, const std::function<void(ByteWriter&)>& encode);

} // namespace orvex::format
