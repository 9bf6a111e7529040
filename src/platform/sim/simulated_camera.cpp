#include "platform/sim/simulated_camera.h"

#include <algorithm>
#include <cstring>

#include "platform/sim/sim_filter_graph.h"

namespace korvane {
namespace {

constexpr std::uint32_t kFlagsGet = 0x10000001u;
constexpr std::uint32_t kFlagsSet = 0x10000002u;
constexpr std::uint32_t kAddressSelector = 5;
constexpr std::uint32_t kControl6Selector = 6;
constexpr std::uint32_t kBlockSelector = 7;
constexpr std::uint32_t kRegisterLength = 4;
constexpr std::uint32_t kBlockLength = 10;

// The node type of the camera's other units; anything but the extension unit's.
constexpr Guid kOtherNodeType{
    0x4B4F5256, 0x414E, 0x4500, {0x80, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01}};

std::uint32_t ReadLittleEndian32(const std::uint8_t* bytes) {
  return static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8) |
         (static_cast<std::uint32_t>(bytes[2]) << 16) |
         (static_cast<std::uint32_t>(bytes[3]) << 24);
}

Guid GuidFromBytes(const std::uint8_t* bytes) {
  Guid guid;
  guid.data1 = ReadLittleEndian32(bytes);
  guid.data2 = static_cast<std::uint16_t>(bytes[4] | (bytes[5] << 8));
  guid.data3 = static_cast<std::uint16_t>(bytes[6] | (bytes[7] << 8));
  std::copy_n(bytes + 8, 8, guid.data4.begin());
  return guid;
}

bool IsReadOnlyRegister(std::uint8_t reg) {
  return reg <= 0x02 || reg == 0xEB || (reg >= 0xC2 && reg <= 0xC7);
}

class SimNodeControl final : public KsControl {
 public:
  SimNodeControl(std::shared_ptr<SimulatedCamera> camera, std::uint64_t generation)
      : m_camera(std::move(camera)), m_generation(generation) {}
  HResult KsProperty(const void* property, std::uint32_t propertyLength, void* data,
                     std::uint32_t dataLength, std::uint32_t* bytesReturned) override {
    return m_camera->HandleProperty(m_generation, property, propertyLength, data, dataLength,
                                    bytesReturned);
  }

 private:
  std::shared_ptr<SimulatedCamera> m_camera;
  std::uint64_t m_generation;
};

class SimTopology final : public KsTopologyInfo {
 public:
  SimTopology(std::shared_ptr<SimulatedCamera> camera, std::uint64_t generation)
      : m_camera(std::move(camera)), m_generation(generation) {}

  HResult GetNumNodes(std::uint32_t* count) override {
    if (count == nullptr) {
      return status::kPointer;
    }
    *count = m_camera->NodeCount();
    return status::kOk;
  }

  HResult GetNodeName(std::uint32_t node, char16_t* buffer, std::uint32_t bufferSize,
                      std::uint32_t* nameLength) override {
    if (node >= m_camera->NodeCount() || nameLength == nullptr) {
      return status::kInvalidArg;
    }
    const std::u16string name = m_camera->NodeName(node);
    const auto bytes = static_cast<std::uint32_t>((name.size() + 1) * sizeof(char16_t));
    *nameLength = bytes;
    if (buffer == nullptr && bufferSize == 0) {
      return status::kOk;
    }
    if (buffer == nullptr || bufferSize < bytes) {
      return status::kInsufficientBuffer;
    }
    std::memcpy(buffer, name.c_str(), bytes);
    return status::kOk;
  }

  HResult GetNodeType(std::uint32_t node, Guid* type) override {
    if (node >= m_camera->NodeCount() || type == nullptr) {
      return status::kInvalidArg;
    }
    *type = m_camera->NodeType(node);
    return status::kOk;
  }

  HResult CreateNodeInstance(std::uint32_t node, std::shared_ptr<KsControl>* control) override {
    if (node >= m_camera->NodeCount() || control == nullptr) {
      return status::kInvalidArg;
    }
    *control = std::make_shared<SimNodeControl>(m_camera, m_generation);
    return status::kOk;
  }

 private:
  std::shared_ptr<SimulatedCamera> m_camera;
  std::uint64_t m_generation;
};

}  // namespace

HResult SimCaptureFilter::QueryTopologyInfo(std::shared_ptr<KsTopologyInfo>* topology) {
  if (topology == nullptr) {
    return status::kPointer;
  }
  *topology = std::make_shared<SimTopology>(m_camera, m_generation);
  return status::kOk;
}

SimulatedCamera::SimulatedCamera(Clock& clock, SimulatedDeviceConfig config)
    : m_clock(clock),
      m_config(std::move(config)),
      m_flash(clock, m_config.sectorEraseMs, m_config.chipEraseMs, m_config.flashFill) {
  PowerUp();
}

