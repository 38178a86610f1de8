#include "convert/export/GltfExportBuffer.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace convert {

int ComponentCount(const char* type)
{
    static const std::pair<const char*, int> counts[] = {{"SCALAR", 1}, {"VEC2", 2}, {"VEC3", 3}, {"VEC4", 4},
                                                         {"MAT2", 4},   {"MAT3", 9}, {"MAT4", 16}};
    for (const auto& [name, n] : counts)
        if (std::strcmp(type, name) == 0)
            return n;
    return 0;
}

int ComponentSize(int componentType)
{
    switch (componentType) {
    case gltf::UnsignedByte:
        return 1;
    case gltf::UnsignedShort:
        return 2;
    case gltf::UnsignedInt:
    case gltf::Float:
        return 4;
    default:
        return 0;
    }
}

int GltfExportBuffer::AddView(const void* data, std::size_t size, int target)
{
    bytes.resize((bytes.size() + 3) & ~std::size_t(3), 0);
    const std::size_t offset = bytes.size();
    const auto* begin = static_cast<const std::uint8_t*>(data);
    bytes.insert(bytes.end(), begin, begin + size);
    viewOffsets.push_back(offset);
    GltfJson view = {{"buffer", 0}, {"byteOffset", offset}, {"byteLength", size}};
    if (target)
        view["target"] = target;
    views.push_back(std::move(view));
    return static_cast<int>(views.size()) - 1;
}

namespace {

template <typename T>
double ReadComponent(const std::uint8_t* p)
{
    T v;
    std::memcpy(&v, p, sizeof v);
    return static_cast<double>(v);
}

double Component(const std::uint8_t* p, int componentType)
{
    switch (componentType) {
    case gltf::UnsignedByte:
        return *p;
    case gltf::UnsignedShort:
        return ReadComponent<std::uint16_t>(p);
    case gltf::UnsignedInt:
        return ReadComponent<std::uint32_t>(p);
    default:
        return ReadComponent<float>(p);
    }
}

} // namespace

int GltfExportBuffer::AddAccessor(int view, std::size_t offset, int componentType, std::size_t count, const char* type,
                                  bool bounds)
{
    GltfJson accessor = {{"bufferView", view}};
    if (offset)
        accessor["byteOffset"] = offset;
    accessor["componentType"] = componentType;
    accessor["count"] = count;
    accessor["type"] = type;
    if (bounds && count > 0) {
        const int n = ComponentCount(type), size = ComponentSize(componentType);
        std::vector<double> low(n, std::numeric_limits<double>::infinity()), high(n, -low[0]);
        const std::uint8_t* p = bytes.data() + viewOffsets[view] + offset;
        for (std::size_t e = 0; e < count; ++e)
            for (int c = 0; c < n; ++c, p += size) {
                const double v = Component(p, componentType);
                low[c] = std::min(low[c], v);
                high[c] = std::max(high[c], v);
            }
        // Integer bounds stay integers; float bounds are the floats themselves.
        GltfJson min = GltfJson::array(), max = GltfJson::array();
        for (int c = 0; c < n; ++c) {
            if (componentType == gltf::Float) {
                min.push_back(static_cast<float>(low[c]));
                max.push_back(static_cast<float>(high[c]));
            } else {
                min.push_back(static_cast<std::uint64_t>(low[c]));
                max.push_back(static_cast<std::uint64_t>(high[c]));
            }
        }
        accessor["min"] = std::move(min);
        accessor["max"] = std::move(max);
    }
    accessors.push_back(std::move(accessor));
    return static_cast<int>(accessors.size()) - 1;
}

int GltfExportBuffer::Add(const void* data, std::size_t count, int componentType, const char* type, int target,
                          bool bounds)
{
    const std::size_t size = count * ComponentCount(type) * ComponentSize(componentType);
    return AddAccessor(AddView(data, size, target), 0, componentType, count, type, bounds);
}

} // namespace convert
