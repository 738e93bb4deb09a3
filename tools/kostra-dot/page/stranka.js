'use strict';
// The replay of one kostra run over its drawing: kostra-dot's page (--html) and any page that
// mounts it.
//
//     const replay = window.kostraReplay.mount(root, {data, words, svg, options});
//
// root: the element the replay fills (it needs a height: the drawing takes what the controls
// and panels leave); data: the object that writePageData writes (Page.h), words: the one that
// writePageWords writes, svg: the drawing's <svg> element, as Graphviz (dot or viz.js) lays out
// the DOT that writeDot writes for a page (nodes "uN" and edges "hN" of class node and edge, with
// their ellipse, path and text). The replay moves svg into root. options (all optional):
// address (true: the address follows the step, "#krok=N", and opens the step it names, keeping
// any other part of it, "#jazyk=en&krok=N"; true unless given), keys (the element whose key
// presses move the steps; document unless given), state (the element that carries data-krok,
// data-kroku, data-vaha; document.body unless given).
// It returns a controller: go(k) shows step k, step() the step shown, steps() their number,
// showEdge(e) shows the loop or cut of edge e (tasks 4 and 5), destroy() removes everything the
// replay added (its elements, listeners, timer and attributes). Mounting again replaces the
// replay mounted before, which is destroyed first: a page holds one replay at a time.
//
// The state after step k comes from the steps up to k, which are kostra's methods' own events
// (Replay.h): this script applies them, it decides nothing. It is shown as attributes (data-stav
// on every node and edge, data-podstrom, data-klic, data-strana, data-orientace where they
// apply) and in the panels (#vysvetleni, #pseudokod, #fronta, #klice, #vysledek, #matice,
// #radky); docs/kostra-dot.md lists them. A step sets only the attributes it changes; the drawing
// is never laid out again. Every word shown is one of words: this script spells none.
(() => {
    const SVG_NS = 'http://www.w3.org/2000/svg';
    // The records of the steps, by their first number (Replay.h).
    const ENTRY = 0;
    const ACCEPTED = 1;
    const REFUSED = 2;
    const REST = 3;
    const TREE_START = 4;
    const CHOSEN = 5;
    const LOOP_EDGE = 6;
    const SPLIT = 7;
    const CUT_EDGE = 8;
    const SIGNS = 9;
    const LARGEST_ROWS = 30;  // the matrix of loops or cuts is shown up to this many rows
    const LABEL_PX = 14;      // the least size of a label on screen when the drawing is fitted
    const MOST_LABEL_PX = 34; // a small drawing grows until its labels are this large
    const SPEEDS = [2000, 1000, 500, 250, 100];
    let mounted = null;

    // A text of words with its "%d", "%2d" and "%s" filled in, in order.
    function format(template, ...values) {
        let at = 0;
        return template.replace(/%(?:2d|d|s)/g, () => String(values[at++]));
    }

    function element(tag, attributes, ...children) {
        const made = document.createElement(tag);
        for (const name in attributes || {}) made.setAttribute(name, attributes[name]);
        for (const child of children) made.append(child);
        return made;
    }

    function svgElement(tag, attributes) {
        const made = document.createElementNS(SVG_NS, tag);
        for (const name in attributes) made.setAttribute(name, attributes[name]);
        return made;
    }

    function mount(root, given) {
        if (mounted !== null) mounted.destroy();
        const data = given.data;
        const words = given.words;
        const options = given.options || {};
        const followAddress = options.address !== false;
        const keyTarget = options.keys || document;
        const stateElement = options.state || document.body;
        const word = (name) => {
            if (typeof words[name] !== 'string') throw new Error('kostra replay: no word ' + name);
            return words[name];
        };
        const say = (name, ...values) => format(word(name), ...values);

        const n = data.nodes;
        const m = data.edges;
        const steps = data.steps;
        const last = steps.length;
        const forestSteps = data.forestSteps;
        const method = data.method;
        const task = data.task;
        const chosen = data.chosen;
        const from = data.from;
        const to = data.to;
        const weight = data.weight;
        const forest = data.forest;
        const edgeName = (e) => say('kPageEdgeName', e);
        const signed = (o) => (o > 0 ? '+1' : '-1');

        // The order in which the edge order takes the edges: the order of its steps.
        const queue = [];
        if (method === 2) {
            for (let j = 0; j < forestSteps; j++) {
                const r = steps[j];
                if (r[0] === REST) {
                    for (let i = 1; i < r.length; i += 2) queue.push(r[i]);
                } else {
                    queue.push(r[1]);
                }
            }
        }

        // ---- The elements of the replay.
        const cleanups = [];
        const listen = (target, type, handler, how) => {
            target.addEventListener(type, handler, how);
            cleanups.push(() => target.removeEventListener(type, handler, how));
        };
        const box = element('div', {class: 'kr-prehravac'});
        const button = (id, label, title) => {
            const b = element('button', {id, type: 'button', title}, label);
            return b;
        };
        const buttons = {
            prvni: button('prvni', word('kPageFirst'), word('kPageFirstTitle')),
            zpet: button('zpet', word('kPageBack'), word('kPageBackTitle')),
            prehrat: button('prehrat', word('kPlay'), word('kPagePlayTitle')),
            vpred: button('vpred', word('kPageForward'), word('kPageForwardTitle')),
            posledni: button('posledni', word('kPageLast'), word('kPageLastTitle')),
        };
        buttons.prehrat.setAttribute('aria-pressed', 'false');
        const speed = element('select', {id: 'rychlost'});
        SPEEDS.forEach((ms) => {
            const option = element('option', {value: String(ms)}, word('kPageSpeed' + ms));
            if (ms === 1000) option.selected = true;
            speed.append(option);
        });
        const slider = element('input', {type: 'range', id: 'posuvnik', min: '0',
                                         max: String(last), value: '0',
                                         'aria-label': word('kPageSlider')});
        const counter = element('span', {id: 'cislo', 'aria-live': 'off'});
        const zoom = {
            in: button('zvetsit', '+', word('kPageZoomIn')),
            out: button('zmensit', '-', word('kPageZoomOut')),
            fit: button('cela', word('kPageZoomFit'), word('kPageDrawingHelp')),
        };
        zoom.in.setAttribute('aria-label', word('kPageZoomIn'));
        zoom.out.setAttribute('aria-label', word('kPageZoomOut'));
        const controls = element('nav', {id: 'ovladani', 'aria-label': word('kPageControlsName')},
                                 buttons.prvni, buttons.zpet, buttons.prehrat, buttons.vpred,
                                 buttons.posledni,
                                 element('label', {}, word('kPageSpeed') + ' ', speed),
                                 slider, counter,
                                 element('span', {class: 'kr-zoom'}, zoom.out, zoom.in, zoom.fit));

        const figure = element('figure', {id: 'kresba'});
        const sentence = element('p', {id: 'vysvetleni', 'aria-live': 'polite'});
        const caption = element('p', {id: 'popis'});
        const status = element('p', {id: 'stav'});
        const main = element('div', {class: 'kr-hlavni'}, sentence, caption, status);
        const more = element('div', {class: 'kr-dalsi'});
        const panel = element('aside', {class: 'kr-panel', 'aria-label':
                                        word('kPageExplanation')}, main, more);
        box.append(controls, element('div', {class: 'kr-telo'}, figure, panel));

        let intro = method === 1 ? word('kIntroWalk') :
            method === 2 ? word('kIntroKruskal') : word('kIntroPrim');
        if (task === 4) intro += word('kIntroLoop');
        if (task === 5) intro += word('kIntroCut');
        if (!data.narrated && task !== 1 && !(task >= 4 && method === 1)) {
            intro += word('kIntroMethodGuessed');
        }
        more.append(element('p', {class: 'kr-uvod'}, intro));

        // The pseudo-code of the forest's method and of the loop or cut.
        const code = element('ol', {id: 'pseudokod', 'aria-label': word('kPagePseudocode')});
        const codeOf = {
            1: ['kCodeWalk1', 'kCodeWalk2', 'kCodeWalk3', 'kCodeWalk4'],
            2: ['kCodeKruskal1', 'kCodeKruskal2', 'kCodeKruskal3', 'kCodeKruskal4',
                'kCodeKruskal5'],
            3: ['kCodePrim1', 'kCodePrim2', 'kCodePrim3', 'kCodePrim4', 'kCodePrim5'],
            4: ['kCodeLoop1', 'kCodeLoop2', 'kCodeLoop3', 'kCodeLoop4'],
            5: ['kCodeCut1', 'kCodeCut2', 'kCodeCut3', 'kCodeCut4'],
        };
        const codeLines = {};
        for (const which of [method, task >= 4 ? task : 0]) {
            if (!codeOf[which]) continue;
            codeLines[which] = codeOf[which].map((name) => {
                const li = element('li', {'data-kod': String(which)},
                                   element('code', {}, word(name)));
                code.append(li);
                return li;
            });
        }
        more.append(element('h2', {}, word('kPagePseudocode')), code);

        // The panels of the method: the edge queue, the keys; the loop or cut and its matrix.
        let queueItems = [];
        if (method === 2) {
            const list = element('ol', {id: 'fronta'});
            queueItems = queue.map((e) => {
                const li = element('li', {'data-hrana': String(e), 'data-stav': ''},
                                   say('kPageEdgeLabel', e, weight[e]));
                list.append(li);
                return li;
            });
            more.append(element('section', {}, element('h2', {}, word('kPageQueue')), list));
        }
        let keysBody = null;
        let keysSection = null;
        if (method === 3) {
            keysBody = element('tbody');
            const table = element('table', {id: 'klice'},
                                  element('thead', {}, element('tr', {},
                                          element('th', {scope: 'col'}, word('kPageNode')),
                                          element('th', {scope: 'col'}, word('kPageKey')),
                                          element('th', {scope: 'col'}, word('kPageEdge')))),
                                  keysBody);
            keysSection = element('section', {}, element('h2', {}, word('kPageKeys')), table);
            more.append(keysSection);
        }
        let resultList = null;
        let matrixRows = new Map();
        if (task >= 4) {
            resultList = element('ol', {id: 'vysledek'});
            more.append(element('h2', {}, word(task === 4 ? 'kPageLoopEdges' : 'kPageCutEdges')),
                        resultList);
        }

        // The legend: a sample of every state this run shows, with what tells it besides colour.
        const legend = element('ul', {class: 'kr-legenda'});
        const sample = (kind, state, meaning) => {
            const picture = svgElement('svg', {class: 'vzor', viewBox: '0 0 44 20',
                                               'aria-hidden': 'true'});
            const g = svgElement('g', {class: kind === 'edge' ? 'edge' : 'node'});
            for (const name in state) g.setAttribute(name, state[name]);  // class too
            g.append(kind === 'edge' ? svgElement('path', {d: 'M4 10H40'})
                                     : svgElement('ellipse', {cx: '22', cy: '10', rx: '8', ry: '8'}));
            picture.append(g);
            legend.append(element('li', {}, picture, word(meaning)));
        };
        sample('edge', {'data-stav': 'krok'}, 'kLegendStepEdge');
        sample('edge', {'data-stav': 'kostra'}, 'kLegendForest');
        if (method === 2) {
            sample('edge', {'data-stav': 'krok', class: 'edge kr-odmitani'}, 'kLegendStepRefused');
            sample('edge', {'data-stav': 'odmitnuta'}, 'kLegendRefused');
        }
        if (method === 3) sample('edge', {'data-stav': 'klic'}, 'kLegendKey');
        sample('edge', {'data-stav': ''}, 'kLegendOtherEdges');
        if (task >= 4) {
            sample('edge', {'data-stav': '', 'data-orientace': '1'}, 'kLegendPlus');
            sample('edge', {'data-stav': '', 'data-orientace': '-1'}, 'kLegendMinus');
        }
        sample('node', {'data-stav': 'krok'}, 'kLegendStepNode');
        if (method !== 2) sample('node', {'data-stav': 'hotovy'}, 'kLegendDone');
        if (method === 3) sample('node', {'data-stav': 'otevreny'}, 'kLegendOpen');
        if (method === 2) sample('node', {'data-stav': '', 'data-barva': '4'}, 'kLegendSubtree');
        if (task === 5) {
            sample('node', {'data-stav': '', 'data-strana': '1'}, 'kLegendFromSide');
            sample('node', {'data-stav': '', 'data-strana': '2'}, 'kLegendToSide');
        }
        sample('node', {'data-stav': ''}, 'kLegendOtherNodes');
        more.append(element('h2', {}, word('kPageLegend')), legend);

        // The lines of every step, kostra's as it printed them.
        const lines = element('ol', {id: 'radky'});
        const linesOf = [];
        for (let k = 0; k <= last; k++) linesOf.push([]);
        for (const [k, text] of data.lines) {
            const li = element('li', {'data-krok': String(k)},
                               element('a', {href: '#krok=' + k}, text));
            lines.append(li);
            if (k >= 0 && k <= last) linesOf[k].push(li);
        }
        more.append(element('h2', {}, word(method === 1 ? 'kWalkLines' : 'kKostraLines')),
                    element('p', {}, word('kNarrationLines')), lines);

        // ---- The drawing: fitted, zoomed and moved by its viewBox.
        const svg = given.svg;
        const base = svg.viewBox.baseVal;
        // The drawing's extent, with room for the marks that stand out of it beside the nodes.
        const pad = 16;
        const drawn = {x: base.x - pad, y: base.y - pad, width: (base.width || 1) + 2 * pad,
                       height: (base.height || 1) + 2 * pad};
        for (const name of ['width', 'height']) svg.removeAttribute(name);
        svg.setAttribute('preserveAspectRatio', 'xMidYMid meet');
        svg.setAttribute('role', 'img');
        svg.setAttribute('aria-label', say('kPageDrawingName', n, m));
        svg.setAttribute('tabindex', '0');
        const defs = svgElement('defs', {});
        // Arrowheads: +1 at the edge's to end, -1 at its from end; the path runs from -> to.
        for (const [id, orient] of [['kr-sipka', 'auto'], ['kr-sipka-zpet', 'auto-start-reverse']]) {
            const marker = svgElement('marker', {id, viewBox: '0 0 10 10', refX: '9', refY: '5',
                                                 markerWidth: '4', markerHeight: '4', orient});
            marker.append(svgElement('path', {d: 'M0 0L10 5L0 10z', class: id}));
            defs.append(marker);
        }
        const hatch = svgElement('pattern', {id: 'kr-srafa', width: '6', height: '6',
                                             patternUnits: 'userSpaceOnUse',
                                             patternTransform: 'rotate(45)'});
        hatch.append(svgElement('rect', {width: '6', height: '6', class: 'kr-srafa-pozadi'}),
                     svgElement('line', {x1: '0', y1: '0', x2: '0', y2: '6',
                                         class: 'kr-srafa-cara'}));
        defs.append(hatch);
        svg.insertBefore(defs, svg.firstChild);
        figure.append(svg);

        // The drawing's nodes and edges by their ids, found in one pass: the drawing is not in the
        // document yet, where an id would be found at once, and a search for every id would read
        // the whole drawing every time.
        const byId = new Map();
        for (const g of svg.querySelectorAll('g[id]')) byId.set(g.id, g);
        const nodes = [];
        const marks = [];  // a text beside every node: its subtree, its key, its side of a cut
        for (let i = 0; i < n; i++) {
            const g = byId.get('u' + i);
            nodes.push(g);
            const ellipse = g && g.querySelector('ellipse');
            let mark = null;
            if (ellipse) {
                mark = svgElement('text', {
                    class: 'stitek',
                    x: String(Number(ellipse.getAttribute('cx')) +
                              0.8 * Number(ellipse.getAttribute('rx'))),
                    y: String(Number(ellipse.getAttribute('cy')) -
                              0.8 * Number(ellipse.getAttribute('ry'))),
                });
                g.append(mark);
            }
            marks.push(mark);
        }
        const edges = [];
        const edgeLabels = [];
        const edgeTexts = [];
        for (let e = 0; e < m; e++) {
            const g = byId.get('h' + e);
            edges.push(g);
            const label = g && g.querySelector('text');
            edgeLabels.push(label);
            edgeTexts.push(label ? label.textContent : '');
        }
        // The marks beside the nodes are as large as the drawing's smallest label, which the
        // drawing is never fitted below LABEL_PX on screen.
        const smallestFont = Math.min(...Array.from(svg.querySelectorAll('text:not(.stitek)'), (t) =>
            Number.parseFloat(t.getAttribute('font-size')) || 14), 40);
        for (const mark of marks) if (mark) mark.setAttribute('font-size', String(smallestFont));
        const leastScale = LABEL_PX / smallestFont;
        const mostScale = Math.max(leastScale, MOST_LABEL_PX / smallestFont);

        root.append(box);

        // ---- The state after a step, applied step by step.
        function freshState() {
            const s = {
                edgeStav: new Array(m).fill(''), orient: new Array(m).fill(null),
                nodeStav: new Array(n).fill(''), label: [], key: new Array(n).fill(null),
                keyEdge: new Array(n).fill(-1), open: new Array(n).fill(false),
                side: new Array(n).fill(0), queueStav: new Array(m).fill(''),
                members: [], weight: 0, subtrees: n, claimed: 0, chosenCount: 0,
                phase: 'forest', loopAt: -1, found: [], lowered: new Map(), after: [],
                refusing: new Set(),
                focus: [], code: [method, 0], sentence: '', step: 0,
            };
            for (let i = 0; i < n; i++) {
                s.label.push(i);
                s.members.push([i]);
            }
            s.sentence = method === 1 ? word('kSayWalkStart') :
                method === 2 ? word('kSaySorting') : word('kSayPrimStart');
            return s;
        }

        // Step j (1 to last) applied to s, which shows step j - 1.
        function apply(s, j) {
            const r = steps[j - 1];
            for (const [array, index, value] of s.after) s[array][index] = value;
            s.after = [];
            s.lowered = new Map();
            s.refusing = new Set();
            s.focus = [];
            s.step = j;
            const mark = (array, index, now, later) => {
                s[array][index] = now;
                s.after.push([array, index, later]);
            };
            if (j === forestSteps + 1) {
                // The forest is whole: the loop or cut is drawn over it.
                s.phase = 'loop';
                for (let e = 0; e < m; e++) s.edgeStav[e] = forest[e] ? 'kostra' : '';
                s.nodeStav.fill('');
            }
            const treeOrNot = (e) => (forest[e] ? 'kostra' : '');
            switch (r[0]) {
                case ENTRY: {
                    const claims = [];
                    mark('nodeStav', r[1], 'krok', 'hotovy');
                    if (r[2] === 1) s.claimed++;
                    s.focus.push('u' + r[1]);
                    for (let i = 3; i < r.length; i += 2) {
                        const v = r[i];
                        const e = r[i + 1];
                        if (s.nodeStav[v] === '') s.nodeStav[v] = 'hotovy';
                        s.claimed++;
                        mark('edgeStav', e, 'krok', 'kostra');
                        s.weight += weight[e];
                        s.focus.push('h' + e);
                        claims.push(say('kSayClaim', v, e));
                    }
                    s.sentence = (r[2] === 1 ? say('kSayTreeAt', r[1]) : say('kSayEntry', r[1])) +
                        (claims.length ? say('kSayClaims', claims.join(', '))
                                       : word('kSayClaimsNothing'));
                    s.code = [1, r[2] === 1 ? 1 : 2];
                    break;
                }
                case ACCEPTED: {
                    const [, e, gone, kept] = r;
                    mark('edgeStav', e, 'krok', 'kostra');
                    mark('queueStav', e, 'krok', 'kostra');
                    s.focus.push('h' + e);
                    const moved = s.members[gone];
                    for (const i of moved) {
                        s.label[i] = kept;
                        mark('nodeStav', i, 'krok', '');
                        s.focus.push('u' + i);
                    }
                    s.members[kept] = s.members[kept].concat(moved);
                    s.members[gone] = [];
                    s.weight += weight[e];
                    s.subtrees--;
                    s.sentence = say('kSayAccepted', e, weight[e], gone, kept);
                    s.code = [2, 2];
                    break;
                }
                case REFUSED:
                    s.refusing.add(r[1]);
                    mark('edgeStav', r[1], 'krok', 'odmitnuta');
                    mark('queueStav', r[1], 'krok', 'odmitnuta');
                    s.focus.push('h' + r[1]);
                    s.sentence = say('kSayRefused', r[1], weight[r[1]], r[2]);
                    s.code = [2, 3];
                    break;
                case REST: {
                    const left = [];
                    let taken = true;
                    for (let i = 1; i < r.length; i += 2) {
                        const later = r[i + 1] >= 0 ? 'odmitnuta' : '';
                        taken = taken && r[i + 1] >= 0;
                        s.refusing.add(r[i]);
                        mark('edgeStav', r[i], 'krok', later);
                        mark('queueStav', r[i], 'krok', later);
                        s.focus.push('h' + r[i]);
                        left.push(r[i]);
                    }
                    s.sentence = say(taken ? 'kSayRestRefused' : 'kSayRestNotTaken',
                                     left.join(', '));
                    s.code = [2, taken ? 3 : 4];
                    break;
                }
                case TREE_START:
                    s.key[r[1]] = 0;
                    s.keyEdge[r[1]] = -1;
                    s.open[r[1]] = true;
                    s.nodeStav[r[1]] = 'otevreny';
                    s.focus.push('u' + r[1]);
                    s.sentence = say('kSayTreeStarts', r[1]);
                    s.code = [3, 1];
                    break;
                case CHOSEN: {
                    const [, a, key, e] = r;
                    s.open[a] = false;
                    s.chosenCount++;
                    mark('nodeStav', a, 'krok', 'hotovy');
                    s.focus.push('u' + a);
                    if (e >= 0) {
                        mark('edgeStav', e, 'krok', 'kostra');
                        s.focus.push('h' + e);
                        s.weight += key;
                    }
                    const lowered = [];
                    for (let i = 4; i < r.length; i += 5) {
                        const [v, before, edgeBefore, now, edge] = r.slice(i, i + 5);
                        if (edgeBefore >= 0 && s.edgeStav[edgeBefore] === 'klic') {
                            s.edgeStav[edgeBefore] = '';
                        }
                        s.key[v] = now;
                        s.keyEdge[v] = edge;
                        s.open[v] = true;
                        s.nodeStav[v] = 'otevreny';
                        s.edgeStav[edge] = 'klic';
                        const old = edgeBefore >= 0 ? String(before) : word('kPageNoKey');
                        s.lowered.set(v, old);
                        s.focus.push('u' + v);
                        lowered.push(say('kSayLowered', v, old, now, edge));
                    }
                    s.sentence = (e >= 0 ? say('kSayChosen', a, key, e) : say('kSayChosenStart', a)) +
                        (lowered.length ? say('kSayLowers', lowered.join(', '))
                                        : word('kSayLowersNothing'));
                    s.code = [3, 3];
                    break;
                }
                case LOOP_EDGE: {
                    const [, e, o] = r;
                    mark('edgeStav', e, 'krok', treeOrNot(e));
                    s.orient[e] = o;
                    s.found.push([e, o]);
                    s.focus.push('h' + e);
                    if (s.loopAt < 0) {
                        s.sentence = from[e] === to[e] ? say('kSayLoopSelf', e, from[e])
                            : say('kSayLoopStart', e, from[e], to[e], to[e], from[e]);
                        s.loopAt = to[e];
                        s.code = [4, 0];
                    } else {
                        const x = s.loopAt;
                        const y = o > 0 ? to[e] : from[e];
                        s.sentence = say(o > 0 ? 'kSayLoopAlong' : 'kSayLoopAgainst', e, x, y);
                        s.loopAt = y;
                        s.code = [4, 2];
                    }
                    break;
                }
                case SPLIT:
                    for (let i = 2; i < r.length; i += 2) s.side[r[i]] = r[i + 1];
                    mark('edgeStav', chosen, 'krok', 'kostra');
                    s.focus.push('h' + chosen);
                    s.sentence = say('kSaySplit', chosen, from[chosen], to[chosen]) +
                        (r[1] >= 0 ? say('kSayLeaf', r[1]) : '');
                    s.code = [5, 0];
                    break;
                case CUT_EDGE: {
                    const [, e, o] = r;
                    mark('edgeStav', e, 'krok', treeOrNot(e));
                    s.orient[e] = o;
                    s.found.push([e, o]);
                    s.focus.push('h' + e);
                    s.sentence = say(o > 0 ? 'kSayCutForward' : 'kSayCutBackward', e);
                    s.code = [5, 2];
                    break;
                }
                case SIGNS:
                    for (let e = 0; e < m; e++) s.orient[e] = data.orientation[e];
                    for (let i = 0; i < data.side.length; i++) s.side[i] = data.side[i];
                    s.focus.push('h' + chosen);
                    s.sentence = say(task === 4 ? 'kSayLoopDone' : 'kSayCutDone', chosen,
                                     s.found.map(([e, o]) => say('kSaySigned', e, signed(o)))
                                         .join(', '));
                    s.code = [task, 3];
                    break;
                default:
                    throw new Error('kostra replay: no step ' + r[0]);
            }
        }

        // ---- Showing a state.
        const shownNode = nodes.map(() => ({}));
        const shownEdge = edges.map(() => ({}));
        const shownMark = new Array(n).fill(null);
        const shownLabel = new Array(m).fill(null);
        function setAttributes(target, shown, wanted) {
            if (!target) return;
            for (const name in wanted) {
                const value = wanted[name];
                if (shown[name] === value) continue;
                shown[name] = value;
                if (value === null) {
                    target.removeAttribute(name);
                } else {
                    target.setAttribute(name, value);
                }
            }
        }
        function setText(target, shown, at, text) {
            if (!target || shown[at] === text) return;
            shown[at] = text;
            target.textContent = text;
        }

        // Draws s on the drawing and in the panels; view: the loop or cut of a clicked edge.
        function draw(s, view) {
            const inForest = s.phase === 'forest';
            for (let i = 0; i < n; i++) {
                const open = inForest && method === 3 && s.open[i];
                const labelled = inForest && method === 2;
                setAttributes(nodes[i], shownNode[i], {
                    'data-stav': s.nodeStav[i],
                    'data-podstrom': labelled ? String(s.label[i]) : null,
                    'data-barva': labelled ? String(s.label[i] % 12) : null,
                    'data-klic': open ? String(s.key[i]) : null,
                    'data-strana': s.side[i] > 0 ? String(s.side[i]) : null,
                });
                let text = '';
                if (labelled) text = word('kSubtreeMark') + s.label[i];
                if (open) text = word('kKeyMark') + s.key[i];
                if (s.side[i] > 0) text = word(s.side[i] === 1 ? 'kFromSide' : 'kToSide');
                setText(marks[i], shownMark, i, text);
            }
            for (let e = 0; e < m; e++) {
                const o = s.orient[e];
                setAttributes(edges[e], shownEdge[e], {
                    'data-stav': s.edgeStav[e],
                    'data-orientace': o === null ? null : String(o),
                });
                if (edges[e] && edges[e].classList.contains('kr-odmitani') !== s.refusing.has(e)) {
                    edges[e].classList.toggle('kr-odmitani', s.refusing.has(e));
                }
                setText(edgeLabels[e], shownLabel, e,
                        o === 1 || o === -1 ? edgeTexts[e] + ' (' + signed(o) + ')' : edgeTexts[e]);
            }
            const forestWeight = String(s.weight);
            if (stateElement) {
                stateElement.setAttribute('data-vaha', forestWeight);
                if (view === null) {
                    stateElement.removeAttribute('data-ukazana');
                } else {
                    stateElement.setAttribute('data-ukazana', String(view));
                }
            }

            sentence.textContent = s.sentence;
            const said = view === null ? linesOf[s.step].map((li) => li.textContent) : [];
            caption.textContent = said.join('\n');
            caption.hidden = said.length === 0;
            const counts = [say('kPageWeightSoFar', forestWeight)];
            if (method === 1) counts.push(say('kPageClaimed', s.claimed, n));
            if (method === 2) counts.push(say('kPageSubtrees', s.subtrees));
            if (method === 3) counts.push(say('kPageChosenNodes', s.chosenCount, n));
            status.textContent = counts.join(' \u00b7 ');

            for (const which in codeLines) {
                codeLines[which].forEach((li, at) => {
                    const here = view === null && Number(which) === s.code[0] && at === s.code[1];
                    if (here) {
                        li.setAttribute('aria-current', 'step');
                    } else {
                        li.removeAttribute('aria-current');
                    }
                    li.hidden = s.phase === 'forest' ? Number(which) !== method
                                                     : Number(which) === method && task >= 4;
                });
            }
            if (view !== null) {
                for (const which in codeLines) codeLines[which].forEach((li) => {
                    li.hidden = Number(which) !== task;
                });
            }

            for (const li of queueItems) {
                const e = Number(li.getAttribute('data-hrana'));
                const state = s.queueStav[e];
                if (li.getAttribute('data-stav') !== state) li.setAttribute('data-stav', state);
                li.classList.toggle('aktualni', state === 'krok');
                li.classList.toggle('kr-odmitani', s.refusing.has(e));
            }

            if (keysSection !== null) keysSection.hidden = !inForest;
            if (keysBody !== null) {
                const rows = [];
                if (inForest) {
                    for (let i = 0; i < n; i++) if (s.open[i]) rows.push(i);
                    rows.sort((a, b) => s.key[a] - s.key[b] || a - b);
                }
                keysBody.replaceChildren(...rows.map((i) => {
                    const tr = element('tr', {'data-uzel': String(i), 'data-klic': String(s.key[i]),
                                              'data-hrana': s.keyEdge[i] >= 0 ? String(s.keyEdge[i]) : ''});
                    let keyText = String(s.key[i]);
                    if (s.lowered.has(i)) {
                        tr.setAttribute('data-predtim', s.lowered.get(i));
                        tr.className = 'aktualni';
                        keyText = s.lowered.get(i) + ' \u2192 ' + keyText;
                    }
                    tr.append(element('td', {}, String(i)), element('td', {}, keyText),
                              element('td', {}, s.keyEdge[i] >= 0 ? edgeName(s.keyEdge[i]) : '-'));
                    return tr;
                }));
                if (rows.length === 0) {
                    keysBody.append(element('tr', {}, element('td', {colspan: '3'},
                                                             word('kPageNoOpenNode'))));
                }
            }
            if (resultList !== null) {
                const found = view === null ? s.found : viewFound;
                resultList.replaceChildren(...found.map(([e, o]) => element('li', {
                    'data-hrana': String(e), 'data-orientace': String(o),
                }, edgeName(e) + ' (' + signed(o) + ')')));
            }
            for (const [e, tr] of matrixRows) {
                tr.setAttribute('aria-selected', String(e === view));
            }
        }

        // Scrolls a panel's list, not the page, so that item shows.
        function keepInView(item) {
            const holder = more;
            const top = item.getBoundingClientRect().top - holder.getBoundingClientRect().top;
            if (top < 0 || top + item.offsetHeight > holder.clientHeight) {
                holder.scrollTop += top - holder.clientHeight / 3;
            }
        }

        // ---- The loop or cut of any eligible edge, from the forest (tasks 4 and 5).
        const forestRoutes = [];
        for (let i = 0; i < n; i++) forestRoutes.push([]);
        for (let e = 0; e < m; e++) {
            if (!forest[e]) continue;
            forestRoutes[from[e]].push(e);
            forestRoutes[to[e]].push(e);
        }
        const eligible = (e) => e >= 0 && e < m && (task === 4 ? !forest[e] : task === 5 && forest[e]);
        // The loop of a non-tree edge e: e (+1), then the forest's path from its to node back to
        // its from node, each edge +1 along its direction, -1 against it.
        function loopOf(e) {
            const found = [[e, 1]];
            const start = to[e];
            const goal = from[e];
            if (start === goal) return found;
            const cameBy = new Array(n).fill(-1);
            const seen = new Uint8Array(n);
            const queueOfNodes = [start];
            seen[start] = 1;
            for (let at = 0; at < queueOfNodes.length && !seen[goal]; at++) {
                const x = queueOfNodes[at];
                for (const d of forestRoutes[x]) {
                    const y = from[d] === x ? to[d] : from[d];
                    if (seen[y]) continue;
                    seen[y] = 1;
                    cameBy[y] = d;
                    queueOfNodes.push(y);
                }
            }
            if (!seen[goal]) return [];
            const path = [];
            for (let y = goal; y !== start;) {
                const d = cameBy[y];
                const x = from[d] === y ? to[d] : from[d];
                path.push([d, from[d] === x ? 1 : -1]);
                y = x;
            }
            return found.concat(path.reverse());
        }
        // The cut of a tree edge e: its two sides without it, and every edge between them, +1
        // from the from side to the to side, -1 the other way, in ascending number.
        function cutOf(e) {
            const side = new Array(n).fill(0);
            for (const [startNode, label] of [[from[e], 1], [to[e], 2]]) {
                const stack = [startNode];
                side[startNode] = label;
                while (stack.length > 0) {
                    const x = stack.pop();
                    for (const d of forestRoutes[x]) {
                        const y = from[d] === x ? to[d] : from[d];
                        if (d === e || side[y] !== 0) continue;
                        side[y] = label;
                        stack.push(y);
                    }
                }
            }
            const found = [];
            for (let d = 0; d < m; d++) {
                if (side[from[d]] + side[to[d]] === 3) found.push([d, side[from[d]] === 1 ? 1 : -1]);
            }
            return {side, found};
        }

        if (task >= 4) {
            const rows = [];
            for (let e = 0; e < m; e++) if (eligible(e)) rows.push(e);
            const heading = element('h2', {}, word(task === 4 ? 'kPageLoopMatrix' : 'kPageCutMatrix'));
            if (rows.length <= LARGEST_ROWS) {
                const head = element('tr', {}, element('th', {scope: 'col'}, ''));
                for (let e = 0; e < m; e++) head.append(element('th', {scope: 'col'}, edgeName(e)));
                const body = element('tbody');
                for (const e of rows) {
                    const entries = new Array(m).fill(0);
                    for (const [d, o] of task === 4 ? loopOf(e) : cutOf(e).found) entries[d] = o;
                    const tr = element('tr', {'data-hrana': String(e), tabindex: '0',
                                              'aria-selected': 'false'},
                                       element('th', {scope: 'row'}, edgeName(e)));
                    for (const v of entries) tr.append(element('td', {}, String(v)));
                    body.append(tr);
                    matrixRows.set(e, tr);
                }
                more.append(heading, element('p', {}, word('kPageMatrixHint')),
                            element('div', {class: 'kr-matice'},
                                    element('table', {id: 'matice'}, element('thead', {}, head),
                                            body)));
            } else {
                more.append(heading, element('p', {}, say('kPageMatrixTooLarge', rows.length)));
            }
        }

        // ---- Fitting, zooming and moving the drawing.
        const view = {scale: 1, x: drawn.x, y: drawn.y, chosen: false};
        // The figure's size, as last measured: the drawing is sized in pixels, not in percent, so
        // that nothing laid out beside it lays the drawing out again.
        let frameSize = null;
        function viewport() {
            if (frameSize === null) {
                frameSize = {width: figure.clientWidth || 1, height: figure.clientHeight || 1};
            }
            return frameSize;
        }
        // The scale that shows the whole drawing, with room around it for the marks beside the
        // nodes.
        function fitScale() {
            const {width, height} = viewport();
            const room = 24;
            return Math.max(Math.min((width - 2 * room) / drawn.width,
                                     (height - 2 * room) / drawn.height), 0.01);
        }
        function setView() {
            const {width, height} = viewport();
            const w = width / view.scale;
            const h = height / view.scale;
            // The drawing stays in sight: centred along a side where it is smaller than the view.
            const place = (at, size, seen, origin) => (size <= seen ? origin - (seen - size) / 2
                : Math.min(Math.max(at, origin - seen / 4), origin + size - seen * 3 / 4));
            view.x = place(view.x, drawn.width, w, drawn.x);
            view.y = place(view.y, drawn.height, h, drawn.y);
            svg.setAttribute('viewBox', [view.x, view.y, w, h].map((v) => v.toFixed(2)).join(' '));
            if (svg.style.width !== width + 'px') svg.style.width = width + 'px';
            if (svg.style.height !== height + 'px') svg.style.height = height + 'px';
        }
        function autoScale() {
            return Math.max(leastScale, Math.min(fitScale(), mostScale));
        }
        // Zooms by factor around the point (px, py) of the figure.
        function zoomBy(factor, px, py) {
            const {width, height} = viewport();
            const x = px === undefined ? width / 2 : px;
            const y = py === undefined ? height / 2 : py;
            const ux = view.x + x / view.scale;
            const uy = view.y + y / view.scale;
            view.scale = Math.min(Math.max(view.scale * factor, fitScale() / 2), 8);
            view.x = ux - x / view.scale;
            view.y = uy - y / view.scale;
            view.chosen = true;
            setView();
        }
        function moveBy(dx, dy) {
            view.x += dx / view.scale;
            view.y += dy / view.scale;
            view.chosen = true;
            setView();
        }
        function fitWhole() {
            view.scale = fitScale();
            view.chosen = true;
            setView();
        }
        // Brings the elements of the step into sight: all of them when they fit, else the first.
        // Where every node and edge lies in the drawing's own units, measured once: a step then
        // moves the view without waiting for the drawing to be laid out again.
        let places = null;
        function measure() {
            const toDrawing = svg.getScreenCTM();
            if (toDrawing === null) return null;
            const back = toDrawing.inverse();
            const found = new Map();
            for (const g of [...nodes, ...edges]) {
                if (!g) continue;
                const r = g.getBoundingClientRect();
                const a = new DOMPoint(r.left, r.top).matrixTransform(back);
                const b = new DOMPoint(r.right, r.bottom).matrixTransform(back);
                found.set(g.id, {left: Math.min(a.x, b.x), top: Math.min(a.y, b.y),
                                 right: Math.max(a.x, b.x), bottom: Math.max(a.y, b.y)});
            }
            return found;
        }
        // Brings the elements of the step into sight: all of them when they fit, else the first
        // with its ends, else the first alone.
        function bringIntoView(ids) {
            if (ids.length === 0) return;
            if (places === null) places = measure();
            if (places === null) return;
            // An edge is seen with its two ends.
            const named = ids.flatMap((id) => {
                if (id[0] !== 'h') return [id];
                const e = Number(id.slice(1));
                return [id, 'u' + from[e], 'u' + to[e]];
            });
            const {width, height} = viewport();
            const bounds = (list) => {
                const held = list.map((id) => places.get(id)).filter(Boolean);
                if (held.length === 0) return null;
                const at = (u, origin) => (u - origin) * view.scale;
                return {
                    left: at(Math.min(...held.map((r) => r.left)), view.x),
                    top: at(Math.min(...held.map((r) => r.top)), view.y),
                    right: at(Math.max(...held.map((r) => r.right)), view.x),
                    bottom: at(Math.max(...held.map((r) => r.bottom)), view.y),
                };
            };
            const margin = 20;
            const fits = (r) => r.right - r.left <= width - 2 * margin &&
                r.bottom - r.top <= height - 2 * margin;
            let b = bounds(named);
            if (b === null) return;
            if (!fits(b)) b = bounds(named.slice(0, ids[0][0] === 'h' ? 3 : 1));
            if (!fits(b)) b = bounds(named.slice(0, 1));
            let dx = 0;
            let dy = 0;
            if (b.left < margin) {
                dx = b.left - margin;
            } else if (b.right > width - margin) {
                dx = Math.min(b.right - width + margin, b.left - margin);
            }
            if (b.top < margin) {
                dy = b.top - margin;
            } else if (b.bottom > height - margin) {
                dy = Math.min(b.bottom - height + margin, b.top - margin);
            }
            if (dx !== 0 || dy !== 0) {
                view.x += dx / view.scale;
                view.y += dy / view.scale;
                setView();
            }
        }
        function refit() {
            if (!view.chosen) {
                view.scale = autoScale();
                setView();
            } else {
                setView();
            }
            bringIntoView(state.focus);
        }

        // ---- Moving through the steps.
        let state = freshState();
        let current = -1;
        let viewEdge = null;
        let viewFound = [];
        let timer = null;

        function stateAt(k) {
            if (k === state.step + 1) {
                apply(state, k);
            } else if (k !== state.step) {
                state = freshState();
                for (let j = 1; j <= k; j++) apply(state, j);
            }
            return state;
        }

        // The address's parts, joined by "&": the replay's own, "krok=N" or "hrana=N", and any
        // other that the page it is mounted on keeps there ("jazyk=en"), left as they are.
        function addressParts() {
            return location.hash.replace(/^#/, '').split('&').filter((part) => part !== '');
        }
        function setAddress(part) {
            if (!followAddress) return;
            const kept = addressParts().filter((p) => !/^(krok|hrana)=/.test(p));
            const hash = '#' + kept.concat([part]).join('&');
            if (location.hash !== hash) history.replaceState(null, '', hash);
        }

        function go(k) {
            k = Math.max(0, Math.min(last, Math.trunc(Number(k)) || 0));
            const leaving = viewEdge !== null;
            viewEdge = null;
            if (k !== current || leaving) {
                if (current >= 0) for (const li of linesOf[current]) li.classList.remove('aktualni');
                draw(stateAt(k), null);
                current = k;
                for (const li of linesOf[k]) li.classList.add('aktualni');
                afterFrame(() => {
                    if (linesOf[current].length > 0) keepInViewLines(linesOf[current][0]);
                    const queued = queueItems.find((li) => li.classList.contains('aktualni'));
                    if (queued) keepInView(queued);
                });
                if (stateElement) stateElement.setAttribute('data-krok', String(k));
                slider.value = String(k);
                counter.textContent = say('kStepOf', k, last);
                buttons.prvni.disabled = buttons.zpet.disabled = k === 0;
                buttons.vpred.disabled = buttons.posledni.disabled = k === last;
                bringIntoView(state.focus);
            }
            if (timer !== null && k === last) pause();
            setAddress('krok=' + k);
        }
        // The panels' lists follow the step once the step is drawn, so that a step need not wait
        // for the page to be laid out.
        let frameAsked = null;
        function afterFrame(work) {
            if (frameAsked !== null) cancelAnimationFrame(frameAsked);
            frameAsked = requestAnimationFrame(() => {
                frameAsked = null;
                work();
            });
        }
        function keepInViewLines(li) {
            const top = li.offsetTop;
            if (top < lines.scrollTop || top + li.offsetHeight > lines.scrollTop + lines.clientHeight) {
                lines.scrollTop = top - lines.clientHeight / 3;
            }
        }

        // The loop or cut of edge e on the drawing, as the last step shows the chosen edge's.
        function showEdge(e) {
            e = Number(e);
            if (!eligible(e)) return false;
            pause();
            const s = freshState();
            for (let j = 1; j <= forestSteps; j++) apply(s, j);
            for (const [array, index, value] of s.after) s[array][index] = value;
            s.after = [];
            s.phase = 'loop';
            for (let d = 0; d < m; d++) s.edgeStav[d] = forest[d] ? 'kostra' : '';
            s.nodeStav.fill('');
            s.edgeStav[e] = 'krok';
            s.orient.fill(0);
            if (task === 4) {
                viewFound = loopOf(e);
            } else {
                const cut = cutOf(e);
                viewFound = cut.found;
                s.side = cut.side;
            }
            for (const [d, o] of viewFound) s.orient[d] = o;
            s.found = viewFound;
            s.sentence = say(task === 4 ? 'kSayOtherLoop' : 'kSayOtherCut', e,
                             viewFound.map(([d, o]) => say('kSaySigned', d, signed(o))).join(', '));
            s.step = -1;
            viewEdge = e;
            if (current >= 0) for (const li of linesOf[current]) li.classList.remove('aktualni');
            draw(s, e);
            state = freshState();
            for (let j = 1; j <= current; j++) apply(state, j);
            bringIntoView(['h' + e]);
            setAddress('hrana=' + e);
            return true;
        }

        function pause() {
            clearInterval(timer);
            timer = null;
            buttons.prehrat.textContent = word('kPlay');
            buttons.prehrat.setAttribute('aria-pressed', 'false');
        }
        function play() {
            if (last === 0) return;
            if (current === last) go(0);
            clearInterval(timer);
            timer = setInterval(() => go(current + 1), Number(speed.value));
            buttons.prehrat.textContent = word('kPause');
            buttons.prehrat.setAttribute('aria-pressed', 'true');
        }
        function toggle() {
            if (timer === null) {
                play();
            } else {
                pause();
            }
        }

        // What an address names: a step ("krok=N") or an edge ("hrana=N"), its last such part;
        // null for none.
        function readAddress() {
            let named = null;
            for (const part of addressParts()) {
                const found = /^(krok|hrana)=(\d{1,9})$/.exec(part);
                if (found) named = {what: found[1], number: Number(found[2])};
            }
            return named;
        }
        function followTo(asked) {
            if (asked !== null && asked.what === 'hrana' && showEdge(asked.number)) return;
            go(asked !== null && asked.what === 'krok' ? asked.number : Math.max(current, 0));
        }

        listen(buttons.prvni, 'click', () => go(0));
        listen(buttons.zpet, 'click', () => go(current - 1));
        listen(buttons.vpred, 'click', () => go(current + 1));
        listen(buttons.posledni, 'click', () => go(last));
        listen(buttons.prehrat, 'click', toggle);
        listen(slider, 'input', () => go(slider.value));
        listen(speed, 'change', () => {
            if (timer !== null) play();
        });
        listen(zoom.in, 'click', () => zoomBy(1.25));
        listen(zoom.out, 'click', () => zoomBy(0.8));
        listen(zoom.fit, 'click', fitWhole);
        listen(lines, 'click', (event) => {
            const li = event.target.closest('li[data-krok]');
            if (!li) return;
            event.preventDefault();
            go(Number(li.getAttribute('data-krok')));
        });
        for (const [e, tr] of matrixRows) {
            listen(tr, 'click', () => showEdge(e));
            listen(tr, 'keydown', (event) => {
                if (event.key !== 'Enter' && event.key !== ' ') return;
                event.preventDefault();
                event.stopPropagation();
                showEdge(e);
            });
        }
        if (followAddress) listen(window, 'hashchange', () => followTo(readAddress()));

        // The mouse: the wheel zooms around the pointer, a drag moves the drawing, a click on an
        // eligible edge shows its loop or cut.
        let drag = null;
        listen(figure, 'wheel', (event) => {
            event.preventDefault();
            const frame = figure.getBoundingClientRect();
            zoomBy(event.deltaY < 0 ? 1.15 : 1 / 1.15, event.clientX - frame.left,
                   event.clientY - frame.top);
        }, {passive: false});
        listen(figure, 'pointerdown', (event) => {
            if (event.button !== 0) return;
            drag = {x: event.clientX, y: event.clientY, moved: false, id: event.pointerId};
        });
        listen(figure, 'pointermove', (event) => {
            if (drag === null || event.pointerId !== drag.id) return;
            const dx = event.clientX - drag.x;
            const dy = event.clientY - drag.y;
            if (!drag.moved && Math.abs(dx) + Math.abs(dy) < 5) return;
            if (!drag.moved) figure.setPointerCapture(drag.id);
            drag.moved = true;
            drag.x = event.clientX;
            drag.y = event.clientY;
            moveBy(-dx, -dy);
        });
        listen(figure, 'pointerup', (event) => {
            if (drag === null || event.pointerId !== drag.id) return;
            const moved = drag.moved;
            drag = null;
            if (moved || task < 4) return;
            const g = event.target.closest && event.target.closest('.edge');
            if (g && /^h\d+$/.test(g.id)) showEdge(Number(g.id.slice(1)));
        });
        listen(figure, 'pointercancel', () => {
            drag = null;
        });

        // The keys: the arrows, Home and End always move the steps, wherever the focus is, but
        // in a text field; space plays and pauses, but on a control, which it presses.
        const textField = (t) => t instanceof HTMLTextAreaElement || (t && t.isContentEditable) ||
            (t instanceof HTMLInputElement &&
             !['range', 'button', 'submit', 'reset', 'checkbox', 'radio', 'color', 'file',
               'image'].includes(t.type));
        const pressable = (t) => t instanceof HTMLButtonElement || t instanceof HTMLSelectElement ||
            (t instanceof Element && t.localName === 'summary') ||
            (t instanceof HTMLInputElement && t.type !== 'range') ||
            (t instanceof Element && t.matches('[role="button"], tr[tabindex]'));
        listen(keyTarget, 'keydown', (event) => {
            if (event.altKey || event.ctrlKey || event.metaKey || event.defaultPrevented) return;
            if (textField(event.target)) return;
            const pan = {ArrowLeft: [-60, 0], ArrowRight: [60, 0], ArrowUp: [0, -60],
                         ArrowDown: [0, 60]}[event.key];
            if (event.shiftKey && pan) {
                moveBy(pan[0], pan[1]);
            } else {
                switch (event.key) {
                    case 'ArrowLeft': go(current - 1); break;
                    case 'ArrowRight': go(current + 1); break;
                    case 'Home': go(0); break;
                    case 'End': go(last); break;
                    case ' ':
                        if (pressable(event.target)) return;
                        toggle();
                        break;
                    case '+': case '=': zoomBy(1.25); break;
                    case '-': zoomBy(0.8); break;
                    case '0': fitWhole(); break;
                    case 'Escape':
                        if (viewEdge === null) return;
                        go(current);
                        break;
                    default: return;
                }
            }
            event.preventDefault();
        });

        const resized = new ResizeObserver((entries) => {
            const box = entries[entries.length - 1].contentRect;
            frameSize = {width: Math.max(1, Math.round(box.width)),
                         height: Math.max(1, Math.round(box.height))};
            refit();
        });
        resized.observe(figure);
        cleanups.push(() => resized.disconnect());

        if (stateElement) stateElement.setAttribute('data-kroku', String(last));
        if (last === 0) for (const id in buttons) buttons[id].disabled = true;
        view.scale = autoScale();
        setView();
        followTo(followAddress ? readAddress() : null);
        if (current < 0) go(0);
        refit();

        const controller = {
            go: (k) => go(k),
            step: () => current,
            steps: () => last,
            showEdge: (e) => showEdge(e),
            destroy() {
                pause();
                if (frameAsked !== null) cancelAnimationFrame(frameAsked);
                for (const undo of cleanups) undo();
                cleanups.length = 0;
                box.remove();
                if (stateElement) {
                    for (const name of ['data-krok', 'data-kroku', 'data-vaha', 'data-ukazana']) {
                        stateElement.removeAttribute(name);
                    }
                }
                if (mounted === controller) mounted = null;
            },
        };
        mounted = controller;
        return controller;
    }

    window.kostraReplay = {mount};

    // kostra-dot's own page mounts the replay on its main element at once.
    const host = document.getElementById('prehravac');
    const data = document.getElementById('data');
    const words = document.getElementById('words');
    if (host && data && words && host.querySelector('svg')) {
        mount(host, {data: JSON.parse(data.textContent), words: JSON.parse(words.textContent),
                     svg: host.querySelector('svg')});
    }
})();
