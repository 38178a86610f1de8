#include "info/FileWalk.h"

#include "orvex/foundation/FileRules.h"

#include <cstring>

namespace info {

namespace {

// Reads little-endian fields; once a read runs past the end every later read fails too,
// so a walk reads on and looks once at the end.
class Reader {
public:
    explicit Reader(const std::vector<std::uint8_t>& bytes) : bytes(bytes) {}

    bool Ok() const { return ok; }
    std::uint64_t Left() const { return bytes.size() - pos; }

    bool Skip(std::uint64_t n, const std::uint8_t** out = nullptr)
    {
        if (!ok || Left() < n)
            return ok = false;
        if (out)
            *out = bytes.data() + pos;
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
        if (!Skip(1, &length) || !Skip(*length, &text))
            return {};
        return std::string(reinterpret_cast<const char*>(text), *length);
    }

private:
    const std::vector<std::uint8_t>& bytes;
    std::uint64_t pos = 0;
    bool ok = true;
};

FileLayout Finish(const Reader& r, FileLayout layout)
{
    layout.trailingBytes = r.Ok() ? r.Left() : 0;
    return layout;
}

} // namespace

FileLayout WalkMes(const std::vector<std::uint8_t>& bytes)
{
    Reader r(bytes);
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

FileLayout WalkKnx(const std::vector<std::uint8_t>& bytes)
{
    Reader r(bytes);
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

FileLayout WalkTga(const std::vector<std::uint8_t>& bytes)
{
    Reader r(bytes);
    const std::uint8_t* h = nullptr;
    if (!r.Skip(18, &h))
        return {};
    r.Skip(h[0]);
    const int type = h[2];
    const std::uint64_t width = h[12] | (h[13] << 8);
    const std::uint64_t height = h[14] | (h[15] << 8);
    if (type != 0) // an image without pixel data has none in the file
        r.Skip(width * height * (h[16] / 8));
    return Finish(r, {});
}

} // namespace info
