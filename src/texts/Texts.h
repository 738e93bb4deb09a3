// The catalogue of texts: what the programs print, in Czech (without diacritics, the default) and
// in English side by side. Each text is defined here once, by name, as the format that
// Output::print takes (see Output.h for "%d", "%2d" and "%s"); both languages take the same
// conversions in the same order, checked when compiling. in(language) gives a text's characters,
// and scanLine() (ReadBack.h) reads back a line printed with it. The English texts keep every
// number and every line of the Czech ones, so a script reads the numbers of either alike.
//
// Every text a person reads is here, and only here: kostra's dialogue, report and narration first,
// then what the programs say on standard error (notes, the language's messages, the usage), the
// progress line's words, then kostra-dot's and kostra-matice's own texts, and last the failures
// all three share. The Czech of a text that kostra printed before stays as it was, byte for byte.
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
inline constexpr Text kWeightPrompt{"hrana %d ma vahu: ", "edge %d weight: "};

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
                                "node %2d: tree edges=%2d, degree=%2d\n"};
inline constexpr Text kOrientationLine{"hrana %2d: orientace=%2d\n", "edge %2d: orientation=%2d\n"};

// What the programs say on standard error beside their output: warnings on the lines of a graph
// file, why a graph file is refused or cannot be opened, hints on refused answers. Every note is
// a line of its own that starts with one of the two prefixes.
inline constexpr Text kWarning{"VAROVANI: ", "WARNING: "};
inline constexpr Text kNote{"POZNAMKA: ", "NOTE: "};
// A value's line of the graph file: refused (the reason, the value's question, what it accepts,
// then what happens next), or its number taken with more after it.
// How a warning on a line of the graph file begins, before the line's number (the browser page
// finds the line by it).
inline constexpr auto kWarningOnLine = joinText<kWarning, Text{"radek ", "line "}>();
inline constexpr auto kLineRefused =
    joinText<kWarningOnLine, Text{"%s \"%s\": %s, ocekava se %s (%s); %s\n",
                                  "%s \"%s\": %s, expected %s (%s); %s\n"}>();
inline constexpr Text kFileEndsWithIt{"soubor jim konci", "the file ends with it"};
inline constexpr Text kNextLineInstead{"misto nej se cte dalsi radek",
                                       "the next line is read in its place"};
inline constexpr auto kLineTaken =
    joinText<kWarningOnLine, Text{"%s \"%s\": bere se %d jako %s, zbytek radku \"%s\" se "
                                  "nebere v uvahu\n",
                                  "%s \"%s\": %d is taken as %s, the rest of the line \"%s\" "
                                  "is ignored\n"}>();
inline constexpr auto kLongLineTaken =
    joinText<kWarningOnLine, Text{"%s je delsi nez 255 znaku: bere se %d jako %s a zbytek "
                                  "radku se cte jako dalsi radek\n",
                                  "%s is longer than 255 characters: %d is taken as %s and the "
                                  "rest of the line is read as the next line\n"}>();
// After a line number: the read is the rest of a line longer than one read.
inline constexpr Text kContinued{" (pokracovani)", " (continued)"};
inline constexpr auto kWarningsLeftOut =
    joinText<kWarning, Text{"dalsich %s varovani se nevypisuje (jen prvnich %d)\n",
                            "%s more warnings are not shown (only the first %d)\n"}>();
// Why a value or an answer is refused.
inline constexpr Text kNotANumber{"neni cislo", "not a number"};
inline constexpr Text kEmptyLine{"prazdny radek", "empty line"};
inline constexpr Text kEmptyAnswer{"prazdna odpoved", "empty answer"};
inline constexpr Text kBeyond32Bits{"cislo mimo rozsah -2147483648 az 2147483647",
                                    "number out of the range -2147483648 to 2147483647"};
inline constexpr Text kOutOfRange{"%s je mimo rozsah", "%s is out of range"};
inline constexpr Text kIsTreeEdge{"hrana %s je kostrova", "edge %s is a tree edge"};
inline constexpr Text kIsNoTreeEdge{"hrana %s neni kostrova", "edge %s is not a tree edge"};
inline constexpr Text kNotYesOrNo{"nezacina pismenem a ani n", "does not start with y or n"};
// What a question, or a value of the graph file, accepts.
inline constexpr Text kTakesEdgeCount{"cele cislo 0 az 2147483647", "an integer 0 to 2147483647"};
inline constexpr Text kTakesNodeCount{"cele cislo 1 az 2147483647", "an integer 1 to 2147483647"};
inline constexpr Text kTakesNode{"cislo uzlu 0 az %s", "a node number 0 to %s"};
inline constexpr Text kTakesWeight{"cele cislo -2147483648 az 2147483647",
                                   "an integer -2147483648 to 2147483647"};
inline constexpr Text kTakesChoice{"cislo ulohy 1 az 5", "a task number 1 to 5"};
inline constexpr Text kTakesMethod{"cislo metody 1 az 3", "a method number 1 to 3"};
inline constexpr Text kTakesYesNo{"a (ano) nebo n (ne), malym pismenem na zacatku radku",
                                  "y (yes) or n (no), in lower case at the start of the line"};
// The edges the edge question takes: the first few, then how many in all.
inline constexpr Text kTakesNonTreeEdge{"cislo nekostrove hrany:", "a non-tree edge number:"};
inline constexpr Text kTakesTreeEdge{"cislo kostrove hrany:", "a tree edge number:"};
inline constexpr Text kEdgesInAll{", ... (celkem %s)", ", ... (%s in all)"};
// The kind of edge a graph may have none of, as the notes on the edge question name it.
inline constexpr Text kNonTreeKind{"nekostrovou", "non-tree"};
inline constexpr Text kTreeKind{"kostrovou", "tree"};
inline constexpr auto kAnswerRefused =
    joinText<kNote, Text{"odpoved \"%s\" nebyla prijata (%s); otazka prijima %s\n",
                         "answer \"%s\" is not taken (%s); the question takes %s\n"}>();
