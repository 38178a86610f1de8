// Large arrays the loaders fill: advised for large pages where the system gives them on
// request, and whole and usable whatever their size and alignment.
#include "orvex/platform/LargeArray.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

namespace {

// The transparent large page setting, the word in brackets: "always", "madvise" or "never".
std::string LargePageSetting()
{
    std::ifstream file("/sys/kernel/mm/transparent_hugepage/enabled");
    std::string line;
    std::getline(file, line);
    const auto open = line.find('['), close = line.find(']');
    return open == std::string::npos || close == std::string::npos ? "" : line.substr(open + 1, close - open - 1);
}

// kB of large pages in the mapping that holds `address`, from /proc/self/smaps.
long LargePageKbAround(const void* address)
{
    std::ifstream smaps("/proc/self/smaps");
    const auto at = reinterpret_cast<std::uintptr_t>(address);
    bool inside = false;
    for (std::string line; std::getline(smaps, line);) {
        std::uintptr_t start = 0, end = 0;
        char dash = 0;
        std::istringstream range(line);
        if (range >> std::hex >> start >> dash >> end && dash == '-' && line.find(':') > line.find(' ')) {
            inside = start <= at && at < end;
            continue;
        }
        if (inside && line.rfind("AnonHugePages:", 0) == 0)
            return std::stol(line.substr(14));
    }
    return -1;
}

} // namespace

TEST(LargeArray, AnArrayOfManyLargePagesIsBackedByThemWhereTheSystemGivesThemOnRequest)
{
    const std::string setting = LargePageSetting();
    if (setting != "madvise" && setting != "always")
        GTEST_SKIP() << "the system gives no transparent large pages (" << setting << ")";
    constexpr std::size_t kCount = std::size_t{64} << 20;
    std::unique_ptr<std::uint8_t[]> array(NewLargeArray<std::uint8_t>(kCount));
    ASSERT_NE(array, nullptr);
    std::memset(array.get(), 1, kCount);
    // The system may be short of whole large pages at a moment; most of 64 MB is enough.
    EXPECT_GE(LargePageKbAround(array.get() + kCount / 2), 8 * 1024);
}

TEST(LargeArray, SmallAndOddlySizedArraysAreWholeAndUntouchedBytesStayTheirs)
{
    // Below one large page, just over one, and spanning a few without ending on a boundary.
    for (std::size_t count :
         {std::size_t{1}, std::size_t{4095}, (std::size_t{2} << 20) + 3, (std::size_t{7} << 20) + 5}) {
        std::unique_ptr<std::uint8_t[]> array(NewLargeArray<std::uint8_t>(count));
        ASSERT_NE(array, nullptr);
        std::memset(array.get(), 0xA5, count);
        EXPECT_EQ(array[0], 0xA5);
        EXPECT_EQ(array[count - 1], 0xA5);
    }
    // Advice on a block that is not the start of an allocation leaves its neighbours alone.
    std::unique_ptr<std::uint8_t[]> block(new std::uint8_t[std::size_t{5} << 20]);
    std::memset(block.get(), 7, std::size_t{5} << 20);
    AdviseLargeArray(block.get() + 1000, (std::size_t{4} << 20) + 17);
    EXPECT_EQ(block[999], 7);
    EXPECT_EQ(block[(std::size_t{5} << 20) - 1], 7);
}
