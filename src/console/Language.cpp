#include "Language.h"

#include <string>

#include "Progress.h"
#include "Texts.h"

namespace {

constexpr std::string_view kOption = "--lang";

void speak(Language language, Output& out, Output& err) {
    out.speak(language);
    err.speak(language);
    progress::speak(language);
}

}  // namespace

std::string shownValue(std::string_view value) {
    std::string s(value);
    for (char& c : s)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
    return s;
}

bool languageNamed(std::string_view code, Language& language) {
    if (code == texts::kLanguageCode.cs.view()) {
        language = Language::Czech;
    } else if (code == texts::kLanguageCode.en.view()) {
        language = Language::English;
    } else {
        return false;
    }
    return true;
}

int languageOptionLength(int argc, char* const* argv, int at) {
    const std::string_view arg = argv[at];
    if (arg == kOption) return at + 1 < argc ? 2 : 1;
    return arg.starts_with(kOption) && arg[kOption.size()] == '=' ? 1 : 0;
}

bool chooseLanguage(int argc, char* const* argv, std::initializer_list<std::string_view> flags,
                    const char* variable, Output& out, Output& err, std::string_view program) {
    bool given = false;
    Language language = Language::Czech;
    // The language a message about the options is said in: the environment's, when it names one.
    Language fallback = Language::Czech;
    if (variable != nullptr) languageNamed(variable, fallback);
    for (int at = 1; at < argc;) {
        const std::string_view arg = argv[at];
        const int length = languageOptionLength(argc, argv, at);
        if (length == 0) {
            // A flag that ends in '=' takes a value, as "--layout=neato" or "--layout neato".
            int taken = 0;
            for (const std::string_view f : flags) {
                if (taken > 0) break;
                if (!f.ends_with('=')) {
                    taken = arg == f ? 1 : 0;
                } else if (arg == f.substr(0, f.size() - 1)) {
                    taken = at + 1 < argc ? 2 : 1;
                } else {
                    taken = arg.starts_with(f) ? 1 : 0;
                }
            }
            if (taken == 0) break;
            at += taken;
            continue;
        }
        if (arg == kOption && length == 1) {
            err.speak(given ? language : fallback);
            err.print<texts::kLanguageMissing>(program);
            return false;
        }
        const std::string_view code =
            length == 2 ? std::string_view(argv[at + 1]) : arg.substr(kOption.size() + 1);
        if (!languageNamed(code, language)) {
            err.speak(given ? language : fallback);
            err.print<texts::kUnknownLanguage>(shownValue(code), program);
            return false;
        }
        given = true;
        at += length;
    }
    if (!given && variable != nullptr && *variable != '\0' && !languageNamed(variable, language)) {
        err.write(
            formatted<texts::kUnknownLanguageVariable>(Language::Czech, shownValue(variable)));
        err.write(
            formatted<texts::kUnknownLanguageVariable>(Language::English, shownValue(variable)));
        language = Language::Czech;
    }
    speak(language, out, err);
    return true;
}
