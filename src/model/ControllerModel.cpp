#include "ControllerModel.h"

#include "ImageLayout.h"
#include "texts/TextIds.h"

namespace zo::model {

namespace {

bool IsSwitchModel(int model) {
  return model == 50 || model == 51 || model == 100 || model == 101 || model == 150 || model == 151;
}

std::string WithoutFolder(std::string_view path) {
  const std::size_t slash = path.find_last_of("/\\");
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string ProductionDate(const std::array<std::int32_t, 16>& counters) {
  using link::CounterMap;
  const std::int32_t year = counters[CounterMap::kProductionYear];
  const std::int32_t month = counters[CounterMap::kProductionMonth];
  const std::int32_t day = counters[CounterMap::kProductionDay];
  if (year < 0 || month < 0 || day < 0 || year >= 100 || month > 12 || day > 31)
    return std::string(kNoDateText);
  return DateText(year, month, day);
}

}  // namespace

ModelInfo ControllerModel::Identify(const link::ImageArea& image) {
  const int model = image[link::ImageMap::kModel];
  const int version = image[link::ImageMap::kVersion];
  const int variant = image[link::ImageMap::kVariant];
  ModelInfo info;
  info.subtitleId = txt::kSubtitleLpgController;
  switch (model) {
    case 50:
    case 51:
      info.name = " Vela50";
      info.lampLayout = 2;
      break;
    case 100:
    case 101:
      info.name = " Vela100";
      info.lampLayout = 1;
      break;
    case 150:
    case 151:
      info.name = " Vela150";
      info.lampLayout = (image[link::ImageMap::kSwitchPanelLamps] & 1) != 0 ? 1 : 2;
      break;
    case 80:
    case 81:
      // Neither naming test holds for a variant below 254 from version 1.60
      // on: such a controller is named by its code like an unknown one.
      info.name = " " + std::to_string(model);
      if (variant == 255) info.name = " VelaXL";
      if (variant == 254) info.name = " Quillon";
      if (version < 160) info.name = " VelaL+";
      break;
    case 203:
      info.name = " K3010";
      info.subtitleId = txt::kSubtitleTester;
      break;
    case 255:
      break;
    default:
      info.name = " " + std::to_string(model);
      break;
  }
  return info;
}

std::string ControllerModel::Caption(link::ConnectionState state, const link::ImageArea& image,
                                     const ITextSource& texts, std::string_view filePath) {
  const ModelInfo model = Identify(image);
  const std::string version = " V" + ImageLayout::VersionText(image);
  std::string caption(kProgramCaption);
  switch (state) {
    case link::ConnectionState::NotConnected:
      break;
    case link::ConnectionState::FileShown:
      caption += " - [" + WithoutFolder(filePath) + "] -" + model.name + version;
      break;
    case link::ConnectionState::ControllerRead:
    case link::ConnectionState::Tester:
      caption += texts.Text(model.subtitleId) + model.name + version;
      break;
    case link::ConnectionState::UploadOnly:
      caption += texts.Text(model.subtitleId) + model.name;
      break;
  }
  return caption;
}

PageButtons ControllerModel::Pages(link::ConnectionState state, const link::ImageArea& image,
                                   bool serviceMode) {
  const std::uint8_t features = image[link::ImageMap::kFeatureFlags];
  PageButtons pages;
  switch (state) {
    case link::ConnectionState::ControllerRead:
      pages.parameters = true;
      pages.selected = link::Page::Parameters;
      pages.configuration = (features & 0x02) != 0 || serviceMode;
      pages.upgrade = !((features & 0x08) != 0 && !serviceMode);
      pages.processor = serviceMode;
      pages.switchPanel = HasSwitchPanel(image);
      pages.controllerInfo = true;
      break;
    case link::ConnectionState::Tester:
    case link::ConnectionState::UploadOnly:
      pages.upgrade = true;
      pages.selected = link::Page::Upgrade;
      break;
    case link::ConnectionState::NotConnected:
    case link::ConnectionState::FileShown:
      pages.parameters = true;
      break;
  }
  return pages;
}

ControllerDates ControllerModel::Dates(const link::ImageArea& image,
                                       const std::array<std::int32_t, 16>& counterBlock) {
  return ControllerDates{
      ProductionDate(counterBlock),
      ImageLayout::ReadDate(image, link::ImageMap::kInstallationDate).Text(),
      ImageLayout::ReadDate(image, link::ImageMap::kConfigurationDate).Text(),
  };
}

std::optional<texts::UserText> ControllerModel::VersionMessage(link::ConnectionState state,
                                                               const link::ImageArea& image) {
  if (state != link::ConnectionState::FileShown && state != link::ConnectionState::ControllerRead)
    return std::nullopt;
  const int version = image[link::ImageMap::kVersion];
  if (version <= 191) return std::nullopt;
  return texts::UserText{texts::TextPiece::Id(txt::kNewerSoftwareRequired),
                         texts::TextPiece::Literal(std::to_string(version & 240)),
                         texts::TextPiece::Literal(" .\n\r")};
}

bool ControllerModel::IsReadOnly(const link::ImageArea& image) {
  return image[link::ImageMap::kModel] == 80 && image[link::ImageMap::kVersion] < 160;
}

bool ControllerModel::OffersSimulationBrak(const link::ImageArea& image) {
  return image[link::ImageMap::kVersion] > 177;
}

bool ControllerModel::MirrorsSecondSimulation(const link::ImageArea& image) {
  return image[link::ImageMap::kVersion] == 176;
}

bool ControllerModel::ForcesSignalFlags(const link::ImageArea& image) {
  return IsSwitchModel(image[link::ImageMap::kModel]);
}

bool ControllerModel::IsVela150(const link::ImageArea& image) {
  const int model = image[link::ImageMap::kModel];
  return model == 150 || model == 151;
}

bool ControllerModel::HasSwitchPanel(const link::ImageArea& image) {
  return image[link::ImageMap::kVariant] == 255 && IsSwitchModel(image[link::ImageMap::kModel]);
}

bool ControllerModel::ReadsWorkingTimes(const link::ImageArea& image) {
  return image[link::ImageMap::kVersion] >= 178;
}

}  // namespace zo::model
