#include "platform/sim/sim_filter_graph.h"

#include "platform/dialog_window.h"
#include "platform/sim/simulated_camera.h"

namespace korvane {

HResult SimFilterGraph::QueryMediaEvents(std::shared_ptr<MediaEvents>* events) {
  if (events == nullptr) {
    return status::kPointer;
  }
  *events = shared_from_this();
  return status::kOk;
}

HResult SimFilterGraph::AddFilter(const CaptureFilterRef& filter, std::string_view name) {
  if (!filter) {
    return status::kPointer;
  }
  {
    std::lock_guard lock(m_mutex);
    m_members.push_back({filter, std::string(name)});
  }
  if (auto* simulated = dynamic_cast<SimCaptureFilter*>(filter.get())) {
    simulated->Camera().JoinGraph(shared_from_this());
  }
  return status::kOk;
}

HResult SimFilterGraph::SetNotifyWindow(MessagePoster* window, std::uint32_t message,
                                        std::intptr_t instanceData) {
  std::lock_guard lock(m_mutex);
  m_window = window;
  m_message = message;
  m_instanceData = instanceData;
  return status::kOk;
}

HResult SimFilterGraph::GetEvent(std::int32_t* eventCode, std::intptr_t* param1,
                                 std::intptr_t* param2, std::int32_t /*timeoutMs*/) {
  if (eventCode == nullptr || param1 == nullptr || param2 == nullptr) {
    return status::kPointer;
  }
  std::lock_guard lock(m_mutex);
  if (m_events.empty()) {
    return status::kAbort;
  }
  const Event event = m_events.front();
  m_events.pop_front();
  *eventCode = event.code;
  *param1 = event.param1;
  *param2 = event.param2;
  return status::kOk;
}

HResult SimFilterGraph::FreeEventParams(std::int32_t, std::intptr_t, std::intptr_t) {
  return status::kOk;
}

void SimFilterGraph::RaiseDeviceEvent(const SimulatedCamera& camera, std::intptr_t param2) {
  std::vector<std::intptr_t> raised;
  MessagePoster* window = nullptr;
  std::uint32_t message = 0;
  std::intptr_t instanceData = 0;
  {
    std::lock_guard lock(m_mutex);
    for (const Member& member : m_members) {
      auto* simulated = dynamic_cast<SimCaptureFilter*>(member.filter.get());
      if (simulated != nullptr && &simulated->Camera() == &camera) {
        const auto param1 = reinterpret_cast<std::intptr_t>(member.filter.get());
        m_events.push_back({kEcDeviceLost, param1, param2});
        raised.push_back(param1);
      }
    }
    window = m_window;
    message = m_message;
    instanceData = m_instanceData;
  }
  // Posted outside the lock: the window may read the queue from its own thread at once.
  if (window != nullptr) {
    for (std::size_t i = 0; i < raised.size(); ++i) {
      window->PostToWindow(message, 0, instanceData);
    }
  }
}

std::vector<SimFilterGraph::Member> SimFilterGraph::Members() const {
  std::lock_guard lock(m_mutex);
  return m_members;
}

}  // namespace korvane
