#include "Output.h"

#include <unistd.h>

#include <cerrno>
#include <new>

#include "Progress.h"

Output::Output(int fd) : fd_(fd) { takeBuffer(); }

Output::Output(std::string* target) : target_(target) { takeBuffer(); }

Output::~Output() {
    // A string that cannot grow any more keeps what it has: a destructor must not throw.
    try {
        flush();
    } catch (const std::bad_alloc&) {
    }
    if (buf_ != spare_) delete[] buf_;
}

void Output::takeBuffer() {
    buf_ = new (std::nothrow) char[kCapacity];
    capacity_ = kCapacity;
    if (buf_ == nullptr) {
        buf_ = spare_;
        capacity_ = kSpareCapacity;
    }
}

bool Output::flush() {
    const std::size_t n = len_;
    len_ = 0;  // first: a string target that cannot grow throws, and the text is not kept
    writeOut(buf_, n);
    return !failed_;
}

void Output::writeOut(const char* s, std::size_t n) {
    if (failed_ || n == 0) return;
    if (target_ != nullptr) {
        target_->append(s, n);
        return;
    }
    progress::writing(fd_);
    const bool endsLine = s[n - 1] == '\n';
    while (n > 0) {
        const ssize_t w = ::write(fd_, s, n);
        if (w < 0 && errno == EINTR) continue;
        if (w <= 0) {
            failed_ = true;  // a full disk, a closed descriptor: the run ends with its own status
            break;
        }
        s += w;
        n -= static_cast<std::size_t>(w);
    }
    progress::written(fd_, endsLine);
}
