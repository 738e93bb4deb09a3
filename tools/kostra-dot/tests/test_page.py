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
import struct
import tempfile
import time
import zlib

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


def literal_kruskal(n, edges):
    """The edge order as it reads: the edges by weight, then number; each edge taken joins two
    subtrees (the to node's, absorbed, takes the from node's label) or is refused (both ends in one
    subtree), until one tree holds every node; the rest are not taken. The events in order."""
    order = sorted(range(len(edges)), key=lambda k: (edges[k][2], k))
    label, events, joined = list(range(n)), [], 0
    for at, k in enumerate(order):
        if joined == n - 1:
            return events + [("notTaken", e) for e in order[at:]]
        f, t, _ = edges[k]
        if label[f] == label[t]:
            events.append(("refused", k, label[f]))
            continue
        gone, kept = label[t], label[f]
        events.append(("accepted", k, gone, kept))
        label = [kept if x == gone else x for x in label]
        joined += 1
    return events


def literal_prim(n, edges):
    """The growing trees as they read: a tree starts at the lowest node no tree reached, with
    key 0; the open node of smallest key (lowest number on ties) is chosen, and every edge of it
    to a node not chosen that is lighter than that node's key (routes in edge number) sets the
    key. The events: ("start", s) and ("chosen", a, key, edge, [(v, key before, edge before,
    key, edge)])."""
    key, edge, done, events = [None] * n, [-1] * n, [False] * n, []
    for s in range(n):
        if key[s] is not None:
            continue
        key[s] = 0
        events.append(("start", s))
        while any(key[v] is not None and not done[v] for v in range(n)):
            a = min((v for v in range(n) if key[v] is not None and not done[v]),
                    key=lambda v: (key[v], v))
            done[a], lowered = True, []
            for k, (f, t, w) in enumerate(edges):
                v = t if f == a else f
                if a not in (f, t) or v == a or done[v] or (key[v] is not None and w >= key[v]):
                    continue
                lowered.append((v, key[v], edge[v], w, k))
                key[v], edge[v] = w, k
            events.append(("chosen", a, key[a], edge[a], lowered))
    return events


def forest_of(method, n, edges):
    """The forest a method marks, an entry an edge."""
    m = len(edges)
    if method == 1:
        return [int(any(e == k for step in literal_walk(n, edges) for _, e in step[2]))
                for k in range(m)]
    if method == 2:
        return [int(any(ev[0] == "accepted" and ev[1] == k for ev in literal_kruskal(n, edges)))
                for k in range(m)]
    return [int(any(ev[0] == "chosen" and ev[3] == k for ev in literal_prim(n, edges)))
            for k in range(m)]


def literal_loop(edges, forest, c):
    """The loop of non-tree edge c: c, then the tree path from its to node back to its from node,
    each edge +1 along its direction. [(edge, orientation)] in the loop's order."""
    start, goal, came = edges[c][1], edges[c][0], {edges[c][1]: None}
    stack = [start]
    while stack:
        x = stack.pop()
        for k, (f, t, _) in enumerate(edges):
            if forest[k] and x in (f, t) and (t if f == x else f) not in came:
                came[t if f == x else f] = (k, x)
                stack.append(t if f == x else f)
    path, y = [], goal
    while y != start:
        k, x = came[y]
        path.append((k, 1 if edges[k][0] == x else -1))
        y = x
    return [(c, 1)] + path[::-1]


def literal_cut(n, edges, forest, c):
    """The cut of tree edge c: the leaf whose side it is alone (or None), every node's side (1 the
    from side, 2 the to side, 0 other trees) and the cut's edges in ascending number."""
    side = [0] * n
    for node, label in ((edges[c][0], 1), (edges[c][1], 2)):
        side[node], stack = label, [node]
        while stack:
            x = stack.pop()
            for k, (f, t, _) in enumerate(edges):
                y = t if f == x else f
                if forest[k] and k != c and x in (f, t) and side[y] == 0:
                    side[y] = label
                    stack.append(y)
    bones = [sum(forest[k] for k, (f, t, _) in enumerate(edges) if i in (f, t)) for i in range(n)]
    leaf = next((x for x in edges[c][:2] if bones[x] == 1), None)
    cut = [(k, 1 if side[f] == 1 else -1) for k, (f, t, _) in enumerate(edges)
           if side[f] + side[t] == 3]
    return leaf, side, cut


