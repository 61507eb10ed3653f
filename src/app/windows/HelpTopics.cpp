#include "app/windows/HelpTopics.h"

#include <QScreen>
#include <QWidget>
#include <vector>

#include "app/QtText.h"
#include "app/views/ParameterGridView.h"
#include "app/widgets/StringGrid.h"
#include "app/windows/MessageDialog.h"
#include "app/windows/TFormMsg.h"
#include "help/HelpFile.h"
#include "help/HelpSearch.h"
#include "settings/Settings.h"
#include "texts/LanguageRules.h"
#include "texts/TextCatalogue.h"
#include "texts/TextIds.h"

namespace zo::app {

HelpTopics::HelpTopics(const HelpHost& host, const texts::TextCatalogue& texts,
                       settings::Settings& settings, MessageDialog& messages,
                       const link::ImageArea& workingCopy, std::filesystem::path executable)
    : host_(host),
      texts_(texts),
      settings_(settings),
      messages_(messages),
      image_(workingCopy),
      executable_(std::move(executable)) {}

HelpTopics::~HelpTopics() {
  delete window_.data();
}

void HelpTopics::ShowHelp() {
  if (IsOpen()) return Search(true);
  if (host_.grid.Grid().isVisible()) host_.grid.FocusGrid();
  auto content = Content();
  if (!content) return;
  delete window_.data();  // a window closed but not yet deleted
  window_ = new TFormHelp(texts_, settings_.help, texts_.FontSize());
  window_->setWindowTitle(Q(help::HelpRules::Caption(texts_.HelpFileName())));
  const help::HelpPlacement place = help::HelpRules::Place(PlacementInputs());
  window_->move(place.left, place.top);
  window_->resize(place.width, place.height);
  window_->SetText(std::move(*content));
  connect(window_, &TFormHelp::OpenChanged, this, [this](bool open) { open_ = open; });
  connect(window_, &TFormHelp::ModeChosen, this, [this](int mode) { settings_.help = mode; });
  window_->show();
  window_->activateWindow();
}

bool HelpTopics::FollowsGrid(link::Page activePage) const {
  return IsOpen() && settings_.help == 0 && activePage == link::Page::Parameters;
}

void HelpTopics::ContextRefresh() {
  if (!IsOpen()) return;
  Search(false);
  host_.mainWindow.activateWindow();
}

void HelpTopics::Close() {
  if (window_ != nullptr) window_->close();
}

std::optional<std::string> HelpTopics::Content() {
  if (texts_.Language() == texts::kPolish)
    return help::HelpRules::PolishContent(help::HelpRules::Family(image_),
                                          &texts::TextCatalogue::HelpLine);
  const std::string name = texts_.HelpFileName();
  if (auto text = help::HelpFile::Load(name, help::HelpFile::Folders(executable_))) return text;
  messages_.ShowMessage(
      {texts::TextPiece::Id(txt::kCannotOpenFile), texts::TextPiece::Literal(name)},
      txt::kTitleAttention, link::MsgIcon::Information, link::MsgButtons::Ok);
  return std::nullopt;
}

help::HelpPlacementInputs HelpTopics::PlacementInputs() const {
  const QRect list = host_.signalList.isVisible() ? host_.signalList.geometry() : QRect();
  const QRect main = host_.mainWindow.frameGeometry();
  help::HelpPlacementInputs in{main.left(),          main.top(),    list.top(),
                               list.width(),         list.height(), host_.topPanel.height(),
                               host_.client.height()};
  if (const QScreen* screen = host_.mainWindow.screen()) {
    // The help window is framed like the main window: its frame must end on
    // the screen too.
    const QRect available = screen->availableGeometry();
    const int frame = main.height() - host_.mainWindow.geometry().height();
    in.screenBottom = available.y() + available.height() - frame;
  }
  return in;
}

void HelpTopics::Search(bool activate) {
  const int selected = host_.grid.SelectedRow();
  std::vector<std::string> firstColumn;
  for (int row = 0; row <= selected; ++row)
    firstColumn.push_back(host_.grid.Cell(row, 0));
  const help::HelpSearch search(window_->Text(),
                                help::HelpRules::Family(image_) == help::HelpFamily::Xl);
  const help::HelpFound found = search.Find(firstColumn, selected);
  if (found.heading) window_->Select(*found.heading, false);
  if (!found.name) return;
  if (activate) window_->activateWindow();
  window_->Select(*found.name, true);
}

}  // namespace zo::app
