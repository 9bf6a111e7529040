#include "flash/split_parameter_header.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace korvane {
namespace {

std::array<std::string, 9> Fields(const HeaderFields& f) {
  return {f.m_headerWord1, f.m_headerWord2, f.m_headerWord3, f.m_headerByte1, f.m_headerByte2,
          f.m_headerByte3, f.m_headerByte4, f.m_headerByte5, f.m_headerByte6};
}

TEST(SplitParameterHeaderTest, CutsWordsThenBytes) {
  struct Case {
    std::string header;
    std::array<std::string, 9> fields;
  };
  const Case cases[] = {
      {"6C1405E20100000000000000", {"6C14", "05E2", "0100", "00", "00", "00", "00", "00", "00"}},
      {"0123456789ABCDEFGHIJKLMNopq",  // past 24 characters: unused; not checked for digits
       {"0123", "4567", "89AB", "CD", "EF", "GH", "IJ", "KL", "MN"}},
      {"0123456789ABC", {"0123", "4567", "89AB", "C", "", "", "", "", ""}},
      {"", {"", "", "", "", "", "", "", "", ""}},
  };
  for (const Case& c : cases) {
    HeaderFields fields;
    fields.m_headerSizeText = "FFFF";
    fields.m_headerByte6 = "stale";
    SplitParameterHeader(c.header, fields);
    EXPECT_EQ(Fields(fields), c.fields) << c.header;
    EXPECT_EQ(fields.m_headerSizeText, "");
  }
}

}  // namespace
}  // namespace korvane
