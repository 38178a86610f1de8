#include "convert/bake/Pose.h"

#include "convert/import/Sampler.h"

#include <queue>

namespace convert {

bool ParentsFirstOrder(const Content& content, std::vector<int>* order, std::string* error)
{
    int n = static_cast<int>(content.nodes.size());
    std::vector<std::vector<int>> children(n);
    std::priority_queue<int, std::vector<int>, std::greater<int>> ready;
    for (int i = 0; i < n; ++i) {
        int p = content.nodes[i].parent;
        if (p < -1 || p >= n || p == i) {
            *error = "node " + std::to_string(i) + " has an invalid parent";
            return false;
        }
        if (p < 0)
            ready.push(i);
        else
            children[p].push_back(i);
    }
    order->clear();
    order->reserve(n);
    // Always take the lowest-numbered node whose parent is placed: source order wherever
    // the source already lists parents first.
    while (!ready.empty()) {
        int i = ready.top();
        ready.pop();
        order->push_back(i);
        for (int c : children[i])
            ready.push(c);
    }
    if (static_cast<int>(order->size()) != n) {
        *error = "the node hierarchy contains a cycle";
        return false;
    }
    return true;
}

PoseEvaluator::PoseEvaluator(const Content& content, const Clip* clip, std::vector<int> order, double rootScale)
    : content(content), clip(clip), order(std::move(order)), rootScale(rootScale), channelsOfNode(content.nodes.size())
{
    if (clip) {
        for (std::size_t c = 0; c < clip->channels.size(); ++c) {
            int node = clip->channels[c].node;
            if (node >= 0 && node < static_cast<int>(content.nodes.size()) && ChannelIsValid(clip->channels[c]))
                channelsOfNode[node].push_back(static_cast<int>(c));
        }
    }
}

Affine PoseEvaluator::Local(int node, double seconds, bool rest) const
{
    const Node& n = content.nodes[node];
    if (rest || channelsOfNode[node].empty())
        return n.restMatrix;
    Trs trs = n.rest;
    for (int c : channelsOfNode[node]) {
        const Channel& channel = clip->channels[c];
        double v[4];
        SampleChannel(channel, seconds, v);
        switch (channel.target) {
        case Target::Translation:
            trs.translation = {v[0], v[1], v[2]};
            break;
        case Target::Rotation:
            trs.rotation = {v[0], v[1], v[2], v[3]};
            break;
        case Target::Scale:
            trs.scale = {v[0], v[1], v[2]};
            break;
        }
    }
    return FromTrs(trs.translation, trs.rotation, trs.scale);
}

void PoseEvaluator::World(double seconds, bool rest, std::vector<Affine>* world) const
{
    world->resize(content.nodes.size());
    for (int i : order) {
        Affine local = Local(i, seconds, rest || !clip);
        int p = content.nodes[i].parent;
        (*world)[i] = p < 0 ? Multiply(Scaling(rootScale), local) : Multiply((*world)[p], local);
    }
}

} // namespace convert
