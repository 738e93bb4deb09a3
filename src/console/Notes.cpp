#include "Notes.h"

#include <cerrno>
#include <charconv>
#include <cstring>
#include <string_view>

#include "CGraph.h"
#include "Language.h"
#include "Texts.h"

namespace {

// The edge numbers an edge question's hint lists before it only counts them.
constexpr int kListedEdges = 10;

std::string number(std::int64_t v) {
    char text[24];
    return {text, std::to_chars(text, text + sizeof text, v).ptr};
}

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// A read as a message quotes it: a carriage return before its line break left out, a tab shown
// as a blank and any other control character as '?', and a long one shortened.
std::string shown(std::string_view text, std::size_t longest = 40) {
    if (text.ends_with('\r')) text.remove_suffix(1);
    const bool shortened = text.size() > longest;
    if (shortened) text = text.substr(0, longest - 3);
    std::string s(text);
    for (char& c : s) {
        if (c == '\t') c = ' ';
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
    }
    if (shortened) s += "...";
    return s;
}

// What follows the number at the start of text.
std::string_view afterNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i])) ++i;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
    while (i < text.size() && isDigit(text[i])) ++i;
    return text.substr(i);
}

bool blank(std::string_view text) {
    for (const char c : text)
        if (!isBlank(c)) return false;
    return true;
}

// More than one number on the line: "0 1 4".
bool severalNumbers(std::string_view text) {
    const std::string_view rest = afterNumber(text);
    std::size_t i = 0;
    while (i < rest.size() && isBlank(rest[i])) ++i;
    if (i < rest.size() && (rest[i] == '-' || rest[i] == '+')) ++i;
    return i > 0 && i < rest.size() && isDigit(rest[i]);
}

// The value's name in a warning: the question kostra asks for it at the keyboard, without its
// colon ("number of nodes", "edge 3 from node").
std::string field(const Expected& e, Language language) {
    std::string question;
    switch (e.kind) {
        case Expected::EdgeCount:
            question = texts::kEdgeCountPrompt.in(language);
            break;
        case Expected::NodeCount:
            question = texts::kNodeCountPrompt.in(language);
            break;
        case Expected::From:
            question = formatted<texts::kFromPrompt>(language, e.edge);
            break;
        case Expected::To:
            question = formatted<texts::kToPrompt>(language, e.edge);
            break;
        default:
            question = formatted<texts::kWeightPrompt>(language, e.edge);
            break;
    }
    while (!question.empty() && (question.back() == ' ' || question.back() == ':'))
        question.pop_back();
    return question;
}

// The value the graph description holds after e.
Expected following(const Expected& e) {
    Expected next = e;
    switch (e.kind) {
        case Expected::NodeCount:
            next.kind = Expected::From;
            next.edge = 0;
            break;
        case Expected::From:
            next.kind = Expected::To;
            break;
        case Expected::To:
            next.kind = Expected::Weight;
            break;
        default:
            next.kind = Expected::From;
            ++next.edge;
            break;
    }
    return next;
}

// A count and the form of what it counts: One for 1, Few for 2 to 4, Many for any other count, as
// Czech has them (English gives Few and Many alike).
template <Text One, Text Few, Text Many>
std::string counted(std::int64_t n, Language language) {
    const std::string_view forms[] = {One.in(language), Few.in(language), Many.in(language)};
    return number(n) + " " + std::string(forms[n == 1 ? 0 : n >= 2 && n <= 4 ? 1 : 2]);
}

}  // namespace

// Why a read gave no value: what the hint says about it.
std::string Notes::problem(const LineReader& in, LineReader::Got got, int value,
                           const Expected& e) {
    const Language language = err_.language();
    const bool file = source_ == Source::GraphFile;
    const std::string_view text = in.lastRead();
    if (got == LineReader::Got::Number) {
        if ((e.kind == Expected::LoopEdge || e.kind == Expected::CutEdge) && value >= 0 &&
            value < edges_) {  // an edge, but of the other kind
            return e.kind == Expected::LoopEdge
                       ? formatted<texts::kIsTreeEdge>(language, number(value))
                       : formatted<texts::kIsNoTreeEdge>(language, number(value));
        }
        return formatted<texts::kOutOfRange>(language, number(value));
    }
    if (blank(text)) {
        return std::string(file ? texts::kEmptyLine.in(language)
                                : texts::kEmptyAnswer.in(language));
    }
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i])) ++i;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
    if (i < text.size() && isDigit(text[i])) return std::string(texts::kBeyond32Bits.in(language));
    return std::string(texts::kNotANumber.in(language));
}

