// The texts kostra-matice writes for a matrix of FundamentalRows: the Matrix Market coordinate
// format for programs, a table for people, and the edge of every row as a Matrix Market vector.
// Each streams one row at a time, allocates nothing once it has started to write (the table takes
// its one line buffer first), and stops at the first row after a write has failed (out.failed()
// tells the caller). Each tells the progress line (Progress.h) how many edges it has gone past.
#pragma once

#include <cstdint>
#include <string_view>

#include "FundamentalRows.h"
#include "Output.h"

struct MatrixTitle {
    std::string_view graphPath;  // as given; control characters are shown as '?'
    Method method;               // of the forest
    // of the comment lines, the table's header and labels; the text's out speaks it from then on
    Language language = Language::Czech;
};

// "%%MatrixMarket matrix coordinate integer general", comment lines naming the graph, the method,
// the kind, the columns and the edge of every row, the size line "ROWS COLUMNS NONZEROS", then
// "ROW COLUMN VALUE" for every entry, 1-based, rows in order, columns ascending within a row.
// nonZeros: the entries of all rows (rows.countNonZeros()), or -1 to have them counted here.
void writeMatrixMarket(FundamentalRows& rows, const MatrixTitle& title, Output& out,
                       std::int64_t nonZeros = -1);

// The same header without "%", a blank line, then a line of column labels (h0 h1 ... in Czech,
// e0 e1 ... in English) and one
// line per row, labelled by its edge, every entry 1, -1 or 0 right-aligned under its label.
void writeTable(FundamentalRows& rows, const MatrixTitle& title, Output& out);

// "%%MatrixMarket matrix coordinate integer general", the same comment lines as the matrix, the
// size line "ROWS 1 ROWS", then "ROW 1 EDGE" for every row: the vector whose element r (from 1)
// is the edge (from 0, as kostra numbers edges) that row r of the matrix belongs to. An element of
// edge 0 is written too, as the only explicit zero, so the vector has one entry per row.
void writeRowEdges(const FundamentalRows& rows, const MatrixTitle& title, Output& out);

// The most bytes each of the three texts takes, for the note that announces it.
std::uint64_t matrixMarketBytes(const FundamentalRows& rows, const MatrixTitle& title,
                                std::int64_t nonZeros);
std::uint64_t tableBytes(const FundamentalRows& rows, const MatrixTitle& title);
std::uint64_t rowEdgesBytes(const FundamentalRows& rows, const MatrixTitle& title);
