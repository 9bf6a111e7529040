#include "platform/sim/spi_nor_flash.h"

#include <algorithm>

namespace korvane {
namespace {

// The earlier firmware found in a camera's flash: 64 KB of code-like bytes, blank beyond.
constexpr std::uint32_t kEarlierFirmwareBytes = 0x10000;

std::vector<std::uint8_t> PowerUpContents(std::optional<std::uint8_t> fill) {
  if (fill) {
    return std::vector<std::uint8_t>(SpiNorFlash::kSize, *fill);
  }
  std::vector<std::uint8_t> cells(SpiNorFlash::kSize, 0xFF);
  std::uint32_t seed = 0x4B4F5256u;
  for (std::uint32_t i = 0; i < kEarlierFirmwareBytes; ++i) {
    seed = seed * 1664525u + 1013904223u;
    cells[i] = static_cast<std::uint8_t>(seed >> 24);
  }
  return cells;
}

}  // namespace

SpiNorFlash::SpiNorFlash(Clock& clock, std::uint32_t sectorEraseMs, std::uint32_t chipEraseMs,
                         std::optional<std::uint8_t> fill)
    : m_clock(clock),
      m_sectorEraseMs(sectorEraseMs),
      m_chipEraseMs(chipEraseMs),
      m_cells(PowerUpContents(fill)) {}

bool SpiNorFlash::IsBusy() {
  return m_clock.NowMs() < m_busyUntilMs;
}

void SpiNorFlash::StartBusy(std::uint32_t milliseconds) {
  m_busyUntilMs = m_clock.NowMs() + milliseconds;
  // The latch clears when the operation it allowed has run.
  m_writeEnabled = false;
}

bool SpiNorFlash::Execute(std::uint8_t opcode, std::uint32_t addressBytes, std::uint32_t address) {
  if (IsBusy()) {
    return false;
  }
  const bool noAddress = addressBytes == 0;
  switch (opcode) {
    case kWriteEnable:
      if (!noAddress) {
        return false;
      }
      m_writeEnabled = true;
      return true;
    case kWriteDisable:
      if (!noAddress) {
        return false;
      }
      m_writeEnabled = false;
      return true;
    case kSectorErase: {
      if (addressBytes != 3 || !m_writeEnabled) {
        return false;
      }
      // A 1 MiB part decodes the low 20 address bits.
      const std::uint32_t start = (address % kSize) / kSectorSize * kSectorSize;
      std::fill_n(m_cells.begin() + start, kSectorSize, std::uint8_t{0xFF});
      StartBusy(m_sectorEraseMs);
      return true;
    }
    case kChipErase:
    case kChipEraseAlt:
      if (!noAddress || !m_writeEnabled) {
        return false;
      }
      std::fill(m_cells.begin(), m_cells.end(), std::uint8_t{0xFF});
      StartBusy(m_chipEraseMs);
      return true;
    default:
      return false;
  }
}

bool SpiNorFlash::Program(std::uint32_t address, std::span<const std::uint8_t> data) {
  if (IsBusy() || !m_writeEnabled) {
    return false;
  }
  // Within a page the address wraps, as a page program does on a real part.
  const std::uint32_t pageStart = (address % kSize) / kPageSize * kPageSize;
  std::uint32_t column = address % kPageSize;
  for (std::uint8_t byte : data) {
    m_cells[pageStart + column] &= byte;
    column = (column + 1) % kPageSize;
  }
  // Eight bytes program in microseconds; the controller waits for it before it answers.
  m_writeEnabled = false;
  return true;
}

void SpiNorFlash::PowerCycle() {
  m_writeEnabled = false;
  m_busyUntilMs = 0;
}

}  // namespace korvane
