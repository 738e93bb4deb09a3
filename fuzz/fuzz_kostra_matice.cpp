// libFuzzer entry: one fuzz input is one whole run of kostra-matice, through runKostraMatice, the
// same code path as the program's main, with a graph file and the arguments from the input.
//
// Layout of an input: the graph file's bytes up to the first "@@@\n", then the arguments, one a
// line (at most 8; an argument ends at a NUL byte, as on a command line). The argument "@" is the
// graph file's path; every '/' in another argument becomes '_', so that no argument names a file
// outside the working directory (a missing name, "." or a file there are fine).
//
// The graph is a memory file opened by its /proc/self/fd path like a file named on the command
// line. Every run must end with status 0 to 4 (4: a graph over fuzz::kLimits); a refusal writes
// nothing on standard output and exactly one line, "CHYBA...", on standard error, followed for a
// graph file by its notes (why it is refused). The arguments are judged here on their own: bad
// ones must end with status 3, good ones must not; a refused graph file must be one that kostra's
// reader refuses with the same status. A matrix (status 0) must be announced on standard error
// (nothing but notes there), be well formed, its size line must match its rows and entries, and
// every row must be exactly the orientations that CGraph::getLoop or getCut gives for the row's
// edge in the forest of the method, computed here on a graph read again from the same file; the
// run with the other output form (the table, or the Matrix Market text) must show the same rows
// and entries. The vector of --hrany-radku must hold the edge of every row.
#include <charconv>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "CGraph.h"
#include "FuzzSupport.h"
#include "GraphInput.h"
#include "KostraMatice.h"
#include "Notes.h"
#include "Texts.h"
#include "naive_dialogue.h"

namespace {

using fuzz::require;

constexpr const char* kTarget = "fuzz_kostra_matice";
constexpr std::string_view kSeparator = "@@@\n";
constexpr std::size_t kMaxArguments = 8;
constexpr std::string_view kUsageStart =
    "pouziti: kostra-matice [--tabulka | --hrany-radku] GRAF METODA DRUH\n";

// The arguments as this target reads them, without the program's own parser.
struct Judged {
    bool valid = false;
    bool help = false;
    bool version = false;
    bool table = false;
    bool rowEdges = false;
    std::string graph;
    std::string methodText;
    std::string kind;
    int method = 0;
    bool cuts = false;
};

Judged judge(const std::vector<std::string>& args) {
    Judged j;
    std::size_t i = 0;
    for (; i < args.size() && args[i].size() > 1 && args[i][0] == '-'; ++i) {
        if (args[i] == "--") {
            ++i;
            break;
        }
        if (args[i] == "--help" || args[i] == "-h") {
            j.valid = j.help = true;
            return j;
        }
        if (args[i] == "--version") {
            j.valid = j.version = true;
            return j;
        }
        if (args[i] == "--tabulka") {
            j.table = true;
        } else if (args[i] == "--hrany-radku") {
            j.rowEdges = true;
        } else {
            return j;
        }
    }
    if (j.table && j.rowEdges) return j;
    if (args.size() - i != 3) return j;
    j.graph = args[i];
    j.methodText = args[i + 1];
    j.kind = args[i + 2];
    // The method is read as kostra reads an answer: one read of at most 255 characters, "%d".
    naive::LineStream in(j.methodText);
    char line[256];
    int value = 0;
    if (!in.gets(line) || !naive::parseInt(line, value) || value < 1 || value > 3) return j;
    j.method = value;
    if (j.kind != "smycky" && j.kind != "rezy") return j;
    j.cuts = j.kind == "rezy";
    j.valid = true;
    return j;
}

// A matrix as shown: the edge of every row, and an orientation per row and edge, row by row.
struct Matrix {
    int columns = 0;
    std::vector<int> rowEdges;
    std::vector<signed char> cells;

