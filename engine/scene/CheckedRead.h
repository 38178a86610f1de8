/// @file
/// Reading index arrays and vertex records in cache-sized pieces, checking each piece while
/// it is still in cache: a second pass over a large array afterwards would cost about as
/// much as reading it.
#pragma once

#include "orvex/foundation/FileStream.h"
#include "orvex/math/MathLib.h"

#include <cstddef>
#include <cstdint>

struct MeshVertex;

/// What an index read by ReadIndicesBelow indexes, for the reason of a refusal.
struct IndexRule {
    const char* index; ///< "index", "node index"
    const char* list;  ///< "indices", "node indices"
    const char* owner; ///< "" or "vertex": the record each index belongs to, numbered
    const char* limit; ///< "vertex count", "node count"
};

/// Reads `count` i32 values into `out`; false when the file ends first or a value is
/// negative or not below `limit`, with the reason noted at the first such value.
bool ReadIndicesBelow(FileStream& stream, std::int32_t* out, std::size_t count, std::uint32_t limit,
                      const IndexRule& rule);

/// Reads `count` vertex records into `vertices` and copies each position into `positions`;
/// false when the file ends first.
bool ReadVertices(FileStream& stream, MeshVertex* vertices, Vector3* positions, std::size_t count);
