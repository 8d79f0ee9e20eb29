#include "run_program.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <sstream>
#include <stdexcept>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

void check(bool ok, const char *what)
{
    if (!ok)
        throw std::runtime_error(std::string(what) + ": " + std::strerror(errno));
}

// Points fd at path, or at a pipe end when path is empty.
void redirect(const std::string &path, int flags, int pipeEnd, int fd)
{
    int src = pipeEnd;
    if (!path.empty())
        src = open(path.c_str(), flags | O_CLOEXEC);
    if (src < 0 || dup2(src, fd) < 0)
        _exit(126);
}

[[noreturn]] void startChild(const std::string &program, const std::vector<std::string> &args,
                             const RunOptions &options, int in[2], int out[2], int err[2])
{
    redirect(options.stdinPath, O_RDONLY, options.stdinFd >= 0 ? options.stdinFd : in[0], STDIN_FILENO);
    if (options.closeStdout)
        close(STDOUT_FILENO);
    else
        redirect(options.stdoutPath, O_WRONLY, out[1], STDOUT_FILENO);
    if (dup2(err[1], STDERR_FILENO) < 0)
        _exit(126);
    rlimit space = {options.addressSpace, options.addressSpace};
    if (options.addressSpace != 0 && setrlimit(RLIMIT_AS, &space) != 0)
        _exit(126);
    signal(SIGPIPE, SIG_DFL);
    if (options.failAllocation != 0)
        setenv("FAILALLOC_AT", std::to_string(options.failAllocation).c_str(), 1);
    std::vector<char *> argv = {const_cast<char *>(program.c_str())};
    for (const std::string &arg : args)
        argv.push_back(const_cast<char *>(arg.c_str()));
    argv.push_back(nullptr);
    execv(program.c_str(), argv.data());
    _exit(127);
}

// Writes input, in pieces when asked, and drains both outputs until the
// child closes them or the deadline passes.  False when it passed.
bool pump(int inFd, const std::string &input, const RunOptions &options, int outFd, int errFd, RunResult *result)
{
    size_t written = 0, piece = 0;
    if (input.empty() && !options.holdStdin) {
        close(inFd);
        inFd = -1;
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    char buf[65536];
    while (outFd >= 0 || errFd >= 0) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            break;
        pollfd fds[3] = {{outFd, POLLIN, 0}, {errFd, POLLIN, 0}, {written < input.size() ? inFd : -1, POLLOUT, 0}};
        check(poll(fds, 3, static_cast<int>(left.count())) >= 0 || errno == EINTR, "poll");
        for (int i = 0; i < 2; i++) {
            if (fds[i].fd < 0 || fds[i].revents == 0)
                continue;
            ssize_t got = read(fds[i].fd, buf, sizeof buf);
            if (got > 0) {
                (i == 0 ? result->out : result->err).append(buf, static_cast<size_t>(got));
            } else if (got == 0 || errno != EINTR) {
                close(fds[i].fd);
                (i == 0 ? outFd : errFd) = -1;
            }
        }
        if (fds[2].fd >= 0 && fds[2].revents != 0) {
            size_t chunk = std::min<size_t>(input.size() - written, 65536);
            if (!options.pieces.empty())
                chunk = std::min(chunk, options.pieces[piece++ % options.pieces.size()]);
            ssize_t put = write(inFd, input.data() + written, chunk);
            if (put > 0)
                written += static_cast<size_t>(put);
            if (!options.pieces.empty())
                usleep(300); // each piece a read of its own
            if ((put < 0 && errno != EINTR && errno != EAGAIN) || (written == input.size() && !options.holdStdin)) {
                close(inFd); // EPIPE: the program stopped reading, which it may
                inFd = -1;
            }
        }
    }
    if (inFd >= 0)
        close(inFd);
    if (outFd >= 0)
        close(outFd);
    if (errFd >= 0)
        close(errFd);
    return std::chrono::steady_clock::now() < deadline;
}

std::string program_;
std::string failalloc_;
std::string examples_;

} // namespace

