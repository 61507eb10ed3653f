// What a reader found wrong with a file; the window chooses the message.
#pragma once

namespace zo::files {

enum class FileProblem {
  None,
  Unreadable,  // the file could not be opened or read
  Short,       // shorter than the format; read as far as it goes
  TooShort,    // too short to be used at all; nothing taken from it
  Long,        // longer than the format; the rest was ignored
};

}  // namespace zo::files
