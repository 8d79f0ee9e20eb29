// The straightforward reading of prefixcode that users have today, written
// for the benchmark: getchar for each byte into a buffer (grown, as the
// benchmark's inputs are larger than a fixed one), the first-seen list, the
// tree by repeated least-count extraction, and printf of each code.  Not a
// part of the project.
#include <cstdio>
#include <cstdlib>
#include <cstring>

struct ListNode {
    unsigned char c;
    int frequency;
    int order;
    char *code;
    ListNode *parent, *left, *right, *next;
};

static void insertNode(ListNode **head, unsigned char c, int order)
{
    ListNode *prev = nullptr;
    for (ListNode *current = *head; current != nullptr; current = current->next) {
        if (current->c == c) {
            current->frequency++;
            return;
        }
        prev = current;
    }
    ListNode *node = static_cast<ListNode *>(std::calloc(1, sizeof(ListNode)));
    node->c = c;
    node->frequency = 1;
    node->order = order;
    if (prev == nullptr)
        *head = node;
    else
        prev->next = node;
}

static ListNode *extractMin(ListNode **head)
{
    ListNode *best = *head, *bestPrev = nullptr;
    for (ListNode *prev = *head, *current = prev->next; current != nullptr; prev = current, current = current->next) {
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

static void generateCodes(ListNode *node, char *code, int length, char *lookup[256])
{
    if (node == nullptr)
        return;
    if (node->left == nullptr && node->right == nullptr) {
        code[length] = '\0';
        lookup[node->c] = strdup(code);
        return;
    }
    code[length] = '0';
    generateCodes(node->left, code, length + 1, lookup);
    code[length] = '1';
    generateCodes(node->right, code, length + 1, lookup);
}

static long weightedPathLength(const ListNode *node, long depth)
{
    if (node == nullptr)
        return 0;
    if (node->left == nullptr && node->right == nullptr)
        return node->frequency * depth;
    return weightedPathLength(node->left, depth + 1) + weightedPathLength(node->right, depth + 1);
}

int main()
{
    ListNode *head = nullptr;
    size_t index = 0, room = 10000;
    char *input = static_cast<char *>(std::malloc(room));
    int c, order = 0;
    while ((c = std::getchar()) != EOF) {
        if (index + 1 == room)
            input = static_cast<char *>(std::realloc(input, room *= 2));
        input[index++] = static_cast<char>(c);
        insertNode(&head, static_cast<unsigned char>(c), order++);
    }
    input[index] = '\0';
    while (head != nullptr && head->next != nullptr) {
        ListNode *first = extractMin(&head), *second = extractMin(&head);
        ListNode *node = static_cast<ListNode *>(std::calloc(1, sizeof(ListNode)));
        node->frequency = first->frequency + second->frequency;
        node->left = first;
        node->right = second;
        node->next = head;
        head = node;
    }
    char code[256] = {};
    char *lookup[256] = {};
    generateCodes(head, code, 0, lookup);
    for (size_t i = 0; i < index; i++)
        std::printf("%s", lookup[static_cast<unsigned char>(input[i])]);
    std::printf("\n%s", input);
    std::printf("\n%ld", weightedPathLength(head, 0));
    return 0;
}
