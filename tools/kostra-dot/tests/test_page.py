#!/usr/bin/env python3
"""kostra-dot's page in headless Chromium, network off. Every run of the table (every task on the
example graphs and on random small graphs, kostra and the page each in Czech or in English) is
opened at a random step (#krok=N) and then walked with the keys through every step; at each one
the page must show (data-stav of every node and edge, the subtree, key and side beside the nodes,
the orientations, the highlighted lines, the address) exactly the state this test derives from
kostra's transcript alone: a literal reading of the narration, and for the walk a literal walk of
the graph, in the page's words. Every page must load with no request but its own, no error and
no message, and declare its language; an English page of an English run shows no Czech word.
Graph files with hostile names show them and run nothing.
Exits 77 (skipped) without Chromium or Graphviz's dot.

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
import texts  # noqa: E402
from chromium import Chromium, find_binary  # noqa: E402

sys.setrecursionlimit(10000)


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


def pattern(name, language):
    """A line kostra prints in the language with the format of Texts.h that has this name."""
    text = re.escape(texts.get(name, language).rstrip("\n")).replace("%2d", r" ?(-?\d+)")
    return re.compile(text.replace("%d", r"(-?\d+)") + "$")


# The lines of kostra's transcript, in either language.
LINES = {language: {key: pattern(name, language) for key, name in (
    ("joining", "kKruskalJoining"), ("moving", "kKruskalMoving"), ("adding", "kPrimAdding"),
    ("offering", "kPrimOffering"), ("flag", "kTreeFlagLine"), ("sign", "kOrientationLine"),
    ("edge", "kEdgeLine"))} for language in texts.LANGUAGES}
WORD = re.compile(r"[A-Za-z]{2,}")
CZECH_ONLY = ({w for name in texts.names() for w in WORD.findall(texts.get(name, "cs"))} -
              {w for name in texts.names() for w in WORD.findall(texts.get(name, "en"))})


def walk_line(node, starts, claims, language):
    """The page's line of a step of the walk."""
    line = texts.get("kWalkEntry", language) % (
        node, texts.get("kWalkTreeStarts", language) if starts else "")
    if not claims:
        return line + texts.get("kWalkClaimsNothing", language)
    return line + "".join(texts.get("kWalkClaim", language) % (
        texts.get("kWalkClaims" if i == 0 else "kWalkClaimsMore", language), v, e)
        for i, (v, e) in enumerate(claims))


def literal_walk(n, edges):
    """The forest walk as its recursion reads: each tree from the unclaimed node of greatest
    degree (lowest number on ties); entering a node claims its unclaimed neighbours, then follows
    every unfollowed edge. A step per first entry, [node, starts a tree, [(node, edge) claimed]],
    each tree's up to the one that claims its last node (its start's at least)."""
    routes = [[(k, t if f == i else f) for k, (f, t, _) in enumerate(edges) if i in (f, t)]
              for i in range(n)]
    claimed, followed, entered, steps = [False] * n, [False] * len(edges), [False] * n, []

    def enter(row, tree):
        if not entered[row]:
            entered[row] = True
            tree.append([row, not tree, []])
            for e, v in routes[row]:
                if not claimed[v]:
                    claimed[v] = True
                    tree[-1][2].append((v, e))
        for e, v in routes[row]:
            if not followed[e]:
                followed[e] = True
                enter(v, tree)

    while not all(claimed):
        start = min((i for i in range(n) if not claimed[i]), key=lambda i: (-len(routes[i]), i))
        claimed[start], tree = True, []
        enter(start, tree)
        steps += tree[:1 + max([i for i, step in enumerate(tree) if step[2]], default=0)]
    return steps


