// The help window: a row of three radio buttons (`RadioGroup1`: stay on top,
// hide behind other windows, close when left) over a read-only text pane
// (`RichEdit1`) with both scroll bars and no word wrap, whose selection stays
// visible while another window has the focus. It renders the help text and
// the search's selections and reports what the user does; the help command
// (HelpTopics) decides.
#pragma once

#include <QWidget>
#include <array>
#include <string>

#include "help/HelpSearch.h"
#include "texts/TextsFwd.h"

class QGroupBox;
class QPlainTextEdit;
class QRadioButton;

namespace zo::app {

class TFormHelp : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kBorder = 4;

  // `mode` is the setting `Help` (0 stay on top, 1 hide behind, 2 close
  // when left); `fontSize` the main window's font size in points. The window
  // deletes itself when closed.
  TFormHelp(const texts::TextCatalogue& texts, int mode, int fontSize);

  // The pane's text: UTF-8, lines ended by '\n'.
  void SetText(std::string text);
  [[nodiscard]] const std::string& Text() const { return text_; }

  // Selects `span` and scrolls its line to the top of the pane; `focus`
  // gives the pane the keyboard focus.
  void Select(const help::TextSpan& span, bool focus);
  [[nodiscard]] help::TextSpan Selection() const;

  [[nodiscard]] int Mode() const { return mode_; }
  [[nodiscard]] QRadioButton* RadioButton(int index) const;
  [[nodiscard]] QPlainTextEdit* RichEdit1() const { return pane_; }

 signals:
  // Shown (true) or closed (false): the help window's open mark.
  void OpenChanged(bool open);
  // A radio button was chosen: the new value of `Help`.
  void ModeChosen(int mode);

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void ChooseMode(int mode);
  void ApplyStacking();

  QGroupBox* radioGroup_;
  std::array<QRadioButton*, 3> radios_{};
  QPlainTextEdit* pane_;
  std::string text_;
  int mode_ = 0;
  // Activated since shown or restacked: only then does leaving it count.
  bool activeSinceRestack_ = false;
};

}  // namespace zo::app
