// The JSON type the glTF exporter builds its document with: keys stay in the order they are
// set, and numbers are single precision like every number the engine holds, so each is
// printed in the fewest digits that read back as the same float.
#pragma once

#include <nlohmann/json.hpp>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace convert {

using GltfJson =
    nlohmann::basic_json<nlohmann::ordered_map, std::vector, std::string, bool, std::int64_t, std::uint64_t, float>;

} // namespace convert
