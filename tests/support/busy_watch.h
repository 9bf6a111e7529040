#pragma once
// A capture filter wrapped so that every request on its extension unit notes whether the
// simulated camera's flash was still busy when the request arrived. Busy flash loses commands,
// so a sequence whose pauses are long enough never sends into a busy part.
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/capture_devices.h"
#include "platform/sim/simulated_camera.h"

namespace korvane::testing {

class BusyWatch {
 public:
  explicit BusyWatch(SimulatedCamera& camera) : m_camera(camera) {}

  CaptureFilterRef Wrap(CaptureFilterRef inner) {
    return std::make_shared<Filter>(*this, std::move(inner));
  }

  // Request indexes (as the camera counts them) that arrived while the flash was busy.
  const std::vector<std::uint64_t>& BusyArrivals() const { return m_busyArrivals; }

 private:
  class Control final : public KsControl {
   public:
    Control(BusyWatch& watch, std::shared_ptr<KsControl> inner)
        : m_watch(watch), m_inner(std::move(inner)) {}
    HResult KsProperty(const void* property, std::uint32_t propertyLength, void* data,
                       std::uint32_t dataLength, std::uint32_t* bytesReturned) override {
      const bool busy = m_watch.m_camera.Flash().IsBusy();
      const HResult hr =
          m_inner->KsProperty(property, propertyLength, data, dataLength, bytesReturned);
      if (busy) {
        m_watch.m_busyArrivals.push_back(m_watch.m_camera.Requests().back().index);
      }
      return hr;
    }

   private:
    BusyWatch& m_watch;
    std::shared_ptr<KsControl> m_inner;
  };

  class Topology final : public KsTopologyInfo {
   public:
    Topology(BusyWatch& watch, std::shared_ptr<KsTopologyInfo> inner)
        : m_watch(watch), m_inner(std::move(inner)) {}
    HResult GetNumNodes(std::uint32_t* count) override { return m_inner->GetNumNodes(count); }
    HResult GetNodeName(std::uint32_t node, char16_t* buffer, std::uint32_t bufferSize,
                        std::uint32_t* nameLength) override {
      return m_inner->GetNodeName(node, buffer, bufferSize, nameLength);
    }
    HResult GetNodeType(std::uint32_t node, Guid* type) override {
      return m_inner->GetNodeType(node, type);
    }
    HResult CreateNodeInstance(std::uint32_t node, std::shared_ptr<KsControl>* control) override {
      std::shared_ptr<KsControl> inner;
      const HResult hr = m_inner->CreateNodeInstance(node, &inner);
      if (hr == status::kOk) {
        *control = std::make_shared<Control>(m_watch, std::move(inner));
      }
      return hr;
    }

   private:
    BusyWatch& m_watch;
    std::shared_ptr<KsTopologyInfo> m_inner;
  };

  class Filter final : public CaptureFilter {
   public:
    Filter(BusyWatch& watch, CaptureFilterRef inner) : m_watch(watch), m_inner(std::move(inner)) {}
    HResult QueryTopologyInfo(std::shared_ptr<KsTopologyInfo>* topology) override {
      std::shared_ptr<KsTopologyInfo> inner;
      const HResult hr = m_inner->QueryTopologyInfo(&inner);
      if (hr == status::kOk) {
        *topology = std::make_shared<Topology>(m_watch, std::move(inner));
      }
      return hr;
    }

   private:
    BusyWatch& m_watch;
    CaptureFilterRef m_inner;
  };

  SimulatedCamera& m_camera;
  std::vector<std::uint64_t> m_busyArrivals;
};

}  // namespace korvane::testing
