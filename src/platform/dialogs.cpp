// Qt's message boxes and common dialogs behind the dialogs interface, in Polish.
#include "platform/dialogs.h"

#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

#include "platform/fontdialog.h"

namespace krq {

namespace {

class TQtDialogs final : public TKrqDialogs {
  public:
    TMsgResult Message(QWidget* owner, const QString& caption, const QString& text,
                       TMsgButtons buttons, TMsgIcon icon) override {
        QMessageBox box(owner);
        box.setWindowTitle(caption);
        QString shown = text;
        shown.replace("\r\n", "\n").replace('\r', '\n');
        box.setText(shown);
        switch (icon) {
            case TMsgIcon::None:
                box.setIcon(QMessageBox::NoIcon);
                break;
            case TMsgIcon::Information:
                box.setIcon(QMessageBox::Information);
                break;
            case TMsgIcon::Warning:
                box.setIcon(QMessageBox::Warning);
                break;
            case TMsgIcon::Stop:
                box.setIcon(QMessageBox::Critical);
                break;
            case TMsgIcon::Question:
                box.setIcon(QMessageBox::Question);
                break;
        }
        QPushButton* yes = nullptr;
        QPushButton* no = nullptr;
        QPushButton* cancel = nullptr;
        QPushButton* ok = nullptr;
        if (buttons == TMsgButtons::OK) {
            ok = box.addButton(QString::fromUtf8("OK"), QMessageBox::AcceptRole);
            box.setEscapeButton(ok);
        } else {
            yes = box.addButton(QString::fromUtf8("Tak"), QMessageBox::YesRole);
            no = box.addButton(QString::fromUtf8("Nie"), QMessageBox::NoRole);
            if (buttons == TMsgButtons::YesNoCancel) {
                cancel = box.addButton(QString::fromUtf8("Anuluj"), QMessageBox::RejectRole);
                box.setEscapeButton(cancel);
            }
            box.setDefaultButton(yes);
        }
        box.exec();
        auto* clicked = box.clickedButton();
        if (clicked == yes && yes) return TMsgResult::Yes;
        if (clicked == no && no) return TMsgResult::No;
        if (buttons == TMsgButtons::OK) return TMsgResult::OK;
        return buttons == TMsgButtons::YesNo ? TMsgResult::No : TMsgResult::Cancel;
    }

    QStringList OpenFiles(QWidget* owner, TFileDialogState& state, bool multiple) override {
        QFileDialog dialog(owner, state.Title);
        dialog.setFileMode(multiple ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        Prepare(dialog, state);
        if (dialog.exec() != QDialog::Accepted) return {};
        QStringList files = dialog.selectedFiles();
        Remember(dialog, state, files.value(0));
        return files;
    }

    QString SaveFile(QWidget* owner, TFileDialogState& state) override {
        QFileDialog dialog(owner, state.Title);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(state.DefaultExt);
        dialog.setOption(QFileDialog::DontConfirmOverwrite, !state.OverwritePrompt);
        Prepare(dialog, state);
        if (dialog.exec() != QDialog::Accepted) return {};
        QString file = dialog.selectedFiles().value(0);
        Remember(dialog, state, file);
        return file;
    }

    std::optional<QFont> ChooseFont(QWidget* owner, const QFont& initial, int minPoints,
                                    int maxPoints) override {
        TKrqFontDialog dialog(owner, initial, minPoints, maxPoints);
        if (dialog.exec() != QDialog::Accepted) return std::nullopt;
        return dialog.SelectedFont();
    }

    std::optional<QColor> ChooseColor(QWidget* owner, const QColor& initial) override {
        QColor color = QColorDialog::getColor(initial, owner);
        if (!color.isValid()) return std::nullopt;
        return color;
    }

    int ShowModal(QDialog& window) override { return window.exec(); }

  private:
    static void Prepare(QFileDialog& dialog, const TFileDialogState& state) {
        // The descriptions already name their patterns; Qt's copy in brackets stays hidden.
        dialog.setOption(QFileDialog::HideNameFilterDetails);
        QStringList filters = QtFilters(state.Filter);
        dialog.setNameFilters(filters);
        if (state.FilterIndex >= 1 && state.FilterIndex <= filters.size())
            dialog.selectNameFilter(filters[state.FilterIndex - 1]);
        if (!state.FileName.isEmpty()) dialog.selectFile(state.FileName);
    }

    static void Remember(const QFileDialog& dialog, TFileDialogState& state, const QString& file) {
        state.FileName = file;
        // With the details hidden, Qt reports the shown text of the entry (its description),
        // not the filter it was given; either identifies the entry chosen.
        const QString chosen = dialog.selectedNameFilter();
        const QStringList filters = QtFilters(state.Filter);
        const QStringList parts = state.Filter.split('|');
        for (int i = 0; i < filters.size(); ++i) {
            if (chosen == filters[i] || chosen == parts[2 * i]) {
                state.FilterIndex = i + 1;
                break;
            }
        }
    }
};

TKrqDialogs* g_installed = nullptr;

}  // namespace

// The desktop has no show mode for what it opens; the default application decides.
void TKrqDialogs::OpenUrl(QWidget*, const QUrl& url, bool) { QDesktopServices::openUrl(url); }

TKrqDialogs& Dialogs() {
    static TQtDialogs qtDialogs;
    return g_installed ? *g_installed : qtDialogs;
}

void SetDialogs(TKrqDialogs* dialogs) { g_installed = dialogs; }

QStringList QtFilters(const QString& windowsFilter) {
    QStringList parts = windowsFilter.split('|');
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(';', ' ');
        // "*.*" means every file; Qt would take only names with a dot (no README, Makefile).
        if (patterns.split(' ').contains("*.*")) patterns = "*";
        out << parts[i] + " (" + patterns + ")";
    }
    return out;
}

}  // namespace krq
