// Renders a scene, posed at a time of its animation, to a PNG file with no display: the
// engine's device on an offscreen surface, the viewer's camera, one frame read back.
//   orvex-render-png SCENE.mes ANIMATION.knx SECONDS OUT.png
#include <orvex/anim/KeyframeAnimation.h>
#include <orvex/render/Camera.h>
#include <orvex/render/HeadlessSurface.h>
#include <orvex/scene/MeshScene.h>

#include <stb_image_write.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    char* end = nullptr;
    const double seconds = argc == 5 ? std::strtod(argv[3], &end) : -1;
    if (argc != 5 || *end != '\0' || !(seconds >= 0)) {
        std::fprintf(stderr, "usage: orvex-render-png SCENE.mes ANIMATION.knx SECONDS OUT.png\n");
        return 2;
    }
    const int width = 640, height = 480;
    // A created device with the engine's default state and a full-surface viewport.
    auto surface = MakeHeadlessSurface(width, height);
    if (!surface->Ready()) {
        std::fprintf(stderr, "orvex-render-png: no offscreen GL surface\n");
        return 1;
    }
    KeyframeAnimation animation;
    MeshScene scene; // refers to the animation, so it goes first
    if (!scene.LoadInFolder(argv[1]) || !animation.Load(argv[2]) || !scene.SetAnimation(&animation)) {
        std::fprintf(stderr, "orvex-render-png: %s with %s cannot be loaded\n", argv[1], argv[2]);
        return 1;
    }
    // Advance takes steps of at most a tenth of a second (a stall moves the animation by two
    // frames at most), so a longer time is played in such steps.
    for (double left = seconds; left > 0; left -= KeyframeAnimation::kMaxStep)
        animation.Advance(static_cast<float>(left < KeyframeAnimation::kMaxStep ? left : KeyframeAnimation::kMaxStep));
    scene.Update(); // bones from the keys, then the skinning

    // The viewer's view: 10 units in front of the scene's origin, looking at it.
    Camera camera;
    camera.positionZ = 10.0f;
    GlDevice& device = surface->Device();
    device.BeginFrame();
    device.SetPerspective(width, height);
    camera.Apply();
    scene.Render();
    const std::vector<std::uint8_t> rgba = surface->ReadPixels(); // before EndFrame swaps it away
    device.EndFrame();

    if (rgba.empty() || !stbi_write_png(argv[4], width, height, 4, rgba.data(), width * 4)) {
        std::fprintf(stderr, "orvex-render-png: cannot write %s\n", argv[4]);
        return 1;
    }
    std::printf("%s: frame %.2f of %u\n", argv[4], animation.GetTime(), animation.GetFrameCount());
    return 0;
}
