// orvex-render: draws a scene without a window (SDL's offscreen driver, real GL) with the
// engine's own device, camera, scene, animation and font, and writes the picture as PNG.
#include "CameraSetup.h"

#include "orvex/render/HeadlessSurface.h"

#include "orvex/anim/KeyframeAnimation.h"
#include "orvex/render/BitmapFont.h"
#include "orvex/render/Camera.h"
#include "orvex/render/ViewFraming.h"
#include "orvex/scene/MeshScene.h"

#include "orvex/OrvexVersion.h"

#include <stb_image_write.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

namespace {

const char* const Usage =
    "usage: orvex-render SCENE.mes [--anim FILE.knx [--time SECONDS]] [--size WxH]\n"
    "                   [--fit] [--turn DEG] [--tilt DEG] [--roll DEG] [--overlay] [--quiet] -o OUT.png\n"
    "       orvex-render SCENE.mes ... --camera AX,AY,AZ,PX,PY,PZ ... -o OUT.png\n"
    "\n"
    "Renders a mesh scene offscreen with the engine's renderer and writes a PNG. The camera\n"
    "is the viewer's: 10 units in front of the scene's origin, looking at it.\n"
    "\n"
    "  --anim FILE.knx   binds the animation; --time plays it that many seconds (looping)\n"
    "  --time SECONDS    playback time, default 0\n"
    "  --size WxH        picture size, default 1024x768 (the viewer's)\n"
    "  --fit             frames the scene whatever its size: its view is scaled about its\n"
    "                    middle until it fills most of the picture, seen as turned\n"
    "  --turn DEG        turns the scene about its vertical axis (positive: its front turns\n"
    "                    to your right)\n"
    "  --tilt DEG        then tilts it towards you (positive: seen from above)\n"
    "  --roll DEG        rolls it about the line of sight first (positive: counterclockwise)\n"
    "  --camera ...      the whole camera instead: angles in degrees (tilt, turn, roll) and\n"
    "                    position; not with --fit, --turn, --tilt or --roll\n"
    "  --overlay         draws the viewer's two text lines (driver name, then the time)\n"
    "  -o OUT.png        the picture to write\n"
    "  --quiet           prints nothing when the picture is written (failures still\n"
    "                    go to the error output)\n"
    "  -h, --help        prints this text\n"
    "  --version         prints the version\n"
    "\n"
    "A framed three-quarter view:\n"
    "  orvex-render fox.mes --fit --turn -35 --tilt 25 --size 256x256 -o fox.png\n";

int UsageError(const std::string& message)
{
    std::fprintf(stderr, "orvex-render: %s\n%s", message.c_str(), Usage);
    return 2;
}

int Fail(const std::string& message)
{
    std::fprintf(stderr, "orvex-render: %s\n", message.c_str());
    return 1;
}

struct Options {
    std::string scene, animation, output;
    double time = 0;
    bool timeGiven = false;
    int width = 1024, height = 768;
    bool fit = false, cameraGiven = false, anglesGiven = false, overlay = false, quiet = false;
    rendertool::CameraSetup camera;
};

bool ParseSize(const std::string& text, int* width, int* height)
{
    char* end = nullptr;
    long w = std::strtol(text.c_str(), &end, 10);
    if (end == text.c_str() || (*end != 'x' && *end != 'X'))
        return false;
    const char* rest = end + 1;
    long h = std::strtol(rest, &end, 10);
    if (end == rest || *end || w < 1 || h < 1 || w > 8192 || h > 8192)
        return false;
    *width = static_cast<int>(w);
    *height = static_cast<int>(h);
    return true;
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

} // namespace

int main(int argc, char** argv)
{
    auto start = std::chrono::steady_clock::now();
    Options o;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        auto value = [&](std::string* out) {
            if (i + 1 >= argc)
                return false;
            *out = argv[++i];
            return true;
        };
        std::string v;
        if (arg == "-h" || arg == "--help") {
            std::fputs(Usage, stdout);
            return 0;
        } else if (arg == "--version") {
            std::printf("orvex-render %s\n", ORVEX_VERSION);
            return 0;
        } else if (arg == "--quiet") {
            o.quiet = true;
        } else if (arg == "-o") {
            if (!value(&o.output))
                return UsageError("-o needs a file name");
        } else if (arg == "--anim") {
            if (!value(&o.animation))
                return UsageError("--anim needs a .knx file");
        } else if (arg == "--time") {
            char* end = nullptr;
            if (!value(&v) || (o.time = std::strtod(v.c_str(), &end), end == v.c_str() || *end) ||
                !std::isfinite(o.time) || o.time < 0)
                return UsageError("--time needs a number of seconds, 0 or more");
            o.timeGiven = true;
        } else if (arg == "--size") {
            if (!value(&v) || !ParseSize(v, &o.width, &o.height))
                return UsageError("--size needs WIDTHxHEIGHT, each 1 to 8192");
        } else if (arg == "--fit") {
            o.fit = true;
        } else if (arg == "--camera") {
            if (!value(&v) || !rendertool::ParseCamera(v, &o.camera))
                return UsageError("--camera needs six numbers: AX,AY,AZ,PX,PY,PZ");
            o.cameraGiven = true;
        } else if (arg == "--turn" || arg == "--tilt" || arg == "--roll") {
            float* angle = arg == "--turn" ? &o.camera.angleY : arg == "--tilt" ? &o.camera.angleX : &o.camera.angleZ;
            if (!value(&v) || !rendertool::ParseDegrees(v, angle))
                return UsageError(arg + " needs a number of degrees");
            o.anglesGiven = true;
        } else if (arg == "--overlay") {
            o.overlay = true;
        } else if (arg.size() > 1 && arg[0] == '-') {
            return UsageError("unknown option " + arg);
        } else if (o.scene.empty()) {
            o.scene = arg;
        } else {
            return UsageError("more than one scene: " + o.scene + " and " + arg);
        }
    }
    if (o.scene.empty())
        return UsageError("no scene");
    if (o.output.empty())
        return UsageError("no output file (-o OUT.png)");
    if (o.cameraGiven && (o.fit || o.anglesGiven))
        return UsageError("--camera gives the whole camera: not with --fit, --turn, --tilt or --roll");
    if (o.timeGiven && o.animation.empty())
        return UsageError("--time needs --anim");