def expected(n, edges, transcript, spoken, drawn):
    """The documented state after every step, 0 to the last, from kostra's transcript in spoken
    and a literal run of the methods, on a page in drawn: "nodes" [[data-stav, data-podstrom,
    data-klic, data-strana, the mark beside]], "edges" [[data-stav, data-orientace]], "vaha",
    "fronta" [[data-hrana, data-stav]], "klice" [[data-uzel, data-klic, data-hrana,
    data-predtim]], "kod" (the current line of the pseudo-code), "lines" (highlighted), and
    "focus" (the ids the step shows). Also the method replayed and the chosen edge."""
    m, lines = len(edges), transcript.split("\n")
    word = lambda name: texts.get(name, drawn)  # noqa: E731
    banner = lines.index(texts.get("kBanner", spoken).strip("\n"))
    after_menu = lines.index(texts.get("kMenu", spoken).rstrip("\n").split("\n")[-1]) + 1
    prompt = texts.get("kVerbosePrompt", spoken)
    minimum = lines[after_menu].startswith(prompt)  # task 2 or 3
    narration = [re.sub("^(%s)+" % re.escape(prompt), "", line)
                 for line in lines[after_menu:banner]] if minimum else []
    narration = [line for line in narration if line]
    flags = [int(x.group(2)) for x in map(LINES[spoken]["flag"].search, lines[:banner]) if x]
    signs = [int(x.group(2)) for x in map(LINES[spoken]["sign"].match, lines[banner:]) if x]
    forest = flags if signs else [int(x.group(2)) for x in map(LINES[spoken]["edge"].match,
                                                                lines[banner:]) if x]
    cut = texts.get("kCutPrompt", spoken) in transcript
    chosen = next((e for e in range(m) if signs and signs[e] == 1 and forest[e] == cut), -1)
    if narration:
        method = 2 if narration[0].startswith(texts.get("kKruskalName", spoken)) else 3
    else:
        method = next(k for k in ((1,) if not minimum and not signs else
                                  (2, 3) if minimum else (1, 2, 3))
                      if forest_of(k, n, edges) == forest)
    said = iter(narration)
    node_stav, edge_stav, queue_stav = [""] * n, [""] * m, {}
    label, key, key_edge, opened = list(range(n)), [None] * n, [-1] * n, [False] * n
    side, orient, weight, states = [0] * n, [None] * m, 0, []

    def snapshot(code, shown, focus, keys=(), phase="forest"):
        nodes = []
        for i in range(n):
            node = [node_stav[i], None, None, str(side[i]) if side[i] else None, ""]
            if phase == "forest" and method == 2:
                node[1], node[4] = str(label[i]), word("kSubtreeMark") + str(label[i])
            if phase == "forest" and method == 3 and opened[i]:
                node[2], node[4] = str(key[i]), word("kKeyMark") + str(key[i])
            if side[i]:
                node[4] = word("kFromSide" if side[i] == 1 else "kToSide")
            nodes.append(node)
        states.append({
            "nodes": nodes, "edges": [[edge_stav[e], None if orient[e] is None else str(orient[e])]
                                      for e in range(m)],
            "vaha": str(weight), "kod": word(code), "lines": shown, "focus": focus,
            "fronta": [[str(e), s] for e, s in queue_stav.items()],
            "klice": sorted(([str(v), str(key[v]), str(key_edge[v]) if key_edge[v] >= 0 else "",
                              dict(keys).get(v)] for v in range(n) if opened[v] and
                             phase == "forest"), key=lambda r: (int(r[1]), int(r[0])))})

    def settle(pairs):  # the states after a step: what it marked "krok" becomes this
        for array, index, value in pairs:
            array[index] = value

    after = []
    if method == 1:
        snapshot("kCodeWalk1", [], [])
        for node, starts, claims in literal_walk(n, edges):
            settle(after)
            node_stav[node], after = "krok", [(node_stav, node, "hotovy")]
            for v, e in claims:
                node_stav[v] = "hotovy" if node_stav[v] == "" else node_stav[v]
                edge_stav[e], weight = "krok", weight + edges[e][2]
                after.append((edge_stav, e, "kostra"))
            snapshot("kCodeWalk2" if starts else "kCodeWalk3",
                     [walk_line(node, starts, claims, drawn)],
                     ["u%d" % node] + ["h%d" % e for _, e in claims])
    elif method == 2:
        events = literal_kruskal(n, edges)
        queue_stav = {ev[1]: "" for ev in events}
        snapshot("kCodeKruskal1", [next(said)] if narration else [], [])
        last = max([i for i, ev in enumerate(events) if ev[0] == "accepted"], default=-1)
        for ev in events[:last + 1]:
            settle(after)
            edge_stav[ev[1]] = queue_stav[ev[1]] = "krok"
            if ev[0] == "refused":
                after = [(edge_stav, ev[1], "odmitnuta"), (queue_stav, ev[1], "odmitnuta")]
                snapshot("kCodeKruskal4", [], ["h%d" % ev[1]])
                continue
            after = [(edge_stav, ev[1], "kostra"), (queue_stav, ev[1], "kostra")]
            for i in range(n):
                if label[i] == ev[2]:
                    label[i], node_stav[i] = ev[3], "krok"
                    after.append((node_stav, i, ""))
            weight += edges[ev[1]][2]
            snapshot("kCodeKruskal3", [next(said), next(said)] if narration else [],
                     ["h%d" % ev[1]])
        rest = events[last + 1:]
        if rest:
            settle(after)
            after = []
            for ev in rest:
                edge_stav[ev[1]] = queue_stav[ev[1]] = "krok"
                later = "odmitnuta" if ev[0] == "refused" else ""
                after += [(edge_stav, ev[1], later), (queue_stav, ev[1], later)]
            snapshot("kCodeKruskal5" if rest[0][0] == "notTaken" else "kCodeKruskal4", [],
                     ["h%d" % ev[1] for ev in rest])
    else:
        snapshot("kCodePrim1", [], [])
        for ev in literal_prim(n, edges):
            settle(after)
            after = []
            if ev[0] == "start":
                key[ev[1]], key_edge[ev[1]], opened[ev[1]] = 0, -1, True
                node_stav[ev[1]] = "otevreny"
                snapshot("kCodePrim2", [], ["u%d" % ev[1]])
                continue
            _, a, k, e, lowered = ev
            opened[a], node_stav[a], after = False, "krok", [(node_stav, a, "hotovy")]
            if e >= 0:
                edge_stav[e], weight = "krok", weight + k
                after.append((edge_stav, e, "kostra"))
            for v, before, edge_before, now, edge in lowered:
                if edge_before >= 0:
                    edge_stav[edge_before] = ""
                key[v], key_edge[v], opened[v], node_stav[v] = now, edge, True, "otevreny"
                edge_stav[edge] = "klic"
            shown = [next(said) for _ in range(1 + len(lowered))] if narration else []
            snapshot("kCodePrim4", shown, ["u%d" % a],
                     [(v, word("kPageNoKey") if eb < 0 else str(b)) for v, b, eb, _, _ in lowered])
    if narration:
        states[-1]["lines"].append(next(said))  # the count
    if signs:
        settle(after)
        edge_stav[:] = ["kostra" if f else "" for f in forest]
        node_stav[:] = [""] * n
        found = []
        if not cut:
            for k, o in literal_loop(edges, forest, chosen):
                found.append((k, o))
                orient[k], edge_stav[k] = o, "krok"
                snapshot("kCodeLoop1" if k == chosen else "kCodeLoop3",
                         [texts.get("kOrientationLine", spoken).rstrip("\n") % (k, o)],
                         ["h%d" % k], phase="loop")
                edge_stav[k] = "kostra" if forest[k] else ""
        else:
            _, sides, cut_edges = literal_cut(n, edges, forest, chosen)
            side[:], edge_stav[chosen] = sides, "krok"
            snapshot("kCodeCut1", [], ["h%d" % chosen], phase="loop")
            edge_stav[chosen] = "kostra"
            for k, o in cut_edges:
                orient[k], edge_stav[k] = o, "krok"
                snapshot("kCodeCut3", [texts.get("kOrientationLine", spoken).rstrip("\n") % (k, o)],
                         ["h%d" % k], phase="loop")
                edge_stav[k] = "kostra" if forest[k] else ""
        orient[:] = signs
        snapshot("kCodeCut4" if cut else "kCodeLoop4",
                 [word("kCutCaption" if cut else "kLoopCaption") % chosen], ["h%d" % chosen],
                 phase="loop")
    return states, method, chosen, forest