void SimulatedCamera::PowerUp() {
  m_registers.fill(0);
  m_registers[0x00] = static_cast<std::uint8_t>(m_config.chipId & 0xFF);
  m_registers[0x01] = static_cast<std::uint8_t>(m_config.chipId >> 8);
  m_registers[0x02] = m_config.register02;
  m_registers[0xEB] = m_config.registerEB;
  m_registers[0xC2] = static_cast<std::uint8_t>(m_config.wordA >> 8);
  m_registers[0xC3] = static_cast<std::uint8_t>(m_config.wordA & 0xFF);
  m_registers[0xC4] = static_cast<std::uint8_t>(m_config.wordB >> 8);
  m_registers[0xC5] = static_cast<std::uint8_t>(m_config.wordB & 0xFF);
  m_registers[0xC6] = static_cast<std::uint8_t>(m_config.lensWord >> 8);
  m_registers[0xC7] = static_cast<std::uint8_t>(m_config.lensWord & 0xFF);
  m_addressLatch = 0;
  m_control6Seen = false;
  m_flash.PowerCycle();
}

Guid SimulatedCamera::NodeType(std::uint32_t node) const {
  return m_config.xuNode && node == *m_config.xuNode ? kNodeTypeDevSpecific : kOtherNodeType;
}

std::u16string SimulatedCamera::NodeName(std::uint32_t node) const {
  if (m_config.xuNode && node == *m_config.xuNode) {
    return u"Extension Unit";
  }
  return node % 2 == 0 ? u"Processing Unit" : u"Selector Unit";
}

HResult SimulatedCamera::BindFilter(CaptureFilterRef* filter) {
  if (filter == nullptr) {
    return status::kPointer;
  }
  if (!m_plugged) {
    return status::kDeviceNotConnected;
  }
  *filter = std::make_shared<SimCaptureFilter>(shared_from_this(), m_generation);
  return status::kOk;
}

void SimulatedCamera::JoinGraph(const std::shared_ptr<SimFilterGraph>& graph) {
  m_joinedAGraph = true;
  for (const auto& known : m_graphs) {
    if (known.lock() == graph) {
      return;
    }
  }
  m_graphs.push_back(graph);
}

void SimulatedCamera::NotifyGraphs(std::intptr_t param2) {
  std::erase_if(m_graphs, [](const std::weak_ptr<SimFilterGraph>& g) { return g.expired(); });
  // Copies, since a handler reached through a post may add graphs.
  const auto graphs = m_graphs;
  for (const auto& weak : graphs) {
    if (auto graph = weak.lock()) {
      graph->RaiseDeviceEvent(*this, param2);
    }
  }
}

void SimulatedCamera::Unplug() {
  if (!m_plugged) {
    return;
  }
  m_plugged = false;
  PowerUp();
  NotifyGraphs(0);
}

void SimulatedCamera::Replug() {
  if (m_plugged) {
    return;
  }
  m_plugged = true;
  ++m_generation;
  PowerUp();
  NotifyGraphs(1);
}

HResult SimulatedCamera::StatusFor(std::uint64_t index, std::uint64_t generation) {
  if (m_config.unplugAtRequest && index == *m_config.unplugAtRequest) {
    Unplug();
  }
  if (!IsCurrent(generation)) {
    return status::kDeviceNotConnected;
  }
  for (const InjectedFault& fault : m_config.faults) {
    if (fault.requestIndex == index) {
      return fault.status;
    }
  }
  return status::kOk;
}

HResult SimulatedCamera::HandleProperty(std::uint64_t generation, const void* property,
                                        std::uint32_t propertyLength, void* data,
                                        std::uint32_t dataLength, std::uint32_t* bytesReturned) {
  if (m_config.requestMs > 0) {
    m_clock.Sleep(m_config.requestMs);
  }
  RecordedRequest record;
  record.index = ++m_requestCount;
  record.propertyLength = propertyLength;
  const auto* propertyBytes = static_cast<const std::uint8_t*>(property);
  if (propertyBytes != nullptr) {
    std::copy_n(propertyBytes, std::min<std::uint32_t>(propertyLength, 32), record.request.begin());
  }
  record.propertySet = GuidFromBytes(record.request.data());
  record.selector = ReadLittleEndian32(record.request.data() + 16);
  record.flags = ReadLittleEndian32(record.request.data() + 20);
  record.nodeId = ReadLittleEndian32(record.request.data() + 24);
  auto* bytes = static_cast<std::uint8_t*>(data);
  if (bytes != nullptr) {
    record.sent.assign(bytes, bytes + dataLength);
  }
  if (bytesReturned != nullptr) {
    *bytesReturned = 0;
  }

  record.status = StatusFor(record.index, generation);
  if (record.status == status::kOk) {
    record.status = Execute(record, bytes, dataLength, bytesReturned);
  }
  if (record.status == status::kOk && record.IsGet()) {
    record.answered.assign(bytes, bytes + dataLength);
  }
  const HResult result = record.status;
  m_requests.push_back(std::move(record));
  return result;
}

