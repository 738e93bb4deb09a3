// The drawing worker: kostra-dot's code that makes a page's drawing, data and words from a run
// (createKostraDot, web/KostraDraw.cpp), and Graphviz compiled to WebAssembly that lays the
// drawing out (Viz, of the npm package @viz-js/viz), both above this script with their
// WebAssembly inside: nothing is fetched. A message is a run to draw (the graph file's text, its
// name, kostra's output, the language and Graphviz's engine), or a drawing (DOT) to lay out again
// with another engine.
"use strict";

const graphviz = Viz.instance();
const kostraDot = createKostraDot();

// The SVG of a drawing laid out by Graphviz with engine; Graphviz's errors thrown.
function layOut(viz, dot, engine) {
  const result = viz.render(dot, { format: "svg", engine });
  if (result.status !== "success") throw new Error(result.errors.map((e) => e.message).join("\n"));
  return result.output;
}

// kostra-dot's work on a run (kostraDraw): its status, and the drawing, the replay's data and its
// words, or the message that says why there is none. The graph file is written under the last
// part of the run's name, which kostra-dot's messages show.
function draw(m, { graphText, transcript, name, english }) {
  const FS = m.FS;
  const base = name.split("/").pop();
  const path = base === "" || base === "." || base === ".." ? "graf.txt" : base;
  const files = ["transcript", "dot", "data", "words", "err"].map((f) => "/.kresba-" + f);
  FS.writeFile(path, new TextEncoder().encode(graphText));
  FS.writeFile(files[0], transcript);
  try {
    const status = m.ccall("kostraDraw", "number", Array(6).fill("string").concat(["number"]),
      [path, ...files, english ? 1 : 0]);
    if (status < 0) throw new Error("kostraDraw: the drawing's files cannot be made");
    const read = (file) => FS.readFile(file, { encoding: "utf8" });
    if (status !== 0) return { status, note: read(files[4]) };
    return { status, dot: read(files[1]), data: read(files[2]), words: read(files[3]) };
  } finally {
    for (const file of [path, ...files]) {
      if (FS.analyzePath(file).exists) FS.unlink(file);
    }
  }
}

onmessage = async ({ data }) => {
  try {
    if (data.dot !== undefined) {
      postMessage({ id: data.id, svg: layOut(await graphviz, data.dot, data.engine) });
      return;
    }
    const made = draw(await kostraDot, data);
    if (made.status === 0) made.svg = layOut(await graphviz, made.dot, data.engine);
    postMessage({ id: data.id, made });
  } catch (e) {
    postMessage({ id: data.id, error: String(e) });
  }
};
