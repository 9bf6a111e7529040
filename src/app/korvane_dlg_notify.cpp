// Device notifications: the filter graph's events, and the removal of the camera.
#include "app/korvane_dlg.h"
#include "app/main_dialog_layout.h"
#include "device/enumerate_devices.h"
#include "platform/control_ids.h"
#include "platform/window_messages.h"

namespace korvane {

std::intptr_t CKorvaneDlg::OnGraphEvent(std::uintptr_t /*wParam*/, std::intptr_t /*lParam*/) {
  for (;;) {
    // Read afresh every time: discovery may have replaced the graph.
    std::shared_ptr<MediaEvents> events = m_mediaEvents;
    if (events == nullptr) {
      return 0;
    }
    std::int32_t code = 0;
    std::intptr_t param1 = 0;
    std::intptr_t param2 = 0;
    if (events->GetEvent(&code, &param1, &param2, 0) != status::kOk) {
      return 0;
    }
    events->FreeEventParams(code, param1, param2);
    if (code != kEcDeviceLost) {
      continue;
    }
    if (param2 == 0) {
      m_window.SendToWindow(msg::kDeviceRemoved, 0, 0);
      m_deviceMissing = 1;
      m_window.SetControlText(ctrl::kResultBox, "");
    } else if (param2 == 1) {
      EnumerateDevices();
    }
  }
}

std::intptr_t CKorvaneDlg::OnDeviceRemoved(std::uintptr_t /*wParam*/, std::intptr_t /*lParam*/) {
  for (int button : {ctrl::kReadButton, ctrl::kWriteRegisterButton, ctrl::kWriteButton,
                     ctrl::kCheckFirmwareButton}) {
    m_window.EnableControl(button, false);
  }
  m_window.SetControlText(ctrl::kInfoEdit, "");
  korvane::ReleaseDeviceFilters(*this);
  EmptyDeviceList(m_window);
  m_selectedDevice = 0;
  m_window.SetControlText(ctrl::kStatusLine, kStatusDeviceFailure);
  m_window.SetControlText(ctrl::kSerialText, "");
  OnCancel();
  return 0;
}

}  // namespace korvane
