#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "LineReader.h"
#include "Output.h"

namespace {

using Got = LineReader::Got;

// What one read gave: a number, a read without one, or nothing left.
struct Read {
    Got got;
    int value;
    bool operator==(const Read&) const = default;
};

std::vector<Read> readAll(const std::string& data, std::vector<bool>* ends = nullptr) {
    LineReader in(data.data(), data.size());
    std::vector<Read> reads;
    for (;;) {
        int v = -99;
        const Got got = in.readInt(v);
        reads.push_back({got, got == Got::Number ? v : -99});
        if (ends != nullptr) ends->push_back(in.endMet());
        if (got == Got::Nothing) return reads;
    }
}

const Read kNone{Got::NoNumber, -99};
const Read kEnd{Got::Nothing, -99};
Read num(int v) { return {Got::Number, v}; }

TEST(reader, parses_a_number_from_the_start_of_each_read) {
    struct Case {
        std::string data;
        std::vector<Read> reads;
    };
    const Case cases[] = {
        {"5\n", {num(5), kEnd}},
        {"  3 uzly\n\t+7\n-0\n", {num(3), num(7), num(0), kEnd}},
        {"\n \n", {kNone, kNone, kEnd}},
        {"x\n- 5\n+-5\n--1\n5x\n", {kNone, kNone, kNone, kNone, num(5), kEnd}},
        {"2147483647\n-2147483648\n", {num(2147483647), num(-2147483647 - 1), kEnd}},
        {"2147483648\n-2147483649\n99999999999999999999\n", {kNone, kNone, kNone, kEnd}},
        {"000000000000000000000000000042\n", {num(42), kEnd}},
        {"12\r\n\r\n\v\f 8\r\n", {num(12), kNone, num(8), kEnd}},
        {std::string("4\0 5\n\0 6\n", 9), {num(4), kNone, kEnd}},  // a NUL ends the number
        {"7", {num(7), kEnd}},                                     // no line break at the end
        {"", {kEnd}},
    };
    for (const Case& c : cases) EXPECT_EQ(readAll(c.data), c.reads) << c.data;
}

TEST(reader, a_read_takes_at_most_255_characters) {
    const std::string blanks254(254, ' ');
    struct Case {
        std::string data;
        std::vector<Read> reads;
    };
    const Case cases[] = {
        // 254 blanks and "1" fill the first read; "2345" is a read of its own.
        {blanks254 + "12345\n", {num(1), num(2345), kEnd}},
        // Exactly 255 characters with the line break: one read.
        {blanks254 + "\n9\n", {kNone, num(9), kEnd}},
        // 255 characters and then the line break: the break alone is the second read.
        {blanks254 + "7\n8\n", {num(7), kNone, num(8), kEnd}},
        // A sign cut off from its digits by the end of a read.
        {std::string(254, ' ') + "-7\n", {kNone, num(7), kEnd}},
        // 600 characters of text: three reads without a number.
        {std::string(600, 'a') + "\n3\n", {kNone, kNone, kNone, num(3), kEnd}},
    };
    for (const Case& c : cases) EXPECT_EQ(readAll(c.data), c.reads) << c.data.size();
}

TEST(reader, end_of_data_is_met_by_the_read_that_runs_into_it) {
    struct Case {
        std::string data;
        std::vector<bool> ends;  // endMet() after each read, the last one finding nothing
    };
    const Case cases[] = {
        {"1\n2\n", {false, false, true}},
        {"1\n2", {false, true, true}},  // the last line has no line break
        {"", {true}},
        // 255 characters without a line break end a read before the end is seen.
        {std::string(255, '5'), {false, true}},
        {std::string(256, '5'), {false, true, true}},
    };
    for (const Case& c : cases) {
        std::vector<bool> ends;
        readAll(c.data, &ends);
        EXPECT_EQ(ends, c.ends) << c.data.size();
    }
}

TEST(reader, first_character_of_each_read) {
    const std::string data = std::string("ano\n\nnic\n") + std::string(300, 'x') + "\nA";
    LineReader in(data.data(), data.size());
    std::string firsts;
    char c = 0;
    while (in.readFirst(c)) firsts += c;
    EXPECT_EQ(firsts, "a\nnxxA");  // the long line gives two reads
}

// What a message about a read quotes: its text, its line, what followed its number, whether it
// continues a line cut at 255 characters, and the bytes left after it.
TEST(reader, tells_about_its_last_read) {
    using After = LineReader::After;
    struct Expect {
        std::string text;
        std::int64_t line;
        After after;  // looked at only for a read with a number
        bool continues;
        std::uint64_t left;
    };
    const std::string blanks(253, ' ');
    const std::string data = "5\n2.5\r\n\n 7 \r\n" + blanks + "12345\n0 1 4\n9";
    const std::vector<Expect> reads = {
        {"5", 1, After::Blanks, false, data.size() - 2},
        {"2.5\r", 2, After::Text, false, data.size() - 7},
        {"", 3, After::Blanks, false, data.size() - 8},
        {" 7 \r", 4, After::Blanks, false, data.size() - 13},
        {blanks + "12", 5, After::Cut, false, data.size() - 268},  // the line goes on
        {"345", 5, After::Blanks, true, data.size() - 272},
        {"0 1 4", 6, After::Text, false, 1},
        {"9", 7, After::Blanks, false, 0},  // the last line, without its line break
    };
    LineReader in(data.data(), data.size());
    for (const Expect& e : reads) {
        int v = 0;
        const LineReader::Got got = in.readInt(v);
        EXPECT_EQ(in.lastRead(), e.text);
        EXPECT_EQ(in.lineNumber(), e.line) << e.text;
        if (got == Got::Number) {
            EXPECT_EQ(in.after(), e.after) << e.text;
        }
        EXPECT_EQ(in.continuesLine(), e.continues) << e.text;
        EXPECT_EQ(in.bytesLeft(), e.left) << e.text;
    }
    // Six line breaks, and a seventh line without one.
    EXPECT_EQ(in.lineBreaks(), 6);
    EXPECT_EQ(in.linesStarted(), 7);
}

// A pipe whose write end stays open: a read that asks the descriptor for more than it needs
// would find nothing there (the pipe does not block) and take it for the end.
struct Pipe {
    int fd[2] = {-1, -1};
    Pipe() { EXPECT_EQ(::pipe2(fd, O_NONBLOCK), 0); }
    ~Pipe() {
        ::close(fd[0]);
        ::close(fd[1]);
    }
    void put(const std::string& s) {
        EXPECT_EQ(::write(fd[1], s.data(), s.size()), static_cast<ssize_t>(s.size()));
    }
};

TEST(reader, takes_only_what_a_typed_line_gives_and_shows_the_question_first) {
    Pipe p;
    std::string screen;
    Output out(&screen);
    LineReader in(p.fd[0], &out);

    out.print<"pocet hran: ">();
    p.put("12\n");
    int v = 0;
    EXPECT_EQ(in.readInt(v), Got::Number);
    EXPECT_EQ(v, 12);
    EXPECT_FALSE(in.endMet());
    EXPECT_EQ(screen, "pocet hran: ");  // flushed before the reader waited for the line

    p.put("3\n4\n");
    EXPECT_EQ(in.readInt(v), Got::Number);
    EXPECT_EQ(v, 3);
    out.print<"hrana 0 od uzlu: ">();
    EXPECT_EQ(in.readInt(v), Got::Number);  // already buffered: no wait, no flush needed
    EXPECT_EQ(v, 4);
    EXPECT_FALSE(in.endMet());

    p.put("5");  // a line still being typed
    ::close(p.fd[1]);
    p.fd[1] = -1;
    EXPECT_EQ(in.readInt(v), Got::Number);
    EXPECT_EQ(v, 5);
    EXPECT_TRUE(in.endMet());
    EXPECT_EQ(in.readInt(v), Got::Nothing);
    EXPECT_EQ(screen, "pocet hran: hrana 0 od uzlu: ");
}

TEST(reader, does_not_wait_for_an_answer_to_a_question_that_could_not_be_shown) {
    const int full = ::open("/dev/full", O_WRONLY);
    if (full < 0) GTEST_SKIP() << "no /dev/full here";
    int fd[2];
    ASSERT_EQ(::pipe(fd), 0);  // blocking, and nothing will ever be written to it
    {
        Output out(full);
        LineReader in(fd[0], &out);
        out.print<"pocet hran: ">();
        int v = 0;
        EXPECT_EQ(in.readInt(v), Got::Nothing);
        EXPECT_TRUE(out.failed());
    }
    ::close(fd[0]);
    ::close(fd[1]);
    ::close(full);
}

TEST(reader, reads_a_file_larger_than_its_buffer) {
    char path[] = "/tmp/kostra-reader-XXXXXX";
    const int fd = ::mkstemp(path);
    ASSERT_GE(fd, 0);
    std::string data;
    const int count = 400000;  // several megabytes: many refills, lines cut across them
    for (int i = 0; i < count; ++i)
        data += std::to_string(i * 7 - 1000000) + (i % 3 ? "\n" : " \r\n");
    ASSERT_EQ(::write(fd, data.data(), data.size()), static_cast<ssize_t>(data.size()));
    ASSERT_EQ(::lseek(fd, 0, SEEK_SET), 0);
    {
        LineReader in(fd);
        int v = 0;
        for (int i = 0; i < count; ++i) {
            ASSERT_EQ(in.readInt(v), Got::Number) << i;
            ASSERT_EQ(v, i * 7 - 1000000);
        }
        EXPECT_FALSE(in.endMet());
        EXPECT_EQ(in.readInt(v), Got::Nothing);
        EXPECT_TRUE(in.endMet());
    }
    ::close(fd);
    ::unlink(path);
}

}  // namespace
