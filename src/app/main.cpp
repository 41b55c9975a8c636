// Program entry of Kwerdel RQ: the highlighter holder, the main window, the message loop.
#include <QAbstractButton>
#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QTimer>
#include <QTranslator>
#include <cstdio>
#include <cstdlib>

#include "app/frMain.h"
#include "settings/frMarkers.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Kwerdel RQ");

    // Qt's own dialogs (file, font, colour) speak Polish like the rest of the program.
    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::Polish, QLocale::Poland), "qtbase", "_",
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);

    // The highlighter holder comes first: the main window chooses a highlighter for its first
    // document while it is created.
    krq::TfrmMarkers frmMarkers;

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

    QStringList params = QApplication::arguments();
    params.removeFirst();
    krq::TfrmMain frmMain(params);
    frmMain.show();

    if (selfClosing)
        QTimer::singleShot(0, &frmMain, [&frmMain] {
            std::fprintf(stderr, "title: %s\n", qPrintable(frmMain.windowTitle()));
            frmMain.close();
        });

    return QApplication::exec();
}
