"""Whole dialogues of kostra, written out by hand: every question the program asks, the answer a
user types to it, and everything printed in between, down to the last byte of the report.

The texts are the program's own messages; the forests, traces, loops and cuts are the worked
results of small graphs, worked out on paper (degrees and the layout of the lines are the only
things computed here). A dialogue is a list of steps (text printed before a read, the line read)
and the text printed after the last read, so a test can end standard input before any step and
know exactly what must be on the screen then. The program's own texts are read from its source
(tests/texts.py), so they are typed once.
"""

import pathlib
import sys

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent.parent))
import texts  # noqa: E402

MENU = texts.get("kMenu")
VERBOSE_Q = texts.get("kVerbosePrompt")
METHOD_Q = texts.get("kMethodPrompt")
LOOP_Q = texts.get("kLoopPrompt")
CUT_Q = texts.get("kCutPrompt")
BANNER = texts.get("kBanner")
OK = texts.get("kOpenedOk")
INCONSISTENT = texts.get("kInconsistent")
INPUT_ENDED = texts.get("kInputEnded")
NO_MEMORY = "\n" + texts.get("kNoMemory")
CANNOT_WRITE = texts.get("kCannotWrite")


def opening(path):
    return texts.get("kOpening") % path


def cannot_open(path):
    return texts.get("kCannotOpen") % path


class Graph:
    def __init__(self, n, edges):
        self.n = n
        self.edges = edges  # (from, to, weight)

    def file_text(self):
        lines = [len(self.edges), self.n]
        for f, t, w in self.edges:
            lines += [f, t, w]
        return "".join("%d\n" % v for v in lines)

    def degrees(self):
        deg = [0] * self.n
        for f, t, _ in self.edges:
            deg[f] += 1
            if t != f:
                deg[t] += 1
        return deg


def forest_report(g, in_tree, bones):
    out = BANNER
    for i, (_, _, w) in enumerate(g.edges):
        out += texts.get("kEdgeLine") % (i, in_tree[i], w)
    for i, d in enumerate(g.degrees()):
        out += texts.get("kNodeLine") % (i, bones[i], d)
    return out


def orientation_report(tags):
    return BANNER + "".join(texts.get("kOrientationLine") % (i, t) for i, t in enumerate(tags))


def tree_flags(in_tree):
    return "".join(texts.get("kTreeFlagLine") % (i, f) for i, f in enumerate(in_tree))


def bk_sort():
    return texts.get("kKruskalSorting")


def bk_union(e, w, to_label, to, from_label, frm):
    return (texts.get("kKruskalJoining") % (e, w) +
            texts.get("kKruskalMoving") % (to_label, to, from_label, frm))


def bk_count(c):
    return texts.get("kKruskalCount") % c


def jp_pick(a):
    return texts.get("kPrimAdding") % a


def jp_key(v, w, e):
    return texts.get("kPrimOffering") % (v, w, e)


def jp_count(c):
    return texts.get("kPrimCount") % c


# The four-node example: 0->1 (4), 1->2 (1), 2->0 (3), 2->3 (2), 3->1 (5); degrees 2, 3, 3, 2.
G4 = Graph(4, [(0, 1, 4), (1, 2, 1), (2, 0, 3), (2, 3, 2), (3, 1, 5)])
G4_TREE_1 = [1, 1, 0, 0, 1]    # recursive forest: node 1 claims all three neighbours
G4_BONES_1 = [1, 3, 1, 1]
G4_TREE_MIN = [0, 1, 1, 1, 0]  # both minimum forests
G4_BONES_MIN = [1, 1, 3, 1]

# Five nodes, node 2 isolated: 0->1 (7), 3->4 (2).
G5 = Graph(5, [(0, 1, 7), (3, 4, 2)])
G5_TREE = [1, 1]
G5_BONES = [1, 1, 0, 1, 1]

# A directed square: 0->1 (1), 1->2 (2), 2->3 (3), 3->0 (4); the minimum forests are 0, 1, 2.
C4 = Graph(4, [(0, 1, 1), (1, 2, 2), (2, 3, 3), (3, 0, 4)])
C4_TREE_MIN = [1, 1, 1, 0]


class Dialogue:
    """One run: the graph, where it comes from, the steps and the closing text."""

    def __init__(self, name, graph, keyboard):
        self.name = name
        self.graph = graph
        self.keyboard = keyboard
        self.steps = []  # (text printed before the read, the line read)
        self.tail = ""
        self._pending = ""

    def say(self, text):
        self._pending += text
        return self

    def answer(self, line):
        self.steps.append((self._pending, line))
        self._pending = ""
        return self

    def ask(self, question, *lines):
        """The question is printed before every one of the lines (the last one is accepted)."""
        for line in lines:
            self.say(question).answer(line)
        return self

    def close(self, text):
        self.tail = self._pending + text
        self._pending = ""
        return self

    def start(self, path):
        """What is printed before the first read: nothing when the graph is typed."""
        return "" if self.keyboard else opening(path) + OK

    def texts(self, path):
        texts = [t for t, _ in self.steps]
        texts[0] = self.start(path) + texts[0]
        return texts

    def answers(self):
        return [a for _, a in self.steps]

    def stdin(self):
        return "".join(self.answers())

    def stdout(self, path):
        return "".join(self.texts(path)) + self.tail

    def ended_at(self, k, path):
        """Standard input ends before the k-th read: stdin and the expected standard output."""
        return "".join(self.answers()[:k]), "".join(self.texts(path)[:k + 1]) + INPUT_ENDED

    def screen(self, path):
        """A terminal session: every answer is echoed after the text that asked for it."""
        return "".join(t + a for t, a in zip(self.texts(path), self.answers())) + self.tail


