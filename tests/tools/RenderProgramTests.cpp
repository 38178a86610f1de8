// orvex-render run as a program on converted models: the pictures match committed golden
// images within a tolerance, and the properties a golden image could hide (texture the
// right way up, front faces kept, the overlay drawn) are checked pixel by pixel.
//
// To accept new pictures after a deliberate change, run the tests with
// ORVEX_UPDATE_GOLDEN=1: they then write tests/tools/golden/*.png instead of comparing.
#include "TempDir.h"
#include "ToolTestSupport.h"

#include <gtest/gtest.h>

#include <stb_image.h>
#include <stb_image_write.h>

#include <cmath>
#include <cstdlib>
#include <memory>

using namespace tooltest;

namespace {

struct Picture {
    int width = 0, height = 0;
    std::vector<std::uint8_t> rgb;

    std::array<int, 3> At(int x, int y) const
    {
        const std::uint8_t* p = rgb.data() + (static_cast<std::size_t>(y) * width + x) * 3;
        return {p[0], p[1], p[2]};
    }
};

bool LoadPng(const std::string& path, Picture* picture)
{
    int w, h, n;
    std::unique_ptr<stbi_uc, void (*)(void*)> data(stbi_load(path.c_str(), &w, &h, &n, 3), stbi_image_free);
    if (!data)
        return false;
    picture->width = w;
    picture->height = h;
    picture->rgb.assign(data.get(), data.get() + static_cast<std::size_t>(w) * h * 3);
    return true;
}

std::filesystem::path GoldenDir()
{
    return std::filesystem::path(std::getenv("ORVEX_SOURCE_DIR")) / "tests" / "tools" / "golden";
}

// Renders and compares with golden/<name>.png: the mean difference over all channels must
// stay below 1.5 levels and at most 0.5% of the pixels may differ by more than 40 in some
// channel (room for rasteriser rounding, none for a moved or missing surface).
void ExpectGolden(const std::string& name, const std::string& png)
{
    Picture got, want;
    ASSERT_TRUE(LoadPng(png, &got)) << png;
    std::filesystem::path golden = GoldenDir() / (name + ".png");
    if (std::getenv("ORVEX_UPDATE_GOLDEN")) {
        std::filesystem::copy_file(png, golden, std::filesystem::copy_options::overwrite_existing);
        GTEST_SKIP() << "wrote " << golden;
    }
    ASSERT_TRUE(LoadPng(golden.string(), &want)) << "no golden image " << golden;
    ASSERT_EQ(got.width, want.width);
    ASSERT_EQ(got.height, want.height);
    double sum = 0;
    std::size_t far = 0;
    for (std::size_t p = 0; p < got.rgb.size(); p += 3) {
        int worst = 0;
        for (int c = 0; c < 3; ++c) {
            int d = std::abs(got.rgb[p + c] - want.rgb[p + c]);
            sum += d;
            worst = std::max(worst, d);
        }
        far += worst > 40;
    }
    double mean = sum / static_cast<double>(got.rgb.size());
    double farShare = static_cast<double>(far) / (got.rgb.size() / 3);
    EXPECT_LT(mean, 1.5) << name;
    EXPECT_LT(farShare, 0.005) << name;
}

bool IsBackground(const std::array<int, 3>& c)
{
    // The device's clear colour, 0.2 grey.
    return std::abs(c[0] - 51) <= 1 && std::abs(c[1] - 51) <= 1 && std::abs(c[2] - 51) <= 1;
}

} // namespace

// The textured box seen straight on, from the front and from behind. The model's own
// texture coordinates run right to left on its +z face and left to right on its -z face,
// so a viewer that follows them shows the logo mirrored in front and upright, as drawn,
// behind: a blue sky above green hills, the sun top right.
TEST(RenderProgram, TexturedBoxShowsItsPictureAsTheSourceMapsIt)
{
    TempDir dir("render-box");
    ASSERT_EQ(RunTool("orvex-convert", {ModelPath("BoxTextured"), "-o", dir.File("box")}).exitCode, 0);
    struct View {
        const char* name;
        const char* camera;
        bool sunOnTheRight;
    };
    for (const View& v : {View{"front", "0,0,0,0,0,2.2", false}, View{"back", "0,180,0,0,0,2.2", true}}) {
        SCOPED_TRACE(v.name);
        std::string png = dir.File(std::string(v.name) + ".png");
        RunResult r =
            RunTool("orvex-render", {dir.File("box.mes"), "--size", "160x120", "--camera", v.camera, "-o", png});
        ASSERT_EQ(r.exitCode, 0) << r.err;
        Picture p;
        ASSERT_TRUE(LoadPng(png, &p));
        std::array<int, 3> sky = p.At(80, 36), hills = p.At(80, 86);
        EXPECT_GT(sky[2], sky[0] + 60) << "upper half blue";
        EXPECT_GT(hills[1], hills[2] + 30) << "lower half green";
        std::array<int, 3> right = p.At(93, 41), left = p.At(67, 41);
        const std::array<int, 3>& sun = v.sunOnTheRight ? right : left;
        const std::array<int, 3>& empty = v.sunOnTheRight ? left : right;
        EXPECT_TRUE(sun[0] > 150 && std::abs(sun[0] - sun[2]) < 30) << "white sun " << sun[0] << "," << sun[2];
        EXPECT_GT(empty[2], empty[0] + 60) << "sky where the mirrored sun would be";
        EXPECT_TRUE(IsBackground(p.At(2, 2)));
        if (v.sunOnTheRight)
            ExpectGolden("BoxTextured", png);
    }
}

