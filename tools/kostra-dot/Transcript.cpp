#include "Transcript.h"

#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "CGraph.h"
#include "Output.h"

namespace {

// The texts of kostra that the transcript is matched against.
constexpr std::string_view kMenu[] = {
    "vyber algoritmu:",
    " 1 - rekurzivni kostra od uzlu s nejvyssim stupnem",
    " 2 - Boruvka-Kruskal s urcenim poctu komponent",
    " 3 - Jarnik-Prim pro nesouvisly graf",
    " 4 - nezavisla smycka",
    " 5 - nezavisly rez",
};
constexpr std::string_view kOpened = "nacitam strukturu grafu ze souboru  ";
constexpr std::string_view kOpenedOk = "... [OK]";
constexpr std::string_view kFirstKeyboardPrompt = "pocet hran: ";
constexpr std::string_view kVerbosePrompt = "podrobny vypis (a/n)? ";
constexpr std::string_view kMethodPrompt = "cislo algoritmu pro oznaceni kostry (1-3): ";
constexpr std::string_view kLoopPrompt = "nekostrova hrana okolo niz se najde nezavisla smycka: ";
constexpr std::string_view kCutPrompt = "kostrova hrana skrz kterou se najde nezavisly rez: ";
constexpr std::string_view kBanner = ">>VYSTUP<<";

// A file descriptor as lines of any length, read through a large buffer.
class LineSource {
public:
    explicit LineSource(int fd) : fd_(fd), buf_(kChunk) {}

    // The next line without its line break (and without a carriage return before it); a last
    // line without a line break counts too. False at the end of the input and on a read error.
    // The line stays valid until the next call.
    bool next(std::string_view& line) {
        carry_.clear();
        for (;;) {
            const char* start = buf_.data() + pos_;
            const void* lf = std::memchr(start, '\n', len_ - pos_);
            if (lf != nullptr) {
                const auto n = static_cast<std::size_t>(static_cast<const char*>(lf) - start);
                pos_ += n + 1;
                if (carry_.empty()) return take(std::string_view(start, n), line);
                carry_.append(start, n);
                return take(carry_, line);
            }
            carry_.append(start, len_ - pos_);  // a line that goes on in the next piece
            pos_ = len_;
            if (!refill()) return !carry_.empty() && take(carry_, line);
        }
    }
    bool failed() const { return failed_; }
    std::int64_t number() const { return number_; }  // of the last line returned, from 1

private:
    static constexpr std::size_t kChunk = std::size_t{1} << 20;

    bool take(std::string_view s, std::string_view& line) {
        if (s.ends_with('\r')) s.remove_suffix(1);
        line = s;
        ++number_;
        return true;
    }
    bool refill() {
        while (!ended_) {
            const ssize_t got = ::read(fd_, buf_.data(), buf_.size());
            if (got > 0) {
                pos_ = 0;
                len_ = static_cast<std::size_t>(got);
                return true;
            }
            if (got < 0 && errno == EINTR) continue;
            failed_ = got < 0;
            ended_ = true;
        }
        return false;
    }

    int fd_;
    std::vector<char> buf_;
    std::size_t pos_ = 0;  // start of the unread part of buf_
    std::size_t len_ = 0;  // bytes in buf_
    std::string carry_;    // the start of a line that began in an earlier piece
    bool ended_ = false;
    bool failed_ = false;
    std::int64_t number_ = 0;
};

// One line taken apart from left to right, against the texts kostra prints.
struct Cursor {
    std::string_view rest;

