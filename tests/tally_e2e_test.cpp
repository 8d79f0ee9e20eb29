#include <gtest/gtest.h>

#include <string>

#include "run_program.h"

using namespace std::string_literals;

namespace {

struct Case {
    const char *name;
    std::string input;
    std::string output;
};

class Tally : public testing::TestWithParam<Case> {};

TEST_P(Tally, WritesTheExactReport)
{
    RunResult run = runProgram(programPath(), GetParam().input);
    EXPECT_EQ(hex(run.out), hex(GetParam().output));
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.status, 0);
}

std::string eachByteOnce()
{
    std::string s;
    for (int b = 0; b < 256; b++)
        s += static_cast<char>(b);
    return s;
}

std::string eachByteOnceReport()
{
    std::string s;
    for (int b = 0; b < 256; b++)
        s += b == '\n' ? "'\\n' 1\n"s : "'"s + static_cast<char>(b) + "' 1\n";
    return s;
}

INSTANTIATE_TEST_SUITE_P(
    Reports, Tally,
    testing::Values(Case{"Empty", "", ""}, Case{"Hello", "hello\n", "'l' 2\n'h' 1\n'e' 1\n'o' 1\n'\\n' 1\n"},
                    Case{"TieGoesToFirstOccurrence", "ba\0ab\n"s, "'b' 2\n'a' 2\n'\0' 1\n'\\n' 1\n"s},
                    Case{"CarriageReturnUnescaped", "\r\n\r", "'\r' 2\n'\\n' 1\n"},
                    Case{"ZeroByteWrittenAsIs", "\0\0"s, "'\0' 2\n"s},
                    Case{"ByteFFIsNotTheEnd", "\xFFx\xFF\xFFx", "'\xFF' 3\n'x' 2\n"},
                    Case{"GbkCharacterIsTwoBytes", "\xD6\xD0\xD6\xD0", "'\xD6' 2\n'\xD0' 2\n"},
                    Case{"OneValueRepeated", std::string(100000, 'z'), "'z' 100000\n"},
                    Case{"EachValueOnceInInputOrder", eachByteOnce(), eachByteOnceReport()}),
    [](const testing::TestParamInfo<Case> &info) { return info.param.name; });

TEST(TallyExamples, MatchTheirExpectedOutput)
{
    expectExamplesMatch();
}

struct FaultCase {
    const char *name;
    std::string input;
    RunOptions options;
    std::string err;
};

class TallyFault : public testing::TestWithParam<FaultCase> {};

TEST_P(TallyFault, ReportsOneLineAndFails)
{
    RunResult run = runProgram(programPath(), GetParam().input, GetParam().options);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, GetParam().err);
    EXPECT_EQ(run.status, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, TallyFault,
    testing::Values(FaultCase{"StdinIsADirectory", "", stdinFrom("/"), "tally: stdin: Is a directory\n"},
                    FaultCase{"StdoutIsFull", "abc", stdoutTo("/dev/full"), "tally: stdout: No space left on device\n"},
                    FaultCase{"StdoutClosed", "abc", stdoutClosed(), "tally: stdout: Bad file descriptor\n"}),
    [](const testing::TestParamInfo<FaultCase> &info) { return info.param.name; });

} // namespace

namespace {

TEST(TallyHostile, SixtyFourMebibytesOfOneByteValue)
{
    const size_t n = size_t{64} << 20;
    RunResult run = runProgram(programPath(), std::string(n, 'x'));
    EXPECT_EQ(run.out, "'x' " + std::to_string(n) + "\n");
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.status, 0);
}

} // namespace
