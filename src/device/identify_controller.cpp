#include "device/identify_controller.h"

#include <optional>

#include "device/register_channel.h"
#include "device/xu_node.h"

namespace korvane {
namespace {

constexpr std::uint8_t kChipIdHighRegister = 0x01;
constexpr std::uint8_t kChipIdLowRegister = 0x00;
constexpr std::uint8_t kRevisionRegister = 0x02;
constexpr std::uint8_t kRegisterEB = 0xEB;

void ClearXuData(DeviceState& state) {
  for (std::size_t i = 0; i < kXuDataLength; ++i) {
    state.m_xuData[i] = 0;
  }
}

// The address request of register 0x01 doubles as the variant probe. A camera that refuses it
// under variant A is taken to be variant B and gets the same request again; its answer to the
// following GET decides whether it is one of ours.
void ProbeVariant(DeviceState& state, const XuChannel& channel) {
  auto sendProbe = [&] {
    state.m_xuData[0] = kChipIdHighRegister;
    state.m_xuData[1] = 0x01;
    state.m_xuData[2] = 0x00;
    state.m_xuData[3] = 0x00;
    return SendXuRequest(channel, state.m_xuPropertySet, XuRequestKind::kSet, kAddressSelector,
                         state.m_xuData.get(), kXuDataLength);
  };
  if (IsExactlyOk(sendProbe())) {
    state.m_xuSelectors = kXuSelectorsVariantA;
    return;
  }
  state.m_xuPropertySet = kXuPropertySetVariantB;
  state.m_xuSelectors = kXuSelectorsVariantB;
  sendProbe();
}

bool GetDataByte(DeviceState& state, const XuChannel& channel, std::uint8_t* value) {
  ClearXuData(state);
  if (!IsExactlyOk(SendXuRequest(channel, state.m_xuPropertySet, XuRequestKind::kGet,
                                 state.m_xuSelectors[0], state.m_xuData.get(), kXuDataLength))) {
    return false;
  }
  *value = state.m_xuData[0];
  return true;
}

}  // namespace

std::int32_t IdentifyController(DeviceState& state, const CaptureFilterRef& filter,
                                ControllerIdentity& identity) {
  state.m_xuPropertySet = kXuPropertySetVariantA;
  if (!filter || !state.m_xuData) {
    return 0;
  }
  ClearXuData(state);
  const std::optional<XuChannel> channel = OpenXuChannel(filter);
  if (!channel) {
    return 0;
  }
  ProbeVariant(state, *channel);

  std::uint8_t value = 0;
  if (!GetDataByte(state, *channel, &value)) {
    return 0;
  }
  identity.chipId = value * 256;
  // Bytes 2 and 3 keep the answer of the high byte's GET, as in every pair read.
  state.m_xuData[0] = kChipIdLowRegister;
  state.m_xuData[1] = 0x01;
  if (!IsExactlyOk(SendXuRequest(*channel, state.m_xuPropertySet, XuRequestKind::kSet,
                                 kAddressSelector, state.m_xuData.get(), kXuDataLength))) {
    return 0;
  }
  if (!GetDataByte(state, *channel, &value)) {
    return 0;
  }
  identity.chipId += value;

  if (!ReadRegister(state, *channel, state.m_xuSelectors[0], kRevisionRegister, &value)) {
    return 0;
  }
  identity.register02Nibble = value & 0x0F;
  if (!ReadRegister(state, *channel, state.m_xuSelectors[2], kRegisterEB, &value)) {
    return 0;
  }
  identity.registerEB = value;
  return 1;
}

}  // namespace korvane
