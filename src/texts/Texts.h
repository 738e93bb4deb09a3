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
inline constexpr auto kMenu =
    joinText<Text{"\nvyber algoritmu:\n 1 - ", "\nchoose the algorithm:\n 1 - "}, kMethod1,
             Text{"\n 2 - ", "\n 2 - "}, kMethod2, Text{"\n 3 - ", "\n 3 - "}, kMethod3,
             Text{"\n 4 - nezavisla smycka\n 5 - nezavisly rez\n",
                  "\n 4 - fundamental loop\n 5 - fundamental cut-set\n"}>();
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

// Memory: a graph refused for its size before its records are taken, and a graph whose nodes
// mostly have no edge (notes on standard error; the sizes as "56 GB", "1,2 MB").
inline constexpr Text kGraphNeeds{
    "POZNAMKA: graf (uzlu: %s, hran: %s) potrebuje asi %s pameti, %s\n",
    "NOTE: the graph (nodes: %s, edges: %s) needs about %s of memory, %s\n"};
inline constexpr Text kRoomAvailable{"system ale ma volnych jen %s (dostupna pamet a volny swap)",
                                     "but the system has only %s free (available memory and free "
                                     "swap)"};
inline constexpr Text kRoomAddressSpace{
    "limit adresniho prostoru procesu (ulimit -v) ale dovoli uz jen %s",
    "but the process's address-space limit (ulimit -v) allows only %s more"};
inline constexpr Text kRoomGroup{
    "limit pameti skupiny procesu (cgroup) ale dovoli uz jen %s",
    "but the memory limit of the process's control group (cgroup) allows only %s more"};
inline constexpr Text kRoomOfRun{"tento beh ale smi na zaznamy grafu pouzit jen %s",
                                 "but this run may use only %s for the graph's records"};
inline constexpr Text kIdleNodes{
    "POZNAMKA: %s z %s uzlu nema zadnou hranu; vypis uloh 1 az 3 ma radek i pro kazdy z nich, "
    "celkem %s radku, asi %s\n",
    "NOTE: %s of the %s nodes have no edge; the report of tasks 1 to 3 has a line for each of "
    "them too, %s lines in all, about %s\n"};

}  // namespace texts
