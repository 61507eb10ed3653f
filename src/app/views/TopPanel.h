// The top panel (`Panel1`): the four page buttons of one group, the top
// toolbar `ToolBarT` with `BtnHelp`, `BtnWindow`, `BtnInd` and `BtnPort`, and
// the petrol/gas switch panel `PanelBut` at the right edge. It builds and
// captions them, puts them where the layout routine says, and tells what
// the user clicked.
#pragma once

#include <QFrame>
#include <array>

#include "app/rules/MainLayout.h"
#include "app/rules/WindowRules.h"
#include "app/views/SwitchPanel.h"
#include "texts/TextsFwd.h"

class QToolButton;
class QButtonGroup;

namespace zo::app {

class TopPanel : public QFrame {
  Q_OBJECT

 public:
  static constexpr int kHeight = 68;
  static constexpr int kPageButtonWidth = 112;
  static constexpr int kPageButtonHeight = 26;
  static constexpr int kToolButtonWidth = 56;
  static constexpr int kToolButtonHeight = 27;
  static constexpr int kSwitchPanelWidth = 175;
  static constexpr int kSwitchPanelHeight = 64;
  static constexpr int kSwitchWidth = 95;  // once a controller with the switch is identified
  static constexpr int kSwitchHeight = 67;

  explicit TopPanel(QWidget* parent);

  void ApplyLanguage(const texts::TextCatalogue& texts);
  // Sizes the page buttons for their captions in the current font.
  void FitPageButtons();
  void SetVisibleButtons(const PageButtonVisibility& visible);
  [[nodiscard]] PageButtonVisibility VisibleButtons() const;
  void SetDown(PageButton button);
  void SetLayoutPicture(int layout);
  // The picture of the port button while the link is down alternates.
  void SetPortPicture(bool alternate);
  // The layout's inputs this panel knows (its buttons' and the switch's
  // sizes), and the page buttons, `ToolBarT` and the switch placed as the
  // layout says.
  void Measure(LayoutInput& in) const;
  void Place(const LayoutResult& r, int clientWidth);

  // The petrol/gas switch `PanelBut`: its lamps' layout, whether it is
  // offered (tool tip, hand pointer, the dashboard switch's size), and its
  // lamps at a connection tick with the image's four level thresholds.
  void SetLampLayout(visual::LampLayout layout);
  void OfferSwitch(bool offered, const QString& tip);
  void SetSwitchTip(const QString& tip);
  void ShowSwitch(const link::LinkStateDisplay& display,
                  const std::array<std::uint8_t, 4>& thresholds, model::LevelDirection direction);
  [[nodiscard]] bool GasLampBlinking() const;
  void ToggleGasLamp();

 signals:
  void PageButtonClicked(zo::app::PageButton button);
  void SwitchClicked();
  void HelpClicked();        // `BtnHelp`
  void WindowClicked();      // `BtnWindow`
  void IndicatorsClicked();  // `BtnInd`
  void PortClicked();        // `BtnPort`

 private:
  static std::size_t Index(PageButton button) { return static_cast<std::size_t>(button); }
  QToolButton* MakeToolButton(QWidget* parent, const QIcon& icon);

  std::array<QToolButton*, 4> tabs_{};
  QButtonGroup* group_ = nullptr;
  QWidget* toolBar_ = nullptr;
  QToolButton* btnHelp_ = nullptr;
  QToolButton* btnWindow_ = nullptr;
  QToolButton* btnInd_ = nullptr;
  QToolButton* btnPort_ = nullptr;
  SwitchPanel* panelBut_ = nullptr;
};

}  // namespace zo::app
