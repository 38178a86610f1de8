// Node poses of the content model: the rest pose and the pose of a clip at any time,
// as full source transforms (scale and shear included).
#pragma once

#include "convert/import/Content.h"

#include <string>
#include <vector>

namespace convert {

// Every node index once, parents before their children, otherwise in source order (a
// node waits only for its parent). False with a message when the parent links form a cycle
// or point outside the node list.
bool ParentsFirstOrder(const Content& content, std::vector<int>* order, std::string* error);

class PoseEvaluator {
public:
    // `clip` may be null (rest pose only). `rootScale` scales the whole scene about its origin.
    PoseEvaluator(const Content& content, const Clip* clip, std::vector<int> order, double rootScale);

    // World transform of every node (indexed like Content::nodes) at `seconds`; with no clip,
    // or when `rest` is true, the rest pose.
    void World(double seconds, bool rest, std::vector<Affine>* world) const;

    const std::vector<int>& Order() const { return order; }

private:
    Affine Local(int node, double seconds, bool rest) const;

    const Content& content;
    const Clip* clip;
    std::vector<int> order;
    double rootScale;
    std::vector<std::vector<int>> channelsOfNode; // indices into clip->channels
};

} // namespace convert
