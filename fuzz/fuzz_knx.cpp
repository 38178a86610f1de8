// Keyframe animation files through KeyframeAnimation::Load; when the animation loads it
// is advanced (by a step taken from the input's last bytes, which may be any float) and
// played on a fixed 8-node scene, whose binding refuses animations it cannot play. A
// refused file must come with its reason.
#include "FuzzInput.h"

#include "format/MeshWriter.h"
#include "orvex/anim/KeyframeAnimation.h"
#include "orvex/scene/Material.h"
#include "orvex/scene/MeshScene.h"

#include <cstring>

namespace {

MeshScene* scene = nullptr;

// Eight nodes in a chain and a mesh with a vertex on each.
void LoadScene()
{
    using namespace orvex::format;
    SceneDesc desc;
    desc.materials.emplace_back().name = "m";
    MeshDesc& mesh = desc.meshes.emplace_back();
    mesh.name = "mesh";
    for (int i = 0; i < 8; ++i) {
        NodeDesc& node = desc.nodes.emplace_back();
        node.name = "node" + std::to_string(i);
        node.parent = i - 1;
        node.position = {1, 0, 0};
        mesh.vertices.push_back({0, 0, {0, 0, 1}, {1, 1, 1}});
        mesh.nodeIndices.push_back(i);
    }
    mesh.groups.push_back(GroupDesc{"m", {TriangleListDesc{{0, 1, 2}}}});
    const std::vector<std::uint8_t> bytes = EncodeScene(desc);
    scene = new MeshScene;
    if (!scene->Load(FuzzSecondFile(bytes.data(), bytes.size())))
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    FuzzSetUp();
    LoadScene();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    KeyframeAnimation animation;
    if (!animation.Load(FuzzFile(data, size))) {
        CheckRefusal(animation.GetRefusal(), size);
        return 0;
    }
    float step = 0.05f;
    if (size >= sizeof step)
        std::memcpy(&step, data + size - sizeof step, sizeof step);
    animation.Advance(step);
    animation.Advance(0.05f);
    if (scene->SetAnimation(&animation))
        scene->Update();
    animation.SetTime(step); // any time at all, as a tool may set it
    if (scene->SetAnimation(&animation))
        scene->Update();
    scene->SetAnimation(nullptr);
    return 0;
}
