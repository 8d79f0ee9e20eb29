#include "tally.h"

#include <cerrno>
#include <cinttypes>
#include <unistd.h>
#include <utility>

InputEnd countInput(int fd, ListNode **head, int32_t *order)
{
    unsigned char block[INPUT_BLOCK];
    for (;;) {
        ssize_t got = read(fd, block, sizeof block);
        if (got == 0)
            return INPUT_EOF;
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return INPUT_READ_FAIL;
        }
        InputEnd end = insertBytes(head, block, static_cast<size_t>(got), order);
        if (end != INPUT_MORE)
            return end;
    }
}

// True when b's payload must stand before a's.
static bool ranksAbove(const ListNode *b, const ListNode *a)
{
    return a->frequency < b->frequency || (a->frequency == b->frequency && a->order > b->order);
}

void sortList(ListNode **head)
{
    for (ListNode *current = *head; current != nullptr; current = current->next) {
        for (ListNode *index = current->next; index != nullptr; index = index->next) {
            if (ranksAbove(index, current)) {
                std::swap(current->c, index->c);
                std::swap(current->frequency, index->frequency);
                std::swap(current->order, index->order);
            }
        }
    }
}

void printList(ListNode *head, FILE *out)
{
    for (ListNode *node = head; node != nullptr; node = node->next) {
        if (node->c == '\n')
            std::fprintf(out, "'\\n' %" PRId32 "\n", node->frequency);
        else
            std::fprintf(out, "'%c' %" PRId32 "\n", node->c, node->frequency);
    }
}
