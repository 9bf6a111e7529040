#include "image/parameter_text.h"

#include "image/hex_record_line.h"
#include "image/text_mode.h"

namespace korvane {
namespace {

bool StartsWith(std::string_view line, std::string_view prefix) {
  return line.substr(0, prefix.size()) == prefix;
}

// Why a line is no data record; empty when it is one.
std::string DataLineProblem(std::string_view line) {
  if (line.size() != kParameterRecordLength) {
    return "line of " + std::to_string(line.size()) + " characters where a data record has 43";
  }
  if (RecordByteCount(line) > kLargestParameterCount) {
    return "byte count above 16";
  }
  return {};
}

}  // namespace

ParameterText ParseParameterText(std::string_view fileBytes) {
  ParameterText result;
  std::size_t lineNumber = 0;
  for (const std::string& line : SplitTextLines(fileBytes)) {
    ++lineNumber;
    if (StartsWith(line, kEndOfFileRecord)) {
      continue;
    }
    if (StartsWith(line, kHeaderRecordStart)) {
      result.header = line.substr(std::string_view(kHeaderRecordStart).size());
      continue;
    }
    if (std::string problem = DataLineProblem(line); !problem.empty()) {
      result.status = ParameterTextStatus::kBadLine;
      result.lineNumber = lineNumber;
      result.reason = std::move(problem);
      return result;
    }
    result.sum = AddRecordData(line, RecordByteCount(line), result.sum);
    result.lines.push_back(line);
  }
  return result;
}

}  // namespace korvane
