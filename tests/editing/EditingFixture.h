// Shared set-up of the editing helpers' window tests: the main window fixture, the dialogs of
// the edit commands, and a way to act inside a window that a command shows modally.
#pragma once

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <functional>

#include "app/MainWindowFixture.h"
#include "editing/TEditingCommands.h"
#include "editing/TKrqFindDialog.h"

namespace krq::test {

class EditingTest : public MainWindowTest {
  protected:
    void TearDown() override {
        QApplication::clipboard()->clear();
        MainWindowTest::TearDown();
    }

    TKrqFindDialog& FindDialog() { return *frm->editCommands->dlgFind; }
    TKrqFindDialog& ReplaceDialog() { return *frm->editCommands->dlgReplace; }

    // Opens the Edit menu as the user does: its opening handler runs.
    void OpenEditMenu() { emit frm->mnsEdit->aboutToShow(); }

    // Runs `body` in the window of class W that the next command shows modally; the body
    // must close it.
    template <class W>
    void WhenShown(std::function<void(W&)> body) {
        dialogs.ModalScripts.push_back([body](QDialog& shown) {
            auto* window = qobject_cast<W*>(&shown);
            ASSERT_NE(window, nullptr) << shown.objectName().toStdString();
            body(*window);
        });
    }

    // The text of the last message box, or "" when none was shown.
    QString LastMessage() const {
        return dialogs.Messages.empty() ? QString() : dialogs.Messages.back().Text;
    }
};

// Puts a text on the clipboard as another program would.
inline void SetClipboardText(const QString& text) { QApplication::clipboard()->setText(text); }

}  // namespace krq::test