    bool text(std::string_view s) {
        if (!rest.starts_with(s)) return false;
        rest.remove_prefix(s.size());
        return true;
    }
    // A 32-bit number exactly as printf's "%d" (width 1) or "%2d" (width 2) writes it.
    bool number(int width, int& value) {
        const bool padded = width == 2 && rest.starts_with(' ');
        std::size_t i = padded ? 1 : 0;
        const std::size_t start = i;
        const bool negative = i < rest.size() && rest[i] == '-';
        if (negative) ++i;
        const std::size_t first = i;
        std::int64_t v = 0;
        while (i < rest.size() && i - first <= 10 && rest[i] >= '0' && rest[i] <= '9')
            v = v * 10 + (rest[i++] - '0');
        const std::size_t digits = i - first;
        if (digits == 0 || digits > 10 || (digits > 1 && rest[first] == '0')) return false;
        if (negative) v = -v;
        if (v < INT32_MIN || v > INT32_MAX || (negative && v == 0)) return false;
        const std::size_t length = i - start;
        if (padded ? length != 1 : length < static_cast<std::size_t>(width)) return false;
        value = static_cast<int>(v);
        rest.remove_prefix(i);
        return true;
    }
};

// The last line kostra prints when a run fails: the graph file's error or any later "CHYBA".
bool isKostraError(std::string_view line) {
    return line.starts_with("CHYBA") || line.ends_with("[CHYBA] (nekonzistentni data)");
}

// Removes every copy of prompt from the start of line (a refused answer repeats the question);
// false when there is none.
bool stripPrompts(std::string_view& line, std::string_view prompt) {
    if (!line.starts_with(prompt)) return false;
    while (line.starts_with(prompt)) line.remove_prefix(prompt.size());
    return true;
}

std::string quoted(std::string_view s) {
    std::string q(1, '"');
    q.append(s);
    q.push_back('"');
    return q;
}

// How line i of a table should look, for a message: "hrana  3: v kostre=.., vaha=..".
std::string shapeOf(std::string_view word, int i, std::string_view rest) {
    std::string s(word);
    if (i < 10) s.push_back(' ');
    s.append(std::to_string(i));
    s.append(rest);
    return quoted(s);
}

// The transcript line by line, with the current line at hand.
struct Reader {
    LineSource src;
    Output& err;
    std::string_view line;
    bool have = false;  // line holds a line; false at the end of the input

    bool next() {
        have = src.next(line);
        return have;
    }

    // Refuses the transcript at the current line, where kostra prints what expected describes.
    bool refuse(std::string_view expected) {
        if (src.failed()) {
            err.print<"CHYBA: standardni vstup nelze precist\n">();
        } else if (!have && src.number() == 0) {
            err.print<"CHYBA: standardni vstup je prazdny, ocekavan vystup kostry\n">();
        } else if (!have) {
            err.print<"CHYBA: vystup kostry konci predcasne, ocekavan %s\n">(expected);
        } else if (isKostraError(line)) {
            // kostra's messages are short, bar a long path; the input need not be kostra's.
            err.print<"CHYBA: kostra skoncila chybou: %s\n">(line.substr(0, 4200));
        } else {
            err.print<"CHYBA: radek %s vystupu kostry neodpovida grafu, ocekavan %s\n">(
                std::to_string(src.number()), expected);
        }
        return false;
    }

    // Starts line i of a table: the line begins with word and i as "%2d" writes it.
    bool tableLine(std::string_view word, int i, Cursor& c) const {
        c.rest = line;
        int index = -1;
        return c.text(word) && c.number(2, index) && index == i;
    }

