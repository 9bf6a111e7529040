#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "platform/sim/spi_nor_flash.h"
#include "platform/sim/virtual_clock.h"

namespace korvane {
namespace {

using Steps = std::function<void(SpiNorFlash&, VirtualClock&)>;

struct FlashCase {
  const char* name;
  std::uint8_t fill;
  Steps steps;
  std::vector<std::pair<std::uint32_t, std::uint8_t>> cells;
  bool busy;
  bool writeEnabled;
};

constexpr std::uint8_t kWren = SpiNorFlash::kWriteEnable;
constexpr std::uint8_t kErase4K = SpiNorFlash::kSectorErase;
constexpr std::uint8_t kEraseChip = SpiNorFlash::kChipErase;

TEST(SpiNorFlash, FollowsTheRulesOfA25SeriesPart) {
  const std::vector<FlashCase> cases = {
      {"erase without write enable does nothing",
       0x00,
       [](SpiNorFlash& f, VirtualClock&) { f.Execute(kErase4K, 3, 0x1000); },
       {{0x1000, 0x00}},
       false,
       false},
      {"sector erase clears one 4 KB sector to FF and keeps the part busy",
       0x00,
       [](SpiNorFlash& f, VirtualClock&) {
         f.Execute(kWren, 0, 0);
         f.Execute(kErase4K, 3, 0x1234);
       },
       {{0x0FFF, 0x00}, {0x1000, 0xFF}, {0x1FFF, 0xFF}, {0x2000, 0x00}},
       true,
       false},
      {"still busy 1 ms before the sector erase ends",
       0x00,
       [](SpiNorFlash& f, VirtualClock& c) {
         f.Execute(kWren, 0, 0);
         f.Execute(kErase4K, 3, 0);
         c.Advance(59);
       },
       {{0, 0xFF}},
       true,
       false},
      {"a write enable sent while busy is lost",
       0x00,
       [](SpiNorFlash& f, VirtualClock& c) {
         f.Execute(kWren, 0, 0);
         f.Execute(kErase4K, 3, 0x0000);
         f.Execute(kWren, 0, 0);
         c.Advance(60);
         f.Execute(kErase4K, 3, 0x1000);
       },
       {{0x0000, 0xFF}, {0x1000, 0x00}},
       false,
       false},
      {"commands after the busy time go through",
       0x00,
       [](SpiNorFlash& f, VirtualClock& c) {
         f.Execute(kWren, 0, 0);
         f.Execute(kErase4K, 3, 0x0000);
         c.Advance(60);
         f.Execute(kWren, 0, 0);
         f.Execute(kErase4K, 3, 0x1000);
       },
       {{0x0000, 0xFF}, {0x1000, 0xFF}, {0x2000, 0x00}},
       true,
       false},
      {"chip erase clears everything and is busy for 1500 ms",
       0x00,
       [](SpiNorFlash& f, VirtualClock& c) {
         f.Execute(kWren, 0, 0);
         f.Execute(kEraseChip, 0, 0);
         c.Advance(1499);
       },
       {{0x00000, 0xFF}, {0xFFFFF, 0xFF}},
       true,
       false},
      {"chip erase is over after 1500 ms",
       0x00,
       [](SpiNorFlash& f, VirtualClock& c) {
         f.Execute(kWren, 0, 0);
         f.Execute(kEraseChip, 0, 0);
         c.Advance(1500);
       },
       {{0x80000, 0xFF}},
       false,
       false},
      {"a command clocked with the wrong address length is no command",
       0x00,
       [](SpiNorFlash& f, VirtualClock&) {
         f.Execute(kWren, 3, 0);
         f.Execute(kErase4K, 0, 0);
       },
       {{0, 0x00}},
       false,
       false},
      {"address bits above 1 MiB are not decoded",
       0x00,
       [](SpiNorFlash& f, VirtualClock&) {
         f.Execute(kWren, 0, 0);
         f.Execute(kErase4K, 3, 0x101000);
       },
       {{0x1000, 0xFF}, {0x0000, 0x00}},
       true,
       false},
      {"programming only clears bits",
       0xF0,
       [](SpiNorFlash& f, VirtualClock&) {
         f.Execute(kWren, 0, 0);
         const std::uint8_t data[] = {0x0F, 0xFF, 0x3C};
         f.Program(0x10, data);
       },
       {{0x10, 0x00}, {0x11, 0xF0}, {0x12, 0x30}, {0x13, 0xF0}},
       false,
       false},
      {"programming needs write enable",
       0xFF,
       [](SpiNorFlash& f, VirtualClock&) {
         const std::uint8_t data[] = {0x00};
         f.Program(0x10, data);
       },
       {{0x10, 0xFF}},
       false,
       false},
      {"programming a busy part is lost",
       0xFF,
       [](SpiNorFlash& f, VirtualClock&) {
         f.Execute(kWren, 0, 0);
         f.Execute(kErase4K, 3, 0x8000);
         f.Execute(kWren, 0, 0);
         const std::uint8_t data[] = {0x00};
         f.Program(0x10, data);
       },
       {{0x10, 0xFF}},
       true,
       false},
      {"a program wraps inside its page",
       0xFF,
       [](SpiNorFlash& f, VirtualClock&) {
         f.Execute(kWren, 0, 0);
         const std::uint8_t data[] = {0x11, 0x22};
         f.Program(0x1FF, data);
       },
       {{0x1FF, 0x11}, {0x100, 0x22}, {0x200, 0xFF}},
       false,
       false},
  };
  for (const FlashCase& c : cases) {
    VirtualClock clock;
    SpiNorFlash flash(clock, 60, 1500, c.fill);
    c.steps(flash, clock);
    for (const auto& [address, value] : c.cells) {
      EXPECT_EQ(flash.Contents().at(address), value) << c.name << " at " << std::hex << address;
    }
    EXPECT_EQ(flash.IsBusy(), c.busy) << c.name;
    EXPECT_EQ(flash.IsWriteEnabled(), c.writeEnabled) << c.name;
  }
}

TEST(SpiNorFlash, PowersUpWithAnEarlierFirmware) {
  VirtualClock clock;
  SpiNorFlash flash(clock, 60, 1500, std::nullopt);
  ASSERT_EQ(flash.Contents().size(), 1u << 20);
  const std::set<std::uint8_t> early(flash.Contents().begin(), flash.Contents().begin() + 0x8000);
  EXPECT_GT(early.size(), 200u);  // code-like, neither blank nor a single fill
  EXPECT_NE(flash.Contents()[0x9000], 0xFF);
  EXPECT_EQ(flash.Contents()[0x80000], 0xFF);
}

}  // namespace
}  // namespace korvane
