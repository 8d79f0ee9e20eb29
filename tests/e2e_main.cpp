// Entry point of the end-to-end tests, and the tests every program shares:
// its examples and its command line.  Takes --program=PATH,
// --failalloc=PATH, --examples=DIR and --option=OPTION (the program's own),
// which CTest passes, and hands the rest to GoogleTest.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "run_program.h"

namespace {

std::string option_;

TEST(Examples, MatchTheirExpectedOutput)
{
    expectExamplesMatch();
}

class CommandLine : public testing::TestWithParam<ArgsCase> {};

TEST_P(CommandLine, AnswersAtOnce)
{
    expectRun(GetParam());
}

// Cases are made when the tests are registered, once the program is known.
INSTANTIATE_TEST_SUITE_P(Arguments, CommandLine,
                         testing::ValuesIn(commandLineCases(programName().c_str(),
                                                            option_.empty() ? nullptr : option_.c_str())),
                         CaseName());

TEST(CommandLine, HelpIsAUsageText)
{
    expectHelp(programName());
}

// A usage text that cannot be written is a failure like any other output's.
TEST(CommandLine, HelpToAFullOutputFails)
{
    for (const char *arg : {"--help", "--version"}) {
        RunResult run = runProgram(programPath(), {arg}, "", stdoutTo("/dev/full"));
        EXPECT_EQ(run.err, programName() + ": stdout: No space left on device\n") << arg;
        EXPECT_EQ(run.status, 1) << arg;
    }
}

} // namespace

int main(int argc, char **argv)
{
    std::string program, failalloc, examples;
    for (int i = 1; i < argc; i++) {
        if (std::strncmp(argv[i], "--program=", 10) == 0)
            program = argv[i] + 10;
        else if (std::strncmp(argv[i], "--failalloc=", 12) == 0)
            failalloc = argv[i] + 12;
        else if (std::strncmp(argv[i], "--examples=", 11) == 0)
            examples = argv[i] + 11;
        else if (std::strncmp(argv[i], "--option=", 9) == 0)
            option_ = argv[i] + 9;
    }
    if (program.empty()) {
        std::fprintf(stderr, "usage: %s --program=PATH [--failalloc=PATH] [--examples=DIR] [--option=OPTION]\n",
                     argv[0]);
        return 2;
    }
    setTestPaths(program, failalloc, examples);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
