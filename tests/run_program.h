#ifndef RUN_PROGRAM_H
#define RUN_PROGRAM_H

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_support.h"

// How the child's standard streams are set up.  By default both are pipes:
// the input is written to standard input, which is then closed.
struct RunOptions {
    std::string stdinPath;  // when set, standard input is this file opened for reading
    int stdinFd = -1;       // when set, standard input is this descriptor, shared with the caller
    std::string stdoutPath; // when set, standard output is this file opened for writing
    bool closeStdout = false;
    size_t addressSpace = 0;    // when set, the child may map at most this many bytes
    bool readFails = false;     // standard input fails to read once the input is read
    std::vector<size_t> pieces; // when set, the input is written in pieces of these sizes, in turn, with pauses
    bool holdStdin = false;     // standard input stays open, and empty, until the program ends
    long failAllocation = 0;    // when set, the program's allocation of this number fails (a failalloc build)
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

inline RunOptions inPieces(std::vector<size_t> sizes)
{
    RunOptions o;
    o.pieces = std::move(sizes);
    return o;
}

inline RunOptions stdinHeldOpen()
{
    RunOptions o;
    o.holdStdin = true;
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
    int status = -1;       // the exit status, or 128 plus the number of a killing signal
    bool timedOut = false; // it ran past the deadline and was killed
};

// True when the programs under test are built with AddressSanitizer, which
// maps terabytes of shadow memory: limits on the address space cannot be
// tested under it, and it makes long inputs slow.
bool programsSanitized();

// Where a program leaves a shared, seekable standard input holding input:
// the offset after it has run.
long offsetAfterRun(const std::string &input);

// Runs program with args and no shell in between, feeding it input, and
// collects every byte it writes.  A program still running after 20 seconds
// is killed.
RunResult runProgram(const std::string &program, const std::vector<std::string> &args, const std::string &input,
                     const RunOptions &options = {});

// The same with no arguments.
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

// Cases show as their names in GoogleTest's messages.
inline void PrintTo(const OutputCase &c, std::ostream *os)
{
    *os << c.name;
}
inline void PrintTo(const FaultCase &c, std::ostream *os)
{
    *os << c.name;
}

// Runs the program under test on the case and checks every byte and the status.
void expectOutput(const OutputCase &c);
void expectFault(const FaultCase &c);

// A run with arguments, and everything it must write and its exit status.
struct ArgsCase {
    const char *name;
    std::vector<std::string> args;
    std::string input;
    std::string out;
    std::string err;
    int status;
};

inline void PrintTo(const ArgsCase &c, std::ostream *os)
{
    *os << c.name;
}

// Runs the program under test on the case and checks every byte and the
// status; with no input, standard input is held open, and the program must
// not wait for it.
void expectRun(const ArgsCase &c);

// The command lines every program answers alike: --version, and each kind
// of argument it does not take.  name is the program's, own its own option.
std::vector<ArgsCase> commandLineCases(const char *name, const char *own);

// Checks that --help writes a usage text naming the program, its exit
// statuses and its manual page, and nothing else.
void expectHelp(const std::string &name);

// Runs the program on input in one piece, and again with the input arriving
// through the pipe in uneven pieces, in turn of each list of sizes, with
// pauses: every run must write the same bytes and end alike.
void expectSameInPieces(const std::vector<std::string> &args, const std::string &input,
                        const std::vector<std::vector<size_t>> &sizes = {{1}, {7}, {3, 1, 9}});

// The program under test, its build whose allocations can be made to fail,
// and its examples folder, as given on the command line of an end-to-end
// test (--program=PATH, --failalloc=PATH, --examples=DIR).
const std::string &programPath();
std::string programName(); // the file name of programPath()
const std::string &failallocPath();
const std::string &examplesDir();
void setTestPaths(const std::string &program, const std::string &failalloc, const std::string &examples);

// Runs the failalloc build on input with args, making its first, second,
// third ... allocation fail in turn until a run meets no failure and writes
// expected.  Every failed run must write nothing to standard output, only
// "PROGRAM: out of memory" to standard error, and exit with 1.  Returns the
// number of allocations the whole run makes.
long sweepAllocationFailures(const std::vector<std::string> &args, const std::string &input,
                             const std::string &expected);

// A descriptor holding size zero bytes, read from the start, that costs no
// memory until read: for inputs past the 32-bit limits.
int zerosOf(size_t size);

// Every "NAME.in" file in dir, sorted, without the ".in".
std::vector<std::string> exampleNames(const std::string &dir);

// Runs the program on every example and compares with its ".out" file.
void expectExamplesMatch();

std::string readFile(const std::string &path);

// Bytes of s as hex pairs, so that failures show exactly what differed.
std::string hex(const std::string &s);

#endif
