#include <gtest/gtest.h>

#include <unistd.h>

#include <string>

#include "platform/console/big_letters.h"
#include "platform/console/terminal_frame.h"
#include "platform/console/terminal_info.h"
#include "platform/console/terminal_text.h"

namespace korvane {
namespace {

TEST(TerminalText, MeasuresAndCutsUtf8ByCharacter) {
  struct Case {
    std::string text;
    std::size_t width;
    std::size_t columns;
    std::string fitted;
  } cases[] = {
      {"FW.hex", 6, 4, "FW.h"},
      {"Serial Number\xEF\xBC\x9A", 14, 14, "Serial Number\xEF\xBC\x9A"},
      {"ab\xE2\x96\x88\xE2\x96\x88", 4, 3, "ab\xE2\x96\x88"},  // never half a character
      {"", 0, 5, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(DisplayWidth(c.text), c.width);
    EXPECT_EQ(FitToWidth(c.text, c.columns), c.fitted);
  }
}

TEST(TerminalText, ControlCharactersBecomeVisible) {
  EXPECT_EQ(Printable("a\x1b[2J\r\n\x7f"
                      "b"),
            "a?[2J???b");
}

TEST(TerminalText, ColoursMapToTheNearestBasicAnsiColour) {
  EXPECT_EQ(AnsiForeground({0, 0, 255}), "\x1b[1;34m");
  EXPECT_EQ(AnsiForeground({255, 0, 0}), "\x1b[1;31m");
  EXPECT_EQ(AnsiForeground({0, 160, 0}), "\x1b[1;32m");
  EXPECT_EQ(AnsiForeground({0, 0, 0}), "\x1b[1;39m");
}

TEST(BigLetters, ResultWordsAreFiveEqualRows) {
  for (const char* word : {"PASS", "FAIL", "pass"}) {
    SCOPED_TRACE(word);
    auto rows = BigLetters(word);
    ASSERT_TRUE(rows.has_value());
    ASSERT_EQ(rows->size(), 5u);
    for (const std::string& row : *rows) {
      EXPECT_EQ(DisplayWidth(row), 4 * 5 + 3 * 2);  // four letters, three gaps
    }
  }
  EXPECT_NE(BigLetters("PASS"), BigLetters("FAIL"));
  EXPECT_EQ(BigLetters("PASS"), BigLetters("pass"));
}

TEST(BigLetters, TextWithoutALargeFormIsRefused) {
  EXPECT_EQ(BigLetters("PASS!"), std::nullopt);
  EXPECT_EQ(BigLetters("   USB Device Ready !!!"), std::nullopt);
}

TEST(ProgressBar, PercentAndBarFollowTheRange) {
  struct Case {
    int low, high, position;
    int percent;
    std::string text;
  } cases[] = {
      {0, 51, 0, 0, "[\xE2\x96\x91\xE2\x96\x91\xE2\x96\x91\xE2\x96\x91]   0 %"},
      {0, 51, 51, 100, "[\xE2\x96\x88\xE2\x96\x88\xE2\x96\x88\xE2\x96\x88] 100 %"},
      {0, 8, 4, 50, "[\xE2\x96\x88\xE2\x96\x88\xE2\x96\x91\xE2\x96\x91]  50 %"},
      {0, 0, 0, 0, "[\xE2\x96\x91\xE2\x96\x91\xE2\x96\x91\xE2\x96\x91]   0 %"},
  };
  for (const Case& c : cases) {
    ControlState bar;
    bar.controlClass = ControlClass::kProgressBar;
    bar.rangeLow = c.low;
    bar.rangeHigh = c.high;
    bar.position = c.position;
    EXPECT_EQ(ProgressPercent(bar), c.percent);
    EXPECT_EQ(ProgressBarText(bar, 12), c.text);
  }
}

TEST(TerminalInfo, APipeIsNoTerminalAndHasTheDefaultWidth) {
  int ends[2];
  ASSERT_EQ(pipe(ends), 0);
  EXPECT_FALSE(IsTerminal(ends[1]));
  EXPECT_EQ(TerminalColumns(ends[1]), kDefaultColumns);
  close(ends[0]);
  close(ends[1]);
}

}  // namespace
}  // namespace korvane
