#pragma once
// A filter graph that reports the loss and return of its simulated cameras: EC_DEVICE_LOST is
// queued and the registered window gets the notification message, from whatever thread raised it.
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/capture_devices.h"

namespace korvane {

class SimulatedCamera;

class SimFilterGraph final : public FilterGraph,
                             public MediaEvents,
                             public std::enable_shared_from_this<SimFilterGraph> {
 public:
  struct Member {
    CaptureFilterRef filter;
    std::string name;
  };

  HResult QueryMediaEvents(std::shared_ptr<MediaEvents>* events) override;
  HResult AddFilter(const CaptureFilterRef& filter, std::string_view name) override;

  HResult SetNotifyWindow(MessagePoster* window, std::uint32_t message,
                          std::intptr_t instanceData) override;
  HResult GetEvent(std::int32_t* eventCode, std::intptr_t* param1, std::intptr_t* param2,
                   std::int32_t timeoutMs) override;
  HResult FreeEventParams(std::int32_t eventCode, std::intptr_t param1,
                          std::intptr_t param2) override;

  // Queues EC_DEVICE_LOST for every member filter of `camera`; param1 is the filter's identity.
  void RaiseDeviceEvent(const SimulatedCamera& camera, std::intptr_t param2);

  std::vector<Member> Members() const;

 private:
  struct Event {
    std::int32_t code;
    std::intptr_t param1;
    std::intptr_t param2;
  };

  mutable std::mutex m_mutex;
  std::vector<Member> m_members;
  std::deque<Event> m_events;
  MessagePoster* m_window = nullptr;
  std::uint32_t m_message = 0;
  std::intptr_t m_instanceData = 0;
};

}  // namespace korvane
