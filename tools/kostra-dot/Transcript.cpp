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
#include "ReadBack.h"
#include "Texts.h"

namespace {

// A text of kostra as one line of its output: without the line break that ends it, or the one
// that starts it and ends the line before.
constexpr std::string_view asLine(std::string_view text) {
    if (text.starts_with('\n')) text.remove_prefix(1);
    if (text.ends_with('\n')) text.remove_suffix(1);
    return text;
}

// What a line of a format starts with before its first conversion: "edge ", "node  ".
constexpr std::string_view lead(std::string_view format) {
    return format.substr(0, format.find('%'));
}

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

// A text of kostra's as kostra writes it in the language: what the transcript is read against.
template <Text T>
constexpr std::string_view kostras(Language language) {
    return T.in(language);
}

// The last line kostra prints when a run fails, in either language: the graph file's error or any
// later error message.
bool isKostraError(std::string_view line) {
    for (const Language language : {Language::Czech, Language::English}) {
        if (line.starts_with(kostras<texts::kError>(language)) ||
            line.ends_with(asLine(kostras<texts::kInconsistent>(language))))
            return true;
    }
    return false;
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

// How line i of a table printed with format should look, for a message: "edge  3: in forest=..,
// weight=..". The first conversion is the line's number; each other one shows as a dot per place.
std::string shapeOf(std::string_view format, int i) {
    const std::string_view text = asLine(format);
    std::string s;
    bool first = true;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text[at] != '%') {
            s.push_back(text[at]);
            continue;
        }
        const bool wide = text[at + 1] == '2';
        at += wide ? 2 : 1;
        if (first && i < 10 && wide) s.push_back(' ');
        s.append(first ? std::to_string(i) : std::string(wide ? ".." : "."));
        first = false;
    }
    return quoted(s);
}

// The transcript line by line, with the current line at hand. Messages go to err in its language;
// the transcript's language is found from its first line.
struct Reader {
    LineSource src;
    Output& err;
    std::string_view line;
    bool have = false;                    // line holds a line; false at the end of the input
    std::string* narration = nullptr;     // where the narration's lines go, when kept
    Language language = Language::Czech;  // the transcript's

    // A text of the catalogue as kostra wrote it in the transcript, or as this program says it.
    template <Text T>
    std::string_view kostras() const {
        return ::kostras<T>(language);
    }
    template <Text T>
    std::string_view ours() const {
        return T.in(err.language());
    }

    bool next() {
        have = src.next(line);
        return have;
    }

    // Refuses the transcript at the current line, where kostra prints what expected describes.
    bool refuse(std::string_view expected) {
        if (src.failed()) {
            err.print<texts::kInputUnreadable>();
        } else if (!have && src.number() == 0) {
            err.print<texts::kInputEmpty>();
        } else if (!have) {
            err.print<texts::kOutputEndsEarly>(expected);
        } else if (isKostraError(line)) {
            // kostra's messages are short, bar a long path; the input need not be kostra's.
            err.print<texts::kKostraFailed>(line.substr(0, 4200));
        } else {
            err.print<texts::kLineDoesNotFit>(std::to_string(src.number()), expected);
        }
        return false;
    }

    // A table stopped after listed lines, while the graph has count edges or nodes (what). At
    // the end of the input that is an output cut short as much as one for another graph.
    bool tooFew(std::string_view what, int listed, int count, const std::string& shape) {
        if (src.failed() || (have && isKostraError(line))) return refuse(shape);
        if (have) {
            err.print<texts::kOtherCount>(what, listed, count);
        } else {
            err.print<texts::kEarlyOrOtherCount>(what, listed, count);
        }
        return false;
    }
    bool tooMany(std::string_view what, int count) {
        err.print<texts::kMoreThanGraph>(what, count);
        return false;
    }
};

bool isFlag(int v) { return v == 0 || v == 1; }

// What a table's line check found.
enum class Row { Taken, Malformed, Refused };

// One table of count lines printed with T in the transcript's language (what: the edges or the
// nodes, for the messages): line i must read back as T's line i. take(i) reads the current line and
// checks its values; it prints its own message when it refuses them. The table ends at the first
// line that does not start like T's.
template <Text T, class Take>
bool readTable(Reader& r, int count, std::string_view what, const Take& take) {
    const std::string_view format = r.kostras<T>();
    int i = 0;
    for (; r.have && r.line.starts_with(lead(format)); ++i, r.next()) {
        if (i == count) return r.tooMany(what, count);
        const Row row = take(i);
        if (row == Row::Malformed) return r.refuse(shapeOf(format, i));
        if (row == Row::Refused) return false;
    }
    if (i != count) return r.tooFew(what, i, count, shapeOf(format, i));
    return true;
}

