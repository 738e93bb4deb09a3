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
inline constexpr Text kPageForm{
    "kostra-dot --html [--layout dot|neato|circo] GRAFOVY_SOUBOR < vystup_kostry > stranka.html\n",
    "kostra-dot --html [--layout dot|neato|circo] GRAPH_FILE < kostra_output > page.html\n"};
// --layout: Graphviz's layout engine, which the option names.
inline constexpr Text kUnknownLayout{
    "CHYBA: neznamy rozvrh \"%s\", volba --layout prijima dot, neato nebo circo (pouziti: "
    "kostra-dot --help)\n",
    "ERROR: unknown layout \"%s\", --layout takes dot, neato or circo (usage: kostra-dot "
    "--help)\n"};
inline constexpr Text kLayoutMissing{
    "CHYBA: volbe --layout chybi rozvrh, dot, neato nebo circo (pouziti: kostra-dot --help)\n",
    "ERROR: --layout needs a layout, dot, neato or circo (usage: kostra-dot --help)\n"};
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
// The page of --html: its header, then the words of the replay, which reach its script as JSON
// (the script spells none itself): a "%d" or "%s" in them is filled in by the script. They are
// proper Czech, with diacritics, as a page is read rather than parsed.
inline constexpr Text kPageGraph{"graf ", "graph "};
inline constexpr Text kPageCounts{", uzlů: %d, hran: %d", ", nodes: %d, edges: %d"};
inline constexpr Text kPageTask1{
    "Úloha 1: rekurzivní kostra od uzlu s nejvyšším stupněm",
    "Task 1: recursive spanning forest from the node of highest degree"};
inline constexpr Text kPageTask2{"Úloha 2 nebo 3: minimální kostra",
                                 "Task 2 or 3: minimum spanning forest"};
inline constexpr Text kPageTaskKruskal{"Úloha 2: minimální kostra (Borůvka-Kruskal)",
                                       "Task 2: minimum spanning forest (Boruvka-Kruskal)"};
inline constexpr Text kPageTaskPrim{"Úloha 3: minimální kostra (Jarník-Prim)",
                                    "Task 3: minimum spanning forest (Jarnik-Prim)"};
inline constexpr Text kPageTask4{"Úloha 4: nezávislá smyčka hrany %d",
                                 "Task 4: fundamental loop of edge %d"};
inline constexpr Text kPageTask5{"Úloha 5: nezávislý řez hrany %d",
                                 "Task 5: fundamental cut-set of edge %d"};
// What the steps are.
inline constexpr Text kIntroWalk{
    "Kroky: každý první vstup průchodu do uzlu, od začátku stromu po vstup, který zabere jeho "
    "poslední uzel.",
    "Steps: every first entry of the walk into a node, from the start of a tree to the entry "
    "that claims its last node."};
inline constexpr Text kIntroKruskal{
    "Kroky: každá hrana v pořadí podle váhy (stejné váhy podle čísla hrany), přijatá nebo "
    "odmítnutá, až po poslední přijatou; pak jeden krok pro všechny zbylé hrany.",
    "Steps: every edge in the order of weight (equal weights by edge number), accepted or "
    "refused, up to the last one accepted; then one step for all the edges left."};
inline constexpr Text kIntroPrim{
    "Kroky: každý začátek stromu a každý vybraný uzel s klíči, které sníží.",
    "Steps: every start of a tree and every chosen node with the keys it lowers."};
inline constexpr Text kIntroLoop{
    " Potom smyčka zvolené hrany hranu po hraně a nakonec seznam jejích hran s orientacemi.",
    " Then the loop of the chosen edge edge by edge, and last the list of its edges with their "
    "orientations."};
inline constexpr Text kIntroCut{
    " Potom řez zvolené hrany: obě strany, každá hrana řezu a nakonec seznam jeho hran s "
    "orientacemi.",
    " Then the cut-set of the chosen edge: the two sides, every edge of the cut-set, and last "
    "the list of its edges with their orientations."};
inline constexpr Text kIntroMethodGuessed{
    " Výstup kostry neříká, kterou metodou kostru našla: stránka přehrává první z metod 1 až 3, "
    "která dá tutéž kostru.",
    " kostra's output does not say which method found the forest: the page replays the first of "
    "methods 1 to 3 that gives the same forest."};
