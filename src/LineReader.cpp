#include "LineReader.h"

#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <new>

#include "Output.h"

namespace {

constexpr std::size_t kBufferSize = std::size_t{1} << 20;

// White space as "%d" skips it; a line break can only end a read, so it is handled there.
bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r'; }
bool isDigit(char c) { return static_cast<unsigned char>(c - '0') < 10; }

}  // namespace

LineReader::LineReader(int fd, Output* tied)
    : fd_(fd), tied_(tied), own_(new (std::nothrow) char[kBufferSize]), size_(kBufferSize) {
    if (own_ == nullptr) {
        own_ = spare_;
        size_ = kSpareSize;
    }
    data_ = own_;
}

LineReader::LineReader(const char* data, std::size_t size)
    : data_(data), len_(size), drained_(true) {}

LineReader::~LineReader() {
    if (own_ != spare_) delete[] own_;
}

LineReader::Got LineReader::readInt(int& value) {
    if (!prepare()) return Got::Nothing;
    const char* p = data_ + pos_;
    const std::size_t avail = len_ - pos_ < kReadMax ? len_ - pos_ : kReadMax;
    std::size_t i = 0;
    while (i < avail && isBlank(p[i])) ++i;
    bool negative = false;
    if (i < avail && (p[i] == '-' || p[i] == '+')) {
        negative = p[i] == '-';
        ++i;
    }
    const std::size_t firstDigit = i;
    std::uint64_t magnitude = 0;
    for (; i < avail && isDigit(p[i]); ++i) {
        if (magnitude <= 2147483648U)  // beyond that it is out of range whatever follows
            magnitude = magnitude * 10 + static_cast<unsigned>(p[i] - '0');
    }
    const bool valid = i > firstDigit && magnitude <= (negative ? 2147483648U : 2147483647U);
    finish(p, i, avail);
    if (!valid) return Got::NoNumber;
    value = negative ? static_cast<int>(0 - magnitude) : static_cast<int>(magnitude);
    return Got::Number;
}

bool LineReader::readFirst(char& first) {
    if (!prepare()) return false;
    const char* p = data_ + pos_;
    first = p[0];
    finish(p, 0, len_ - pos_ < kReadMax ? len_ - pos_ : kReadMax);
    return true;
}

void LineReader::finish(const char* p, std::size_t i, std::size_t avail) {
    const char* nl = i < avail && p[i] == '\n'
                         ? p + i
                         : static_cast<const char*>(std::memchr(p + i, '\n', avail - i));
    if (nl != nullptr) {
        pos_ += static_cast<std::size_t>(nl - p) + 1;
        return;
    }
    pos_ += avail;
    // Short of kReadMax without a line break: prepare() found nothing more to read.
    if (avail < kReadMax) endMet_ = true;
}

bool LineReader::lineAhead() const {
    const std::size_t left = len_ - pos_;
    return left >= kReadMax || std::memchr(data_ + pos_, '\n', left) != nullptr;
}

bool LineReader::prepare() {
    if (len_ - pos_ < kReadMax && !drained_ && !lineAhead()) refill();
    if (pos_ == len_) {
        endMet_ = true;
        return false;
    }
    return true;
}

void LineReader::refill() {
    const std::size_t left = len_ - pos_;
    std::memmove(own_, own_ + pos_, left);
    dropped_ += pos_;
    pos_ = 0;
    len_ = left;
    while (!drained_ && !lineAhead()) {
        // The question must be on the screen before the wait; when it cannot be written, no
        // one can answer it, and the run ends as at the end of input.
        if (tied_ != nullptr && !tied_->flush()) {
            drained_ = true;
            break;
        }
        const ssize_t r = ::read(fd_, own_ + len_, size_ - len_);
        if (r > 0) {
            len_ += static_cast<std::size_t>(r);
        } else if (r < 0 && errno == EINTR) {
            continue;
        } else {
            drained_ = true;  // the end of the data, or a read error, which counts as the end
        }
    }
}
