#pragma once
// The application: runs the main dialog once, waits five seconds after it has closed, and hands
// the process exit status to the caller: 1 only when the write procedure passed.
#include "app/korvane_dlg.h"

namespace korvane {

inline constexpr std::uint32_t kExitWaitMs = 5000;

class CKorvaneApp {
 public:
  explicit CKorvaneApp(StationServices services) : m_services(services) {}

  // Runs the dialog modally and sets the exit code. Returns false in every case: there is no
  // message loop of the application's own.
  bool InitInstance();
  // The process exit code.
  int ExitInstance() const { return m_exitCode; }

 private:
  StationServices m_services;
  // Written once, by InitInstance; 0 until then.
  int m_exitCode = 0;
};

}  // namespace korvane
