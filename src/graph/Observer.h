// What the methods of the graph tell an observer: every decision as they take it.
//
// A method that decides something takes an observer as a template parameter and calls it at each
// decision; the observer of a run nobody watches is Unwatched, whose calls compile to nothing, so
// the plain method is the same code as if nobody could watch. An observer derives from Unwatched
// and hides the events it wants: the narration of the two minimum forest methods is one (it writes
// kostra's lines), the replay of kostra-dot's page another, and the tests record the events to
// compare them with a literal run of each method.
//
// An observer only listens: it must not change the graph while the method runs. Node and edge
// numbers are those of the graph; an "edge" of -1 means none.
#pragma once

#include <type_traits>

struct Unwatched {
    // skeleton(), the forest grown from the node of greatest degree, tree by tree in the order of
    // their starts. For each tree: treeStarts(start), then entered(start); then, in the walk's
    // order, every node's first entry (entered) followed by the claims it makes (claimed: the
    // node of the last entry puts edge in the tree and so claims node), up to the claim of the
    // tree's last node. A tree of one node is its start and the start's entry. (The walk enters
    // nodes again, and enters some for the first time after the tree's last claim; those entries
    // claim nothing and are not told.)
    // JarnikPrim() tells treeStarts(start) too, for every tree, before its start is chosen.
    void treeStarts(int /*node*/) {}
    void entered(int /*node*/) {}
    void claimed(int /*node*/, int /*edge*/) {}

    // BoruvkaKruskal(): sortingEdges() as it puts the edges in their order (ascending weight, equal
    // weights in ascending edge number); then every edge the method takes, in that order, until
    // one tree holds every node: accepted when it joins two subtrees (the subtree labelled
    // goneLabel, that of its to node, is absorbed into the subtree labelled keptLabel, that of
    // its from node, whose label stays) or refused when both its ends are in the subtree labelled
    // label already (it would close a loop; a self-loop always would); then, in the order, the
    // edges it does not take once one tree holds every node (notTaken: each would be refused);
    // last componentsCounted. The labels are those the relabelling of every absorbed node would
    // give: a subtree is labelled with a node's number.
    void sortingEdges() {}
    void accepted(int /*edge*/, int /*goneLabel*/, int /*keptLabel*/) {}
    void refused(int /*edge*/, int /*label*/) {}
    void notTaken(int /*edge*/) {}
    // BoruvkaKruskal() and JarnikPrim(), at the end: the number of components (of trees).
    void componentsCounted(int /*count*/) {}

    // JarnikPrim(): for every tree, treeStarts(start), then chosen(start, 0, -1); then the open
    // node of smallest key (lowest number on ties) is chosen, with the key and the edge that
    // gives it, until no node is open. After every choice, the keys it lowers, in the order of the
    // chosen node's routes: keyLowered(node, keyBefore, edgeBefore, key, edge), where edgeBefore is
    // -1 when the node had no key before (keyBefore is then CGraph::NOT_REACHED). Last,
    // componentsCounted.
    void chosen(int /*node*/, int /*key*/, int /*edge*/) {}
    void keyLowered(int /*node*/, int /*keyBefore*/, int /*edgeBefore*/, int /*key*/,
                    int /*edge*/) {}

    // getLoop(edge): the loop in the order it runs, each edge with its orientation: the chosen
    // edge (+1), then the edges of the tree path from its to node back to its from node, +1 where
    // the loop runs along an edge (from -> to), -1 against it. Nothing when no tree path joins the
    // ends.
    void loopEdge(int /*edge*/, int /*orientation*/) {}

    // getCut(edge): cutAtLeaf(leaf) first when an end of the edge is a leaf of the forest (its
    // side is that node alone: the cut is the leaf's routes). Then the two sides, every node of
    // them in ascending number: sideOf(node, 1) on the side of the edge's from node, sideOf(node,
    // 2) on the side of its to node (nodes of other trees are on neither). Then every edge of the
    // cut with its orientation: +1 when it crosses from the from side to the to side, -1 the other
    // way (in the leaf's route order in the leaf case, else in ascending edge number).
    void cutAtLeaf(int /*leaf*/) {}
    void sideOf(int /*node*/, int /*side*/) {}
    void cutEdge(int /*edge*/, int /*orientation*/) {}
};

// Whether anybody watches: a method does what only an observer needs (and leaves out what only
// speeds up a run nobody watches) only then.
template <class Observer>
inline constexpr bool kWatched = !std::is_same_v<std::remove_cv_t<Observer>, Unwatched>;
