// Buffered text output with printf-style messages checked at compile time.
//
//     out.print<"%2d: %2d, %2d\n">(i, inTree, weight);
//     out.print<texts::kEdgeLine>(i, inTree, weight);  // a text of the catalogue (Texts.h)
//
// The format understands "%d", "%2d" (right-aligned in two places, as printf does) and "%s";
// everything else is copied as it stands. The format is split at compile time, so a report of
// ten million lines costs only the copying and the number conversions.
//
// Output goes to a file descriptor (the program's standard output) or, for tests and the fuzz
// driver, into a string. A failed write is remembered: later output is dropped and failed()
// tells the caller, which ends the run with its own status. When the large buffer cannot be had,
// a small one inside the object takes its place: the output is the same, in more writes, and
// there is always a way left to say that memory ran out.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

#include "Decimal.h"
#include "Format.h"

class Output {
public:
    explicit Output(int fd);  // writes to fd (not owned)
    // Appends to *target. The text is all there after flush(); appending can run out of memory
    // (std::bad_alloc), so the destructor leaves out what is still buffered while an exception
    // unwinds the stack, rather than end the process with a second one.
    explicit Output(std::string* target);
    ~Output();
    Output(const Output&) = delete;
    Output& operator=(const Output&) = delete;

    template <Format F, class... Args>
    void print(const Args&... args) {
        static_assert(countConversions(F) == sizeof...(Args), "format and arguments do not match");
        emit<F, 0>(args...);
    }
    // A text of the catalogue, in the language this output speaks.
    template <Text T, class... Args>
    void print(const Args&... args) {
        // (Returns rather than else: clang-tidy takes the two languages' calls for one branch
        // twice.)
        if (language_ == Language::English) {
            print<T.en>(args...);
            return;
        }
        print<T.cs>(args...);
    }

    // The language of the texts of the catalogue printed here (Czech until told otherwise).
    void speak(Language language) { language_ = language; }
    Language language() const { return language_; }

    // The buffer goes out only when it is full (or flushed), so the writes the system sees depend
    // on the bytes alone, never on the pieces they were handed over in: a report formatted on
    // several threads is written in the same writes whichever thread formats which block.
    void write(const char* s, std::size_t n) {
        while (n > capacity_ - len_) {
            const std::size_t part = capacity_ - len_;
            std::memcpy(buf_ + len_, s, part);
            len_ = capacity_;
            s += part;
            n -= part;
            flush();
        }
        std::memcpy(buf_ + len_, s, n);
        len_ += n;
    }
    void write(std::string_view s) { write(s.data(), s.size()); }

    // Sends everything buffered on its way; returns false once any write has failed.
    bool flush();
    bool failed() const { return failed_; }

private:
    static constexpr std::size_t kCapacity = std::size_t{1} << 20;
    static constexpr std::size_t kSpareCapacity = 4096;  // the buffer inside the object
    static constexpr std::size_t kNumberRoom = 12;       // "-2147483648" and one spare
    static_assert(kNumberRoom <= kSpareCapacity);

    // The conversions of a format ("%d", "%2d", "%s"), one for each argument it takes.
    template <std::size_t N>
    static consteval std::size_t countConversions(const Format<N>& f) {
        std::size_t k = 0;
        for (std::size_t i = 0; i < Format<N>::size; ++i)
            if (f.text[i] == '%') ++k;
        return k;
    }
    // Where the first conversion at or after from starts; the format's size when none does.
    template <std::size_t N>
    static consteval std::size_t nextConversion(const Format<N>& f, std::size_t from) {
        while (from < Format<N>::size && f.text[from] != '%') ++from;
        return from;
    }

    template <Format F, std::size_t Pos>
    void emit() {
        constexpr std::size_t end = nextConversion(F, Pos);
        static_assert(end == F.size, "more conversions than arguments");
        if constexpr (end > Pos) literal<end - Pos>(F.text + Pos);
    }

    template <Format F, std::size_t Pos, class First, class... Rest>
    void emit(const First& first, const Rest&... rest) {
        constexpr std::size_t at = nextConversion(F, Pos);
        static_assert(at < F.size, "more arguments than conversions");
        if constexpr (at > Pos) literal<at - Pos>(F.text + Pos);
        if constexpr (F.text[at + 1] == 'd') {
            number(first, 1);
            emit<F, at + 2>(rest...);
        } else if constexpr (F.text[at + 1] == '2' && F.text[at + 2] == 'd') {
            number(first, 2);
            emit<F, at + 3>(rest...);
        } else {
            static_assert(F.text[at + 1] == 's', "only %d, %2d and %s are understood");
            write(std::string_view(first));
            emit<F, at + 2>(rest...);
        }
    }

    // A piece of a format: its length is known when compiling, so the copy is a few moves.
    template <std::size_t N>
    void literal(const char* s) {
        write(s, N);
    }

    // printf("%*d", width, v) for width 1 or 2.
    // The digits go straight into the buffer, where their length says they end; near the buffer's
    // end, through write(), which fills it to the last byte first.
    void number(int v, int width) {
        if (kNumberRoom > capacity_ - len_) {
            char digits[kNumberRoom];
            write(digits, static_cast<std::size_t>(formatNumber(digits, v, width) - digits));
            return;
        }
        len_ = static_cast<std::size_t>(formatNumber(buf_ + len_, v, width) - buf_);
    }
    // Writes v at p as number() prints it; returns where it ends.
    static char* formatNumber(char* p, int v, int width) {
        const unsigned u = v < 0 ? 0U - static_cast<unsigned>(v) : static_cast<unsigned>(v);
        if (v < 0) {
            *p++ = '-';
        } else if (width == 2 && u < 10) {
            *p++ = ' ';
        }
        p += decimalLength(u);
        decimalDigits(p, u);
        return p;
    }
    void number(bool v, int width) { number(static_cast<int>(v), width); }

    void writeOut(const char* s, std::size_t n);

    void takeBuffer();

    int fd_ = -1;
    std::string* target_ = nullptr;
    char* buf_ = nullptr;
    std::size_t capacity_ = 0;
    std::size_t len_ = 0;
    bool failed_ = false;
    Language language_ = Language::Czech;
    char spare_[kSpareCapacity];
};

// What Output::print<F>(args...) writes, as a string.
template <Format F, class... Args>
std::string formatted(const Args&... args) {
    std::string text;
    Output out(&text);
    out.print<F>(args...);
    out.flush();  // here, where running out of memory for it can be told
    return text;
}

// What Output::print<T>(args...) writes in the language, as a string.
template <Text T, class... Args>
std::string formatted(Language language, const Args&... args) {
    if (language == Language::English) return formatted<T.en>(args...);
    return formatted<T.cs>(args...);
}
