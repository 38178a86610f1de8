#include "info/FileWalk.h"

#include <algorithm>
#include <cstring>

namespace info {

namespace {

constexpr std::size_t MaxName = 79;
constexpr std::size_t MaxTextureName = 75;
constexpr std::int32_t Version = 100;

// Reads little-endian fields and remembers the first problem; every read after a failure
// fails too, so a walk can read a whole record and check once.
class Reader {
public:
    explicit Reader(const std::vector<std::uint8_t>& bytes) : bytes(bytes) {}

    bool Ok() const { return ok; }
    std::uint64_t Offset() const { return pos; }
    std::uint64_t Left() const { return bytes.size() - pos; }

    bool Bytes(std::size_t n, const std::uint8_t** out = nullptr)
    {
        if (!ok || Left() < n)
            return ok = false;
        if (out)
            *out = bytes.data() + pos;
        pos += n;
        return true;
    }
    bool I32(std::int32_t* v)
    {
        const std::uint8_t* p;
        if (!Bytes(4, &p))
            return false;
        std::memcpy(v, p, 4);
        return true;
    }
    bool String(std::string* s)
    {
        const std::uint8_t* len;
        const std::uint8_t* text;
        if (!Bytes(1, &len) || !Bytes(*len, &text))
            return false;
        s->assign(reinterpret_cast<const char*>(text), *len);
        return true;
    }

private:
    const std::vector<std::uint8_t>& bytes;
    std::uint64_t pos = 0;
    bool ok = true;
};

std::string Quoted(const std::string& s) { return "\"" + s + "\""; }

struct Walk {
    Reader r;
    WalkResult result;

    explicit Walk(const std::vector<std::uint8_t>& bytes) : r(bytes) {}

