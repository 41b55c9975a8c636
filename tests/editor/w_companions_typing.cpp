// Auto-correction and word completion on a shown TKrqEdit, driven by real key and mouse events.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScreen>
#include <QTest>
#include <QVBoxLayout>
#include <memory>

#include "editor/companions/TKrqCompletionList.h"
#include "editor/companions/TKrqEditCompanions.h"
#include "editor/widget/TKrqEdit.h"
#include "platform/cp1250.h"

namespace krq {
namespace {

class Companions : public ::testing::Test {
  protected:
    void SetUp() override {
        window = std::make_unique<QWidget>();
        auto* layout = new QVBoxLayout(window.get());
        edit = new TKrqEdit(window.get());
        other = new QLineEdit(window.get());
        layout->addWidget(edit);
        layout->addWidget(other);
        window->resize(420, 300);
        window->move(40, 40);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        edit->setFocus();

        companions = std::make_unique<TKrqEditCompanions>(edit);
        std::vector<std::string> items;
        for (const char* item : {"teh;the", "a;b;c", "zle;źle", "dwa;pierwszy", "dwa;drugi"})
            items.push_back(cp1250::FromUtf8(item));
        companions->AutoCorrect().SetItems(std::move(items));
        companions->Proposal().SetItemList({"Kolor", "klasa", "klucz"});
        companions->SetAutoCorrectOn(true);
        companions->SetProposalOn(true);
    }
    void TearDown() override {
        companions.reset();  // before the edit, whose model the companions use
        window.reset();
    }

    void Type(const char* ascii) { QTest::keyClicks(edit, ascii); }
    // A character QTest cannot spell as Latin-1, sent as a keyboard layout would.
    void TypeUnicode(const QString& text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text);
        QApplication::sendEvent(edit, &press);
    }
    void Key(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTest::keyClick(edit, key, mods);
    }
    void CtrlSpace() { Key(Qt::Key_Space, Qt::ControlModifier); }
    void Load(const std::string& utf8, TBufferCoord caret) {
        edit->Model().Lines().LoadFromBytes(cp1250::FromUtf8(utf8));
        edit->Model().SetCaretXY(caret);
    }
    std::string Text() const { return cp1250::ToUtf8(edit->Model().Text()); }
    TKrqCompletionList* List() const { return companions->List(); }
    bool ListShown() const { return List() && List()->isVisible(); }

    std::unique_ptr<QWidget> window;
    TKrqEdit* edit = nullptr;
    QLineEdit* other = nullptr;
    std::unique_ptr<TKrqEditCompanions> companions;
};

// --- Auto-correction --------------------------------------------------------------------------

TEST_F(Companions, CorrectionFollowsTheCaseOfTheWordAsTyped) {
    const std::pair<const char*, const char*> cases[] = {
        {"teh x", "the x"}, {"Teh x", "The x"}, {"TEH x", "THE x"}, {"tEh x", "the x"}};
    for (const auto& [typed, expected] : cases) {
        Load("", {1, 1});
        Type(typed);
        EXPECT_EQ(Text(), expected) << typed;
    }
    // First-capital raises only a-z, so the accented correction keeps its small letter.
    Load("", {1, 1});
    Type("Zle x");
    EXPECT_EQ(Text(), "źle x");
}

TEST_F(Companions, OnlyAFinishedWholeWordIsCorrected) {
    Load("", {1, 1});
    Type("teh.");
    EXPECT_EQ(Text(), "the.");
    Load("", {1, 1});
    Type("teh");
    Key(Qt::Key_Return);
    EXPECT_EQ(Text(), "the\r\n");
    Load("", {1, 1});
    Type("teh1 tehx xteh (teh x");
    EXPECT_EQ(Text(), "teh1 tehx xteh (teh x");
}

TEST_F(Companions, TheListedWordEndsAtTheLastSeparatorAndTheFirstItemWins) {
    Load("", {1, 1});
    Type("a;b x");
    EXPECT_EQ(Text(), "c x");
    Load("", {1, 1});
    Type("dwa x");
    EXPECT_EQ(Text(), "pierwszy x");
}

TEST_F(Companions, UndoTakesTheTriggerFirstAndThenTheCorrection) {
    // Before other text, so the space is not a trailing blank the editor trims.
    Load(" reszta", {1, 1});
    Type("teh ");
    ASSERT_EQ(Text(), "the  reszta");
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Text(), "the reszta");
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Text(), "teh reszta");
}

TEST_F(Companions, SwitchedOffNothingIsCorrectedOrOpened) {
    companions->SetAutoCorrectOn(false);
    companions->SetProposalOn(false);
    Load("", {1, 1});
    Type("teh kl");
    CtrlSpace();
    EXPECT_EQ(Text(), "teh kl");
    EXPECT_FALSE(ListShown());
}

// --- Word completion --------------------------------------------------------------------------

TEST_F(Companions, EmptyWordListShowsNothingAndTypesNothing) {
    companions->Proposal().SetItemList({});
    Load("ab", {3, 1});
    CtrlSpace();
    EXPECT_EQ(Text(), "ab");
    EXPECT_FALSE(ListShown());
    EXPECT_FALSE(companions->Proposal().IsOpen());
}

