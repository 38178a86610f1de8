#include "TestApplication.h"

#include "FrameProfile.h"

#include "orvex/foundation/Timer.h"
#include "orvex/render/GlApi.h"

#include <new>

TestApplication::~TestApplication()
{
    ReleaseScene();
}

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
    if (!Application::Init(w, h, bitsPerPixel))
        return false;

    const char* const sceneName = sceneFile.c_str();
    const char* const animationName = animationFile.c_str();
    scene = new (std::nothrow) MeshScene;
    if (scene == nullptr)
        return Fail("cannot create the mesh scene");
    char reason[FileRefusal::kTextSize];
    if (!scene->LoadInFolder(sceneName)) {
        scene->GetRefusal().Format(reason, sizeof reason);
        return Fail("cannot load the mesh scene \"%s\": %s", sceneName, reason);
    }

    if (!animationFile.empty()) {
        animation = new (std::nothrow) KeyframeAnimation;
        if (animation == nullptr)
            return Fail("cannot create the animation");
        if (!animation->Load(animationName)) {
            animation->GetRefusal().Format(reason, sizeof reason);
            return Fail("cannot load the animation \"%s\": %s", animationName, reason);
        }

        if (!scene->SetAnimation(animation))
            return Fail("cannot play the animation \"%s\" on the mesh scene \"%s\" (%d tracks, %d nodes)",
                        animationName, sceneName, animation->GetTrackCount(), scene->GetNodeCount());
    }

    if (fitScene) {
        scene->Update(); // the pose the first frame shows
        framing = FrameScene(*scene, *camera, width, height, kFramingFill);
    }
    return true;
}

void TestApplication::SetPlayback(std::string sceneName, std::string animationName, bool fit)
{
    sceneFile = std::move(sceneName);
    animationFile = std::move(animationName);
    fitScene = fit;
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
    if (animation != nullptr)
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
    framing.Begin();
    scene->Render();
    framing.End();
    if (frameProfile.FinishDrawing())
        gl.glFinish();
}
