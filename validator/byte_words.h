#pragma once

#include <cstddef>
#include <cstdint>

// Eight bytes at a time in a 64-bit word, for the reader and the scanner. The
// first byte of memory is always the lowest of the word, whatever the byte
// order of the machine: compilers turn these shifts into a single load or
// store where the order allows it.
namespace byteWords {

constexpr std::uint64_t lowBits = 0x0101010101010101ull;
constexpr std::uint64_t highBits = 0x8080808080808080ull;

inline std::uint64_t load(const char* p)
{
    const auto* b = reinterpret_cast<const unsigned char*>(p);
    return std::uint64_t{b[0]} | std::uint64_t{b[1]} << 8 | std::uint64_t{b[2]} << 16 |
           std::uint64_t{b[3]} << 24 | std::uint64_t{b[4]} << 32 | std::uint64_t{b[5]} << 40 |
           std::uint64_t{b[6]} << 48 | std::uint64_t{b[7]} << 56;
}

inline void store(char* p, std::uint64_t word)
{
    p[0] = static_cast<char>(word);
    p[1] = static_cast<char>(word >> 8);
    p[2] = static_cast<char>(word >> 16);
    p[3] = static_cast<char>(word >> 24);
    p[4] = static_cast<char>(word >> 32);
    p[5] = static_cast<char>(word >> 40);
    p[6] = static_cast<char>(word >> 48);
    p[7] = static_cast<char>(word >> 56);
}

// The high bit of every byte of the word that equals byte. Exact up to and
// including the lowest such byte; above it a byte may be flagged that is not
// (a borrow), which no caller minds.
inline std::uint64_t bytesEqual(std::uint64_t word, unsigned char byte)
{
    const std::uint64_t x = word ^ (lowBits * byte);
    return (x - lowBits) & ~x & highBits;
}

// The high bits of the bytes below the lowest byte flagged in a non-zero mask.
inline std::uint64_t flagsBelowLowest(std::uint64_t mask)
{
    return ((mask & (0 - mask)) - 1) & highBits;
}

// The index of the lowest byte flagged in a non-zero mask: the bytes up to and
// including it, each counted as one, summed by a multiplication.
inline std::size_t lowestFlagged(std::uint64_t mask)
{
    const std::uint64_t below = (mask & (0 - mask)) - 1;
    return static_cast<std::size_t>(((below & lowBits) * lowBits) >> 56) - 1;
}

}  // namespace byteWords
