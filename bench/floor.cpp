// The floor of each program: its core over input already in memory, with
// the answer written to memory.  bench/run compares whole runs with it.
//   floor --inputs=DIR [benchmark flags]
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>

#include "check.h"

namespace {

std::string load(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The cores below are written for the floor, apart from the programs' own
// code: the fastest this machine runs the prescribed algorithm, with its
// input already in memory and its answer written to memory.

// One entry of the first-seen list, as the floor keeps it.
struct Entry {
    unsigned char c;
    int32_t frequency, order;
    Entry *next, *left, *right;
    char code[256];
    size_t length;
};

// Counts bytes into the first-seen list from its head, the head in a
// register throughout.
Entry *countBytes(const std::string &input)
{
    Entry *head = nullptr;
    int32_t order = 0;
    for (unsigned char c : input) {
        Entry *e = head, *last = nullptr;
        while (e != nullptr && e->c != c) {
            last = e;
            e = e->next;
        }
        if (e != nullptr) {
            e->frequency++;
        } else {
            e = static_cast<Entry *>(std::calloc(1, sizeof(Entry)));
            e->c = c;
            e->frequency = 1;
            e->order = order;
            (last == nullptr ? head : last->next) = e;
        }
        order++;
    }
    return head;
}

void freeEntries(Entry *e)
{
    while (e != nullptr) {
        Entry *next = e->next;
        std::free(e);
        e = next;
    }
}

void tallyFloor(benchmark::State &state, const std::string &input)
{
    static char report[16384];
    for (auto _ : state) {
        Entry *head = countBytes(input);
        for (Entry *a = head; a != nullptr; a = a->next) {
            for (Entry *b = a->next; b != nullptr; b = b->next) {
                if (a->frequency < b->frequency || (a->frequency == b->frequency && a->order > b->order)) {
                    std::swap(a->c, b->c);
                    std::swap(a->frequency, b->frequency);
                    std::swap(a->order, b->order);
                }
            }
        }
        size_t used = 0;
        for (Entry *e = head; e != nullptr; e = e->next) {
            used += static_cast<size_t>(
                e->c == '\n' ? std::snprintf(report + used, sizeof report - used, "'\\n' %d\n", e->frequency)
                             : std::snprintf(report + used, sizeof report - used, "'%c' %d\n", e->c, e->frequency));
        }
        benchmark::DoNotOptimize(report);
        freeEntries(head);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * input.size()));
}

// Codes go into a 64 KiB buffer that is reused when full, as a stream
// buffer is once written out.
struct Sink {
    char bytes[65536];
    size_t used;
};

void put(Sink *sink, const char *bytes, size_t n)
{
    if (sink->used + n > sizeof sink->bytes) {
        benchmark::DoNotOptimize(sink->bytes);
        sink->used = 0;
    }
    std::memcpy(sink->bytes + sink->used, bytes, n);
    sink->used += n;
}

// Takes the entry of least count, the frontmost among equals, out of the list.
Entry *takeLeast(Entry **head)
{
    Entry **best = head;
    for (Entry **e = &(*head)->next; *e != nullptr; e = &(*e)->next) {
        if ((*e)->frequency < (*best)->frequency)
            best = e;
    }
    Entry *taken = *best;
    *best = taken->next;
    return taken;
}

void assignCodes(Entry *node, char *path, size_t depth, Entry *byByte[256])
{
    if (node->left == nullptr) {
        std::memcpy(node->code, path, depth);
        node->length = depth;
        byByte[node->c] = node;
        return;
    }
    path[depth] = '0';
    assignCodes(node->left, path, depth + 1, byByte);
    path[depth] = '1';
    assignCodes(node->right, path, depth + 1, byByte);
}

void freeTree(Entry *node)
{
    if (node == nullptr)
        return;
    freeTree(node->left);
    freeTree(node->right);
    std::free(node);
}

void prefixcodeFloor(benchmark::State &state, const std::string &input)
{
    static Sink sink;
    for (auto _ : state) {
        Entry *head = countBytes(input);
        while (head != nullptr && head->next != nullptr) {
            Entry *first = takeLeast(&head), *second = takeLeast(&head);
            auto *merged = static_cast<Entry *>(std::calloc(1, sizeof(Entry)));
            merged->frequency = first->frequency + second->frequency;
            merged->left = first;
            merged->right = second;
            merged->next = head;
            head = merged;
        }
        Entry *byByte[256] = {};
        char path[256];
        int64_t wpl = 0;
        if (head != nullptr)
            assignCodes(head, path, 0, byByte);
        sink.used = 0;
        for (unsigned char c : input) {
            put(&sink, byByte[c]->code, byByte[c]->length);
            wpl += static_cast<int64_t>(byByte[c]->length);
        }
        put(&sink, "\n", 1);
        size_t echoed = std::min(input.find('\0'), input.size());
        for (size_t at = 0; at < echoed; at += sizeof sink.bytes)
            put(&sink, input.data() + at, std::min(sizeof sink.bytes, echoed - at));
        std::string total = std::to_string(wpl);
        put(&sink, "\n", 1);
        put(&sink, total.data(), total.size());
        benchmark::DoNotOptimize(sink.bytes);
        freeTree(head);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * input.size()));
}

