// Whole runs of kostra in-process, compared byte for byte and by status with the naive dialogue:
// random graphs given as a file or typed at the keyboard, random answers, and every way a line
// can be wrong (no number, out of range, too long for one read, carriage returns, NUL bytes,
// a missing last line break, a file or an input that stops short).
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <string>
#include <vector>

#include "Notes.h"
#include "naive_dialogue.h"
#include "support.h"

namespace reference {
namespace {

// The bytes with line breaks, carriage returns, NULs and tabs made visible; a long text is cut.
std::string visible(const std::string& s) {
    if (s.size() > 4000)
        return visible(s.substr(0, 2000)) + "...(" + std::to_string(s.size()) + " bytes)";
    std::string v;
    for (const char c : s) {
        if (c == '\n') {
            v += "\\n";
        } else if (c == '\r') {
            v += "\\r";
        } else if (c == '\0') {
            v += "\\0";
        } else if (c == '\t') {
            v += "\\t";
        } else {
            v += c;
        }
    }
    return v;
}

std::string firstDifference(const std::string& expected, const std::string& actual) {
    std::size_t i = 0;
    while (i < expected.size() && i < actual.size() && expected[i] == actual[i]) ++i;
    const std::size_t from = i < 80 ? 0 : i - 80;
    return "first difference at byte " + std::to_string(i) + "\n  reference: ..." +
           visible(expected.substr(from, 160)) + "\n  kostra:    ..." +
           visible(actual.substr(from, 160));
}

// A number as a line's content: mostly plain, sometimes with blanks before it, a sign, leading
// zeros or a word after it; sometimes so many blanks that the number falls across two reads.
std::string dressed(Rng& rng, long long v) {
    std::string digits = std::to_string(v < 0 ? -v : v);
    std::string sign = v < 0 ? "-" : (rng.chance(5) ? "+" : "");
    if (rng.chance(5)) digits = "00" + digits;
    std::string s = sign + digits;
    if (rng.chance(8)) s = std::string(static_cast<std::size_t>(rng.pick(1, 3)), ' ') + s;
    if (rng.chance(4)) s = "\t" + s;
    if (rng.chance(3)) s = std::string(1, "\r\v\f"[rng.pick(0, 2)]) + s;
    if (rng.chance(8)) s += rng.chance(50) ? " hran" : "x7";
    if (rng.chance(2)) s = std::string(static_cast<std::size_t>(rng.pick(240, 270)), ' ') + s;
    if (rng.chance(2)) s += std::string(static_cast<std::size_t>(rng.pick(250, 520)), 'z');
    if (rng.chance(1)) s += std::string(1, '\0') + "9";
    return s;
}

// A line that holds no valid 32-bit integer.
std::string noNumber(Rng& rng) {
    static const char* const kLines[] = {
        "",   "x",  "ano", "-", "+", " - 1", "2147483648", "-2147483649", "99999999999999999999",
        "\t", "a1", "n"};
    if (rng.chance(5)) return std::string(1, '\0') + "1";
    if (rng.chance(5)) return std::string(static_cast<std::size_t>(rng.pick(255, 600)), ' ');
    return kLines[rng.pick(0, 11)];
}

struct Lines {
    std::vector<std::string> lines;
    void add(const std::string& s) { lines.push_back(s); }
    std::string join(const char* end) const {
        std::string s;
        for (const std::string& l : lines) s += l + end;
        return s;
    }
};

// The lines of a graph description, with refused values now and then.
Lines describeNoisily(Rng& rng, const GraphData& g) {
    Lines out;
    const int n = g.n;
    const int m = static_cast<int>(g.edges.size());
    auto refused = [&](long long bad) {
        if (rng.chance(6)) out.add(rng.chance(50) ? noNumber(rng) : dressed(rng, bad));
    };
    refused(-rng.pick(1, 3));
    out.add(dressed(rng, m));
    refused(rng.pick(-2, 0));
    out.add(dressed(rng, n));
    for (const auto& e : g.edges) {
        refused(rng.chance(50) ? n + rng.pick(0, 2) : -1);
        out.add(dressed(rng, e.from));
        refused(rng.chance(50) ? n : -rng.pick(1, 9));
        out.add(dressed(rng, e.to));
        if (rng.chance(5)) out.add(noNumber(rng));
        out.add(dressed(rng, e.weight));
    }
    return out;
}

// Answers for the menu and whatever follows it; not always the right ones.
Lines answers(Rng& rng, const GraphData& g) {
    Lines out;
    const int m = static_cast<int>(g.edges.size());
    while (rng.chance(20)) out.add(rng.chance(50) ? noNumber(rng) : dressed(rng, rng.pick(-2, 7)));
    const int choice = rng.pick(1, 5);
    out.add(dressed(rng, choice));
    if (choice == 2 || choice == 3) {
        static const char* const kNo[] = {"", "A", "N", "x", " a", "1", "yes"};
        while (rng.chance(25)) out.add(kNo[rng.pick(0, 6)]);
        static const char* const kYes[] = {"a", "n", "ano", "ne", "a\r", "nic", "a b c"};
        out.add(kYes[rng.pick(0, 6)]);
    } else if (choice >= 4) {
        while (rng.chance(20))
            out.add(rng.chance(50) ? noNumber(rng) : dressed(rng, rng.pick(-1, 5)));
        out.add(dressed(rng, rng.pick(1, 3)));
        // Every edge number in a random order, and some that no graph accepts.
        std::vector<long long> tries;
        for (int e = 0; e < m; ++e) tries.push_back(e);
        tries.push_back(-1);
        tries.push_back(m);
        for (std::size_t i = tries.size(); i > 1; --i)
            std::swap(tries[i - 1],
                      tries[static_cast<std::size_t>(rng.pick(0, static_cast<int>(i) - 1))]);
        for (const long long e : tries) {
            if (rng.chance(5)) out.add(noNumber(rng));
            out.add(dressed(rng, e));
        }
    }
    return out;
}

// Cuts bytes off the end: the last line break, or everything after a random byte.
std::string shortened(Rng& rng, std::string s, int dropBreak, int truncate) {
    if (!s.empty() && s.back() == '\n' && rng.chance(dropBreak)) s.pop_back();
    if (!s.empty() && rng.chance(truncate))
        s.resize(static_cast<std::size_t>(rng.pick(0, static_cast<int>(s.size()) - 1)));
    return s;
}

struct Tally {
    int runs = 0;
    int byStatus[4] = {0, 0, 0, 0};
    int loops = 0;     // reports of a loop
    int cuts = 0;      // reports of a cut
    int narrated = 0;  // runs with narration of either minimum forest

