#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>

#if defined(_MSC_VER) && defined(_M_X64)
#include <intrin.h>
#endif

namespace kobrix {

// A fast hash of a short run of bytes (names and paths of a catalog's lines,
// tens of bytes): eight bytes at a time through a 64 x 64 -> 128-bit multiply
// whose halves are folded together, which mixes every input bit into all of
// the result's bits, low and high alike. Not for use against adversaries:
// for tables whose keys are compared in full anyway.
namespace bytehash {

inline std::uint64_t fold(std::uint64_t a, std::uint64_t b)
{
#if defined(__SIZEOF_INT128__)
    const unsigned __int128 product = static_cast<unsigned __int128>(a) * b;
    return std::uint64_t(product) ^ std::uint64_t(product >> 64);
#elif defined(_MSC_VER) && defined(_M_X64)
    std::uint64_t high;
    const std::uint64_t low = _umul128(a, b, &high);
    return low ^ high;
#else
    // 32-bit halves, multiplied out.
    const std::uint64_t aLow = a & 0xFFFFFFFFu, aHigh = a >> 32;
    const std::uint64_t bLow = b & 0xFFFFFFFFu, bHigh = b >> 32;
    const std::uint64_t lowLow = aLow * bLow, lowHigh = aLow * bHigh;
    const std::uint64_t highLow = aHigh * bLow, highHigh = aHigh * bHigh;
    const std::uint64_t middle = (lowLow >> 32) + (lowHigh & 0xFFFFFFFFu) + (highLow & 0xFFFFFFFFu);
    const std::uint64_t low = (middle << 32) | (lowLow & 0xFFFFFFFFu);
    const std::uint64_t high = highHigh + (lowHigh >> 32) + (highLow >> 32) + (middle >> 32);
    return low ^ high;
#endif
}

inline std::uint64_t load8(const char *p)
{
    std::uint64_t word;
    std::memcpy(&word, p, 8);
    return word;
}

constexpr std::uint64_t kSeed = 0xA0761D6478BD642FULL;
constexpr std::uint64_t kOdd1 = 0xE7037ED1A0B428DBULL;
constexpr std::uint64_t kOdd2 = 0x8EBC6AF09C88C6E3ULL;

} // namespace bytehash

inline std::uint64_t hashBytes(std::string_view bytes)
{
    using namespace bytehash;
    const char *p = bytes.data();
    std::size_t n = bytes.size();
    std::uint64_t hash = kSeed ^ n;
    while (n >= 16) {
        hash = fold(load8(p) ^ kOdd1, load8(p + 8) ^ hash);
        p += 16;
        n -= 16;
    }
    std::uint64_t a = 0, b = 0;
    if (n >= 8) {
        a = load8(p);
        b = load8(p + n - 8); // overlaps a when n < 16
    } else if (n > 0) {
        // One to seven bytes: the first, middle and last, which tell them apart.
        a = (std::uint64_t(static_cast<unsigned char>(p[0])) << 16)
            | (std::uint64_t(static_cast<unsigned char>(p[n / 2])) << 8)
            | std::uint64_t(static_cast<unsigned char>(p[n - 1]));
        if (n >= 4) {
            std::uint32_t head, tail;
            std::memcpy(&head, p, 4);
            std::memcpy(&tail, p + n - 4, 4);
            b = (std::uint64_t(head) << 32) | tail;
        }
    }
    return fold(a ^ kOdd1, b ^ hash ^ kOdd2) ^ fold(hash, kOdd2);
}

} // namespace kobrix