// The controls; each button's title names its key.
inline constexpr Text kPageControlsName{"ovládání", "controls"};
inline constexpr Text kPageFirst{"|< první", "|< first"};
inline constexpr Text kPageFirstTitle{"na začátek (Home)", "to the start (Home)"};
inline constexpr Text kPageBack{"< zpět", "< back"};
inline constexpr Text kPageBackTitle{"o krok zpět (šipka vlevo)", "a step back (left arrow)"};
inline constexpr Text kPlay{"přehrát", "play"};
inline constexpr Text kPause{"pozastavit", "pause"};
inline constexpr Text kPagePlayTitle{"přehrát nebo pozastavit (mezerník)", "play or pause (space)"};
inline constexpr Text kPageForward{"vpřed >", "forward >"};
inline constexpr Text kPageForwardTitle{"o krok vpřed (šipka vpravo)",
                                        "a step forward (right arrow)"};
inline constexpr Text kPageLast{"poslední >|", "last >|"};
inline constexpr Text kPageLastTitle{"na konec (End)", "to the end (End)"};
inline constexpr Text kPageSpeed{"rychlost", "speed"};
inline constexpr Text kPageSpeed2000{"1 krok za 2 s", "1 step every 2 s"};
inline constexpr Text kPageSpeed1000{"1 krok za s", "1 step a second"};
inline constexpr Text kPageSpeed500{"2 kroky za s", "2 steps a second"};
inline constexpr Text kPageSpeed250{"4 kroky za s", "4 steps a second"};
inline constexpr Text kPageSpeed100{"10 kroků za s", "10 steps a second"};
inline constexpr Text kPageSlider{"krok", "step"};
inline constexpr Text kStepOf{"krok %d z %d", "step %d of %d"};
inline constexpr Text kPageZoomIn{"zvětšit (+)", "zoom in (+)"};
inline constexpr Text kPageZoomOut{"zmenšit (-)", "zoom out (-)"};
inline constexpr Text kPageZoomFit{"celá kresba (0)", "whole drawing (0)"};
inline constexpr Text kPageDrawingHelp{
    "Kolečko myši, + a - mění velikost kresby, tažení myší nebo Shift a šipky ji posouvají, 0 "
    "ukáže celou.",
    "The mouse wheel, + and - zoom the drawing, dragging it or Shift and the arrows move it, 0 "
    "shows it whole."};
inline constexpr Text kPageDrawingName{
    "kresba grafu, uzlů: %d, hran: %d; stav kroku popisuje "
    "vysvětlení",
    "drawing of the graph, nodes: %d, edges: %d; the "
    "explanation tells the step's state"};
// The panels beside the drawing.
inline constexpr Text kPageExplanation{"vysvětlení", "explanation"};
inline constexpr Text kPagePseudocode{"pseudokód", "pseudo-code"};
inline constexpr Text kPageWeightSoFar{"váha kostry dosud: %s", "the forest's weight so far: %s"};
inline constexpr Text kPageSubtrees{"podstromů: %d", "subtrees: %d"};
inline constexpr Text kPageClaimed{"zabraných uzlů: %d z %d", "nodes claimed: %d of %d"};
inline constexpr Text kPageChosenNodes{"vybraných uzlů: %d z %d", "nodes chosen: %d of %d"};
inline constexpr Text kPageQueue{"fronta hran podle váhy", "the edge queue by weight"};
inline constexpr Text kPageKeys{"klíče otevřených uzlů (nejmenší nahoře)",
                                "the keys of the open nodes (smallest on top)"};
inline constexpr Text kPageNode{"uzel", "node"};
inline constexpr Text kPageKey{"klíč", "key"};
inline constexpr Text kPageEdge{"hrana", "edge"};
inline constexpr Text kPageNoOpenNode{"žádný otevřený uzel", "no open node"};
inline constexpr Text kPageNoKey{"∞", "∞"};
inline constexpr Text kPageLoopEdges{"hrany smyčky s orientacemi",
                                     "the loop's edges with their "
                                     "orientations"};
inline constexpr Text kPageCutEdges{"hrany řezu s orientacemi",
                                    "the cut-set's edges with their "
                                    "orientations"};
inline constexpr Text kPageLoopMatrix{
    "matice nezávislých smyček (řádek pro každou nekostrovou "
    "hranu)",
    "the fundamental loop matrix (a row for every non-tree "
    "edge)"};
inline constexpr Text kPageCutMatrix{"matice nezávislých řezů (řádek pro každou kostrovou hranu)",
                                     "the fundamental cut-set matrix (a row for every tree edge)"};
