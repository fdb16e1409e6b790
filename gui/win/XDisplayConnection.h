#pragma once
// The one X display connection that every editor window of the process shares: opened
// by the first window, closed with the last. A plug-in cannot call XInitThreads, so the
// connection is only used while holding its process-wide lock (see XErrorTrap). Errors
// on it are recorded here instead of reaching the host's error handler, which would end
// the host, and a lost connection marks it dead instead of exiting.

#include <cstdint>
#include <mutex>

struct _XDisplay;

// An X resource id (window, colormap, cursor, atom).
using XResourceId = unsigned long;

// The 24-bit TrueColor visual every editor window uses.
struct XVisualFormat {
  void* visual = nullptr;  // Visual*
  int depth = 0;
  unsigned long redMask = 0;
  unsigned long greenMask = 0;
  unsigned long blueMask = 0;
};

class XDisplayConnection {
 public:
  // The shared connection with one user more, or null when no display can be opened or
  // it offers no 24-bit TrueColor visual.
  static XDisplayConnection* Acquire();
  // One user fewer; the last one closes the connection.
  void Release();

  // Held around every use of the connection, by every thread.
  static std::recursive_mutex& Lock();

  _XDisplay* Handle() const { return display_; }
  // False once the server went away; nothing may be asked of it then.
  bool Alive() const { return alive_; }
  void MarkDead() { alive_ = false; }
  const XVisualFormat& Visual() const { return visual_; }
  XResourceId XEmbedInfoAtom() const { return xembedInfo_; }
  // The first event code of MIT-SHM, or -1 when the server does not offer it.
  int ShmEventBase() const { return shmEventBase_; }

  // Returns at once when events are queued, else when some arrive or after milliseconds.
  void WaitForEvents(int milliseconds);

  // Records an error the server reported for request serial about resource.
  void RecordError(unsigned long serial, int code, XResourceId resource);
  // Whether a request numbered serial or later failed.
  bool FailedSince(unsigned long serial) const;
  // Whether a request numbered serial or later failed because resource is gone.
  bool ResourceGoneSince(XResourceId resource, unsigned long serial) const;

 private:
  struct ErrorRecord {
    unsigned long serial = 0;
    int code = 0;
    XResourceId resource = 0;
  };
  static constexpr int kErrorMemory = 32;

  explicit XDisplayConnection(_XDisplay* display);
  ~XDisplayConnection();
  bool FindVisual();

  _XDisplay* display_;
  int users_ = 0;
  bool alive_ = true;
  XVisualFormat visual_;
  XResourceId xembedInfo_ = 0;
  int shmEventBase_ = -1;
  ErrorRecord errors_[kErrorMemory];
  unsigned long errorCount_ = 0;
};
