// The viewer's command line and what it checks before a window opens: its options and files,
// its help and refusals (the rules every program shares are tested on the parser itself), and
// the named files, which are checked, named by their full paths and never move the program.
#include "ViewerCommandLine.h"
#include "TempDir.h"
#include "TestApplication.h"
#include "ViewerScenes.h"

#include "orvex/OrvexVersion.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// What parsing kept and printed, and its status.
struct Parsed {
    std::optional<int> status;
    std::string out, err;
    ViewerOptions options;
};

std::string ReadBack(std::FILE* file)
{
    std::string text;
    std::rewind(file);
    for (int c; (c = std::fgetc(file)) != EOF;)
        text += static_cast<char>(c);
    std::fclose(file);
    return text;
}

Parsed Parse(std::initializer_list<const char*> args)
{
    std::vector<const char*> argv = {"Orvex"};
    argv.insert(argv.end(), args);
    Parsed parsed;
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    parsed.status = ParseViewerCommandLine(static_cast<int>(argv.size()), argv.data(), &parsed.options, out, err);
    parsed.out = ReadBack(out);
    parsed.err = ReadBack(err);
    return parsed;
}

// The files PrepareViewer hands on, the failure it tells, and whether it lets the viewer play.
struct Prepared {
    bool play = false;
    std::string failure;
    ViewerFiles files;
};

Prepared Prepare(std::initializer_list<const char*> args)
{
    const Parsed parsed = Parse(args);
    EXPECT_EQ(parsed.status, std::nullopt) << parsed.err;
    Prepared prepared;
    prepared.play = PrepareViewer(parsed.options, &prepared.files, &prepared.failure);
    return prepared;
}

// Runs each test in a folder of its own and goes back to where it was.
class ViewerStart : public ::testing::Test {
protected:
    void SetUp() override
    {
        start = fs::current_path();
        fs::current_path(dir.Path());
    }
    void TearDown() override { fs::current_path(start); }

    void Touch(const std::string& path) { std::ofstream(dir.File(path)) << "x"; }

    fs::path start;
    TempDir dir;
};

} // namespace

TEST(ViewerCommandLine, FilesAndOptionsInAnyOrder)
{
    struct Case {
        std::initializer_list<const char*> args;
        const char* scene;
        const char* animation;
        bool window, fit;
    };
    const Case cases[] = {
        {{}, "", "", false, false},
        {{"fox.mes"}, "fox.mes", "", false, false},
        {{"fox.mes", "run.knx"}, "fox.mes", "run.knx", false, false},
        {{"--window", "fox.mes", "--fit", "run.knx"}, "fox.mes", "run.knx", true, true},
        {{"--fit"}, "", "", false, true},
        {{"--", "-odd.mes"}, "-odd.mes", "", false, false},
        {{"-"}, "-", "", false, false}, // a lone dash is a file name
    };
    for (const Case& c : cases) {
        const Parsed parsed = Parse(c.args);
        SCOPED_TRACE(c.scene);
        EXPECT_EQ(parsed.status, std::nullopt) << parsed.err;
        EXPECT_EQ(parsed.options.scene, c.scene);
        EXPECT_EQ(parsed.options.animation, c.animation);
        EXPECT_EQ(parsed.options.window, c.window);
        EXPECT_EQ(parsed.options.fit, c.fit);
    }
}

