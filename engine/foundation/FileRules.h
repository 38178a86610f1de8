/// @file
/// The rules of the engine's files that are more than their layout, written once: the
/// loaders enforce them, and the content tools' writers check what they are asked to write
/// against the same functions.
#pragma once

#include <cstddef>
#include <cstdint>

namespace FileRules {

/// The common header of .mes and .knx files: a length-prefixed signature whose first four
/// bytes are "RIFF", then the i32 version.
/// @{
inline constexpr char kSignature[] = "RIFF";
inline constexpr std::size_t kSignaturePrefix = 4;
inline constexpr std::int32_t kVersion = 100;
/// @}

/// Names are read into 80-byte buffers; a texture name also needs room for ".TGA".
/// @{
inline constexpr std::size_t kMaxNameLength = 79;
inline constexpr std::size_t kMaxTextureNameLength = 75;
/// @}

/// The fixed parts of the records, in bytes; every number is a 4-byte value.
/// A material, after its name: the ambient, diffuse and specular colours (4 floats each) and
/// the shininess; its texture name follows.
inline constexpr std::size_t kMaterialColoursSize = 13 * 4;
/// A node, after its name: the parent index, the position (3 floats) and the rotation (4 floats).
inline constexpr std::size_t kNodeSize = 4 + 7 * 4;
/// A vertex: its record (texture coordinates, normal, position: 8 floats) in the mesh's vertex
/// array, and the index of the node that carries it in the array that follows.
/// @{
inline constexpr std::size_t kVertexRecordSize = 8 * 4;
inline constexpr std::size_t kVertexSize = kVertexRecordSize + 4;
/// @}
/// A track, after its name: the parent index, then one key per frame: the position (3 floats)
/// and the rotation (4 floats).
/// @{
inline constexpr std::size_t kTrackParentSize = 4;
inline constexpr std::size_t kKeySize = 7 * 4;
/// @}

/// A signature of `length` bytes is accepted when its first four bytes are "RIFF".
constexpr bool SignatureAccepted(const char* bytes, std::size_t length)
{
    if (length < kSignaturePrefix)
        return false;
    for (std::size_t i = 0; i < kSignaturePrefix; ++i) {
        if (bytes[i] != kSignature[i])
            return false;
    }
    return true;
}

/// Nodes and tracks are posed in file order, so a parent comes before its child; -1 is a root.
constexpr bool ParentAccepted(std::int32_t parent, std::int64_t ownIndex)
{
    return parent == -1 || (parent >= 0 && parent < ownIndex);
}

/// The name an engine object ends up with: the engine keeps names as zero-terminated text,
/// so a name read from a file ends at its first zero byte. Materials are found by that name.
constexpr std::size_t StoredNameLength(const char* bytes, std::size_t length)
{
    for (std::size_t i = 0; i < length; ++i) {
        if (bytes[i] == '\0')
            return i;
    }
    return length;
}

} // namespace FileRules