inline constexpr auto kNoAnswerPossible =
    joinText<kNote, Text{"odpoved \"%s\" nebyla prijata; graf nema zadnou %s hranu, na otazku "
                         "neni platna odpoved (konec vstupu: Ctrl-D)\n",
                         "answer \"%s\" is not taken; the graph has no %s edge, the question has "
                         "no valid answer (end of input: Ctrl-D)\n"}>();
inline constexpr auto kAnswerTaken =
    joinText<kNote, Text{"z odpovedi \"%s\" se bere %d, zbytek \"%s\" se nebere v uvahu\n",
                         "from answer \"%s\" %d is taken, the rest \"%s\" is ignored\n"}>();
inline constexpr auto kLongAnswerTaken =
    joinText<kNote, Text{"odpoved je delsi nez 255 znaku: bere se %d a zbytek se cte jako dalsi "
                         "odpoved\n",
                         "the answer is longer than 255 characters: %d is taken and the rest is "
                         "read as the next answer\n"}>();
inline constexpr auto kNoEdgeToAsk =
    joinText<kNote, Text{"graf nema zadnou %s hranu, na nasledujici otazku proto neni platna "
                         "odpoved; ukoncete vstup klavesami Ctrl-D\n",
                         "the graph has no %s edge, so the next question has no valid answer; "
                         "end the input with Ctrl-D\n"}>();
// Why a graph file is refused.
inline constexpr auto kFileEmpty =
    joinText<kNote, Text{"soubor je prazdny; graf zacina poctem hran a poctem uzlu, kazdy na svem "
                         "radku\n",
                         "the file is empty; a graph starts with the number of edges and the "
                         "number of nodes, each on its own line\n"}>();
inline constexpr auto kOnlyLineBreakMissing =
    joinText<kNote, Text{"posledni radek %s (\"%s\") nema znak konce radku; graf je jinak uplny, "
                         "staci pridat konec radku na konec souboru\n",
                         "the last line %s (\"%s\") has no line break; the graph is complete "
                         "otherwise, a line break at the end of the file is all it needs\n"}>();
// The file ends early: where, what is still needed and what is missing first, then, each only
// when it applies, the lines of several numbers, a last line without a line break and the end.
inline constexpr auto kFileEndsEarly =
    joinText<kNote, Text{"soubor konci radkem %s, graf ale potrebuje jeste %s; prvni chybi %s (%s)",
                         "the file ends with line %s, but the graph still needs %s; the first "
                         "missing is %s (%s)"}>();
inline constexpr Text kEverythingNeeded{"pocet hran, pocet uzlu a tri radky za kazdou hranu",
                                        "the number of edges, the number of nodes and three lines "
                                        "for every edge"};
inline constexpr Text kSeveralNumbers{
    "; na %s je vic cisel (poprve na radku %s), soubor ale ma mit na kazdem radku jen jednu "
    "hodnotu: pocet hran, pocet uzlu, pak od, do a vahu kazde hrany pod sebou",
    "; there are several numbers on %s (first on line %s), but the file must hold one value a "
    "line: the number of edges, the number of nodes, then from, to and weight of every edge, one "
    "below another"};
inline constexpr Text kLastLineUnbroken{"; posledni radek navic nema znak konce radku",
                                        "; the last line has no line break either"};
inline constexpr Text kLineEnd{"\n", "\n"};
inline constexpr auto kFileTooShort =
    joinText<kNote, Text{"pocet hran je %d, po radku %s ale soubor obsahuje uz jen %s; kazda hrana "
                         "potrebuje tri radky, tedy aspon 6 bajtu\n",
                         "the number of edges is %d, but after line %s the file holds only %s; "
                         "every edge needs three lines, so at least 6 bytes\n"}>();
// Counted things: the form for 1, for 2 to 4 and for any other count (English needs only two).
inline constexpr Text kLine1{"radek", "line"};
inline constexpr Text kLine2{"radky", "lines"};
inline constexpr Text kLine5{"radku", "lines"};
// The same after "on" ("na 1 radku", "na 5 radcich").
inline constexpr Text kOnLine1{"radku", "line"};
inline constexpr Text kOnLine2{"radcich", "lines"};
inline constexpr Text kByte1{"bajt", "byte"};
inline constexpr Text kByte2{"bajty", "bytes"};
inline constexpr Text kByte5{"bajtu", "bytes"};
// Why a graph file cannot be opened; a name that starts with "-" gets how to give it.
inline constexpr auto kNoSuchFile = joinText<kNote, Text{"soubor neexistuje", "no such file"}>();
inline constexpr auto kNotReadable =
    joinText<kNote, Text{"soubor nelze cist, chybi pravo cteni",
                         "the file cannot be read, the permission to read it is missing"}>();
inline constexpr auto kIsDirectory =
    joinText<kNote, Text{"to je adresar, graf se cte ze souboru",
                         "that is a directory, the graph is read from a file"}>();
inline constexpr auto kNotOpened = joinText<kNote, Text{"system soubor neotevrel (%s)",
                                                        "the system did not open the file (%s)"}>();
inline constexpr Text kNamedLikeOption{
    "; napovedu vypise volba --help, soubor se jmenem od znaku - se zadava jako ./",
    "; --help shows the usage, a file whose name starts with - is given as ./"};

// The language, chosen on the command line (--lang) or by the environment (KOSTRA_LANG), and the
// arguments kostra does not read. A language's code, as --lang and KOSTRA_LANG name it and as a
// page declares it.
inline constexpr Text kLanguageCode{"cs", "en"};
inline constexpr Text kUnknownLanguage{
    "CHYBA: neznamy jazyk \"%s\", volba --lang prijima cs nebo en (pouziti: %s --help)\n",
    "ERROR: unknown language \"%s\", --lang takes cs or en (usage: %s --help)\n"};
inline constexpr Text kLanguageMissing{
    "CHYBA: volbe --lang chybi jazyk, cs nebo en (pouziti: %s --help)\n",
    "ERROR: --lang needs a language, cs or en (usage: %s --help)\n"};
