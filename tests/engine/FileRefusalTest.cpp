// The refusal record the loaders fill: how the records, the section and the sentence read
// as one line, and the stream helpers that note a reason at the right byte.
#include "TempDir.h"

#include "orvex/foundation/FileRefusal.h"
#include "orvex/foundation/FileStream.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace {

std::string Line(const FileRefusal& refusal)
{
    char text[FileRefusal::kTextSize];
    refusal.Format(text, sizeof text);
    return text;
}

std::string Where(const FileRefusal& refusal)
{
    char text[FileRefusal::kTextSize];
    refusal.FormatWhere(text, sizeof text);
    return text;
}

} // namespace

TEST(FileRefusal, RecordsReadOutermostFirstAndTheSectionStandsInWhenThereAreNone)
{
    FileRefusal refusal;
    EXPECT_FALSE(refusal.IsSet());
    refusal.NoteReason(246, "index %d is not below the vertex count %d", 9, 3);
    refusal.AddRecord("list", 0, nullptr);
    refusal.AddRecord("group", 0, nullptr);
    refusal.AddRecord("mesh", 0, "tri");
    refusal.SetSection(FileSection::Meshes);
    refusal.SetSection(FileSection::Header); // the inner loader's section stands
    EXPECT_EQ(Line(refusal), "mesh 0 \"tri\", group 0, list 0: index 9 is not below the vertex count 3");
    EXPECT_EQ(Where(refusal), "mesh section, mesh 0 \"tri\", group 0, list 0");
    EXPECT_EQ(refusal.GetOffset(), 246);
    EXPECT_EQ(refusal.GetSection(), FileSection::Meshes);

    // A fault in a section's own count names the section; one in the file as a whole names
    // nothing but the sentence.
    refusal.Clear();
    refusal.NoteReason(68, "negative node count -2");
    refusal.SetSection(FileSection::Nodes);
    EXPECT_EQ(Line(refusal), "node section: negative node count -2");
    refusal.Clear();
    refusal.NoteReason(-1, "the file cannot be opened");
    refusal.SetSection(FileSection::File);
    EXPECT_EQ(Line(refusal), "the file cannot be opened");
    EXPECT_EQ(Where(refusal), "file");
    EXPECT_EQ(refusal.GetOffset(), -1);

    refusal.Clear();
    EXPECT_FALSE(refusal.IsSet());
    EXPECT_EQ(refusal.GetRecordCount(), 0u);
    EXPECT_EQ(refusal.GetSection(), FileSection::Unknown);
    EXPECT_EQ(refusal.GetOffset(), -1);
}

// What a caller that noted too little still gets: a sentence, a kind of record, and a line
// that says nothing was noted rather than an empty one.
TEST(FileRefusal, WhatIsLeftUnsaidIsStillSaid)
{
    FileRefusal refusal;
    EXPECT_EQ(Line(refusal), "refused for a reason not noted");
    refusal.AddRecord(nullptr, 3, nullptr);
    EXPECT_EQ(Line(refusal), "record 3: refused for a reason not noted");

    refusal.Clear();
    refusal.NoteReason(7, "%s", "");
    EXPECT_TRUE(refusal.IsSet());
    EXPECT_STREQ(refusal.GetReason(), "refused");
    EXPECT_EQ(refusal.GetOffset(), 7);
}

TEST(FileRefusal, TheFirstReasonStands)
{
    FileRefusal refusal;
    refusal.NoteReason(10, "inner");
    refusal.NoteReason(20, "outer");
    EXPECT_STREQ(refusal.GetReason(), "inner");
    EXPECT_EQ(refusal.GetOffset(), 10);
}

TEST(FileRefusal, NamesWithControlBytesStayOnOneLineAndLongTextsAreCut)
{
    FileRefusal refusal;
    refusal.NoteReason(0, "material \"%s\" is not defined", "a\nb");
    refusal.AddRecord("mesh", 2, "tab\there\x7F");
    EXPECT_EQ(Line(refusal), "mesh 2 \"tab\\x09here\\x7F\": material \"a\\x0Ab\" is not defined");
    EXPECT_STREQ(refusal.GetReason(), "material \"a\nb\" is not defined") << "the sentence itself keeps its bytes";
    char reason[FileRefusal::kTextSize];
    refusal.FormatReason(reason, sizeof reason);
    EXPECT_STREQ(reason, "material \"a\\x0Ab\" is not defined");

    // Bytes of 0x80 and above are left alone: names may be UTF-8 or Latin-1.
    refusal.Clear();
    refusal.NoteReason(0, "x");
    refusal.AddRecord("node", 0, "caf\xC3\xA9");
    EXPECT_EQ(Line(refusal), "node 0 \"caf\xC3\xA9\": x");

    // Every output is terminated, however small the buffer.
    char small[8];
    refusal.Format(small, sizeof small);
    EXPECT_STREQ(small, "node 0 ");
    char one[1] = {'z'};
    refusal.Format(one, sizeof one);
    EXPECT_EQ(one[0], '\0');

    // Names and reasons are bounded; the record of a full-length name and reason fits.
    refusal.Clear();
    const std::string name(79, 'n');
    refusal.NoteReason(0, "%s", std::string(500, 'r').c_str());
    refusal.AddRecord("mesh", 0, name.c_str());
    const std::string line = Line(refusal);
    EXPECT_EQ(line.find("mesh 0 \"" + name + "\": rrr"), 0u);
    EXPECT_EQ(line.size(), std::string("mesh 0 \"\": ").size() + name.size() + FileRefusal::kReasonSize - 1);
}

