#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "device/register_channel.h"
#include "device/xu_node.h"
#include "device/xu_request.h"
#include "platform/sim/parse_simulated_device.h"
#include "platform/sim/simulated_capture_system.h"
#include "platform/sim/virtual_clock.h"
#include "support/mock_dialog_window.h"

namespace korvane {
namespace {

SimulatedDeviceConfig Config(std::string_view text) {
  SimulatedDeviceParse parsed = ParseSimulatedDevice(text);
  EXPECT_TRUE(parsed.config) << parsed.error;
  return parsed.config.value_or(SimulatedDeviceConfig{});
}

struct Rig {
  explicit Rig(std::string_view text) : camera(system.AddDevice(Config(text))) {
    state.m_xuData = std::make_unique<std::uint8_t[]>(kXuDataLength);
    state.m_xuPropertySet =
        camera.Config().variant == XuVariant::kB ? kXuPropertySetVariantB : kXuPropertySetVariantA;
    channel = Open();
  }
  XuChannel Open() {
    CaptureFilterRef filter;
    EXPECT_EQ(camera.BindFilter(&filter), 0);
    return OpenXuChannel(filter).value_or(XuChannel{});
  }
  HResult Raw(const Guid& set, std::uint32_t selector, std::uint32_t flags, std::uint32_t length,
              std::uint32_t node = 2, std::uint32_t propertyLength = 32) {
    KspNodeBytes request = BuildKspNode(set, selector, XuRequestKind::kGet, node);
    for (std::size_t i = 0; i < 4; ++i) {
      request[20 + i] = static_cast<std::uint8_t>(flags >> (8 * i));
    }
    std::vector<std::uint8_t> data(length, 0x01);
    std::uint32_t returned = 0;
    return channel.control->KsProperty(request.data(), propertyLength, data.data(), length,
                                       &returned);
  }

