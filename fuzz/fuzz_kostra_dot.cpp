// libFuzzer entry: one fuzz input is one whole run of kostra-dot, through runKostraDot, the same
// code path as the program's main, with a graph file and kostra's output on standard input.
//
// Layout of an input:
//     byte 0        bits 0-1, where the transcript comes from: 0 the input's own bytes (raw);
//                   1 kostra run in-process on the graph file with the input's answers; 2 the
//                   same run with the graph typed at the keyboard (the graph's bytes, then the
//                   answers, on kostra's standard input); 3 as 1.
//                   bit 2, runs only: the transcript is changed in one place (below).
//                   bits 3-5, the arguments: 0 to 4 the graph file; 5 none; 6 "--help" ("-h"
//                   with bit 6); 7 a directory (a missing file with bit 6).
//                   bit 7: standard input ends in a read error instead of its end (a socket
//                   whose writer resets it).
//     bytes 1-3     with bit 2 of a run: the change, two bytes of position, one of operation.
//     then          the graph file's bytes up to the first "@@@\n"; after it the transcript
//                   (raw) or kostra's answers (a run).
//
// Both files are memory files: the graph is opened by its /proc/self/fd path like a file named on
// the command line, the transcript is read through its descriptor as standard input (or through a
// socket, with bit 7). Every run
// must end with status 0, 1, 2 or 4 (4: a graph over fuzz::kLimits); a refusal writes nothing on
// standard output and exactly one line on standard error besides the graph file's notes (its
// warnings, why it is refused), a drawing only those notes. A drawing (status 0) must be one DOT
// graph consistent with the transcript as this target reads it on its own: a line for every node
// and every edge of the graph in order, the tree edges bold and the others dashed, the caption of
// the task, and for a loop or cut every orientation the transcript shows, the chosen edge marked
// and, for a cut, the two sides of the forest split at it coloured. kostra's own unchanged output
// of a successful run on the graph file kostra-dot reads must be accepted, and that of a failed
// run refused; a transcript that ends in a read error must be refused whatever it holds.
#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "CGraph.h"
#include "FuzzSupport.h"
#include "naive_dialogue.h"
#include "GraphInput.h"
#include "KostraDot.h"
#include "Notes.h"
#include "ReadBack.h"
#include "Texts.h"