// The values of the graph description from e on, e included.
std::int64_t Notes::valuesFrom(const Expected& e) const {
    const auto rest = [this, &e](int offset) { return 3 * std::int64_t{edges_ - e.edge} - offset; };
    switch (e.kind) {
        case Expected::NodeCount:
            return 1 + 3 * std::int64_t{edges_};
        case Expected::From:
            return rest(0);
        case Expected::To:
            return rest(1);
        default:
            return rest(2);
    }
}

Notes::Notes(Source source, Output& err, Output* out) : source_(source), err_(err), out_(out) {}

Notes::~Notes() = default;

Output& Notes::text() {
    if (!text_) text_ = std::make_unique<Output>(&pending_);
    text_->speak(err_.language());
    return *text_;
}

std::string Notes::accepts(const Expected& e) {
    const Language language = err_.language();
    switch (e.kind) {
        case Expected::EdgeCount:
            return std::string(texts::kTakesEdgeCount.in(language));
        case Expected::NodeCount:
            return std::string(texts::kTakesNodeCount.in(language));
        case Expected::From:
        case Expected::To:
            return formatted<texts::kTakesNode>(language, number(nodes_ - 1));
        case Expected::Weight:
            return std::string(texts::kTakesWeight.in(language));
        case Expected::Choice:
            return std::string(texts::kTakesChoice.in(language));
        case Expected::Method:
            return std::string(texts::kTakesMethod.in(language));
        default:
            break;
    }
    if (!listed_) {
        // The first few edges the question takes, found once: the hint may come many times.
        listed_ = true;
        int listed = 0;
        for (int i = 0; i < graph_->edgeCount && listed < kListedEdges; ++i) {
            if (graph_->edges[i].inTree != (e.kind == Expected::CutEdge)) continue;
            usableList_ += (listed++ == 0 ? " " : ", ") + number(i);
        }
        if (usable_ > listed)
            usableList_ += formatted<texts::kEdgesInAll>(language, number(usable_));
    }
    return std::string(e.kind == Expected::LoopEdge ? texts::kTakesNonTreeEdge.in(language)
                                                    : texts::kTakesTreeEdge.in(language)) +
           usableList_;
}

void Notes::hint() {
    if (out_ != nullptr) out_->flush();
    err_.write(pending_);
    err_.flush();
    pending_.clear();
}

bool Notes::warning() { return ++warnings_ <= kMaxWarnings; }

void Notes::closeWarnings() {
    if (warnings_ > kMaxWarnings)
        say<texts::kWarningsLeftOut>(number(warnings_ - kMaxWarnings), kMaxWarnings);
    warnings_ = 0;
}

void Notes::refused(const LineReader& in, LineReader::Got got, int value, const Expected& e) {
    const Language language = err_.language();
    const std::string_view read = in.lastRead();
    if (source_ == Source::GraphFile) {
        if (severalNumbers(read) && severalLines_++ == 0) severalLine_ = in.lineNumber();
        if (!warning()) return;
        say<texts::kLineRefused>(lineOf(in), shown(read), problem(in, got, value, e),
                                 field(e, language), accepts(e),
                                 in.endMet() ? texts::kFileEndsWithIt.in(language)
                                             : texts::kNextLineInstead.in(language));
        return;
    }
    if ((e.kind == Expected::LoopEdge || e.kind == Expected::CutEdge) && usable_ == 0) {
        say<texts::kNoAnswerPossible>(shown(read), e.kind == Expected::LoopEdge
                                                       ? texts::kNonTreeKind.in(language)
                                                       : texts::kTreeKind.in(language));
    } else {
        say<texts::kAnswerRefused>(shown(read), problem(in, got, value, e), accepts(e));
    }
    hint();
}

void Notes::refusedYesNo(const LineReader& in) {
    const Language language = err_.language();
    const std::string_view read = in.lastRead();
    say<texts::kAnswerRefused>(
        shown(read),
        blank(read) ? texts::kEmptyAnswer.in(language) : texts::kNotYesOrNo.in(language),
        texts::kTakesYesNo.in(language));
    hint();
}