    void reset(int m) {
        columns = m;
        rowEdges.clear();
        cells.clear();
    }
    signed char* addRow(int edge) {
        rowEdges.push_back(edge);
        cells.resize(cells.size() + static_cast<std::size_t>(columns), 0);
        return cells.data() + cells.size() - static_cast<std::size_t>(columns);
    }
    bool operator==(const Matrix& other) const {
        return rowEdges == other.rowEdges && cells == other.cells;
    }
};

bool number(std::string_view text, int& value) {
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size() && !text.empty();
}

// Splits line at single blanks into exactly n numbers; false otherwise.
template <std::size_t N>
bool numbers(std::string_view line, int (&values)[N]) {
    for (std::size_t i = 0; i < N; ++i) {
        const std::size_t blank = i + 1 < N ? line.find(' ') : line.size();
        if (blank == std::string_view::npos || !number(line.substr(0, blank), values[i]))
            return false;
        line.remove_prefix(i + 1 < N ? blank + 1 : blank);
    }
    return true;
}

std::string printable(std::string_view s) {
    std::string p(s);
    for (char& c : p)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
    return p;
}

// The three header lines both forms start with, from lines[at], each after prefix.
void checkHeader(const std::vector<std::string_view>& lines, std::size_t at,
                 std::string_view prefix, const Judged& j, const std::string& text) {
    require(lines.size() >= at + 3, kTarget, "a matrix without its header", text);
    require(lines[at] == std::string(prefix) + "graf: " + printable(j.graph), kTarget,
            "the header does not name the graph", text);
    require(lines[at + 1].starts_with(std::string(prefix) + "metoda: " + std::to_string(j.method) +
                                      " - "),
            kTarget, "the header does not name the method", text);
    require(lines[at + 2].starts_with(std::string(prefix) + "druh: " + j.kind + ", "), kTarget,
            "the header does not name the kind", text);
}

void readMatrixMarket(const std::string& text, const Judged& j, int m, Matrix& x) {
    x.reset(m);
    const std::vector<std::string_view> lines = fuzz::splitLines(text);
    require(!lines.empty() && lines[0] == "%%MatrixMarket matrix coordinate integer general",
            kTarget, "no Matrix Market banner", text);
    checkHeader(lines, 1, "% ", j, text);
    require(lines.size() >= 5 && lines[4] == "% sloupec j: hrana j-1", kTarget, "no column comment",
            text);
    std::size_t at = 5;
    for (; at < lines.size() && lines[at].starts_with("% radek "); ++at) {
        const std::string_view comment = lines[at].substr(8);
        const std::string_view row = comment.substr(0, comment.find(": hrana "));
        int r = 0;
        int e = -1;
        require(row.size() < comment.size() && number(row, r) &&
                    r == static_cast<int>(x.rowEdges.size()) + 1 &&
                    number(comment.substr(row.size() + 8), e) && e >= 0 && e < m,
                kTarget, "a malformed row comment", text);
        x.rowEdges.push_back(e);
    }
    require(at < lines.size(), kTarget, "no size line", text);
    int size[3] = {};
    require(numbers(lines[at++], size), kTarget, "a malformed size line", text);
    const int rows = static_cast<int>(x.rowEdges.size());
    require(size[0] == rows && size[1] == m && size[2] == static_cast<int>(lines.size() - at),
            kTarget, "a size line that does not match the rows, the edges and the entries", text);
    x.cells.assign(static_cast<std::size_t>(rows) * static_cast<std::size_t>(m), 0);
    int lastRow = 1;
    int lastColumn = 0;
    for (; at < lines.size(); ++at) {
        int entry[3] = {};
        require(numbers(lines[at], entry) && entry[0] >= 1 && entry[0] <= rows && entry[1] >= 1 &&
                    entry[1] <= m && (entry[2] == 1 || entry[2] == -1),
                kTarget, "a malformed entry", text);
        require(entry[0] > lastRow || (entry[0] == lastRow && entry[1] > lastColumn), kTarget,
                "entries out of order", text);
        lastRow = entry[0];
        lastColumn = entry[1];
        x.cells[static_cast<std::size_t>(entry[0] - 1) * static_cast<std::size_t>(m) +
                static_cast<std::size_t>(entry[1] - 1)] = static_cast<signed char>(entry[2]);
    }
}

// The vector of --hrany-radku: the edge of every row, as "ROW 1 EDGE" in row order.
void readRowEdges(const std::string& text, const Judged& j, Matrix& x) {
    x.reset(0);
    const std::vector<std::string_view> lines = fuzz::splitLines(text);
    require(!lines.empty() && lines[0] == "%%MatrixMarket matrix coordinate integer general",
            kTarget, "no Matrix Market banner", text);
    checkHeader(lines, 1, "% ", j, text);
    std::size_t at = 4;
    while (at < lines.size() && lines[at].starts_with('%')) ++at;
    int size[3] = {};
    require(at < lines.size() && numbers(lines[at++], size) && size[1] == 1 && size[0] == size[2] &&
                size[0] == static_cast<int>(lines.size() - at),
            kTarget, "a size line that does not match the vector", text);
    for (int r = 1; at < lines.size(); ++at, ++r) {
        int entry[3] = {};
        require(numbers(lines[at], entry) && entry[0] == r && entry[1] == 1, kTarget,
                "a malformed element of the vector", text);
        x.rowEdges.push_back(entry[2]);
    }
}

void readTable(const std::string& text, const Judged& j, int m, Matrix& x) {
    x.reset(m);
    const std::vector<std::string_view> lines = fuzz::splitLines(text);
    checkHeader(lines, 0, "", j, text);
    require(lines.size() >= 5 && lines[3].empty(), kTarget, "no blank line after the header", text);
    std::size_t at = 4;
    static std::vector<std::size_t> ends;  // where every column's label ends
    ends.clear();
    if (m > 0) {
        const std::string_view head = lines[at++];
        for (int e = 0; e < m; ++e) {
            const std::string label = " h" + std::to_string(e);
            const std::size_t from = ends.empty() ? 0 : ends.back();
            const std::size_t found = head.find(label, from);
            require(
                found != std::string_view::npos && head.find_first_not_of(' ', from) == found + 1,
                kTarget, "a malformed column line", text);
            ends.push_back(found + label.size());
        }
        require(ends.back() == head.size(), kTarget, "a malformed column line", text);
    }
    if (at < lines.size() && lines[at].starts_with("(zadne radky: ")) {
        require(at + 1 == lines.size(), kTarget, "rows after there are none", text);
        return;
    }
    require(at < lines.size() && m > 0, kTarget, "a table without rows that does not say so", text);
    for (; at < lines.size(); ++at) {
        const std::string_view line = lines[at];
        const std::size_t labelEnd = std::min(line.find(' '), line.size());
        int e = -1;
        require(line.starts_with('h') && number(line.substr(1, labelEnd - 1), e) && e >= 0 &&
                    e < m && line.size() == ends.back() && labelEnd <= ends[0],
                kTarget, "a malformed table row", text);
        signed char* row = x.addRow(e);
        std::size_t from = labelEnd;
        for (std::size_t c = 0; c < ends.size(); ++c) {
            std::string_view cell = line.substr(from, ends[c] - from);
            while (cell.starts_with(' ')) cell.remove_prefix(1);
            require(cell == "1" || cell == "-1" || cell == "0", kTarget,
                    "a table entry that is not 1, -1 or 0, or not under its label", text);
            row[c] = static_cast<signed char>(cell == "0" ? 0 : cell == "1" ? 1 : -1);
            from = ends[c];
        }
    }
}

// The rows the forest of the method must give: every non-tree edge's loop, or every tree edge's
// cut, as getLoop or getCut leaves the edge tags.
void expected(CGraph& g, const Judged& j, Matrix& x) {
    x.reset(g.edgeCount);
    g.markForest(static_cast<Method>(j.method));
    g.bones();
    for (int e = 0; e < g.edgeCount; ++e) {
        if (g.edges[e].inTree != j.cuts) continue;
        if (j.cuts) {
            g.getCut(e);
        } else {
            g.getLoop(e);
        }
        signed char* row = x.addRow(e);
        for (int k = 0; k < g.edgeCount; ++k) row[k] = static_cast<signed char>(g.edges[k].tag);
    }
}

std::string argumentList(const std::vector<std::string>& args) {
    std::string s;
    for (const std::string& a : args) s += "[" + a + "] ";
    return s;
}

int runMatice(fuzz::Streams& s, const std::vector<std::string>& args) {
    std::vector<std::string> storage;
    storage.reserve(args.size() + 1);
    storage.emplace_back("kostra-matice");
    storage.insert(storage.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : storage) argv.push_back(a.data());
    argv.push_back(nullptr);
    const int argc = static_cast<int>(storage.size());
    return fuzz::runCompanionOn(s, [&](Output& out, Output& err) {
        return runKostraMatice(argc, argv.data(), out, err, fuzz::kLimits);
    });
}

void checkRefusal(int status, const fuzz::Streams& s, const std::string& context) {
    require(s.out.empty(), kTarget, "a refusal that writes on standard output", context + s.out);
    // A graph file's refusal is followed by its notes (why); bad arguments have none.
    require(s.err.starts_with("CHYBA") && fuzz::oneMessageAndNotes(s.err, "CHYBA") &&
                (status != 3 || s.err.find('\n') == s.err.size() - 1),
            kTarget, "a refusal that is not one CHYBA line on standard error besides notes",
            context + s.err);
    require(status != kStatusNoMemory || s.err == texts::kNoMemory.cs.view(), kTarget,
            "status 4 without its message", context + s.err);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzz::MemoryFile graphFile("kostra-matice-fuzz-graph");
    static fuzz::Streams streams;

    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t sep = input.find(kSeparator);
    const std::string_view graph = input.substr(0, sep);
    std::string_view rest =
        input.substr(sep == std::string_view::npos ? input.size() : sep + kSeparator.size());
    graphFile.fill(graph);
    std::vector<std::string> args;
    for (const std::string_view line : fuzz::splitLines(rest)) {
        if (args.size() == kMaxArguments) break;
        std::string a(line.substr(0, line.find('\0')));
        if (a == "@") {
            a = graphFile.path();
        } else {
            for (char& c : a)
                if (c == '/') c = '_';
        }
        args.push_back(std::move(a));
    }

    const int status = runMatice(streams, args);
    const std::string context = argumentList(args) + "\n";
    require(status >= kStatusDone && status <= kStatusNoMemory, kTarget,
            "an exit status outside 0..4", context + streams.err);
    const Judged j = judge(args);
    require((status == 3) == !j.valid, kTarget,
            j.valid ? "good arguments refused" : "bad arguments taken", context + streams.err);
    if (status != kStatusDone) {
        checkRefusal(status, streams, context);
        if (status == 3) return 0;
    }
    if (j.help) {
        require(status == 0 && streams.out.starts_with(kUsageStart) && streams.err.empty(), kTarget,
                "--help does not show the usage", context + streams.out);
        return 0;
    }
    if (j.version) {
        require(status == 0 && streams.out == "kostra-matice " KOSTRA_VERSION "\n" &&
                    streams.err.empty(),
                kTarget, "--version does not show the version", context + streams.out);
        return 0;
    }

    std::unique_ptr<CGraph> g;
    const int read = readGraphFile(j.graph.c_str(), g, fuzz::kLimits);
    require(read == status, kTarget,
            "the graph file is not taken or refused as kostra's reader does",
            context + streams.err);
    if (status != kStatusDone) return 0;
    const int m = g->edgeCount;
    // The size announced first, the graph file's warnings before it, the note on a wide table
    // after it.
    const std::string wide =
        "POZNAMKA: graf ma " + std::to_string(m) + " hran, tabulka je siroka\n";
    require(naive::onlyNotes(streams.err) &&
                streams.err.find("POZNAMKA: zapisu ") != std::string::npos &&
                (j.table && m > 40) == streams.err.ends_with(wide),
            kTarget, "a matrix with an unexpected message on standard error",
            context + streams.err);

    static Matrix shown;
    static Matrix want;
    static Matrix second;
    const std::string first = streams.out;
    expected(*g, j, want);
    if (j.rowEdges) {
        readRowEdges(first, j, shown);
        require(shown.rowEdges == want.rowEdges, kTarget, "the rows' edges are not the rows'",
                context + first);
        return 0;
    }
    if (j.table) {
        readTable(first, j, m, shown);
    } else {
        readMatrixMarket(first, j, m, shown);
    }
    require(shown.rowEdges == want.rowEdges, kTarget,
            "the rows are not those of the forest's non-tree (loops) or tree edges (cuts)",
            context + first);
    require(shown.cells == want.cells, kTarget, "a row that is not the loop or cut of its edge",
            context + first);

    // The other form of the same matrix.
    std::vector<std::string> other;
    if (!j.table) other.emplace_back("--tabulka");
    other.insert(other.end(), {"--", j.graph, j.methodText, j.kind});
    const int otherStatus = runMatice(streams, other);
    require(otherStatus == 0, kTarget, "the other form of the matrix is refused",
            argumentList(other) + "\n" + streams.err);
    if (j.table) {
        readMatrixMarket(streams.out, j, m, second);
    } else {
        readTable(streams.out, j, m, second);
    }
    require(second == shown, kTarget,
            "the table and the Matrix Market text show different matrices",
            first + "\n---\n" + streams.out);
    return 0;
}
