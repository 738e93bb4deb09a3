// The layout worker: Graphviz compiled to WebAssembly (Viz, of the npm package @viz-js/viz, above
// this script, with the WebAssembly inside it: nothing is fetched). One layout a message: the
// drawing (DOT, as kostra-dot writes it for a page) and Graphviz's layout engine in, the SVG out,
// or Graphviz's errors.
"use strict";

const graphviz = Viz.instance();
graphviz.then(() => postMessage({ ready: true }), (e) => postMessage({ broken: String(e) }));

onmessage = async ({ data }) => {
  try {
    const viz = await graphviz;
    const result = viz.render(data.dot, { format: "svg", engine: data.engine });
    if (result.status === "success") {
      postMessage({ id: data.id, svg: result.output });
    } else {
      postMessage({ id: data.id, error: result.errors.map((e) => e.message).join("\n") });
    }
  } catch (e) {
    postMessage({ id: data.id, error: String(e) });
  }
};
