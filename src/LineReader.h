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

class Output;

class LineReader {
public:
    static constexpr std::size_t kReadMax = 255;  // characters per read, the line break included

    enum class Got {
        Number,    // the read holds a 32-bit integer, stored in the target
        NoNumber,  // the read holds no integer, or one outside the 32-bit range
        Nothing,   // there was nothing left to read
    };

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
    std::size_t taken() const { return dropped_ + pos_; }

private:
    // Makes one whole read available at data_ + pos_: a line break within the next kReadMax
    // characters, kReadMax characters, or everything that is left. False when nothing is left.
    bool prepare();
    // Ends the read that started at p and was parsed as far as p + i: it runs to the line break,
    // or kReadMax characters, or the end of the data (which it then notes as met).
    void finish(const char* p, std::size_t i, std::size_t avail);
    bool lineAhead() const;
    void refill();

    static constexpr std::size_t kSpareSize = 4096;  // the buffer inside the object
    static_assert(kSpareSize > kReadMax);

    int fd_ = -1;
    Output* tied_ = nullptr;
    char* own_ = nullptr;   // the buffer, when reading a descriptor
    std::size_t size_ = 0;  // of the buffer
    const char* data_ = nullptr;
    std::size_t dropped_ = 0;  // bytes of the source before data_[0]
    std::size_t pos_ = 0;      // start of the next read
    std::size_t len_ = 0;      // bytes available at data_
    bool drained_ = false;     // the source has nothing more to give
    bool endMet_ = false;
    char spare_[kSpareSize];
};
