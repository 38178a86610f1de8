#include "convert/GltfCheck.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <map>
#include <optional>

namespace convert {

namespace {

using Json = nlohmann::json;

enum class Outcome { Refuse, Drop, Ignore };

// JSON numbers beyond 2^53 are not exact; no glTF count or offset comes near it.
constexpr std::uint64_t MaxWhole = std::uint64_t(1) << 53;
// Elements of an accessor without a buffer view (zeros, or sparse values): the values are
// made in memory, so a few bytes of JSON must not ask for gigabytes.
constexpr std::uint64_t MaxUnstoredCount = std::uint64_t(1) << 24;
// The parser copies "extras" recursively; nesting this deep only ever comes from a broken file.
constexpr std::size_t MaxDepth = 64;

const char* const Arrays[] = {"accessors", "animations", "buffers", "bufferViews", "cameras", "images", "materials",
                              "meshes",    "nodes",      "samplers", "scenes",     "skins",   "textures"};

// Extensions a file may require that the converter reads correctly.
const char* const SupportedRequired[] = {"KHR_mesh_quantization"};

const Json* Member(const Json& o, const char* key)
{
    if (!o.is_object())
        return nullptr;
    auto it = o.find(key);
    return it == o.end() ? nullptr : &*it;
}

std::optional<std::uint64_t> Whole(const Json* v)
{
    if (!v || !v->is_number_unsigned())
        return std::nullopt;
    std::uint64_t n = v->get<std::uint64_t>();
    if (n > MaxWhole)
        return std::nullopt;
    return n;
}

// The element a value names among `count`; -1 when it names none.
int Resolve(const Json* v, std::size_t count)
{
    std::optional<std::uint64_t> n = Whole(v);
    return n && *n < count ? static_cast<int>(*n) : -1;
}

// A value as a message shows it: scalars as written, shortened.
std::string Shown(const Json& v)
{
    if (v.is_object())
        return "an object";
    if (v.is_array())
        return "a list";
    std::string s = v.dump(-1, ' ', false, Json::error_handler_t::replace);
    return s.size() > 40 ? s.substr(0, 37) + "..." : s;
}

std::string NotA(const Json* v, const std::string& noun)
{
    return v ? Shown(*v) + " is not " + noun : "missing";
}

std::string At(const std::string& path, std::size_t i) { return path + "[" + std::to_string(i) + "]"; }
std::string Dot(const std::string& path, const std::string& key) { return path + "." + key; }
std::string N(std::uint64_t n) { return std::to_string(n); }

int ComponentSize(std::uint64_t type)
{
    switch (type) {
    case 5120:
    case 5121:
        return 1;
    case 5122:
    case 5123:
        return 2;
    case 5125:
    case 5126:
        return 4;
    default:
        return 0;
    }
}

const char* ComponentName(int type)
{
    switch (type) {
    case 5120:
        return "byte";
    case 5121:
        return "unsigned byte";
    case 5122:
        return "short";
    case 5123:
        return "unsigned short";
    case 5125:
        return "unsigned int";
    default:
        return "float";
    }
}

int ComponentCount(const std::string& type)
{
    static const std::map<std::string, int> counts{{"SCALAR", 1}, {"VEC2", 2}, {"VEC3", 3}, {"VEC4", 4},
                                                   {"MAT2", 4},   {"MAT3", 9}, {"MAT4", 16}};
    auto it = counts.find(type);
    return it == counts.end() ? 0 : it->second;
}

// Bytes of one element: matrix columns start on 4-byte boundaries.
std::uint64_t ElementSize(const std::string& type, int componentType)
{
    int size = ComponentSize(static_cast<std::uint64_t>(componentType));
    if (type == "MAT2" && size == 1)
        return 8;
    if (type == "MAT3" && size == 1)
        return 12;
    if (type == "MAT3" && size == 2)
        return 24;
    return static_cast<std::uint64_t>(ComponentCount(type)) * size;
}

struct AccessorInfo {
    std::string type;
    int componentType = 0;
    bool normalized = false;
    std::uint64_t count = 0;
    int view = -1;
};

// What an accessor is read as, and which of its forms the converter reads as that.
enum class Role { Position, Normal, TexCoord, Joints, Weights, Indices, InverseBind, KeyTimes, Translation, Rotation, Scale };

bool RoleFits(const AccessorInfo& a, Role role, bool quantized, std::string* needs)
{
    const int c = a.componentType;
    const bool integer = c != 5126, norm = a.normalized;
    auto is = [&](const char* type, bool fits, const char* text) {
        *needs = text;
        return a.type == type && fits;
    };
    switch (role) {
    case Role::Position:
        return is("VEC3", c == 5126 || (quantized && c != 5125), quantized ? "VEC3 float or 8- or 16-bit integers" : "VEC3 float");
    case Role::Normal:
        return is("VEC3", c == 5126 || (quantized && (c == 5120 || c == 5122) && norm),
                  quantized ? "VEC3 float, normalized byte or normalized short" : "VEC3 float");
    case Role::TexCoord:
        return is("VEC2", c == 5126 || ((c == 5121 || c == 5123) && norm) || (quantized && c != 5125),
                  "VEC2 float, normalized unsigned byte or normalized unsigned short");
    case Role::Joints:
        return is("VEC4", (c == 5121 || c == 5123) && !norm, "VEC4 unsigned byte or unsigned short");
    case Role::Weights:
        return is("VEC4", c == 5126 || ((c == 5121 || c == 5123) && norm),
                  "VEC4 float, normalized unsigned byte or normalized unsigned short");
    case Role::Indices:
        return is("SCALAR", (c == 5121 || c == 5123 || c == 5125) && !norm,
                  "SCALAR unsigned byte, unsigned short or unsigned int");
    case Role::InverseBind:
        return is("MAT4", c == 5126, "MAT4 float");
    case Role::KeyTimes:
        return is("SCALAR", c == 5126, "SCALAR float");
    case Role::Translation:
    case Role::Scale:
        return is("VEC3", c == 5126 || (quantized && c != 5125), "VEC3 float");
    case Role::Rotation:
        return is("VEC4", c == 5126 || (integer && c != 5125 && norm), "VEC4 float or normalized integers");
    }
    return false;
}

class Checker {
public:
    Checker(GltfFile& file, const Json& doc, GltfCheck& out) : file(file), doc(doc), out(out) {}

    bool Run();

private:
    struct Fault {
        std::string path, text;
        bool told = false;    // reported in some form
        bool refused = false; // listed among the refusals
    };
    using Faults = std::vector<int>;

