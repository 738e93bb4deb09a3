#!/usr/bin/env bash
# Everything kostra-dot must refuse, one case a row: transcripts of failed runs, of other graphs,
# cut short or edited by hand, bad graph files and command lines, an output that cannot be
# written, a language kostra-dot does not speak. Each must end with the expected status, leave
# standard output empty and say one line on standard error that matches the expected pattern
# (followed, for a graph file, by the notes on why it is refused), in the language asked for. A few
# inputs that look odd but are kostra's own output (a line-break style of another system, a graph
# typed at the keyboard, kostra in English, a graph too big to be worth drawing) must be drawn.
# usage: test_errors.sh KOSTRA KOSTRA_DOT GRAPH (the four-node example)
set -u
kostra=$1
kostra_dot=$2
graph=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

# refuse NAME STATUS PATTERN INPUT [ARGUMENTS...]: kostra-dot ARGUMENTS < INPUT must fail. Its
# standard output goes to $output (a file that must stay empty, unless it is /dev/full); its
# environment has the settings in run_env besides the test's own.
output=$work/out
run_env=()
refuse() {
    local name=$1 status=$2 pattern=$3 input=$4
    shift 4
    : > "$work/out"
    timeout 30 env "${run_env[@]}" "$kostra_dot" "$@" < "$input" > "$output" 2> "$work/err"
    local got=$?
    local problems=()
    [ "$got" = "$status" ] || problems+=("status $got, expected $status")
    [ -s "$work/out" ] && problems+=("standard output is not empty")
    # One message; after it, at most the graph file's notes (why it is refused).
    [ "$(grep -cvE '^(VAROVANI|POZNAMKA|WARNING|NOTE): ' "$work/err")" = 1 ] ||
        problems+=("not exactly one line on standard error besides the notes")
    head -n 1 "$work/err" | grep -qE -- "$pattern" ||
        problems+=("standard error does not start with /$pattern/")
    if [ ${#problems[@]} -gt 0 ]; then
        echo "FAIL $name: ${problems[*]}"
        sed 's/^/    stderr: /' "$work/err"
        failures=$((failures + 1))
    fi
}

# transcript NAME GRAPH ANSWERS [OPTIONS...]: kostra's output of one run, in $work/NAME.
transcript() {
    local name=$1 graph_file=$2 answers=$3
    shift 3
    printf "$answers" | timeout 30 "$kostra" "$@" "$graph_file" > "$work/$name" 2> /dev/null
}

# Graphs beside the example: one edge more, one edge less, one node more, an inconsistent file.
cp "$graph" "$work/four.graph"
{ echo 6; tail -n +2 "$graph"; printf '%s\n' 0 3 7; } > "$work/more-edges.graph"
{ echo 4; tail -n +2 "$graph" | head -n 13; } > "$work/fewer-edges.graph"
{ echo 5; echo 5; tail -n +3 "$graph"; } > "$work/more-nodes.graph"
head -n 7 "$graph" > "$work/broken.graph"

transcript task1 "$graph" '1\n'
transcript task2 "$graph" '2\nn\n'
transcript task3 "$graph" '3\na\n'
transcript loop "$graph" '4\n1\n2\n'
transcript cut "$graph" '5\n1\n1\n'
transcript ended "$graph" '4\n1\n'
transcript ended-menu "$graph" ''
transcript broken-run "$work/broken.graph" '1\n'
transcript missing-run "$work/missing.graph" '1\n'
transcript more-edges "$work/more-edges.graph" '1\n'
transcript fewer-edges "$work/fewer-edges.graph" '1\n'
transcript more-nodes "$work/more-nodes.graph" '1\n'
transcript loop-more-edges "$work/more-edges.graph" '4\n1\n2\n'
printf '%s\n' 4 4 0 1 1 1 2 2 2 3 3 3 0 4 > "$work/square.graph"
transcript square-cut "$work/square.graph" '5\n2\n1\n'
transcript task2-en "$graph" '2\nn\n' --lang en
transcript task3-en "$graph" '3\ny\n' --lang en
transcript cut-en "$graph" '5\n1\n1\n' --lang en
transcript ended-en "$graph" '4\n1\n' --lang en
: > "$work/empty"

# Edits of kostra's own output.
edit() { sed "$2" "$work/$1" > "$work/$3"; }
edit task1 '$d' task1-cut-short
edit task1 '/VYSTUP/,$d' task1-no-banner
edit task1 's/^ 2 - Boruvka-Kruskal/ 2 - Boruvka Kruskal/' task1-menu
edit task2 's/^hrana  2: v kostre= 1, vaha= 3$/hrana  2: v kostre= 1, vaha= 7/' task2-weight
edit task2 's/^uzel   3: kosti z= 1, smeru= 2$/uzel   3: kosti z= 1, smeru= 3/' task2-degree
edit task2 's/^uzel   3: kosti z= 1,/uzel   3: kosti z= 2,/' task2-bones
edit task2 's/^hrana  4: v kostre= 0/hrana  4: v kostre= 2/' task2-flag-value
edit task2 's/^hrana  4: v kostre= 0/hrana  4: v kostre=00/' task2-leading-zero
edit task2 's/^hrana  4: v kostre= 0, vaha= 5$/hrana  4: v kostre= 0, vaha= 5 /' task2-blank-after
edit task2 's/^podrobny vypis (a\/n)? $//' task2-as-task1
edit task2 '/^hrana  3/d' task2-missing-edge
edit task3 's/^Jarnik-Prim: dalsi uzel nejblize podstromu vznikajici kostry je 1$/Jarnik-Prim je 1/' task3-narration
edit task3 's/^Jarnik-Prim: dalsi uzel nejblize podstromu vznikajici kostry je 1$/Boruvka-Kruskal: 1/' task3-two-narrators
edit loop 's/^hrana  3: orientace= 0/hrana  3: orientace=-1/' loop-orientation
edit loop 's/orientace= 1/orientace= 0/' loop-none-chosen
edit loop 's/^hrana  4: v kostre=1$/hrana  4: v kostre=0/' loop-flags
edit loop 's/^nekostrova hrana okolo niz se najde nezavisla smycka: $/nekostrova hrana: /' loop-question
edit cut 's/^hrana  0: orientace= 0/hrana  0: orientace= 1/' cut-orientation
edit cut 's/^hrana  2: orientace=-1/hrana  2: orientace=-2/' cut-orientation-value
edit task2-en 's/^edge  2: in forest= 1, weight= 3$/edge  2: in forest= 1, weight= 7/' task2-en-weight
edit cut-en 's/^edge  0: orientation= 0/edge  0: orientation= 1/' cut-en-orientation
cat "$work/task1" > "$work/task1-trailing"
echo 'hrana  5: v kostre= 1, vaha= 1' >> "$work/task1-trailing"
cat "$work/cut" "$work/cut" > "$work/cut-twice"
echo 'ahoj' > "$work/hello"

refuse usage 2 '^pouziti: kostra-dot GRAFOVY_SOUBOR' "$work/task1"
refuse missing-graph 2 '^CHYBA: nelze otevrit soubor ".*missing.graph"$' "$work/task1" "$work/missing.graph"
refuse directory-graph 2 '^CHYBA: nelze otevrit soubor' "$work/task1" "$work"
refuse broken-graph 2 '^CHYBA: soubor ".*broken.graph" neni konzistentni popis grafu$' "$work/task1" "$work/broken.graph"
refuse empty-input 1 '^CHYBA: standardni vstup je prazdny' "$work/empty" "$graph"
refuse unreadable-input 1 '^CHYBA: standardni vstup nelze precist$' "$work" "$graph"
refuse hello 1 '^CHYBA: radek 1 vystupu kostry neodpovida grafu, ocekavan "nacitam' "$work/hello" "$graph"
refuse input-ended 1 '^CHYBA: kostra skoncila chybou: CHYBA: neocekavany konec vstupu$' "$work/ended" "$graph"
refuse input-ended-menu 1 '^CHYBA: kostra skoncila chybou: CHYBA: neocekavany konec vstupu$' "$work/ended-menu" "$graph"
refuse inconsistent-run 1 '^CHYBA: kostra skoncila chybou: nacitam .*\[CHYBA\] \(nekonzistentni data\)$' "$work/broken-run" "$graph"
refuse missing-run 1 '^CHYBA: kostra skoncila chybou: CHYBA: nelze otevrit soubor' "$work/missing-run" "$graph"
refuse more-edges 1 '^CHYBA: vystup kostry je pro vic hran nez graf \(5\)$' "$work/more-edges" "$graph"
refuse fewer-edges 1 '^CHYBA: vystup kostry je pro jiny pocet hran \(4\) nez graf \(5\)$' "$work/fewer-edges" "$graph"
refuse loop-more-edges 1 '^CHYBA: vystup kostry je pro vic hran nez graf \(5\)$' "$work/loop-more-edges" "$graph"
refuse more-nodes 1 '^CHYBA: vystup kostry je pro vic uzlu nez graf \(4\)$' "$work/more-nodes" "$graph"
refuse fewer-nodes 1 '^CHYBA: vystup kostry konci predcasne nebo je pro jiny pocet uzlu \(4\) nez graf \(5\)$' "$work/task1" "$work/more-nodes.graph"
refuse cut-short 1 '^CHYBA: vystup kostry konci predcasne nebo je pro jiny pocet uzlu \(3\) nez graf \(4\)$' "$work/task1-cut-short" "$graph"
refuse no-banner 1 '^CHYBA: vystup kostry konci predcasne, ocekavan ">>VYSTUP<<"$' "$work/task1-no-banner" "$graph"
refuse menu 1 '^CHYBA: radek 5 vystupu kostry neodpovida grafu, ocekavan " 2 - Boruvka-Kruskal' "$work/task1-menu" "$graph"
refuse weight 1 '^CHYBA: hrana 2: vaha=7 ve vystupu kostry, v grafu 3$' "$work/task2-weight" "$graph"
refuse degree 1 '^CHYBA: uzel 3: smeru=3 ve vystupu kostry, v grafu 2$' "$work/task2-degree" "$graph"
refuse bones 1 '^CHYBA: uzel 3: kosti z=2 ve vystupu kostry, hrany v kostre davaji 1$' "$work/task2-bones" "$graph"
refuse flag-value 1 '^CHYBA: radek 15 vystupu kostry neodpovida grafu, ocekavan "hrana  4: v kostre=\.\., vaha=\.\."$' "$work/task2-flag-value" "$graph"
refuse leading-zero 1 'ocekavan "hrana  4: v kostre=\.\., vaha=\.\."$' "$work/task2-leading-zero" "$graph"
refuse blank-after 1 'ocekavan "hrana  4: v kostre=\.\., vaha=\.\."$' "$work/task2-blank-after" "$graph"
refuse missing-edge-line 1 'ocekavan "hrana  3: v kostre=\.\., vaha=\.\."$' "$work/task2-missing-edge" "$graph"
refuse other-forest 1 '^CHYBA: hrany v kostre ve vystupu kostry nejsou kostrou, kterou kostra v tomto grafu oznaci$' "$work/task2-as-task1" "$graph"
refuse narration 1 'ocekavan radek podrobneho vypisu$' "$work/task3-narration" "$graph"
refuse two-narrators 1 'ocekavan radek podrobneho vypisu$' "$work/task3-two-narrators" "$graph"
refuse loop-orientation 1 '^CHYBA: orientace ve vystupu kostry neodpovidaji smycce hrany 2$' "$work/loop-orientation" "$graph"
refuse loop-none-chosen 1 '^CHYBA: ve vystupu kostry nema zadna nekostrova hrana orientaci 1$' "$work/loop-none-chosen" "$graph"
refuse loop-flags 1 'nejsou kostrou, kterou kostra v tomto grafu oznaci$' "$work/loop-flags" "$graph"
refuse loop-question 1 'ocekavan otazka na hranu$' "$work/loop-question" "$graph"
refuse cut-orientation 1 '^CHYBA: orientace ve vystupu kostry neodpovidaji rezu hrany 0$' "$work/cut-orientation" "$graph"
refuse cut-orientation-value 1 'ocekavan "hrana  2: orientace=\.\."$' "$work/cut-orientation-value" "$graph"
refuse cut-other-graph 1 'nejsou kostrou, kterou kostra v tomto grafu oznaci$' "$work/square-cut" "$work/fewer-edges.graph"
refuse trailing 1 '^CHYBA: radek 20 vystupu kostry neodpovida grafu, ocekavan konec vystupu$' "$work/task1-trailing" "$graph"
refuse twice 1 'ocekavan konec vystupu$' "$work/cut-twice" "$graph"
output=/dev/full
refuse full-disk 5 '^CHYBA: nelze zapsat vystup$' "$work/task1" "$graph"
output=$work/out
# In English, and kostra in English read by kostra-dot in either language.
refuse unknown-language 2 '^CHYBA: neznamy jazyk "xx", volba --lang prijima cs nebo en' "$work/task1" --lang xx "$graph"
refuse unknown-language-shown 2 '^CHYBA: neznamy jazyk "e\?n\?", volba --lang' "$work/task1" --lang=$'e\tn\x7f' "$graph"
refuse not-language-option 2 '^CHYBA: nelze otevrit soubor "--langx"$' "$work/task1" --langx "$graph"
refuse language-after-layout 2 '^ERROR: unknown layout "fdp"' "$work/task1" --layout fdp --lang en --html "$graph"
refuse no-language 2 '^ERROR: --lang needs a language' "$work/task1" --lang=en --lang
refuse usage-en 2 '^usage: kostra-dot GRAPH_FILE' "$work/task1" --lang en
refuse missing-graph-en 2 '^ERROR: cannot open file ".*missing.graph"$' "$work/task1" --lang en "$work/missing.graph"
refuse hello-en 1 '^ERROR: line 1 of kostra.s output does not fit the graph, expected "reading' "$work/hello" --lang en "$graph"
refuse input-ended-en 1 '^ERROR: kostra ended with an error: ERROR: unexpected end of input$' "$work/ended-en" --lang en "$graph"
refuse input-ended-en-cs 1 '^CHYBA: kostra skoncila chybou: ERROR: unexpected end of input$' "$work/ended-en" "$graph"
refuse weight-en 1 '^ERROR: edge 2: weight=7 in kostra.s output, 3 in the graph$' "$work/task2-en-weight" --lang en "$graph"
refuse weight-en-cs 1 '^CHYBA: hrana 2: vaha=7 ve vystupu kostry, v grafu 3$' "$work/task2-en-weight" "$graph"
refuse orientation-en 1 '^ERROR: the orientations in kostra.s output do not fit the cut-set of edge 0$' "$work/cut-en-orientation" --lang en "$graph"
refuse fewer-nodes-en 1 '^ERROR: kostra.s output ends early or is for another number of nodes \(4\) than the graph \(5\)$' "$work/task2-en" --lang en "$work/more-nodes.graph"
output=/dev/full
refuse full-disk-en 5 '^ERROR: cannot write the output$' "$work/task1" --lang en "$graph"
output=$work/out

# The page (--html): too large a graph, a narration that is not kostra's, and dot missing,
# failing, killed or writing no SVG (a script of that name first on PATH, using builtins only).
awk 'BEGIN { print 2001; print 2002; for (i = 0; i < 2001; ++i) print i "\n" i + 1 "\n" 1 }' \
    > "$work/path-2001.graph"
awk 'BEGIN { print 1; print 4001; print 0; print 1; print 1 }' > "$work/nodes-4001.graph"
edit task3 's/^Jarnik-Prim: ...pak uzel 3 je od podstromu vzdalen 2 a to pres hranu 3$/Jarnik-Prim: ...pak uzel 3 je od podstromu vzdalen 9 a to pres hranu 3/' task3-key
transcript task2-narrated "$graph" '2\na\n'
edit task2-narrated 's/^\(Boruvka-Kruskal: sjednocuji podstromy kostry pres hranu 3\) s vahou 2/\1 s vahou 7/' task2-weight-narrated
fake_dot() {  # fake_dot NAME BODY: a directory with a dot that runs BODY
    mkdir -p "$work/$1"
    printf '#!/bin/sh\n%s\n' "$2" > "$work/$1/dot"
    chmod +x "$work/$1/dot"
}
fake_dot no-dot ''
rm "$work/no-dot/dot"
fake_dot fails 'echo "Error: syntax" >&2; exit 3'
fake_dot killed 'kill -9 $$'
fake_dot junk 'while read -r line; do :; done; printf "ahoj\n"'
fake_dot unended 'printf "<?xml version=\"1.0\"?>\n<svg width=\"1\">"'
refuse html-usage 2 '^pouziti: kostra-dot --html \[--layout dot\|neato\|circo\] GRAFOVY_SOUBOR' "$work/task1" --html
refuse html-edges 6 '^CHYBA: graf je na stranku prilis velky \(2001 hran, 2002 uzlu; nejvyse 2000 hran a 4000 uzlu\)$' "$work/task1" --html "$work/path-2001.graph"
refuse html-nodes 6 '^CHYBA: graf je na stranku prilis velky \(1 hran, 4001 uzlu' "$work/task1" --html "$work/nodes-4001.graph"
refuse html-not-transcript 1 'ocekavan konec vystupu$' "$work/task1-trailing" --html "$graph"
refuse html-key 1 '^CHYBA: podrobny vypis ve vystupu kostry neni ten, ktery kostra pro tento graf vypise$' "$work/task3-key" --html "$graph"
refuse html-narrated-weight 1 '^CHYBA: podrobny vypis ve vystupu kostry neni ten' "$work/task2-weight-narrated" --html "$graph"
run_env=(PATH="$work/no-dot")
refuse dot-missing 7 '^CHYBA: program dot \(Graphviz\) nebyl nalezen v PATH$' "$work/task1" --html "$graph"
run_env=(PATH="$work/fails")
refuse dot-fails 7 '^CHYBA: program dot skoncil se stavem 3$' "$work/task1" --html "$graph"
run_env=(PATH="$work/killed")
refuse dot-killed 7 '^CHYBA: program dot byl ukoncen signalem 9$' "$work/task1" --html "$graph"
run_env=(PATH="$work/junk")
refuse dot-junk 7 '^CHYBA: program dot nevypsal SVG$' "$work/task1" --html "$graph"
run_env=(PATH="$work/unended")
refuse dot-unended 7 '^CHYBA: program dot nevypsal SVG$' "$work/task1" --html "$graph"
# What dot writes around its <svg> element: an XML declaration, a doctype, comments and blanks
# are passed over; anything else, or one of them left open, is no SVG.
svg_around() {  # svg_around NAME TEXT: a dot that reads the drawing, then prints TEXT
    fake_dot "$1" "while read -r line; do :; done; printf '$2'"
}
svg_around wrapped '\t<?xml version="1.0"?>\r\n<!DOCTYPE svg>\n<!-- a -->\n<svg\twidth="1"></svg>\r\n'
for bad in '<?xml version="1.0"' '<!-- a' '<!DOCTYPE svg' '<svgx></svgx>' '<svg' '<svg>' \
    '</svg><svg>' '<svg></svg> x'; do
    svg_around bad "$bad"
    run_env=(PATH="$work/bad")
    refuse "dot-writes-$bad" 7 '^CHYBA: program dot nevypsal SVG$' "$work/task1" --html "$graph"
done
# A dot that cannot be run, and no descriptor left for its pipes.
mkdir -p "$work/not-executable" && : > "$work/not-executable/dot"
run_env=(PATH="$work/not-executable")
refuse dot-not-executable 7 '^CHYBA: program dot nelze spustit$' "$work/task1" --html "$graph"
run_env=(PATH="$work/wrapped")
(failures=0 && ulimit -n 6 &&
    refuse dot-no-descriptors 7 '^CHYBA: program dot nelze spustit \(nedostatek deskriptoru\)$' \
        "$work/task1" --html "$graph" && exit $failures) || failures=$((failures + 1))
run_env=()
# --layout without an engine, and with one kostra-dot does not know.
refuse layout-missing 2 '^CHYBA: volbe --layout chybi rozvrh' "$work/task1" --layout
refuse layout-unknown 2 '^CHYBA: neznamy rozvrh "fdp", volba --layout prijima' "$work/task1" --layout=fdp "$graph"

# draw NAME INPUT GRAPH REFERENCE STDERR_PATTERN: must succeed; the drawing must equal REFERENCE
# (when given) and standard error must match the pattern (empty pattern: no output there).
draw() {
    local name=$1 input=$2 graph_file=$3 reference=$4 pattern=$5
    timeout 60 "$kostra_dot" "$graph_file" < "$input" > "$work/out" 2> "$work/err"
    local got=$?
    local problems=()
    [ "$got" = 0 ] || problems+=("status $got, expected 0")
    if [ -n "$reference" ]; then
        cmp -s "$work/out" "$reference" || problems+=("the drawing differs from the file run's")
    else
        [ "$(head -n 1 "$work/out")" = "graph kostra {" ] || problems+=("no drawing")
    fi
    if [ -z "$pattern" ]; then
        [ -s "$work/err" ] && problems+=("standard error is not empty")
    else
        grep -qE -- "$pattern" "$work/err" || problems+=("standard error does not match /$pattern/")
    fi
    if [ ${#problems[@]} -gt 0 ]; then
        echo "FAIL $name: ${problems[*]}"
        sed 's/^/    stderr: /' "$work/err"
        failures=$((failures + 1))
    fi
}

"$kostra_dot" "$graph" < "$work/cut" > "$work/cut.dot"
sed 's/$/\r/' "$work/cut" > "$work/cut-crlf"
draw crlf "$work/cut-crlf" "$graph" "$work/cut.dot" ''
{ cat "$graph"; printf '5\n1\n1\n'; } | "$kostra" > "$work/cut-keyboard" 2> /dev/null
draw keyboard "$work/cut-keyboard" "$graph" "$work/cut.dot" ''
printf '5\n1\n1' | "$kostra" "$graph" > "$work/cut-no-last-break" 2> /dev/null
head -c -1 "$work/cut-no-last-break" > "$work/cut-unfinished-line"
draw no-last-line-break "$work/cut-unfinished-line" "$graph" "$work/cut.dot" ''
printf '9\nx\n5\n0\n4\n1\n-1\n3\n1\n' | "$kostra" "$graph" > "$work/cut-refused-answers" 2> /dev/null
draw refused-answers "$work/cut-refused-answers" "$graph" "$work/cut.dot" ''
draw english "$work/cut-en" "$graph" "$work/cut.dot" ''
sed 's/$/\r/' "$work/cut-en" > "$work/cut-en-crlf"
draw english-crlf "$work/cut-en-crlf" "$graph" "$work/cut.dot" ''
{ cat "$graph"; printf '5\n1\n1\n'; } | "$kostra" --lang en > "$work/cut-en-keyboard" 2> /dev/null
draw english-keyboard "$work/cut-en-keyboard" "$graph" "$work/cut.dot" ''

# A graph of 6000 edges: a path through 5000 nodes and 1001 chords.
awk 'BEGIN { print 6000; print 5000;
             for (i = 0; i < 4999; ++i) print i "\n" i + 1 "\n" i % 7;
             for (i = 0; i <= 1000; ++i) print i "\n" (i * 13) % 5000 "\n" i % 11 }' > "$work/big.graph"
printf '5\n2\n1\n' | "$kostra" "$work/big.graph" > "$work/big-cut" 2> /dev/null
draw big "$work/big-cut" "$work/big.graph" '' '^POZNAMKA: graf ma 6000 hran'

# page NAME INPUT GRAPH: kostra-dot --html GRAPH < INPUT must write one whole page and say nothing.
page() {
    local name=$1
    timeout 60 env "${run_env[@]}" "$kostra_dot" --html "$3" < "$2" > "$work/out" 2> "$work/err"
    local got=$?
    if [ "$got" != 0 ] || [ "$(head -c 15 "$work/out")" != '<!DOCTYPE html>' ] ||
        [ "$(tail -n 1 "$work/out")" != '</html>' ] || [ -s "$work/err" ]; then
        echo "FAIL $name: status $got, or not one page, or something on standard error"
        sed 's/^/    stderr: /' "$work/err"
        failures=$((failures + 1))
    fi
}
# Whatever the pace at which dot reads the drawing of a 2000-edge path (more than a pipe holds): a
# dot that writes a megabyte of SVG before it reads, and one that never reads.
awk 'BEGIN { print 2000; print 2001; for (i = 0; i < 2000; ++i) print i "\n" i + 1 "\n" 1 }' \
    > "$work/path-2000.graph"
printf '1\n' | "$kostra" "$work/path-2000.graph" > "$work/path-task1" 2> /dev/null
fake_dot writes-first 'i=0; printf "<svg>\n"; while [ $i -lt 20000 ]; do printf "<!-- %050d -->\n" $i; i=$((i + 1)); done; while read -r line; do :; done; printf "</svg>\n"'
fake_dot reads-nothing 'printf "<svg></svg>\n"'
run_env=(PATH="$work/writes-first")
page dot-writes-first "$work/path-task1" "$work/path-2000.graph"
run_env=(PATH="$work/reads-nothing")
page dot-reads-nothing "$work/path-task1" "$work/path-2000.graph"
# With standard error closed, the pipes to dot are taken above the standard descriptors, so dot's
# own standard error is not where the page goes.
run_env=(PATH="$work/wrapped")
page with-stderr "$work/task1" "$graph"
cp "$work/out" "$work/page-with-stderr"
env "${run_env[@]}" "$kostra_dot" --html "$graph" < "$work/task1" > "$work/out" 2>&-
cmp -s "$work/out" "$work/page-with-stderr" || {
    echo "FAIL stderr-closed: the page differs from the one made with standard error open"
    failures=$((failures + 1))
}
run_env=()
if command -v dot > /dev/null; then
    page real-dot "$work/task1" "$graph"
    page real-dot-english "$work/task3-en" "$graph"
fi

if ! "$kostra_dot" --help < /dev/null 2> "$work/err" | grep -q '^pouziti: kostra-dot GRAFOVY_SOUBOR' ||
    [ -s "$work/err" ]; then
    echo "FAIL help: no usage on standard output, or something on standard error"
    failures=$((failures + 1))
fi

if ! "$kostra_dot" --version < /dev/null 2> "$work/err" | grep -qxE 'kostra-dot [0-9]+\.[0-9]+\.[0-9]+' ||
    [ -s "$work/err" ]; then
    echo "FAIL version: no version on standard output, or something on standard error"
    failures=$((failures + 1))
fi

[ $failures = 0 ] && echo "all cases passed"
[ $failures = 0 ]
