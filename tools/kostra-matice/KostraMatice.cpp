// kostra-matice's run (KostraMatice.h): the arguments, the graph file, the forest, the matrix.
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "FundamentalRows.h"
#include "KostraMatice.h"
#include "LineReader.h"
#include "MatrixText.h"
#include "Status.h"
#include "Texts.h"

namespace {

constexpr int kStatusBadArguments = 3;  // beside kostra's statuses 0, 1, 2, 4 and 5

// Beyond this many edges a table is too wide to read; it is still written.
constexpr int kReadableEdges = 40;

constexpr auto kUsage = join<
    "pouziti: kostra-matice [--tabulka] GRAF METODA DRUH\n"
    "         kostra-matice --help\n"
    "Zapise vsechny nezavisle smycky nebo vsechny nezavisle rezy kostry grafu jako jednu\n"
    "matici: radek pro kazdou smycku nebo rez, sloupec pro kazdou hranu, prvky 1, -1 a 0\n"
    "jako orientace, ktere kostra vypise v uloze 4 nebo 5.\n"
    "  GRAF       soubor s popisem grafu, jak ho cte kostra\n"
    "  METODA     kostra, jako v odpovedi na \"cislo algoritmu pro oznaceni kostry (1-3)\":\n"
    "             1 - ",
    texts::kMethod1, "\n             2 - ", texts::kMethod2, "\n             3 - ", texts::kMethod3,
    "\n"
    "  DRUH       smycky - radek pro kazdou nekostrovou hranu (matice nezavislych smycek)\n"
    "             rezy   - radek pro kazdou kostrovou hranu (matice nezavislych rezu)\n"
    "  --tabulka  tabulka pro cloveka misto formatu Matrix Market\n"
    "Navratovy kod: 0 matice je zapsana, 1 soubor neni konzistentni popis grafu, 2 soubor\n"
    "nelze otevrit, 3 chybne argumenty, 4 nedostatek pameti, 5 vystup nelze zapsat.\n">();

struct Arguments {
    bool help = false;
    bool table = false;
    const char* graph = nullptr;
    int method = 0;
    MatrixKind kind = MatrixKind::Loops;
};

// An argument in a message, with control characters shown as '?' so the message stays one line.
std::string shown(const char* arg) {
    std::string s(arg);
    for (char& c : s)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
    return s;
}

// Fills args, or says on err what is wrong and returns false.
bool parseArguments(int argc, char** argv, Arguments& args, Output& err) {
    int i = 1;
    for (; i < argc && argv[i][0] == '-' && argv[i][1] != '\0'; ++i) {
        const std::string_view opt = argv[i];
        if (opt == "--") {
            ++i;
            break;
        }
        if (opt == "--help" || opt == "-h") {
            args.help = true;
            return true;
        }
        if (opt != "--tabulka") {
            err.print<"CHYBA: neznama volba \"%s\" (pouziti: kostra-matice --help)\n">(
                shown(argv[i]));
            return false;
        }
        args.table = true;
    }
    if (argc - i < 3) {
        err.print<
            "CHYBA: chybi argumenty (pouziti: kostra-matice [--tabulka] GRAF METODA DRUH)\n">();
        return false;
    }
    if (argc - i > 3) {
        err.print<"CHYBA: prebytecny argument \"%s\" (pouziti: kostra-matice --help)\n">(
            shown(argv[i + 3]));
        return false;
    }
    args.graph = argv[i];
    const char* method = argv[i + 1];
    int value = 0;
    if (LineReader(method, std::strlen(method)).readInt(value) != LineReader::Got::Number ||
        value < 1 || value > 3) {
        err.print<"CHYBA: metoda \"%s\" neni 1, 2 ani 3\n">(shown(method));
        return false;
    }
    args.method = value;
    const std::string_view kind = argv[i + 2];
    if (kind == "smycky") {
        args.kind = MatrixKind::Loops;
    } else if (kind == "rezy") {
        args.kind = MatrixKind::Cuts;
    } else {
        err.print<"CHYBA: druh \"%s\" neni smycky ani rezy\n">(shown(argv[i + 2]));
        return false;
    }
    return true;
}

}  // namespace

int runKostraMatice(int argc, char** argv, Output& out, Output& err, const RunLimits& limits) {
    Arguments args;
    if (!parseArguments(argc, argv, args, err)) return kStatusBadArguments;
    if (args.help) {
        out.write(kUsage.view());
        return kStatusDone;
    }

    // A graph whose records alone exceed the machine's memory is refused as kostra refuses it.
    // The statuses of reading the graph are kostra's.
    std::unique_ptr<CGraph> graph;
    const int read = readGraphFile(args.graph, graph, limits);
    if (read != kStatusDone) {
        tellUnreadGraph(read, shown(args.graph), Verdict::Companion, err);
        return read;
    }
    graph->markForest(args.method);
    FundamentalRows rows(*graph, args.kind);

    const MatrixTitle title{args.graph, args.method};
    if (args.table) {
        writeTable(rows, title, out);
        // Told after the table, so that running out of memory for its line says nothing else.
        if (graph->edgeCount > kReadableEdges) {
            err.print<"POZNAMKA: graf ma %d hran, tabulka je siroka\n">(graph->edgeCount);
        }
    } else {
        writeMatrixMarket(rows, title, out);
    }
    return kStatusDone;
}
