#include "app/startup/CommandLine.h"

#include <QCommandLineParser>

#ifndef ZT_VERSION
#define ZT_VERSION "0"
#endif

namespace zt {

namespace {

// The options every Qt program takes, with and without a value; QApplication
// reads them later. Left out of the help.
constexpr const char* kQtOptionsWithValue[] = {"platform",
                                               "platformpluginpath",
                                               "platformtheme",
                                               "plugin",
                                               "qwindowgeometry",
                                               "qwindowicon",
                                               "qwindowtitle",
                                               "session",
                                               "display",
                                               "geometry",
                                               "name",
                                               "title",
                                               "visual",
                                               "style",
                                               "stylesheet",
                                               "qmljsdebugger",
                                               "dialogs",
                                               "fontengine"};
constexpr const char* kQtFlags[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

QString Usage() {
  return QStringLiteral(
      "Usage: zindle-tavrin [options]\n"
      "Four sliding puzzles in one window: CRUX, TILZ, BOSS and TRANSIT.\n"
      "\n"
      "Options:\n"
      "  -h, --help     Show this help and end.\n"
      "  -v, --version  Show the version and end.\n"
      "\n"
      "Qt's own options, such as -platform <name> or -style <style>, are passed on\n"
      "to Qt. See the manual page zindle-tavrin(6) for the files the game reads.\n");
}

void Print(std::FILE* to, const QString& text) {
  std::fputs(text.toLocal8Bit().constData(), to);
  std::fflush(to);
}

}  // namespace

std::optional<int> AnswerCommandLine(const QStringList& arguments, std::FILE* out, std::FILE* err) {
  QCommandLineParser parser;
  // Qt's options come with one dash and whole words ("-platform xcb").
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  const QCommandLineOption help({"h", "help", "?"}, "Show this help and end.");
  const QCommandLineOption version({"v", "version"}, "Show the version and end.");
  parser.addOption(help);
  parser.addOption(version);
  for (const char* name : kQtOptionsWithValue) {
    QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
    option.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(option);
  }
  for (const char* name : kQtFlags) {
    QCommandLineOption option(QString::fromLatin1(name));
    option.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(option);
  }

  QString error;
  if (!parser.parse(arguments)) {
    error = parser.errorText();
  } else if (!parser.positionalArguments().isEmpty()) {
    error = QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments().first());
  }
  if (!error.isEmpty()) {
    Print(err, QStringLiteral("zindle-tavrin: %1\nTry 'zindle-tavrin --help'.\n").arg(error));
    return 2;
  }
  if (parser.isSet(help)) {
    Print(out, Usage());
    return 0;
  }
  if (parser.isSet(version)) {
    Print(out, QStringLiteral("Zindle Tavrin " ZT_VERSION "\n"));
    return 0;
  }
  return std::nullopt;
}

}  // namespace zt
