#include <gtest/gtest.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <unistd.h>
#include <vector>

#include "tally.h"
#include "test_support.h"

using namespace std::string_literals;

namespace {

ListNode *count(const std::string &input)
{
    ListNode *head = nullptr;
    int32_t order = 0;
    int fd = fileWith(input);
    EXPECT_EQ(countInput(fd, &head, &order), INPUT_EOF);
    close(fd);
    return head;
}

std::string payloads(const ListNode *head)
{
    std::string s;
    for (; head != nullptr; head = head->next) {
        s += static_cast<char>(head->c);
        s += std::to_string(head->frequency);
        s += '@';
        s += std::to_string(head->order);
        s += ' ';
    }
    return s;
}

TEST(SortList, MovesPayloadsAndKeepsTheChain)
{
    ListNode *head = count("ba\0ab\n"s);
    std::vector<ListNode *> chain;
    for (ListNode *n = head; n != nullptr; n = n->next)
        chain.push_back(n);

    ListNode *before = head;
    sortList(&head);

    EXPECT_EQ(head, before);
    std::vector<ListNode *> after;
    for (ListNode *n = head; n != nullptr; n = n->next)
        after.push_back(n);
    EXPECT_EQ(after, chain);
    EXPECT_EQ(payloads(head), "b2@0 a2@1 "s + '\0' + "1@2 \n1@5 ");
    releaseList(head);
}

TEST(SortList, TiesGoToTheEarlierFirstOccurrenceWhereverTheyStand)
{
    // Counts 1,3,2,3,1: both threes rank before the two, the earlier three first.
    ListNode *head = count("abcdbcdbd"
                           "e");
    sortList(&head);
    EXPECT_EQ(payloads(head), "b3@1 d3@3 c2@2 a1@0 e1@9 ");
    releaseList(head);
}

TEST(SortList, EmptyListStaysEmpty)
{
    ListNode *head = nullptr;
    sortList(&head);
    EXPECT_EQ(head, nullptr);
}

TEST(CountInput, PositionsCarryAcrossReadBlocks)
{
    std::string input(200000, 'a');
    input[70000] = 'b';
    input += 'c';
    ListNode *head = count(input);
    EXPECT_EQ(payloads(head), "a199999@0 b1@70000 c1@200000 ");
    releaseList(head);
}

struct LimitCase {
    const char *name;
    int32_t start;
    std::string input;
    InputEnd end;
    int32_t orderAfter;
};

class CountInputLimit : public testing::TestWithParam<LimitCase> {};

// The 2,147,483,647th byte is the last that fits; the next is refused before
// it is counted, so no count or position ever overflows.
TEST_P(CountInputLimit, StopsBeforeThePositionOverflows)
{
    const LimitCase &c = GetParam();
    ListNode *head = nullptr;
    int32_t order = c.start;
    int fd = fileWith(c.input);
    EXPECT_EQ(countInput(fd, &head, &order), c.end);
    close(fd);
    EXPECT_EQ(order, c.orderAfter);
    int32_t counted = 0;
    for (ListNode *n = head; n != nullptr; n = n->next)
        counted += n->frequency;
    EXPECT_EQ(counted, c.orderAfter - c.start);
    releaseList(head);
}

INSTANTIATE_TEST_SUITE_P(Limits, CountInputLimit,
                         testing::Values(LimitCase{"LastBytesFit", INT32_MAX - 2, "ab", INPUT_EOF, INT32_MAX},
                                         LimitCase{"OneTooMany", INT32_MAX - 2, "abc", INPUT_TOO_LONG, INT32_MAX},
                                         LimitCase{"AlreadyFull", INT32_MAX, "a", INPUT_TOO_LONG, INT32_MAX}),
                         CaseName());

TEST(CountInput, ReadFailureIsReportedNotTakenForTheEnd)
{
    int fd = open(".", O_RDONLY | O_DIRECTORY);
    ASSERT_GE(fd, 0);
    ListNode *head = nullptr;
    int32_t order = 0;
    EXPECT_EQ(countInput(fd, &head, &order), INPUT_READ_FAIL);
    EXPECT_EQ(errno, EISDIR);
    close(fd);
}

TEST(PrintList, EscapesOnlyTheLineFeed)
{
    ListNode *head = count("\n\r\0\x80\t"s);
    char *text = nullptr;
    size_t size = 0;
    FILE *out = open_memstream(&text, &size);
    printList(head, out);
    std::fclose(out);
    EXPECT_EQ(std::string(text, size), "'\\n' 1\n'\r' 1\n'\0' 1\n'\x80' 1\n'\t' 1\n"s);
    std::free(text);
    releaseList(head);
}

} // namespace
