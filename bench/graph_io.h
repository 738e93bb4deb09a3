// Reading a graph file and writing reports shaped like kostra's, as fast as this machine allows.
// The benchmark's floor and its library peer both use this, so they differ only in what they
// compute between reading and writing.
//
// The graph file is kostra's: edge count, node count, then from, to and weight of every edge,
// whitespace-separated decimal integers (as the generator writes them). Anything else in the file
// (a word, a number beyond 32 bits, an endpoint out of range, a file that ends early) ends the
// program with a message on standard error: these tools measure, they do not repair input.
//
// Exit statuses: 1 the file is not a graph, 2 usage or the file cannot be opened, 4 out of
// memory, 5 the report cannot be written.
#pragma once

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <type_traits>
#include <utility>

#include "Decimal.h"  // the digits as kostra writes them

namespace bench {

[[noreturn]] inline void fail(int status, const char* what, const char* detail) {
    std::fprintf(stderr, "%s: %s\n", what, detail);
    std::exit(status);
}

// An array of plain values in fresh anonymous memory: zeroed by the kernel, page by page as it
// is first touched, and backed by huge pages where the kernel grants them on request (the arrays
// are written and read at random, where huge pages spare most address-translation misses).
template <class T>
class CBigArray {
    static_assert(std::is_trivial_v<T>);

public:
    CBigArray() = default;
    explicit CBigArray(std::size_t count) : count_(count) {
        bytes_ = (count > 0 ? count : 1) * sizeof(T);  // a mapping is never empty
        void* p =
            ::mmap(nullptr, bytes_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (p == MAP_FAILED) fail(4, "out of memory", std::strerror(errno));
        ::madvise(p, bytes_, MADV_HUGEPAGE);
        data_ = static_cast<T*>(p);
    }
    ~CBigArray() {
        if (data_ != nullptr) ::munmap(data_, bytes_);
    }
    CBigArray(const CBigArray&) = delete;
    CBigArray& operator=(const CBigArray&) = delete;
    CBigArray(CBigArray&& other) noexcept
        : data_(other.data_), count_(other.count_), bytes_(other.bytes_) {
        other.data_ = nullptr;
    }
    CBigArray& operator=(CBigArray&& other) noexcept {
        std::swap(data_, other.data_);
        std::swap(count_, other.count_);
        std::swap(bytes_, other.bytes_);
        return *this;
    }

    T* data() { return data_; }
    const T* data() const { return data_; }
    std::size_t size() const { return count_; }
    T& operator[](std::size_t i) { return data_[i]; }
    const T& operator[](std::size_t i) const { return data_[i]; }

private:
    T* data_ = nullptr;
    std::size_t count_ = 0;
    std::size_t bytes_ = 0;
};

// Whitespace-separated decimal integers from a file, read in blocks of 4 MiB. A number is parsed
// only when the blank after it has been read too: the parse window ends at the last blank read so
// far, and the end of the file counts as a blank.
class CNumberReader {
public:
    explicit CNumberReader(const char* path) : path_(path) {
        fd_ = ::open(path, O_RDONLY | O_CLOEXEC);
        if (fd_ < 0) fail(2, path, std::strerror(errno));
        buf_ = static_cast<char*>(std::malloc(kCapacity + 1));
        if (buf_ == nullptr) fail(4, "out of memory", "read buffer");
        p_ = end_ = len_ = buf_;
    }
    ~CNumberReader() {
        ::close(fd_);
        std::free(buf_);
    }
    CNumberReader(const CNumberReader&) = delete;
    CNumberReader& operator=(const CNumberReader&) = delete;

    // The next number; false at the end of the file. Ends the program on anything that is not
    // a 32-bit decimal integer.
    bool next(int& value) {
        for (;;) {
            while (p_ < end_ && isBlank(*p_)) ++p_;
            if (p_ < end_) break;
            if (!refill()) return false;
        }
        char* p = p_;
        const bool negative = *p == '-';
        if (negative || *p == '+') ++p;
        const char* digits = p;
        std::uint64_t v = 0;
        while (static_cast<unsigned char>(*p - '0') < 10)
            v = v * 10 + static_cast<unsigned>(*p++ - '0');
        // The window ends at a blank, so *p is inside the buffer.
        if (p == digits || !isBlank(*p) || p - digits > 10 ||
            v > std::uint64_t{INT32_MAX} + (negative ? 1 : 0)) {
            fail(1, path_, "not a 32-bit decimal integer in the graph");
        }
        p_ = p;
        value = static_cast<int>(negative ? -static_cast<std::int64_t>(v)
                                          : static_cast<std::int64_t>(v));
        return true;
    }

private:
    static constexpr std::size_t kCapacity = std::size_t{4} << 20;