// Told in both languages, as nobody knows which one the reader wanted.
inline constexpr auto kUnknownLanguageVariable =
    joinText<kNote, Text{"promenna prostredi KOSTRA_LANG=\"%s\" neni cs ani en, plati cs\n",
                         "the environment variable KOSTRA_LANG=\"%s\" is neither cs nor en, cs "
                         "(Czech) applies\n"}>();
inline constexpr auto kArgumentsIgnored =
    joinText<kNote, Text{"kostra cte jediny graf, ze souboru \"%s\"; argument \"%s\" a vse za nim "
                         "se nebere v uvahu",
                         "kostra reads a single graph, from file \"%s\"; argument \"%s\" and all "
                         "after it are ignored"}>();
inline constexpr Text kOptionsFirst{"; volby patri pred soubor grafu",
                                    "; options go before the graph file"};

// kostra --help and --version. The usage stays as it was before the language could be chosen;
// the manual page tells --lang.
// The program and its version.
inline constexpr Text kVersion{"%s %s\n", "%s %s\n"};
inline constexpr Text kHelp{
    "pouziti: kostra [GRAF]\n"
    "         kostra --help | --version\n"
    "Nacte vazeny graf ze souboru GRAF, bez nej z klavesnice, nabidne pet uloh a vypise\n"
    "vysledek: kostru od uzlu s nejvyssim stupnem, minimalni kostru (Boruvka-Kruskal\n"
    "nebo Jarnik-Prim), nezavislou smycku nekostrove hrany nebo nezavisly rez kostrove\n"
    "hrany. Odpovedi na otazky cte ze standardniho vstupu.\n"
    "  GRAF       soubor s popisem grafu: pocet hran, pocet uzlu, pak od, do a vaha\n"
    "             kazde hrany, kazda hodnota na svem radku (soubor jmenem --help se\n"
    "             zadava jako ./--help)\n"
    "  --help     tato napoveda\n"
    "  --version  verze programu\n"
    "Varovani ke vstupu a napovedy k odpovedim pise na standardni chybovy vystup,\n"
    "a je-li to terminal, tez jak daleko je dlouha prace.\n"
    "Navratovy kod: 0 vysledek je vypsan, 1 soubor neni konzistentni popis grafu,\n"
    "2 soubor nelze otevrit, 3 vstup skoncil pred odpovedi, 4 nedostatek pameti,\n"
    "5 vystup nelze zapsat.\n",
    "usage: kostra [GRAPH]\n"
    "       kostra --help | --version\n"
    "Reads a weighted graph from the file GRAPH, or from the keyboard without it,\n"
    "offers five tasks and prints the result: a spanning forest from the node of\n"
    "highest degree, a minimum one (Boruvka-Kruskal or Jarnik-Prim), the fundamental\n"
    "loop or cut-set of an edge. It reads its answers from standard input.\n"
    "  GRAPH      a graph description: the number of edges, the number of nodes, then\n"
    "             from, to and weight of every edge, each value on a line of its own\n"
    "             (a file named --help is given as ./--help)\n"
    "  --help     this help\n"
    "  --version  the program's version\n"
    "Warnings on the input and hints on the answers go to standard error, and when\n"
    "it is a terminal, how far a long piece of work is too.\n"
    "Exit status: 0 the result is printed, 1 the file is no consistent graph,\n"
    "2 the file cannot be opened, 3 input ended before an answer, 4 out of memory,\n"
    "5 the output cannot be written.\n"};

// The progress line at a terminal: what is being done, what is counted, and the word between
// the count and the total ("nacitam graf, hrana 3145728 z 10000000 (31 %), 2 s").
inline constexpr Text kReadingGraph{"nacitam graf", "reading the graph"};
inline constexpr Text kBuildingRoutes{"pripravuji seznamy sousedu", "building the adjacency lists"};
inline constexpr Text kFindingForest{"hledam kostru", "finding the spanning forest"};
inline constexpr Text kFindingLoop{"hledam smycku", "finding the loop"};
inline constexpr Text kFindingCut{"hledam rez", "finding the cut-set"};
inline constexpr Text kWritingReport{"vypisuji vysledek", "writing the report"};
inline constexpr Text kCountingEntries{"pocitam prvky matice", "counting the matrix entries"};
inline constexpr Text kWriting{"zapisuji", "writing"};
inline constexpr Text kEdgeUnit{"hrana", "edge"};
inline constexpr Text kLineUnit{"radek", "line"};
inline constexpr Text kOutOf{" z ", " of "};

// kostra-dot: its usage, its messages, the drawing's caption and the page.
inline constexpr Text kDotUsage{"pouziti: ", "usage: "};
inline constexpr Text kDrawingForm{"kostra-dot GRAFOVY_SOUBOR < vystup_kostry > kresba.dot\n",
                                   "kostra-dot GRAPH_FILE < kostra_output > drawing.dot\n"};
inline constexpr Text kPageForm{"kostra-dot --html GRAFOVY_SOUBOR < vystup_kostry > stranka.html\n",
                                "kostra-dot --html GRAPH_FILE < kostra_output > page.html\n"};
inline constexpr auto kDotHelp =
    joinText<kDotUsage, kDrawingForm, Text{"         ", "       "}, kPageForm>();
inline constexpr Text kPageTooLarge{
    "CHYBA: graf je na stranku prilis velky (%d hran, %d uzlu; nejvyse %d hran a %d uzlu)\n",
    "ERROR: the graph is too large for a page (%d edges, %d nodes; at most %d edges and %d "
    "nodes)\n"};
inline constexpr auto kDrawingCrowded =
    joinText<kNote, Text{"graf ma %d hran, kresba bude neprehledna a dot ji muze pocitat dlouho\n",
                         "the graph has %d edges, the drawing will be crowded and dot may take "
                         "long over it\n"}>();
// kostra's output refused: why, and what was expected where it is refused.
inline constexpr Text kInputUnreadable{"CHYBA: standardni vstup nelze precist\n",
                                       "ERROR: standard input cannot be read\n"};
