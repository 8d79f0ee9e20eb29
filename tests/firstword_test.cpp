#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <string>
#include <unistd.h>
#include <vector>

#include "firstword.h"
#include "test_support.h"

using namespace std::string_literals;

namespace {

// The word as the reader hands it out, piece by piece.
std::vector<std::string> piecesOf(wordreader *r)
{
    std::vector<std::string> pieces;
    const char *piece;
    size_t n;
    while (nextpiece(r, &piece, &n))
        pieces.emplace_back(piece, n);
    return pieces;
}

struct WordCase {
    const char *name;
    std::string input;
    std::vector<std::string> pieces;
    long offsetAfter; // where a seekable input is left
};

class FirstWord : public testing::TestWithParam<WordCase> {};

TEST_P(FirstWord, HandsOutTheWordAndLeavesTheRest)
{
    int fd = fileWith(GetParam().input);
    wordreader r;
    readinit(&r, fd);
    EXPECT_EQ(piecesOf(&r), GetParam().pieces);
    EXPECT_EQ(r.error, 0);
    EXPECT_EQ(lseek(fd, 0, SEEK_CUR), GetParam().offsetAfter);
    close(fd);
}

INSTANTIATE_TEST_SUITE_P(Inputs, FirstWord,
                         testing::Values(WordCase{"Empty", "", {}, 0}, WordCase{"WhiteSpaceOnly", " \t\n\v\f\r", {}, 6},
                                         WordCase{"WordAlone", "(a)", {"(a)"}, 3},
                                         WordCase{"EverySeparatorBefore", " \t\n\v\f\r(a) b", {"(a)"}, 9},
                                         WordCase{"FormFeedEndsTheWord", "()\f)", {"()"}, 2},
                                         WordCase{"VerticalTabEndsTheWord", "()\v)", {"()"}, 2},
                                         WordCase{"CarriageReturnEndsTheWord", "()\r)", {"()"}, 2},
                                         WordCase{"ZeroByteIsPartOfTheWord", "(\0) x"s, {"(\0)"s}, 3},
                                         WordCase{"WhiteSpaceAcrossBlocks",
                                                  std::string(WORDBLOCK + 10, ' ') + "w z",
                                                  {"w"},
                                                  static_cast<long>(WORDBLOCK + 11)},
                                         WordCase{"WordAcrossBlocks",
                                                  std::string(WORDBLOCK - 2, ' ') + "abcd e",
                                                  {"ab", "cd"},
                                                  static_cast<long>(WORDBLOCK + 2)},
                                         WordCase{"WordEndingAtABlockEnd",
                                                  std::string(WORDBLOCK - 2, ' ') + "ab" + " e",
                                                  {"ab"},
                                                  static_cast<long>(WORDBLOCK)}),
                         CaseName());

// Pieces that a pipe delivers one read at a time make the same word.
TEST(FirstWord, WordInUnevenReadsOfAPipe)
{
    int ends[2];
    ASSERT_EQ(pipe(ends), 0);
    wordreader r;
    readinit(&r, ends[0]);
    const char *piece;
    size_t n;
    std::string word;
    // Each part is in the pipe before the reader asks: one read takes it.
    for (std::string part : {"  ", "\n(", "[a", "]) rest"}) {
        ASSERT_EQ(write(ends[1], part.data(), part.size()), static_cast<ssize_t>(part.size()));
        if (part == "  ")
            continue; // white space alone: the reader would wait for the word
        ASSERT_TRUE(nextpiece(&r, &piece, &n));
        word.append(piece, n);
    }
    close(ends[1]);
    EXPECT_FALSE(nextpiece(&r, &piece, &n));
    EXPECT_EQ(word, "([a])");
    close(ends[0]);
}

TEST(FirstWord, ReadFailureEndsTheWordAndIsKept)
{
    int fd = open(".", O_RDONLY | O_DIRECTORY);
    ASSERT_GE(fd, 0);
    wordreader r;
    readinit(&r, fd);
    EXPECT_EQ(piecesOf(&r), std::vector<std::string>{});
    EXPECT_EQ(r.error, EISDIR);
    close(fd);
}

} // namespace