bool SimulatedCamera::IsDataSelector(std::uint32_t selector) const {
  // Control 3 answers under both property sets; the four of the variant are register controls.
  if (selector == 3) {
    return true;
  }
  const std::uint32_t first = m_config.variant == XuVariant::kA ? 1 : 9;
  return selector >= first && selector < first + 4;
}

bool SimulatedCamera::IsKnownSelector(std::uint32_t selector) const {
  return IsDataSelector(selector) || selector == kAddressSelector ||
         selector == kControl6Selector || selector == kBlockSelector;
}

HResult SimulatedCamera::Execute(const RecordedRequest& request, std::uint8_t* data,
                                 std::uint32_t dataLength, std::uint32_t* bytesReturned) {
  if (request.propertyLength < 32) {
    return status::kInvalidArg;
  }
  if (!m_config.xuNode || request.nodeId != *m_config.xuNode) {
    return status::kNotFound;
  }
  const bool setMatches =
      (m_config.variant == XuVariant::kA && request.propertySet == kXuPropertySetVariantA) ||
      (m_config.variant == XuVariant::kB && request.propertySet == kXuPropertySetVariantB);
  if (!setMatches) {
    return status::kSetNotFound;
  }
  if (request.flags != kFlagsGet && request.flags != kFlagsSet) {
    return status::kInvalidArg;
  }
  if (!IsKnownSelector(request.selector)) {
    return status::kNotFound;
  }
  const std::uint32_t wanted = request.selector == kBlockSelector ? kBlockLength : kRegisterLength;
  if (data == nullptr || dataLength != wanted) {
    return status::kInvalidArg;
  }
  if (request.flags == kFlagsGet) {
    return ExecuteGet(request.selector, data, bytesReturned);
  }
  return ExecuteSet(request.selector, data);
}

HResult SimulatedCamera::ExecuteGet(std::uint32_t selector, std::uint8_t* data,
                                    std::uint32_t* bytesReturned) {
  // Controls 5, 6 and 7 take commands only.
  if (!IsDataSelector(selector)) {
    return status::kInvalidArg;
  }
  data[0] = m_registers[m_addressLatch];
  data[1] = 0x00;
  data[2] = static_cast<std::uint8_t>(m_config.answerTail >> 8);
  data[3] = static_cast<std::uint8_t>(m_config.answerTail & 0xFF);
  if (bytesReturned != nullptr) {
    *bytesReturned = kRegisterLength;
  }
  return status::kOk;
}

HResult SimulatedCamera::ExecuteSet(std::uint32_t selector, const std::uint8_t* data) {
  switch (selector) {
    case kAddressSelector:
      m_addressLatch = data[0];
      return status::kOk;
    case kControl6Selector:
      m_control6Seen = data[0] == 0x01;
      return status::kOk;
    case kBlockSelector: {
      // The controller takes blocks only after control 6. It issues its own write enable and page
      // program for each block; a busy flash loses both, and the request still succeeds, so a
      // block sent during an erase is silently missing from the flash.
      if (!m_control6Seen) {
        return status::kFail;
      }
      const auto offset = static_cast<std::uint32_t>(data[8] | (data[9] << 8));
      m_flash.Execute(SpiNorFlash::kWriteEnable, 0, 0);
      m_flash.Program(offset, std::span<const std::uint8_t>(data, 8));
      return status::kOk;
    }
    default:
      WriteControllerRegister(data[0], data[1]);
      return status::kOk;
  }
}

void SimulatedCamera::WriteControllerRegister(std::uint8_t reg, std::uint8_t value) {
  if (IsReadOnlyRegister(reg)) {
    return;
  }
  m_registers[reg] = value;
  if (reg != kSpiStart || value != 0x01) {
    return;
  }
  const std::uint32_t address = static_cast<std::uint32_t>(m_registers[kSpiAddressHigh]) << 16 |
                                static_cast<std::uint32_t>(m_registers[kSpiAddressMid]) << 8 |
                                m_registers[kSpiAddressLow];
  m_flash.Execute(m_registers[kSpiCommand], m_registers[kSpiAddressLength], address);
  // The start bit clears itself once the command has gone out.
  m_registers[kSpiStart] = 0x00;
}

}  // namespace korvane
