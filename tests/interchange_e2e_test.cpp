#include <gtest/gtest.h>

#include <cstdint>
#include <iconv.h>
#include <map>
#include <random>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "run_program.h"

using namespace std::string_literals;

namespace {

class Interchange : public testing::TestWithParam<OutputCase> {};

TEST_P(Interchange, ReportsTransferStations)
{
    expectOutput(GetParam());
}

const std::string workedExample = "Park Harbor 1.2\n"
                                  "Harbor Mill 0.8\n"
                                  "Mill Bridge 2\n"
                                  "Harbor Castle 1.5\n"
                                  "Castle Field 3\n"
                                  "Mill Castle 1\n"
                                  "Castle Gate 0.7\n"
                                  "END! END! 0\n"
                                  "Harbor Field 2\n";

// A line of 22 stations S1..S22, with three more segments making S5, S15 and
// S20 transfer stations; S15 gains its third arc before S5 does.
std::string longLine()
{
    std::string map;
    for (int i = 1; i < 22; i++)
        map += "S" + std::to_string(i) + " S" + std::to_string(i + 1) + " 1\n";
    return map + "S15 S1 1\nS20 S5 1\n";
}

// "A" joined to B, C and D, with the third segment's distance written as given.
std::string star(const std::string &distance)
{
    return "A B 1\nA C 1\nA D " + distance + "\n";
}

const std::string gbk18 = "\xB8\xB4\xD0\xCB\xC3\xC5\xB8\xB4\xD0\xCB\xC3\xC5\xB8\xB4\xD0\xCB\xC3\xC5";
const std::string long40 = "Long-Station-Name-Beyond-Nineteen-Bytes1";
const std::string long40b = "Long-Station-Name-Beyond-Nineteen-Bytes2";

INSTANTIATE_TEST_SUITE_P(
    Maps, Interchange,
    testing::Values(
        OutputCase{"WorkedExample", workedExample, "Harbor 3\nMill 3\nCastle 4\n"}, OutputCase{"Empty", "", ""},
        OutputCase{"WhiteSpaceOnly", " \t\r\n\v\f\n", ""},
        OutputCase{"TerminatorFirst", "END! END! 0\n" + star("1"), ""},
        OutputCase{"TerminatorSecondAddsNothing", star("1") + "A END! 1\nA E 1\n", "A 3\n"},
        OutputCase{"TerminatorSecondNewStationNotAdded", "A B 1\nA C 1\nPark END! 1\nPark A 1\n", ""},
        OutputCase{"TerminatorAlone", star("1") + "END!", "A 3\n"},
        OutputCase{"TerminatorThenIncompleteRecord", star("1") + "END! Park near\nA E 1\n", "A 3\n"},
        OutputCase{"TerminatorSecondWithoutDistance", star("1") + "Park END!", "A 3\n"},
        OutputCase{"WordsHoldingTheTerminatorAreNames", "END!! X 1\nEND!! Y 1\nend! END!! 1\nend! X 1\nend! Y 1\n",
                   "END!! 3\nend! 3\n"},
        OutputCase{"DistanceFollowedByAWord", "Park Harbor 2km Park 1\nPark Gate 1\n", "Park 3\n"},
        OutputCase{"LeadingPointNegative", star("-.5"), "A 3\n"}, OutputCase{"TrailingPoint", star("5."), "A 3\n"},
        OutputCase{"TrailingPointThenMoreRecords", "A B 5.\nA C 1\nA D 1\n", "A 3\n"},
        OutputCase{"NegativeExponentThenMoreRecords", "A B 1e-3\nA C 1\nA D 1\n", "A 3\n"},
        OutputCase{"FormFeedAndVerticalTabSeparate", "A\fB\v1\fA\vC 1\nA D\f1\n", "A 3\n"},
        OutputCase{"Exponent", star("1e3"), "A 3\n"}, OutputCase{"PlusSign", star("+2"), "A 3\n"},
        OutputCase{"ExponentBeyondFloat", star("1e999"), "A 3\n"},
        OutputCase{"ExponentWithoutDigitsStartsTheNextWord", "A B 1e A 1\nA D 1\n", "A 3\n"},
        OutputCase{"HexadecimalReadsAsZeroThenAWord", "A B 1\nA C 1\nA D 0x5 E 1\n", "A 3\n"},
        OutputCase{"ThreeRecordsOnOneLine", "A B 1 A C 2 A D 3", "A 3\n"},
        OutputCase{"CrLfLineEnds", "A B 1\r\nA C 2\r\nA D 3\r\n", "A 3\n"},
        OutputCase{"SegmentGivenThreeTimes", "A B 1\nA B 1\nA B 1\n", "A 3\nB 3\n"},
        OutputCase{"SelfLoopCountsTwice", "A A 1\n", ""}, OutputCase{"SelfLoopAndOneMore", "A A 1\nA B 1\n", "A 3\n"},
        OutputCase{"MoreThanTwentyStationsInFirstSeenOrder", longLine(), "S5 3\nS15 3\nS20 3\n"},
        OutputCase{"GbkNamesOfEighteenBytes", gbk18 + " X 1\n" + gbk18 + " Y 1\nZ " + gbk18 + " 1\n", gbk18 + " 3\n"},
        OutputCase{"NameEndsAtAZeroByteAsAString", "A\0x B 1\nA C 1\nA\0y D 1\n"s, "A 3\n"},
        OutputCase{"LongNamesKeptWholeAndApart",
                   long40 + " X 1\n" + long40b + " X 1\n" + long40 + " Y 1\n" + long40 + " Z 1\n", long40 + " 3\n"}),
    CaseName());

class InterchangeFault : public testing::TestWithParam<FaultCase> {};

TEST_P(InterchangeFault, ReportsOneLineAndFails)
{
    expectFault(GetParam());
}

INSTANTIATE_TEST_SUITE_P(Faults, InterchangeFault,
                         testing::Values(FaultCase{"StdinIsADirectory", star("1"), stdinFrom("/"), "",
                                                   "interchange: stdin: Is a directory\n"},
                                         FaultCase{"StdoutIsFull", star("1"), stdoutTo("/dev/full"), "",
                                                   "interchange: stdout: No space left on device\n"},
                                         FaultCase{"StdoutClosed", star("1"), stdoutClosed(), "",
                                                   "interchange: stdout: Bad file descriptor\n"},
                                         FaultCase{"ReadErrorAfterRecords", star("1"), readFailsAfterInput(), "A 3\n",
                                                   "interchange: stdin: Connection reset by peer\n"},
                                         // The read error, not the cut record, is why the map ends.
                                         FaultCase{"ReadErrorInsideARecord", star("1") + "A E", readFailsAfterInput(),
                                                   "A 3\n", "interchange: stdin: Connection reset by peer\n"}),
                         CaseName());

} // namespace

