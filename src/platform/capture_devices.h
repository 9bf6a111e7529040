#pragma once
// The capture-device seam: DirectShow enumeration and Kernel Streaming topology, shaped after the
// calls the station makes so that their order, arguments and status codes stay visible.
// Adapters: the simulated camera (platform/sim) and, on Windows, DirectShow and Kernel Streaming.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/guid.h"
#include "platform/status.h"

namespace korvane {

class MessagePoster;

// IKsControl of an extension unit node.
class KsControl {
 public:
  virtual ~KsControl() = default;
  // `property` is a 32-byte KSP_NODE request laid out as on Windows; `data` is read (SET) or
  // written (GET). Only a status of exactly 0 counts as success for the station.
  virtual HResult KsProperty(const void* property, std::uint32_t propertyLength, void* data,
                             std::uint32_t dataLength, std::uint32_t* bytesReturned) = 0;
};

// IKsTopologyInfo of a capture filter.
class KsTopologyInfo {
 public:
  virtual ~KsTopologyInfo() = default;
  virtual HResult GetNumNodes(std::uint32_t* count) = 0;
  // Two-call protocol: with no buffer and size 0 it reports the name's length in bytes (wide
  // characters, terminator included); with a buffer of `bufferSize` bytes it fills it.
  virtual HResult GetNodeName(std::uint32_t node, char16_t* buffer, std::uint32_t bufferSize,
                              std::uint32_t* nameLength) = 0;
  virtual HResult GetNodeType(std::uint32_t node, Guid* type) = 0;
  // CreateNodeInstance(node, IID_IKsControl, ...).
  virtual HResult CreateNodeInstance(std::uint32_t node, std::shared_ptr<KsControl>* control) = 0;
};

// IBaseFilter of a capture device. Held through CaptureFilterRef, a reference-counted handle.
class CaptureFilter {
 public:
  virtual ~CaptureFilter() = default;
  // QueryInterface(IID_IKsTopologyInfo).
  virtual HResult QueryTopologyInfo(std::shared_ptr<KsTopologyInfo>* topology) = 0;
};
using CaptureFilterRef = std::shared_ptr<CaptureFilter>;

// IPropertyBag of a device moniker.
class PropertyBag {
 public:
  virtual ~PropertyBag() = default;
  // Read("FriendlyName"): a negative status when the property cannot be read.
  virtual HResult Read(std::string_view property, std::string* value) = 0;
};

// IMoniker of one video capture device.
class DeviceMoniker {
 public:
  virtual ~DeviceMoniker() = default;
  virtual HResult BindToStorage(std::shared_ptr<PropertyBag>* bag) = 0;
  virtual HResult BindToObject(CaptureFilterRef* filter) = 0;
};

// IEnumMoniker over a device category.
class MonikerEnumerator {
 public:
  virtual ~MonikerEnumerator() = default;
  virtual HResult Reset() = 0;
  // Next(1, ...): kOk with a device, kFalse when there is none left.
  virtual HResult Next(std::shared_ptr<DeviceMoniker>* device) = 0;
};

// ICreateDevEnum, the system device enumerator.
class DeviceEnumerator {
 public:
  virtual ~DeviceEnumerator() = default;
  // kFalse and no enumerator when the category is empty.
  virtual HResult CreateClassEnumerator(const Guid& category, std::uint32_t flags,
                                        std::shared_ptr<MonikerEnumerator>* enumerator) = 0;
};

// Filter graph events.
inline constexpr std::int32_t kEcDeviceLost = 0x1F;  // param2: 0 removed, 1 available again

// IMediaEventEx of a filter graph.
class MediaEvents {
 public:
  virtual ~MediaEvents() = default;
  // The graph posts `message` with wParam 0 and lParam `instanceData` whenever it queues an event.
  virtual HResult SetNotifyWindow(MessagePoster* window, std::uint32_t message,
                                  std::intptr_t instanceData) = 0;
  // kAbort when the queue is empty.
  virtual HResult GetEvent(std::int32_t* eventCode, std::intptr_t* param1, std::intptr_t* param2,
                           std::int32_t timeoutMs) = 0;
  virtual HResult FreeEventParams(std::int32_t eventCode, std::intptr_t param1,
                                  std::intptr_t param2) = 0;
};

// IGraphBuilder of a filter graph.
class FilterGraph {
 public:
  virtual ~FilterGraph() = default;
  // QueryInterface(IID_IMediaEventEx).
  virtual HResult QueryMediaEvents(std::shared_ptr<MediaEvents>* events) = 0;
  // Membership lets the graph report the device's loss and return.
  virtual HResult AddFilter(const CaptureFilterRef& filter, std::string_view name) = 0;
};

// COM and the DirectShow class factories.
class CaptureSystem {
 public:
  virtual ~CaptureSystem() = default;
  virtual HResult CoInitialize() = 0;
  // CoCreateInstance(CLSID_SystemDeviceEnum, IID_ICreateDevEnum).
  virtual HResult CreateSystemDeviceEnum(std::shared_ptr<DeviceEnumerator>* enumerator) = 0;
  // CoCreateInstance(CLSID_FilterGraph, IID_IGraphBuilder).
  virtual HResult CreateFilterGraph(std::shared_ptr<FilterGraph>* graph) = 0;
};

}  // namespace korvane
