#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "check.h"
#include "sqstack.h"

using namespace std::string_literals;

namespace {

TEST(Sqstack, NewStackIsEmptyAndRefusesPopWithoutWriting)
{
    sqstack S;
    initstack(&S);
    EXPECT_TRUE(isempty(S));
    char x = 'k';
    EXPECT_FALSE(pop(&S, &x));
    EXPECT_EQ(x, 'k');
    EXPECT_EQ(S.top, -1);
}

TEST(Sqstack, HoldsThirtyAndRefusesTheThirtyFirstUnchanged)
{
    sqstack S;
    initstack(&S);
    for (int i = 0; i < MAXSIZE; i++)
        ASSERT_TRUE(push(&S, static_cast<char>('A' + i)));
    EXPECT_EQ(S.top, MAXSIZE - 1);

    sqstack before = S;
    EXPECT_FALSE(push(&S, '!'));
    EXPECT_EQ(S.top, before.top);
    EXPECT_EQ(std::memcmp(S.data, before.data, sizeof S.data), 0);

    char x;
    ASSERT_TRUE(pop(&S, &x));
    EXPECT_EQ(x, 'A' + MAXSIZE - 1);
    EXPECT_TRUE(push(&S, '!'));
}

TEST(Sqstack, PopsInReverseOrderOfPushes)
{
    sqstack S;
    initstack(&S);
    for (char c : "([{"s)
        ASSERT_TRUE(push(&S, c));
    EXPECT_FALSE(isempty(S));
    std::string popped;
    char x;
    while (pop(&S, &x))
        popped += x;
    EXPECT_EQ(popped, "{[(");
    EXPECT_TRUE(isempty(S));
}

TEST(Sqstack, EveryByteValueComesBackUnchanged)
{
    sqstack S;
    initstack(&S);
    for (int b = 0; b < 256; b++) {
        char x = 0;
        ASSERT_TRUE(push(&S, static_cast<char>(b)));
        ASSERT_TRUE(pop(&S, &x));
        EXPECT_EQ(static_cast<unsigned char>(x), b);
    }
}

struct CheckCase {
    const char *name;
    std::string str;
    bool matches;
};

class Check : public testing::TestWithParam<CheckCase> {};

TEST_P(Check, DecidesWhetherBracketsMatch)
{
    EXPECT_EQ(check(GetParam().str.c_str()), GetParam().matches);
}

std::string repeat(const std::string &s, int n)
{
    std::string out;
    while (n-- > 0)
        out += s;
    return out;
}

INSTANTIATE_TEST_SUITE_P(
    Strings, Check,
    testing::Values(CheckCase{"Empty", "", true}, CheckCase{"NoBrackets", "abc", true},
                    CheckCase{"AngleBracketsAreNoBrackets", "<a>>", true},
                    CheckCase{"BracketsAmongLetters", "a(b)c", true}, CheckCase{"ClosingFirst", ")(", false},
                    CheckCase{"Crossed", "([)]", false}, CheckCase{"WrongKind", "(]", false},
                    CheckCase{"LeftOpen", "((", false}, CheckCase{"Sequenced", "([]{})", true},
                    CheckCase{"Nested", "{[()]}", true},
                    CheckCase{"ThirtyPending", repeat("(", 30) + repeat(")", 30), true},
                    CheckCase{"ThirtyOnePending", repeat("(", 31) + repeat(")", 31), false},
                    CheckCase{"ThirtyPendingOfMixedKinds", repeat("([{", 10) + repeat("}])", 10), true},
                    CheckCase{"ManyInAllFewPending", repeat("{[()]}", 40) + repeat("(", 30) + repeat(")", 30), true},
                    CheckCase{"GbkTrailByteIsABracket", "\xB0\x5B", false},
                    CheckCase{"GbkTrailByteClosedLater", "\xB0\x5B]", true}),
    [](const testing::TestParamInfo<CheckCase> &info) { return info.param.name; });

// The string may arrive in pieces; the answer is the one for the whole.
struct ScanCase {
    const char *name;
    std::vector<std::string> pieces;
    bool matches;
};

class Scan : public testing::TestWithParam<ScanCase> {};

TEST_P(Scan, PiecesGiveTheAnswerOfTheWhole)
{
    bracketscan k;
    scanbegin(&k);
    for (const std::string &piece : GetParam().pieces)
        scanbytes(&k, piece.data(), piece.size());
    EXPECT_EQ(scanend(&k), GetParam().matches);
}

INSTANTIATE_TEST_SUITE_P(Pieces, Scan,
                         testing::Values(ScanCase{"NestingAcrossPieces", {"([", "])"}, true},
                                         ScanCase{"FailureIsFinal", {")", "()"}, false},
                                         ScanCase{"OverflowIsFinal", {repeat("(", 31), repeat(")", 31)}, false},
                                         ScanCase{"ZeroByteEndsTheString", {"()\0)"s, ")"}, true},
                                         ScanCase{"ZeroByteLeavesPendingOpen", {"(\0)"s}, false},
                                         ScanCase{"Nothing", {}, true}),
                         [](const testing::TestParamInfo<ScanCase> &info) { return info.param.name; });

} // namespace