inline constexpr Text kInputEmpty{"CHYBA: standardni vstup je prazdny, ocekavan vystup kostry\n",
                                  "ERROR: standard input is empty, kostra's output expected\n"};
inline constexpr Text kOutputEndsEarly{"CHYBA: vystup kostry konci predcasne, ocekavan %s\n",
                                       "ERROR: kostra's output ends early, expected %s\n"};
inline constexpr Text kKostraFailed{"CHYBA: kostra skoncila chybou: %s\n",
                                    "ERROR: kostra ended with an error: %s\n"};
inline constexpr Text kLineDoesNotFit{
    "CHYBA: radek %s vystupu kostry neodpovida grafu, ocekavan %s\n",
    "ERROR: line %s of kostra's output does not fit the graph, expected %s\n"};
inline constexpr Text kOtherCount{"CHYBA: vystup kostry je pro jiny pocet %s (%d) nez graf (%d)\n",
                                  "ERROR: kostra's output is for another number of %s (%d) than "
                                  "the graph (%d)\n"};
inline constexpr Text kEarlyOrOtherCount{
    "CHYBA: vystup kostry konci predcasne nebo je pro jiny pocet %s (%d) nez graf (%d)\n",
    "ERROR: kostra's output ends early or is for another number of %s (%d) than the graph "
    "(%d)\n"};
inline constexpr Text kMoreThanGraph{"CHYBA: vystup kostry je pro vic %s nez graf (%d)\n",
                                     "ERROR: kostra's output is for more %s than the graph (%d)\n"};
inline constexpr Text kOfEdges{"hran", "edges"};
inline constexpr Text kOfNodes{"uzlu", "nodes"};
inline constexpr Text kOtherWeight{"CHYBA: hrana %d: vaha=%d ve vystupu kostry, v grafu %d\n",
                                   "ERROR: edge %d: weight=%d in kostra's output, %d in the "
                                   "graph\n"};
inline constexpr Text kOtherDegree{"CHYBA: uzel %d: smeru=%d ve vystupu kostry, v grafu %d\n",
                                   "ERROR: node %d: degree=%d in kostra's output, %d in the "
                                   "graph\n"};
inline constexpr Text kOtherBones{
    "CHYBA: uzel %d: kosti z=%d ve vystupu kostry, hrany v kostre davaji %d\n",
    "ERROR: node %d: tree edges=%d in kostra's output, the edges in the forest give %d\n"};
inline constexpr Text kNotKostrasForest{
    "CHYBA: hrany v kostre ve vystupu kostry nejsou kostrou, kterou kostra v tomto grafu "
    "oznaci\n",
    "ERROR: the tree edges in kostra's output are not a forest that kostra marks in this "
    "graph\n"};
inline constexpr Text kNoChosenEdge{"CHYBA: ve vystupu kostry nema zadna %s hrana orientaci 1\n",
                                    "ERROR: no %s edge has orientation 1 in kostra's output\n"};
inline constexpr Text kTreeEdgeKind{"kostrova", "tree"};
inline constexpr Text kNonTreeEdgeKind{"nekostrova", "non-tree"};
inline constexpr Text kOtherOrientations{
    "CHYBA: orientace ve vystupu kostry neodpovidaji %s hrany %d\n",
    "ERROR: the orientations in kostra's output do not fit the %s of edge %d\n"};
inline constexpr Text kOfCut{"rezu", "cut-set"};
inline constexpr Text kOfLoop{"smycce", "loop"};
inline constexpr Text kOtherNarration{
    "CHYBA: podrobny vypis ve vystupu kostry neni ten, ktery kostra pro tento graf vypise\n",
    "ERROR: the narration in kostra's output is not the one kostra prints for this graph\n"};
inline constexpr Text kExpectEmptyLine{"prazdny radek", "an empty line"};
inline constexpr Text kExpectNarration{"radek podrobneho vypisu", "a line of the narration"};
inline constexpr Text kExpectEdgeQuestion{"otazka na hranu", "the edge question"};
inline constexpr Text kExpectAfterMenu{"prazdny radek nebo otazka po nabidce",
                                       "an empty line or a question after the menu"};
inline constexpr Text kExpectEnd{"konec vystupu", "the end of the output"};
// dot, which lays out the page's drawing, failed.
inline constexpr Text kDotNoDescriptors{
    "CHYBA: program dot nelze spustit (nedostatek deskriptoru)\n",
    "ERROR: dot cannot be started (no file descriptors left)\n"};
inline constexpr Text kDotNotFound{"CHYBA: program dot (Graphviz) nebyl nalezen v PATH\n",
                                   "ERROR: dot (Graphviz) was not found on PATH\n"};
inline constexpr Text kDotNotStarted{"CHYBA: program dot nelze spustit\n",
                                     "ERROR: dot cannot be started\n"};
inline constexpr Text kDotSignalled{"CHYBA: program dot byl ukoncen signalem %d\n",
                                    "ERROR: dot was ended by signal %d\n"};
inline constexpr Text kDotFailed{"CHYBA: program dot skoncil se stavem %d\n",
                                 "ERROR: dot ended with status %d\n"};
inline constexpr Text kDotNoSvg{"CHYBA: program dot nevypsal SVG\n", "ERROR: dot wrote no SVG\n"};
// The drawing: the task in words (the caption's first line and the page's title), the caption's
// lines on the styles (each ends with DOT's left-aligned line break), an edge's label.
inline constexpr Text kLoopCaption{"nezavisla smycka hrany %d", "fundamental loop of edge %d"};
inline constexpr Text kCutCaption{"nezavisly rez hrany %d", "fundamental cut-set of edge %d"};
inline constexpr Text kMinimumForest{"minimalni kostra", "minimum spanning forest"};
inline constexpr Text kMinimumForestBy{"minimalni kostra (%s)", "minimum spanning forest (%s)"};
inline constexpr Text kCaptionStyles{
    "tucne: hrany kostry, carkovane: ostatni hrany; popisek hN: vaha hrany N\\l",
    "bold: tree edges, dashed: other edges; label eN: weight of edge N\\l"};
