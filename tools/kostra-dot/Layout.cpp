#include "Layout.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <new>
#include <string>

#include "Output.h"
#include "Texts.h"

namespace {

// A descriptor that closes itself.
class Fd {
public:
    Fd() = default;
    ~Fd() { close(); }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;

    int get() const { return fd_; }
    bool open() const { return fd_ >= 0; }
    void reset(int fd) {
        close();
        fd_ = fd;
    }
    void close() {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
    }

private:
    int fd_ = -1;
};

// A pipe with both ends closed on exec (the child gets its end by dup2, which clears the flag) and
// above the standard descriptors, so that placing the child's ends on 0, 1 and 2 cannot overwrite
// one of them. False when the system has no descriptor left.
bool makePipe(Fd& readEnd, Fd& writeEnd) {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) return false;
    for (int& fd : fds) {
        if (fd > STDERR_FILENO) continue;
        const int moved = ::fcntl(fd, F_DUPFD_CLOEXEC, STDERR_FILENO + 1);
        ::close(fd);
        fd = moved;
    }
    readEnd.reset(fds[0]);
    writeEnd.reset(fds[1]);
    return readEnd.open() && writeEnd.open();
}

// While dot runs, a write into its standard input after it has stopped reading fails with EPIPE
// instead of ending this process; the program's own output keeps the ordinary Unix behaviour.
class SigpipeIgnored {
public:
    SigpipeIgnored() {
        struct sigaction ignore = {};
        ignore.sa_handler = SIG_IGN;
        sigemptyset(&ignore.sa_mask);
        sigaction(SIGPIPE, &ignore, &old_);
    }
    ~SigpipeIgnored() { sigaction(SIGPIPE, &old_, nullptr); }
    SigpipeIgnored(const SigpipeIgnored&) = delete;
    SigpipeIgnored& operator=(const SigpipeIgnored&) = delete;

private:
    struct sigaction old_ = {};
};

// The child process: killed and reaped when the exchange is left before it ended (memory ran
// out), so that no process outlives the run.
class Child {
public:
    Child() = default;
    ~Child() {
        if (pid_ <= 0) return;
        ::kill(pid_, SIGKILL);
        waitForEnd();
    }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    // posix_spawnp's error number, 0 when dot runs, with the layout engine named (-K).
    int spawn(const Fd& in, const Fd& out, const Fd& err, Engine engine) {
        posix_spawn_file_actions_t actions;
        posix_spawnattr_t attributes;
        if (posix_spawn_file_actions_init(&actions) != 0) throw std::bad_alloc();
        if (posix_spawnattr_init(&attributes) != 0) {
            posix_spawn_file_actions_destroy(&actions);
            throw std::bad_alloc();
        }
        sigset_t none;
        sigemptyset(&none);
        sigset_t pipe;
        sigemptyset(&pipe);
        sigaddset(&pipe, SIGPIPE);
        int rc = posix_spawn_file_actions_adddup2(&actions, in.get(), STDIN_FILENO);
        if (rc == 0) rc = posix_spawn_file_actions_adddup2(&actions, out.get(), STDOUT_FILENO);
        if (rc == 0) rc = posix_spawn_file_actions_adddup2(&actions, err.get(), STDERR_FILENO);
        if (rc == 0) rc = posix_spawnattr_setsigmask(&attributes, &none);
        if (rc == 0) rc = posix_spawnattr_setsigdefault(&attributes, &pipe);
        if (rc == 0) {
            rc = posix_spawnattr_setflags(&attributes,
                                          POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
        }
        char name[] = "dot";
        char format[] = "-Tsvg";
        std::string chosen = "-K";
        chosen += engineName(engine);
        char* argv[] = {name, format, chosen.data(), nullptr};
        if (rc == 0) rc = posix_spawnp(&pid_, name, &actions, &attributes, argv, environ);
        posix_spawnattr_destroy(&attributes);
        posix_spawn_file_actions_destroy(&actions);
        if (rc != 0) pid_ = -1;
        if (rc == ENOMEM) throw std::bad_alloc();
        return rc;
    }

    // Waits for the child's end; its wait status.
    int waitForEnd() {
        int status = 0;
        while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
        }
        pid_ = -1;
        return status;
    }

private:
    pid_t pid_ = -1;
};

