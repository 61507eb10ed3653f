// The names the program gives itself on the toolkit's application object.
// No display name: the window system would append it to every window
// caption, and the captions are the program's own, exactly.
#pragma once

namespace zo::app {

class ApplicationNames {
 public:
  // Call once, after the application object exists.
  static void Set();
};

}  // namespace zo::app
