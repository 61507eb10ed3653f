// The change journal of the connected controller as the main window keeps
// it: the journals' folder, the keeper over the link state, and one message
// when the journal cannot be written, shown after the write that failed so
// that the link goes on meanwhile.
#pragma once

#include <QObject>
#include <array>
#include <cstdint>
#include <filesystem>

#include "journal/JournalFolder.h"
#include "journal/JournalKeeper.h"
#include "link/IMessageEffects.h"
#include "link/LinkState.h"

namespace zo::app {

class MainJournal : public QObject {
 public:
  MainJournal(QObject* owner, const std::filesystem::path& folder, link::LinkState& state,
              const model::ITextSource& texts, link::IMessageEffects& messages);

  [[nodiscard]] link::IWriteConfirmations& Confirmations() { return keeper_.Confirmations(); }
  void ConnectionStateChanged(link::ConnectionState connection,
                              const std::array<std::int32_t, 16>& counterBlock) {
    keeper_.ConnectionStateChanged(connection, counterBlock);
  }
  [[nodiscard]] journal::JournalKeeper& Keeper() { return keeper_; }
  [[nodiscard]] journal::JournalFolder& Folder() { return folder_; }

 private:
  void Report(journal::JournalWrite written);

  link::IMessageEffects& messages_;
  journal::JournalFolder folder_;
  journal::JournalKeeper keeper_;
};

}  // namespace zo::app