namespace {

TEST(InterchangeHostile, MebibyteStationName)
{
    const std::string hub(size_t{1} << 20, 'H');
    RunResult run = runProgram(programPath(), hub + " A 1\n" + hub + "h B 1\n" + hub + " C 1\nD " + hub + " 1\n");
    EXPECT_EQ(run.out, hub + " 3\n");
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.status, 0);
}

TEST(InterchangeHostile, HundredThousandRecords)
{
    std::mt19937 random(5);
    std::uniform_int_distribution<int> station(0, 2999);
    std::vector<std::string> firstSeen;
    std::map<std::string, int> arcs;
    std::string map;
    for (int i = 0; i < 100000; i++) {
        std::string ends[2] = {"St" + std::to_string(station(random)), "St" + std::to_string(station(random))};
        map += ends[0] + " " + ends[1] + " " + std::to_string(i % 97) + ".5\n";
        for (const std::string &end : ends) {
            if (arcs[end]++ == 0)
                firstSeen.push_back(end);
        }
    }
    std::string expected;
    for (const std::string &name : firstSeen) {
        if (arcs[name] > 2)
            expected += name + " " + std::to_string(arcs[name]) + "\n";
    }
    RunResult run = runProgram(programPath(), map + "END! END! 0\n" + map);
    EXPECT_TRUE(run.out == expected) << "report differs";
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.status, 0);
}

} // namespace

namespace {

// A table missing a name or an arc would give a wrong report: none is written.
TEST(InterchangeFault, OutOfMemoryWritesNoReport)
{
    if (programsSanitized())
        GTEST_SKIP() << "address space cannot be limited under AddressSanitizer";
    expectFault({"OutOfMemory", star("1") + std::string(size_t{64} << 20, 'N') + " A 1\n",
                 addressSpaceOf(size_t{16} << 20), "", "interchange: out of memory\n"});
}

// What follows the map is left for whoever reads on, where input can seek.
TEST(InterchangeInput, SeekableInputIsLeftJustAfterTheMap)
{
    const std::string map = "A B 1\nA C 1\nA D 1\nEND!";
    EXPECT_EQ(offsetAfterRun(map + " X Y 1\n"), static_cast<long>(map.size()));
    EXPECT_EQ(offsetAfterRun(map), static_cast<long>(map.size()));
}

} // namespace

