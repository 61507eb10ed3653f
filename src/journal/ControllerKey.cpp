#include "journal/ControllerKey.h"

#include "link/ImageMap.h"
#include "model/ImageLayout.h"

namespace zo::journal {

namespace {

std::string TwoDigits(int value) {
  return std::string{static_cast<char>('0' + value / 10), static_cast<char>('0' + value % 10)};
}

std::string DateKey(const model::ImageDate& date) {
  if (!date.IsValid()) return "none";
  return TwoDigits(date.year) + TwoDigits(date.month) + TwoDigits(date.day);
}

}  // namespace

ControllerKey ControllerKey::Of(const link::ImageArea& image,
                                const std::array<std::int32_t, 16>& counterBlock,
                                bool hasCounterDate) {
  using link::CounterMap;
  using link::ImageMap;
  ControllerKey key;
  key.model = image[ImageMap::kModel];
  key.variant = image[ImageMap::kVariant];
  const model::ImageDate production{counterBlock[CounterMap::kProductionYear],
                                    counterBlock[CounterMap::kProductionMonth],
                                    counterBlock[CounterMap::kProductionDay]};
  key.production = hasCounterDate ? DateKey(production) : "none";
  key.installation = DateKey(model::ImageLayout::ReadDate(image, ImageMap::kInstallationDate));
  return key;
}

std::string ControllerKey::FileName() const {
  return "m" + std::to_string(model) + "-v" + std::to_string(variant) + "-p" + production + "-i" +
         installation + ".journal";
}

bool IsControllerOwned(int byte) {
  using link::ImageMap;
  return byte == ImageMap::kPowerErrors || byte == ImageMap::kErrorFlags ||
         byte == ImageMap::kResetCause ||
         (byte >= ImageMap::kPetrolTime && byte < ImageMap::kGasTime + 4);
}

}  // namespace zo::journal
