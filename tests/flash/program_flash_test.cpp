#include "flash/program_flash.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <numeric>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "app/main_dialog_layout.h"
#include "device/identify_controller.h"
#include "device/xu_node.h"
#include "image/hex_text_to_image.h"
#include "platform/clock.h"
#include "platform/control_ids.h"
#include "platform/memory/window_model.h"
#include "support/busy_watch.h"
#include "support/dialog_run.h"
#include "support/sim_rig.h"

namespace korvane {
namespace {

using testing::ActionDialog;
using testing::BusyWatch;
using testing::Bytes;
using testing::Seen;
using testing::SeenRequest;
using testing::Set;
using testing::SimRig;

constexpr std::uint32_t kRegisterSelector = 3;
// Nine register writes per erased sector, then control 6.
constexpr std::size_t kRequestsBeforeBlocks = 8 * 9 + 1;

SeenRequest SpiWrite(std::uint8_t reg, std::uint8_t value, std::uint32_t selector = 3) {
  return Set(selector, {reg, value, 0x01, 0x00});
}

std::vector<SeenRequest> SectorErase(std::uint32_t sector) {
  return {SpiWrite(0xDA, 0x00),
          SpiWrite(0xD9, 0x06),
          SpiWrite(0xD8, 0x01),
          SpiWrite(0xD9, 0x20),
          SpiWrite(0xDA, 0x03),
          SpiWrite(0xCE, 0x00),
          SpiWrite(0xCF, static_cast<std::uint8_t>(sector * 16)),
          SpiWrite(0xD0, 0x00),
          SpiWrite(0xD8, 0x01)};
}

std::vector<SeenRequest> ChipErase(std::uint32_t selector) {
  return {SpiWrite(0xDA, 0x00, selector), SpiWrite(0xD9, 0x06, selector),
          SpiWrite(0xD8, 0x01, selector), SpiWrite(0xD9, 0xC7, selector),
          SpiWrite(0xD8, 0x01, selector)};
}

SeenRequest Block(const std::vector<std::uint8_t>& image, std::uint32_t offset,
                  std::uint32_t count) {
  Bytes payload(10, 0);
  std::copy_n(image.begin() + offset, count, payload.begin());
  payload[8] = static_cast<std::uint8_t>(offset & 0xFF);
  payload[9] = static_cast<std::uint8_t>(offset >> 8);
  return Set(7, payload);
}

// One step of the sequence as the camera and the clock saw it: a request or a pause.
struct Step {
  std::optional<SeenRequest> request;
  std::uint32_t pauseMs = 0;

  friend bool operator==(const Step&, const Step&) = default;
  friend std::ostream& operator<<(std::ostream& out, const Step& step) {
    if (step.request) {
      return out << *step.request;
    }
    return out << "pause " << std::dec << step.pauseMs << " ms";
  }
};

Step Sent(SeenRequest request) {
  return {std::move(request), 0};
}
Step Pause(std::uint32_t ms) {
  return {std::nullopt, ms};
}

// The simulated clock, with a note of where each pause fell: after how many camera requests and
// how many progress range settings.
class PauseLog final : public Clock {
 public:
  struct Entry {
    std::size_t requestsBefore;
    std::size_t rangesBefore;
    std::uint32_t ms;
  };

  PauseLog(Clock& inner, const SimulatedCamera& camera, const WindowModel& window)
      : m_inner(inner), m_camera(camera), m_window(window) {}

  void Sleep(std::uint32_t milliseconds) override {
    m_entries.push_back({m_camera.Requests().size(),
                         m_window.Calls(WindowOp::kProgressRange).size(), milliseconds});
    m_inner.Sleep(milliseconds);
  }
  std::uint64_t NowMs() override { return m_inner.NowMs(); }

  const std::vector<Entry>& Entries() const { return m_entries; }

  // The camera's requests with the pauses put between them where they fell.
  std::vector<Step> Steps() const {
    const std::vector<SeenRequest> seen = Seen(m_camera);
    std::vector<Step> steps;
    auto pause = m_entries.begin();
    for (std::size_t i = 0; i <= seen.size(); ++i) {
      for (; pause != m_entries.end() && pause->requestsBefore == i; ++pause) {
        steps.push_back(Pause(pause->ms));
      }
      if (i < seen.size()) {
        steps.push_back(Sent(seen[i]));
      }
    }
    return steps;
  }

