#pragma once
// The write procedure behind button 1026 and the auto-run timer: camera checks, flash image
// assembly, flash programming, and the result in the window and in the exit status.
#include <cstdint>
#include <string_view>

#include "device/device_state.h"
#include "flash/header_fields.h"
#include "image/image_files_state.h"
#include "platform/clock.h"
#include "platform/dialog_window.h"
#include "platform/file_system.h"

namespace korvane {

inline constexpr std::string_view kWritePassText = "PASS";
inline constexpr std::string_view kWriteFailText = "FAIL";

// The dialog members the procedure reads and writes.
struct WriteProcedureMembers {
  DeviceState& device;
  ImageFilesState& imageFiles;
  HeaderFields& header;
  std::uint8_t* flashImage;  // m_flashImage, kFlashImageCapacity bytes; null fails the run
  std::int32_t& writeResult;
  std::int32_t& exitStatus;
};

// One run. Leaves "PASS" or "FAIL" in the result box 1336, 1 or 0 in m_writeResult and
// m_exitStatus, and the controls of the run enabled again, on every path. The run holds its own
// channel and block buffer; the caller keeps m_xuData and m_flashImage alive until it returns,
// whatever a handler dispatched during the blocks asks for.
void RunWriteProcedure(const WriteProcedureMembers& members, DialogWindow& window,
                       FileSystem& fileSystem, Clock& clock);

}  // namespace korvane
