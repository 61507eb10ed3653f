// The indicator slots the main window keeps, one per signal kind: position,
// size, flags and the one-shot request each window carries out on its next
// tick; and the rules that change them (open, start, menu orders, arrange,
// close, record) and decide visibility per page.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <vector>

#include "IndicatorGeometry.h"
#include "model/SignalKind.h"

namespace zo::visual {

enum class IndicatorRequest : int {
  None = 0,
  Redraw = 2,        // redraw the background
  BringToFront = 3,  // if shown
  StayOnTop = 4,
  NormalStacking = 5,
  Arrange = 6,  // stay on top and take the arranged place
  Close = 9,
};

// How the indicator windows are arranged: staying on top (Ins), stacked
// normally (Del), or home in a row beside the main window (Home). The
// settings keep its number.
enum class IndicatorArrangement : int { Top = 0, Bottom = 1, Home = 2 };

struct IndicatorSlot {
  int left = 0;
  int top = 0;
  int size = 240;  // the window's height
  int flags = 0;   // bit 0 wanted, bits 1-2 shape, bit 4 placed
  IndicatorRequest request = IndicatorRequest::None;
  bool operator==(const IndicatorSlot&) const = default;
};

enum class OpenAction { RequestClose, BringToFront, Create };

struct OpenResult {
  OpenAction action = OpenAction::Create;
  IndicatorShape shape = IndicatorShape::Dial;
  IndicatorRect rect;  // the new window's place, for Create
};

// Where the arranged row of windows goes.
struct ArrangeGeometry {
  int x0 = 0;
  int y0 = 0;
  int h = 0;
  bool operator==(const ArrangeGeometry&) const = default;
};

// The main window's measures the arrangement is computed from.
struct ArrangeInputs {
  int mainLeft = 0;
  int mainTop = 0;
  int mainHeight = 0;
  int nonClientHeight = 0;
  int topPanelHeight = 0;
  bool scopeShown = false;
  int scopeWidth = 0;
  int scopeHeight = 0;
  int listWidth = 0;
  int listHeight = 0;
  int listRowHeight = 0;
  int freeBelowRows = 0;  // free height below the last list row
  bool configurationPage = false;
};

class IndicatorSlots {
 public:
  // Slots by kind number; every kind with a window has one.
  static constexpr std::size_t kKinds = 16;
  static constexpr int kWanted = 1;
  static constexpr int kShapeBits = 6;
  static constexpr int kPlaced = 16;
  static constexpr int kParametersPage = 1;
  static constexpr int kConfigurationPage = 2;

  [[nodiscard]] const IndicatorSlot& Slot(model::SignalKind kind) const;
  IndicatorSlot& Slot(model::SignalKind kind);

  // Sets the wanted bit, then says what the window must do.
  OpenResult Open(model::SignalKind kind);
  // The window is shown: its position is current from now on.
  void MarkPlaced(model::SignalKind kind);
  // At start: keeps the low four bits of every window kind's flags (the placed mark
  // and any bit above it go); returns the kinds whose flags are then not 0.
  std::vector<model::SignalKind> StartUp();

  void RequestAll(IndicatorRequest request);
  // The window's tick takes its request; the slot's becomes None.
  IndicatorRequest TakeRequest(model::SignalKind kind);

  // `PopupMenuIndHome`: RPM wanted as a dial, LAM, TPS and MOT wanted as
  // vertical bars. Returns those kinds.
  std::vector<model::SignalKind> Home();
  static ArrangeGeometry Arrange(const ArrangeInputs& in);
  // Request 6 on a window: its arranged place, recorded in the slot; none for
  // kinds outside the arranged row, whose window closes.
  std::optional<IndicatorRect> ArrangedPlace(model::SignalKind kind, const ArrangeGeometry& g);

  // The window moved, resized or changed shape: the slot records it.
  void Record(model::SignalKind kind, const IndicatorRect& r);
  void Record(model::SignalKind kind, const IndicatorRect& r, IndicatorShape shape);
  // Any close: position and size kept, no longer wanted, shape back to dial.
  void Close(model::SignalKind kind, const IndicatorRect& r);

  // Shown on the Parameters page; on the Configuration page only RPM, LAM,
  // TPS and MOT; hidden on every other page.
  static bool Visible(model::SignalKind kind, int activePage);

 private:
  std::array<IndicatorSlot, kKinds> slots_{};
};

}  // namespace zo::visual
