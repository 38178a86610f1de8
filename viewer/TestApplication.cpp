#include "TestApplication.h"

#include "FrameProfile.h"

#include "foundation/Timer.h"
#include "render/GlApi.h"

#include <new>

TestApplication::~TestApplication() { ReleaseScene(); }

void TestApplication::ReleaseScene()
{
    // The scene points at the animation, so it goes first.
    if (scene != nullptr) {
        delete scene;
        scene = nullptr;
    }
    if (animation != nullptr) {
        delete animation;
        animation = nullptr;
    }
}

bool TestApplication::Init(int w, int h, int bitsPerPixel)
{
    if (!Application::Init(w, h, bitsPerPixel)) return false;

    scene = new (std::nothrow) MeshScene;
    if (scene == nullptr) return Fail("cannot create the mesh scene");
    char reason[FileRefusal::kTextSize];
    if (!scene->Load(kSceneFile)) {
        scene->GetRefusal().Format(reason, sizeof reason);
        return Fail("cannot load the mesh scene \"%s\": %s", kSceneFile, reason);
    }

    animation = new (std::nothrow) KeyframeAnimation;
    if (animation == nullptr) return Fail("cannot create the animation");
    if (!animation->Load(kAnimationFile)) {
        animation->GetRefusal().Format(reason, sizeof reason);
        return Fail("cannot load the animation \"%s\": %s", kAnimationFile, reason);
    }

    if (!scene->SetAnimation(animation))
        return Fail("cannot play the animation \"%s\" on the mesh scene \"%s\" (%d tracks, %d nodes)", kAnimationFile,
                    kSceneFile, animation->GetTrackCount(), scene->GetNodeCount());
    return true;
}

void TestApplication::Shutdown()
{
    ReleaseScene();
    Application::Shutdown();
}

void TestApplication::Update()
{
    Application::Update();
    const float now = Timer(TimerAbsolute);
    animation->Advance(now - frameStatistics.lastUpdateTime);
    {
        ProfileScope scope(ProfileSceneUpdate);
        scene->Update();
    }
    frameStatistics.lastUpdateTime = now;
}

void TestApplication::Render()
{
    Application::Render();
    ProfileScope scope(ProfileSceneRender);
    scene->Render();
    if (frameProfile.FinishDrawing()) gl.glFinish();
}
