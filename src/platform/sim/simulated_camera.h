#pragma once
// A simulated USB camera: its Kernel Streaming topology, the controller behind the extension unit
// (register file, register address latch, SPI registers, controls 6 and 7) and its SPI NOR flash.
// It answers every request as a camera would, refuses what a camera would refuse, and records
// everything it receives.
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/capture_devices.h"
#include "platform/clock.h"
#include "platform/guid.h"
#include "platform/sim/simulated_device_config.h"
#include "platform/sim/spi_nor_flash.h"
#include "platform/status.h"

namespace korvane {

class SimFilterGraph;

// One request as the camera received it. Index counts from 1, every request of every kind.
struct RecordedRequest {
  std::uint64_t index = 0;
  std::array<std::uint8_t, 32> request{};  // the KSP_NODE bytes (fewer when a shorter one came)
  std::uint32_t propertyLength = 0;
  Guid propertySet{};
  std::uint32_t selector = 0;
  std::uint32_t flags = 0;
  std::uint32_t nodeId = 0;
  std::vector<std::uint8_t> sent;      // the data buffer as it arrived
  std::vector<std::uint8_t> answered;  // the data buffer as it went back (GET requests)
  HResult status = status::kOk;

  bool IsGet() const { return (flags & 0x3u) == 0x1u; }
  bool IsSet() const { return (flags & 0x3u) == 0x2u; }
};

class SimulatedCamera : public std::enable_shared_from_this<SimulatedCamera> {
 public:
  // Controller registers the station uses.
  static constexpr std::uint8_t kSpiAddressLow = 0xCE;
  static constexpr std::uint8_t kSpiAddressMid = 0xCF;
  static constexpr std::uint8_t kSpiAddressHigh = 0xD0;
  static constexpr std::uint8_t kSpiStart = 0xD8;
  static constexpr std::uint8_t kSpiCommand = 0xD9;
  static constexpr std::uint8_t kSpiAddressLength = 0xDA;

  SimulatedCamera(Clock& clock, SimulatedDeviceConfig config);

  const SimulatedDeviceConfig& Config() const { return m_config; }

  // IMoniker::BindToObject: a new filter on the camera as it is plugged now.
  HResult BindFilter(CaptureFilterRef* filter);

  bool IsPlugged() const { return m_plugged; }
  // The camera leaves the bus: power is lost, every later request fails and every graph holding
  // one of its filters gets EC_DEVICE_LOST with param2 0.
  void Unplug();
  // The camera comes back powered up fresh; graphs get EC_DEVICE_LOST with param2 1. Filters
  // bound before the unplug stay dead: a returning device must be bound anew.
  void Replug();

  const std::vector<RecordedRequest>& Requests() const { return m_requests; }
  const std::vector<std::uint8_t>& FlashDump() const { return m_flash.Contents(); }
  SpiNorFlash& Flash() { return m_flash; }
  std::uint8_t Register(std::uint8_t reg) const { return m_registers[reg]; }
  bool Control6Seen() const { return m_control6Seen; }

  // The topology and the node control of the filters.
  std::uint32_t NodeCount() const { return m_config.nodeCount; }
  Guid NodeType(std::uint32_t node) const;
  std::u16string NodeName(std::uint32_t node) const;
  HResult HandleProperty(std::uint64_t generation, const void* property,
                         std::uint32_t propertyLength, void* data, std::uint32_t dataLength,
                         std::uint32_t* bytesReturned);
  bool IsCurrent(std::uint64_t generation) const { return m_plugged && generation == m_generation; }
  void JoinGraph(const std::shared_ptr<SimFilterGraph>& graph);
  // Whether a filter of this camera was ever added to a filter graph: discovery adds the
  // camera it chose, and only that one.
  bool JoinedAGraph() const { return m_joinedAGraph; }

 private:
  void PowerUp();
  void NotifyGraphs(std::intptr_t param2);
  HResult StatusFor(std::uint64_t index, std::uint64_t generation);
  HResult Execute(const RecordedRequest& request, std::uint8_t* data, std::uint32_t dataLength,
                  std::uint32_t* bytesReturned);
  HResult ExecuteGet(std::uint32_t selector, std::uint8_t* data, std::uint32_t* bytesReturned);
  HResult ExecuteSet(std::uint32_t selector, const std::uint8_t* data);
  void WriteControllerRegister(std::uint8_t reg, std::uint8_t value);
  bool IsDataSelector(std::uint32_t selector) const;
  bool IsKnownSelector(std::uint32_t selector) const;

  Clock& m_clock;
  SimulatedDeviceConfig m_config;
  SpiNorFlash m_flash;
  std::array<std::uint8_t, 256> m_registers{};
  std::uint8_t m_addressLatch = 0;
  bool m_control6Seen = false;
  bool m_plugged = true;
  std::uint64_t m_generation = 1;
  std::uint64_t m_requestCount = 0;
  std::vector<RecordedRequest> m_requests;
  std::vector<std::weak_ptr<SimFilterGraph>> m_graphs;
  bool m_joinedAGraph = false;
};

// The capture filter of a simulated camera, bound at one plug generation.
class SimCaptureFilter final : public CaptureFilter {
 public:
  SimCaptureFilter(std::shared_ptr<SimulatedCamera> camera, std::uint64_t generation)
      : m_camera(std::move(camera)), m_generation(generation) {}
  HResult QueryTopologyInfo(std::shared_ptr<KsTopologyInfo>* topology) override;
  SimulatedCamera& Camera() const { return *m_camera; }

 private:
  std::shared_ptr<SimulatedCamera> m_camera;
  std::uint64_t m_generation;
};

}  // namespace korvane