void balanceFloor(benchmark::State &state, const std::string &input)
{
    for (auto _ : state) {
        bracketscan k;
        scanbegin(&k);
        scanbytes(&k, input.data(), input.size());
        benchmark::DoNotOptimize(scanend(&k));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * input.size()));
}

// A station of the floor's table: its name zero-padded in 20 bytes,
// compared as whole words in first-seen order.
struct FloorArc {
    char name1[20];
    float dist;
    FloorArc *next;
};

struct FloorHead {
    char name[20];
    FloorArc *add;
};

bool white(char c)
{
    return c == ' ' || c == '\n' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

// The next word of text from *at into a zero-padded key; false at the end.
bool nextWord(const std::string &text, size_t *at, char key[20])
{
    while (*at < text.size() && white(text[*at]))
        ++*at;
    size_t start = *at;
    while (*at < text.size() && !white(text[*at]))
        ++*at;
    std::memset(key, 0, 20);
    std::memcpy(key, text.data() + start, std::min<size_t>(*at - start, 19));
    return *at > start;
}

FloorHead *lookup(FloorHead **heads, int32_t *size, const char key[20])
{
    uint64_t k[2];
    uint32_t k2;
    std::memcpy(k, key, 16);
    std::memcpy(&k2, key + 16, 4);
    for (int32_t i = 0; i < *size; i++) {
        uint64_t e[2];
        uint32_t e2;
        std::memcpy(e, (*heads)[i].name, 16);
        std::memcpy(&e2, (*heads)[i].name + 16, 4);
        if (((e[0] ^ k[0]) | (e[1] ^ k[1]) | (e2 ^ k2)) == 0)
            return &(*heads)[i];
    }
    if (*size % 10 == 0)
        *heads = static_cast<FloorHead *>(std::realloc(*heads, static_cast<size_t>(*size + 10) * sizeof(FloorHead)));
    FloorHead *entry = &(*heads)[(*size)++];
    std::memcpy(entry->name, key, 20);
    entry->add = nullptr;
    return entry;
}

void link(FloorHead *head, const char key[20], float dist)
{
    auto *a = static_cast<FloorArc *>(std::malloc(sizeof(FloorArc)));
    std::memcpy(a->name1, key, 20);
    a->dist = dist;
    a->next = head->add;
    head->add = a;
}

void interchangeFloor(benchmark::State &state, const std::string &input)
{
    static char report[1 << 20];
    for (auto _ : state) {
        int32_t size = 0;
        auto *heads = static_cast<FloorHead *>(std::malloc(10 * sizeof(FloorHead)));
        size_t at = 0;
        char a[20], b[20], number[20];
        while (nextWord(input, &at, a) && std::strcmp(a, "END!") != 0 && nextWord(input, &at, b) &&
               std::strcmp(b, "END!") != 0 && nextWord(input, &at, number)) {
            float dist = std::strtof(number, nullptr);
            link(lookup(&heads, &size, a), b, dist);
            link(lookup(&heads, &size, b), a, dist);
        }
        size_t used = 0;
        for (int32_t i = 0; i < size; i++) {
            int count = 0;
            for (FloorArc *x = heads[i].add; x != nullptr; x = x->next)
                count++;
            if (count > 2)
                used += static_cast<size_t>(
                    std::snprintf(report + used, sizeof report - used, "%s %d\n", heads[i].name, count));
        }
        benchmark::DoNotOptimize(report);
        for (int32_t i = 0; i < size; i++) {
            for (FloorArc *x = heads[i].add; x != nullptr;) {
                FloorArc *next = x->next;
                std::free(x);
                x = next;
            }
        }
        std::free(heads);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * input.size()));
}

} // namespace

int main(int argc, char **argv)
{
    std::string dir = ".";
    for (int i = 1; i < argc; i++) {
        if (std::strncmp(argv[i], "--inputs=", 9) == 0)
            dir = argv[i] + 9;
    }
    struct Case {
        const char *name;
        const char *file;
        void (*run)(benchmark::State &, const std::string &);
    };
    static const Case cases[] = {
        {"tally/text100M", "text100M", tallyFloor},
        {"tally/random16M", "random16M", tallyFloor},
        {"prefixcode/text9999", "text9999", prefixcodeFloor},
        {"prefixcode/text100M", "text100M", prefixcodeFloor},
        {"balance/word1M", "word1M", balanceFloor},
        {"interchange/map200k", "map200k", interchangeFloor},
        {"interchange/map300k", "map300k", interchangeFloor},
        {"interchange/distinct100k", "distinct100k", interchangeFloor},
    };
    // Inputs are loaded when their benchmark first runs, so that a filtered
    // run loads only its own.
    static std::string inputs[std::size(cases)];
    for (size_t i = 0; i < std::size(cases); i++) {
        std::string path = dir + "/" + cases[i].file;
        auto run = cases[i].run;
        std::string *input = &inputs[i];
        benchmark::RegisterBenchmark(cases[i].name,
                                     [run, path, input](benchmark::State &state) {
                                         if (input->empty())
                                             *input = load(path);
                                         run(state, *input);
                                     })
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
