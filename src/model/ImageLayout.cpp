#include "ImageLayout.h"

#include "ValueFormat.h"

namespace zo::model {

namespace {

std::string TwoDigits(int value) {
  std::string text = std::to_string(value);
  return value < 10 ? "0" + text : text;
}

}  // namespace

std::string DateText(int year, int month, int day) {
  return "20" + TwoDigits(year) + "." + TwoDigits(month) + "." + TwoDigits(day);
}

bool ImageDate::IsValid() const {
  return year >= 1 && year <= 99 && month >= 1 && month <= 12 && day >= 1 && day <= 31;
}

std::string ImageDate::Text() const {
  return IsValid() ? DateText(year, month, day) : std::string(kNoDateText);
}

ImageDate ImageDate::FromCalendar(const CalendarDate& date) {
  return ImageDate{date.year % 100, date.month, date.day};
}

std::uint8_t ImageLayout::Byte(const link::ImageArea& image, int index) {
  if (index < 0 || index >= link::kImageAreaSize) return 0;
  return image[static_cast<std::size_t>(index)];
}

bool ImageLayout::IsPresent(const link::ImageArea& image, int index) {
  if (index < 0 || index >= link::kImageSize) return false;
  const std::uint8_t bits = Byte(image, link::ImageMap::kPresenceFirst + index / 8);
  return ((bits >> (index % 8)) & 1) != 0;
}

ImageDate ImageLayout::ReadDate(const link::ImageArea& image, int first) {
  return ImageDate{Byte(image, first), Byte(image, first + 1), Byte(image, first + 2)};
}

void ImageLayout::WriteDate(link::ImageArea& image, int first, const ImageDate& date) {
  if (first < 0 || first + 3 >= link::kImageAreaSize) return;
  const auto at = static_cast<std::size_t>(first);
  image[at] = static_cast<std::uint8_t>(date.year & 0xFF);
  image[at + 1] = static_cast<std::uint8_t>(date.month & 0xFF);
  image[at + 2] = static_cast<std::uint8_t>(date.day & 0xFF);
  image[at + 3] = static_cast<std::uint8_t>((date.year + date.month + date.day) & 0xFF);
}

std::uint32_t ImageLayout::ReadCounter(const link::ImageArea& image, int first) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i)
    value = (value << 8) | Byte(image, first + i);
  return value;
}

std::string ImageLayout::VersionText(const link::ImageArea& image) {
  return ValueFormat::Fixed(Byte(image, link::ImageMap::kVersion) * 0.01, 2);
}

}  // namespace zo::model
