// The page's worker: kostra's WebAssembly module (createKostra, above this script), one run a
// message. A run writes the graph file under the name the transcript shows and standard input
// into the module's file system, calls kostraRun (web/KostraWeb.cpp) and sends back standard
// output and standard error as bytes, with the exit status.
"use strict";

const RUN_DIR = "/.kostra-run";
const module = createKostra().then((m) => {
  m.FS.mkdirTree(RUN_DIR);
  return m;
});
module.then(() => postMessage({ ready: true }), (e) => postMessage({ broken: String(e) }));

// Writes the graph file at name, making its folders; false when it cannot be made (kostra then
// finds no file there, as the console program would).
function writeGraph(FS, name, text) {
  try {
    const slash = name.lastIndexOf("/");
    if (slash > 0) FS.mkdirTree(name.slice(0, slash));
    FS.writeFile(name, text);
    return true;
  } catch (e) {
    return false;
  }
}

function take(FS, path) {
  const bytes = FS.readFile(path);
  FS.unlink(path);
  return bytes;
}

function run(m, { graphText, answers, name, english }) {
  const FS = m.FS;
  const graphPath = graphText === null ? null : name;
  const written = graphPath !== null && writeGraph(FS, graphPath, graphText);
  FS.writeFile(RUN_DIR + "/stdin", answers);
  try {
    const status = m.ccall("kostraRun", "number",
      ["string", "string", "string", "string", "number"],
      [graphPath, RUN_DIR + "/stdin", RUN_DIR + "/stdout", RUN_DIR + "/stderr", english ? 1 : 0]);
    if (status < 0) throw new Error("kostraRun: the run's files cannot be made");
    return { status, stdout: take(FS, RUN_DIR + "/stdout"), stderr: take(FS, RUN_DIR + "/stderr") };
  } finally {
    FS.unlink(RUN_DIR + "/stdin");
    if (written) FS.unlink(graphPath);
  }
}

onmessage = async ({ data }) => {
  let m;
  try {
    m = await module;
  } catch (e) {
    postMessage({ id: data.id, error: String(e) });
    return;
  }
  try {
    const result = run(m, data);
    postMessage({ id: data.id, ...result, memory: m.HEAPU8.length },
      [result.stdout.buffer, result.stderr.buffer]);
  } catch (e) {
    postMessage({ id: data.id, error: String(e), broken: true });
  }
};
