// The JSON vocabulary of the check and the accessor forms each use reads.
#include "convert/import/gltfcheck/GltfCheckParts.h"

#include <map>

namespace convert::gltfcheck {

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

int Resolve(const Json* v, std::size_t count)
{
    std::optional<std::uint64_t> n = Whole(v);
    return n && *n < count ? static_cast<int>(*n) : -1;
}

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

std::string ElementPath(const std::string& path, std::size_t i)
{
    return path + "[" + std::to_string(i) + "]";
}
std::string MemberPath(const std::string& path, const std::string& key)
{
    return path + "." + key;
}
std::string Decimal(std::uint64_t n)
{
    return std::to_string(n);
}

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
        return is("VEC3", c == 5126 || (quantized && c != 5125),
                  quantized ? "VEC3 float or 8- or 16-bit integers" : "VEC3 float");
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

} // namespace convert::gltfcheck
