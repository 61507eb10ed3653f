// The program's key codes from the toolkit's key events, so the key rules
// stay free of the toolkit.
#pragma once

class QKeyEvent;

namespace zo::app {

// Toolkit-neutral code of a key, letters as upper-case ASCII.
int KeyCode(const QKeyEvent& event);

}  // namespace zo::app