inline constexpr Text kPageMatrixHint{
    "Klik na řádek nebo na hranu v kresbě ukáže na kresbě její smyčku nebo řez; šipky vrátí "
    "přehrávání.",
    "A click on a row, or on an edge in the drawing, shows its loop or cut-set on the drawing; "
    "the arrow keys return to the replay."};
inline constexpr Text kPageMatrixTooLarge{
    "Matice má %d řádků, stránka ji ukazuje nejvýše do 30; klik na hranu v kresbě ukáže její "
    "smyčku nebo řez.",
    "The matrix has %d rows, the page shows it up to 30; a click on an edge in the drawing shows "
    "its loop or cut-set."};
inline constexpr Text kPageEdgeName{"h%d", "e%d"};
inline constexpr Text kPageEdgeLabel{"h%d: %d", "e%d: %d"};
inline constexpr Text kPageLegend{"legenda", "legend"};
inline constexpr Text kWalkLines{"kroky průchodu", "the steps of the walk"};
inline constexpr Text kKostraLines{"výpis kostry", "kostra's output"};
inline constexpr Text kNarrationLines{
    "Řádky, jak je kostra vypsala (u průchodu, jak je říká stránka); klik na řádek ukáže jeho "
    "krok.",
    "The lines as kostra printed them (for the walk, as the page tells them); a click on a line "
    "shows its step."};
// Beside a node: its side of a cut-set, its subtree, its key.
inline constexpr Text kFromSide{"od", "from"};
inline constexpr Text kToSide{"do", "to"};
inline constexpr Text kSubtreeMark{"p=", "s="};
inline constexpr Text kKeyMark{"k=", "k="};
// The legend: every state of an edge and of a node, with the line style, weight or label that
// tells it besides its colour.
inline constexpr Text kLegendStepEdge{"hrana kroku (silná, plná)",
                                      "the step's edge (thick, solid)"};
inline constexpr Text kLegendForest{"hrany kostry (plné)", "forest edges (solid)"};
inline constexpr Text kLegendStepRefused{
    "hrana kroku, která by uzavřela smyčku (silná, tečkovaná, přeškrtnutá)",
    "the step's edge that would close a loop (thick, dotted, struck through)"};
inline constexpr Text kLegendRefused{"odmítnuté hrany, uzavřely by smyčku (tečkované)",
                                     "refused edges, they would close a loop (dotted)"};
inline constexpr Text kLegendKey{"hrana, která dává otevřenému uzlu klíč (čárka-tečka)",
                                 "the edge that gives an open node its key (dash-dot)"};
inline constexpr Text kLegendOtherEdges{"ostatní hrany (tenké, čárkované)",
                                        "the other edges (thin, dashed)"};
inline constexpr Text kLegendPlus{"orientace +1: šipka ve směru hrany, popisek (+1)",
                                  "orientation +1: the arrow along the edge, label (+1)"};
inline constexpr Text kLegendMinus{
    "orientace -1: šipka proti směru hrany, popisek (-1), "
    "přerušovaná",
    "orientation -1: the arrow against the edge, label (-1), "
    "broken line"};
inline constexpr Text kLegendStepNode{"uzel kroku (silný okraj)",
                                      "the step's node (thick outline)"};
inline constexpr Text kLegendDone{"zabrané nebo vybrané uzly (šedé, plný okraj)",
                                  "claimed or chosen nodes (grey, solid outline)"};
inline constexpr Text kLegendOpen{"otevřený uzel, k=N je jeho klíč (čárkovaný okraj)",
                                  "an open node, k=N is its key (dashed outline)"};
inline constexpr Text kLegendSubtree{"p=N: podstrom uzlu (a jeho barva)",
                                     "s=N: the node's subtree (and its colour)"};
inline constexpr Text kLegendFromSide{"strana od (plná výplň, popisek od)",
                                      "the from side (solid fill, label from)"};
inline constexpr Text kLegendToSide{"strana do (šrafovaná výplň, popisek do)",
                                    "the to side (hatched fill, label to)"};
inline constexpr Text kLegendOtherNodes{"ostatní uzly (tenký okraj)",
                                        "the other nodes (thin outline)"};
// The pseudo-code of every method, a line each; the page marks the line of the step shown.
inline constexpr Text kCodeWalk1{"dokud je některý uzel nezabraný:",
                                 "while some node is not claimed:"};
inline constexpr Text kCodeWalk2{
    "  zaber nezabraný uzel nejvyššího stupně (při shodě nejnižší číslo), začni v něm strom",
    "  claim the unclaimed node of highest degree (lowest number on ties), start a tree at it"};
