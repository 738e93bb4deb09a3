#include "FundamentalRows.h"

#include <algorithm>
#include <cassert>
#include <climits>
#include <new>

#include "Progress.h"

FundamentalRows::FundamentalRows(const CGraph& g, MatrixKind kind)
    : edges_(g.edges), edgeCount_(g.edgeCount), kind_(kind) {
    int ends = 0;  // both ends of the non-tree edges that are not self-loops
    int trees = 0;
    for (int k = 0; k < edgeCount_; ++k) {
        const Edge& e = edges_[k];
        if (e.inTree) {
            ++trees;
        } else if (e.from != e.to) {
            // Positions are ints; a graph with this many edges does not fit in memory anyway.
            if (ends > INT_MAX - 2) throw std::bad_alloc();
            ends += 2;
        }
        if (hasRow(k)) ++rowCount_;
    }
    rootForest(g);
    // A cut is its edge and non-tree edges; a loop is its edge and a tree path, which has fewer
    // edges than the tree has nodes.
    const std::size_t longest = kind_ == MatrixKind::Cuts
                                    ? static_cast<std::size_t>(ends / 2) + 1
                                    : static_cast<std::size_t>(std::min(trees, g.nodeCount)) + 1;
    if (kind_ == MatrixKind::Cuts) indexEndpoints();
    row_.reserve(longest);
    if (longest >= kRadixFrom) spare_.resize(longest);
    while (codeBits_ < 32 &&
           (std::uint64_t{2} * static_cast<std::uint64_t>(edgeCount_)) >> codeBits_ != 0)
        ++codeBits_;
}

// Roots every tree of the forest at its lowest-numbered node and walks it depth first on an
// explicit stack, recording each node's parent, parent edge, depth and, for cuts, preorder
// number and subtree size. Cost: O(n + m).
void FundamentalRows::rootForest(const CGraph& g) {
    const int n = g.nodeCount;
    const bool cuts = kind_ == MatrixKind::Cuts;
    place_.assign(static_cast<std::size_t>(n), Place{-1, -1, -1, false});  // depth -1: not reached
    if (cuts) {
        tin_.assign(static_cast<std::size_t>(n), 0);
        size_.assign(static_cast<std::size_t>(n), 0);
    }
    struct Frame {
        int row;
        int next;  // the next route of row to look at
    };
    BigVector<Frame> stack;
    stack.reserve(static_cast<std::size_t>(n));
    int clock = 0;
    for (int s = 0; s < n; ++s) {
        if (place_[s].depth >= 0) continue;
        place_[s].depth = 0;
        if (cuts) tin_[s] = clock++;
        stack.push_back({s, 0});
        while (!stack.empty()) {
            const int row = stack.back().row;
            const RouteTable::Routes routes = g.routes(row);
            if (stack.back().next == routes.size()) {
                if (cuts) size_[row] = clock - tin_[row];
                stack.pop_back();
                continue;
            }
            const Route r = routes[stack.back().next++];
            if (!edges_[r.edge].inTree || place_[r.node].depth >= 0) continue;
            place_[r.node] = {row, r.edge, place_[row].depth + 1, edges_[r.edge].from != r.node};
            if (cuts) tin_[r.node] = clock++;
            stack.push_back({r.node, 0});
        }
    }
}

