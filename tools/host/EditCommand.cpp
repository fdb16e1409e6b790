#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>

#include "raster/MemBitmap.h"
#include "raster/PngWriter.h"
#include "tools/host/Commands.h"
#include "tools/host/EditorWindow.h"
#include "tools/host/HostServices.h"
#include "tools/host/PluginModule.h"
#include "tools/host/PluginSetup.h"
#include "tools/host/PointerScript.h"
#include "tools/host/SafeOutputFile.h"
#include "tools/host/StopSignals.h"
#include "tools/host/XErrorLog.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr auto kIdleInterval = std::chrono::milliseconds(20);
// By then the editor has drawn: a script starts, a screenshot may be taken.
constexpr auto kScriptStart = std::chrono::milliseconds(300);
constexpr auto kScreenshotDelay = std::chrono::milliseconds(500);
// Time for the editor to show a script's last action before the picture or the end.
constexpr auto kSettle = std::chrono::milliseconds(200);
// How long an editor opened for a screenshot or a script stays at least without --seconds.
constexpr auto kShortRun = std::chrono::seconds(1);
constexpr double kSampleRate = 44100.0;
constexpr int32_t kBlockSize = 512;
// The window's size until an editor that does not tell its size beforehand is open.
constexpr int kFallbackWidth = 400;
constexpr int kFallbackHeight = 300;

struct EditorSize {
  int width = 0;
  int height = 0;
};

// effEditGetRect's answer, when it gives a rectangle with an area.
bool AskEditorSize(const PluginModule& module, EditorSize* size) {
  ERect* rect = nullptr;
  module.Dispatch(effEditGetRect, 0, 0, &rect);
  if (!rect || rect->right <= rect->left || rect->bottom <= rect->top) return false;
  *size = {rect->right - rect->left, rect->bottom - rect->top};
  return true;
}

std::string EffectTitle(const PluginModule& module) {
  const std::string name = module.QueryText(effGetEffectName);
  if (!name.empty()) return name;
  const size_t slash = module.Path().rfind('/');
  return slash == std::string::npos ? module.Path() : module.Path().substr(slash + 1);
}

// As a workstation prepares a plug-in before anyone sees its editor: opened, told the
// sample rate and block size, given the command line's settings and switched on.
bool PrepareForEditing(PluginModule& module, const CommandLine& line, std::string* error) {
  HostServices& host = HostServices::Instance();
  host.SetSampleRate(kSampleRate);
  host.SetBlockSize(kBlockSize);
  module.Open();
  module.Dispatch(effSetSampleRate, 0, 0, nullptr, static_cast<float>(kSampleRate));
  module.Dispatch(effSetBlockSize, 0, kBlockSize);
  if (!ConfigurePlugin(module, line, error)) return false;
  module.Dispatch(effMainsChanged, 0, 1);
  return true;
}

// Creates the window, has the plug-in open its editor in it and shows it at the size the
// editor asks for once open. False when the plug-in opens no editor.
bool OpenEditor(PluginModule& module, EditorWindow& window, EditorSize* size, std::string* error) {
  if (!AskEditorSize(module, size)) *size = {kFallbackWidth, kFallbackHeight};
  window.Create(EffectTitle(module), size->width, size->height);
  const intptr_t opened = module.Dispatch(effEditOpen, 0, reinterpret_cast<intptr_t>(window.NativeDisplay()),
                                          reinterpret_cast<void*>(window.WindowId()));
  if (!opened) {
    *error = module.Path() + " has no editor: effEditOpen answered 0";
    return false;
  }
  EditorSize open;
  if (AskEditorSize(module, &open) && (open.width != size->width || open.height != size->height)) {
    *size = open;
    window.Resize(size->width, size->height);
  }
  window.Show();
  return true;
}

// One line for each parameter change the editor reports to the host.
void PrintParameterRequests(const PluginModule& module, const std::vector<HostRequest>& requests) {
  for (const HostRequest& request : requests) {
    if (request.opcode != audioMasterAutomate && request.opcode != audioMasterBeginEdit &&
        request.opcode != audioMasterEndEdit) {
      continue;
    }
    const bool known = request.index >= 0 && request.index < module.ParameterCount();
    const std::string name = known ? module.ParameterName(request.index) : "?";
    std::printf("%-21s %3d  %s", HostServices::OpcodeName(request.opcode), request.index, name.c_str());
    if (request.opcode == audioMasterAutomate) {
      const std::string text = known ? module.ParameterText(request.index) : "";
      std::printf("  %.4f  \"%s\"", request.opt, text.c_str());
    }
    std::printf("\n");
  }
  std::fflush(stdout);
}

bool WriteScreenshot(EditorWindow& window, SafeOutputFile& file, std::string* error) {
  window.Sync();
  PIX_MemBitmap pixels;
  std::string reason;
  if (!window.Capture(&pixels, &reason)) {
    *error = "cannot take a screenshot: " + reason;
    return false;
  }
  std::vector<unsigned char> png;
  if (!PIX_EncodePng(pixels, &png)) {
    *error = "cannot encode the screenshot as PNG";
    return false;
  }
  if (!file.Write(png.data(), png.size(), error) || !file.Commit(error)) return false;
  std::printf("wrote %s (%d x %d)\n", file.Path().c_str(), pixels.Width(), pixels.Height());
  std::fflush(stdout);
  return true;
}

