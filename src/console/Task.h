// The five tasks of kostra's menu, numbered as the menu numbers them. The dialogue reads the
// number once; from there on a task is this type.
#pragma once

#include "CGraph.h"

enum class Task {
    Skeleton = 1,        // the forest grown from the node of greatest degree
    BoruvkaKruskal = 2,  // a minimum forest by ascending weight, the components counted
    JarnikPrim = 3,      // a minimum forest grown tree by tree
    Loop = 4,            // the independent loop of a non-tree edge
    Cut = 5,             // the independent cut of a tree edge
};

// The task marks a forest and reports it (tasks 1 to 3), rather than a loop or a cut of one.
constexpr bool reportsForest(Task task) { return task != Task::Loop && task != Task::Cut; }

// The method that marks the forest of task 1, 2 or 3.
constexpr Method methodOf(Task task) {
    return task == Task::Skeleton         ? Method::Skeleton
           : task == Task::BoruvkaKruskal ? Method::BoruvkaKruskal
                                          : Method::JarnikPrim;
}
