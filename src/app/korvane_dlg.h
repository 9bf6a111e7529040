#pragma once
// The main dialog: all state of one run, and the handlers of its message map. The members the
// logic folders share come from their state slices; the handlers are thin wiring around the
// operations of src/device, src/image and src/flash.
#include <cstdint>
#include <memory>
#include <optional>

#include "device/device_state.h"
#include "flash/header_fields.h"
#include "image/image_files_state.h"
#include "platform/capture_devices.h"
#include "platform/clock.h"
#include "platform/dialog_window.h"
#include "platform/file_system.h"

namespace korvane {

// The platform services the dialog works through.
struct StationServices {
  DialogWindow& window;
  CaptureSystem& devices;
  FileSystem& files;
  Clock& clock;
};

inline constexpr std::uint32_t kAutoRunTimerId = 0;
inline constexpr std::uint32_t kAutoRunDelayMs = 1000;
inline constexpr std::size_t kFlashImageBytes = 0xFFFF;  // 65,535, not 65,536

// The large font of the result box.
FontSpec ResultFontSpec();

class CKorvaneDlg : public DialogHandler,
                    public DeviceState,
                    public HeaderFields,
                    public ImageFilesState {
 public:
  explicit CKorvaneDlg(StationServices services);
  ~CKorvaneDlg() override;
  CKorvaneDlg(const CKorvaneDlg&) = delete;
  CKorvaneDlg& operator=(const CKorvaneDlg&) = delete;

  int DoModal() { return m_services.window.DoModal(*this); }

  // DialogHandler: initialisation, the message map and the result box colours.
  bool OnInitDialog() override;
  std::intptr_t OnMessage(std::uint32_t message, std::uintptr_t wParam,
                          std::intptr_t lParam) override;
  std::optional<Rgb> OnCtlColor(int controlId, int ctlType) override;

  // Handlers, as the message map routes them.
  void OnTimer(std::uintptr_t timerId);
  void OnWrite();
  void OnClose();
  void OnDestroy();
  void OnCancel();
  void OnOK();
  std::intptr_t OnGraphEvent(std::uintptr_t wParam, std::intptr_t lParam);
  std::intptr_t OnDeviceRemoved(std::uintptr_t wParam, std::intptr_t lParam);
  void OnDeviceListSelChange();
  void OnRadioAtmel();
  void OnRadioMxic();
  void OnRadioSst();
  void OnRadioPflash();
  void EnumerateDevices();
  void LoadFirmwareFile();
  void LoadParameterFile();
  int FindImageFiles();

  // The application icon (resource 128), sent to the window as its big and small icon.
  int m_hIcon;
  // The flash image buffer of kFlashImageBytes; allocated by OnInitDialog.
  std::unique_ptr<std::uint8_t[]> m_flashImage;
  // Result of the last write procedure: 1 passed, 0 failed. Any value before the first write.
  std::int32_t m_writeResult = 0;
  // The large font of the result box; 0 until OnInitDialog made it.
  FontHandle m_resultFont = 0;
  // What the process returns: 1 only after a passed write procedure.
  std::int32_t m_exitStatus;

 private:
  bool AllocateBuffers();
  void ResetForInitDialog();
  bool LoadBothFiles();
  bool MakeResultFont();
  void HaltWith(std::string_view statusText);
  void ReleaseBuffers();
  void ReleaseResultFont();
  void CheckOnlyRadio(int controlId);

  StationServices m_services;
  DialogWindow& m_window;
  // A write procedure is running (its pump may dispatch a close request or a device removal):
  // the buffers it uses are released only after it has returned.
  int m_writesRunning = 0;
  bool m_releaseDeferred = false;
};

}  // namespace korvane
