#ifndef TEST_SUPPORT_H
#define TEST_SUPPORT_H

#include <gtest/gtest.h>

#include <string>

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

#endif