def expected(n, edges, transcript, spoken, drawn):
    """The state after every step, 0 to the last, each {"nodes": [[data-stav, data-podstrom,
    data-klic, data-strana, text beside]], "edges": [[data-stav, data-orientace]], "lines": the
    highlighted lines, "novy": the node where the step starts a tree}, from the transcript, which
    kostra wrote in spoken, on a page in drawn."""
    m, lines = len(edges), transcript.split("\n")
    JOINING, MOVING, ADDING, OFFERING, FLAG, SIGN, EDGE = (LINES[spoken][key] for key in (
        "joining", "moving", "adding", "offering", "flag", "sign", "edge"))
    word = lambda name: texts.get(name, drawn)  # noqa: E731
    banner = lines.index(texts.get("kBanner", spoken).strip("\n"))
    after_menu = lines.index(texts.get("kMenu", spoken).rstrip("\n").split("\n")[-1]) + 1
    prompt = texts.get("kVerbosePrompt", spoken)
    minimum = lines[after_menu].startswith(prompt)  # task 2 or 3
    narration = [re.sub("^(%s)+" % re.escape(prompt), "", line)
                 for line in lines[after_menu:banner]] if minimum else []
    narration = [line for line in narration if line]
    flags = [int(x.group(2)) for x in map(FLAG.search, lines[:banner]) if x]
    signs = [int(x.group(2)) for x in map(SIGN.match, lines[banner:]) if x]
    forest = flags if signs else [int(x.group(2)) for x in map(EDGE.match, lines[banner:]) if x]

    def state(node_states=None, edge_states=None):
        return {"nodes": [[s, None, None, None, ""] for s in node_states or [""] * n],
                "edges": [[s, None] for s in edge_states or [""] * m], "lines": [], "novy": None}

    def result():
        """The loop or cut, or the forest alone, as the drawing shows it."""
        s = state(edge_states=["kostra" if f else "" for f in forest])
        if not signs:
            return s
        cut = texts.get("kCutPrompt", spoken) in transcript
        chosen = next(e for e in range(m) if signs[e] == 1 and forest[e] == cut)
        s["lines"] = [word("kCutCaption" if cut else "kLoopCaption") % chosen]
        for e in range(m):
            s["edges"][e][1] = str(signs[e])
        side, stack = {edges[chosen][0]: 1, edges[chosen][1]: 2}, list(edges[chosen][:2])
        while cut and stack:  # the two sides: a search of the forest without the chosen edge
            row = stack.pop()
            for k, (f, t, _) in enumerate(edges):
                v = t if f == row else f
                if forest[k] and k != chosen and row in (f, t) and v not in side:
                    side[v] = side[row]
                    stack.append(v)
        for i, label in side.items() if cut else ():
            s["nodes"][i][3:] = [str(label), word("kFromSide" if label == 1 else "kToSide")]
        return s

    walk = literal_walk(n, edges)
    by_walk = [int(any(e == k for step in walk for _, e in step[2])) for k in range(m)]
    states = [state()]
    if narration and narration[0].startswith(texts.get("kKruskalName", spoken)):
        order = sorted(range(m), key=lambda k: (edges[k][2], k))  # weight, then edge number
        label, edge_states = list(range(n)), [""] * m
        for line in narration:  # sorting, then two lines a step, then the count: the last step's
            if JOINING.match(line):
                accepted = int(JOINING.match(line).group(1))
                edge_states = ["kostra" if s == "krok" else s for s in edge_states]
                while order[0] != accepted:
                    edge_states[order.pop(0)] = "odmitnuta"
                edge_states[order.pop(0)] = "krok"
                states.append(state(edge_states=edge_states))
            elif MOVING.match(line):
                absorbed, _, into, _ = map(int, MOVING.match(line).groups())
                for i in range(n):
                    if label[i] == absorbed:
                        states[-1]["nodes"][i][0], label[i] = "krok", into
            states[-1]["lines"].append(line)
            for i in range(n):
                states[-1]["nodes"][i][1], states[-1]["nodes"][i][4] = str(label[i]), \
                    word("kSubtreeMark") + str(label[i])
    elif narration:
        key, key_edge, done = [None] * n, [-1] * n, [0] * n  # done: the step that chose the node
        for line in narration:
            if ADDING.match(line):
                a = int(ADDING.match(line).group(1))
                states.append(state())
                states[-1]["novy"], done[a] = (a if key[a] is None else None), len(states) - 1
            elif OFFERING.match(line):
                v, w, e = map(int, OFFERING.match(line).groups())
                key[v], key_edge[v] = w, e
            s, k = states[-1], len(states) - 1
            s["lines"].append(line)
            s["edges"] = [["", None] for _ in range(m)]
            for i in range(n):
                node, edge = s["nodes"][i], key_edge[i]
                node[:] = ["", None, None, None, ""]
                if done[i]:
                    node[0] = "krok" if done[i] == k else "hotovy"
                elif key[i] is not None:
                    node[:] = ["otevreny", None, str(key[i]), None, word("kKeyMark") + str(key[i])]
                if edge >= 0 and (done[i] or key[i] is not None):
                    s["edges"][edge][0] = ("klic" if not done[i] else
                                           "krok" if done[i] == k else "kostra")
    elif not minimum and (not signs or forest == by_walk):
        claimed, edge_states = [False] * n, [""] * m
        for node, starts, claims in walk:
            claimed[node] = True
            edge_states = ["kostra" if s else "" for s in edge_states]
            for v, e in claims:
                claimed[v], edge_states[e] = True, "krok"
            s = state(["hotovy" if c else "" for c in claimed], edge_states)
            s["nodes"][node][0], s["novy"] = "krok", node if starts else None
            s["lines"] = [walk_line(node, starts, claims, drawn)]
            states.append(s)
        if signs:
            states.append(result())
    else:
        states = [result()]
    return states


