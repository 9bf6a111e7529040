#pragma once
// A 1 MiB serial NOR flash of the 25 series as the camera's controller drives it: a write enable
// latch, 4 KB sector erase and chip erase that keep the part busy for a while, and programming that
// can only clear bits. While busy the part ignores every command, as a real one does.
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/clock.h"

namespace korvane {

class SpiNorFlash {
 public:
  static constexpr std::uint32_t kSize = 1u << 20;
  static constexpr std::uint32_t kSectorSize = 4096;
  static constexpr std::uint32_t kPageSize = 256;

  static constexpr std::uint8_t kWriteEnable = 0x06;
  static constexpr std::uint8_t kWriteDisable = 0x04;
  static constexpr std::uint8_t kSectorErase = 0x20;
  static constexpr std::uint8_t kChipErase = 0xC7;
  static constexpr std::uint8_t kChipEraseAlt = 0x60;

  SpiNorFlash(Clock& clock, std::uint32_t sectorEraseMs, std::uint32_t chipEraseMs,
              std::optional<std::uint8_t> fill);

  // One command as the controller clocks it out: the opcode and, when addressBytes is 3, a 24-bit
  // address. A command whose address length does not fit its opcode is not a command the part
  // knows and does nothing. False when the command was lost or ignored.
  bool Execute(std::uint8_t opcode, std::uint32_t addressBytes, std::uint32_t address);

  // Page program of `data` at `address` (within one page); needs the write enable latch. False
  // when the part was busy or not write-enabled.
  bool Program(std::uint32_t address, std::span<const std::uint8_t> data);

  bool IsBusy();
  bool IsWriteEnabled() const { return m_writeEnabled; }
  // Power loss: the latch is cleared and a running erase ends (its cells are already erased).
  void PowerCycle();

  const std::vector<std::uint8_t>& Contents() const { return m_cells; }

 private:
  void StartBusy(std::uint32_t milliseconds);

  Clock& m_clock;
  std::uint32_t m_sectorEraseMs;
  std::uint32_t m_chipEraseMs;
  std::vector<std::uint8_t> m_cells;
  bool m_writeEnabled = false;
  std::uint64_t m_busyUntilMs = 0;
};

}  // namespace korvane
