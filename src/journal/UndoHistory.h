// Ctrl+Z and Ctrl+Y over the changes the controller confirmed in this
// session: undo walks back through them, redo forward again, and a new
// change of the user's drops what was undone after it. Bytes confirmed one
// after another for one action (a sensor type with the parameters it sets,
// a parameter file) are one step. The writes undo and
// redo make come back as confirmed changes of their own cause and leave the
// list as it is. Bytes the controller changes itself are never in it.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "journal/JournalRecord.h"

namespace zo::journal {

// A byte to put into the working copy; the normal write-back sends it.
struct ByteWrite {
  int byte = 0;
  std::uint8_t value = 0;

  friend bool operator==(const ByteWrite&, const ByteWrite&) = default;
};

class UndoHistory {
 public:
  void Clear();
  // `action` as the write-back reported it; 0 is a step of its own.
  void Confirmed(const Change& change, std::uint32_t action = 0);
  // What the next Ctrl+Z writes; empty when nothing is left to take back.
  std::vector<ByteWrite> Undo();
  // What the next Ctrl+Y writes; empty when nothing was taken back.
  std::vector<ByteWrite> Redo();
  [[nodiscard]] bool CanUndo() const { return done_ > 0; }
  [[nodiscard]] bool CanRedo() const { return done_ < steps_.size(); }

 private:
  struct Byte {
    int byte = 0;
    std::uint8_t before = 0;
    std::uint8_t after = 0;
  };
  struct Step {
    std::uint32_t action = 0;
    std::vector<Byte> bytes;  // in the order confirmed
  };
  std::vector<Step> steps_;
  std::size_t done_ = 0;  // steps_[0..done_) are in effect
};

// Applies the changes' new values in order: a session's journal over the
// image read at connect gives what the controller holds after it.
void Replay(std::span<std::uint8_t> image, const std::vector<Change>& changes);

// The bytes to write to bring `current` back to `atConnect`: parameter
// bytes only, none the controller changes itself.
std::vector<ByteWrite> BackToConnect(std::span<const std::uint8_t> atConnect,
                                     std::span<const std::uint8_t> current);

}  // namespace zo::journal
