// The page: kostra's own program in a worker, a graph to give it, a task to choose, and the
// transcript it prints. KOSTRA (before this script) holds the catalogue's texts, the example
// graphs, the version, the licence and the worker's source.
"use strict";

// Outputs larger than this are offered only as a download: a page holding tens of megabytes of
// text freezes the browser.
const SHOWN_BYTES = 1 << 20;
// The edge table and the edge list stay small enough to be built at once.
const TABLE_EDGES = 500;
const LISTED_EDGES = 2000;

const $ = (id) => document.getElementById(id);

// ---- Language and texts

let language = "cs";

// A text of the catalogue in the page's language (or in lang), its %d and %s filled in order.
function text(name, ...args) {
  const pair = KOSTRA.texts[name];
  if (!pair) throw new Error("no text " + name);
  let i = 0;
  return pair[language === "en" ? 1 : 0].replace(/%2?d|%s/g, () => String(args[i++]));
}

// A catalogue format as a regular expression, its numbers its groups; where: "^" at the start of
// a line, "$" at its end (a question before it stays on its line).
function linePattern(name, where, lang = language) {
  const format = KOSTRA.texts[name][lang === "en" ? 1 : 0].replace(/\n$/, "");
  const escaped = format.replace(/[.*+?^${}()|[\]\\]/g, "\\$&");
  const pattern = escaped.replace(/%2d/g, " ?(-?\\d+)").replace(/%d/g, "(-?\\d+)");
  return new RegExp(where === "^" ? "^" + pattern : pattern + "$");
}

