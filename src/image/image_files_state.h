#pragma once
// The dialog members that image file discovery and the two loaders read and write. The dialog
// class inherits them.
#include <cstdint>
#include <string>
#include <vector>

namespace korvane {

struct ImageFilesState {
  std::uint16_t m_firmwareSum = 0;
  std::uint16_t m_parameterSum = 0;
  std::string m_parameterHeader;
  std::string m_firmwarePath;
  std::string m_parameterPath;
  std::vector<std::string> m_firmwareLines;
  std::vector<std::string> m_parameterLines;
  std::int32_t m_firmwareLoaded = 0;
  std::int32_t m_parameterLoaded = 0;
};

}  // namespace korvane
