#include "tools/host/PointerScript.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include "tools/host/EditorWindow.h"

namespace {

constexpr int kLeftButton = 1;
constexpr int kWheelUpButton = 4;
constexpr int kWheelDownButton = 5;
constexpr int kLargestCoordinate = 32767;  // X coordinates are 16-bit
constexpr int kLargestWheelSteps = 1000;
constexpr int kLongestWaitMs = 3600 * 1000;

struct ActionForm {
  const char* name;
  PointerAction::Kind kind;
  int values;  // how many numbers follow the name
};

constexpr ActionForm kActionForms[] = {
    {"press", PointerAction::Kind::Press, 2},   {"drag", PointerAction::Kind::Drag, 2},
    {"release", PointerAction::Kind::Release, 2}, {"wheel", PointerAction::Kind::Wheel, 3},
    {"double", PointerAction::Kind::Double, 2}, {"wait", PointerAction::Kind::Wait, 1},
};

const ActionForm* FindForm(const std::string& name) {
  for (const ActionForm& form : kActionForms) {
    if (name == form.name) return &form;
  }
  return nullptr;
}

bool ParseInteger(const std::string& text, int lowest, int highest, int* value) {
  errno = 0;
  char* end = nullptr;
  const long number = std::strtol(text.c_str(), &end, 10);
  if (*end != '\0' || errno != 0 || number < lowest || number > highest) return false;
  *value = static_cast<int>(number);
  return true;
}

// Reads the numbers after the action's name into it.
bool ParseValues(const std::vector<std::string>& words, PointerAction* action, std::string* reason) {
  if (action->kind == PointerAction::Kind::Wait) {
    if (ParseInteger(words[1], 0, kLongestWaitMs, &action->amount)) return true;
    *reason = "bad wait '" + words[1] + "' (milliseconds, 0 to " + std::to_string(kLongestWaitMs) + ")";
    return false;
  }
  for (size_t i = 1; i <= 2; ++i) {
    if (!ParseInteger(words[i], 0, kLargestCoordinate, i == 1 ? &action->x : &action->y)) {
      *reason = "bad coordinate '" + words[i] + "' (0 to " + std::to_string(kLargestCoordinate) + ")";
      return false;
    }
  }
  if (action->kind != PointerAction::Kind::Wheel) return true;
  if (ParseInteger(words[3], -kLargestWheelSteps, kLargestWheelSteps, &action->amount) && action->amount != 0) {
    return true;
  }
  *reason = "bad wheel steps '" + words[3] + "' (a whole number other than 0, up when positive)";
  return false;
}

std::vector<std::string> Words(const std::string& line) {
  std::istringstream stream(line.substr(0, line.find('#')));
  std::vector<std::string> words;
  std::string word;
  while (stream >> word) words.push_back(word);
  return words;
}

std::string ValueCountText(const ActionForm& form) {
  switch (form.kind) {
    case PointerAction::Kind::Wheel: return "X Y STEPS";
    case PointerAction::Kind::Wait: return "MS";
    default: return "X Y";
  }
}

}  // namespace

bool PointerScript::Load(const std::string& path, PointerScript* script, std::string* error) {
  std::ifstream file(path);
  std::stringstream text;
  if (file.is_open()) text << file.rdbuf();
  if (!file.is_open() || file.bad()) {
    *error = "cannot read script " + path + ": " + std::strerror(errno);
    return false;
  }
  return Parse(text.str(), path, script, error);
}

bool PointerScript::Parse(const std::string& text, const std::string& name, PointerScript* script,
                          std::string* error) {
  *script = PointerScript{};
  std::istringstream lines(text);
  std::string line;
  for (int number = 1; std::getline(lines, line); ++number) {
    std::string reason;
    if (!script->ParseLine(line, number, &reason)) {
      *error = name + ":" + std::to_string(number) + ": " + reason;
      return false;
    }
  }
  return true;
}

bool PointerScript::ParseLine(const std::string& text, int line, std::string* reason) {
  const std::vector<std::string> words = Words(text);
  if (words.empty()) return true;
  const ActionForm* form = FindForm(words[0]);
  if (!form) {
    *reason = "unknown action '" + words[0] + "'";
    return false;
  }
  if (static_cast<int>(words.size()) != form->values + 1) {
    *reason = words[0] + " takes " + ValueCountText(*form);
    return false;
  }
  PointerAction action;
  action.kind = form->kind;
  action.line = line;
  if (!ParseValues(words, &action, reason)) return false;
  const bool needsHeld = action.kind == PointerAction::Kind::Drag || action.kind == PointerAction::Kind::Release;
  const bool needsFree = action.kind == PointerAction::Kind::Press || action.kind == PointerAction::Kind::Double;
  if (needsHeld && !pressedWhileParsing_) {
    *reason = words[0] + " without a press before it";
    return false;
  }
  if (needsFree && pressedWhileParsing_) {
    *reason = words[0] + " while the button is still held (release it first)";
    return false;
  }
  if (action.kind == PointerAction::Kind::Press) pressedWhileParsing_ = true;
  if (action.kind == PointerAction::Kind::Release) pressedWhileParsing_ = false;
  actions_.push_back(action);
  return true;
}

void PointerScript::Advance(EditorWindow& window, Clock::time_point now) {
  if (Done() || now < resumeAt_) return;
  const PointerAction& action = actions_[next_++];
  if (action.kind == PointerAction::Kind::Wait) {
    resumeAt_ = now + std::chrono::milliseconds(action.amount);
    return;
  }
  window.MovePointer(action.x, action.y);
  switch (action.kind) {
    case PointerAction::Kind::Press:
      window.SetButton(kLeftButton, true);
      held_ = true;
      break;
    case PointerAction::Kind::Release:
      window.SetButton(kLeftButton, false);
      held_ = false;
      break;
    case PointerAction::Kind::Wheel: {
      const int button = action.amount > 0 ? kWheelUpButton : kWheelDownButton;
      for (int step = 0; step < std::abs(action.amount); ++step) {
        window.SetButton(button, true);
        window.SetButton(button, false);
      }
      break;
    }
    case PointerAction::Kind::Double:
      for (int click = 0; click < 2; ++click) {
        window.SetButton(kLeftButton, true);
        window.SetButton(kLeftButton, false);
      }
      break;
    default:
      break;  // a drag only moves
  }
}

void PointerScript::ReleaseHeldButton(EditorWindow& window) {
  if (held_) window.SetButton(kLeftButton, false);
  held_ = false;
}
