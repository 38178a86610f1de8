#include "orvex/scene/CheckedRead.h"

#include "orvex/scene/SceneElements.h"

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

// Names the first value of the piece that is out of range; only runs once a piece failed.
bool RefuseIndex(FileStream& stream, const std::int32_t* piece, std::size_t done, std::size_t size, std::uint32_t limit,
                 const IndexRule& rule)
{
    for (std::size_t i = 0; i < size; ++i) {
        if (static_cast<std::uint32_t>(piece[i]) < limit)
            continue;
        const std::size_t back = (size - i) * sizeof(std::int32_t);
        const long long number = static_cast<long long>(done + i);
        if (rule.owner[0] != '\0')
            return stream.Refuse(back, "%s %d of %s %lld is not below the %s %u", rule.index,
                                 static_cast<int>(piece[i]), rule.owner, number, rule.limit,
                                 static_cast<unsigned>(limit));
        return stream.Refuse(back, "%s %d is not below the %s %u", rule.index, static_cast<int>(piece[i]), rule.limit,
                             static_cast<unsigned>(limit));
    }
    return false;
}

} // namespace

bool ReadIndicesBelow(FileStream& stream, std::int32_t* out, std::size_t count, std::uint32_t limit,
                      const IndexRule& rule)
{
    constexpr std::size_t kPiece = kPieceBytes / sizeof(std::int32_t);
    for (std::size_t done = 0; done < count;) {
        const std::size_t piece = count - done < kPiece ? count - done : kPiece;
        if (!stream.ReadExact(out + done, sizeof(std::int32_t), piece))
            return stream.Refuse(0, "the file ends inside the %s", rule.list);
        if (MaxUnsigned(out + done, piece) >= limit)
            return RefuseIndex(stream, out + done, done, piece, limit, rule);
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
            return stream.Refuse(0, "the file ends inside the vertices");
        for (std::size_t i = done; i < done + piece; ++i)
            positions[i] = vertices[i].position;
        done += piece;
    }
    return true;
}