READ_STATE = """JSON.stringify({
    step: document.body.dataset.krok, steps: document.body.dataset.kroku, address: location.hash,
    vaha: document.body.dataset.vaha,
    lines: Array.from(document.querySelectorAll('#radky li.aktualni'), (li) => li.textContent),
    caption: document.getElementById('popis').textContent,
    sentence: document.getElementById('vysvetleni').textContent,
    kod: Array.from(document.querySelectorAll('#pseudokod [aria-current="step"]'),
                    (li) => li.textContent),
    fronta: Array.from(document.querySelectorAll('#fronta li'),
                       (li) => [li.dataset.hrana, li.dataset.stav]),
    klice: Array.from(document.querySelectorAll('#klice tr[data-uzel]'), (tr) => [tr.dataset.uzel,
                      tr.dataset.klic, tr.dataset.hrana, tr.dataset.predtim ?? null]),
    nodes: Array.from({length: %d}, (_, i) => ['data-stav', 'data-podstrom', 'data-klic',
        'data-strana'].map((a) => document.getElementById('u' + i).getAttribute(a))
        .concat([document.querySelector('#u' + i + ' .stitek').textContent])),
    edges: Array.from({length: %d}, (_, k) => ['data-stav', 'data-orientace'].map(
        (a) => document.getElementById('h' + k).getAttribute(a)))})"""