    void count(const naive::RunResult& r) {
        ++runs;
        if (r.status >= 0 && r.status < 4) ++byStatus[r.status];
        if (r.status != 0) return;
        if (r.out.find("orientace=") != std::string::npos) {
            if (r.out.find("okolo niz") != std::string::npos) ++loops;
            if (r.out.find("skrz kterou") != std::string::npos) ++cuts;
        }
        if (r.out.find("Boruvka-Kruskal: sjed") != std::string::npos ||
            r.out.find("Jarnik-Prim: ...pak") != std::string::npos)
            ++narrated;
    }
};

bool compareRun(const char* path, const std::string* file, const std::string& input, Tally& tally,
                Rng& rng) {
    const naive::RunResult ref = naive::runDialogue(path, file, input);
    const bool streamed = rng.chance(15);
    const RealRun real = streamed ? runRealStreamed(path, input, rng) : runReal(path, input);
    tally.count(ref);
    const std::string where = std::string(path == nullptr ? "keyboard" : "graph file") +
                              (streamed ? ", input streamed" : "") +
                              (file != nullptr ? "\n  file:  \"" + visible(*file) + "\"" : "") +
                              "\n  input: \"" + visible(input) + "\"";
    EXPECT_EQ(real.status, ref.status) << where;
    EXPECT_TRUE(real.out == ref.out) << where << "\n" << firstDifference(ref.out, real.out);
    EXPECT_TRUE(naive::onlyNotes(real.err)) << real.err;
    return real.status == ref.status && real.out == ref.out;
}

TEST(reference_transcripts, graph_files_and_answers) {
    ScratchFile scratch;
    Rng rng(31337);
    Tally tally;
    const int rounds = 2500 / kRoundsDivisor;
    for (int round = 0; round < rounds; ++round) {
        const GraphData g = randomGraph(rng, 9, 14);
        const char* end = rng.chance(15) ? "\r\n" : "\n";
        std::string file = describeNoisily(rng, g).join(end);
        if (rng.chance(10)) file += Lines{{"7", "x", "-1"}}.join(end);  // never read
        file = shortened(rng, file, 8, 8);
        const std::string input = shortened(rng, answers(rng, g).join(end), 10, 8);
        scratch.write(file);
        if (!compareRun(scratch.path(), &file, input, tally, rng)) return;
    }
    // Every outcome turned up often enough to mean something.
    EXPECT_GT(tally.byStatus[0], 1000 / kRoundsDivisor);
    EXPECT_GT(tally.byStatus[1], 200 / kRoundsDivisor);
    EXPECT_GT(tally.byStatus[3], 200 / kRoundsDivisor);
    EXPECT_GT(tally.loops, 150 / kRoundsDivisor);
    EXPECT_GT(tally.cuts, 150 / kRoundsDivisor);
    EXPECT_GT(tally.narrated, 150 / kRoundsDivisor);
    std::printf("runs %d: status 0 %d, 1 %d, 3 %d; loops %d, cuts %d, narrated %d\n", tally.runs,
                tally.byStatus[0], tally.byStatus[1], tally.byStatus[3], tally.loops, tally.cuts,
                tally.narrated);
}

TEST(reference_transcripts, keyboard_graph_and_answers) {
    Rng rng(4242);
    Tally tally;
    const int rounds = 1500 / kRoundsDivisor;
    for (int round = 0; round < rounds; ++round) {
        const GraphData g = randomGraph(rng, 8, 12);
        const char* end = rng.chance(15) ? "\r\n" : "\n";
        Lines lines = describeNoisily(rng, g);
        for (const std::string& l : answers(rng, g).lines) lines.add(l);
        const std::string input = shortened(rng, lines.join(end), 10, 12);
        if (!compareRun(nullptr, nullptr, input, tally, rng)) return;
    }
    EXPECT_GT(tally.byStatus[0], 600 / kRoundsDivisor);
    EXPECT_GT(tally.byStatus[3], 200 / kRoundsDivisor);
    EXPECT_GT(tally.loops + tally.cuts, 150 / kRoundsDivisor);
    std::printf("runs %d: status 0 %d, 3 %d; loops %d, cuts %d, narrated %d\n", tally.runs,
                tally.byStatus[0], tally.byStatus[3], tally.loops, tally.cuts, tally.narrated);
}

// Graph files of several MiB whose lines carry thousands of blanks before the value and long
// tails after it, so that reads of 255 characters and the refills of the reader's buffer fall
// at every possible place in a line and in a number.
TEST(reference_transcripts, long_lines_across_buffer_refills) {
    ScratchFile scratch;
    Rng rng(9001);
    Tally tally;
    for (int round = 0; round < 12; ++round) {
        const GraphData g = randomGraph(rng, 7, 9);
        Lines lines = describeNoisily(rng, g);
        std::string file;
        for (const std::string& l : lines.lines) {
            file += std::string(static_cast<std::size_t>(rng.pick(0, 60000)), ' ') + l;
            if (rng.chance(50))
                file += std::string(static_cast<std::size_t>(rng.pick(0, 9000)), 'w');
            file += "\n";
        }
        if (rng.chance(30)) file.pop_back();
        const std::string input = answers(rng, g).join("\n");
        scratch.write(file);
        if (!compareRun(scratch.path(), &file, input, tally, rng)) return;
    }
    EXPECT_GT(tally.byStatus[0] + tally.byStatus[3], 3);
}

}  // namespace
}  // namespace reference