// The open editor, idled every 20 ms while its window's events are handled, the script
// replayed and the screenshot taken, until the run is over.
class EditorRun {
 public:
  EditorRun(const CommandLine& line, PluginModule& module, EditorWindow& window, PointerScript& script,
            SafeOutputFile* picture)
      : line_(line), module_(module), window_(window), script_(script), picture_(picture) {}

  bool Run(const StopSignals& stop, std::string* error) {
    Clock::time_point tick = start_;
    for (;;) {
      window_.HandleEvents();
      const Clock::time_point now = Clock::now();
      AdvanceScript(now);
      module_.Dispatch(effEditIdle);
      PrintParameterRequests(module_, HostServices::Instance().TakeRecorded());
      if (picture_ && !pictureTaken_ && Settled(now) && now - start_ >= kScreenshotDelay && !TakePicture(error)) {
        script_.ReleaseHeldButton(window_);
        return false;
      }
      if (window_.Closed() || stop.Requested() || Over(now)) break;
      tick = std::max(tick + kIdleInterval, now);
      std::this_thread::sleep_until(tick);
    }
    if (!script_.Done()) std::printf("the script stopped before line %d\n", script_.NextLine());
    script_.ReleaseHeldButton(window_);
    if (!picture_ || pictureTaken_) return true;
    // Like the other commands, a signal leaves an existing file as it was.
    if (stop.Requested()) {
      *error = "stopped before the screenshot was taken; " + picture_->Path() + " is unchanged";
      return false;
    }
    return TakePicture(error);
  }

 private:
  void AdvanceScript(Clock::time_point now) {
    if (script_.Done() || now - start_ < kScriptStart) return;
    script_.Advance(window_, now);
    if (script_.Done()) settledAt_ = now + kSettle;
  }

  bool Settled(Clock::time_point now) const { return script_.Done() && now >= settledAt_; }

  // Whether the run is over by the clock: --seconds, or for a screenshot or a script
  // without it, about a second and the script's end.
  bool Over(Clock::time_point now) const {
    if (line_.seconds > 0.0) return now - start_ >= std::chrono::duration<double>(line_.seconds);
    if (!picture_ && script_.Empty()) return false;
    return Settled(now) && (!picture_ || pictureTaken_) && now - start_ >= kShortRun;
  }

  bool TakePicture(std::string* error) {
    pictureTaken_ = true;
    return WriteScreenshot(window_, *picture_, error);
  }

  const CommandLine& line_;
  PluginModule& module_;
  EditorWindow& window_;
  PointerScript& script_;
  SafeOutputFile* picture_;
  bool pictureTaken_ = false;
  const Clock::time_point start_ = Clock::now();
  Clock::time_point settledAt_ = start_ + kScriptStart + kSettle;
};

}  // namespace

bool RunEdit(const CommandLine& line, std::string* error) {
  PointerScript script;
  if (!line.scriptPath.empty() && !PointerScript::Load(line.scriptPath, &script, error)) return false;
  SafeOutputFile picture;
  const bool wantsPicture = !line.screenshotPath.empty();
  if (wantsPicture && !picture.Open(line.screenshotPath, {line.scriptPath, line.statePath}, error)) return false;
  std::unique_ptr<PluginModule> module = PluginModule::Load(line.modulePath, error);
  if (!module) return false;
  if (!(module->Effect().flags & effFlagsHasEditor)) {
    *error = line.modulePath + " has no editor";
    return false;
  }
  // Installed before the editor opens, so that a signal while it opens also ends the run in order.
  const StopSignals stop;
  const XErrorLog xErrors;
  std::unique_ptr<EditorWindow> window = EditorWindow::Connect(error);
  if (!window) return false;
  if (!script.Empty() && !window->CanMovePointer(error)) return false;
  if (!PrepareForEditing(*module, line, error)) return false;
  HostServices& host = HostServices::Instance();
  host.StartRecording();
  EditorSize size;
  if (!OpenEditor(*module, *window, &size, error)) return false;
  std::printf("editing %s: %d x %d\n", EffectTitle(*module).c_str(), size.width, size.height);
  std::fflush(stdout);
  EditorRun run(line, *module, *window, script, wantsPicture ? &picture : nullptr);
  const bool ran = run.Run(stop, error);
  module->Dispatch(effEditClose);
  PrintParameterRequests(*module, host.StopRecording());
  module->Dispatch(effMainsChanged, 0, 0);
  module->Close();
  if (xErrors.Count() > 0) {
    std::printf("X errors: %d, the first: %s\n", xErrors.Count(), xErrors.FirstError(window->NativeDisplay()).c_str());
  }
  return ran;
}
