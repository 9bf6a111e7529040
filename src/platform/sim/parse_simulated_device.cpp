#include "platform/sim/parse_simulated_device.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <limits>
#include <set>

namespace korvane {
namespace {

constexpr std::string_view kHelp =
    "model=KESTA|TALVO|MORIN   controller model (default TALVO)\n"
    "chip=0xNNNN               any other chip identifier\n"
    "variant=A|B|none          property set the extension unit answers to\n"
    "name=TEXT|none            FriendlyName; none: the device has no FriendlyName\n"
    "property-bag=ok|fail      whether the device's property bag can be bound\n"
    "nodes=N                   topology node count (1 to 64, default 3)\n"
    "xu-node=K|none            index of the extension unit node (default 2); none: no unit\n"
    "reg-02=0xNN reg-eb=0xNN   registers 0x02 and 0xEB\n"
    "word-a=0xNNNN word-b=0xNNNN lens=0xNNNN   camera words in registers 0xC2 to 0xC7\n"
    "answer-tail=0xNNNN        bytes 2 and 3 of every register answer\n"
    "request-ms=T              every request takes T ms, as a control transfer does (default 0)\n"
    "sector-erase-ms=T chip-erase-ms=T   flash busy times (default 60 and 1500)\n"
    "flash-fill=old-firmware|0xNN   flash contents at power-up\n"
    "fail-at=K fail-status=S   request K fails with status S (default 0x80004005)\n"
    "unplug-at=K               the camera is gone when request K arrives\n"
    "unplug-after-ms=T replug-after-ms=T   unplug and re-plug after T ms\n"
    "Requests count from 1, in the order the camera receives them, all kinds counted.\n";

constexpr std::uint32_t kMaxNodes = 64;

// Decimal, or hexadecimal after 0x.
std::optional<std::uint64_t> ParseNumber(std::string_view text, std::uint64_t max) {
  int base = 10;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    text.remove_prefix(2);
  }
  std::uint64_t value = 0;
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, value, base);
  if (text.empty() || ec != std::errc() || ptr != end || value > max) {
    return std::nullopt;
  }
  return value;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) {
    return false;
  }
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) {
      return false;
    }
  }
  return true;
}

std::optional<std::uint16_t> ModelChip(std::string_view name) {
  constexpr std::array<std::pair<std::string_view, std::uint16_t>, 3> kModels{
      {{"TALVO", 0x5463}, {"MORIN", 0x4D42}, {"KESTA", 0x4B21}}};
  for (const auto& [model, chip] : kModels) {
    if (EqualsIgnoringCase(name, model)) {
      return chip;
    }
  }
  return std::nullopt;
}

class Parser {
 public:
  // False with an error message when the pair is not understood.
  bool Apply(std::string_view key, std::string_view value) {
    if (key == "model") {
      return Set(ModelChip(value), m_config.chipId, key, value);
    }
    if (key == "chip") {
      return SetNumber(value, m_config.chipId, key);
    }
    if (key == "variant") {
      return ApplyVariant(value);
    }
    if (key == "name") {
      m_config.friendlyName = value == "none" ? std::nullopt : std::optional(std::string(value));
      return true;
    }
    if (key == "property-bag") {
      return ApplyChoice(value, "fail", "ok", m_config.propertyBagFails, key);
    }
    if (key == "nodes") {
      return SetNumber(value, m_config.nodeCount, key, kMaxNodes, 1);
    }
    if (key == "xu-node") {
      return value == "none" ? (m_config.xuNode.reset(), true)
                             : SetOptionalNumber(value, m_config.xuNode, key, kMaxNodes - 1);
    }
    if (key == "reg-02") {
      return SetNumber(value, m_config.register02, key);
    }
    if (key == "reg-eb") {
      return SetNumber(value, m_config.registerEB, key);
    }
    if (key == "word-a") {
      return SetNumber(value, m_config.wordA, key);
    }
    if (key == "word-b") {
      return SetNumber(value, m_config.wordB, key);
    }
    if (key == "lens") {
      return SetNumber(value, m_config.lensWord, key);
    }
    if (key == "answer-tail") {
      return SetNumber(value, m_config.answerTail, key);
    }
    if (key == "request-ms") {
      return SetNumber(value, m_config.requestMs, key);
    }
    if (key == "sector-erase-ms") {
      return SetNumber(value, m_config.sectorEraseMs, key);
    }
    if (key == "chip-erase-ms") {
      return SetNumber(value, m_config.chipEraseMs, key);
    }
    if (key == "flash-fill") {
      return value == "old-firmware" ? (m_config.flashFill.reset(), true)
                                     : SetOptionalNumber(value, m_config.flashFill, key, 0xFF);
    }
    if (key == "fail-at") {
      return SetOptionalNumber(value, m_failAt, key, std::numeric_limits<std::uint64_t>::max(), 1);
    }
    if (key == "fail-status") {
      return ApplyFailStatus(value);
    }
    if (key == "unplug-at") {
      return SetOptionalNumber(value, m_config.unplugAtRequest, key,
                               std::numeric_limits<std::uint64_t>::max(), 1);
    }
    if (key == "unplug-after-ms") {
      return SetOptionalNumber(value, m_config.unplugAfterMs, key,
                               std::numeric_limits<std::uint32_t>::max());
    }
    if (key == "replug-after-ms") {
      return SetOptionalNumber(value, m_config.replugAfterMs, key,
                               std::numeric_limits<std::uint32_t>::max());
    }
    m_error = "unknown key '" + std::string(key) + "'";
    return false;
  }

