#!/usr/bin/env python3
"""kostra.html in headless Chromium, opened from disk with the network off. One table of runs (the
example graphs and random small graphs, every task, method and narration, from a graph file and
at the keyboard, with file names of every shape) goes through window.kostra.run, and each must
give exactly the native kostra's standard output, standard error and status for the same file
name and answers. Then the page's own controls: a file given to the picker, the random graph, a
task whose edge is picked from the list, a graph with warnings, a transcript too large to show;
each run the page makes must print what the native kostra prints for the answers the page shows.
The drawing after runs from the controls (every task and method on the examples and random graphs,
each layout engine, the edge of tasks 4 and 5 picked by a click on the drawn forest, a language
switch): at every step the replay shows the state that kostra-dot's page test derives from the
run's transcript; a graph over the drawing's limits is run and drawn not. No request may leave the
page. Exits 77 (skipped) without the page or Chromium.

usage: test_page.py KOSTRA KOSTRA_HTML EXAMPLES_DIR [SEED [RANDOM_GRAPHS]]
"""
import importlib.util
import json
import os
import pathlib
import random
import re
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[2] / "tests"))
import texts  # noqa: E402
from chromium import Chromium, find_binary  # noqa: E402

# kostra-dot's page test: the literal derivation of every step's state from a transcript, and the
# reading of the state a replay shows, which the page's drawing must equal.
_spec = importlib.util.spec_from_file_location(
    "dot_page", pathlib.Path(__file__).resolve().parents[2] / "tools/kostra-dot/tests/test_page.py")
dot_page = importlib.util.module_from_spec(_spec)
_spec.loader.exec_module(dot_page)

failures = []
drawn_steps = []  # the steps of the drawings compared


def check(condition, message):
    if not condition:
        failures.append(message)


def native(kostra, graph, answers, name, scratch, language="cs"):
    """kostra's run from the folder scratch, the graph file written there under name, in
    language."""
    run_dir = pathlib.Path(tempfile.mkdtemp(dir=scratch))
    if graph is not None and name != "":
        path = run_dir / name
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_bytes(graph.encode())
    done = subprocess.run([kostra] + ([name] if graph is not None else []), cwd=run_dir,
                          input=answers.encode(), capture_output=True, timeout=60,
                          env=dict(os.environ, KOSTRA_LANG=language))
    return {"stdout": done.stdout.decode(errors="replace"),
            "stderr": done.stderr.decode(errors="replace"), "status": done.returncode}


def random_graph(rng):
    n = rng.randint(1, 9)
    m = rng.randint(0, 14)
    weights = rng.choice([(1, 9), (0, 0), (-2147483648, 2147483647)])
    lines = [m, n] + [v for _ in range(m) for v in
                      (rng.randrange(n), rng.randrange(n), rng.randint(*weights))]
    text = "".join("%d\n" % v for v in lines)
    # Now and then a line kostra warns about, or a file cut short.
    if rng.random() < 0.2:
        cut = text.split("\n")
        cut.insert(rng.randint(2, len(cut) - 1), rng.choice(["2.5", "x", " 7 8", "-0"]))
        text = "\n".join(cut)
    if rng.random() < 0.1:
        text = text[:rng.randint(0, len(text))]
    return text


def task_answers(rng, task, method, edges):
    """Answers to the menu and what follows it, with a refused answer now and then."""
    noise = lambda: rng.choice(["", "0\n", "x\n"]) if rng.random() < 0.15 else ""  # noqa: E731
    answers = noise() + "%d\n" % task
    if task in (2, 3):
        answers += noise() + rng.choice("an") + "\n"
    elif task >= 4:
        answers += "%d\n" % method + noise() + "%d\n" % rng.randrange(-1, edges + 1)
    return answers


