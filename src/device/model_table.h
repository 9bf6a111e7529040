#pragma once
// The camera controllers the station knows, by chip identifier.
#include <array>
#include <cstdint>
#include <string_view>

#include "platform/guid.h"

namespace korvane {

inline constexpr std::int32_t kControllerNone = 0;
inline constexpr std::int32_t kControllerKesta = 1;
inline constexpr std::int32_t kControllerTalvo = 2;
inline constexpr std::int32_t kControllerMorin = 3;

inline constexpr std::uint16_t kChipTalvo = 0x5463;
inline constexpr std::uint16_t kChipMorin = 0x4D42;
inline constexpr std::uint16_t kChipKesta = 0x4B21;

struct ControllerModel {
  std::uint16_t chipId;
  std::string_view name;
  std::int32_t kind;
  std::string_view titleVariantA;
  std::string_view titleVariantB;
  std::string_view flashCaption;  // caption of radio button 1101
};

// Compared in this order; the first equal row applies.
inline constexpr std::array<ControllerModel, 3> kModelTable{{
    {kChipTalvo, "TALVO", kControllerTalvo, "Extension Unit Tool (TALVO C)",
     "Tavolin Tool (TALVO C)", "SST"},
    {kChipMorin, "MORIN", kControllerMorin, "Extension Unit Tool (MORIN)", "Tavolin Tool (MORIN)",
     "SST"},
    {kChipKesta, "KESTA", kControllerKesta, "Extension Unit Tool (KESTA)", "Tavolin Tool (KESTA)",
     "AMIC"},
}};

// The row of `chipId`, or null when the identifier is not a known controller.
const ControllerModel* FindControllerModel(std::int32_t chipId);

// The row's title for the property set in force: variant A only when it equals variant A.
std::string_view ModelTitle(const ControllerModel& model, const Guid& propertySet);

}  // namespace korvane
