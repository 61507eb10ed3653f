// The strips above the two grids: on the left `ToolBarL` with the recording
// file buttons and the state panels `PanelSonda`, `PanelOpcje` and
// `PanelInfo`; on the right `ToolBarR` with the parameter-file, factory
// parameter and read buttons. The layout routine places the strips.
#pragma once

#include <QObject>
#include <QString>
#include <cstdint>

#include "app/views/MenuCommands.h"
#include "texts/TextsFwd.h"
#include "visual/StatePanels.h"

class QFrame;
class QLabel;
class QToolButton;
class QWidget;

namespace zo::app {

class LowerPanels : public QObject {
  Q_OBJECT

 public:
  static constexpr int kPanelHeight = 24;
  static constexpr int kButtonWidth = 26;
  static constexpr int kStatePanelHeight = 21;

  explicit LowerPanels(QWidget* client);

  void ApplyLanguage(const texts::TextCatalogue& texts);
  // Places the strips; the state panels share what is left of the left strip.
  void PlaceLeft(bool visible, int x, int y, int width, bool filesVisible);
  void PlaceRight(bool visible, int x, int y, int width, bool filesVisible);
  void SetStatePanelFont(int listPoints, int optionPoints, int probePoints, int infoPoints);
  void SetStatePanelsVisible(bool visible);
  // `PanelOpcje` and `PanelSonda` from a sample's regulation flags and fault
  // code (sample bytes 2 and 7).
  void ShowRegulation(std::uint8_t flags, std::uint8_t faultCode,
                      const texts::TextCatalogue& texts);
  // `PanelOpcje` as a state rule sees it; no background is the header colour.
  void ShowOptions(const visual::PanelView& view, const texts::TextCatalogue& texts);
  // `PanelInfo` and `PanelOpcje` in a colour with a text.
  void PaintInfo(const QColor& background, const QColor& text, const QString& caption);
  void PaintOptions(const QColor& background, const QColor& text, const QString& caption);

 signals:
  // `BtnOpenVis`, `BtnSaveVis`, `BtnOpenPar`, `BtnSavePar`.
  void FileButtonClicked(zo::app::FileCommand command);
  void FactoryParametersClicked();  // `BtnManPar`
  void ReadAgainClicked();          // `BtnRefPar`
  void InfoClicked();               // `PanelInfo`

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  static void Paint(QLabel* panel, const QColor& background, const QColor& text,
                    const QString& caption);
  QToolButton* MakeButton(QWidget* parent, const QIcon& icon, const char* name);
  QLabel* MakeStatePanel(QWidget* parent, const char* name);
  void PaintView(QLabel* panel, const visual::PanelView& view, const texts::TextCatalogue& texts);

  QFrame* leftPanel_ = nullptr;
  QFrame* rightPanel_ = nullptr;
  QToolButton* btnOpenVis_ = nullptr;
  QToolButton* btnSaveVis_ = nullptr;
  QToolButton* btnOpenPar_ = nullptr;
  QToolButton* btnSavePar_ = nullptr;
  QToolButton* btnManPar_ = nullptr;
  QToolButton* btnRefPar_ = nullptr;
  QLabel* panelSonda_ = nullptr;
  QLabel* panelOpcje_ = nullptr;
  QLabel* panelInfo_ = nullptr;
};

}  // namespace zo::app
