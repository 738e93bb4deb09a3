"""A slow, literal model of one kostra run, for comparing whole runs on small random inputs.

It follows the program's documented rules step by step, in the plainest form: reads of at most
255 characters with "%d"-style parsing, every refused value read again, the end of the graph
file met by any read, the end of standard input at any question; the recursive forest walk with
its re-entries, the edge-order forest with equal weights in edge order and its relabelling, the
tree-growing forest by linear scans, the loop by a search over tree edges, the cut by its leaf
cases and the two floods. It shares no code with the program. Graphs must stay small (the walks
recurse).
"""

import sys

import transcripts as T

sys.setrecursionlimit(10000)

READ_MAX = 255
BLANKS = b" \t\n\v\f\r"


class Reader:
    def __init__(self, data):
        self.data = data
        self.pos = 0
        self.eof = False  # a read has run into the end of the data

    def read(self):
        """One read: up to and including a line break, at most 255 characters; None when
        nothing is left."""
        if self.pos >= len(self.data):
            self.eof = True
            return None
        end = self.data.find(b"\n", self.pos, self.pos + READ_MAX)
        if end >= 0:
            chunk = self.data[self.pos:end + 1]
        else:
            chunk = self.data[self.pos:self.pos + READ_MAX]
            if len(chunk) < READ_MAX:
                self.eof = True
        self.pos += len(chunk)
        return chunk


def parse(chunk):
    """The number at the start of a read, or None (no digits, or outside 32 bits)."""
    i = 0
    while i < len(chunk) and chunk[i] in BLANKS:
        i += 1
    j = i
    if j < len(chunk) and chunk[j] in b"+-":
        j += 1
    k = j
    while k < len(chunk) and 48 <= chunk[k] <= 57:
        k += 1
    if k == j:
        return None
    v = int(chunk[j:k])
    if chunk[i:i + 1] == b"-":
        v = -v
    return v if -2 ** 31 <= v <= 2 ** 31 - 1 else None


class Ended(Exception):
    pass


class Run:
    def __init__(self, graph_bytes, stdin_bytes, path):
        self.file = None if graph_bytes is None else Reader(graph_bytes)
        self.stdin = Reader(stdin_bytes)
        self.path = path
        self.out = []

    def say(self, text):
        self.out.append(text)

    def ask(self, prompt, accept, from_file=False):
        src = self.file if from_file else self.stdin
        while True:
            if not from_file:
                self.say(prompt)
            chunk = src.read()
            if chunk is None or (from_file and src.eof):
                raise Ended()
            v = parse(chunk)
            if v is not None and accept(v):
                return v


def between(a, b, c):
    return (a <= b <= c) or (a >= b >= c)


class Graph:
    def __init__(self, n, edges):
        self.n = n
        self.frm = [e[0] for e in edges]
        self.to = [e[1] for e in edges]
        self.w = [e[2] for e in edges]
        self.m = len(edges)
        self.routes = [[] for _ in range(n)]
        for i in range(n):
            for k in range(self.m):
                if self.frm[k] == i:
                    self.routes[i].append((k, self.to[k]))
                elif self.to[k] == i:
                    self.routes[i].append((k, self.frm[k]))
        self.in_tree = [0] * self.m
        self.etag = [0] * self.m
        self.vtag = [0] * n
        self.bones = [0] * n

    def degree(self, v):
        return len(self.routes[v])

    def count_bones(self):
        for i in range(self.n):
            self.bones[i] = sum(self.in_tree[e] for e, _ in self.routes[i])

    def skeleton(self):
        self.vtag = [0] * self.n
        self.etag = [0] * self.m
        self.in_tree = [0] * self.m

        def walk(row):
            for e, v in self.routes[row]:
                if self.vtag[v] == 0:
                    self.vtag[v] = 1
                    self.in_tree[e] = 1
            for e, v in self.routes[row]:
                if self.etag[e] == 0:
                    self.etag[e] = 1
                    walk(v)

        while True:
            c = -1
            for i in range(self.n):
                if self.vtag[i] == 0 and (c < 0 or self.degree(i) > self.degree(c)):
                    c = i
            if c < 0:
                return
            self.vtag[c] = 1
            walk(c)

    def boruvka_kruskal(self, say):
        order = sorted(range(self.m), key=lambda k: (self.w[k], k))
        if say:
            say(T.bk_sort())
        label = list(range(self.n))
        self.in_tree = [0] * self.m
        for e in order:
            f, t = self.frm[e], self.to[e]
            if label[f] == label[t]:
                continue
            if say:
                say(T.bk_union(e, self.w[e], label[t], t, label[f], f))
            self.in_tree[e] = 1
            a = label[t]
            for i in range(self.n):
                if label[i] == a:
                    label[i] = label[f]
        if say:
            say(T.bk_count(len(set(label))))

    def jarnik_prim(self, say):
        key = [None] * self.n  # None: not reached
        done = [False] * self.n
        parent = [-1] * self.n
        self.in_tree = [0] * self.m
        components = 0
        s = 0
        key[s] = 0
        while True:
            a = -1
            for i in range(self.n):
                if not done[i] and key[i] is not None and (a < 0 or key[i] < key[a]):
                    a = i
            if a < 0:
                components += 1
                rest = [i for i in range(self.n) if key[i] is None]
                if not rest:
                    break
                key[rest[0]] = 0
                continue
            if say:
                say(T.jp_pick(a))
            for e, v in self.routes[a]:
                if v == a or done[v]:
                    continue
                if key[v] is None or self.w[e] < key[v]:
                    key[v] = self.w[e]
                    parent[v] = e
                    if say:
                        say(T.jp_key(v, self.w[e], e))
            done[a] = True
        for v in range(self.n):
            if parent[v] >= 0:
                self.in_tree[parent[v]] = 1
        if say:
            say(T.jp_count(components))

    def loop(self, e):
        self.etag = [0] * self.m
        self.vtag = [0] * self.n

        def search(row, target):
            if row == target:
                return True
            for d, v in self.routes[row]:
                if not self.in_tree[d] or self.vtag[v]:
                    continue
                self.vtag[v] = 1
                if search(v, target):
                    self.etag[d] = 1 if self.frm[d] == row else -1
                    return True
            return False

        f, t = self.frm[e], self.to[e]
        self.vtag[t] = 1
        if search(t, f):
            self.etag[e] = 1

    def cut(self, e):
        f, t = self.frm[e], self.to[e]
        if self.bones[f] == 1:
            self.etag = [0] * self.m
            for d, v in self.routes[f]:
                if v != f:
                    self.etag[d] = 1 if self.frm[d] == f else -1
        elif self.bones[t] == 1:
            self.etag = [0] * self.m
            for d, v in self.routes[t]:
                if v != t:
                    self.etag[d] = 1 if self.to[d] == t else -1
        else:
            lab = [0] * self.n
            self.etag = [0] * self.m

            def flood(row, label):
                for d, v in self.routes[row]:
                    if self.in_tree[d] and lab[v] != label:
                        lab[v] = label
                        flood(v, label)

            lab[t] = 1
            flood(f, 1)
            lab[f] = 2
            flood(t, 2)
            lab[f] = 1
            for d in range(self.m):
                a, b = lab[self.frm[d]], lab[self.to[d]]
                if a + b == 3:
                    self.etag[d] = 1 if a == 1 else -1