TEST(ViewerCommandLine, HelpVersionAndRefusals)
{
    const Parsed help = Parse({"fox.mes", "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out, ViewerUsage());
    EXPECT_EQ(help.err, "");
    for (const char* option : {"--window", "--fit", "--help", "--version", "SCENE.mes", "ANIMATION.knx"})
        EXPECT_NE(help.out.find(option), std::string::npos) << option;

    const Parsed version = Parse({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, std::string("Orvex ") + ORVEX_VERSION + "\n");

    const struct {
        std::initializer_list<const char*> args;
        const char* why;
    } refused[] = {
        {{"--full"}, "unknown option --full"},
        {{"-w"}, "unknown option -w"},
        {{"--window=no"}, "--window takes no value"},
        {{"a.mes", "b.knx", "c"}, "more files than a scene and an animation: c"},
        {{""}, "an empty file name"},
    };
    for (const auto& r : refused) {
        const Parsed parsed = Parse(r.args);
        EXPECT_EQ(parsed.status, 2) << r.why;
        EXPECT_EQ(parsed.out, "");
        EXPECT_EQ(parsed.err, std::string("Orvex: ") + r.why + "\n" + ViewerUsage());
    }
}

TEST_F(ViewerStart, WithoutASceneThePlayerTakesTheWorkingFoldersSample)
{
    const Prepared prepared = Prepare({"--window"});
    EXPECT_TRUE(prepared.play);
    EXPECT_EQ(prepared.files.scene, kSceneFile);
    EXPECT_EQ(prepared.files.animation, kAnimationFile);
    EXPECT_EQ(prepared.failure, "");
}

TEST_F(ViewerStart, NamedFilesAreTakenByTheirFullPathsAndTheProgramStaysPut)
{
    fs::create_directories(dir.File("models/fox"));
    fs::create_directories(dir.File("clips"));
    Touch("models/fox/fox.mes");
    Touch("clips/run.knx");

    const Prepared prepared = Prepare({"models/fox/fox.mes", "clips/run.knx"});
    ASSERT_TRUE(prepared.play) << prepared.failure;
    EXPECT_EQ(fs::current_path(), fs::path(dir.Path()));
    EXPECT_TRUE(fs::path(prepared.files.scene).is_absolute());
    EXPECT_TRUE(fs::equivalent(prepared.files.scene, dir.File("models/fox/fox.mes")));
    EXPECT_TRUE(fs::equivalent(prepared.files.animation, dir.File("clips/run.knx")));

    // A scene alone: its stored pose, no animation.
    const Prepared still = Prepare({"models/fox/fox.mes"});
    ASSERT_TRUE(still.play);
    EXPECT_EQ(still.files.animation, "");
}

// The line goes to the platform, which shows it as every start-up failure ("Orvex: " and the
// line on stderr, and on Windows a message box as well).
TEST_F(ViewerStart, AFileThatCannotBeReadIsNamedInTheFailure)
{
    Touch("fox.mes");
    fs::create_directories(dir.File("folder.mes"));
    const struct {
        std::initializer_list<const char*> args;
        const char* line;
    } failures[] = {
        {{"missing.mes"}, "cannot open \"missing.mes\": No such file or directory"},
        {{"fox.mes", "missing.knx"}, "cannot open \"missing.knx\": No such file or directory"},
        {{"folder.mes"}, "cannot open \"folder.mes\": it is a folder"},
    };
    for (const auto& failure : failures) {
        const Prepared prepared = Prepare(failure.args);
        EXPECT_FALSE(prepared.play);
        EXPECT_EQ(prepared.failure, failure.line);
        EXPECT_EQ(fs::current_path(), fs::path(dir.Path()));
    }
    // Nothing failed, nothing to say.
    EXPECT_EQ(Prepare({"fox.mes"}).failure, "");
}

// An animation that can be read but whose full path cannot be found (the working folder was
// removed under the program; "../" still reaches its parent) is named itself, not the scene.
TEST_F(ViewerStart, AnAnimationsFullPathFailureNamesTheAnimation)
{
    Touch("run.knx");
    Touch("fox.mes");
    const std::string scene = dir.File("fox.mes");
    fs::create_directories(dir.File("gone"));
    fs::current_path(dir.File("gone"));
    std::error_code removed;
    fs::remove(dir.File("gone"), removed);
    if (removed)
        GTEST_SKIP() << "this system keeps a working folder from being removed";

    const Prepared prepared = Prepare({scene.c_str(), "../run.knx"});
    EXPECT_FALSE(prepared.play);
    EXPECT_EQ(prepared.failure.rfind("cannot find the full path of \"../run.knx\": ", 0), 0u) << prepared.failure;
}
