// The baker's result: the scene's files as the writers take them, and how they relate to
// the content they were made from.
#pragma once

#include "format/SceneFiles.h"

#include <cstddef>
#include <string>
#include <vector>

namespace convert {

struct BakedScene {
    orvex::format::SceneFiles files;

    // The clip the animation was sampled from (when files.animation is set).
    std::string clipName;
    double framesPerSecond = 20;
    double clipDuration = 0; // seconds covered by the source clip

    // How the output relates to the content it came from.
    std::vector<int> contentNodeOfNode; // content node index of each output node
    std::vector<int> nodeOfContentNode; // output node index of each content node
    std::size_t skinnedVertices = 0;
    std::size_t multiInfluenceVertices = 0; // skinned vertices with more than one weight
    std::size_t unweightedVertices = 0;     // skinned vertices without any weight
    std::vector<std::string> warnings;
};

} // namespace convert
