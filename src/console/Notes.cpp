#include "Notes.h"

#include <cerrno>
#include <charconv>
#include <cstring>
#include <string_view>

#include "CGraph.h"
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
// colon ("pocet uzlu", "hrana 3 od uzlu").
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

// Czech counts: 1 radek, 2 to 4 radky, 0 or 5 and more radku.
std::string counted(std::int64_t n, const char* one, const char* few, const char* many) {
    return number(n) + " " + (n == 1 ? one : (n >= 2 && n <= 4 ? few : many));
}

}  // namespace

// Why a read gave no value: what the hint says about it.
std::string Notes::problem(const LineReader& in, LineReader::Got got, int value,
                           const Expected& e) {
    const bool file = source_ == Source::GraphFile;
    const std::string_view text = in.lastRead();
    if (got == LineReader::Got::Number) {
        if ((e.kind == Expected::LoopEdge || e.kind == Expected::CutEdge) && value >= 0 &&
            value < edges_) {  // an edge, but of the other kind
            return "hrana " + number(value) +
                   (e.kind == Expected::LoopEdge ? " je kostrova" : " neni kostrova");
        }
        return number(value) + " je mimo rozsah";
    }
    if (blank(text)) return file ? "prazdny radek" : "prazdna odpoved";
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i])) ++i;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
    if (i < text.size() && isDigit(text[i])) return "cislo mimo rozsah -2147483648 az 2147483647";
    return "neni cislo";
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
    return *text_;
}

std::string Notes::accepts(const Expected& e) {
    switch (e.kind) {
        case Expected::EdgeCount:
            return "cele cislo 0 az 2147483647";
        case Expected::NodeCount:
            return "cele cislo 1 az 2147483647";
        case Expected::From:
        case Expected::To:
            return "cislo uzlu 0 az " + number(nodes_ - 1);
        case Expected::Weight:
            return "cele cislo -2147483648 az 2147483647";
        case Expected::Choice:
            return "cislo ulohy 1 az 5";
        case Expected::Method:
            return "cislo metody 1 az 3";
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
        if (usable_ > listed) usableList_ += ", ... (celkem " + number(usable_) + ")";
    }
    return (e.kind == Expected::LoopEdge ? "cislo nekostrove hrany:" : "cislo kostrove hrany:") +
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
    if (warnings_ > kMaxWarnings) {
        say<"VAROVANI: dalsich %s varovani se nevypisuje (jen prvnich %d)\n">(
            number(warnings_ - kMaxWarnings), kMaxWarnings);
    }
    warnings_ = 0;
}

void Notes::refused(const LineReader& in, LineReader::Got got, int value, const Expected& e) {
    const std::string_view read = in.lastRead();
    if (source_ == Source::GraphFile) {
        if (severalNumbers(read) && severalLines_++ == 0) severalLine_ = in.lineNumber();
        if (!warning()) return;
        say<"VAROVANI: radek %s \"%s\": %s, ocekava se %s (%s); %s\n">(
            lineOf(in), shown(read), problem(in, got, value, e), field(e, err_.language()),
            accepts(e), in.endMet() ? "soubor jim konci" : "misto nej se cte dalsi radek");
        return;
    }
    if ((e.kind == Expected::LoopEdge || e.kind == Expected::CutEdge) && usable_ == 0) {
        say<"POZNAMKA: odpoved \"%s\" nebyla prijata; graf nema zadnou %s hranu, na otazku neni "
            "platna odpoved (konec vstupu: Ctrl-D)\n">(
            shown(read), e.kind == Expected::LoopEdge ? "nekostrovou" : "kostrovou");
    } else {
        say<"POZNAMKA: odpoved \"%s\" nebyla prijata (%s); otazka prijima %s\n">(
            shown(read), problem(in, got, value, e), accepts(e));
    }
    hint();
}

void Notes::refusedYesNo(const LineReader& in) {
    const std::string_view read = in.lastRead();
    say<"POZNAMKA: odpoved \"%s\" nebyla prijata (%s); otazka prijima %s\n">(
        shown(read), blank(read) ? "prazdna odpoved" : "nezacina pismenem a ani n",
        "a (ano) nebo n (ne), malym pismenem na zacatku radku");
    hint();
}

void Notes::taken(const LineReader& in, int value, const Expected& e) {
    const std::string_view read = in.lastRead();
    if (source_ == Source::GraphFile) {
        if (severalNumbers(read) && severalLines_++ == 0) severalLine_ = in.lineNumber();
        if (!warning()) return;
        if (in.after() == LineReader::After::Cut) {
            say<"VAROVANI: radek %s je delsi nez 255 znaku: bere se %d jako %s a zbytek radku se "
                "cte jako dalsi radek\n">(lineOf(in), value, field(e, err_.language()));
        } else {
            say<"VAROVANI: radek %s \"%s\": bere se %d jako %s, zbytek radku \"%s\" se nebere v "
                "uvahu\n">(lineOf(in), shown(read), value, field(e, err_.language()),
                           shown(afterNumber(read)));
        }
        return;
    }
    if (in.after() == LineReader::After::Cut) {
        say<"POZNAMKA: odpoved je delsi nez 255 znaku: bere se %d a zbytek se cte jako dalsi "
            "odpoved\n">(value);
    } else {
        say<"POZNAMKA: z odpovedi \"%s\" se bere %d, zbytek \"%s\" se nebere v uvahu\n">(
            shown(read), value, shown(afterNumber(read)));
    }
    hint();
}

