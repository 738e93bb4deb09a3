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
    : knownSize_(size), data_(data), len_(size), drained_(true) {}

LineReader::~LineReader() {
    if (own_ != spare_) delete[] own_;
}

LineReader::Got LineReader::readInt(int& value) {
    if (!prepare()) return Got::Nothing;
    start_ = pos_;
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
    if (i < avail && p[i] == '\n') {  // the usual line: the number, then its line break
        plain_ = true;
        ++lines_;
        pos_ += i + 1;
    } else {
        finish(p, i, avail);
    }
    if (!valid) return Got::NoNumber;
    value = negative ? static_cast<int>(0 - magnitude) : static_cast<int>(magnitude);
    return Got::Number;
}

bool LineReader::readFirst(char& first) {
    if (!prepare()) return false;
    start_ = pos_;
    const char* p = data_ + pos_;
    first = p[0];
    finish(p, 0, len_ - pos_ < kReadMax ? len_ - pos_ : kReadMax);
    return true;
}

void LineReader::finish(const char* p, std::size_t i, std::size_t avail) {
    plain_ = false;
    const char* nl = static_cast<const char*>(std::memchr(p + i, '\n', avail - i));
    const std::size_t end = nl != nullptr ? static_cast<std::size_t>(nl - p) : avail;
    std::size_t k = i;
    while (k < end && isBlank(p[k])) ++k;
    after_ = k < end ? After::Text : After::Blanks;
    if (nl != nullptr) {
        ++lines_;
        pos_ += end + 1;
        return;
    }
    pos_ += avail;
    if (avail < kReadMax) {
        endMet_ = true;  // short of kReadMax without a line break: nothing more to read
        unbrokenEnd_ = true;
        return;
    }
    continued_ = base_ + pos_;
    if (after_ == After::Blanks) after_ = After::Cut;
}

std::string_view LineReader::lastRead() const {
    std::size_t end = pos_;
    if (end > start_ && data_[end - 1] == '\n') --end;
    return {data_ + start_, end - start_};
}

std::int64_t LineReader::lineNumber() const {
    // lines_ counts the line break that ended the last read, if it had one.
    return pos_ > start_ && data_[pos_ - 1] == '\n' ? lines_ : lines_ + 1;
}

std::uint64_t LineReader::bytesLeft() const {
    const std::uint64_t taken = base_ + pos_;
    if (knownSize_ == kUnknownSize) return kUnknownSize;
    return knownSize_ > taken ? knownSize_ - taken : 0;
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
    base_ += pos_;
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
