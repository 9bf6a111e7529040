#pragma once
// The gmock window with just enough state for discovery: a working device list, the enabled
// states, control texts and caption, and one log of every call in order.
#include <gmock/gmock.h>

#include <map>
#include <string>
#include <vector>

#include "platform/window_messages.h"
#include "support/mock_dialog_window.h"

namespace korvane::testing {

class RecordingWindow : public ::testing::NiceMock<MockDialogWindow> {
 public:
  RecordingWindow() {
    using ::testing::Invoke;
    ON_CALL(*this, EnableControl).WillByDefault(Invoke([this](int id, bool on) {
      m_enabled[id] = on;
      Log("enable " + std::to_string(id) + (on ? " on" : " off"));
    }));
    ON_CALL(*this, SetControlText).WillByDefault(Invoke([this](int id, std::string_view text) {
      m_texts[id] = std::string(text);
      Log("text " + std::to_string(id) + " '" + std::string(text) + "'");
    }));
    ON_CALL(*this, SetCaption).WillByDefault(Invoke([this](std::string_view text) {
      m_caption = std::string(text);
      Log("caption '" + m_caption + "'");
    }));
    ON_CALL(*this, ListAddString).WillByDefault(Invoke([this](int, std::string_view text) {
      m_list.emplace_back(text);
      Log("list add '" + std::string(text) + "'");
      return static_cast<int>(m_list.size()) - 1;
    }));
    ON_CALL(*this, ListGetCount).WillByDefault(Invoke([this](int) {
      return static_cast<int>(m_list.size());
    }));
    ON_CALL(*this, ListDeleteString).WillByDefault(Invoke([this](int, int index) {
      if (index < 0 || index >= static_cast<int>(m_list.size())) {
        return msg::kLbErr;
      }
      m_list.erase(m_list.begin() + index);
      Log("list delete " + std::to_string(index));
      return static_cast<int>(m_list.size());
    }));
    ON_CALL(*this, ListSetCurSel).WillByDefault(Invoke([this](int, int index) {
      if (index < 0 || index >= static_cast<int>(m_list.size())) {
        return msg::kLbErr;
      }
      m_selection = index;
      Log("list select " + std::to_string(index));
      return index;
    }));
    ON_CALL(*this, PostToWindow)
        .WillByDefault(Invoke([this](std::uint32_t message, std::uintptr_t, std::intptr_t) {
          m_posted.push_back(message);
        }));
  }

  void Log(std::string entry) { m_log.push_back(std::move(entry)); }

  std::map<int, bool> m_enabled;
  std::map<int, std::string> m_texts;
  std::string m_caption;
  std::vector<std::string> m_list;
  int m_selection = -1;
  std::vector<std::uint32_t> m_posted;
  std::vector<std::string> m_log;
};

}  // namespace korvane::testing
