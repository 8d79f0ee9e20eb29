// Runs PROGRAM RUNS times with standard input from INPUT and standard
// output to /dev/null, and prints the median wall time in seconds and the
// largest peak resident size in KiB:  measure RUNS INPUT PROGRAM
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

static double now()
{
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

int main(int argc, char **argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: measure RUNS INPUT PROGRAM\n");
        return 2;
    }
    int runs = std::atoi(argv[1]);
    std::vector<double> times;
    long peak = 0;
    for (int i = 0; i < runs; i++) {
        double start = now();
        pid_t pid = fork();
        if (pid == 0) {
            int in = open(argv[2], O_RDONLY);
            int out = open("/dev/null", O_WRONLY);
            if (in < 0 || out < 0 || dup2(in, 0) < 0 || dup2(out, 1) < 0)
                _exit(126);
            execl(argv[3], argv[3], static_cast<char *>(nullptr));
            _exit(127);
        }
        int status;
        rusage usage;
        if (pid < 0 || wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            std::fprintf(stderr, "measure: %s < %s failed\n", argv[3], argv[2]);
            return 1;
        }
        times.push_back(now() - start);
        peak = std::max(peak, usage.ru_maxrss);
    }
    std::sort(times.begin(), times.end());
    std::printf("%.6f %ld\n", times[times.size() / 2], peak);
    return 0;
}
