#include "table.h"

#include <cinttypes>
#include <cstdlib>
#include <cstring>

static_assert(sizeof(arc) <= 32 && sizeof(Head) <= 32, "records no larger than with a plain 20-byte name");
static_assert(sizeof(char *) < NAMEFIELD, "a long name's address fits before the mark");

int32_t grown_room(int32_t size)
{
    return size % 10 == 0 ? size + 10 : 0;
}

bool is_long(const char *field)
{
    return field[NAMEFIELD - 1] == LONGNAME;
}

const char *name_of(const char *field)
{
    if (!is_long(field))
        return field;
    const char *text;
    std::memcpy(&text, field, sizeof text);
    return text;
}

// Fills field with name, of length bytes: zero-padded in the field, or a
// heap copy's address and the mark.  False when a long name cannot be
// allocated.
static bool set_name(char *field, const char *name, size_t length)
{
    std::memset(field, 0, NAMEFIELD);
    if (length <= NAMEMAX) {
        std::memcpy(field, name, length);
        return true;
    }
    auto *text = static_cast<char *>(std::malloc(length + 1));
    if (text == nullptr)
        return false;
    std::memcpy(text, name, length + 1);
    std::memcpy(field, &text, sizeof text);
    field[NAMEFIELD - 1] = LONGNAME;
    return true;
}

static void free_name(char *field)
{
    if (is_long(field))
        std::free(const_cast<char *>(name_of(field)));
}

// The words of a name field, which the scan compares.
struct fieldwords {
    uint64_t a, b;
    uint32_t c;
};

static fieldwords words_of(const char *field)
{
    fieldwords w;
    std::memcpy(&w.a, field, 8);
    std::memcpy(&w.b, field + 8, 8);
    std::memcpy(&w.c, field + 16, 4);
    return w;
}

// The index of the entry named name, a short one laid out as key, or size.
static int32_t find_short(const Head *heads, int32_t size, const char *key)
{
    fieldwords k = words_of(key);
    for (int32_t i = 0; i < size; i++) {
        fieldwords e = words_of(heads[i].name);
        // One test for the three words: names alike in their first bytes,
        // as in a map's, would mislead a branch for each.
        if (((e.a ^ k.a) | (e.b ^ k.b) | (e.c ^ k.c)) == 0)
            return i;
    }
    return size;
}

// The index of the entry named name, a long one, or size: only long names
// are compared with it, and in full.
static int32_t find_long(const Head *heads, int32_t size, const char *name)
{
    for (int32_t i = 0; i < size; i++) {
        if (is_long(heads[i].name) && std::strcmp(name_of(heads[i].name), name) == 0)
            return i;
    }
    return size;
}

Head *find_or_create_head(Head **heads, int32_t *size, const char *name)
{
    size_t length = std::strlen(name);
    char key[NAMEFIELD] = {};
    if (length <= NAMEMAX)
        std::memcpy(key, name, length + 1);
    int32_t found = length <= NAMEMAX ? find_short(*heads, *size, key) : find_long(*heads, *size, name);
    if (found < *size)
        return &(*heads)[found];
    if (*size == INT32_MAX)
        return nullptr;
    if (int32_t room = grown_room(*size); room != 0) {
        void *moved = std::realloc(*heads, static_cast<size_t>(room) * sizeof(Head));
        if (moved == nullptr)
            return nullptr;
        *heads = static_cast<Head *>(moved);
    }
    Head *entry = &(*heads)[*size];
    if (!set_name(entry->name, name, length))
        return nullptr;
    entry->add = nullptr;
    (*size)++;
    return entry;
}

bool add_arc(Head *head, const char *name, float dist)
{
    auto *new_arc = static_cast<arc *>(std::malloc(sizeof(arc)));
    if (new_arc == nullptr)
        return false;
    if (!set_name(new_arc->name1, name, std::strlen(name))) {
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
            std::fprintf(out, "%s %" PRId64 "\n", name_of(heads[i].name), count);
    }
}

void release_table(Head *heads, int32_t size)
{
    for (int32_t i = 0; i < size; i++) {
        arc *a = heads[i].add;
        while (a != nullptr) {
            arc *next = a->next;
            free_name(a->name1);
            std::free(a);
            a = next;
        }
        free_name(heads[i].name);
    }
    std::free(heads);
}
