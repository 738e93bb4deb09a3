// kostra-matice's run (KostraMatice.h): the arguments, the graph file, the forest, the matrix.
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "FundamentalRows.h"
#include "KostraMatice.h"
#include "LineReader.h"
#include "MatrixText.h"
#include "Notes.h"
#include "Progress.h"
#include "Status.h"
#include "Texts.h"

namespace {

constexpr int kStatusBadArguments = 3;  // beside kostra's statuses 0, 1, 2, 4 and 5

// Beyond this many edges a table is too wide to read; it is still written.
constexpr int kReadableEdges = 40;

constexpr auto kUsage = join<
    "pouziti: kostra-matice [--tabulka | --hrany-radku] GRAF METODA DRUH\n"
    "         kostra-matice --help | --version\n"
    "Zapise vsechny nezavisle smycky nebo vsechny nezavisle rezy kostry grafu jako jednu\n"
    "matici: radek pro kazdou smycku nebo rez, sloupec pro kazdou hranu, prvky 1, -1 a 0\n"
    "jako orientace, ktere kostra vypise v uloze 4 nebo 5.\n"
    "  GRAF       soubor s popisem grafu, jak ho cte kostra\n"
    "  METODA     kostra, jako v odpovedi na \"cislo algoritmu pro oznaceni kostry (1-3)\":\n"
    "             1 - ",
    texts::kMethod1.cs, "\n             2 - ", texts::kMethod2.cs, "\n             3 - ",
    texts::kMethod3.cs,
    "\n"
    "  DRUH       smycky - radek pro kazdou nekostrovou hranu (matice nezavislych smycek)\n"
    "             rezy   - radek pro kazdou kostrovou hranu (matice nezavislych rezu)\n"
    "  --tabulka  tabulka pro cloveka misto formatu Matrix Market\n"
    "  --hrany-radku\n"
    "             misto matice vektor ve formatu Matrix Market: prvek r je cislo hrany,\n"
    "             ktere patri r-ty radek matice\n"
    "Pred zapisem rekne na standardni chybovy vystup, kolik toho zapise.\n"
    "Navratovy kod: 0 matice je zapsana, 1 soubor neni konzistentni popis grafu, 2 soubor\n"
    "nelze otevrit, 3 chybne argumenty, 4 nedostatek pameti, 5 vystup nelze zapsat.\n">();

struct Arguments {
    bool help = false;
    bool version = false;
    bool table = false;
    bool rowEdges = false;
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
        if (opt == "--version") {
            args.version = true;
            return true;
        }
        if (opt == "--tabulka") {
            args.table = true;
        } else if (opt == "--hrany-radku") {
            args.rowEdges = true;
        } else {
            err.print<"CHYBA: neznama volba \"%s\" (pouziti: kostra-matice --help)\n">(
                shown(argv[i]));
            return false;
        }
    }
    if (args.table && args.rowEdges) {
        err.print<
            "CHYBA: volby --tabulka a --hrany-radku nelze spojit (pouziti: kostra-matice "
            "--help)\n">();
        return false;
    }
    if (argc - i < 3) {
        err.print<
            "CHYBA: chybi argumenty (pouziti: kostra-matice [--tabulka | --hrany-radku] GRAF "
            "METODA DRUH)\n">();
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

// A number of bytes as people read it: "734 B", "1,2 kB", "3,4 MB", "5,6 GB".
std::string size(std::uint64_t bytes) {
    if (bytes < 1000) return std::to_string(bytes) + " B";
    const char* const units[] = {"kB", "MB", "GB", "TB", "PB"};
    int unit = 0;
    std::uint64_t per = 1000;  // bytes in the unit
    while (unit < 4 && bytes / 1000 >= per) {
        per *= 1000;
        ++unit;
    }
    const std::uint64_t tenths = (bytes + per / 20) / (per / 10);
    return std::to_string(tenths / 10) + "," + std::to_string(tenths % 10) + " " + units[unit];
}

}  // namespace

int runKostraMatice(int argc, char** argv, Output& out, Output& err, const RunLimits& limits) {
    Arguments args;
    if (!parseArguments(argc, argv, args, err)) return kStatusBadArguments;
    if (args.help) {
        out.write(kUsage.view());
        return kStatusDone;
    }
    if (args.version) {
        out.print<"kostra-matice %s\n">(KOSTRA_VERSION);
        return kStatusDone;
    }

    // A graph whose records alone exceed the machine's memory is refused as kostra refuses it.
    // The statuses of reading the graph are kostra's. The message of a refused file comes
    // first, then the file's notes (why it is refused).
    std::unique_ptr<CGraph> graph;
    Notes fileNotes(Notes::Source::GraphFile, err);
    const int read = readGraphFile(args.graph, graph, limits, &fileNotes);
    if (read != kStatusDone) {
        tellUnreadGraph(read, shown(args.graph), Verdict::Companion, err);
        if (read != kStatusNoMemory) fileNotes.print();
        return read;
    }
    fileNotes.print();
    std::unique_ptr<FundamentalRows> rows;
    {
        const progress::Phase phase({"hledam kostru"});
        graph->markForest(args.method);
        rows = std::make_unique<FundamentalRows>(*graph, args.kind);
    }

    const MatrixTitle title{args.graph, args.method};
    const char* kind = args.kind == MatrixKind::Loops ? "smycek" : "rezu";
    const int m = graph->edgeCount;
    const progress::Work writing{"zapisuji", "hrana", false, true};
    if (args.rowEdges) {
        err.print<"POZNAMKA: zapisu hrany radku matice %s (radku: %d), nejvyse %s\n">(
            kind, rows->rowCount(), size(rowEdgesBytes(*rows, title)));
        err.flush();  // before the first character of the text
        const progress::Phase phase(writing);
        progress::total(m);
        writeRowEdges(*rows, title, out);
    } else if (args.table) {
        err.print<"POZNAMKA: zapisu tabulku %s %d x %d, nejvyse %s\n">(
            kind, rows->rowCount(), m, size(tableBytes(*rows, title)));
        err.flush();
        {
            const progress::Phase phase(writing);
            progress::total(m);
            writeTable(*rows, title, out);
        }
        // Told after the table, so that running out of memory for its line says nothing else.
        if (m > kReadableEdges) err.print<"POZNAMKA: graf ma %d hran, tabulka je siroka\n">(m);
    } else {
        std::int64_t nonZeros = 0;
        {
            const progress::Phase phase({"pocitam prvky matice", "hrana"});
            progress::total(m);
            nonZeros = rows->countNonZeros();
        }
        err.print<"POZNAMKA: zapisu matici %s %d x %d (nenulovych prvku: %s), nejvyse %s\n">(
            kind, rows->rowCount(), m, std::to_string(nonZeros),
            size(matrixMarketBytes(*rows, title, nonZeros)));
        err.flush();
        const progress::Phase phase(writing);
        progress::total(m);
        writeMatrixMarket(*rows, title, out, nonZeros);
    }
    return kStatusDone;
}
