// prefixcode: writes standard input in its own Huffman code, echoes it, and
// gives the weighted path length of the code tree.
#include <cstdio>
#include <cstdlib>
#include <err.h>
#include <unistd.h>

#include "cli.h"
#include "huffman.h"
#include "text.h"
#include "treedot.h"

static const Interface prefixcodeInterface = {
    .name = "prefixcode",
    .help = "usage: prefixcode < FILE\n"
            "       prefixcode --dot < FILE\n"
            "\n"
            "Builds a Huffman code for the bytes of standard input and writes to\n"
            "standard output the input in that code (the characters 0 and 1), a line\n"
            "feed, the input up to its first NUL byte, a line feed and the weighted\n"
            "path length of the code tree, with no final line feed.\n"
            "\n"
            "  --dot      write the code tree as a Graphviz digraph instead\n"
            "  --help     show this text\n"
            "  --version  show the version\n"
            "\n"
            "Exit status: 0 when the answer is written; 1 when input, output or\n"
            "memory fails or the input is longer than 2147483647 bytes, with one line\n"
            "on standard error; 2 for an argument it does not take.\n"
            "\n"
            "Example:  printf 'aabbbc' | prefixcode --dot | dot -Tsvg > tree.svg\n"
            "See prefixcode(1) for more.\n",
    .option = "--dot",
};

static void releaseCodes(char *lookup[256])
{
    for (int c = 0; c < 256; c++)
        std::free(lookup[c]);
}

int main(int argc, char **argv)
{
    Request request = takeArguments(&prefixcodeInterface, argc, argv);
    if (request != REQUEST_RUN && request != REQUEST_OPTION)
        return exitStatusOf(request);
    bool dot = request == REQUEST_OPTION;

    ListNode *head = nullptr;
    int32_t order = 0;
    // The tree alone needs no copy of the text.
    TextBuffer text = {.bytes = nullptr, .length = 0, .room = 0};
    InputEnd end = readInput(STDIN_FILENO, dot ? nullptr : &text, &head, &order);
    // A count that no longer fits, or a list missing an entry, would give wrong codes.
    if (end == INPUT_TOO_LONG || end == INPUT_NO_MEMORY) {
        std::free(text.bytes);
        warnx("%s", end == INPUT_TOO_LONG ? "input longer than 2147483647 bytes" : "out of memory");
        return 1;
    }
    // What was read before a failed read is still coded and reported.
    if (end == INPUT_READ_FAIL)
        warn("stdin");

    char *lookup[256] = {};
    char code[256] = {};
    bool coded = buildHuffmanTree(&head) && generateCodes(head, code, 0, lookup);
    ListNode *huffmanTree = head;
    if (coded && dot)
        writeTreeDot(stdout, huffmanTree);
    else if (coded)
        writeReport(stdout, &text, lookup, calculateWeightedPathLength(huffmanTree, 0));
    releaseCodes(lookup);
    std::free(text.bytes);

    if (!coded) {
        warnx("out of memory");
        return 1;
    }
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        warn("stdout");
        return 1;
    }
    return end == INPUT_EOF ? 0 : 1;
}