namespace {

using fuzz::require;

constexpr const char* kTarget = "fuzz_kostra_dot";
// Transcripts longer than this are not sent through a socket, whose buffer might not take them.
constexpr std::size_t kSocketMax = std::size_t{64} << 10;
constexpr std::string_view kSeparator = "@@@\n";
constexpr std::string_view kUsage =
    "pouziti: kostra-dot GRAFOVY_SOUBOR < vystup_kostry > kresba.dot\n"
    "         kostra-dot --html [--layout dot|neato|circo] GRAFOVY_SOUBOR < vystup_kostry > "
    "stranka.html\n";

enum class Source { Raw, FileRun, KeyboardRun };
enum class Arguments { Graph, None, Help, ShortHelp, Directory, Missing };

// A line of kostra's output without its line break and a carriage return before it, as kostra-dot
// reads lines.
std::string_view trimmed(std::string_view line) {
    if (line.ends_with('\r')) line.remove_suffix(1);
    return line;
}

// Changes the transcript in one place: op's low three bits choose what, its other bits and the
// position where.
void change(std::string& t, unsigned position, unsigned op) {
    const std::size_t at = t.empty() ? 0 : position % (t.size() + 1);
    const auto value = static_cast<char>(op >> 3);
    const auto lineStart = [&t](std::size_t p) {
        const std::size_t nl = p == 0 ? std::string::npos : t.rfind('\n', p - 1);
        return nl == std::string::npos ? 0 : nl + 1;
    };
    const auto lineEnd = [&t](std::size_t p) {
        const std::size_t nl = t.find('\n', p);
        return nl == std::string::npos ? t.size() : nl + 1;
    };
    const auto digitFrom = [&t](std::size_t p) {
        while (p < t.size() && (t[p] < '0' || t[p] > '9')) ++p;
        return p;
    };
    switch (op & 7) {
        case 0:  // one byte replaced by a character near the digits and signs
            if (at < t.size()) t[at] = static_cast<char>(' ' + value);
            break;
        case 1:  // one byte removed
            if (at < t.size()) t.erase(at, 1);
            break;
        case 2:  // one byte inserted
            t.insert(at, 1, static_cast<char>(' ' + value));
            break;
        case 3: {  // the next digit changed
            const std::size_t d = digitFrom(at);
            if (d < t.size()) t[d] = static_cast<char>('0' + (t[d] - '0' + 1 + value % 9) % 10);
            break;
        }
        case 4: {  // the sign of the next number turned round
            const std::size_t d = digitFrom(at);
            if (d == t.size()) break;
            if (d > 0 && t[d - 1] == '-') {
                t[d - 1] = ' ';
            } else if (d > 0 && t[d - 1] == ' ') {
                t[d - 1] = '-';
            } else {
                t.insert(d, 1, '-');
            }
            break;
        }
        case 5: {  // a line removed
            const std::size_t s = lineStart(at);
            t.erase(s, lineEnd(at) - s);
            break;
        }
        case 6: {  // a line repeated
            const std::size_t s = lineStart(at);
            t.insert(s, t.substr(s, lineEnd(at) - s));
            break;
        }
        default: {  // a line swapped with the next
            const std::size_t s = lineStart(at);
            const std::size_t e = lineEnd(at);
            const std::size_t e2 = lineEnd(e);
            if (e < t.size() && t[e - 1] == '\n' && t[e2 - 1] == '\n')
                t = t.substr(0, s) + t.substr(e, e2 - e) + t.substr(s, e - s) + t.substr(e2);
            break;
        }
    }
}

// What an accepted transcript shows, read from its text alone.
struct Shown {
    int task = 1;           // 1, 2 (2 or 3, alike without narration), 4 or 5
    int narrator = 0;       // tasks 2 and 3: 2 or 3 when narrated
    std::vector<int> tree;  // every edge: 1 in the forest, 0 not
    std::vector<int> sign;  // tasks 4 and 5: every edge's orientation
    int chosen = -1;        // tasks 4 and 5: the edge of the loop or cut
};

// Reads what the drawing must show from an accepted transcript of a graph of m edges.
Shown readShown(const std::string& transcript, int m) {
    Shown s;
    s.tree.assign(static_cast<std::size_t>(m), -1);
    s.sign.assign(static_cast<std::size_t>(m), 0);
    const std::vector<std::string_view> lines = fuzz::splitLines(transcript);
    const std::string_view banner = texts::kBanner.cs.view().substr(1, texts::kBanner.cs.size - 2);
    bool afterBanner = false;
    for (std::string_view line : lines) {
        line = trimmed(line);
        if (!afterBanner) {
            afterBanner = line == banner;
            if (line.starts_with(texts::kLoopPrompt.cs.view())) s.task = 4;
            if (line.starts_with(texts::kCutPrompt.cs.view())) s.task = 5;
            std::string_view rest = line;
            while (rest.starts_with(texts::kVerbosePrompt.cs.view())) {
                rest.remove_prefix(texts::kVerbosePrompt.cs.size);
                s.task = 2;
            }
            if (s.task == 2 && s.narrator == 0 && rest.starts_with(texts::kKruskalName.cs.view()))
                s.narrator = 2;
            if (s.task == 2 && s.narrator == 0 && rest.starts_with(texts::kPrimName.cs.view()))
                s.narrator = 3;
            const std::size_t edge = line.rfind("hrana ");
            int i = -1;
            int flag = 0;
            if (edge != std::string_view::npos &&
                scanLine<texts::kTreeFlagLine.cs>(line.substr(edge), i, flag) && i >= 0 && i < m)
                s.tree[static_cast<std::size_t>(i)] = flag;
            continue;
        }
        int i = -1;
        int a = 0;
        int b = 0;
        if (scanLine<texts::kEdgeLine.cs>(line, i, a, b) && i >= 0 && i < m)
            s.tree[static_cast<std::size_t>(i)] = a;
        if (scanLine<texts::kOrientationLine.cs>(line, i, a) && i >= 0 && i < m)
            s.sign[static_cast<std::size_t>(i)] = a;
    }
    if (s.task >= 4) {
        for (int k = 0; k < m && s.chosen < 0; ++k) {
            const auto uk = static_cast<std::size_t>(k);
            if (s.sign[uk] == 1 && s.tree[uk] == (s.task == 5 ? 1 : 0)) s.chosen = k;
        }
    }
    return s;
}

// The two sides of a cut: 1 for the nodes on the chosen edge's from side, 2 for its to side, 0
// for the nodes of the other trees, found by joining the ends of every other tree edge.
std::vector<int> cutSides(const CGraph& g, const Shown& s) {
    std::vector<int> parent(static_cast<std::size_t>(g.nodeCount));
    for (int i = 0; i < g.nodeCount; ++i) parent[static_cast<std::size_t>(i)] = i;
    const auto root = [&parent](int v) {
        while (parent[static_cast<std::size_t>(v)] != v)
            v = parent[static_cast<std::size_t>(v)] =
                parent[static_cast<std::size_t>(parent[static_cast<std::size_t>(v)])];
        return v;
    };
    for (int k = 0; k < g.edgeCount; ++k) {
        if (s.tree[static_cast<std::size_t>(k)] != 1 || k == s.chosen) continue;
        parent[static_cast<std::size_t>(root(g.edges[k].from))] = root(g.edges[k].to);
    }
    std::vector<int> side(static_cast<std::size_t>(g.nodeCount), 0);
    const int from = root(g.edges[s.chosen].from);
    const int to = root(g.edges[s.chosen].to);
    for (int i = 0; i < g.nodeCount; ++i) {
        const int r = root(i);
        side[static_cast<std::size_t>(i)] = r == from ? 1 : r == to ? 2 : 0;
    }
    return side;
}

// The attributes of a DOT line, "key=value, key=\"value\"", in order; false when malformed.
bool attributes(std::string_view text,
                std::vector<std::pair<std::string_view, std::string_view>>& out) {
    out.clear();
    while (!text.empty()) {
        const std::size_t eq = text.find('=');
        if (eq == std::string_view::npos || eq == 0) return false;
        const std::string_view key = text.substr(0, eq);
        text.remove_prefix(eq + 1);
        std::string_view value;
        if (text.starts_with('"')) {
            const std::size_t close = text.find('"', 1);
            if (close == std::string_view::npos) return false;
            value = text.substr(1, close - 1);
            text.remove_prefix(close + 1);
        } else {
            value = text.substr(0, text.find(','));
            text.remove_prefix(value.size());
        }
        out.emplace_back(key, value);
        if (text.empty()) break;
        if (!text.starts_with(", ")) return false;
        text.remove_prefix(2);
    }
    return true;
}

// The first line of the caption for the task.
std::string captionOf(const Shown& s) {
    switch (s.task) {
        case 1:
            return std::string(texts::kMethod1.cs.view()) + "\\l";
        case 2:
            if (s.narrator == 0) return "minimalni kostra\\l";
            return "minimalni kostra (" +
                   std::string(s.narrator == 2 ? texts::kKruskal.cs.view()
                                               : texts::kPrim.cs.view()) +
                   ")\\l";
        case 4:
            return "nezavisla smycka hrany " + std::to_string(s.chosen) + "\\l";
        default:
            return "nezavisly rez hrany " + std::to_string(s.chosen) + "\\l";
    }
}

void checkDrawing(const std::string& dot, const std::string& transcript, const CGraph& g) {
    const Shown s = readShown(transcript, g.edgeCount);
    for (int k = 0; k < g.edgeCount; ++k) {
        require(s.tree[static_cast<std::size_t>(k)] >= 0, kTarget,
                "an accepted transcript without the tree flag of every edge", transcript);
    }
    if (s.task >= 4)
        require(s.chosen >= 0, kTarget, "an accepted loop or cut without its edge", transcript);
    const std::vector<int> side = s.task == 5 ? cutSides(g, s) : std::vector<int>();

    require(dot.ends_with("\n"), kTarget, "a drawing that does not end with a line break", dot);
    const std::vector<std::string_view> lines = fuzz::splitLines(dot);
    const auto n = static_cast<std::size_t>(g.nodeCount);
    const auto m = static_cast<std::size_t>(g.edgeCount);
    require(lines.size() == 6 + n + m, kTarget, "a drawing without a line for every node and edge",
            dot);
    require(lines[0] == "graph kostra {" && lines[1] == "    labelloc=t;" &&
                lines[2] == "    labeljust=l;" && lines[4] == "    node [shape=circle];" &&
                lines.back() == "}",
            kTarget, "a drawing that is not one DOT graph", dot);
    const std::string caption = "    label=\"" + captionOf(s);
    require(lines[3].starts_with(caption) && lines[3].ends_with("\";"), kTarget,
            "the caption does not name the task", dot);

    for (std::size_t i = 0; i < n; ++i) {
        const std::string number = "    " + std::to_string(i);
        const int sideOf = s.task == 5 ? side[i] : 0;
        const std::string want = number + (sideOf == 1   ? " [style=filled, fillcolor=\"#fdd0a2\"];"
                                           : sideOf == 2 ? " [style=filled, fillcolor=\"#c7e9c0\"];"
                                                         : ";");
        require(lines[5 + i] == want, kTarget, "a node line that does not show the node", dot);
    }

    std::vector<std::pair<std::string_view, std::string_view>> attrs;
    for (std::size_t k = 0; k < m; ++k) {
        const Edge& e = g.edges[k];
        const std::string_view line = lines[5 + n + k];
        const std::string head =
            "    " + std::to_string(e.from) + " -- " + std::to_string(e.to) + " [";
        require(line.starts_with(head) && line.ends_with("];"), kTarget,
                "an edge line that does not join the edge's ends", dot);
        require(attributes(line.substr(head.size(), line.size() - head.size() - 2), attrs), kTarget,
                "an edge line with malformed attributes", dot);
        const int sign = s.sign[k];
        const bool chosen = static_cast<int>(k) == s.chosen;
        std::string label = "h" + std::to_string(k) + ": " + std::to_string(e.weight);
        if (chosen) {
            label += " (+1, zvolena)";
        } else if (sign != 0) {
            label += sign > 0 ? " (+1)" : " (-1)";
        }
        std::vector<std::pair<std::string_view, std::string_view>> want = {{"label", label}};
        if (chosen) want.emplace_back("penwidth", "3");
        want.emplace_back("style", s.tree[k] == 1 ? "bold" : "dashed");
        if (sign != 0) {
            const std::string_view colour = sign > 0 ? "#d62728" : "#1f77b4";
            want.emplace_back("color", colour);
            want.emplace_back("fontcolor", colour);
            want.emplace_back("dir", sign > 0 ? "forward" : "back");
        }
        require(attrs == want, kTarget,
                "an edge line that does not show the edge as the transcript does", dot);
    }
}

// A socket that gives the transcript and then, instead of its end, a read error: the writer's end
// is closed with data of its own unread, which resets the connection.
int failingAfter(const std::string& transcript) {
    int ends[2];
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) std::abort();
    const bool sent =
        write(ends[0], "x", 1) == 1 && write(ends[1], transcript.data(), transcript.size()) ==
                                           static_cast<ssize_t>(transcript.size());
    close(ends[1]);
    if (!sent) std::abort();
    return ends[0];
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    static fuzz::MemoryFile graphFile("kostra-dot-fuzz-graph");
    static fuzz::MemoryFile transcriptFile("kostra-dot-fuzz-transcript");
    static fuzz::Streams streams;
    static std::string transcript;

