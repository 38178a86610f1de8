#include "format/ByteWriter.h"

#include <cstring>

namespace orvex::format {

namespace {
constexpr std::size_t kFlushSize = 64 * 1024;
}

ByteWriter::ByteWriter(std::FILE* out) : file(out)
{
    buffer.reserve(kFlushSize + 256);
    if (file == nullptr)
        ok = false;
}

void ByteWriter::Raw(const void* data, std::size_t size)
{
    if (size == 0)
        return;
    written += size;
    if (file != nullptr && buffer.size() + size > kFlushSize) {
        Flush();
        if (size >= kFlushSize) {
            // Large blocks go straight to the file rather than through the buffer.
            if (std::fwrite(data, 1, size, file) != size)
                ok = false;
            return;
        }
    }
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    buffer.insert(buffer.end(), bytes, bytes + size);
}

void ByteWriter::U8(std::uint8_t value)
{
    Raw(&value, 1);
}

void ByteWriter::U16(std::uint16_t value)
{
    const std::uint8_t bytes[2] = {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8)};
    Raw(bytes, 2);
}

void ByteWriter::U32(std::uint32_t value)
{
    const std::uint8_t bytes[4] = {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
                                   static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
    Raw(bytes, 4);
}

void ByteWriter::I32(std::int32_t value)
{
    U32(static_cast<std::uint32_t>(value));
}

void ByteWriter::F32(float value)
{
    std::uint32_t bits;
    std::memcpy(&bits, &value, 4);
    U32(bits);
}

void ByteWriter::String(std::string_view text)
{
    if (text.size() > 255) {
        ok = false;
        return;
    }
    U8(static_cast<std::uint8_t>(text.size()));
    Raw(text.data(), text.size());
}

void ByteWriter::Flush()
{
    if (file == nullptr || buffer.empty())
        return;
    if (std::fwrite(buffer.data(), 1, buffer.size(), file) != buffer.size())
        ok = false;
    buffer.clear();
}

bool ByteWriter::Finish()
{
    Flush();
    if (file != nullptr && std::fflush(file) != 0)
        ok = false;
    return ok;
}

bool WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return false;
    const bool wrote = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const bool closed = std::fclose(file) == 0;
    return wrote && closed;
}

bool WriteStreamed(const std::string& path, const std::function<void(ByteWriter&)>& encode)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return false;
    ByteWriter writer(file);
    encode(writer);
    const bool written = writer.Finish();
    const bool closed = std::fclose(file) == 0;
    return written && closed;
}

} // namespace orvex::format