// CesiumMan walking, at two times of its animation, seen from the side.
TEST(RenderProgram, AnimatedFigureAtTwoTimes)
{
    TempDir dir("render-man");
    ASSERT_EQ(RunTool("orvex-convert", {ModelPath("CesiumMan"), "-o", dir.File("man")}).exitCode, 0);
    for (const char* time : {"0.25", "0.75"}) {
        SCOPED_TRACE(time);
        std::string png = dir.File(std::string("man-") + time + ".png");
        RunResult r = RunTool("orvex-render", {dir.File("man.mes"), "--anim", dir.File("man.knx"), "--time", time,
                                               "--size", "128x128", "--camera", "0,90,0,0,0.75,2.6", "-o", png});
        ASSERT_EQ(r.exitCode, 0) << r.err;
        ExpectGolden(std::string("CesiumMan-") + time, png);
    }
}

// --fit frames the whole scene: nothing touches the border and it fills a good part of it;
// --overlay adds the two text lines at the top left.
TEST(RenderProgram, FitFramesTheSceneAndOverlayDrawsText)
{
    TempDir dir("render-fit");
    ASSERT_EQ(RunTool("orvex-convert", {ModelPath("CesiumMan"), "-o", dir.File("man")}).exitCode, 0);
    std::string png = dir.File("fit.png");
    RunResult r = RunTool("orvex-render", {dir.File("man.mes"), "--fit", "--size", "200x150", "--overlay", "-o", png});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    Picture p;
    ASSERT_TRUE(LoadPng(png, &p));
    int top = p.height, bottom = -1;
    for (int y = 40; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x)
            if (!IsBackground(p.At(x, y))) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    EXPECT_LT(bottom, p.height - 1) << "the figure stays inside the picture";
    EXPECT_GT(bottom - top, p.height / 3) << "and fills a good part of it";
    // Cyan driver name (red low, green and blue high) somewhere in the first line.
    bool cyan = false;
    for (int y = 0; y < 16 && !cyan; ++y)
        for (int x = 0; x < p.width && !cyan; ++x) {
            std::array<int, 3> c = p.At(x, y);
            cyan = c[0] < 90 && c[1] > 150 && c[2] > 150;
        }
    EXPECT_TRUE(cyan);
}

// The rows and columns of the picture that are not background, as {left, top, right, bottom};
// right < left when the picture is empty.
std::array<int, 4> ModelBox(const Picture& p)
{
    std::array<int, 4> box{p.width, p.height, -1, -1};
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x)
            if (!IsBackground(p.At(x, y))) {
                box = {std::min(box[0], x), std::min(box[1], y), std::max(box[2], x), std::max(box[3], y)};
            }
    return box;
}

