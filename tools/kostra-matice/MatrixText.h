// The two texts kostra-matice writes for a matrix of FundamentalRows: the Matrix Market coordinate
// format for programs, and a table for people. Both stream one row at a time, allocate nothing
// once they have started to write (the table takes its one line buffer first), and stop at the
// first row after a write has failed (out.failed() tells the caller).
#pragma once

#include <string_view>

#include "FundamentalRows.h"
#include "Output.h"

struct MatrixTitle {
    std::string_view graphPath;  // as given; control characters are shown as '?'
    int method;                  // 1 to 3, as markForest numbers them
};

// "%%MatrixMarket matrix coordinate integer general", comment lines naming the graph, the method,
// the kind, the columns and the edge of every row, the size line "ROWS COLUMNS NONZEROS", then
// "ROW COLUMN VALUE" for every entry, 1-based, rows in order, columns ascending within a row.
void writeMatrixMarket(FundamentalRows& rows, const MatrixTitle& title, Output& out);

// The same header without "%", a blank line, then a line of column labels (h0 h1 ...) and one
// line per row, labelled by its edge, every entry 1, -1 or 0 right-aligned under its label.
void writeTable(FundamentalRows& rows, const MatrixTitle& title, Output& out);
