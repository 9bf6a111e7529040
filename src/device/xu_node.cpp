#include "device/xu_node.h"

#include <memory>
#include <vector>

namespace korvane {
namespace {

// The two-call name protocol: ask for the length, then for the name into a buffer of exactly
// that length. The name itself is not needed; the second call's status is. nullopt when the
// reported length is unusable.
std::optional<HResult> QueryNodeName(KsTopologyInfo& topology, std::uint32_t node) {
  std::uint32_t length = 0;
  topology.GetNodeName(node, nullptr, 0, &length);
  if (length == 0 || length > kMaxNodeNameBytes) {
    return std::nullopt;
  }
  std::vector<char16_t> name((length + 1) / 2);
  std::uint32_t written = 0;
  return topology.GetNodeName(node, name.data(), length, &written);
}

}  // namespace

HResult FindXuNode(KsTopologyInfo& topology, const Guid& nodeType, std::uint32_t* nodeIndex) {
  *nodeIndex = 0;
  std::uint32_t count = 0;
  const HResult countStatus = topology.GetNumNodes(&count);
  if (!IsExactlyOk(countStatus)) {
    return countStatus;
  }
  bool found = false;
  HResult nameStatus = status::kOk;
  for (std::uint32_t node = 0; node < count; ++node) {
    const std::optional<HResult> queried = QueryNodeName(topology, node);
    if (!queried) {
      return status::kInvalidArg;
    }
    nameStatus = *queried;
    Guid type{};
    if (IsExactlyOk(topology.GetNodeType(node, &type)) && type == nodeType) {
      *nodeIndex = node;
      found = true;
    }
  }
  return found ? nameStatus : status::kFalse;
}

std::optional<XuChannel> OpenXuChannel(const CaptureFilterRef& filter) {
  if (!filter) {
    return std::nullopt;
  }
  std::shared_ptr<KsTopologyInfo> topology;
  if (!IsExactlyOk(filter->QueryTopologyInfo(&topology)) || !topology) {
    return std::nullopt;
  }
  XuChannel channel;
  if (!IsExactlyOk(FindXuNode(*topology, kNodeTypeDevSpecific, &channel.nodeIndex))) {
    return std::nullopt;
  }
  if (!IsExactlyOk(topology->CreateNodeInstance(channel.nodeIndex, &channel.control)) ||
      !channel.control) {
    return std::nullopt;
  }
  return channel;
}

}  // namespace korvane
