// The page's worker: kostra's WebAssembly module (createKostra, above this script), one run a
// message. A run writes the graph file under the name the transcript shows and standard input
// into the module's file system, calls kostraRun (web/KostraWeb.cpp) and sends back what it wrote
// on standard output and standard error, as bytes, with the exit status.
"use strict";

// The run's own files; relative graph file names are made in an empty folder of their own, as
// they would be in a fresh folder of a computer.
const RUN_DIR = "/.kostra-run";
const WORK_DIR = "/home/kostra";

// Standard output and standard error are devices that keep every write as it comes: a file of
// the module's file system would be copied whole each time it grows.
const written = { stdout: [], stderr: [] };

function makeOutputDevice(FS, minor, stream) {
  const device = FS.makedev(64, minor);
  FS.registerDevice(device, {
    write(_, buffer, offset, length) {
      written[stream].push(new Uint8Array(buffer.buffer, buffer.byteOffset + offset, length).slice());
      return length;
    },
  });
  FS.mkdev(RUN_DIR + "/" + stream, device);
}

// What was written on the device of stream since the last take, as one array.
function take(stream) {
  const chunks = written[stream];
  written[stream] = [];
  const bytes = new Uint8Array(chunks.reduce((sum, chunk) => sum + chunk.length, 0));
  let at = 0;
  for (const chunk of chunks) {
    bytes.set(chunk, at);
    at += chunk.length;
  }
  return bytes;
}

// A few runs on a graph of some thousands of edges before the first of the page's: the browser
// compiles the WebAssembly quickly first and well only what runs often, so without them the
// page's first run would run the slower code.
function warmUp(m) {
  let seed = 1;
  const next = (n) => {
    seed = (Math.imul(seed, 1103515245) + 12345) >>> 0;
    return seed % n;
  };
  const nodes = 4000;
  const edges = 16000;
  const values = [edges, nodes];
  for (let i = 0; i < edges; i++) values.push(next(nodes), next(nodes), next(1000));
  const graph = values.join("\n") + "\n";
  for (const answers of ["1\n", "2\na\n", "3\na\n", "4\n1\n", "5\n2\n"]) {
    run(m, { graphText: graph, answers, name: "graf.txt", english: false });
  }
}

const module = createKostra().then((m) => {
  m.FS.mkdirTree(RUN_DIR);
  makeOutputDevice(m.FS, 0, "stdout");
  makeOutputDevice(m.FS, 1, "stderr");
  m.FS.mkdirTree(WORK_DIR);
  m.FS.chdir(WORK_DIR);
  warmUp(m);
  return m;
});
module.then(() => postMessage({ ready: true }), (e) => postMessage({ broken: String(e) }));

// Writes the graph file at name, making the folders it names; the folders made, to be removed
// after the run, or null when the file cannot be made (kostra then finds no file there).
function writeGraph(FS, name, text) {
  const made = [];
  const parts = name.split("/").slice(0, -1);
  for (let i = 0; i < parts.length; i++) {
    const folder = parts.slice(0, i + 1).join("/");
    if (folder === "" || parts[i] === "." || parts[i] === ".." || FS.analyzePath(folder).exists) {
      continue;
    }
    try {
      FS.mkdir(folder);
      made.push(folder);
    } catch (e) {
      break;
    }
  }
  try {
    FS.writeFile(name, new TextEncoder().encode(text), { canOwn: true });
    return made;
  } catch (e) {
    removeFolders(FS, made);
    return null;
  }
}

function removeFolders(FS, made) {
  for (const folder of made.reverse()) FS.rmdir(folder);
}

function run(m, { graphText, answers, name, english }) {
  const FS = m.FS;
  const graphPath = graphText === null ? null : name;
  const made = graphPath === null ? null : writeGraph(FS, graphPath, graphText);
  FS.writeFile(RUN_DIR + "/stdin", new TextEncoder().encode(answers), { canOwn: true });
  try {
    const status = m.ccall("kostraRun", "number",
      ["string", "string", "string", "string", "number"],
      [graphPath, RUN_DIR + "/stdin", RUN_DIR + "/stdout", RUN_DIR + "/stderr", english ? 1 : 0]);
    if (status < 0) throw new Error("kostraRun: the run's files cannot be made");
    return { status, stdout: take("stdout"), stderr: take("stderr") };
  } finally {
    written.stdout = [];
    written.stderr = [];
    FS.unlink(RUN_DIR + "/stdin");
    if (made !== null) {
      FS.unlink(graphPath);
      removeFolders(FS, made);
    }
  }
}

// The edges of kostra's tree flag lines (the pattern's groups: the edge, the flag), read here so
// that the page's own thread never reads a large output: those in the forest, and the others.
function treeFlags(stdout, source) {
  const text = new TextDecoder().decode(stdout);
  const inForest = [];
  const outside = [];
  for (const found of text.matchAll(new RegExp(source, "gm"))) {
    (found[2] === "1" ? inForest : outside).push(Number(found[1]));
  }
  return { inForest, outside };
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
    if (data.treeFlags) {
      result.treeFlags = treeFlags(result.stdout, data.treeFlags);
      result.stdout = new Uint8Array(0);
      result.stderr = new Uint8Array(0);
    }
    postMessage({ id: data.id, ...result, memory: m.HEAPU8.length },
      [result.stdout.buffer, result.stderr.buffer]);
  } catch (e) {
    postMessage({ id: data.id, error: String(e), broken: true });
  }
};
