#include "FuzzSupport.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "LineReader.h"
#include "main.h"

namespace fuzz {

MemoryFile::MemoryFile(const char* name) : fd_(memfd_create(name, MFD_CLOEXEC)) {
    if (fd_ < 0) {
        std::perror("memfd_create");
        std::abort();
    }
    path_ = "/proc/self/fd/" + std::to_string(fd_);
}

void MemoryFile::fill(std::string_view bytes) {
    if (ftruncate(fd_, 0) != 0) std::abort();
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t w =
            pwrite(fd_, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
        if (w <= 0) std::abort();
        done += static_cast<std::size_t>(w);
    }
    if (lseek(fd_, 0, SEEK_SET) != 0) std::abort();
}

void Streams::clear() {
    outStream.flush();
    errStream.flush();
    out.clear();
    err.clear();
}

void Streams::flush() {
    outStream.flush();
    errStream.flush();
}

int runKostraTo(const char* graphPath, std::string_view answers, std::string& transcript) {
    static Streams s;
    s.clear();
    LineReader in(answers.data(), answers.size());
    const int status = runKostra(graphPath, in, s.outStream, s.errStream, kLimits);
    s.flush();
    transcript.assign(s.out);
    return status;
}

std::vector<std::string_view> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t nl = text.find('\n');
        if (nl == std::string_view::npos) {
            lines.push_back(text);
            break;
        }
        lines.push_back(text.substr(0, nl));
        text.remove_prefix(nl + 1);
    }
    return lines;
}

void violated(const char* target, const char* what, std::string_view context) {
    std::fprintf(stderr, "%s: %s\n--- context (%zu bytes) ---\n%.*s\n", target, what,
                 context.size(), static_cast<int>(context.size() < 6000 ? context.size() : 6000),
                 context.data());
    std::abort();
}

bool oneMessageAndNotes(std::string_view err, std::string_view start) {
    if (!err.ends_with('\n')) return false;
    int messages = 0;
    for (const std::string_view line : splitLines(err)) {
        if (line.starts_with("VAROVANI: ") || line.starts_with("POZNAMKA: ")) continue;
        if (++messages > 1 || !line.starts_with(start)) return false;
    }
    return messages == 1;
}

}  // namespace fuzz
