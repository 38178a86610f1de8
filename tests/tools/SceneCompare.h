// Differences between two descriptions of a scene, for tests that expect one set of files to
// reproduce another: names, parents, counts and indices exactly, numbers within a tolerance
// (relative for magnitudes above 1), rotations up to their sign (q and -q turn alike).
#pragma once

#include "format/SceneFiles.h"

#include <string>
#include <vector>

namespace tooltest {

struct CompareOptions {
    double tolerance = 0;
    // Texture names derive from the output's name: compare the pictures a material shows,
    // with or without the names.
    bool textureNames = true;
};

// Empty when `b` reproduces `a`; else the differences found, at most 20, each naming the
// record ("mesh 0 (\"body\") vertex 17 position: 0.5 vs 0.50002").
std::vector<std::string> SceneDifferences(const orvex::format::SceneFiles& a, const orvex::format::SceneFiles& b,
                                          const CompareOptions& options);

} // namespace tooltest
