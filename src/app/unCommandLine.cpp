// Command-line parsing with QCommandLineParser, which needs no QCoreApplication for parse().
#include "app/unCommandLine.h"

#include <QCommandLineParser>
#include <QRegularExpression>

namespace krq {

namespace {

constexpr int kExitUsage = 2;

// Options QApplication reads itself; they must not count as unknown here.
void AddQtOptions(QCommandLineParser& parser) {
    const char* withValue[] = {"platform",        "platformpluginpath",
                               "platformtheme",   "plugin",
                               "display",         "style",
                               "stylesheet",      "session",
                               "qwindowgeometry", "qwindowicon",
                               "qwindowtitle",    "geometry",
                               "title",           "name"};
    for (const char* name : withValue) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    const char* flags[] = {"reverse", "widgetcount", "sync", "nograb", "dograb"};
    for (const char* name : flags) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}

}  // namespace

TKrqCommandLine ParseKrqCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Kwerdel RQ, a plain-text and web-page editor with Polish text conversions.\n"
        "Parameters that do not each name an existing file are joined with single blanks\n"
        "into one file name; when each names an existing file, the first is opened."));
    // Qt's options come with one dash, as "-platform offscreen".
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help({"h", "help"},
                                  QStringLiteral("Displays help on commandline options."));
    const QCommandLineOption version({"v", "version"},
                                     QStringLiteral("Displays version information."));
    parser.addOption(help);
    parser.addOption(version);
    AddQtOptions(parser);
    parser.addPositionalArgument(QStringLiteral("+LINE"),
                                 QStringLiteral("Put the caret on line LINE of the file."),
                                 QStringLiteral("[+LINE]"));
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("The file to open."),
                                 QStringLiteral("[file...]"));

    TKrqCommandLine result;
    if (!parser.parse(arguments)) {
        result.Exit = true;
        result.ExitCode = kExitUsage;
        result.Output =
            QStringLiteral("krq: ") + parser.errorText() + QStringLiteral(" (try --help)\n");
        return result;
    }
    if (parser.isSet(help)) {
        result.Exit = true;
        // Without a QCoreApplication the parser cannot know the program's name.
        result.Output =
            parser.helpText().replace(QStringLiteral("<executable_name>"), QStringLiteral("krq"));
        return result;
    }
    if (parser.isSet(version)) {
        result.Exit = true;
        result.Output = QStringLiteral("krq 4.0 alpha\n");
        return result;
    }
    result.Params = parser.positionalArguments();
    return result;
}

int TakeGotoLine(QStringList& params) {
    static const QRegularExpression line(QStringLiteral("^\\+([0-9]{1,9})$"));
    if (params.size() < 2) return 0;
    QRegularExpressionMatch match = line.match(params.front());
    if (!match.hasMatch()) return 0;
    params.removeFirst();
    return match.captured(1).toInt();
}

}  // namespace krq
