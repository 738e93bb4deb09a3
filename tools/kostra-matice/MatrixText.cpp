#include "MatrixText.h"

#include <algorithm>
#include <cassert>
#include <charconv>
#include <cstdint>
#include <string>

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

// The header lines, each after the prefix ("% " in a Matrix Market file, nothing in a table).
void writeHeader(const FundamentalRows& rows, const MatrixTitle& title, std::string_view prefix,
                 Output& out) {
    out.write(prefix);
    out.write("graf: ");
    writePrintable(title.graphPath, out);
    out.write("\n");
    out.write(prefix);
    out.print<"metoda: %d - %s\n">(title.method, texts::methodName(title.method));
    out.write(prefix);
    if (rows.kind() == MatrixKind::Loops) {
        out.write("druh: smycky, radek pro kazdou nekostrovou hranu (jeji nezavisla smycka)\n");
    } else {
        out.write("druh: rezy, radek pro kazdou kostrovou hranu (jeji nezavisly rez)\n");
    }
}

int digits(int v) {
    int d = 1;
    while (v >= 10) {
        v /= 10;
        ++d;
    }
    return d;
}

}  // namespace

void writeMatrixMarket(FundamentalRows& rows, const MatrixTitle& title, Output& out) {
    const std::int64_t nonZeros = rows.countNonZeros();
    const int m = rows.columnCount();
    out.write("%%MatrixMarket matrix coordinate integer general\n");
    writeHeader(rows, title, "% ", out);
    out.write("% sloupec j: hrana j-1\n");
    int r = 0;
    for (int e = 0; e < m; ++e) {
        if (!rows.hasRow(e)) continue;
        out.write("% ");
        out.print<"radek %d: hrana %d\n">(++r, e);
    }
    char count[24];
    const auto [end, ec] = std::to_chars(count, count + sizeof count, nonZeros);
    assert(ec == std::errc());
    out.print<"%d %d %s\n">(rows.rowCount(), m, std::string_view(count, end));
    r = 0;
    for (int e = 0; e < m && !out.failed(); ++e) {
        if (!rows.hasRow(e)) continue;
        ++r;
        for (const RowEntry& x : rows.row(e)) out.print<"%d %d %d\n">(r, x.edge() + 1, x.sign());
    }
}

void writeTable(FundamentalRows& rows, const MatrixTitle& title, Output& out) {
    const int m = rows.columnCount();
    // Every label is "h" and the edge's number; every cell is a blank and the entry right-aligned
    // in the width of the widest label. A row's line starts as all zeros; the row's entries are
    // written into it and taken out again after it is written.
    const auto labelWidth = static_cast<std::size_t>(1 + digits(std::max(m - 1, 0)));
    const std::size_t cell = 1 + std::max<std::size_t>(labelWidth, 2);
    std::string line(labelWidth + static_cast<std::size_t>(m) * cell + 1, ' ');
    line.back() = '\n';
    auto put = [&line, labelWidth, cell](int e, std::string_view text) {
        const std::size_t end = labelWidth + (static_cast<std::size_t>(e) + 1) * cell;
        line.replace(end - text.size(), text.size(), text);
    };
    char label[16] = {'h'};
    auto labelOf = [&label](int e) {
        return std::string_view(label, std::to_chars(label + 1, label + sizeof label, e).ptr);
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
        out.write(rows.kind() == MatrixKind::Loops ? "(zadne radky: graf nema nekostrove hrany)\n"
                                                   : "(zadne radky: graf nema kostrove hrany)\n");
        return;
    }
    for (int e = 0; e < m && !out.failed(); ++e) {
        if (!rows.hasRow(e)) continue;
        const std::span<const RowEntry> row = rows.row(e);
        for (const RowEntry& x : row) put(x.edge(), x.sign() > 0 ? " 1" : "-1");
        const std::string_view name = labelOf(e);
        out.write(name);
        out.write(std::string_view(line).substr(name.size()));
        for (const RowEntry& x : row) put(x.edge(), " 0");
    }
}
