// kostra-matice's run (KostraMatice.h): the arguments, the graph file, the forest, the matrix.
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "FundamentalRows.h"
#include "KostraMatice.h"
#include "Language.h"
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

// An argument that is a word of the catalogue, in either language: kostra-matice takes the
// kinds and the options in both, whichever language it speaks.
template <Text T>
bool isWord(std::string_view arg) {
    return arg == T.cs.view() || arg == T.en.view();
}

struct Arguments {
    bool help = false;
    bool version = false;
    bool table = false;
    bool rowEdges = false;
    const char* graph = nullptr;
    Method method = Method::Skeleton;
    MatrixKind kind = MatrixKind::Loops;
};

// Fills args, or says on err what is wrong and returns false. The language is chosen already
// (its options are passed over here).
bool parseArguments(int argc, char** argv, Arguments& args, Output& err) {
    int i = 1;
    for (; i < argc && argv[i][0] == '-' && argv[i][1] != '\0'; ++i) {
        const std::string_view opt = argv[i];
        if (const int length = languageOptionLength(argc, argv, i); length > 0) {
            i += length - 1;
            continue;
        }
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
        if (isWord<texts::kTableOption>(opt)) {
            args.table = true;
        } else if (isWord<texts::kRowEdgesOption>(opt)) {
            args.rowEdges = true;
        } else {
            err.print<texts::kUnknownOption>(shownValue(argv[i]));
            return false;
        }
    }
    if (args.table && args.rowEdges) {
        err.print<texts::kOptionsExclusive>();
        return false;
    }
    if (argc - i < 3) {
        err.print<texts::kArgumentsMissing>();
        return false;
    }
    if (argc - i > 3) {
        err.print<texts::kExtraArgument>(shownValue(argv[i + 3]));
        return false;
    }
    args.graph = argv[i];
    const char* method = argv[i + 1];
    int value = 0;
    if (LineReader(method, std::strlen(method)).readInt(value) != LineReader::Got::Number ||
        value < 1 || value > 3) {
        err.print<texts::kNoSuchMethod>(shownValue(method));
        return false;
    }
    args.method = static_cast<Method>(value);
    const std::string_view kind = argv[i + 2];
    if (isWord<texts::kLoopsKind>(kind)) {
        args.kind = MatrixKind::Loops;
    } else if (isWord<texts::kCutsKind>(kind)) {
        args.kind = MatrixKind::Cuts;
    } else {
        err.print<texts::kNoSuchKind>(shownValue(argv[i + 2]));
        return false;
    }
    return true;
}

// A number of bytes as people read it: "734 B", "1.2 kB", "3.4 MB", "5.6 GB" (a decimal comma in
// Czech).
std::string size(std::uint64_t bytes, Language language) {
    if (bytes < 1000) return std::to_string(bytes) + " B";
    const char* const units[] = {"kB", "MB", "GB", "TB", "PB"};
    int unit = 0;
    std::uint64_t per = 1000;  // bytes in the unit
    while (unit < 4 && bytes / 1000 >= per) {
        per *= 1000;
        ++unit;
    }
    const std::uint64_t tenths = (bytes + per / 20) / (per / 10);
    return std::to_string(tenths / 10) + std::string(texts::kDecimalSeparator.in(language)) +
           std::to_string(tenths % 10) + " " + units[unit];
}

}  // namespace

int runKostraMatice(int argc, char** argv, Output& out, Output& err, const RunLimits& limits,
                    const char* languageVariable) {
    if (!chooseLanguage(argc, argv,
                        {"-h", "--help", "--version", texts::kTableOption.cs.view(),
                         texts::kTableOption.en.view(), texts::kRowEdgesOption.cs.view(),
                         texts::kRowEdgesOption.en.view()},
                        languageVariable, out, err, "kostra-matice"))
        return kStatusBadArguments;
    const Language language = out.language();
    Arguments args;
    if (!parseArguments(argc, argv, args, err)) return kStatusBadArguments;
    if (args.help) {
        out.print<texts::kMatrixUsage>();
        return kStatusDone;
    }
    if (args.version) {
        out.print<texts::kVersion>("kostra-matice", KOSTRA_VERSION);
        return kStatusDone;
    }

    // A graph whose records alone exceed the machine's memory is refused as kostra refuses it.
    // The statuses of reading the graph are kostra's. The message of a refused file comes
    // first, then the file's notes (why it is refused).
    std::unique_ptr<CGraph> graph;
    Notes fileNotes(Notes::Source::GraphFile, err);
    const int read = readGraphFile(args.graph, graph, limits, &fileNotes);
    if (read != kStatusDone) {
        tellUnreadGraph(read, shownValue(args.graph), Verdict::Companion, err);
        if (read != kStatusNoMemory) fileNotes.print();
        return read;
    }
    fileNotes.print();
    std::unique_ptr<FundamentalRows> rows;
    {
        const progress::Phase phase({texts::kFindingForest});
        graph->markForest(args.method);
        rows = std::make_unique<FundamentalRows>(*graph, args.kind);
    }

    const MatrixTitle title{args.graph, args.method, language};
    const std::string_view kind =
        args.kind == MatrixKind::Loops ? texts::kOfLoops.in(language) : texts::kOfCuts.in(language);
    const int m = graph->edgeCount;
    const progress::Work writing{texts::kWriting, texts::kEdgeUnit, false, true};
    if (args.rowEdges) {
        err.print<texts::kWritingRowEdges>(kind, rows->rowCount(),
                                           size(rowEdgesBytes(*rows, title), language));
        err.flush();  // before the first character of the text
        const progress::Phase phase(writing);
        progress::total(m);
        writeRowEdges(*rows, title, out);
    } else if (args.table) {
        err.print<texts::kWritingTable>(kind, rows->rowCount(), m,
                                        size(tableBytes(*rows, title), language));
        err.flush();
        {
            const progress::Phase phase(writing);
            progress::total(m);
            writeTable(*rows, title, out);
        }
        // Told after the table, so that running out of memory for its line says nothing else.
        if (m > kReadableEdges) err.print<texts::kTableWide>(m);
    } else {
        std::int64_t nonZeros = 0;
        {
            const progress::Phase phase({texts::kCountingEntries, texts::kEdgeUnit});
            progress::total(m);
            nonZeros = rows->countNonZeros();
        }
        err.print<texts::kWritingMatrix>(kind, rows->rowCount(), m, std::to_string(nonZeros),
                                         size(matrixMarketBytes(*rows, title, nonZeros), language));
        err.flush();
        const progress::Phase phase(writing);
        progress::total(m);
        writeMatrixMarket(*rows, title, out, nonZeros);
    }
    return kStatusDone;
}
