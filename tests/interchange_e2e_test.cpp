#include <gtest/gtest.h>

#include <map>
#include <random>
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
        OutputCase{"WordsHoldingTheTerminatorAreNames", "END!! X 1\nEND!! Y 1\nend! END!! 1\nend! X 1\nend! Y 1\n",
                   "END!! 3\nend! 3\n"},
        OutputCase{"NonNumberDistanceEndsTheMap", star("1") + "Park Harbor near\nA E 1\n", "A 3\n"},
        OutputCase{"IncompleteLastRecord", star("1") + "A E", "A 3\n"},
        OutputCase{"DistanceFollowedByAWord", "Park Harbor 2km Park 1\nPark Gate 1\n", "Park 3\n"},
        OutputCase{"LeadingPointNegative", star("-.5"), "A 3\n"}, OutputCase{"TrailingPoint", star("5."), "A 3\n"},
        OutputCase{"Exponent", star("1e3"), "A 3\n"}, OutputCase{"PlusSign", star("+2"), "A 3\n"},
        OutputCase{"ExponentBeyondFloat", star("1e999"), "A 3\n"},
        OutputCase{"ExponentWithoutDigitsStartsTheNextWord", "A B 1e A 1\nA D 1\n", "A 3\n"},
        OutputCase{"LonePointIsNoNumber", star("."), ""}, OutputCase{"InfinityIsNoNumber", star("inf"), ""},
        OutputCase{"NanIsNoNumber", star("nan"), ""},
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

TEST(InterchangeExamples, MatchTheirExpectedOutput)
{
    expectExamplesMatch();
}

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
                                                   "interchange: stdin: Connection reset by peer\n"}),
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
    if (underAddressSanitizer())
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
