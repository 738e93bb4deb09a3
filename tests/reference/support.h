// What the reference tests share: a graph description, the same graph built as a CGraph and as a
// naive::Graph side by side, comparisons of their marks, independent checks of forests, loops and
// cuts, a small deterministic random generator, and runs of the real dialogue.
#pragma once

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "CGraph.h"
#include "Narration.h"
#include "Observed.h"
#include "Output.h"
#include "naive_graph.h"

namespace reference {

struct GraphData {
    int n;
    std::vector<naive::EdgeData> edges;
};

std::string describe(const GraphData& g);

// Fills a CGraph as the console does: endpoints and weights, the tree flag and the tag cleared.
void fill(CGraph& g, const GraphData& data);

// The graph twice: the real CGraph and the naive one, each narrating into a string of its own.
struct Twin {
    explicit Twin(const GraphData& s);
    GraphData data;
    naive::Graph ref;
    CGraph real;
    std::string refNarration;
    std::string realNarration;
    Output realOut;

    void makeRoutes() {
        ref.makeRoutes();
        real.makeRoutes();
    }
    // Method 1, 2 or 3 on the real graph, which narrates into realOut when verbose.
    int realForest(int method, bool verbose);
    // What each side has narrated since the last call.
    std::string takeRef();
    std::string takeReal();
};

// Comparisons of one kind of mark; the message names the first difference.
::testing::AssertionResult sameRoutes(const naive::Graph& ref, const CGraph& real);
::testing::AssertionResult sameTreeFlags(const naive::Graph& ref, const CGraph& real);
::testing::AssertionResult sameEdgeTags(const naive::Graph& ref, const CGraph& real);
::testing::AssertionResult sameNodeTags(const naive::Graph& ref, const CGraph& real);
::testing::AssertionResult sameBones(const naive::Graph& ref, const CGraph& real);

std::vector<int> treeFlags(const CGraph& g);
std::vector<int> edgeTags(const CGraph& g);
std::vector<int> nodeTags(const CGraph& g);
std::vector<int> boneCounts(const CGraph& g);
std::vector<int> treeFlags(const naive::Graph& g);
std::vector<int> edgeTags(const naive::Graph& g);
std::vector<int> nodeTags(const naive::Graph& g);
std::vector<int> boneCounts(const naive::Graph& g);

// Every event a method of CGraph tells, a line each, in the words of naive::Graph::events; the
// events of the two minimum forest methods also go on to narration, when given.
class EventLog : public Unwatched {
public:
    explicit EventLog(Narration* narration = nullptr) : narration_(narration) {}
    std::string text;

    void treeStarts(int node) { log("tree", {node}); }
    void entered(int node) { log("entry", {node}); }
    void claimed(int node, int edge) { log("claim", {node, edge}); }
    void sortingEdges();
    void accepted(int edge, int goneLabel, int keptLabel);
    void refused(int edge, int label) { log("refused", {edge, label}); }
    void notTaken(int edge) { log("untaken", {edge}); }
    void componentsCounted(int count);
    void chosen(int node, int key, int edge);
    void keyLowered(int node, int keyBefore, int edgeBefore, int key, int edge);
    void loopEdge(int edge, int orientation) { log("loop", {edge, orientation}); }
    void cutAtLeaf(int leaf) { log("leaf", {leaf}); }
    void sideOf(int node, int side) { log("side", {node, side}); }
    void cutEdge(int edge, int orientation) { log("cut", {edge, orientation}); }

private:
    void log(const char* what, std::initializer_list<int> values);
    Narration* narration_;
};

// The events the naive walk logs as CGraph's walk tells them: each tree's lines up to its last
// claim, or up to the start's entry when it claims nothing (the naive walk goes on entering nodes
// until its walk is over).
std::string shownWalk(const std::string& literal);

// Independent checks, built on nothing but the edge list.
int componentCount(const GraphData& g);
// The flags mark a forest without self-loops whose trees span the components.
::testing::AssertionResult isSpanningForest(const GraphData& g, const std::vector<int>& inTree);
std::int64_t forestWeight(const GraphData& g, const std::vector<int>& inTree);
// The least weight of a spanning forest, over all sets of n - components edges (small m only).
std::int64_t bruteForceMinimum(const GraphData& g);
// tags are a loop of edge e in the forest: e +1, other non-tree edges 0, every value in
// {-1, 0, 1}, and at every node the signed incidence sums to zero.
::testing::AssertionResult isLoopOf(const GraphData& g, const std::vector<int>& inTree, int e,
                                    const std::vector<int>& tags);
// tags are the cut of tree edge e: the sides are found by a search of the forest without e.
::testing::AssertionResult isCutOf(const GraphData& g, const std::vector<int>& inTree, int e,
                                   const std::vector<int>& tags);

// A small generator with a fixed algorithm, so a seed gives the same graphs everywhere.
class Rng {
public:
    explicit Rng(std::uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ULL + 1) {}
    std::uint64_t next();
    int pick(int lo, int hi);  // lo .. hi inclusive
    bool chance(int percent);  // true in about percent of the calls
    int weight(int mode);      // a weight of the given flavour (see randomGraph)

private:
    std::uint64_t state_;
};

// 1..maxNodes nodes, 0..maxEdges edges; self-loops, parallel edges, several components, weights
// from a small range (many ties), a wide one, or the extremes of the 32-bit range.
GraphData randomGraph(Rng& rng, int maxNodes = 12, int maxEdges = 25);

// The real dialogue in-process: standard output, standard error and the status.
struct RealRun {
    std::string out;
    std::string err;
    int status;
};
RealRun runReal(const char* graphPath, const std::string& input);
// The same with standard input coming through a socket, written by another thread in pieces of
// random size, as a pipe or a terminal delivers it.
RealRun runRealStreamed(const char* graphPath, const std::string& input, Rng& rng);

// Sanitizer builds run several times slower: they take a fraction of the random rounds.
#if defined(__SANITIZE_ADDRESS__)
constexpr int kRoundsDivisor = 5;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr int kRoundsDivisor = 5;
#else
constexpr int kRoundsDivisor = 1;
#endif
#else
constexpr int kRoundsDivisor = 1;
#endif

// A scratch file for graph descriptions in a directory of its own; both go when it does.
class ScratchFile {
public:
    ScratchFile();
    ~ScratchFile();
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;
    void write(const std::string& bytes) const;
    const char* path() const { return path_.c_str(); }
    const char* directory() const { return dir_.c_str(); }

private:
    std::string dir_;
    std::string path_;
};

}  // namespace reference