inline constexpr Text kCodeWalk3{
    "  vstup(u): poprvé v u zaber jeho nezabrané sousedy, hrany k nim do kostry",
    "  enter(u): the first time in u, claim its unclaimed neighbours, their edges into the forest"};
inline constexpr Text kCodeWalk4{"    pak vstup(v) po každé dosud neprošlé hraně u-v",
                                 "    then enter(v) along every edge u-v not followed yet"};
inline constexpr Text kCodeKruskal1{"seřaď hrany podle váhy, stejné váhy podle čísla hrany",
                                    "sort the edges by weight, equal weights by edge number"};
inline constexpr Text kCodeKruskal2{"pro každou hranu u-v v tomto pořadí:",
                                    "for every edge u-v in that order:"};
inline constexpr Text kCodeKruskal3{
    "  jsou-li u a v v různých podstromech: přijmi ji, podstrom v připoj k podstromu u",
    "  if u and v are in different subtrees: accept it, join v's subtree to u's"};
inline constexpr Text kCodeKruskal4{"  jinak ji odmítni: uzavřela by smyčku",
                                    "  else refuse it: it would close a loop"};
inline constexpr Text kCodeKruskal5{"  drží-li jeden strom všechny uzly, zbylé hrany neber",
                                    "  once one tree holds every node, take no more edges"};
inline constexpr Text kCodePrim1{"dokud některý uzel nedosáhl žádný strom:",
                                 "while some node is reached by no tree:"};
inline constexpr Text kCodePrim2{"  nejnižší takový uzel s dostane klíč 0: začátek stromu",
                                 "  the lowest such node s gets key 0: a tree starts"};
inline constexpr Text kCodePrim3{"  dokud je některý uzel otevřený:", "  while some node is open:"};
inline constexpr Text kCodePrim4{
    "    vyber otevřený uzel a s nejmenším klíčem (při shodě nejnižší číslo)",
    "    choose the open node a of smallest key (lowest number on ties)"};
inline constexpr Text kCodePrim5{
    "    pro hranu a-v k nevybranému v: je-li lehčí než klíč v, klíč v := její váha",
    "    for an edge a-v to v not chosen: if lighter than v's key, v's key := its weight"};
inline constexpr Text kCodeLoop1{"smyčka začíná zvolenou hranou od -> do, orientace +1",
                                 "the loop starts with the chosen edge from -> to, orientation +1"};
inline constexpr Text kCodeLoop2{"pak vede kostrou z uzlu do zpět do uzlu od:",
                                 "then it runs through the forest from the to node back to the "
                                 "from node:"};
inline constexpr Text kCodeLoop3{"  hrana po svém směru +1, proti svému směru -1",
                                 "  an edge along its own direction +1, against it -1"};
inline constexpr Text kCodeLoop4{"ostatní hrany mají orientaci 0",
                                 "every other edge has orientation 0"};
inline constexpr Text kCodeCut1{"odeber zvolenou hranu: strom se rozpadne na stranu od a stranu do",
                                "remove the chosen edge: its tree falls into a from side and a to "
                                "side"};
inline constexpr Text kCodeCut2{"pro každou hranu mezi oběma stranami:",
                                "for every edge between the two sides:"};
inline constexpr Text kCodeCut3{"  ze strany od na stranu do +1, opačně -1",
                                "  from the from side to the to side +1, the other way -1"};
inline constexpr Text kCodeCut4{"ostatní hrany mají orientaci 0",
                                "every other edge has orientation 0"};
// The sentence that explains a step: what happened and why.
inline constexpr Text kSayWalkStart{"Průchod je před prvním krokem: žádný uzel není zabraný.",
                                    "Before the first step no node is claimed."};
inline constexpr Text kSayTreeAt{
    "Strom začíná v uzlu %d, nezabraném uzlu nejvyššího stupně (při shodě nejnižší číslo).",
    "A tree starts at node %d, the unclaimed node of highest degree (lowest number on ties)."};
inline constexpr Text kSayEntry{"Průchod poprvé vstupuje do uzlu %d.",
                                "The walk enters node %d for the first time."};
inline constexpr Text kSayClaims{
    " Zabírá jeho dosud nezabrané sousedy (%s) a hrany k nim patří "
    "do kostry.",
    " It claims its neighbours not claimed yet (%s), and the edges to "
    "them join the forest."};
