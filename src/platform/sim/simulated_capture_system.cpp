#include "platform/sim/simulated_capture_system.h"

#include "platform/guid.h"

namespace korvane {
namespace {

constexpr std::string_view kFriendlyName = "FriendlyName";

class SimPropertyBag final : public PropertyBag {
 public:
  explicit SimPropertyBag(std::shared_ptr<SimulatedCamera> camera) : m_camera(std::move(camera)) {}
  HResult Read(std::string_view property, std::string* value) override {
    if (value == nullptr) {
      return status::kPointer;
    }
    const auto& name = m_camera->Config().friendlyName;
    if (property != kFriendlyName || !name) {
      return status::kInvalidArg;
    }
    *value = *name;
    return status::kOk;
  }

 private:
  std::shared_ptr<SimulatedCamera> m_camera;
};

class SimMoniker final : public DeviceMoniker {
 public:
  explicit SimMoniker(std::shared_ptr<SimulatedCamera> camera) : m_camera(std::move(camera)) {}
  HResult BindToStorage(std::shared_ptr<PropertyBag>* bag) override {
    if (bag == nullptr) {
      return status::kPointer;
    }
    if (m_camera->Config().propertyBagFails) {
      return status::kFail;
    }
    *bag = std::make_shared<SimPropertyBag>(m_camera);
    return status::kOk;
  }
  HResult BindToObject(CaptureFilterRef* filter) override { return m_camera->BindFilter(filter); }

 private:
  std::shared_ptr<SimulatedCamera> m_camera;
};

// Lists the devices plugged when the enumerator was made, as the system enumerator does.
class SimMonikerEnumerator final : public MonikerEnumerator {
 public:
  explicit SimMonikerEnumerator(std::vector<std::shared_ptr<SimulatedCamera>> devices)
      : m_devices(std::move(devices)) {}
  HResult Reset() override {
    m_next = 0;
    return status::kOk;
  }
  HResult Next(std::shared_ptr<DeviceMoniker>* device) override {
    if (device == nullptr) {
      return status::kPointer;
    }
    if (m_next >= m_devices.size()) {
      device->reset();
      return status::kFalse;
    }
    *device = std::make_shared<SimMoniker>(m_devices[m_next++]);
    return status::kOk;
  }

 private:
  std::vector<std::shared_ptr<SimulatedCamera>> m_devices;
  std::size_t m_next = 0;
};

class SimDeviceEnumerator final : public DeviceEnumerator {
 public:
  explicit SimDeviceEnumerator(std::vector<std::shared_ptr<SimulatedCamera>> devices)
      : m_devices(std::move(devices)) {}
  HResult CreateClassEnumerator(const Guid& category, std::uint32_t /*flags*/,
                                std::shared_ptr<MonikerEnumerator>* enumerator) override {
    if (enumerator == nullptr) {
      return status::kPointer;
    }
    enumerator->reset();
    std::vector<std::shared_ptr<SimulatedCamera>> plugged;
    if (category == kVideoInputDeviceCategory) {
      for (const auto& device : m_devices) {
        if (device->IsPlugged()) {
          plugged.push_back(device);
        }
      }
    }
    // An empty category has no enumerator at all.
    if (plugged.empty()) {
      return status::kFalse;
    }
    *enumerator = std::make_shared<SimMonikerEnumerator>(std::move(plugged));
    return status::kOk;
  }

 private:
  std::vector<std::shared_ptr<SimulatedCamera>> m_devices;
};

}  // namespace

SimulatedCamera& SimulatedCaptureSystem::AddDevice(const SimulatedDeviceConfig& config) {
  m_devices.push_back(std::make_shared<SimulatedCamera>(m_clock, config));
  return *m_devices.back();
}

HResult SimulatedCaptureSystem::CoInitialize() {
  const bool already = m_comInitialised;
  m_comInitialised = true;
  return already ? status::kFalse : status::kOk;
}

HResult SimulatedCaptureSystem::CreateSystemDeviceEnum(
    std::shared_ptr<DeviceEnumerator>* enumerator) {
  if (enumerator == nullptr) {
    return status::kPointer;
  }
  *enumerator = std::make_shared<SimDeviceEnumerator>(m_devices);
  return status::kOk;
}

HResult SimulatedCaptureSystem::CreateFilterGraph(std::shared_ptr<FilterGraph>* graph) {
  if (graph == nullptr) {
    return status::kPointer;
  }
  auto created = std::make_shared<SimFilterGraph>();
  m_lastGraph = created;
  *graph = created;
  return status::kOk;
}

}  // namespace korvane