    bool Fail(const std::string& where, const std::string& what)
    {
        result.ok = false;
        result.where = where;
        result.what = what;
        result.offset = r.Offset();
        return false;
    }
    // After a record's reads: a short read means the file ends inside it.
    bool Whole(const std::string& where)
    {
        return r.Ok() || Fail(where, "the file ends inside the record");
    }
    bool Header()
    {
        std::string signature;
        std::int32_t version = 0;
        if (!r.String(&signature) || !r.I32(&version))
            return Whole("header");
        if (signature.compare(0, 4, "RIFF") != 0 || signature.size() < 4)
            return Fail("header", "the signature " + Quoted(signature) + " does not begin with \"RIFF\"");
        if (version != Version)
            return Fail("header", "version " + std::to_string(version) + ", expected 100");
        return true;
    }
    // A count that must be non-negative and whose records, each at least `minimum` bytes,
    // must fit in the rest of the file.
    bool Count(const std::string& where, std::int32_t* count, std::uint64_t minimum)
    {
        if (!r.I32(count))
            return Whole(where);
        if (*count < 0)
            return Fail(where, "negative count " + std::to_string(*count));
        if (minimum > 0 && static_cast<std::uint64_t>(*count) > r.Left() / minimum)
            return Fail(where, "count " + std::to_string(*count) + " needs more bytes than the file has left (" +
                                   std::to_string(r.Left()) + ")");
        return true;
    }
    bool Name(const std::string& where, std::string* name, std::size_t limit, const char* what = "name")
    {
        if (!r.String(name))
            return Whole(where);
        if (name->size() > limit)
            return Fail(where, std::string(what) + " of " + std::to_string(name->size()) + " bytes, at most " +
                                   std::to_string(limit) + " fit");
        return true;
    }
    void Finish() { result.trailingBytes = r.Left(); }
};

} // namespace

WalkResult WalkMes(const std::vector<std::uint8_t>& bytes, std::vector<std::string>* registered)
{
    Walk w(bytes);
    if (!w.Header())
        return w.result;

    std::int32_t materials;
    if (!w.Count("material section", &materials, 54))
        return w.result;
    std::vector<std::string> fileMaterials;
    for (std::int32_t m = 0; m < materials; ++m) {
        std::string where = "material section, material " + std::to_string(m);
        std::string name, texture;
        if (!w.Name(where, &name, MaxName))
            return w.result;
        where += " " + Quoted(name);
        if (!w.r.Bytes(13 * 4)) {
            w.Whole(where);
            return w.result;
        }
        if (!w.Name(where, &texture, MaxTextureName, "texture name"))
            return w.result;
        fileMaterials.push_back(name);
        w.result.textures.push_back(texture);
    }
    // Materials register as a whole section.
    registered->insert(registered->end(), fileMaterials.begin(), fileMaterials.end());

    std::int32_t nodes;
    if (!w.Count("node section", &nodes, 33))
        return w.result;
    for (std::int32_t n = 0; n < nodes; ++n) {
        std::string where = "node section, node " + std::to_string(n);
        std::string name;
        std::int32_t parent;
        if (!w.Name(where, &name, MaxName))
            return w.result;
        where += " " + Quoted(name);
        if (!w.r.I32(&parent) || !w.r.Bytes(7 * 4)) {
            w.Whole(where);
            return w.result;
        }
        if (parent != -1 && (parent < 0 || parent >= n)) {
            w.Fail(where, "parent " + std::to_string(parent) + " is neither -1 nor below the node's own index");
            return w.result;
        }
    }

    std::int32_t meshes;
    if (!w.Count("mesh section", &meshes, 9))
        return w.result;
    for (std::int32_t m = 0; m < meshes; ++m) {
        std::string where = "mesh section, mesh " + std::to_string(m);
        std::string name;
        if (!w.Name(where, &name, MaxName))
            return w.result;
        where += " " + Quoted(name);
        std::int32_t vertices;
        if (!w.Count(where + ", vertex count", &vertices, 36))
            return w.result;
        if (!w.r.Bytes(static_cast<std::size_t>(vertices) * 32)) {
            w.Whole(where + ", vertices");
            return w.result;
        }
        for (std::int32_t v = 0; v < vertices; ++v) {
            std::int32_t node;
            if (!w.r.I32(&node)) {
                w.Whole(where + ", node indices");
                return w.result;
            }
            if (node < 0 || node >= nodes) {
                w.Fail(where + ", node indices", "vertex " + std::to_string(v) + " names node " + std::to_string(node) + " of " + std::to_string(nodes));
                return w.result;
            }
        }
        std::int32_t groups;
        if (!w.Count(where + ", group count", &groups, 5))
            return w.result;
        for (std::int32_t g = 0; g < groups; ++g) {
            std::string gwhere = where + ", group " + std::to_string(g);
            std::string material;
            if (!w.Name(gwhere, &material, MaxName, "material name"))
                return w.result;
            if (std::find(registered->begin(), registered->end(), material) == registered->end()) {
                w.Fail(gwhere, "material " + Quoted(material) + " is not defined");
                return w.result;
            }
            std::int32_t lists;
            if (!w.Count(gwhere + ", list count", &lists, 4))
                return w.result;
            for (std::int32_t l = 0; l < lists; ++l) {
                std::string lwhere = gwhere + ", list " + std::to_string(l);
                std::int32_t count;
                if (!w.Count(lwhere, &count, 4))
                    return w.result;
                for (std::int32_t k = 0; k < count; ++k) {
                    std::int32_t index;
                    w.r.I32(&index);
                    if (!w.r.Ok()) {
                        w.Whole(lwhere);
                        return w.result;
                    }
                    if (index < 0 || index >= vertices) {
                        w.Fail(lwhere, "index " + std::to_string(index) + " is not below the vertex count " + std::to_string(vertices));
                        return w.result;
                    }
                }
            }
        }
    }
    w.Finish();
    return w.result;
}

WalkResult WalkKnx(const std::vector<std::uint8_t>& bytes)
{
    Walk w(bytes);
    if (!w.Header())
        return w.result;
    std::int32_t tracks, reserved, frames;
    if (!w.r.I32(&tracks) || !w.r.I32(&reserved) || !w.r.I32(&frames)) {
        w.Whole("track section");
        return w.result;
    }
    std::uint32_t frameCount = static_cast<std::uint32_t>(frames);
    if (tracks < 0) {
        w.Fail("track section", "negative track count " + std::to_string(tracks));
        return w.result;
    }
    if (tracks > 0 && frameCount == 0) {
        w.Fail("track section", "tracks without a single frame");
        return w.result;
    }
    std::uint64_t trackSize = 1 + 4 + std::uint64_t(frameCount) * 28;
    if (tracks > 0 && static_cast<std::uint64_t>(tracks) > w.r.Left() / trackSize) {
        w.Fail("track section", std::to_string(tracks) + " tracks of " + std::to_string(frameCount) + " frames need more bytes than the file has left (" + std::to_string(w.r.Left()) + ")");
        return w.result;
    }
    for (std::int32_t t = 0; t < tracks; ++t) {
        std::string where = "track section, track " + std::to_string(t);
        std::string name;
        std::int32_t parent;
        if (!w.Name(where, &name, MaxName))
            return w.result;
        where += " " + Quoted(name);
        if (!w.r.I32(&parent)) {
            w.Whole(where);
            return w.result;
        }
        if (parent != -1 && (parent < 0 || parent >= t)) {
            w.Fail(where, "parent " + std::to_string(parent) + " is neither -1 nor below the track's own index");
            return w.result;
        }
        if (!w.r.Bytes(static_cast<std::size_t>(frameCount) * 28)) {
            w.Whole(where + ", keys");
            return w.result;
        }
    }
    w.Finish();
    return w.result;
}

WalkResult WalkTga(const std::vector<std::uint8_t>& bytes)
{
    Walk w(bytes);
    const std::uint8_t* h;
    if (!w.r.Bytes(18, &h)) {
        w.Whole("header");
        return w.result;
    }
    int idLength = h[0], colorMapType = h[1], type = h[2], depth = h[16];
    std::uint32_t width = h[12] | (h[13] << 8), height = h[14] | (h[15] << 8);
    if (colorMapType != 0) {
        w.Fail("header", "colour-mapped images are not read");
        return w.result;
    }
    int bpp = 0;
    if (type == 2 && (depth == 24 || depth == 32))
        bpp = depth / 8;
    else if (type == 3 && depth == 8)
        bpp = 1;
    else if (type == 0 && (depth == 8 || depth == 24 || depth == 32))
        bpp = depth / 8;
    if (bpp == 0) {
        w.Fail("header", "image type " + std::to_string(type) + " with " + std::to_string(depth) + " bits per pixel is not read (only true colour of 24 or 32 bits, greyscale " "of 8 bits, or no pixel data)");
        return w.result;
    }
    if (!w.r.Bytes(idLength)) {
        w.Whole("ID field");
        return w.result;
    }
    if (type == 0) {
        if (width > 4096 || height > 4096) {
            w.Fail("header", "an image without pixel data may be at most 4096 pixels a side");
            return w.result;
        }
    } else {
        std::uint64_t need = std::uint64_t(width) * height * bpp;
        if (need > w.r.Left()) {
            w.Fail("pixel data", std::to_string(width) + "x" + std::to_string(height) + " pixels of " + std::to_string(bpp) + " bytes need " + std::to_string(need) + " bytes, the file has " + std::to_string(w.r.Left()));
            return w.result;
        }
        w.r.Bytes(static_cast<std::size_t>(need));
    }
    w.Finish();
    return w.result;
}

} // namespace info
