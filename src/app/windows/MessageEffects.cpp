#include "app/windows/MessageEffects.h"

#include <QApplication>
#include <QMessageBox>
#include <QWidget>

#include "app/QtText.h"
#include "app/windows/MessageDialog.h"
#include "app/windows/TFormMsg.h"
#include "texts/TextCatalogue.h"

namespace zo::app {

link::MsgResult MessageEffects::ShowMessage(const texts::UserText& text, int titleTextId,
                                            link::MsgIcon icon, link::MsgButtons buttons) {
  return messages_.ShowMessage(text, titleTextId, icon, buttons);
}

void MessageEffects::ShowSystemMessage(std::string_view text, std::string_view caption) {
  QMessageBox::information(
      &window_, QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())),
      QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

void MessageEffects::ShowSystemMessage(const texts::UserText& text, int titleTextId) {
  QMessageBox::information(&window_, Q(texts_.Text(titleTextId)), Q(texts_.Compose(text)));
}

void MessageEffects::Beep() {
  QApplication::beep();
}

}  // namespace zo::app