inline constexpr Text kCaptionOrientation{
    "cervene: orientace +1, sipka od->do; modre: orientace -1, sipka do->od; silne: zvolena "
    "hrana\\l",
    "red: orientation +1, arrow from->to; blue: orientation -1, arrow to->from; thick: the "
    "chosen edge\\l"};
inline constexpr Text kCaptionSides{
    "oranzove: strana uzlu od zvolene hrany, zelene: strana uzlu do\\l",
    "orange: the side of the chosen edge's from node, green: the side of its to node\\l"};
// An edge's label: its number and weight.
inline constexpr Text kEdgeLabel{"h%d: %d", "e%d: %d"};
inline constexpr Text kChosenLabel{" (+1, zvolena)", " (+1, chosen)"};
// The steps of the walk, as the page tells them (kostra prints nothing for the walk).
inline constexpr Text kWalkEntry{"vstup do uzlu %d%s: ", "entering node %d%s: "};
inline constexpr Text kWalkTreeStarts{" (zacatek stromu)", " (a tree starts)"};
inline constexpr Text kWalkClaimsNothing{"nic nezabira", "claims nothing"};
inline constexpr Text kWalkClaim{"%suzel %d pres hranu %d", "%snode %d through edge %d"};
inline constexpr Text kWalkClaims{"zabira ", "claims "};
inline constexpr Text kWalkClaimsMore{", ", ", "};
// The page: its header, introduction, controls, legend and lines.
inline constexpr Text kPageGraph{"graf ", "graph "};
inline constexpr Text kPageCounts{", uzlu: %d, hran: %d", ", nodes: %d, edges: %d"};
inline constexpr Text kIntroWalk{
    "Kroky: kazdy prvni vstup pruchodu do uzlu, v poradi pruchodu, od zacatku stromu po vstup, "
    "ktery zabere jeho posledni uzel. Pri vstupu uzel zabere vsechny dosud nezabrane sousedy; "
    "hrany k nim patri do kostry.",
    "Steps: every first entry of the walk into a node, in the walk's order, from the start of a "
    "tree to the entry that claims its last node. On entry a node claims all its neighbours not "
    "claimed yet; the edges to them belong to the forest."};
inline constexpr Text kIntroLastStep{" Posledni krok ukazuje vysledek.",
                                     " The last step shows the result."};
inline constexpr Text kIntroKruskal{
    "Kroky: kazda prijata hrana s obema radky sjednoceni. Hrany se berou podle vahy, stejne vahy "
    "podle cisla hrany.",
    "Steps: every accepted edge with both lines of its union. The edges are taken by weight, "
    "equal weights by edge number."};
inline constexpr Text kIntroPrim{"Kroky: kazdy vybrany uzel, s jeho radkem a radky klicu po nem.",
                                 "Steps: every chosen node, with its line and the key lines after "
                                 "it."};
inline constexpr Text kIntroResult{"Stranka ukazuje vysledek: %s", "The page shows the result: %s"};
inline constexpr Text kNoNarration{"kostra nevypsala podrobny vypis.",
                                   "kostra printed no narration."};
inline constexpr Text kOnlyWalkReplayed{
    "prehrava se jen pruchod metody 1 (kostra metody 2 nebo 3 ne).",
    "only the walk of method 1 is replayed (not the forest of method 2 or 3)."};
inline constexpr Text kPageControls{
    "<nav id=\"ovladani\" aria-label=\"ovladani\">\n"
    "<button id=\"prvni\" title=\"na zacatek (Home)\">|&lt; prvni</button>\n"
    "<button id=\"zpet\" title=\"o krok zpet (sipka vlevo)\">&lt; zpet</button>\n"
    "<button id=\"prehrat\" title=\"prehrat nebo pozastavit (mezernik)\" "
    "aria-pressed=\"false\">prehrat</button>\n"
    "<button id=\"vpred\" title=\"o krok vpred (sipka vpravo)\">vpred &gt;</button>\n"
    "<button id=\"posledni\" title=\"na konec (End)\">posledni &gt;|</button>\n"
    "<label>rychlost <select id=\"rychlost\">\n"
    "<option value=\"2000\">1 krok za 2 s</option>\n"
    "<option value=\"1000\" selected>1 krok za s</option>\n"
    "<option value=\"500\">2 kroky za s</option>\n"
    "<option value=\"250\">4 kroky za s</option>\n"
    "<option value=\"100\">10 kroku za s</option>\n"
    "</select></label>\n"
    "<input type=\"range\" id=\"posuvnik\" min=\"0\" max=\"%d\" value=\"0\" "
    "aria-label=\"krok\">\n",
    "<nav id=\"ovladani\" aria-label=\"controls\">\n"
    "<button id=\"prvni\" title=\"to the start (Home)\">|&lt; first</button>\n"
    "<button id=\"zpet\" title=\"a step back (left arrow)\">&lt; back</button>\n"
    "<button id=\"prehrat\" title=\"play or pause (space)\" "
    "aria-pressed=\"false\">play</button>\n"
    "<button id=\"vpred\" title=\"a step forward (right arrow)\">forward &gt;</button>\n"
    "<button id=\"posledni\" title=\"to the end (End)\">last &gt;|</button>\n"
    "<label>speed <select id=\"rychlost\">\n"
    "<option value=\"2000\">1 step every 2 s</option>\n"
    "<option value=\"1000\" selected>1 step a second</option>\n"
    "<option value=\"500\">2 steps a second</option>\n"
    "<option value=\"250\">4 steps a second</option>\n"
    "<option value=\"100\">10 steps a second</option>\n"
    "</select></label>\n"
    "<input type=\"range\" id=\"posuvnik\" min=\"0\" max=\"%d\" value=\"0\" "
    "aria-label=\"step\">\n"};
