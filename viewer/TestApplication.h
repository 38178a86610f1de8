// The viewer's application: plays the mesh scene "2.MES" with the keyframe animation
// "2.KNX", both from the working directory, or the files the command line names (a scene's
// textures are found beside it).
#pragma once

#include "Application.h"

#include "orvex/anim/KeyframeAnimation.h"
#include "orvex/render/ViewFraming.h"
#include "orvex/scene/MeshScene.h"

#include <string>

inline constexpr const char* kSceneFile = "2.MES";
inline constexpr const char* kAnimationFile = "2.KNX";

class TestApplication : public Application {
public:
    TestApplication() = default;
    // Also releases the scene and the animation when Init failed and Shutdown never ran.
    ~TestApplication() override;

    // The base Init, then the scene, the animation and their binding; GetFailure names
    // the file that could not be loaded or bound, with the loader's reason.
    bool Init(int width, int height, int bitsPerPixel) override;
    // Scene, animation (the scene refers to it), then the base Shutdown.
    void Shutdown() override;
    // Input and counting, then the animation by the time since the previous frame, then
    // the scene's bones and skin.
    void Update() override;
    // The base Render, then the scene.
    void Render() override;

    // What Init loads instead of "2.MES" and "2.KNX"; an empty animation leaves the scene in
    // its stored pose. With `fit`, the scene's view is framed so that it fills most of the
    // picture (see ViewFraming). Called before Init.
    void SetPlayback(std::string sceneFile, std::string animationFile, bool fit);

    MeshScene* GetScene() const { return scene; }
    KeyframeAnimation* GetAnimation() const { return animation; }
    const ViewFraming& GetFraming() const { return framing; }

protected:
    void ReleaseScene();

    MeshScene* scene = nullptr;
    KeyframeAnimation* animation = nullptr;

private:
    std::string sceneFile = kSceneFile;
    std::string animationFile = kAnimationFile;
    bool fitScene = false;
    ViewFraming framing;
};
