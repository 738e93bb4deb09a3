// The edge lines of a graph file read on every core the process may use.
//
// The graph reader takes one value a read, a read being one line of at most 255 characters, and
// drops a value it refuses (the next line takes its place), so where a value belongs depends on
// every line before it. In a well-made file no value is refused: every line is a number alone,
// and then the value of line i (counted from the first edge line) is field i % 3 (from, to,
// weight) of edge i / 3. This reader takes that for granted only where it can check it: it cuts
// the text into pieces, and each thread takes the next piece, counts its lines, learns where they
// start from the counts of the pieces before it (counting any that no thread has counted yet, so
// that no thread ever waits for another), and parses them straight into the edge records. If any of
// the first 3m lines is not a number alone (blanks around it allowed, 255 characters at most with
// its line break), or an endpoint is out of range, or the text ends before 3m lines, it gives up,
// and the caller reads the file the ordinary way, which gives the same graph as this reader when
// this one succeeds, warnings and refusals included.
//
// Contract: text[0 .. size) is what the ordinary reader would read after the two counts, from
// the start of a line; n >= 1 nodes, m >= 0 edges. On success every edge record has from, to and
// weight, inTree false and tag 0, and the lines after the first 3m are not looked at. On failure
// the records hold whatever was written. threads >= 1 (1: the calling thread alone); when a
// thread cannot be started, fewer do the work. pieceSize is the length of a piece (tests make it
// small). Cost: O(size of the first 3m lines) split over the threads; no memory besides a record
// of each piece's start.
#pragma once

#include <cstddef>

struct Edge;

bool parseEdgesInParallel(const char* text, std::size_t size, int n, Edge* edges, int m,
                          int threads, std::size_t pieceSize = std::size_t{4} << 20);