def compare(browser, n, m, states, k, where):
    shown, want = json.loads(browser.evaluate(READ_STATE % (n, m))), states[k]
    where = f"{where}, step {k}"
    check([shown["step"], shown["steps"]] == [str(k), str(len(states) - 1)],
          f"{where}: body shows step {shown['step']} of {shown['steps']}")
    for what in ("nodes", "edges"):
        for i, (got, expect) in enumerate(zip(shown[what], want[what])):
            check(got == expect, f"{where}: {what[:-1]} {i} shows {got}, expected {expect}")
    for what in ("vaha", "lines", "kod", "fronta", "klice"):
        expect = [want[what]] if what == "kod" else want[what]
        check(shown[what] == expect, f"{where}: {what} {shown[what]}, expected {expect}")
    check(shown["caption"] == "\n".join(want["lines"]) and shown["sentence"],
          f"{where}: the caption {shown['caption']!r}, the sentence {shown['sentence']!r}")
    return shown


FITS = """(() => { const inside = (r, f) => r.left >= f.left - 1 && r.right <= f.right + 1 &&
    r.top >= f.top - 1 && r.bottom <= f.bottom + 1 && r.right <= innerWidth &&
    r.bottom <= innerHeight;
  const frame = document.getElementById('kresba').getBoundingClientRect();
  const out = %s.filter((id) => !inside(document.getElementById(id).getBoundingClientRect(), frame));
  const small = Array.from(document.querySelectorAll('#kresba svg text'), (t) => t.textContent ?
      parseFloat(getComputedStyle(t).fontSize) * t.getScreenCTM().a : 99).filter((s) => s < 13.99);
  const panel = document.getElementById('vysvetleni').getBoundingClientRect();
  return JSON.stringify({out, small, panel: panel.bottom <= innerHeight && panel.top >= 0}); })()"""


def check_fit(browser, focus, where):
    """At 1280 x 720: the step's elements inside the drawing's frame and the window, every label
    of the drawing at least 14 px, the explanation in the window."""
    shown = json.loads(browser.evaluate(FITS % json.dumps(focus)))
    check(not shown["out"] and not shown["small"] and shown["panel"],
          f"{where}: at 1280x720 {shown}")


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