void Notes::taken(const LineReader& in, int value, const Expected& e) {
    const std::string_view read = in.lastRead();
    if (source_ == Source::GraphFile) {
        if (severalNumbers(read) && severalLines_++ == 0) severalLine_ = in.lineNumber();
        if (!warning()) return;
        if (in.after() == LineReader::After::Cut) {
            say<texts::kLongLineTaken>(lineOf(in), value, field(e, err_.language()));
        } else {
            say<texts::kLineTaken>(lineOf(in), shown(read), value, field(e, err_.language()),
                                   shown(afterNumber(read)));
        }
        return;
    }
    if (in.after() == LineReader::After::Cut) {
        say<texts::kLongAnswerTaken>(value);
    } else {
        say<texts::kAnswerTaken>(shown(read), value, shown(afterNumber(read)));
    }
    hint();
}

std::string Notes::lineOf(const LineReader& in) const {
    std::string line = number(in.lineNumber());
    if (in.continuesLine()) line += texts::kContinued.in(err_.language());
    return line;
}

void Notes::read(const LineReader& in, LineReader::Got got, int value, bool took,
                 const Expected& e) {
    if (took) {
        taken(in, value, e);
    } else {
        refused(in, got, value, e);
    }
}

void Notes::ended(const LineReader& in, bool took, const Expected& e) {
    const Language language = err_.language();
    // The lines of the file: every line break read, and a last line without one.
    const std::int64_t lines = in.linesStarted();
    const bool unbroken = lines > in.lineBreaks();
    closeWarnings();
    if (lines == 0) {
        say<texts::kFileEmpty>();
        return;
    }
    std::string needed;
    Expected next = e;
    if (e.kind == Expected::EdgeCount) {
        needed = texts::kEverythingNeeded.in(language);
    } else {
        std::int64_t values = valuesFrom(e);
        if (took) {
            --values;
            next = following(e);
        }
        if (values == 0) {
            say<texts::kOnlyLineBreakMissing>(number(lines), shown(in.lastRead()));
            return;
        }
        needed = counted<texts::kLine1, texts::kLine2, texts::kLine5>(values, language);
    }
    say<texts::kFileEndsEarly>(number(lines), needed, field(next, language), accepts(next));
    if (severalLines_ > 0) {
        say<texts::kSeveralNumbers>(
            counted<texts::kOnLine1, texts::kOnLine2, texts::kOnLine2>(severalLines_, language),
            number(severalLine_));
    }
    if (unbroken) say<texts::kLastLineUnbroken>();
    say<texts::kLineEnd>();
}

void Notes::tooShort(const LineReader& in, int edges) {
    closeWarnings();
    say<texts::kFileTooShort>(edges, number(in.lineNumber()),
                              counted<texts::kByte1, texts::kByte2, texts::kByte5>(
                                  static_cast<std::int64_t>(in.bytesLeft()), err_.language()));
}

void Notes::cannotOpen(const char* path, int error) {
    // Told by print(), which takes no memory for it: a file that cannot be opened is never
    // told as memory that cannot be had.
    openPath_ = path;
    openError_ = error;
}

void Notes::printCannotOpen() {
    if (openPath_ == nullptr) return;
    const int error = openError_;
    if (error == ENOENT || error == ENOTDIR) {
        err_.print<texts::kNoSuchFile>();
    } else if (error == EACCES) {
        err_.print<texts::kNotReadable>();
    } else if (error == EISDIR) {
        err_.print<texts::kIsDirectory>();
    } else {
        err_.print<texts::kNotOpened>(std::strerror(error));
    }
    // A name that looks like an option: how to give it as a file, and where the options are.
    if (openPath_[0] == '-') {
        err_.print<texts::kNamedLikeOption>();
        err_.write(shownValue(openPath_));
    }
    err_.print<texts::kLineEnd>();
    openPath_ = nullptr;
}

void Notes::edgeQuestion(const CGraph& g, Expected::Kind kind, int usable) {
    graph_ = &g;
    edges_ = g.edgeCount;
    usable_ = usable;
    listed_ = false;
    usableList_.clear();
    if (usable > 0) return;
    const Language language = err_.language();
    say<texts::kNoEdgeToAsk>(kind == Expected::LoopEdge ? texts::kNonTreeKind.in(language)
                                                        : texts::kTreeKind.in(language));
    hint();
}

bool Notes::any() const { return !pending_.empty() || openPath_ != nullptr; }

void Notes::print() {
    printCannotOpen();
    err_.write(pending_);
    err_.flush();
    pending_.clear();
}
