// Damaged glTF files, built in code from the shared models: a model's .glb is taken
// apart, one fault is put into its JSON, and the parts are put back together. The same
// table feeds the tests of the reference check and the glTF fuzzer's seeds.
#pragma once

#include <nlohmann/json.hpp>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace tooltest {

struct Glb {
    nlohmann::json json;
    std::vector<std::uint8_t> bin;
};

bool ReadGlb(const std::filesystem::path& path, Glb* glb);
std::vector<std::uint8_t> WriteGlb(const Glb& glb);

// A small model made in code with every kind of reference: a node hierarchy, a skinned
// mesh with a textured material (the picture in a buffer view), a skin and an animation.
Glb SmallModel();

// What the converter does with a damaged file.
enum class Outcome {
    Refused, // the import fails; the message is one of its lines
    Warned,  // converted; the message is a warning (or a dropped line of a clip)
    Noted,   // converted completely; the message is a note
};

struct DamageCase {
    std::string name;  // also the seed's file name
    std::string model; // one of the shared models (binary form)
    std::function<void(nlohmann::json&)> damage;
    Outcome outcome;
    std::string message;
};

// At least one case for every kind of reference a glTF file makes.
const std::vector<DamageCase>& DamageCases();

// The model's .glb with the case's fault put in; empty when the model cannot be read.
std::vector<std::uint8_t> DamagedGlb(const std::filesystem::path& assets, const DamageCase& c);

} // namespace tooltest