namespace {

std::string notADistance(int line, const std::string &item)
{
    return "interchange: line " + std::to_string(line) + ": '" + item +
           "' is not a distance; the records after it are ignored\n";
}

std::string cutShort(int line)
{
    return "interchange: line " + std::to_string(line) + ": the input ends inside a record; it is ignored\n";
}

// A map that ends at a record it cannot read whole says so on standard
// error; the report and the exit status are those of the records before it.
class InterchangeWarning : public testing::TestWithParam<ArgsCase> {};

TEST_P(InterchangeWarning, SaysWhereTheMapWasCutShort)
{
    expectRun(GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Maps, InterchangeWarning,
    testing::Values(
        ArgsCase{
            "DistanceIsNoNumber", {}, "A B 1\nA C 2\nA D 3\nB C x\nA E 1\nA F 1\n", "A 3\n", notADistance(4, "x"), 0},
        ArgsCase{"DistanceOnALaterLineThanItsRecord",
                 {},
                 star("1") + "Park\nHarbor\n\n  near by\nA E 1\n",
                 "A 3\n",
                 notADistance(7, "near"),
                 0},
        ArgsCase{"LonePointIsNoNumber", {}, star("."), "", notADistance(3, "."), 0},
        ArgsCase{"InfinityIsNoNumber", {}, star("inf"), "", notADistance(3, "inf"), 0},
        ArgsCase{"NanIsNoNumber", {}, star("nan"), "", notADistance(3, "nan"), 0},
        ArgsCase{"SignAloneIsNoNumber", {}, star("-x"), "", notADistance(3, "-x"), 0},
        ArgsCase{"CommasInsteadOfSpace", {}, "A,B,1\nA,C,2\n", "", cutShort(1), 0},
        ArgsCase{"NoDistances", {}, "A B\nA C\nA D\n", "", notADistance(2, "A"), 0},
        ArgsCase{"ItemShownSafely", {}, "A B 1\nA C '\xD6\\\n", "", notADistance(2, "\\'\\xD6\\\\"), 0},
        ArgsCase{
            "LongItemCut", {}, "A B " + std::string(100, 'y'), "", notADistance(1, std::string(64, 'y') + "..."), 0},
        ArgsCase{"EndsAfterOneWord", {}, star("1") + "A", "A 3\n", cutShort(4), 0},
        ArgsCase{"EndsAfterTwoWords", {}, star("1") + "\n\nA\nE\n", "A 3\n", cutShort(6), 0},
        ArgsCase{"TerminatorIsANormalEnd", {}, star("1") + "END! x y z", "A 3\n", "", 0},
        ArgsCase{"CleanEndIsANormalEnd", {}, star("1") + "\n\n", "A 3\n", "", 0}),
    CaseName());

TEST(InterchangeInput, SameReportWhenInputArrivesInPieces)
{
    std::string map = longLine() + star("1.25e-2") + "END!";
    expectSameInPieces({}, map);
    expectSameInPieces({"--dot"}, map);
    expectSameInPieces({}, star("1") + "A E near\n");
}

TEST(InterchangeMemory, EveryAllocationFailureIsReported)
{
    // The table, its room for 10 and then 20 entries, the three item
    // buffers and two arcs a record; with the picture, the kept records and
    // each one's distance as well.
    std::string map;
    for (int i = 1; i < 12; i++)
        map += "S" + std::to_string(i) + " S" + std::to_string(i + 1) + " 1\n";
    RunResult plain = runProgram(programPath(), map), dot = runProgram(programPath(), {"--dot"}, map);
    ASSERT_EQ(plain.status, 0);
    EXPECT_EQ(sweepAllocationFailures({}, map, plain.out), 3 + 3 + 2 * 11);
    EXPECT_EQ(sweepAllocationFailures({"--dot"}, map, dot.out), 3 + 3 + 2 * 11 + 1 + 11);
    // Long names take a heap copy in each record that holds them.
    EXPECT_EQ(sweepAllocationFailures({}, long40 + " " + long40b + " 1\n", ""), 2 + 3 + 2 + 2 * 2);
}

// The picture's statements, one a line.
struct DotMap {
    std::vector<std::string> labels; // by station, in order
    std::vector<bool> marked;
    std::vector<std::string> edges; // "s0 -- s1 1.2"
};

DotMap parseMap(const std::string &dot)
{
    DotMap map;
    std::istringstream lines(dot);
    std::string line;
    while (std::getline(lines, line)) {
        std::smatch m;
        if (std::regex_match(line, m, std::regex(R"re(    (s\d+) -- (s\d+) \[label="([^"]*)"\];)re"))) {
            map.edges.push_back(m[1].str() + " -- " + m[2].str() + " " + m[3].str());
        } else if (std::regex_match(line, m, std::regex(R"re(    s(\d+) \[label="((?:[^"\\]|\\.)*)"(.*)\];)re"))) {
            EXPECT_EQ(m[1].str(), std::to_string(map.labels.size())) << "stations in table order";
            map.labels.push_back(m[2]);
            map.marked.push_back(m[3].str().find("bold") != std::string::npos);
        }
    }
    return map;
}

TEST(InterchangeDot, WorkedExampleHasItsSevenStationsAndSegments)
{
    RunResult run = runProgram(programPath(), {"--dot"}, workedExample);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out.rfind("graph interchange {\n", 0), 0u);
    DotMap map = parseMap(run.out);
    EXPECT_EQ(map.labels, (std::vector<std::string>{"Park", "Harbor\\n3 arcs", "Mill\\n3 arcs", "Bridge",
                                                    "Castle\\n4 arcs", "Field", "Gate"}));
    EXPECT_EQ(map.marked, (std::vector<bool>{false, true, true, false, true, false, false}));
    EXPECT_EQ(map.edges, (std::vector<std::string>{"s0 -- s1 1.2", "s1 -- s2 0.8", "s2 -- s3 2", "s1 -- s4 1.5",
                                                   "s4 -- s5 3", "s2 -- s4 1", "s4 -- s6 0.7"}));
}

// The picture stops where the report does, with the same warning.
TEST(InterchangeDot, StopsWhereTheReportStops)
{
    const std::string map = "A B 1\nA C 2\nA D 3\nB C x\nA E 1\n";
    RunResult run = runProgram(programPath(), {"--dot"}, map);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, notADistance(4, "x"));
    DotMap drawn = parseMap(run.out);
    EXPECT_EQ(drawn.labels, (std::vector<std::string>{"A\\n3 arcs", "B", "C", "D"}));
    EXPECT_EQ(drawn.edges.size(), 3u);
}

TEST(InterchangeDot, NamesAreEscapedAndLoopsDrawn)
{
    RunResult run = runProgram(programPath(), {"--dot"}, "a\"b c\\d 1\nc\\d c\\d 2e1\n");
    EXPECT_EQ(run.status, 0);
    DotMap map = parseMap(run.out);
    EXPECT_EQ(map.labels, (std::vector<std::string>{"a\\\"b", "c\\\\d\\n3 arcs"}));
    EXPECT_EQ(map.edges, (std::vector<std::string>{"s0 -- s1 1", "s1 -- s1 2e1"}));
}

// Names are written as their bytes: converted from GBK, they read as written.
TEST(InterchangeDot, GbkNamesRoundTripThroughIconv)
{
    const std::string park = "\xB9\xAB\xD4\xB0", harbor = "\xB8\xDB"; // 公园, 港
    RunResult run = runProgram(programPath(), {"--dot"}, park + " " + harbor + " 1\n");
    ASSERT_EQ(run.status, 0);
    iconv_t cd = iconv_open("UTF-8", "GBK");
    ASSERT_NE(reinterpret_cast<intptr_t>(cd), -1);
    std::string utf8(run.out.size() * 2, '\0');
    char *in = run.out.data(), *out = utf8.data();
    size_t inLeft = run.out.size(), outLeft = utf8.size();
    ASSERT_NE(iconv(cd, &in, &inLeft, &out, &outLeft), static_cast<size_t>(-1));
    iconv_close(cd);
    utf8.resize(utf8.size() - outLeft);
    EXPECT_NE(utf8.find("label=\"\u516C\u56ED\""), std::string::npos) << utf8;
    EXPECT_NE(utf8.find("label=\"\u6E2F\""), std::string::npos) << utf8;
}

} // namespace
