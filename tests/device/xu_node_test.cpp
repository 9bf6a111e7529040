#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <vector>

#include "device/xu_node.h"
#include "support/sim_rig.h"

namespace korvane {
namespace {

using testing::SimRig;

// A topology whose answers a case chooses node by node, including broken ones.
struct FakeNode {
  bool devSpecific = false;
  std::uint32_t nameLength = 8;
  HResult nameStatus = status::kOk;
  HResult typeStatus = status::kOk;
};

class FakeTopology final : public KsTopologyInfo {
 public:
  FakeTopology(HResult countStatus, std::vector<FakeNode> nodes)
      : m_countStatus(countStatus), m_nodes(std::move(nodes)) {}
  HResult GetNumNodes(std::uint32_t* count) override {
    *count = static_cast<std::uint32_t>(m_nodes.size());
    return m_countStatus;
  }
  HResult GetNodeName(std::uint32_t node, char16_t* buffer, std::uint32_t bufferSize,
                      std::uint32_t* nameLength) override {
    *nameLength = m_nodes.at(node).nameLength;
    if (buffer != nullptr) {
      // Fill exactly what the caller says it has: a short buffer shows up under ASan.
      std::memset(buffer, 'n', bufferSize);
      ++m_nameReads;
    }
    return buffer == nullptr ? status::kOk : m_nodes.at(node).nameStatus;
  }
  HResult GetNodeType(std::uint32_t node, Guid* type) override {
    *type = m_nodes.at(node).devSpecific ? kNodeTypeDevSpecific : Guid{};
    return m_nodes.at(node).typeStatus;
  }
  HResult CreateNodeInstance(std::uint32_t, std::shared_ptr<KsControl>*) override {
    return status::kFail;
  }
  int m_nameReads = 0;

 private:
  HResult m_countStatus;
  std::vector<FakeNode> m_nodes;
};

constexpr FakeNode kPlain{};
constexpr FakeNode kXu{true};

struct FindCase {
  const char* name;
  HResult countStatus;
  std::vector<FakeNode> nodes;
  HResult expectedStatus;
  std::uint32_t expectedIndex;
};

TEST(FindXuNode, FollowsTheSearchRules) {
  const std::vector<FindCase> cases = {
      {"no nodes", status::kOk, {}, 1, 0},
      {"no unit among nodes", status::kOk, {kPlain, kPlain}, 1, 0},
      {"only node 0", status::kOk, {kXu}, 0, 0},
      {"nodes 2 and 5: the last wins",
       status::kOk,
       {kPlain, kPlain, kXu, kPlain, kPlain, kXu, kPlain},
       0,
       5},
      {"count fails", status::kFail, {kXu}, status::kFail, 0},
      {"count answers S_FALSE", status::kFalse, {kXu}, status::kFalse, 0},
      {"a type answered with S_FALSE is no match",
       status::kOk,
       {kXu, {true, 8, status::kOk, status::kFalse}},
       0,
       0},
      {"a failed type is no match", status::kOk, {{true, 8, status::kOk, status::kFail}}, 1, 0},
      {"last node's name fails after a match",
       status::kOk,
       {kXu, {false, 8, status::kInsufficientBuffer}},
       status::kInsufficientBuffer,
       0},
      {"an earlier node's failed name does not count",
       status::kOk,
       {{false, 8, status::kFail}, kXu},
       0,
       1},
      {"odd name length", status::kOk, {kPlain, {true, 7, status::kOk}}, 0, 1},
      {"zero name length", status::kOk, {kXu, {false, 0, status::kOk}}, status::kInvalidArg, 0},
      {"huge name length",
       status::kOk,
       {kXu, {false, std::numeric_limits<std::uint32_t>::max(), status::kOk}},
       status::kInvalidArg,
       0},
  };
  for (const FindCase& c : cases) {
    FakeTopology topology(c.countStatus, c.nodes);
    std::uint32_t index = 99;
    EXPECT_EQ(FindXuNode(topology, kNodeTypeDevSpecific, &index), c.expectedStatus) << c.name;
    EXPECT_EQ(index, c.expectedIndex) << c.name;
  }
}

TEST(FindXuNode, UnusableNameLengthReadsNoName) {
  FakeTopology topology(status::kOk, {{true, 0, status::kOk}});
  std::uint32_t index = 0;
  EXPECT_NE(FindXuNode(topology, kNodeTypeDevSpecific, &index), 0);
  EXPECT_EQ(topology.m_nameReads, 0);
}

TEST(OpenXuChannel, OpensOnlyOnAnExtensionUnit) {
  SimRig rig;
  auto& camera = rig.Add("nodes=5,xu-node=3");
  auto& plain = rig.Add("xu-node=none");

  EXPECT_FALSE(OpenXuChannel(nullptr));
  EXPECT_FALSE(OpenXuChannel(SimRig::Bind(plain)));
  const std::optional<XuChannel> channel = OpenXuChannel(SimRig::Bind(camera));
  ASSERT_TRUE(channel);
  EXPECT_EQ(channel->nodeIndex, 3u);
  EXPECT_TRUE(channel->control);
  EXPECT_TRUE(camera.Requests().empty());
}

}  // namespace
}  // namespace korvane
