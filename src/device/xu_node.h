#pragma once
// Finding the extension unit node in a capture filter's topology and opening a channel on it.
#include <cstdint>
#include <optional>

#include "device/xu_request.h"
#include "platform/capture_devices.h"
#include "platform/guid.h"
#include "platform/status.h"

namespace korvane {

// Node names of a UVC topology are a few dozen characters; a reported length beyond this is not
// a name but a broken answer.
inline constexpr std::uint32_t kMaxNodeNameBytes = 4096;

// 0 when a node of `nodeType` was found (the highest index wins), 1 when none was, the failure of
// the node count, or the status of the last node's name query. A name length of 0 or beyond
// kMaxNodeNameBytes ends the search with kInvalidArg.
HResult FindXuNode(KsTopologyInfo& topology, const Guid& nodeType, std::uint32_t* nodeIndex);

// The channel on the filter's extension unit node, or nullopt when the filter is empty or any
// step does not return exactly 0.
std::optional<XuChannel> OpenXuChannel(const CaptureFilterRef& filter);

}  // namespace korvane
