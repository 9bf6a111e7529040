// The write procedure's frame around the dialog: the procedure itself lives in src/flash. While it
// runs, its one-message pump may dispatch a close request or a device removal; those defer the
// release of the buffers it uses until it has returned.
#include "app/korvane_dlg.h"
#include "flash/write_procedure.h"

namespace korvane {

void CKorvaneDlg::OnWrite() {
  // The write button is disabled and the timer killed while a write runs; a nested write through
  // the pump would share the buffers of the running one.
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
