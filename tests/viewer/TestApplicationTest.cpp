// TestApplication on real GL without a display: it loads "2.MES" and "2.KNX" from the
// working directory, plays the animation by the clock, and refuses every file it cannot
// use with a one-line reason, restoring the display on the way out.
#include "TestApplication.h"
#include "OffscreenViewer.h"
#include "TempDir.h"
#include "ViewerScenes.h"

#include "orvex/scene/Material.h"
#include "orvex/texture/Texture.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <utility>

namespace {

class PlayScene : public OffscreenViewer {
protected:
    void SetUp() override
    {
        OffscreenViewer::SetUp();
        ASSERT_FALSE(dir.Path().empty());
        previous = std::filesystem::current_path();
        std::filesystem::current_path(dir.Path());
        ManualClock::Install(100.0);
    }
    void TearDown() override
    {
        ManualClock::Uninstall();
        std::filesystem::current_path(previous);
        OffscreenViewer::TearDown();
    }

    // The registries outlive scenes; empty them while the context that made the textures
    // is still current, so the next test loads its own.
    static void ClearRegistries()
    {
        ClearMaterials();
        ClearTextures();
    }

    // One frame at `seconds` on the manual clock; the screen afterwards.
    std::vector<Rgb> FrameAt(TestApplication& app, double seconds)
    {
        ManualClock::Set(seconds);
        app.Update();
        app.Render();
        app.Present();
        return ReadScreen(1024, 768);
    }

    TempDir dir;
    std::filesystem::path previous;
};

// Pixels below the overlay that differ between two screens.
int ChangedScenePixels(const std::vector<Rgb>& a, const std::vector<Rgb>& b)
{
    int changed = 0;
    for (std::size_t i = 32 * 1024; i < a.size(); ++i)
        changed += a[i] != b[i];
    return changed;
}

TEST_F(PlayScene, LoadsBindsAndPlaysTheAnimationByTheClock)
{
    std::string error;
    ASSERT_TRUE(WriteBoxScene(dir.Path(), BoxMotion::Turning, &error)) << error;
    TestApplication app;
    app.SetInput(&input);
    ASSERT_TRUE(app.Init(1024, 768, 16)) << app.GetFailure();
    ASSERT_NE(app.GetScene(), nullptr);
    ASSERT_NE(app.GetAnimation(), nullptr);
    EXPECT_EQ(app.GetScene()->GetAnimation(), app.GetAnimation());

    // The first frame hands the whole clock reading to the animation; its step limit
    // (0.1 s, two frames at 20 per second) bounds it.
    const std::vector<Rgb> first = FrameAt(app, 100.0);
    EXPECT_FLOAT_EQ(app.GetAnimation()->GetTime(), 2.0f);
    EXPECT_FLOAT_EQ(frameStatistics.lastUpdateTime, 100.0f);
    // The box in the centre, the overlay at the top left.
    EXPECT_NE(first[384 * 1024 + 512], (Rgb{51, 51, 51}));
    EXPECT_GT(CountTextPixels(first, 1024, 0, 16, {0, 255, 255}), 60);
    EXPECT_GT(CountTextPixels(first, 1024, 16, 32, {255, 255, 0}), 30);

    // Both readings are rounded to float first: 100.05f - 100.0f is 0.0500031.
    const std::vector<Rgb> later = FrameAt(app, 100.05);
    EXPECT_NEAR(app.GetAnimation()->GetTime(), 3.0f, 1e-4f);
    EXPECT_GT(ChangedScenePixels(first, later), 1000);

    // The same clock reading again: no time passes, the picture stays.
    const float time = app.GetAnimation()->GetTime();
    const std::vector<Rgb> again = FrameAt(app, 100.05);
    EXPECT_EQ(app.GetAnimation()->GetTime(), time);
    EXPECT_EQ(ChangedScenePixels(later, again), 0);

    ClearRegistries();
    app.Shutdown();
    EXPECT_EQ(app.GetScene(), nullptr);
    EXPECT_EQ(app.GetAnimation(), nullptr);
    EXPECT_EQ(viewerDevice, nullptr);
    EXPECT_EQ(display.log.back(), "restore");
}

TEST_F(PlayScene, MissingTextureLeavesTheMaterialUntexturedAndStillPlays)
{
    std::string error;
    ASSERT_TRUE(WriteBoxScene(dir.Path(), BoxMotion::Still, &error)) << error;
    std::filesystem::remove(dir.File("box.TGA"));
    TestApplication app;
    EXPECT_TRUE(app.Init(1024, 768, 16)) << app.GetFailure();
    ClearRegistries();
}

// Rows [top, bottom] of the screen below the overlay that show something other than the clear
// colour; bottom < top when there are none.
std::pair<int, int> SceneRows(const std::vector<Rgb>& screen)
{
    int top = 768, bottom = -1;
    for (int y = 32; y < 768; ++y)
        for (int x = 0; x < 1024; ++x)
            if (screen[static_cast<std::size_t>(y) * 1024 + x] != Rgb{51, 51, 51}) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
                break;
            }
    return {top, bottom};
}

