// The texts that kostra prints and that another program or a test reads back or prints as well:
// kostra-dot reads kostra's whole output, the companion programs share kostra's messages, and the
// tests and the fuzz target compare them. Each is defined here once, as the format that
// Output::print takes (see Output.h for "%d", "%2d" and "%s"); view() gives its characters, and
// scanLine() (ReadBack.h) reads back a line printed with it. Texts that only kostra prints and
// nothing reads back stay at the place that prints them.
#pragma once

#include <string_view>

#include "Format.h"

namespace texts {

// Reading the graph.
inline constexpr Format kOpening = "nacitam strukturu grafu ze souboru  %s... ";
inline constexpr Format kOpenedOk = "[OK]\n";
inline constexpr Format kInconsistent = "[CHYBA] (nekonzistentni data)\n";
inline constexpr Format kCannotOpen = "CHYBA: nelze otevrit soubor \"%s\"\n";
inline constexpr Format kEdgeCountPrompt = "pocet hran: ";
inline constexpr Format kNodeCountPrompt = "pocet uzlu : ";
inline constexpr Format kFromPrompt = "hrana %d od uzlu: ";
inline constexpr Format kToPrompt = "hrana %d do uzlu: ";
inline constexpr Format kWeightPrompt = "hrana %d ma vahu: ";

// The three forest methods, as the menu names them, and the two named algorithms, as their
// narration and the drawings name them.
inline constexpr Format kKruskal = "Boruvka-Kruskal";
inline constexpr Format kPrim = "Jarnik-Prim";
inline constexpr Format kMethod1 = "rekurzivni kostra od uzlu s nejvyssim stupnem";
inline constexpr auto kMethod2 = join<kKruskal, " s urcenim poctu komponent">();
inline constexpr auto kMethod3 = join<kPrim, " pro nesouvisly graf">();
// The name of method 1, 2 or 3.
constexpr std::string_view methodName(int method) {
    return method == 1 ? kMethod1.view() : method == 2 ? kMethod2.view() : kMethod3.view();
}

// The menu and its questions.
inline constexpr auto kMenu =
    join<"\nvyber algoritmu:\n 1 - ", kMethod1, "\n 2 - ", kMethod2, "\n 3 - ", kMethod3,
         "\n 4 - nezavisla smycka\n 5 - nezavisly rez\n">();
inline constexpr Format kVerbosePrompt = "podrobny vypis (a/n)? ";
inline constexpr Format kMethodPrompt = "cislo algoritmu pro oznaceni kostry (1-3): ";
inline constexpr Format kTreeFlagLine = "hrana %2d: v kostre=%d\n";
inline constexpr Format kLoopPrompt = "nekostrova hrana okolo niz se najde nezavisla smycka: ";
inline constexpr Format kCutPrompt = "kostrova hrana skrz kterou se najde nezavisly rez: ";

// The narration of the two minimum forest methods; every line starts with the method's name.
inline constexpr auto kKruskalName = join<kKruskal, ": ">();
inline constexpr auto kKruskalSorting = join<kKruskalName, "radim pole hran podle jejich vah\n">();
inline constexpr auto kKruskalJoining =
    join<kKruskalName, "sjednocuji podstromy kostry pres hranu %d s vahou %d, \n">();
inline constexpr auto kKruskalMoving =
    join<kKruskalName, "...uzly podstromu %d (uzel %d) vkladam do mnoziny %d (uzel %d)\n">();
inline constexpr auto kKruskalCount =
    join<kKruskalName, "pocet komponent grafu a nalezene kostry = %d\n">();
inline constexpr auto kPrimName = join<kPrim, ": ">();
inline constexpr auto kPrimAdding =
    join<kPrimName, "dalsi uzel nejblize podstromu vznikajici kostry je %d\n">();
inline constexpr auto kPrimOffering =
    join<kPrimName, "...pak uzel %d je od podstromu vzdalen %d a to pres hranu %d\n">();
inline constexpr auto kPrimCount =
    join<kPrimName, "pocet komponent grafu a nalezene kostry = %d\n">();

// The report.
inline constexpr Format kBanner = "\n>>VYSTUP<<\n";
inline constexpr Format kEdgeLine = "hrana %2d: v kostre=%2d, vaha=%2d\n";
inline constexpr Format kNodeLine = "uzel  %2d: kosti z=%2d, smeru=%2d\n";
inline constexpr Format kOrientationLine = "hrana %2d: orientace=%2d\n";

// Standard input ended while a question waited; the line break ends the pending question.
inline constexpr Format kInputEnded = "\nCHYBA: neocekavany konec vstupu\n";

// The failures every program shares. kostra writes running out of memory on standard output, after
// a line break that ends a pending question; the companion programs write it on standard error. An
// output that cannot be written is told on standard error by every program.
inline constexpr Format kNoMemory = "CHYBA: nedostatek pameti\n";
inline constexpr Format kCannotWrite = "CHYBA: nelze zapsat vystup\n";
// The companion programs' word for a graph file that kostra would call inconsistent.
inline constexpr Format kNotAGraph = "CHYBA: soubor \"%s\" neni konzistentni popis grafu\n";

}  // namespace texts
