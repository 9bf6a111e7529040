#include "flash/eeprom_text.h"

#include "image/hex_record_line.h"
#include "image/parameter_text.h"

namespace korvane {
namespace {

constexpr char kLineEnd[] = "\r\n";

void AppendLines(const std::vector<std::string>& lines, std::string& text) {
  for (const std::string& line : lines) {
    text += line;
    text += kLineEnd;
  }
}

}  // namespace

std::uint16_t ChecksumWord(std::uint16_t firmwareSum, std::uint16_t parameterSum) {
  return static_cast<std::uint16_t>(firmwareSum + parameterSum);
}

std::string FlashHeaderRecordLine(const HeaderFields& fields, std::uint16_t checksumWord) {
  std::string line = ":10000000";
  line += fields.m_headerSizeText;
  line += HexWordText(checksumWord);
  line += fields.m_headerWord3;
  line += fields.m_headerWord2;
  line += fields.m_headerWord1;
  line += fields.m_headerByte1;
  line += fields.m_headerByte2;
  line += fields.m_headerByte3;
  line += fields.m_headerByte4;
  line += fields.m_headerByte5;
  line += fields.m_headerByte6;
  line += "00";
  return line;
}

std::string EepromRecordText(const std::string& headerLine,
                             const std::vector<std::string>& parameterLines,
                             const std::vector<std::string>& firmwareLines) {
  std::size_t size = headerLine.size() + sizeof kEndOfFileRecord;
  for (const auto* lines : {&parameterLines, &firmwareLines}) {
    for (const std::string& line : *lines) {
      size += line.size() + 2;
    }
  }
  std::string text;
  text.reserve(size);
  text += headerLine;
  text += kLineEnd;
  AppendLines(parameterLines, text);
  AppendLines(firmwareLines, text);
  text += kEndOfFileRecord;
  return text;
}

}  // namespace korvane
