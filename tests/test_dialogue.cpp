// The whole program run in-process, many times in one process, through the same function main()
// calls: the failures that a transcript file cannot show easily (memory, an unwritable output),
// and runs that must not leave anything behind for the next one.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string>

#include "Texts.h"
#include "main.h"

namespace {

struct Transcript {
    int status;
    std::string out;
    std::string err;
};

// A graph file that exists for the lifetime of the object.
struct GraphFile {
    std::string path;
    explicit GraphFile(const std::string& text) {
        char name[] = "/tmp/kostra-graph-XXXXXX";
        const int fd = ::mkstemp(name);
        EXPECT_GE(fd, 0);
        EXPECT_EQ(::write(fd, text.data(), text.size()), static_cast<ssize_t>(text.size()));
        ::close(fd);
        path = name;
    }
    ~GraphFile() { ::unlink(path.c_str()); }
};

Transcript run(const char* path, const std::string& answers, const RunLimits& limits = {}) {
    Transcript r;
    {
        Output out(&r.out);
        Output err(&r.err);
        LineReader in(answers.data(), answers.size());
        r.status = runKostra(path, in, out, err, limits);
    }
    return r;
}

const std::string_view kMenu = texts::kMenu.cs.view();

TEST(dialogue, a_graph_over_the_memory_limit_ends_with_status_4) {
    RunLimits small;
    small.maxGraphBytes = 1000;
    // From the keyboard: 100 edges on 3 nodes need more than 1000 bytes.
    Transcript r = run(nullptr, "100\n3\n", small);
    EXPECT_EQ(r.status, kStatusNoMemory);
    EXPECT_EQ(r.out, "pocet hran: pocet uzlu : \nCHYBA: nedostatek pameti\n");

    // From a file that holds the edges it announces.
    std::string edges = "100\n3\n";
    for (int i = 0; i < 100; ++i) edges += "0\n1\n7\n";
    GraphFile file(edges);
    r = run(file.path.c_str(), "1\n", small);
    EXPECT_EQ(r.status, kStatusNoMemory);
    EXPECT_EQ(r.out, "nacitam strukturu grafu ze souboru  " + file.path +
                         "... \nCHYBA: nedostatek pameti\n");

    // A file too short for the edges it announces is inconsistent, as it would be with all the
    // memory in the world; a large graph is refused so before its memory is taken, by the size of
    // the file. Every edge needs six bytes: one byte short of that is too short, and a file of
    // that size can still be the graph but for its last line break, which the reading finds.
    std::string many = "200000\n1\n";
    for (int i = 0; i < 3 * 200000 - 1; ++i) many += "0\n";
    struct Cut {
        std::string text;
        const char* reason;
    };
    for (const Cut& c : {Cut{"2000000000\n1\n", "POZNAMKA: pocet hran je 2000000000, po radku 2"},
                         Cut{many, "POZNAMKA: pocet hran je 200000, po radku 2"},
                         Cut{many + "0", "POZNAMKA: posledni radek 600002 (\"0\") nema"}}) {
        GraphFile cut(c.text);
        r = run(cut.path.c_str(), "1\n");
        EXPECT_EQ(r.status, kStatusInconsistent);
        EXPECT_EQ(r.out, "nacitam strukturu grafu ze souboru  " + cut.path + "... " +
                             std::string(texts::kInconsistent.cs.view()));
        EXPECT_TRUE(r.err.starts_with(c.reason)) << r.err;
    }

    // Within the limit the same kind of graph is read normally.
    r = run(nullptr, "1\n3\n0\n2\n5\n1\n", small);
    EXPECT_EQ(r.status, kStatusDone);
}

TEST(dialogue, memory_the_system_refuses_ends_with_status_4) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer's shadow memory exceeds any address-space limit";
#else
    // 2^31 - 1 nodes: tens of gigabytes, refused at once by what the system says it can give, here
    // under an address-space limit the test sets 256 MiB above what the process uses, in a child
    // of its own; the reason names both sizes. The graph file is closed on the way out.
    GraphFile file("1\n2147483647\n0\n1\n5\n");
    int channel[2];
    ASSERT_EQ(::pipe(channel), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::close(channel[0]);
        char status[8192] = {};
        const int self = ::open("/proc/self/status", O_RDONLY);
        const ssize_t got = ::read(self, status, sizeof status - 1);
        ::close(self);
        const char* size = got > 0 ? std::strstr(status, "VmSize:") : nullptr;
        const std::uint64_t used =
            size == nullptr ? 0 : std::strtoull(size + 7, nullptr, 10) * 1024;
        const rlimit limit{used + (256 << 20), used + (256 << 20)};
        ::setrlimit(RLIMIT_AS, &limit);
        const auto openFiles = [] {
            int count = 0;
            for (int fd = 0; fd < 1024; ++fd) count += ::fcntl(fd, F_GETFD) != -1 ? 1 : 0;
            return count;
        };
        const int before = openFiles();
        const auto started = std::chrono::steady_clock::now();
        const Transcript r = run(file.path.c_str(), "", machineLimits());
        const auto took = std::chrono::steady_clock::now() - started;
        const std::string said =
            std::to_string(r.status) + " " + std::to_string(openFiles() - before) + " " +
            std::to_string(took < std::chrono::seconds(1)) + "\n" + r.out + "@@@\n" + r.err;
        const ssize_t wrote = ::write(channel[1], said.data(), said.size());
        ::_exit(wrote == static_cast<ssize_t>(said.size()) ? 0 : 1);
    }
    ::close(channel[1]);
    std::string said;
    char buffer[4096];
    for (ssize_t got = 0; (got = ::read(channel[0], buffer, sizeof buffer)) > 0;)
        said.append(buffer, static_cast<std::size_t>(got));
    ::close(channel[0]);
    int wstatus = 0;
    ASSERT_EQ(::waitpid(child, &wstatus, 0), child);
    ASSERT_TRUE(WIFEXITED(wstatus) && WEXITSTATUS(wstatus) == 0) << said;
    EXPECT_TRUE(said.starts_with("4 0 1\n")) << said;  // status 4, no file left open, at once
    EXPECT_NE(said.find("\nnacitam strukturu grafu ze souboru  " + file.path +
                        "... \nCHYBA: nedostatek pameti\n@@@\n"),
              std::string::npos)
        << said;
    const std::string reason = said.substr(said.find("@@@\n") + 4);
    EXPECT_TRUE(reason.starts_with("POZNAMKA: graf (uzlu: 2147483647, hran: 1) potrebuje asi "))
        << reason;
    EXPECT_NE(reason.find("(ulimit -v) ale dovoli uz jen 2"), std::string::npos) << reason;
#endif
}