  // Checks that need every pair.
  bool Finish() {
    if (m_failStatus && !m_failAt) {
      m_error = "fail-status needs fail-at";
      return false;
    }
    if (m_failAt) {
      m_config.faults.push_back({*m_failAt, m_failStatus.value_or(status::kFail)});
    }
    if (m_config.xuNode && *m_config.xuNode >= m_config.nodeCount) {
      m_error = "xu-node " + std::to_string(*m_config.xuNode) +
                " is not below nodes=" + std::to_string(m_config.nodeCount);
      return false;
    }
    return true;
  }

  const SimulatedDeviceConfig& Config() const { return m_config; }
  const std::string& Error() const { return m_error; }

 private:
  bool BadValue(std::string_view key, std::string_view value) {
    m_error = "bad value '" + std::string(value) + "' for key '" + std::string(key) + "'";
    return false;
  }

  template <typename T>
  bool Set(std::optional<T> parsed, T& target, std::string_view key, std::string_view value) {
    if (!parsed) {
      return BadValue(key, value);
    }
    target = *parsed;
    return true;
  }

  template <typename T>
  bool SetNumber(std::string_view value, T& target, std::string_view key,
                 std::uint64_t max = std::numeric_limits<T>::max(), std::uint64_t min = 0) {
    const auto parsed = ParseNumber(value, max);
    if (!parsed || *parsed < min) {
      return BadValue(key, value);
    }
    target = static_cast<T>(*parsed);
    return true;
  }

  template <typename T>
  bool SetOptionalNumber(std::string_view value, std::optional<T>& target, std::string_view key,
                         std::uint64_t max, std::uint64_t min = 0) {
    T number{};
    if (!SetNumber(value, number, key, max, min)) {
      return false;
    }
    target = number;
    return true;
  }

  bool ApplyChoice(std::string_view value, std::string_view yes, std::string_view no, bool& target,
                   std::string_view key) {
    if (value != yes && value != no) {
      return BadValue(key, value);
    }
    target = value == yes;
    return true;
  }

  bool ApplyVariant(std::string_view value) {
    if (EqualsIgnoringCase(value, "A")) {
      m_config.variant = XuVariant::kA;
    } else if (EqualsIgnoringCase(value, "B")) {
      m_config.variant = XuVariant::kB;
    } else if (value == "none") {
      m_config.variant = XuVariant::kNone;
    } else {
      return BadValue("variant", value);
    }
    return true;
  }

  bool ApplyFailStatus(std::string_view value) {
    const auto parsed = ParseNumber(value, std::numeric_limits<std::uint32_t>::max());
    // Status 0 is success: it would inject nothing.
    if (!parsed || *parsed == 0) {
      return BadValue("fail-status", value);
    }
    m_failStatus = static_cast<HResult>(static_cast<std::uint32_t>(*parsed));
    return true;
  }

  SimulatedDeviceConfig m_config;
  std::optional<std::uint64_t> m_failAt;
  std::optional<HResult> m_failStatus;
  std::string m_error;
};

}  // namespace

SimulatedDeviceParse ParseSimulatedDevice(std::string_view text) {
  Parser parser;
  std::set<std::string, std::less<>> seen;
  while (!text.empty()) {
    const std::size_t comma = text.find(',');
    const std::string_view pair = text.substr(0, comma);
    text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
    const std::size_t equals = pair.find('=');
    if (equals == std::string_view::npos) {
      return {std::nullopt, "missing '=' in '" + std::string(pair) + "'"};
    }
    const std::string_view key = pair.substr(0, equals);
    if (!seen.emplace(key).second) {
      return {std::nullopt, "key '" + std::string(key) + "' given twice"};
    }
    if ((key == "model" && seen.contains("chip")) || (key == "chip" && seen.contains("model"))) {
      return {std::nullopt, "give either model or chip, not both"};
    }
    if (!parser.Apply(key, pair.substr(equals + 1))) {
      return {std::nullopt, parser.Error()};
    }
  }
  if (!parser.Finish()) {
    return {std::nullopt, parser.Error()};
  }
  return {parser.Config(), {}};
}

std::string_view SimulatedDeviceKeysHelp() {
  return kHelp;
}

}  // namespace korvane
