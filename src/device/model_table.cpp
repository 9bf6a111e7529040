#include "device/model_table.h"

namespace korvane {

const ControllerModel* FindControllerModel(std::int32_t chipId) {
  for (const ControllerModel& model : kModelTable) {
    if (chipId == model.chipId) {
      return &model;
    }
  }
  return nullptr;
}

std::string_view ModelTitle(const ControllerModel& model, const Guid& propertySet) {
  return propertySet == kXuPropertySetVariantA ? model.titleVariantA : model.titleVariantB;
}

}  // namespace korvane
