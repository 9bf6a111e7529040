#include "device/register_channel.h"

#include <algorithm>

namespace korvane {
namespace {

bool Send4(DeviceState& state, const XuChannel& channel, XuRequestKind kind,
           std::uint8_t selector) {
  return IsExactlyOk(SendXuRequest(channel, state.m_xuPropertySet, kind, selector,
                                   state.m_xuData.get(), kXuDataLength));
}

void Fill(std::uint8_t* data, std::uint8_t b0, std::uint8_t b1, std::uint8_t b2, std::uint8_t b3) {
  data[0] = b0;
  data[1] = b1;
  data[2] = b2;
  data[3] = b3;
}

// GET on the data selector into a cleared buffer; the register's value is byte 0.
bool FetchRegisterValue(DeviceState& state, const XuChannel& channel, std::uint8_t dataSelector,
                        std::uint8_t* value) {
  Fill(state.m_xuData.get(), 0, 0, 0, 0);
  if (!Send4(state, channel, XuRequestKind::kGet, dataSelector)) {
    return false;
  }
  *value = state.m_xuData[0];
  return true;
}

}  // namespace

bool ReadRegister(DeviceState& state, const XuChannel& channel, std::uint8_t dataSelector,
                  std::uint8_t reg, std::uint8_t* value) {
  if (!state.m_xuData) {
    return false;
  }
  Fill(state.m_xuData.get(), reg, 0x01, 0x00, 0x00);
  if (!Send4(state, channel, XuRequestKind::kSet, kAddressSelector)) {
    return false;
  }
  return FetchRegisterValue(state, channel, dataSelector, value);
}

bool ReadRegisterPair(DeviceState& state, const XuChannel& channel, std::uint8_t dataSelector,
                      std::uint8_t highReg, std::uint8_t lowReg, std::uint16_t* value) {
  std::uint8_t high = 0;
  if (!ReadRegister(state, channel, dataSelector, highReg, &high)) {
    return false;
  }
  state.m_xuData[0] = lowReg;
  state.m_xuData[1] = 0x01;
  if (!Send4(state, channel, XuRequestKind::kSet, kAddressSelector)) {
    return false;
  }
  std::uint8_t low = 0;
  if (!FetchRegisterValue(state, channel, dataSelector, &low)) {
    return false;
  }
  *value = static_cast<std::uint16_t>(high * 256 + low);
  return true;
}

bool WriteRegister(DeviceState& state, const XuChannel& channel, std::uint8_t dataSelector,
                   std::uint8_t reg, std::uint8_t value) {
  if (!state.m_xuData) {
    return false;
  }
  Fill(state.m_xuData.get(), reg, value, 0x01, 0x00);
  return Send4(state, channel, XuRequestKind::kSet, dataSelector);
}

bool SetControl6(DeviceState& state, const XuChannel& channel) {
  if (!state.m_xuData) {
    return false;
  }
  Fill(state.m_xuData.get(), 0x01, 0x00, 0x00, 0x00);
  return Send4(state, channel, XuRequestKind::kSet, kControl6Selector);
}

bool WriteImageBlock(const DeviceState& state, const XuChannel& channel,
                     std::span<std::uint8_t, kImageBlockLength> blockBuffer, std::uint16_t offset,
                     std::span<const std::uint8_t> bytes) {
  if (blockBuffer.data() == nullptr || bytes.empty() || bytes.size() > kImageBlockDataBytes) {
    return false;
  }
  std::fill(blockBuffer.begin(), blockBuffer.end(), std::uint8_t{0});
  std::copy(bytes.begin(), bytes.end(), blockBuffer.begin());
  blockBuffer[8] = static_cast<std::uint8_t>(offset & 0xFF);
  blockBuffer[9] = static_cast<std::uint8_t>(offset >> 8);
  return IsExactlyOk(SendXuRequest(channel, state.m_xuPropertySet, XuRequestKind::kSet,
                                   kImageBlockSelector, blockBuffer.data(),
                                   static_cast<std::uint32_t>(kImageBlockLength)));
}

}  // namespace korvane
