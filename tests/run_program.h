#ifndef RUN_PROGRAM_H
#define RUN_PROGRAM_H

#include <gtest/gtest.h>

#include <string>
#include <vector>

// How the child's standard streams are set up.  By default both are pipes:
// the input is written to standard input, which is then closed.
struct RunOptions {
    std::string stdinPath;  // when set, standard input is this file opened for reading
    int stdinFd = -1;       // when set, standard input is this descriptor, shared with the caller
    std::string stdoutPath; // when set, standard output is this file opened for writing
    bool closeStdout = false;
    size_t addressSpace = 0; // when set, the child may map at most this many bytes
    bool readFails = false;  // standard input fails to read once the input is read
};

inline RunOptions stdinFrom(const std::string &path)
{
    RunOptions o;
    o.stdinPath = path;
    return o;
}

inline RunOptions stdinShared(int fd)
{
    RunOptions o;
    o.stdinFd = fd;
    return o;
}

inline RunOptions readFailsAfterInput()
{
    RunOptions o;
    o.readFails = true;
    return o;
}

inline RunOptions addressSpaceOf(size_t bytes)
{
    RunOptions o;
    o.addressSpace = bytes;
    return o;
}

inline RunOptions stdoutTo(const std::string &path)
{
    RunOptions o;
    o.stdoutPath = path;
    return o;
}

inline RunOptions stdoutClosed()
{
    RunOptions o;
    o.closeStdout = true;
    return o;
}

struct RunResult {
    std::string out;
    std::string err;
    int status = -1; // the exit status, or 128 plus the number of a killing signal
};

// AddressSanitizer maps terabytes of shadow memory: limits on the address
// space cannot be tested under it.
bool underAddressSanitizer();

// Where a program leaves a shared, seekable standard input holding input:
// the offset after it has run.
long offsetAfterRun(const std::string &input);

// Runs program with no arguments and no shell in between, feeding it input,
// and collects every byte it writes.
RunResult runProgram(const std::string &program, const std::string &input, const RunOptions &options = {});

// A run that must succeed: the exact bytes it must write to standard
// output, with nothing on standard error.
struct OutputCase {
    const char *name;
    std::string input;
    std::string output;
};

// A run that must fail: what it must write to standard output, and the one
// line it must write to standard error.
struct FaultCase {
    const char *name;
    std::string input;
    RunOptions options;
    std::string out;
    std::string err;
};

// Runs the program under test on the case and checks every byte and the status.
void expectOutput(const OutputCase &c);
void expectFault(const FaultCase &c);

// Names each case of a value-parameterized test after its name field.
struct CaseName {
    template <class Case>
    std::string operator()(const testing::TestParamInfo<Case> &info) const
    {
        return info.param.name;
    }
};

// The program under test and its examples folder, as given on the command line
// of an end-to-end test (--program=PATH, --examples=DIR).
const std::string &programPath();
const std::string &examplesDir();
void setTestPaths(const std::string &program, const std::string &examples);

// Every "NAME.in" file in dir, sorted, without the ".in".
std::vector<std::string> exampleNames(const std::string &dir);

// Runs the program on every example and compares with its ".out" file.
void expectExamplesMatch();

std::string readFile(const std::string &path);

// Bytes of s as hex pairs, so that failures show exactly what differed.
std::string hex(const std::string &s);

#endif
