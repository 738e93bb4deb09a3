#!/usr/bin/env python3
"""kostra-dot's page in a real browser (headless Chromium, with the network off): for every run
of the table (every task, the example graphs and random small ones) the page is opened at a
chosen step, then walked with the keys through every step, and at each one the state the page
shows (data-stav of every node and edge, the subtree, key and side beside the nodes, the
orientations, the highlighted lines, the step in the address) must equal the state this test
derives from kostra's transcript by itself: a literal reading of the narration, and for the walk
its own literal walk of the graph. Every page must load completely offline: no request but the
page itself, no script error, no console message. Graph files with hostile names must show their
names and run nothing. Exits 77 (skipped) without Chromium or Graphviz's dot.

usage: test_page.py KOSTRA KOSTRA_DOT EXAMPLES_DIR [SEED [RANDOM_GRAPHS]]
"""
import json
import os
import pathlib
import random
import re
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[3] / "tests"))
sys.setrecursionlimit(10000)
import texts  # noqa: E402

from chromium import Chromium, find_binary  # noqa: E402

SKIPPED = 77


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


def pattern(name):
    """A regular expression for a line kostra prints with the format Texts.h names."""
    text = re.escape(texts.get(name).rstrip("\n"))
    text = text.replace(re.escape("%2d"), r" ?(-?\d+)").replace(re.escape("%d"), r"(-?\d+)")
    return re.compile(text + "$")


JOINING, MOVING = pattern("kKruskalJoining"), pattern("kKruskalMoving")
ADDING, OFFERING = pattern("kPrimAdding"), pattern("kPrimOffering")
TREE_FLAG, ORIENTATION = pattern("kTreeFlagLine"), pattern("kOrientationLine")
EDGE_LINE = pattern("kEdgeLine")


def read_graph(text):
    values = [int(v) for v in text.split()]
    m, n = values[0], values[1]
    return n, [tuple(values[2 + 3 * k:5 + 3 * k]) for k in range(m)]


def graph_text(n, edges):
    return "".join(f"{v}\n" for v in [len(edges), n] + [v for e in edges for v in e])


def literal_walk(n, edges):
    """The forest walk as its recursion reads: each tree from the unclaimed node of greatest
    degree (lowest number on ties); entering a node claims every unclaimed neighbour, then
    follows every unfollowed edge to the node at its other end. One step per first entry:
    [node, starts a tree, [(claimed node, edge), ...]], each tree's steps up to the one that
    claims its last node (its start's at least)."""
    routes = [[(k, t if f == i else f) for k, (f, t, _) in enumerate(edges) if i in (f, t)]
              for i in range(n)]
    claimed, followed, entered = [False] * n, [False] * len(edges), [False] * n
    steps = []

    def enter(row, tree):
        if not entered[row]:
            entered[row] = True
            step = [row, not tree, []]  # a tree's first entry is its start's
            tree.append(step)
            for e, v in routes[row]:
                if not claimed[v]:
                    claimed[v] = True
                    step[2].append((v, e))
        for e, v in routes[row]:
            if not followed[e]:
                followed[e] = True
                enter(v, tree)

    while not all(claimed):
        start = min((i for i in range(n) if not claimed[i]), key=lambda i: (-len(routes[i]), i))
        claimed[start] = True
        tree = []
        enter(start, tree)
        last = max([i for i, step in enumerate(tree) if step[2]], default=0)
        steps += tree[:last + 1]
    return steps


def cut_sides(n, edges, forest, chosen):
    """node -> 1 (the chosen edge's from side) or 2 (its to side), by a search of the forest."""
    side = {}
    for start, label in ((edges[chosen][0], 1), (edges[chosen][1], 2)):
        side[start] = label
        stack = [start]
        while stack:
            row = stack.pop()
            for k, (f, t, _) in enumerate(edges):
                if forest[k] and k != chosen and row in (f, t):
                    v = t if f == row else f
                    if v not in side:
                        side[v] = label
                        stack.append(v)
    return side


def new_state(n, m):
    """Nothing shown yet. A node: data-stav, data-podstrom, data-klic, data-strana, the text
    beside it; an edge: data-stav, data-orientace; novy: the node where the step starts a tree."""
    return {"nodes": [["", None, None, None, ""] for _ in range(n)],
            "edges": [["", None] for _ in range(m)], "novy": None}


