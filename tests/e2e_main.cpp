// Entry point of the end-to-end tests: takes --program=PATH,
// --failalloc=PATH and --examples=DIR, which CTest passes, and hands the rest
// to GoogleTest.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "run_program.h"

int main(int argc, char **argv)
{
    testing::InitGoogleTest(&argc, argv);
    std::string program, failalloc, examples;
    for (int i = 1; i < argc; i++) {
        if (std::strncmp(argv[i], "--program=", 10) == 0)
            program = argv[i] + 10;
        else if (std::strncmp(argv[i], "--failalloc=", 12) == 0)
            failalloc = argv[i] + 12;
        else if (std::strncmp(argv[i], "--examples=", 11) == 0)
            examples = argv[i] + 11;
    }
    if (program.empty()) {
        std::fprintf(stderr, "usage: %s --program=PATH [--failalloc=PATH] [--examples=DIR]\n", argv[0]);
        return 2;
    }
    setTestPaths(program, failalloc, examples);
    return RUN_ALL_TESTS();
}