inline constexpr Text kStepOf{"krok %d z %d", "step %d of %d"};
inline constexpr Text kLegend{"legenda", "legend"};
inline constexpr Text kLegendWalkEdge{"hrany, pres ktere uzel v kroku zabira sousedy (silne)",
                                      "the edges through which the step's node claims its "
                                      "neighbours (thick)"};
inline constexpr Text kLegendKruskalEdge{"hrana prijata v kroku (silne)",
                                         "the edge accepted in the step (thick)"};
inline constexpr Text kLegendPrimEdge{"hrana, pres kterou se vybrany uzel pripojuje (silne)",
                                      "the edge through which the chosen node joins (thick)"};
inline constexpr Text kLegendForest{"hrany kostry z drivejsich kroku (plne)",
                                    "tree edges of the earlier steps (solid)"};
inline constexpr Text kLegendRefused{
    "hrany vzate pred hranou kroku a odmitnute, uzavrely by smycku (teckovane)",
    "edges taken before the step's edge and refused, they would close a loop (dotted)"};
inline constexpr Text kLegendKey{"hrana, ktera dava otevrenemu uzlu jeho klic (carka-tecka)",
                                 "the edge that gives an open node its key (dash-dot)"};
inline constexpr Text kLegendOtherEdges{"ostatni hrany (tenke, carkovane)",
                                        "the other edges (thin, dashed)"};
inline constexpr Text kLegendWalkNode{"uzel, do ktereho pruchod v kroku vstoupil (silny okraj)",
                                      "the node the walk entered in the step (thick outline)"};
inline constexpr Text kLegendClaimed{
    "ostatni zabrane uzly, i ty, ktere krok zabral (sedy, plny okraj)",
    "the other claimed nodes, those the step claimed too (grey, solid outline)"};
inline constexpr Text kLegendKruskalNode{"uzly, kterym krok zmenil podstrom (silny okraj)",
                                         "the nodes whose subtree the step changed (thick "
                                         "outline)"};
inline constexpr Text kLegendSubtree{"p=N vedle uzlu: jeho podstrom N (a barva podstromu)",
                                     "s=N beside a node: its subtree N (and the subtree's "
                                     "colour)"};
inline constexpr Text kLegendPrimNode{"uzel vybrany v kroku (silny okraj)",
                                      "the node chosen in the step (thick outline)"};
inline constexpr Text kLegendChosen{"uzly vybrane drive (sedy, plny okraj)",
                                    "the nodes chosen before (grey, solid outline)"};
inline constexpr Text kLegendOpen{"otevreny uzel, k=N vedle nej je jeho klic (carkovany okraj)",
                                  "an open node, k=N beside it is its key (dashed outline)"};
inline constexpr Text kLegendOtherNodes{"ostatni uzly (tenky okraj)",
                                        "the other nodes (thin outline)"};
inline constexpr Text kLegendLastStep{
    "Posledni krok ukazuje kresba ve svych stylech, jak je vysvetluje jeji popisek",
    "The last step is shown in the drawing's own styles, as its caption explains them"};
inline constexpr Text kLegendResult{
    "Vysledek ukazuje kresba ve svych stylech, jak je vysvetluje jeji popisek",
    "The result is shown in the drawing's own styles, as its caption explains them"};
inline constexpr Text kLegendSides{"; od a do vedle uzlu: strana rezu",
                                   "; from and to beside the nodes: the side of the cut-set"};
inline constexpr Text kWalkLines{"kroky pruchodu", "the steps of the walk"};
inline constexpr Text kKostraLines{"vypis kostry", "kostra's output"};
inline constexpr Text kNarrationLines{
    "Radky podrobneho vypisu, jak je kostra vypsala; klik na radek ukaze jeho krok.",
    "The lines of the narration as kostra printed them; a click on a line shows its step."};
// The words the page's script shows: beside a node (its side of a cut, its subtree, its key),
// in the step's description and on the play button.
inline constexpr Text kFromSide{"od", "from"};
inline constexpr Text kToSide{"do", "to"};
inline constexpr Text kSubtreeMark{"p=", "s="};
inline constexpr Text kKeyMark{"k=", "k="};
inline constexpr Text kBeforeFirstStep{"pred prvnim krokem", "before the first step"};
inline constexpr Text kResultStep{"vysledek", "result"};
inline constexpr Text kNewTree{"novy strom zacina v uzlu ", "a new tree starts at node "};
inline constexpr Text kPlay{"prehrat", "play"};
inline constexpr Text kPause{"pozastavit", "pause"};