def expected(n, edges, transcript):
    """The state after every step (0 .. last) and the lines each step highlights, read from the
    transcript alone."""
    m = len(edges)
    lines = transcript.split("\n")
    banner = lines.index(">>VYSTUP<<")
    after_menu = lines.index(texts.get("kMenu").rstrip("\n").split("\n")[-1]) + 1
    verbose = texts.get("kVerbosePrompt")
    minimum = lines[after_menu].startswith(verbose)  # task 2 or 3
    narration = []
    if minimum:
        first = lines[after_menu]
        while first.startswith(verbose):
            first = first[len(verbose):]
        narration = [line for line in [first] + lines[after_menu + 1:banner] if line]
    flags = [int(x.group(2)) for x in map(TREE_FLAG.search, lines[:banner]) if x]
    orientation = [int(x.group(2)) for x in map(ORIENTATION.match, lines[banner:]) if x]
    table = [int(x.group(2)) for x in map(EDGE_LINE.match, lines[banner:]) if x]
    forest = flags if orientation else table
    cut = bool(orientation) and texts.get("kCutPrompt") in transcript
    walk = literal_walk(n, edges)
    by_walk = [0] * m
    for _, _, claims in walk:
        for _, e in claims:
            by_walk[e] = 1

    states, step_lines = [new_state(n, m)], [[]]

    def result():
        """The loop or cut, or the forest alone, as the drawing shows it."""
        state = new_state(n, m)
        for e in range(m):
            state["edges"][e][0] = "kostra" if forest[e] else ""
            if orientation:
                state["edges"][e][1] = str(orientation[e])
        if not orientation:
            return state, []
        chosen = next(e for e in range(m) if orientation[e] == 1 and bool(forest[e]) == cut)
        if cut:
            for i, label in cut_sides(n, edges, forest, chosen).items():
                state["nodes"][i][3] = str(label)
                state["nodes"][i][4] = "od" if label == 1 else "do"
        return state, [("nezavisly rez hrany %d" if cut else "nezavisla smycka hrany %d") % chosen]

    if narration and narration[0].startswith(texts.get("kKruskalName")):
        order = sorted(range(m), key=lambda k: (edges[k][2], k))
        label = list(range(n))
        edge_state = [""] * m
        for i in range(n):
            states[0]["nodes"][i][1:] = [str(i), None, None, "p=%d" % i]
        step_lines[0].append(narration[0])  # sorting
        for line in narration[1:]:
            if JOINING.match(line):
                accepted = int(JOINING.match(line).group(1))
                step_lines.append([line])
                continue
            step_lines[-1].append(line)
            if not MOVING.match(line):
                continue  # the count line, the last step's
            absorbed, _, into, _ = map(int, MOVING.match(line).groups())
            moved = [i for i in range(n) if label[i] == absorbed]
            for i in moved:
                label[i] = into
            edge_state = ["kostra" if s == "krok" else s for s in edge_state]
            while order[0] != accepted:
                edge_state[order.pop(0)] = "odmitnuta"
            edge_state[order.pop(0)] = "krok"
            state = new_state(n, m)
            for i in range(n):
                state["nodes"][i] = ["krok" if i in moved else "", str(label[i]), None, None,
                                     "p=%d" % label[i]]
            for e in range(m):
                state["edges"][e][0] = edge_state[e]
            states.append(state)
    elif narration:
        key, key_edge, done = [None] * n, [-1] * n, [0] * n  # done: the step that chose the node
        for line in narration:
            if ADDING.match(line):
                a = int(ADDING.match(line).group(1))
                states.append(new_state(n, m))
                states[-1]["novy"] = a if key[a] is None else None
                done[a] = len(states) - 1
                step_lines.append([line])
            else:
                step_lines[-1].append(line)
                if OFFERING.match(line):
                    v, w, e = map(int, OFFERING.match(line).groups())
                    key[v], key_edge[v] = w, e
            k = len(states) - 1
            state = states[k] = dict(new_state(n, m), novy=states[k]["novy"])
            for i in range(n):
                if done[i]:
                    state["nodes"][i][0] = "krok" if done[i] == k else "hotovy"
                    if key_edge[i] >= 0:
                        state["edges"][key_edge[i]][0] = "krok" if done[i] == k else "kostra"
                elif key[i] is not None:
                    state["nodes"][i] = ["otevreny", None, str(key[i]), None, "k=%d" % key[i]]
                    state["edges"][key_edge[i]][0] = "klic"
    elif not minimum and (not orientation or forest == by_walk):
        claimed = [False] * n
        edge_state = [""] * m
        for node, starts, claims in walk:
            state = new_state(n, m)
            claimed[node] = True
            edge_state = ["kostra" if s else "" for s in edge_state]
            for v, e in claims:
                claimed[v] = True
                edge_state[e] = "krok"
            for i in range(n):
                state["nodes"][i][0] = "hotovy" if claimed[i] else ""
            state["nodes"][node][0] = "krok"
            for e in range(m):
                state["edges"][e][0] = edge_state[e]
            state["novy"] = node if starts else None
            states.append(state)
            text = "vstup do uzlu %d%s: " % (node, " (zacatek stromu)" if starts else "")
            text += ("zabira " + ", ".join("uzel %d pres hranu %d" % c for c in claims)
                     if claims else "nic nezabira")
            step_lines.append([text])
        if orientation:
            state, said = result()
            states.append(state)
            step_lines.append(said)
    else:
        states[0], step_lines[0] = result()
    return states, step_lines


