// Message boxes and common dialogs behind one interface, so window tests can script them.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>
#include <optional>

#include "platform/encoding.h"

class QUrl;
class QDialog;
class QWidget;

namespace krq {

enum class TMsgButtons { OK, YesNo, YesNoCancel };
enum class TMsgIcon { None, Information, Warning, Stop, Question };
enum class TMsgResult { OK, Yes, No, Cancel };

// What a file dialog keeps between openings, as the Windows dialogs do: the file name, the
// filter list in the "Desc|*.a;*.b|..." form and the entry chosen last (1-based).
struct TFileDialogState {
    QString FileName;
    QString Filter;
    int FilterIndex = 1;
    QString DefaultExt;  // appended to a name typed without an extension
    QString Title;
    bool OverwritePrompt = true;  // the save dialog asks before an existing file is chosen
    // When set, the save dialog also offers the document encodings, starting with this one,
    // and leaves the one chosen here.
    std::optional<TDocEncoding> Encoding;
};

class TKrqDialogs {
  public:
    virtual ~TKrqDialogs() = default;
    // Texts may hold "\r" line breaks as the program writes them.
    virtual TMsgResult Message(QWidget* owner, const QString& caption, const QString& text,
                               TMsgButtons buttons, TMsgIcon icon) = 0;
    // The chosen existing file(s), or nothing when cancelled; updates FileName and FilterIndex.
    virtual QStringList OpenFiles(QWidget* owner, TFileDialogState& state, bool multiple) = 0;
    // The chosen target (after the overwrite question, when asked for), or "" when cancelled.
    virtual QString SaveFile(QWidget* owner, TFileDialogState& state) = 0;
    virtual std::optional<QFont> ChooseFont(QWidget* owner, const QFont& initial, int minPoints,
                                            int maxPoints) = 0;
    virtual std::optional<QColor> ChooseColor(QWidget* owner, const QColor& initial) = 0;
    // Hands an address (a file, a web page, a mailto:) to the desktop, maximised or in the
    // normal show mode; whether anything opens it is not reported.
    virtual void OpenUrl(QWidget* owner, const QUrl& url, bool maximised);
    // Shows one of the program's own windows modally; its result (QDialog::Accepted or
    // Rejected) once it has closed.
    virtual int ShowModal(QDialog& window) = 0;
};

// The dialogs in use: Qt's own unless a test installed others.
TKrqDialogs& Dialogs();
// Installs `dialogs` (not owned); nullptr goes back to Qt's.
void SetDialogs(TKrqDialogs* dialogs);

// "Desc|*.a;*.b|Desc2|*.c|" → "Desc (*.a *.b);;Desc2 (*.c)" for QFileDialog; the descriptions
// are kept as they are (they already name their patterns).
QStringList QtFilters(const QString& windowsFilter);

}  // namespace krq
