// The write procedure's frame around the dialog: the procedure itself lives in src/flash. While it
// runs, its one-message pump may dispatch a close request or a device removal; those defer the
// release of the buffers it uses until it has returned.
#include "app/korvane_dlg.h"
#include "flash/write_procedure.h"

namespace korvane {

void CKorvaneDlg::OnWrite() {
  // A click on the write button that reaches the dialog through the running write's pump is
  // refused without a report of its own: a nested write would share the running write's buffers
  // and channel. The running write reports for both ("PASS" or "FAIL", m_writeResult and
  // m_exitStatus).
  if (m_writesRunning > 0) {
    return;
  }
  ++m_writesRunning;
  RunWriteProcedure(
      WriteProcedureMembers{*this, *this, *this, m_flashImage.get(), m_writeResult, m_exitStatus},
      m_window, m_services.files, m_services.clock);
  --m_writesRunning;
  if (m_releaseDeferred) {
    ReleaseBuffers();
  }
}

}  // namespace korvane