READ_STATE = """(() => {
    const attributes = (id, names) => {
        const element = document.getElementById(id);
        return element ? names.map((name) => element.getAttribute(name)) : null;
    };
    const nodes = [], edges = [];
    for (let i = 0; i < %d; i++) {
        const values = attributes('u' + i, ['data-stav', 'data-podstrom', 'data-klic',
                                             'data-strana']);
        const label = document.querySelector('#u' + i + ' .stitek');
        nodes.push(values && values.concat([label ? label.textContent : null]));
    }
    for (let k = 0; k < %d; k++) edges.push(attributes('h' + k, ['data-stav', 'data-orientace']));
    return JSON.stringify({
        step: document.body.getAttribute('data-krok'),
        steps: document.body.getAttribute('data-kroku'),
        address: location.hash,
        lines: Array.from(document.querySelectorAll('#radky li.aktualni'), (li) => li.textContent),
        caption: document.getElementById('popis').textContent,
        nodes, edges});
})()"""


def compare(browser, n, m, states, step_lines, k, context):
    shown = json.loads(browser.evaluate(READ_STATE % (n, m)))
    where = f"{context}, step {k}"
    check(shown["step"] == str(k), f"{where}: body data-krok={shown['step']}")
    check(shown["steps"] == str(len(states) - 1), f"{where}: data-kroku={shown['steps']}, "
          f"expected {len(states) - 1}")
    for i in range(n):
        check(shown["nodes"][i] == states[k]["nodes"][i],
              f"{where}: node {i} shows {shown['nodes'][i]}, expected {states[k]['nodes'][i]}")
    for e in range(m):
        check(shown["edges"][e] == states[k]["edges"][e],
              f"{where}: edge {e} shows {shown['edges'][e]}, expected {states[k]['edges'][e]}")
    check(shown["lines"] == step_lines[k],
          f"{where}: highlighted lines {shown['lines']}, expected {step_lines[k]}")
    new_tree = states[k].get("novy")
    said = "novy strom zacina v uzlu %d" % new_tree if new_tree is not None else None
    check((said is not None and shown["caption"].endswith(said)) or
          (said is None and "novy strom" not in shown["caption"]),
          f"{where}: the caption {shown['caption']!r} for a step that "
          f"{'starts a tree at node %d' % new_tree if said else 'starts no tree'}")
    check(all(line in shown["caption"] for line in step_lines[k]),
          f"{where}: the caption {shown['caption']!r} lacks the step's lines")
    return shown


