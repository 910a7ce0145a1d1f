// quillora-cli-regional.so: the user's regional settings for amounts as the GUI libraries
// read them, loaded by quillora-cli only when the environment does not plainly name them,
// so its other work runs without QtCore.
#include <string>

#include "app/RegionalSettings.h"
#include "cli/UserNumberLocale.h"

// The settings as NumberLocaleLines() gives them; the text lives as long as the module.
extern "C" __attribute__((visibility("default"))) const char* quillora_regional_settings() {
  static const std::string lines = quillora::cli::NumberLocaleLines(quillora::SystemNumberLocale());
  return lines.c_str();
}
