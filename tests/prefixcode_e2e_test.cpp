#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <queue>
#include <random>
#include <string>
#include <vector>

#include "huffman.h"
#include "run_program.h"

using namespace std::string_literals;

namespace {

class Prefixcode : public testing::TestWithParam<OutputCase> {};

TEST_P(Prefixcode, WritesCodesEchoAndWeightedPathLength)
{
    expectOutput(GetParam());
}

// Input of n bytes alternating a and b, starting with a, and its report:
// the rarer letter (b for odd n) is taken first and gets the code 0.
OutputCase alternating(const char *name, size_t n)
{
    std::string input, codes;
    for (size_t i = 0; i < n; i++) {
        char byte = i % 2 == 0 ? 'a' : 'b';
        input += byte;
        codes += (n % 2 == 0) == (byte == 'a') ? '0' : '1';
    }
    return {name, input, codes + "\n" + input + "\n" + std::to_string(n)};
}

INSTANTIATE_TEST_SUITE_P(
    Reports, Prefixcode,
    testing::Values(OutputCase{"Empty", "", "\n\n0"}, OutputCase{"OneByte", "a", "\na\n0"},
                    OutputCase{"OneValueRepeated", "aaa", "\naaa\n0"}, OutputCase{"TwoValues", "ab", "01\nab\n2"},
                    OutputCase{"RarerTakenFirst", "bba", "110\nbba\n3"},
                    OutputCase{"TrailingLineFeedIsCoded", "a\n", "01\na\n\n2"},
                    OutputCase{"EchoStopsAtZeroByte", "a\0b"s, "10110\na\n5"},
                    OutputCase{"ByteFFIsData",
                               "\xFF"
                               "a\xFF",
                               "101\n\xFF"
                               "a\xFF\n3"},
                    OutputCase{"Aabbbc", "aabbbc", "010111100\naabbbc\n9"},
                    OutputCase{"Abracadabra", "abracadabra", "01111001100011010111100\nabracadabra\n23"},
                    alternating("Exactly9999Bytes", 9999), alternating("Exactly10000Bytes", 10000),
                    alternating("HundredThousandBytes", 100000)),
    CaseName());

TEST(PrefixcodeExamples, MatchTheirExpectedOutput)
{
    expectExamplesMatch();
}

class PrefixcodeFault : public testing::TestWithParam<FaultCase> {};

TEST_P(PrefixcodeFault, ReportsOneLineAndFails)
{
    expectFault(GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Faults, PrefixcodeFault,
    testing::Values(FaultCase{"StdinIsADirectory", "", stdinFrom("/"), "\n\n0", "prefixcode: stdin: Is a directory\n"},
                    FaultCase{"StdoutIsFull", "ab", stdoutTo("/dev/full"), "",
                              "prefixcode: stdout: No space left on device\n"},
                    FaultCase{"StdoutClosed", "ab", stdoutClosed(), "", "prefixcode: stdout: Bad file descriptor\n"},
                    FaultCase{"ReadErrorAfterData", "aabbbc", readFailsAfterInput(), "010111100\naabbbc\n9",
                              "prefixcode: stdin: Connection reset by peer\n"}),
    CaseName());

// The least total cost of merging the counts two at a time, which is the
// weighted path length of every optimal prefix code.
int64_t optimalCost(const std::map<unsigned char, int64_t> &counts)
{
    std::priority_queue<int64_t, std::vector<int64_t>, std::greater<>> weights;
    for (const auto &[byte, count] : counts)
        weights.push(count);
    int64_t cost = 0;
    while (weights.size() > 1) {
        int64_t a = weights.top();
        weights.pop();
        int64_t b = weights.top();
        weights.pop();
        cost += a + b;
        weights.push(a + b);
    }
    return cost;
}

// The codes the coder assigns to input, as a map from code to byte.
std::map<std::string, unsigned char> codesOf(const std::string &input)
{
    ListNode *head = nullptr;
    int32_t order = 0;
    for (unsigned char byte : input)
        EXPECT_TRUE(insertNode(&head, byte, order++));
    ListNode *root = buildHuffmanTree(&head);
    char code[256] = {};
    char *lookup[256] = {};
    EXPECT_TRUE(generateCodes(root, code, 0, lookup));
    std::map<std::string, unsigned char> codes;
    for (int c = 0; c < 256; c++) {
        if (lookup[c] != nullptr)
            codes[lookup[c]] = static_cast<unsigned char>(c);
        std::free(lookup[c]);
    }
    return codes; // the tree stays allocated, as in the program
}

// Reads the code string back, one code at a time; the codes being prefix-free,
// the first code that matches is the only one that can.
std::string decode(const std::string &bits, const std::map<std::string, unsigned char> &codes)
{
    std::string text, pending;
    for (char bit : bits) {
        pending += bit;
        auto found = codes.find(pending);
        if (found != codes.end()) {
            text += static_cast<char>(found->second);
            pending.clear();
        }
    }
    return pending.empty() ? text : text + "<incomplete " + pending + ">";
}

std::string randomInput(std::mt19937 &random)
{
    std::uniform_int_distribution<int> alphabetSize(1, 60), anyByte(0, 255), length(0, 3000);
    std::vector<char> alphabet(static_cast<size_t>(alphabetSize(random)));
    for (char &c : alphabet)
        c = static_cast<char>(anyByte(random));
    // Geometric weights make a few bytes common and the rest rare.
    std::geometric_distribution<size_t> pick(random() % 2 == 0 ? 0.5 : 0.05);
    std::string input(static_cast<size_t>(length(random)), '\0');
    for (char &c : input)
        c = alphabet[pick(random) % alphabet.size()];
    return input;
}

// Checks a run of the program on input against what must hold of any
// Huffman code, computed here another way.
void expectSoundCode(const std::string &input)
{
    RunResult run = runProgram(programPath(), input);
    ASSERT_EQ(run.status, 0);
    size_t firstLf = run.out.find('\n'), lastLf = run.out.rfind('\n');
    ASSERT_NE(firstLf, std::string::npos);
    ASSERT_LT(firstLf, lastLf);
    std::string bits = run.out.substr(0, firstLf);
    std::string echo = run.out.substr(firstLf + 1, lastLf - firstLf - 1);
    std::string wpl = run.out.substr(lastLf + 1);

    std::map<unsigned char, int64_t> counts;
    for (unsigned char byte : input)
        counts[byte]++;
    if (counts.size() > 1)
        EXPECT_TRUE(decode(bits, codesOf(input)) == input) << "code string does not decode to the input";
    else
        EXPECT_EQ(bits, "") << "a lone byte value has the empty code";
    EXPECT_EQ(wpl, std::to_string(bits.size()));
    EXPECT_EQ(wpl, std::to_string(optimalCost(counts)));
    EXPECT_TRUE(echo == input.substr(0, input.find('\0'))) << "echo differs";
}

TEST(PrefixcodeProperty, CodeStringIsOptimalAndDecodesToTheInput)
{
    std::mt19937 random(20261211);
    for (int round = 0; round < 300; round++) {
        std::string input = randomInput(random);
        SCOPED_TRACE("round " + std::to_string(round) + ", " + std::to_string(input.size()) + " bytes");
        expectSoundCode(input);
    }
}

// The text is kept whole; when it cannot be, nothing but the reason is written.
TEST(PrefixcodeFault, OutOfMemoryWritesNoReport)
{
    if (underAddressSanitizer())
        GTEST_SKIP() << "address space cannot be limited under AddressSanitizer";
    expectFault({"OutOfMemory", std::string(size_t{64} << 20, 'a'), addressSpaceOf(size_t{16} << 20), "",
                 "prefixcode: out of memory\n"});
}

TEST(PrefixcodeHostile, OneMebibyteOfSkewedBytes)
{
    std::mt19937 random(1);
    std::geometric_distribution<int> pick(0.02);
    std::string input(size_t{1} << 20, '\0');
    for (char &c : input)
        c = static_cast<char>(1 + pick(random) % 255);
    expectSoundCode(input);
}

} // namespace