def run(graph_bytes, stdin_bytes, path=None):
    """The expected (standard output, exit status) of kostra [path] with the graph file's bytes
    (None: the graph is typed) and the bytes on standard input."""
    r = Run(graph_bytes, stdin_bytes, path)
    keyboard = graph_bytes is None
    if not keyboard:
        r.say(T.opening(path))
    try:
        m = r.ask(T.texts.get("kEdgeCountPrompt"), lambda v: v >= 0, not keyboard)
        n = r.ask(T.texts.get("kNodeCountPrompt"), lambda v: v >= 1, not keyboard)
        edges = []
        for i in range(m):
            f = r.ask(T.texts.get("kFromPrompt") % i, lambda v: between(0, v, n - 1), not keyboard)
            t = r.ask(T.texts.get("kToPrompt") % i, lambda v: between(0, v, n - 1), not keyboard)
            w = r.ask(T.texts.get("kWeightPrompt") % i, lambda v: True, not keyboard)
            edges.append((f, t, w))
    except Ended:
        if keyboard:
            return "".join(r.out) + T.INPUT_ENDED, 3
        return "".join(r.out) + T.INCONSISTENT, 1
    if not keyboard:
        r.say(T.OK)
    try:
        r.say(T.MENU)
        choice = r.ask("", lambda v: between(1, v, 5))
        g = Graph(n, edges)
        if choice == 1:
            g.skeleton()
            g.count_bones()
        elif choice <= 3:
            while True:
                r.say(T.VERBOSE_Q)
                chunk = r.stdin.read()
                if chunk is None:
                    raise Ended()
                if chunk[:1] in (b"a", b"n"):
                    break
            say = r.say if chunk[:1] == b"a" else None
            if choice == 2:
                g.boruvka_kruskal(say)
            else:
                g.jarnik_prim(say)
            g.count_bones()
        else:
            method = r.ask(T.METHOD_Q, lambda v: between(1, v, 3))
            if method == 1:
                g.skeleton()
            elif method == 2:
                g.boruvka_kruskal(None)
            else:
                g.jarnik_prim(None)
            g.count_bones()
            r.say(T.tree_flags(g.in_tree))
            want = 0 if choice == 4 else 1
            e = r.ask(T.LOOP_Q if choice == 4 else T.CUT_Q,
                      lambda v: 0 <= v < g.m and g.in_tree[v] == want)
            if choice == 4:
                g.loop(e)
            else:
                g.cut(e)
    except Ended:
        return "".join(r.out) + T.INPUT_ENDED, 3
    r.say(T.BANNER)
    if choice >= 4:
        r.say("".join(T.texts.get("kOrientationLine") % (i, g.etag[i]) for i in range(g.m)))
    else:
        for i in range(g.m):
            r.say(T.texts.get("kEdgeLine") % (i, g.in_tree[i], g.w[i]))
        for i in range(n):
            r.say(T.texts.get("kNodeLine") % (i, g.bones[i], g.degree(i)))
    return "".join(r.out), 0