 private:
  Clock& m_inner;
  const SimulatedCamera& m_camera;
  const WindowModel& m_window;
  std::vector<Entry> m_entries;
};

// The sector erase with a pause after each executed command, control 6, the chip erase when
// asked for, and the settling pause before the blocks.
std::vector<Step> EraseSteps(std::optional<std::uint32_t> chipEraseSelector = std::nullopt) {
  std::vector<Step> steps;
  for (std::uint32_t sector = 0; sector < 8; ++sector) {
    const std::vector<SeenRequest> round = SectorErase(sector);
    for (std::size_t i = 0; i < round.size(); ++i) {
      steps.push_back(Sent(round[i]));
      if (i == 2 || i == 8) {
        steps.push_back(Pause(100));  // right after each 0xD8 = 0x01
      }
    }
  }
  steps.push_back(Sent(Set(6, {0x01, 0x00, 0x00, 0x00})));
  if (chipEraseSelector) {
    for (SeenRequest& request : ChipErase(*chipEraseSelector)) {
      steps.push_back(Sent(std::move(request)));
    }
  }
  steps.push_back(Pause(2000));
  return steps;
}

// An image whose bytes change from block to block and leave no bit pattern to chance.
std::vector<std::uint8_t> TestImage() {
  std::vector<std::uint8_t> image(kFlashImageCapacity);
  for (std::size_t i = 0; i < image.size(); ++i) {
    image[i] = static_cast<std::uint8_t>((i * 37 + (i >> 8)) & 0xFF);
  }
  return image;
}

// ProgramFlash on a simulated camera selected as discovery leaves it, run as a dialog handler.
struct ProgramRig {
  SimRig sim;
  WindowModel window{sim.clock, MainDialogLayout()};
  SimulatedCamera* camera = nullptr;
  std::unique_ptr<BusyWatch> watch;
  std::unique_ptr<PauseLog> pauses;
  std::vector<std::uint8_t> image = TestImage();
  std::vector<int> checkedRadios = {ctrl::kRadioMxic};
  std::map<std::uint32_t, std::function<void()>> handlers;
  std::function<void()> beforeRun;
  bool passed = false;

  explicit ProgramRig(const std::string& config) {
    camera = &sim.Add(config);
    watch = std::make_unique<BusyWatch>(*camera);
    sim.state.m_deviceFilters[0] = watch->Wrap(SimRig::Bind(*camera));
    const bool variantB = camera->Config().variant == XuVariant::kB;
    sim.state.m_xuPropertySet = variantB ? kXuPropertySetVariantB : kXuPropertySetVariantA;
    sim.state.m_xuSelectors = variantB ? kXuSelectorsVariantB : kXuSelectorsVariantA;
    sim.state.m_deviceMissing = 0;
    pauses = std::make_unique<PauseLog>(sim.clock, *camera, window);
  }

  bool Run(std::uint32_t programmedLength, const std::uint8_t* data = nullptr) {
    const std::uint8_t* from = data != nullptr ? data : image.data();
    const std::optional<XuChannel> channel = OpenXuChannel(sim.state.m_deviceFilters[0]);
    EXPECT_TRUE(channel);
    ActionDialog dialog(window, [&] {
      passed = ProgramFlash(sim.state, channel.value_or(XuChannel{}), from, programmedLength,
                            window, *pauses);
    });
    dialog.handlers = handlers;
    dialog.onInit = [&] {
      for (int radio : checkedRadios) {
        window.SetCheck(radio, true);
      }
      if (beforeRun) {
        beforeRun();
      }
    };
    window.DoModal(dialog);
    EXPECT_EQ(window.Faults(), std::vector<std::string>{});
    return passed;
  }

