// Update and Render run every frame and must not allocate. Every allocation of this test
// program is counted; the scene's frame work must leave the count alone.
#include "Fixtures.h"

#include "RecordingGl.h"
#include "orvex/anim/KeyframeAnimation.h"
#include "orvex/render/GlCapabilities.h"
#include "orvex/scene/Material.h"
#include "orvex/scene/MeshScene.h"
#include "orvex/texture/Texture.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

// AddressSanitizer brings its own allocator functions; counting is done in plain builds.
#if defined(__SANITIZE_ADDRESS__)
#define ORVEX_COUNT_ALLOCATIONS 0
#else
#define ORVEX_COUNT_ALLOCATIONS 1
#endif

namespace {
std::atomic<std::size_t> allocations{0};
}

#if ORVEX_COUNT_ALLOCATIONS
// Every form of new ends in one of these two; the other forms keep their standard
// definitions, which forward here.
void* operator new(std::size_t size)
{
    ++allocations;
    if (void* block = std::malloc(size == 0 ? 1 : size))
        return block;
    throw std::bad_alloc();
}

void* operator new[](std::size_t size)
{
    return operator new(size);
}

void operator delete(void* block) noexcept
{
    std::free(block);
}

void operator delete[](void* block) noexcept
{
    operator delete(block);
}

void operator delete(void* block, std::size_t) noexcept
{
    operator delete(block);
}

void operator delete[](void* block, std::size_t) noexcept
{
    operator delete(block);
}
#endif

using namespace fixtures;

TEST(SceneFrame, UpdateAndRenderAllocateNothing)
{
    if (!ORVEX_COUNT_ALLOCATIONS)
        GTEST_SKIP() << "allocations are counted in builds without AddressSanitizer";
    GlEntryPoints saved = gl;
    InstallNoOpGl();
    ClearMaterials();
    TempDir dir;
    SceneDesc desc = TriangleScene();
    desc.nodes.emplace_back().name = "child";
    desc.nodes[1].parent = 0;
    desc.meshes.push_back(LineMesh("line", 30, 1, "m"));
    MeshScene scene;
    ASSERT_TRUE(scene.Load(dir.Write("frame.mes", EncodeScene(desc)).c_str()));
    KeyframeAnimation animation;
    AnimationDesc anim = StepAnimation(2, 5);
    anim.tracks[1].parent = 0;
    ASSERT_TRUE(animation.Load(dir.Write("frame.knx", EncodeAnimation(anim)).c_str()));
    glCapabilities.hasCompiledVertexArray = 1;

    const std::size_t before = allocations.load();
    for (int frame = 0; frame < 10; ++frame) {
        scene.SetAnimation(frame % 2 == 0 ? &animation : nullptr);
        animation.Advance(0.03f);
        scene.Update();
        scene.Render();
    }
    EXPECT_EQ(allocations.load(), before);

    glCapabilities.hasCompiledVertexArray = 0;
    scene.Destroy();
    ClearMaterials();
    gl = saved;
}
