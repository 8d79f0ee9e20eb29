#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "sqstack.h"

using namespace std::string_literals;

namespace {

TEST(Sqstack, NewStackIsEmptyAndRefusesPopWithoutWriting)
{
    sqstack S;
    initstack(&S);
    EXPECT_TRUE(isempty(S));
    char x = 'k';
    EXPECT_FALSE(pop(&S, &x));
    EXPECT_EQ(x, 'k');
    EXPECT_EQ(S.top, -1);
}

TEST(Sqstack, HoldsThirtyAndRefusesTheThirtyFirstUnchanged)
{
    sqstack S;
    initstack(&S);
    for (int i = 0; i < MAXSIZE; i++)
        ASSERT_TRUE(push(&S, static_cast<char>('A' + i)));
    EXPECT_EQ(S.top, MAXSIZE - 1);

    sqstack before = S;
    EXPECT_FALSE(push(&S, '!'));
    EXPECT_EQ(S.top, before.top);
    EXPECT_EQ(std::memcmp(S.data, before.data, sizeof S.data), 0);

    char x;
    ASSERT_TRUE(pop(&S, &x));
    EXPECT_EQ(x, 'A' + MAXSIZE - 1);
    EXPECT_TRUE(push(&S, '!'));
}

TEST(Sqstack, PopsInReverseOrderOfPushes)
{
    sqstack S;
    initstack(&S);
    for (char c : "([{"s)
        ASSERT_TRUE(push(&S, c));
    EXPECT_FALSE(isempty(S));
    std::string popped;
    char x;
    while (pop(&S, &x))
        popped += x;
    EXPECT_EQ(popped, "{[(");
    EXPECT_TRUE(isempty(S));
}

TEST(Sqstack, EveryByteValueComesBackUnchanged)
{
    sqstack S;
    initstack(&S);
    for (int b = 0; b < 256; b++) {
        char x = 0;
        ASSERT_TRUE(push(&S, static_cast<char>(b)));
        ASSERT_TRUE(pop(&S, &x));
        EXPECT_EQ(static_cast<unsigned char>(x), b);
    }
}

} // namespace
