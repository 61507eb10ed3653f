// The Configuration page's own controls, the view of the autoconfiguration
// wizard the main window owns: the wizard buttons `BitBtnConBen`, `BitBtnConGas`,
// `BitBtnNext`, `BitBtnOk`, `BitBtnCancel`, the progress gauge `CGRead` on
// `PanelCG`, the instructions in the diagnostic pane `Memo1` and the seven
// rows of the configuration grid. It keeps what the wizard shows (text
// lines, grid values, which buttons it wants) so that a language, font or
// layout change shows it again; the rules stay in the wizard.
#pragma once

#include <QObject>
#include <array>
#include <functional>
#include <span>
#include <vector>

#include "autoconfig/IAutoconfigEffects.h"
#include "texts/TextsFwd.h"

class QPushButton;
class QProgressBar;
class QFrame;
class QTextEdit;
class QWidget;

namespace zo::autoconfig {
class Autoconfig;
}

namespace zo::app {

class MessageDialog;
class ParameterGridView;
struct LayoutResult;

class ConfigurationPage : public QObject, public autoconfig::IAutoconfigEffects {
  Q_OBJECT

 public:
  // What the page asks of the main window.
  struct Hooks {
    std::function<void()> requestSwitch;
    std::function<void()> rebuildGrid;
    std::function<void()> showApplied;
  };

  ConfigurationPage(QWidget* parent, QTextEdit& memo, ParameterGridView& grid,
                    MessageDialog& messages, const texts::TextCatalogue& texts, Hooks hooks);

  // The wizard this page shows takes the clicks on its buttons.
  void ForwardClicksTo(autoconfig::Autoconfig& wizard);

  // Places the controls where the layout routine puts them; hides them off
  // the page.
  void Place(const LayoutResult& layout, int fontPoints);
  void ApplyLanguage();
  // The configuration grid: headers, row names and the values found.
  void FillGrid();

  // autoconfig::IAutoconfigEffects
  void Beep() override;
  void ShowText(const std::vector<autoconfig::TextLine>& lines) override;
  void SetGridValue(int row, const texts::UserText& value) override;
  void SelectGridRow(int row) override;
  void SetGaugeMaximum(int maximum) override;
  void SetGaugeValue(int value) override;
  void ShowGaugePanel(bool shown) override;
  void ShowButton(autoconfig::WizardButton button, bool shown) override;
  link::MsgResult Ask(const autoconfig::TextLine& question, link::MsgButtons buttons) override;
  void Tell(const autoconfig::TextLine& message) override;
  void RequestSwitch() override { hooks_.requestSwitch(); }
  void RebuildGrid() override { hooks_.rebuildGrid(); }
  void ShowApplied() override { hooks_.showApplied(); }

  [[nodiscard]] QPushButton* Button(autoconfig::WizardButton button) const;
  [[nodiscard]] QPushButton* PetrolButton() const { return conBen_; }
  [[nodiscard]] QPushButton* GasButton() const { return conGas_; }
  [[nodiscard]] QProgressBar* Gauge() const { return cgRead_; }
  [[nodiscard]] QFrame* GaugePanel() const { return panelCG_; }

 private:
  static constexpr int kRetryMs = 250;

  void ShowLater(const std::string& text, int delayMs);
  void RenderText();
  void ShowWanted();

  QTextEdit& memo_;
  ParameterGridView& grid_;
  MessageDialog& messages_;
  const texts::TextCatalogue& texts_;
  Hooks hooks_;

  QPushButton* conBen_;
  QPushButton* conGas_;
  std::array<QPushButton*, 3> buttons_{};  // Next, Ok, Cancel
  QFrame* panelCG_;
  QProgressBar* cgRead_;

  bool placed_ = false;  // the Configuration page is on screen
  std::array<bool, 3> wanted_{};
  bool gaugeWanted_ = false;
  std::vector<autoconfig::TextLine> lines_;
  std::array<texts::UserText, 8> values_{};
};

}  // namespace zo::app