  VirtualClock clock;
  SimulatedCaptureSystem system{clock};
  SimulatedCamera& camera;
  DeviceState state;
  XuChannel channel;
};

constexpr std::uint32_t kGet = 0x10000001;
constexpr std::uint32_t kSet = 0x10000002;
const Guid kA = kXuPropertySetVariantA;
const Guid kB = kXuPropertySetVariantB;

struct RawCase {
  const char* name;
  std::string_view camera;
  Guid set;
  std::uint32_t selector;
  std::uint32_t flags;
  std::uint32_t length;
  std::uint32_t node;
  std::uint32_t propertyLength;
  HResult expected;
};

TEST(SimulatedCamera, RefusesWhatADriverRefuses) {
  const std::vector<RawCase> cases = {
      {"register read on variant A", "", kA, 1, kGet, 4, 2, 32, status::kOk},
      {"control 3 under variant B", "variant=B", kB, 3, kGet, 4, 2, 32, status::kOk},
      {"other property set", "", kB, 1, kGet, 4, 2, 32, status::kSetNotFound},
      {"a unit that answers neither", "variant=none", kA, 1, kGet, 4, 2, 32, status::kSetNotFound},
      {"another node", "", kA, 1, kGet, 4, 1, 32, status::kNotFound},
      {"selector 8", "", kA, 8, kGet, 4, 2, 32, status::kNotFound},
      {"variant B selector on A", "", kA, 9, kGet, 4, 2, 32, status::kNotFound},
      {"variant A selector on B", "variant=B", kB, 1, kGet, 4, 2, 32, status::kNotFound},
      {"short register payload", "", kA, 3, kSet, 3, 2, 32, status::kInvalidArg},
      {"register payload on the block control", "", kA, 7, kSet, 4, 2, 32, status::kInvalidArg},
      {"block payload on control 5", "", kA, 5, kSet, 10, 2, 32, status::kInvalidArg},
      {"GET on control 5", "", kA, 5, kGet, 4, 2, 32, status::kInvalidArg},
      {"GET without the topology flag", "", kA, 1, 0x1, 4, 2, 32, status::kInvalidArg},
      {"a KSPROPERTY without node", "", kA, 1, kGet, 4, 2, 24, status::kInvalidArg},
  };
  for (const RawCase& c : cases) {
    Rig rig(c.camera);
    EXPECT_EQ(rig.Raw(c.set, c.selector, c.flags, c.length, c.node, c.propertyLength), c.expected)
        << c.name;
    ASSERT_EQ(rig.camera.Requests().size(), 1u) << c.name;
    EXPECT_EQ(rig.camera.Requests()[0].status, c.expected) << c.name;
    EXPECT_EQ(rig.camera.Requests()[0].index, 1u) << c.name;
  }
}

TEST(SimulatedCamera, InjectedFaultFailsOneRequestWithoutEffect) {
  Rig rig("fail-at=2,fail-status=0x80004005");
  EXPECT_TRUE(WriteRegister(rig.state, rig.channel, 3, 0xCE, 0x11));
  EXPECT_FALSE(WriteRegister(rig.state, rig.channel, 3, 0xCF, 0x22));
  EXPECT_TRUE(WriteRegister(rig.state, rig.channel, 3, 0xD0, 0x33));
  const auto& seen = rig.camera.Requests();
  ASSERT_EQ(seen.size(), 3u);
  EXPECT_EQ(seen[1].status, static_cast<HResult>(0x80004005u));
  EXPECT_EQ(seen[2].status, 0);
  EXPECT_EQ(rig.camera.Register(0xCE), 0x11);
  EXPECT_EQ(rig.camera.Register(0xCF), 0x00);
  EXPECT_EQ(rig.camera.Register(0xD0), 0x33);
}

TEST(SimulatedCamera, EveryRequestTakesItsTimeOnTheCamerasClock) {
  for (const std::uint32_t requestMs : {0u, 1u, 7u}) {
    Rig rig("request-ms=" + std::to_string(requestMs) + ",fail-at=2");
    const std::uint64_t start = rig.clock.NowMs();
    EXPECT_TRUE(WriteRegister(rig.state, rig.channel, 3, 0xCE, 0x11)) << requestMs;
    EXPECT_EQ(rig.clock.NowMs(), start + requestMs);
    // A refused request took its time on the bus too.
    EXPECT_FALSE(WriteRegister(rig.state, rig.channel, 3, 0xCF, 0x22)) << requestMs;
    std::uint8_t value = 0;
    EXPECT_TRUE(ReadRegister(rig.state, rig.channel, 3, 0xCE, &value)) << requestMs;
    EXPECT_EQ(rig.clock.NowMs(), start + 4u * requestMs) << "two requests for the read";
  }
}

TEST(SimulatedCamera, UnplugAtARequestRaisesDeviceLostAndReplugBringsItBack) {
  Rig rig("unplug-at=2");
  auto graph = std::make_shared<SimFilterGraph>();
  ::testing::StrictMock<testing::MockDialogWindow> window;
  CaptureFilterRef member;
  ASSERT_EQ(rig.camera.BindFilter(&member), 0);
  graph->AddFilter(member, "Cam");
  graph->SetNotifyWindow(&window, 0x0401, 7);

  EXPECT_CALL(window, PostToWindow(0x0401u, 0u, 7)).Times(2);
  EXPECT_TRUE(SetControl6(rig.state, rig.channel));
  EXPECT_FALSE(SetControl6(rig.state, rig.channel));
  EXPECT_FALSE(SetControl6(rig.state, rig.channel));
  EXPECT_EQ(rig.camera.Requests()[1].status, status::kDeviceNotConnected);
  EXPECT_FALSE(rig.camera.IsPlugged());
  CaptureFilterRef filter;
  EXPECT_LT(rig.camera.BindFilter(&filter), 0);

  rig.camera.Replug();
  EXPECT_FALSE(SetControl6(rig.state, rig.channel)) << "a filter from before the unplug";
  const XuChannel fresh = rig.Open();
  EXPECT_TRUE(SetControl6(rig.state, fresh));

  std::int32_t code = 0;
  std::intptr_t param1 = 0;
  std::intptr_t param2 = 0;
  for (std::intptr_t expected : {0, 1}) {
    ASSERT_EQ(graph->GetEvent(&code, &param1, &param2, 0), 0);
    EXPECT_EQ(code, kEcDeviceLost);
    EXPECT_EQ(param1, reinterpret_cast<std::intptr_t>(member.get()));
    EXPECT_EQ(param2, expected);
  }
  EXPECT_EQ(graph->GetEvent(&code, &param1, &param2, 0), status::kAbort);
}

TEST(SimulatedCamera, ReplugPowersUpAfresh) {
  Rig rig("");
  ASSERT_TRUE(SetControl6(rig.state, rig.channel));
  ASSERT_TRUE(WriteRegister(rig.state, rig.channel, 3, 0xD9, 0x06));
  rig.camera.Unplug();
  rig.camera.Replug();
  const XuChannel fresh = rig.Open();
  std::array<std::uint8_t, 10> block{};
  const std::array<std::uint8_t, 8> bytes{};
  EXPECT_FALSE(WriteImageBlock(rig.state, fresh, block, 0, bytes)) << "control 6 forgotten";
  EXPECT_EQ(rig.camera.Register(0xD9), 0x00);
}

TEST(SimulatedCamera, RecordsWhatItReceivedAndAnswered) {
  Rig rig("model=MORIN");
  std::uint8_t value = 0;
  ASSERT_TRUE(ReadRegister(rig.state, rig.channel, 1, 0x01, &value));
  const auto& seen = rig.camera.Requests();
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].index, 1u);
  EXPECT_TRUE(seen[0].IsSet());
  EXPECT_EQ(seen[0].selector, 5u);
  EXPECT_EQ(seen[0].nodeId, 2u);
  EXPECT_EQ(seen[0].propertySet, kA);
  EXPECT_EQ(seen[0].sent, (std::vector<std::uint8_t>{0x01, 0x01, 0x00, 0x00}));
  EXPECT_TRUE(seen[0].answered.empty());
  EXPECT_EQ(seen[1].index, 2u);
  EXPECT_TRUE(seen[1].IsGet());
  EXPECT_EQ(seen[1].answered, (std::vector<std::uint8_t>{0x4D, 0x00, 0x00, 0x00}));
}