READ_STATE = """JSON.stringify({
    step: document.body.dataset.krok, steps: document.body.dataset.kroku, address: location.hash,
    lines: Array.from(document.querySelectorAll('#radky li.aktualni'), (li) => li.textContent),
    caption: document.getElementById('popis').textContent,
    nodes: Array.from({length: %d}, (_, i) => ['data-stav', 'data-podstrom', 'data-klic',
        'data-strana'].map((a) => document.getElementById('u' + i).getAttribute(a))
        .concat([document.querySelector('#u' + i + ' .stitek').textContent])),
    edges: Array.from({length: %d}, (_, k) => ['data-stav', 'data-orientace'].map(
        (a) => document.getElementById('h' + k).getAttribute(a)))})"""


def compare(browser, n, m, states, k, where, drawn):
    shown, want = json.loads(browser.evaluate(READ_STATE % (n, m))), states[k]
    where = f"{where}, step {k}"
    check([shown["step"], shown["steps"]] == [str(k), str(len(states) - 1)],
          f"{where}: body shows step {shown['step']} of {shown['steps']}")
    for what in ("nodes", "edges"):
        for i, (got, expect) in enumerate(zip(shown[what], want[what])):
            check(got == expect, f"{where}: {what[:-1]} {i} shows {got}, expected {expect}")
    check(shown["lines"] == want["lines"], f"{where}: lines {shown['lines']} highlighted")
    note = texts.get("kNewTree", drawn) + str(want["novy"])
    check(all(line in shown["caption"] for line in want["lines"]) and
          (want["novy"] is None) == (note not in shown["caption"]),
          f"{where}: the caption {shown['caption']!r}")
    return shown


def check_clean(browser, url, where):
    """The page loaded offline: nothing requested but itself, no error, message or dialog."""
    requests = [e["params"]["request"]["url"].split("#")[0] for e in browser.events
                if e["method"] == "Network.requestWillBeSent"]
    other = [e for e in browser.events if e["method"] not in (
        "Network.requestWillBeSent", "Network.requestWillBeSentExtraInfo",
        "Network.loadingFinished")]
    check(requests == [url.split("#")[0]] and not other,
          f"{where}: requests {requests}, events {json.dumps(other)[:400]}")
    check(browser.evaluate("document.readyState") == "complete", f"{where}: not loaded")


def wait_for_step(browser, k):
    deadline = time.monotonic() + 10
    while browser.evaluate("document.body.dataset.krok") != str(k) and time.monotonic() < deadline:
        time.sleep(0.02)


