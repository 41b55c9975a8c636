// The insert commands of Konwersja > Wstaw: text from a file, an HTML colour, the date and the
// time, each replacing the selection as one undo step.
#include <QDate>
#include <QLocale>
#include <QTime>

#include "editing/EditingFixture.h"

namespace krq::test {
namespace {

class InsertTest : public EditingTest {
  protected:
    // Chooses `name` (or cancels, for "") in the file dialog of "Tekst z pliku".
    void AddTextFrom(const std::string& name) {
        dialogs.OpenAnswers.push_back(name.empty() ? QStringList() : QStringList{QPath(name)});
        Item("mnsConvertAddText")->trigger();
    }
    void AddColor(std::optional<QColor> color) {
        dialogs.ColorAnswers.push_back(color);
        Item("mnsConvertAddHTMLColor")->trigger();
    }
};

TEST_F(InsertTest, TextFromAFileEndsEveryLineWithCrLf) {
    TfrmMain& w = Create();
    WriteFile(Path("three.txt"), "jeden\r\ndwa\rtrzy");
    WriteFile(Path("lf.txt"), "a\nb\n\nc\n");
    Type("[]");
    Model().SetCaretXY({2, 1});
    AddTextFrom("three.txt");
    EXPECT_EQ(Model().Text(), "[jeden\r\ndwa\r\ntrzy\r\n]");
    ASSERT_EQ(dialogs.OpenRequests.size(), 1u);
    EXPECT_EQ(dialogs.OpenRequests[0].Filter, w.dlgFileOpen_Additional.Filter);
    EXPECT_FALSE(dialogs.OpenRequests[0].Filter.isEmpty());
    PressShortcut("mnsEditUndo");
    EXPECT_EQ(Model().Text(), "[]");

    Model().SetSelection({1, 1}, {3, 1});
    AddTextFrom("lf.txt");
    EXPECT_EQ(Model().Text(), "a\r\nb\r\n\r\nc\r\n");
    EXPECT_EQ(Panel(0), "Gotowy (modyfikowany)");
}

TEST_F(InsertTest, AnEmptyFileOnlyRemovesTheSelectionAndCancelInsertsNothing) {
    Create();
    WriteFile(Path("empty.txt"), "");
    Type("abcdef");
    Model().SetSelection({2, 1}, {4, 1});
    AddTextFrom("empty.txt");
    EXPECT_EQ(Model().Text(), "adef");
    AddTextFrom("");
    EXPECT_EQ(Model().Text(), "adef");
    EXPECT_EQ(dialogs.OpenRequests.size(), 2u);
    // Windows-1250 bytes go in as they are.
    WriteFile(Path("pl.txt"), cp1250::FromUtf8("żółć"));
    AddTextFrom("pl.txt");
    EXPECT_EQ(cp1250::ToUtf8(Model().Text()), "ażółć\r\ndef");
}

TEST_F(InsertTest, AFileThatCannotBeReadIsReportedAndNothingIsInserted) {
    TfrmMain& w = Create();
    Type("x");
    AddTextFrom("missing.txt");
    EXPECT_EQ(Model().Text(), "x");
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_EQ(LastMessage(),
              QString::fromStdString("Cannot open file " + Path("missing.txt") + "."));
    EXPECT_EQ(dialogs.Messages[0].Icon, TMsgIcon::Stop);
    EXPECT_EQ(dialogs.Messages[0].Caption, w.ApplicationTitle());
}

TEST_F(InsertTest, HtmlColourPutsRedFirstAndTheDialogOpensWithTheLastColour) {
    Create();
    AddColor(QColor(255, 255, 255));
    AddColor(QColor(0, 0, 0));
    AddColor(QColor(0x12, 0x34, 0x56));
    AddColor(QColor(255, 0, 0));
    AddColor(std::nullopt);
    EXPECT_EQ(Model().Text(), "#FFFFFF#000000#123456#FF0000");
    ASSERT_EQ(dialogs.ColorInitials.size(), 5u);
    EXPECT_EQ(dialogs.ColorInitials[0], QColor(Qt::black));
    EXPECT_EQ(dialogs.ColorInitials[1], QColor(255, 255, 255));
    EXPECT_EQ(dialogs.ColorInitials[3], QColor(0x12, 0x34, 0x56));
    // A cancel keeps the colour chosen last.
    AddColor(std::nullopt);
    EXPECT_EQ(dialogs.ColorInitials[5], QColor(255, 0, 0));
    Model().SetSelection({1, 1}, {8, 1});
    AddColor(QColor(0xAB, 0xCD, 0xEF));
    EXPECT_EQ(Model().Text(), "#ABCDEF#000000#123456#FF0000");
    Model().Undo();
    EXPECT_EQ(Model().Text(), "#FFFFFF#000000#123456#FF0000");
}

TEST_F(InsertTest, DateAndTimeFollowTheUsersFormats) {
    Create();
    auto date = [] {
        return cp1250::FromUtf8(
            QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat).toStdString());
    };
    auto time = [] {
        return cp1250::FromUtf8(
            QLocale::system().toString(QTime::currentTime(), QLocale::LongFormat).toStdString());
    };
    const std::string dateBefore = date();
    Item("mnsConvertAddDate")->trigger();
    const std::string dateAfter = date();
    const std::string inserted = Model().Text();
    EXPECT_TRUE(inserted == dateBefore || inserted == dateAfter) << inserted;
    EXPECT_FALSE(inserted.empty());

    Model().SelectAll();
    const std::string timeBefore = time();
    Item("mnsConvertAddHour")->trigger();
    const std::string timeAfter = time();
    const std::string hour = Model().Text();
    EXPECT_TRUE(hour == timeBefore || hour == timeAfter) << hour;
    Model().Undo();
    EXPECT_EQ(Model().Text(), inserted);
}

}  // namespace
}  // namespace krq::test
