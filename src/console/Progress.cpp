#include "Progress.h"

#include <sys/time.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <ctime>

#include "Texts.h"

namespace progress {

namespace detail {
std::atomic<std::int64_t> done{0};
std::atomic<std::int64_t> total{0};
}  // namespace detail

namespace {

static_assert(std::atomic<std::int64_t>::is_always_lock_free, "read in a signal handler");

constexpr long kFirstDrawMicros = 1000000;  // work shorter than this shows nothing
constexpr long kRedrawMicros = 250000;
constexpr std::size_t kLineMax = 120;  // what is drawn stays well within a line of a terminal

// Everything the handler reads. The main code changes it only while the handler cannot draw:
// before the timer is armed, or after it is stopped, or while holding is set.
int terminal = -1;  // standard error, when it is a terminal
bool inputIsTerminal = false;
bool outputIsTerminal = false;
bool handlerInstalled = false;
volatile std::sig_atomic_t active = 0;   // a phase wants its line drawn
volatile std::sig_atomic_t holding = 0;  // a write of the program is under way
volatile std::sig_atomic_t shown = 0;    // characters of the line now on the screen
// The terminal's cursor is at the start of a line, where a line can be drawn and wiped without
// touching anything else on the screen: nothing was written on the terminal yet, or the last
// thing written ended a line, or a person ended a typed line.
volatile std::sig_atomic_t lineStart = 1;
const char* volatile what = nullptr;
const char* volatile unit = nullptr;
// The line's words in its language: the work's two as a phase starts, the one between a count
// and its total as the program says which language it speaks.
Language lineLanguage = Language::Czech;
const char* volatile outOf = texts::kOutOf.cs.text;
timespec started{};

// The appenders of the handler: no allocation, no locale, no stdio.
struct Line {
    char text[kLineMax + 2];
    std::size_t size = 0;
    void put(const char* s) {
        while (*s != '\0' && size < kLineMax) text[size++] = *s++;
    }
    void put(std::int64_t v) {
        char digits[24];
        std::size_t n = 0;
        auto u = static_cast<std::uint64_t>(v < 0 ? 0 : v);
        do {
            digits[n++] = static_cast<char>('0' + u % 10);
            u /= 10;
        } while (u > 0);
        while (n > 0 && size < kLineMax) text[size++] = digits[--n];
    }
};

void writeAll(const char* s, std::size_t n) {
    while (n > 0) {
        const ssize_t w = ::write(terminal, s, n);
        if (w < 0 && errno == EINTR) continue;
        if (w <= 0) return;
        s += w;
        n -= static_cast<std::size_t>(w);
    }
}

// Overwrites the line on the screen with blanks and puts the cursor back where it began.
void wipe() {
    const auto n = static_cast<std::size_t>(shown);
    if (n == 0) return;
    char blanks[kLineMax + 2];
    blanks[0] = '\r';
    std::memset(blanks + 1, ' ', n);
    blanks[n + 1] = '\r';
    writeAll(blanks, n + 2);
    shown = 0;
}

void draw(int /*signal*/) {
    if (active == 0 || holding != 0 || lineStart == 0) return;
    const int savedErrno = errno;
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    const std::int64_t seconds =
        now.tv_sec - started.tv_sec - (now.tv_nsec < started.tv_nsec ? 1 : 0);
    Line line;
    line.put("\r");
    line.put(what);
    const std::int64_t t = detail::total.load(std::memory_order_relaxed);
    if (unit != nullptr && t > 0) {
        const std::int64_t d = detail::done.load(std::memory_order_relaxed);
        line.put(", ");
        line.put(unit);
        line.put(" ");
        line.put(d);
        line.put(outOf);
        line.put(t);
        line.put(" (");
        line.put(d * 100 / t);
        line.put(" %)");
    }
    line.put(", ");
    line.put(seconds);
    line.put(" s");
    // Blanks over what a longer line before left on the screen.
    const auto drawn = static_cast<std::sig_atomic_t>(line.size - 1);
    for (std::sig_atomic_t k = drawn; k < shown && line.size < kLineMax; ++k) line.put(" ");
    writeAll(line.text, line.size);
    shown = static_cast<std::sig_atomic_t>(line.size - 1);
    errno = savedErrno;
}

// Writes on fd show on the terminal of the line.
bool onTerminal(int fd) { return fd == terminal || (fd == STDOUT_FILENO && outputIsTerminal); }

void arm(long firstMicros, long everyMicros) {
    itimerval timer{};
    timer.it_value.tv_sec = firstMicros / 1000000;
    timer.it_value.tv_usec = firstMicros % 1000000;
    timer.it_interval.tv_sec = everyMicros / 1000000;
    timer.it_interval.tv_usec = everyMicros % 1000000;
    ::setitimer(ITIMER_REAL, &timer, nullptr);
}

}  // namespace

void speak(Language language) {
    lineLanguage = language;
    outOf = language == Language::English ? texts::kOutOf.en.text : texts::kOutOf.cs.text;
}

void showOn(int fd) {
    if (::isatty(fd) == 0) return;
    terminal = fd;
    inputIsTerminal = ::isatty(STDIN_FILENO) != 0;
    outputIsTerminal = ::isatty(STDOUT_FILENO) != 0;
}

Phase::Phase(const Work& work) {
    if (terminal < 0 || (work.readsInput && inputIsTerminal) ||
        (work.writesOutput && outputIsTerminal))
        return;
    if (!handlerInstalled) {
        struct sigaction action {};
        action.sa_handler = draw;
        action.sa_flags = SA_RESTART;  // a read or write the signal lands in goes on
        sigemptyset(&action.sa_mask);
        if (::sigaction(SIGALRM, &action, nullptr) != 0) return;
        handlerInstalled = true;
    }
    const bool english = lineLanguage == Language::English;
    what = english ? work.what.english : work.what.czech;
    unit = english ? work.unit.english : work.unit.czech;
    // Work starts after an answer; typed at the terminal, its line break is on the screen.
    if (inputIsTerminal) lineStart = 1;
    detail::done.store(0, std::memory_order_relaxed);
    detail::total.store(0, std::memory_order_relaxed);
    ::clock_gettime(CLOCK_MONOTONIC, &started);
    std::atomic_signal_fence(std::memory_order_seq_cst);
    active = 1;
    arm(kFirstDrawMicros, kRedrawMicros);
    shown_ = true;
}

Phase::~Phase() {
    if (!shown_) return;
    active = 0;
    std::atomic_signal_fence(std::memory_order_seq_cst);
    arm(0, 0);  // a signal already due is handled before this returns, and draws nothing
    wipe();
}

void writing(int fd) {
    if (terminal < 0 || !onTerminal(fd)) return;
    holding = 1;
    std::atomic_signal_fence(std::memory_order_seq_cst);
    wipe();
}

void written(int fd, bool endsLine) {
    if (terminal < 0 || !onTerminal(fd)) return;
    lineStart = endsLine ? 1 : 0;
    std::atomic_signal_fence(std::memory_order_seq_cst);
    holding = 0;
}

}  // namespace progress