def replay(browser, where, page, n, edges, transcript, rng, spoken, drawn, path, kostra):
    """Opens the page at a random step, walks every step with the keys (each compared, and fitted
    at 1280 x 720), goes back, to the end, to a clicked line's step; for tasks 4 and 5 clicks every
    eligible edge and compares its loop or cut, and the matrix, with kostra's own. Returns the
    number of steps."""
    states, method, chosen, forest = expected(n, edges, transcript, spoken, drawn)
    last, m = len(states) - 1, len(edges)
    url = page.as_uri() + "#krok=%d" % rng.randint(0, last + 2)
    browser.open(url)
    opened = min(int(url.rsplit("=", 1)[1]), last)  # a step past the last shows the last
    shown = compare(browser, n, m, states, opened, where + " (opened so)")
    check(shown["address"] == "#krok=%d" % opened, f"{where}: opened, address {shown['address']}")
    browser.key("Home")
    for k in range(last + 1):
        shown = compare(browser, n, m, states, k, where)
        check(shown["address"] == "#krok=%d" % k, f"{where}: address {shown['address']}")
        check_fit(browser, states[k]["focus"], f"{where}, step {k}")
        browser.key("ArrowRight")
    for key, k in (("ArrowRight", last), ("ArrowLeft", max(last - 1, 0)), ("End", last)):
        browser.key(key)
        compare(browser, n, m, states, k, f"{where} ({key})")
    target = rng.randint(0, last)
    if states[target]["lines"]:
        browser.evaluate("document.querySelector('#radky li[data-krok=\"%d\"] a').click()" % target)
        compare(browser, n, m, states, target, where + " (line clicked)")
    if chosen >= 0:
        check_others(browser, where, path, n, edges, forest, method, transcript, kostra)
        browser.key("ArrowLeft")
        compare(browser, n, m, states, max(target - 1, 0) if states[target]["lines"] else
                last - 1, where + " (back from a shown edge)")
    shown = json.loads(browser.evaluate(
        "JSON.stringify([document.documentElement.lang, document.body.innerText])"))
    check(shown[0] == drawn, f"{where}: the page declares the language {shown[0]!r}")
    if spoken == drawn == "en":
        left = set(WORD.findall(shown[1].replace(path, ""))) & CZECH_ONLY
        check(not left, f"{where}: Czech words on an English page: {sorted(left)}")
    check_clean(browser, url, where)
    return last


SHOWN_EDGE = """(() => { const g = document.querySelector('#h%d path');
  for (const type of ['pointerdown', 'pointerup']) g.dispatchEvent(new PointerEvent(type,
      {bubbles: true, button: 0, pointerId: 1}));
  return JSON.stringify([document.body.dataset.ukazana, location.hash, Array.from({length: %d},
      (_, k) => document.getElementById('h' + k).getAttribute('data-orientace'))]); })()"""


def check_others(browser, where, path, n, edges, forest, method, transcript, kostra):
    """Every eligible edge clicked shows kostra's own orientations for it; the matrix is
    kostra-matice's, row for row."""
    task, m = (5 if texts.get("kCutPrompt", "cs") in transcript or
               texts.get("kCutPrompt", "en") in transcript else 4), len(edges)
    rows = []
    for e in (k for k in range(m) if forest[k] == (task == 5)):
        run = subprocess.run([kostra, path], input=f"{task}\n{method}\n{e}\n".encode(),
                             capture_output=True, timeout=30).stdout.decode()
        signs = [x.group(2) for x in map(LINES["cs"]["sign"].match, run.split("\n")) if x]
        shown = json.loads(browser.evaluate(SHOWN_EDGE % (e, m)))
        check(shown == [str(e), "#hrana=%d" % e, signs], f"{where}: edge {e} clicked: {shown}")
        rows.append(["h%d" % e] + signs)
    table = json.loads(browser.evaluate(
        "JSON.stringify(Array.from(document.querySelectorAll('#matice tbody tr'), (tr) => "
        "Array.from(tr.children, (c) => c.textContent)))"))
    if len(rows) <= 30:
        matice = subprocess.run([os.path.join(os.path.dirname(kostra), "kostra-matice"),
                                 "--tabulka", path, str(method), "rezy" if task == 5 else "smycky"],
                                capture_output=True, timeout=30).stdout.decode().split("\n")
        expect = [line.split() for line in matice[matice.index("") + 2:] if line]
        check([[int(r[0][1:])] + r[1:] for r in table] == [[int(r[0][1:])] + r[1:] for r in expect]
              == [[int(r[0][1:])] + r[1:] for r in rows],
              f"{where}: the matrix {table}, kostra-matice {expect}, kostra {rows}")


def run_kostra(kostra, kostra_dot, path, answers, work, spoken="cs", drawn="cs", layout="dot"):
    """kostra's transcript of a run in spoken and the page kostra-dot --html makes of it in
    drawn."""
    if spoken == "en":
        answers = answers.replace("\na\n", "\ny\n")  # the yes of the narration's question
    run = subprocess.run([kostra, "--lang", spoken, path], input=answers.encode(),
                         capture_output=True, timeout=30)
    page = subprocess.run([kostra_dot, "--lang", drawn, "--html", "--layout", layout, path],
                          input=run.stdout, capture_output=True, timeout=120)
    check(run.returncode == 0 and page.returncode == 0 and page.stderr == b"",
          f"{path!r}, answers {answers!r}: statuses {run.returncode} and {page.returncode}, "
          f"{page.stderr.decode(errors='replace')}")
    out = work / ("page%d.html" % len(list(work.glob("page*.html"))))
    out.write_bytes(page.stdout)
    return out, run.stdout.decode(errors="replace")


