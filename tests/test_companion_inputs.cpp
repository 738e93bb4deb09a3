// The companion programs' handling of what only a broken input or an odd name brings: kostra-dot's
// standard input ending in a read error (a socket reset by its writer, as a terminal that hangs up
// or a failing disk would end it), and kostra-matice's header for a graph path with control
// characters and DEL.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include <memory>
#include <string>
#include <vector>

#include "CGraph.h"
#include "FundamentalRows.h"
#include "GraphInput.h"
#include "LineReader.h"
#include "MatrixText.h"
#include "Output.h"
#include "Page.h"
#include "Replay.h"
#include "Transcript.h"
#include "main.h"

namespace {

const char* const kExample = KOSTRA_SOURCE_DIR "/examples/ctyri-uzly.txt";

// A descriptor that gives data and then, instead of its end, a read error: the writer's end of a
// socket pair closed with data of its own unread resets the connection.
int failingAfter(const std::string& data) {
    int ends[2];
    if (socketpair(AF_UNIX, SOCK_STREAM, 0, ends) != 0) return -1;
    const bool ok = write(ends[0], "x", 1) == 1 &&
                    write(ends[1], data.data(), data.size()) == static_cast<ssize_t>(data.size());
    close(ends[1]);
    if (!ok) {
        close(ends[0]);
        return -1;
    }
    return ends[0];
}

// kostra's whole output for the answers, on the example graph.
std::string kostraOutput(const std::string& answers) {
    std::string text;
    std::string errors;
    Output out(&text);
    Output err(&errors);
    LineReader in(answers.data(), answers.size());
    EXPECT_EQ(runKostra(kExample, in, out, err), 0) << answers;
    out.flush();
    return text;
}

// readTranscript on the data, ending in a read error; the message it printed.
bool readFailing(const std::string& data, std::string& message) {
    std::unique_ptr<CGraph> g;
    EXPECT_EQ(readGraphFile(kExample, g), 0);
    const int fd = failingAfter(data);
    EXPECT_GE(fd, 0);
    Transcript t;
    message.clear();
    bool accepted = false;
    {
        Output err(&message);
        accepted = readTranscript(fd, *g, t, err);
    }
    close(fd);
    return accepted;
}

// A transcript that breaks off in a read error is refused as unreadable wherever it breaks off:
// after any line, within a line, and after the last line of a complete transcript too (what came
// after it cannot be known).
TEST(companion_inputs, a_transcript_ended_by_a_read_error_is_refused_as_unreadable) {
    const std::string unreadable = "CHYBA: standardni vstup nelze precist\n";
    for (const char* answers : {"1\n", "3\na\n", "4\n1\n2\n", "5\n2\n1\n"}) {
        const std::string whole = kostraOutput(answers);
        std::string message;
        for (std::size_t cut = 0; cut <= whole.size(); ++cut) {
            if (cut < whole.size() && whole[cut] != '\n' && cut % 7 != 0) continue;
            EXPECT_FALSE(readFailing(whole.substr(0, cut), message))
                << answers << " cut at byte " << cut << " of " << whole.size();
            EXPECT_EQ(message, unreadable) << answers << " cut at byte " << cut;
        }
    }
}

// The same transcripts that end as files end are taken: the refusals above come from the error.
TEST(companion_inputs, the_same_transcripts_ended_normally_are_taken) {
    for (const char* answers : {"1\n", "3\na\n", "4\n1\n2\n", "5\n2\n1\n"}) {
        std::unique_ptr<CGraph> g;
        ASSERT_EQ(readGraphFile(kExample, g), 0);
        int ends[2];
        ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, ends), 0);
        const std::string whole = kostraOutput(answers);
        ASSERT_EQ(write(ends[1], whole.data(), whole.size()), static_cast<ssize_t>(whole.size()));
        close(ends[1]);
        std::string message;
        Transcript t;
        {
            Output err(&message);
            EXPECT_TRUE(readTranscript(ends[0], *g, t, err)) << answers << message;
        }
        close(ends[0]);
    }
}

