#include "platform/console/big_letters.h"

#include <array>
#include <cctype>

namespace korvane {
namespace {

struct Glyph {
  char letter;
  std::array<std::string_view, kBigLetterRows> rows;  // '#' is a block, ' ' is blank
};

constexpr Glyph kGlyphs[] = {
    {'A', {" ### ", "#   #", "#####", "#   #", "#   #"}},
    {'C', {" ####", "#    ", "#    ", "#    ", " ####"}},
    {'E', {"#####", "#    ", "#### ", "#    ", "#####"}},
    {'F', {"#####", "#    ", "#### ", "#    ", "#    "}},
    {'I', {"#####", "  #  ", "  #  ", "  #  ", "#####"}},
    {'K', {"#   #", "#  # ", "###  ", "#  # ", "#   #"}},
    {'L', {"#    ", "#    ", "#    ", "#    ", "#####"}},
    {'O', {" ### ", "#   #", "#   #", "#   #", " ### "}},
    {'P', {"#### ", "#   #", "#### ", "#    ", "#    "}},
    {'R', {"#### ", "#   #", "#### ", "#  # ", "#   #"}},
    {'S', {" ####", "#    ", " ### ", "    #", "#### "}},
    {'T', {"#####", "  #  ", "  #  ", "  #  ", "  #  "}},
    {' ', {"     ", "     ", "     ", "     ", "     "}},
};

constexpr std::string_view kBlock = "\xE2\x96\x88";  // U+2588 FULL BLOCK
constexpr std::string_view kGap = "  ";

const Glyph* FindGlyph(char c) {
  char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  for (const Glyph& glyph : kGlyphs) {
    if (glyph.letter == upper) {
      return &glyph;
    }
  }
  return nullptr;
}

void AppendRow(std::string& out, std::string_view row) {
  for (char cell : row) {
    if (cell == '#') {
      out += kBlock;
    } else {
      out += ' ';
    }
  }
}

}  // namespace

std::optional<std::vector<std::string>> BigLetters(std::string_view text) {
  std::vector<const Glyph*> glyphs;
  for (char c : text) {
    const Glyph* glyph = FindGlyph(c);
    if (glyph == nullptr) {
      return std::nullopt;
    }
    glyphs.push_back(glyph);
  }
  std::vector<std::string> rows(kBigLetterRows);
  for (std::size_t i = 0; i < glyphs.size(); ++i) {
    for (std::size_t r = 0; r < rows.size(); ++r) {
      if (i != 0) {
        rows[r] += kGap;
      }
      AppendRow(rows[r], glyphs[i]->rows[r]);
    }
  }
  return rows;
}

}  // namespace korvane
