#include "flash/program_flash.h"

#include <algorithm>
#include <memory>
#include <new>
#include <span>

#include "device/register_channel.h"
#include "device/write_device_register.h"
#include "image/hex_text_to_image.h"
#include "platform/control_ids.h"

namespace korvane {
namespace {

constexpr std::uint8_t kSpiAddressLow = 0xCE;
constexpr std::uint8_t kSpiAddressMid = 0xCF;
constexpr std::uint8_t kSpiAddressHigh = 0xD0;
constexpr std::uint8_t kSpiStart = 0xD8;
constexpr std::uint8_t kSpiCommand = 0xD9;
constexpr std::uint8_t kSpiAddressLength = 0xDA;

constexpr std::uint8_t kWriteEnable = 0x06;
constexpr std::uint8_t kSectorErase = 0x20;
constexpr std::uint8_t kChipErase = 0xC7;
constexpr std::uint8_t kNoAddress = 0x00;
constexpr std::uint8_t kThreeAddressBytes = 0x03;
constexpr std::uint8_t kExecute = 0x01;
constexpr std::uint32_t kFirstErasedSectors = 8;
constexpr std::uint32_t kBlockBytes = 8;

using BlockBuffer = std::span<std::uint8_t, kImageBlockLength>;

struct RegisterWrite {
  std::uint8_t reg;
  std::uint8_t value;
};

bool WriteSpiRegister(DeviceState& state, const XuChannel& channel, RegisterWrite write) {
  return WriteRegister(state, channel, kSpiRegisterSelector, write.reg, write.value);
}

// Write enable, then the erase of the 4 KB sector `sector`; each executed command gets its pause,
// since the station never polls the flash's status.
bool EraseSector(DeviceState& state, const XuChannel& channel, std::uint32_t sector, Clock& clock) {
  const RegisterWrite writeEnable[] = {
      {kSpiAddressLength, kNoAddress}, {kSpiCommand, kWriteEnable}, {kSpiStart, kExecute}};
  const RegisterWrite erase[] = {
      {kSpiCommand, kSectorErase}, {kSpiAddressLength, kThreeAddressBytes},
      {kSpiAddressLow, 0x00},      {kSpiAddressMid, static_cast<std::uint8_t>(sector * 16)},
      {kSpiAddressHigh, 0x00},     {kSpiStart, kExecute}};
  for (const RegisterWrite& write : writeEnable) {
    if (!WriteSpiRegister(state, channel, write)) {
      return false;
    }
  }
  clock.Sleep(kCommandPauseMs);
  for (const RegisterWrite& write : erase) {
    if (!WriteSpiRegister(state, channel, write)) {
      return false;
    }
  }
  clock.Sleep(kCommandPauseMs);
  return true;
}

bool EraseSectors(DeviceState& state, const XuChannel& channel, std::uint32_t lastSector,
                  Clock& clock) {
  for (std::uint32_t sector = 0; sector <= lastSector; ++sector) {
    if (!EraseSector(state, channel, sector, clock)) {
      return false;
    }
  }
  return true;
}

bool ChipEraseChosen(DialogWindow& window) {
  return !window.IsChecked(ctrl::kRadioAtmel) && !window.IsChecked(ctrl::kRadioMxic) &&
         !window.IsChecked(ctrl::kRadioSst);
}

// Five writes on a channel of their own each, with no pause: the settle pause after the erase
// covers the chip erase too.
bool EraseChip(DeviceState& state) {
  const RegisterWrite writes[] = {{kSpiAddressLength, kNoAddress},
                                  {kSpiCommand, kWriteEnable},
                                  {kSpiStart, kExecute},
                                  {kSpiCommand, kChipErase},
                                  {kSpiStart, kExecute}};
  const std::uint8_t selector = state.m_xuSelectors[2];
  for (const RegisterWrite& write : writes) {
    if (WriteDeviceRegister(state, selector, write.reg, write.value) != 1) {
      return false;
    }
  }
  return true;
}

bool SendBlock(const DeviceState& state, const XuChannel& channel, BlockBuffer block,
               const std::uint8_t* image, std::uint32_t offset, std::uint32_t count) {
  return WriteImageBlock(state, channel, block, static_cast<std::uint16_t>(offset),
                         std::span<const std::uint8_t>(image + offset, count));
}

bool SendBlocks(const DeviceState& state, const XuChannel& channel, BlockBuffer block,
                const std::uint8_t* image, std::uint32_t programmedLength, DialogWindow& window) {
  const std::uint32_t fullBlocks = programmedLength / kBlockBytes;
  const std::uint32_t totalBlocks = (programmedLength + kBlockBytes - 1) / kBlockBytes;
  window.ProgressSetRange(ctrl::kProgressBar, 0, static_cast<int>(totalBlocks));
  window.SetControlText(ctrl::kStatusLine, kDoNotRemoveStatus);
  std::uint32_t offset = 0;
  for (std::uint32_t i = 1; i <= fullBlocks; ++i) {
    if (!SendBlock(state, channel, block, image, offset, kBlockBytes)) {
      return false;
    }
    window.ProgressSetPos(ctrl::kProgressBar, static_cast<int>(i));
    // The one point of a write where other handlers run; they must not release what is used here.
    window.PumpOneMessage();
    offset += kBlockBytes;
  }
  if (totalBlocks > fullBlocks &&
      !SendBlock(state, channel, block, image, offset, programmedLength % kBlockBytes)) {
    return false;
  }
  window.ProgressSetRange(ctrl::kProgressBar, 0, static_cast<int>(totalBlocks));
  window.ProgressSetPos(ctrl::kProgressBar, static_cast<int>(totalBlocks));
  return true;
}

}  // namespace

std::uint32_t LastErasedSector(std::uint32_t programmedLength) {
  const std::uint32_t lastNeeded =
      programmedLength == 0 ? 0 : (programmedLength - 1) / kSectorBytes;
  return std::max(kFirstErasedSectors - 1, lastNeeded);
}

bool ProgramFlash(DeviceState& state, const XuChannel& channel, const std::uint8_t* image,
                  std::uint32_t programmedLength, DialogWindow& window, Clock& clock) {
  if (image == nullptr || programmedLength > kFlashImageCapacity) {
    return false;
  }
  // The run's own block buffer: nothing a dispatched handler releases can take it away.
  std::unique_ptr<std::uint8_t[]> blockBuffer(new (std::nothrow) std::uint8_t[kImageBlockLength]());
  if (!blockBuffer) {
    window.ShowMessage(kProgramErrorMessage);
    return false;
  }
  if (!EraseSectors(state, channel, LastErasedSector(programmedLength), clock) ||
      !SetControl6(state, channel)) {
    return false;
  }
  if (ChipEraseChosen(window) && !EraseChip(state)) {
    return false;
  }
  clock.Sleep(kEraseSettleMs);
  return SendBlocks(state, channel, BlockBuffer(blockBuffer.get(), kImageBlockLength), image,
                    programmedLength, window);
}

}  // namespace korvane