def check_keys(browser, page):
    """With the focus on every control, the arrows, Home and End move the steps; space and Enter
    press a focused button (and play nothing)."""
    browser.open(page.as_uri())
    last = int(browser.evaluate("document.body.dataset.kroku"))
    for control in ("#prvni", "#zpet", "#prehrat", "#vpred", "#posledni", "#rychlost",
                    "#posuvnik", "#zvetsit", "#zmensit", "#cela", "#radky a", "#matice tr[tabindex]",
                    "#kresba svg"):
        for key, k in (("End", last), ("ArrowLeft", last - 1), ("Home", 0), ("ArrowRight", 1)):
            if not browser.evaluate("(c => c ? (c.focus(), true) : false)(document.querySelector("
                                    "'%s'))" % control):
                break  # a control of another task
            browser.key(key)
            step = browser.evaluate("document.body.dataset.krok")
            check(step == str(k), f"keys: {key} with the focus on {control} shows step {step}")
    for key in (" ", "Enter"):
        browser.key("Home")
        browser.evaluate("document.getElementById('vpred').focus()")
        browser.key(key, up=True)
        shown = browser.evaluate("document.body.dataset.krok + ' ' + "
                                 "document.getElementById('prehrat').getAttribute('aria-pressed')")
        check(shown == "1 false", f"keys: {key!r} on the forward button: step and playing {shown}")
    browser.evaluate("document.querySelector('#kresba svg').focus()")
    for playing in ("true", "false"):
        browser.key(" ")
        shown = browser.evaluate("document.getElementById('prehrat').getAttribute('aria-pressed')")
        check(shown == playing, f"keys: space on the drawing leaves playing {shown}")


