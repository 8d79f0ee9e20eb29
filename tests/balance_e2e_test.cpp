#include <gtest/gtest.h>

#include <string>

#include "run_program.h"

using namespace std::string_literals;

namespace {

const std::string matched = "\xC6\xA5\xC5\xE4\xB3\xC9\xB9\xA6\n";   // 匹配成功
const std::string unmatched = "\xC6\xA5\xC5\xE4\xCA\xA7\xB0\xDC\n"; // 匹配失败

struct Case {
    const char *name;
    std::string input;
    bool matches;
};

class Balance : public testing::TestWithParam<Case> {};

TEST_P(Balance, AnswersForTheFirstWord)
{
    RunResult run = runProgram(programPath(), GetParam().input);
    EXPECT_EQ(hex(run.out), hex(GetParam().matches ? matched : unmatched));
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.status, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Words, Balance,
    testing::Values(Case{"Matching", "{[()]}\n", true}, Case{"NotMatching", "([)]\n", false},
                    Case{"LeadingWhiteSpaceSkipped", " \t\n\v\f\r()", true},
                    Case{"OnlyTheFirstWordCounts", "() )", true}, Case{"FormFeedEndsTheWord", "()\f)", true},
                    Case{"VerticalTabEndsTheWord", "()\v)", true}, Case{"FormFeedBeforeTheWord", "\f\v(\f)", false},
                    Case{"LaterWordsNeverRead", "() ((((\n))", true}, Case{"NoWordAtAll", "", true},
                    Case{"WhiteSpaceOnly", " \n\t\r\n", true}, Case{"ThirtyOpenLeftPending", repeat("(", 30), false},
                    Case{"SixtyByteWord", repeat("(", 30) + repeat(")", 30), true},
                    Case{"ThousandByteWord", repeat("a{[()]}b", 125) + "\n", true},
                    Case{"ThousandByteWordFailingAtItsEnd", repeat("a{[()]}b", 125) + "]", false},
                    Case{"WordAcrossReadBlocks", repeat("x", 4095) + "(" + repeat("y", 5000) + ")", true},
                    Case{"GbkWord", "\xC6\xA5(\xC5\xE4)", true}, Case{"ZeroByteEndsTheWord", "(\0)"s, false},
                    Case{"MebibyteWordMatching", repeat("{[()]}", 174762) + "()()\n", true},
                    Case{"MebibyteWordLeftOpenAtItsEnd", repeat("()", 524272) + repeat("(", 30) + "\n", false}),
    CaseName());

class BalanceFault : public testing::TestWithParam<FaultCase> {};

TEST_P(BalanceFault, ReportsOneLineAndFails)
{
    expectFault(GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Faults, BalanceFault,
    testing::Values(FaultCase{"StdinIsADirectory", "()", stdinFrom("/"), "", "balance: stdin: Is a directory\n"},
                    FaultCase{"StdoutIsFull", "()", stdoutTo("/dev/full"), "",
                              "balance: stdout: No space left on device\n"},
                    FaultCase{"StdoutClosed", "()", stdoutClosed(), "", "balance: stdout: Bad file descriptor\n"},
                    FaultCase{"ReadErrorInsideTheWord", "(()", readFailsAfterInput(), "",
                              "balance: stdin: Connection reset by peer\n"}),
    CaseName());

} // namespace

namespace {

// A read error after the word has ended is never met: nothing after it is read.
TEST(BalanceInput, ReadErrorAfterTheWordIsNeverMet)
{
    RunResult run = runProgram(programPath(), "() ((", readFailsAfterInput());
    EXPECT_EQ(hex(run.out), hex(matched));
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.status, 0);
}

// What follows the word is left for whoever reads on, where input can seek.
TEST(BalanceInput, SeekableInputIsLeftJustAfterTheWord)
{
    EXPECT_EQ(offsetAfterRun("  (a) rest\n"), 5);
    EXPECT_EQ(offsetAfterRun(std::string(5000, ' ') + "()\nrest"), 5002);
}

} // namespace

