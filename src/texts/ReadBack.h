// Reading back a line that Output::print wrote: scanLine<F>(line, values...) is true when line is
// exactly what print<F>(values...) writes for some values, without the format's final line break,
// and then stores those values. Programs that read kostra's output match it against the same
// formats that kostra prints it with (Texts.h), so the two can never drift apart.
//
// Contract: F holds "%d" and "%2d" conversions only, one int& per conversion. A number must be
// written exactly as printf writes it: no leading zeros, no plus sign, no "-0", within the 32-bit
// range, and for "%2d" a single digit has one blank before it. A line break is allowed only as
// the format's last character. Cost: one pass over the line.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "Format.h"

namespace readback {

// Takes a number written with printf's "%d" (width 1) or "%2d" (width 2) from the front of rest.
inline bool number(std::string_view& rest, int width, int& value) {
    const bool padded = width == 2 && rest.starts_with(' ');
    std::size_t i = padded ? 1 : 0;
    const std::size_t start = i;
    const bool negative = i < rest.size() && rest[i] == '-';
    if (negative) ++i;
    const std::size_t first = i;
    std::int64_t v = 0;
    while (i < rest.size() && i - first <= 10 && rest[i] >= '0' && rest[i] <= '9')
        v = v * 10 + (rest[i++] - '0');
    const std::size_t digits = i - first;
    if (digits == 0 || digits > 10 || (digits > 1 && rest[first] == '0')) return false;
    if (negative) v = -v;
    if (v < INT32_MIN || v > INT32_MAX || (negative && v == 0)) return false;
    const std::size_t length = i - start;
    if (padded ? length != 1 : length < static_cast<std::size_t>(width)) return false;
    value = static_cast<int>(v);
    rest.remove_prefix(i);
    return true;
}

template <Format F, std::size_t Pos>
constexpr std::size_t nextConversion() {
    std::size_t at = Pos;
    while (at < F.size && F.text[at] != '%') ++at;
    return at;
}

template <Format F, std::size_t Pos>
bool scanFrom(std::string_view rest) {
    constexpr std::size_t end = nextConversion<F, Pos>();
    static_assert(end == F.size, "more conversions than values");
    constexpr std::size_t stop = end > Pos && F.text[end - 1] == '\n' ? end - 1 : end;
    return rest == std::string_view(F.text + Pos, stop - Pos);
}

template <Format F, std::size_t Pos, class... Rest>
bool scanFrom(std::string_view rest, int& value, Rest&... more) {
    constexpr std::size_t at = nextConversion<F, Pos>();
    static_assert(at < F.size, "more values than conversions");
    constexpr std::string_view literal(F.text + Pos, at - Pos);
    static_assert(literal.find('\n') == std::string_view::npos, "a line break before the end");
    if (!rest.starts_with(literal)) return false;
    rest.remove_prefix(literal.size());
    constexpr bool wide = F.text[at + 1] == '2';
    static_assert(F.text[at + 1] == 'd' || (wide && F.text[at + 2] == 'd'),
                  "only %d and %2d can be read back");
    int v = 0;
    if (!number(rest, wide ? 2 : 1, v)) return false;
    if (!scanFrom<F, at + (wide ? 3 : 2)>(rest, more...)) return false;
    value = v;
    return true;
}

}  // namespace readback

template <Format F, class... Ints>
bool scanLine(std::string_view line, Ints&... values) {
    return readback::scanFrom<F, 0>(line, values...);
}

// The same for a text of the catalogue, as it is written in the language.
template <Text T, class... Ints>
bool scanLine(Language language, std::string_view line, Ints&... values) {
    if (language == Language::English) return scanLine<T.en>(line, values...);
    return scanLine<T.cs>(line, values...);
}
