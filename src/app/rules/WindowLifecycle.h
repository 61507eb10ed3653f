// The main window's life in plain steps: start-up, first show, close and
// destroy, each in the order in which a step finds what it needs. The
// settings are read before anything is built from them (the oscilloscope
// takes its time base, grid style and band count when it is created) and
// applied once the window exists; the language and the first page follow
// the settings that chose them. On closing, the indicator windows give
// their places before they close with the window, and the port closes only
// once nothing polls it any more. The settings file is written last, from
// everything the window holds. The window carries out each step.
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

enum class ShowStep {
  MarkShown,  // from now on a layout places the areas
  LayOut,
  StartIndicators,  // the indicator windows open where they were
  StartTimers,
  FirstConnectionTick,  // at once, so the remembered port opens without a wait
};

enum class CloseStep {
  StoreIndicators,  // before they close with the window and forget they were open
  CloseHelp,
  StopTimers,
  ClosePort,
};

enum class DestroyStep {
  RemoveKeyFilter,
  Close,                // the close steps, when the window was not closed before
  StoreLinkSettings,    // port number and RAM-watch address
  StoreWindowSettings,  // indicator arrangement, scope, window bounds and state
  SaveSettings,
};

class WindowLifecycle {
 public:
  static constexpr std::array kStartUp{
      StartUpStep::ReadSettings,    StartUpStep::BuildWindow,        StartUpStep::ShowArguments,
      StartUpStep::ConnectCommands, StartUpStep::ApplySettings,      StartUpStep::RaiseReconnect,
      StartUpStep::ApplyLanguage,   StartUpStep::ShowParametersPage, StartUpStep::ShowLayoutPicture,
  };
  static constexpr std::array kShow{ShowStep::MarkShown, ShowStep::LayOut,
                                    ShowStep::StartIndicators, ShowStep::StartTimers,
                                    ShowStep::FirstConnectionTick};
  static constexpr std::array kClose{CloseStep::StoreIndicators, CloseStep::CloseHelp,
                                     CloseStep::StopTimers, CloseStep::ClosePort};
  static constexpr std::array kDestroy{DestroyStep::RemoveKeyFilter, DestroyStep::Close,
                                       DestroyStep::StoreLinkSettings,
                                       DestroyStep::StoreWindowSettings, DestroyStep::SaveSettings};

  // Calls `run` with each step of `steps` in turn.
  template <typename Steps, typename Action>
  static void Run(const Steps& steps, Action&& run) {
    for (const auto step : steps)
      run(step);
  }
};

}  // namespace zo::app
