#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <memory>

#include "device/register_channel.h"
#include "device/xu_request.h"
#include "support/sim_rig.h"

namespace korvane {
namespace {

using testing::Bytes;
using testing::FailedGet;
using testing::Get;
using testing::Seen;
using testing::Set;
using testing::SimRig;

constexpr std::string_view kCamera = "word-a=0x1234,lens=0x2000,answer-tail=0x7788";

TEST(SendXuRequest, LaysOutKspNodeAsOnWindows) {
  SimRig rig;
  auto& camera = rig.Add("nodes=4,xu-node=2");
  XuChannel channel = SimRig::Open(camera);
  std::array<std::uint8_t, 4> data{0x01, 0x01, 0x00, 0x00};
  EXPECT_EQ(SendXuRequest(channel, kXuPropertySetVariantA, XuRequestKind::kSet, 5, data.data(), 4),
            0);
  const std::array<std::uint8_t, 32> expected{
      0x41, 0x2C, 0x9A, 0x3F, 0x7E, 0x6B, 0x15, 0x4D,
      0x9C, 0x20, 0x8E, 0x4B, 0x7A, 0x61, 0xD3, 0xF5,  // Set, variant A
      0x05, 0x00, 0x00, 0x00,                          // Id: selector 5
      0x02, 0x00, 0x00, 0x10,                          // Flags: SET | TOPOLOGY
      0x02, 0x00, 0x00, 0x00,                          // NodeId
      0x00, 0x00, 0x00, 0x00};                         // Reserved
  ASSERT_EQ(camera.Requests().size(), 1u);
  EXPECT_EQ(camera.Requests()[0].request, expected);
  EXPECT_EQ(camera.Requests()[0].propertyLength, 32u);
}

struct OperationCase {
  const char* name;
  std::string_view camera;
  std::function<bool(DeviceState&, const XuChannel&)> operation;
  bool succeeds;
  std::vector<testing::SeenRequest> requests;
};

TEST(RegisterOperations, SendExactlyTheseRequests) {
  const std::vector<OperationCase> cases = {
      {"ReadRegister",
       kCamera,
       [](DeviceState& s, const XuChannel& c) {
         std::uint8_t v = 0;
         return ReadRegister(s, c, 3, 0xC2, &v) && v == 0x12;
       },
       true,
       {Set(5, {0xC2, 0x01, 0x00, 0x00}), Get(3, {0x12, 0x00, 0x77, 0x88})}},
      {"ReadRegister's address request ends in 00 00 after any answer",
       kCamera,
       [](DeviceState& s, const XuChannel& c) {
         std::uint8_t v = 0;
         return ReadRegister(s, c, 3, 0xC6, &v) && ReadRegister(s, c, 3, 0xC7, &v) && v == 0x00;
       },
       true,
       {Set(5, {0xC6, 0x01, 0x00, 0x00}), Get(3, {0x20, 0x00, 0x77, 0x88}),
        Set(5, {0xC7, 0x01, 0x00, 0x00}), Get(3, {0x00, 0x00, 0x77, 0x88})}},
      {"ReadRegisterPair carries bytes 2 and 3 of the high answer",
       kCamera,
       [](DeviceState& s, const XuChannel& c) {
         std::uint16_t v = 0;
         return ReadRegisterPair(s, c, 3, 0xC2, 0xC3, &v) && v == 0x1234;
       },
       true,
       {Set(5, {0xC2, 0x01, 0x00, 0x00}), Get(3, {0x12, 0x00, 0x77, 0x88}),
        Set(5, {0xC3, 0x01, 0x77, 0x88}), Get(3, {0x34, 0x00, 0x77, 0x88})}},
      {"S_FALSE on the high GET fails the pair and ends it",
       "fail-at=2,fail-status=1",
       [](DeviceState& s, const XuChannel& c) {
         std::uint16_t v = 0;
         return ReadRegisterPair(s, c, 3, 1, 0, &v);
       },
       false,
       {Set(5, {0x01, 0x01, 0x00, 0x00}), FailedGet(3)}},
      {"a refused low address request ends the pair",
       "fail-at=3",
       [](DeviceState& s, const XuChannel& c) {
         std::uint16_t v = 0;
         return ReadRegisterPair(s, c, 3, 1, 0, &v);
       },
       false,
       {Set(5, {0x01, 0x01, 0x00, 0x00}), Get(3, {0x54, 0x00, 0x00, 0x00}),
        Set(5, {0x00, 0x01, 0x00, 0x00})}},
      {"WriteRegister",
       kCamera,
       [](DeviceState& s, const XuChannel& c) { return WriteRegister(s, c, 3, 0xD9, 0x06); },
       true,
       {Set(3, {0xD9, 0x06, 0x01, 0x00})}},
      {"WriteRegister refused",
       "fail-at=1,fail-status=0x80070490",
       [](DeviceState& s, const XuChannel& c) { return WriteRegister(s, c, 3, 0xD9, 0x06); },
       false,
       {Set(3, {0xD9, 0x06, 0x01, 0x00})}},
      {"SetControl6 then a 3-byte block at 0x1238",
       kCamera,
       [](DeviceState& s, const XuChannel& c) {
         std::array<std::uint8_t, 10> block{};
         block.fill(0xEE);  // whatever the buffer held before
         const std::array<std::uint8_t, 3> bytes{0xB0, 0xB1, 0xB2};
         return SetControl6(s, c) && WriteImageBlock(s, c, block, 0x1238, bytes);
       },
       true,
       {Set(6, {0x01, 0x00, 0x00, 0x00}),
        Set(7, {0xB0, 0xB1, 0xB2, 0x00, 0x00, 0x00, 0x00, 0x00, 0x38, 0x12})}},
      {"a block before control 6 is refused",
       kCamera,
       [](DeviceState& s, const XuChannel& c) {
         std::array<std::uint8_t, 10> block{};
         const std::array<std::uint8_t, 8> bytes{1, 2, 3, 4, 5, 6, 7, 8};
         return WriteImageBlock(s, c, block, 0, bytes);
       },
       false,
       {Set(7, {1, 2, 3, 4, 5, 6, 7, 8, 0x00, 0x00})}},
      {"a block of 0 or 9 bytes is not sent",
       kCamera,
       [](DeviceState& s, const XuChannel& c) {
         std::array<std::uint8_t, 10> block{};
         const std::array<std::uint8_t, 9> nine{};
         return WriteImageBlock(s, c, block, 0, std::span<const std::uint8_t>()) ||
                WriteImageBlock(s, c, block, 0, nine);
       },
       false,
       {}},
  };
  for (const OperationCase& c : cases) {
    SimRig rig;
    auto& camera = rig.Add(c.camera);
    rig.state.m_xuPropertySet = kXuPropertySetVariantA;
    const XuChannel channel = SimRig::Open(camera);
    EXPECT_EQ(c.operation(rig.state, channel), c.succeeds) << c.name;
    EXPECT_EQ(Seen(camera), c.requests) << c.name;
  }
}

TEST(RegisterOperations, SendNothingWithoutThePayloadBuffer) {
  SimRig rig;
  auto& camera = rig.Add(kCamera);
  rig.state.m_xuPropertySet = kXuPropertySetVariantA;
  const XuChannel channel = SimRig::Open(camera);
  rig.state.m_xuData.reset();
  std::uint8_t byte = 0;
  std::uint16_t word = 0;
  EXPECT_FALSE(ReadRegister(rig.state, channel, 3, 0xC2, &byte));
  EXPECT_FALSE(ReadRegisterPair(rig.state, channel, 3, 0xC2, 0xC3, &word));
  EXPECT_FALSE(WriteRegister(rig.state, channel, 3, 0xD9, 0x06));
  EXPECT_FALSE(SetControl6(rig.state, channel));
  EXPECT_TRUE(camera.Requests().empty());
}

// A node control that only counts the requests it is given.
class CountingControl final : public KsControl {
 public:
  HResult KsProperty(const void*, std::uint32_t, void*, std::uint32_t, std::uint32_t*) override {
    ++calls;
    return status::kOk;
  }
  int calls = 0;
};

TEST(SendXuRequest, RefusesAMissingBufferOrControlWithoutACall) {
  const auto control = std::make_shared<CountingControl>();
  const XuChannel channel{control, 2};
  EXPECT_NE(SendXuRequest(channel, kXuPropertySetVariantA, XuRequestKind::kGet, 3, nullptr, 4), 0);
  EXPECT_EQ(control->calls, 0);

  std::array<std::uint8_t, 4> data{};
  EXPECT_NE(
      SendXuRequest(XuChannel{}, kXuPropertySetVariantA, XuRequestKind::kGet, 3, data.data(), 4),
      0);
  // The same channel with a buffer does reach the control.
  EXPECT_EQ(SendXuRequest(channel, kXuPropertySetVariantA, XuRequestKind::kGet, 3, data.data(), 4),
            0);
  EXPECT_EQ(control->calls, 1);
}

TEST(RegisterOperations, FailOnAnEmptyChannel) {
  SimRig rig;
  std::uint8_t byte = 0;
  std::uint16_t word = 0;
  std::array<std::uint8_t, kImageBlockLength> block{};
  const std::array<std::uint8_t, 8> bytes{};
  EXPECT_FALSE(ReadRegister(rig.state, XuChannel{}, 3, 0xC2, &byte));
  EXPECT_FALSE(ReadRegisterPair(rig.state, XuChannel{}, 3, 0xC2, 0xC3, &word));
  EXPECT_FALSE(WriteRegister(rig.state, XuChannel{}, 3, 0xD9, 0x06));
  EXPECT_FALSE(SetControl6(rig.state, XuChannel{}));
  EXPECT_FALSE(WriteImageBlock(rig.state, XuChannel{}, block, 0, bytes));
}

}  // namespace
}  // namespace korvane
