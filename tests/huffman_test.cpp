#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

#include "huffman.h"
#include "test_support.h"
#include "text.h"

using namespace std::string_literals;

namespace {

ListNode *makeNode(const ListNode &value)
{
    auto *node = static_cast<ListNode *>(std::malloc(sizeof(ListNode)));
    *node = value;
    return node;
}

// A list of leaves named 'a', 'b', ... with the given counts, front first.
ListNode *leaves(const std::vector<int32_t> &counts)
{
    ListNode *head = nullptr;
    ListNode **tail = &head;
    char c = 'a';
    for (int32_t count : counts) {
        *tail = makeNode({.c = static_cast<unsigned char>(c++),
                          .frequency = count,
                          .order = 0,
                          .code = nullptr,
                          .parent = nullptr,
                          .left = nullptr,
                          .right = nullptr,
                          .next = nullptr});
        tail = &(*tail)->next;
    }
    return head;
}

ListNode *listOf(const std::string &input)
{
    ListNode *head = nullptr;
    int32_t order = 0;
    EXPECT_EQ(insertBytes(&head, reinterpret_cast<const unsigned char *>(input.data()), input.size(), &order),
              INPUT_MORE);
    return head;
}

ListNode *treeOf(const std::string &input)
{
    ListNode *head = listOf(input);
    EXPECT_TRUE(buildHuffmanTree(&head));
    return head;
}

std::string names(const ListNode *head)
{
    std::string s;
    for (; head != nullptr; head = head->next)
        s += static_cast<char>(head->c);
    return s;
}

// A leaf is its byte; an internal node is "(left right)".
std::string shape(const ListNode *node)
{
    if (node->left == nullptr && node->right == nullptr)
        return std::string(1, static_cast<char>(node->c));
    std::string s = "(";
    s += shape(node->left);
    s += ' ';
    s += shape(node->right);
    s += ')';
    return s;
}

struct ExtractCase {
    const char *name;
    std::vector<int32_t> counts;
    char taken;
    std::string left;
};

class ExtractMin : public testing::TestWithParam<ExtractCase> {};

TEST_P(ExtractMin, TakesTheFrontmostLeastFrequentEntry)
{
    ListNode *head = leaves(GetParam().counts);
    ListNode *min = extractMin(&head);
    ASSERT_NE(min, nullptr);
    EXPECT_EQ(min->c, GetParam().taken);
    EXPECT_EQ(names(head), GetParam().left);
    releaseList(head);
    std::free(min);
}

INSTANTIATE_TEST_SUITE_P(Lists, ExtractMin,
                         testing::Values(ExtractCase{"OnlyEntry", {4}, 'a', ""},
                                         ExtractCase{"TieAtTheFront", {1, 2, 1}, 'a', "bc"},
                                         ExtractCase{"MinimumOnlyAtTheEnd", {3, 2, 1}, 'c', "ab"},
                                         ExtractCase{"MinimumInTheMiddle", {3, 1, 2, 1}, 'b', "acd"}),
                         CaseName());

TEST(ExtractMin, EmptyListGivesNullAndStaysEmpty)
{
    ListNode *head = nullptr;
    EXPECT_EQ(extractMin(&head), nullptr);
    EXPECT_EQ(head, nullptr);
}

TEST(ExtractMin, LastEntryTakenLeavesItsPredecessorLast)
{
    ListNode *head = leaves({2, 1});
    ListNode *min = extractMin(&head);
    EXPECT_EQ(head->next, nullptr);
    releaseList(head);
    std::free(min);
}

TEST(BuildHuffmanTree, EmptyListGivesNoTree)
{
    ListNode *head = nullptr;
    EXPECT_TRUE(buildHuffmanTree(&head));
    EXPECT_EQ(head, nullptr);
}

TEST(BuildHuffmanTree, SingleEntryIsTheRootUnchanged)
{
    ListNode *head = leaves({7});
    ListNode *leaf = head;
    EXPECT_TRUE(buildHuffmanTree(&head));
    EXPECT_EQ(head, leaf);
    EXPECT_EQ(leaf->left, nullptr);
    EXPECT_EQ(leaf->right, nullptr);
    EXPECT_EQ(leaf->frequency, 7);
    releaseTree(leaf);
}

struct ShapeCase {
    const char *name;
    std::string input;
    std::string shape;
};

class TreeShape : public testing::TestWithParam<ShapeCase> {};

TEST_P(TreeShape, FollowsTheSelectionOrder)
{
    const std::string &input = GetParam().input;
    ListNode *head = listOf(input);
    ASSERT_TRUE(buildHuffmanTree(&head));
    ListNode *root = head;
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(shape(root), GetParam().shape);
    EXPECT_EQ(root->next, nullptr);
    EXPECT_EQ(root->frequency, static_cast<int32_t>(input.size()));
    releaseTree(root);
}

INSTANTIATE_TEST_SUITE_P(Inputs, TreeShape,
                         testing::Values(ShapeCase{"TwoEqualLeavesEarlierLeft", "ab", "(a b)"},
                                         ShapeCase{"RarerLaterLeafLeft", "bba", "(a b)"},
                                         ShapeCase{"InternalBeforeEqualLeaf", "aabbbc", "((c a) b)"},
                                         ShapeCase{"NewerInternalBeforeOlder", "abcd", "((c d) (a b))"},
                                         ShapeCase{"Abracadabra", "abracadabra", "(a (r ((c d) b)))"}),
                         CaseName());

TEST(GenerateCodes, LeafAndTableHoldSeparateCopiesOfThePath)
{
    ListNode *root = treeOf("aabbbc");
    char code[256] = {};
    char *lookup[256] = {};
    ASSERT_TRUE(generateCodes(root, code, 0, lookup));

    const ListNode *c = root->left->left, *a = root->left->right, *b = root->right;
    EXPECT_STREQ(c->code, "00");
    EXPECT_STREQ(a->code, "01");
    EXPECT_STREQ(b->code, "1");
    EXPECT_EQ(root->code, nullptr);
    EXPECT_EQ(root->left->code, nullptr);
    for (const ListNode *leaf : {a, b, c}) {
        EXPECT_STREQ(lookup[leaf->c], leaf->code);
        EXPECT_NE(lookup[leaf->c], leaf->code);
    }
    int set = 0;
    for (char *s : lookup) {
        set += s != nullptr;
        std::free(s);
    }
    EXPECT_EQ(set, 3);
    releaseTree(root);
}

TEST(GenerateCodes, SingleLeafGetsTheEmptyCodeNotNull)
{
    ListNode *root = leaves({3});
    char code[256] = {};
    char *lookup[256] = {};
    ASSERT_TRUE(generateCodes(root, code, 0, lookup));
    EXPECT_STREQ(root->code, "");
    EXPECT_STREQ(lookup[static_cast<unsigned char>('a')], "");
    std::free(lookup[static_cast<unsigned char>('a')]);
    releaseTree(root);
}

TEST(CalculateWeightedPathLength, SumsCountTimesDepth)
{
    EXPECT_EQ(calculateWeightedPathLength(nullptr, 0), 0);
    ListNode *single = leaves({9});
    EXPECT_EQ(calculateWeightedPathLength(single, 0), 0);
    releaseTree(single);

    ListNode *root = treeOf("aabbbc");
    EXPECT_EQ(calculateWeightedPathLength(root, 0), 9);
    releaseTree(root);
}

TEST(CalculateWeightedPathLength, DoesNotWrapPastThirtyTwoBits)
{
    // Leaves holding 2^31 - 1 bytes in all, at depth 2: twice that is past 2^31.
    ListNode *root = leaves({1 << 30, (1 << 30) - 1});
    ASSERT_TRUE(buildHuffmanTree(&root));
    ListNode *deeper = makeNode({.c = 0,
                                 .frequency = 0,
                                 .order = 0,
                                 .code = nullptr,
                                 .parent = nullptr,
                                 .left = root,
                                 .right = leaves({1}),
                                 .next = nullptr});
    EXPECT_EQ(calculateWeightedPathLength(deeper, 0), int64_t{2} * ((int64_t{1} << 31) - 1) + 1);
    releaseTree(deeper);
}

// A byte that would take position 2^31 is neither counted nor stored.
TEST(ReadInput, StopsBeforeThePositionOverflows)
{
    int ends[2];
    ASSERT_EQ(pipe(ends), 0);
    ASSERT_EQ(write(ends[1], "abc", 3), 3);
    close(ends[1]);
    TextBuffer text = {.bytes = nullptr, .length = 0, .room = 0};
    ListNode *head = nullptr;
    int32_t order = INT32_MAX - 2;
    EXPECT_EQ(readInput(ends[0], &text, &head, &order), INPUT_TOO_LONG);
    close(ends[0]);
    EXPECT_EQ(order, INT32_MAX);
    EXPECT_EQ(std::string(reinterpret_cast<char *>(text.bytes), text.length), "ab");
    std::free(text.bytes);
    releaseList(head);
}

// A file too long to count is refused before a byte of it is read.
TEST(ReadInput, RefusesALongFileUnread)
{
    FILE *f = std::tmpfile();
    std::fputs("xabc", f);
    std::fflush(f);
    lseek(fileno(f), 1, SEEK_SET);
    TextBuffer text = {.bytes = nullptr, .length = 0, .room = 0};
    ListNode *head = nullptr;
    int32_t order = INT32_MAX - 2;
    EXPECT_EQ(readInput(fileno(f), &text, &head, &order), INPUT_TOO_LONG);
    EXPECT_EQ(order, INT32_MAX - 2);
    EXPECT_EQ(head, nullptr);
    order = INT32_MAX - 3;
    EXPECT_EQ(readInput(fileno(f), &text, &head, &order), INPUT_EOF);
    EXPECT_EQ(std::string(reinterpret_cast<char *>(text.bytes), text.length), "abc");
    std::fclose(f);
    std::free(text.bytes);
    releaseList(head);
}

// Without a text to keep, the bytes are counted and nothing is stored.
TEST(ReadInput, CountsWithoutKeepingWhenThereIsNoText)
{
    FILE *f = std::tmpfile();
    std::fputs("abracadabra", f);
    std::rewind(f);
    ListNode *head = nullptr;
    int32_t order = 0;
    EXPECT_EQ(readInput(fileno(f), nullptr, &head, &order), INPUT_EOF);
    EXPECT_EQ(order, 11);
    EXPECT_EQ(names(head), "abrcd");
    std::fclose(f);
    releaseList(head);
}

} // namespace
