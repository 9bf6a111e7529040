// Closing and destruction. Each release tests for null and leaves null behind, so OnDestroy after
// OnClose releases nothing twice. While a write procedure runs, its one-message pump may dispatch
// a close request: the buffers it uses are then released once it has returned.
#include "app/korvane_dlg.h"

namespace korvane {

void CKorvaneDlg::OnClose() {
  ReleaseBuffers();
  OnCancel();
}

void CKorvaneDlg::OnDestroy() {
  ReleaseBuffers();
  ReleaseResultFont();
}

void CKorvaneDlg::ReleaseBuffers() {
  if (m_writesRunning > 0) {
    m_releaseDeferred = true;
    return;
  }
  m_releaseDeferred = false;
  m_xuData.reset();
  m_flashImage.reset();
}

void CKorvaneDlg::ReleaseResultFont() {
  if (m_resultFont != 0) {
    m_window.DeleteFontHandle(m_resultFont);
    m_resultFont = 0;
  }
}

}  // namespace korvane