    const unsigned flags = data[0];
    const Source source = (flags & 3) == 0   ? Source::Raw
                          : (flags & 3) == 2 ? Source::KeyboardRun
                                             : Source::FileRun;
    const bool changed = source != Source::Raw && (flags & 4) != 0;
    const unsigned form = (flags >> 3) & 7;
    const bool alternative = (flags & 64) != 0;
    const Arguments arguments = form <= 4   ? Arguments::Graph
                                : form == 5 ? Arguments::None
                                : form == 6
                                    ? (alternative ? Arguments::ShortHelp : Arguments::Help)
                                    : (alternative ? Arguments::Missing : Arguments::Directory);
    std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    unsigned position = 0;
    unsigned op = 0;
    if (changed) {
        if (rest.size() < 3) return 0;
        position = static_cast<unsigned>(static_cast<std::uint8_t>(rest[0])) << 8 |
                   static_cast<std::uint8_t>(rest[1]);
        op = static_cast<std::uint8_t>(rest[2]);
        rest.remove_prefix(3);
    }
    const std::size_t sep = rest.find(kSeparator);
    const std::string_view graph = rest.substr(0, sep);
    const std::string_view after =
        rest.substr(sep == std::string_view::npos ? rest.size() : sep + kSeparator.size());
    graphFile.fill(graph);

