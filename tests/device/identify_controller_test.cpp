#include <gtest/gtest.h>

#include "device/identify_controller.h"
#include "device/model_table.h"
#include "support/sim_rig.h"

namespace korvane {
namespace {

using testing::Bytes;
using testing::FailedGet;
using testing::Get;
using testing::Seen;
using testing::SeenRequest;
using testing::Set;
using testing::SimRig;

struct IdentifyCase {
  const char* name;
  std::string_view camera;
  std::int32_t status;
  std::int32_t chipId;
  std::int32_t nibble;
  std::int32_t registerEB;
  Guid propertySet;
  std::array<std::uint8_t, 4> selectors;
  std::vector<SeenRequest> requests;
  std::vector<Guid> requestSets;
};

constexpr std::array<std::uint8_t, 4> kUntouched{0xEE, 0xEE, 0xEE, 0xEE};
const Guid kA = kXuPropertySetVariantA;
const Guid kB = kXuPropertySetVariantB;

TEST(IdentifyController, ProbesReadsAndLeavesTheVariant) {
  const std::vector<IdentifyCase> cases = {
      {"variant A: reads on selectors 1 and 3; the low address keeps the high answer's tail",
       "model=TALVO,reg-02=0xA7,reg-eb=0x5C,answer-tail=0x7788",
       1,
       0x5463,
       7,
       0x5C,
       kA,
       {1, 2, 3, 4},
       {Set(5, {0x01, 0x01, 0x00, 0x00}), Get(1, {0x54, 0x00, 0x77, 0x88}),
        Set(5, {0x00, 0x01, 0x77, 0x88}), Get(1, {0x63, 0x00, 0x77, 0x88}),
        Set(5, {0x02, 0x01, 0x00, 0x00}), Get(1, {0xA7, 0x00, 0x77, 0x88}),
        Set(5, {0xEB, 0x01, 0x00, 0x00}), Get(3, {0x5C, 0x00, 0x77, 0x88})},
       {kA, kA, kA, kA, kA, kA, kA, kA}},
      {"variant B: the probe again under B, then selectors 9 and 11",
       "model=KESTA,variant=B,reg-02=0x03,reg-eb=0x01",
       1,
       0x4B21,
       3,
       0x01,
       kB,
       {9, 10, 11, 12},
       {Set(5, {0x01, 0x01, 0x00, 0x00}), Set(5, {0x01, 0x01, 0x00, 0x00}),
        Get(9, {0x4B, 0x00, 0x00, 0x00}), Set(5, {0x00, 0x01, 0x00, 0x00}),
        Get(9, {0x21, 0x00, 0x00, 0x00}), Set(5, {0x02, 0x01, 0x00, 0x00}),
        Get(9, {0x03, 0x00, 0x00, 0x00}), Set(5, {0xEB, 0x01, 0x00, 0x00}),
        Get(11, {0x01, 0x00, 0x00, 0x00})},
       {kA, kB, kB, kB, kB, kB, kB, kB, kB}},
      {"a unit that answers neither set",
       "variant=none",
       0,
       0,
       0,
       0,
       kB,
       {9, 10, 11, 12},
       {Set(5, {0x01, 0x01, 0x00, 0x00}), Set(5, {0x01, 0x01, 0x00, 0x00}), FailedGet(9)},
       {kA, kB, kB}},
      {"no extension unit: nothing sent, selectors kept",
       "xu-node=none",
       0,
       0,
       0,
       0,
       kA,
       kUntouched,
       {},
       {}},
      {"low byte unreadable: the high byte stays",
       "model=TALVO,fail-at=4",
       0,
       0x5400,
       0,
       0,
       kA,
       {1, 2, 3, 4},
       {Set(5, {0x01, 0x01, 0x00, 0x00}), Get(1, {0x54, 0x00, 0x00, 0x00}),
        Set(5, {0x00, 0x01, 0x00, 0x00}), FailedGet(1)},
       {kA, kA, kA, kA}},
      {"register 0xEB unreadable: the identifier is complete",
       "model=MORIN,reg-02=0x0F,fail-at=8,fail-status=1",
       0,
       0x4D42,
       0xF,
       0,
       kA,
       {1, 2, 3, 4},
       {Set(5, {0x01, 0x01, 0x00, 0x00}), Get(1, {0x4D, 0x00, 0x00, 0x00}),
        Set(5, {0x00, 0x01, 0x00, 0x00}), Get(1, {0x42, 0x00, 0x00, 0x00}),
        Set(5, {0x02, 0x01, 0x00, 0x00}), Get(1, {0x0F, 0x00, 0x00, 0x00}),
        Set(5, {0xEB, 0x01, 0x00, 0x00}), FailedGet(3)},
       {kA, kA, kA, kA, kA, kA, kA, kA}},
  };
  for (const IdentifyCase& c : cases) {
    SimRig rig;
    auto& camera = rig.Add(c.camera);
    rig.state.m_xuPropertySet = kB;
    rig.state.m_xuSelectors = kUntouched;
    ControllerIdentity identity;
    EXPECT_EQ(IdentifyController(rig.state, SimRig::Bind(camera), identity), c.status) << c.name;
    EXPECT_EQ(identity.chipId, c.chipId) << c.name;
    EXPECT_EQ(identity.register02Nibble, c.nibble) << c.name;
    EXPECT_EQ(identity.registerEB, c.registerEB) << c.name;
    EXPECT_EQ(rig.state.m_xuPropertySet, c.propertySet) << c.name;
    EXPECT_EQ(rig.state.m_xuSelectors, c.selectors) << c.name;
    EXPECT_EQ(Seen(camera), c.requests) << c.name;
    std::vector<Guid> sets;
    for (const RecordedRequest& r : camera.Requests()) {
      sets.push_back(r.propertySet);
    }
    EXPECT_EQ(sets, c.requestSets) << c.name;
  }
}

TEST(IdentifyController, EmptyFilterOrNoPayloadBufferSendsNothing) {
  SimRig rig;
  auto& camera = rig.Add("model=TALVO");
  ControllerIdentity identity;
  EXPECT_EQ(IdentifyController(rig.state, nullptr, identity), 0);
  rig.state.m_xuData.reset();
  EXPECT_EQ(IdentifyController(rig.state, SimRig::Bind(camera), identity), 0);
  EXPECT_EQ(rig.state.m_xuPropertySet, kXuPropertySetVariantA);
  EXPECT_TRUE(camera.Requests().empty());
}

struct ModelCase {
  std::int32_t chipId;
  const char* model;  // null: not recognised
  std::int32_t kind;
  const char* caption;
  const char* titleA;
  const char* titleB;
};

TEST(ModelTable, MapsChipIdentifiers) {
  const std::vector<ModelCase> cases = {
      {0x5463, "TALVO", 2, "SST", "Extension Unit Tool (TALVO C)", "Tavolin Tool (TALVO C)"},
      {0x4D42, "MORIN", 3, "SST", "Extension Unit Tool (MORIN)", "Tavolin Tool (MORIN)"},
      {0x4B21, "KESTA", 1, "AMIC", "Extension Unit Tool (KESTA)", "Tavolin Tool (KESTA)"},
      {0, nullptr, 0, "", "", ""},
      {0x5400, nullptr, 0, "", "", ""},
      {0x6354, nullptr, 0, "", "", ""},
      {0x15463, nullptr, 0, "", "", ""},
  };
  for (const ModelCase& c : cases) {
    const ControllerModel* model = FindControllerModel(c.chipId);
    if (c.model == nullptr) {
      EXPECT_EQ(model, nullptr) << std::hex << c.chipId;
      continue;
    }
    ASSERT_NE(model, nullptr) << std::hex << c.chipId;
    EXPECT_EQ(model->name, c.model);
    EXPECT_EQ(model->kind, c.kind);
    EXPECT_EQ(model->flashCaption, c.caption);
    EXPECT_EQ(ModelTitle(*model, kXuPropertySetVariantA), c.titleA);
    EXPECT_EQ(ModelTitle(*model, kXuPropertySetVariantB), c.titleB);
    EXPECT_EQ(ModelTitle(*model, Guid{}), c.titleB);
  }
}

}  // namespace
}  // namespace korvane
