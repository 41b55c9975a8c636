// The program's command line: options answered before any window exists, the rest kept for the
// main window.
#pragma once

#include <QString>
#include <QStringList>

namespace krq {

struct TKrqCommandLine {
    // True when the program ends at once, printing `Output` (standard output for exit code 0,
    // standard error otherwise) and returning `ExitCode`.
    bool Exit = false;
    int ExitCode = 0;
    QString Output;
    // The parameters that are not options, in order, for the main window.
    QStringList Params;
};

// `arguments` includes the program name first, as argv has it. Qt's own options (-platform,
// -display, -style …) are accepted and left for QApplication.
TKrqCommandLine ParseKrqCommandLine(const QStringList& arguments);

// "+N" before the file names: the line to put the caret on, taken out of `params`; 0 if none.
int TakeGotoLine(QStringList& params);

}  // namespace krq
