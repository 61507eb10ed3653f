#include "model/ControllerSession.h"

namespace zo::model {

SessionView ControllerSession::Enter(link::ConnectionState state, const Controller& controller,
                                     const ITextSource& texts, std::string_view filePath,
                                     const std::function<void()>& fillInstallationDate) {
  SessionView view;
  view.caption = ControllerModel::Caption(state, controller.image, texts, filePath);
  if (state == link::ConnectionState::ControllerRead) {
    if (fillInstallationDate) fillInstallationDate();
    const ControllerDates dates = ControllerModel::Dates(controller.image, controller.counterBlock);
    if (!workingTimesInBlock_) dates_.production = dates.production;
    dates_.installation = dates.installation;
    dates_.configuration = dates.configuration;
  }
  view.pages = ControllerModel::Pages(state, controller.image, controller.serviceMode);
  identified_ = state == link::ConnectionState::ControllerRead ||
                state == link::ConnectionState::Tester ||
                state == link::ConnectionState::UploadOnly;
  if (view.pages.switchPanel) {
    switchPanelShown_ = *view.pages.switchPanel;
    view.switchPanelShown = switchPanelShown_;
    view.lampLayout =
        switchPanelShown_ ? ControllerModel::Identify(controller.image).lampLayout : 0;
  }
  view.versionMessage = ControllerModel::VersionMessage(state, controller.image);
  return view;
}

}  // namespace zo::model
