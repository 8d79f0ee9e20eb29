#ifndef TEST_SUPPORT_H
#define TEST_SUPPORT_H

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <unistd.h>

// Names each case of a value-parameterized test after its name field.
struct CaseName {
    template <class Case>
    std::string operator()(const testing::TestParamInfo<Case> &info) const
    {
        return info.param.name;
    }
};

// s repeated n times.
inline std::string repeat(const std::string &s, size_t n)
{
    std::string out;
    out.reserve(s.size() * n);
    while (n-- > 0)
        out += s;
    return out;
}

// A seekable descriptor holding exactly bytes, positioned at the start.
inline int fileWith(const std::string &bytes)
{
    FILE *f = std::tmpfile();
    EXPECT_NE(f, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fflush(f);
    int fd = dup(fileno(f));
    std::fclose(f);
    lseek(fd, 0, SEEK_SET);
    return fd;
}

#endif