  std::vector<std::uint8_t> Flash(std::uint32_t length) const {
    return {camera->FlashDump().begin(), camera->FlashDump().begin() + length};
  }
  std::vector<std::uint8_t> Image(std::uint32_t length) const {
    return {image.begin(), image.begin() + length};
  }
  std::vector<std::int64_t> Positions() const {
    std::vector<std::int64_t> positions;
    for (const WindowCall& call : window.Calls(WindowOp::kProgressPos)) {
      positions.push_back(call.value);
    }
    return positions;
  }
};

TEST(ProgramFlashTest, ErasesSendsControl6PausesAndSendsTheBlocks) {
  ProgramRig rig("");
  ASSERT_TRUE(rig.Run(405));

  std::vector<Step> expected = EraseSteps();
  for (std::uint32_t offset = 0; offset < 400; offset += 8) {
    expected.push_back(Sent(Block(rig.image, offset, 8)));
  }
  expected.push_back(Sent(Block(rig.image, 400, 5)));  // 5 image bytes, then 3 zero bytes
  EXPECT_EQ(rig.pauses->Steps(), expected);

  // Sixteen 100 ms pauses, then 2000 ms before the bar and the blocks.
  ASSERT_FALSE(rig.pauses->Entries().empty());
  EXPECT_EQ(rig.pauses->Entries().back().rangesBefore, 0u);
  const auto ranges = rig.window.Calls(WindowOp::kProgressRange);
  ASSERT_EQ(ranges.size(), 2u);
  EXPECT_EQ(ranges[0].timeMs, 16 * 100u + 2000u);
  EXPECT_EQ(ranges[0].value2, 51);
  EXPECT_EQ(ranges[1].value2, 51);
  std::vector<std::int64_t> positions(50);
  std::iota(positions.begin(), positions.end(), 1);
  positions.push_back(51);
  EXPECT_EQ(rig.Positions(), positions);
  EXPECT_EQ(rig.window.Text(ctrl::kStatusLine), "Please do not remove the device...");
  EXPECT_EQ(rig.window.Control(ctrl::kProgressBar).position, 51);
  EXPECT_EQ(rig.Flash(405), rig.Image(405));
  EXPECT_TRUE(rig.window.Messages().empty());
}

// The mend for images over 32 KB: the erase reaches every sector the blocks land in.
TEST(ProgramFlashTest, LengthsDecideSectorsBlocksAndTheBar) {
  struct Case {
    std::uint32_t length;
    std::uint32_t lastSector;
    std::uint32_t fullBlocks;
    std::uint32_t totalBlocks;
  };
  const Case cases[] = {
      {7, 7, 0, 1},
      {400, 7, 50, 50},
      {405, 7, 50, 51},
      {0x8000, 7, 4096, 4096},
      {0x8001, 8, 4096, 4097},
      {0x8180, 8, 4144, 4144},
      {0xC123, 12, 6180, 6181},
      {0xFFFF, 15, 8191, 8192},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.length);
    EXPECT_EQ(LastErasedSector(c.length), c.lastSector);
    ProgramRig rig("");
    ASSERT_TRUE(rig.Run(c.length));
    std::vector<std::uint8_t> sectors;
    std::uint64_t blocks = 0;
    for (const RecordedRequest& r : rig.camera->Requests()) {
      if (r.selector == kRegisterSelector && r.sent[0] == 0xCF) {
        sectors.push_back(r.sent[1]);
      }
      blocks += r.selector == 7 ? 1 : 0;
    }
    std::vector<std::uint8_t> expectedSectors;
    for (std::uint32_t s = 0; s <= c.lastSector; ++s) {
      expectedSectors.push_back(static_cast<std::uint8_t>(s * 16));
    }
    EXPECT_EQ(sectors, expectedSectors);
    EXPECT_EQ(blocks, c.totalBlocks);
    EXPECT_EQ(rig.Positions().size(), c.fullBlocks + 1);
    EXPECT_EQ(rig.window.Control(ctrl::kProgressBar).rangeHigh, static_cast<int>(c.totalBlocks));
    EXPECT_EQ(rig.window.Control(ctrl::kProgressBar).position, static_cast<int>(c.totalBlocks));
    // The flash held an earlier firmware: every programmed byte is right only when its sector
    // was erased first.
    EXPECT_EQ(rig.Flash(c.length), rig.Image(c.length));
  }
}

TEST(ProgramFlashTest, ChipEraseOnlyWithoutAnAtmelMxicOrSstChoice) {
  struct Case {
    const char* camera;
    std::vector<int> radios;
    std::optional<std::uint32_t> chipEraseSelector;
  };
  const Case cases[] = {
      {"variant=A", {ctrl::kRadioMxic}, std::nullopt},
      {"variant=A", {ctrl::kRadioAtmel}, std::nullopt},
      {"variant=B", {ctrl::kRadioSst}, std::nullopt},
      {"variant=B", {ctrl::kRadioPflash, ctrl::kRadioMxic}, std::nullopt},
      {"variant=A", {ctrl::kRadioPflash}, 3},
      {"variant=B", {ctrl::kRadioPflash}, 11},
      {"variant=B", {}, 11},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.camera) + " radios " + std::to_string(c.radios.size()));
    ProgramRig rig(c.camera);
    rig.checkedRadios = c.radios;
    ASSERT_TRUE(rig.Run(64));
    const std::vector<SeenRequest> seen = Seen(*rig.camera);
    // The sector erase stays on control 3 under both variants.
    for (std::uint32_t sector = 0; sector < 8; ++sector) {
      const auto round = SectorErase(sector);
      EXPECT_TRUE(std::equal(round.begin(), round.end(), seen.begin() + sector * 9));
    }
    // The chip erase has no pause of its own: the 2000 ms after it cover it.
    std::vector<Step> expected = EraseSteps(c.chipEraseSelector);
    for (std::uint32_t offset = 0; offset < 64; offset += 8) {
      expected.push_back(Sent(Block(rig.image, offset, 8)));
    }
    EXPECT_EQ(rig.pauses->Steps(), expected);
    ASSERT_FALSE(rig.pauses->Entries().empty());
    EXPECT_EQ(rig.pauses->Entries().back().rangesBefore, 0u);
    EXPECT_EQ(rig.Flash(64), rig.Image(64));
  }
}