// What the station does to the flash: eight sector erases through the SPI registers, control 6,
// optionally the chip erase, the long pause and the blocks.
struct Programming {
  std::uint32_t pauseAfterCommandMs = 100;
  bool chipErase = false;
  std::uint32_t pauseBeforeBlocksMs = 2000;
};

bool Command(Rig& rig, std::uint8_t opcode, std::uint8_t addressLength, std::uint8_t sector) {
  auto w = [&](std::uint8_t reg, std::uint8_t value) {
    return WriteRegister(rig.state, rig.channel, 3, reg, value);
  };
  return w(0xD9, opcode) && w(0xDA, addressLength) && w(0xCE, 0) && w(0xCF, sector * 16) &&
         w(0xD0, 0) && w(0xD8, 1);
}

bool Program(Rig& rig, const std::vector<std::uint8_t>& image, const Programming& how) {
  for (std::uint8_t s = 0; s < 8; ++s) {
    if (!Command(rig, 0x06, 0, 0))
      return false;
    rig.clock.Sleep(how.pauseAfterCommandMs);
    if (!Command(rig, 0x20, 3, s))
      return false;
    rig.clock.Sleep(how.pauseAfterCommandMs);
  }
  if (!SetControl6(rig.state, rig.channel))
    return false;
  if (how.chipErase && !(Command(rig, 0x06, 0, 0) && Command(rig, 0xC7, 0, 0)))
    return false;
  rig.clock.Sleep(how.pauseBeforeBlocksMs);
  std::array<std::uint8_t, 10> block{};
  for (std::size_t offset = 0; offset < image.size(); offset += 8) {
    const auto bytes = std::span(image).subspan(offset, 8);
    if (!WriteImageBlock(rig.state, rig.channel, block, static_cast<std::uint16_t>(offset),
                         bytes)) {
      return false;
    }
  }
  return true;
}

