// Program entry of Kwerdel RQ: the command line, the highlighter holder, the main window, the
// message loop.
#include <unistd.h>

#include <QAbstractButton>
#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QTimer>
#include <QTranslator>
#include <cstdio>
#include <cstdlib>

#include "app/frMain.h"
#include "app/unCommandLine.h"
#include "platform/programdir.h"
#include "platform/shell/desktopshell.h"
#include "settings/associations/unAssociations.h"
#include "settings/associations/unEru.h"
#include "settings/frMarkers.h"

namespace {

QtMessageHandler g_previousHandler = nullptr;

// Without a display Qt ends with a fatal message and abort(); the message is what the user
// needs, the core dump is not.
void ExitOnFatal(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "krq: %s\n", message.toLocal8Bit().constData());
        std::fflush(stderr);
        _exit(1);
    }
    if (g_previousHandler) g_previousHandler(type, context, message);
}

// The options window's ticks take effect on the desktop: the registry stand-in's entries and
// the freedesktop default application. Only the real program installs them, so window tests
// never touch the user's desktop files.
class TDesktopAssociations : public krq::TAssociationActions {
  public:
    void Associate(const krq::TAssociationRow& row, int number) override {
        krq::TEruRow eru;
        eru.IconId = row.IconId;
        eru.Ext = row.Extension;
        eru.Description = row.Description;
        eru.Shown = row.Shown;
        krq::prcAssociateRow(eru, number, krq::DesktopShell());
    }
    void SetHTMLEditor() override { krq::prcHTMLEditorRole(true, krq::DesktopShell()); }
    void RestoreHTMLEditor() override { krq::prcHTMLEditorRole(false, krq::DesktopShell()); }
};

}  // namespace

int main(int argc, char** argv) {
    // --help and --version answer before Qt looks for a display.
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    const krq::TKrqCommandLine commandLine = krq::ParseKrqCommandLine(arguments);
    if (commandLine.Exit) {
        std::FILE* out = commandLine.ExitCode == 0 ? stdout : stderr;
        std::fputs(commandLine.Output.toLocal8Bit().constData(), out);
        return commandLine.ExitCode;
    }

    g_previousHandler = qInstallMessageHandler(ExitOnFatal);
    QApplication app(argc, argv);
    qInstallMessageHandler(g_previousHandler);
    QApplication::setApplicationName("Kwerdel RQ");
    // The desktop groups the windows under the installed entry and takes its icon from there.
    QGuiApplication::setDesktopFileName("pl.kwerdel.KwerdelRQ");
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/pl.kwerdel.KwerdelRQ.svg")));

    // Qt's own dialogs (file, font, colour) speak Polish like the rest of the program.
    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::Polish, QLocale::Poland), "qtbase", "_",
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);

    // An installed copy keeps its files in the user's directory, made on the first start.
    krq::EnsureProgramDir();

    // The highlighter holder comes first: the main window chooses a highlighter for its first
    // document while it is created.
    krq::TfrmMarkers frmMarkers;
    TDesktopAssociations desktopAssociations;
    krq::SetAssociationActions(&desktopAssociations);

    // The start-up test asks the program to close itself once the loop runs, as a user would;
    // every message box met on the way is answered with its escape button and its text told on
    // standard error, and so is the window's title before it closes.
    const char* closeAfterStart = std::getenv("KRQ_CLOSE_AFTER_START");
    const bool selfClosing = closeAfterStart && *closeAfterStart;
    QTimer answerBoxes;
    if (selfClosing) {
        QObject::connect(&answerBoxes, &QTimer::timeout, [] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            std::fprintf(stderr, "message: %s\n", qPrintable(box->text()));
            if (QAbstractButton* escape = box->escapeButton())
                escape->click();
            else
                box->done(0);
        });
        answerBoxes.start(20);
    }

    krq::TfrmMain frmMain(commandLine.Params);
    frmMain.show();

    if (selfClosing)
        QTimer::singleShot(0, &frmMain, [&frmMain] {
            std::fprintf(stderr, "title: %s\n", qPrintable(frmMain.windowTitle()));
            frmMain.close();
        });

    return QApplication::exec();
}