def png_pixels(data):
    """The rows of a PNG that Chromium writes (8 bits, RGB or RGBA, no interlace), RGB alone."""
    width, height, _, kind = struct.unpack(">IIBB", data[16:26])
    channels, raw, at = {2: 3, 6: 4}[kind], b"", 8
    while at < len(data):
        size, name = struct.unpack(">I4s", data[at:at + 8])
        raw += data[at + 8:at + 8 + size] if name == b"IDAT" else b""
        at += 12 + size
    raw, rows, stride = zlib.decompress(raw), [], width * channels
    prior = bytearray(stride)
    for y in range(height):
        kind, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for x in range(stride):
            a, b = line[x - channels] if x >= channels else 0, prior[x]
            c = prior[x - channels] if x >= channels else 0
            pa, pb, pc = abs(b - c), abs(a - c), abs(a + b - 2 * c)
            paeth = a if pa <= pb and pa <= pc else b if pb <= pc else c
            line[x] = (line[x] + (0, a, b, (a + b) // 2, paeth)[kind]) & 255
        rows.append(line)
        prior = line
    return [bytes(v for x, v in enumerate(r) if x % channels < 3) for r in rows]


def check_vision(browser, page, where):
    """Under each emulated vision deficiency every two samples of the legend (edges, nodes) still
    look different: line style, weight, fill or a label tells the state, not colour alone."""
    browser.open(page.as_uri())
    boxes = json.loads(browser.evaluate(
        "JSON.stringify(Array.from(document.querySelectorAll('.kr-legenda .vzor'), (v) => "
        "{ v.scrollIntoView(); const r = v.getBoundingClientRect(); return [v.querySelector('g')"
        ".classList[0], r.x, r.y, r.width, r.height]; }))"))
    for deficiency in ("protanopia", "deuteranopia", "tritanopia", "achromatopsia"):
        browser.send("Emulation.setEmulatedVisionDeficiency", {"type": deficiency},
                     session=browser.session)
        pictures = []
        for kind, x, y, w, h in boxes:
            browser.evaluate("document.querySelectorAll('.kr-legenda .vzor')[%d].scrollIntoView()"
                             % len(pictures))
            r = json.loads(browser.evaluate(
                "JSON.stringify(document.querySelectorAll('.kr-legenda .vzor')[%d]"
                ".getBoundingClientRect())" % len(pictures)))
            pictures.append((kind, png_pixels(browser.screenshot(
                {"x": r["x"], "y": r["y"], "width": w, "height": h}))))
        for i, (kind, a) in enumerate(pictures):
            for j, (other, b) in enumerate(pictures[:i]):
                differ = sum(abs(p - q) for ra, rb in zip(a, b) for p, q in zip(ra, rb))
                check(kind != other or differ > 2000,
                      f"{where}: under {deficiency}, legend samples {j} and {i} look alike")
    browser.send("Emulation.setEmulatedVisionDeficiency", {"type": "none"}, session=browser.session)


CONTRAST = """(() => { const rgb = (c) => (c.match(/[\\d.]+/g) || []).map(Number);
  const lum = ([r, g, b]) => [r, g, b].map((v) => { v /= 255;
      return v <= 0.03928 ? v / 12.92 : ((v + 0.055) / 1.055) ** 2.4; })
      .reduce((s, v, i) => s + v * [0.2126, 0.7152, 0.0722][i], 0);
  const behind = (e) => { for (; e; e = e.parentElement) { const c = rgb(getComputedStyle(e)
      .backgroundColor); if (c.length === 3 || c[3] > 0) return c; } return [255, 255, 255]; };
  const low = [];
  for (const e of document.querySelectorAll('body *')) {
    if (!Array.from(e.childNodes).some((c) => c.nodeType === 3 && c.textContent.trim()) ||
        !e.getClientRects().length || e.closest('option')) continue;
    const svgText = e instanceof SVGTextElement;
    const ellipse = svgText && e.parentNode.querySelector('ellipse');
    let back = behind(svgText ? document.getElementById('kresba') : e);
    if (ellipse && !e.classList.contains('stitek')) {
      const fill = getComputedStyle(ellipse).fill;
      back = fill.startsWith('url') ? [127, 168, 224] : rgb(fill); }
    const fore = rgb(getComputedStyle(e)[svgText ? 'fill' : 'color']);
    const [a, b] = [lum(fore), lum(back)].sort((x, y) => y - x);
    if ((a + 0.05) / (b + 0.05) < 4.5) low.push([e.tagName, e.textContent.slice(0, 30), fore, back]);
  }
  return JSON.stringify(low); })()"""


def check_mounting(browser, page, n, m, states, where):
    """The replay mounted again on the same element replaces the first; destroyed, it leaves
    nothing behind; mounted once more it shows the same states."""
    svg = re.search(r"<svg\b.*?</svg>", page.read_text(), re.S).group(0)
    browser.open(page.as_uri())
    mount = ("(() => { const root = document.getElementById('prehravac');"
             " const svg = document.importNode(new DOMParser().parseFromString(%s,"
             " 'image/svg+xml').documentElement, true);"
             " window.replay = kostraReplay.mount(root, {data: JSON.parse(document.getElementById("
             "'data').textContent), words: JSON.parse(document.getElementById('words').textContent),"
             " svg}); return document.querySelectorAll('.kr-prehravac, #ovladani, svg#kr-x, "
             "#kresba svg').length; })()") % json.dumps(svg)
    check(browser.evaluate(mount) == 3, f"{where}: mounted again, not one replay")
    browser.evaluate("window.replay.destroy()")
    browser.key("ArrowRight")
    left = browser.evaluate("JSON.stringify([document.querySelectorAll('#prehravac *').length, "
                            "document.body.dataset.krok ?? null, location.hash])")
    check(json.loads(left)[:2] == [0, None], f"{where}: destroyed, left behind {left}")
    browser.evaluate(mount)
    browser.key("End")
    compare(browser, n, m, states, len(states) - 1, where + " (mounted once more)")


def main():
    kostra, kostra_dot, examples = sys.argv[1], sys.argv[2], pathlib.Path(sys.argv[3])
    rng = random.Random(int(sys.argv[4]) if len(sys.argv) > 4 else 20240619)
    graphs = int(sys.argv[5]) if len(sys.argv) > 5 else 8
    if find_binary() is None or shutil.which("dot") is None:
        print("Chromium or Graphviz's dot is not installed: skipped")
        return 77
    scratch = tempfile.TemporaryDirectory(prefix="kostra-page-")
    work = pathlib.Path(scratch.name)
    answers = {"1": "1\n", "2": "2\na\n", "2n": "2\nn\n", "3": "3\na\n", "3n": "3\nn\n"}
    # Each run in a pair of languages, kostra's and the page's, and with a layout engine: the
    # examples in both of each task's pairs, the random graphs in each pair in turn.
    pairs = [("cs", "cs"), ("en", "en"), ("en", "cs"), ("cs", "en")]
    engines = ["dot", "neato", "circo"]
    jobs = [(examples / name, answers.get(task, task), *pairs[k % 2], engines[k % 3])
            for name, tasks in (
                ("ctyri-uzly.txt", ["1", "2", "2n", "3", "4\n1\n2\n", "5\n1\n1\n", "5\n3\n1\n",
                                    "4\n2\n0\n"]),
                ("nesouvisly.txt", ["3", "2", "1", "5\n1\n3\n", "4\n3\n1\n"]),
                ("smycky.txt", ["2", "3", "1", "4\n1\n1\n", "3n"])) for k, task in enumerate(tasks)]
    for number in range(graphs):  # self-loops, parallel edges, several components, ties
        n, weights = rng.randint(1, 8), [-2147483648, 2147483647, 0, 1, 1, 2, 3, 5]
        edges = [(rng.randrange(n), rng.randrange(n), rng.choice(weights))
                 for _ in range(rng.randint(0, 12))]
        path = work / f"g{number}.txt"
        path.write_text("".join(f"{v}\n" for v in [len(edges), n, *sum(edges, ())]))
        jobs += [(path, answers[t], *pairs[(number + k) % 4], engines[(number + k) % 3])
                 for k, t in enumerate(("1", "2", "3", "2n"))]
        for task in (4, 5):  # each method, and an edge that its forest lets the task take
            for method in (1, 2, 3):
                listing = subprocess.run([kostra, path], input=f"{task}\n{method}\n".encode(),
                                         capture_output=True, timeout=30).stdout.decode()
                flags = [int(x.group(2)) for x in map(LINES["cs"]["flag"].search,
                                                      listing.split("\n")) if x]
                fit = [k for k, flag in enumerate(flags) if flag == (task == 5)]
                jobs += [(path, f"{task}\n{method}\n{rng.choice(fit)}\n",
                          *pairs[(number + task + method) % 4], "dot")] if fit else []

    started, steps = time.monotonic(), 0
    try:
        with Chromium(find_binary()) as browser:
            browser.viewport(1280, 720)
            for path, given, spoken, drawn, engine in jobs:
                values = [int(v) for v in path.read_text().split()]
                edges = [tuple(values[2 + 3 * k:5 + 3 * k]) for k in range(values[0])]
                page, transcript = run_kostra(kostra, kostra_dot, str(path), given, work, spoken,
                                              drawn, engine)
                steps += 1 + replay(browser, f"{path.name}, answers {given!r}, {spoken}/{drawn}, "
                                    f"{engine}", page, values[1], edges, transcript, rng, spoken,
                                    drawn, str(path), kostra)
            # The keys, the vision deficiencies, the contrast, mounting again, on the example.
            example = str(examples / "ctyri-uzly.txt")
            values = [int(v) for v in pathlib.Path(example).read_text().split()]
            edges = [tuple(values[2 + 3 * k:5 + 3 * k]) for k in range(values[0])]
            for given in ("5\n2\n1\n", "4\n3\n0\n", "3\na\n"):
                page, transcript = run_kostra(kostra, kostra_dot, example, given, work)
                check_keys(browser, page)
                check_vision(browser, page, f"answers {given!r}")
                for width, height in ((1280, 720), (800, 900)):
                    browser.viewport(width, height)
                    browser.open(page.as_uri())
                    for _ in range(int(browser.evaluate("document.body.dataset.kroku")) + 1):
                        low = json.loads(browser.evaluate(CONTRAST))
                        check(not low, f"answers {given!r}: contrast below 4.5:1: {low}")
                        check_fit(browser, [], f"answers {given!r} at {width}x{height}")
                        browser.key("ArrowRight")
                browser.viewport(1280, 720)
                states = expected(values[1], edges, transcript, "cs", "cs")[0]
                check_mounting(browser, page, values[1], len(edges), states, f"answers {given!r}")
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
    print(f"{len(jobs)} pages, {steps} steps compared, keys, vision, contrast and mounting on 3, "
          f"2 hostile names, {time.monotonic() - started:.1f} s")
    return 0


if __name__ == "__main__":
    sys.exit(main())
