#include "MatrixText.h"

#include <algorithm>
#include <cassert>
#include <charconv>
#include <cstdint>
#include <string>

#include "Progress.h"
#include "Texts.h"

namespace {

// Writes text with every control character shown as '?', so that a file name cannot break a line.
void writePrintable(std::string_view text, Output& out) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x20 && c != 0x7F) continue;
        out.write(text.substr(start, i - start));
        out.write("?");
        start = i + 1;
    }
    out.write(text.substr(start));
}

// The header lines, each after the prefix ("% " in a Matrix Market file, nothing in a table), in
// the title's language, which out speaks.
void writeHeader(const FundamentalRows& rows, const MatrixTitle& title, std::string_view prefix,
                 Output& out) {
    const Language language = title.language;
    out.write(prefix);
    out.write(texts::kHeaderGraph.in(language));
    writePrintable(title.graphPath, out);
    out.write("\n");
    out.write(prefix);
    const int number = static_cast<int>(title.method);  // as the method question numbers it
    out.print<texts::kHeaderMethod>(number, texts::methodName(number, language));
    out.write(prefix);
    out.write(rows.kind() == MatrixKind::Loops ? texts::kHeaderLoops.in(language)
                                               : texts::kHeaderCuts.in(language));
}

std::size_t digits(std::int64_t v) {
    std::size_t d = 1;
    while (v >= 10) {
        v /= 10;
        ++d;
    }
    return d;
}

// The header's bytes, as writeHeader writes them after prefix.
std::uint64_t headerBytes(const FundamentalRows& rows, const MatrixTitle& title,
                          std::string_view prefix) {
    std::string header;
    {
        Output text(&header);
        text.speak(title.language);
        writeHeader(rows, title, prefix, text);
        text.flush();  // here, where running out of memory for it can be told
    }
    return header.size();
}

// The comment line of every row: "% ", then the row's and its edge's numbers in their text.
std::uint64_t rowCommentBytes(const FundamentalRows& rows, Language language) {
    const std::size_t fixed = 2 + texts::kRowComment.in(language).size() - 4;  // less two "%d"
    std::uint64_t bytes = 0;
    int r = 0;
    for (int e = 0; e < rows.columnCount(); ++e) {
        if (!rows.hasRow(e)) continue;
        bytes += fixed + digits(++r) + digits(e);
    }
    return bytes;
}

// The label column's width and a cell's width of the table: a label is the language's letter for
// an edge and the edge's number.
struct TableShape {
    std::size_t label;
    std::size_t cell;
    TableShape(int m, Language language)
        : label(texts::kTableEdge.in(language).size() + digits(std::max(m - 1, 0))),
          cell(1 + std::max<std::size_t>(label, 2)) {}
    std::size_t line(int m) const { return label + static_cast<std::size_t>(m) * cell + 1; }
};

// The table's line when there are no rows.
std::string_view noRows(const FundamentalRows& rows, Language language) {
    return rows.kind() == MatrixKind::Loops ? texts::kNoLoopRows.in(language)
                                            : texts::kNoCutRows.in(language);
}

constexpr std::string_view kBanner = "%%MatrixMarket matrix coordinate integer general\n";

}  // namespace

void writeMatrixMarket(FundamentalRows& rows, const MatrixTitle& title, Output& out,
                       std::int64_t nonZeros) {
    out.speak(title.language);
    if (nonZeros < 0) nonZeros = rows.countNonZeros();
    const int m = rows.columnCount();
    out.write(kBanner);
    writeHeader(rows, title, "% ", out);
    out.write("% ");
    out.write(texts::kColumnsComment.in(title.language));
    int r = 0;
    for (int e = 0; e < m; ++e) {
        if (!rows.hasRow(e)) continue;
        out.write("% ");
        out.print<texts::kRowComment>(++r, e);
    }
    char count[24];
    const auto [end, ec] = std::to_chars(count, count + sizeof count, nonZeros);
    assert(ec == std::errc());
    out.print<"%d %d %s\n">(rows.rowCount(), m, std::string_view(count, end));
    r = 0;
    for (int e = 0; e < m && !out.failed(); ++e) {
        if ((e & 0xFFF) == 0) progress::done(e);
        if (!rows.hasRow(e)) continue;
        ++r;
        for (const RowEntry& x : rows.row(e)) out.print<"%d %d %d\n">(r, x.edge() + 1, x.sign());
    }
}

