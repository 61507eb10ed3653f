// The main window's start-up: its steps in the order in which each finds
// what it needs. The settings are read before anything is built from them
// (the oscilloscope takes its time base, grid style and band count when it
// is created), applied once the window exists, and the language and the
// first page follow the settings that chose them. Plain C++: the window
// carries out each step.
#pragma once

#include <array>

namespace zo::app {

enum class StartUpStep {
  ReadSettings,
  BuildWindow,  // the controls, the oscilloscope among them, from the settings
  ShowArguments,
  ConnectCommands,
  ApplySettings,  // fonts, port, folders, indicator slots, window bounds and state
  RaiseReconnect,
  ApplyLanguage,
  ShowParametersPage,
  ShowLayoutPicture,
};

class StartUpSequence {
 public:
  static constexpr std::array<StartUpStep, 9> kSteps{
      StartUpStep::ReadSettings,    StartUpStep::BuildWindow,        StartUpStep::ShowArguments,
      StartUpStep::ConnectCommands, StartUpStep::ApplySettings,      StartUpStep::RaiseReconnect,
      StartUpStep::ApplyLanguage,   StartUpStep::ShowParametersPage, StartUpStep::ShowLayoutPicture,
  };

  // Calls `run` with each step in turn.
  template <typename Step>
  static void Run(Step&& run) {
    for (const StartUpStep step : kSteps)
      run(step);
  }
};

}  // namespace zo::app
