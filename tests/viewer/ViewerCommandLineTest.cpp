// The viewer's command line and what it does before a window opens: options, files, help,
// version, refusals, and the move into the scene's folder.
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
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

ViewerOptions Parse(std::initializer_list<const char*> args)
{
    std::vector<const char*> argv = {"Orvex"};
    argv.insert(argv.end(), args);
    return ParseViewerCommandLine(static_cast<int>(argv.size()), argv.data());
}

// What PrepareViewer printed on each stream, the failure it handed back, and its status.
struct Prepared {
    int status = 0;
    std::string out, err, failure;
    ViewerFiles files;
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

Prepared Prepare(const ViewerOptions& options)
{
    Prepared result;
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    result.status = PrepareViewer(options, &result.files, &result.failure, out, err);
    result.out = ReadBack(out);
    result.err = ReadBack(err);
    return result;
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
        const ViewerOptions options = Parse(c.args);
        SCOPED_TRACE(c.scene);
        EXPECT_EQ(options.action, ViewerOptions::Action::Play);
        EXPECT_EQ(options.scene, c.scene);
        EXPECT_EQ(options.animation, c.animation);
        EXPECT_EQ(options.window, c.window);
        EXPECT_EQ(options.fit, c.fit);
    }
}

TEST(ViewerCommandLine, HelpVersionAndRefusals)
{
    EXPECT_EQ(Parse({"-h"}).action, ViewerOptions::Action::Help);
    EXPECT_EQ(Parse({"fox.mes", "--help"}).action, ViewerOptions::Action::Help);
    EXPECT_EQ(Parse({"--version"}).action, ViewerOptions::Action::Version);
    EXPECT_EQ(Parse({"--version", "--help"}).action, ViewerOptions::Action::Help);

    const struct {
        std::initializer_list<const char*> args;
        const char* named;
    } refused[] = {
        {{"--full"}, "unknown option --full"},
        {{"-w"}, "unknown option -w"},
        {{"a.mes", "b.knx", "c"}, "c"},
        {{""}, "empty"},
    };
    for (const auto& r : refused) {
        const ViewerOptions options = Parse(r.args);
        EXPECT_EQ(options.action, ViewerOptions::Action::Usage) << r.named;
        EXPECT_NE(options.error.find(r.named), std::string::npos) << options.error;
    }
}

TEST_F(ViewerStart, HelpAndVersionGoToStandardOutputAUsageErrorToStandardErrorWithStatusTwo)
{
    const Prepared help = Prepare(Parse({"--help"}));
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out, ViewerUsage());
    EXPECT_EQ(help.err, "");
    for (const char* option : {"--window", "--fit", "--help", "--version", "SCENE.mes", "ANIMATION.knx"})
        EXPECT_NE(help.out.find(option), std::string::npos) << option;

    const Prepared version = Prepare(Parse({"--version"}));
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, std::string("Orvex ") + ORVEX_VERSION + "\n");

    const Prepared usage = Prepare(Parse({"--bogus"}));
    EXPECT_EQ(usage.status, 2);
    EXPECT_EQ(usage.out, "");
    EXPECT_EQ(usage.err, std::string("Orvex: unknown option --bogus\n") + ViewerUsage());
    EXPECT_EQ(fs::current_path(), fs::path(dir.Path()));
}

TEST_F(ViewerStart, WithoutAScenePlaysTheWorkingFoldersSampleWhereItIs)
{
    const Prepared prepared = Prepare(Parse({"--window"}));
    EXPECT_EQ(prepared.status, -1);
    EXPECT_EQ(prepared.files.scene, kSceneFile);
    EXPECT_EQ(prepared.files.animation, kAnimationFile);
    EXPECT_EQ(fs::current_path(), fs::path(dir.Path()));
    EXPECT_EQ(prepared.err, "");
}

TEST_F(ViewerStart, ANamedSceneMakesItsFolderTheWorkingFolderAndKeepsTheAnimationFound)
{
    fs::create_directories(dir.File("models/fox"));
    fs::create_directories(dir.File("clips"));
    Touch("models/fox/fox.mes");
    Touch("clips/run.knx");

    const Prepared prepared = Prepare(Parse({"models/fox/fox.mes", "clips/run.knx"}));
    ASSERT_EQ(prepared.status, -1) << prepared.err;
    EXPECT_EQ(fs::current_path(), fs::canonical(dir.File("models/fox")));
    // Absolute, so they still name the same files from the new folder.
    EXPECT_TRUE(fs::path(prepared.files.scene).is_absolute());
    EXPECT_TRUE(fs::equivalent(prepared.files.scene, dir.File("models/fox/fox.mes")));
    EXPECT_TRUE(fs::equivalent(prepared.files.animation, dir.File("clips/run.knx")));

    // A scene alone: its stored pose, no animation.
    fs::current_path(dir.Path());
    const Prepared still = Prepare(Parse({"models/fox/fox.mes"}));
    ASSERT_EQ(still.status, -1);
    EXPECT_EQ(still.files.animation, "");
}

// The line goes to the platform, which shows it as every start-up failure ("Orvex: " and the
// line on stderr, and on Windows a message box as well).
TEST_F(ViewerStart, AFileThatCannotBeReadEndsWithStatusOneBeforeAnyWindowAndStaysPut)
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
        const Prepared prepared = Prepare(Parse(failure.args));
        EXPECT_EQ(prepared.status, 1);
        EXPECT_EQ(prepared.failure, failure.line);
        EXPECT_EQ(prepared.err, "");
        EXPECT_EQ(fs::current_path(), fs::path(dir.Path()));
    }
    // Nothing failed, nothing to say.
    EXPECT_EQ(Prepare(Parse({"fox.mes"})).failure, "");
}
