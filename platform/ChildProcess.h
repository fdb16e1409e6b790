#pragma once
// Runs programs as child processes by their argument vectors, never through a shell: every
// argument reaches the program exactly as given.

#include <functional>
#include <string>
#include <vector>

// Called about every 20 ms while a child runs (the editor pumps its window events there);
// false ends the wait and the child.
using WaitPump = std::function<bool()>;

struct ChildRun {
  bool started = false;   // the program was found and a process created for it
  bool exited = false;    // it exited by itself; false when it was ended or lost
  int exitStatus = -1;    // its exit status when it exited (127: it could not be executed)
  std::string output;     // what it wrote to its standard output (the first 64 KiB)
};

// The path of the executable file that runs for name: name itself when it holds a '/',
// else the first match in the folders of PATH (empty entries, which would mean the working
// folder, are skipped). Empty when there is none.
std::string FindProgram(const std::string& name);

// The output of a child that exited with status 0 and wrote one line, without its line
// end; empty otherwise.
std::string OneLineAnswer(const ChildRun& run);

// Runs argv[0], found through FindProgram, with standard input from /dev/null and standard
// output captured, and waits for it. The wait also ends, ending the child and whatever it
// started in its process group, when pump returns false or after timeoutMs (0: no limit).
ChildRun RunProgram(const std::vector<std::string>& argv, const WaitPump& pump, int timeoutMs = 0);

// Starts argv[0] in a session of its own and leaves it running. True when it started and
// has either not ended after settleMs or exited with status 0 within that time.
bool StartDetached(const std::vector<std::string>& argv, int settleMs);
