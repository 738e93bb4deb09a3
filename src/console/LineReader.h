// Reads numbers and answers the way a line buffer of 256 characters reads them: one read takes
// at most 255 characters and stops after a line break, so a longer line is consumed by several
// reads, each of which counts as a line of its own. A number is taken from the start of a read
// like "%d" takes it: leading white space is skipped, then an optional sign and decimal digits;
// the rest of the read is ignored.
//
// The data comes through a large buffer (a graph of ten million edges is thirty million reads),
// but a read never waits for more input than it needs: at a terminal the reader returns as soon
// as a line has been typed, and it flushes the output it is tied to before it waits, so the
// question is on the screen first. When the large buffer cannot be had, a small one inside the
// object serves instead: the reads are the same, only the pieces taken from the source smaller.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

class Output;

class LineReader {
public:
    static constexpr std::size_t kReadMax = 255;  // characters per read, the line break included

    enum class Got {
        Number,    // the read holds a 32-bit integer, stored in the target
        NoNumber,  // the read holds no integer, or one outside the 32-bit range
        Nothing,   // there was nothing left to read
    };

    // What follows the number of a read that held one.
    enum class After {
        Blanks,  // only blanks up to the line break or the end of the data
        Text,    // anything else: "2.5", "4.7k", "1O", "0 1 4"
        Cut,     // only blanks, but the read ends at kReadMax characters: the line goes on
    };

    static constexpr std::uint64_t kUnknownSize = UINT64_MAX;

    // Reads the file descriptor fd (not owned); flushes *tied, if given, before each wait.
    explicit LineReader(int fd, Output* tied = nullptr);
    // Reads size bytes at data, which must outlive the reader.
    LineReader(const char* data, std::size_t size);
    ~LineReader();
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    // One read, parsed as a number. The target is written only for Got::Number.
    Got readInt(int& value);
    // One read; its first character goes to *first. False when there was nothing left.
    bool readFirst(char& first);
    // True once a read has run into the end of the data (a read error counts as the end).
    bool endMet() const { return endMet_; }
    // The bytes of the source the reads so far have taken: where the next read starts.
    std::size_t taken() const { return static_cast<std::size_t>(base_ + pos_); }

    // About the last read, for a message that quotes it; valid until the next read.
    // It was the usual line: its number, right before its line break.
    bool plain() const { return plain_; }
    // What followed its number (after a read that gave Got::Number).
    After after() const { return plain_ ? After::Blanks : after_; }
    // Its characters, without its line break.
    std::string_view lastRead() const;
    // The line of the data it started on, counted from 1; a long line's later reads have its
    // number too.
    std::int64_t lineNumber() const;
    // The line breaks read so far.
    std::int64_t lineBreaks() const { return lines_; }
    // The lines that reads have started: one for every line break read, and one more when the
    // reads stopped inside a line (at kReadMax characters, or at the end of the data).
    std::int64_t linesStarted() const {
        return lines_ + (unbrokenEnd_ || base_ + pos_ == continued_ ? 1 : 0);
    }
    // It started inside a line, where the read before it stopped at kReadMax characters.
    bool continuesLine() const { return base_ + start_ == continued_; }
    // How many bytes are left after it, when the size of the data is known (a regular file whose
    // size was given with knowSize, or data in memory); kUnknownSize otherwise.
    std::uint64_t bytesLeft() const;
    // The data is a file of this many bytes.
    void knowSize(std::uint64_t bytes) { knownSize_ = bytes; }

private:
    // Makes one whole read available at data_ + pos_: a line break within the next kReadMax
    // characters, kReadMax characters, or everything that is left. False when nothing is left.
    bool prepare();
    // Ends the read that started at p and was parsed as far as p + i: it runs to the line break,
    // or kReadMax characters, or the end of the data (which it then notes as met). readInt ends
    // the usual read, a number right before its line break, itself.
    void finish(const char* p, std::size_t i, std::size_t avail);
    bool lineAhead() const;
    void refill();

    static constexpr std::size_t kSpareSize = 4096;  // the buffer inside the object
    static_assert(kSpareSize > kReadMax);

    int fd_ = -1;
    Output* tied_ = nullptr;
    std::uint64_t knownSize_ = kUnknownSize;  // of the whole data
    std::uint64_t base_ = 0;                  // bytes of the data before data_[0]
    std::int64_t lines_ = 0;                  // line breaks taken by reads
    std::uint64_t continued_ = kUnknownSize;  // where a read cut at kReadMax ended
    std::size_t start_ = 0;                   // of the last read, at data_
    bool plain_ = false;
    After after_ = After::Blanks;  // when not plain_
    bool unbrokenEnd_ = false;     // a read ran into the end of the data inside a line
    char* own_ = nullptr;          // the buffer, when reading a descriptor
    std::size_t size_ = 0;         // of the buffer
    const char* data_ = nullptr;
    std::size_t pos_ = 0;   // start of the next read
    std::size_t len_ = 0;   // bytes available at data_
    bool drained_ = false;  // the source has nothing more to give
    bool endMet_ = false;
    char spare_[kSpareSize];
};