// The address holds the page's language ("jazyk=en") and the replay's step ("krok=N") or edge
// ("hrana=N"), parts joined by "&"; each keeps the others.
function languageFromAddress() {
  return /(^|[#&])jazyk=en(&|$)/.test(location.hash) ? "en" : "cs";
}

function addressParts(without) {
  return location.hash.replace(/^#/, "").split("&")
    .filter((part) => part !== "" && !without.test(part));
}

function showTexts() {
  document.documentElement.lang = language;
  document.title = text("kWebTitle");
  for (const element of document.querySelectorAll("[data-text]")) {
    element.textContent = text(element.dataset.text);
  }
  const other = language === "en" ? "cs" : "en";
  $("language").lang = other;
  $("notices").textContent = text("kWebNotices", KOSTRA.version, KOSTRA.licence.split("\n")[0]);
  $("graphviz-notice").textContent = text("kWebGraphvizNotice", KOSTRA.graphvizVersion,
    KOSTRA.vizVersion);
  showTasks();
  showMethods();
  showLayouts();
  showDrawingNote();
}

function setLanguage(lang) {
  if (lang === language) return;
  language = lang;
  showTexts();
  checking(refreshGraphNotes);
  checking(refreshEdges);
  showAnswers();
  if (lastResult) showResult(lastResult);
  showState();
  // The drawing speaks the page's language: kostra-dot's words, labels and lines made again.
  if (drawn !== null) draw(drawn);
}

// ---- The worker and the run interface

let worker = null;
let workerReady = null;
let readyState = "loading";
let brokenReason = "";
let nextId = 1;
const pending = new Map();

function startWorker() {
  const source = new Blob([KOSTRA.worker], { type: "text/javascript" });
  const url = URL.createObjectURL(source);
  worker = new Worker(url);
  URL.revokeObjectURL(url);
  readyState = "loading";
  showState();
  workerReady = new Promise((resolve, reject) => {
    worker.onmessage = ({ data }) => {
      if (data.ready) {
        readyState = "ready";
        document.documentElement.dataset.ready = "1";
        if (performance.getEntriesByName("kostra-ready").length === 0) {
          performance.mark("kostra-ready");
        }
        showState();
        resolve();
        return;
      }
      if (data.broken && data.id === undefined) {
        readyState = "broken";
        brokenReason = data.broken;
        showState();
        reject(new Error(data.broken));
        return;
      }
      const job = pending.get(data.id);
      if (!job) return;
      pending.delete(data.id);
      if (data.error) {
        job.reject(new Error(data.error));
        if (data.broken) restartWorker();
      } else {
        job.resolve(data);
        // A run that grew the module's memory far leaves it grown: a fresh worker gives it back.
        if (data.memory > (256 << 20) && pending.size === 0) restartWorker();
      }
    };
    worker.onerror = (event) => {
      event.preventDefault();
      readyState = "broken";
      brokenReason = event.message || "worker";
      showState();
      reject(new Error(brokenReason));
    };
  });
  workerReady.catch(() => {});
}

function restartWorker(reason) {
  worker.terminate();
  for (const job of pending.values()) job.reject(new Error(reason || "restarted"));
  pending.clear();
  startWorker();
}

// One run of kostra in the worker: the bytes of standard output and standard error, the status;
// with treeFlags (a pattern of kostra's tree flag lines), the edges in the forest and the others
// instead of the output.
function runBytes(graphText, answers, name, lang, treeFlags) {
  if (graphText !== null && typeof graphText !== "string") {
    return Promise.reject(new TypeError("graphText must be a string or null"));
  }
  const id = nextId++;
  const message = {
    id, graphText, answers: String(answers ?? ""), name: name ?? "graf.txt",
    english: (lang ?? language) === "en", treeFlags,
  };
  return new Promise((resolve, reject) => {
    pending.set(id, { resolve, reject });
    worker.postMessage(message);
  });
}

// Bytes as kostra wrote them: a byte order mark at the start is kept, not taken as a mark.
const decoder = new TextDecoder("utf-8", { ignoreBOM: true });

// The documented interface: window.kostra.run(graphText, answers, name) gives a Promise of
// {stdout, stderr, status}, exactly what the console program prints for the same graph file
// name and answers. graphText null: the graph is typed in answers, at the keyboard.
window.kostra = {
  ready: null,
  async run(graphText, answers, name = "graf.txt", options = {}) {
    const result = await runBytes(graphText, answers, name, options.language);
    return {
      stdout: decoder.decode(result.stdout),
      stderr: decoder.decode(result.stderr),
      status: result.status,
    };
  },
};

function showState() {
  const state = $("state");
  state.textContent = readyState === "loading" ? text("kWebLoading")
    : readyState === "broken" ? text("kWebBroken", brokenReason)
      : running ? text("kWebRunning") : text("kWebReady");
  // Tasks 4 and 5 wait for the list of the edges that their question takes.
  $("run").disabled = readyState !== "ready" || running || (chosenTask() >= 4 && usableEdges === null);
  $("stop").disabled = !running;
}

// ---- The graph

// A graph larger than SHOWN_BYTES is held here instead of in the text area.
let heldGraph = null;

function graphText() {
  return heldGraph ?? $("graph").value;
}

function setGraph(value, name) {
  if (name !== undefined) $("name").value = name;
  const big = value.length > SHOWN_BYTES;
  heldGraph = big ? value : null;
  $("graph").value = big ? "" : value;
  $("graph").hidden = big;
  $("graph-note").hidden = !big;
  if (big) $("graph-note").textContent = text("kWebGraphTooLarge", value.length);
  graphChanged();
}

// The graph as the edge table shows it: every line one number, the counts, then exactly the
// edges' values; null for anything else (kostra reads more, the table does not), and for a
// graph too large to be shown.
function parseGraph(value) {
  if (value.length > SHOWN_BYTES) return null;  // not read on the page's own thread
  const lines = value.split("\n");
  while (lines.length > 0 && lines[lines.length - 1].trim() === "") lines.pop();
  const numbers = [];
  for (const line of lines) {
    if (!/^\s*-?\d+\s*$/.test(line)) return null;
    numbers.push(Number(line));
  }
  if (numbers.length < 2) return null;
  const [m, n] = numbers;
  if (m < 0 || n < 1 || n > 2147483647 || numbers.length !== 2 + 3 * m) return null;
  const edges = [];
  for (let i = 0; i < m; i++) {
    const [from, to, weight] = numbers.slice(2 + 3 * i, 5 + 3 * i);
    if (from < 0 || from >= n || to < 0 || to >= n) return null;
    if (weight < -2147483648 || weight > 2147483647) return null;
    edges.push([from, to, weight]);
  }
  return { n, edges };
}

function graphOfTable(n, edges) {
  return [edges.length, n, ...edges.flat()].join("\n") + "\n";
}

function showTable(graph) {
  const usable = graph !== null && graph.edges.length <= TABLE_EDGES;
  $("table-on").hidden = !usable;
  $("table-off").hidden = usable;
  $("table-off").textContent = text("kWebTableOff", TABLE_EDGES);
  if (!usable) return;
  $("node-count").value = graph.n;
  const body = $("edges").tBodies[0];
  body.replaceChildren();
  graph.edges.forEach((edge, i) => {
    const row = body.insertRow();
    row.insertCell().textContent = i;
    edge.forEach((value, k) => {
      const input = document.createElement("input");
      input.type = "number";
      input.value = value;
      input.required = true;
      input.dataset.edge = i;
      input.dataset.field = k;
      input.setAttribute("aria-label", text("kWebEdgeNumber") + " " + i + ": "
        + text(["kWebFrom", "kWebTo", "kWebWeight"][k]));
      if (k < 2) {
        input.min = 0;
        input.max = graph.n - 1;
      }
      row.insertCell().append(input);
    });
    const remove = document.createElement("button");
    remove.type = "button";
    remove.textContent = "\u00d7";
    remove.dataset.remove = i;
    remove.setAttribute("aria-label", text("kWebRemoveEdge", i));
    row.insertCell().append(remove);
  });
}

// The table edited: the file's text written anew from it.
function tableEdited(change) {
  const graph = parseGraph(graphText());
  if (graph === null) return;
  change(graph);
  setGraph(graphOfTable(graph.n, graph.edges));
}

// ---- kostra's notes on the graph file, and the edges a question takes

let graphVersion = 0;

// The page's own runs of kostra (the notes on the graph, the edges a question takes) still to
// come or under way: the attribute data-settled="1" on <html> says there are none.
let checks = 0;
function checking(work) {
  checks++;
  document.documentElement.dataset.settled = "0";
  return work().finally(() => {
    if (--checks === 0) document.documentElement.dataset.settled = "1";
  });
}

let graphTimer = 0;
let graphPending = null;

// The graph changed: kostra reads it again once the typing pauses.
function graphChanged() {
  graphVersion++;
  if (drawn !== null) clearDrawing();
  if ($("table-box").open) showTable(parseGraph(graphText()));
  usableEdges = null;
  showState();
  clearTimeout(graphTimer);
  if (graphPending === null) {
    checking(() => new Promise((resolve) => {
      graphPending = resolve;
    }));
  }
  graphTimer = setTimeout(() => {
    const done = graphPending;
    graphPending = null;
    Promise.all([refreshGraphNotes(), refreshEdges()]).finally(done);
  }, 300);
  showAnswers();
}

// The graph file read by kostra with no answer: the notes it writes on standard error are the
// warnings on its lines, and why it is refused.
async function refreshGraphNotes() {
  const version = graphVersion;
  const list = $("warning-list");
  if ($("keyboard").checked || readyState === "broken") {
    $("warnings").hidden = true;
    return;
  }
  let result;
  try {
    await workerReady;
    result = await window.kostra.run(graphText(), "", $("name").value);
  } catch (e) {
    return;
  }
  if (version !== graphVersion) return;
  // kostra's warnings are found in either language.
  const at = ["cs", "en"].map((lang) => {
    const start = KOSTRA.texts.kWarningOnLine[lang === "en" ? 1 : 0];
    return new RegExp("^" + start.replace(/[.*+?^${}()|[\]\\]/g, "\\$&") + "(\\d+)");
  });
  const notes = result.stderr.split("\n").filter((line) => line !== "");
  list.replaceChildren();
  for (const note of notes) {
    const item = document.createElement("li");
    const found = at[0].exec(note) ?? at[1].exec(note);
    if (found) {
      const button = document.createElement("button");
      button.type = "button";
      button.textContent = text("kWebLine", found[1]);
      button.dataset.line = found[1];
      item.append(button, " ");
    }
    item.append(note);
    list.append(item);
  }
  $("warnings").hidden = notes.length === 0;
}

// Selects line number (1-based) of the text area.
function selectLine(number) {
  const area = $("graph");
  const lines = area.value.split("\n");
  let start = 0;
  for (let i = 0; i < number - 1 && i < lines.length; i++) start += lines[i].length + 1;
  const end = start + (lines[number - 1] ?? "").length;
  area.focus();
  area.setSelectionRange(start, end);
  const lineHeight = area.scrollHeight / Math.max(1, lines.length);
  area.scrollTop = Math.max(0, (number - 3) * lineHeight);
}

// The edges that the question of task 4 or 5 takes: kostra is run up to that question, and its
// tree flags say which edges are in the forest.
let edgeVersion = 0;
let usableEdges = null;

async function refreshEdges() {
  const version = ++edgeVersion;
  const task = chosenTask();
  const box = $("edge-box");
  box.hidden = task < 4;
  usableEdges = null;
  showState();
  if (task < 4) {
    if (drawn !== null && drawn.kind === "forest") clearDrawing();
    return;
  }
  showEdges(null);
  let result;
  try {
    await workerReady;
    const [graph, answers, name] = graphAndAnswers(task + "\n" + $("method").value + "\n");
    result = await runBytes(graph, answers, name, language, linePattern("kTreeFlagLine", "$").source);
  } catch (e) {
    return;
  }
  if (version !== edgeVersion) return;
  const edges = task === 5 ? result.treeFlags.inForest : result.treeFlags.outside;
  usableEdges = new Set(edges);
  showEdges(edges);
  showAnswers();
  showState();
  await drawForest(task, Number($("method").value));
}

function showEdges(edges) {
  const select = $("edge");
  const number = $("edge-number");
  const listed = edges === null || edges.length <= LISTED_EDGES;
  select.hidden = !listed;
  number.hidden = listed;
  const chosen = listed ? select.value : number.value;
  if (!listed) {
    number.title = text("kWebEdgeRange");
    number.setAttribute("aria-label", text("kWebEdgeRange"));
    if (number.value === "" || !usableEdges.has(Number(number.value))) {
      number.value = edges[0] ?? "";
    }
    return;
  }
  select.replaceChildren();
  if (edges === null) return;
  const graph = parseGraph(graphText());
  for (const e of edges) {
    const option = document.createElement("option");
    option.value = e;
    option.textContent = graph !== null
      ? text("kWebEdgeOption", e, ...graph.edges[e])
      : text("kWebEdgeNumber") + " " + e;
    select.append(option);
  }
  if (edges.length === 0) {
    const option = document.createElement("option");
    option.value = "";
    option.textContent = text("kWebNoEdge");
    select.append(option);
  }
  if (chosen !== "" && usableEdges.has(Number(chosen))) select.value = chosen;
}

function chosenEdge() {
  if (usableEdges === null) return "";
  const value = $("edge").hidden ? $("edge-number").value : $("edge").value;
  return value !== "" && usableEdges.has(Number(value)) ? value : "";
}

// ---- The task and its answers

function chosenTask() {
  const checked = document.querySelector("input[name=task]:checked");
  return checked ? Number(checked.value) : 1;
}

function showTasks() {
  const box = $("tasks");
  const task = chosenTask();
  box.querySelectorAll("label").forEach((label) => label.remove());
  ["kMethod1", "kMethod2", "kMethod3", "kLoopTask", "kCutTask"].forEach((name, i) => {
    const label = document.createElement("label");
    const input = document.createElement("input");
    input.type = "radio";
    input.name = "task";
    input.value = i + 1;
    input.checked = i + 1 === task;
    label.append(input, " " + (i + 1) + " - " + text(name));
    box.append(label);
  });
}

function showMethods() {
  const select = $("method");
  const method = select.value || "1";
  select.replaceChildren();
  ["kMethod1", "kMethod2", "kMethod3"].forEach((name, i) => {
    const option = document.createElement("option");
    option.value = i + 1;
    option.textContent = i + 1 + " - " + text(name);
    select.append(option);
  });
  select.value = method;
}

// The graph file and the answers of a run with these answers to the menu and what follows it:
// at the keyboard, the graph's values come first.
function graphAndAnswers(taskAnswers) {
  if (!$("keyboard").checked) return [graphText(), taskAnswers, $("name").value];
  let values = graphText().replace(/\s+$/, "");
  if (values !== "") values += "\n";
  return [null, values + taskAnswers, $("name").value];
}

function taskAnswers() {
  const task = chosenTask();
  let answers = task + "\n";
  if (task === 2 || task === 3) {
    answers += text($("narrate").checked ? "kYes" : "kNo") + "\n";
  } else if (task >= 4) {
    answers += $("method").value + "\n" + chosenEdge() + "\n";
  }
  return answers;
}

function showAnswers() {
  const task = chosenTask();
  $("method-box").hidden = task < 4;
  $("narrate-box").hidden = task !== 2 && task !== 3;
  $("edge-box").hidden = task < 4;
  const answers = graphAndAnswers(taskAnswers())[1];
  $("answers").value = answers.length > SHOWN_BYTES ? "" : answers;
}

// ---- The run and its transcript

let running = false;
let lastResult = null;

async function runTask() {
  const [graph, answers, name] = graphAndAnswers(taskAnswers());
  const task = chosenTask();
  const version = graphVersion;
  const drawnGraph = graphText();
  running = true;
  showState();
  try {
    const result = await runBytes(graph, answers, name);
    lastResult = result;
    showResult(result);
    if (result.status === 0) {
      // The forest's method: the task's, or the one that tasks 4 and 5 looked in.
      const method = task >= 4 ? Number(answers.split("\n").at(-3)) : task;
      draw({
        kind: "run", fresh: true, graphText: drawnGraph, transcript: result.stdout, name, version,
        task, method,
      });
    } else {
      clearDrawing();
    }
  } catch (e) {
    if (e.message !== "stopped") {
      lastResult = null;
      $("output").hidden = false;
      $("status").textContent = text("kWebBroken", e.message);
    }
  } finally {
    running = false;
    showState();
  }
}

function showStream(bytes, pre, note) {
  const shown = bytes.length <= SHOWN_BYTES;
  $(pre).textContent = shown ? decoder.decode(bytes) : "";
  $(pre).hidden = !shown;
  $(note).hidden = shown;
  $(note).textContent = shown ? "" : text("kWebTooLarge", bytes.length);
}

function showResult(result) {
  $("output").hidden = false;
  $("status").textContent = text("kWebStatus", result.status);
  showStream(result.stdout, "stdout", "stdout-note");
  showStream(result.stderr, "stderr", "stderr-note");
}

function download(bytes, name) {
  const url = URL.createObjectURL(new Blob([bytes], { type: "text/plain" }));
  const link = document.createElement("a");
  link.href = url;
  link.download = name;
  document.body.append(link);
  link.click();
  link.remove();
  setTimeout(() => URL.revokeObjectURL(url), 10000);
}

// ---- The drawing: kostra-dot's replay over the graph, made and laid out in a worker of its own

// Graphviz's layout engines, as kostra-dot's --layout names them.
const ENGINES = [["dot", "kWebLayoutDot"], ["neato", "kWebLayoutNeato"], ["circo", "kWebLayoutCirco"]];

let drawingWorker = null;
const drawingJobs = new Map();

// The drawing worker: kostra-dot's code and Graphviz compiled to WebAssembly, its source an
// element of the page that is not run here. It starts when a drawing is first asked for, so that
// loading it takes nothing from the page's start nor from kostra's runs.
function startDrawing() {
  const source = new Blob([$("drawing-source").textContent], { type: "text/javascript" });
  const url = URL.createObjectURL(source);
  drawingWorker = new Worker(url);
  URL.revokeObjectURL(url);
  drawingWorker.onmessage = ({ data }) => {
    const job = drawingJobs.get(data.id);
    if (!job) return;
    drawingJobs.delete(data.id);
    if (data.error === undefined) {
      job.resolve(data);
    } else {
      job.reject(new Error(data.error));
    }
  };
  drawingWorker.onerror = (event) => {
    event.preventDefault();
    stopDrawing(event.message || "Graphviz");
  };
}

function stopDrawing(reason) {
  for (const job of drawingJobs.values()) job.reject(new Error(reason));
  drawingJobs.clear();
  drawingWorker.terminate();
  drawingWorker = null;
}

// One job of the drawing worker: a run drawn ({graphText, transcript, name, english, engine}
// gives {made}) or a drawing laid out again ({dot, engine} gives {svg}). A job asked for while
// another is under way makes that one needless: the worker is ended (a layout can take long, circo
// on a large graph minutes) and a fresh one takes the new job.
function drawingJob(message) {
  if (drawingWorker !== null && drawingJobs.size > 0) stopDrawing("superseded");
  if (drawingWorker === null) startDrawing();
  const id = nextId++;
  return new Promise((resolve, reject) => {
    drawingJobs.set(id, { resolve, reject });
    drawingWorker.postMessage({ id, ...message });
  });
}

function showLayouts() {
  const select = $("layout");
  const engine = select.value || "dot";
  select.replaceChildren();
  for (const [name, label] of ENGINES) {
    const option = document.createElement("option");
    option.value = name;
    option.textContent = text(label);
    select.append(option);
  }
  select.value = engine;
}

// What the drawing shows, with what it was made of: kind "run" (the replay of the run made with
// the Run button) or "forest" (the forest of the method that tasks 4 and 5 look in, for picking
// the edge); the graph's text, name and version, kostra's output, the task and the forest's
// method, and what the worker made of them (made: the drawing, the replay's data and words, the
// SVG). null: no drawing.
let drawn = null;
let replay = null;
// Drawings asked for in turn: one that is done after a later one was asked for is not shown.
let drawingAsked = 0;
// The note beside the drawing: a text's name and what fills it in, or null.
let drawingNote = null;

function setDrawing(state) {
  document.documentElement.dataset.drawing = state;
}

function showDrawingNote(note) {
  if (note !== undefined) drawingNote = note;
  $("drawing-note").textContent = drawingNote === null ? "" : text(...drawingNote);
}

// The address without the replay's step or edge: a new replay starts at its first step.
function forgetStep() {
  const kept = addressParts(/^(krok|hrana)=/);
  const hash = kept.length > 0 ? "#" + kept.join("&") : "";
  if (location.hash !== hash) history.replaceState(null, "", location.pathname + location.search + hash);
}

function clearDrawing(note = null) {
  drawingAsked++;
  if (replay !== null) replay.destroy();
  if (drawn !== null && drawn.kind === "run") forgetStep();
  replay = null;
  drawn = null;
  $("drawing").hidden = true;
  setDrawing("none");
  showDrawingNote(note);
}

// Draws what says (see drawn), in the page's language and with the engine chosen: kostra-dot's
// code makes the drawing, Graphviz lays it out, and the replay is mounted on it; a fresh run's
// replay starts at its first step, one drawn again (in another language or layout) at the step
// the address names. With relayout, the drawing already made is laid out again.
async function draw(what, relayout = false) {
  const asked = ++drawingAsked;
  setDrawing("pending");
  showDrawingNote(["kWebDrawingPending"]);
  let made;
  try {
    if (relayout) {
      const laid = await drawingJob({ dot: what.made.dot, engine: $("layout").value });
      made = { ...what.made, svg: laid.svg };
    } else {
      made = (await drawingJob({
        graphText: what.graphText, transcript: what.transcript, name: what.name,
        english: language === "en", engine: $("layout").value,
      })).made;
    }
  } catch (e) {
    if (asked === drawingAsked) clearDrawing(["kWebLayoutFailed", e.message]);
    return;
  }
  if (asked !== drawingAsked) return;
  if (made.status !== 0) {
    clearDrawing(["kWebNoDrawing", made.note.trim().replace(/\n/g, " ")]);
    return;
  }
  // Graphviz's XML declaration and doctype are left out: the element alone is the drawing.
  const parsed = new DOMParser().parseFromString(made.svg.slice(made.svg.indexOf("<svg")),
    "image/svg+xml");
  const svg = document.importNode(parsed.documentElement, true);
  // The replay is mounted in a task of its own: a large drawing's parsing and mounting each take
  // a while, and the page answers in between.
  await new Promise((resolve) => setTimeout(resolve));
  if (asked !== drawingAsked) return;
  if (replay !== null) replay.destroy();
  if (what.kind === "run" && what.fresh) forgetStep();
  $("drawing").hidden = false;
  replay = window.kostraReplay.mount($("drawing"), {
    data: JSON.parse(made.data), words: JSON.parse(made.words), svg,
    options: { address: what.kind === "run" },
  });
  if (what.kind === "forest") replay.go(replay.steps());
  drawn = { ...what, made, fresh: false };
  setDrawing(what.kind);
  showDrawingNote(what.kind === "forest" ? ["kWebPickHint", what.method, what.task] : null);
}

// Tasks 4 and 5: the forest of the method they look in, drawn from a run of the task that marks
// it (task 1, or tasks 2 and 3 narrated, so that the replay is of that very method), for the
// edge to be picked with a click.
async function drawForest(task, method) {
  const version = graphVersion;
  // The drawing shown has that forest already: the run's replay, or the forest for the other task.
  if (drawn !== null && drawn.version === version && drawn.method === method) {
    if (drawn.kind === "forest") {
      drawn.task = task;
      showDrawingNote(["kWebPickHint", method, task]);
    }
    return;
  }
  const graph = graphText();
  const answers = method + "\n" + (method === 1 ? "" : text("kYes") + "\n");
  let result;
  try {
    result = await runBytes(graph, answers, "graf.txt", language);
  } catch (e) {
    return;
  }
  if (version !== graphVersion || task !== chosenTask() || String(method) !== $("method").value) {
    return;
  }
  if (result.status !== 0) {
    clearDrawing();
    return;
  }
  await draw({
    kind: "forest", graphText: graph, transcript: result.stdout, name: "graf.txt", version,
    task, method,
  });
}

// A click on an edge of the drawing of the forest that tasks 4 and 5 look in picks it, when the
// task takes it; otherwise the note says why not.
function edgeClicked(target) {
  const edge = target instanceof Element ? target.closest("g.edge") : null;
  const task = chosenTask();
  if (edge === null || !/^h\d+$/.test(edge.id) || drawn === null || task < 4) return;
  if (usableEdges === null || drawn.version !== graphVersion
      || drawn.method !== Number($("method").value)) {
    return;
  }
  const e = Number(edge.id.slice(1));
  if (!usableEdges.has(e)) {
    showDrawingNote([task === 4 ? "kWebEdgeInForest" : "kWebEdgeNotInForest", e]);
    return;
  }
  if ($("edge").hidden) {
    $("edge-number").value = e;
  } else {
    $("edge").value = String(e);
  }
  showAnswers();
  showDrawingNote(["kWebEdgePicked", e]);
}

// ---- A random graph

// Mulberry32: 32 bits of state, the same graph for the same seed in every browser.
function randomNumbers(seed) {
  let a = seed >>> 0;
  return () => {
    a = (a + 0x6d2b79f5) >>> 0;
    let t = a;
    t = Math.imul(t ^ (t >>> 15), t | 1);
    t ^= t + Math.imul(t ^ (t >>> 7), t | 61);
    return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
  };
}

function randomGraph() {
  const inputs = ["random-nodes", "random-edges", "random-low", "random-high", "random-seed"];
  for (const id of inputs) {
    if (!$(id).reportValidity()) return;
  }
  const [n, m, low, high, seed] = inputs.map((id) => Number($(id).value));
  const random = randomNumbers(seed);
  const [a, b] = low <= high ? [low, high] : [high, low];
  const edges = [];
  for (let i = 0; i < m; i++) {
    edges.push([Math.floor(random() * n), Math.floor(random() * n),
      a + Math.floor(random() * (b - a + 1))]);
  }
  setGraph(graphOfTable(n, edges));
}

// ---- Files

async function openFile(file) {
  try {
    setGraph(await file.text(), file.name);
  } catch (e) {
    $("graph-note").hidden = false;
    $("graph-note").textContent = text("kWebCannotRead", file.name);
  }
}

// ---- Wiring

function wire() {
  $("language").addEventListener("click", () => {
    const kept = addressParts(/^jazyk=/);
    location.hash = (language === "en" ? kept : ["jazyk=en", ...kept]).join("&");
  });
  window.addEventListener("hashchange", () => setLanguage(languageFromAddress()));

  for (const name of Object.keys(KOSTRA.examples)) {
    const option = document.createElement("option");
    option.value = option.textContent = name;
    $("example").append(option);
  }
  $("example").addEventListener("change", () => {
    const name = $("example").value;
    if (name) setGraph(KOSTRA.examples[name], name);
  });
  $("file").addEventListener("change", () => {
    if ($("file").files.length > 0) openFile($("file").files[0]);
  });
  document.addEventListener("dragover", (event) => event.preventDefault());
  document.addEventListener("drop", (event) => {
    event.preventDefault();
    const file = event.dataTransfer.files[0];
    if (file) openFile(file);
  });
  $("save").addEventListener("click", () => download(graphText(), $("name").value.split("/").pop() || "graf.txt"));
  $("random").addEventListener("click", randomGraph);
  $("graph").addEventListener("input", graphChanged);
  $("table-box").addEventListener("toggle", () => {
    if ($("table-box").open) showTable(parseGraph(graphText()));
  });
  $("name").addEventListener("input", graphChanged);
  $("keyboard").addEventListener("change", graphChanged);
  $("warning-list").addEventListener("click", (event) => {
    const line = event.target.dataset.line;
    if (line) selectLine(Number(line));
  });

  $("node-count").addEventListener("change", () => {
    if (!$("node-count").reportValidity()) return;
    tableEdited((graph) => {
      graph.n = Number($("node-count").value);
    });
  });
  $("edges").addEventListener("change", (event) => {
    const input = event.target;
    if (input.dataset.edge === undefined || !input.reportValidity()) return;
    tableEdited((graph) => {
      graph.edges[input.dataset.edge][input.dataset.field] = Number(input.value);
    });
  });
  $("edges").addEventListener("click", (event) => {
    const remove = event.target.dataset.remove;
    if (remove !== undefined) {
      tableEdited((graph) => {
        graph.edges.splice(Number(remove), 1);
      });
    }
  });
  $("add-edge").addEventListener("click", () => {
    tableEdited((graph) => {
      graph.edges.push([0, graph.n - 1, 1]);
    });
  });

  $("tasks").addEventListener("change", () => {
    checking(refreshEdges);
    showAnswers();
  });
  $("method").addEventListener("change", () => checking(refreshEdges));
  for (const id of ["narrate", "edge", "edge-number"]) $(id).addEventListener("change", showAnswers);
  $("edge-number").addEventListener("input", showAnswers);
  $("run").addEventListener("click", runTask);
  $("layout").addEventListener("change", () => {
    if (drawn !== null) draw(drawn, true);
  });
  // A click on an edge: a real click, or a pointer's press and release in one place (as the
  // replay takes them), picks it.
  let pressed = null;
  $("drawing").addEventListener("pointerdown", (event) => {
    pressed = { x: event.clientX, y: event.clientY, id: event.pointerId };
  });
  $("drawing").addEventListener("pointerup", (event) => {
    const still = pressed !== null && pressed.id === event.pointerId
      && Math.abs(event.clientX - pressed.x) + Math.abs(event.clientY - pressed.y) < 5;
    pressed = null;
    if (still) edgeClicked(event.target);
  });
  $("drawing").addEventListener("click", (event) => edgeClicked(event.target));
  // The replay's keys (the arrows, Home, End) act wherever the focus is but in the page's own
  // radio buttons and lists, which keep their arrows.
  document.querySelector("main").addEventListener("keydown", (event) => {
    const t = event.target;
    const own = t instanceof HTMLSelectElement || (t instanceof HTMLInputElement && t.type === "radio");
    if (own && !t.closest(".kr-prehravac")) event.stopPropagation();
  });
  $("stop").addEventListener("click", () => {
    restartWorker("stopped");
    $("status").textContent = text("kWebStopped");
  });
  $("stdout-download").addEventListener("click", () => {
    if (lastResult) download(lastResult.stdout, "stdout.txt");
  });
  $("stderr-download").addEventListener("click", () => {
    if (lastResult) download(lastResult.stderr, "stderr.txt");
  });
}

language = languageFromAddress();
startWorker();
window.kostra.ready = workerReady;
setDrawing("none");
$("licence").textContent = KOSTRA.licence;
// Each licence under its software's name, the first word of its file.
for (const licence of Object.values(KOSTRA.thirdParty)) {
  const details = document.createElement("details");
  const summary = document.createElement("summary");
  const pre = document.createElement("pre");
  summary.textContent = licence.split(/[\s(]/)[0];
  pre.textContent = licence;
  details.append(summary, pre);
  $("third-party").append(details);
}
showTexts();
wire();
setGraph(KOSTRA.examples["ctyri-uzly.txt"] ?? "", "graf.txt");
showState();
