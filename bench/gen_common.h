// Pieces shared by the generators of kobrix-bench-gen.
#pragma once

#include <cstdint>
#include <cstdio>
#include <random>
#include <string>

namespace benchgen {

// Draws from a fixed-seed std::mt19937, whose sequence the standard fixes,
// and reduces by plain modulo, never through the library's distributions,
// whose output differs between library versions: the same seed gives the
// same numbers everywhere.
class Random
{
public:
    explicit Random(std::uint32_t seed) : m_engine(seed) {}

    // A number in [0, n).
    std::uint32_t below(std::uint32_t n) { return n == 0 ? 0 : std::uint32_t(m_engine() % n); }
    // A number in [lo, hi].
    int between(int lo, int hi) { return lo + int(below(std::uint32_t(hi - lo + 1))); }
    bool percent(std::uint32_t p) { return below(100) < p; }

    template <typename T, std::size_t N>
    const T &pick(const T (&items)[N])
    {
        return items[below(N)];
    }

private:
    std::mt19937 m_engine;
};

inline std::string format(const char *pattern, int value)
{
    char buffer[256];
    std::snprintf(buffer, sizeof buffer, pattern, value);
    return buffer;
}

// Writes data beside path and renames it into place when complete, so an
// interrupted run leaves nothing that looks finished.
bool writeFileAtomically(const std::string &path, const std::string &data);

// Cuts text behind its first `lines` line ends (discs end where the wanted
// count is reached, but a disc is generated whole).
void keepLines(std::string &text, long long lines);

} // namespace benchgen
