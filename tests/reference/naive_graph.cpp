#include "naive_graph.h"
#include "Texts.h"

#include <algorithm>
#include <cstdio>
#include <numeric>

namespace naive {

Graph::Graph(int n, const std::vector<EdgeData>& data)
    : nodeCount(n), edgeCount(static_cast<int>(data.size())), nodes(static_cast<size_t>(n)) {
    for (const EdgeData& s : data) {
        Edge e;
        e.from = s.from;
        e.to = s.to;
        e.weight = s.weight;
        edges.push_back(e);
    }
}

void Graph::narrate(const char* line) {
    if (narration != nullptr) narration->append(line);
}

void Graph::log(const char* what, std::initializer_list<int> values) {
    if (events == nullptr) return;
    events->append(what);
    for (const int v : values) {
        events->push_back(' ');
        events->append(std::to_string(v));
    }
    events->push_back('\n');
}

// One counting pass over all edges per node, then a filling pass for a node that has any.
void Graph::makeRoutes() {
    for (int i = 0; i < nodeCount; ++i) {
        int count = 0;
        for (int k = 0; k < edgeCount; ++k)
            if (edges[k].from == i || edges[k].to == i) ++count;
        nodes[i].routes.clear();
        if (count == 0) continue;
        nodes[i].degree = count;
        for (int k = 0; k < edgeCount; ++k) {
            if (edges[k].from == i)
                nodes[i].routes.push_back({k, edges[k].to});
            else if (edges[k].to == i)
                nodes[i].routes.push_back({k, edges[k].from});
        }
    }
}

void Graph::clearVTags() {
    for (Node& nd : nodes) nd.tag = 0;
}

void Graph::clearETags() {
    for (Edge& e : edges) e.tag = 0;
}

int Graph::bones() {
    int leaves = 0;
    for (Node& nd : nodes) {
        nd.bones = 0;
        for (const Route& r : nd.routes)
            if (edges[r.edge].inTree) ++nd.bones;
        if (nd.bones == 1) ++leaves;
    }
    return leaves;
}

bool Graph::isTail(int node) const { return nodes[node].degree == 1; }

bool Graph::isTailBone(int node) const { return nodes[node].bones == 1; }

int Graph::getCentroid(bool onlyUntagged) const {
    int candidate = -1;
    for (int i = 0; i < nodeCount; ++i) {
        const bool eligible = !onlyUntagged || nodes[i].tag == 0;
        if (!eligible) continue;
        if (candidate == -1)
            candidate = i;
        else if (nodes[i].degree > nodes[candidate].degree)
            candidate = i;
    }
    return candidate;
}

int Graph::skeleton() {
    clearVTags();
    clearETags();
    for (Edge& e : edges) e.inTree = false;
    int trees = 0;
    entered_.assign(static_cast<std::size_t>(nodeCount), false);
    for (;;) {
        const int c = getCentroid(true);
        if (c == -1) break;
        nodes[c].tag = 1;
        log("tree", {c});
        skeleton_R(c);
        ++trees;
    }
    return trees;
}

void Graph::skeleton_R(int row) {
    if (entries != nullptr) entries->push_back(row);
    if (!entered_[static_cast<std::size_t>(row)]) log("entry", {row});
    entered_[static_cast<std::size_t>(row)] = true;
    // Copies: the route list does not change, but a reference across the recursion reads badly.
    const std::vector<Route> routes = nodes[row].routes;
    for (const Route& r : routes) {
        if (nodes[r.node].tag == 0) {
            nodes[r.node].tag = 1;
            edges[r.edge].inTree = true;
            log("claim", {r.node, r.edge});
        }
    }
    for (const Route& r : routes) {
        if (edges[r.edge].tag == 0) {
            edges[r.edge].tag = 1;
            skeleton_R(r.node);
        }
    }
}

int Graph::BoruvkaKruskal(bool verbose) {
    std::vector<int> order(static_cast<size_t>(edgeCount));
    std::iota(order.begin(), order.end(), 0);
    char line[200];
    if (verbose) {
        std::snprintf(line, sizeof line, "%s", texts::kKruskalSorting.cs.text);
        narrate(line);
    }
    log("sorting", {});
    // Equal weights keep ascending edge number.
    std::stable_sort(order.begin(), order.end(),
                     [this](int a, int b) { return edges[a].weight < edges[b].weight; });
    for (int i = 0; i < nodeCount; ++i) nodes[i].tag = i;
    for (Edge& e : edges) e.inTree = false;
    // Once one tree holds every node, every later edge would be refused: the method takes no more.
    int joined = 0;
    for (const int e : order) {
        const int f = edges[e].from;
        const int t = edges[e].to;
        if (nodes[f].tag == nodes[t].tag) {
            if (joined < nodeCount - 1) {
                log("refused", {e, nodes[f].tag});
            } else {
                log("untaken", {e});
            }
            continue;
        }
        ++joined;
        log("accepted", {e, nodes[t].tag, nodes[f].tag});
        if (verbose) {
            std::snprintf(line, sizeof line, texts::kKruskalJoining.cs.text, e, edges[e].weight);
            narrate(line);
            std::snprintf(line, sizeof line, texts::kKruskalMoving.cs.text, nodes[t].tag, t,
                          nodes[f].tag, f);
            narrate(line);
        }
        edges[e].inTree = true;
        const int a = nodes[t].tag;
        for (int i = 0; i < nodeCount; ++i)
            if (nodes[i].tag == a) nodes[i].tag = nodes[f].tag;
    }
    int count = 0;
    for (int i = 0; i < nodeCount; ++i) {
        if (nodes[i].tag == -1) continue;
        const int l = nodes[i].tag;
        ++count;
        for (int j = 0; j < nodeCount; ++j)
            if (nodes[j].tag == l) nodes[j].tag = -1;
    }
    if (verbose) {
        std::snprintf(line, sizeof line, texts::kKruskalCount.cs.text, count);
        narrate(line);
    }
    log("count", {count});
    return count;
}

// Keys are kept beside a state of their own, so that every 32-bit weight is a key: "not
// reached" is above every weight and "done" is never compared with one.
int Graph::JarnikPrim(bool verbose) {
    enum class State { NotReached, Open, Done };
    std::vector<int> parentEdge(static_cast<size_t>(nodeCount), -1);
    std::vector<State> state(static_cast<size_t>(nodeCount), State::NotReached);
    std::vector<int> key(static_cast<size_t>(nodeCount), 0);
    for (Edge& e : edges) e.inTree = false;
    int s = 0;
    int components = 0;
    char line[200];
    for (;;) {
        log("tree", {s});
        state[s] = State::Open;
        key[s] = 0;
        for (;;) {
            int a = -1;
            for (int i = 0; i < nodeCount; ++i) {
                if (state[i] != State::Open) continue;
                if (a == -1 || key[i] < key[a]) a = i;
            }
            if (a == -1) break;
            log("chosen", {a, key[a], parentEdge[a]});
            if (verbose) {
                std::snprintf(line, sizeof line, texts::kPrimAdding.cs.text, a);
                narrate(line);
            }
            for (const Route& r : nodes[a].routes) {
                const int v = r.node;
                if (v == a) continue;
                if (state[v] == State::Done) continue;
                const int w = edges[r.edge].weight;
                if (state[v] == State::Open && !(w < key[v])) continue;
                if (state[v] == State::Open) {
                    log("lowered", {v, key[v], parentEdge[v], w, r.edge});
                } else {
                    log("lowered", {v, NOT_REACHED, -1, w, r.edge});
                }
                state[v] = State::Open;
                key[v] = w;
                parentEdge[v] = r.edge;
                if (verbose) {
                    std::snprintf(line, sizeof line, texts::kPrimOffering.cs.text, v, w, r.edge);
                    narrate(line);
                }
            }
            state[a] = State::Done;
        }
        ++components;
        int next = -1;
        for (int i = 0; i < nodeCount; ++i) {
            if (state[i] == State::NotReached) {
                next = i;
                break;
            }
        }
        if (next == -1) break;
        s = next;
    }
    for (int v = 0; v < nodeCount; ++v)
        if (parentEdge[v] != -1) edges[parentEdge[v]].inTree = true;
    for (Node& nd : nodes) nd.tag = DONE;
    if (verbose) {
        std::snprintf(line, sizeof line, texts::kPrimCount.cs.text, components);
        narrate(line);
    }
    log("count", {components});
    return components;
}

void Graph::getLoop(int e) {
    const int f = edges[e].from;
    const int t = edges[e].to;
    clearETags();
    clearVTags();
    nodes[t].tag = 1;
    path_.clear();
    if (getLoop_R(t, f)) {
        edges[e].tag = 1;
        // The path was found from its far end back: it runs from t to f the other way round.
        log("loop", {e, 1});
        for (auto k = path_.rbegin(); k != path_.rend(); ++k) log("loop", {*k, edges[*k].tag});
    }
}

bool Graph::getLoop_R(int row, int target) {
    if (row == target) return true;
    const std::vector<Route> routes = nodes[row].routes;
    for (const Route& r : routes) {
        if (!edges[r.edge].inTree) continue;
        if (nodes[r.node].tag != 0) continue;
        nodes[r.node].tag = 1;
        if (getLoop_R(r.node, target)) {
            edges[r.edge].tag = edges[r.edge].from == row ? 1 : -1;
            path_.push_back(r.edge);
            return true;
        }
    }
    return false;
}

void Graph::getCut(int e) {
    const int f = edges[e].from;
    const int t = edges[e].to;
    if (isTailBone(f) || isTailBone(t)) {
        const int leaf = isTailBone(f) ? f : t;
        log("leaf", {leaf});
        logSides(e);
    }
    if (isTailBone(f)) {
        clearETags();
        for (const Route& r : nodes[f].routes) {
            if (r.node == f) continue;
            edges[r.edge].tag = edges[r.edge].from == f ? 1 : -1;
            log("cut", {r.edge, edges[r.edge].tag});
        }
        return;
    }
    if (isTailBone(t)) {
        clearETags();
        for (const Route& r : nodes[t].routes) {
            if (r.node == t) continue;
            edges[r.edge].tag = edges[r.edge].to == t ? 1 : -1;
            log("cut", {r.edge, edges[r.edge].tag});
        }
        return;
    }
    splitTree(e, 1, 2);
    for (int i = 0; i < nodeCount; ++i)
        if (nodes[i].tag != 0) log("side", {i, nodes[i].tag});
    for (int k = 0; k < edgeCount; ++k) {
        Edge& d = edges[k];
        if (nodes[d.from].tag + nodes[d.to].tag == 3) d.tag = nodes[d.from].tag == 1 ? 1 : -1;
        if (d.tag != 0) log("cut", {k, d.tag});
    }
}

// The two sides of tree edge e as splitTree labels them, the to node on the to side even when it
// is a leaf, told without touching the marks.
void Graph::logSides(int e) {
    if (events == nullptr) return;
    const std::vector<Node> nodesBefore = nodes;
    const std::vector<Edge> edgesBefore = edges;
    splitTree(e, 1, 2);
    nodes[edges[e].to].tag = 2;
    for (int i = 0; i < nodeCount; ++i)
        if (nodes[i].tag != 0) log("side", {i, nodes[i].tag});
    nodes = nodesBefore;
    edges = edgesBefore;
}

void Graph::splitTree(int e, int a, int b) {
    clearVTags();
    clearETags();
    const int f = edges[e].from;
    const int t = edges[e].to;
    nodes[t].tag = a;
    splitTree_R(f, a);
    nodes[f].tag = b;
    splitTree_R(t, b);
    nodes[f].tag = a;
}

void Graph::splitTree_R(int row, int label) {
    const std::vector<Route> routes = nodes[row].routes;
    for (const Route& r : routes) {
        if (edges[r.edge].inTree && nodes[r.node].tag != label) {
            nodes[r.node].tag = label;
            splitTree_R(r.node, label);
        }
    }
}

bool betweend(double a, double b, double c) { return (a <= b && b <= c) || (a >= b && b >= c); }

}  // namespace naive
