// A shown TKrqEdit on the offscreen platform with helpers to load UTF-8 text and read it back.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <memory>
#include <string>

#include "common/TestHome.h"
#include "editor/widget/TKrqEdit.h"
#include "platform/cp1250.h"

namespace krq::test {

class EditWidgetTest : public ::testing::Test {
  protected:
    void SetUp() override {
        edit = std::make_unique<TKrqEdit>();
        edit->resize(480, 320);
        edit->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(edit.get()));
        edit->activateWindow();
        edit->setFocus();
    }
    void TearDown() override { edit.reset(); }

    // Replaces the text by UTF-8 `text` (lines split at "\n") and puts the caret at 1:1.
    void Load(const std::string& text) {
        const std::string path = TestHome() + "/w_edit_load.txt";
        WriteFile(path, cp1250::FromUtf8(text));
        edit->Model().LoadLinesFromFile(path);
    }
    // The text in UTF-8 with "\n" between lines.
    std::string Text() const {
        std::string t = cp1250::ToUtf8(edit->Model().Text()), out;
        for (size_t i = 0; i < t.size(); ++i) {
            if (t[i] == '\r' && i + 1 < t.size() && t[i + 1] == '\n') continue;
            out += t[i];
        }
        return out;
    }
    std::string Selected() const { return cp1250::ToUtf8(edit->Model().SelectedText()); }
    TBufferCoord Caret() const { return edit->Model().CaretXY(); }
    // The middle of the left edge of a character's cell, in viewport coordinates.
    QPoint At(int ch, int line) const {
        return edit->PointOfChar({ch, line}) + QPoint(1, edit->LineHeight() / 2);
    }
    // Types UTF-8 text as key events that carry each character, as a keyboard layout does.
    void Type(const std::string& utf8) {
        for (QChar c : QString::fromStdString(utf8))
            QTest::sendKeyEvent(QTest::Click, edit.get(), Qt::Key_unknown, QString(c),
                                Qt::NoModifier);
    }
    void Key(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTest::keyClick(edit.get(), key, mods);
    }

    std::unique_ptr<TKrqEdit> edit;
};

}  // namespace krq::test