    // A table stopped after listed lines, while the graph has count edges or nodes (what). At
    // the end of the input that is an output cut short as much as one for another graph.
    bool tooFew(std::string_view what, int listed, int count, const std::string& shape) {
        if (src.failed() || (have && isKostraError(line))) return refuse(shape);
        if (have) {
            err.print<"CHYBA: vystup kostry je pro jiny pocet %s (%d) nez graf (%d)\n">(
                what, listed, count);
        } else {
            err.print<
                "CHYBA: vystup kostry konci predcasne nebo je pro jiny pocet %s (%d) nez "
                "graf (%d)\n">(what, listed, count);
        }
        return false;
    }
    bool tooMany(std::string_view what, int count) {
        err.print<"CHYBA: vystup kostry je pro vic %s nez graf (%d)\n">(what, count);
        return false;
    }
};

bool isFlag(int v) { return v == 0 || v == 1; }

// The report of tasks 1 to 3: "hrana %2d: v kostre=%2d, vaha=%2d" for every edge, then
// "uzel  %2d: kosti z=%2d, smeru=%2d" for every node. The flags go into inTree.
bool readForestReport(Reader& r, CGraph& g) {
    int i = 0;
    for (; r.have && r.line.starts_with("hrana "); ++i, r.next()) {
        if (i == g.edgeCount) return r.tooMany("hran", g.edgeCount);
        Cursor c;
        int flag = 0;
        int weight = 0;
        if (!(r.tableLine("hrana ", i, c) && c.text(": v kostre=") && c.number(2, flag) &&
              isFlag(flag) && c.text(", vaha=") && c.number(2, weight) && c.rest.empty()))
            return r.refuse(shapeOf("hrana ", i, ": v kostre=.., vaha=.."));
        if (weight != g.edges[i].weight) {
            r.err.print<"CHYBA: hrana %d: vaha=%d ve vystupu kostry, v grafu %d\n">(
                i, weight, g.edges[i].weight);
            return false;
        }
        g.edges[i].inTree = flag == 1;
    }
    if (i != g.edgeCount)
        return r.tooFew("hran", i, g.edgeCount, shapeOf("hrana ", i, ": v kostre=.., vaha=.."));

    g.bones();
    i = 0;
    for (; r.have && r.line.starts_with("uzel  "); ++i, r.next()) {
        if (i == g.nodeCount) return r.tooMany("uzlu", g.nodeCount);
        Cursor c;
        int bones = 0;
        int degree = 0;
        if (!(r.tableLine("uzel  ", i, c) && c.text(": kosti z=") && c.number(2, bones) &&
              c.text(", smeru=") && c.number(2, degree) && c.rest.empty()))
            return r.refuse(shapeOf("uzel  ", i, ": kosti z=.., smeru=.."));
        if (degree != g.nodes[i].degree) {
            r.err.print<"CHYBA: uzel %d: smeru=%d ve vystupu kostry, v grafu %d\n">(
                i, degree, g.nodes[i].degree);
            return false;
        }
        if (bones != g.nodes[i].bones) {
            r.err.print<"CHYBA: uzel %d: kosti z=%d ve vystupu kostry, hrany v kostre davaji %d\n">(
                i, bones, g.nodes[i].bones);
            return false;
        }
    }
    if (i != g.nodeCount)
        return r.tooFew("uzlu", i, g.nodeCount, shapeOf("uzel  ", i, ": kosti z=.., smeru=.."));
    return true;
}

// Tasks 4 and 5 list "hrana %2d: v kostre=%d" for every edge before asking for the edge (the
// first line follows the method question on its line). The flags go into inTree.
bool readTreeFlags(Reader& r, CGraph& g) {
    int i = 0;
    for (; r.have && r.line.starts_with("hrana "); ++i, r.next()) {
        if (i == g.edgeCount) return r.tooMany("hran", g.edgeCount);
        Cursor c;
        int flag = 0;
        if (!(r.tableLine("hrana ", i, c) && c.text(": v kostre=") && c.number(1, flag) &&
              isFlag(flag) && c.rest.empty()))
            return r.refuse(shapeOf("hrana ", i, ": v kostre=."));
        g.edges[i].inTree = flag == 1;
    }
    if (i != g.edgeCount)
        return r.tooFew("hran", i, g.edgeCount, shapeOf("hrana ", i, ": v kostre=."));
    return true;
}

// The report of tasks 4 and 5: "hrana %2d: orientace=%2d" for every edge.
bool readOrientations(Reader& r, const CGraph& g, Transcript& t) {
    t.orientation.assign(static_cast<std::size_t>(g.edgeCount), 0);
    int i = 0;
    for (; r.have && r.line.starts_with("hrana "); ++i, r.next()) {
        if (i == g.edgeCount) return r.tooMany("hran", g.edgeCount);
        Cursor c;
        int sign = 0;
        if (!(r.tableLine("hrana ", i, c) && c.text(": orientace=") && c.number(2, sign) &&
              -1 <= sign && sign <= 1 && c.rest.empty()))
            return r.refuse(shapeOf("hrana ", i, ": orientace=.."));
        t.orientation[static_cast<std::size_t>(i)] = static_cast<signed char>(sign);
    }
    if (i != g.edgeCount)
        return r.tooFew("hran", i, g.edgeCount, shapeOf("hrana ", i, ": orientace=.."));
    return true;
}

// The whole transcript, line by line; the task follows from what comes after the menu.
bool readRun(Reader& r, CGraph& g, Transcript& t) {
    // The opening: the graph file's message and a blank line, or the keyboard's questions.
    r.next();
    if (r.have && r.line.starts_with(kOpened) && r.line.ends_with(kOpenedOk)) {
        if (!r.next() || !r.line.empty()) return r.refuse("prazdny radek");
    } else if (!r.have || !r.line.starts_with(kFirstKeyboardPrompt)) {
        return r.refuse(quoted("nacitam strukturu grafu ze souboru  ...... [OK]"));
    }
    for (const std::string_view want : kMenu)
        if (!r.next() || r.line != want) return r.refuse(quoted(want));

    r.next();
    if (r.have && stripPrompts(r.line, kVerbosePrompt)) {
        // The narration, if asked for, starts on the question's line; all of it comes from one
        // of the two builders and tells which one ran.
        t.task = 2;
        for (; r.have && !r.line.empty(); r.next()) {
            const int method = r.line.starts_with("Boruvka-Kruskal: ") ? 2
                               : r.line.starts_with("Jarnik-Prim: ")   ? 3
                                                                       : 0;
            if (method == 0 || (t.narrated && method != t.method))
                return r.refuse("radek podrobneho vypisu");
            t.method = method;
            t.narrated = true;
        }
    } else if (r.have && stripPrompts(r.line, kMethodPrompt)) {
        if (!readTreeFlags(r, g)) return false;
        if (r.have && stripPrompts(r.line, kLoopPrompt)) {
            t.task = 4;
        } else if (r.have && stripPrompts(r.line, kCutPrompt)) {
            t.task = 5;
        } else {
            return r.refuse("otazka na hranu");
        }
    } else {
        t.task = 1;
        if (r.have && !r.line.empty()) return r.refuse("prazdny radek nebo otazka po nabidce");
    }
    // The report starts with a line break, which ends the last question's line.
    if (!r.have || !r.line.empty()) return r.refuse("prazdny radek");
    if (!r.next() || r.line != kBanner) return r.refuse(quoted(kBanner));

    r.next();
    if (!(t.task <= 2 ? readForestReport(r, g) : readOrientations(r, g, t))) return false;
    if (r.have) return r.refuse("konec vystupu");
    return true;
}

void markForest(CGraph& g, int method) {
    if (method == 1) g.skeleton();
    if (method == 2) g.BoruvkaKruskal(false);
    if (method == 3) g.JarnikPrim(false);
}

// The tree flags must be the forest that one of kostra's methods marks in this graph: the one of
// task 1, of tasks 2 and 3 (the narrated one when there is narration), or any of the three for
// tasks 4 and 5. On success inTree holds that forest again and t.method names the first method
// that marks it.
bool checkForest(CGraph& g, Transcript& t, Output& err) {
    std::vector<bool> shown(static_cast<std::size_t>(g.edgeCount));
    for (int k = 0; k < g.edgeCount; ++k) shown[static_cast<std::size_t>(k)] = g.edges[k].inTree;
    int first = t.task == 2 ? 2 : 1;
    int last = t.task == 1 ? 1 : 3;
    if (t.narrated) first = last = t.method;
    for (int method = first; method <= last; ++method) {
        markForest(g, method);
        int k = 0;
        while (k < g.edgeCount && g.edges[k].inTree == shown[static_cast<std::size_t>(k)]) ++k;
        if (k == g.edgeCount) {
            t.method = method;
            return true;
        }
    }
    err.print<
        "CHYBA: hrany v kostre ve vystupu kostry nejsou kostrou, kterou kostra v tomto "
        "grafu oznaci\n">();
    return false;
}

// Tasks 4 and 5: the chosen edge is the one non-tree edge (tree edge, for a cut) with
// orientation +1. Redoes kostra's loop or cut of it, which must give every orientation shown,
// and for a cut labels the two sides in the node tags.
bool checkResult(CGraph& g, Transcript& t, Output& err) {
    const bool cut = t.task == 5;
    for (int k = 0; k < g.edgeCount && t.chosen < 0; ++k) {
        if (g.edges[k].inTree == cut && t.orientation[static_cast<std::size_t>(k)] == 1)
            t.chosen = k;
    }
    if (t.chosen < 0) {
        err.print<"CHYBA: ve vystupu kostry nema zadna %s hrana orientaci 1\n">(cut ? "kostrova"
                                                                                    : "nekostrova");
        return false;
    }
    g.bones();
    if (cut) {
        g.getCut(t.chosen);
    } else {
        g.getLoop(t.chosen);
    }
    for (int k = 0; k < g.edgeCount; ++k) {
        if (g.edges[k].tag != t.orientation[static_cast<std::size_t>(k)]) {
            err.print<"CHYBA: orientace ve vystupu kostry neodpovidaji %s hrany %d\n">(
                cut ? "rezu" : "smycce", t.chosen);
            return false;
        }
    }
    if (cut) {
        // A to node without another tree edge keeps the from label; it is its side alone.
        g.splitTree(t.chosen, 1, 2);
        g.nodes[g.edges[t.chosen].to].tag = 2;
    }
    return true;
}

}  // namespace

bool readTranscript(int fd, CGraph& g, Transcript& t, Output& err) {
    t = Transcript{0, 0, false, -1, {}};
    for (int k = 0; k < g.edgeCount; ++k) g.edges[k].inTree = false;
    g.makeRoutes();
    Reader r{LineSource(fd), err, {}, false};
    if (!readRun(r, g, t)) return false;
    return checkForest(g, t, err) && (t.task < 4 || checkResult(g, t, err));
}
