// load-scene SCENE.mes ANIMATION.knx: loads a scene and its animation with an installed
// engine, without a window, poses it a tenth of a second in and prints what it holds.
#include <orvex/OrvexVersion.h>
#include <orvex/anim/KeyframeAnimation.h>
#include <orvex/render/GlApi.h>
#include <orvex/scene/Material.h>
#include <orvex/scene/MeshScene.h>
#include <orvex/texture/Texture.h>

#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: load-scene SCENE.mes ANIMATION.knx\n");
        return 2;
    }
    // Materials make their GL textures while the scene loads; with no window, a table
    // that does nothing stands in for the driver.
    gl = NoOpGlEntryPoints();

    // A scene names its textures; LoadInFolder finds them beside the scene file.
    MeshScene scene;
    if (!scene.LoadInFolder(argv[1])) {
        char why[FileRefusal::kTextSize];
        scene.GetRefusal().Format(why, sizeof why);
        std::fprintf(stderr, "load-scene: %s refused: %s\n", argv[1], why);
        return 1;
    }
    KeyframeAnimation animation;
    if (!animation.Load(argv[2]) || !scene.SetAnimation(&animation)) {
        std::fprintf(stderr, "load-scene: %s refused or not for this scene\n", argv[2]);
        return 1;
    }
    animation.Advance(0.1f);
    scene.Update();

    long vertices = 0;
    for (std::int32_t m = 0; m < scene.GetMeshCount(); ++m)
        vertices += scene.GetMeshes()[m].GetVertexCount();
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