    const Json& List(const char* name) const
    {
        static const Json empty = Json::array();
        const Json* list = Member(doc, name);
        return list ? *list : empty;
    }
    std::size_t Count(const char* name) const { return List(name).size(); }

    // Faults of the objects, found once; each lists the object's own faults and those of
    // what it reads (accessor -> buffer view -> buffer, texture -> image -> buffer view).
    int Add(Faults* faults, const std::string& path, const std::string& text);
    void CheckBuffers();
    void CheckViews();
    void CheckAccessors();
    void CheckSparse(int a, const Json& sparse, const std::string& path);
    void CheckImages();
    void CheckTextures();

    // The conversion's uses, each deciding what a fault costs.
    void Tell(Outcome outcome, int clip, const std::string& path, const std::string& text,
              const std::string& consequence);
    void TellFaults(const Faults& faults, Outcome outcome, int clip, const std::string& readBy,
                    const std::string& consequence);
    bool Read(int accessor, Role role, Outcome outcome, int clip, const std::string& path,
              const std::string& consequence);
    bool CheckDocument();
    void CheckHierarchy();
    void CheckScenes();
    void CheckNodes();
    void CheckMesh(int m);
    void CheckMaterials();
    void CheckTexCoords();
    void CheckSkins();
    void CheckAnimation(int a);
    bool SamplerFits(int a, int k, const std::string& target, const std::string& channel);
    void StandIns(Json* parsed) const;

    GltfFile& file;
    const Json& doc;
    GltfCheck& out;
    bool quantized = false;

    std::vector<Fault> faults;
    std::vector<Faults> bufferFaults, viewFaults, accessorFaults, imageFaults, textureFaults;
    std::vector<std::uint64_t> bufferLength, viewOffset, viewLength, viewStride;
    std::vector<int> viewBuffer, textureImage;
    std::vector<AccessorInfo> accessors;

