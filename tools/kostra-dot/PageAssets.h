// The page's script and styles, built into the program from page/stranka.js and page/stranka.css:
// the build writes PageAssets.cpp from them when it is configured, and again whenever they change.
#pragma once

#include <string_view>

namespace page {

extern const std::string_view kScript;
extern const std::string_view kStyle;
// "sha256-" and the script's SHA-256 in base64: the page's Content-Security-Policy lets this script
// alone run, so that nothing else that might reach the page can.
extern const std::string_view kScriptHash;

}  // namespace page
