#include "cli.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <err.h>

#ifndef BYTEFILTERS_VERSION
#error "BYTEFILTERS_VERSION must name the project's version"
#endif

void showSafely(const char *bytes, size_t n, char shown[SHOWN_ROOM])
{
    size_t used = 0;
    for (size_t i = 0; i < n && i < SHOWN_BYTES; i++) {
        auto b = static_cast<unsigned char>(bytes[i]);
        int put;
        if (b == '\'' || b == '\\')
            put = std::snprintf(shown + used, SHOWN_ROOM - used, "\\%c", b);
        else if (b >= 0x20 && b < 0x7F)
            put = std::snprintf(shown + used, SHOWN_ROOM - used, "%c", b);
        else
            put = std::snprintf(shown + used, SHOWN_ROOM - used, "\\x%02X", b);
        used += static_cast<size_t>(put);
    }
    std::snprintf(shown + used, SHOWN_ROOM - used, "%s", n > SHOWN_BYTES ? "..." : "");
}

static Request refuse(const char *arg)
{
    char shown[SHOWN_ROOM];
    showSafely(arg, std::strlen(arg), shown);
    warnx("unexpected argument '%s'", shown);
    std::fprintf(stderr, "usage: %s < FILE  (%s --help for more)\n", program_invocation_short_name,
                 program_invocation_short_name);
    return REQUEST_USAGE;
}

static Request written(int printed)
{
    if (printed < 0 || std::fflush(stdout) != 0 || std::ferror(stdout)) {
        warn("stdout");
        return REQUEST_FAILED;
    }
    return REQUEST_DONE;
}

Request takeArguments(const Interface *program, int argc, char **argv)
{
    if (argc < 2)
        return REQUEST_RUN;
    const char *arg = argv[1];
    bool help = std::strcmp(arg, "--help") == 0, version = std::strcmp(arg, "--version") == 0;
    bool own = program->option != nullptr && std::strcmp(arg, program->option) == 0;
    if (!help && !version && !own)
        return refuse(arg);
    // One argument at most: a second is never taken, whatever it is.
    if (argc > 2)
        return refuse(argv[2]);
    if (own)
        return REQUEST_OPTION;
    if (help)
        return written(std::fputs(program->help, stdout));
    return written(std::printf("%s (bytefilters) %s\n", program->name, BYTEFILTERS_VERSION));
}

int exitStatusOf(Request request)
{
    switch (request) {
    case REQUEST_DONE:
        return 0;
    case REQUEST_FAILED:
        return 1;
    case REQUEST_USAGE:
        return 2;
    case REQUEST_RUN:
    case REQUEST_OPTION:
        break;
    }
    return 0;
}