// Control characters and DEL in the graph's path are shown as '?', so the header stays one line
// and holds nothing a terminal acts on, in both forms.
TEST(companion_inputs, the_header_shows_control_characters_and_del_in_the_path_as_question_marks) {
    std::unique_ptr<CGraph> g;
    ASSERT_EQ(readGraphFile(kExample, g), 0);
    g->markForest(Method::Skeleton);
    const std::string path = std::string(
        "a\tb\x7f"
        "c\x1b[2Jd\x01.txt");
    const MatrixTitle title{path, Method::Skeleton};
    for (const bool table : {false, true}) {
        FundamentalRows rows(*g, MatrixKind::Loops);
        std::string text;
        {
            Output out(&text);
            if (table) {
                writeTable(rows, title, out);
            } else {
                writeMatrixMarket(rows, title, out);
            }
        }
        const std::string want = std::string(table ? "" : "% ") + "graf: a?b?c?[2Jd?.txt\n";
        EXPECT_NE(text.find(want), std::string::npos) << text;
    }
}

// A sequence is measured as UTF-8 draws its well-formed sequences: no overlong form, no surrogate,
// nothing past U+10FFFF, no sequence cut short or broken by a byte that does not continue it.
TEST(companion_inputs, utf8_sequences_are_measured_by_the_well_formed_table) {
    const struct {
        std::string bytes;
        std::size_t length;  // of the sequence at the start, 0: none begins there
    } cases[] = {
        {"a", 1},
        {"\x7f", 1},
        {"\x80", 0},
        {"\xc1\xbf", 0},
        {"\xc2\x80", 2},
        {"\xdf\xbf", 2},
        {"\xc2", 0},
        {"\xc2\x41", 0},
        {"\xe0\xa0\x80", 3},
        {"\xe0\x9f\xbf", 0},
        {"\xe1\x80\x80", 3},
        {"\xed\x9f\xbf", 3},
        {"\xed\xa0\x80", 0},
        {"\xef\xbf\xbf", 3},
        {"\xe1\x80", 0},
        {"\xe1\x80\x41", 0},
        {"\xf0\x90\x80\x80", 4},
        {"\xf0\x8f\xbf\xbf", 0},
        {"\xf4\x8f\xbf\xbf", 4},
        {"\xf4\x90\x80\x80", 0},
        {"\xf1\x80\x80", 0},
        {"\xf1\x80\x80\x41", 0},
        {"\xf5\x80\x80\x80", 0},
        {"\xff", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(utf8SequenceLength(c.bytes, 0), c.length) << testing::PrintToString(c.bytes);
        // The same sequence after other text, and its last byte missing at the end of the text.
        const std::string after = "ab" + c.bytes;
        EXPECT_EQ(utf8SequenceLength(after, 2), c.length) << testing::PrintToString(c.bytes);
        if (c.length > 1) {
            EXPECT_EQ(utf8SequenceLength(after.substr(0, after.size() - 1), 2), 0U);
        }
    }
}

// The replay's data stands in a script element: a line's quotes, backslashes, '<' and control
// characters are escaped, and a byte that begins no UTF-8 sequence is U+FFFD, so no line can end
// the element or break the page's encoding. The graph file's name, whatever its bytes, is HTML
// text: markup characters as references, control characters (C0, DEL, C1) and stray bytes as
// U+FFFD, other characters as they are.
TEST(companion_inputs, the_page_escapes_every_line_and_the_file_name) {
    std::unique_ptr<CGraph> g;
    ASSERT_EQ(readGraphFile(kExample, g), 0);
    Replay r;
    r.lines.push_back({"a\"b\\c</script>\t\x01\x7f\xff \xc3\xa1", 0});
    std::string json;
    {
        Output out(&json);
        writePageData(*g, Transcript{}, r, out);
    }
    const std::string want = R"("a\u0022b\u005cc\u003c/script>\u0009\u0001\u007f\ufffd )"
                             "\xc3\xa1\"";
    EXPECT_NE(json.find(want), std::string::npos) << json;

    std::string page;
    {
        Output out(&page);
        writePage(*g, Transcript{}, r, "<svg></svg>",
                  "<a href='x'>&\"\t\x7f\xc2\x85\xff\xc3\xa1\xe2\x82\xac", out);
    }
    const std::string name =
        "&lt;a href=&#39;x&#39;&gt;&amp;&quot;"
        "\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd\xc3\xa1\xe2\x82\xac";
    EXPECT_NE(page.find("<code id=\"soubor\">" + name + "</code>"), std::string::npos) << page;
}

}  // namespace
