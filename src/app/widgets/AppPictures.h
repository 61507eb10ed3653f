// The program's own pictures for the message dialog and the progress window
// (warning, question, information and the controller being read), the
// petrol/gas switch with its lamps and the maker's logo, drawn in code so that no image file has
// to ship with the program.
#pragma once

#include <QColor>
#include <QPixmap>
#include <QPoint>
#include <span>

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
  static QPixmap ForIcon(link::MsgIcon icon);
  static QPixmap ForProgress(link::ProgressPicture picture);

  // The dashboard switch of `size` at the pixel ratio `ratio`: with the level
  // lamps (picture 2001) or the reserve lamp only (2002). `lamps` are the
  // top-left corners of the lamps in the picture with their colours; each is
  // drawn as a dark lens that the lit lamp covers.
  struct LampSocket {
    QPoint at;
    QColor colour;
  };
  static QPixmap Switch(bool levelLamps, QSize size, qreal ratio,
                        std::span<const LampSocket> lamps);
  // A lit lamp of `size` pixels square.
  static QPixmap Lamp(const QColor& colour, int size, qreal ratio);

  // The maker's logo of the About window (picture 3000): a flame badge and
  // the lettering, kLogoWidth x kLogoHeight at the pixel ratio `ratio`.
  static constexpr int kLogoWidth = 175;
  static constexpr int kLogoHeight = 64;
  static QPixmap Logo(qreal ratio);
};

}  // namespace zo::app
