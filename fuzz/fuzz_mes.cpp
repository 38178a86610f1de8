// Mesh scene files through MeshScene::Load, then one frame (update and draw against the
// no-op GL table) on whatever loaded, refused or not. A refusal must come with its reason.
#include "FuzzInput.h"

#include "orvex/render/GlCapabilities.h"
#include "orvex/scene/Material.h"
#include "orvex/scene/MeshScene.h"
#include "orvex/texture/Texture.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    FuzzSetUp();
    glCapabilities.hasCompiledVertexArray = 1;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    {
        MeshScene scene;
        if (!scene.Load(FuzzFile(data, size)))
            CheckRefusal(scene.GetRefusal(), size);
        scene.Update();
        scene.Render();
    }
    // Registries would otherwise grow with every input.
    ClearMaterials();
    ClearTextures();
    return 0;
}
