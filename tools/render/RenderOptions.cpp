#include "RenderOptions.h"

#include "CommandLine.h"

#include <cmath>
#include <cstdlib>
#include <utility>

namespace rendertool {

namespace {

const char* const kUsage =
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

bool ParseSeconds(const std::string& text, double* seconds)
{
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (end == text.c_str() || *end || !std::isfinite(value) || value < 0)
        return false;
    *seconds = value;
    return true;
}

// A check that also notes that its option was given.
std::function<bool(const std::string&)> Noting(bool* given, std::function<bool(const std::string&)> parse)
{
    return [given, parse = std::move(parse)](const std::string& text) { return parse(text) && (*given = true); };
}

} // namespace

std::optional<int> ParseRenderOptions(int argc, const char* const* argv, RenderOptions* options, std::FILE* out,
                                      std::FILE* err)
{
    RenderOptions& o = *options;
    bool timeGiven = false, cameraGiven = false, anglesGiven = false;
    cli::CommandLine line("orvex-render", kUsage);
    line.Value("-o", &o.output, "-o needs a file name");
    line.Value("--anim", &o.animation, "--anim needs a .knx file");
    line.Value("--time", Noting(&timeGiven, [&o](const std::string& v) { return ParseSeconds(v, &o.time); }),
               "--time needs a number of seconds, 0 or more");
    line.Value(
        "--size", [&o](const std::string& v) { return ParseSize(v, &o.width, &o.height); },
        "--size needs WIDTHxHEIGHT, each 1 to 8192");
    line.Value("--camera", Noting(&cameraGiven, [&o](const std::string& v) { return ParseCamera(v, &o.camera); }),
               "--camera needs six numbers: AX,AY,AZ,PX,PY,PZ");
    for (const auto& [name, angle] : {std::pair{"--turn", &o.camera.angleY}, std::pair{"--tilt", &o.camera.angleX},
                                      std::pair{"--roll", &o.camera.angleZ}})
        line.Value(name, Noting(&anglesGiven, [angle](const std::string& v) { return ParseDegrees(v, angle); }),
                   std::string(name) + " needs a number of degrees");
    line.Flag("--fit", &o.fit);
    line.Flag("--overlay", &o.overlay);
    line.Flag("--quiet", &o.quiet);
    line.Operands([&o](const std::string& arg) -> std::string {
        if (!o.scene.empty())
            return "more than one scene: " + o.scene + " and " + arg;
        o.scene = arg;
        return "";
    });
    if (const std::optional<int> status = line.Parse(argc, argv, out, err))
        return status;

    if (o.scene.empty())
        return line.Refuse("no scene", err);
    if (o.output.empty())
        return line.Refuse("no output file (-o OUT.png)", err);
    if (cameraGiven && (o.fit || anglesGiven))
        return line.Refuse("--camera gives the whole camera: not with --fit, --turn, --tilt or --roll", err);
    if (timeGiven && o.animation.empty())
        return line.Refuse("--time needs --anim", err);
    return std::nullopt;
}

} // namespace rendertool
