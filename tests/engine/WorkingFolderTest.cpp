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

std::string Folder(const char* path)
{
    return std::string(SplitPath(path).folder);
}

} // namespace

TEST(SplitPath, FolderAndNameOfAFilesPath)
{
    const struct {
        const char* path;
        const char* folder;
        const char* name;
    } cases[] = {
        {"fox.mes", "", "fox.mes"},   {"models/fox/fox.mes", "models/fox", "fox.mes"},
        {"/fox.mes", "/", "fox.mes"}, {"/srv/fox.mes", "/srv", "fox.mes"},
        {"models/", "models", ""},    {"", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(Folder(c.path), c.folder);
        EXPECT_STREQ(SplitPath(c.path).name, c.name);
    }
    if (fs::path::preferred_separator == '\\') {
        EXPECT_EQ(Folder("models\\fox.mes"), "models");
        EXPECT_EQ(Folder("C:\\fox.mes"), "C:\\");
        EXPECT_STREQ(SplitPath("models\\fox.mes").name, "fox.mes");
    } else {
        EXPECT_EQ(Folder("odd\\name.mes"), ""); // a backslash is part of a Linux file name
    }
}

TEST_F(WorkingFolderTest, EntersForTheScopeAndComesBackOnEveryWayOut)
{
    {
        const WorkingFolder folder((dir / "scenes").string());
        ASSERT_TRUE(folder.Entered()) << folder.GetError();
        EXPECT_STREQ(folder.GetError(), "");
        EXPECT_TRUE(fs::equivalent(fs::current_path(), dir / "scenes"));
    }
    EXPECT_EQ(fs::current_path(), start);

    // An early return leaves the folder as well.
    const auto visit = [this](bool leaveEarly) {
        const WorkingFolder folder((dir / "scenes").string());
        if (leaveEarly)
            return 1;
        return fs::exists("../file.txt") ? 2 : 0;
    };
    EXPECT_EQ(visit(true), 1);
    EXPECT_EQ(fs::current_path(), start);
    EXPECT_EQ(visit(false), 2);
    EXPECT_EQ(fs::current_path(), start);

    // A relative folder is taken from the working folder, and "" stays where it is.
    fs::current_path(dir);
    {
        const WorkingFolder folder("scenes");
        EXPECT_TRUE(folder.Entered());
        EXPECT_TRUE(fs::equivalent(fs::current_path(), dir / "scenes"));
        const WorkingFolder here("");
        EXPECT_TRUE(here.Entered());
        EXPECT_TRUE(fs::equivalent(fs::current_path(), dir / "scenes"));
    }
    EXPECT_TRUE(fs::equivalent(fs::current_path(), dir));
}

TEST_F(WorkingFolderTest, AFolderThatCannotBeEnteredIsAnErrorWithItsReasonAndNothingMoves)
{
    fs::current_path(dir);
    const std::string missing = (dir / "missing").string();
    for (const std::string& folder : {missing, (dir / "file.txt").string()}) {
        SCOPED_TRACE(folder);
        {
            const WorkingFolder entered(folder);
            EXPECT_FALSE(entered.Entered());
            const std::string error = entered.GetError();
            const std::string named = "cannot enter the folder \"" + folder + "\": ";
            EXPECT_EQ(error.rfind(named, 0), 0u) << error;
            EXPECT_GT(error.size(), named.size()) << "no reason given";
            EXPECT_TRUE(fs::equivalent(fs::current_path(), dir));
        }
        EXPECT_TRUE(fs::equivalent(fs::current_path(), dir));
    }
}

TEST_F(WorkingFolderTest, AWorkingFolderThatCannotBeToldIsNotLeft)
{
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