    static bool isBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

    // Keeps the unparsed rest, reads until the buffer is full or the file ends and moves the
    // window's end to the last blank; false when nothing is left to parse.
    bool refill() {
        const std::size_t rest = static_cast<std::size_t>(len_ - p_);
        std::memmove(buf_, p_, rest);
        p_ = buf_;
        len_ = buf_ + rest;
        while (!eof_ && len_ < buf_ + kCapacity) {
            const ssize_t got =
                ::read(fd_, len_, static_cast<std::size_t>(buf_ + kCapacity - len_));
            if (got < 0 && errno == EINTR) continue;
            if (got < 0) fail(1, path_, std::strerror(errno));
            if (got == 0) eof_ = true;
            len_ += got;
        }
        if (eof_) {
            *len_ = '\n';  // the end of the file ends the last number
            end_ = len_ + 1;
            len_ = end_;
            return end_ != p_ + 1;
        }
        end_ = len_;
        while (end_ > p_ && !isBlank(end_[-1])) --end_;
        if (end_ == p_) fail(1, path_, "a word longer than 4 MiB in the graph");
        return true;
    }

    const char* path_;
    int fd_ = -1;
    char* buf_ = nullptr;
    char* p_ = nullptr;    // the next character to parse
    char* end_ = nullptr;  // one past the last blank read: the parse window is [p_, end_)
    char* len_ = nullptr;  // one past the last character read
    bool eof_ = false;
};

// The three edge arrays of a graph, as the file gives them.
struct CGraphArrays {
    int edgeCount = 0;
    int nodeCount = 0;
    CBigArray<int> from;
    CBigArray<int> to;
    CBigArray<int> weight;
};

// Reads a whole graph file; ends the program when it is not a consistent graph.
inline CGraphArrays readGraph(const char* path) {
    CNumberReader in(path);
    CGraphArrays g;
    if (!in.next(g.edgeCount) || !in.next(g.nodeCount) || g.edgeCount < 0 || g.nodeCount < 1) {
        fail(1, path, "no edge count and node count at the start");
    }
    const auto m = static_cast<std::size_t>(g.edgeCount);
    g.from = CBigArray<int>(m);
    g.to = CBigArray<int>(m);
    g.weight = CBigArray<int>(m);
    const auto n = static_cast<unsigned>(g.nodeCount);
    for (std::size_t e = 0; e < m; ++e) {
        if (!in.next(g.from[e]) || !in.next(g.to[e]) || !in.next(g.weight[e])) {
            fail(1, path, "the file ends before the last edge");
        }
        if (static_cast<unsigned>(g.from[e]) >= n || static_cast<unsigned>(g.to[e]) >= n) {
            fail(1, path, "an endpoint is not a node of the graph");
        }
    }
    return g;
}

// Incident edges at every node, a self-loop counted once, as kostra counts a node's degree.
inline CBigArray<int> countDegrees(const CGraphArrays& g) {
    CBigArray<int> degree(static_cast<std::size_t>(g.nodeCount));
    for (int e = 0; e < g.edgeCount; ++e) {
        ++degree[g.from[e]];
        if (g.to[e] != g.from[e]) ++degree[g.to[e]];
    }
    return degree;
}

// Tree edges at every node (a tree edge is never a self-loop).
inline CBigArray<int> countBones(const CGraphArrays& g, const std::uint8_t* inTree) {
    CBigArray<int> bones(static_cast<std::size_t>(g.nodeCount));
    for (int e = 0; e < g.edgeCount; ++e) {
        if (inTree[e] == 0) continue;
        ++bones[g.from[e]];
        ++bones[g.to[e]];
    }
    return bones;
}

// Buffered report on standard output. A line is written into the buffer directly: line() gives
// room for one line, done() takes what was written.
class CReport {
public:
    static constexpr std::size_t kLineRoom = 128;

    CReport() : buf_(static_cast<char*>(std::malloc(kCapacity))) {
        if (buf_ == nullptr) fail(4, "out of memory", "report buffer");
    }
    ~CReport() {
        flush();
        std::free(buf_);
    }
    CReport(const CReport&) = delete;
    CReport& operator=(const CReport&) = delete;

    char* line() {
        if (kCapacity - len_ < kLineRoom) flush();
        return buf_ + len_;
    }
    void done(const char* end) { len_ = static_cast<std::size_t>(end - buf_); }

