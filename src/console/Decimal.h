// Integers in decimal, as printf's "%d" writes them, two digits at a time: the report's numbers,
// and the graph files and reports of the benchmark's tools.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>

// The digits of 00 to 99, two characters each.
inline constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// The number of decimal digits of u.
inline std::size_t decimalLength(std::uint32_t u) {
    std::size_t n = 1;
    for (; u >= 10000; u /= 10000) n += 4;
    return n + (u >= 10) + (u >= 100) + (u >= 1000);
}

// Writes the digits of u so that they end just before end and returns where they start: at most
// 20 characters, no sign.
template <class Unsigned>
char* decimalDigits(char* end, Unsigned u) {
    static_assert(std::is_unsigned_v<Unsigned>);
    char* p = end;
    while (u >= 100) {
        const auto pair = static_cast<std::size_t>(u % 100);
        u /= 100;
        p -= 2;
        std::memcpy(p, kDigitPairs + 2 * pair, 2);
    }
    if (u >= 10) {
        p -= 2;
        std::memcpy(p, kDigitPairs + 2 * static_cast<std::size_t>(u), 2);
    } else {
        *--p = static_cast<char>('0' + u);
    }
    return p;
}
