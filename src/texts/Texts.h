// The catalogue of texts: what the programs print, in Czech (without diacritics, the default) and
// in English side by side. Each text is defined here once, by name, as the format that
// Output::print takes (see Output.h for "%d", "%2d" and "%s"); both languages take the same
// conversions in the same order, checked when compiling. in(language) gives a text's characters,
// and scanLine() (ReadBack.h) reads back a line printed with it. The English texts keep every
// number and every line of the Czech ones, so a script reads the numbers of either alike.
#pragma once

#include <string_view>

#include "Format.h"

namespace texts {

// Reading the graph.
inline constexpr Text kOpening{"nacitam strukturu grafu ze souboru  %s... ",
                               "reading the graph structure from file  %s... "};
inline constexpr Text kOpenedOk{"[OK]\n", "[OK]\n"};
inline constexpr Text kInconsistent{"[CHYBA] (nekonzistentni data)\n",
                                    "[ERROR] (inconsistent data)\n"};
inline constexpr Text kCannotOpen{"CHYBA: nelze otevrit soubor \"%s\"\n",
                                  "ERROR: cannot open file \"%s\"\n"};
inline constexpr Text kEdgeCountPrompt{"pocet hran: ", "number of edges: "};
inline constexpr Text kNodeCountPrompt{"pocet uzlu : ", "number of nodes: "};
inline constexpr Text kFromPrompt{"hrana %d od uzlu: ", "edge %d from node: "};
inline constexpr Text kToPrompt{"hrana %d do uzlu: ", "edge %d to node: "};
inline constexpr Text kWeightPrompt{"hrana %d ma vahu: ", "edge %d has weight: "};

// The three forest methods, as the menu names them, and the two named algorithms, as their
// narration and the drawings name them.
inline constexpr Text kKruskal{"Boruvka-Kruskal", "Boruvka-Kruskal"};
inline constexpr Text kPrim{"Jarnik-Prim", "Jarnik-Prim"};
inline constexpr Text kMethod1{"rekurzivni kostra od uzlu s nejvyssim stupnem",
                               "recursive spanning forest from the node of highest degree"};
inline constexpr auto kMethod2 =
    joinText<kKruskal, Text{" s urcenim poctu komponent", " with the number of components"}>();
inline constexpr auto kMethod3 =
    joinText<kPrim, Text{" pro nesouvisly graf", " for a disconnected graph"}>();
// The name of method 1, 2 or 3.
constexpr std::string_view methodName(int method, Language language) {
    return method == 1   ? kMethod1.in(language)
           : method == 2 ? kMethod2.in(language)
                         : kMethod3.in(language);
}

// The menu and its questions.
// Tasks 4 and 5, as the menu names them.
inline constexpr Text kLoopTask{"nezavisla smycka", "fundamental loop"};
inline constexpr Text kCutTask{"nezavisly rez", "fundamental cut-set"};
inline constexpr auto kMenu =
    joinText<Text{"\nvyber algoritmu:\n 1 - ", "\nchoose the algorithm:\n 1 - "}, kMethod1,
             Text{"\n 2 - ", "\n 2 - "}, kMethod2, Text{"\n 3 - ", "\n 3 - "}, kMethod3,
             Text{"\n 4 - ", "\n 4 - "}, kLoopTask, Text{"\n 5 - ", "\n 5 - "}, kCutTask,
             Text{"\n", "\n"}>();
// The menu's choice has no question of its own: the menu stands above it.
inline constexpr Text kChoicePrompt{"", ""};
inline constexpr Text kVerbosePrompt{"podrobny vypis (a/n)? ", "detailed narration (y/n)? "};
// The answers the yes/no question takes: the first character of the answer's line.
inline constexpr Text kYes{"a", "y"};
inline constexpr Text kNo{"n", "n"};
inline constexpr Text kMethodPrompt{"cislo algoritmu pro oznaceni kostry (1-3): ",
                                    "number of the algorithm that marks the forest (1-3): "};
inline constexpr Text kTreeFlagLine{"hrana %2d: v kostre=%d\n", "edge %2d: in forest=%d\n"};
inline constexpr Text kLoopPrompt{"nekostrova hrana okolo niz se najde nezavisla smycka: ",
                                  "non-tree edge whose fundamental loop is wanted: "};
inline constexpr Text kCutPrompt{"kostrova hrana skrz kterou se najde nezavisly rez: ",
                                 "tree edge whose fundamental cut-set is wanted: "};

// The narration of the two minimum forest methods; every line starts with the method's name.
inline constexpr auto kKruskalName = joinText<kKruskal, Text{": ", ": "}>();
inline constexpr auto kKruskalSorting =
    joinText<kKruskalName,
             Text{"radim pole hran podle jejich vah\n", "sorting the edges by their weights\n"}>();
inline constexpr auto kKruskalJoining =
    joinText<kKruskalName, Text{"sjednocuji podstromy kostry pres hranu %d s vahou %d, \n",
                                "joining subtrees of the forest through edge %d of weight %d\n"}>();
inline constexpr auto kKruskalMoving =
    joinText<kKruskalName,
             Text{"...uzly podstromu %d (uzel %d) vkladam do mnoziny %d (uzel %d)\n",
                  "...the nodes of subtree %d (node %d) go into set %d (node %d)\n"}>();
inline constexpr auto kKruskalCount =
    joinText<kKruskalName,
             Text{"pocet komponent grafu a nalezene kostry = %d\n",
                  "number of components of the graph and of the forest found = %d\n"}>();
inline constexpr auto kPrimName = joinText<kPrim, Text{": ", ": "}>();
inline constexpr auto kPrimAdding =
    joinText<kPrimName, Text{"dalsi uzel nejblize podstromu vznikajici kostry je %d\n",
                             "the next node closest to the growing subtree is %d\n"}>();
inline constexpr auto kPrimOffering =
    joinText<kPrimName, Text{"...pak uzel %d je od podstromu vzdalen %d a to pres hranu %d\n",
                             "...then node %d is at distance %d from the subtree, through edge "
                             "%d\n"}>();
inline constexpr auto kPrimCount =
    joinText<kPrimName, Text{"pocet komponent grafu a nalezene kostry = %d\n",
                             "number of components of the graph and of the forest found = %d\n"}>();

// The report.
inline constexpr Text kBanner{"\n>>VYSTUP<<\n", "\n>>OUTPUT<<\n"};
inline constexpr Text kEdgeLine{"hrana %2d: v kostre=%2d, vaha=%2d\n",
                                "edge %2d: in forest=%2d, weight=%2d\n"};
inline constexpr Text kNodeLine{"uzel  %2d: kosti z=%2d, smeru=%2d\n",
                                "node  %2d: tree edges=%2d, degree=%2d\n"};
inline constexpr Text kOrientationLine{"hrana %2d: orientace=%2d\n", "edge %2d: orientation=%2d\n"};

// Standard input ended while a question waited; the line break ends the pending question.
inline constexpr Text kInputEnded{"\nCHYBA: neocekavany konec vstupu\n",
                                  "\nERROR: unexpected end of input\n"};

// The failures every program shares. kostra writes running out of memory on standard output, after
// a line break that ends a pending question; the companion programs write it on standard error. An
// output that cannot be written is told on standard error by every program.
inline constexpr Text kNoMemory{"CHYBA: nedostatek pameti\n", "ERROR: out of memory\n"};
inline constexpr Text kCannotWrite{"CHYBA: nelze zapsat vystup\n",
                                   "ERROR: cannot write the output\n"};
// The companion programs' word for a graph file that kostra would call inconsistent.
inline constexpr Text kNotAGraph{"CHYBA: soubor \"%s\" neni konzistentni popis grafu\n",
                                 "ERROR: file \"%s\" is not a consistent graph description\n"};

// The browser page (web/): its own words, beside the program's texts that it shows or reads back
// (the task and method names above, the tree flags of the forest). "%d" and "%s" are filled in
// by the page's script, in order.
inline constexpr Text kPageTitle{"kostra v prohlizeci", "kostra in the browser"};
inline constexpr Text kPageIntro{
    "Kostry, nezavisle smycky a rezy vazeneho grafu: program kostra sam, primo v teto strance, "
    "bez instalace a bez site.",
    "Spanning forests, fundamental loops and cut-sets of a weighted graph: the kostra program "
    "itself, inside this page, with nothing to install and no network."};
// The switch names the other language, in that language.
inline constexpr Text kPageOtherLanguage{"English", "Cesky"};
inline constexpr Text kPageLoading{"nacitam program...", "loading the program..."};
inline constexpr Text kPageReady{"program je pripraven", "the program is ready"};
inline constexpr Text kPageBroken{"program nelze spustit: %s", "the program cannot start: %s"};
inline constexpr Text kPageGraph{"Graf", "Graph"};
inline constexpr Text kPageGraphText{
    "Popis grafu: pocet hran, pocet uzlu, pak od, do a vaha kazde hrany, kazda hodnota na svem "
    "radku",
    "The graph: the number of edges, the number of nodes, then from, to and weight of every edge, "
    "each value on a line of its own"};
inline constexpr Text kPageFileName{"Jmeno souboru ve vypisu", "File name in the transcript"};
inline constexpr Text kPageKeyboard{"Graf zadat z klavesnice, bez souboru",
                                    "Type the graph at the keyboard, without a file"};
inline constexpr Text kPageOpenFile{"Otevrit soubor", "Open a file"};
inline constexpr Text kPageDropHint{"(nebo ho pretahnete na stranku)", "(or drop it on the page)"};
inline constexpr Text kPageGraphTooLarge{
    "Graf ma %s bajtu: v teto strance se neukazuje, ale spousti se a da se ulozit.",
    "The graph has %s bytes: it is not shown in this page, but it runs and can be saved."};
inline constexpr Text kPageCannotRead{"soubor %s nelze precist", "file %s cannot be read"};
inline constexpr Text kPageExamples{"Priklad", "Example"};
inline constexpr Text kPageChooseExample{"(vyberte priklad)", "(choose an example)"};
inline constexpr Text kPageSave{"Ulozit graf", "Save the graph"};
inline constexpr Text kPageRandom{"Nahodny graf", "Random graph"};
inline constexpr Text kPageNodes{"uzlu", "nodes"};
inline constexpr Text kPageEdges{"hran", "edges"};
inline constexpr Text kPageWeightsFrom{"vahy od", "weights from"};
inline constexpr Text kPageWeightsTo{"do", "to"};
inline constexpr Text kPageSeed{"seminko", "seed"};
inline constexpr Text kPageMake{"Vytvorit", "Make"};
inline constexpr Text kPageTable{"Hrany", "Edges"};
inline constexpr Text kPageNodeCount{"Pocet uzlu", "Number of nodes"};
inline constexpr Text kPageEdgeNumber{"hrana", "edge"};
inline constexpr Text kPageFrom{"od uzlu", "from node"};
inline constexpr Text kPageTo{"do uzlu", "to node"};
inline constexpr Text kPageWeight{"vaha", "weight"};
inline constexpr Text kPageAddEdge{"Pridat hranu", "Add an edge"};
inline constexpr Text kPageRemoveEdge{"Odebrat hranu %d", "Remove edge %d"};
inline constexpr Text kPageTableOff{
    "Tabulka hran je pro graf, jehoz kazdy radek je jedno cislo, a pro nejvic %d hran.",
    "The table of edges is for a graph whose every line is one number, and for %d edges at most."};
inline constexpr Text kPageWarnings{"Varovani k radkum souboru", "Warnings on the file's lines"};
// How kostra's warning on a line of the graph file begins: the page finds the line by it.
inline constexpr Text kPageWarningAt{"VAROVANI: radek %d", "WARNING: line %d"};
inline constexpr Text kPageLine{"radek %d", "line %d"};
inline constexpr Text kPageTask{"Uloha", "Task"};
inline constexpr Text kPageMethod{"Kostra, ve ktere se hleda", "The forest to look in"};
inline constexpr Text kPageNarrate{"Podrobny vypis", "Detailed narration"};
inline constexpr Text kPageEdge{"Hrana", "Edge"};
inline constexpr Text kPageEdgeOption{"hrana %d: %d -> %d, vaha %d",
                                      "edge %d: %d -> %d, weight %d"};
inline constexpr Text kPageNoEdge{"(graf nema zadnou takovou hranu)",
                                  "(the graph has no such edge)"};
inline constexpr Text kPageEdgeRange{"cislo hrany, ktere kostra prijme",
                                     "the number of an edge that kostra takes"};
inline constexpr Text kPageAnswers{"Odpovedi na standardnim vstupu", "Answers on standard input"};
inline constexpr Text kPageRun{"Spustit", "Run"};
inline constexpr Text kPageStop{"Zastavit", "Stop"};
inline constexpr Text kPageRunning{"program bezi...", "the program is running..."};
inline constexpr Text kPageStopped{"beh byl zastaven", "the run was stopped"};
inline constexpr Text kPageOutput{"Vystup", "Output"};
inline constexpr Text kPageStdout{"Standardni vystup", "Standard output"};
inline constexpr Text kPageStderr{"Standardni chybovy vystup", "Standard error"};
inline constexpr Text kPageStatus{"Navratovy kod: %d", "Exit status: %d"};
inline constexpr Text kPageDownload{"Stahnout", "Download"};
inline constexpr Text kPageTooLarge{
    "Ma %s bajtu, a je proto jen ke stazeni.",
    "It has %s bytes, and is therefore offered only as a download."};
inline constexpr Text kPageNotices{"Program kostra, verze %s. Licence: %s",
                                   "The kostra program, version %s. Licence: %s"};

}  // namespace texts
