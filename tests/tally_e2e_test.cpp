#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <unistd.h>

#include "run_program.h"

using namespace std::string_literals;

namespace {

class Tally : public testing::TestWithParam<OutputCase> {};

TEST_P(Tally, WritesTheExactReport)
{
    expectOutput(GetParam());
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
    testing::Values(OutputCase{"Empty", "", ""},
                    OutputCase{"Hello", "hello\n", "'l' 2\n'h' 1\n'e' 1\n'o' 1\n'\\n' 1\n"},
                    OutputCase{"TieGoesToFirstOccurrence", "ba\0ab\n"s, "'b' 2\n'a' 2\n'\0' 1\n'\\n' 1\n"s},
                    OutputCase{"CarriageReturnUnescaped", "\r\n\r", "'\r' 2\n'\\n' 1\n"},
                    OutputCase{"ZeroByteWrittenAsIs", "\0\0"s, "'\0' 2\n"s},
                    OutputCase{"ByteFFIsNotTheEnd", "\xFFx\xFF\xFFx", "'\xFF' 3\n'x' 2\n"},
                    OutputCase{"GbkCharacterIsTwoBytes", "\xD6\xD0\xD6\xD0", "'\xD6' 2\n'\xD0' 2\n"},
                    OutputCase{"OneValueRepeated", std::string(100000, 'z'), "'z' 100000\n"},
                    OutputCase{"EachValueOnceInInputOrder", eachByteOnce(), eachByteOnceReport()}),
    CaseName());

class TallyFault : public testing::TestWithParam<FaultCase> {};

TEST_P(TallyFault, ReportsOneLineAndFails)
{
    expectFault(GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Faults, TallyFault,
    testing::Values(FaultCase{"StdinIsADirectory", "", stdinFrom("/"), "", "tally: stdin: Is a directory\n"},
                    FaultCase{"StdoutIsFull", "abc", stdoutTo("/dev/full"), "",
                              "tally: stdout: No space left on device\n"},
                    FaultCase{"StdoutClosed", "abc", stdoutClosed(), "", "tally: stdout: Bad file descriptor\n"},
                    FaultCase{"ReadErrorAfterData", "hello\n", readFailsAfterInput(),
                              "'l' 2\n'h' 1\n'e' 1\n'o' 1\n'\\n' 1\n", "tally: stdin: Connection reset by peer\n"}),
    CaseName());

} // namespace

namespace {

// Its memory does not grow with the input: 4 MiB of address space suffice.
TEST(TallyHostile, SixtyFourMebibytesOfOneByteValue)
{
    const size_t n = size_t{64} << 20;
    RunOptions options = programsSanitized() ? RunOptions{} : addressSpaceOf(size_t{4} << 20);
    RunResult run = runProgram(programPath(), std::string(n, 'x'), options);
    EXPECT_EQ(run.out, "'x' " + std::to_string(n) + "\n");
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.status, 0);
}

TEST(TallyInput, SameReportWhenInputArrivesInPieces)
{
    expectSameInPieces({}, "ba\0ab\n\xFF\xD6\xD0 hello, world\n"s);
}

TEST(TallyMemory, EveryAllocationFailureIsReported)
{
    EXPECT_EQ(sweepAllocationFailures({}, "hello\n", "'l' 2\n'h' 1\n'e' 1\n'o' 1\n'\\n' 1\n"), 5);
}

// 2^31 - 1 bytes are the most that positions and counts hold; one more
// byte and no report would be right.
TEST(TallyLimit, LongestInputIsCountedAndOneMoreByteRefused)
{
    if (programsSanitized())
        GTEST_SKIP() << "two gigabytes take minutes under AddressSanitizer; the plain build runs this";
    int fits = zerosOf(size_t{INT32_MAX});
    RunResult run = runProgram(programPath(), "", stdinShared(fits));
    close(fits);
    EXPECT_EQ(hex(run.out), hex("'\0' 2147483647\n"s));
    EXPECT_EQ(run.status, 0);

    int tooLong = zerosOf(size_t{INT32_MAX} + 1);
    run = runProgram(programPath(), "", stdinShared(tooLong));
    close(tooLong);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "tally: input longer than 2147483647 bytes\n");
    EXPECT_EQ(run.status, 1);
}

} // namespace
