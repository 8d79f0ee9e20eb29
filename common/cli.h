#ifndef CLI_H
#define CLI_H

#include <cstddef>

// The command line shared by the four filters: they read standard input
// only, so the only arguments are --help, --version and at most one option
// of the program's own.

// What a program says about itself on its command line.
struct Interface {
    const char *name;   // the program's name, as in its --version line
    const char *help;   // the whole --help text
    const char *option; // the program's own option, such as "--dot", or null
};

// What the command line asks for.
enum Request {
    REQUEST_RUN,    // no argument: read standard input and answer
    REQUEST_OPTION, // the program's own option alone
    REQUEST_DONE,   // --help or --version, written to standard output: exit 0
    REQUEST_FAILED, // that text could not be written; the reason is on standard error: exit 1
    REQUEST_USAGE,  // any other argument; the usage is on standard error: exit 2
};

// Reads the command line.  Writes the help or version text itself, or, for
// an argument it does not take, two lines on standard error: the argument,
// its bytes shown safely, and the usage.
Request takeArguments(const Interface *program, int argc, char **argv);

// The exit status of a run that ends at its command line.
int exitStatusOf(Request request);

// At most this many bytes of an argument or an input item are shown.
constexpr size_t SHOWN_BYTES = 64;

// Room for what showSafely writes: four characters a byte, "..." and a zero.
constexpr size_t SHOWN_ROOM = 4 * SHOWN_BYTES + 4;

// Writes bytes[0..n) into shown as a terminal can show them in a message:
// printable ASCII as it is, the apostrophe and the backslash escaped, every
// other byte as \xHH, and "..." after the first SHOWN_BYTES when n is more.
void showSafely(const char *bytes, size_t n, char shown[SHOWN_ROOM]);

#endif
