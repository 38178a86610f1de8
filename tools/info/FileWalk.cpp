#include "info/FileWalk.h"

#include "orvex/foundation/FileRules.h"

#include <cstring>
#include <filesystem>
#include <fstream>

namespace info {

namespace {

// Reads little-endian fields from a file through one piece-sized buffer; whatever is skipped
// is never read. Once a read runs past the end every later read fails too, so a walk reads
// on and looks once at the end.
class Reader {
public:
    explicit Reader(const std::string& path) : in(path, std::ios::binary)
    {
        std::error_code error;
        size = std::filesystem::file_size(path, error);
        ok = in.is_open() && !error;
    }

    bool Ok() const { return ok; }
    std::uint64_t Left() const { return size - pos; }

    // Moves on by `n` bytes; with `out`, which must be at most a piece long, they are read
    // and *out points at them until the next read.
    bool Skip(std::uint64_t n, const std::uint8_t** out = nullptr)
    {
        if (!ok || Left() < n)
            return ok = false;
        if (out != nullptr) {
            if (pos < pieceStart || pos + n > pieceStart + piece.size()) {
                if (!Fill())
                    return ok = false;
            }
            *out = piece.data() + (pos - pieceStart);
        }
        pos += n;
        return true;
    }
    std::int32_t I32()
    {
        const std::uint8_t* p = nullptr;
        std::int32_t value = 0;
        if (Skip(4, &p))
            std::memcpy(&value, p, 4);
        return value;
    }
    // A count of records that cannot be negative in a file the engine accepted.
    std::uint64_t Count()
    {
        const std::int32_t value = I32();
        if (value < 0)
            ok = false;
        return ok ? static_cast<std::uint64_t>(value) : 0;
    }
    std::string String()
    {
        const std::uint8_t* length = nullptr;
        const std::uint8_t* text = nullptr;
        if (!Skip(1, &length))
            return {};
        const std::uint8_t n = *length;
        if (!Skip(n, &text))
            return {};
        return std::string(reinterpret_cast<const char*>(text), n);
    }

private:
    // The piece that starts at the current position, up to the end of the file.
    bool Fill()
    {
        const std::uint64_t n = Left() < kPieceBytes ? Left() : kPieceBytes;
        piece.resize(static_cast<std::size_t>(n));
        in.clear();
        in.seekg(static_cast<std::streamoff>(pos));
        in.read(reinterpret_cast<char*>(piece.data()), static_cast<std::streamsize>(n));
        pieceStart = pos;
        return static_cast<std::uint64_t>(in.gcount()) == n;
    }

    static constexpr std::uint64_t kPieceBytes = 64 * 1024;
    std::ifstream in;
    std::uint64_t size = 0;
    std::uint64_t pos = 0;
    std::vector<std::uint8_t> piece;
    std::uint64_t pieceStart = 0;
    bool ok = false;
};

FileLayout Finish(const Reader& r, FileLayout layout)
{
    layout.trailingBytes = r.Ok() ? r.Left() : 0;
    return layout;
}

} // namespace

FileLayout WalkMes(const std::string& path)
{
    Reader r(path);
    FileLayout layout;
    r.String();
    r.I32();
    for (std::uint64_t m = r.Count(); m > 0 && r.Ok(); --m) {
        r.String();
        r.Skip(FileRules::kMaterialColoursSize);
        std::string texture = r.String();
        if (r.Ok())
            layout.textures.push_back(texture);
    }
    for (std::uint64_t n = r.Count(); n > 0 && r.Ok(); --n) {
        r.String();
        r.Skip(FileRules::kNodeSize);
    }
    for (std::uint64_t m = r.Count(); m > 0 && r.Ok(); --m) {
        r.String();
        r.Skip(r.Count() * FileRules::kVertexSize);
        for (std::uint64_t g = r.Count(); g > 0 && r.Ok(); --g) {
            r.String();
            for (std::uint64_t l = r.Count(); l > 0 && r.Ok(); --l)
                r.Skip(r.Count() * 4);
        }
    }
    return Finish(r, layout);
}

FileLayout WalkKnx(const std::string& path)
{
    Reader r(path);
    r.String();
    r.I32();
    const std::uint64_t tracks = r.Count();
    r.I32();
    const auto frames = static_cast<std::uint32_t>(r.I32());
    for (std::uint64_t t = tracks; t > 0 && r.Ok(); --t) {
        r.String();
        r.Skip(FileRules::kTrackParentSize + std::uint64_t(frames) * FileRules::kKeySize);
    }
    return Finish(r, {});
}

FileLayout WalkTga(const std::string& path)
{
    Reader r(path);
    FileLayout layout;
    const std::uint8_t* h = nullptr;
    if (!r.Skip(18, &h))
        return Finish(r, layout);
    const int idLength = h[0];
    layout.imageType = h[2];
    const std::uint64_t width = h[12] | (h[13] << 8);
    const std::uint64_t height = h[14] | (h[15] << 8);
    const std::uint64_t pixelBytes = h[16] / 8;
    r.Skip(idLength);
    if (layout.imageType != 0) // an image without pixel data has none in the file
        r.Skip(width * height * pixelBytes);
    return Finish(r, layout);
}

} // namespace info
