#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

#include "linemap.h"
#include "test_support.h"

using namespace std::string_literals;

namespace {

// A map read from a seekable descriptor into a table, its records kept.
class Map : public testing::Test {
  protected:
    Head *heads = static_cast<Head *>(std::malloc(10 * sizeof(Head)));
    int32_t size = 0;
    segmentlist segments = {.items = nullptr, .count = 0, .room = 0};
    mapreader reader;
    int fd = -1;

    ~Map() override
    {
        release_segments(&segments);
        release_table(heads, size);
        if (fd >= 0)
            close(fd);
    }

    mapstop read(const std::string &map)
    {
        fd = fileWith(map);
        reader_init(&reader, fd);
        return read_map(&reader, &heads, &size, &segments);
    }

    // Each kept record as "station1 station2 distance".
    std::vector<std::string> records() const
    {
        std::vector<std::string> out;
        for (size_t i = 0; i < segments.count; i++) {
            const segment &s = segments.items[i];
            out.push_back(std::string(name_of(heads[s.station1].name)) + " " + name_of(heads[s.station2].name) + " " +
                          s.dist);
        }
        return out;
    }
};

struct StopCase {
    const char *name;
    std::string map;
    mapend why;
    int64_t line;
    std::vector<std::string> records;
};

class MapStop : public Map, public testing::WithParamInterface<StopCase> {};

TEST_P(MapStop, EndsWhereAndWhyTheMapDoes)
{
    const StopCase &c = GetParam();
    mapstop stop = read(c.map);
    EXPECT_EQ(stop.why, c.why);
    if (c.why != MAP_END) {
        EXPECT_EQ(stop.line, c.line);
    }
    EXPECT_EQ(records(), c.records);
}

INSTANTIATE_TEST_SUITE_P(
    Maps, MapStop,
    testing::Values(
        StopCase{"Empty", "", MAP_END, 0, {}}, StopCase{"WhiteSpaceOnly", " \n\t\n", MAP_END, 0, {}},
        StopCase{"CleanEnd", "A B 1\nA C 2.5\n", MAP_END, 0, {"A B 1", "A C 2.5"}},
        StopCase{"TerminatorFirst", "A B 1\nEND! B x", MAP_END, 0, {"A B 1"}},
        StopCase{"TerminatorSecond", "A B 1\nC END! x", MAP_END, 0, {"A B 1"}},
        StopCase{
            "NotADistance", "A B 1\nA C 2\nA D 3\nB C x\nA E 1\n", MAP_NOT_DISTANCE, 4, {"A B 1", "A C 2", "A D 3"}},
        StopCase{"DistanceOnALaterLineThanItsRecord", "A B 1\nC\nD\n\nnear\n", MAP_NOT_DISTANCE, 5, {"A B 1"}},
        StopCase{"LonePointIsNoNumber", "A B .\n", MAP_NOT_DISTANCE, 1, {}},
        StopCase{"SignAloneIsNoNumber", "A B -x\n", MAP_NOT_DISTANCE, 1, {}},
        StopCase{"CutAfterOneWord", "A B 1\n\nC", MAP_CUT_SHORT, 3, {"A B 1"}},
        StopCase{"CutAfterTwoWords", "A B 1\nC\nD \n", MAP_CUT_SHORT, 2, {"A B 1"}},
        StopCase{"TrailingPointThenMoreRecords", "A B 5.\nA C 1\n", MAP_END, 0, {"A B 5.", "A C 1"}},
        StopCase{"NegativeExponentThenMoreRecords", "A B 1e-3\nA C 1\n", MAP_END, 0, {"A B 1e-3", "A C 1"}},
        StopCase{"ExponentWithoutDigitsBeginsTheNextWord", "A B 2e C 1\n", MAP_END, 0, {"A B 2", "e C 1"}},
        StopCase{"CrLfAndFormFeeds", "A\fB\v1\r\nA C 2\r\n", MAP_END, 0, {"A B 1", "A C 2"}}),
    CaseName());

// What is no number is left unread, whole, for the message and for whoever reads on.
TEST_F(Map, ItemThatIsNoNumberIsLeftUnread)
{
    mapstop stop = read("A B 1\nP Q -near Z\n");
    ASSERT_EQ(stop.why, MAP_NOT_DISTANCE);
    char item[8];
    ASSERT_EQ(peek_item(&reader, item, sizeof item), 5u);
    EXPECT_EQ(std::string(item, 5), "-near");
    reader_finish(&reader);
    EXPECT_EQ(lseek(fd, 0, SEEK_CUR), 10);
}

TEST_F(Map, PeekedItemIsCutToTheRoomGiven)
{
    ASSERT_EQ(read("A B " + std::string(100, 'x')).why, MAP_NOT_DISTANCE);
    char item[16];
    EXPECT_EQ(peek_item(&reader, item, sizeof item), sizeof item);
}

} // namespace
