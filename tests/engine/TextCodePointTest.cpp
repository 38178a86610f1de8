// How every text rasteriser reads its bytes: UTF-8, where a byte that does not start a
// complete, shortest-form sequence stands for the Latin-1 character of its value.
#include "orvex/platform/TextRasterizer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<char32_t> CodePoints(const std::string& bytes)
{
    std::vector<char32_t> out;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* end = p + bytes.size();
    while (p < end)
        out.push_back(NextTextCodePoint(p, end));
    return out;
}

struct Row {
    const char* what;
    std::string bytes;
    std::vector<char32_t> expected;
};

TEST(TextCodePoint, Utf8WithLatin1ForEveryOtherByte)
{
    const Row rows[] = {
        {"ASCII", "FPS: 060", {'F', 'P', 'S', ':', ' ', '0', '6', '0'}},
        {"two bytes", "caf\xC3\xA9", {'c', 'a', 'f', 0xE9}},
        {"three bytes: the driver page's Hangul", "\xED\x95\x9C\xEA\xB8\x80\xEB\x91\x90", {0xD55C, 0xAE00, 0xB450}},
        {"four bytes", "\xF0\x9F\x98\x80", {0x1F600}},
        {"a lone Latin-1 byte", "caf\xE9", {'c', 'a', 'f', 0xE9}},
        {"a sequence cut by the end", "\xED\x95", {0xED, 0x95}},
        {"a sequence broken by ASCII",
         "\xE2\x82"
         "A",
         {0xE2, 0x82, 'A'}},
        {"a continuation byte first", "\x80\xBF", {0x80, 0xBF}},
        {"an overlong slash", "\xC0\xAF", {0xC0, 0xAF}},
        {"an overlong three-byte form", "\xE0\x80\xAF", {0xE0, 0x80, 0xAF}},
        {"a surrogate", "\xED\xA0\x80", {0xED, 0xA0, 0x80}},
        {"past U+10FFFF", "\xF4\x90\x80\x80", {0xF4, 0x90, 0x80, 0x80}},
        {"five-byte lead", "\xF8\x88\x80\x80\x80", {0xF8, 0x88, 0x80, 0x80, 0x80}},
        {"the last code point", "\xF4\x8F\xBF\xBF", {0x10FFFF}},
    };
    for (const Row& row : rows)
        EXPECT_EQ(CodePoints(row.bytes), row.expected) << row.what;
}

} // namespace
