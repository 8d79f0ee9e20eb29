// The straightforward reading of interchange that users have today, written
// for the benchmark: scanf for each record, names in fixed 20-byte arrays,
// strcmp in the scan, the table grown by 10.  Not a part of the project.
#include <cstdio>
#include <cstdlib>
#include <cstring>

struct arc {
    char name1[20];
    float dist;
    arc *next;
};

struct Head {
    char name[20];
    arc *add;
};

static Head *find_or_create_head(Head **heads, int *size, const char *name)
{
    for (int i = 0; i < *size; i++) {
        if (std::strcmp((*heads)[i].name, name) == 0)
            return &(*heads)[i];
    }
    if (*size % 10 == 0)
        *heads = static_cast<Head *>(std::realloc(*heads, static_cast<size_t>(*size + 10) * sizeof(Head)));
    Head *entry = &(*heads)[*size];
    std::memcpy(entry->name, name, std::strlen(name) + 1);
    entry->add = nullptr;
    (*size)++;
    return entry;
}

static void add_arc(Head *head, const char *name, float dist)
{
    arc *a = static_cast<arc *>(std::malloc(sizeof(arc)));
    std::memcpy(a->name1, name, std::strlen(name) + 1);
    a->dist = dist;
    a->next = head->add;
    head->add = a;
}

int main()
{
    int size = 0;
    Head *heads = static_cast<Head *>(std::malloc(10 * sizeof(Head)));
    char station1[20], station2[20];
    float dist;
    while (std::scanf("%19s %19s %f", station1, station2, &dist) == 3) {
        if (std::strcmp(station1, "END!") == 0 || std::strcmp(station2, "END!") == 0)
            break;
        add_arc(find_or_create_head(&heads, &size, station1), station2, dist);
        add_arc(find_or_create_head(&heads, &size, station2), station1, dist);
    }
    for (int i = 0; i < size; i++) {
        int count = 0;
        for (arc *a = heads[i].add; a != nullptr; a = a->next)
            count++;
        if (count > 2)
            std::printf("%s %d\n", heads[i].name, count);
    }
    for (int i = 0; i < size; i++) {
        for (arc *a = heads[i].add; a != nullptr;) {
            arc *next = a->next;
            std::free(a);
            a = next;
        }
    }
    std::free(heads);
    return 0;
}
