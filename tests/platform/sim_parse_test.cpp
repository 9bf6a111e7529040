#include <gtest/gtest.h>

#include <functional>

#include "platform/sim/parse_simulated_device.h"

namespace korvane {
namespace {

struct GoodCase {
  const char* text;
  std::function<bool(const SimulatedDeviceConfig&)> holds;
};

TEST(ParseSimulatedDevice, ReadsEveryKey) {
  using C = const SimulatedDeviceConfig&;
  const std::vector<GoodCase> cases = {
      {"", [](C c) { return c.chipId == 0x5463 && c.variant == XuVariant::kA && c.xuNode == 2u; }},
      {"model=TALVO,variant=B,word-a=0x1234,word-b=0x1234,lens=0x2000,fail-at=57,"
       "fail-status=0x80004005,unplug-at=300",
       [](C c) {
         return c.chipId == 0x5463 && c.variant == XuVariant::kB && c.wordA == 0x1234 &&
                c.wordB == 0x1234 && c.lensWord == 0x2000 && c.faults.size() == 1 &&
                c.faults[0].requestIndex == 57 &&
                c.faults[0].status == static_cast<HResult>(0x80004005u) &&
                c.unplugAtRequest == 300u;
       }},
      {"model=kesta", [](C c) { return c.chipId == 0x4B21; }},
      {"model=MORIN", [](C c) { return c.chipId == 0x4D42; }},
      {"chip=0x1234", [](C c) { return c.chipId == 0x1234; }},
      {"variant=none", [](C c) { return c.variant == XuVariant::kNone; }},
      {"name=Lab Camera 2", [](C c) { return c.friendlyName == "Lab Camera 2"; }},
      {"name=none", [](C c) { return !c.friendlyName; }},
      {"name=", [](C c) { return c.friendlyName == ""; }},
      {"property-bag=fail", [](C c) { return c.propertyBagFails; }},
      {"nodes=6,xu-node=5", [](C c) { return c.nodeCount == 6 && c.xuNode == 5u; }},
      {"xu-node=none", [](C c) { return !c.xuNode; }},
      {"reg-02=0xA7,reg-eb=12", [](C c) { return c.register02 == 0xA7 && c.registerEB == 12; }},
      {"answer-tail=0x7788", [](C c) { return c.answerTail == 0x7788; }},
      {"", [](C c) { return c.requestMs == 0; }},
      {"request-ms=7", [](C c) { return c.requestMs == 7; }},
      {"sector-erase-ms=400,chip-erase-ms=25000",
       [](C c) { return c.sectorEraseMs == 400 && c.chipEraseMs == 25000; }},
      {"flash-fill=0xFF", [](C c) { return c.flashFill == 0xFF; }},
      {"flash-fill=old-firmware", [](C c) { return !c.flashFill; }},
      {"fail-at=3", [](C c) { return c.faults[0].status == status::kFail; }},
      {"fail-at=1,fail-status=1", [](C c) { return c.faults[0].status == 1; }},
      {"unplug-after-ms=1500,replug-after-ms=4000",
       [](C c) { return c.unplugAfterMs == 1500u && c.replugAfterMs == 4000u; }},
  };
  for (const GoodCase& c : cases) {
    const SimulatedDeviceParse parsed = ParseSimulatedDevice(c.text);
    ASSERT_TRUE(parsed.config) << c.text << ": " << parsed.error;
    EXPECT_TRUE(c.holds(*parsed.config)) << c.text;
  }
}

TEST(ParseSimulatedDevice, NamesWhatItRefuses) {
  const std::vector<std::pair<const char*, const char*>> cases = {
      {"colour=red", "unknown key 'colour'"},
      {"model=TALVO,lense=0x2000", "unknown key 'lense'"},
      {"model=ZORBA", "bad value 'ZORBA' for key 'model'"},
      {"word-a=0x10000", "bad value '0x10000' for key 'word-a'"},
      {"lens=twenty", "bad value 'twenty' for key 'lens'"},
      {"chip=", "bad value '' for key 'chip'"},
      {"variant=C", "bad value 'C' for key 'variant'"},
      {"fail-at=0", "bad value '0' for key 'fail-at'"},
      {"unplug-at=-1", "bad value '-1' for key 'unplug-at'"},
      {"fail-at=2,fail-status=0", "bad value '0' for key 'fail-status'"},
      {"nodes=0", "bad value '0' for key 'nodes'"},
      {"request-ms=-1", "bad value '-1' for key 'request-ms'"},
      {"property-bag=maybe", "bad value 'maybe' for key 'property-bag'"},
      {"model=TALVO,,lens=1", "missing '=' in ''"},
      {"TALVO", "missing '=' in 'TALVO'"},
      {"lens=1,lens=2", "key 'lens' given twice"},
      {"model=TALVO,chip=0x1234", "give either model or chip, not both"},
      {"fail-status=0x80004005", "fail-status needs fail-at"},
      {"nodes=2,xu-node=2", "xu-node 2 is not below nodes=2"},
  };
  for (const auto& [text, error] : cases) {
    const SimulatedDeviceParse parsed = ParseSimulatedDevice(text);
    EXPECT_FALSE(parsed.config) << text;
    EXPECT_EQ(parsed.error, error) << text;
  }
}

}  // namespace
}  // namespace korvane
