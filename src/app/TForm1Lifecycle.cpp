// The main window's life: it carries out the steps of start-up, first show,
// close and destroy in the order the window lifecycle gives.
#include <QApplication>
#include <QCloseEvent>
#include <QTextEdit>
#include <QTimer>

#include "app/TForm1.h"
#include "app/views/TopPanel.h"
#include "app/windows/HelpTopics.h"
#include "app/windows/IndicatorWindows.h"

namespace zo::app {

using link::Page;

void TForm1::RunStartUpStep(StartUpStep step) {
  switch (step) {
    case StartUpStep::ReadSettings:
      return mainSettings_.Read();
    case StartUpStep::BuildWindow:
      return BuildWindow();
    case StartUpStep::ShowArguments:
      for (const auto& argument : paths_.arguments)
        views_.memo1->append(QString::fromStdString(argument));
      return;
    case StartUpStep::ConnectCommands:
      return commands_.Connect();
    case StartUpStep::ApplySettings:
      return mainSettings_.Apply();
    case StartUpStep::RaiseReconnect:
      state_.reconnectRequest = true;
      return;
    case StartUpStep::ApplyLanguage:
      return commands_.ApplyLanguage();
    case StartUpStep::ShowParametersPage:
      return pages_.ShowPage(Page::Parameters);
    case StartUpStep::ShowLayoutPicture:
      return views_.top->SetLayoutPicture(settings_.visuSco);
  }
}

void TForm1::FormShow() {
  WindowLifecycle::Run(WindowLifecycle::kShow, [this](ShowStep step) { RunShowStep(step); });
}

void TForm1::RunShowStep(ShowStep step) {
  switch (step) {
    case ShowStep::MarkShown:
      return pages_.MarkShown();
    case ShowStep::LayOut:
      pages_.Layout();
      return pages_.RebuildGrid();
    case ShowStep::StartIndicators:
      views_.indicators->StartUp();
      QCoreApplication::processEvents();
      return;
    case ShowStep::StartTimers:
      timerTx_.start();
      timerInfo_.start();
      return;
    case ShowStep::FirstConnectionTick:
      QTimer::singleShot(0, this, &TForm1::TimerInfoTimer);
      return;
  }
}

void TForm1::closeEvent(QCloseEvent* event) {
  FormCloseQuery();
  event->accept();
}

void TForm1::FormCloseQuery() {
  if (pages_.Closing()) return;
  pages_.MarkClosing();
  WindowLifecycle::Run(WindowLifecycle::kClose, [this](CloseStep step) { RunCloseStep(step); });
}

void TForm1::RunCloseStep(CloseStep step) {
  switch (step) {
    case CloseStep::StoreIndicators:
      return views_.indicators->Store(settings_);
    case CloseStep::CloseHelp:
      return help_->Close();
    case CloseStep::StopTimers:
      timerTx_.stop();
      timerInfo_.stop();
      QCoreApplication::processEvents();
      return;
    case CloseStep::ClosePort:
      state_.connected = false;
      connection_->ClosePort();
      QCoreApplication::processEvents();
      return;
  }
}

void TForm1::FormDestroy() {
  WindowLifecycle::Run(WindowLifecycle::kDestroy,
                       [this](DestroyStep step) { RunDestroyStep(step); });
}

void TForm1::RunDestroyStep(DestroyStep step) {
  switch (step) {
    case DestroyStep::RemoveKeyFilter:
      qApp->removeEventFilter(this);
      return;
    case DestroyStep::Close:
      return FormCloseQuery();
    case DestroyStep::StoreLinkSettings:
      return mainSettings_.StoreLink();
    case DestroyStep::StoreWindowSettings:
      return mainSettings_.StoreWindow();
    case DestroyStep::SaveSettings:
      return mainSettings_.Save();
  }
}

}  // namespace zo::app