def replay(browser, where, page, n, edges, transcript, rng, play, spoken, drawn, path):
    """Opens the page at a random step, walks every step with the keys, goes back, to the end, to
    a clicked line's step, and with play (and three steps at least) plays it with the space key.
    Returns the number of steps and whether it played."""
    states = expected(n, edges, transcript, spoken, drawn)
    last, m = len(states) - 1, len(edges)
    url = page.as_uri() + "#krok=%d" % rng.randint(0, last)
    browser.open(url)
    compare(browser, n, m, states, int(url.rsplit("=", 1)[1]), where + " (opened so)", drawn)
    browser.key("Home")
    for k in range(last + 1):
        shown = compare(browser, n, m, states, k, where, drawn)
        check(shown["address"] == "#krok=%d" % k, f"{where}: address {shown['address']}")
        browser.key("ArrowRight")
    for key, k in (("ArrowRight", last), ("ArrowLeft", max(last - 1, 0)), ("End", last)):
        browser.key(key)
        compare(browser, n, m, states, k, f"{where} ({key})", drawn)
    target = rng.randint(0, last)
    if states[target]["lines"]:
        browser.evaluate("document.querySelector('#radky li[data-krok=\"%d\"] a').click()" % target)
        wait_for_step(browser, target)
        compare(browser, n, m, states, target, where + " (line clicked)", drawn)
    if play and last >= 3:
        browser.key("Home")
        browser.evaluate("document.getElementById('rychlost').value = '100'")
        browser.key(" ")
        wait_for_step(browser, last)
        compare(browser, n, m, states, last, where + " (played)", drawn)
    shown = json.loads(browser.evaluate(
        "JSON.stringify([document.documentElement.lang, document.body.innerText])"))
    check(shown[0] == drawn, f"{where}: the page declares the language {shown[0]!r}")
    if spoken == drawn == "en":
        left = set(WORD.findall(shown[1].replace(path, ""))) & CZECH_ONLY
        check(not left, f"{where}: Czech words on an English page: {sorted(left)}")
    check_clean(browser, url, where)
    return last, play and last >= 3


def run_kostra(kostra, kostra_dot, path, answers, work, spoken="cs", drawn="cs"):
    """kostra's transcript of a run in spoken and the page kostra-dot --html makes of it in
    drawn."""
    if spoken == "en":
        answers = answers.replace("\na\n", "\ny\n")  # the yes of the narration's question
    run = subprocess.run([kostra, "--lang", spoken, path], input=answers.encode(),
                         capture_output=True, timeout=30)
    page = subprocess.run([kostra_dot, "--lang", drawn, "--html", path], input=run.stdout,
                          capture_output=True, timeout=120)
    check(run.returncode == 0 and page.returncode == 0 and page.stderr == b"",
          f"{path!r}, answers {answers!r}: statuses {run.returncode} and {page.returncode}, "
          f"{page.stderr.decode(errors='replace')}")
    out = work / ("page%d.html" % len(list(work.glob("page*.html"))))
    out.write_bytes(page.stdout)
    return out, run.stdout.decode(errors="replace")


