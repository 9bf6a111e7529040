#include "app/korvane_dlg.h"

#include "app/main_dialog_layout.h"
#include "device/enumerate_devices.h"
#include "image/find_image_files.h"
#include "image/load_firmware_file.h"
#include "image/load_parameter_file.h"
#include "platform/control_ids.h"
#include "platform/window_messages.h"

namespace korvane {
namespace {

constexpr Rgb kPassColour{0, 0, 255};
constexpr Rgb kFailColour{255, 0, 0};

}  // namespace

CKorvaneDlg::CKorvaneDlg(StationServices services)
    : m_hIcon(ctrl::kAppIcon), m_exitStatus(0), m_services(services), m_window(services.window) {}

// The buffers and the font were released by OnDestroy; the filters and lists go with the members.
CKorvaneDlg::~CKorvaneDlg() = default;

std::intptr_t CKorvaneDlg::OnMessage(std::uint32_t message, std::uintptr_t wParam,
                                     std::intptr_t lParam) {
  switch (message) {
    case msg::kTimer:
      OnTimer(wParam);
      return 0;
    case msg::kClose:
      OnClose();
      return 0;
    case msg::kDestroy:
      OnDestroy();
      return 0;
    case msg::kDeviceRemoved:
      return OnDeviceRemoved(wParam, lParam);
    case msg::kGraphEvent:
      return OnGraphEvent(wParam, lParam);
    case msg::kCommand:
      break;
    default:
      return 0;
  }

  const int id = msg::CommandId(wParam);
  const std::uint16_t code = msg::CommandCode(wParam);
  if (id == ctrl::kDeviceList) {
    if (code == msg::kLbnSelChange) {
      OnDeviceListSelChange();
    }
    return 0;
  }
  if (code != msg::kBnClicked) {
    return 0;
  }
  switch (id) {
    case ctrl::kEnumerateButton:
      EnumerateDevices();
      break;
    case ctrl::kOpenFirmwareButton:
      LoadFirmwareFile();
      break;
    case ctrl::kOpenParameterButton:
      LoadParameterFile();
      break;
    case ctrl::kWriteButton:
      OnWrite();
      break;
    case ctrl::kRadioAtmel:
      OnRadioAtmel();
      break;
    case ctrl::kRadioMxic:
      OnRadioMxic();
      break;
    case ctrl::kRadioSst:
      OnRadioSst();
      break;
    case ctrl::kRadioPflash:
      OnRadioPflash();
      break;
    case msg::kIdOk:
      OnOK();
      break;
    case msg::kIdCancel:
      OnCancel();
      break;
    default:
      break;
  }
  return 0;
}

std::optional<Rgb> CKorvaneDlg::OnCtlColor(int controlId, int ctlType) {
  if (ctlType != msg::kCtlColorStatic || controlId != ctrl::kResultBox) {
    return std::nullopt;
  }
  return m_writeResult == 1 ? kPassColour : kFailColour;
}

void CKorvaneDlg::OnCancel() {
  m_window.EndDialog(msg::kIdCancel);
}

void CKorvaneDlg::OnOK() {
  m_window.EndDialog(msg::kIdOk);
}

// LB_ERR is stored as it comes; WriteDeviceRegister and the write procedure never index the
// filter slots with a value outside 0 to 9.
void CKorvaneDlg::OnDeviceListSelChange() {
  m_selectedDevice = m_window.ListGetCurSel(ctrl::kDeviceList);
}

void CKorvaneDlg::CheckOnlyRadio(int controlId) {
  for (int radio : {ctrl::kRadioAtmel, ctrl::kRadioMxic, ctrl::kRadioSst, ctrl::kRadioPflash}) {
    m_window.SetCheck(radio, radio == controlId);
  }
}

void CKorvaneDlg::OnRadioAtmel() {
  CheckOnlyRadio(ctrl::kRadioAtmel);
}
void CKorvaneDlg::OnRadioMxic() {
  CheckOnlyRadio(ctrl::kRadioMxic);
}
void CKorvaneDlg::OnRadioSst() {
  CheckOnlyRadio(ctrl::kRadioSst);
}
void CKorvaneDlg::OnRadioPflash() {
  CheckOnlyRadio(ctrl::kRadioPflash);
}

void CKorvaneDlg::EnumerateDevices() {
  korvane::EnumerateDevices(*this, m_window, m_services.devices);
}

int CKorvaneDlg::FindImageFiles() {
  return korvane::FindImageFiles(*this, m_services.files);
}

void CKorvaneDlg::LoadFirmwareFile() {
  korvane::LoadFirmwareFile(*this, m_controllerKind, m_services.files, m_window);
}

void CKorvaneDlg::LoadParameterFile() {
  korvane::LoadParameterFile(*this, m_services.files, m_window);
}

}  // namespace korvane
