// Animations: a broken channel, sampler or key data costs that channel only.
#include "convert/import/gltfcheck/GltfCheckParts.h"

#include <map>

namespace convert::gltfcheck {

// Whether sampler k of animation a can drive a channel of `target`; a fault is told once
// for each channel it costs.
bool Checker::SamplerFits(int a, int k, const std::string& target, const std::string& channel)
{
    const std::string path = ElementPath(MemberPath(ElementPath("animations", a), "samplers"), k);
    const std::string dropped = channel + " is dropped";
    const Json& sampler = (*Member(List("animations")[a], "samplers"))[k];
    if (!sampler.is_object()) {
        Tell(Outcome::Drop, a, path, NotA(&sampler, "an object"), dropped);
        return false;
    }
    const Json* input = Member(sampler, "input");
    const Json* output = Member(sampler, "output");
    int in = Resolve(input, accessors.size()), result = Resolve(output, accessors.size());
    if (in < 0) {
        Tell(Outcome::Drop, a, MemberPath(path, "input"), NotA(input, "an accessor"), dropped);
        return false;
    }
    if (result < 0) {
        Tell(Outcome::Drop, a, MemberPath(path, "output"), NotA(output, "an accessor"), dropped);
        return false;
    }
    const Role role = target == "rotation" ? Role::Rotation : target == "scale" ? Role::Scale : Role::Translation;
    if (!Read(in, Role::KeyTimes, Outcome::Drop, a, MemberPath(path, "input"), dropped) ||
        !Read(result, role, Outcome::Drop, a, MemberPath(path, "output"), dropped))
        return false;
    std::string mode = "LINEAR";
    if (const Json* interpolation = Member(sampler, "interpolation")) {
        if (interpolation->is_string() &&
            (*interpolation == "LINEAR" || *interpolation == "STEP" || *interpolation == "CUBICSPLINE"))
            mode = interpolation->get<std::string>();
        else
            Tell(Outcome::Drop, a, MemberPath(path, "interpolation"), NotA(interpolation, "an interpolation"),
                 channel + " is read as LINEAR");
    }
    const std::uint64_t keys = accessors[in].count, values = accessors[result].count;
    const std::uint64_t perKey = mode == "CUBICSPLINE" ? 3 : 1;
    if (mode == "CUBICSPLINE" && keys < 2) {
        Tell(Outcome::Drop, a, path, "a CUBICSPLINE sampler needs at least two keys", dropped);
        return false;
    }
    if (values != keys * perKey) {
        Tell(Outcome::Drop, a, path,
             "its output holds " + Decimal(values) + " values for " + Decimal(keys) + " key times" +
                 (perKey == 3 ? " (CUBICSPLINE needs three per key)" : ""),
             dropped);
        return false;
    }
    return true;
}

void Checker::CheckAnimation(int a)
{
    const std::string path = ElementPath("animations", a);
    const Json& animation = List("animations")[a];
    const Json* channels = Member(animation, "channels");
    const Json* samplers = Member(animation, "samplers");
    std::size_t samplerCount = samplers && samplers->is_array() ? samplers->size() : 0;
    samplerBroken[a].assign(samplerCount, 0);
    if (!channels || !channels->is_array() || channels->empty()) {
        out.clipWarnings[a].push_back(MemberPath(path, "channels") + ": " + NotA(channels, "a list of channels") +
                                      "; the animation has nothing to convert");
        animationBroken[a] = 1;
        return;
    }
    out.channelKept[a].assign(channels->size(), 0);
    std::vector<char> samplerUsed(samplerCount, 0);
    std::map<std::pair<int, std::string>, std::size_t> animated; // (node, path) -> first channel
    for (std::size_t c = 0; c < channels->size(); ++c) {
        const std::string channelPath = ElementPath(MemberPath(path, "channels"), c);
        const std::string dropped = channelPath + " is dropped";
        const Json& channel = (*channels)[c];
        const Json* target = Member(channel, "target");
        const Json* targetPath = target ? Member(*target, "path") : nullptr;
        const Json* node = target ? Member(*target, "node") : nullptr;
        const Json* sampler = Member(channel, "sampler");
        int n = Resolve(node, inScene.size()), k = Resolve(sampler, samplerCount);
        const std::string kind = targetPath && targetPath->is_string() ? targetPath->get<std::string>() : "";
        if (!channel.is_object()) {
            Tell(Outcome::Drop, a, channelPath, NotA(&channel, "an object"), dropped);
        } else if (!target || !target->is_object()) {
            Tell(Outcome::Drop, a, MemberPath(channelPath, "target"), NotA(target, "an object"), dropped);
        } else if (kind != "translation" && kind != "rotation" && kind != "scale" && kind != "weights") {
            Tell(Outcome::Drop, a, MemberPath(channelPath, "target.path"), NotA(targetPath, "an animated property"),
                 dropped);
        } else if (n < 0) {
            Tell(Outcome::Drop, a, MemberPath(channelPath, "target.node"), NotA(node, "a node"), dropped);
        } else if (k < 0) {
            Tell(Outcome::Drop, a, MemberPath(channelPath, "sampler"), NotA(sampler, "a sampler of " + path), dropped);
        } else if (!inScene[n]) {
            // Animates a node the conversion leaves out: nothing is lost.
        } else if (kind == "weights") {
            Tell(Outcome::Drop, a, channelPath, "animates morph target weights, which are not converted", dropped);
        } else if (auto [first, fresh] = animated.insert({{n, kind}, c}); !fresh) {
            Tell(Outcome::Drop, a, channelPath,
                 "animates the " + kind + " of nodes[" + Decimal(n) + "] again, after channels[" +
                     Decimal(first->second) + "]",
                 dropped);
        } else {
            samplerUsed[k] = 1;
            out.channelKept[a][c] = SamplerFits(a, k, kind, channelPath);
            if (!out.channelKept[a][c])
                samplerBroken[a][k] = 1;
        }
    }
    // Samplers no converted channel reads: their faults are notes.
    for (std::size_t k = 0; k < samplerCount; ++k) {
        if (samplerUsed[k])
            continue;
        const Json& sampler = (*samplers)[k];
        const std::string samplerPath = ElementPath(MemberPath(path, "samplers"), k);
        if (!sampler.is_object()) {
            Tell(Outcome::Ignore, -1, samplerPath, NotA(&sampler, "an object"), "no converted channel reads it");
            samplerBroken[a][k] = 1;
            continue;
        }
        for (const char* key : {"input", "output"}) {
            const Json* value = Member(sampler, key);
            if (Resolve(value, accessors.size()) < 0) {
                Tell(Outcome::Ignore, -1, MemberPath(samplerPath, key), NotA(value, "an accessor"),
                     "no converted channel reads it");
                samplerBroken[a][k] = 1;
            }
        }
    }
}

} // namespace convert::gltfcheck