// Lists both ends of every non-tree edge that is not a self-loop by the preorder number of the
// end (a counting sort), then builds the segment tree of the least and greatest other end of each
// block. Cost: O(n + m).
void FundamentalRows::indexEndpoints() {
    const int n = static_cast<int>(place_.size());
    endStart_.assign(static_cast<std::size_t>(n) + 1, 0);
    for (int k = 0; k < edgeCount_; ++k) {
        const Edge& e = edges_[k];
        if (e.inTree || e.from == e.to) continue;
        ++endStart_[tin_[e.from] + 1];
        ++endStart_[tin_[e.to] + 1];
    }
    for (int t = 0; t < n; ++t) endStart_[t + 1] += endStart_[t];
    const int ends = endStart_[n];
    otherTin_.resize(static_cast<std::size_t>(ends));
    endCode_.resize(static_cast<std::size_t>(ends));
    // endStart_[t] serves as the cursor of t while filling, ending where t + 1 starts; the
    // starts are then moved back up by one place.
    auto put = [this](int at, int other, int edge, bool isTo) {
        const int p = endStart_[at]++;
        otherTin_[p] = other;
        endCode_[p] = static_cast<std::uint32_t>(edge) << 1 | (isTo ? 1U : 0U);
    };
    for (int k = 0; k < edgeCount_; ++k) {
        const Edge& e = edges_[k];
        if (e.inTree || e.from == e.to) continue;
        put(tin_[e.from], tin_[e.to], k, false);
        put(tin_[e.to], tin_[e.from], k, true);
    }
    for (int t = n; t > 0; --t) endStart_[t] = endStart_[t - 1];
    endStart_[0] = 0;

    const int blocks = (ends + kBlock - 1) / kBlock;
    while (leaves_ < blocks) leaves_ *= 2;
    blockMin_.assign(2 * static_cast<std::size_t>(leaves_), INT_MAX);
    blockMax_.assign(2 * static_cast<std::size_t>(leaves_), -1);
    for (int p = 0; p < ends; ++p) {
        const int leaf = leaves_ + p / kBlock;
        blockMin_[leaf] = std::min(blockMin_[leaf], otherTin_[p]);
        blockMax_[leaf] = std::max(blockMax_[leaf], otherTin_[p]);
    }
    for (std::size_t v = static_cast<std::size_t>(leaves_) - 1; v > 0; --v) {
        blockMin_[v] = std::min(blockMin_[2 * v], blockMin_[2 * v + 1]);
        blockMax_[v] = std::max(blockMax_[2 * v], blockMax_[2 * v + 1]);
    }
}

// The number of tree edges between two nodes of one tree, by walking up from the deeper one.
// Cost: O(that number).
int FundamentalRows::pathLength(int a, int b) const {
    int length = 0;
    while (a != b) {
        if (place_[a].depth >= place_[b].depth) {
            a = place_[a].parent;
        } else {
            b = place_[b].parent;
        }
        assert(a >= 0 && b >= 0);  // both ends in one tree
        ++length;
    }
    return length;
}

std::int64_t FundamentalRows::countNonZeros() const {
    std::int64_t total = 0;
    for (int k = 0; k < edgeCount_; ++k) {
        if ((k & 0xFFF) == 0) progress::done(k);
        const Edge& e = edges_[k];
        if (e.inTree) {
            total += kind_ == MatrixKind::Cuts ? 1 : 0;  // a cut holds its own edge
        } else {
            // The loop of e holds e and its tree path; each edge of the path has e in its cut.
            total += pathLength(e.from, e.to) + (kind_ == MatrixKind::Loops ? 1 : 0);
        }
    }
    return total;
}

std::span<const RowEntry> FundamentalRows::row(int edge) {
    assert(0 <= edge && edge < edgeCount_ && hasRow(edge));
    row_.clear();
    row_.push_back(RowEntry::of(edge, false));
    if (kind_ == MatrixKind::Loops) {
        loopRow(edge);
    } else {
        cutRow(edge);
    }
    sortRow();
    return {row_.data(), row_.size()};
}

// Puts the row in ascending order of its codes, so of its edges: a short row by comparisons, a
// longer one by a radix sort of eight bits a pass, as many passes as the codes have bytes, that
// goes back and forth between the row and the spare. Cost: O(k log k) below kRadixFrom entries,
// O(k) from there (at most four passes).
void FundamentalRows::sortRow() {
    const std::size_t k = row_.size();
    if (k < kRadixFrom) {
        std::sort(row_.begin(), row_.end(),
                  [](const RowEntry& a, const RowEntry& b) { return a.code < b.code; });
        return;
    }
    RowEntry* from = row_.data();
    RowEntry* to = spare_.data();
    for (int shift = 0; shift < codeBits_; shift += 8) {
        std::size_t start[257] = {};
        for (std::size_t i = 0; i < k; ++i) ++start[((from[i].code >> shift) & 0xFF) + 1];
        for (int d = 0; d < 256; ++d) start[d + 1] += start[d];
        for (std::size_t i = 0; i < k; ++i) to[start[(from[i].code >> shift) & 0xFF]++] = from[i];
        std::swap(from, to);
    }
    if (from != row_.data()) std::copy(from, from + k, row_.data());
}