def main():
    kostra, kostra_dot, examples = sys.argv[1], sys.argv[2], pathlib.Path(sys.argv[3])
    rng = random.Random(int(sys.argv[4]) if len(sys.argv) > 4 else 20240619)
    graphs = int(sys.argv[5]) if len(sys.argv) > 5 else 8
    if find_binary() is None or shutil.which("dot") is None:
        print("Chromium or Graphviz's dot is not installed: skipped")
        return 77
    scratch = tempfile.TemporaryDirectory(prefix="kostra-page-")
    work = pathlib.Path(scratch.name)
    answers = {"1": "1\n", "2": "2\na\n", "2n": "2\nn\n", "3": "3\na\n"}
    # Each run in a pair of languages, kostra's and the page's: the examples in both of each
    # task's pairs, the random graphs in each pair in turn.
    pairs = [("cs", "cs"), ("en", "en"), ("en", "cs"), ("cs", "en")]
    jobs = [(examples / name, answers.get(task, task), *pairs[k % 2])
            for name, tasks in (
                ("ctyri-uzly.txt", ["1", "2", "2n", "3", "4\n1\n2\n", "5\n1\n1\n", "5\n3\n1\n"]),
                ("nesouvisly.txt", ["3", "2", "1", "5\n1\n3\n"]),
                ("smycky.txt", ["2", "3", "1", "4\n1\n1\n"])) for k, task in enumerate(tasks)]
    jobs += [(examples / "ctyri-uzly.txt", answers["3"], "en", "cs"),
             (examples / "ctyri-uzly.txt", answers["1"], "cs", "en")]
    for number in range(graphs):  # self-loops, parallel edges, several components, ties
        n, weights = rng.randint(1, 7), [-2147483648, 2147483647, 0, 1, 1, 2, 3, 5]
        edges = [(rng.randrange(n), rng.randrange(n), rng.choice(weights))
                 for _ in range(rng.randint(0, 10))]
        path = work / f"g{number}.txt"
        path.write_text("".join(f"{v}\n" for v in [len(edges), n, *sum(edges, ())]))
        jobs += [(path, answers[t], *pairs[(number + k) % 4]) for k, t in enumerate(("1", "2", "3"))]
        for task in (4, 5):  # a random method, and an edge that its forest lets the task take
            method = rng.choice([1, 1, 2, 3])
            listing = subprocess.run([kostra, path], input=f"{task}\n{method}\n".encode(),
                                     capture_output=True, timeout=30).stdout.decode()
            flags = [int(x.group(2)) for x in map(LINES["cs"]["flag"].search,
                                                  listing.split("\n")) if x]
            fit = [k for k, flag in enumerate(flags) if flag == (task == 5)]
            jobs += [(path, f"{task}\n{method}\n{rng.choice(fit)}\n", *pairs[(number + task) % 4])
                     ] if fit else []

    started, steps, played = time.monotonic(), 0, False
    try:
        with Chromium(find_binary()) as browser:
            for path, given, spoken, drawn in jobs:
                values = [int(v) for v in path.read_text().split()]
                edges = [tuple(values[2 + 3 * k:5 + 3 * k]) for k in range(values[0])]
                page, transcript = run_kostra(kostra, kostra_dot, str(path), given, work, spoken,
                                              drawn)
                last, now = replay(browser, f"{path.name}, answers {given!r}, {spoken}/{drawn}",
                                   page, values[1], edges, transcript, rng, not played, spoken,
                                   drawn, str(path))
                steps, played = steps + last + 1, played or now
            # Hostile names: the name shown as text, no element made of it, nothing run.
            for name in (b"<img src=x onerror=alert(1)>.txt",
                         b"x</title><script>alert(2)</script>\xff'\"&.txt"):
                path = os.path.join(os.fsencode(work), name)
                os.makedirs(os.path.dirname(path), exist_ok=True)
                pathlib.Path(os.fsdecode(path)).write_text("1\n2\n0\n1\n5\n")
                page, _ = run_kostra(kostra, kostra_dot, os.fsdecode(path), "1\n", work)
                browser.open(page.as_uri())
                check_clean(browser, page.as_uri(), f"name {name!r}")
                shown = json.loads(browser.evaluate(
                    "JSON.stringify([document.getElementById('soubor').textContent, "
                    "document.title.split(' - ').slice(1).join(' - '), "
                    "document.querySelectorAll('img, script').length, document.body.dataset.krok])"))
                shown_name = path.decode(errors="replace")
                check(shown == [shown_name, shown_name, 3, "0"], f"name {name!r}: shown {shown}")
    except (Failure, RuntimeError) as failure:
        print(f"FAIL {failure}")
        return 1
    print(f"{len(jobs)} pages, {steps} steps compared, 2 hostile names, "
          f"{time.monotonic() - started:.1f} s")
    return 0


if __name__ == "__main__":
    sys.exit(main())
