#pragma once
// The record text of EEPROM.text: the flash header record, the parameter records, the firmware
// records and the end-of-file record.
#include <cstdint>
#include <string>
#include <vector>

#include "flash/header_fields.h"

namespace korvane {

// (firmware sum + parameter sum) modulo 0x10000.
std::uint16_t ChecksumWord(std::uint16_t firmwareSum, std::uint16_t parameterSum);

// ":10000000", the size field, the checksum word, word 3, word 2, word 1, bytes 1 to 6 and the
// record checksum "00".
std::string FlashHeaderRecordLine(const HeaderFields& fields, std::uint16_t checksumWord);

// Every record followed by its own CR LF, the end-of-file record without one: the text as the
// station hands it to a text-mode stream (which turns each LF into CR LF once more).
std::string EepromRecordText(const std::string& headerLine,
                             const std::vector<std::string>& parameterLines,
                             const std::vector<std::string>& firmwareLines);

}  // namespace korvane