    int kostraStatus = -1;
    if (source == Source::Raw) {
        transcript.assign(after);
    } else if (source == Source::FileRun) {
        kostraStatus = fuzz::runKostraTo(graphFile.path(), after, transcript);
    } else {
        std::string typed(graph);
        typed.append(after);
        kostraStatus = fuzz::runKostraTo(nullptr, typed, transcript);
    }
    if (changed) change(transcript, position, op);
    const bool broken = (flags & 128) != 0 && transcript.size() <= kSocketMax;
    int transcriptFd = transcriptFile.fd();
    if (broken) {
        transcriptFd = failingAfter(transcript);
    } else {
        transcriptFile.fill(transcript);
    }

    std::string path = graphFile.path();
    if (arguments == Arguments::Help) path = "--help";
    if (arguments == Arguments::ShortHelp) path = "-h";
    if (arguments == Arguments::Directory) path = "/proc/self";
    if (arguments == Arguments::Missing) path = "/proc/self/no-such-graph";
    char program[] = "kostra-dot";
    char* argv[] = {program, path.data(), nullptr};
    const int argc = arguments == Arguments::None ? 1 : 2;
    const int status = fuzz::runCompanionOn(streams, [&](Output& out, Output& err) {
        return runKostraDot(argc, argv, transcriptFd, out, err, fuzz::kLimits);
    });
    if (broken) close(transcriptFd);

