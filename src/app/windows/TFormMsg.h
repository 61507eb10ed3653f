// The program's message dialog window: a picture strip, the message label and
// the buttons of one button set, sized to the text. It only renders and
// reports the pressed button; MessageDialog runs the wait around it.
#pragma once

#include <QDialog>
#include <optional>
#include <string_view>

#include "app/rules/MsgLayout.h"
#include "link/LinkTypes.h"
#include "texts/TextsFwd.h"

class QLabel;
class QPushButton;

namespace zo::app {

class TFormMsg : public QDialog {
  Q_OBJECT

 public:
  TFormMsg(QWidget* owner, const texts::TextCatalogue& texts);

  // Fills caption, label, picture and buttons for one message and lays the
  // window out for the label's size; a value outside the four button sets
  // shows Cancel only. The
  // layout's size is the whole window's, so the inner area is smaller by
  // `frame`, the window manager's frame as far as known; once the window is
  // on screen the frame it really got replaces the estimate.
  void Prepare(std::string_view text, std::string_view title, link::MsgIcon icon,
               link::MsgButtons buttons, const FrameMargins& frame);

  // Centres the whole window, frame included, on its screen.
  void Centre();

  // The frame the window manager gave the window, once it has been shown.
  std::optional<FrameMargins> MeasuredFrame() const { return measured_; }

  // The button that Enter presses right after showing: OK, else Yes, else
  // none (the inert first button keeps the focus).
  QPushButton* FirstAnswerButton() const;

  QLabel* Label1() const { return label_; }
  QLabel* Image1() const { return image_; }
  QPushButton* BitBtnOk() const { return ok_; }
  QPushButton* BitBtnYes() const { return yes_; }
  QPushButton* BitBtnNo() const { return no_; }
  QPushButton* BitBtnCancel() const { return cancel_; }

 signals:
  // Cancel also for the window manager's close.
  void Answered(link::MsgResult result);

 public slots:
  void reject() override;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  // Esc answers nothing: the dialog has no Esc key, so a Yes/No question
  // never gets an answer that is not one of its buttons.
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QPushButton* AddButton(const QString& caption, link::MsgResult result);
  void ApplyFrame(const FrameMargins& frame);

  const texts::TextCatalogue& texts_;
  QLabel* image_ = nullptr;
  QLabel* label_ = nullptr;
  QPushButton* inert_ = nullptr;
  QPushButton* ok_ = nullptr;
  QPushButton* yes_ = nullptr;
  QPushButton* no_ = nullptr;
  QPushButton* cancel_ = nullptr;
  MsgLayout layout_;
  FrameMargins frame_ = kMsgDefaultFrame;
  std::optional<FrameMargins> measured_;
  bool watchingWindow_ = false;
};

}  // namespace zo::app
