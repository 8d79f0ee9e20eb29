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

std::string repeat(const std::string &s, size_t n)
{
    std::string out;
    while (n-- > 0)
        out += s;
    return out;
}

INSTANTIATE_TEST_SUITE_P(
    Words, Balance,
    testing::Values(Case{"Matching", "{[()]}\n", true}, Case{"NotMatching", "([)]\n", false},
                    Case{"LeadingWhiteSpaceSkipped", " \t\n\v\f\r()", true},
                    Case{"OnlyTheFirstWordCounts", "() )", true}, Case{"LaterWordsNeverRead", "() ((((\n))", true},
                    Case{"NoWordAtAll", "", true}, Case{"WhiteSpaceOnly", " \n\t\r\n", true},
                    Case{"ThirtyOpenLeftPending", repeat("(", 30), false},
                    Case{"ThirtyOneOpenRefused", repeat("(", 31) + repeat(")", 31), false},
                    Case{"SixtyByteWord", repeat("(", 30) + repeat(")", 30), true},
                    Case{"ThousandByteWord", repeat("a{[()]}b", 125) + "\n", true},
                    Case{"ThousandByteWordFailingAtItsEnd", repeat("a{[()]}b", 125) + "]", false},
                    Case{"WordAcrossReadBlocks", repeat("x", 4095) + "(" + repeat("y", 5000) + ")", true},
                    Case{"GbkWord", "\xC6\xA5(\xC5\xE4)", true}, Case{"ZeroByteEndsTheWord", "(\0)"s, false},
                    Case{"MebibyteWordMatching", repeat("{[()]}", 174762) + "()()\n", true},
                    Case{"MebibyteWordTooDeepAtItsEnd", repeat("()", 524272) + repeat("(", 32) + "\n", false}),
    CaseName());

TEST(BalanceExamples, MatchTheirExpectedOutput)
{
    expectExamplesMatch();
}

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
