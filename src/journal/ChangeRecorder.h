// Takes every write the controller confirmed into the journal and the undo
// list, described as the grid shows it: the parameter's name in the current
// language and the old and new values with their units. Bytes the catalogue
// does not list (dates, model) keep an empty name and their decimal values.
#pragma once

#include <cstdint>
#include <functional>

#include "journal/ChangeJournal.h"
#include "journal/UndoHistory.h"
#include "link/ReplyConsumers.h"
#include "model/ITextSource.h"

namespace zo::journal {

class ChangeRecorder : public link::IWriteConfirmations {
 public:
  using Clock = std::function<std::int64_t()>;  // seconds since 1970, UTC
  using Report = std::function<void(JournalWrite)>;

  // `working` is the image the values are formatted against (a temperature
  // depends on the sensor byte); `report` hears every write's result.
  ChangeRecorder(ChangeJournal& journal, const link::ImageArea& working,
                 const model::ITextSource& texts, Clock now, Report report);

  void WriteConfirmed(int byte, std::uint8_t before, std::uint8_t after, link::ChangeCause cause,
                      std::uint32_t action) override;

  [[nodiscard]] Change Describe(int byte, std::uint8_t before, std::uint8_t after,
                                link::ChangeCause cause) const;
  UndoHistory& History() { return history_; }

 private:
  ChangeJournal& journal_;
  const link::ImageArea& working_;
  const model::ITextSource& texts_;
  Clock now_;
  Report report_;
  UndoHistory history_;
};

}  // namespace zo::journal
