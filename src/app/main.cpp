// Program entry of Kwerdel RQ: the highlighter holder, the main window, the message loop.
#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTimer>
#include <QTranslator>
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

    QStringList params = QApplication::arguments();
    params.removeFirst();
    krq::TfrmMain frmMain(params);
    frmMain.show();

    // The start-up test asks the program to close itself once the loop runs, as a user would.
    if (const char* close = std::getenv("KRQ_CLOSE_AFTER_START"); close && *close)
        QTimer::singleShot(0, &frmMain, [&frmMain] { frmMain.close(); });

    return QApplication::exec();
}