void writeRowEdges(const FundamentalRows& rows, const MatrixTitle& title, Output& out) {
    out.speak(title.language);
    const int m = rows.columnCount();
    out.write(kBanner);
    writeHeader(rows, title, "% ", out);
    out.write("% ");
    out.write(texts::kRowEdgesComment.in(title.language));
    out.print<"%d 1 %d\n">(rows.rowCount(), rows.rowCount());
    int r = 0;
    for (int e = 0; e < m && !out.failed(); ++e) {
        if ((e & 0xFFF) == 0) progress::done(e);
        if (rows.hasRow(e)) out.print<"%d 1 %d\n">(++r, e);
    }
}

std::uint64_t matrixMarketBytes(const FundamentalRows& rows, const MatrixTitle& title,
                                std::int64_t nonZeros) {
    const int m = rows.columnCount();
    const auto entries = static_cast<std::uint64_t>(nonZeros);
    // Every entry within the widest row number, column number and "-1".
    const std::uint64_t entry = digits(rows.rowCount()) + digits(m) + 5;
    return kBanner.size() + headerBytes(rows, title, "% ") + 2 +
           texts::kColumnsComment.in(title.language).size() +
           rowCommentBytes(rows, title.language) + digits(rows.rowCount()) + digits(m) +
           digits(nonZeros) + 3 + entries * entry;
}

std::uint64_t tableBytes(const FundamentalRows& rows, const MatrixTitle& title) {
    const int m = rows.columnCount();
    const TableShape shape(m, title.language);
    const std::uint64_t lines = static_cast<std::uint64_t>(rows.rowCount()) + (m > 0 ? 1 : 0);
    return headerBytes(rows, title, "") + 1 + lines * shape.line(m) +
           (rows.rowCount() == 0 ? noRows(rows, title.language).size() : 0);
}

std::uint64_t rowEdgesBytes(const FundamentalRows& rows, const MatrixTitle& title) {
    std::uint64_t bytes = kBanner.size() + headerBytes(rows, title, "% ") + 2 +
                          texts::kRowEdgesComment.in(title.language).size() +
                          2 * digits(rows.rowCount()) + 4;
    int r = 0;
    for (int e = 0; e < rows.columnCount(); ++e) {
        if (rows.hasRow(e)) bytes += digits(++r) + digits(e) + 4;
    }
    return bytes;
}

void writeTable(FundamentalRows& rows, const MatrixTitle& title, Output& out) {
    out.speak(title.language);
    const int m = rows.columnCount();
    // Every label is "h" and the edge's number; every cell is a blank and the entry right-aligned
    // in the width of the widest label. A row's line starts as all zeros; the row's entries are
    // written into it and taken out again after it is written.
    const TableShape shape(m, title.language);
    const std::size_t labelWidth = shape.label;
    const std::size_t cell = shape.cell;
    std::string line(shape.line(m), ' ');
    line.back() = '\n';
    auto put = [&line, labelWidth, cell](int e, std::string_view text) {
        const std::size_t end = labelWidth + (static_cast<std::size_t>(e) + 1) * cell;
        line.replace(end - text.size(), text.size(), text);
    };
    // The letter of the language and the edge's number.
    const std::string_view letter = texts::kTableEdge.in(title.language);
    char label[24] = {};
    std::copy(letter.begin(), letter.end(), label);
    auto labelOf = [&label, &letter](int e) {
        return std::string_view(label,
                                std::to_chars(label + letter.size(), label + sizeof label, e).ptr);
    };

    writeHeader(rows, title, "", out);
    out.write("\n");
    if (m > 0) {
        for (int e = 0; e < m; ++e) put(e, labelOf(e));
        out.write(line);
        // A cell is at most a blank and "h2147483646".
        constexpr std::string_view kZero = "           0";
        const std::string_view zero = kZero.substr(kZero.size() - (cell - 1));
        for (int e = 0; e < m; ++e) put(e, zero);
    }
    if (rows.rowCount() == 0) {
        out.write(noRows(rows, title.language));
        return;
    }
    for (int e = 0; e < m && !out.failed(); ++e) {
        if ((e & 0xFFF) == 0) progress::done(e);
        if (!rows.hasRow(e)) continue;
        const std::span<const RowEntry> row = rows.row(e);
        for (const RowEntry& x : row) put(x.edge(), x.sign() > 0 ? " 1" : "-1");
        const std::string_view name = labelOf(e);
        out.write(name);
        out.write(std::string_view(line).substr(name.size()));
        for (const RowEntry& x : row) put(x.edge(), " 0");
    }
}
