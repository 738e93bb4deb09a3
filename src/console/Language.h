// The language of a run, chosen alike by all three programs: the option --lang LANGUAGE (or
// --lang=LANGUAGE) among the options before the graph file, else the environment variable
// KOSTRA_LANG, else Czech. LANGUAGE is cs or en; the system's locale never decides it.
//
// A --lang option without a language it knows is a wrong command line: the program says so on
// standard error and ends with its status for one. An environment variable without one is only
// told (in both languages, as nobody knows which the reader wanted), and Czech is spoken.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "Format.h"
#include "Output.h"

// A value of the command line as a message quotes it: a control character shown as '?', so the
// message stays a line.
std::string shownValue(std::string_view value);

// The language a code names: "cs" or "en"; false for anything else.
bool languageNamed(std::string_view code, Language& language);

// How many arguments the --lang option at argv[at] takes (2 for "--lang en", 1 for "--lang=en"),
// 0 when argv[at] is no --lang option. at < argc.
int languageOptionLength(int argc, char* const* argv, int at);

// Chooses the language of a run of program from its arguments argv[1 .. argc - 1]: the last --lang
// option among the leading ones, which end at the first argument that is neither a --lang option
// nor one of flags (the program's other options; one that ends in '=' takes a value, given
// after '=' or as the next argument), or at "--". Without one, variable
// decides (KOSTRA_LANG's value; null when it is not set, and an empty value counts as not set).
// out, err and the progress line speak the language from then on. False when a --lang option
// names no language or has none: said on err, in the language chosen so far.
bool chooseLanguage(int argc, char* const* argv, std::initializer_list<std::string_view> flags,
                    const char* variable, Output& out, Output& err, std::string_view program);
