#include <gtest/gtest.h>

#include <limits>

#include "device/write_device_register.h"
#include "support/sim_rig.h"

namespace korvane {
namespace {

using testing::Seen;
using testing::SeenRequest;
using testing::Set;
using testing::SimRig;

struct WriteCase {
  const char* name;
  std::int32_t deviceMissing;
  std::int32_t selectedDevice;
  int filledSlot;  // -1: none
  std::string_view camera;
  std::int32_t result;
  std::vector<SeenRequest> requests;
};

TEST(WriteDeviceRegister, WritesOnlyToAUsableSelectedDevice) {
  const std::vector<WriteCase> cases = {
      {"ready device", 0, 0, 0, "", 1, {Set(11, {0xD9, 0xC7, 0x01, 0x00})}},
      {"the selected slot is the one used", 0, 9, 9, "", 1, {Set(11, {0xD9, 0xC7, 0x01, 0x00})}},
      {"only 1 counts as missing", 2, 0, 0, "", 1, {Set(11, {0xD9, 0xC7, 0x01, 0x00})}},
      {"device missing", 1, 0, 0, "", 0, {}},
      {"empty slot", 0, 1, 0, "", 0, {}},
      {"selection below 0", 0, -1, 0, "", 0, {}},
      {"selection 10", 0, 10, 0, "", 0, {}},
      {"huge selection", 0, std::numeric_limits<std::int32_t>::max(), 0, "", 0, {}},
      {"no extension unit", 0, 0, 0, "xu-node=none", 0, {}},
      {"write refused", 0, 0, 0, "fail-at=1,fail-status=1", 0, {Set(11, {0xD9, 0xC7, 0x01, 0x00})}},
  };
  for (const WriteCase& c : cases) {
    SimRig rig;
    auto& camera =
        rig.Add(std::string("variant=B,") + std::string(c.camera.empty() ? "nodes=3" : c.camera));
    rig.state.m_xuPropertySet = kXuPropertySetVariantB;
    rig.state.m_deviceMissing = c.deviceMissing;
    rig.state.m_selectedDevice = c.selectedDevice;
    rig.state.m_deviceFilters[static_cast<std::size_t>(c.filledSlot)] = SimRig::Bind(camera);
    EXPECT_EQ(WriteDeviceRegister(rig.state, 11, 0xD9, 0xC7), c.result) << c.name;
    EXPECT_EQ(Seen(camera), c.requests) << c.name;
  }
}

}  // namespace
}  // namespace korvane