struct ProgrammingCase {
  const char* name;
  std::string_view camera;
  Programming how;
  bool imageIntact;
  bool firstBlockMissing;  // left erased because the flash was busy
  bool earlierFirmwareKeptAbove32K;
};

TEST(SimulatedCamera, FlashShowsWhetherTheSequenceWasSound) {
  std::vector<std::uint8_t> image(0x3000);
  for (std::size_t i = 0; i < image.size(); ++i) {
    image[i] = static_cast<std::uint8_t>(i * 31 + 7);
  }
  const std::vector<ProgrammingCase> cases = {
      {"sector erase with 100 ms pauses", "", {}, true, false, true},
      {"chip erase covered by the 2000 ms pause", "", {100, true, 2000}, true, false, false},
      {"pauses too short for the sector erase", "", {10, false, 2000}, false, false, true},
      {"a slower part still erasing the chip",
       "chip-erase-ms=3000",
       {100, true, 2000},
       false,
       true,
       false},
  };
  for (const ProgrammingCase& c : cases) {
    Rig rig(c.camera);
    const std::vector<std::uint8_t> before = rig.camera.FlashDump();
    ASSERT_TRUE(Program(rig, image, c.how)) << c.name;
    const auto& flash = rig.camera.FlashDump();
    EXPECT_EQ(std::equal(image.begin(), image.end(), flash.begin()), c.imageIntact) << c.name;
    EXPECT_EQ(std::all_of(flash.begin(), flash.begin() + 8, [](auto b) { return b == 0xFF; }),
              c.firstBlockMissing)
        << c.name;
    EXPECT_EQ(std::equal(before.begin() + 0x8000, before.begin() + 0x10000, flash.begin() + 0x8000),
              c.earlierFirmwareKeptAbove32K)
        << c.name;
    EXPECT_EQ(rig.camera.Register(0xD8), 0x00) << c.name << ": the start bit clears itself";
  }
}

TEST(SimulatedCaptureSystem, ListsPluggedDevicesInOrder) {
  VirtualClock clock;
  SimulatedCaptureSystem system(clock);
  EXPECT_EQ(system.CoInitialize(), status::kOk);
  EXPECT_EQ(system.CoInitialize(), status::kFalse);

  std::shared_ptr<DeviceEnumerator> enumerator;
  ASSERT_EQ(system.CreateSystemDeviceEnum(&enumerator), 0);
  std::shared_ptr<MonikerEnumerator> devices;
  EXPECT_EQ(enumerator->CreateClassEnumerator(kVideoInputDeviceCategory, 0, &devices),
            status::kFalse);
  EXPECT_EQ(devices, nullptr);

  system.AddDevice(Config("name=First"));
  system.AddDevice(Config("name=none,property-bag=ok"));
  system.AddDevice(Config("name=Gone"));
  system.AddDevice(Config("name=Last,property-bag=fail"));
  system.Device(2).Unplug();
  ASSERT_EQ(system.CreateSystemDeviceEnum(&enumerator), 0);
  EXPECT_EQ(enumerator->CreateClassEnumerator(Guid{}, 0, &devices), status::kFalse);
  ASSERT_EQ(enumerator->CreateClassEnumerator(kVideoInputDeviceCategory, 0, &devices), 0);
  ASSERT_EQ(devices->Reset(), 0);

  std::vector<std::string> names;
  std::vector<HResult> bindStatus;
  std::shared_ptr<DeviceMoniker> device;
  while (devices->Next(&device) == status::kOk) {
    std::shared_ptr<PropertyBag> bag;
    bindStatus.push_back(device->BindToStorage(&bag));
    std::string name = "?";
    if (bag && bag->Read("FriendlyName", &name) < 0) {
      name = "(none)";
    }
    names.push_back(name);
  }
  EXPECT_EQ(names, (std::vector<std::string>{"First", "(none)", "?"}));
  EXPECT_EQ(bindStatus, (std::vector<HResult>{0, 0, status::kFail}));
}

}  // namespace
}  // namespace korvane