inline constexpr Text kSayClaim{"uzel %d přes hranu %d", "node %d through edge %d"};
inline constexpr Text kSayClaimsNothing{" Nic nezabírá: žádného nezabraného souseda nemá.",
                                        " It claims nothing: no neighbour of it is unclaimed."};
inline constexpr Text kSaySorting{
    "Hrany se seřadí podle váhy, stejné váhy podle čísla hrany; každý uzel je zatím podstromem "
    "sám o sobě.",
    "The edges are sorted by weight, equal weights by edge number; each node is a subtree of its "
    "own so far."};
inline constexpr Text kSayAccepted{
    "Hrana %d s váhou %d spojuje dva různé podstromy: podstrom %d se připojí k podstromu %d a "
    "hrana patří do kostry.",
    "Edge %d of weight %d joins two different subtrees: subtree %d joins subtree %d, and the edge "
    "belongs to the forest."};
inline constexpr Text kSayRefused{
    "Hrana %d s váhou %d by uzavřela smyčku: oba konce jsou v "
    "podstromu %d.",
    "Edge %d of weight %d would close a loop: both its ends are in "
    "subtree %d."};
inline constexpr Text kSayRestRefused{
    "Zbylé hrany (%s) by uzavřely smyčku: oba konce každé z nich jsou v jednom podstromu.",
    "The edges left (%s) would each close a loop: both ends of each are in one subtree."};
inline constexpr Text kSayRestNotTaken{
    "Jeden strom už drží všechny uzly, a tak se zbylé hrany (%s) neberou: každá by uzavřela "
    "smyčku.",
    "One tree holds every node now, so the edges left (%s) are not taken: each would close a "
    "loop."};
inline constexpr Text kSayPrimStart{"Před prvním krokem nemá žádný uzel klíč.",
                                    "Before the first step no node has a key."};
inline constexpr Text kSayTreeStarts{
    "Žádný uzel není otevřený: strom začíná v uzlu %d, nejnižším uzlu, kterého dosud žádný "
    "strom nedosáhl, a ten dostává klíč 0.",
    "No node is open: a tree starts at node %d, the lowest node no tree has reached yet, which "
    "gets key 0."};
inline constexpr Text kSayChosenStart{
    "Uzel %d s klíčem 0 se vybere jako začátek stromu, bez "
    "hrany.",
    "Node %d with key 0 is chosen as the start of its tree, "
    "without an edge."};
inline constexpr Text kSayChosen{
    "Uzel %d má mezi otevřenými uzly nejmenší klíč %d (při shodě rozhoduje nejnižší číslo): "
    "připojí se přes hranu %d.",
    "Node %d has the smallest key among the open nodes, %d (ties go to the lowest number): it "
    "joins through edge %d."};
inline constexpr Text kSayLowers{" Sníží klíče: %s.", " It lowers the keys: %s."};
inline constexpr Text kSayLowered{"uzlu %d z %s na %d přes hranu %d",
                                  "node %d from %s to %d through edge %d"};
inline constexpr Text kSayLowersNothing{" Žádný klíč nesníží.", " It lowers no key."};
inline constexpr Text kSayLoopStart{
    "Smyčka začíná zvolenou hranou %d z uzlu %d do uzlu %d, s orientací +1; dál vede kostrou z "
    "uzlu %d zpět do uzlu %d.",
    "The loop starts with the chosen edge %d from node %d to node %d, orientation +1; it goes on "
    "through the forest from node %d back to node %d."};
inline constexpr Text kSayLoopSelf{
    "Zvolená hrana %d vede z uzlu %d do něj samého: je sama svou "
    "smyčkou, s orientací +1.",
    "The chosen edge %d runs from node %d to itself: it is its own "
    "loop, orientation +1."};
inline constexpr Text kSayLoopAlong{
    "Cesta kostrou pokračuje hranou %d z uzlu %d do uzlu %d, po "
    "jejím směru: orientace +1.",
    "The path goes on by edge %d from node %d to node %d, along "
    "its direction: orientation +1."};
inline constexpr Text kSayLoopAgainst{
    "Cesta kostrou pokračuje hranou %d z uzlu %d do uzlu %d, "
    "proti jejímu směru: orientace -1.",
    "The path goes on by edge %d from node %d to node %d, "
    "against its direction: orientation -1."};
inline constexpr Text kSayLoopDone{"Smyčka hrany %d je uzavřená, její hrany s orientacemi: %s.",
                                   "The loop of edge %d is closed, its edges with their "
                                   "orientations: %s."};
