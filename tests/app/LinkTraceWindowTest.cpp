// The Port menu's link trace against the lpgsim executable over a
// pseudo-terminal: started before connecting, it holds the whole session,
// the window shows its mark while it runs, and lpgsim replaying the file
// gives the program the same image and the same first live values.
#include <QLabel>
#include <QMenuBar>
#include <fstream>
#include <sstream>

#include "LpgsimProcess.h"
#include "app/FileCommands.h"
#include "app/MainWindowRig.h"
#include "app/views/MainMenus.h"
#include "link/LinkTrace.h"
#include "link/TraceFormat.h"
#include "texts/TextCatalogue.h"
#include "texts/TextIds.h"

namespace zo::app {
namespace {

using namespace std::chrono_literals;

constexpr int kSamples = 4;

struct Seen {
  link::ImageArea image{};
  std::vector<link::HistorySample> samples;
};

class LinkTraceWindowTest : public MainWindowRig {
 protected:
  // Connects to `sim` and keeps the image read and the first live samples;
  // `beforeShow` runs on the window before it connects.
  template <typename BeforeShow>
  Seen Session(const test::LpgsimProcess& sim, BeforeShow beforeShow) {
    profile_.SelectPort(sim.Port());
    const auto form = Open();
    beforeShow(*form);
    form->show();
    const auto& s = State(*form);
    Seen seen;
    if (!RunUntil([&] { return s.connectionState == link::ConnectionState::ControllerRead; }, 60s))
      return seen;
    seen.image = s.controllerCopy;
    if (!RunUntil([&] { return s.history.WriteIndex() > kSamples; }, 30s)) return seen;
    for (int i = 0; i < kSamples; ++i)
      seen.samples.push_back(s.history.At(i));
    if (form->Parts().trace->Active()) StopTrace(*form);
    return seen;
  }

  void StartTrace(TForm1& form) {
    Files(form).SetPathChooser([this](const FileChoice& choice) {
      proposed_ = choice.name;
      return trace_.string();
    });
    Menu(form, "MenuPortTrace").trigger();
    EXPECT_TRUE(Menu(form, "MenuPortTrace").isChecked());
    const QLabel* mark = Menus(form).TraceMark();
    EXPECT_TRUE(mark->isVisibleTo(&form));
    EXPECT_EQ(mark->text().toStdString(), Texts(form).Text(txt::kTraceMark));
    EXPECT_TRUE(mark->toolTip().contains(QString::fromStdString(trace_.string())));
  }

  void StopTrace(TForm1& form) {
    Menu(form, "MenuPortTrace").trigger();
    EXPECT_FALSE(Menu(form, "MenuPortTrace").isChecked());
    EXPECT_FALSE(Menus(form).TraceMark()->isVisibleTo(&form));
    EXPECT_EQ(form.Parts().trace->LastTracePath(), trace_.string());
  }

  static MainMenus& Menus(const TForm1& f) { return *f.Parts().views.menus; }

  std::filesystem::path trace_ = profile_.Folder() / "session.txt";
  QString proposed_;
};

TEST_F(LinkTraceWindowTest, ATracedSessionReplaysWithTheSameImageAndFirstLiveValues) {
  Seen traced;
  {
    const test::LpgsimProcess sim(LPGSIM_EXE, profile_.Config(),
                                  {"--port", "78", "--instant", "--model", "102"});
    ASSERT_TRUE(sim.Running());
    traced = Session(sim, [this](TForm1& form) { StartTrace(form); });
  }
  ASSERT_EQ(traced.samples.size(), static_cast<std::size_t>(kSamples));
  EXPECT_TRUE(proposed_.startsWith(QStringLiteral("link-trace-")) &&
              proposed_.endsWith(QStringLiteral(".txt")))
      << proposed_.toStdString();

  std::ifstream file(trace_);
  std::stringstream text;
  text << file.rdbuf();
  EXPECT_EQ(text.str().rfind(link::TraceFormat::kFirstLine, 0), 0u);
  EXPECT_NE(text.str().find(" TX ReadParam "), std::string::npos);
  EXPECT_NE(text.str().find(" RX LiveData "), std::string::npos);
  EXPECT_NE(text.str().find("\n# stopped by the user\n"), std::string::npos);

  const test::LpgsimProcess replay(LPGSIM_EXE, profile_.Config(),
                                   {"--port", "79", "--instant", "--replay", trace_.string()});
  ASSERT_TRUE(replay.Running());
  const Seen again = Session(replay, [](TForm1&) {});
  for (std::size_t i = 0; i < link::kImageSize; ++i)
    ASSERT_EQ(again.image[i], traced.image[i]) << "byte " << i;
  EXPECT_EQ(again.image[0], 102);
  EXPECT_EQ(again.samples, traced.samples);
}

TEST_F(LinkTraceWindowTest, AFileThatCannotBeMadeIsNamedAndNothingStarts) {
  const auto form = Open();
  ShowIdle(*form);
  Files(*form).SetPathChooser(
      [this](const FileChoice&) { return (profile_.Folder() / "no" / "trace.txt").string(); });
  QTimer guard;
  std::string shown;
  QObject::connect(&guard, &QTimer::timeout, form.get(), [&] {
    if (TFormMsg* open = Messages(*form).Current()) {
      shown = open->Label1()->text().toStdString();
      open->close();
    }
  });
  guard.start(50);
  Menu(*form, "MenuPortTrace").trigger();
  EXPECT_NE(shown.find("no/trace.txt"), std::string::npos) << shown;
  EXPECT_FALSE(Menu(*form, "MenuPortTrace").isChecked());
  EXPECT_FALSE(form->Parts().trace->Active());
  EXPECT_FALSE(Menus(*form).TraceMark()->isVisibleTo(form.get()));

  // Cancelled, nothing starts either.
  Files(*form).SetPathChooser([](const FileChoice&) { return std::string(); });
  Menu(*form, "MenuPortTrace").trigger();
  EXPECT_FALSE(Menu(*form, "MenuPortTrace").isChecked());
  EXPECT_FALSE(form->Parts().trace->Active());
}

}  // namespace
}  // namespace zo::app