// Feeds dot the drawing and collects what it writes, until it has closed both its outputs.
// dot's standard error is read and dropped: the one line that explains a failure is this
// program's.
void exchange(std::string_view dot, Fd& toDot, Fd& fromDot, Fd& dotErrors, std::string& svg) {
    constexpr std::size_t kPiece = std::size_t{1} << 16;
    char dropped[kPiece];  // dot's standard error
    std::size_t sent = 0;
    if (dot.empty()) toDot.close();
    if (toDot.open()) ::fcntl(toDot.get(), F_SETFL, O_NONBLOCK);
    while (fromDot.open() || dotErrors.open()) {
        pollfd watched[3];
        nfds_t count = 0;
        Fd* owners[3];
        for (Fd* fd : {&toDot, &fromDot, &dotErrors}) {
            if (!fd->open()) continue;
            watched[count] = {fd->get(), static_cast<short>(fd == &toDot ? POLLOUT : POLLIN), 0};
            owners[count++] = fd;
        }
        if (::poll(watched, count, -1) < 0) {
            if (errno == EINTR || errno == EAGAIN) continue;
            break;  // the ends are closed below: dot then ends too, and its status tells
        }
        for (nfds_t i = 0; i < count; ++i) {
            if (watched[i].revents == 0) continue;
            Fd& fd = *owners[i];
            if (&fd == &toDot) {
                const std::size_t piece = std::min(kPiece, dot.size() - sent);
                const ssize_t w = ::write(fd.get(), dot.data() + sent, piece);
                if (w > 0) sent += static_cast<std::size_t>(w);
                // dot stopped reading (EPIPE) or the drawing is all there: its input ends.
                if (sent == dot.size() || (w < 0 && errno != EINTR && errno != EAGAIN)) fd.close();
                continue;
            }
            ssize_t r = 0;
            if (&fd == &fromDot) {
                // Read straight into the SVG, grown by doubling whatever the sizes of the pieces,
                // so that how often it grows depends on its length alone.
                if (svg.capacity() - svg.size() < kPiece)
                    svg.reserve(std::max(2 * svg.capacity(), svg.size() + kPiece));
                const std::size_t had = svg.size();
                svg.resize(had + kPiece);
                r = ::read(fd.get(), svg.data() + had, kPiece);
                svg.resize(had + static_cast<std::size_t>(std::max<ssize_t>(r, 0)));
            } else {
                r = ::read(fd.get(), dropped, kPiece);
            }
            if (r == 0 || (r < 0 && errno != EINTR && errno != EAGAIN)) fd.close();
        }
    }
    toDot.close();
    fromDot.close();
    dotErrors.close();
}

// The <svg> element of dot's output, or false when the output is not one: before it only the XML
// declaration, a doctype, comments and white space, after it only white space.
bool takeSvgElement(std::string& text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
    std::size_t at = 0;
    for (;;) {
        while (at < text.size() && blank(text[at])) ++at;
        const std::string_view rest = std::string_view(text).substr(at);
        std::size_t end = std::string_view::npos;
        if (rest.starts_with("<?xml")) {
            end = rest.find("?>");
            if (end != std::string_view::npos) end += 2;
        } else if (rest.starts_with("<!--")) {
            end = rest.find("-->");
            if (end != std::string_view::npos) end += 3;
        } else if (rest.starts_with("<!DOCTYPE")) {
            end = rest.find('>');
            if (end != std::string_view::npos) end += 1;
        } else {
            break;
        }
        if (end == std::string_view::npos) return false;
        at += end;
    }
    const std::string_view open = std::string_view(text).substr(at);
    if (!open.starts_with("<svg") || open.size() < 5 || (open[4] != '>' && !blank(open[4])))
        return false;
    std::size_t close = text.rfind("</svg>");
    if (close == std::string::npos || close < at) return false;
    close += 6;
    for (std::size_t i = close; i < text.size(); ++i) {
        if (!blank(text[i])) return false;
    }
    text.erase(close);
    text.erase(0, at);
    return true;
}

}  // namespace

bool layOut(std::string_view dot, std::string& svg, Output& err, Engine engine) {
    svg.clear();
    Fd childIn;
    Fd toDot;
    Fd fromDot;
    Fd childOut;
    Fd dotErrors;
    Fd childErr;
    if (!makePipe(childIn, toDot) || !makePipe(fromDot, childOut) ||
        !makePipe(dotErrors, childErr)) {
        err.print<texts::kDotNoDescriptors>();
        return false;
    }
    const SigpipeIgnored quiet;
    Child child;
    const int spawned = child.spawn(childIn, childOut, childErr, engine);
    if (spawned == ENOENT || spawned == ENOTDIR) {
        err.print<texts::kDotNotFound>();
        return false;
    }
    if (spawned != 0) {
        err.print<texts::kDotNotStarted>();
        return false;
    }
    childIn.close();
    childOut.close();
    childErr.close();
    exchange(dot, toDot, fromDot, dotErrors, svg);
    const int status = child.waitForEnd();
    if (WIFSIGNALED(status)) {
        err.print<texts::kDotSignalled>(WTERMSIG(status));
        return false;
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        err.print<texts::kDotFailed>(WEXITSTATUS(status));
        return false;
    }
    if (!takeSvgElement(svg)) {
        err.print<texts::kDotNoSvg>();
        return false;
    }
    return true;
}