// --fit frames a model whatever its size: the textured box (a unit cube) converted at 0.05 and
// at 500 units spans at least half the picture's height without touching its border, straight
// on and as a three-quarter view. Framing scales the view, not the camera's distance, so both
// sizes give the same picture.
TEST(RenderProgram, FitFramesTinyAndHugeModelsAlikeStraightOnAndThreeQuarter)
{
    TempDir dir("render-sizes");
    for (const char* scale : {"0.05", "500"})
        ASSERT_EQ(RunTool("orvex-convert", {ModelPath("BoxTextured"), "-o", dir.File(std::string("box") + scale),
                                            "--scale", scale, "--center"})
                      .exitCode,
                  0);
    struct View {
        const char* name;
        std::vector<std::string> angles;
    };
    for (const View& view : {View{"straight", {}}, View{"three-quarter", {"--turn", "-35", "--tilt", "25"}}}) {
        Picture pictures[2];
        for (int i = 0; i < 2; ++i) {
            const std::string scale = i == 0 ? "0.05" : "500";
            SCOPED_TRACE(std::string(view.name) + " at " + scale);
            const std::string png = dir.File(std::string(view.name) + scale + ".png");
            std::vector<std::string> args = {dir.File("box" + scale + ".mes"), "--fit", "--size", "200x150", "-o", png};
            args.insert(args.end(), view.angles.begin(), view.angles.end());
            RunResult r = RunTool("orvex-render", args);
            ASSERT_EQ(r.exitCode, 0) << r.err;
            ASSERT_TRUE(LoadPng(png, &pictures[i]));
            const std::array<int, 4> box = ModelBox(pictures[i]);
            EXPECT_GT(box[0], 0);
            EXPECT_GT(box[1], 0);
            EXPECT_LT(box[2], pictures[i].width - 1);
            EXPECT_LT(box[3], pictures[i].height - 1);
            EXPECT_GE(box[3] - box[1] + 1, pictures[i].height / 2) << "rows " << box[1] << " to " << box[3];
        }
        double difference = 0;
        for (std::size_t b = 0; b < pictures[0].rgb.size(); ++b)
            difference += std::abs(pictures[0].rgb[b] - pictures[1].rgb[b]);
        EXPECT_LT(difference / pictures[0].rgb.size(), 1.5) << view.name;
    }
}

// A model without textures keeps its colours in the viewer's steady state, when the overlay
// font's texture is left bound from the frame before: every material brings its own.
TEST(RenderProgram, UntexturedSourceKeepsItsColoursUnderTheOverlay)
{
    TempDir dir("render-colour");
    ASSERT_EQ(RunTool("orvex-convert", {ModelPath("BoxAnimated"), "-o", dir.File("boxes")}).exitCode, 0);
    std::string png = dir.File("boxes.png");
    RunResult r = RunTool("orvex-render", {dir.File("boxes.mes"), "--overlay", "--size", "320x240", "--camera",
                                           "20,30,0,0,1,6", "-o", png});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    Picture p;
    ASSERT_TRUE(LoadPng(png, &p));
    std::array<int, 3> outer = p.At(160, 185), inner = p.At(160, 148);
    // Outer box (0.30, 0.53, 0.80): blue; inner box (0.80, 0.42, 0.80): magenta, seen from above.
    EXPECT_TRUE(outer[2] > outer[1] && outer[1] > outer[0] + 20) << outer[0] << "," << outer[1] << "," << outer[2];
    EXPECT_TRUE(inner[0] > inner[1] + 30 && inner[2] > inner[1] + 30) << inner[0] << "," << inner[1] << "," << inner[2];
}

TEST(RenderProgram, RefusalsAndUsageErrors)
{
    TempDir dir("render-bad");
    RunResult missing = RunTool("orvex-render", {dir.File("none.mes"), "-o", dir.File("x.png")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.err.find("refused") != std::string::npos) << missing.err;
    EXPECT_FALSE(std::filesystem::exists(dir.File("x.png")));
    for (const std::vector<std::string>& args : {std::vector<std::string>{},
                                                 {"a.mes"},
                                                 {"a.mes", "-o", "x.png", "--fit", "--camera", "0,0,0,0,0,5"},
                                                 {"a.mes", "-o", "x.png", "--turn", "30", "--camera", "0,0,0,0,0,5"},
                                                 {"a.mes", "-o", "x.png", "--tilt"},
                                                 {"a.mes", "-o", "x.png", "--roll", "a lot"},
                                                 {"a.mes", "-o", "x.png", "--turn", "inf"},
                                                 {"a.mes", "-o", "x.png", "--size", "0x10"},
                                                 {"a.mes", "-o", "x.png", "--camera", "1,2,3"},
                                                 {"a.mes", "-o", "x.png", "--time", "1"}}) {
        RunResult r = RunTool("orvex-render", args);
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_TRUE(r.err.find("usage: orvex-render") != std::string::npos);
    }
    // --help says what every option does.
    RunResult help = RunTool("orvex-render", {"--help"});
    EXPECT_EQ(help.exitCode, 0);
    for (const char* option : {"--anim", "--time", "--size", "--fit", "--turn", "--tilt", "--roll", "--camera",
                               "--overlay", "-o OUT.png", "-h, --help"})
        EXPECT_NE(help.out.find(std::string("  ") + option), std::string::npos) << option;
}