TEST(FileRefusal, RecordsBeyondTheDepthDropTheInnermost)
{
    FileRefusal refusal;
    refusal.NoteReason(0, "why");
    for (int i = 5; i >= 0; --i) // innermost first
        refusal.AddRecord("level", i, nullptr);
    EXPECT_EQ(refusal.GetRecordCount(), FileRefusal::kMaxDepth);
    EXPECT_EQ(Line(refusal), "level 0, level 1, level 2, level 3: why");
}

class FileStreamRefusal : public ::testing::Test {
protected:
    void SetUp() override { path = dir.File("data.bin"); }
    // Windows removes no file that is still open.
    void TearDown() override { stream.Close(); }

    // Opens a file of these bytes with a fresh record attached.
    void Open(const std::vector<unsigned char>& bytes)
    {
        stream.Close();
        {
            std::ofstream out(path, std::ios::binary | std::ios::trunc);
            out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        }
        refusal.Clear();
        stream.SetRefusal(&refusal);
        ASSERT_TRUE(stream.OpenToRead(path.c_str()));
    }

    TempDir dir{"refusal"};
    std::string path;
    FileRefusal refusal;
    FileStream stream;
};

TEST_F(FileStreamRefusal, NamesThatDoNotFitOrEndEarlyAreRefusedWhereTheyStart)
{
    char buffer[4];
    Open({3, 'a', 'b', 'c', 4, 'w', 'x', 'y', 'z'});
    EXPECT_TRUE(stream.ReadName(buffer, sizeof buffer, "name"));
    EXPECT_STREQ(buffer, "abc");
    EXPECT_FALSE(refusal.IsSet());
    EXPECT_FALSE(stream.ReadName(buffer, sizeof buffer, "name"));
    EXPECT_EQ(Line(refusal), "name of 4 bytes, at most 3 fit");
    EXPECT_EQ(refusal.GetOffset(), 4);

    Open({2, 'a'});
    EXPECT_FALSE(stream.ReadName(buffer, sizeof buffer, "texture name"));
    EXPECT_EQ(Line(refusal), "the file ends inside the texture name");
    EXPECT_EQ(refusal.GetOffset(), 2);

    Open({});
    EXPECT_FALSE(stream.ReadName(buffer, sizeof buffer, "name"));
    EXPECT_EQ(Line(refusal), "the file ends before the name");
    EXPECT_EQ(refusal.GetOffset(), 0);
}

TEST_F(FileStreamRefusal, CountsAreCheckedAgainstTheRestOfTheFile)
{
    Open(std::vector<unsigned char>(4 + 20, 0));
    stream.Seek(4, 0); // as if a count had just been read
    EXPECT_TRUE(stream.CountFits(5, 4, "index"));
    EXPECT_TRUE(stream.CountFits(4, 4, "vertex", 4));
    EXPECT_FALSE(refusal.IsSet());
    EXPECT_FALSE(stream.CountFits(5, 4, "vertex", 4));
    EXPECT_EQ(Line(refusal), "vertex count 5 needs at least 24 bytes, the file has 20 left");
    EXPECT_EQ(refusal.GetOffset(), 0) << "the count stands just before the position";

    refusal.Clear();
    EXPECT_FALSE(stream.CountFits(-3, 4, "group"));
    EXPECT_EQ(Line(refusal), "negative group count -3");

    // The size in the sentence saturates instead of wrapping.
    refusal.Clear();
    EXPECT_FALSE(stream.CountFits(0x7FFFFFFF, std::int64_t(1) << 62, "track"));
    EXPECT_EQ(Line(refusal), "track count 2147483647 needs at least 18446744073709551615 bytes, the file has 20 left");
}

TEST_F(FileStreamRefusal, WithoutARecordNothingIsNotedAndOpeningSaysWhy)
{
    FileStream bare;
    EXPECT_FALSE(bare.Refuse(0, "ignored"));
    EXPECT_FALSE(bare.Within("mesh", 0));
    EXPECT_FALSE(bare.OpenToRead((path + ".missing").c_str()));

    FileStream named;
    named.SetRefusal(&refusal);
    EXPECT_FALSE(named.OpenToRead((path + ".missing").c_str()));
    EXPECT_EQ(Line(refusal), "the file cannot be opened (No such file or directory)");
    EXPECT_EQ(refusal.GetSection(), FileSection::File);
}
