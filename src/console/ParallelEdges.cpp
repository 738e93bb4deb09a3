#include "ParallelEdges.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <memory>
#include <system_error>
#include <thread>
#include <vector>

#include "CGraph.h"
#include "LineReader.h"
#include "Processors.h"

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r'; }
bool isDigit(char c) { return static_cast<unsigned char>(c - '0') < 10; }

// The line breaks in [p, end).
std::size_t lineBreaks(const char* p, const char* end) {
    std::size_t count = 0;
    for (; p < end; ++p) count += *p == '\n' ? 1 : 0;
    return count;
}

// The shared state of one parse.
struct Parse {
    const char* text;
    std::size_t size;
    std::size_t pieceSize;
    std::size_t pieces;
    int n;
    Edge* edges;
    std::int64_t values;                                     // 3m: the lines that are read
    std::unique_ptr<std::atomic<std::int64_t>[]> firstLine;  // of every piece; -1 until known
    std::atomic<std::size_t> nextPiece{0};
    std::atomic<bool> failed{false};
};

// Reads one line at p as a clean value: blanks, an optional sign, digits within the 32-bit range,
// blanks, and the line break within kReadMax characters. Returns the position after the line
// break, or null when the line is not clean.
const char* cleanValue(const char* p, const char* end, int& value) {
    const char* limit =
        p + std::min<std::size_t>(LineReader::kReadMax, static_cast<std::size_t>(end - p));
    while (p < limit && isBlank(*p)) ++p;
    bool negative = false;
    if (p < limit && (*p == '-' || *p == '+')) negative = *p++ == '-';
    const char* digits = p;
    std::uint64_t magnitude = 0;
    while (p < limit && isDigit(*p) && magnitude <= 2147483648U)
        magnitude = magnitude * 10 + static_cast<unsigned>(*p++ - '0');
    if (p == digits || magnitude > (negative ? 2147483648U : 2147483647U)) return nullptr;
    while (p < limit && isBlank(*p)) ++p;
    if (p == limit || *p != '\n') return nullptr;
    value = negative ? static_cast<int>(0 - magnitude) : static_cast<int>(magnitude);
    return p + 1;
}

// Parses the lines that start in piece k, the first of them line `line`.
bool parsePiece(const Parse& s, std::size_t k, std::int64_t line) {
    const char* end = s.text + s.size;
    const char* p = s.text + k * s.pieceSize;
    const char* pieceEnd = s.text + std::min(s.size, (k + 1) * s.pieceSize);
    if (k > 0 && p[-1] != '\n') {
        p = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
        if (p == nullptr) return true;  // no line starts here
        ++p;
    }
    int field = static_cast<int>(line % 3);
    std::int64_t e = line / 3;
    for (; p < pieceEnd && line < s.values; ++line) {
        int value = 0;
        p = cleanValue(p, end, value);
        if (p == nullptr) return false;
        Edge& edge = s.edges[e];
        if (field == 0) {
            if (value < 0 || value >= s.n) return false;
            edge.from = value;
            edge.inTree = false;
            edge.tag = 0;
            field = 1;
        } else if (field == 1) {
            if (value < 0 || value >= s.n) return false;
            edge.to = value;
            field = 2;
        } else {
            edge.weight = value;
            field = 0;
            ++e;
        }
    }
    return true;
}

// Takes pieces in order until none is left: counts a piece's lines, learns where they start from
// the piece before, tells the piece after, parses.
void work(Parse& s) {
    for (;;) {
        const std::size_t k = s.nextPiece.fetch_add(1);
        if (k >= s.pieces) return;
        const char* start = s.text + k * s.pieceSize;
        const char* pieceEnd = s.text + std::min(s.size, (k + 1) * s.pieceSize);
        // A line starts at the piece's start, or after a line break before its last character.
        const std::int64_t lines =
            k == 0 ? 1 + static_cast<std::int64_t>(lineBreaks(start, pieceEnd - 1))
                   : static_cast<std::int64_t>(lineBreaks(start - 1, pieceEnd - 1));
        std::int64_t first = s.firstLine[k].load(std::memory_order_acquire);
        while (first < 0) {
            s.firstLine[k].wait(first, std::memory_order_acquire);
            first = s.firstLine[k].load(std::memory_order_acquire);
        }
        s.firstLine[k + 1].store(first + lines, std::memory_order_release);
        s.firstLine[k + 1].notify_all();
        if (first >= s.values || s.failed.load(std::memory_order_relaxed)) continue;
        if (!parsePiece(s, k, first)) s.failed.store(true, std::memory_order_relaxed);
    }
}

}  // namespace

bool parseEdgesInParallel(const char* text, std::size_t size, int n, Edge* edges, int m,
                          int threads, std::size_t pieceSize) {
    Parse s{text,
            size,
            pieceSize,
            (size + pieceSize - 1) / pieceSize,
            n,
            edges,
            3 * static_cast<std::int64_t>(m),
            nullptr};
    if (s.values == 0) return true;
    if (size == 0) return false;
    s.firstLine = std::make_unique<std::atomic<std::int64_t>[]>(s.pieces + 1);
    s.firstLine[0].store(0);
    for (std::size_t k = 1; k <= s.pieces; ++k) s.firstLine[k].store(-1);
    {
        std::vector<HelperThread> helpers;
        const auto wanted = static_cast<std::size_t>(std::max(threads, 1) - 1);
        helpers.reserve(std::min(wanted, s.pieces));
        try {
            for (std::size_t t = 0; t < wanted && t + 1 < s.pieces; ++t)
                helpers.push_back(helperThread([&s] { work(s); }));
        } catch (const std::system_error&) {
            // The system has no more threads to give: the ones started and this one do it all.
        }
        work(s);
    }
    // Every piece has been counted: the last tells how many lines there are.
    return !s.failed.load() && s.firstLine[s.pieces].load() >= s.values;
}
