#include "ParameterGrid.h"

#include <algorithm>

#include "ImageLayout.h"
#include "texts/TextIds.h"

namespace zo::model {

namespace {

std::optional<LevelDirection> DirectionOf(int byte, std::uint8_t value) {
  if (byte == link::ImageMap::kLevelSensor) {
    if (value == 1 || value == 3) return LevelDirection::Rising;
    if (value == 0 || value == 2) return LevelDirection::Falling;
  } else if (byte == link::ImageMap::kLevelSensorTwoWay) {
    if (value == 1) return LevelDirection::Rising;
    if (value == 0) return LevelDirection::Falling;
  }
  return std::nullopt;
}

}  // namespace

std::uint32_t LightColour(std::uint32_t colour) {
  std::uint32_t result = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const std::uint32_t component = std::min<std::uint32_t>(((colour >> shift) & 0xFF) + 180, 255);
    result |= component << shift;
  }
  return result;
}

std::string ParameterGrid::FormatValue(const CatalogueEntry& entry, const link::ImageArea& image,
                                       const ITextSource& texts) {
  const std::uint8_t raw = ImageLayout::Byte(image, entry.byte);
  if (entry.kind == ValueKind::Option)
    return ParameterCatalogue::OptionText(entry.options, raw, texts);
  std::string text =
      ValueFormat::Format(raw, entry.kind, entry.scale, texts,
                          ImageLayout::Byte(image, link::ImageMap::kTemperatureSensor));
  if (entry.byte == link::ImageMap::kPowerErrors) text += texts.Text(txt::kEraseCell, 2);
  return text;
}

ParameterGrid ParameterGrid::Build(const link::ImageArea& working, const ITextSource& texts,
                                   const TraceColours& colours) {
  ParameterGrid grid;
  std::vector<ColourGroup> groups;
  for (const CatalogueEntry& entry : ParameterCatalogue::Entries()) {
    if (!ParameterCatalogue::IsListed(entry, working)) continue;
    ParameterRow row;
    row.byte = entry.byte;
    row.nameId = entry.nameId;
    row.kind = entry.kind;
    row.editStyle = entry.editStyle;
    row.maximum = ParameterCatalogue::Maximum(entry, working);
    row.scale = entry.scale;
    row.options = entry.options;
    row.name = texts.Text(entry.nameId, ParameterCatalogue::Indent(entry, working));
    row.value = FormatValue(entry, working, texts);
    row.unit = ValueFormat::Unit(entry.kind, entry.scale, texts);
    if (auto direction = DirectionOf(entry.byte, ImageLayout::Byte(working, entry.byte)))
      grid.direction_ = direction;
    grid.rows_.push_back(std::move(row));
    groups.push_back(entry.colour);
  }
  grid.Colour(colours, groups);
  return grid;
}

void ParameterGrid::Colour(const TraceColours& colours, const std::vector<ColourGroup>& groups) {
  // The last simulation row shown takes the SIM colour; lambda-block rows
  // after it are light SIM, those before it (an earlier simulation row
  // included) light LAM.
  std::size_t simRow = rows_.size();
  for (std::size_t i = 0; i < groups.size(); ++i)
    if (groups[i] == ColourGroup::Sim) simRow = i;
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    std::optional<std::uint32_t>& colour = rows_[i].nameColour;
    switch (groups[i]) {
      case ColourGroup::Plain:
        break;
      case ColourGroup::RpmHead:
        colour = colours.rpm;
        break;
      case ColourGroup::RpmLight:
        colour = LightColour(colours.rpm);
        break;
      case ColourGroup::TpsHead:
        colour = colours.tps;
        break;
      case ColourGroup::TpsLight:
        colour = LightColour(colours.tps);
        break;
      case ColourGroup::LamHead:
        colour = colours.lam;
        break;
      case ColourGroup::LamBlock:
      case ColourGroup::Sim:
        if (i == simRow)
          colour = colours.sim;
        else
          colour = LightColour(simRow < rows_.size() && i > simRow ? colours.sim : colours.lam);
        break;
      case ColourGroup::White:
        colour = Rgb(255, 255, 255);
        break;
      case ColourGroup::MotLight:
        colour = LightColour(colours.mot);
        break;
      case ColourGroup::Switch:
        colour = Rgb(192, 220, 192);
        break;
      case ColourGroup::LevelThreshold:
        colour = Rgb(230, 240, 230);
        break;
    }
  }
}

const ParameterRow* ParameterGrid::RowAt(int gridRow) const {
  if (gridRow < 1 || gridRow > static_cast<int>(rows_.size())) return nullptr;
  return &rows_[static_cast<std::size_t>(gridRow - 1)];
}

}  // namespace zo::model
