#pragma once

// A small test harness for the Windows layer's tests, which run under Wine
// without Qt: named checks, one line per failure, a summary, and an exit
// code that is the number of failed checks.

#include <cstdio>
#include <string>
#include <vector>

namespace wintest {

struct Totals
{
    int passed = 0;
    int failed = 0;
};

inline Totals &totals()
{
    static Totals t;
    return t;
}

// Text in double quotes, its bytes as they are (the console gets UTF-8).
inline std::string quoted(const std::string &text)
{
    return '"' + text + '"';
}

inline void report(bool ok, const std::string &test, const std::string &row,
                   const std::string &detail)
{
    if (ok) {
        ++totals().passed;
        return;
    }
    ++totals().failed;
    std::printf("FAIL   %s(%s): %s\n", test.c_str(), row.c_str(), detail.c_str());
}

inline void compare(const std::string &test, const std::string &row, long long actual,
                    long long expected)
{
    report(actual == expected, test, row,
           "got " + std::to_string(actual) + ", expected " + std::to_string(expected));
}

inline void compare(const std::string &test, const std::string &row, const std::string &actual,
                    const std::string &expected)
{
    report(actual == expected, test, row, "got " + quoted(actual) + ", expected " + quoted(expected));
}

inline std::string joined(const std::vector<std::string> &items)
{
    std::string text;
    for (const std::string &item : items)
        text += (text.empty() ? "" : " | ") + item;
    return text;
}

inline void compare(const std::string &test, const std::string &row,
                    const std::vector<std::string> &actual, const std::vector<std::string> &expected)
{
    report(actual == expected, test, row,
           "\n       got      [" + joined(actual) + "]\n       expected [" + joined(expected) + "]");
}

// Runs one test function and says how it went.
template <typename Test>
void run(const char *name, Test test)
{
    const int failedBefore = totals().failed;
    test(name);
    std::printf("%s %s\n", totals().failed == failedBefore ? "PASS  " : "FAIL  ", name);
    std::fflush(stdout);
}

inline int summary()
{
    std::printf("Totals: %d checks passed, %d failed\n", totals().passed, totals().failed);
    return totals().failed;
}

} // namespace wintest
