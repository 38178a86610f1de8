// The binary buffer of a glTF document with its buffer views and accessors: data is appended
// in views (each starting on a 4-byte boundary), and accessors describe typed runs of a view.
#pragma once

#include "convert/export/GltfExportJson.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace convert {

namespace gltf {
// Component types and buffer view targets, as glTF numbers them.
constexpr int UnsignedByte = 5121, UnsignedShort = 5123, UnsignedInt = 5125, Float = 5126;
constexpr int ArrayBuffer = 34962, ElementArrayBuffer = 34963;
} // namespace gltf

class GltfExportBuffer {
public:
    // Appends `size` bytes as a new buffer view; target 0 leaves the view without one.
    // Returns the view's index.
    int AddView(const void* data, std::size_t size, int target);

    // An accessor of `count` elements of `type` ("SCALAR", "VEC3", "MAT4", ...) at `offset`
    // bytes into `view`. With `bounds`, min and max are computed from the data (float,
    // unsigned byte, short or int components). Returns the accessor's index.
    int AddAccessor(int view, std::size_t offset, int componentType, std::size_t count, const char* type,
                    bool bounds = false);

    // Both at once for data that has a view of its own.
    int Add(const void* data, std::size_t count, int componentType, const char* type, int target, bool bounds = false);

    const std::vector<std::uint8_t>& Bytes() const { return bytes; }
    GltfJson& Views() { return views; }
    GltfJson& Accessors() { return accessors; }

private:
    std::vector<std::uint8_t> bytes;
    std::vector<std::size_t> viewOffsets;
    GltfJson views = GltfJson::array();
    GltfJson accessors = GltfJson::array();
};

// Components of an accessor type ("VEC3" has 3), 0 for an unknown one.
int ComponentCount(const char* type);
// Bytes per component, 0 for an unknown type.
int ComponentSize(int componentType);

} // namespace convert