def typed_graph(d, g, refused=None):
    """The graph typed at the prompts; refused maps a question's position to answers that are
    turned down there before the right one."""
    refused = refused or {}
    questions = [(texts.get("kEdgeCountPrompt"), len(g.edges)), (texts.get("kNodeCountPrompt"), g.n)]
    for i, (f, t, w) in enumerate(g.edges):
        questions += [(texts.get("kFromPrompt") % i, f), (texts.get("kToPrompt") % i, t),
                      (texts.get("kWeightPrompt") % i, w)]
    for k, (q, v) in enumerate(questions):
        d.ask(q, *(refused.get(k, []) + ["%d\n" % v]))
    return d


def dialogue(name, graph, keyboard, refused=None):
    d = Dialogue(name, graph, keyboard)
    if keyboard:
        typed_graph(d, graph, refused)
    return d


def all_dialogues():
    ds = []

    # Task 1. The menu is printed once; refused choices are read again in silence.
    d = dialogue("g4-task1-file", G4, False)
    d.say(MENU).answer("0\n").answer("6\n").answer("x\n").answer("1\n")
    ds.append(d.close(forest_report(G4, G4_TREE_1, G4_BONES_1)))

    # The typed graph with refused values: negative and non-numeric counts, no nodes, endpoints
    # out of range or not numbers, a weight that is not a number.
    d = dialogue("g4-task1-keyboard", G4, True,
                 {0: ["-1\n", "abc\n"], 1: ["0\n"], 2: ["4\n", "-1\n"], 3: ["x\n"], 4: ["w\n"],
                  16: [" \n"]})
    d.say(MENU).answer("1\n")
    ds.append(d.close(forest_report(G4, G4_TREE_1, G4_BONES_1)))

    d = dialogue("g5-task1-keyboard", G5, True)
    d.say(MENU).answer("1\n")
    ds.append(d.close(forest_report(G5, G5_TREE, G5_BONES)))

    # Task 2: only a line starting with a lower-case a or n answers the question.
    d = dialogue("g4-task2-verbose-file", G4, False)
    d.say(MENU).answer("2\n").ask(VERBOSE_Q, "A\n", "\n", "x\n", "ano\n")
    d.say(bk_sort() + bk_union(1, 1, 2, 2, 1, 1) + bk_union(3, 2, 3, 3, 1, 2) +
          bk_union(2, 3, 0, 0, 1, 2) + bk_count(1))
    ds.append(d.close(forest_report(G4, G4_TREE_MIN, G4_BONES_MIN)))

    d = dialogue("g4-task2-quiet-keyboard", G4, True)
    d.say(MENU).answer("2\n").ask(VERBOSE_Q, "N\n", "nic\n")
    ds.append(d.close(forest_report(G4, G4_TREE_MIN, G4_BONES_MIN)))

    d = dialogue("g5-task2-verbose-file", G5, False)
    d.say(MENU).answer("2\n").ask(VERBOSE_Q, "a\n")
    d.say(bk_sort() + bk_union(1, 2, 4, 4, 3, 3) + bk_union(0, 7, 1, 1, 0, 0) + bk_count(3))
    ds.append(d.close(forest_report(G5, G5_TREE, G5_BONES)))

    # Task 3, answers ended by a carriage return as well.
    d = dialogue("g4-task3-verbose-file", G4, False)
    d.say(MENU).answer("3\r\n").ask(VERBOSE_Q, "a\r\n")
    d.say(jp_pick(0) + jp_key(1, 4, 0) + jp_key(2, 3, 2) + jp_pick(2) + jp_key(1, 1, 1) +
          jp_key(3, 2, 3) + jp_pick(1) + jp_pick(3) + jp_count(1))
    ds.append(d.close(forest_report(G4, G4_TREE_MIN, G4_BONES_MIN)))

    d = dialogue("g5-task3-verbose-keyboard", G5, True)
    d.say(MENU).answer("3\n").ask(VERBOSE_Q, "a\n")
    d.say(jp_pick(0) + jp_key(1, 7, 0) + jp_pick(1) + jp_pick(2) + jp_pick(3) + jp_key(4, 2, 1) +
          jp_pick(4) + jp_count(3))
    ds.append(d.close(forest_report(G5, G5_TREE, G5_BONES)))

    d = dialogue("g4-task3-quiet-file", G4, False)
    d.say(MENU).answer("3\n").ask(VERBOSE_Q, "n\n")
    ds.append(d.close(forest_report(G4, G4_TREE_MIN, G4_BONES_MIN)))

    # Task 4: refused methods, then refused edges (a tree edge, out of range, not a number).
    d = dialogue("g4-task4-m1-file", G4, False)
    d.say(MENU).answer("4\n").ask(METHOD_Q, "0\n", "4\n", "x\n", "1\n")
    d.say(tree_flags(G4_TREE_1)).ask(LOOP_Q, "0\n", "5\n", "-1\n", "x\n", "2\n")
    ds.append(d.close(orientation_report([1, 1, 1, 0, 0])))

    d = dialogue("g4-task4-m1-keyboard", G4, True)
    d.say(MENU).answer("4\n").ask(METHOD_Q, "1\n")
    d.say(tree_flags(G4_TREE_1)).ask(LOOP_Q, "3\n")
    ds.append(d.close(orientation_report([0, 1, 0, 1, 1])))

    d = dialogue("g4-task4-m2-file", G4, False)
    d.say(MENU).answer("4\n").ask(METHOD_Q, "2\n")
    d.say(tree_flags(G4_TREE_MIN)).ask(LOOP_Q, "1\n", "0\n")
    ds.append(d.close(orientation_report([1, 1, 1, 0, 0])))

    d = dialogue("g4-task4-m3-file", G4, False)
    d.say(MENU).answer("4\n").ask(METHOD_Q, "3\n")
    d.say(tree_flags(G4_TREE_MIN)).ask(LOOP_Q, "4\n")
    ds.append(d.close(orientation_report([0, 1, 0, 1, 1])))

    d = dialogue("c4-task4-m2-file", C4, False)
    d.say(MENU).answer("4\n").ask(METHOD_Q, "2\n")
    d.say(tree_flags(C4_TREE_MIN)).ask(LOOP_Q, "3\n")
    ds.append(d.close(orientation_report([1, 1, 1, 1])))

    # Task 5 with every forest method; the leaf cases and the general case of the cut.
    d = dialogue("g4-task5-m1-file", G4, False)
    d.say(MENU).answer("5\n").ask(METHOD_Q, "1\n")
    d.say(tree_flags(G4_TREE_1)).ask(CUT_Q, "2\n", "3\n", "1\n")
    ds.append(d.close(orientation_report([0, 1, -1, -1, 0])))

    d = dialogue("g4-task5-m1-edge0-file", G4, False)
    d.say(MENU).answer("5\n").ask(METHOD_Q, "1\n")
    d.say(tree_flags(G4_TREE_1)).ask(CUT_Q, "0\n")
    ds.append(d.close(orientation_report([1, 0, -1, 0, 0])))

    d = dialogue("g4-task5-m1-edge4-keyboard", G4, True)
    d.say(MENU).answer("5\n").ask(METHOD_Q, "1\n")
    d.say(tree_flags(G4_TREE_1)).ask(CUT_Q, "4\n")
    ds.append(d.close(orientation_report([0, 0, 0, -1, 1])))

    d = dialogue("g4-task5-m2-file", G4, False)
    d.say(MENU).answer("5\n").ask(METHOD_Q, "2\n")
    d.say(tree_flags(G4_TREE_MIN)).ask(CUT_Q, "2\n")
    ds.append(d.close(orientation_report([-1, 0, 1, 0, 0])))

    d = dialogue("g4-task5-m3-file", G4, False)
    d.say(MENU).answer("5\n").ask(METHOD_Q, "3\n")
    d.say(tree_flags(G4_TREE_MIN)).ask(CUT_Q, "1\n")
    ds.append(d.close(orientation_report([-1, 1, 0, 0, -1])))

    d = dialogue("g4-task5-m3-edge3-file", G4, False)
    d.say(MENU).answer("5\n").ask(METHOD_Q, "3\n")
    d.say(tree_flags(G4_TREE_MIN)).ask(CUT_Q, "3\n")
    ds.append(d.close(orientation_report([0, 0, 0, 1, -1])))

    d = dialogue("c4-task5-m2-general-keyboard", C4, True)
    d.say(MENU).answer("5\n").ask(METHOD_Q, "2\n")
    d.say(tree_flags(C4_TREE_MIN)).ask(CUT_Q, "3\n", "1\n")
    ds.append(d.close(orientation_report([0, 1, 0, -1])))

    d = dialogue("c4-task5-m3-file", C4, False)
    d.say(MENU).answer("5\n").ask(METHOD_Q, "3\n")
    d.say(tree_flags(C4_TREE_MIN)).ask(CUT_Q, "2\n")
    ds.append(d.close(orientation_report([0, 0, 1, -1])))

    d = dialogue("c4-task5-m2-edge0-file", C4, False)
    d.say(MENU).answer("5\n").ask(METHOD_Q, "2\n")
    d.say(tree_flags(C4_TREE_MIN)).ask(CUT_Q, "0\n")
    ds.append(d.close(orientation_report([1, 0, 0, -1])))

    return ds


def by_name(name):
    for d in all_dialogues():
        if d.name == name:
            return d
    raise KeyError(name)
