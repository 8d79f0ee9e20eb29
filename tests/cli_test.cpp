#include <gtest/gtest.h>

#include <string>

#include "cli.h"
#include "test_support.h"

using namespace std::string_literals;

namespace {

struct ShownCase {
    const char *name;
    std::string bytes;
    std::string shown;
};

class ShowSafely : public testing::TestWithParam<ShownCase> {};

TEST_P(ShowSafely, LeavesOnlyPrintableAscii)
{
    char shown[SHOWN_ROOM];
    showSafely(GetParam().bytes.data(), GetParam().bytes.size(), shown);
    EXPECT_EQ(std::string(shown), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Bytes, ShowSafely,
    testing::Values(ShownCase{"Plain", "notes.txt", "notes.txt"}, ShownCase{"Empty", "", ""},
                    ShownCase{"QuoteAndBackslash", "a'b\\c", "a\\'b\\\\c"},
                    ShownCase{"ControlAndHighBytes", "\x1b[0m\n\xD6\xD0\x7F\0"s, "\\x1B[0m\\x0A\\xD6\\xD0\\x7F\\x00"},
                    ShownCase{"CutAfterSixtyFour", std::string(65, 'x'), std::string(64, 'x') + "..."},
                    ShownCase{"WorstCaseFits", std::string(70, '\xFF'), repeat("\\xFF", 64) + "..."}),
    CaseName());

} // namespace