// The report of tasks 1 to 3: the edge table, then the node table. The flags go into inTree.
bool readForestReport(Reader& r, CGraph& g) {
    const std::string_view edges = r.ours<texts::kOfEdges>();
    const bool edgesRead = readTable<texts::kEdgeLine>(r, g.edgeCount, edges, [&](int i) {
        int index = -1;
        int flag = 0;
        int weight = 0;
        if (!scanLine<texts::kEdgeLine>(r.language, r.line, index, flag, weight) || index != i ||
            !isFlag(flag))
            return Row::Malformed;
        if (weight != g.edges[i].weight) {
            r.err.print<texts::kOtherWeight>(i, weight, g.edges[i].weight);
            return Row::Refused;
        }
        g.edges[i].inTree = flag == 1;
        return Row::Taken;
    });
    if (!edgesRead) return false;

    g.bones();
    return readTable<texts::kNodeLine>(r, g.nodeCount, r.ours<texts::kOfNodes>(), [&](int i) {
        int index = -1;
        int bones = 0;
        int degree = 0;
        if (!scanLine<texts::kNodeLine>(r.language, r.line, index, bones, degree) || index != i)
            return Row::Malformed;
        if (degree != g.degree(i)) {
            r.err.print<texts::kOtherDegree>(i, degree, g.degree(i));
            return Row::Refused;
        }
        if (bones != g.nodes[i].bones) {
            r.err.print<texts::kOtherBones>(i, bones, g.nodes[i].bones);
            return Row::Refused;
        }
        return Row::Taken;
    });
}

// Tasks 4 and 5 list the tree flag of every edge before asking for the edge (the first line
// follows the method question on its line). The flags go into inTree.
bool readTreeFlags(Reader& r, CGraph& g) {
    return readTable<texts::kTreeFlagLine>(r, g.edgeCount, r.ours<texts::kOfEdges>(), [&](int i) {
        int index = -1;
        int flag = 0;
        if (!scanLine<texts::kTreeFlagLine>(r.language, r.line, index, flag) || index != i ||
            !isFlag(flag))
            return Row::Malformed;
        g.edges[i].inTree = flag == 1;
        return Row::Taken;
    });
}

// The report of tasks 4 and 5: the orientation of every edge.
bool readOrientations(Reader& r, const CGraph& g, Transcript& t) {
    t.orientation.assign(static_cast<std::size_t>(g.edgeCount), 0);
    return readTable<texts::kOrientationLine>(
        r, g.edgeCount, r.ours<texts::kOfEdges>(), [&](int i) {
            int index = -1;
            int sign = 0;
            if (!scanLine<texts::kOrientationLine>(r.language, r.line, index, sign) || index != i ||
                sign < -1 || sign > 1)
                return Row::Malformed;
            t.orientation[static_cast<std::size_t>(i)] = static_cast<signed char>(sign);
            return Row::Taken;
        });
}

// The whole transcript, line by line; the task follows from what comes after the menu.
bool readRun(Reader& r, CGraph& g, Transcript& t) {
    // The opening: the graph file's message and a blank line, or the keyboard's questions; either
    // tells the transcript's language. The file's message is the opening around the path, then
    // the verdict on the same line.
    r.next();
    const std::string_view head = r.line;
    for (const Language language : {Language::Czech, Language::English}) {
        const std::string_view opening = kostras<texts::kOpening>(language);
        if (head.starts_with(opening.substr(0, opening.find("%s"))) ||
            head.starts_with(kostras<texts::kEdgeCountPrompt>(language)))
            r.language = language;
    }
    t.language = r.language;
    const std::string_view opening = r.kostras<texts::kOpening>();
    const std::string_view beforePath = opening.substr(0, opening.find("%s"));
    const std::string_view afterPath = opening.substr(opening.find("%s") + 2);
    const std::string_view verdict = asLine(r.kostras<texts::kOpenedOk>());
    if (r.have && head.starts_with(beforePath) && head.ends_with(verdict) &&
        head.substr(0, head.size() - verdict.size()).ends_with(afterPath)) {
        // The menu starts with a line break, which leaves an empty line after the opening.
        if (!r.next() || !r.line.empty()) return r.refuse(r.ours<texts::kExpectEmptyLine>());
    } else if (!r.have || !r.line.starts_with(r.kostras<texts::kEdgeCountPrompt>())) {
        return r.refuse(quoted(std::string(beforePath) + "..." + std::string(afterPath) +
                               std::string(verdict)));
    }
    std::string_view menu = asLine(r.kostras<texts::kMenu>());
    while (!menu.empty()) {
        const std::string_view want = menu.substr(0, menu.find('\n'));
        menu.remove_prefix(std::min(menu.size(), want.size() + 1));
        if (!r.next() || r.line != want) return r.refuse(quoted(want));
    }

    r.next();
    if (r.have && stripPrompts(r.line, r.kostras<texts::kVerbosePrompt>())) {
        // The narration, if asked for, starts on the question's line; all of it comes from one
        // of the two builders and tells which one ran.
        t.task = Task::BoruvkaKruskal;
        for (; r.have && !r.line.empty(); r.next()) {
            const bool kruskal = r.line.starts_with(r.kostras<texts::kKruskalName>());
            const bool prim = r.line.starts_with(r.kostras<texts::kPrimName>());
            const Method method = kruskal ? Method::BoruvkaKruskal : Method::JarnikPrim;
            if ((!kruskal && !prim) || (t.narrated && method != t.method))
                return r.refuse(r.ours<texts::kExpectNarration>());
            t.method = method;
            t.narrated = true;
            if (r.narration != nullptr) {
                r.narration->append(r.line);
                r.narration->push_back('\n');
            }
        }
    } else if (r.have && stripPrompts(r.line, r.kostras<texts::kMethodPrompt>())) {
        if (!readTreeFlags(r, g)) return false;
        if (r.have && stripPrompts(r.line, r.kostras<texts::kLoopPrompt>())) {
            t.task = Task::Loop;
        } else if (r.have && stripPrompts(r.line, r.kostras<texts::kCutPrompt>())) {
            t.task = Task::Cut;
        } else {
            return r.refuse(r.ours<texts::kExpectEdgeQuestion>());
        }
    } else {
        t.task = Task::Skeleton;
        if (r.have && !r.line.empty()) return r.refuse(r.ours<texts::kExpectAfterMenu>());
    }
    // The report starts with a line break, which ends the last question's line.
    if (!r.have || !r.line.empty()) return r.refuse(r.ours<texts::kExpectEmptyLine>());
    const std::string_view banner = asLine(r.kostras<texts::kBanner>());
    if (!r.next() || r.line != banner) return r.refuse(quoted(banner));

    r.next();
    if (!(reportsForest(t.task) ? readForestReport(r, g) : readOrientations(r, g, t))) return false;
    // A read error after the report leaves unknown what followed it, or whether its last line
    // was whole: the input is refused as unreadable, not taken as ending there.
    if (r.have || r.src.failed()) return r.refuse(r.ours<texts::kExpectEnd>());
    return true;
}

