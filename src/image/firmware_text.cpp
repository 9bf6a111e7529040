#include "image/firmware_text.h"

#include "image/hex_record_line.h"
#include "image/text_mode.h"

namespace korvane {
namespace {

// Why a line cannot be read without running past it; empty when it can.
std::string FirmwareLineProblem(std::string_view line) {
  if (line.empty()) {
    return "blank line";
  }
  if (line.size() < kShortestFirmwareLine) {
    return "line shorter than 9 characters";
  }
  if (line.size() > kLongestFirmwareLine) {
    return "line longer than 260 characters";
  }
  if (const std::uint8_t count = RecordByteCount(line); !RecordHoldsData(line, count)) {
    return "byte count " + std::to_string(count) + " needs " +
           std::to_string(RecordLineLength(count)) + " characters, line has " +
           std::to_string(line.size());
  }
  return {};
}

bool Dropped(const FirmwareRelocation& relocation, std::uint16_t address) {
  return relocation.dropsBelow && address < relocation.threshold;
}

std::string RelocatedLine(std::string_view line, std::uint16_t address) {
  std::string rewritten(line.substr(0, kRecordAddressPos));
  rewritten += HexWordText(address);
  rewritten += line.substr(kRecordTypePos);
  return rewritten;
}

}  // namespace

FirmwareRelocation RelocationFor(std::int32_t controllerKind) {
  switch (controllerKind) {
    case 1:
      return {true, 0xA000, 0x9F00};
    case 2:
    case 3:
      return {true, 0x8000, 0x7F00};
    default:
      return {false, 0, 0x7F00};
  }
}

FirmwareText ParseFirmwareText(std::string_view fileBytes, std::int32_t controllerKind) {
  const FirmwareRelocation relocation = RelocationFor(controllerKind);
  FirmwareText result;
  std::size_t lineNumber = 0;
  for (const std::string& line : SplitTextLines(fileBytes)) {
    ++lineNumber;
    if (std::string problem = FirmwareLineProblem(line); !problem.empty()) {
      result.status = FirmwareTextStatus::kBadLine;
      result.lineNumber = lineNumber;
      result.reason = std::move(problem);
      return result;
    }
    const std::uint16_t address = RecordAddress(line);
    if (Dropped(relocation, address)) {
      continue;
    }
    result.sum = AddRecordData(line, RecordByteCount(line), result.sum);
    result.lines.push_back(
        RelocatedLine(line, static_cast<std::uint16_t>(address - relocation.offset)));
  }
  if (result.lines.empty()) {
    result.reason = "no record at or above the keep threshold";
    return result;
  }
  result.status = FirmwareTextStatus::kLoaded;
  return result;
}

}  // namespace korvane
