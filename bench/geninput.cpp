// Writes a deterministic benchmark input to standard output:
//   geninput text BYTES      English-like text
//   geninput random BYTES    uniformly distributed bytes
//   geninput map STATIONS RECORDS
//   geninput word BYTES      one bracket word that matches
//   geninput chain STATIONS  a line of distinct stations
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// splitmix64: small, fast and the same everywhere.
uint64_t next(uint64_t *state)
{
    uint64_t z = (*state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

const char *const words[] = {
    "the",     "of",      "and",     "to",      "a",       "in",       "is",      "that",    "for",     "it",
    "as",      "was",     "with",    "be",      "by",      "on",       "not",     "he",      "this",    "are",
    "or",      "his",     "from",    "at",      "which",   "but",      "have",    "an",      "had",     "they",
    "you",     "were",    "their",   "one",     "all",     "we",       "can",     "her",     "has",     "there",
    "been",    "if",      "more",    "when",    "will",    "would",    "who",     "so",      "no",      "program",
    "input",   "output",  "byte",    "count",   "line",    "table",    "station", "subway",  "bracket", "word",
    "code",    "tree",    "list",    "order",   "first",   "every",    "value",   "number",  "between", "through",
    "should",  "because", "without", "however", "another", "question", "morning", "evening", "river",   "mountain",
    "journey", "quickly", "Zealand", "exactly", "jazz"};
const size_t wordCount = sizeof words / sizeof words[0];

// A word drawn with a roughly Zipfian law: early words are much more common.
const char *zipfWord(uint64_t *state)
{
    double u = static_cast<double>(next(state) >> 11) / 9007199254740992.0;
    size_t i = static_cast<size_t>(static_cast<double>(wordCount) * u * u * u);
    return words[i < wordCount ? i : wordCount - 1];
}

void text(size_t bytes, uint64_t *state)
{
    std::string line;
    size_t written = 0, sentence = 0;
    while (written < bytes) {
        std::string word = zipfWord(state);
        if (sentence == 0)
            word[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(word[0])));
        sentence++;
        if (!line.empty())
            line += ' ';
        line += word;
        if (sentence > 6 && next(state) % 5 == 0) {
            line += next(state) % 4 == 0 ? ',' : '.';
            sentence = line.back() == '.' ? 0 : sentence;
        }
        if (line.size() > 70 || written + line.size() + 1 >= bytes) {
            line += '\n';
            size_t n = line.size() < bytes - written ? line.size() : bytes - written;
            std::fwrite(line.data(), 1, n, stdout);
            written += n;
            line.clear();
        }
    }
}

void random(size_t bytes, uint64_t *state)
{
    unsigned char block[8];
    for (size_t written = 0; written < bytes; written += 8) {
        uint64_t r = next(state);
        std::memcpy(block, &r, 8);
        std::fwrite(block, 1, bytes - written < 8 ? bytes - written : 8, stdout);
    }
}

void map(unsigned stations, unsigned records, uint64_t *state)
{
    for (unsigned i = 0; i < records; i++) {
        unsigned a = static_cast<unsigned>(next(state) % stations);
        unsigned b = static_cast<unsigned>(next(state) % stations);
        std::printf("Station%04u Station%04u %u.%u\n", a, b, static_cast<unsigned>(next(state) % 5),
                    static_cast<unsigned>(next(state) % 10));
    }
    std::printf("END! END! 0\n");
}

// A line of distinct stations, each joined to the next: every record names
// a station not seen before, so every lookup of it scans the whole table.
void chain(unsigned stations)
{
    for (unsigned i = 0; i + 1 < stations; i++)
        std::printf("Stop%06u Stop%06u 1\n", i, i + 1);
    std::printf("END! END! 0\n");
}

void word(size_t bytes, uint64_t *state)
{
    static const char *const pieces[] = {"()", "[]", "{}", "(a)", "[b]", "{c}", "x", "y"};
    size_t written = 0;
    while (written + 8 < bytes) {
        const char *p = pieces[next(state) % 8];
        written += std::fwrite(p, 1, std::strlen(p), stdout);
    }
    for (; written < bytes; written++)
        std::putchar('z');
}

} // namespace

int main(int argc, char **argv)
{
    uint64_t state = 20261211;
    if (argc == 3 && std::strcmp(argv[1], "text") == 0)
        text(std::strtoull(argv[2], nullptr, 10), &state);
    else if (argc == 3 && std::strcmp(argv[1], "random") == 0)
        random(std::strtoull(argv[2], nullptr, 10), &state);
    else if (argc == 4 && std::strcmp(argv[1], "map") == 0)
        map(static_cast<unsigned>(std::atoi(argv[2])), static_cast<unsigned>(std::atoi(argv[3])), &state);
    else if (argc == 3 && std::strcmp(argv[1], "chain") == 0)
        chain(static_cast<unsigned>(std::atoi(argv[2])));
    else if (argc == 3 && std::strcmp(argv[1], "word") == 0)
        word(std::strtoull(argv[2], nullptr, 10), &state);
    else {
        std::fprintf(
            stderr,
            "usage: geninput text|random|word BYTES | geninput map STATIONS RECORDS | geninput chain STATIONS\n");
        return 2;
    }
    return std::fflush(stdout) == 0 ? 0 : 1;
}
