#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <queue>
#include <random>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <unistd.h>
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
    EXPECT_TRUE(buildHuffmanTree(&head));
    ListNode *root = head;
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
    if (programsSanitized())
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

namespace {

TEST(PrefixcodeInput, SameAnswerWhenInputArrivesInPieces)
{
    std::string input = repeat("abracadabra\n\xD6\xD0", 100);
    expectSameInPieces({}, input);
    expectSameInPieces({"--dot"}, input);
    // Past the first blocks of text, which must grow wherever a read ends.
    expectSameInPieces({}, repeat(input, 100), {{7, 40000}, {65535, 3}});
}

TEST(PrefixcodeMemory, EveryAllocationFailureIsReported)
{
    // Two blocks of text, three leaves, two merged nodes, two strings a leaf.
    EXPECT_EQ(sweepAllocationFailures({}, "aabbbc", "010111100\naabbbc\n9"), 13);
    // The same without the text.
    EXPECT_EQ(sweepAllocationFailures({"--dot"}, "aabbbc", runProgram(programPath(), {"--dot"}, "aabbbc").out), 11);
}

// A file too long to count is refused at once: it is neither read nor held.
TEST(PrefixcodeLimit, LongFileRefusedUnread)
{
    for (const char *option : {"", "--dot"}) {
        int tooLong = zerosOf(size_t{INT32_MAX} + 1);
        RunOptions options = programsSanitized() ? RunOptions{} : addressSpaceOf(size_t{64} << 20);
        options.stdinFd = tooLong;
        std::vector<std::string> args;
        if (*option != '\0')
            args.emplace_back(option);
        RunResult run = runProgram(programPath(), args, "", options);
        close(tooLong);
        EXPECT_EQ(run.out, "") << option;
        EXPECT_EQ(run.err, "prefixcode: input longer than 2147483647 bytes\n") << option;
        EXPECT_EQ(run.status, 1) << option;
    }
}

// One node or edge statement of the DOT text.
struct DotNode {
    std::string label;
    bool leaf = false;
};

struct DotTree {
    std::map<std::string, DotNode> nodes;
    std::map<std::string, std::map<std::string, std::string>> edges; // from, label, to
    size_t edgeCount = 0;
    std::string root;
};

// The text of a DOT string that starts at s[at], quote included, with its
// escapes undone; "\n" in it stays a line break.
std::string dotString(const std::string &s, size_t at)
{
    std::string text;
    for (size_t i = at + 1; i < s.size() && s[i] != '"'; i++) {
        if (s[i] == '\\' && i + 1 < s.size()) {
            i++;
            text += s[i] == 'n' ? '\n' : s[i];
        } else {
            text += s[i];
        }
    }
    return text;
}

// Reads the statements of prefixcode's digraph, one a line.
DotTree parseTree(const std::string &dot)
{
    DotTree tree;
    std::istringstream lines(dot);
    std::string line;
    while (std::getline(lines, line)) {
        std::smatch m;
        if (std::regex_match(line, m, std::regex(R"re(    (n\d+) -> (n\d+) \[label="([01])"\];)re"))) {
            EXPECT_EQ(tree.edges[m[1]].count(m[3]), 0u) << "two " << m[3] << " edges from " << m[1];
            tree.edges[m[1]][m[3]] = m[2];
            tree.edgeCount++;
        } else if (std::regex_match(line, m, std::regex(R"re(    (n\d+) \[(shape=box, )?label=(".*")\];)re"))) {
            if (tree.root.empty())
                tree.root = m[1];
            tree.nodes[m[1]] = {dotString(m[3], 0), m[2].matched};
        }
    }
    return tree;
}

// The byte a leaf label shows, undoing the escapes of its display.
unsigned char shownByte(const std::string &shown)
{
    if (shown.size() == 1)
        return static_cast<unsigned char>(shown[0]);
    if (shown == "\\n")
        return '\n';
    if (shown == "\\t")
        return '\t';
    if (shown == "\\r")
        return '\r';
    if (shown.size() == 2 && shown[0] == '\\')
        return static_cast<unsigned char>(shown[1]);
    EXPECT_EQ(shown.substr(0, 2), "\\x") << shown;
    return static_cast<unsigned char>(std::stoi(shown.substr(2), nullptr, 16));
}

// Walks the tree from node, following 0 and 1 edges, and gathers each
// leaf's code as read off the edges, checked against the code its label gives.
void gatherCodes(const DotTree &tree, const std::string &node, const std::string &path,
                 std::map<std::string, unsigned char> *codes, size_t *visited)
{
    ++*visited;
    const DotNode &n = tree.nodes.at(node);
    auto out = tree.edges.find(node);
    if (n.leaf) {
        EXPECT_TRUE(out == tree.edges.end()) << node << " is a leaf with edges";
        size_t lf = n.label.find('\n'), close = n.label.rfind("' ", lf);
        ASSERT_NE(lf, std::string::npos);
        ASSERT_EQ(n.label[0], '\'');
        EXPECT_EQ(n.label.substr(lf + 1), path.empty() ? "(empty code)" : path) << node;
        (*codes)[path] = shownByte(n.label.substr(1, close - 1));
        return;
    }
    ASSERT_TRUE(out != tree.edges.end() && out->second.size() == 2) << node << " needs one 0 and one 1 edge";
    gatherCodes(tree, out->second.at("0"), path + "0", codes, visited);
    gatherCodes(tree, out->second.at("1"), path + "1", codes, visited);
}

std::string eachByteValue()
{
    std::string s;
    for (int b = 0; b < 256; b++)
        s += repeat(std::string(1, static_cast<char>(b)), static_cast<size_t>(1 + b % 7));
    return s;
}

struct DotCase {
    const char *name;
    std::string input;
};

class PrefixcodeDot : public testing::TestWithParam<DotCase> {};

// The graph is the tree the report's codes come from: 2k - 1 nodes and
// 2k - 2 edges for k distinct bytes, and the codes read off its edges decode
// the report's code string back to the input.
TEST_P(PrefixcodeDot, DrawsTheTreeOfTheReportsCodes)
{
    const std::string &input = GetParam().input;
    RunResult dot = runProgram(programPath(), {"--dot"}, input);
    ASSERT_EQ(dot.status, 0);
    EXPECT_EQ(dot.err, "");
    EXPECT_EQ(dot.out.rfind("digraph prefixcode {\n", 0), 0u);
    EXPECT_EQ(dot.out.substr(dot.out.size() - 2), "}\n");
    DotTree tree = parseTree(dot.out);

    std::set<unsigned char> distinct(input.begin(), input.end());
    size_t k = distinct.size();
    EXPECT_EQ(tree.nodes.size(), k == 0 ? 0 : 2 * k - 1);
    EXPECT_EQ(tree.edgeCount, k == 0 ? 0 : 2 * k - 2);
    if (k == 0)
        return;
    std::map<std::string, unsigned char> codes;
    size_t visited = 0;
    gatherCodes(tree, tree.root, "", &codes, &visited);
    EXPECT_EQ(visited, tree.nodes.size()) << "every node hangs below the root";
    EXPECT_EQ(codes.size(), k);

    RunResult report = runProgram(programPath(), input);
    std::string bits = report.out.substr(0, report.out.find('\n'));
    if (k == 1)
        EXPECT_EQ(bits, "");
    else
        EXPECT_TRUE(decode(bits, codes) == input) << "the report's code string does not decode with the drawn codes";
}

INSTANTIATE_TEST_SUITE_P(Inputs, PrefixcodeDot,
                         testing::Values(DotCase{"Empty", ""}, DotCase{"Aabbbc", "aabbbc"},
                                         DotCase{"Abracadabra", "abracadabra"}, DotCase{"OneDistinctByte", "zzzz"},
                                         DotCase{"QuotesAndBackslashes", "\"\"'\\\\\\'\"x"},
                                         DotCase{"ZeroAndLineFeed", "\0\0\n\0a\r\t"s},
                                         DotCase{"EveryByteValue", eachByteValue()},
                                         DotCase{"Gbk", "\xD6\xD0\xCE\xC4\xD6\xD0"}),
                         CaseName());

} // namespace
