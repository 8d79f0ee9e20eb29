#include "huffman.h"

#include <cstdlib>
#include <cstring>

ListNode *extractMin(ListNode **head)
{
    if (*head == nullptr)
        return nullptr;
    ListNode *best = *head, *bestPrev = nullptr;
    for (ListNode *prev = *head, *current = prev->next; current != nullptr; prev = current, current = current->next) {
        // Only a strictly lower count displaces: ties go to the front.
        if (current->frequency < best->frequency) {
            best = current;
            bestPrev = prev;
        }
    }
    if (bestPrev == nullptr)
        *head = best->next;
    else
        bestPrev->next = best->next;
    return best;
}

ListNode *mergeTwoNodes(ListNode *first, ListNode *second)
{
    auto *node = static_cast<ListNode *>(std::malloc(sizeof(ListNode)));
    if (node != nullptr)
        *node = ListNode{.c = 0,
                         .frequency = first->frequency + second->frequency,
                         .order = 0,
                         .code = nullptr,
                         .parent = nullptr,
                         .left = first,
                         .right = second,
                         .next = nullptr};
    return node;
}

bool buildHuffmanTree(ListNode **head)
{
    while (*head != nullptr && (*head)->next != nullptr) {
        ListNode *first = extractMin(head);
        ListNode *second = extractMin(head);
        ListNode *combined = mergeTwoNodes(first, second);
        if (combined == nullptr)
            return false;
        combined->next = *head;
        *head = combined;
    }
    return true;
}

static char *copyCode(const char *code, int32_t length)
{
    char *s = static_cast<char *>(std::malloc(static_cast<size_t>(length) + 1));
    if (s != nullptr) {
        std::memcpy(s, code, static_cast<size_t>(length));
        s[length] = '\0';
    }
    return s;
}

bool generateCodes(ListNode *node, char code[256], int32_t length, char *lookup[256])
{
    if (node == nullptr)
        return true;
    if (node->left == nullptr && node->right == nullptr) {
        node->code = copyCode(code, length);
        lookup[node->c] = copyCode(code, length);
        return node->code != nullptr && lookup[node->c] != nullptr;
    }
    code[length] = '0';
    if (!generateCodes(node->left, code, length + 1, lookup))
        return false;
    code[length] = '1';
    return generateCodes(node->right, code, length + 1, lookup);
}

int64_t calculateWeightedPathLength(const ListNode *node, int32_t depth)
{
    if (node == nullptr)
        return 0;
    if (node->left == nullptr && node->right == nullptr)
        return int64_t{node->frequency} * depth;
    return calculateWeightedPathLength(node->left, depth + 1) + calculateWeightedPathLength(node->right, depth + 1);
}

void releaseTree(ListNode *node)
{
    if (node == nullptr)
        return;
    releaseTree(node->left);
    releaseTree(node->right);
    std::free(node->code);
    std::free(node);
}