// Runs program with input on a stream socket whose peer is closed with data
// of its own unread: the socket delivers the input, then fails with ECONNRESET.
static RunResult runWithReadFailure(const std::string &program, const std::vector<std::string> &args,
                                    const std::string &input, RunOptions options)
{
    int ends[2];
    check(socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) == 0, "socketpair");
    check(write(ends[1], input.data(), input.size()) == static_cast<ssize_t>(input.size()), "write to socket");
    check(write(ends[0], "x", 1) == 1, "write to socket");
    close(ends[1]);
    options.readFails = false;
    options.stdinFd = ends[0];
    RunResult run = runProgram(program, args, "", options);
    close(ends[0]);
    return run;
}

RunResult runProgram(const std::string &program, const std::string &input, const RunOptions &options)
{
    return runProgram(program, {}, input, options);
}

RunResult runProgram(const std::string &program, const std::vector<std::string> &args, const std::string &input,
                     const RunOptions &options)
{
    if (options.readFails)
        return runWithReadFailure(program, args, input, options);
    signal(SIGPIPE, SIG_IGN);
    int in[2], out[2], err[2];
    check(pipe2(in, O_CLOEXEC) == 0 && pipe2(out, O_CLOEXEC) == 0 && pipe2(err, O_CLOEXEC) == 0, "pipe");
    pid_t pid = fork();
    check(pid >= 0, "fork");
    if (pid == 0)
        startChild(program, args, options, in, out, err);
    close(in[0]);
    close(out[1]);
    close(err[1]);
    fcntl(in[1], F_SETFL, O_NONBLOCK);

    RunResult result;
    if (!pump(in[1], input, options, out[0], err[0], &result)) {
        result.timedOut = true;
        kill(pid, SIGKILL);
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0)
        check(errno == EINTR, "waitpid");
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return result;
}

bool programsSanitized()
{
#if defined(BYTEFILTERS_SANITIZE)
    return true;
#else
    return false;
#endif
}

long offsetAfterRun(const std::string &input)
{
    FILE *file = std::tmpfile();
    check(file != nullptr, "tmpfile");
    std::fwrite(input.data(), 1, input.size(), file);
    std::fflush(file);
    int fd = fileno(file);
    lseek(fd, 0, SEEK_SET);
    RunResult run = runProgram(programPath(), "", stdinShared(fd));
    EXPECT_EQ(run.status, 0);
    long offset = lseek(fd, 0, SEEK_CUR);
    std::fclose(file);
    return offset;
}

const std::string &programPath()
{
    return program_;
}
std::string programName()
{
    return std::filesystem::path(program_).filename().string();
}

const std::string &failallocPath()
{
    return failalloc_;
}
const std::string &examplesDir()
{
    return examples_;
}

