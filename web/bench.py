#!/usr/bin/env python3
"""The page's size, its time to be ready for input, and kostra's runs in it against the native
program on the same machine: one graph (kostra-gen random N M SEED, read into memory first and
from the page cache), every run alternating between the page's window.kostra.run and the native
kostra, with the median of each. While the page runs, the main thread's long tasks (Chromium's
longtask entries, over 50 ms) are recorded; the longest is reported.

usage: bench.py KOSTRA KOSTRA_GEN KOSTRA_HTML [NODES EDGES [RUNS [ANSWERS]]]
       (defaults: 100000 400000, 7 runs, task 2 without narration)
"""
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
