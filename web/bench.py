#!/usr/bin/env python3
"""The page's size, its time to be ready for input, and kostra's runs in it against the native
program on the same machine: one graph (kostra-gen random N M SEED, read into memory first and
from the page cache), every run alternating between the page's window.kostra.run and the native
kostra, with the median of each. While the page runs, the main thread's long tasks (Chromium's
longtask entries, over 50 ms) are recorded; the longest is reported.

Then the drawing: runs from the page's controls (task 3 narrated) on the textbook graph of 9 nodes
and 14 edges, a random graph of 75 nodes and 150 edges, and a grid of 32 x 32 nodes and 1984
edges (the drawing's limit is 2000), laid out by dot and by neato: the time from the Run button
to the replay mounted (median of 3; the page's very first drawing, which starts the drawing
worker, apart) and the longest main-thread task meanwhile.

usage: bench.py KOSTRA KOSTRA_GEN KOSTRA_HTML [NODES EDGES [RUNS [ANSWERS]]]
       (defaults: 100000 400000, 7 runs, task 2 without narration)
"""
import random
import hashlib
import json
import pathlib
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[1] / "tests"))
from chromium import Chromium, find_binary  # noqa: E402

# Chromium's long tasks from the page's start; the page marks kostra-ready when its worker is.
OBSERVE = """window.longTasks = [];
new PerformanceObserver((list) => longTasks.push(...list.getEntries().map(e => e.duration)))
  .observe({type: 'longtask', buffered: true});"""


# One run of task 3 narrated from the page's controls on window.graph, drawn with window.engine:
# the seconds from the Run button to the replay mounted, and the longest main-thread task.
DRAW = """(async () => {
  const $ = (id) => document.getElementById(id);
  const until = async (done) => { while (!done()) await new Promise((r) => setTimeout(r, 5)); };
  if ($('graph').value !== graph) { $('graph').value = graph; $('graph').dispatchEvent(new Event('input')); }
  $('layout').value = engine;
  document.querySelector('input[name=task][value="3"]').click();
  $('narrate').checked = true; $('narrate').dispatchEvent(new Event('change'));
  await until(() => document.documentElement.dataset.settled === '1' && !$('run').disabled);
  document.documentElement.dataset.drawing = '';
  longTasks.length = 0;
  const start = performance.now();
  $('run').click();
  await until(() => document.documentElement.dataset.drawing === 'run');
  const drawn = (performance.now() - start) / 1000;
  await new Promise((r) => requestAnimationFrame(() => setTimeout(r, 100)));
  return [drawn, Math.max(0, ...longTasks)];
})()"""


def drawing_graphs():
    """The graphs drawn: the textbook's, a random one, a grid at the drawing's limit."""
    textbook = [14, 9, 0, 1, 4, 0, 7, 8, 1, 2, 8, 1, 7, 11, 2, 3, 7, 2, 5, 4, 2, 8, 2, 3, 4, 9, 3,
                5, 14, 4, 5, 10, 5, 6, 2, 6, 7, 1, 6, 8, 6, 7, 8, 7]
    rng = random.Random(1)
    spread = [150, 75] + [v for _ in range(150) for v in
                          (rng.randrange(75), rng.randrange(75), rng.randint(1, 99))]
    edges = [(r * 32 + c, r * 32 + c + d, rng.randint(1, 9)) for r in range(32) for c in range(32)
             for d in (1, 32) if (d == 1 and c < 31) or (d == 32 and r < 31)]
    grid = [len(edges), 1024] + [v for e in edges for v in e]
    return [("textbook, 14 edges", textbook), ("random, 150 edges", spread),
            ("grid, 1984 edges", grid)]


def drawings(browser):
    browser.evaluate(OBSERVE)
    first = None
    for name, values in drawing_graphs():
        browser.evaluate("window.graph = %s; 0" % json.dumps("".join("%d\n" % v for v in values)))
        for engine in ("dot", "neato"):
            browser.evaluate("window.engine = %s; 0" % json.dumps(engine))
            if first is None:
                first = browser.evaluate(DRAW, wait=True)
            times = [browser.evaluate(DRAW, wait=True) for _ in range(3)]
            print("drawn, %s, %s: %.2f s (median of 3; %s), longest main-thread task %.0f ms"
                  % (name, engine, statistics.median(t for t, _ in times),
                     ", ".join("%.2f" % t for t, _ in times), max(task for _, task in times)))
    print("the page's first drawing (the drawing worker started): %.2f s" % first[0])


def main():
    kostra, gen, page = (pathlib.Path(a).resolve() for a in sys.argv[1:4])
    nodes, edges = (int(a) for a in sys.argv[4:6]) if len(sys.argv) > 5 else (100000, 400000)
    runs = int(sys.argv[6]) if len(sys.argv) > 6 else 7
    answers = sys.argv[7].replace("\\n", "\n") if len(sys.argv) > 7 else "2\nn\n"
    print(f"page: {page.stat().st_size} bytes")
    with tempfile.TemporaryDirectory() as scratch, Chromium(find_binary()) as browser:
        graph = pathlib.Path(scratch) / "graf.txt"
        graph.write_bytes(subprocess.run([gen, "random", str(nodes), str(edges), "1"],
                                         capture_output=True, check=True).stdout)
        text = graph.read_text()
        browser.timeout = 300
        ready = []
        for _ in range(5):
            browser.open(page.as_uri())
            browser.evaluate("kostra.ready", wait=True)
            ready.append(browser.evaluate(
                "performance.getEntriesByName('kostra-ready')[0].startTime"))
        print("ready for input after %.0f ms (median of 5 openings; %s)"
              % (statistics.median(ready), ", ".join("%.0f" % r for r in ready)))
        browser.evaluate("window.graph = %s; window.answers = %s; 0"
                         % (json.dumps(text), json.dumps(answers)))
        browser.evaluate(OBSERVE)
        page_times, native_times, outputs = [], [], set()
        for _ in range(runs):
            start = time.monotonic()
            done = subprocess.run([kostra, "graf.txt"], cwd=scratch, input=answers.encode(),
                                  capture_output=True, check=True)
            native_times.append(time.monotonic() - start)
            outputs.add(hashlib.sha256(done.stdout).hexdigest())
            page_times.append(browser.evaluate("""(async () => { const t = performance.now();
                window.last = await kostra.run(graph, answers, 'graf.txt');
                return (performance.now() - t) / 1000; })()""", wait=True))
        longest = max(browser.evaluate("longTasks") or [0])
        # The page's output, compared once the times are taken (encoding it is a long task).
        outputs.add(browser.evaluate("""crypto.subtle.digest('SHA-256',
            new TextEncoder().encode(last.stdout)).then((d) => [...new Uint8Array(d)]
            .map((b) => b.toString(16).padStart(2, '0')).join(''))""", wait=True))
        browser.open(page.as_uri())
        browser.evaluate("kostra.ready", wait=True)
        drawings(browser)
    native, wasm = statistics.median(native_times), statistics.median(page_times)
    print(f"graph: {nodes} nodes, {edges} edges, answers {answers!r}; {runs} runs each")
    print("native kostra: %.3f s (median; %s)" % (native, ", ".join("%.3f" % t for t in native_times)))
    print("the page:      %.3f s (median; %s)" % (wasm, ", ".join("%.3f" % t for t in page_times)))
    print("ratio: %.2f" % (wasm / native))
    print("longest main-thread task meanwhile: %.0f ms (none is counted under 50 ms)" % longest)
    if len(outputs) != 1:
        sys.exit("the page and the native kostra printed different outputs")


if __name__ == "__main__":
    main()
