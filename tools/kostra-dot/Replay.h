// The steps of a run, for a page that replays them over the drawing: one event of kostra's
// algorithm a step, with the lines of its output that belong to it.
#pragma once

#include <string>
#include <vector>

#include "Format.h"

class CGraph;
class Output;
struct Transcript;

struct Replay {
    enum class Kind {
        Walk,     // the forest grown from the node of greatest degree (task 1; method 1 of 4 and 5)
        Kruskal,  // the narrated minimum forest by ascending weight
        Prim,     // the narrated minimum forest grown tree by tree
        Result,   // nothing to replay: the result alone
    };
    struct Line {
        std::string text;  // as kostra printed it, or, for the walk, as this program tells it
        int step;          // the step it belongs to, 0 = before the first
    };
    Kind kind = Kind::Result;
    // One record a step, in order:
    //   Walk:    entered node, 1 when it starts a tree (0 otherwise), then node and edge of
    //            every claim it makes;
    //   Kruskal: accepted edge, the label of the absorbed subtree, the label it takes, then
    //            the edges taken before it in the order and refused (they would close a loop);
    //   Prim:    chosen node, then node, key and edge of every key the narration sets after it.
    // Tasks 4 and 5 after a walk end with one more step, with an empty record: the loop or cut.
    std::vector<std::vector<int>> steps;
    bool endsOnResult = false;  // the last step is the loop or cut
    std::vector<Line> lines;
    std::vector<char> forest;  // every edge: 1 in the transcript's forest
    std::vector<int> side;     // task 5, every node: 1 the chosen edge's from side, 2 its to side
};

// The replay of the run that readTranscript found in g and t; narration is the narration it kept
// (tasks 2 and 3), which must be, line for line, what kostra narrates on this graph in the
// transcript's language. The lines this program tells itself (the walk's, the loop's or cut's) are
// in language. On success g's marks are those of the last method run here (readTranscript's are
// copied into r first). Otherwise says why on err and returns false. Cost: O(n + m) and one run
// of a forest method, plus the lines.
bool buildReplay(CGraph& g, const Transcript& t, const std::string& narration, Replay& r,
                 Output& err, Language language);