def table(examples, seed, count):
    rng = random.Random(seed)
    graphs = [(p.read_text(), "examples/" + p.name) for p in sorted(examples.glob("*.txt"))]
    names = ["graf.txt", "muj graf.txt", "a/b/c.txt", "-x.txt", "chybi/../graf.txt", "dev/null",
             "%s%d.txt"]
    graphs += [(random_graph(rng), rng.choice(names)) for _ in range(count)]
    runs = []
    for graph, name in graphs:
        edges = int(graph.split("\n")[0]) if graph.split("\n")[0].strip().isdigit() else 3
        for task in range(1, 6):
            for method in ([1, 2, 3] if task >= 4 else [1]):
                answers = task_answers(rng, task, method, edges)
                runs.append((graph, answers, name))
                # The same graph typed at the keyboard; and now and then input that ends early.
                keyboard = graph if graph.endswith("\n") else graph + "\n"
                runs.append((None, keyboard + answers, name))
                if rng.random() < 0.2:
                    runs.append((graph, answers[:rng.randint(0, len(answers))], name))
    runs.append((None, "", "graf.txt"))
    runs.append((graph, "1\n", ""))
    return runs


def wait_for(browser, expression, what, seconds=20):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        value = browser.evaluate(expression)
        if value:
            return value
        time.sleep(0.05)
    raise RuntimeError("timed out waiting for " + what)


# The page has no run of its own to come or under way, and takes the Run button.
SETTLED = ("document.documentElement.dataset.settled === '1' && "
           "!document.getElementById('run').disabled")


def page_run(browser, kostra, scratch, what):
    """Runs the page's task with its Run button; its transcript against the native run of the
    graph and answers the page shows."""
    wait_for(browser, SETTLED, what + ": the page's own runs")
    browser.evaluate("document.getElementById('output').hidden = true; "
                     "document.getElementById('run').click()")
    wait_for(browser, "!document.getElementById('output').hidden && "
                      "!document.getElementById('run').disabled", what)
    shown = browser.evaluate("""(() => { const $ = (id) => document.getElementById(id);
        return {graph: $('keyboard').checked ? null : $('graph').value, answers: $('answers').value,
                name: $('name').value, stdout: $('stdout').textContent,
                stderr: $('stderr').textContent, status: $('status').textContent,
                note: $('stdout-note').hidden ? '' : $('stdout-note').textContent}; })()""")
    language = browser.evaluate("document.documentElement.lang")
    expected = native(kostra, shown["graph"], shown["answers"], shown["name"], scratch, language)
    status = texts.get("kWebStatus", language).replace("%d", str(expected["status"]))
    check(shown["status"] == status, f"{what}: the page shows {shown['status']!r}, not {status!r}")
    if len(expected["stdout"].encode()) > 1 << 20:
        check(shown["stdout"] == "" and shown["note"] != "", f"{what}: a large output is shown")
    else:
        check(shown["stdout"] == expected["stdout"], f"{what}: standard output differs")
    check(shown["stderr"] == expected["stderr"], f"{what}: standard error differs")
    return shown, expected


def drawn(browser, graph, spoken, drawn_in, what):
    """The replay after a run from the page's controls, walked with the keys from its first step
    to its last: each step's state as kostra-dot's page test derives it from the transcript shown.
    A graph over the drawing's limits has no drawing, and a note that says why."""
    wait_for(browser, "['run', 'none'].includes(document.documentElement.dataset.drawing)", what)
    values = [int(v) for v in graph.split()]
    n, m = values[1], values[0]
    if m > 2000 or n > 4000:
        note = browser.evaluate("document.getElementById('drawing-note').textContent")
        check(browser.evaluate("document.documentElement.dataset.drawing") == "none" and note
              == texts.get("kWebNoDrawing", drawn_in) % texts.get("kPageTooLarge", drawn_in)
              .strip() % (m, n, 2000, 4000), f"{what}: a graph over the limits drawn, or {note!r}")
        return
    edges = [tuple(values[2 + 3 * k:5 + 3 * k]) for k in range(m)]
    transcript = browser.evaluate("document.getElementById('stdout').textContent")
    states = dot_page.expected(n, edges, transcript, spoken, drawn_in)[0]
    browser.key("Home")
    try:
        for k in range(len(states)):
            dot_page.compare(browser, n, m, states, k, what)
            drawn_steps.append(what)
            address = browser.evaluate("location.hash")
            check(re.search(r"(^#|&)krok=%d$" % k, address), f"{what}: step {k}, address {address}")
            browser.key("ArrowRight")
    except dot_page.Failure as failure:
        check(False, str(failure))


