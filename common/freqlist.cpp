#include "freqlist.h"

#include <cstdlib>

bool insertNode(ListNode **head, unsigned char c, int32_t order)
{
    ListNode *prev = nullptr;
    for (ListNode *current = *head; current != nullptr; current = current->next) {
        if (current->c == c) {
            current->frequency++;
            return true;
        }
        prev = current;
    }

    // malloc rather than new: the programs then need no C++ runtime library,
    // whose loading was a third of their start-up time.
    auto *newNode = static_cast<ListNode *>(std::malloc(sizeof(ListNode)));
    if (newNode == nullptr)
        return false;
    *newNode = ListNode{.c = c,
                        .frequency = 1,
                        .order = order,
                        .code = nullptr,
                        .parent = nullptr,
                        .left = nullptr,
                        .right = nullptr,
                        .next = nullptr};
    if (prev == nullptr)
        *head = newNode;
    else
        prev->next = newNode;
    return true;
}

InputEnd insertBytes(ListNode **head, const unsigned char *bytes, size_t n, int32_t *order)
{
    // A local position and head: through the pointers they would be stored
    // and loaded again around every byte, while insertNode, inlined here,
    // keeps locals in registers.
    int32_t position = *order;
    ListNode *first = *head;
    InputEnd end = INPUT_MORE;
    for (size_t i = 0; i < n && end == INPUT_MORE; i++) {
        if (position == INT32_MAX)
            end = INPUT_TOO_LONG;
        else if (!insertNode(&first, bytes[i], position))
            end = INPUT_NO_MEMORY;
        else
            position++;
    }
    *head = first;
    *order = position;
    return end;
}

void releaseList(ListNode *head)
{
    while (head != nullptr) {
        ListNode *next = head->next;
        std::free(head);
        head = next;
    }
}