TEST_F(Companions, PrefixSelectsTheFirstMatchingWordInTheShownList) {
    Load("", {1, 1});
    Type("kl");
    CtrlSpace();
    ASSERT_TRUE(ListShown());
    EXPECT_EQ(Text(), "kl");  // the space of Ctrl+Space is not typed
    EXPECT_TRUE(edit->hasFocus());
    EXPECT_EQ(companions->Proposal().SelectedRow(), 1);
    EXPECT_EQ(List()->width(), 260);

    // The selected row is drawn on sky blue, the others are not.
    QImage shot = List()->grab().toImage();
    QPoint inRow1 = List()->RowRect(1).topRight() + QPoint(-3, 2);
    QPoint inRow0 = List()->RowRect(0).topRight() + QPoint(-3, 2);
    EXPECT_EQ(shot.pixel(inRow1), TKrqCompletionList::kSelectColor);
    EXPECT_NE(shot.pixel(inRow0), TKrqCompletionList::kSelectColor);

    Type("u");
    EXPECT_EQ(companions->Proposal().SelectedRow(), 2);
    Key(Qt::Key_Return);
    EXPECT_EQ(Text(), "klucz");
    EXPECT_FALSE(ListShown());
}

TEST_F(Companions, EnterInsideAWordReplacesTheRestOfItToo) {
    Load("klXYZ reszta", {3, 1});
    CtrlSpace();
    Key(Qt::Key_Return);
    EXPECT_EQ(Text(), "klasa reszta");
    EXPECT_EQ(edit->Model().CaretXY(), (TBufferCoord{6, 1}));
    // The replacement is one undo step.
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Text(), "klXYZ reszta");
}

TEST_F(Companions, AnAccentedLetterIsTypedAndClosesTheList) {
    Load("", {1, 1});
    Type("kl");
    CtrlSpace();
    ASSERT_TRUE(ListShown());
    TypeUnicode(QStringLiteral("ą"));
    EXPECT_EQ(Text(), "klą");
    EXPECT_FALSE(ListShown());
}

TEST_F(Companions, AFullStopCompletesAndOpensTheListAgain) {
    Load("", {1, 1});
    Type("kl");
    CtrlSpace();
    Type(".");
    EXPECT_EQ(Text(), "klasa.");
    EXPECT_TRUE(ListShown());
    EXPECT_EQ(companions->Proposal().StartColumn(), 7);
    Key(Qt::Key_Escape);
    EXPECT_FALSE(ListShown());
    EXPECT_EQ(Text(), "klasa.");
}

TEST_F(Companions, ClickingARowCompletesWithItAndTheEditKeepsTheKeys) {
    Load("k", {2, 1});
    CtrlSpace();
    ASSERT_TRUE(ListShown());
    QTest::mouseClick(List(), Qt::LeftButton, {}, List()->RowRect(2).center());
    EXPECT_EQ(Text(), "klucz");
    EXPECT_FALSE(ListShown());
    EXPECT_TRUE(edit->hasFocus());
    Type("!");
    EXPECT_EQ(Text(), "klucz!");
}

TEST_F(Companions, LosingTheFocusClosesTheListAndChangesNothing) {
    Load("kl", {3, 1});
    CtrlSpace();
    ASSERT_TRUE(ListShown());
    other->setFocus();
    ASSERT_TRUE(other->hasFocus());
    EXPECT_FALSE(ListShown());
    EXPECT_FALSE(companions->Proposal().IsOpen());
    EXPECT_EQ(Text(), "kl");
}

TEST_F(Companions, SwitchingCompletionOffClosesAnOpenList) {
    Load("kl", {3, 1});
    CtrlSpace();
    ASSERT_TRUE(ListShown());
    companions->SetProposalOn(false);
    EXPECT_FALSE(ListShown());
}

TEST_F(Companions, TheListOpensUnderTheCaretAndStaysOnTheScreen) {
    const QRect area = edit->screen()->availableGeometry();
    Load(std::string(30, 'x') + " kl", {34, 1});
    // Room below and to the right: one line under the caret, at its left edge.
    window->move(area.left() + 10, area.top() + 10);
    CtrlSpace();
    ASSERT_TRUE(ListShown());
    QPoint caret = edit->CaretScreenPos();
    EXPECT_EQ(List()->pos(), caret + QPoint(0, edit->LineHeight()));
    Key(Qt::Key_Escape);

    // Near the bottom right corner: left of the caret and above its line, 2 pixels clear.
    window->move(area.right() - window->width(), area.bottom() - 120);
    CtrlSpace();
    ASSERT_TRUE(ListShown());
    caret = edit->CaretScreenPos();
    QRect list = List()->geometry();
    ASSERT_GT(caret.x() + 260, area.right());
    EXPECT_EQ(list.left(), caret.x() - 260);
    EXPECT_EQ(list.bottom() + 1, caret.y() - 2);
    EXPECT_TRUE(area.contains(list));
}

}  // namespace
}  // namespace krq
