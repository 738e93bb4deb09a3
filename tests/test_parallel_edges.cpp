#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "GraphInput.h"
#include "LineReader.h"
#include "ParallelEdges.h"

namespace {

// A graph file's edge lines: mostly clean numbers, and now and then one of the things that make
// the ordinary reader drop a line, read a line in several reads, or meet the end of the file.
std::string edgeLines(std::mt19937& rng, int n, int m, int noise) {
    std::string text;
    auto line = [&](int value) {
        static const char* const kTails[] = {"", "", "", " ", "\r", " \t"};
        static const char* const kHeads[] = {"", "", "", " ", "+", "00"};
        text +=
            (value < 0 ? "" : kHeads[rng() % 6]) + std::to_string(value) + kTails[rng() % 6] + "\n";
    };
    for (int i = 0; i < 3 * m; ++i) {
        if (rng() % 1000 < static_cast<unsigned>(noise)) {
            switch (rng() % 6) {
                case 0:
                    text += "\n";
                    break;  // no number
                case 1:
                    text += std::string(300, ' ') + "1\n";
                    break;  // two reads
                case 2:
                    text += "2.5\n";
                    break;  // trailing text
                case 3:
                    text += std::to_string(n + 3) + "\n";
                    break;  // out of range
                case 4:
                    text += "99999999999\n";
                    break;  // beyond 32 bits
                default:
                    text.resize(text.size() / 2);
                    return text;  // cut short
            }
        }
        line(i % 3 == 2 ? static_cast<int>(rng() % 2001) - 1000 : static_cast<int>(rng() % n));
    }
    if (rng() % 4 == 0) text += "trailing lines\nnever read\n";
    if (rng() % 8 == 0 && !text.empty()) text.pop_back();  // the last line break missing
    return text;
}

// The same text read at once, on 1 to 4 threads in pieces of a few bytes to a few thousand,
// against the ordinary reader: whenever reading at once succeeds, the ordinary reader reads the
// same edges; on clean files it always succeeds.
TEST(parallel_edges, reading_at_once_gives_what_the_ordinary_reader_gives) {
    std::mt19937 rng(5);
    int atOnce = 0;
    for (int round = 0; round < 600; ++round) {
        const int n = 1 + static_cast<int>(rng() % 40);
        const int m = static_cast<int>(rng() % 200);
        const int noise = round % 3 == 0 ? 0 : static_cast<int>(rng() % 8);
        const std::string body = edgeLines(rng, n, m, noise);
        const std::string file = std::to_string(m) + "\n" + std::to_string(n) + "\n" + body;
        LineReader in(file.data(), file.size());
        std::unique_ptr<CGraph> ordinary;
        const int status = readGraph(in, nullptr, ordinary);

        const int threads = 1 + static_cast<int>(rng() % 4);
        const std::size_t piece = 1 + rng() % (rng() % 2 == 0 ? 16 : 4000);
        CGraph g(n, m);
        const bool took =
            parseEdgesInParallel(body.data(), body.size(), n, g.edges, m, threads, piece);
        if (noise == 0 && !body.empty() && body.back() == '\n') {
            EXPECT_TRUE(took) << body;
        }
        if (!took) continue;
        ++atOnce;
        ASSERT_EQ(status, kStatusDone) << body;
        for (int k = 0; k < m; ++k) {
            const Edge& a = ordinary->edges[k];
            const Edge& b = g.edges[k];
            ASSERT_TRUE(a.from == b.from && a.to == b.to && a.weight == b.weight && !b.inTree &&
                        b.tag == 0)
                << "edge " << k << " of\n"
                << body;
        }
    }
    EXPECT_GT(atOnce, 250);
}

// A few texts cut into pieces of every size from one byte to the whole, so that a piece starts at
// every kind of place (a line break, a blank, a sign, a digit, the line after a long line, the
// lines after the edges), on one to three threads: the result never depends on the cuts.
TEST(parallel_edges, pieces_cut_anywhere_give_the_same_edges) {
    struct Text {
        const char* body;
        int n;
        int m;
        bool takes;  // read at once (clean lines only)
    };
    const std::string longLine = std::string(250, ' ') + "7\n";  // 252 characters: still clean
    const std::string tooLong = std::string(260, ' ') + "7\n";   // two reads: not clean
    for (const Text& t : {
             Text{"0\n1\n5\n1\n2\n-7\n2\n0\n+3\n", 3, 3, true},
             Text{" 0 \r\n\t1\n-2147483648\n1\n1\n2147483647\nnot read\n", 2, 2, true},
             Text{"0\n1\n5\n1\n2\n", 3, 2, false},     // ends before the edges do
             Text{"0\n1\n5\n1\n2\n6", 3, 2, false},    // the last line break missing
             Text{"0\n3\n5\n", 3, 1, false},           // an endpoint out of range
             Text{"0\n1\n2.5\n", 3, 1, false},         // text after a number
             Text{"0\n1\n2147483648\n", 3, 1, false},  // beyond 32 bits
         }) {
        for (const std::string& extra : {std::string(), longLine, tooLong}) {
            const std::string body = extra.empty() ? t.body : "1\n0\n" + extra + t.body;
            const int m = extra.empty() ? t.m : t.m + 1;
            const bool takes = t.takes && extra != tooLong;
            const std::string file = std::to_string(m) + "\n" + std::to_string(t.n) + "\n" + body;
            LineReader in(file.data(), file.size());
            std::unique_ptr<CGraph> ordinary;
            const int status = readGraph(in, nullptr, ordinary);
            for (std::size_t piece = 1; piece <= body.size() + 1; ++piece) {
                for (const int threads : {1, 2, 3}) {
                    CGraph g(t.n, m);
                    const bool took = parseEdgesInParallel(body.data(), body.size(), t.n, g.edges,
                                                           m, threads, piece);
                    ASSERT_EQ(took, takes) << body << " in pieces of " << piece;
                    if (!took) continue;
                    ASSERT_EQ(status, kStatusDone);
                    for (int k = 0; k < m; ++k) {
                        ASSERT_EQ(g.edges[k].from, ordinary->edges[k].from) << piece;
                        ASSERT_EQ(g.edges[k].to, ordinary->edges[k].to) << piece;
                        ASSERT_EQ(g.edges[k].weight, ordinary->edges[k].weight) << piece;
                    }
                }
            }
        }
    }
}

// A graph file read by readGraphFile at once and one value a read gives the same graph.
TEST(parallel_edges, a_graph_file_read_at_once_is_the_graph_read_line_by_line) {
    std::mt19937 rng(11);
    char path[] = "/tmp/kostra-parallel-XXXXXX";
    const int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    const std::string body = edgeLines(rng, 50, 3000, 0) + "\n";
    const std::string file = "3000\n50\n" + body;
    ASSERT_EQ(write(fd, file.data(), file.size()), static_cast<ssize_t>(file.size()));
    close(fd);
    RunLimits atOnce;
    atOnce.parallelFrom = 0;
    atOnce.pieceSize = 700;
    atOnce.threads = 3;
    RunLimits lineByLine;
    lineByLine.parallelFrom = SIZE_MAX;
    std::unique_ptr<CGraph> a;
    std::unique_ptr<CGraph> b;
    ASSERT_EQ(readGraphFile(path, a, atOnce), kStatusDone);
    ASSERT_EQ(readGraphFile(path, b, lineByLine), kStatusDone);
    std::remove(path);
    for (int k = 0; k < 3000; ++k) {
        EXPECT_EQ(a->edges[k].from, b->edges[k].from);
        EXPECT_EQ(a->edges[k].to, b->edges[k].to);
        EXPECT_EQ(a->edges[k].weight, b->edges[k].weight);
    }
}

}  // namespace
