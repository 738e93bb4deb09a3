// Reading kostra's output back: the transcript of one run, checked against the graph the run was
// given, so that a drawing shows exactly what kostra reported and nothing else.
//
// The transcript never repeats the user's answers; the task shows in its shape, and its first line
// shows the language kostra spoke. Tasks 1 to 3 end with the edge and node tables after the banner
// (2 and 3 ask the yes/no question of the narration first);
// tasks 4 and 5 ask for the forest method, list the tree flags, ask for the edge and end with the
// orientation table. Everything kostra derives from the graph is checked: the counts, the weights,
// the degrees, the tree-edge counts of the nodes, that the tree flags are the forest one of
// kostra's three methods marks in this graph, and that the orientations are the loop or cut that
// kostra computes for the chosen edge.
#pragma once

#include <string>
#include <vector>

#include "Format.h"
#include "Task.h"

class CGraph;
class Output;

struct Transcript {
    // The menu's choice. Task::BoruvkaKruskal stands for Task::JarnikPrim as well: without
    // narration the two look alike, and method says which forest the transcript shows.
    Task task;
    Method method;                         // the forest method that marks the tree flags
    bool narrated;                         // tasks 2 and 3: the run narrated, so method is certain
    int chosen;                            // tasks 4 and 5: the edge of the loop or cut, else -1
    std::vector<signed char> orientation;  // tasks 4 and 5: +1, -1 or 0 for every edge
    Language language;                     // the language kostra spoke
};

// Reads the whole of fd (kostra's standard output, in either language) and checks it against g;
// messages go to err, in its language. On success: g's inTree
// flags hold the forest of the transcript; for task 5 the node tags are the sides of the cut (1 the
// chosen edge's from side, 2 its to side, 0 the other trees). Otherwise prints one message to err
// and returns false. Cost: O(n + m + length of the input), plus what kostra's forest methods cost;
// the input is read in pieces, never kept whole. When narration is given, the narration's lines
// are kept there, each ended by a line break (without the question it starts after); only their
// beginnings are checked here.
bool readTranscript(int fd, CGraph& g, Transcript& t, Output& err,
                    std::string* narration = nullptr);