// A scene named on the command line, without an animation, shows its stored pose; with fit
// the 4-unit box, 60% of the picture's height seen from 10 units, fills 85% of it.
TEST_F(PlayScene, ANamedSceneWithoutAnimationStandsStillAndFitFillsThePicture)
{
    std::string error;
    ASSERT_TRUE(WriteBoxScene(dir.Path(), BoxMotion::Turning, &error)) << error;
    std::filesystem::rename(dir.File("2.MES"), dir.File("box.mes"));
    std::filesystem::remove(dir.File("2.KNX"));
    std::pair<int, int> plain;
    {
        TestApplication app;
        app.SetInput(&input);
        app.SetPlayback(dir.File("box.mes"), "", false);
        ASSERT_TRUE(app.Init(1024, 768, 16)) << app.GetFailure();
        EXPECT_EQ(app.GetAnimation(), nullptr);
        EXPECT_TRUE(app.GetFraming().IsIdentity());
        const std::vector<Rgb> first = FrameAt(app, 100.0);
        const std::vector<Rgb> later = FrameAt(app, 101.0);
        EXPECT_EQ(ChangedScenePixels(first, later), 0);
        plain = SceneRows(first);
        ASSERT_LT(plain.first, plain.second);
        ClearRegistries();
        app.Shutdown();
    }
    TestApplication app;
    app.SetInput(&input);
    app.SetPlayback(dir.File("box.mes"), "", true);
    ASSERT_TRUE(app.Init(1024, 768, 16)) << app.GetFailure();
    EXPECT_FALSE(app.GetFraming().IsIdentity());
    const std::pair<int, int> fitted = SceneRows(FrameAt(app, 100.0));
    EXPECT_GT(fitted.first, 32);
    EXPECT_LT(fitted.second, 767);
    EXPECT_GT(fitted.second - fitted.first, 768 * 4 / 5);
    EXPECT_GT(fitted.second - fitted.first, plain.second - plain.first + 100);
    // The camera stays the viewer's: the mouse moves it as before.
    EXPECT_FLOAT_EQ(app.GetCamera()->positionZ, 10.0f);
    ClearRegistries();
}

struct BrokenFiles {
    const char* name;
    std::function<bool(const std::string& dir)> make;
    std::vector<std::string> named; // what the failure line must mention: the file and the loader's reason
};

// Test names show the case's name, not its bytes.
void PrintTo(const BrokenFiles& files, std::ostream* out)
{
    *out << files.name;
}

class RefusedFiles : public PlayScene, public ::testing::WithParamInterface<BrokenFiles> {};

TEST_P(RefusedFiles, InitFailsWithOneLineNamingTheFileAndRestoresTheDisplay)
{
    ASSERT_TRUE(GetParam().make(dir.Path()));
    {
        TestApplication app;
        app.SetInput(&input);
        EXPECT_FALSE(app.Init(1024, 768, 16));
        const std::string failure = app.GetFailure();
        for (const std::string& word : GetParam().named)
            EXPECT_NE(failure.find(word), std::string::npos) << failure;
        EXPECT_EQ(failure.find('\n'), std::string::npos) << failure;
        ClearRegistries();
    } // only the destructor runs on this path
    EXPECT_EQ(viewerDevice, nullptr);
    EXPECT_EQ(viewerFont, nullptr);
    ASSERT_EQ(display.log.size(), 2u);
    EXPECT_EQ(display.log.back(), "restore");
}

bool Box(const std::string& dir, BoxMotion motion = BoxMotion::Turning)
{
    std::string error;
    return WriteBoxScene(dir, motion, &error);
}

INSTANTIATE_TEST_SUITE_P(
    Viewer, RefusedFiles,
    ::testing::Values(
        BrokenFiles{"NoFiles",
                    [](const std::string&) { return true; },
                    {"cannot load the mesh scene \"2.MES\": the file cannot be opened (No such file or directory)"}},
        BrokenFiles{"SceneMissing",
                    [](const std::string& d) { return Box(d) && std::filesystem::remove(d + "/2.MES"); },
                    {"cannot load the mesh scene \"2.MES\": the file cannot be opened"}},
        BrokenFiles{"SceneCutInItsHeader",
                    [](const std::string& d) { return Box(d) && TruncateFile(d + "/2.MES", 6); },
                    {"cannot load the mesh scene \"2.MES\": header: the file ends inside the version"}},
        // Mesh "box" holds 24 vertices from byte 126; cut at 900 the file has 774 bytes of them.
        BrokenFiles{"SceneCutInItsMesh",
                    [](const std::string& d) { return Box(d) && TruncateFile(d + "/2.MES", 900); },
                    {"\"2.MES\": mesh 0 \"box\": vertex count 24 needs at least 868 bytes, the file has 774 left"}},
        BrokenFiles{"SceneWithAnIndexOutOfRange",
                    [](const std::string& d) {
                        std::string error;
                        return WriteSceneWithIndexOutOfRange(d, &error);
                    },
                    {"cannot load the mesh scene \"2.MES\": mesh 0 \"tri\", group 0, list 0: index 9 is not below the "
                     "vertex count 3"}},
        BrokenFiles{"AnimationMissing",
                    [](const std::string& d) { return Box(d) && std::filesystem::remove(d + "/2.KNX"); },
                    {"cannot load the animation \"2.KNX\": the file cannot be opened"}},
        BrokenFiles{"AnimationCutInItsKeys",
                    [](const std::string& d) { return Box(d) && TruncateFile(d + "/2.KNX", 200); },
                    {"cannot load the animation \"2.KNX\": track section: track count 1 of 41 frames each needs at "
                     "least 1153 bytes, the file has 179 left"}},
        BrokenFiles{"AnimationWithMoreTracksThanNodes",
                    [](const std::string& d) {
                        std::string error;
                        return Box(d) && WriteTwoTrackAnimation(d, &error);
                    },
                    {"2.KNX", "2 tracks", "1 nodes"}}),
    [](const ::testing::TestParamInfo<BrokenFiles>& info) { return std::string(info.param.name); });

} // namespace
