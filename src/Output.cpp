#include "Output.h"

#include <unistd.h>

#include <cerrno>

Output::Output(int fd) : fd_(fd), buf_(new char[kCapacity]) {}

Output::Output(std::string* target) : target_(target), buf_(new char[kCapacity]) {}

Output::~Output() {
    flush();
    delete[] buf_;
}

bool Output::flush() {
    writeOut(buf_, len_);
    len_ = 0;
    return !failed_;
}

void Output::writeOut(const char* s, std::size_t n) {
    if (failed_ || n == 0) return;
    if (target_ != nullptr) {
        target_->append(s, n);
        return;
    }
    while (n > 0) {
        const ssize_t w = ::write(fd_, s, n);
        if (w < 0 && errno == EINTR) continue;
        if (w <= 0) {
            failed_ = true;  // a full disk, a closed descriptor: the run ends with its own status
            return;
        }
        s += w;
        n -= static_cast<std::size_t>(w);
    }
}
