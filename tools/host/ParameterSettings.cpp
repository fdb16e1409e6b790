#include "tools/host/ParameterSettings.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <strings.h>

namespace {

std::string Trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The value without a trailing unit label ("3dB", "3 dB" for a parameter labelled dB).
std::string WithoutLabel(const std::string& value, const std::string& label) {
  if (label.empty() || value.size() <= label.size()) return value;
  const size_t at = value.size() - label.size();
  if (strcasecmp(value.c_str() + at, label.c_str()) != 0) return value;
  return Trimmed(value.substr(0, at));
}

enum class ValueForm { Number, NotANumber, Text };

ValueForm FormOf(const std::string& value) {
  if (value.empty()) return ValueForm::Text;
  errno = 0;
  char* end = nullptr;
  const double number = std::strtod(value.c_str(), &end);
  if (*end != '\0') return ValueForm::Text;
  return errno == ERANGE || !std::isfinite(number) ? ValueForm::NotANumber : ValueForm::Number;
}

bool ApplySetting(PluginModule& module, const ParameterSetting& setting, std::string* error) {
  const int index = FindParameter(module, setting.name);
  if (index < 0) {
    *error = "unknown parameter '" + setting.name + "' (see 'info' for the names)";
    return false;
  }
  const std::string name = module.ParameterName(index);
  const std::string badValue = "bad value '" + setting.value + "' for parameter " + name;
  std::string value = WithoutLabel(Trimmed(setting.value), module.ParameterLabel(index));
  const ValueForm form = FormOf(value);
  if (form == ValueForm::NotANumber) {
    *error = badValue;
    return false;
  }
  if (module.Dispatch(effString2Parameter, index, 0, &value[0]) == 0) {
    *error = badValue;
    return false;
  }
  // Plug-ins read unreadable text as 0; text is only good when it names a display value.
  if (form == ValueForm::Text && module.ParameterDisplay(index) != value) {
    *error = badValue;
    return false;
  }
  return true;
}

}  // namespace

int FindParameter(const PluginModule& module, const std::string& name) {
  int caseless = -1;
  for (int i = 0; i < module.ParameterCount(); ++i) {
    const std::string candidate = module.ParameterName(i);
    if (candidate == name) return i;
    if (caseless < 0 && strcasecmp(candidate.c_str(), name.c_str()) == 0) caseless = i;
  }
  return caseless;
}

bool ApplySettings(PluginModule& module, const std::vector<ParameterSetting>& settings, std::string* error) {
  for (const ParameterSetting& setting : settings) {
    if (!ApplySetting(module, setting, error)) return false;
  }
  return true;
}
