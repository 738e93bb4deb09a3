#include "ParallelEdges.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <memory>

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
    std::unique_ptr<std::atomic<std::int64_t>[]> lines;      // that start in every piece; -1 until
                                                             // counted
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

// The lines that start in piece k: counted by the first thread that needs them (two may count
// the same piece at once, and find the same).
std::int64_t linesOf(Parse& s, std::size_t k) {
    std::int64_t lines = s.lines[k].load(std::memory_order_acquire);
    if (lines >= 0) return lines;
    const char* start = s.text + k * s.pieceSize;
    const char* pieceEnd = s.text + std::min(s.size, (k + 1) * s.pieceSize);
    // A line starts at the text's start, or after a line break before a piece's last character.
    lines = k == 0 ? 1 + static_cast<std::int64_t>(lineBreaks(start, pieceEnd - 1))
                   : static_cast<std::int64_t>(lineBreaks(start - 1, pieceEnd - 1));
    s.lines[k].store(lines, std::memory_order_release);
    return lines;
}

// The number of the first line that starts in piece k (k == pieces: the number of lines): from
// the last piece before it whose first line is known, adding up the lines of the pieces between,
// which this thread counts where no other has yet. So no thread waits for another, however late
// one is.
std::int64_t firstLineOf(Parse& s, std::size_t k) {
    std::size_t j = k;
    while (s.firstLine[j].load(std::memory_order_acquire) < 0) --j;  // piece 0 starts at line 0
    std::int64_t first = s.firstLine[j].load(std::memory_order_acquire);
    for (; j < k; ++j) {
        first += linesOf(s, j);
        s.firstLine[j + 1].store(first, std::memory_order_release);
    }
    return first;
}

// Takes pieces in order until none is left: counts the piece's lines (for the threads behind),
// learns where they start, and parses them.
void work(Parse& s) {
    for (;;) {
        const std::size_t k = s.nextPiece.fetch_add(1);
        if (k >= s.pieces || s.failed.load(std::memory_order_relaxed)) return;
        linesOf(s, k);
        const std::int64_t first = firstLineOf(s, k);
        if (first >= s.values) continue;
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
            nullptr,
            nullptr};
    if (s.values == 0) return true;
    if (size == 0) return false;
    s.lines = std::make_unique<std::atomic<std::int64_t>[]>(s.pieces);
    s.firstLine = std::make_unique<std::atomic<std::int64_t>[]>(s.pieces + 1);
    for (std::size_t k = 0; k < s.pieces; ++k) s.lines[k].store(-1);
    s.firstLine[0].store(0);
    for (std::size_t k = 1; k <= s.pieces; ++k) s.firstLine[k].store(-1);
    const int shares = static_cast<int>(std::min<std::size_t>(std::max(threads, 1), s.pieces));
    runShares(shares, [&s](int /*share*/) { work(s); });
    // Every piece has been taken: the lines before the end tell whether the edges are all there.
    return !s.failed.load() && firstLineOf(s, s.pieces) >= s.values;
}