    // Relative paths must survive the change into the scene's folder below.
    std::error_code ec;
    std::filesystem::path scenePath = std::filesystem::absolute(o.scene, ec);
    std::filesystem::path output = std::filesystem::absolute(o.output, ec);
    std::filesystem::path animationPath =
        o.animation.empty() ? std::filesystem::path{} : std::filesystem::absolute(o.animation, ec);

    const auto surface = MakeHeadlessSurface(o.width, o.height);
    if (!surface->Ready())
        return Fail("cannot open an offscreen GL surface of " + std::to_string(o.width) + "x" +
                    std::to_string(o.height));
    double setupSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    // The scene's textures are found relative to the working folder, as in the viewer.
    auto scene = std::make_unique<MeshScene>();
    std::filesystem::path saved = std::filesystem::current_path(ec);
    std::filesystem::current_path(scenePath.parent_path(), ec);
    bool loaded = scene->Load(scenePath.filename().string().c_str());
    std::filesystem::current_path(saved, ec);
    if (!loaded)
        return Fail(o.scene + ": refused by the scene loader (orvex-info tells why)");

    std::unique_ptr<KeyframeAnimation> animation;
    if (!animationPath.empty()) {
        animation = std::make_unique<KeyframeAnimation>();
        if (!animation->Load(animationPath.string().c_str()))
            return Fail(o.animation + ": refused by the animation loader (orvex-info tells why)");
        if (!scene->SetAnimation(animation.get()))
            return Fail(o.animation + ": has more tracks than " + o.scene + " has nodes");
        Play(*animation, o.time);
    }
    scene->Update();

    Camera camera;
    camera.angleX = o.camera.angleX;
    camera.angleY = o.camera.angleY;
    camera.angleZ = o.camera.angleZ;
    camera.positionX = o.camera.positionX;
    camera.positionY = o.camera.positionY;
    camera.positionZ = o.camera.positionZ;
    const ViewFraming framing = o.fit ? FrameScene(*scene, camera, o.width, o.height, kFramingFill) : ViewFraming{};

    std::unique_ptr<BitmapFont> font;
    if (o.overlay) {
        font = std::make_unique<BitmapFont>();
        if (!font->Create("Comic Sans MS", 16))
            return Fail("cannot create the overlay font");
    }

    // With the overlay, the picture is the viewer's from its second frame on: the first
    // frame's text leaves the font's texture bound (in GL_REPLACE mode) for the next one.
    GlDevice& device = surface->Device();
    const int frames = font ? 2 : 1;
    for (int frame = 0; frame < frames; ++frame) {
        device.BeginFrame();
        device.SetPerspective(o.width, o.height);
        camera.Apply();
        framing.Begin();
        scene->Render();
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
            if (animation)
                std::snprintf(line, sizeof line, "t = %.2f s (frame %.2f of %u)", o.time, animation->GetTime(),
                              animation->GetFrameCount());
            else
                std::snprintf(line, sizeof line, "rest pose");
            font->SetColor(0xFFFF00);
            font->DrawString(0, 16, line);
            gl.glDisable(GL_BLEND);
        }
        device.EndFrame();
    }

    std::vector<std::uint8_t> rgba = surface->ReadPixels();
    font.reset(); // its texture goes while the context is current
    scene.reset();
    if (rgba.empty())
        return Fail("cannot read the picture back");
    // Opaque picture: keep red, green, blue.
    std::vector<std::uint8_t> rgb(rgba.size() / 4 * 3);
    for (std::size_t p = 0, q = 0; p < rgba.size(); p += 4, q += 3) {
        rgb[q] = rgba[p];
        rgb[q + 1] = rgba[p + 1];
        rgb[q + 2] = rgba[p + 2];
    }
    std::string part = output.string() + ".part";
    // filesystem::rename replaces an existing picture on every system (std::rename does not
    // on Windows).
    std::error_code renamed;
    if (!stbi_write_png(part.c_str(), o.width, o.height, 3, rgb.data(), o.width * 3) ||
        (std::filesystem::rename(part, output, renamed), renamed)) {
        std::remove(part.c_str());
        return Fail(o.output + ": cannot be written");
    }
    if (o.quiet)
        return 0;
    double total = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("wrote %s: %dx%d in %.3f s (GL surface %.3f s)\n", o.output.c_str(), o.width, o.height, total,
                setupSeconds);
    return 0;
}
