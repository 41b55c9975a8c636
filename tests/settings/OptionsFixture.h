// Shared set-up of the options-window tests: the window opened through its menu item, with
// what the user does in it scripted.
#pragma once

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTreeWidget>
#include <functional>

#include "app/MainWindowFixture.h"
#include "settings/TKrqColorSwatch.h"
#include "settings/frOptions.h"

namespace krq::test {

class OptionsTest : public MainWindowTest {
  protected:
    void TearDown() override {
        // A test that turned themed drawing off must not leave the classic style to the next.
        if (frm) frm->prcSetXPStyle(true);
        MainWindowTest::TearDown();
    }

    // Opens "Opcje → Ustawienia" as the user does and runs `user` on the window shown; the
    // script must close it (OK or Anuluj). The window's result.
    int Options(const std::function<void(TfrmOptions&)>& user) {
        bool ran = false;
        dialogs.ModalScripts.push_back([&](QDialog& window) {
            auto* options = dynamic_cast<TfrmOptions*>(&window);
            ASSERT_NE(options, nullptr);
            ran = true;
            user(*options);
            lastResult = window.isVisible() ? -1 : window.result();
        });
        const int before = dialogs.ModalRequests;
        lastResult = -1;
        Item("mnsOptionsProperty")->trigger();
        EXPECT_EQ(dialogs.ModalRequests, before + 1);
        EXPECT_TRUE(ran);
        return lastResult;
    }

    // Clicks OK; true when the window closed.
    static bool Ok(TfrmOptions& w) {
        w.btnOk->click();
        return !w.isVisible();
    }
    static void Cancel(TfrmOptions& w) { w.btnCancel->click(); }

    // A right click on a swatch.
    static void RightClick(QWidget* widget) {
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                                widget->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(widget, &event);
    }

    // The mouse pressed and released over a box.
    static void MouseClick(QWidget* widget) {
        QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(6, widget->height() / 2));
    }

    static void KeyClick(QWidget* widget, Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(widget, key, modifiers);
    }

    std::string Bytes(const std::string& name) const { return ReadFile(Path(name)); }

    int lastResult = -1;
};

}  // namespace krq::test
