// Pieces of the glTF reference check shared by its source files: the JSON vocabulary,
// what accessors are read as, and the checker itself.
#pragma once

#include "convert/import/gltfcheck/GltfCheck.h"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace convert::gltfcheck {

using Json = nlohmann::json;

// What a fault costs: see GltfCheck.h.
enum class Outcome { Refuse, Drop, Ignore };

// JSON numbers beyond 2^53 are not exact; no glTF count or offset comes near it.
constexpr std::uint64_t MaxWhole = std::uint64_t(1) << 53;
// Elements of an accessor without a buffer view (zeros, or sparse values): the values are
// made in memory, so a few bytes of JSON must not ask for gigabytes.
constexpr std::uint64_t MaxUnstoredCount = std::uint64_t(1) << 24;
// The parser copies "extras" recursively; nesting this deep only ever comes from a broken file.
constexpr std::size_t MaxDepth = 64;

// The value of a member, or null when the object has none (or is no object).
const Json* Member(const Json& o, const char* key);
// A whole number no larger than 2^53, or nothing.
std::optional<std::uint64_t> Whole(const Json* v);
// The element a value names among `count`; -1 when it names none.
int Resolve(const Json* v, std::size_t count);
// A value as a message shows it: scalars as written, shortened.
std::string Shown(const Json& v);
// "<value> is not <noun>", or "missing".
std::string NotA(const Json* v, const std::string& noun);
// The JSON path of element `i` of the array at `path`: "meshes" and 2 give "meshes[2]".
std::string ElementPath(const std::string& path, std::size_t i);
// The JSON path of member `key` of the object at `path`: "meshes[2]" and "primitives" give
// "meshes[2].primitives".
std::string MemberPath(const std::string& path, const std::string& key);
// A count or offset in decimal digits, as messages show it.
std::string Decimal(std::uint64_t n);

int ComponentSize(std::uint64_t type);
const char* ComponentName(int type);
int ComponentCount(const std::string& type);
// Bytes of one element: matrix columns start on 4-byte boundaries.
std::uint64_t ElementSize(const std::string& type, int componentType);

// An accessor's fields, as far as they are valid.
struct AccessorInfo {
    std::string type;
    int componentType = 0;
    bool normalized = false;
    std::uint64_t count = 0;
    int view = -1;
};

// What an accessor is read as, and which of its forms the converter reads as that.
enum class Role {
    Position,
    Normal,
    TexCoord,
    Joints,
    Weights,
    Indices,
    InverseBind,
    KeyTimes,
    Translation,
    Rotation,
    Scale
};

// Whether the accessor can be read as `role`; `needs` says what the role takes.
bool RoleFits(const AccessorInfo& a, Role role, bool quantized, std::string* needs);

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

} // namespace convert::gltfcheck