// The loop of a non-tree edge runs along the edge and back over the tree path from its to node
// to its from node: walking up from the to node an edge is taken from child to parent, walking up
// from the from node it is taken from parent to child. A self-loop has no path.
void FundamentalRows::loopRow(int edge) {
    int x = edges_[edge].to;
    int y = edges_[edge].from;
    while (x != y) {
        if (place_[x].depth >= place_[y].depth) {
            row_.push_back(RowEntry::of(place_[x].parentEdge, place_[x].upAgainst));
            x = place_[x].parent;
        } else {
            row_.push_back(RowEntry::of(place_[y].parentEdge, !place_[y].upAgainst));
            y = place_[y].parent;
        }
        assert(x >= 0 && y >= 0);  // both ends in one tree
    }
}

// Removing a tree edge leaves the subtree of its lower end on one side and the rest of its tree
// on the other. The cut holds the edge and every non-tree edge with exactly one end in that
// subtree, +1 when it runs the way the edge does (from the from side to the to side).
void FundamentalRows::cutRow(int edge) {
    const int f = edges_[edge].from;
    const int t = edges_[edge].to;
    const bool lowerIsTo = place_[t].parentEdge == edge;
    const int c = lowerIsTo ? t : f;
    assert(place_[c].parentEdge == edge);
    const int inLo = tin_[c];
    const int inHi = tin_[c] + size_[c];
    crossing(endStart_[inLo], endStart_[inHi], inLo, inHi, [&](int p) {
        // The end at p is inside: the edge runs into the subtree when that end is its to node.
        const std::uint32_t code = endCode_[p];
        const bool intoSubtree = (code & 1) != 0;
        row_.push_back({(code & ~1U) | (intoSubtree != lowerIsTo ? 1U : 0U)});
    });
}

// Reports every position in [lo, hi) whose other end lies outside [inLo, inHi). Positions at the
// ends of the range are scanned; whole blocks come from a descent of the segment tree into the
// nodes that hold such an end, so every node visited beyond the two boundary paths leads to a
// reported position. Cost: O((reported + 1) * (log m + kBlock)).
template <class Report>
void FundamentalRows::crossing(int lo, int hi, int inLo, int inHi, Report report) const {
    auto scan = [&](int from, int to) {
        for (int p = from; p < to; ++p)
            if (otherTin_[p] < inLo || otherTin_[p] >= inHi) report(p);
    };
    const int firstBlock = (lo + kBlock - 1) / kBlock;  // whole blocks: [firstBlock, endBlock)
    const int endBlock = hi / kBlock;
    if (firstBlock >= endBlock) {
        scan(lo, hi);
        return;
    }
    scan(lo, firstBlock * kBlock);
    scan(endBlock * kBlock, hi);
    struct Frame {
        int node;
        int first;  // the blocks under the node: [first, end)
        int end;
    };
    Frame stack[64];  // one frame per level and one more: the tree is at most 32 levels deep
    int top = 0;
    stack[top++] = {1, 0, leaves_};
    while (top > 0) {
        const Frame fr = stack[--top];
        if (fr.end <= firstBlock || fr.first >= endBlock) continue;
        if (blockMin_[fr.node] >= inLo && blockMax_[fr.node] < inHi) continue;
        if (fr.node >= leaves_) {
            scan(fr.first * kBlock, fr.end * kBlock);
            continue;
        }
        const int mid = (fr.first + fr.end) / 2;
        stack[top++] = {2 * fr.node + 1, mid, fr.end};
        stack[top++] = {2 * fr.node, fr.first, mid};
    }
}