def click_edge(browser, e):
    """A click of the mouse on edge e of the drawing, on its label or a point of its line that no
    other element covers; False when there is none."""
    point = json.loads(browser.evaluate("""(() => { const g = document.getElementById('h%d');
        g.scrollIntoView({block: 'center'});
        const r = g.querySelector('text').getBoundingClientRect();
        const path = g.querySelector('path');
        const points = [[r.x + r.width / 2, r.y + r.height / 2]].concat([0.5, 0.25, 0.75].map(
          (f) => path.getPointAtLength(path.getTotalLength() * f)
            .matrixTransform(path.getScreenCTM())).map((p) => [p.x, p.y]));
        for (const [x, y] of points) {
          const hit = document.elementFromPoint(x, y);
          if (hit && hit.closest('g.edge') === g) return JSON.stringify([x, y]); }
        return 'null'; })()""" % e))
    if point is None:
        return False
    for kind in ("mousePressed", "mouseReleased"):
        browser.send("Input.dispatchMouseEvent", {"type": kind, "x": point[0], "y": point[1],
                                                  "button": "left", "clickCount": 1},
                     session=browser.session)
    return True


def set_task(browser, task, method, narrate, engine):
    browser.evaluate(f"""{{const $ = (id) => document.getElementById(id);
        document.querySelector('input[name=task][value="{task}"]').click();
        $('method').value = '{method}'; $('method').dispatchEvent(new Event('change'));
        $('narrate').checked = {str(narrate).lower()}; $('narrate').dispatchEvent(new Event('change'));
        $('layout').value = '{engine}'}}""")


def drawings(browser, kostra, scratch, rng):
    """Runs from the page's controls, each drawn and replayed: every task, method and narration on
    the examples and random graphs, the layout engines in turn, the edges of tasks 4 and 5 picked by
    a click on the drawing; in English after the switch, which draws the replay shown anew."""
    graphs = [("example", name) for name in ("ctyri-uzly.txt", "nesouvisly.txt", "smycky.txt")]
    graphs += [("random", (rng.randint(2, 8), rng.randint(1, 12), rng.randint(0, 999)))
               for _ in range(3)]
    engines = iter(["dot", "neato", "circo"] * 30)
    for number, (kind, which) in enumerate(graphs):
        if kind == "example":
            browser.evaluate("{const x = document.getElementById('example'); x.value = %s;"
                             "x.dispatchEvent(new Event('change'))}" % json.dumps(which))
        else:
            browser.evaluate("""{const set = (id, v) => document.getElementById(id).value = v;
                set('random-nodes', %d); set('random-edges', %d); set('random-low', -3);
                set('random-high', 3); set('random-seed', %d);
                document.getElementById('random').click()}""" % which)
        spoken = "en" if number % 3 == 2 else "cs"
        if spoken != browser.evaluate("document.documentElement.lang"):
            browser.evaluate("document.getElementById('language').click()")
        for task, method, narrate in [(1, 1, False), (2, 1, True), (2, 1, False), (3, 1, True),
                                      (3, 1, False)] + [(t, k, False) for t in (4, 5)
                                                        for k in (1, 2, 3)]:
            what = f"drawn {which}, task {task}, method {method}"
            set_task(browser, task, method, narrate, next(engines))
            wait_for(browser, SETTLED, what + ": the page's own runs")
            if task >= 4:
                # The forest drawn: a click on an edge the task takes picks it, on another says why.
                check(browser.evaluate("document.documentElement.dataset.drawing") == "forest",
                      f"{what}: the forest is not drawn")
                usable = browser.evaluate("[...document.getElementById('edge').options]"
                                          ".map(o => o.value).filter(v => v !== '')")
                count = browser.evaluate("document.querySelectorAll('#kresba g.edge[id]').length")
                others = [e for e in range(count) if str(e) not in usable]
                other = rng.choice(others) if others else None
                if other is not None and click_edge(browser, other):
                    note = browser.evaluate("document.getElementById('drawing-note').textContent")
                    why = texts.get("kWebEdgeInForest" if task == 4 else "kWebEdgeNotInForest",
                                    spoken) % other
                    check(note == why, f"{what}: a click on edge {other} says {note!r}")
                if not usable:
                    continue
                # An edge that another covers whole is picked from the list instead.
                picked = next((e for e in rng.sample(usable, len(usable))
                               if click_edge(browser, int(e))), None)
                if picked is None:
                    continue
                answers = browser.evaluate("document.getElementById('answers').value")
                check(answers.endswith(f"{task}\n{method}\n{picked}\n"),
                      f"{what}: a click on edge {picked} gives the answers {answers!r}")
            shown, _ = page_run(browser, kostra, scratch, what)
            if shown["status"] == texts.get("kWebStatus", spoken) % 0:
                drawn(browser, shown["graph"], spoken, spoken, what)
                if task == 2 and number == 0:
                    # The switch of language keeps the step, and draws the replay in English.
                    browser.key("End")
                    browser.evaluate("document.getElementById('language').click()")
                    wait_for(browser, "document.documentElement.dataset.drawing === 'run' && "
                                      "document.documentElement.lang === 'en' && "
                                      "location.hash.startsWith('#jazyk=en&')", what)
                    values = [int(v) for v in shown["graph"].split()]
                    edges = [tuple(values[2 + 3 * k:5 + 3 * k]) for k in range(values[0])]
                    states = dot_page.expected(values[1], edges, browser.evaluate(
                        "document.getElementById('stdout').textContent"), "cs", "en")[0]
                    try:
                        dot_page.compare(browser, values[1], values[0], states, len(states) - 1,
                                         what + ", in English")
                    except dot_page.Failure as failure:
                        check(False, str(failure))
                    browser.evaluate("document.getElementById('language').click()")
    # The engines lay the same graph out differently.
    places = set()
    for engine in ("dot", "neato", "circo"):
        browser.evaluate(f"{{const l = document.getElementById('layout'); l.value = '{engine}';"
                         "l.dispatchEvent(new Event('change'))}")
        wait_for(browser, "document.documentElement.dataset.drawing === 'run'", engine)
        places.add(browser.evaluate("document.querySelector('#u0 ellipse').getAttribute('cx')"
                                    " + ' ' + document.querySelector('#u1 ellipse').getAttribute('cy')"))
    check(len(places) == 3, f"the three engines lay the graph out alike: {places}")


