// lpgdoc: turns one Markdown manual into a PDF at build time. The text is
// laid out by the toolkit's rich-text document (DejaVu Sans, A4, page
// numbers at the foot) and written to OUT.pdf through a temporary file, so a
// failed run never leaves a half-written manual that looks up to date.
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>
#include <cstdio>

namespace {

constexpr const char* kUsage =
    "usage: lpgdoc INPUT.md OUTPUT.pdf\n"
    "Writes the Markdown manual INPUT.md as an A4 PDF document. Its first\n"
    "heading becomes the document's title.\n";

int Fail(const QString& message) {
  std::fprintf(stderr, "lpgdoc: %s\n", qPrintable(message));
  return 1;
}

// The text of the first line starting with "# ", the document's title.
QString Title(const QString& markdown) {
  for (const QString& line : markdown.split(QLatin1Char('\n'))) {
    if (line.startsWith(QLatin1String("# "))) return line.mid(2).trimmed();
  }
  return {};
}

void WritePdf(QTextDocument& document, const QString& title, const QString& path) {
  QPdfWriter writer(path);
  writer.setPageSize(QPageSize(QPageSize::A4));
  writer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
  writer.setResolution(300);
  writer.setTitle(title);
  writer.setCreator(QStringLiteral("ZoLpgWin lpgdoc"));
  document.print(&writer);
}

}  // namespace

int main(int argc, char* argv[]) {
  // A build machine has no display: the offscreen platform is enough to lay
  // out text, and the system's fonts are still found.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const QStringList args = QGuiApplication::arguments();
  if (args.size() != 3 || args[1].startsWith(QLatin1Char('-'))) {
    std::fputs(kUsage, args.size() == 2 && args[1] == QLatin1String("--help") ? stdout : stderr);
    return args.size() == 2 && args[1] == QLatin1String("--help") ? 0 : 2;
  }

  QFile input(args[1]);
  if (!input.open(QIODevice::ReadOnly)) return Fail(args[1] + ": " + input.errorString());
  const QString markdown = QString::fromUtf8(input.readAll());
  if (input.error() != QFileDevice::NoError || markdown.trimmed().isEmpty())
    return Fail(args[1] + QStringLiteral(": empty or unreadable"));
  const QString title = Title(markdown);
  if (title.isEmpty()) return Fail(args[1] + QStringLiteral(": no \"# \" heading for the title"));

  QTextDocument document;
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setStyleHint(QFont::SansSerif);
  font.setPointSize(10);
  document.setDefaultFont(font);
  document.setMarkdown(markdown);
  document.setMetaInformation(QTextDocument::DocumentTitle, title);

  const QString output = args[2];
  const QString partial = output + QStringLiteral(".part");
  QFile::remove(partial);
  WritePdf(document, title, partial);
  if (QFileInfo(partial).size() < 1024) {
    QFile::remove(partial);
    return Fail(output + QStringLiteral(": the PDF could not be written"));
  }
  QFile::remove(output);
  if (!QFile::rename(partial, output)) {
    QFile::remove(partial);
    return Fail(output + QStringLiteral(": could not be replaced"));
  }
  return 0;
}