inline constexpr Text kSaySplit{
    "Bez zvolené hrany %d se její strom rozpadne na dvě strany: stranu jejího uzlu od (%d) a "
    "stranu jejího uzlu do (%d).",
    "Without the chosen edge %d its tree falls into two sides: the side of its from node (%d) and "
    "the side of its to node (%d)."};
inline constexpr Text kSayLeaf{" Uzel %d je list kostry, jeho strana je on sám.",
                               " Node %d is a leaf of the forest: its side is the node alone."};
inline constexpr Text kSayCutForward{
    "Hrana %d vede ze strany od na stranu do: patří do řezu s orientací +1.",
    "Edge %d crosses from the from side to the to side: it belongs to the cut-set with "
    "orientation +1."};
inline constexpr Text kSayCutBackward{
    "Hrana %d vede ze strany do na stranu od: patří do řezu s orientací -1.",
    "Edge %d crosses from the to side to the from side: it belongs to the cut-set with "
    "orientation -1."};
inline constexpr Text kSayCutDone{"Řez hrany %d je úplný, jeho hrany s orientacemi: %s.",
                                  "The cut-set of edge %d is complete, its edges with their "
                                  "orientations: %s."};
inline constexpr Text kSaySigned{"%d (%s)", "%d (%s)"};
inline constexpr Text kSayOtherLoop{"Smyčka hrany %d, ukázaná klikem: %s. Šipky vrátí přehrávání.",
                                    "The loop of edge %d, shown by a click: %s. The arrow keys "
                                    "return to the replay."};
inline constexpr Text kSayOtherCut{"Řez hrany %d, ukázaný klikem: %s. Šipky vrátí přehrávání.",
                                   "The cut-set of edge %d, shown by a click: %s. The arrow keys "
                                   "return to the replay."};

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
inline constexpr Text kWebGraphvizNotice{
    "Kresby rozvrhuje Graphviz %s (licence EPL-1.0), zkompilovany do WebAssembly v balicku "
    "@viz-js/viz %s (licence MIT), s knihovnou Expat (licence MIT).",
    "The drawings are laid out by Graphviz %s (licence EPL-1.0), compiled to WebAssembly in the "
    "package @viz-js/viz %s (licence MIT), with the Expat library (licence MIT)."};
// The drawing: kostra-dot's replay of the run over the graph, laid out by Graphviz in the page.
inline constexpr Text kWebDrawing{"Kresba", "Drawing"};
inline constexpr Text kWebDrawingHint{
    "Po behu kresba ukazuje krok za krokem, co program udelal. U uloh 4 a 5 ukazuje predem kostru "
    "zvolene metody a hranu lze vybrat kliknutim na ni.",
    "After a run the drawing shows step by step what the program did. For tasks 4 and 5 it shows "
    "the forest of the chosen method beforehand, and a click on an edge picks it."};
inline constexpr Text kWebLayout{"Rozvrzeni", "Layout"};
inline constexpr Text kWebLayoutDot{"dot: ve vrstvach", "dot: in ranks"};
inline constexpr Text kWebLayoutNeato{"neato: jako pruziny", "neato: as springs"};
inline constexpr Text kWebLayoutCirco{"circo: na kruznicich", "circo: on circles"};
inline constexpr Text kWebDrawingPending{"kreslim...", "drawing..."};
// Why a run has no drawing: kostra-dot's own message.
inline constexpr Text kWebNoDrawing{"Bez kresby: %s", "No drawing: %s"};
inline constexpr Text kWebLayoutFailed{"Graphviz kresbu nerozvrhl: %s",
                                       "Graphviz did not lay the drawing out: %s"};
inline constexpr Text kWebPickHint{
    "V kresbe je kostra metody %d: hranu pro ulohu %d vyberte kliknutim na ni.",
    "The drawing shows the forest of method %d: pick the edge for task %d with a click on it."};
inline constexpr Text kWebEdgePicked{"Vybrana hrana %d.", "Edge %d picked."};
inline constexpr Text kWebEdgeInForest{
    "Hrana %d je v kostre: nezavislou smycku ma jen hrana mimo kostru.",
    "Edge %d is in the forest: only an edge outside the forest has a fundamental loop."};
inline constexpr Text kWebEdgeNotInForest{
    "Hrana %d neni v kostre: nezavisly rez ma jen hrana kostry.",
    "Edge %d is not in the forest: only a forest edge has a fundamental cut-set."};

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