namespace {

const std::string tooDeep = "balance: more than 30 opening brackets pending; the word is not checked further\n";

// Only the limit of 30 pending brackets, not the word, can be blamed in a
// warning; the answer stays what it is.
class BalanceLimit : public testing::TestWithParam<ArgsCase> {};

TEST_P(BalanceLimit, WarnsWhenTheLimitDecides)
{
    expectRun(GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Words, BalanceLimit,
    testing::Values(ArgsCase{"ThirtyPending", {}, repeat("(", 30) + repeat(")", 30) + "\n", matched, "", 0},
                    ArgsCase{"ThirtyOnePending", {}, repeat("(", 31) + repeat(")", 31), unmatched, tooDeep, 0},
                    ArgsCase{
                        "ThirtyOneAfterALongWord", {}, repeat("[]", 3000) + repeat("{", 31), unmatched, tooDeep, 0},
                    ArgsCase{"ThirtyLeftOpen", {}, repeat("(", 30), unmatched, "", 0}),
    CaseName());

// Each bracket examined, the reason a check fails, and the answer, which is
// always the one given without the option.
class BalanceTrace : public testing::TestWithParam<ArgsCase> {};

TEST_P(BalanceTrace, ShowsTheStackAtWork)
{
    ArgsCase c = GetParam();
    c.args = {"--trace"};
    expectRun(c);
    RunResult plain = runProgram(programPath(), c.input);
    EXPECT_EQ(hex(c.out.substr(c.out.size() - plain.out.size())), hex(plain.out));
}

std::string pushes(size_t n)
{
    std::string lines;
    for (size_t i = 0; i < n; i++)
        lines += std::to_string(i) + " ( push " + repeat("(", i + 1) + "\n";
    return lines;
}

INSTANTIATE_TEST_SUITE_P(
    Words, BalanceTrace,
    testing::Values(
        ArgsCase{"Matched",
                 {},
                 " a{[(b)]}c d",
                 "1 { push {\n2 [ push {[\n3 ( push {[(\n5 ) pop {[\n6 ] pop {\n7 } pop -\n" + matched,
                 "",
                 0},
        ArgsCase{"OtherPair", {}, "([)]", "0 ( push (\n1 [ push ([\n2 ) pop (\n')' closes '['\n" + unmatched, "", 0},
        ArgsCase{"NothingPending", {}, "x)(", "1 ) pop -\n')' with nothing pending\n" + unmatched, "", 0},
        ArgsCase{"LeftOpen", {}, "(()", "0 ( push (\n1 ( push ((\n2 ) pop (\n'(' left open\n" + unmatched, "", 0},
        ArgsCase{"ThirtyPending",
                 {},
                 repeat("(", 30) + ")",
                 pushes(30) + "30 ) pop " + repeat("(", 29) + "\n'(' left open\n" + unmatched,
                 "",
                 0},
        ArgsCase{"ThirtyOnePending",
                 {},
                 repeat("(", 31) + ")",
                 pushes(30) + "30 ( push " + repeat("(", 30) + "\nmore than 30 pending\n" + unmatched,
                 tooDeep,
                 0},
        ArgsCase{"ZeroByteEndsTheCheck", {}, "[\0])"s, "0 [ push [\n'[' left open\n" + unmatched, "", 0},
        ArgsCase{"NoWord", {}, " \n", matched, "", 0}, ArgsCase{"NoBrackets", {}, "abc", matched, "", 0}),
    CaseName());

TEST(BalanceInput, SameAnswerWhenInputArrivesInPieces)
{
    expectSameInPieces({}, "  \n" + repeat("a{[()]}b", 40) + " ((");
    expectSameInPieces({"--trace"}, "  \n" + repeat("a{[()]}b", 40) + "((( ((");
}

// balance holds its word in a fixed block: no allocation can fail.
TEST(BalanceMemory, AllocatesNothing)
{
    EXPECT_EQ(sweepAllocationFailures({}, "{[()]}", matched), 0);
    EXPECT_EQ(sweepAllocationFailures({"--trace"}, "(", "0 ( push (\n'(' left open\n" + unmatched), 0);
}

} // namespace
