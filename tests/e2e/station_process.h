#pragma once
// The station as a child process: started with no input (so that message boxes do not wait),
// its output captured while it runs, signalled, and waited for.
#include <sys/types.h>

#include <string>
#include <string_view>
#include <vector>

namespace korvane::testing {

struct StationEnd {
  bool exited = false;  // false: ended by a signal, or never started
  int exitStatus = -1;
  int signal = 0;
  std::string out;
  std::string err;
};

class StationProcess {
 public:
  // Runs `executable` with `arguments` in the directory `workingDirectory`.
  StationProcess(const std::string& executable, const std::vector<std::string>& arguments,
                 const std::string& workingDirectory);
  // A station still running is killed and reaped.
  ~StationProcess();
  StationProcess(const StationProcess&) = delete;
  StationProcess& operator=(const StationProcess&) = delete;

  bool Started() const { return m_pid > 0; }
  // Reads the output until standard output holds `text`; false when the output ended first.
  bool WaitForOutput(std::string_view text);
  // Standard output as read so far.
  const std::string& OutputSoFar() const { return m_end.out; }
  // True while the process has not ended.
  bool Running();
  void Signal(int signalNumber);
  // Reads the output to its end and waits for the exit status.
  StationEnd Finish();

 private:
  // Reads what is ready on either stream, waiting at most `waitMs`; false once both have ended.
  bool ReadSome(int waitMs);

  pid_t m_pid = -1;
  int m_out = -1;
  int m_err = -1;
  bool m_reaped = false;
  StationEnd m_end;
};

// A scratch working directory, removed with everything in it.
class ScratchDirectory {
 public:
  ScratchDirectory();
  ~ScratchDirectory();
  ScratchDirectory(const ScratchDirectory&) = delete;
  ScratchDirectory& operator=(const ScratchDirectory&) = delete;

  const std::string& Path() const { return m_path; }
  std::string PathOf(const std::string& name) const { return m_path + "/" + name; }
  void Write(const std::string& name, const std::string& bytes) const;
  bool Has(const std::string& name) const;
  std::string Read(const std::string& name) const;

 private:
  std::string m_path;
};

}  // namespace korvane::testing
