#include "journal/ChangeRecorder.h"

#include "model/ParameterCatalogue.h"
#include "model/ParameterGrid.h"
#include "model/ValueFormat.h"

namespace zo::journal {

namespace {

// The row the grid shows for the byte, or the first the catalogue has for it.
const model::CatalogueEntry* EntryFor(int byte, const link::ImageArea& image) {
  const model::CatalogueEntry* any = nullptr;
  for (const model::CatalogueEntry& entry : model::ParameterCatalogue::Entries()) {
    if (entry.byte != byte) continue;
    if (model::ParameterCatalogue::IsListed(entry, image)) return &entry;
    if (any == nullptr) any = &entry;
  }
  return any;
}

}  // namespace

ChangeRecorder::ChangeRecorder(ChangeJournal& journal, const link::ImageArea& working,
                               const model::ITextSource& texts, Clock now, Report report)
    : journal_(journal),
      working_(working),
      texts_(texts),
      now_(std::move(now)),
      report_(std::move(report)) {}

void ChangeRecorder::WriteConfirmed(int byte, std::uint8_t before, std::uint8_t after,
                                    link::ChangeCause cause, std::uint32_t action) {
  const Change change = Describe(byte, before, after, cause);
  history_.Confirmed(change, action);
  const JournalWrite written = journal_.Record(change);
  if (report_) report_(written);
}

Change ChangeRecorder::Describe(int byte, std::uint8_t before, std::uint8_t after,
                                link::ChangeCause cause) const {
  Change change{now_ ? now_() : 0,    byte, before, after, cause, "", std::to_string(before),
                std::to_string(after)};
  const model::CatalogueEntry* entry = EntryFor(byte, working_);
  if (entry == nullptr) return change;
  change.parameter = texts_.Text(entry->nameId);
  const std::string unit = model::ValueFormat::Unit(entry->kind, entry->scale, texts_);
  link::ImageArea image = working_;
  const auto at = static_cast<std::size_t>(byte);
  image[at] = before;
  change.oldText = model::ParameterGrid::FormatValue(*entry, image, texts_) + unit;
  image[at] = after;
  change.newText = model::ParameterGrid::FormatValue(*entry, image, texts_) + unit;
  return change;
}

}  // namespace zo::journal