TEST(ProgramFlashTest, DispatchesOneWaitingMessageAfterEachFullBlockOnly) {
  constexpr std::uint32_t kPing = 0x0B02;
  ProgramRig rig("");
  std::vector<std::size_t> requestsAtDispatch;
  rig.handlers[kPing] = [&] { requestsAtDispatch.push_back(rig.camera->Requests().size()); };
  rig.beforeRun = [&] {
    for (int i = 0; i < 10; ++i) {
      rig.window.PostToWindow(kPing, 0, 0);
    }
  };
  ASSERT_TRUE(rig.Run(4 * 8 + 3));  // four full blocks and a partial one
  std::vector<std::size_t> expected;
  for (std::size_t block = 1; block <= 4; ++block) {
    expected.push_back(kRequestsBeforeBlocks + block);
  }
  EXPECT_EQ(requestsAtDispatch, expected);
}

TEST(ProgramFlashTest, ARefusedBlockStopsTheBarAndEverythingAfterIt) {
  ProgramRig rig("fail-at=" + std::to_string(kRequestsBeforeBlocks + 10));
  EXPECT_FALSE(rig.Run(400));
  EXPECT_EQ(rig.camera->Requests().size(), kRequestsBeforeBlocks + 10);
  std::vector<std::int64_t> positions(9);
  std::iota(positions.begin(), positions.end(), 1);
  EXPECT_EQ(rig.Positions(), positions);
  EXPECT_TRUE(rig.window.Messages().empty());
}

TEST(ProgramFlashTest, NoImageOrAnImageBeyondTheBufferSendsNothing) {
  std::vector<std::uint8_t> large(kFlashImageCapacity + 1, 0);
  ProgramRig tooLong("");
  EXPECT_FALSE(tooLong.Run(kFlashImageCapacity + 1, large.data()));
  EXPECT_TRUE(tooLong.camera->Requests().empty());
  ProgramRig none("");
  bool passed = true;
  ActionDialog dialog(none.window, [&] {
    passed = ProgramFlash(none.sim.state, SimRig::Open(*none.camera), nullptr, 400, none.window,
                          none.sim.clock);
  });
  none.window.DoModal(dialog);
  EXPECT_FALSE(passed);
  EXPECT_TRUE(none.camera->Requests().empty());
}

// The pauses are what keep commands away from a busy flash: with the part's real busy times the
// flash is never busy when a request arrives; a part slower than the pauses loses commands, and
// the flash shows it.
TEST(ProgramFlashTest, PausesKeepEveryRequestAwayFromABusyFlash) {
  struct Case {
    const char* camera;
    std::vector<int> radios;
    bool busyArrivals;
  };
  const Case cases[] = {
      {"", {ctrl::kRadioMxic}, false},
      {"sector-erase-ms=100", {ctrl::kRadioMxic}, false},
      {"sector-erase-ms=101", {ctrl::kRadioMxic}, true},
      {"chip-erase-ms=2000", {ctrl::kRadioPflash}, false},
      {"chip-erase-ms=2001", {ctrl::kRadioPflash}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.camera);
    ProgramRig rig(c.camera);
    rig.checkedRadios = c.radios;
    ASSERT_TRUE(rig.Run(0x9000));  // every request is accepted: losses are silent
    EXPECT_EQ(!rig.watch->BusyArrivals().empty(), c.busyArrivals);
    EXPECT_EQ(rig.Flash(0x9000) == rig.Image(0x9000), !c.busyArrivals);
  }
}

}  // namespace
}  // namespace korvane
