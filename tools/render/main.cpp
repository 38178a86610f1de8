// orvex-render: draws a scene without a window (SDL's offscreen driver, real GL) with the
// engine's own device, camera, scene, animation and font, and writes the picture as PNG.
#include "RenderOptions.h"

#include "orvex/render/HeadlessSurface.h"

#include "orvex/anim/KeyframeAnimation.h"
#include "orvex/render/BitmapFont.h"
#include "orvex/render/Camera.h"
#include "orvex/render/ViewFraming.h"
#include "orvex/scene/MeshScene.h"

#include <stb_image_write.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

using rendertool::RenderOptions;

int Fail(const std::string& message)
{
    std::fprintf(stderr, "orvex-render: %s\n", message.c_str());
    return 1;
}

double SecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

std::string Why(const FileRefusal& refusal)
{
    char text[FileRefusal::kTextSize];
    refusal.Format(text, sizeof text);
    return text;
}

// Plays the animation for `seconds` as the viewer does: steps of at most 0.1 s, the longest
// step Advance takes without clamping, looping over the frames.
void Play(KeyframeAnimation& animation, double seconds)
{
    if (!(seconds > 0))
        return;
    long steps = static_cast<long>(std::ceil(seconds / KeyframeAnimation::kMaxStep - 1e-9));
    float step = static_cast<float>(seconds / static_cast<double>(steps));
    for (long i = 0; i < steps; ++i)
        animation.Advance(step);
}

// The scene (its textures found beside it) posed by its animation at the asked time, or at
// its stored pose. The scene refers to the animation, so it is declared last and goes first.
struct PosedScene {
    std::unique_ptr<KeyframeAnimation> animation;
    std::unique_ptr<MeshScene> scene;
};

bool Pose(const RenderOptions& o, PosedScene* posed, std::string* error)
{
    posed->scene = std::make_unique<MeshScene>();
    if (!posed->scene->LoadInFolder(o.scene.c_str())) {
        *error = o.scene + ": refused by the scene loader: " + Why(posed->scene->GetRefusal());
        return false;
    }
    if (!o.animation.empty()) {
        posed->animation = std::make_unique<KeyframeAnimation>();
        if (!posed->animation->Load(o.animation.c_str())) {
            *error = o.animation + ": refused by the animation loader: " + Why(posed->animation->GetRefusal());
            return false;
        }
        if (!posed->scene->SetAnimation(posed->animation.get())) {
            *error = o.animation + ": has more tracks than " + o.scene + " has nodes";
            return false;
        }
        Play(*posed->animation, o.time);
    }
    posed->scene->Update();
    return true;
}

// With the overlay, the picture is the viewer's from its second frame on: the first frame's
// text leaves the font's texture bound (in GL_REPLACE mode) for the next one.
void Draw(GlDevice& device, const RenderOptions& o, const PosedScene& posed, BitmapFont* font)
{
    Camera camera;
    camera.angleX = o.camera.angleX;
    camera.angleY = o.camera.angleY;
    camera.angleZ = o.camera.angleZ;
    camera.positionX = o.camera.positionX;
    camera.positionY = o.camera.positionY;
    camera.positionZ = o.camera.positionZ;
    const ViewFraming framing =
        o.fit ? FrameScene(*posed.scene, camera, o.width, o.height, kFramingFill) : ViewFraming{};

    for (int frame = 0; frame < (font ? 2 : 1); ++frame) {
        device.BeginFrame();
        device.SetPerspective(o.width, o.height);
        camera.Apply();
        framing.Begin();
        posed.scene->Render();
        framing.End();
        if (font) {
            // The viewer's overlay: driver name in cyan, then a second line in yellow.
            device.SetOrtho(o.width, o.height);
            gl.glEnable(GL_BLEND);
            gl.glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
            const char* driver = device.GetDriverName();
            font->SetColor(0x00FFFF);
            font->DrawString(0, 0, driver ? driver : "");
            char line[96];
            if (posed.animation)
                std::snprintf(line, sizeof line, "t = %.2f s (frame %.2f of %u)", o.time, posed.animation->GetTime(),
                              posed.animation->GetFrameCount());
            else
                std::snprintf(line, sizeof line, "rest pose");
            font->SetColor(0xFFFF00);
            font->DrawString(0, 16, line);
            gl.glDisable(GL_BLEND);
        }
        device.EndFrame();
    }
}

// The picture as an opaque RGB PNG, written under a temporary name and renamed, so that it
// exists only when complete.
bool WritePng(const std::string& path, int width, int height, const std::vector<std::uint8_t>& rgba)
{
    std::vector<std::uint8_t> rgb(rgba.size() / 4 * 3);
    for (std::size_t p = 0, q = 0; p < rgba.size(); p += 4, q += 3) {
        rgb[q] = rgba[p];
        rgb[q + 1] = rgba[p + 1];
        rgb[q + 2] = rgba[p + 2];
    }
    const std::string part = path + ".part";
    // filesystem::rename replaces an existing picture on every system (std::rename does not
    // on Windows).
    std::error_code renamed;
    if (!stbi_write_png(part.c_str(), width, height, 3, rgb.data(), width * 3) ||
        (std::filesystem::rename(part, path, renamed), renamed)) {
        std::remove(part.c_str());
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    const auto start = std::chrono::steady_clock::now();
    RenderOptions o;
    if (const std::optional<int> status = rendertool::ParseRenderOptions(argc, argv, &o))
        return *status;

    const auto surface = MakeHeadlessSurface(o.width, o.height);
    if (!surface->Ready())
        return Fail("cannot open an offscreen GL surface of " + std::to_string(o.width) + "x" +
                    std::to_string(o.height));
    const double setupSeconds = SecondsSince(start);

    PosedScene posed;
    std::string error;
    if (!Pose(o, &posed, &error))
        return Fail(error);
    std::unique_ptr<BitmapFont> font;
    if (o.overlay) {
        font = std::make_unique<BitmapFont>();
        if (!font->Create("Comic Sans MS", 16))
            return Fail("cannot create the overlay font");
    }
    Draw(surface->Device(), o, posed, font.get());

    const std::vector<std::uint8_t> rgba = surface->ReadPixels();
    font.reset(); // textures go while the context is current
    posed.scene.reset();
    if (rgba.empty())
        return Fail("cannot read the picture back");
    if (!WritePng(o.output, o.width, o.height, rgba))
        return Fail(o.output + ": cannot be written");
    if (!o.quiet)
        std::printf("wrote %s: %dx%d in %.3f s (GL surface %.3f s)\n", o.output.c_str(), o.width, o.height,
                    SecondsSince(start), setupSeconds);
    return 0;
}
