#pragma once
// COM and DirectShow over simulated devices: the video capture category lists the plugged devices
// in the order they were added, each with its FriendlyName and its capture filter.
#include <cstddef>
#include <memory>
#include <vector>

#include "platform/capture_devices.h"
#include "platform/clock.h"
#include "platform/sim/sim_filter_graph.h"
#include "platform/sim/simulated_camera.h"
#include "platform/sim/simulated_device_config.h"

namespace korvane {

class SimulatedCaptureSystem final : public CaptureSystem {
 public:
  // The clock times the flash of every device; it must outlive the system and its devices.
  explicit SimulatedCaptureSystem(Clock& clock) : m_clock(clock) {}

  SimulatedCamera& AddDevice(const SimulatedDeviceConfig& config);
  std::size_t DeviceCount() const { return m_devices.size(); }
  SimulatedCamera& Device(std::size_t index) { return *m_devices.at(index); }
  // The graph the last CreateFilterGraph made, while someone still holds it.
  std::shared_ptr<SimFilterGraph> LastGraph() const { return m_lastGraph.lock(); }

  // S_OK the first time, S_FALSE once COM is already initialised, as on Windows.
  HResult CoInitialize() override;
  HResult CreateSystemDeviceEnum(std::shared_ptr<DeviceEnumerator>* enumerator) override;
  HResult CreateFilterGraph(std::shared_ptr<FilterGraph>* graph) override;

 private:
  Clock& m_clock;
  std::vector<std::shared_ptr<SimulatedCamera>> m_devices;
  std::weak_ptr<SimFilterGraph> m_lastGraph;
  bool m_comInitialised = false;
};

}  // namespace korvane
