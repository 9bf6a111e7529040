// Start-up and the auto-run timer: identify the camera, load both files, then one second later
// run the write procedure and end the dialog.
#include <new>

#include "app/korvane_dlg.h"
#include "app/main_dialog_layout.h"
#include "device/enumerate_devices.h"
#include "platform/control_ids.h"

namespace korvane {

FontSpec ResultFontSpec() {
  FontSpec spec;
  spec.height = 60;
  spec.width = 30;
  spec.weight = 400;           // FW_NORMAL
  spec.charSet = 0;            // ANSI_CHARSET
  spec.outPrecision = 0;       // OUT_DEFAULT_PRECIS
  spec.clipPrecision = 0;      // CLIP_DEFAULT_PRECIS
  spec.quality = 4;            // ANTIALIASED_QUALITY
  spec.pitchAndFamily = 0x20;  // DEFAULT_PITCH | FF_SWISS
  spec.faceName = "Courier New";
  return spec;
}

bool CKorvaneDlg::OnInitDialog() {
  m_window.SetWindowIcon(IconSize::kBig);
  m_window.SetWindowIcon(IconSize::kSmall);

  for (int edit : {ctrl::kEdit1005, ctrl::kEdit1006, ctrl::kEdit1008, ctrl::kEdit1009}) {
    m_window.SetControlText(edit, "0");
  }
  m_window.SetControlText(ctrl::kFirmwareNameEdit, "");
  m_window.SetControlText(ctrl::kParameterNameEdit, "");

  m_window.ComboSetCurSel(ctrl::kBankCombo1, 0);
  m_window.ComboSetCurSel(ctrl::kBankCombo2, 0);
  m_window.ListSetCurSel(ctrl::kDeviceList, 0);
  m_window.SetCheck(ctrl::kRadioMxic, true);

  m_window.ShowControl(ctrl::kRadioSst, false);
  m_window.ShowControl(ctrl::kRadioPflash, false);

  for (int button : {ctrl::kReadButton, ctrl::kWriteRegisterButton, ctrl::kSaveFirmwareButton,
                     ctrl::kSaveParameterButton, ctrl::kParameterPageButton, ctrl::kWriteButton,
                     ctrl::kCheckFirmwareButton}) {
    m_window.EnableControl(button, false);
  }
  m_window.ProgressSetPos(ctrl::kProgressBar, 0);

  ResetForInitDialog();
  if (!AllocateBuffers()) {
    OnCancel();
    return true;
  }

  EnumerateDevices();
  if (m_deviceMissing == 1) {
    m_window.EnableControl(ctrl::kWriteButton, false);
    m_window.SetControlText(ctrl::kStatusLine, kStatusDeviceFailure);
    m_window.SetControlText(ctrl::kSerialText, "");
    m_exitStatus = 0;
    m_window.SetTimer(kAutoRunTimerId, kAutoRunDelayMs);  // the write procedure reports FAIL
    return true;
  }

  m_window.SetControlText(ctrl::kStatusLine, kStatusDeviceReady);
  if (FindImageFiles() == 0) {
    m_window.EnableControl(ctrl::kWriteButton, false);
    m_window.SetControlText(ctrl::kStatusLine, kStatusFileNotFound);
    m_window.SetControlText(ctrl::kSerialText, "");
    return true;
  }

  if (!LoadBothFiles()) {
    HaltWith(kStatusOpenFileError);
    return true;
  }
  if (!MakeResultFont()) {
    HaltWith(kStatusInsufficientResource);
    return true;
  }
  m_window.SetTimer(kAutoRunTimerId, kAutoRunDelayMs);
  return true;
}

void CKorvaneDlg::ResetForInitDialog() {
  m_deviceMissing = 1;
  m_selectedDevice = 0;
  m_firmwareSum = 0;
  m_parameterSum = 0;
  m_resultFont = 0;
  m_controllerKind = 0;
  korvane::ReleaseDeviceFilters(*this);
  m_firmwareLines.clear();
  m_parameterLines.clear();
}

bool CKorvaneDlg::AllocateBuffers() {
  m_xuData.reset(new (std::nothrow) std::uint8_t[kXuDataLength]());
  m_flashImage.reset(new (std::nothrow) std::uint8_t[kFlashImageBytes]());
  return m_xuData != nullptr && m_flashImage != nullptr;
}

bool CKorvaneDlg::LoadBothFiles() {
  m_window.SetControlText(ctrl::kStatusLine, kStatusDeviceReady);
  m_window.SetControlText(ctrl::kFirmwareNameEdit, m_firmwarePath);
  m_window.SetControlText(ctrl::kParameterNameEdit, m_parameterPath);
  m_firmwareLoaded = 0;
  m_parameterLoaded = 0;
  LoadFirmwareFile();
  LoadParameterFile();
  return m_firmwareLoaded != 0 && m_parameterLoaded != 0;
}

bool CKorvaneDlg::MakeResultFont() {
  m_resultFont = m_window.MakeFont(ResultFontSpec());
  if (m_resultFont == 0) {
    return false;
  }
  m_window.SetControlFont(ctrl::kResultBox, m_resultFont, false);
  return true;
}

void CKorvaneDlg::HaltWith(std::string_view statusText) {
  m_window.EnableControl(ctrl::kWriteButton, false);
  m_window.SetControlText(ctrl::kStatusLine, statusText);
}

void CKorvaneDlg::OnTimer(std::uintptr_t /*timerId*/) {
  m_window.KillTimer(kAutoRunTimerId);
  m_exitStatus = 0;
  OnWrite();
  OnCancel();
}

}  // namespace korvane
