#pragma once
// The one door to the extension unit: a KSP_NODE property request on the unit's node.
#include <array>
#include <cstdint>
#include <memory>

#include "platform/capture_devices.h"
#include "platform/guid.h"
#include "platform/status.h"

namespace korvane {

// The extension unit node's IKsControl and its index in the filter's topology.
struct XuChannel {
  std::shared_ptr<KsControl> control;
  std::uint32_t nodeIndex = 0;
};

// KSPROPERTY_TYPE_GET or KSPROPERTY_TYPE_SET, each with KSPROPERTY_TYPE_TOPOLOGY.
enum class XuRequestKind : std::uint32_t { kGet = 0x10000001u, kSet = 0x10000002u };

inline constexpr std::uint32_t kKsPropertyTypeGet = 0x00000001u;
inline constexpr std::uint32_t kKsPropertyTypeSet = 0x00000002u;
inline constexpr std::uint32_t kKsPropertyTypeTopology = 0x10000000u;
inline constexpr std::uint32_t kKspNodeLength = 32;

using KspNodeBytes = std::array<std::uint8_t, kKspNodeLength>;

// The 32 bytes of KSP_NODE as Windows lays them out: Set (16), Id, Flags, NodeId, Reserved, each
// 32-bit field little-endian.
KspNodeBytes BuildKspNode(const Guid& propertySet, std::uint32_t selector, XuRequestKind kind,
                          std::uint32_t nodeIndex);

// Sends one request and returns the platform's status unchanged; the caller decides that only
// exactly 0 succeeds. A channel without a control fails without a call.
HResult SendXuRequest(const XuChannel& channel, const Guid& propertySet, XuRequestKind kind,
                      std::uint32_t selector, void* data, std::uint32_t length);

}  // namespace korvane
