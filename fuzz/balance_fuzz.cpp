// Checks the bracket check against an independent recursive matcher, the
// piecewise scan against the check of the whole string, and the reader of
// the first word against the word found here another way.
#include <string>
#include <unistd.h>

#include "check.h"
#include "firstword.h"
#include "fuzz_support.h"

static char closerOf(char opening)
{
    switch (opening) {
    case '(':
        return ')';
    case '[':
        return ']';
    case '{':
        return '}';
    default:
        return 0;
    }
}

static bool isCloser(char c)
{
    return c == ')' || c == ']' || c == '}';
}

// Matches s from i up to the closer expected (0: the end of s).
static bool matchFrom(const std::string &s, size_t *i, char expected)
{
    while (*i < s.size()) {
        char c = s[(*i)++];
        if (closerOf(c) != 0) {
            if (!matchFrom(s, i, closerOf(c)))
                return false;
        } else if (isCloser(c)) {
            return c == expected;
        }
    }
    return expected == 0;
}

// The most opening brackets open at once, counting until the first stray closer.
static int deepest(const std::string &s)
{
    int depth = 0, most = 0;
    for (char c : s) {
        if (closerOf(c) != 0)
            most = std::max(most, ++depth);
        else if (isCloser(c) && depth-- == 0)
            break;
    }
    return most;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    std::string bytes(reinterpret_cast<const char *>(data), size);
    std::string str = bytes.substr(0, bytes.find('\0'));
    bool result = check(str.c_str());

    if (deepest(str) <= MAXSIZE) {
        size_t i = 0;
        require(result == matchFrom(str, &i, 0), "agrees with the recursive matcher");
    } else {
        require(!result, "more than MAXSIZE pending fails");
    }

    // The same bytes in two pieces, zero bytes and all, give the same answer.
    size_t cut = size == 0 ? 0 : data[0] % (size + 1);
    bracketscan k;
    scanbegin(&k);
    scanbytes(&k, bytes.data(), cut);
    scanbytes(&k, bytes.data() + cut, size - cut);
    require(scanend(&k) == result, "pieces agree with the whole");

    // The first word: past the white space that "%s" skips, up to the next.
    const std::string white = " \t\n\v\f\r";
    size_t start = bytes.find_first_not_of(white);
    std::string word = start == std::string::npos ? "" : bytes.substr(start, bytes.find_first_of(white, start) - start);
    int fd = descriptorWith(data, size);
    wordreader r;
    readinit(&r, fd);
    std::string read;
    const char *piece;
    size_t n;
    while (nextpiece(&r, &piece, &n)) {
        require(n > 0 && n <= WORDBLOCK, "pieces of one to WORDBLOCK bytes");
        read.append(piece, n);
    }
    require(r.error == 0, "no read error");
    require(read == word, "the reader hands out the first word whole");
    off_t after = lseek(fd, 0, SEEK_CUR);
    require(after == static_cast<off_t>(word.empty() ? size : start + word.size()), "input left just after the word");
    close(fd);
    return 0;
}
