// Checks the code: the code string walks the tree back to the input, its
// length is the weighted path length, and no code begins another.
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

#include "fuzz_support.h"
#include "huffman.h"
#include "text.h"

// Follows the code string down the tree from the root, a byte at each leaf.
static std::string decode(const ListNode *root, const char *bits, size_t length)
{
    std::string text;
    const ListNode *node = root;
    for (size_t i = 0; i < length; i++) {
        require(bits[i] == '0' || bits[i] == '1', "code string of 0 and 1");
        node = bits[i] == '0' ? node->left : node->right;
        require(node != nullptr, "code string follows the tree");
        if (node->left == nullptr) {
            text += static_cast<char>(node->c);
            node = root;
        }
    }
    require(node == root, "code string ends at a leaf");
    return text;
}

static void requirePrefixFree(char *const lookup[256])
{
    for (int a = 0; a < 256; a++) {
        for (int b = 0; b < 256; b++) {
            if (a != b && lookup[a] != nullptr && lookup[b] != nullptr)
                require(std::strncmp(lookup[a], lookup[b], std::strlen(lookup[a])) != 0, "no code begins another");
        }
    }
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    ListNode *head = nullptr;
    int32_t order = 0;
    TextBuffer text = {.bytes = nullptr, .length = 0, .room = 0};
    int fd = descriptorWith(data, size);
    require(readInput(fd, &text, &head, &order) == INPUT_EOF, "input read to its end");
    close(fd);
    require(text.length == size && std::memcmp(text.bytes, data, size) == 0, "text kept whole");

    require(buildHuffmanTree(&head), "tree built");
    ListNode *root = head;
    char code[256] = {};
    char *lookup[256] = {};
    require(generateCodes(root, code, 0, lookup), "codes allocated");
    Capture report;
    openCapture(&report);
    writeReport(report.stream, &text, lookup, calculateWeightedPathLength(root, 0));
    closeCapture(&report);

    std::string out(report.bytes, report.size);
    size_t bits = out.find('\n'), lastLf = out.rfind('\n');
    require(bits != std::string::npos && bits < lastLf, "three parts");
    require(std::to_string(bits) == out.substr(lastLf + 1), "length is the weighted path length");
    std::string input(reinterpret_cast<const char *>(data), size);
    require(out.substr(bits + 1, lastLf - bits - 1) == input.substr(0, input.find('\0')),
            "echo up to the first zero byte");
    if (root != nullptr && root->left != nullptr)
        require(decode(root, out.data(), bits) == input, "code string decodes to the input");
    else
        require(bits == 0, "a lone byte value has the empty code");
    requirePrefixFree(lookup);

    for (char *s : lookup)
        std::free(s);
    std::free(report.bytes);
    std::free(text.bytes);
    releaseTree(root);
    return 0;
}