std::string Notes::lineOf(const LineReader& in) {
    return number(in.lineNumber()) + (in.continuesLine() ? " (pokracovani)" : "");
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
    // The lines of the file: every line break read, and a last line without one.
    const std::int64_t lines = in.linesStarted();
    const bool unbroken = lines > in.lineBreaks();
    closeWarnings();
    if (lines == 0) {
        say<"POZNAMKA: soubor je prazdny; graf zacina poctem hran a poctem uzlu, kazdy na svem "
            "radku\n">();
        return;
    }
    std::string needed;
    Expected next = e;
    if (e.kind == Expected::EdgeCount) {
        needed = "pocet hran, pocet uzlu a tri radky za kazdou hranu";
    } else {
        std::int64_t values = valuesFrom(e);
        if (took) {
            --values;
            next = following(e);
        }
        if (values == 0) {
            say<"POZNAMKA: posledni radek %s (\"%s\") nema znak konce radku; graf je jinak uplny, "
                "staci pridat konec radku na konec souboru\n">(number(lines), shown(in.lastRead()));
            return;
        }
        needed = counted(values, "radek", "radky", "radku");
    }
    say<"POZNAMKA: soubor konci radkem %s, graf ale potrebuje jeste %s; prvni chybi %s (%s)">(
        number(lines), needed, field(next, err_.language()), accepts(next));
    if (severalLines_ > 0) {
        say<"; na %s je vic cisel (poprve na radku %s), soubor ale ma mit na kazdem radku jen "
            "jednu hodnotu: pocet hran, pocet uzlu, pak od, do a vahu kazde hrany pod sebou">(
            counted(severalLines_, "radku", "radcich", "radcich"), number(severalLine_));
    }
    if (unbroken) say<"; posledni radek navic nema znak konce radku">();
    say<"\n">();
}

void Notes::tooShort(const LineReader& in, int edges) {
    closeWarnings();
    say<"POZNAMKA: pocet hran je %d, po radku %s ale soubor obsahuje uz jen %s; kazda hrana "
        "potrebuje tri radky, tedy aspon 6 bajtu\n">(
        edges, number(in.lineNumber()),
        counted(static_cast<std::int64_t>(in.bytesLeft()), "bajt", "bajty", "bajtu"));
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
        err_.print<"POZNAMKA: soubor neexistuje">();
    } else if (error == EACCES) {
        err_.print<"POZNAMKA: soubor nelze cist, chybi pravo cteni">();
    } else if (error == EISDIR) {
        err_.print<"POZNAMKA: to je adresar, graf se cte ze souboru">();
    } else {
        err_.print<"POZNAMKA: system soubor neotevrel (%s)">(std::strerror(error));
    }
    // A name that looks like an option: how to give it as a file, and where the options are.
    if (openPath_[0] == '-') {
        err_.print<
            "; napovedu vypise volba --help, soubor se jmenem od znaku - se zadava jako ./">();
        // The name as it is, but for a control character, which would break the line.
        for (const char* c = openPath_; *c != '\0'; ++c) {
            const bool control = static_cast<unsigned char>(*c) < 0x20 || *c == 0x7F;
            err_.write(control ? "?" : c, 1);
        }
    }
    err_.print<"\n">();
    openPath_ = nullptr;
}

void Notes::edgeQuestion(const CGraph& g, Expected::Kind kind, int usable) {
    graph_ = &g;
    edges_ = g.edgeCount;
    usable_ = usable;
    listed_ = false;
    usableList_.clear();
    if (usable > 0) return;
    say<"POZNAMKA: graf nema zadnou %s hranu, na nasledujici otazku proto neni platna odpoved; "
        "ukoncete vstup klavesami Ctrl-D\n">(kind == Expected::LoopEdge ? "nekostrovou"
                                                                        : "kostrovou");
    hint();
}

bool Notes::onlyNotes(std::string_view text) {
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        if (end == std::string_view::npos) return false;
        if (!text.starts_with("VAROVANI: ") && !text.starts_with("POZNAMKA: ")) return false;
        text.remove_prefix(end + 1);
    }
    return true;
}

bool Notes::any() const { return !pending_.empty() || openPath_ != nullptr; }

void Notes::print() {
    printCannotOpen();
    err_.write(pending_);
    err_.flush();
    pending_.clear();
}