    void flush() {
        std::size_t at = 0;
        while (at < len_) {
            const ssize_t put = ::write(1, buf_ + at, len_ - at);
            if (put < 0 && errno == EINTR) continue;
            if (put <= 0) fail(5, "cannot write the report", std::strerror(errno));
            at += static_cast<std::size_t>(put);
        }
        len_ = 0;
    }

private:
    static constexpr std::size_t kCapacity = std::size_t{1} << 20;
    char* buf_;
    std::size_t len_ = 0;
};

// A piece of text whose length is known when compiling.
template <std::size_t N>
char* put(char* p, const char (&text)[N]) {
    std::memcpy(p, text, N - 1);
    return p + N - 1;
}

// printf("%2d", v) when wide, printf("%d", v) otherwise.
inline char* putNumber(char* p, int v, bool wide) {
    if (static_cast<unsigned>(v) < 10) {
        if (wide) *p++ = ' ';
        *p++ = static_cast<char>('0' + v);
        return p;
    }
    if (v < 0) *p++ = '-';
    const unsigned u = v < 0 ? 0U - static_cast<unsigned>(v) : static_cast<unsigned>(v);
    char tmp[10];
    const char* t = decimalDigits(tmp + sizeof tmp, u);
    const auto k = static_cast<std::size_t>(tmp + sizeof tmp - t);
    std::memcpy(p, t, k);
    return p + k;
}

// The line numbers 0, 1, 2, ... of a report as text, each made from the one before by adding
// one to its last digit, which is cheaper than converting every number afresh.
class CLineNumber {
public:
    CLineNumber() { std::memset(digits_, '0', sizeof digits_); }
    // printf("%2d", number)
    char* put2(char* p) const {
        if (first_ == kLast) *p++ = ' ';
        const auto k = static_cast<std::size_t>(kLast + 1 - first_);
        std::memcpy(p, digits_ + first_, k);
        return p + k;
    }
    void next() {
        int k = kLast;
        while (k >= first_ && digits_[k] == '9') digits_[k--] = '0';
        if (k < first_) first_ = k;
        ++digits_[k];
    }

private:
    static constexpr int kLast = 10;
    char digits_[kLast + 1];
    int first_ = kLast;
};

// The report of tasks 1 to 3: every edge's tree flag and weight, then every node's tree edges
// and degree. A null inTree or bones prints 0 for all.
inline void writeForestReport(const CGraphArrays& g, const std::uint8_t* inTree, const int* bones,
                              const int* degree) {
    CReport out;
    CLineNumber number;
    for (int e = 0; e < g.edgeCount; ++e, number.next()) {
        char* p = put(out.line(), "hrana ");
        p = number.put2(p);
        p = put(p, ": v kostre= ");
        *p++ = inTree != nullptr && inTree[e] != 0 ? '1' : '0';
        p = put(p, ", vaha=");
        p = putNumber(p, g.weight[e], true);
        *p++ = '\n';
        out.done(p);
    }
    number = CLineNumber();
    for (int v = 0; v < g.nodeCount; ++v, number.next()) {
        char* p = put(out.line(), "uzel  ");
        p = number.put2(p);
        p = put(p, ": kosti z=");
        p = putNumber(p, bones != nullptr ? bones[v] : 0, true);
        p = put(p, ", smeru=");
        p = putNumber(p, degree[v], true);
        *p++ = '\n';
        out.done(p);
    }
}

// What tasks 4 and 5 print: every edge's tree flag (the list shown before the edge question),
// then every edge's orientation. Null arrays print 0 for all.
inline void writeOrientReport(int edgeCount, const std::uint8_t* inTree,
                              const std::int8_t* orientation) {
    CReport out;
    CLineNumber number;
    for (int e = 0; e < edgeCount; ++e, number.next()) {
        char* p = put(out.line(), "hrana ");
        p = number.put2(p);
        p = put(p, ": v kostre=");
        *p++ = inTree != nullptr && inTree[e] != 0 ? '1' : '0';
        *p++ = '\n';
        out.done(p);
    }
    number = CLineNumber();
    for (int e = 0; e < edgeCount; ++e, number.next()) {
        char* p = put(out.line(), "hrana ");
        p = number.put2(p);
        p = put(p, ": orientace=");
        p = putNumber(p, orientation != nullptr ? orientation[e] : 0, true);
        *p++ = '\n';
        out.done(p);
    }
}

}  // namespace bench