TEST(dialogue, an_unwritable_output_ends_with_status_5) {
    const int full = ::open("/dev/full", O_WRONLY);
    if (full < 0) GTEST_SKIP() << "no /dev/full here";
    GraphFile file("1\n2\n0\n1\n5\n");
    std::string err;
    int status = 0;
    {
        Output out(full);
        Output errOut(&err);
        const std::string answers = "1\n";
        LineReader in(answers.data(), answers.size());
        status = runKostra(file.path.c_str(), in, out, errOut);
    }
    ::close(full);
    EXPECT_EQ(status, kStatusCannotWrite);
    EXPECT_EQ(err, texts::kCannotWrite.cs.view());
}

TEST(dialogue, runs_in_one_process_do_not_affect_each_other) {
    GraphFile file("5\n4\n0\n1\n4\n1\n2\n1\n2\n0\n3\n2\n3\n2\n3\n1\n5\n");
    const std::string answers[] = {"1\n", "2\na\n", "3\na\n", "4\n2\n4\n", "5\n3\n3\n", "4\n"};
    std::string first[6];
    for (int round = 0; round < 3; ++round) {
        for (int i = 0; i < 6; ++i) {
            const Transcript r = run(file.path.c_str(), answers[i]);
            EXPECT_EQ(r.status, i == 5 ? kStatusInputEnded : kStatusDone);
            EXPECT_TRUE(r.err.empty());
            if (round == 0) first[i] = r.out;
            EXPECT_EQ(r.out, first[i]) << "answers " << answers[i];
        }
    }
    EXPECT_NE(first[0].find(kMenu), std::string::npos);
    const std::string ended =
        "cislo algoritmu pro oznaceni kostry (1-3): \nCHYBA: neocekavany konec vstupu\n";
    ASSERT_GT(first[5].size(), ended.size());
    EXPECT_EQ(first[5].substr(first[5].size() - ended.size()), ended);
}

