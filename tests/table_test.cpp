#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "table.h"

namespace {

// A table as its owner holds it: room for 10 entries to start with.
class Table : public testing::Test {
  protected:
    Head *heads = static_cast<Head *>(std::malloc(10 * sizeof(Head)));
    int32_t size = 0;

    ~Table() override
    {
        release_table(heads, size);
    }

    Head *lookup(const std::string &name)
    {
        return find_or_create_head(&heads, &size, name.c_str());
    }

    int32_t indexOf(const std::string &name)
    {
        Head *entry = lookup(name);
        return entry == nullptr ? -1 : static_cast<int32_t>(entry - heads);
    }
};

std::vector<std::string> neighbours(const Head *entry)
{
    std::vector<std::string> names;
    for (const arc *a = entry->add; a != nullptr; a = a->next)
        names.push_back(name_of(a->name1));
    return names;
}

TEST(GrownRoom, GrowsByTenWhenTheFirstEleventhAndTwentyFirstNamesArrive)
{
    const int32_t expected[][2] = {{0, 10}, {1, 0}, {9, 0}, {10, 20}, {11, 0}, {19, 0}, {20, 30}, {21, 0}, {30, 40}};
    for (const auto &[size, room] : expected)
        EXPECT_EQ(grown_room(size), room) << "size " << size;
}

TEST_F(Table, KnownNameIsFoundWithoutChange)
{
    ASSERT_EQ(indexOf("Park"), 0);
    ASSERT_EQ(indexOf("Harbor"), 1);
    Head *before = heads;
    EXPECT_EQ(indexOf("Park"), 0);
    EXPECT_EQ(size, 2);
    EXPECT_EQ(heads, before);
}

TEST_F(Table, EntriesKeepIndexNameAndListAcrossResizes)
{
    for (int i = 0; i < 25; i++) {
        Head *entry = lookup("S" + std::to_string(i));
        ASSERT_NE(entry, nullptr);
        ASSERT_TRUE(add_arc(entry, ("N" + std::to_string(i)).c_str(), static_cast<float>(i)));
    }
    ASSERT_EQ(size, 25);
    for (int i = 0; i < 25; i++) {
        EXPECT_STREQ(name_of(heads[i].name), ("S" + std::to_string(i)).c_str());
        EXPECT_EQ(neighbours(&heads[i]), std::vector<std::string>{"N" + std::to_string(i)});
        EXPECT_EQ(heads[i].add->dist, static_cast<float>(i));
        EXPECT_EQ(indexOf("S" + std::to_string(i)), i);
    }
    EXPECT_EQ(size, 25);
}

TEST_F(Table, NamesAreComparedWholeAndExactly)
{
    const std::string name19 = "ABCDEFGHIJKLMNOPQRS";
    const std::string name40 = name19 + name19 + "TU";
    const std::string names[] = {"Mill", "mill", "Mills", name19, name40, name40.substr(0, 39), name19.substr(0, 18)};
    for (int32_t i = 0; i < 7; i++)
        EXPECT_EQ(indexOf(names[i]), i) << names[i];
    for (int32_t i = 0; i < 7; i++) {
        EXPECT_EQ(indexOf(names[i]), i) << names[i];
        EXPECT_EQ(name_of(heads[i].name), names[i]);
    }
    EXPECT_EQ(size, 7);
}

// Up to 19 bytes a name lives in its record; from 20 it is kept whole on the
// heap, and names alike in their first 19 or 20 bytes stay apart.
TEST_F(Table, NamesMoveToTheHeapAtTwentyBytes)
{
    const std::string base = "ABCDEFGHIJKLMNOPQRS"; // 19 bytes
    const std::string names[] = {base, base + "T", base + "U", base + "TV"};
    for (int32_t i = 0; i < 4; i++) {
        Head *entry = lookup(names[i]);
        ASSERT_NE(entry, nullptr);
        ASSERT_TRUE(add_arc(entry, names[i].c_str(), 1.0f));
    }
    for (int32_t i = 0; i < 4; i++) {
        EXPECT_EQ(indexOf(names[i]), i);
        EXPECT_EQ(is_long(heads[i].name), names[i].size() > 19) << names[i];
        EXPECT_EQ(name_of(heads[i].name), names[i]);
        EXPECT_EQ(neighbours(&heads[i]), std::vector<std::string>{names[i]});
    }
    EXPECT_EQ(size, 4);
}

TEST_F(Table, AddArcPrependsAndKeepsDuplicates)
{
    Head *entry = lookup("A");
    for (const char *name : {"B", "C", "D", "C"})
        ASSERT_TRUE(add_arc(entry, name, 1.0f));
    EXPECT_EQ(neighbours(entry), (std::vector<std::string>{"C", "D", "C", "B"}));
    ASSERT_TRUE(add_arc(entry, "A neighbour whose name is longer than nineteen bytes", 2.5f));
    EXPECT_EQ(neighbours(entry).front(), "A neighbour whose name is longer than nineteen bytes");
}

} // namespace
