'use strict';
// kostra-dot's page: replays the steps of one kostra run over its drawing. The steps are the data
// in #data (see Replay.h); the state after step k is worked out from the steps up to k and shown
// as attributes of the drawing's elements: data-stav on every node (uN) and edge (hN), and
// data-podstrom, data-klic, data-strana, data-orientace where they apply. A step changes
// attributes only; the drawing is never laid out again. The words it shows are the page's own, in
// its language (#words).
(() => {
    const data = JSON.parse(document.getElementById('data').textContent);
    const words = JSON.parse(document.getElementById('words').textContent);
    const n = data.nodes;
    const m = data.edges;
    const steps = data.steps;
    const last = steps.length;
    const body = document.body;
    const svgNs = 'http://www.w3.org/2000/svg';

    const nodes = [];
    const labels = [];  // a text beside every node: its subtree, its key, its side of a cut
    for (let i = 0; i < n; i++) {
        const g = document.getElementById('u' + i);
        nodes.push(g);
        const ellipse = g && g.querySelector('ellipse');
        let label = null;
        if (ellipse) {
            label = document.createElementNS(svgNs, 'text');
            label.setAttribute('class', 'stitek');
            const x = Number(ellipse.getAttribute('cx')) + 0.8 * Number(ellipse.getAttribute('rx'));
            const y = Number(ellipse.getAttribute('cy')) - 0.8 * Number(ellipse.getAttribute('ry'));
            label.setAttribute('x', String(x));
            label.setAttribute('y', String(y));
            g.appendChild(label);
        }
        labels.push(label);
    }
    const edges = [];
    for (let k = 0; k < m; k++) edges.push(document.getElementById('h' + k));

    // The lines of each step, and the text shown when a step has none.
    const linesOf = [];
    for (let k = 0; k <= last; k++) linesOf.push([]);
    for (const li of document.querySelectorAll('#radky li')) {
        const k = Number(li.getAttribute('data-krok'));
        if (k >= 0 && k <= last) linesOf[k].push(li);
    }

    function showsResult(k) {
        return data.kind === 'result' || (data.endsOnResult && k === last);
    }

    // What every node and edge shows after step k: for each element its attributes (null: none)
    // and for each node the text beside it; besides, the tree that step k starts (-1: none).
    function stateAt(k) {
        const node = [];
        const edge = [];
        const text = new Array(n).fill('');
        for (let i = 0; i < n; i++) {
            node.push({'data-stav': '', 'data-podstrom': null, 'data-klic': null,
                       'data-strana': null, 'data-barva': null});
        }
        for (let e = 0; e < m; e++) edge.push({'data-stav': '', 'data-orientace': null});
        let startsTree = -1;

        if (showsResult(k)) {
            for (let e = 0; e < m; e++) {
                if (data.forest[e] === 1) edge[e]['data-stav'] = 'kostra';
                if (data.orientation.length > 0) edge[e]['data-orientace'] = String(data.orientation[e]);
            }
            for (let i = 0; i < data.side.length; i++) {
                const side = data.side[i];
                if (side === 0) continue;
                node[i]['data-strana'] = String(side);
                text[i] = side === 1 ? words.fromSide : words.toSide;
            }
        } else if (data.kind === 'walk') {
            const claimed = new Uint8Array(n);
            for (let j = 1; j <= k; j++) {
                const r = steps[j - 1];
                claimed[r[0]] = 1;
                for (let i = 2; i < r.length; i += 2) {
                    claimed[r[i]] = 1;
                    edge[r[i + 1]]['data-stav'] = j === k ? 'krok' : 'kostra';
                }
            }
            for (let i = 0; i < n; i++) if (claimed[i]) node[i]['data-stav'] = 'hotovy';
            if (k > 0) {
                node[steps[k - 1][0]]['data-stav'] = 'krok';
                if (steps[k - 1][1] === 1) startsTree = steps[k - 1][0];
            }
        } else if (data.kind === 'kruskal') {
            const label = [];
            for (let i = 0; i < n; i++) label.push(i);
            for (let j = 1; j <= k; j++) {
                const r = steps[j - 1];
                for (let i = 3; i < r.length; i++) edge[r[i]]['data-stav'] = 'odmitnuta';
                edge[r[0]]['data-stav'] = j === k ? 'krok' : 'kostra';
                for (let i = 0; i < n; i++) {
                    if (label[i] !== r[1]) continue;
                    label[i] = r[2];
                    if (j === k) node[i]['data-stav'] = 'krok';
                }
            }
            for (let i = 0; i < n; i++) {
                node[i]['data-podstrom'] = String(label[i]);
                node[i]['data-barva'] = String(label[i] % 12);
                text[i] = words.subtree + label[i];
            }
        } else if (data.kind === 'prim') {
            const key = new Array(n).fill(null);
            const keyEdge = new Array(n).fill(-1);
            const chosen = new Array(n).fill(0);  // the step that chose the node, 0: none yet
            for (let j = 1; j <= k; j++) {
                const r = steps[j - 1];
                const a = r[0];
                if (j === k && key[a] === null) startsTree = a;
                chosen[a] = j;
                if (keyEdge[a] >= 0) edge[keyEdge[a]]['data-stav'] = j === k ? 'krok' : 'kostra';
                for (let i = 1; i < r.length; i += 3) {
                    key[r[i]] = r[i + 1];
                    keyEdge[r[i]] = r[i + 2];
                }
            }
            for (let i = 0; i < n; i++) {
                if (chosen[i] > 0) {
                    node[i]['data-stav'] = chosen[i] === k ? 'krok' : 'hotovy';
                } else if (key[i] !== null) {
                    node[i]['data-stav'] = 'otevreny';
                    node[i]['data-klic'] = String(key[i]);
                    text[i] = words.key + key[i];
                    edge[keyEdge[i]]['data-stav'] = 'klic';
                }
            }
        }
        return {node, edge, text, startsTree};
    }

    // What is on show, so that a step touches only what it changes.
    const shownNode = nodes.map(() => ({}));
    const shownEdge = edges.map(() => ({}));
    const shownText = new Array(n).fill(null);

    function setAttributes(element, shown, wanted) {
        if (!element) return;
        for (const name in wanted) {
            const value = wanted[name];
            if (shown[name] === value) continue;
            shown[name] = value;
            if (value === null) {
                element.removeAttribute(name);
            } else {
                element.setAttribute(name, value);
            }
        }
    }

    const slider = document.getElementById('posuvnik');
    const counter = document.getElementById('cislo');
    const caption = document.getElementById('popis');
    const list = document.getElementById('radky');
    const buttons = {};
    for (const id of ['prvni', 'zpet', 'prehrat', 'vpred', 'posledni']) {
        buttons[id] = document.getElementById(id);
    }
    const speed = document.getElementById('rychlost');
    let current = -1;
    let timer = null;

    function show(k) {
        const state = stateAt(k);
        for (let i = 0; i < n; i++) {
            setAttributes(nodes[i], shownNode[i], state.node[i]);
            if (labels[i] && shownText[i] !== state.text[i]) {
                labels[i].textContent = state.text[i];
                shownText[i] = state.text[i];
            }
        }
        for (let e = 0; e < m; e++) setAttributes(edges[e], shownEdge[e], state.edge[e]);
        body.classList.toggle('prehravani', !showsResult(k));

        if (current >= 0) for (const li of linesOf[current]) li.classList.remove('aktualni');
        const lines = linesOf[k];
        for (const li of lines) li.classList.add('aktualni');
        if (lines.length > 0) {
            // The list follows the step; the page itself does not move.
            const top = lines[0].offsetTop;
            if (top < list.scrollTop || top + lines[0].offsetHeight > list.scrollTop + list.clientHeight)
                list.scrollTop = top - list.clientHeight / 3;
        }

        const said = lines.map((li) => li.textContent);
        if (said.length === 0) said.push(k === 0 && !showsResult(k) ? words.beforeFirst : words.result);
        caption.textContent = said.join('\n');
        if (state.startsTree >= 0) {
            const note = document.createElement('span');
            note.className = 'novy';
            note.textContent = '\n' + words.newTree + state.startsTree;
            caption.appendChild(note);
        }
    }

    function go(k, keepAddress) {
        k = Math.max(0, Math.min(last, Math.trunc(Number(k)) || 0));
        if (k !== current) {
            show(k);
            current = k;
            body.setAttribute('data-krok', String(k));
            slider.value = String(k);
            counter.textContent = words.stepOf.replace('%d', String(k)).replace('%d', String(last));
            buttons.prvni.disabled = buttons.zpet.disabled = k === 0;
            buttons.vpred.disabled = buttons.posledni.disabled = k === last;
        }
        if (timer !== null && k === last) pause();
        if (!keepAddress && location.hash !== '#krok=' + k) location.replace('#krok=' + k);
    }

    function pause() {
        clearInterval(timer);
        timer = null;
        buttons.prehrat.textContent = words.play;
        buttons.prehrat.setAttribute('aria-pressed', 'false');
    }
    function play() {
        if (last === 0) return;
        if (current === last) go(0);
        clearInterval(timer);
        timer = setInterval(() => go(current + 1), Number(speed.value));
        buttons.prehrat.textContent = words.pause;
        buttons.prehrat.setAttribute('aria-pressed', 'true');
    }
    function toggle() {
        if (timer === null) {
            play();
        } else {
            pause();
        }
    }

    // The step an address names: "#krok=N"; null for any other.
    function stepInAddress() {
        const found = /^#krok=(\d{1,9})$/.exec(location.hash);
        return found ? Number(found[1]) : null;
    }

    buttons.prvni.addEventListener('click', () => go(0));
    buttons.zpet.addEventListener('click', () => go(current - 1));
    buttons.vpred.addEventListener('click', () => go(current + 1));
    buttons.posledni.addEventListener('click', () => go(last));
    buttons.prehrat.addEventListener('click', toggle);
    slider.addEventListener('input', () => go(slider.value));
    speed.addEventListener('change', () => {
        if (timer !== null) play();
    });
    window.addEventListener('hashchange', () => {
        const k = stepInAddress();
        if (k !== null) go(k, true);
    });
    document.addEventListener('keydown', (event) => {
        if (event.altKey || event.ctrlKey || event.metaKey) return;
        if (event.target instanceof HTMLSelectElement) return;
        switch (event.key) {
            case 'ArrowLeft': go(current - 1); break;
            case 'ArrowRight': go(current + 1); break;
            case 'Home': go(0); break;
            case 'End': go(last); break;
            case ' ': toggle(); break;
            default: return;
        }
        event.preventDefault();
    });

    slider.max = String(last);
    if (last === 0) for (const id in buttons) buttons[id].disabled = true;
    const asked = stepInAddress();
    go(asked === null ? 0 : asked, true);
})();
