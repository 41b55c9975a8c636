// Real key events on the editing widget: Polish typing, the less obvious keys of the key map,
// Tab kept as an editing key and the window's shortcuts left to the window.
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QVBoxLayout>

#include "editor/w_edit_Fixture.h"

namespace krq::test {
namespace {

using WEditKeys = EditWidgetTest;

TEST_F(WEditKeys, TypedTextBecomesWindows1250AndForeignCharactersQuestionMarks) {
    Type("Zażółć");
    Type("ą€→");
    EXPECT_EQ(Text(), "Zażółćą€?");
    EXPECT_EQ(edit->Model().Text(), cp1250::FromUtf8("Zażółćą€") + "?");
    // Each typed character is its own undo step.
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Text(), "Zażółćą€");
}

TEST_F(WEditKeys, AltGrLetterTypesInsteadOfRunningCtrlAltCommand) {
    // Some systems report AltGr as Ctrl+Alt; the event still carries the letter.
    QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::ControlModifier | Qt::AltModifier,
                    QString::fromUtf8("ą"));
    QApplication::sendEvent(edit.get(), &press);
    QKeyEvent grp(QEvent::KeyPress, Qt::Key_L, Qt::GroupSwitchModifier, QString::fromUtf8("ł"));
    QApplication::sendEvent(edit.get(), &grp);
    EXPECT_EQ(Text(), "ął");
    // Ctrl alone never types: Ctrl+T is a command even though it carries a control character.
    Load("abc def");
    Key(Qt::Key_T, Qt::ControlModifier);
    EXPECT_EQ(Text(), " def");
}

TEST_F(WEditKeys, IndentUnindentDeleteWordAndLine) {
    Load("one\ntwo\nthree");
    Key(Qt::Key_Down, Qt::ShiftModifier);
    Key(Qt::Key_End, Qt::ShiftModifier);
    Key(Qt::Key_I, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Text(), "        one\n        two\nthree");
    Key(Qt::Key_U, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Text(), "one\ntwo\nthree");
    edit->Model().SetCaretXY({1, 3});
    Key(Qt::Key_T, Qt::ControlModifier);
    EXPECT_EQ(Text(), "one\ntwo\n");
    Key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(Text(), "one\ntwo");
    edit->Model().SetCaretXY({2, 1});
    Key(Qt::Key_Y, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Text(), "o\ntwo");
}

TEST_F(WEditKeys, BookmarksSetJumpAndToggleOff) {
    Load("a\nb\nc\nd");
    edit->Model().SetCaretXY({1, 3});
    Key(Qt::Key_1, Qt::ControlModifier | Qt::ShiftModifier);
    ASSERT_TRUE(edit->Model().Bookmark(1).has_value());
    EXPECT_EQ(*edit->Model().Bookmark(1), 3);
    edit->Model().SetCaretXY({1, 1});
    Key(Qt::Key_1, Qt::ControlModifier);
    EXPECT_EQ(Caret().Line, 3);
    // A layout that reports Shift+2 as "@" still sets bookmark 2.
    QTest::keyClick(edit.get(), Qt::Key_At, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(edit->Model().Bookmark(2).value_or(0), 3);
    Key(Qt::Key_1, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_FALSE(edit->Model().Bookmark(1).has_value());
}

TEST_F(WEditKeys, MatchingBracketAndSelectionModeKeys) {
    Load("f(a[1], b)");
    edit->Model().SetCaretXY({2, 1});
    Key(Qt::Key_B, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Caret(), (TBufferCoord{10, 1}));
    QSignalSpy status(edit.get(), &TKrqEdit::StatusChanged);
    Key(Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(edit->Model().SelectionMode(), smColumn);
    Key(Qt::Key_L, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(edit->Model().SelectionMode(), smLine);
    Key(Qt::Key_N, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(edit->Model().SelectionMode(), smNormal);
    EXPECT_GE(status.count(), 3);
}

TEST_F(WEditKeys, TabIsAnEditingKeyAndDoesNotMoveFocus) {
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* editor = new TKrqEdit;
    auto* other = new QLineEdit;
    layout->addWidget(editor);
    layout->addWidget(other);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.activateWindow();
    editor->setFocus();
    QTest::keyClicks(editor, "ab");
    QTest::keyClick(editor, Qt::Key_Tab);
    QTest::keyClicks(editor, "c");
    EXPECT_EQ(editor->Model().Text(), "ab      c");
    QTest::keyClick(editor, Qt::Key_Left);
    QTest::keyClick(editor, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(editor->Model().Text(), "abc");
    EXPECT_FALSE(other->hasFocus());
}

TEST_F(WEditKeys, ShortcutOverrideLeavesWindowKeysToTheWindow) {
    auto overridden = [&](Qt::Key key, Qt::KeyboardModifiers mods, const QString& text = {}) {
        QKeyEvent e(QEvent::ShortcutOverride, key, mods, text);
        e.ignore();
        QApplication::sendEvent(edit.get(), &e);
        return e.isAccepted();
    };
    EXPECT_FALSE(overridden(Qt::Key_S, Qt::ControlModifier));
    EXPECT_FALSE(overridden(Qt::Key_C, Qt::ControlModifier));
    EXPECT_FALSE(overridden(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier));
    EXPECT_FALSE(overridden(Qt::Key_F9, Qt::NoModifier));
    EXPECT_TRUE(overridden(Qt::Key_Y, Qt::ControlModifier));
    EXPECT_TRUE(overridden(Qt::Key_I, Qt::ControlModifier | Qt::ShiftModifier));
    EXPECT_TRUE(overridden(Qt::Key_Insert, Qt::ShiftModifier));
    EXPECT_TRUE(overridden(Qt::Key_A, Qt::NoModifier, "a"));
}

TEST_F(WEditKeys, CaretKeptInViewAfterKeyCommands) {
    std::string text;
    for (int i = 0; i < 500; ++i) text += "line " + std::to_string(i) + "\n";
    Load(text);
    Key(Qt::Key_End, Qt::ControlModifier);
    QPoint caret = edit->CaretViewportPos();
    EXPECT_GE(caret.y(), 0);
    EXPECT_LE(caret.y() + edit->LineHeight(), edit->viewport()->height());
    EXPECT_GT(edit->Model().TopLine(), 400);
    Key(Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(edit->Model().TopLine(), 1);
}

}  // namespace
}  // namespace krq::test
