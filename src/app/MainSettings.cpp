#include "app/MainSettings.h"

#include <QMainWindow>
#include <cstdio>
#include <cstdlib>

#include "app/MainCommands.h"
#include "app/MainScope.h"
#include "app/MainViews.h"
#include "app/views/MainMenus.h"
#include "app/windows/IndicatorWindows.h"
#include "link/LinkState.h"
#include "settings/RegKey.h"
#include "settings/Settings.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsStore.h"
#include "texts/TextCatalogue.h"

namespace zo::app {

MainSettings::MainSettings(const MainParts& parts, MainScope& scope,
                           std::filesystem::path settingsFile,
                           const std::filesystem::path& executable, const std::string& fileFolder)
    : p_(parts),
      scope_(scope),
      settingsFile_(std::move(settingsFile)),
      fileFolder_(fileFolder.empty() ? executable.parent_path().string() : fileFolder) {}

void MainSettings::Read() {
  p_.settings = settings::SettingsFile(settingsFile_).Load(fileFolder_);
}

void MainSettings::Apply() {
  const settings::Settings& s = p_.settings;
  QMainWindow& window = p_.window;
  p_.state.portNumber = s.comm;
  p_.state.ramWatchText = std::to_string(s.ramIndex);
  p_.texts.SetLanguage(s.lang);
  p_.commands->SetFontSize(s.fontSize);
  p_.views.menus->CheckArrangement(static_cast<visual::IndicatorArrangement>(s.w0State));
  p_.views.indicators->Load(s);
  p_.views.indicators->SetStayOnTop(s.w0State ==
                                    static_cast<int>(visual::IndicatorArrangement::Top));
  if (s.bounds) {
    const settings::WindowBounds b = s.bounds->Limited();
    // The stored bounds are the whole window's; the frame is the system's.
    window.resize(b.width, b.height);
    window.move(b.left, b.top);
  } else {
    window.resize(800, 600);
  }
  if (s.wState == settings::Settings::kMaximised) window.setWindowState(Qt::WindowMaximized);
  if (s.wState == settings::Settings::kMinimised) window.setWindowState(Qt::WindowMinimized);
}

void MainSettings::StoreLink() {
  p_.settings.comm = p_.state.portNumber;
  p_.settings.ramIndex = std::atoi(p_.state.ramWatchText.c_str());
}

void MainSettings::StoreWindow() {
  p_.settings.w0State = static_cast<int>(p_.views.menus->Arrangement());
  scope_.StoreSettings();
  StoreWindowBounds();
}

void MainSettings::StoreWindowBounds() {
  const QMainWindow& window = p_.window;
  const bool maximised = window.isMaximized();
  p_.settings.wState = maximised ? settings::Settings::kMaximised
                                 : (window.isMinimized() ? settings::Settings::kMinimised
                                                         : settings::Settings::kNormal);
  // A maximised window gives its normal bounds, which are stored when the
  // settings hold none yet.
  const QRect inner = maximised ? window.normalGeometry() : window.geometry();
  const QPoint frame =
      inner.topLeft() - (window.geometry().topLeft() - window.frameGeometry().topLeft());
  p_.settings.bounds = settings::WindowBounds{frame.y(), frame.x(), inner.width(), inner.height()};
}

void MainSettings::Save() {
  if (const std::string failure = settings::SettingsFile(settingsFile_)
                                      .Save(p_.settings, fileFolder_, p_.state.identifiedOnce);
      !failure.empty())
    std::fprintf(stderr, "ZoLpgWin: settings not saved: %s\n", failure.c_str());
}

std::string MainSettings::Text() const {
  settings::RegKey key;
  settings::SettingsStore::Write(p_.settings, fileFolder_, p_.state.identifiedOnce, key);
  return key.Text();
}

}  // namespace zo::app
