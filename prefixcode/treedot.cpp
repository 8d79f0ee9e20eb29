#include "treedot.h"

#include <cinttypes>
#include <cstdint>

void showByte(unsigned char c, char shown[5])
{
    switch (c) {
    case '\n':
        std::snprintf(shown, 5, "\\n");
        break;
    case '\t':
        std::snprintf(shown, 5, "\\t");
        break;
    case '\r':
        std::snprintf(shown, 5, "\\r");
        break;
    case '\'':
    case '\\':
        std::snprintf(shown, 5, "\\%c", c);
        break;
    default:
        if (c >= 0x20 && c < 0x7F)
            std::snprintf(shown, 5, "%c", c);
        else
            std::snprintf(shown, 5, "\\x%02X", c);
    }
}

// Writes text inside a DOT string: its backslashes and quotes escaped, so
// that Graphviz shows it as it is.
static void putEscaped(FILE *out, const char *text)
{
    for (; *text != '\0'; text++) {
        if (*text == '\\' || *text == '"')
            std::putc('\\', out);
        std::putc(*text, out);
    }
}

static void writeLeaf(FILE *out, const ListNode *leaf, int32_t id)
{
    char shown[5];
    showByte(leaf->c, shown);
    std::fprintf(out, "    n%" PRId32 " [shape=box, label=\"'", id);
    putEscaped(out, shown);
    std::fprintf(out, "' %" PRId32 "\\n%s\"];\n", leaf->frequency, leaf->code[0] != '\0' ? leaf->code : "(empty code)");
}

// Writes node, numbered id, and everything below it; returns the first
// number not used.  Every internal node has both children.
static int32_t writeNode(FILE *out, const ListNode *node, int32_t id)
{
    if (node == nullptr)
        return id;
    if (node->left == nullptr && node->right == nullptr) {
        writeLeaf(out, node, id);
        return id + 1;
    }
    std::fprintf(out, "    n%" PRId32 " [label=\"%" PRId32 "\"];\n", id, node->frequency);
    int32_t next = id + 1;
    std::fprintf(out, "    n%" PRId32 " -> n%" PRId32 " [label=\"0\"];\n", id, next);
    next = writeNode(out, node->left, next);
    std::fprintf(out, "    n%" PRId32 " -> n%" PRId32 " [label=\"1\"];\n", id, next);
    return writeNode(out, node->right, next);
}

void writeTreeDot(FILE *out, const ListNode *root)
{
    // ordering=out keeps each node's 0 edge, written first, on the left.
    std::fputs("digraph prefixcode {\n"
               "    graph [rankdir=TB, ordering=out];\n"
               "    node [shape=circle, fontname=\"Helvetica\"];\n"
               "    edge [fontname=\"Helvetica\"];\n",
               out);
    if (root != nullptr)
        writeNode(out, root, 0);
    std::fputs("}\n", out);
}