    const std::string& out = streams.out;
    const std::string& err = streams.err;
    require(status == 0 || status == 1 || status == 2 || status == kStatusNoMemory, kTarget,
            "an exit status outside 0, 1, 2 and 4", err);
    if (status != 0) {
        require(out.empty(), kTarget, "a refusal that writes on standard output", out);
        require(fuzz::oneMessageAndNotes(err), kTarget,
                "a refusal that is not exactly one line on standard error besides the notes", err);
        require(status != kStatusNoMemory || err == texts::kNoMemory.cs.view(), kTarget,
                "status 4 without its message", err);
    } else {
        require(naive::onlyNotes(err), kTarget, "a drawing with a message on standard error", err);
    }

    if (arguments == Arguments::Help || arguments == Arguments::ShortHelp) {
        require(status == 0 && out == kUsage, kTarget, "--help does not show the usage", out);
        return 0;
    }
    if (arguments != Arguments::Graph) {
        require(status == 2, kTarget, "a run without a graph file that is not refused so", err);
        return 0;
    }

    std::unique_ptr<CGraph> g;
    const int read = readGraphFile(graphFile.path(), g, fuzz::kLimits);
    if (read != kStatusDone) {
        require(status == (read == kStatusNoMemory ? kStatusNoMemory : 2), kTarget,
                "a graph file that cannot be read is not refused so", err);
        return 0;
    }
    if (broken) {
        require(status != 0, kTarget, "a transcript that ends in a read error is taken",
                transcript);
        return 0;
    }
    if (kostraStatus == kStatusDone && !changed) {
        require(status == 0, kTarget, "kostra's own output of a run on this graph is refused",
                err + "--- transcript ---\n" + transcript);
    }
    if (kostraStatus > kStatusDone && !changed) {
        require(status == 1, kTarget, "kostra's output of a failed run is not refused", transcript);
    }
    if (status == 0) checkDrawing(out, transcript, *g);
    return 0;
}
