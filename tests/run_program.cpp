#include "run_program.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <sstream>
#include <stdexcept>
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

[[noreturn]] void startChild(const std::string &program, const RunOptions &options, int in[2], int out[2], int err[2])
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
    execl(program.c_str(), program.c_str(), static_cast<char *>(nullptr));
    _exit(127);
}

// Writes input and drains both outputs until the child closes them.
void pump(int inFd, const std::string &input, int outFd, int errFd, RunResult *result)
{
    size_t written = 0;
    if (input.empty()) {
        close(inFd);
        inFd = -1;
    }
    char buf[65536];
    while (outFd >= 0 || errFd >= 0) {
        pollfd fds[3] = {{outFd, POLLIN, 0}, {errFd, POLLIN, 0}, {inFd, POLLOUT, 0}};
        check(poll(fds, 3, -1) >= 0 || errno == EINTR, "poll");
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
        if (inFd >= 0 && fds[2].revents != 0) {
            size_t chunk = std::min<size_t>(input.size() - written, 65536);
            ssize_t put = write(inFd, input.data() + written, chunk);
            if (put > 0)
                written += static_cast<size_t>(put);
            if ((put < 0 && errno != EINTR && errno != EAGAIN) || written == input.size()) {
                close(inFd); // EPIPE: the program stopped reading, which it may
                inFd = -1;
            }
        }
    }
    if (inFd >= 0)
        close(inFd);
}

std::string program_;
std::string examples_;

} // namespace

// Runs program with input on a stream socket whose peer is closed with data
// of its own unread: the socket delivers the input, then fails with ECONNRESET.
static RunResult runWithReadFailure(const std::string &program, const std::string &input, RunOptions options)
{
    int ends[2];
    check(socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) == 0, "socketpair");
    check(write(ends[1], input.data(), input.size()) == static_cast<ssize_t>(input.size()), "write to socket");
    check(write(ends[0], "x", 1) == 1, "write to socket");
    close(ends[1]);
    options.readFails = false;
    options.stdinFd = ends[0];
    RunResult run = runProgram(program, "", options);
    close(ends[0]);
    return run;
}

RunResult runProgram(const std::string &program, const std::string &input, const RunOptions &options)
{
    if (options.readFails)
        return runWithReadFailure(program, input, options);
    signal(SIGPIPE, SIG_IGN);
    int in[2], out[2], err[2];
    check(pipe2(in, O_CLOEXEC) == 0 && pipe2(out, O_CLOEXEC) == 0 && pipe2(err, O_CLOEXEC) == 0, "pipe");
    pid_t pid = fork();
    check(pid >= 0, "fork");
    if (pid == 0)
        startChild(program, options, in, out, err);
    close(in[0]);
    close(out[1]);
    close(err[1]);
    fcntl(in[1], F_SETFL, O_NONBLOCK);

    RunResult result;
    pump(in[1], input, out[0], err[0], &result);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0)
        check(errno == EINTR, "waitpid");
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return result;
}

bool underAddressSanitizer()
{
#if defined(__SANITIZE_ADDRESS__)
    return true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
    return true;
#endif
#endif
    return false;
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

void setTestPaths(const std::string &program, const std::string &examples)
{
    program_ = program;
    examples_ = examples;
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
