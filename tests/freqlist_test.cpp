#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "freqlist.h"
#include "test_support.h"

using namespace std::string_literals;

namespace {

struct Entry {
    int c;
    int32_t frequency;
    int32_t order;
    bool operator==(const Entry &) const = default;
};

void PrintTo(const Entry &e, std::ostream *os)
{
    *os << "{0x" << std::hex << e.c << std::dec << ", " << e.frequency << ", " << e.order << "}";
}

// Builds the list of input the way a program does: one call per byte.
ListNode *build(const std::string &input)
{
    ListNode *head = nullptr;
    int32_t order = 0;
    for (unsigned char byte : input)
        EXPECT_TRUE(insertNode(&head, byte, order++));
    return head;
}

std::vector<Entry> entries(const ListNode *head)
{
    std::vector<Entry> out;
    for (; head != nullptr; head = head->next)
        out.push_back({head->c, head->frequency, head->order});
    return out;
}

TEST(InsertNode, FirstCallInstallsALeafAsHead)
{
    ListNode *head = nullptr;
    ASSERT_TRUE(insertNode(&head, 'x', 0));
    ASSERT_NE(head, nullptr);
    EXPECT_EQ(entries(head), (std::vector<Entry>{{'x', 1, 0}}));
    EXPECT_EQ(head->code, nullptr);
    EXPECT_EQ(head->parent, nullptr);
    EXPECT_EQ(head->left, nullptr);
    EXPECT_EQ(head->right, nullptr);
    EXPECT_EQ(head->next, nullptr);
    releaseList(head);
}

TEST(InsertNode, RepeatChangesOnlyTheCountOfItsEntry)
{
    ListNode *head = build("ab");
    ListNode *first = head, *second = head->next;
    ASSERT_TRUE(insertNode(&head, 'a', 2));
    EXPECT_EQ(head, first);
    EXPECT_EQ(head->next, second);
    EXPECT_EQ(entries(head), (std::vector<Entry>{{'a', 2, 0}, {'b', 1, 1}}));
    releaseList(head);
}

struct ListCase {
    const char *name;
    std::string input;
    std::vector<Entry> expected;
};

class InsertNodeList : public testing::TestWithParam<ListCase> {};

TEST_P(InsertNodeList, EntriesInFirstSeenOrderWithCountsAndFirstPositions)
{
    ListNode *head = build(GetParam().input);
    EXPECT_EQ(entries(head), GetParam().expected);
    releaseList(head);
}

std::string allBytes()
{
    std::string s;
    for (int b = 255; b >= 0; b--)
        s += static_cast<char>(b);
    return s;
}

std::vector<Entry> allBytesOnce()
{
    std::vector<Entry> v;
    for (int b = 255; b >= 0; b--)
        v.push_back({b, 1, 255 - b});
    return v;
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, InsertNodeList,
    testing::Values(
        ListCase{"Empty", "", {}},
        ListCase{"Hello", "hello\n", {{'h', 1, 0}, {'e', 1, 1}, {'l', 2, 2}, {'o', 1, 4}, {'\n', 1, 5}}},
        ListCase{"ZeroByteIsOrdinary", "\0a\0\0"s, {{0, 3, 0}, {'a', 1, 1}}},
        ListCase{"GbkBytesEachTheirOwn", "\xD6\xD0\xD6\xD0", {{0xD6, 2, 0}, {0xD0, 2, 1}}},
        ListCase{"HighBitDistinctFromLow", "\x80\x00\xFF\x7F"s, {{0x80, 1, 0}, {0, 1, 1}, {0xFF, 1, 2}, {0x7F, 1, 3}}},
        ListCase{"AllByteValuesOnce", allBytes(), allBytesOnce()}),
    CaseName());

} // namespace
