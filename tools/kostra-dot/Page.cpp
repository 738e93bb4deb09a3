#include "Page.h"

#include <cstddef>
#include <vector>

#include "CGraph.h"
#include "Drawing.h"
#include "Output.h"
#include "PageAssets.h"
#include "Replay.h"
#include "Texts.h"
#include "Transcript.h"

namespace {

// A control character: C0, DEL or C1.
bool isControl(std::string_view character) {
    const auto c = static_cast<unsigned char>(character[0]);
    if (character.size() == 1) return c < 0x20 || c == 0x7F;
    return character.size() == 2 && c == 0xC2 && static_cast<unsigned char>(character[1]) < 0xA0;
}

// Writes s as HTML text, fit for an element's content and for a quoted attribute value: &, <, >,
// " and ' as references; a byte that begins no valid UTF-8 sequence, and a control character, as
// U+FFFD. So no name, whatever its bytes, can end an element, open one or break the page's
// encoding.
void writeText(std::string_view s, Output& out) {
    for (std::size_t i = 0; i < s.size();) {
        const std::size_t length = utf8SequenceLength(s, i);
        const std::string_view character = s.substr(i, length == 0 ? 1 : length);
        i += character.size();
        if (length == 0 || isControl(character)) {
            out.write("\xEF\xBF\xBD");
        } else if (character == "&") {
            out.write("&amp;");
        } else if (character == "<") {
            out.write("&lt;");
        } else if (character == ">") {
            out.write("&gt;");
        } else if (character == "\"") {
            out.write("&quot;");
        } else if (character == "'") {
            out.write("&#39;");
        } else {
            out.write(character);
        }
    }
}

// The page's title: the task, and for tasks 2 and 3 the method when the run narrated.
void writePageTask(const Transcript& t, Output& out) {
    const bool minimum = t.task == Task::BoruvkaKruskal;
    if (t.task == Task::Skeleton) out.print<texts::kPageTask1>();
    if (minimum && !t.narrated) out.print<texts::kPageTask2>();
    if (minimum && t.narrated && t.method == Method::BoruvkaKruskal)
        out.print<texts::kPageTaskKruskal>();
    if (minimum && t.narrated && t.method == Method::JarnikPrim) out.print<texts::kPageTaskPrim>();
    if (t.task == Task::Loop) out.print<texts::kPageTask4>(t.chosen);
    if (t.task == Task::Cut) out.print<texts::kPageTask5>(t.chosen);
}

}  // namespace

void writePage(const CGraph& g, const Transcript& t, const Replay& r, std::string_view svg,
               std::string_view path, Output& out) {
    out.print<"<!DOCTYPE html>\n<html lang=\"%s\" class=\"kr-stranka\">\n">(
        texts::kLanguageCode.in(out.language()));
    out.print<
        "<head>\n<meta charset=\"utf-8\">\n"
        "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'none'; "
        "style-src 'unsafe-inline'; script-src '%s'\">\n"
        "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n<title>">(
        page::kScriptHash);
    writePageTask(t, out);
    out.print<" - ">();
    writeText(path, out);
    out.print<"</title>\n<style>\n%s</style>\n</head>\n">(page::kStyle);
    out.print<"<body data-krok=\"0\" data-kroku=\"%d\">\n<header id=\"hlavicka\">\n<h1>">(
        static_cast<int>(r.steps.size()));
    writePageTask(t, out);
    out.print<"</h1>\n<p>">();
    out.print<texts::kPageGraph>();
    out.print<"<code id=\"soubor\">">();
    writeText(path, out);
    out.print<"</code>">();
    out.print<texts::kPageCounts>(g.nodeCount, g.edgeCount);
    out.print<"</p>\n</header>\n<main id=\"prehravac\">\n">();
    out.write(svg);
    out.print<"\n</main>\n<script type=\"application/json\" id=\"data\">\n">();
    writePageData(g, t, r, out);
    out.print<"\n</script>\n<script type=\"application/json\" id=\"words\">\n">();
    writePageWords(out);
    out.print<"\n</script>\n<script>%s</script>\n</body>\n</html>\n">(page::kScript);
}