def check_clean(browser, url, context):
    """The page loaded completely, offline: nothing requested but itself, no error, no message,
    no dialog."""
    page = url.split("#")[0]
    requests = []
    for event in browser.events:
        method, params = event["method"], event.get("params", {})
        if method == "Network.requestWillBeSent":
            requests.append(params["request"]["url"].split("#")[0])
        else:
            check(method in ("Network.loadingFinished", "Network.requestWillBeSentExtraInfo",
                             "Network.requestServedFromCache"),
                  f"{context}: {method} {json.dumps(params)[:300]}")
    check(requests == [page], f"{context}: requests {requests}, expected the page alone")
    check(browser.evaluate("document.readyState") == "complete", f"{context}: not loaded")


def replay(browser, run, rng, play):
    """Opens the run's page at a random step, then walks it with the keys, comparing every step;
    clicks a line; and, with play and at least three steps, plays it from the start with the
    space key. Returns the number of steps and whether it played."""
    name, page, n, edges, transcript = run
    m = len(edges)
    states, step_lines = expected(n, edges, transcript)
    last = len(states) - 1
    start = rng.randint(0, last)
    url = page.as_uri() + f"#krok={start}"
    browser.open(url)
    check_clean(browser, url, name)
    compare(browser, n, m, states, step_lines, start, name + " (opened at #krok)")
    browser.key("Home")
    for k in range(last + 1):
        shown = compare(browser, n, m, states, step_lines, k, name)
        check(shown["address"] == "#krok=%d" % k,
              f"{name}, step {k}: the address ends with {shown['address']}")
        browser.key("ArrowRight")
    compare(browser, n, m, states, step_lines, last, name + " (after the last step)")
    browser.key("ArrowLeft")
    compare(browser, n, m, states, step_lines, max(last - 1, 0), name + " (back)")
    browser.key("End")
    compare(browser, n, m, states, step_lines, last, name + " (End)")
    target = rng.randint(0, last)
    if step_lines[target]:
        browser.evaluate(
            "document.querySelector('#radky li[data-krok=\"%d\"] a').click()" % target)
        deadline = time.monotonic() + 5
        while browser.evaluate("document.body.dataset.krok") != str(target) and \
                time.monotonic() < deadline:
            time.sleep(0.02)
        compare(browser, n, m, states, step_lines, target, name + " (a line clicked)")
    play = play and last >= 3
    if play:
        browser.key("Home")
        browser.evaluate("document.getElementById('rychlost').value = '100'")
        browser.key(" ")
        deadline = time.monotonic() + 10
        while browser.evaluate("document.body.dataset.krok") != str(last) and \
                time.monotonic() < deadline:
            time.sleep(0.05)
        check(browser.evaluate("document.getElementById('prehrat').textContent") == "prehrat",
              f"{name}: play did not end at the last step")
        compare(browser, n, m, states, step_lines, last, name + " (played)")
    check_clean(browser, url, name)
    return last, play


def random_graph(rng):
    n = rng.randint(1, 7)
    weights = [rng.choice([-2147483648, 2147483647])] if rng.random() < 0.2 else []
    edges = []
    for _ in range(rng.randint(0, 10)):
        w = rng.choice(weights) if weights and rng.random() < 0.3 else rng.randint(-3, 9)
        edges.append((rng.randrange(n), rng.randrange(n), w))
    return n, edges


TASK_ANSWERS = {1: "1\n", "2a": "2\na\n", "2n": "2\nn\n", "3a": "3\na\n", "3n": "3\nn\n"}


def answers_for(kostra, path, task, rng, m):
    """Answers of a task; for a loop or cut, a random method and an edge it accepts, picked from
    the forest kostra lists. None when the forest leaves no edge to pick."""
    if task in TASK_ANSWERS:
        return TASK_ANSWERS[task]
    method = rng.choice([1, 1, 2, 3])
    listing = subprocess.run([kostra, str(path)], input=f"{task}\n{method}\n".encode(),
                             capture_output=True, timeout=30).stdout.decode()
    flags = [int(x.group(2)) for x in map(TREE_FLAG.search, listing.split("\n")) if x]
    candidates = [k for k in range(m) if flags[k] == (task == 5)]
    if not candidates:
        return None
    return f"{task}\n{method}\n{rng.choice(candidates)}\n"


