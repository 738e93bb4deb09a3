// The compile-time formats of every text the programs write: a string literal as a template
// argument, which Output::print splits and checks when compiling (see Output.h for "%d", "%2d"
// and "%s"), and join<...>() to build one format of several.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string_view>

// A format string as a template argument.
template <std::size_t N>
struct Format {
    char text[N];
    consteval Format(const char (&s)[N]) {  // NOLINT(google-explicit-constructor): literal use
        for (std::size_t i = 0; i < N; ++i) text[i] = s[i];
    }
    static constexpr std::size_t size = N - 1;  // without the terminating NUL
    constexpr std::string_view view() const { return {text, size}; }
};

// The formats one after another, as one format: join<kName, ": ", kText>().
template <Format... Parts>
consteval auto join() {
    constexpr std::size_t size = (Parts.size + ...);
    char text[size + 1] = {};
    std::size_t at = 0;
    ((std::copy_n(Parts.text, Parts.size, text + at), at += Parts.size), ...);
    return Format<size + 1>(text);
}
