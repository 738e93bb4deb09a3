// The steps of a run, for a page that replays them over the drawing: every decision of kostra's
// methods a step, as the methods tell them (Observer.h), with the lines of its output that belong
// to it.
#pragma once

#include <string>
#include <vector>

#include "CGraph.h"
#include "Format.h"

class Output;
struct Transcript;

struct Replay {
    // What a step is: the first number of its record, the numbers after it as given here.
    enum Step : int {
        kEntry = 0,      // the walk enters a node: node, 1 when a tree starts there (0 otherwise),
                         // then node and edge of every claim it makes
        kAccepted = 1,   // edge order: edge, the label of the absorbed subtree, the label it takes
        kRefused = 2,    // edge order: edge, the label of the subtree that holds both its ends
        kRest = 3,       // edge order, after the last accepted edge: every edge left, in the order,
                         // with the label of its subtree (refused) or -1 (not taken)
        kTreeStart = 4,  // growing trees: the node a tree starts at, which gets key 0
        kChosen = 5,     // growing trees: node, key, edge (-1 at a tree's start), then node, key
                         // before (2147483647: none), edge before (-1: none), key and edge of
                         // every key it lowers
        kLoopEdge = 6,   // the loop: edge, orientation
        kSplit = 7,      // the cut: the leaf whose side is itself (-1: none), then node and side
                         // (1 the chosen edge's from side, 2 its to side) of every node of both
        kCutEdge = 8,    // the cut: edge, orientation
        kSigns = 9,      // the loop or cut whole, with the orientation of every edge
    };
    struct Line {
        std::string text;  // as kostra printed it, or, for the walk, as this program tells it
        int step;          // the step it belongs to, 0 = before the first
    };
    Method method = Method::Skeleton;  // the forest method replayed
    // One record a step, in order: the forest's steps, then for tasks 4 and 5 the loop's or cut's.
    std::vector<std::vector<int>> steps;
    int forestSteps = 0;  // how many of the steps are the forest's
    std::vector<Line> lines;
    std::vector<char> forest;  // every edge: 1 in the transcript's forest
    std::vector<int> side;     // task 5, every node: 1 the chosen edge's from side, 2 its to side
};

// The replay of the run that readTranscript found in g and t: the steps of the forest method that
// marks the transcript's forest (the narrated one, or else the first of the three that marks it,
// as the transcript does not name it), then for tasks 4 and 5 the loop or cut of the chosen edge.
// narration is the narration readTranscript kept (tasks 2 and 3), which must be, line for line,
// what kostra narrates on this graph in the transcript's language. The lines this program tells
// itself (the walk's, the loop's or cut's caption) are in language. On success g's marks are those
// of the last method run here (readTranscript's are copied into r first). Otherwise says why on
// err and returns false. Cost: O(n + m) and one run of a forest method, plus the lines.
bool buildReplay(CGraph& g, const Transcript& t, const std::string& narration, Replay& r,
                 Output& err, Language language);