def controls(browser, kostra, scratch):
    ev = lambda code: browser.evaluate("{" + code + "}")  # noqa: E731 (its consts its own)
    # A file given to the picker, then task 4 on the forest of method 2, its edge picked from the
    # list, which must offer exactly the edges that kostra takes.
    graph = pathlib.Path(scratch) / "vybrany graf.txt"
    graph.write_text("6\n4\n0\n1\n4\n1\n2\n1\n2\n0\n3\n2\n3\n2\n3\n1\n5\n0\n0\n7\n")
    node = browser.send("DOM.getDocument", session=browser.session)["root"]["nodeId"]
    picker = browser.send("DOM.querySelector", {"nodeId": node, "selector": "#file"},
                          session=browser.session)["nodeId"]
    browser.send("DOM.setFileInputFiles", {"nodeId": picker, "files": [str(graph)]},
                 session=browser.session)
    wait_for(browser, "document.getElementById('name').value === 'vybrany graf.txt'", "the file")
    wait_for(browser, SETTLED, "the file read")
    check(ev("document.getElementById('graph').value") == graph.read_text(), "picked file differs")
    for task in (4, 5):
        for method in (1, 2, 3):
            ev(f"document.querySelector('input[name=task][value=\"{task}\"]').click();"
               f"const m = document.getElementById('method'); m.value = '{method}';"
               "m.dispatchEvent(new Event('change'))")
            wait_for(browser, SETTLED, "the edges")
            offered = ev("[...document.getElementById('edge').options].map(o => o.value)")
            flags = native(kostra, graph.read_text(), f"{task}\n{method}\n", graph.name, scratch)
            flag = texts.get("kTreeFlagLine").rstrip("\n").replace("%2d", r" ?(\d+)")
            takes = [m.group(1) for m in re.finditer(flag.replace("%d", str(int(task == 5))),
                                                     flags["stdout"])]
            check(offered == takes, f"task {task} method {method}: offers {offered}, not {takes}")
            ev("const e = document.getElementById('edge'); e.selectedIndex = e.options.length - 1;"
               "e.dispatchEvent(new Event('change'))")
            page_run(browser, kostra, scratch, f"picked edge, task {task}, method {method}")

    # The random graph: the same seed makes the same graph, of the counts and weights asked for.
    ev("""const set = (id, v) => document.getElementById(id).value = v;
          set('random-nodes', 30); set('random-edges', 70); set('random-low', -5);
          set('random-high', 5); set('random-seed', 77);
          document.getElementById('random').click()""")
    made = ev("document.getElementById('graph').value")
    ev("document.getElementById('random').click()")
    check(ev("document.getElementById('graph').value") == made, "the random graph changed")
    values = [int(v) for v in made.split()]
    check(values[:2] == [70, 30] and len(values) == 2 + 3 * 70, "random graph: counts")
    check(all(-5 <= w <= 5 for w in values[4::3]), "random graph: weights out of range")
    ev("document.querySelector('input[name=task][value=\"2\"]').click();"
       "document.getElementById('narrate').click()")
    page_run(browser, kostra, scratch, "random graph, task 2 narrated")
    ev("document.getElementById('keyboard').click()")
    page_run(browser, kostra, scratch, "random graph at the keyboard")
    ev("document.getElementById('keyboard').click()")

    # Warnings at their lines, and a transcript too large to be shown.
    ev("const g = document.getElementById('graph'); g.value = '1\\n2\\n0\\n1.5\\n1\\n4\\n';"
       "g.dispatchEvent(new Event('input'))")
    wait_for(browser, SETTLED, "the warnings")
    lines = ev("[...document.querySelectorAll('#warning-list button')].map(b => b.dataset.line)")
    check(lines == ["4"], f"the warnings point at lines {lines}, not 4")
    page_run(browser, kostra, scratch, "a graph with warnings")
    ev("""const set = (id, v) => document.getElementById(id).value = v;
          set('random-nodes', 20000); set('random-edges', 40000);
          document.getElementById('random').click();
          document.querySelector('input[name=task][value=\"1\"]').click()""")
    shown, _ = page_run(browser, kostra, scratch, "a large transcript")
    check(shown["note"] != "", "a large transcript is put into the page")
    drawn(browser, shown["graph"], "cs", "cs", "a graph over the drawing's limits")


