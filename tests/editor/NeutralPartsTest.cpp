// Pieces of the framework and the editor that need no toolkit: pictures drawn in code, names
// from files as text, resource strings, the archive's directions and runtime classes.
#include "FileMessages.h"
#include "framework/Archive.h"
#include "framework/Canvas.h"
#include "framework/Document.h"
#include "framework/FrameWnd.h"
#include "framework/Image.h"
#include "framework/Resources.h"
#include "framework/View.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

TEST(NamesFromFiles, ValidUtf8IsKeptAnythingElseIsLatin1)
{
    EXPECT_EQ(FileNameText("Hüfte"), "Hüfte");
    EXPECT_EQ(FileNameText("\xE6\x9C\xA8"), "\xE6\x9C\xA8"); // a CJK character
    EXPECT_EQ(FileNameText("H\xFC"), "H\xC3\xBC");           // Latin-1 ü
    // Not UTF-8 although they look like it: an overlong '/', a surrogate, a cut sequence and a
    // code point past the last one.
    EXPECT_EQ(FileNameText("\xC0\xAF"), "\xC3\x80\xC2\xAF");
    EXPECT_EQ(FileNameText("\xED\xA0\x80"), "\xC3\xAD\xC2\xA0\xC2\x80");
    EXPECT_EQ(FileNameText("a\xE6\x9C"), "a\xC3\xA6\xC2\x9C");
    EXPECT_EQ(FileNameText("\xF4\x90\x80\x80"), "\xC3\xB4\xC2\x90\xC2\x80\xC2\x80");
    EXPECT_EQ(FileNameText(nullptr), "");
}

TEST(Pictures, ShrinkingAveragesWithAlphaAndCoverageIsPartial)
{
    // Red beside a transparent pixel: half as opaque, still red (no dark fringe).
    fw::Image pair(2, 1);
    pair.At(0, 0) = fw::MakeArgb(255, 255, 0, 0);
    const fw::Image one = pair.Scaled(1, 1);
    EXPECT_EQ(one.At(0, 0), fw::MakeArgb(128, 255, 0, 0));
    EXPECT_TRUE(fw::Image(0, 5).IsNull());

    // A rectangle over the left half of a pixel covers half of its samples.
    fw::Image image(2, 2);
    fw::Canvas canvas(image);
    canvas.Fill(fw::Shape().Rectangle(0, 0, 1.5, 2), fw::Paint::Solid(fw::MakeArgb(255, 0, 0, 255)));
    EXPECT_EQ(fw::AlphaOf(image.At(0, 1)), 255);
    EXPECT_EQ(fw::AlphaOf(image.At(1, 1)), 128);
    EXPECT_EQ(image.At(1, 1) & 0xFFFFFF, 0x0000FFu);

    // Scaled by 2, turned a quarter clockwise about the origin, moved 2 to the right: the unit
    // square covers the pixels (0..1, 0..1) and nothing to its right or below.
    fw::Image turned(4, 4);
    fw::Canvas turning(turned);
    turning.SetTransform(2, 90, 2, 0);
    turning.Fill(fw::Shape().Rectangle(0, 0, 1, 1), fw::Paint::Solid(fw::MakeArgb(255, 1, 2, 3)));
    EXPECT_EQ(fw::AlphaOf(turned.At(0, 0)), 255);
    EXPECT_EQ(fw::AlphaOf(turned.At(1, 1)), 255);
    EXPECT_EQ(fw::AlphaOf(turned.At(2, 0)), 0);
    EXPECT_EQ(fw::AlphaOf(turned.At(0, 2)), 0);
}

TEST(ResourceStrings, FieldsAndPrompts)
{
    const std::string document = "Quorvan\n\nnoname\nMesh Files (*.mes)\n.mes";
    EXPECT_EQ(fw::StringField(document, 0), "Quorvan");
    EXPECT_EQ(fw::StringField(document, 1), "");
    EXPECT_EQ(fw::StringField(document, 4), ".mes");
    EXPECT_EQ(fw::StringField(document, 5), "");
    EXPECT_EQ(fw::StringField(document, -1), "");
    EXPECT_EQ(fw::SplitPrompt("Open an existing document\nOpen").tip, "Open");
    EXPECT_EQ(fw::SplitPrompt("Open this document").tip, "");
}

TEST(Archive, EachDirectionRefusesTheOther)
{
    std::FILE* file = std::tmpfile();
    ASSERT_NE(file, nullptr);
    char byte = 'x';
    fw::Archive storing(file, fw::Archive::Mode::Store);
    EXPECT_EQ(storing.Read(&byte, 1), -1);
    EXPECT_EQ(storing.Write("abc", 3), 3);
    EXPECT_EQ(storing.Write("abc", -1), -1);
    EXPECT_EQ(storing.BytesWritten(), 3);
    std::rewind(file);
    fw::Archive loading(file, fw::Archive::Mode::Load);
    EXPECT_EQ(loading.Write("abc", 3), -1);
    char read[4] = {};
    EXPECT_EQ(loading.Read(read, 4), 3); // the file is shorter than asked
    EXPECT_STREQ(read, "abc");
    std::fclose(file);
}

TEST(RuntimeClasses, KindsAndWhatCanBeMadeByName)
{
    const fw::RuntimeClass* frame = FW_RUNTIME_CLASS(fw::FrameWnd);
    EXPECT_STREQ(frame->className, "FrameWnd");
    EXPECT_TRUE(frame->IsDerivedFrom(FW_RUNTIME_CLASS(fw::Wnd)));
    EXPECT_TRUE(frame->IsDerivedFrom(&fw::CmdTarget::classInfo));
    EXPECT_FALSE(frame->IsDerivedFrom(FW_RUNTIME_CLASS(fw::View)));
    EXPECT_EQ(frame->CreateObject(), nullptr); // the framework's own classes are not made by name
    fw::Document document;
    EXPECT_TRUE(document.IsKindOf(FW_RUNTIME_CLASS(fw::Document)));
    EXPECT_FALSE(document.IsKindOf(FW_RUNTIME_CLASS(fw::Wnd)));
}

} // namespace
