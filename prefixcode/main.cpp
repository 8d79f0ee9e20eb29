// prefixcode: writes standard input in its own Huffman code, echoes it, and
// gives the weighted path length of the code tree.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

#include "huffman.h"
#include "text.h"

static int fail(const char *what, int err)
{
    if (err != 0)
        std::fprintf(stderr, "prefixcode: %s: %s\n", what, std::strerror(err));
    else
        std::fprintf(stderr, "prefixcode: %s\n", what);
    return 1;
}

static void releaseCodes(char *lookup[256])
{
    for (int c = 0; c < 256; c++)
        std::free(lookup[c]);
}

int main()
{
    ListNode *head = nullptr;
    int32_t order = 0;
    TextBuffer text = {nullptr, 0, 0};
    char *lookup[256] = {};
    char code[256] = {};

    ReadEnd end = readInput(STDIN_FILENO, &text, &head, &order);
    int readErr = errno;
    // A count that no longer fits, or a list missing an entry, would give wrong codes.
    if (end == READ_TOO_LONG || end == READ_NO_MEMORY) {
        std::free(text.bytes);
        return fail(end == READ_TOO_LONG ? "input longer than 2147483647 bytes" : "out of memory", 0);
    }

    bool empty = head == nullptr;
    ListNode *huffmanTree = buildHuffmanTree(&head);
    if ((huffmanTree == nullptr && !empty) || !generateCodes(huffmanTree, code, 0, lookup)) {
        releaseCodes(lookup);
        std::free(text.bytes);
        return fail("out of memory", 0);
    }

    writeReport(stdout, &text, lookup, calculateWeightedPathLength(huffmanTree, 0));
    releaseCodes(lookup);
    std::free(text.bytes);
    if (std::fflush(stdout) != 0 || std::ferror(stdout))
        return fail("stdout", errno);
    if (end == READ_FAIL)
        return fail("stdin", readErr);
    return 0;
}
