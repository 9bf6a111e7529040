#pragma once
// The command line of korvane-image.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace korvane {

struct ToolOptions {
  bool help = false;
  std::string model;  // as given: TALVO, MORIN, KESTA or NONE
  std::int32_t controllerKind = 0;
  std::optional<std::string> directory;
};

// The controller kind of a model name; nullopt for an unknown name.
std::optional<std::int32_t> ControllerKindOf(const std::string& model);

// The options, or nullopt with `problem` set.
std::optional<ToolOptions> ParseToolOptions(const std::vector<std::string>& args,
                                            std::string* problem);

extern const char kToolUsage[];

}  // namespace korvane