    std::vector<int> parent;
    std::vector<char> inScene, meshUsed, meshSkinned, skinUsed, materialUsed;
    struct UsedPrimitive {
        int mesh, primitive, material;
    };
    std::vector<UsedPrimitive> usedPrimitives;
    std::vector<std::vector<char>> samplerBroken; // per animation, per sampler
    std::vector<char> animationBroken;
};

int Checker::Add(Faults* list, const std::string& path, const std::string& text)
{
    faults.push_back({path, text});
    int id = static_cast<int>(faults.size()) - 1;
    list->push_back(id);
    return id;
}

void Checker::CheckBuffers()
{
    const Json& list = List("buffers");
    bufferFaults.resize(list.size());
    bufferLength.assign(list.size(), 0);
    out.buffers.resize(list.size());
    for (std::size_t b = 0; b < list.size(); ++b) {
        const std::string path = At("buffers", b);
        Faults& f = bufferFaults[b];
        const Json* length = Member(list[b], "byteLength");
        std::optional<std::uint64_t> n = Whole(length);
        if (!n || *n < 1)
            Add(&f, Dot(path, "byteLength"), NotA(length, "a length of at least 1 byte"));
        else
            bufferLength[b] = *n;
        std::vector<std::uint8_t>& bytes = out.buffers[b];
        std::string why;
        if (const Json* uri = Member(list[b], "uri")) {
            if (!uri->is_string())
                Add(&f, Dot(path, "uri"), NotA(uri, "a URI"));
            else if (!ReadGltfUri(file, uri->get<std::string>(), &bytes, &why))
                Add(&f, Dot(path, "uri"), Shown(*uri) + " " + why);
        } else if (file.binary && b == 0 && !file.bin.empty()) {
            bytes = std::move(file.bin);
        } else {
            Add(&f, path,
                !file.binary ? "has no uri"
                : b == 0     ? "has no uri, and the file has no binary chunk"
                             : "has no uri, and only the first buffer can be the binary chunk");
        }
        if (f.empty() && bytes.size() < bufferLength[b])
            Add(&f, path, "holds " + N(bytes.size()) + " bytes, fewer than its byteLength " + N(bufferLength[b]));
        if (!f.empty())
            bytes.clear();
    }
}

void Checker::CheckViews()
{
    const Json& list = List("bufferViews");
    std::size_t count = list.size();
    viewFaults.resize(count);
    viewBuffer.assign(count, -1);
    viewOffset.assign(count, 0);
    viewLength.assign(count, 0);
    viewStride.assign(count, 0);
    for (std::size_t v = 0; v < count; ++v) {
        const std::string path = At("bufferViews", v);
        const Json& o = list[v];
        Faults& f = viewFaults[v];
        const Json* buffer = Member(o, "buffer");
        int b = Resolve(buffer, Count("buffers"));
        if (b < 0)
            Add(&f, Dot(path, "buffer"), NotA(buffer, "a buffer"));
        if (const Json* offset = Member(o, "byteOffset")) {
            if (std::optional<std::uint64_t> n = Whole(offset))
                viewOffset[v] = *n;
            else
                Add(&f, Dot(path, "byteOffset"), NotA(offset, "a byte offset"));
        }
        const Json* length = Member(o, "byteLength");
        std::optional<std::uint64_t> n = Whole(length);
        if (!n || *n < 1)
            Add(&f, Dot(path, "byteLength"), NotA(length, "a length of at least 1 byte"));
        else
            viewLength[v] = *n;
        if (const Json* stride = Member(o, "byteStride")) {
            std::optional<std::uint64_t> s = Whole(stride);
            if (!s || *s < 4 || *s > 252 || *s % 4 != 0)
                Add(&f, Dot(path, "byteStride"), NotA(stride, "a stride of 4 to 252 bytes in steps of 4"));
            else
                viewStride[v] = *s;
        }
        viewBuffer[v] = b;
        if (f.empty() && b >= 0 && bufferLength[b] > 0 && viewOffset[v] + viewLength[v] > bufferLength[b])
            Add(&f, path,
                "holds bytes " + N(viewOffset[v]) + " to " + N(viewOffset[v] + viewLength[v]) + ", beyond the " +
                    N(bufferLength[b]) + " bytes of buffers[" + N(b) + "]");
        if (b >= 0)
            f.insert(f.end(), bufferFaults[b].begin(), bufferFaults[b].end());
    }
}

void Checker::CheckAccessors()
{
    const Json& list = List("accessors");
    accessorFaults.resize(list.size());
    accessors.resize(list.size());
    for (std::size_t a = 0; a < list.size(); ++a) {
        const std::string path = At("accessors", a);
        const Json& o = list[a];
        Faults& f = accessorFaults[a];
        AccessorInfo& info = accessors[a];
        const Json* componentType = Member(o, "componentType");
        std::optional<std::uint64_t> ct = Whole(componentType);
        if (!ct || ComponentSize(*ct) == 0)
            Add(&f, Dot(path, "componentType"), NotA(componentType, "a component type"));
        else
            info.componentType = static_cast<int>(*ct);
        const Json* type = Member(o, "type");
        if (!type || !type->is_string() || ComponentCount(type->get<std::string>()) == 0)
            Add(&f, Dot(path, "type"), NotA(type, "an accessor type"));
        else
            info.type = type->get<std::string>();
        const Json* count = Member(o, "count");
        std::optional<std::uint64_t> n = Whole(count);
        if (!n || *n < 1)
            Add(&f, Dot(path, "count"), NotA(count, "a count of at least 1"));
        else
            info.count = *n;
        if (const Json* normalized = Member(o, "normalized")) {
            if (normalized->is_boolean())
                info.normalized = normalized->get<bool>();
            else
                Add(&f, Dot(path, "normalized"), NotA(normalized, "true or false"));
        }
        std::uint64_t offset = 0;
        if (const Json* byteOffset = Member(o, "byteOffset")) {
            if (std::optional<std::uint64_t> off = Whole(byteOffset))
                offset = *off;
            else
                Add(&f, Dot(path, "byteOffset"), NotA(byteOffset, "a byte offset"));
        }
        if (const Json* view = Member(o, "bufferView")) {
            info.view = Resolve(view, Count("bufferViews"));
            if (info.view < 0)
                Add(&f, Dot(path, "bufferView"), NotA(view, "a buffer view"));
        }
        if (f.empty()) {
            std::uint64_t element = ElementSize(info.type, info.componentType);
            if (info.view >= 0 && viewFaults[info.view].empty()) {
                std::uint64_t stride = viewStride[info.view] ? viewStride[info.view] : element;
                std::uint64_t end = offset + stride * (info.count - 1) + element;
                if (stride < element)
                    Add(&f, path,
                        "its " + N(element) + "-byte elements do not fit the stride " + N(stride) + " of bufferViews[" +
                            N(info.view) + "]");
                else if (end > viewLength[info.view])
                    Add(&f, path,
                        "reads bytes " + N(offset) + " to " + N(end) + " of bufferViews[" + N(info.view) +
                            "], which holds " + N(viewLength[info.view]));
            } else if (info.view < 0 && info.count > MaxUnstoredCount) {
                Add(&f, Dot(path, "count"),
                    N(info.count) + " elements without a buffer view are more than the converter makes (" +
                        N(MaxUnstoredCount) + ")");
            }
            if (const Json* sparse = Member(o, "sparse"))
                CheckSparse(static_cast<int>(a), *sparse, Dot(path, "sparse"));
        }
        if (info.view >= 0)
            f.insert(f.end(), viewFaults[info.view].begin(), viewFaults[info.view].end());
    }
}

void Checker::CheckSparse(int a, const Json& sparse, const std::string& path)
{
    Faults& f = accessorFaults[a];
    const AccessorInfo& info = accessors[a];
    const Json* count = Member(sparse, "count");
    std::optional<std::uint64_t> n = Whole(count);
    if (!n || *n < 1 || *n > info.count) {
        Add(&f, Dot(path, "count"), NotA(count, "a count from 1 to the accessor's " + N(info.count)));
        return;
    }
    for (const char* part : {"indices", "values"}) {
        const std::string partPath = Dot(path, part);
        const Json* o = Member(sparse, part);
        if (!o || !o->is_object()) {
            Add(&f, partPath, NotA(o, "an object"));
            continue;
        }
        const Json* view = Member(*o, "bufferView");
        int v = Resolve(view, Count("bufferViews"));
        if (v < 0) {
            Add(&f, Dot(partPath, "bufferView"), NotA(view, "a buffer view"));
            continue;
        }
        std::uint64_t offset = 0;
        if (const Json* byteOffset = Member(*o, "byteOffset")) {
            std::optional<std::uint64_t> off = Whole(byteOffset);
            if (!off) {
                Add(&f, Dot(partPath, "byteOffset"), NotA(byteOffset, "a byte offset"));
                continue;
            }
            offset = *off;
        }
        std::uint64_t size = ElementSize(info.type, info.componentType);
        if (part == std::string("indices")) {
            const Json* type = Member(*o, "componentType");
            std::optional<std::uint64_t> ct = Whole(type);
            if (!ct || (*ct != 5121 && *ct != 5123 && *ct != 5125)) {
                Add(&f, Dot(partPath, "componentType"), NotA(type, "an index component type"));
                continue;
            }
            size = static_cast<std::uint64_t>(ComponentSize(*ct));
        }
        if (viewFaults[v].empty() && offset + *n * size > viewLength[v])
            Add(&f, partPath,
                "reads bytes " + N(offset) + " to " + N(offset + *n * size) + " of bufferViews[" + N(v) +
                    "], which holds " + N(viewLength[v]));
        f.insert(f.end(), viewFaults[v].begin(), viewFaults[v].end());
    }
}

void Checker::CheckImages()
{
    const Json& list = List("images");
    imageFaults.resize(list.size());
    out.images.resize(list.size());
    for (std::size_t i = 0; i < list.size(); ++i) {
        const std::string path = At("images", i);
        Faults& f = imageFaults[i];
        const Json* uri = Member(list[i], "uri");
        const Json* view = Member(list[i], "bufferView");
        std::vector<std::uint8_t>& bytes = out.images[i].bytes;
        if (const Json* name = Member(list[i], "name"); name && name->is_string())
            out.images[i].name = name->get<std::string>();
        if (uri && uri->is_string() && uri->get<std::string>().rfind("data:", 0) != 0)
            out.images[i].uri = uri->get<std::string>();
        if (uri && view) {
            Add(&f, path, "has both a uri and a bufferView");
        } else if (!uri && !view) {
            Add(&f, path, "has neither a uri nor a bufferView");
        } else if (view) {
            int v = Resolve(view, Count("bufferViews"));
            if (v < 0) {
                Add(&f, Dot(path, "bufferView"), NotA(view, "a buffer view"));
            } else {
                f = viewFaults[v];
                if (f.empty()) {
                    const std::uint8_t* start = out.buffers[viewBuffer[v]].data() + viewOffset[v];
                    bytes.assign(start, start + viewLength[v]);
                }
            }
        } else {
            std::string why;
            if (!uri->is_string())
                Add(&f, Dot(path, "uri"), NotA(uri, "a URI"));
            else if (!ReadGltfUri(file, uri->get<std::string>(), &bytes, &why))
                Add(&f, Dot(path, "uri"), Shown(*uri) + " " + why);
            else if (bytes.empty())
                Add(&f, Dot(path, "uri"), Shown(*uri) + " holds no bytes");
        }
        if (!f.empty())
            bytes.clear();
    }
}

void Checker::CheckTextures()
{
    const Json& list = List("textures");
    textureFaults.resize(list.size());
    textureImage.assign(list.size(), -1);
    for (std::size_t t = 0; t < list.size(); ++t) {
        const std::string path = At("textures", t);
        Faults& f = textureFaults[t];
        const Json* source = Member(list[t], "source");
        int image = Resolve(source, Count("images"));
        if (!source)
            Add(&f, path, "has no source image the converter can read");
        else if (image < 0)
            Add(&f, Dot(path, "source"), NotA(source, "an image"));
        else
            f.insert(f.end(), imageFaults[image].begin(), imageFaults[image].end());
        textureImage[t] = image;
        const Json* sampler = Member(list[t], "sampler");
        if (sampler && Resolve(sampler, Count("samplers")) < 0)
            Tell(Outcome::Ignore, -1, Dot(path, "sampler"), NotA(sampler, "a sampler"),
                 "ignored: the engine samples every texture the same way");
    }
}

void Checker::Tell(Outcome outcome, int clip, const std::string& path, const std::string& text,
                   const std::string& consequence)
{
    std::string line = path + ": " + text;
    switch (outcome) {
    case Outcome::Refuse:
        out.refusals.push_back(line);
        break;
    case Outcome::Drop:
        (clip >= 0 ? out.clipWarnings[clip] : out.warnings).push_back(line + "; " + consequence);
        break;
    case Outcome::Ignore:
        out.notes.push_back(line + " (" + consequence + ")");
        break;
    }
}

void Checker::TellFaults(const Faults& ids, Outcome outcome, int clip, const std::string& readBy,
                         const std::string& consequence)
{
    if (ids.empty() || outcome == Outcome::Ignore)
        return; // noted with the other faults nothing uses
    if (outcome == Outcome::Refuse) {
        for (int id : ids) {
            Fault& fault = faults[id];
            if (!fault.refused)
                out.refusals.push_back(fault.path + ": " + fault.text + " (read by " + readBy + ")");
            fault.refused = fault.told = true;
        }
        return;
    }
    // One line for the part dropped: its first fault.
    const Fault& first = faults[ids.front()];
    Tell(outcome, clip, first.path, first.text + " (read by " + readBy + ")", consequence);
    for (int id : ids)
        faults[id].told = true;
}

// Whether accessor a can be read as `role` at `path`; reports what it cannot.
bool Checker::Read(int a, Role role, Outcome outcome, int clip, const std::string& path,
                   const std::string& consequence)
{
    if (!accessorFaults[a].empty()) {
        TellFaults(accessorFaults[a], outcome, clip, path, consequence);
        return false;
    }
    const AccessorInfo& info = accessors[a];
    std::string needs;
    if (!RoleFits(info, role, quantized, &needs)) {
        Tell(outcome, clip, path,
             "accessors[" + N(a) + "] is " + info.type + " " + (info.normalized ? "normalized " : "") +
                 ComponentName(info.componentType) + ", where the converter reads " + needs,
             consequence);
        return false;
    }
    return true;
}

bool Checker::CheckDocument()
{
    // Depth first without recursion: the depth of the deepest value.
    std::vector<std::pair<const Json*, std::size_t>> stack{{&doc, 1}};
    while (!stack.empty()) {
        auto [value, depth] = stack.back();
        stack.pop_back();
        if (depth > MaxDepth) {
            out.refusals.push_back("the JSON nests deeper than " + N(MaxDepth) + " levels");
            return false;
        }
        if (value->is_structured())
            for (const Json& child : *value)
                stack.push_back({&child, depth + 1});
    }
    if (!doc.is_object()) {
        out.refusals.push_back("the JSON is " + Shown(doc) + ", not a glTF object");
        return false;
    }
    const Json* asset = Member(doc, "asset");
    const Json* version = asset ? Member(*asset, "version") : nullptr;
    if (!version || !version->is_string() || version->get<std::string>().rfind("2.", 0) != 0)
        out.refusals.push_back(asset ? "asset.version: " + NotA(version, "a glTF 2 version") : "asset: missing");
    auto lists = [&](const char* name, std::vector<std::string>* names) {
        const Json* list = Member(doc, name);
        if (!list)
            return;
        if (!list->is_array()) {
            out.refusals.push_back(std::string(name) + ": " + NotA(list, "a list of extension names"));
            return;
        }
        for (const Json& e : *list)
            if (e.is_string())
                names->push_back(e.get<std::string>());
    };
    std::vector<std::string> required, used;
    lists("extensionsRequired", &required);
    lists("extensionsUsed", &used);
    for (const std::string& name : required) {
        if (std::find(std::begin(SupportedRequired), std::end(SupportedRequired), name) == std::end(SupportedRequired))
            out.refusals.push_back("extensionsRequired: the file needs the extension " + name +
                                   ", which the converter does not read");
    }
    quantized = std::find(used.begin(), used.end(), "KHR_mesh_quantization") != used.end() ||
                std::find(required.begin(), required.end(), "KHR_mesh_quantization") != required.end();
    for (const char* name : Arrays) {
        const Json* list = Member(doc, name);
        if (!list)
            continue;
        if (!list->is_array()) {
            out.refusals.push_back(std::string(name) + ": " + NotA(list, "a list"));
            continue;
        }
        for (std::size_t i = 0; i < list->size(); ++i)
            if (!(*list)[i].is_object())
                out.refusals.push_back(At(name, i) + ": " + NotA(&(*list)[i], "an object"));
    }
    return out.refusals.empty();
}

// Every node's children, in and out of the scene: a node has at most one parent, and no
// node is its own ancestor.
void Checker::CheckHierarchy()
{
    const Json& nodes = List("nodes");
    std::size_t n = nodes.size();
    parent.assign(n, -1);
    for (std::size_t i = 0; i < n; ++i) {
        const Json* children = Member(nodes[i], "children");
        if (!children)
            continue;
        const std::string path = Dot(At("nodes", i), "children");
        if (!children->is_array()) {
            Tell(Outcome::Refuse, -1, path, NotA(children, "a list of nodes"), "");
            continue;
        }
        for (std::size_t k = 0; k < children->size(); ++k) {
            const Json& value = (*children)[k];
            int c = Resolve(&value, n);
            if (c < 0)
                Tell(Outcome::Refuse, -1, At(path, k), NotA(&value, "a node"), "");
            else if (c == static_cast<int>(i))
                Tell(Outcome::Refuse, -1, At(path, k), "a node cannot be its own child", "");
            else if (parent[c] == static_cast<int>(i))
                Tell(Outcome::Refuse, -1, At(path, k), "names nodes[" + N(c) + "] twice", "");
            else if (parent[c] >= 0)
                Tell(Outcome::Refuse, -1, At(path, k),
                     "nodes[" + N(c) + "] is already a child of nodes[" + N(parent[c]) + "]", "");
            else
                parent[c] = static_cast<int>(i);
        }
    }
    // Up the parent links: 1 marks the walk in progress, 2 the nodes already settled.
    std::vector<char> state(n, 0);
    for (std::size_t i = 0; i < n; ++i) {
        std::vector<int> walk;
        int j = static_cast<int>(i);
        while (j >= 0 && state[j] == 0) {
            state[j] = 1;
            walk.push_back(j);
            j = parent[j];
        }
        if (j >= 0 && state[j] == 1)
            Tell(Outcome::Refuse, -1, At("nodes", j), "is its own ancestor", "");
        for (int w : walk)
            state[w] = 2;
    }
}

// The converted scene: "scene", else the first, else every node without a parent.
void Checker::CheckScenes()
{
    const Json& scenes = List("scenes");
    const Json* chosen = Member(doc, "scene");
    int scene = chosen ? Resolve(chosen, scenes.size()) : (scenes.empty() ? -1 : 0);
    if (chosen && scene < 0)
        Tell(Outcome::Refuse, -1, "scene", NotA(chosen, "a scene"), "");
    std::size_t n = Count("nodes");
    std::vector<int> roots;
    for (std::size_t s = 0; s < scenes.size(); ++s) {
        const bool converted = static_cast<int>(s) == scene;
        const Outcome outcome = converted ? Outcome::Refuse : Outcome::Ignore;
        const std::string reason = "scenes[" + N(s) + "] is not converted";
        const std::string path = Dot(At("scenes", s), "nodes");
        const Json* nodes = Member(scenes[s], "nodes");
        if (!nodes)
            continue;
        if (!nodes->is_array()) {
            Tell(outcome, -1, path, NotA(nodes, "a list of nodes"), reason);
            continue;
        }
        std::vector<char> listed(n, 0);
        for (std::size_t k = 0; k < nodes->size(); ++k) {
            const Json& value = (*nodes)[k];
            int node = Resolve(&value, n);
            if (node < 0)
                Tell(outcome, -1, At(path, k), NotA(&value, "a node"), reason);
            else if (parent[node] >= 0)
                Tell(outcome, -1, At(path, k),
                     "nodes[" + N(node) + "] is not a root: it is a child of nodes[" + N(parent[node]) + "]", reason);
            else if (listed[node])
                Tell(outcome, -1, At(path, k), "names nodes[" + N(node) + "] twice", reason);
            else if (converted)
                roots.push_back(node);
            if (node >= 0)
                listed[node] = 1;
        }
    }
    if (!chosen && scenes.empty())
        for (std::size_t i = 0; i < n; ++i)
            if (parent[i] < 0)
                roots.push_back(static_cast<int>(i));
    // Down the children from the roots; the visited marks stop at any cycle.
    inScene.assign(n, 0);
    std::vector<int> stack = roots;
    const Json& list = List("nodes");
    while (!stack.empty()) {
        int i = stack.back();
        stack.pop_back();
        if (inScene[i])
            continue;
        inScene[i] = 1;
        out.convertedNodes.push_back(i);
        if (const Json* children = Member(list[i], "children"); children && children->is_array())
            for (const Json& c : *children) {
                int child = Resolve(&c, n);
                if (child >= 0 && parent[child] == i)
                    stack.push_back(child);
            }
    }
}

void Checker::CheckNodes()
{
    const Json& nodes = List("nodes");
    meshUsed.assign(Count("meshes"), 0);
    meshSkinned.assign(Count("meshes"), 0);
    skinUsed.assign(Count("skins"), 0);
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        const std::string path = At("nodes", i);
        const Outcome outcome = inScene[i] ? Outcome::Refuse : Outcome::Ignore;
        const std::string reason = "nodes[" + N(i) + "] is not in the converted scene";
        const Json* mesh = Member(nodes[i], "mesh");
        const Json* skin = Member(nodes[i], "skin");
        int m = Resolve(mesh, meshUsed.size()), s = Resolve(skin, skinUsed.size());
        if (mesh && m < 0)
            Tell(outcome, -1, Dot(path, "mesh"), NotA(mesh, "a mesh"), reason);
        if (skin && s < 0)
            Tell(outcome, -1, Dot(path, "skin"), NotA(skin, "a skin"), reason);
        if (const Json* camera = Member(nodes[i], "camera"); camera && Resolve(camera, Count("cameras")) < 0)
            Tell(Outcome::Ignore, -1, Dot(path, "camera"), NotA(camera, "a camera"), "cameras are not converted");
        if (!inScene[i])
            continue;
        if (m >= 0) {
            meshUsed[m] = 1;
            if (s >= 0)
                meshSkinned[m] = 1;
        }
        if (m >= 0 && s >= 0)
            skinUsed[s] = 1;
    }
}

void Checker::CheckMesh(int m)
{
    const std::string path = At("meshes", m);
    const bool used = meshUsed[m];
    const Outcome outcome = used ? Outcome::Refuse : Outcome::Ignore;
    const std::string reason = path + " is not used by the converted scene";
    const Json* primitives = Member(List("meshes")[m], "primitives");
    if (!primitives || !primitives->is_array() || primitives->empty()) {
        Tell(outcome, -1, Dot(path, "primitives"), NotA(primitives, "a list of primitives"), reason);
        return;
    }
    for (std::size_t p = 0; p < primitives->size(); ++p) {
        const std::string primitivePath = At(Dot(path, "primitives"), p);
        const Json& primitive = (*primitives)[p];
        const Json* attributes = Member(primitive, "attributes");
        if (!attributes || !attributes->is_object()) {
            Tell(outcome, -1, Dot(primitivePath, "attributes"), NotA(attributes, "an object of attributes"), reason);
            continue;
        }
        const Json* materialValue = Member(primitive, "material");
        int material = Resolve(materialValue, Count("materials"));
        if (materialValue && material < 0)
            Tell(outcome, -1, Dot(primitivePath, "material"), NotA(materialValue, "a material"), reason);
        if (const Json* mode = Member(primitive, "mode")) {
            std::optional<std::uint64_t> n = Whole(mode);
            if (!n || *n > 6)
                Tell(outcome, -1, Dot(primitivePath, "mode"), NotA(mode, "a primitive mode"), reason);
        }

        // The attributes the reader takes: the texture coordinates its material's texture
        // reads, and the joints and weights of a skinned mesh in pairs of sets.
        std::map<std::string, Role> reads{{"POSITION", Role::Position}, {"NORMAL", Role::Normal}};
        reads["TEXCOORD_" + N(material >= 0 ? out.texCoordSet[material] : 0)] = Role::TexCoord;
        for (int set = 0; meshSkinned[m]; ++set) {
            std::string joints = "JOINTS_" + N(set), weights = "WEIGHTS_" + N(set);
            if (!Member(*attributes, joints.c_str()) || !Member(*attributes, weights.c_str()))
                break;
            reads[joints] = Role::Joints;
            reads[weights] = Role::Weights;
        }
        std::uint64_t positions = 0;
        std::vector<std::pair<std::string, int>> counted;
        for (auto it = attributes->begin(); it != attributes->end(); ++it) {
            const std::string attributePath = Dot(Dot(primitivePath, "attributes"), it.key());
            int a = Resolve(&it.value(), accessors.size());
            auto role = reads.find(it.key());
            const bool read = used && role != reads.end();
            if (a < 0) {
                Tell(read ? Outcome::Refuse : Outcome::Ignore, -1, attributePath, NotA(&it.value(), "an accessor"),
                     used ? "the converter does not read " + it.key() : reason);
                continue;
            }
            if (!read || !Read(a, role->second, Outcome::Refuse, -1, attributePath, ""))
                continue;
            if (it.key() == "POSITION")
                positions = accessors[a].count;
            else
                counted.push_back({attributePath, a});
        }
        for (const auto& [attributePath, a] : counted)
            if (positions > 0 && accessors[a].count != positions)
                Tell(Outcome::Refuse, -1, attributePath,
                     "accessors[" + N(a) + "] holds " + N(accessors[a].count) + " elements, POSITION holds " +
                         N(positions),
                     "");

        if (const Json* indices = Member(primitive, "indices")) {
            const std::string indicesPath = Dot(primitivePath, "indices");
            int a = Resolve(indices, accessors.size());
            if (a < 0)
                Tell(outcome, -1, indicesPath, NotA(indices, "an accessor"), reason);
            else if (used && Read(a, Role::Indices, Outcome::Refuse, -1, indicesPath, "") && accessors[a].view < 0)
                // The parser refuses index data that is not stored; say so in the file's terms.
                Tell(Outcome::Refuse, -1, indicesPath, "accessors[" + N(a) + "] has no buffer view", "");
        }
        if (const Json* targets = Member(primitive, "targets"); used && targets && targets->is_array()) {
            for (std::size_t t = 0; t < targets->size(); ++t) {
                if (!(*targets)[t].is_object())
                    continue;
                for (auto it = (*targets)[t].begin(); it != (*targets)[t].end(); ++it)
                    if (Resolve(&it.value(), accessors.size()) < 0)
                        Tell(Outcome::Ignore, -1, Dot(At(Dot(primitivePath, "targets"), t), it.key()),
                             NotA(&it.value(), "an accessor"), "morph targets are not converted");
            }
        }
        if (used)
            usedPrimitives.push_back({m, static_cast<int>(p), material});
        if (used && material >= 0)
            materialUsed[material] = 1;
    }
}

void Checker::CheckMaterials()
{
    const Json& materials = List("materials");
    out.baseColorImage.assign(materials.size(), -1);
    for (std::size_t m = 0; m < materials.size(); ++m) {
        const std::string path = At("materials", m);
        const Json& material = materials[m];
        const bool used = materialUsed[m];
        const std::string reason = path + " is not used by the converted scene";
        const Json* name = Member(material, "name");
        const std::string consequence =
            path + (name && name->is_string() ? " " + Shown(*name) : std::string()) +
            " is drawn with its colour instead of the texture";
        const Json* pbr = Member(material, "pbrMetallicRoughness");
        // The converter draws with the base colour texture only; the others' faults are noted.
        std::vector<std::pair<std::string, const Json*>> slots{
            {"pbrMetallicRoughness.baseColorTexture", pbr ? Member(*pbr, "baseColorTexture") : nullptr},
            {"pbrMetallicRoughness.metallicRoughnessTexture", pbr ? Member(*pbr, "metallicRoughnessTexture") : nullptr},
            {"normalTexture", Member(material, "normalTexture")},
            {"occlusionTexture", Member(material, "occlusionTexture")},
            {"emissiveTexture", Member(material, "emissiveTexture")}};
        for (std::size_t s = 0; s < slots.size(); ++s) {
            const Json* slot = slots[s].second;
            if (!slot)
                continue;
            const std::string slotPath = Dot(path, slots[s].first);
            const bool base = s == 0;
            const Outcome outcome = used && base ? Outcome::Drop : Outcome::Ignore;
            const std::string why = !used ? reason : base ? consequence : "the converter reads only the base colour texture";
            const Json* index = Member(*slot, "index");
            int t = Resolve(index, textureFaults.size());
            if (!slot->is_object()) {
                Tell(outcome, -1, slotPath, NotA(slot, "a texture reference"), why);
            } else if (t < 0) {
                Tell(outcome, -1, Dot(slotPath, "index"), NotA(index, "a texture"), why);
            } else if (const Json* set = Member(*slot, "texCoord"); set && !Whole(set)) {
                Tell(outcome, -1, Dot(slotPath, "texCoord"), NotA(set, "a texture coordinate set"), why);
            } else if (outcome == Outcome::Drop && !textureFaults[t].empty()) {
                TellFaults(textureFaults[t], outcome, -1, Dot(slotPath, "index"), why);
            } else if (outcome == Outcome::Drop) {
                out.baseColorImage[m] = textureImage[t];
            }
        }
    }
}

// A primitive whose material's texture reads texture coordinates it does not have would
// show one texel all over; it draws with the material's colour instead.
void Checker::CheckTexCoords()
{
    for (const UsedPrimitive& u : usedPrimitives) {
        if (u.material < 0 || out.baseColorImage[u.material] < 0)
            continue;
        const std::uint64_t set = out.texCoordSet[u.material];
        const Json& primitive = (*Member(List("meshes")[u.mesh], "primitives"))[u.primitive];
        const std::string name = "TEXCOORD_" + N(set);
        if (Member(*Member(primitive, "attributes"), name.c_str()))
            continue;
        Tell(Outcome::Drop, -1, At(Dot(At("meshes", u.mesh), "primitives"), u.primitive),
             "has no " + name + ", which the texture of materials[" + N(u.material) + "] reads",
             "the primitive is drawn with the material's colour");
        out.untexturedPrimitives.insert({u.mesh, u.primitive});
    }
}

void Checker::CheckSkins()
{
    const Json& skins = List("skins");
    std::size_t n = Count("nodes");
    for (std::size_t s = 0; s < skins.size(); ++s) {
        const std::string path = At("skins", s);
        const bool used = skinUsed[s];
        const Outcome outcome = used ? Outcome::Refuse : Outcome::Ignore;
        const std::string reason = path + " is not used by the converted scene";
        const Json* joints = Member(skins[s], "joints");
        std::size_t jointCount = 0;
        if (!joints || !joints->is_array() || joints->empty()) {
            Tell(outcome, -1, Dot(path, "joints"), NotA(joints, "a list of nodes"), reason);
        } else {
            jointCount = joints->size();
            std::vector<char> seen(n, 0);
            for (std::size_t k = 0; k < joints->size(); ++k) {
                const Json& value = (*joints)[k];
                const std::string jointPath = At(Dot(path, "joints"), k);
                int j = Resolve(&value, n);
                if (j < 0)
                    Tell(outcome, -1, jointPath, NotA(&value, "a node"), reason);
                else if (seen[j])
                    Tell(outcome, -1, jointPath, "names nodes[" + N(j) + "] twice", reason);
                else if (used && !inScene[j])
                    Tell(Outcome::Refuse, -1, jointPath, "nodes[" + N(j) + "] is not in the converted scene", "");
                if (j >= 0)
                    seen[j] = 1;
            }
        }
        if (const Json* matrices = Member(skins[s], "inverseBindMatrices")) {
            const std::string matricesPath = Dot(path, "inverseBindMatrices");
            int a = Resolve(matrices, accessors.size());
            if (a < 0)
                Tell(outcome, -1, matricesPath, NotA(matrices, "an accessor"), reason);
            else if (used && Read(a, Role::InverseBind, Outcome::Refuse, -1, matricesPath, "") &&
                     accessors[a].count < jointCount)
                Tell(Outcome::Refuse, -1, matricesPath,
                     "accessors[" + N(a) + "] holds " + N(accessors[a].count) + " matrices for " + N(jointCount) +
                         " joints",
                     "");
        }
        if (const Json* skeleton = Member(skins[s], "skeleton"); skeleton && Resolve(skeleton, n) < 0)
            Tell(Outcome::Ignore, -1, Dot(path, "skeleton"), NotA(skeleton, "a node"), "the converter does not read it");
    }
}

// Whether sampler k of animation a can drive a channel of `target`; a fault is told once
// for each channel it costs.
bool Checker::SamplerFits(int a, int k, const std::string& target, const std::string& channel)
{
    const std::string path = At(Dot(At("animations", a), "samplers"), k);
    const std::string dropped = channel + " is dropped";
    const Json& sampler = (*Member(List("animations")[a], "samplers"))[k];
    if (!sampler.is_object()) {
        Tell(Outcome::Drop, a, path, NotA(&sampler, "an object"), dropped);
        return false;
    }
    const Json* input = Member(sampler, "input");
    const Json* output = Member(sampler, "output");
    int in = Resolve(input, accessors.size()), result = Resolve(output, accessors.size());
    if (in < 0) {
        Tell(Outcome::Drop, a, Dot(path, "input"), NotA(input, "an accessor"), dropped);
        return false;
    }
    if (result < 0) {
        Tell(Outcome::Drop, a, Dot(path, "output"), NotA(output, "an accessor"), dropped);
        return false;
    }
    const Role role = target == "rotation" ? Role::Rotation : target == "scale" ? Role::Scale : Role::Translation;
    if (!Read(in, Role::KeyTimes, Outcome::Drop, a, Dot(path, "input"), dropped) ||
        !Read(result, role, Outcome::Drop, a, Dot(path, "output"), dropped))
        return false;
    std::string mode = "LINEAR";
    if (const Json* interpolation = Member(sampler, "interpolation")) {
        if (interpolation->is_string() && (*interpolation == "LINEAR" || *interpolation == "STEP" ||
                                           *interpolation == "CUBICSPLINE"))
            mode = interpolation->get<std::string>();
        else
            Tell(Outcome::Drop, a, Dot(path, "interpolation"), NotA(interpolation, "an interpolation"),
                 channel + " is read as LINEAR");
    }
    const std::uint64_t keys = accessors[in].count, values = accessors[result].count;
    const std::uint64_t perKey = mode == "CUBICSPLINE" ? 3 : 1;
    if (mode == "CUBICSPLINE" && keys < 2) {
        Tell(Outcome::Drop, a, path, "a CUBICSPLINE sampler needs at least two keys", dropped);
        return false;
    }
    if (values != keys * perKey) {
        Tell(Outcome::Drop, a, path,
             "its output holds " + N(values) + " values for " + N(keys) + " key times" +
                 (perKey == 3 ? " (CUBICSPLINE needs three per key)" : ""),
             dropped);
        return false;
    }
    return true;
}

void Checker::CheckAnimation(int a)
{
    const std::string path = At("animations", a);
    const Json& animation = List("animations")[a];
    const Json* channels = Member(animation, "channels");
    const Json* samplers = Member(animation, "samplers");
    std::size_t samplerCount = samplers && samplers->is_array() ? samplers->size() : 0;
    samplerBroken[a].assign(samplerCount, 0);
    if (!channels || !channels->is_array() || channels->empty()) {
        out.clipWarnings[a].push_back(Dot(path, "channels") + ": " + NotA(channels, "a list of channels") +
                                      "; the animation has nothing to convert");
        animationBroken[a] = 1;
        return;
    }
    out.channelKept[a].assign(channels->size(), 0);
    std::vector<char> samplerUsed(samplerCount, 0);
    std::map<std::pair<int, std::string>, std::size_t> animated; // (node, path) -> first channel
    for (std::size_t c = 0; c < channels->size(); ++c) {
        const std::string channelPath = At(Dot(path, "channels"), c);
        const std::string dropped = channelPath + " is dropped";
        const Json& channel = (*channels)[c];
        const Json* target = Member(channel, "target");
        const Json* targetPath = target ? Member(*target, "path") : nullptr;
        const Json* node = target ? Member(*target, "node") : nullptr;
        const Json* sampler = Member(channel, "sampler");
        int n = Resolve(node, inScene.size()), k = Resolve(sampler, samplerCount);
        const std::string kind = targetPath && targetPath->is_string() ? targetPath->get<std::string>() : "";
        if (!channel.is_object()) {
            Tell(Outcome::Drop, a, channelPath, NotA(&channel, "an object"), dropped);
        } else if (!target || !target->is_object()) {
            Tell(Outcome::Drop, a, Dot(channelPath, "target"), NotA(target, "an object"), dropped);
        } else if (kind != "translation" && kind != "rotation" && kind != "scale" && kind != "weights") {
            Tell(Outcome::Drop, a, Dot(channelPath, "target.path"), NotA(targetPath, "an animated property"), dropped);
        } else if (n < 0) {
            Tell(Outcome::Drop, a, Dot(channelPath, "target.node"), NotA(node, "a node"), dropped);
        } else if (k < 0) {
            Tell(Outcome::Drop, a, Dot(channelPath, "sampler"), NotA(sampler, "a sampler of " + path), dropped);
        } else if (!inScene[n]) {
            // Animates a node the conversion leaves out: nothing is lost.
        } else if (kind == "weights") {
            Tell(Outcome::Drop, a, channelPath, "animates morph target weights, which are not converted", dropped);
        } else if (auto [first, fresh] = animated.insert({{n, kind}, c}); !fresh) {
            Tell(Outcome::Drop, a, channelPath,
                 "animates the " + kind + " of nodes[" + N(n) + "] again, after channels[" + N(first->second) + "]",
                 dropped);
        } else {
            samplerUsed[k] = 1;
            out.channelKept[a][c] = SamplerFits(a, k, kind, channelPath);
            if (!out.channelKept[a][c])
                samplerBroken[a][k] = 1;
        }
    }
    // Samplers no converted channel reads: their faults are notes.
    for (std::size_t k = 0; k < samplerCount; ++k) {
        if (samplerUsed[k])
            continue;
        const Json& sampler = (*samplers)[k];
        const std::string samplerPath = At(Dot(path, "samplers"), k);
        if (!sampler.is_object()) {
            Tell(Outcome::Ignore, -1, samplerPath, NotA(&sampler, "an object"), "no converted channel reads it");
            samplerBroken[a][k] = 1;
            continue;
        }
        for (const char* key : {"input", "output"}) {
            const Json* value = Member(sampler, key);
            if (Resolve(value, accessors.size()) < 0) {
                Tell(Outcome::Ignore, -1, Dot(samplerPath, key), NotA(value, "an accessor"),
                     "no converted channel reads it");
                samplerBroken[a][k] = 1;
            }
        }
    }
}

// The parser refuses a whole file over one broken object and reads some faults wrongly;
// it is given only objects that are whole, or stand-ins for those nothing reads.
void Checker::StandIns(Json* parsed) const
{
    parsed->erase("buffers");
    parsed->erase("images");
    auto replace = [&](const char* list, std::size_t i, Json standIn) { (*parsed)[list][i] = std::move(standIn); };
    for (std::size_t v = 0; v < viewFaults.size(); ++v)
        if (!viewFaults[v].empty())
            replace("bufferViews", v, {{"buffer", 0}, {"byteLength", 1}});
    for (std::size_t a = 0; a < accessorFaults.size(); ++a)
        if (!accessorFaults[a].empty())
            replace("accessors", a, {{"componentType", 5126}, {"type", "SCALAR"}, {"count", 1}});
    for (std::size_t m = 0; m < meshUsed.size(); ++m)
        if (!meshUsed[m])
            replace("meshes", m, {{"primitives", Json::array()}});
    for (std::size_t s = 0; s < skinUsed.size(); ++s)
        if (!skinUsed[s])
            replace("skins", s, {{"joints", Json::array()}});
    for (std::size_t a = 0; a < animationBroken.size(); ++a) {
        Json& animation = (*parsed)["animations"][a];
        if (animationBroken[a]) {
            animation = {{"channels", Json::array()}, {"samplers", Json::array()}};
            continue;
        }
        for (std::size_t c = 0; c < out.channelKept[a].size(); ++c)
            if (!out.channelKept[a][c])
                animation["channels"][c] = {{"sampler", 0}, {"target", {{"node", 0}, {"path", "translation"}}}};
        for (std::size_t k = 0; k < samplerBroken[a].size(); ++k)
            if (samplerBroken[a][k])
                animation["samplers"][k] = {{"input", 0}, {"output", 0}};
    }
}

bool Checker::Run()
{
    if (!CheckDocument())
        return false;
    CheckBuffers();
    CheckViews();
    CheckAccessors();
    CheckImages();
    CheckTextures();

    CheckHierarchy();
    CheckScenes();
    CheckNodes();
    const Json& materials = List("materials");
    materialUsed.assign(materials.size(), 0);
    out.texCoordSet.assign(materials.size(), 0);
    for (std::size_t m = 0; m < materials.size(); ++m) {
        const Json* pbr = Member(materials[m], "pbrMetallicRoughness");
        const Json* base = pbr ? Member(*pbr, "baseColorTexture") : nullptr;
        out.texCoordSet[m] = Whole(base ? Member(*base, "texCoord") : nullptr).value_or(0);
    }
    for (std::size_t m = 0; m < meshUsed.size(); ++m)
        CheckMesh(static_cast<int>(m));
    CheckMaterials();
    CheckTexCoords();
    CheckSkins();
    std::size_t animations = Count("animations");
    out.clipWarnings.resize(animations);
    out.channelKept.resize(animations);
    samplerBroken.resize(animations);
    animationBroken.assign(animations, 0);
    for (std::size_t a = 0; a < animations; ++a)
        CheckAnimation(static_cast<int>(a));

    for (const Fault& fault : faults)
        if (!fault.told)
            out.notes.push_back(fault.path + ": " + fault.text + " (not used by the conversion)");
    if (!out.refusals.empty())
        return false;
    Json parsed = doc;
    StandIns(&parsed);
    out.json = parsed.dump(-1, ' ', false, Json::error_handler_t::replace);
    return true;
}

} // namespace

bool CheckGltf(GltfFile& file, GltfCheck* out)
{
    *out = GltfCheck{};
    Json doc = Json::parse(file.json.begin(), file.json.end(), nullptr, false);
    if (doc.is_discarded()) {
        out->refusals.push_back(std::string(file.binary ? "the JSON chunk" : "the file") + " is not valid JSON");
        return false;
    }
    return Checker(file, doc, *out).Run();
}

} // namespace convert
