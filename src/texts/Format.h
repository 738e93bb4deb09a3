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

// The languages the programs speak. Czech (without diacritics) is the default; a text of the
// catalogue is written in each, side by side.
enum class Language : unsigned char { Czech, English };

// The conversions of a format, in order, as one letter each: 'd' ("%d"), 'w' ("%2d"), 's' ("%s").
// (constexpr, not consteval: clang 14, which clang-tidy runs, takes a consteval call inside the
// consteval constructor below for one that must be a constant expression on its own.)
template <std::size_t N>
constexpr auto conversionsOf(const Format<N>& f) {
    struct Letters {
        char letter[N] = {};
        std::size_t count = 0;
    } found;
    for (std::size_t i = 0; i + 1 < Format<N>::size; ++i) {
        if (f.text[i] != '%') continue;
        found.letter[found.count++] = f.text[i + 1] == '2' ? 'w' : f.text[i + 1];
    }
    return found;
}

// A text of the catalogue: the same message in Czech and in English. Both take the same
// conversions in the same order (checked when compiling), so the same arguments fit either,
// and a script can read the numbers of either language alike.
template <std::size_t C, std::size_t E>
struct Text {
    Format<C> cs;
    Format<E> en;
    consteval Text(const char (&czech)[C], const char (&english)[E])
        : Text(Format<C>(czech), Format<E>(english)) {}
    consteval Text(Format<C> czech, Format<E> english) : cs(czech), en(english) {
        const auto a = conversionsOf(cs);
        const auto b = conversionsOf(en);
        bool same = a.count == b.count;
        for (std::size_t i = 0; same && i < a.count; ++i) same = a.letter[i] == b.letter[i];
        if (!same) throw "the Czech and the English text take different conversions";
    }
    constexpr std::string_view in(Language language) const {
        return language == Language::English ? en.view() : cs.view();
    }
};
template <std::size_t C, std::size_t E>
Text(const char (&)[C], const char (&)[E]) -> Text<C, E>;
template <std::size_t C, std::size_t E>
Text(Format<C>, Format<E>) -> Text<C, E>;

// Texts one after another, each language apart: joinText<kName, kText>().
template <Text... Parts>
consteval auto joinText() {
    return Text(join<Parts.cs...>(), join<Parts.en...>());
}