// kostra-matice: its usage, its messages, and the comment lines of its matrices and the header of
// its table. The kinds and the options are taken in either language, whichever the output speaks.
// The usages stay as they were before the language could be chosen; the manual pages tell --lang.
inline constexpr Text kLoopsKind{"smycky", "loops"};
inline constexpr Text kCutsKind{"rezy", "cuts"};
inline constexpr Text kTableOption{"--tabulka", "--table"};
inline constexpr Text kRowEdgesOption{"--hrany-radku", "--row-edges"};
inline constexpr auto kMatrixUsage = joinText<
    Text{"pouziti: kostra-matice [--tabulka | --hrany-radku] GRAF METODA DRUH\n"
         "         kostra-matice --help | --version\n"
         "Zapise vsechny nezavisle smycky nebo vsechny nezavisle rezy kostry grafu jako jednu\n"
         "matici: radek pro kazdou smycku nebo rez, sloupec pro kazdou hranu, prvky 1, -1 a 0\n"
         "jako orientace, ktere kostra vypise v uloze 4 nebo 5.\n"
         "  GRAF       soubor s popisem grafu, jak ho cte kostra\n"
         "  METODA     kostra, jako v odpovedi na \"cislo algoritmu pro oznaceni kostry (1-3)\":\n"
         "             1 - ",
         "usage: kostra-matice [--table | --row-edges] GRAPH METHOD KIND\n"
         "       kostra-matice --help | --version\n"
         "Writes every fundamental loop or every fundamental cut-set of a spanning forest of\n"
         "the graph as one matrix: a row for every loop or cut-set, a column for every edge,\n"
         "entries 1, -1 and 0, the orientations kostra prints in task 4 or 5.\n"
         "  GRAPH      a graph description, as kostra reads it\n"
         "  METHOD     the spanning forest, as in the answer to \"number of the algorithm\n"
         "             that marks the forest (1-3)\":\n"
         "             1 - "},
    kMethod1, Text{"\n             2 - ", "\n             2 - "}, kMethod2,
    Text{"\n             3 - ", "\n             3 - "}, kMethod3,
    Text{"\n"
         "  DRUH       smycky - radek pro kazdou nekostrovou hranu (matice nezavislych smycek)\n"
         "             rezy   - radek pro kazdou kostrovou hranu (matice nezavislych rezu)\n"
         "  --tabulka  tabulka pro cloveka misto formatu Matrix Market\n"
         "  --hrany-radku\n"
         "             misto matice vektor ve formatu Matrix Market: prvek r je cislo hrany,\n"
         "             ktere patri r-ty radek matice\n"
         "Pred zapisem rekne na standardni chybovy vystup, kolik toho zapise.\n"
         "Navratovy kod: 0 matice je zapsana, 1 soubor neni konzistentni popis grafu, 2 soubor\n"
         "nelze otevrit, 3 chybne argumenty, 4 nedostatek pameti, 5 vystup nelze zapsat.\n",
         "\n"
         "  KIND       loops - a row for every non-tree edge (the fundamental loop matrix)\n"
         "             cuts  - a row for every tree edge (the fundamental cut-set matrix)\n"
         "  --table    a table for people instead of the Matrix Market format\n"
         "  --row-edges\n"
         "             instead of the matrix a Matrix Market vector: element r is the number\n"
         "             of the edge that row r of the matrix belongs to\n"
         "Before it writes, it says on standard error how much it will write at most.\n"
         "Exit status: 0 the matrix is written, 1 the file is not a consistent graph\n"
         "description, 2 the file cannot be opened, 3 bad arguments, 4 out of memory,\n"
         "5 the output cannot be written.\n"}>();
inline constexpr Text kUnknownOption{
    "CHYBA: neznama volba \"%s\" (pouziti: kostra-matice --help)\n",
    "ERROR: unknown option \"%s\" (usage: kostra-matice --help)\n"};
inline constexpr Text kOptionsExclusive{
    "CHYBA: volby --tabulka a --hrany-radku nelze spojit (pouziti: kostra-matice --help)\n",
    "ERROR: --table and --row-edges cannot go together (usage: kostra-matice --help)\n"};
inline constexpr Text kArgumentsMissing{
    "CHYBA: chybi argumenty (pouziti: kostra-matice [--tabulka | --hrany-radku] GRAF METODA "
    "DRUH)\n",
    "ERROR: arguments missing (usage: kostra-matice [--table | --row-edges] GRAPH METHOD "
    "KIND)\n"};
inline constexpr Text kExtraArgument{
    "CHYBA: prebytecny argument \"%s\" (pouziti: kostra-matice --help)\n",
    "ERROR: one argument too many, \"%s\" (usage: kostra-matice --help)\n"};
inline constexpr Text kNoSuchMethod{"CHYBA: metoda \"%s\" neni 1, 2 ani 3\n",
                                    "ERROR: method \"%s\" is not 1, 2 or 3\n"};
inline constexpr Text kNoSuchKind{"CHYBA: druh \"%s\" neni smycky ani rezy\n",
                                  "ERROR: kind \"%s\" is neither loops nor cuts\n"};
// What is about to be written, and how large it is at most ("1,2 kB": the decimal separator).
inline constexpr auto kWritingRowEdges =
    joinText<kNote, Text{"zapisu hrany radku matice %s (radku: %d), nejvyse %s\n",
                         "writing the row edges of the %s matrix (rows: %d), at most %s\n"}>();
inline constexpr auto kWritingTable =
    joinText<kNote, Text{"zapisu tabulku %s %d x %d, nejvyse %s\n",
                         "writing the %s table %d x %d, at most %s\n"}>();
inline constexpr auto kTableWide =
    joinText<kNote, Text{"graf ma %d hran, tabulka je siroka\n",
                         "the graph has %d edges, the table is wide\n"}>();
inline constexpr auto kWritingMatrix =
    joinText<kNote, Text{"zapisu matici %s %d x %d (nenulovych prvku: %s), nejvyse %s\n",
                         "writing the %s matrix %d x %d (nonzero entries: %s), at most %s\n"}>();
inline constexpr Text kOfLoops{"smycek", "loop"};
inline constexpr Text kOfCuts{"rezu", "cut-set"};
inline constexpr Text kDecimalSeparator{",", "."};
// The header of a matrix and of a table: the graph, the method, the kind; a matrix writes each of
// its comment lines after "% ".
inline constexpr Text kHeaderGraph{"graf: ", "graph: "};
inline constexpr Text kHeaderMethod{"metoda: %d - %s\n", "method: %d - %s\n"};
inline constexpr Text kHeaderLoops{
    "druh: smycky, radek pro kazdou nekostrovou hranu (jeji nezavisla smycka)\n",
    "kind: loops, a row for every non-tree edge (its fundamental loop)\n"};
inline constexpr Text kHeaderCuts{
    "druh: rezy, radek pro kazdou kostrovou hranu (jeji nezavisly rez)\n",
    "kind: cuts, a row for every tree edge (its fundamental cut-set)\n"};
inline constexpr Text kColumnsComment{"sloupec j: hrana j-1\n", "column j: edge j-1\n"};
inline constexpr Text kRowComment{"radek %d: hrana %d\n", "row %d: edge %d\n"};
inline constexpr Text kRowEdgesComment{
    "prvek r: hrana radku r matice (radky od 1, hrany od 0)\n",
    "element r: the edge of row r of the matrix (rows from 1, edges from 0)\n"};
// A column's and a row's label: this, then the edge's number.
inline constexpr Text kTableEdge{"h", "e"};
inline constexpr Text kNoLoopRows{"(zadne radky: graf nema nekostrove hrany)\n",
                                  "(no rows: the graph has no non-tree edges)\n"};
