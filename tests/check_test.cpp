#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "check.h"
#include "test_support.h"

using namespace std::string_literals;

namespace {

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
    CaseName());

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
                         CaseName());

// Each bracket says what it did; the step that fails the check is kept
// with its bracket, and nothing after it is examined.
struct StepCase {
    const char *name;
    std::string str;
    std::vector<bracketstep> steps;
    bracketstep failure;
    char failedat;
};

class ScanByte : public testing::TestWithParam<StepCase> {};

TEST_P(ScanByte, ReportsEachStepAndTheFailure)
{
    bracketscan k;
    scanbegin(&k);
    std::vector<bracketstep> steps;
    for (char b : GetParam().str)
        steps.push_back(scanbyte(&k, b));
    EXPECT_EQ(steps, GetParam().steps);
    EXPECT_EQ(k.failure, GetParam().failure);
    EXPECT_EQ(k.failedat, GetParam().failedat);
}

INSTANTIATE_TEST_SUITE_P(
    Strings, ScanByte,
    testing::Values(StepCase{"Matched", "(a)", {STEP_PUSH, STEP_NONE, STEP_POP}, STEP_NONE, 0},
                    StepCase{"NothingPending", ")(", {STEP_EMPTY, STEP_NONE}, STEP_EMPTY, ')'},
                    StepCase{"OtherPair", "(]]", {STEP_PUSH, STEP_MISMATCH, STEP_NONE}, STEP_MISMATCH, ']'},
                    StepCase{"ZeroByteEnds", "(\0)"s, {STEP_PUSH, STEP_NONE, STEP_NONE}, STEP_NONE, 0},
                    StepCase{"Full", repeat("(", 31) + ")",
                             [] {
                                 std::vector<bracketstep> v(30, STEP_PUSH);
                                 v.push_back(STEP_FULL);
                                 v.push_back(STEP_NONE);
                                 return v;
                             }(),
                             STEP_FULL, '('}),
    CaseName());

} // namespace
