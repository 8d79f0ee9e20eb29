// The floor of each program: its core over input already in memory, with
// the answer written to memory.  bench/run compares whole runs with it.
//   floor --inputs=DIR [benchmark flags]
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "check.h"
#include "huffman.h"
#include "table.h"
#include "tally.h"

namespace {

std::string load(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

ListNode *countAll(const std::string &input)
{
    ListNode *head = nullptr;
    int32_t order = 0;
    insertBytes(&head, reinterpret_cast<const unsigned char *>(input.data()), input.size(), &order);
    return head;
}

void tallyFloor(benchmark::State &state, const std::string &input)
{
    static char report[16384];
    for (auto _ : state) {
        ListNode *head = countAll(input);
        sortList(&head);
        FILE *out = fmemopen(report, sizeof report, "w");
        printList(head, out);
        std::fclose(out);
        releaseList(head);
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

void prefixcodeFloor(benchmark::State &state, const std::string &input)
{
    static Sink sink;
    for (auto _ : state) {
        ListNode *root = countAll(input);
        buildHuffmanTree(&root);
        char code[256] = {};
        char *lookup[256] = {};
        generateCodes(root, code, 0, lookup);
        size_t length[256];
        for (int c = 0; c < 256; c++)
            length[c] = lookup[c] != nullptr ? std::strlen(lookup[c]) : 0;
        sink.used = 0;
        for (char byte : input)
            put(&sink, lookup[static_cast<unsigned char>(byte)], length[static_cast<unsigned char>(byte)]);
        put(&sink, "\n", 1);
        size_t echoed = input.find('\0');
        for (size_t at = 0; at < std::min(echoed, input.size()); at += sizeof sink.bytes)
            put(&sink, input.data() + at, std::min(sizeof sink.bytes, std::min(echoed, input.size()) - at));
        std::string wpl = std::to_string(calculateWeightedPathLength(root, 0));
        put(&sink, "\n", 1);
        put(&sink, wpl.data(), wpl.size());
        benchmark::DoNotOptimize(sink.bytes);
        for (char *s : lookup)
            std::free(s);
        releaseTree(root);
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

struct Segment {
    std::string station1, station2;
    float dist;
};

void interchangeFloor(benchmark::State &state, const std::string &input)
{
    std::vector<Segment> segments;
    char a[64], b[64];
    float dist;
    int used;
    for (const char *p = input.c_str(); std::sscanf(p, "%63s %63s %f%n", a, b, &dist, &used) == 3; p += used) {
        if (std::strcmp(a, "END!") == 0 || std::strcmp(b, "END!") == 0)
            break;
        segments.push_back({a, b, dist});
    }
    static char report[1 << 20];
    for (auto _ : state) {
        int32_t size = 0;
        Head *heads = static_cast<Head *>(std::malloc(10 * sizeof(Head)));
        for (const Segment &s : segments) {
            add_arc(find_or_create_head(&heads, &size, s.station1.c_str()), s.station2.c_str(), s.dist);
            add_arc(find_or_create_head(&heads, &size, s.station2.c_str()), s.station1.c_str(), s.dist);
        }
        FILE *out = fmemopen(report, sizeof report, "w");
        print_transfer_stations(heads, size, out);
        std::fclose(out);
        release_table(heads, size);
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
        {"tally/text100M", "text100M", tallyFloor},           {"tally/random16M", "random16M", tallyFloor},
        {"prefixcode/text9999", "text9999", prefixcodeFloor}, {"prefixcode/text100M", "text100M", prefixcodeFloor},
        {"balance/word1M", "word1M", balanceFloor},           {"interchange/map200k", "map200k", interchangeFloor},
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
