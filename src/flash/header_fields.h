#pragma once
// The parameter header text cut into the pieces the flash header record is made of. The dialog
// class inherits them.
#include <string>

namespace korvane {

struct HeaderFields {
  std::string m_headerWord3;
  std::string m_headerSizeText;
  std::string m_headerWord1;
  std::string m_headerWord2;
  std::string m_headerByte1;
  std::string m_headerByte2;
  std::string m_headerByte3;
  std::string m_headerByte4;
  std::string m_headerByte5;
  std::string m_headerByte6;
};

}  // namespace korvane
