#pragma once
// Control identifiers of the main dialog (template 102). The window's full description, with
// classes, texts, rectangles and styles, is the layout table in app/main_dialog_layout.h.

namespace korvane::ctrl {

inline constexpr int kDialogTemplate = 102;
inline constexpr int kAppIcon = 128;

inline constexpr int kEnumerateButton = 1001;
inline constexpr int kReadButton = 1002;
inline constexpr int kWriteRegisterButton = 1003;  // "Write": no handler
inline constexpr int kBankCombo1 = 1004;
inline constexpr int kEdit1005 = 1005;
inline constexpr int kEdit1006 = 1006;
inline constexpr int kBankCombo2 = 1007;
inline constexpr int kEdit1008 = 1008;
inline constexpr int kEdit1009 = 1009;
inline constexpr int kFirmwareNameEdit = 1010;
inline constexpr int kParameterNameEdit = 1011;
inline constexpr int kOpenFirmwareButton = 1012;
inline constexpr int kSaveFirmwareButton = 1022;
inline constexpr int kOpenParameterButton = 1023;
inline constexpr int kSaveParameterButton = 1024;
inline constexpr int kParameterPageButton = 1025;
inline constexpr int kWriteButton = 1026;
inline constexpr int kProgressBar = 1027;
inline constexpr int kDeviceList = 1029;
inline constexpr int kInfoEdit = 1036;
inline constexpr int kCheckFirmwareButton = 1037;
inline constexpr int kRadioAtmel = 1099;
inline constexpr int kRadioMxic = 1100;
inline constexpr int kRadioSst = 1101;
inline constexpr int kRadioPflash = 1103;
inline constexpr int kResultBox = 1336;
inline constexpr int kFirmwareLabel = 1337;
inline constexpr int kStatusLine = 1338;
inline constexpr int kSerialText = 1339;

}  // namespace korvane::ctrl
