#include "cli/UserNumberLocale.h"

#include <dlfcn.h>

#include <cstdlib>
#include <stdexcept>

#include "cli/DrawingProgram.h"

namespace quillora::cli {
namespace {

std::string Get(const std::map<std::string, std::string>& variables, const char* name) {
  const auto found = variables.find(name);
  return found == variables.end() ? std::string() : found->second;
}

std::string FirstSet(std::initializer_list<std::string> names) {
  for (const std::string& name : names)
    if (!name.empty()) return name;
  return {};
}

// en_US, maybe with a character set (en_US.UTF-8), without a modifier.
bool IsUnitedStatesEnglish(const std::string& name) {
  return (name == "en_US" || name.starts_with("en_US.")) && name.find('@') == std::string::npos;
}

}  // namespace

engine::NumberLocale PlainConventions() { return engine::UnitedStatesConventions(); }

std::optional<engine::NumberLocale> PlainConventionsFor(const std::map<std::string, std::string>& variables) {
  const std::string all = Get(variables, "LC_ALL"), lang = Get(variables, "LANG");
  // The language comes from LC_ALL, LC_MESSAGES or LANG; when it is C or POSIX (or none),
  // the conventions are the plain ones whatever LC_NUMERIC and LC_MONETARY say.
  const std::string language = FirstSet({all, Get(variables, "LC_MESSAGES"), lang});
  if (language.empty() || language == "C" || language == "POSIX") return PlainConventions();
  // LANGUAGE may override the language; numbers and money follow their own variables.
  if (!Get(variables, "LANGUAGE").empty()) return std::nullopt;
  const std::string numeric = FirstSet({all, Get(variables, "LC_NUMERIC"), lang});
  const std::string monetary = FirstSet({all, Get(variables, "LC_MONETARY"), lang});
  if (IsUnitedStatesEnglish(language) && IsUnitedStatesEnglish(numeric) && IsUnitedStatesEnglish(monetary))
    return PlainConventions();
  return std::nullopt;
}

engine::NumberLocale UserNumberLocale() {
  std::map<std::string, std::string> variables;
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LC_NUMERIC", "LC_MONETARY", "LANG", "LANGUAGE"})
    if (const char* value = std::getenv(name)) variables[name] = value;
  if (auto plain = PlainConventionsFor(variables)) return *plain;

  const std::string path = ProgramFolder() + kRegionalModuleName;
  void* module = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (module == nullptr)
    throw std::runtime_error(std::string("cannot load the regional settings module: ") + ::dlerror());
  using Settings = const char* (*)();
  const auto settings = reinterpret_cast<Settings>(::dlsym(module, "quillora_regional_settings"));
  const char* lines = settings != nullptr ? settings() : nullptr;
  const auto locale = lines != nullptr ? NumberLocaleFromLines(lines) : std::nullopt;
  if (!locale) throw std::runtime_error(path + " gave no regional settings");
  return *locale;  // the module stays loaded: unloading QtCore at exit gains nothing
}

}  // namespace quillora::cli