// The tree flags must be the forest that one of kostra's methods marks in this graph: the one of
// task 1, of tasks 2 and 3 (the narrated one when there is narration), or any of the three for
// tasks 4 and 5. On success inTree holds that forest again and t.method names the first method
// that marks it.
bool checkForest(CGraph& g, Transcript& t, Output& err) {
    std::vector<bool> shown(static_cast<std::size_t>(g.edgeCount));
    for (int k = 0; k < g.edgeCount; ++k) shown[static_cast<std::size_t>(k)] = g.edges[k].inTree;
    std::vector<Method> candidates;
    if (t.narrated) {
        candidates = {t.method};
    } else if (t.task == Task::Skeleton) {
        candidates = {Method::Skeleton};
    } else if (t.task == Task::BoruvkaKruskal) {
        candidates = {Method::BoruvkaKruskal, Method::JarnikPrim};
    } else {
        candidates = {Method::Skeleton, Method::BoruvkaKruskal, Method::JarnikPrim};
    }
    for (const Method method : candidates) {
        g.markForest(method);
        int k = 0;
        while (k < g.edgeCount && g.edges[k].inTree == shown[static_cast<std::size_t>(k)]) ++k;
        if (k == g.edgeCount) {
            t.method = method;
            return true;
        }
    }
    err.print<texts::kNotKostrasForest>();
    return false;
}

// Tasks 4 and 5: the chosen edge is the one non-tree edge (tree edge, for a cut) with
// orientation +1. Redoes kostra's loop or cut of it, which must give every orientation shown,
// and for a cut labels the two sides in the node tags.
bool checkResult(CGraph& g, Transcript& t, Output& err) {
    const bool cut = t.task == Task::Cut;
    for (int k = 0; k < g.edgeCount && t.chosen < 0; ++k) {
        if (g.edges[k].inTree == cut && t.orientation[static_cast<std::size_t>(k)] == 1)
            t.chosen = k;
    }
    if (t.chosen < 0) {
        err.print<texts::kNoChosenEdge>(cut ? texts::kTreeEdgeKind.in(err.language())
                                            : texts::kNonTreeEdgeKind.in(err.language()));
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
            err.print<texts::kOtherOrientations>(
                cut ? texts::kOfCut.in(err.language()) : texts::kOfLoop.in(err.language()),
                t.chosen);
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

bool readTranscript(int fd, CGraph& g, Transcript& t, Output& err, std::string* narration) {
    t = Transcript{Task::Skeleton, Method::Skeleton, false, -1, {}, err.language()};
    for (int k = 0; k < g.edgeCount; ++k) g.edges[k].inTree = false;
    if (narration != nullptr) narration->clear();
    Reader r{LineSource(fd), err, {}, false, narration, err.language()};
    if (!readRun(r, g, t)) return false;
    return checkForest(g, t, err) && (reportsForest(t.task) || checkResult(g, t, err));
}
