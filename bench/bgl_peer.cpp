// A peer for the benchmark: kostra's tasks 1 and 3 done the way a user of the Boost Graph Library
// would do them, reading the same graph file and writing a report of the same shape and size as
// kostra's tasks 1 to 3 (another forest, so other flags, but every line in its place).
//
// usage: kostra-bgl-peer GRAPH dfs|prim
//   dfs   a depth-first spanning forest: depth_first_search (the library's walk on an explicit
//         stack) over every component, its tree edges marked by a visitor
//   prim  a minimum spanning forest by prim_minimum_spanning_tree
//
// The graph is a compressed_sparse_row_graph holding every edge in both directions (the library's
// compressed graph is directed only), each arc carrying its edge number.
#include <boost/graph/compressed_sparse_row_graph.hpp>
#include <boost/graph/depth_first_search.hpp>
#include <boost/graph/prim_minimum_spanning_tree.hpp>
#include <boost/iterator/counting_iterator.hpp>
#include <boost/iterator/transform_iterator.hpp>
#include <boost/property_map/function_property_map.hpp>
#include <cstdint>
#include <cstring>
#include <exception>
#include <limits>
#include <new>
#include <utility>

#include "graph_io.h"

namespace {

struct Arc {
    std::uint32_t edge;  // the edge's number in the file; edgeCount for the arcs of the extra root
};
using Graph = boost::compressed_sparse_row_graph<boost::directedS, boost::no_property, Arc,
                                                 boost::no_property, std::uint32_t, std::uint32_t>;
using Vertex = boost::graph_traits<Graph>::vertex_descriptor;
using ArcRef = boost::graph_traits<Graph>::edge_descriptor;

// The arcs of the graph: arc k < m is edge k from -> to, arc m + k is edge k to -> from, and with
// an extra root r the arcs 2m + v are r -> v for every node v. Generated as the library asks for
// them, so no list of pairs is stored beside the graph.
Graph buildGraph(const bench::CGraphArrays& g, bool extraRoot) {
    const auto m = static_cast<std::uint32_t>(g.edgeCount);
    const auto n = static_cast<std::uint32_t>(g.nodeCount);
    const auto arcEnds = [&g, m, n](std::uint32_t k) -> std::pair<std::uint32_t, std::uint32_t> {
        if (k < m) return {g.from[k], g.to[k]};
        if (k < 2 * m) return {g.to[k - m], g.from[k - m]};
        return {n, k - 2 * m};
    };
    const auto arcEdge = [m](std::uint32_t k) { return Arc{k < 2 * m ? k % m : m}; };
    const std::uint32_t arcs = 2 * m + (extraRoot ? n : 0);
    const boost::counting_iterator<std::uint32_t> first(0);
    const boost::counting_iterator<std::uint32_t> last(arcs);
    return Graph(boost::edges_are_unsorted_multi_pass,
                 boost::make_transform_iterator(first, arcEnds),
                 boost::make_transform_iterator(last, arcEnds),
                 boost::make_transform_iterator(first, arcEdge), n + (extraRoot ? 1 : 0));
}

struct TreeEdgeMarker : boost::default_dfs_visitor {
    std::uint8_t* inTree;
    void tree_edge(ArcRef a, const Graph& graph) const { inTree[graph[a].edge] = 1; }
};

// Depth-first search over every component: the library starts a new tree at every node that no
// earlier tree reached.
void markDepthFirstForest(const bench::CGraphArrays& g, std::uint8_t* inTree) {
    const Graph graph = buildGraph(g, false);
    TreeEdgeMarker marker;
    marker.inTree = inTree;
    bench::CBigArray<boost::default_color_type> color(g.nodeCount);
    boost::depth_first_search(graph,
                              boost::visitor(marker).color_map(boost::make_iterator_property_map(
                                  color.data(), boost::get(boost::vertex_index, graph))));
}

struct LastRelaxed : boost::default_dijkstra_visitor {
    std::uint32_t* via;
    void edge_relaxed(ArcRef a, const Graph& graph) const {
        via[boost::target(a, graph)] = graph[a].edge;
    }
};

// The library's Prim spans only the component of its start node, and starting it again costs
// O(n) each time (it sets up its arrays afresh), which on a graph of many components is
// quadratic. So it runs once, from an extra root joined to every node by an arc heavier than any
// edge: the next node taken is always one joined by a real edge to the tree grown so far while
// there is one, and an arc of the extra root starts the next tree only when a component is done.
// The arcs of the extra root are left out of the forest. Weights are shifted to be non-negative,
// which the library requires and which keeps their order. A self-loop weighs more than any arc:
// the library would otherwise lower a node's key through its own self-loop while it scans the
// node's arcs, taking the self-loop for the node's tree edge and updating the heap position of a
// node no longer in the heap. Cost: O((n + m) log n).
void markMinimumForest(const bench::CGraphArrays& g, std::uint8_t* inTree) {
    const Graph graph = buildGraph(g, true);
    const auto m = static_cast<std::uint32_t>(g.edgeCount);
    const auto n = static_cast<std::uint32_t>(g.nodeCount);
    constexpr std::int64_t kRootArc = std::int64_t{1} << 33;  // above every shifted weight
    const int* weight = g.weight.data();
    const auto arcWeight = [&graph, weight, m](ArcRef a) -> std::int64_t {
        const std::uint32_t e = graph[a].edge;
        if (e == m) return kRootArc;
        if (boost::source(a, graph) == boost::target(a, graph)) return kRootArc + 1;
        return std::int64_t{weight[e]} - std::numeric_limits<int>::min();
    };
    bench::CBigArray<std::int64_t> key(n + 1);
    bench::CBigArray<std::uint32_t> via(n + 1);
    LastRelaxed visitor;
    visitor.via = via.data();
    boost::prim_minimum_spanning_tree(
        graph, n, boost::dummy_property_map(),
        boost::make_iterator_property_map(key.data(), boost::get(boost::vertex_index, graph)),
        boost::make_function_property_map<ArcRef, std::int64_t>(arcWeight),
        boost::get(boost::vertex_index, graph), visitor);
    for (std::uint32_t v = 0; v < n; ++v) {
        if (via[v] != m) inTree[via[v]] = 1;
    }
}

}  // namespace

int main(int argc, char** argv) try {
    const bool dfs = argc == 3 && std::strcmp(argv[2], "dfs") == 0;
    const bool prim = argc == 3 && std::strcmp(argv[2], "prim") == 0;
    if (!dfs && !prim) bench::fail(2, "usage", "kostra-bgl-peer GRAPH dfs|prim");
    const bench::CGraphArrays g = bench::readGraph(argv[1]);
    if (static_cast<std::uint64_t>(g.edgeCount) * 2 + static_cast<std::uint64_t>(g.nodeCount) >
        std::numeric_limits<std::uint32_t>::max()) {
        bench::fail(1, argv[1], "too many edges for 32-bit arc numbers");
    }
    bench::CBigArray<std::uint8_t> inTree(static_cast<std::size_t>(g.edgeCount));
    if (dfs) {
        markDepthFirstForest(g, inTree.data());
    } else {
        markMinimumForest(g, inTree.data());
    }
    const bench::CBigArray<int> degree = bench::countDegrees(g);
    const bench::CBigArray<int> bones = bench::countBones(g, inTree.data());
    bench::writeForestReport(g, inTree.data(), bones.data(), degree.data());
    return 0;
} catch (const std::bad_alloc&) {
    bench::fail(4, "out of memory", "the library's arrays");
} catch (const std::exception& e) {
    bench::fail(1, "the library refused the graph", e.what());
}
