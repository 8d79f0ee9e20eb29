#include "freqlist.h"

#include <new>

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

    ListNode *newNode = new (std::nothrow) ListNode{c, 1, order, nullptr, nullptr, nullptr, nullptr, nullptr};
    if (newNode == nullptr)
        return false;
    if (prev == nullptr)
        *head = newNode;
    else
        prev->next = newNode;
    return true;
}
