#include "device/enumerate_devices.h"

#include <memory>
#include <string>

#include "device/identify_controller.h"
#include "device/model_table.h"
#include "platform/control_ids.h"
#include "platform/window_messages.h"

namespace korvane {
namespace {

constexpr std::string_view kFriendlyName = "FriendlyName";

void DisableControlsForRun(DialogWindow& window) {
  for (int id : {ctrl::kReadButton, ctrl::kWriteRegisterButton, ctrl::kWriteButton,
                 ctrl::kEnumerateButton, ctrl::kCheckFirmwareButton}) {
    window.EnableControl(id, false);
  }
  window.SetControlText(ctrl::kInfoEdit, "");
}

std::shared_ptr<FilterGraph> CreateNotifyingGraph(DeviceState& state, DialogWindow& window,
                                                  CaptureSystem& system) {
  std::shared_ptr<FilterGraph> graph;
  system.CreateFilterGraph(&graph);
  std::shared_ptr<MediaEvents> events;
  if (graph) {
    graph->QueryMediaEvents(&events);
  }
  state.m_mediaEvents = events;
  if (events) {
    events->SetNotifyWindow(&window, msg::kGraphEvent, 0);
  }
  return graph;
}

void AcceptDevice(DeviceState& state, DialogWindow& window, FilterGraph* graph,
                  const CaptureFilterRef& filter, const std::string& name,
                  const ControllerModel& model) {
  window.ListAddString(ctrl::kDeviceList, name);
  if (graph != nullptr) {
    graph->AddFilter(filter, name);
  }
  state.m_deviceFilters[0] = filter;
  state.m_controllerKind = model.kind;
  window.SetCaption(ModelTitle(model, state.m_xuPropertySet));
  window.SetControlText(ctrl::kRadioSst, model.flashCaption);
  state.m_selectedDevice = 0;
  if (window.ListSetCurSel(ctrl::kDeviceList, 0) == msg::kLbErr) {
    return;
  }
  for (int id : {ctrl::kReadButton, ctrl::kWriteRegisterButton, ctrl::kWriteButton,
                 ctrl::kCheckFirmwareButton}) {
    window.EnableControl(id, true);
  }
  window.SetCaption(kProductTitle);
  window.SetControlText(ctrl::kStatusLine, kDeviceReadyText);
  state.m_deviceMissing = 0;
}

// Walks the devices until one has a known chip identifier. The name read last stays the current
// name, also for a device whose FriendlyName cannot be read.
void ExamineDevices(DeviceState& state, DialogWindow& window, MonikerEnumerator& devices,
                    FilterGraph* graph) {
  std::string currentName;
  for (;;) {
    std::shared_ptr<DeviceMoniker> device;
    if (!IsExactlyOk(devices.Next(&device)) || !device) {
      return;
    }
    std::shared_ptr<PropertyBag> bag;
    if (!Succeeded(device->BindToStorage(&bag)) || !bag) {
      continue;
    }
    std::string name;
    if (Succeeded(bag->Read(kFriendlyName, &name))) {
      currentName = name;
    }
    CaptureFilterRef filter;
    device->BindToObject(&filter);
    ControllerIdentity identity;
    identity.chipId = 0;
    IdentifyController(state, filter, identity);
    if (const ControllerModel* model = FindControllerModel(identity.chipId)) {
      AcceptDevice(state, window, graph, filter, currentName, *model);
      return;
    }
  }
}

}  // namespace

void EmptyDeviceList(DialogWindow& window) {
  int count = window.ListGetCount(ctrl::kDeviceList);
  while (count > 0) {
    if (window.ListDeleteString(ctrl::kDeviceList, 0) == msg::kLbErr) {
      return;
    }
    const int remaining = window.ListGetCount(ctrl::kDeviceList);
    if (remaining >= count) {
      return;
    }
    count = remaining;
  }
}


void ReleaseDeviceFilters(DeviceState& state) {
  for (CaptureFilterRef& filter : state.m_deviceFilters) {
    filter.reset();
  }
}

void EnumerateDevices(DeviceState& state, DialogWindow& window, CaptureSystem& system) {
  DisableControlsForRun(window);
  ReleaseDeviceFilters(state);
  EmptyDeviceList(window);
  state.m_selectedDevice = 0;
  system.CoInitialize();

  std::shared_ptr<DeviceEnumerator> deviceEnumerator;
  std::shared_ptr<MonikerEnumerator> devices;
  if (IsExactlyOk(system.CreateSystemDeviceEnum(&deviceEnumerator)) && deviceEnumerator &&
      IsExactlyOk(
          deviceEnumerator->CreateClassEnumerator(kVideoInputDeviceCategory, 0, &devices)) &&
      devices) {
    devices->Reset();
    const std::shared_ptr<FilterGraph> graph = CreateNotifyingGraph(state, window, system);
    ExamineDevices(state, window, *devices, graph.get());
  }
  window.EnableControl(ctrl::kEnumerateButton, true);
}

}  // namespace korvane
