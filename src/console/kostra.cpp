// The process entry of kostra: standard input, standard output and standard error wired to the
// dialogue; its status becomes the exit status. "--help" and "--version" as the only or first
// argument are answered here instead (a graph file of either name is given as ./--help).
#include <unistd.h>

#include <string_view>

#include "Machine.h"
#include "Progress.h"
#include "Texts.h"
#include "main.h"

namespace {

// Writes the answer to an option; its status.
int answer(std::string_view option, Output& out, Output& err) {
    if (option == "--version") {
        out.print<"kostra %s\n">(KOSTRA_VERSION);
    } else {
        out.print<
            "pouziti: kostra [GRAF]\n"
            "         kostra --help | --version\n"
            "Nacte vazeny graf ze souboru GRAF, bez nej z klavesnice, nabidne pet uloh a vypise\n"
            "vysledek: kostru od uzlu s nejvyssim stupnem, minimalni kostru (Boruvka-Kruskal\n"
            "nebo Jarnik-Prim), nezavislou smycku nekostrove hrany nebo nezavisly rez kostrove\n"
            "hrany. Odpovedi na otazky cte ze standardniho vstupu.\n"
            "  GRAF       soubor s popisem grafu: pocet hran, pocet uzlu, pak od, do a vaha\n"
            "             kazde hrany, kazda hodnota na svem radku (soubor jmenem --help se\n"
            "             zadava jako ./--help)\n"
            "  --help     tato napoveda\n"
            "  --version  verze programu\n"
            "Varovani ke vstupu a napovedy k odpovedim pise na standardni chybovy vystup,\n"
            "a je-li to terminal, tez jak daleko je dlouha prace.\n"
            "Navratovy kod: 0 vysledek je vypsan, 1 soubor neni konzistentni popis grafu,\n"
            "2 soubor nelze otevrit, 3 vstup skoncil pred odpovedi, 4 nedostatek pameti,\n"
            "5 vystup nelze zapsat.\n">();
    }
    if (out.flush()) return kStatusDone;
    err.print<texts::kCannotWrite>();
    err.flush();
    return kStatusCannotWrite;
}

}  // namespace

int main(int argc, char** argv) {
    Output out(STDOUT_FILENO);
    Output err(STDERR_FILENO);
    const std::string_view first = argc > 1 ? argv[1] : "";
    if (first == "--help" || first == "--version") return answer(first, out, err);
    progress::showOn(STDERR_FILENO);
    useMachineProcessors();
    LineReader answers(STDIN_FILENO, &out);
    return runKostra(argc > 1 ? argv[1] : nullptr, answers, out, err, machineLimits());
}
