#pragma once
// A gmock of the dialog-window seam, for tests that check the exact calls a logic function makes.
#include <gmock/gmock.h>

#include "platform/dialog_window.h"

namespace korvane::testing {

class MockDialogWindow : public DialogWindow {
 public:
  MOCK_METHOD(void, PostToWindow, (std::uint32_t, std::uintptr_t, std::intptr_t), (override));
  MOCK_METHOD(int, DoModal, (DialogHandler&), (override));
  MOCK_METHOD(void, EndDialog, (int), (override));
  MOCK_METHOD(void, SetControlText, (int, std::string_view), (override));
  MOCK_METHOD(std::string, GetControlText, (int), (override));
  MOCK_METHOD(void, EnableControl, (int, bool), (override));
  MOCK_METHOD(void, ShowControl, (int, bool), (override));
  MOCK_METHOD(void, SetCheck, (int, bool), (override));
  MOCK_METHOD(bool, IsChecked, (int), (override));
  MOCK_METHOD(void, SetCaption, (std::string_view), (override));
  MOCK_METHOD(void, SetWindowIcon, (IconSize), (override));
  MOCK_METHOD(int, ListAddString, (int, std::string_view), (override));
  MOCK_METHOD(int, ListSetCurSel, (int, int), (override));
  MOCK_METHOD(int, ListGetCurSel, (int), (override));
  MOCK_METHOD(int, ListGetCount, (int), (override));
  MOCK_METHOD(int, ListDeleteString, (int, int), (override));
  MOCK_METHOD(int, ComboAddString, (int, std::string_view), (override));
  MOCK_METHOD(int, ComboSetCurSel, (int, int), (override));
  MOCK_METHOD(void, ProgressSetRange, (int, int, int), (override));
  MOCK_METHOD(void, ProgressSetPos, (int, int), (override));
  MOCK_METHOD(void, ShowMessage, (std::string_view), (override));
  MOCK_METHOD(FontHandle, MakeFont, (const FontSpec&), (override));
  MOCK_METHOD(void, DeleteFontHandle, (FontHandle), (override));
  MOCK_METHOD(void, SetControlFont, (int, FontHandle, bool), (override));
  MOCK_METHOD(void, SetTimer, (std::uint32_t, std::uint32_t), (override));
  MOCK_METHOD(void, KillTimer, (std::uint32_t), (override));
  MOCK_METHOD(bool, PumpOneMessage, (), (override));
  MOCK_METHOD(std::intptr_t, SendToWindow, (std::uint32_t, std::uintptr_t, std::intptr_t),
              (override));
};

}  // namespace korvane::testing
