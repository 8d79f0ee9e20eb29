#include "table.h"

#include <cinttypes>
#include <cstdlib>
#include <cstring>

int32_t grown_room(int32_t size)
{
    return size % 10 == 0 ? size + 10 : 0;
}

const char *name_of(const stationname *n)
{
    return n->longtext != nullptr ? n->longtext : n->text;
}

// Copies name into n; false when a long name cannot be allocated.
static bool set_name(stationname *n, const char *name)
{
    size_t length = std::strlen(name);
    n->longtext = nullptr;
    if (length < sizeof n->text) {
        std::memcpy(n->text, name, length + 1);
        return true;
    }
    n->text[0] = '\0';
    n->longtext = static_cast<char *>(std::malloc(length + 1));
    if (n->longtext == nullptr)
        return false;
    std::memcpy(n->longtext, name, length + 1);
    return true;
}

Head *find_or_create_head(Head **heads, int32_t *size, const char *name)
{
    for (int32_t i = 0; i < *size; i++) {
        if (std::strcmp(name_of(&(*heads)[i].name), name) == 0)
            return &(*heads)[i];
    }
    if (*size == INT32_MAX)
        return nullptr;
    if (int32_t room = grown_room(*size); room != 0) {
        void *moved = std::realloc(*heads, static_cast<size_t>(room) * sizeof(Head));
        if (moved == nullptr)
            return nullptr;
        *heads = static_cast<Head *>(moved);
    }
    Head *entry = &(*heads)[*size];
    if (!set_name(&entry->name, name))
        return nullptr;
    entry->add = nullptr;
    (*size)++;
    return entry;
}

bool add_arc(Head *head, const char *name, float dist)
{
    arc *new_arc = static_cast<arc *>(std::malloc(sizeof(arc)));
    if (new_arc == nullptr)
        return false;
    if (!set_name(&new_arc->name1, name)) {
        std::free(new_arc);
        return false;
    }
    new_arc->dist = dist;
    new_arc->next = head->add;
    head->add = new_arc;
    return true;
}

int64_t count_arcs(const Head *entry)
{
    int64_t count = 0;
    for (const arc *a = entry->add; a != nullptr; a = a->next)
        count++;
    return count;
}

void print_transfer_stations(const Head *heads, int32_t size, FILE *out)
{
    for (int32_t i = 0; i < size; i++) {
        int64_t count = count_arcs(&heads[i]);
        if (count > 2)
            std::fprintf(out, "%s %" PRId64 "\n", name_of(&heads[i].name), count);
    }
}

void release_table(Head *heads, int32_t size)
{
    for (int32_t i = 0; i < size; i++) {
        arc *a = heads[i].add;
        while (a != nullptr) {
            arc *next = a->next;
            std::free(a->name1.longtext);
            std::free(a);
            a = next;
        }
        std::free(heads[i].name.longtext);
    }
    std::free(heads);
}