// The report in English: the English lines of the catalogue, with the numbers of the Czech ones.
TEST(dialogue, the_report_speaks_the_language_of_the_output) {
    GraphFile file("5\n4\n0\n1\n4\n1\n2\n1\n2\n0\n3\n2\n3\n2\n3\n1\n5\n");
    const auto english = [&](const std::string& answers) {
        Transcript r;
        {
            Output out(&r.out);
            Output err(&r.err);
            out.speak(Language::English);
            err.speak(Language::English);
            LineReader in(answers.data(), answers.size());
            r.status = runKostra(file.path.c_str(), in, out, err);
        }
        EXPECT_EQ(r.status, kStatusDone);
        return r.out.substr(r.out.find(texts::kBanner.en.view()) + texts::kBanner.en.size);
    };
    std::string lines;
    const int inTree[] = {1, 1, 0, 0, 1};
    const int weight[] = {4, 1, 3, 2, 5};
    for (int i = 0; i < 5; ++i)
        lines += formatted<texts::kEdgeLine>(Language::English, i, inTree[i], weight[i]);
    const int bones[] = {1, 3, 1, 1};
    const int degree[] = {2, 3, 3, 2};
    for (int i = 0; i < 4; ++i)
        lines += formatted<texts::kNodeLine>(Language::English, i, bones[i], degree[i]);
    EXPECT_EQ(english("1\n"), lines);
    lines.clear();
    const int loop[] = {1, 1, 1, 0, 0};
    for (int i = 0; i < 5; ++i)
        lines += formatted<texts::kOrientationLine>(Language::English, i, loop[i]);
    EXPECT_EQ(english("4\n1\n2\n"), lines);
}

TEST(dialogue, the_graph_file_is_read_by_the_same_rules_as_the_keyboard) {
    // The same description, typed and read from a file, gives the same report.
    const std::string graph = "3\n3\n0\n9\n1\nx\n5\n1\n2\n1\n2\n2\n-4\n";
    const std::string answers = "3\nn\n";
    GraphFile file(graph);
    const Transcript fromFile = run(file.path.c_str(), answers);
    const Transcript typed = run(nullptr, graph + answers);
    ASSERT_EQ(fromFile.status, kStatusDone);
    ASSERT_EQ(typed.status, kStatusDone);
    const std::string report = fromFile.out.substr(fromFile.out.find(">>VYSTUP<<"));
    EXPECT_EQ(typed.out.substr(typed.out.find(">>VYSTUP<<")), report);
    EXPECT_EQ(report,
              ">>VYSTUP<<\n"
              "hrana  0: v kostre= 1, vaha= 5\n"
              "hrana  1: v kostre= 1, vaha= 1\n"
              "hrana  2: v kostre= 0, vaha=-4\n"
              "uzel   0: kosti z= 1, smeru= 1\n"
              "uzel   1: kosti z= 2, smeru= 2\n"
              "uzel   2: kosti z= 1, smeru= 2\n");
    // Every refused value asked again, each prompt once per attempt.
    EXPECT_EQ(typed.out.substr(0, typed.out.find(kMenu)),
              "pocet hran: pocet uzlu : hrana 0 od uzlu: hrana 0 do uzlu: hrana 0 do uzlu: "
              "hrana 0 ma vahu: hrana 0 ma vahu: hrana 1 od uzlu: hrana 1 do uzlu: "
              "hrana 1 ma vahu: hrana 2 od uzlu: hrana 2 do uzlu: hrana 2 ma vahu: ");
}

}  // namespace
