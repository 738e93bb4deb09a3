// The rows of the fundamental loop matrix or of the fundamental cut matrix of the spanning forest
// marked in a graph, one row at a time, without a search of the whole graph per row.
//
// Contract:
// - Reads the graph's edges (from, to, inTree) and its route lists; the inTree flags must mark a
//   spanning forest, as markForest leaves them (every tree spans a component, so both ends of a
//   non-tree edge lie in one tree). Writes nothing into the
//   graph, and the graph must not change while the object lives.
// - Loops: one row per non-tree edge, cuts: one row per tree edge, each in ascending edge number
//   (hasRow tells which edges have one). A row has one entry per edge whose orientation is not 0,
//   in ascending edge number, each +1 or -1: exactly the edge tags that getLoop (a loop) or getCut
//   (a cut) write for that edge. So the row holds its own edge with +1 and no other edge that has
//   a row of the same kind, and every loop row is orthogonal to every cut row.
// - A graph without edges has no rows; a forest has no loops; each tree of a disconnected forest
//   is treated on its own. Self-loops are their own loops and lie in no cut.
// - The constructor takes all the memory the object needs; countNonZeros and row allocate
//   nothing, so a caller that writes only after construction never runs out of memory halfway
//   through its output.
// - Cost, with n nodes, m edges and k entries in a row: constructor O(n + m) time and memory;
//   countNonZeros O(n + m + entries of all rows); a loop row O(k), a cut row O((k + 1) log m).
//   No recursion.
#pragma once

#include <cstdint>
#include <span>

#include "BigVector.h"
#include "CGraph.h"

enum class MatrixKind {
    Loops,  // the fundamental loop matrix: rows of the non-tree edges
    Cuts,   // the fundamental cut matrix: rows of the tree edges
};

// One entry of a row: the edge (the column) and the sign, packed into one number so that a row
// sorts by plain integer comparisons.
struct RowEntry {
    std::uint32_t code;  // edge * 2, plus 1 for the sign -1
    int edge() const { return static_cast<int>(code >> 1); }
    int sign() const { return (code & 1) != 0 ? -1 : 1; }
    static RowEntry of(int edge, bool negative) {
        return {static_cast<std::uint32_t>(edge) << 1 | (negative ? 1U : 0U)};
    }
};

class FundamentalRows {
public:
    FundamentalRows(const CGraph& g, MatrixKind kind);

    MatrixKind kind() const { return kind_; }
    bool hasRow(int edge) const { return edges_[edge].inTree == (kind_ == MatrixKind::Cuts); }
    int rowCount() const { return rowCount_; }
    int columnCount() const { return edgeCount_; }  // one column per edge
    // The entries of all rows together (the size line of a sparse matrix needs them first). Tells
    // the progress line (Progress.h) how many edges it has looked at.
    std::int64_t countNonZeros() const;
    // The row of the edge, which must have one; valid until the next call.
    std::span<const RowEntry> row(int edge);

private:
    // Where the forest puts a node: rooted at the lowest-numbered node of each tree.
    struct Place {
        int parent;      // the parent node; -1 at a root
        int parentEdge;  // the tree edge to the parent; -1 at a root
        int depth;       // tree edges between the node and its root
        bool upAgainst;  // walking from the node to its parent runs against the parent edge
    };
    int pathLength(int a, int b) const;
    void rootForest(const CGraph& g);
    void indexEndpoints();
    void loopRow(int edge);
    void cutRow(int edge);
    void sortRow();
    template <class Report>
    void crossing(int lo, int hi, int inLo, int inHi, Report report) const;

    const Edge* edges_;
    int edgeCount_;
    MatrixKind kind_;
    int rowCount_ = 0;
    BigVector<Place> place_;
    // Cuts only. Every node's preorder number and the size of its subtree: the subtree of a node
    // is the nodes numbered [tin, tin + size).
    BigVector<int> tin_;
    BigVector<int> size_;
    // Cuts only. Both ends of every non-tree edge that is not a self-loop, ordered by the
    // preorder number of the end: the ends at preorder number t are the positions
    // [endStart_[t], endStart_[t + 1]); each holds the preorder number of the edge's other end,
    // and the edge with whether this end is its to node (edge * 2 + 1 when it is). Blocks of kBlock
    // positions keep the least and the greatest other end in a segment tree, which finds the
    // positions whose other end lies outside a subtree.
    static constexpr int kBlock = 32;
    BigVector<int> endStart_;
    BigVector<int> otherTin_;
    BigVector<std::uint32_t> endCode_;
    int leaves_ = 1;           // leaves of the segment tree: a power of two, at least the blocks
    BigVector<int> blockMin_;  // 2 * leaves_ nodes, node 1 the root, leaves from leaves_
    BigVector<int> blockMax_;
    BigVector<RowEntry> row_;    // the row being made; its capacity is taken once
    BigVector<RowEntry> spare_;  // as long as the longest row: the radix sort's other half
    int codeBits_ = 0;           // bits of the largest code of any entry
    static constexpr std::size_t kRadixFrom = 64;  // shorter rows sort by comparisons
};
