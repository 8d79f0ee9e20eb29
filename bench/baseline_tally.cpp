// The straightforward reading of tally that users have today, written for
// the benchmark: getchar for each byte, the first-seen list walked from its
// head, an exchange ranking and printf.  Not a part of the project.
#include <cstdio>
#include <cstdlib>

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

int main()
{
    ListNode *head = nullptr;
    int order = 0, c;
    while ((c = std::getchar()) != EOF)
        insertNode(&head, static_cast<unsigned char>(c), order++);
    for (ListNode *current = head; current != nullptr; current = current->next) {
        for (ListNode *index = current->next; index != nullptr; index = index->next) {
            if (current->frequency < index->frequency ||
                (current->frequency == index->frequency && current->order > index->order)) {
                ListNode t = *current;
                current->c = index->c, current->frequency = index->frequency, current->order = index->order;
                index->c = t.c, index->frequency = t.frequency, index->order = t.order;
            }
        }
    }
    for (ListNode *node = head; node != nullptr; node = node->next) {
        if (node->c == '\n')
            std::printf("'\\n' %d\n", node->frequency);
        else
            std::printf("'%c' %d\n", node->c, node->frequency);
    }
    return 0;
}
