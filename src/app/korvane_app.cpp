#include "app/korvane_app.h"

#include "platform/window_messages.h"

namespace korvane {

bool CKorvaneApp::InitInstance() {
  CKorvaneDlg dialog(m_services);
  const int result = dialog.DoModal();
  if (result == msg::kIdOk) {
    m_services.clock.Sleep(kExitWaitMs);
  } else if (result == msg::kIdCancel) {
    m_services.clock.Sleep(kExitWaitMs);
    m_exitCode = dialog.m_exitStatus;
  }
  return false;
}

}  // namespace korvane
