#include "scene/CheckedRead.h"

#include "scene/SceneElements.h"

namespace {

constexpr std::size_t kPieceBytes = 64 * 1024;

// Largest value of the piece as unsigned, so negative values count as huge. Sixteen
// running maxima, one per lane, let the compiler keep them in vector registers.
std::uint32_t MaxUnsigned(const std::int32_t* values, std::size_t count)
{
    constexpr std::size_t kLanes = 16;
    std::uint32_t lanes[kLanes] = {};
    std::size_t i = 0;
    for (; i + kLanes <= count; i += kLanes) {
        for (std::size_t j = 0; j < kLanes; ++j) {
            const auto value = static_cast<std::uint32_t>(values[i + j]);
            lanes[j] = value > lanes[j] ? value : lanes[j];
        }
    }
    std::uint32_t largest = 0;
    for (std::uint32_t lane : lanes)
        largest = lane > largest ? lane : largest;
    for (; i < count; ++i) {
        const auto value = static_cast<std::uint32_t>(values[i]);
        largest = value > largest ? value : largest;
    }
    return largest;
}

} // namespace

bool ReadIndicesBelow(FileStream& stream, std::int32_t* out, std::size_t count, std::uint32_t limit)
{
    constexpr std::size_t kPiece = kPieceBytes / sizeof(std::int32_t);
    for (std::size_t done = 0; done < count;) {
        const std::size_t piece = count - done < kPiece ? count - done : kPiece;
        if (!stream.ReadExact(out + done, sizeof(std::int32_t), piece))
            return false;
        if (MaxUnsigned(out + done, piece) >= limit)
            return false;
        done += piece;
    }
    return true;
}

bool ReadVertices(FileStream& stream, MeshVertex* vertices, Vector3* positions, std::size_t count)
{
    constexpr std::size_t kPiece = kPieceBytes / sizeof(MeshVertex);
    for (std::size_t done = 0; done < count;) {
        const std::size_t piece = count - done < kPiece ? count - done : kPiece;
        if (!stream.ReadExact(vertices + done, sizeof(MeshVertex), piece))
            return false;
        for (std::size_t i = done; i < done + piece; ++i)
            positions[i] = vertices[i].position;
        done += piece;
    }
    return true;
}
