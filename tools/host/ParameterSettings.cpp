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

ValueForm FormOf(const std::string& value, double* number = nullptr) {
  if (value.empty()) return ValueForm::Text;
  errno = 0;
  char* end = nullptr;
  const double parsed = std::strtod(value.c_str(), &end);
  if (*end != '\0') return ValueForm::Text;
  if (number) *number = parsed;
  return errno == ERANGE || !std::isfinite(parsed) ? ValueForm::NotANumber : ValueForm::Number;
}

bool IsNormalisedForm(const std::string& value) {
  return value.size() > 1 && (value.back() == 'n' || value.back() == 'N') &&
         FormOf(value.substr(0, value.size() - 1)) == ValueForm::Number;
}

bool IsNormalisedValue(const std::string& number, double* value) {
  return FormOf(number, value) == ValueForm::Number && *value >= 0.0 && *value <= 1.0;
}

void SetNormalised(PluginModule& module, int index, double value) {
  AEffect& effect = module.Effect();
  if (effect.setParameter) effect.setParameter(&effect, index, static_cast<float>(value));
}

// Sends text to the plug-in's text entry; false when the plug-in refuses it.
bool EnterText(const PluginModule& module, int index, std::string text) {
  return module.Dispatch(effString2Parameter, index, 0, &text[0]) != 0;
}

bool ApplySetting(PluginModule& module, const ParameterSetting& setting, std::string* error) {
  const int index = FindParameter(module, setting.name);
  if (index < 0) {
    *error = "unknown parameter '" + setting.name + "' (see 'params' for the names)";
    return false;
  }
  const std::string name = module.ParameterName(index);
  const std::string given = Trimmed(setting.value);
  double normalised = 0.0;
  if (IsNormalisedForm(given)) {
    if (!IsNormalisedValue(given.substr(0, given.size() - 1), &normalised)) {
      *error = "bad normalised value '" + given + "' for parameter " + name + " (0 to 1)";
      return false;
    }
    SetNormalised(module, index, normalised);
    return true;
  }
  const std::string badValue = "bad value '" + setting.value + "' for parameter " + name;
  const std::string value = WithoutLabel(given, module.ParameterLabel(index));
  const ValueForm form = FormOf(value);
  if (form == ValueForm::NotANumber) {
    *error = badValue;
    return false;
  }
  if (EnterText(module, index, value)) {
    // Plug-ins read unreadable text as 0; text is only good when it names a display value.
    if (form == ValueForm::Text && module.ParameterDisplay(index) != value) {
      *error = badValue;
      return false;
    }
    return true;
  }
  if (TakesText(module, index)) {
    *error = badValue;
    return false;
  }
  if (!IsNormalisedValue(value, &normalised)) {
    *error = name + " does not accept text values; give a normalised value 0..1 like " + name + "=0.5n";
    return false;
  }
  SetNormalised(module, index, normalised);
  return true;
}

bool IsIndex(const std::string& text) {
  return !text.empty() && text.size() < 10 && text.find_first_not_of("0123456789") == std::string::npos;
}

}  // namespace

int FindParameter(const PluginModule& module, const std::string& name) {
  int caseless = -1;
  for (int i = 0; i < module.ParameterCount(); ++i) {
    const std::string candidate = module.ParameterName(i);
    if (candidate == name) return i;
    if (caseless < 0 && strcasecmp(candidate.c_str(), name.c_str()) == 0) caseless = i;
  }
  if (caseless < 0 && IsIndex(name) && std::atoi(name.c_str()) < module.ParameterCount()) {
    return std::atoi(name.c_str());
  }
  return caseless;
}

bool TakesText(const PluginModule& module, int index) {
  AEffect& effect = module.Effect();
  if (!effect.getParameter || !effect.setParameter) return false;
  const float value = effect.getParameter(&effect, index);
  const bool takes = EnterText(module, index, module.ParameterDisplay(index));
  effect.setParameter(&effect, index, value);
  return takes;
}

bool ApplySettings(PluginModule& module, const std::vector<ParameterSetting>& settings, std::string* error) {
  for (const ParameterSetting& setting : settings) {
    if (!ApplySetting(module, setting, error)) return false;
  }
  return true;
}
