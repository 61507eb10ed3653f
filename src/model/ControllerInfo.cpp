#include "ControllerInfo.h"

#include "ImageLayout.h"
#include "texts/TextIds.h"

namespace zo::model {

namespace {

// The subtitle starts with " - ", which the caption leaves out.
constexpr std::size_t kSubtitleLeadIn = 3;
// The reply's sixteen values follow the echo, the status and the page.
constexpr std::size_t kFirstValue = 3;

}  // namespace

std::string ControllerInfo::WorkingTime(std::uint32_t seconds) {
  return std::to_string(seconds / 3600) + " h " + std::to_string((seconds / 60) % 60) + " m";
}

std::uint32_t ControllerInfo::Counter(const std::array<std::int32_t, 16>& block, int first) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) {
    const auto entry = static_cast<std::uint32_t>(block[static_cast<std::size_t>(first + i)]);
    value = (value << 8) | (entry & 0xFFu);
  }
  return value;
}

InfoLines ControllerInfo::Lines(const link::ImageArea& image,
                                const std::array<std::int32_t, 16>& block,
                                const ControllerDates& dates, const ITextSource& texts) {
  const std::string subtitle = texts.Text(txt::kSubtitleLpgController);
  InfoLines lines;
  lines.caption = (subtitle.size() > kSubtitleLeadIn ? subtitle.substr(kSubtitleLeadIn) : "") +
                  " " + ControllerModel::Identify(image).name;
  lines.labels[0] = texts.Text(txt::kProgramVersion) + " :\tV" + ImageLayout::VersionText(image);
  lines.labels[1] = texts.Text(txt::kProductionDate) + "\t" + dates.production;
  lines.labels[2] = texts.Text(txt::kInstallationDate) + "\t" + dates.installation;
  lines.labels[3] = texts.Text(txt::kConfigurationDate) + "\t" + dates.configuration;
  lines.workingTimes = ControllerModel::ReadsWorkingTimes(image);
  if (lines.workingTimes) {
    lines.labels[4] = texts.Text(txt::kPetrolTime) + "\t" +
                      WorkingTime(Counter(block, link::CounterMap::kPetrolTime));
    lines.labels[5] =
        texts.Text(txt::kLpgTime) + "\t" + WorkingTime(Counter(block, link::CounterMap::kGasTime));
  }
  return lines;
}

CounterRead ControllerInfo::ReadWorkingTimes(link::ControllerLink& link,
                                             const link::ImageArea& image, link::LiveData& live) {
  const int read = link.Transact(link::Request::WithByte(
      link::Command::MemoryPage, static_cast<std::uint8_t>(link::CounterMap::kWorkingTimePage)));
  auto& block = live.counterBlock;
  if (read > 0 && link.LastReplyValid()) {
    const auto reply = link.LastReply();
    for (std::size_t i = 0; i < block.size(); ++i)
      block[i] = reply[kFirstValue + i];
    return CounterRead::Filled;
  }
  // -1: another transaction holds the line, and nothing was sent.
  if (read != 0) return CounterRead::Kept;
  for (std::size_t i = 0; i < block.size(); ++i)
    block[i] = image[static_cast<std::size_t>(link::ImageMap::kPetrolTime) + i];
  return CounterRead::FromImage;
}

bool ControllerInfo::RefreshWorkingTimes(link::ControllerLink& link, const link::ImageArea& image,
                                         link::LiveData& live) {
  return ControllerModel::ReadsWorkingTimes(image) &&
         ReadWorkingTimes(link, image, live) != CounterRead::Kept;
}

std::string ControllerInfo::ProgramVersionText(int version) {
  std::string text = std::to_string(version);
  return text.insert(1, ".");
}

std::string ControllerInfo::AboutVersionLine(int version, const ITextSource& texts) {
  return texts.Text(txt::kProgramVersion) + " : V" + ProgramVersionText(version);
}

}  // namespace zo::model
