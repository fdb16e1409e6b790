#pragma once
// Pointer actions to replay in a plug-in's editor, read from a small text file with one
// action a line at editor coordinates:
//
//   press X Y          moves there and presses button 1
//   drag X Y           moves there with button 1 held
//   release X Y        moves there and releases button 1
//   wheel X Y STEPS    moves there and turns the wheel, up for STEPS > 0
//   double X Y         moves there and clicks button 1 twice
//   wait MS            lets MS milliseconds pass
//
// '#' starts a comment; blank lines are skipped. The replay carries out at most one
// action each time it is advanced, so that the editor sees every action on its own.

#include <chrono>
#include <string>
#include <vector>

class EditorWindow;

struct PointerAction {
  enum class Kind { Press, Drag, Release, Wheel, Double, Wait };

  Kind kind = Kind::Wait;
  int x = 0;
  int y = 0;
  int amount = 0;  // wheel steps (up > 0) or milliseconds to wait
  int line = 0;    // where it stands in the script, from 1
};

class PointerScript {
 public:
  using Clock = std::chrono::steady_clock;

  // Reads and parses the file at path; false with a one-line reason in error.
  static bool Load(const std::string& path, PointerScript* script, std::string* error);
  // Parses text; name stands for the file in errors ("script.txt:3: unknown action 'prss'").
  static bool Parse(const std::string& text, const std::string& name, PointerScript* script, std::string* error);

  const std::vector<PointerAction>& Actions() const { return actions_; }
  bool Empty() const { return actions_.empty(); }

  // Carries out the next action through window once a wait before it has passed.
  void Advance(EditorWindow& window, Clock::time_point now);
  bool Done() const { return next_ >= actions_.size(); }
  // The script line of the action to come; 0 once done.
  int NextLine() const { return Done() ? 0 : actions_[next_].line; }
  // Lets go of button 1 when a press has not been released yet (a run cut short).
  void ReleaseHeldButton(EditorWindow& window);

 private:
  bool ParseLine(const std::string& text, int line, std::string* reason);

  std::vector<PointerAction> actions_;
  bool pressedWhileParsing_ = false;
  size_t next_ = 0;
  Clock::time_point resumeAt_{};
  bool held_ = false;
};
