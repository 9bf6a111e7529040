#pragma once
// The main dialog over the in-memory window on simulated time, with simulated cameras and HEX
// files in memory: the whole station as a test can drive it and read it back.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/korvane_dlg.h"
#include "app/main_dialog_layout.h"
#include "image/memory_file_system.h"
#include "platform/capture_devices.h"
#include "platform/control_ids.h"
#include "platform/memory/window_model.h"
#include "platform/sim/simulated_capture_system.h"
#include "platform/sim/virtual_clock.h"
#include "platform/status.h"
#include "platform/window_messages.h"
#include "support/sample_files.h"
#include "support/sim_rig.h"

namespace korvane::testing {

// When the auto-run timer fires, and when the first block goes out: the timer's second, then the
// sixteen 100 ms pauses of the sector erase and the 2 s pause before the blocks.
inline constexpr std::uint64_t kTimerMs = 1000;
inline constexpr std::uint64_t kBlocksStartMs = kTimerMs + 16 * 100 + 2000;

// The control-7 requests a camera received: one per image block.
inline std::vector<RecordedRequest> BlockRequests(const SimulatedCamera& camera) {
  std::vector<RecordedRequest> blocks;
  for (const RecordedRequest& request : camera.Requests()) {
    if (request.IsSet() && request.selector == 7) {
      blocks.push_back(request);
    }
  }
  return blocks;
}

struct DialogRig {
  VirtualClock clock;
  SimulatedCaptureSystem devices{clock};
  MemoryFileSystem files{"/line/station"};
  WindowModel window{clock, MainDialogLayout()};
  CKorvaneDlg dialog{StationServices{window, devices, files, clock}};

  SimulatedCamera& Plug(std::string_view spec) { return devices.AddDevice(Config(spec)); }

  void UseSamples() {
    files.AddFile("FW.hex", SampleFile("FW.hex"));
    files.AddFile("UI.hex", SampleFile("UI.hex"));
  }

  int Run() { return dialog.DoModal(); }

  bool WroteEepromFiles() const { return files.Has("EEPROM.text") || files.Has("EEPROM.bin"); }

  // The camera's flash over the length of EEPROM.bin, and EEPROM.bin itself.
  std::string FlashOverBin(const SimulatedCamera& camera) const {
    const std::string bin = files.Contents("EEPROM.bin");
    const auto& dump = camera.FlashDump();
    const std::size_t length = std::min(dump.size(), bin.size());
    return std::string(dump.begin(), dump.begin() + static_cast<std::ptrdiff_t>(length));
  }

  // Position in the log of the first call of a kind (with a control and a text, when given);
  // nullopt when there is none.
  std::optional<std::size_t> FirstCall(WindowOp op, std::optional<int> id = std::nullopt,
                                       std::optional<std::string_view> text = std::nullopt) const {
    const auto& log = window.Log();
    for (std::size_t i = 0; i < log.size(); ++i) {
      if (log[i].op == op && (!id || log[i].id == *id) && (!text || log[i].text == *text)) {
        return i;
      }
    }
    return std::nullopt;
  }

  // Position in the log of the last call of a kind on a control.
  std::optional<std::size_t> LastCall(WindowOp op, int id) const {
    const auto& log = window.Log();
    for (std::size_t i = log.size(); i-- > 0;) {
      if (log[i].op == op && log[i].id == id) {
        return i;
      }
    }
    return std::nullopt;
  }

  // Position in the log where WM_DESTROY reached the dialog: the window went.
  std::optional<std::size_t> Destroyed() const {
    const auto& log = window.Log();
    for (std::size_t i = 0; i < log.size(); ++i) {
      if (log[i].op == WindowOp::kDispatch && log[i].message == msg::kDestroy) {
        return i;
      }
    }
    return std::nullopt;
  }

  // The texts a control was given, in order.
  std::vector<std::string> TextsOf(int controlId) const {
    std::vector<std::string> texts;
    for (const WindowCall& call : window.Calls(WindowOp::kSetText)) {
      if (call.id == controlId) {
        texts.push_back(call.text);
      }
    }
    return texts;
  }

  // What OnInitDialog left behind: the log up to the first message the loop dispatched.
  std::vector<WindowCall> InitCalls() const {
    std::vector<WindowCall> calls;
    for (const WindowCall& call : window.Log()) {
      if (call.op == WindowOp::kDispatch || call.op == WindowOp::kIdle) {
        break;
      }
      calls.push_back(call);
    }
    return calls;
  }

  std::optional<std::string> InitText(int controlId) const {
    std::optional<std::string> text;
    for (const WindowCall& call : InitCalls()) {
      if (call.op == WindowOp::kSetText && call.id == controlId) {
        text = call.text;
      }
    }
    return text;
  }

  // The enabled state a control was left in by OnInitDialog (nullopt: not touched).
  std::optional<bool> InitEnabled(int controlId) const {
    std::optional<bool> enabled;
    for (const WindowCall& call : InitCalls()) {
      if (call.op == WindowOp::kEnable && call.id == controlId) {
        enabled = call.value == 1;
      }
    }
    return enabled;
  }
};

// An event queue of a filter graph that hands out a script: each entry is what one GetEvent
// returns. Records what the dialog frees.
class ScriptedEvents final : public MediaEvents {
 public:
  struct Entry {
    HResult status = status::kOk;
    std::int32_t code = 0;
    std::intptr_t param1 = 0;
    std::intptr_t param2 = 0;
  };
  struct Freed {
    std::int32_t code;
    std::intptr_t param1;
    std::intptr_t param2;
    friend bool operator==(const Freed&, const Freed&) = default;
  };

  explicit ScriptedEvents(std::vector<Entry> script) : m_script(script.begin(), script.end()) {}

  HResult SetNotifyWindow(MessagePoster*, std::uint32_t, std::intptr_t) override {
    return status::kOk;
  }
  HResult GetEvent(std::int32_t* code, std::intptr_t* param1, std::intptr_t* param2,
                   std::int32_t timeoutMs) override {
    ++gets;
    EXPECT_EQ(timeoutMs, 0);
    if (m_script.empty()) {
      return status::kAbort;
    }
    const Entry entry = m_script.front();
    m_script.pop_front();
    *code = entry.code;
    *param1 = entry.param1;
    *param2 = entry.param2;
    return entry.status;
  }
  HResult FreeEventParams(std::int32_t code, std::intptr_t param1, std::intptr_t param2) override {
    freed.push_back({code, param1, param2});
    return status::kOk;
  }

  std::size_t Left() const { return m_script.size(); }

  int gets = 0;
  std::vector<Freed> freed;

 private:
  std::deque<Entry> m_script;
};

}  // namespace korvane::testing
