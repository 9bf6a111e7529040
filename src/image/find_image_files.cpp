#include "image/find_image_files.h"

namespace korvane {
namespace {

void ExamineEntry(const std::string& name, ImageFilesState& state) {
  if (name.find(kFirmwareMatch) != std::string::npos) {
    state.m_firmwarePath = name;
  } else if (name.find(kParameterMatch) != std::string::npos) {
    state.m_parameterPath = name;
  }
}

}  // namespace

int FindImageFiles(ImageFilesState& state, FileSystem& files) {
  state.m_firmwarePath.clear();
  state.m_parameterPath.clear();
  std::optional<std::string> directory = files.CurrentDirectory();
  if (directory) {
    std::string firstEntry;  // the directory's own entry: never examined
    std::unique_ptr<DirectoryListing> listing =
        files.StartListing(files.JoinPath(*directory, "*.*"), &firstEntry);
    std::string name;
    while (listing && listing->NextEntry(&name)) {
      ExamineEntry(name, state);
    }
  }
  return !state.m_firmwarePath.empty() && !state.m_parameterPath.empty() ? 1 : 0;
}

}  // namespace korvane