def make_page(kostra, kostra_dot, path, answers, work):
    run = subprocess.run([kostra, str(path)], input=answers.encode(), capture_output=True,
                         timeout=30)
    check(run.returncode == 0, f"{path}, answers {answers!r}: kostra ended with {run.returncode}")
    page = subprocess.run([kostra_dot, "--html", str(path)], input=run.stdout, capture_output=True,
                          timeout=120)
    check(page.returncode == 0 and page.stderr == b"",
          f"{path}, answers {answers!r}: kostra-dot --html ended with {page.returncode}: "
          f"{page.stderr.decode(errors='replace')}")
    out = work / ("page%d.html" % len(list(work.glob("page*.html"))))
    out.write_bytes(page.stdout)
    return out, run.stdout.decode(errors="replace")


def hostile(browser, kostra, kostra_dot, work, raw_name):
    """A graph file whose name is markup: the page shows the name as text and runs nothing."""
    path = os.path.join(os.fsencode(work), raw_name)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w") as f:
        f.write("1\n2\n0\n1\n5\n")
    page, _ = make_page(kostra, kostra_dot, os.fsdecode(path), "1\n", work)
    browser.open(page.as_uri())
    check_clean(browser, page.as_uri(), f"name {raw_name!r}")
    shown = json.loads(browser.evaluate(
        "JSON.stringify([document.getElementById('soubor').textContent, document.title,"
        " document.querySelectorAll('img').length, document.querySelectorAll('script').length,"
        " document.body.dataset.krok])"))
    name = path.decode("utf-8", errors="replace")
    check(shown[0] == name, f"name {raw_name!r} shown as {shown[0]!r}")
    check(shown[1].endswith(" - " + name), f"name {raw_name!r}: title {shown[1]!r}")
    check(shown[2:] == [0, 2, "0"], f"name {raw_name!r}: elements or script state {shown[2:]}")


def main():
    kostra, kostra_dot, examples = sys.argv[1], sys.argv[2], pathlib.Path(sys.argv[3])
    rng = random.Random(int(sys.argv[4]) if len(sys.argv) > 4 else 20240619)
    graphs = int(sys.argv[5]) if len(sys.argv) > 5 else 8
    binary = find_binary()
    if binary is None or shutil.which("dot") is None:
        print("Chromium or Graphviz's dot is not installed: skipped")
        return SKIPPED
    scratch = tempfile.TemporaryDirectory(prefix="kostra-page-")
    work = pathlib.Path(scratch.name)

    # The runs: every task on the example graphs, then random small graphs.
    jobs = []
    for example, tasks in (("ctyri-uzly.txt", [1, "2a", "2n", "3a", (4, "4\n1\n2\n"),
                                               (5, "5\n1\n1\n"), (5, "5\n3\n1\n")]),
                           ("nesouvisly.txt", ["3a", "2a", 1, (5, "5\n1\n3\n")]),
                           ("smycky.txt", ["2a", "3a", 1, (4, "4\n1\n1\n")])):
        path = examples / example
        for task in tasks:
            jobs.append((path, task[1] if isinstance(task, tuple) else TASK_ANSWERS[task]))
    for number in range(graphs):
        n, edges = random_graph(rng)
        path = work / f"g{number}.txt"
        path.write_text(graph_text(n, edges))
        for task in (1, "2a", "3a", 4, 5):
            answers = answers_for(kostra, path, task, rng, len(edges))
            if answers:
                jobs.append((path, answers))

    started = time.monotonic()
    steps = 0
    try:
        with Chromium(binary) as browser:
            played = False
            for path, answers in jobs:
                n, edges = read_graph(path.read_text())
                page, transcript = make_page(kostra, kostra_dot, path, answers, work)
                run = (f"{path.name}, answers {answers!r}", page, n, edges, transcript)
                last, now = replay(browser, run, rng, play=not played)
                played = played or now
                steps += last + 1
            for raw in (b"<img src=x onerror=alert(1)>.txt",
                        b"x</title><script>alert(2)</script>\xff'\"&.txt"):
                hostile(browser, kostra, kostra_dot, work, raw)
    except (Failure, RuntimeError) as failure:
        print(f"FAIL {failure}")
        return 1
    print(f"{len(jobs)} pages, {steps} steps compared, 2 hostile names, "
          f"{time.monotonic() - started:.1f} s")
    return 0


if __name__ == "__main__":
    sys.exit(main())