std::vector<std::string> exampleNames(const std::string &dir)
{
    std::vector<std::string> names;
    for (const auto &entry : std::filesystem::directory_iterator(dir)) {
        if (entry.path().extension() == ".in")
            names.push_back(entry.path().stem().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string readFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot open " + path);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::string hex(const std::string &s)
{
    std::string text;
    char pair[4];
    for (unsigned char byte : s) {
        std::snprintf(pair, sizeof pair, "%02X ", byte);
        text += pair;
    }
    return text;
}

void setTestPaths(const std::string &program, const std::string &failalloc, const std::string &examples)
{
    program_ = program;
    failalloc_ = failalloc;
    examples_ = examples;
}

void expectRun(const ArgsCase &c)
{
    // With no input to give, standard input stays open: a program that
    // read it would wait, and be caught waiting.
    RunResult run = runProgram(programPath(), c.args, c.input, c.input.empty() ? stdinHeldOpen() : RunOptions{});
    EXPECT_FALSE(run.timedOut) << "still running: it waited for input";
    EXPECT_EQ(hex(run.out), hex(c.out));
    EXPECT_EQ(run.err, c.err);
    EXPECT_EQ(run.status, c.status);
}

std::vector<ArgsCase> commandLineCases(const char *name, const char *own)
{
    const std::string program = name;
    auto refused = [&](const std::string &shown) {
        return "" + program + ": unexpected argument '" + shown + "'\nusage: " + program + " < FILE  (" + program +
               " --help for more)\n";
    };
    std::vector<ArgsCase> cases = {
        {"Version", {"--version"}, "", program + " (bytefilters) " BYTEFILTERS_VERSION "\n", "", 0},
        {"FileOperand", {"notes.txt"}, "", "", refused("notes.txt"), 2},
        {"Dash", {"-"}, "", "", refused("-"), 2},
        {"UnknownOption", {"--verbose"}, "", "", refused("--verbose"), 2},
        {"ShortOption", {"-h"}, "", "", refused("-h"), 2},
        {"TwoArguments", {"--help", "--version"}, "", "", refused("--version"), 2},
        {"UnsafeBytesShownSafely", {"\x1b[31m'\\\xD6"}, "", "", refused("\\x1B[31m\\'\\\\\\xD6"), 2},
        {"EmptyArgument", {""}, "", "", refused(""), 2},
    };
    if (own != nullptr)
        cases.push_back({"OwnOptionWithAnother", {own, "notes.txt"}, "", "", refused("notes.txt"), 2});
    else
        cases.push_back({"OptionOfAnother", {"--dot"}, "", "", refused("--dot"), 2});
    return cases;
}

void expectHelp(const std::string &name)
{
    RunResult run = runProgram(programPath(), {"--help"}, "", stdinHeldOpen());
    EXPECT_FALSE(run.timedOut) << "still running: it waited for input";
    EXPECT_EQ(run.out.rfind("usage: " + name + " < FILE\n", 0), 0u) << run.out;
    EXPECT_NE(run.out.find("Exit status: 0"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("Example:  "), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("See " + name + "(1)"), std::string::npos) << run.out;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.status, 0);
}

void expectSameInPieces(const std::vector<std::string> &args, const std::string &input,
                        const std::vector<std::vector<size_t>> &sizes)
{
    RunResult whole = runProgram(programPath(), args, input);
    for (const std::vector<size_t> &pieces : sizes) {
        RunResult run = runProgram(programPath(), args, input, inPieces(pieces));
        EXPECT_TRUE(run.out == whole.out) << "in pieces of " << pieces[0] << ": standard output differs";
        EXPECT_EQ(run.err, whole.err) << "in pieces of " << pieces[0];
        EXPECT_EQ(run.status, whole.status) << "in pieces of " << pieces[0];
    }
}

long sweepAllocationFailures(const std::vector<std::string> &args, const std::string &input,
                             const std::string &expected)
{
    const std::string program = std::filesystem::path(failallocPath()).filename().string();
    for (long k = 1; k <= 2000; k++) {
        RunOptions options;
        options.failAllocation = k;
        RunResult run = runProgram(failallocPath(), args, input, options);
        if (run.status == 0 && run.out == expected && run.err.empty())
            return k - 1;
        bool reported = run.out.empty() && run.err == program + ": out of memory\n" && run.status == 1;
        EXPECT_TRUE(reported) << "allocation " << k << " failed: status " << run.status << ", standard error '"
                              << run.err << "', standard output " << hex(run.out);
        if (!reported)
            return k;
    }
    ADD_FAILURE() << "no run without a failed allocation";
    return 0;
}

int zerosOf(size_t size)
{
    int fd = memfd_create("zeros", MFD_CLOEXEC);
    check(fd >= 0 && ftruncate(fd, static_cast<off_t>(size)) == 0, "memfd");
    return fd;
}

void expectOutput(const OutputCase &c)
{
    RunResult run = runProgram(programPath(), c.input);
    EXPECT_EQ(hex(run.out), hex(c.output));
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.status, 0);
}

void expectFault(const FaultCase &c)
{
    RunResult run = runProgram(programPath(), c.input, c.options);
    EXPECT_EQ(hex(run.out), hex(c.out));
    EXPECT_EQ(run.err, c.err);
    EXPECT_EQ(run.status, 1);
}

void expectExamplesMatch()
{
    ASSERT_FALSE(examplesDir().empty()) << "no --examples=DIR given";
    std::vector<std::string> names = exampleNames(examplesDir());
    ASSERT_FALSE(names.empty()) << "no examples in " << examplesDir();
    for (const std::string &name : names) {
        std::string base = examplesDir() + "/" + name;
        RunResult run = runProgram(programPath(), readFile(base + ".in"));
        std::string expected = readFile(base + ".out");
        EXPECT_EQ(hex(run.out), hex(expected)) << "example " << name;
        EXPECT_EQ(run.err, "") << "example " << name;
        EXPECT_EQ(run.status, 0) << "example " << name;
    }
}
