// The program's own pictures for the message dialog and the progress window
// (warning, question, information and the controller being read), drawn in
// code so that no image file has to ship with the program.
#pragma once

#include <QPixmap>

#include "link/LinkTypes.h"

namespace zo::app {

class AppPictures {
 public:
  static constexpr int kSize = 32;

  static QPixmap Warning();
  static QPixmap Question();
  static QPixmap Information();
  static QPixmap Reading();

  // By the message dialog's icon code: '!' warning, '?' question,
  // 'i' information; any other code has no picture (a null pixmap).
  static QPixmap ForIconCode(char code);
  static QPixmap ForProgress(link::ProgressPicture picture);
};

}  // namespace zo::app
