// Inspects a scene and its animation without a window: the engine loads them on an offscreen
// GL surface, with the scene's textures found beside it, and one line tells what they hold.
//   orvex-inspect SCENE.mes ANIMATION.knx
#include <orvex/OrvexVersion.h>
#include <orvex/anim/KeyframeAnimation.h>
#include <orvex/render/HeadlessSurface.h>
#include <orvex/scene/Material.h>
#include <orvex/scene/MeshScene.h>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: orvex-inspect SCENE.mes ANIMATION.knx\n");
        return 2;
    }
    // Textures are GL objects, so a scene loads under a current context; this one is never shown.
    auto surface = MakeHeadlessSurface(16, 16);
    if (!surface->Ready()) {
        std::fprintf(stderr, "orvex-inspect: no offscreen GL surface\n");
        return 1;
    }

    // LoadInFolder finds the textures the scene names in the scene file's own folder.
    // The scene points at the animation without owning it, so it is declared after it and
    // goes first.
    KeyframeAnimation animation;
    MeshScene scene;
    char why[FileRefusal::kTextSize];
    if (!scene.LoadInFolder(argv[1])) {
        scene.GetRefusal().Format(why, sizeof why);
        std::fprintf(stderr, "orvex-inspect: %s refused: %s\n", argv[1], why);
        return 1;
    }
    if (!animation.Load(argv[2])) {
        animation.GetRefusal().Format(why, sizeof why);
        std::fprintf(stderr, "orvex-inspect: %s refused: %s\n", argv[2], why);
        return 1;
    }
    if (!scene.SetAnimation(&animation)) {
        std::fprintf(stderr, "orvex-inspect: %s has more tracks than the scene has nodes\n", argv[2]);
        return 1;
    }
    // A tenth of a second in: two frames at 20 frames per second.
    animation.Advance(0.1f);
    scene.Update();

    long vertices = 0;
    for (int m = 0; m < scene.GetMeshCount(); ++m)
        vertices += scene.GetMeshes()[m].GetVertexCount();
    // Materials live in one registry for the whole program, shared by every scene loaded.
    int textured = 0;
    for (Material* material = GetMaterials(); material != nullptr;
         material = static_cast<Material*>(material->GetNext()))
        textured += material->GetTexture() != nullptr;
    std::printf("Orvex %s: %d nodes, %d meshes, %ld vertices, %d of %d materials textured, "
                "%u frames, at frame %.1f\n",
                ORVEX_VERSION, scene.GetNodeCount(), scene.GetMeshCount(), vertices, textured, GetMaterialCount(),
                animation.GetFrameCount(), animation.GetTime());
    return 0;
}
