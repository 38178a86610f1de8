// The one way the engine changes the working folder: entered for a scope, back afterwards
// whatever happens, and a folder that cannot be entered is an error that says why.
#include "orvex/foundation/WorkingFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;

class WorkingFolderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        start = fs::current_path();
        dir = fs::temp_directory_path() / ("orvex-workingfolder-" + std::to_string(::getpid()));
        fs::create_directories(dir / "scenes");
        std::ofstream(dir / "file.txt") << "x";
    }
    void TearDown() override
    {
        fs::current_path(start);
        fs::remove_all(dir);
    }

    fs::path start, dir;
};

} // namespace

TEST(SplitPath, FolderAndNameOfAFilesPath)
{
    const bool windows = fs::path::preferred_separator == '\\';
    const struct {
        const char* path;
        const char* folder;
        const char* name;
    } cases[] = {
        {"fox.mes", "", "fox.mes"},
        {"models/fox/fox.mes", "models/fox", "fox.mes"},
        {"/fox.mes", "/", "fox.mes"}, // the root keeps its separator
        {"models/", "models", ""},
        {"models\\fox.mes", windows ? "models" : "", windows ? "fox.mes" : "models\\fox.mes"},
        {"C:\\fox.mes", windows ? "C:\\" : "", windows ? "fox.mes" : "C:\\fox.mes"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SplitPath(c.path).folder, c.folder) << c.path;
        EXPECT_STREQ(SplitPath(c.path).name, c.name) << c.path;
    }
}

TEST_F(WorkingFolderTest, EntersForTheScopeAndComesBackOnEveryWayOut)
{
    const auto visit = [this](const std::string& folder, bool leaveEarly) {
        const WorkingFolder entered(folder);
        if (leaveEarly || !entered.Entered())
            return 1;
        return fs::exists("../file.txt") ? 2 : 0;
    };
    EXPECT_EQ(visit((dir / "scenes").string(), false), 2);
    EXPECT_EQ(fs::current_path(), start);
    EXPECT_EQ(visit((dir / "scenes").string(), true), 1);
    EXPECT_EQ(fs::current_path(), start);

    // A relative folder is taken from the working folder, and "" stays where it is.
    fs::current_path(dir);
    {
        const WorkingFolder folder("scenes");
        const WorkingFolder here("");
        EXPECT_TRUE(folder.Entered() && here.Entered());
        EXPECT_STREQ(here.GetError(), "");
        EXPECT_TRUE(fs::equivalent(fs::current_path(), dir / "scenes"));
    }
    EXPECT_TRUE(fs::equivalent(fs::current_path(), dir));
}

TEST_F(WorkingFolderTest, AFolderThatCannotBeEnteredIsAnErrorWithItsReasonAndNothingMoves)
{
    fs::current_path(dir);
    for (const fs::path& folder : {dir / "missing", dir / "file.txt"}) {
        {
            const WorkingFolder entered(folder.string());
            EXPECT_FALSE(entered.Entered());
            const std::string error = entered.GetError();
            const std::string named = "cannot enter the folder \"" + folder.string() + "\": ";
            EXPECT_EQ(error.rfind(named, 0), 0u) << error;
            EXPECT_GT(error.size(), named.size()) << "no reason given";
        }
        EXPECT_TRUE(fs::equivalent(fs::current_path(), dir));
    }

    // A working folder removed under the program: the way back is unknown, so nothing moves.
    fs::create_directories(dir / "gone");
    fs::current_path(dir / "gone");
    std::error_code removed;
    fs::remove(dir / "gone", removed);
    if (removed)
        GTEST_SKIP() << "this system keeps a working folder from being removed";
    const WorkingFolder folder((dir / "scenes").string());
    EXPECT_FALSE(folder.Entered());
    EXPECT_NE(std::string(folder.GetError()).find("come back"), std::string::npos) << folder.GetError();
    std::error_code ec;
    const fs::path now = fs::current_path(ec);
    EXPECT_TRUE(ec) << "the working folder moved to " << now;
}