inline constexpr Text kNoCutRows{"(zadne radky: graf nema kostrove hrany)\n",
                                 "(no rows: the graph has no tree edges)\n"};

// The word every error message of kostra starts with.
inline constexpr Text kError{"CHYBA", "ERROR"};

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
inline constexpr Text kWebTitle{"kostra v prohlizeci", "kostra in the browser"};
inline constexpr Text kWebIntro{
    "Kostry, nezavisle smycky a rezy vazeneho grafu: program kostra sam, primo v teto strance, "
    "bez instalace a bez site.",
    "Spanning forests, fundamental loops and cut-sets of a weighted graph: the kostra program "
    "itself, inside this page, with nothing to install and no network."};
// The switch names the other language, in that language.
inline constexpr Text kWebOtherLanguage{"English", "Cesky"};
inline constexpr Text kWebLoading{"nacitam program...", "loading the program..."};
inline constexpr Text kWebReady{"program je pripraven", "the program is ready"};
inline constexpr Text kWebBroken{"program nelze spustit: %s", "the program cannot start: %s"};
inline constexpr Text kWebGraph{"Graf", "Graph"};
inline constexpr Text kWebGraphText{
    "Popis grafu: pocet hran, pocet uzlu, pak od, do a vaha kazde hrany, kazda hodnota na svem "
    "radku",
    "The graph: the number of edges, the number of nodes, then from, to and weight of every edge, "
    "each value on a line of its own"};
inline constexpr Text kWebFileName{"Jmeno souboru ve vypisu", "File name in the transcript"};
inline constexpr Text kWebKeyboard{"Graf zadat z klavesnice, bez souboru",
                                   "Type the graph at the keyboard, without a file"};
inline constexpr Text kWebOpenFile{"Otevrit soubor", "Open a file"};
inline constexpr Text kWebDropHint{"(nebo ho pretahnete na stranku)", "(or drop it on the page)"};
inline constexpr Text kWebGraphTooLarge{
    "Graf ma %s bajtu: v teto strance se neukazuje, ale spousti se a da se ulozit.",
    "The graph has %s bytes: it is not shown in this page, but it runs and can be saved."};
inline constexpr Text kWebCannotRead{"soubor %s nelze precist", "file %s cannot be read"};
inline constexpr Text kWebExamples{"Priklad", "Example"};
inline constexpr Text kWebChooseExample{"(vyberte priklad)", "(choose an example)"};
inline constexpr Text kWebSave{"Ulozit graf", "Save the graph"};
inline constexpr Text kWebRandom{"Nahodny graf", "Random graph"};
inline constexpr Text kWebNodes{"uzlu", "nodes"};
inline constexpr Text kWebEdges{"hran", "edges"};
inline constexpr Text kWebWeightsFrom{"vahy od", "weights from"};
inline constexpr Text kWebWeightsTo{"do", "to"};
inline constexpr Text kWebSeed{"seminko", "seed"};
inline constexpr Text kWebMake{"Vytvorit", "Make"};
inline constexpr Text kWebTable{"Hrany", "Edges"};
inline constexpr Text kWebNodeCount{"Pocet uzlu", "Number of nodes"};
inline constexpr Text kWebEdgeNumber{"hrana", "edge"};
inline constexpr Text kWebFrom{"od uzlu", "from node"};
inline constexpr Text kWebTo{"do uzlu", "to node"};
inline constexpr Text kWebWeight{"vaha", "weight"};
inline constexpr Text kWebAddEdge{"Pridat hranu", "Add an edge"};
inline constexpr Text kWebRemoveEdge{"Odebrat hranu %d", "Remove edge %d"};
inline constexpr Text kWebTableOff{
    "Tabulka hran je pro graf, jehoz kazdy radek je jedno cislo, a pro nejvic %d hran.",
    "The table of edges is for a graph whose every line is one number, and for %d edges at most."};
inline constexpr Text kWebWarnings{"Varovani k radkum souboru", "Warnings on the file's lines"};
inline constexpr Text kWebLine{"radek %d", "line %d"};
inline constexpr Text kWebTask{"Uloha", "Task"};
inline constexpr Text kWebMethod{"Kostra, ve ktere se hleda", "The forest to look in"};
inline constexpr Text kWebNarrate{"Podrobny vypis", "Detailed narration"};
inline constexpr Text kWebEdge{"Hrana", "Edge"};
inline constexpr Text kWebEdgeOption{"hrana %d: %d -> %d, vaha %d", "edge %d: %d -> %d, weight %d"};
inline constexpr Text kWebNoEdge{"(graf nema zadnou takovou hranu)",
                                 "(the graph has no such edge)"};
inline constexpr Text kWebEdgeRange{"cislo hrany, ktere kostra prijme",
                                    "the number of an edge that kostra takes"};
inline constexpr Text kWebAnswers{"Odpovedi na standardnim vstupu", "Answers on standard input"};
inline constexpr Text kWebRun{"Spustit", "Run"};
inline constexpr Text kWebStop{"Zastavit", "Stop"};
inline constexpr Text kWebRunning{"program bezi...", "the program is running..."};
inline constexpr Text kWebStopped{"beh byl zastaven", "the run was stopped"};
inline constexpr Text kWebOutput{"Vystup", "Output"};
inline constexpr Text kWebStdout{"Standardni vystup", "Standard output"};
inline constexpr Text kWebStderr{"Standardni chybovy vystup", "Standard error"};
inline constexpr Text kWebStatus{"Navratovy kod: %d", "Exit status: %d"};
inline constexpr Text kWebDownload{"Stahnout", "Download"};
inline constexpr Text kWebTooLarge{"Ma %s bajtu, a je proto jen ke stazeni.",
                                   "It has %s bytes, and is therefore offered only as a download."};
inline constexpr Text kWebNotices{"Program kostra, verze %s. Licence: %s",
                                  "The kostra program, version %s. Licence: %s"};

}  // namespace texts
