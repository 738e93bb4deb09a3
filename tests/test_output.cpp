#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <tuple>

#include "Output.h"
#include "ParallelLines.h"
#include "Processors.h"
#include "Progress.h"
#include "Texts.h"

namespace {

TEST(output, numbers_are_written_as_printf_writes_them) {
    const int values[] = {0,
                          5,
                          9,
                          -1,
                          -9,
                          10,
                          99,
                          100,
                          -10,
                          999,
                          1000,
                          9999,
                          10000,
                          12345,
                          99999,
                          100000,
                          999999999,
                          1000000000,
                          -100000,
                          2147483647,
                          -99999999,
                          -1000000000,
                          -2147483647 - 1};
    for (const int v : values) {
        std::string got;
        {
            Output out(&got);
            out.print<"[%2d|%d]">(v, v);
        }
        char expected[64];
        std::snprintf(expected, sizeof expected, "[%2d|%d]", v, v);
        EXPECT_EQ(got, expected);
    }
}

TEST(output, formats_flags_text_and_literal_percent_free_messages) {
    std::string got;
    Output out(&got);
    out.print<"hrana %2d: v kostre=%d\n">(3, true);
    out.print<"CHYBA: nelze otevrit soubor \"%s\"\n">("a b.txt");
    out.print<"">();
    out.print<"\n>>VYSTUP<<\n">();
    out.flush();
    EXPECT_EQ(got, "hrana  3: v kostre=1\nCHYBA: nelze otevrit soubor \"a b.txt\"\n\n>>VYSTUP<<\n");
}

TEST(output, keeps_order_across_buffer_boundaries) {
    std::string got;
    std::string expected;
    {
        Output out(&got);
        const std::string big(3 << 20, 'x');  // larger than the buffer: written through
        for (int i = 0; i < 200000; ++i) {
            out.print<"uzel  %2d: kosti z=%2d\n">(i, i % 7);
            char line[64];
            std::snprintf(line, sizeof line, "uzel  %2d: kosti z=%2d\n", i, i % 7);
            expected += line;
            if (i == 100000) {
                out.write(big);
                expected += big;
            }
        }
    }
    EXPECT_EQ(got, expected);
}

TEST(output, a_failed_write_is_remembered) {
    const int fd = ::open("/dev/full", O_WRONLY);
    if (fd < 0) GTEST_SKIP() << "no /dev/full here";
    Output out(fd);
    out.print<"hrana %2d\n">(1);
    EXPECT_FALSE(out.failed());  // still in the buffer
    EXPECT_FALSE(out.flush());
    EXPECT_TRUE(out.failed());
    out.print<"hrana %2d\n">(2);
    EXPECT_FALSE(out.flush());
    ::close(fd);
}

// The report's lines formatted on every processor: byte for byte the plain loop's, at the seams
// of the blocks and at sizes of a block and one more, also with text already waiting in the buffer;
// on one, two and four processors, and with helpers held up (by another program, as far as the
// report can tell) in some of their blocks or in all, whose blocks the writer then makes itself.
TEST(output, lines_formatted_on_every_processor_are_the_plain_loops) {
    const int usable = usableProcessors();
    const std::thread::id writer = std::this_thread::get_id();
    enum class HeldUp { Never, SomeBlocks, Always };
    for (const int processors : {1, 2, 4}) {
        for (const HeldUp held : {HeldUp::Never, HeldUp::SomeBlocks, HeldUp::Always}) {
            useProcessors({processors});
            for (const int count : {0, 1, 16383, 16384, 16385, 3 * 16384 + 7, 100001}) {
                const auto values = [&](int i) {
                    const bool helper = std::this_thread::get_id() != writer;
                    if (helper && held != HeldUp::Never && i % 16384 == 100 &&
                        (held == HeldUp::Always || i / 16384 % 2 == 1))
                        std::this_thread::sleep_for(std::chrono::milliseconds(3));
                    return std::tuple{i, i % 2, 1000 - 37 * i};
                };
                std::string parallel;
                std::string plain;
                {
                    Output out(&parallel);
                    out.print<"before\n">();
                    printLines<"hrana %2d: v kostre=%2d, vaha=%2d\n">(out, count, values);
                    out.print<"after\n">();
                }
                {
                    Output out(&plain);
                    out.print<"before\n">();
                    for (int i = 0; i < count; ++i)
                        out.print<"hrana %2d: v kostre=%2d, vaha=%2d\n">(i, i % 2, 1000 - 37 * i);
                    out.print<"after\n">();
                }
                ASSERT_EQ(parallel, plain) << count << " lines, " << processors << " processors";
            }
        }
    }
    // An output that fails stops the writing, and the helpers with it.
    const int full = ::open("/dev/full", O_WRONLY);
    if (full >= 0) {
        useProcessors({4});
        Output out(full);
        printLines<"hrana %2d\n">(out, 10 * 16384, [](int i) { return std::tuple{i}; });
        EXPECT_TRUE(out.failed());
        ::close(full);
    }
    useProcessors({usable});
}

// On a terminal the progress line is drawn after a second, in the language spoken, with the count
// when the work has one, and wiped when the work ends; a write to the terminal wipes it first, and
// a write that leaves a line unfinished keeps it from being drawn again.
TEST(output, the_progress_line_is_drawn_on_a_terminal_and_wiped) {
    const int terminal = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(terminal, 0);
    ASSERT_EQ(grantpt(terminal), 0);
    ASSERT_EQ(unlockpt(terminal), 0);
    // Left open: the line's descriptor stays this terminal's for the rest of the process.
    const int line = open(ptsname(terminal), O_RDWR | O_NOCTTY);
    ASSERT_GE(line, 0);
    progress::showOn(line);
    const struct {
        Language language;
        progress::Work work;
        bool counted;
        bool unfinishedWrite;  // a write without a line break after the line is drawn
        const char* drawn;     // "" when nothing may be drawn
    } cases[] = {
        {Language::Czech,
         {texts::kReadingGraph, texts::kEdgeUnit},
         true,
         false,
         "\rnacitam graf, hrana 5 z 10 (50 %), 1 s"},
        {Language::English,
         {texts::kFindingForest},
         false,
         false,
         "\rfinding the spanning forest, 1 s"},
        {Language::English, {texts::kReadingGraph, texts::kEdgeUnit}, false, true, ""},
    };
    for (const auto& c : cases) {
        progress::speak(c.language);
        {
            const progress::Phase phase(c.work);
            if (c.counted) {
                progress::total(10);
                progress::done(5);
            }
            if (c.unfinishedWrite) {
                progress::writing(line);
                EXPECT_EQ(write(line, "x", 1), 1);
                progress::written(line, false);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1300));
        }
        std::string screen;
        char buffer[4096];
        fcntl(terminal, F_SETFL, O_NONBLOCK);
        for (ssize_t got = 0; (got = read(terminal, buffer, sizeof buffer)) > 0;)
            screen.append(buffer, static_cast<std::size_t>(got));
        if (*c.drawn == '\0') {
            EXPECT_EQ(screen.find('\r'), std::string::npos) << screen;
            progress::writing(line);  // the line ends: the next phase may draw again
            EXPECT_EQ(write(line, "\n", 1), 1);
            progress::written(line, true);
            while (read(terminal, buffer, sizeof buffer) > 0) {
            }
            continue;
        }
        ASSERT_EQ(screen.rfind(c.drawn, 0), 0U) << screen;
        // Wiped: blanks over the line, the cursor back at its start.
        std::string wipe(std::string(c.drawn).size() + 1, ' ');
        wipe.front() = '\r';
        wipe.back() = '\r';
        EXPECT_TRUE(screen.ends_with(wipe)) << screen;
    }
}

}  // namespace
