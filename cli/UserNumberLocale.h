#pragma once
// The user's regional settings for amounts, in quillora-cli without loading Qt unless needed.
#include <map>
#include <optional>
#include <string>

#include "spreadsheet/numbers/NumberLocale.h"

namespace quillora::cli {

// The conventions of a locale without regional settings (C or POSIX), and of United States
// English, as the regional settings of the GUI libraries give them.
engine::NumberLocale PlainConventions();

// The conventions of the environment `variables` (LC_ALL, LC_MESSAGES, LC_NUMERIC,
// LC_MONETARY, LANG, LANGUAGE; missing ones unset) when they are plainly those of C, POSIX or
// en_US, the way the GUI libraries read them; nothing when only those libraries can tell.
std::optional<engine::NumberLocale> PlainConventionsFor(const std::map<std::string, std::string>& variables);

// The user's regional settings, exactly as the drawing program and the windows take them:
// plain conventions when the environment names them, otherwise from the regional settings
// module beside the program (which loads QtCore). Throws when that module fails.
engine::NumberLocale UserNumberLocale();

// The module's file name, in the folder of the running program file.
inline constexpr const char* kRegionalModuleName = "quillora-cli-regional.so";

// NumberLocale as lines of text and back, the form the module hands it over in.
std::string NumberLocaleLines(const engine::NumberLocale& locale);
std::optional<engine::NumberLocale> NumberLocaleFromLines(const std::string& lines);

}  // namespace quillora::cli