def main():
    kostra, page, examples = (pathlib.Path(a).resolve() for a in sys.argv[1:4])
    seed = int(sys.argv[4]) if len(sys.argv) > 4 else 20261209
    count = int(sys.argv[5]) if len(sys.argv) > 5 else 20
    binary = find_binary()
    if not page.exists() or binary is None:
        print("skipped: " + ("no Chromium" if binary is None else f"{page} is not built"))
        sys.exit(77)
    runs = table(examples, seed, count)
    # The replay writes the step into the address at every step, which the test takes faster than
    # Chromium lets a page change its address (200 times in 10 s) unless told otherwise.
    with tempfile.TemporaryDirectory() as scratch, \
            Chromium(binary, ["--disable-ipc-flooding-protection"]) as browser:
        expected = [native(kostra, g, a, n, scratch) for g, a, n in runs]
        browser.timeout = 120
        browser.open(page.resolve().as_uri())
        browser.evaluate("kostra.ready", wait=True)
        got = browser.evaluate("Promise.all(%s.map(r => kostra.run(...r)))" % json.dumps(runs),
                               wait=True)
        for run, want, have in zip(runs, expected, got):
            for stream in ("stdout", "stderr", "status"):
                check(have[stream] == want[stream],
                      f"run {run!r}: {stream} {have[stream]!r}, native {want[stream]!r}")
        english = browser.evaluate("kostra.run('0\\n1\\n', '1\\n', 'g.txt', {language: 'en'})",
                                   wait=True)
        check(texts.get("kBanner", "en") in english["stdout"], "an English run is not in English")
        controls(browser, kostra, scratch)
        browser.viewport(1280, 900)
        drawings(browser, kostra, scratch, random.Random(seed))
        for event in browser.events:
            url = event.get("params", {}).get("request", {}).get("url", "")
            check(event["method"] != "Network.requestWillBeSent" or url == page.resolve().as_uri()
                  or url.startswith("blob:"), f"a request left the page: {url}")
            check(not event["method"].startswith(("Runtime.exception", "Log.")),
                  f"the page said: {json.dumps(event)[:300]}")
    print(f"{len(runs)} runs through window.kostra.run and the page's controls compared, "
          f"{len(set(drawn_steps))} drawings of runs from the controls replayed, "
          f"{len(drawn_steps)} steps compared")
    for failure in failures[:20] + failures[-5:]:
        print("FAIL:", failure)
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
