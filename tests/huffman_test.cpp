#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "huffman.h"
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
        *tail = makeNode({static_cast<unsigned char>(c++), count, 0, nullptr, nullptr, nullptr, nullptr, nullptr});
        tail = &(*tail)->next;
    }
    return head;
}

ListNode *listOf(const std::string &input)
{
    ListNode *head = nullptr;
    int32_t order = 0;
    EXPECT_EQ(insertBytes(&head, reinterpret_cast<const unsigned char *>(input.data()), input.size(), &order),
              INSERT_DONE);
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
                         [](const testing::TestParamInfo<ExtractCase> &info) { return info.param.name; });

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
    EXPECT_EQ(buildHuffmanTree(&head), nullptr);
    EXPECT_EQ(head, nullptr);
}

TEST(BuildHuffmanTree, SingleEntryIsTheRootUnchanged)
{
    ListNode *head = leaves({7});
    ListNode *leaf = head;
    EXPECT_EQ(buildHuffmanTree(&head), leaf);
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
    ListNode *root = buildHuffmanTree(&head);
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(shape(root), GetParam().shape);
    EXPECT_EQ(head, root);
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
                         [](const testing::TestParamInfo<ShapeCase> &info) { return info.param.name; });

TEST(GenerateCodes, LeafAndTableHoldSeparateCopiesOfThePath)
{
    ListNode *head = listOf("aabbbc");
    ListNode *root = buildHuffmanTree(&head);
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

    ListNode *head = listOf("aabbbc");
    ListNode *root = buildHuffmanTree(&head);
    EXPECT_EQ(calculateWeightedPathLength(root, 0), 9);
    releaseTree(root);
}

TEST(CalculateWeightedPathLength, DoesNotWrapPastThirtyTwoBits)
{
    // Leaves holding 2^31 - 1 bytes in all, at depth 2: twice that is past 2^31.
    ListNode *head = leaves({1 << 30, (1 << 30) - 1});
    ListNode *root = buildHuffmanTree(&head);
    ListNode *deeper = makeNode({0, 0, 0, nullptr, nullptr, root, leaves({1}), nullptr});
    EXPECT_EQ(calculateWeightedPathLength(deeper, 0), int64_t{2} * ((int64_t{1} << 31) - 1) + 1);
    releaseTree(deeper);
}

// A byte that would take position 2^31 is neither counted nor stored.
TEST(ReadInput, StopsBeforeThePositionOverflows)
{
    FILE *f = std::tmpfile();
    std::fputs("abc", f);
    std::rewind(f);
    TextBuffer text = {nullptr, 0, 0};
    ListNode *head = nullptr;
    int32_t order = INT32_MAX - 2;
    EXPECT_EQ(readInput(fileno(f), &text, &head, &order), READ_TOO_LONG);
    EXPECT_EQ(order, INT32_MAX);
    EXPECT_EQ(text.index, 2u);
    EXPECT_EQ(std::string(reinterpret_cast<char *>(text.bytes), text.index), "ab");
    std::fclose(f);
    std::free(text.bytes);
    releaseList(head);
}

} // namespace
