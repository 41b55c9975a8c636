// Documents in UTF-8 and ISO-8859-2: opened into Windows-1250 bytes, edited and converted as any
// other, written back in their own encoding.
#include <tuple>

#include "app/MainWindowFixture.h"

namespace krq::test {
namespace {

using EncodingTest = MainWindowTest;

const std::string kZazolc = "za\xC5\xBC\xC3\xB3\xC5\x82\xC4\x87";  // "zażółć" in UTF-8
const std::string kBom = "\xEF\xBB\xBF";

// Opens through the Open dialog, as a user does.
void OpenThroughDialog(EncodingTest& t, TScriptedDialogs& dialogs, TfrmMain& w, const QString& p) {
    (void)t;
    dialogs.OpenAnswers = {{p}};
    w.ctxFileOpenExecute();
}

TEST_F(EncodingTest, UnchangedDocumentsAreSavedByteForByte) {
    TfrmMain& w = Create();
    for (std::string mark : {std::string(), kBom}) {
        for (std::string text : {kZazolc + "\r\n" + kZazolc + "\r\n", kZazolc + "\n" + kZazolc,
                                 kZazolc + "\r" + kZazolc + "\r", kZazolc + "\n\n"}) {
            WriteFile(Path("u.txt"), mark + text);
            OpenThroughDialog(*this, dialogs, w, QPath("u.txt"));
            ASSERT_TRUE(dialogs.Messages.empty());
            EXPECT_EQ(Panel(6), mark.empty() ? "UTF-8" : "UTF-8 BOM");
            EXPECT_EQ(Model().Lines()[0], cp1250::FromUtf8("zażółć"));
            // Save copy writes the unchanged document; the copy must equal the file.
            w.ctxFileSaveCopyExecute();
            EXPECT_EQ(ReadFile(Path("u_kopia.txt")), mark + text);
            dialogs.Messages.clear();
        }
    }
}

TEST_F(EncodingTest, EditedConvertedAndUndoneUtf8DocumentIsSavedAsUtf8) {
    TfrmMain& w = Create();
    WriteFile(Path("u.txt"), kZazolc + "\n");
    OpenThroughDialog(*this, dialogs, w, QPath("u.txt"));
    Model().SetCaretXY({1, 1});
    Type("ą ");
    PressShortcut("mnsConvertCharSizeBigChar");
    EXPECT_EQ(Model().Text(), cp1250::FromUtf8("Ą ZAŻÓŁĆ"));
    w.ctxFileSaveExecute();
    EXPECT_EQ(ReadFile(Path("u.txt")), "\xC4\x84 ZA\xC5\xBB\xC3\x93\xC5\x81\xC4\x86\n");
    PressShortcut("mnsEditUndo");
    EXPECT_EQ(Model().Text(), cp1250::FromUtf8("ą zażółć"));
    w.ctxFileSaveExecute();
    EXPECT_EQ(ReadFile(Path("u.txt")), "\xC4\x85 " + kZazolc + "\n");
    EXPECT_EQ(Panel(6), "UTF-8");
}

TEST_F(EncodingTest, CharactersOutsideWindows1250OpenUnconvertedWithAMessage) {
    TfrmMain& w = Create();
    // Polish letters, Cyrillic "Ж" and an emoji, no final break.
    const std::string file = kZazolc + " \xD0\x96\r\n\xF0\x9F\x98\x80";
    WriteFile(Path("mixed.txt"), file);
    OpenThroughDialog(*this, dialogs, w, QPath("mixed.txt"));
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_TRUE(dialogs.Messages[0].Text.contains(Utf("liczba takich znaków: 2")));
    EXPECT_TRUE(dialogs.Messages[0].Text.contains("mixed.txt"));
    EXPECT_EQ(Panel(6), "Windows-1250");
    EXPECT_EQ(Model().Lines()[0], kZazolc + " \xD0\x96");
    EXPECT_FALSE(w.Modified());
    // As any Windows-1250 document, it is written with a final break.
    w.ctxFileSaveCopyExecute();
    EXPECT_EQ(ReadFile(Path("mixed_kopia.txt")), file + "\r\n");
}

TEST_F(EncodingTest, InvalidUtf8AndPlainAsciiOpenAsWindows1250) {
    TfrmMain& w = Create();
    OpenFile("bad.txt", "za\xBF\xF3\xB3\xE6 \xC5\xBC\xFF\r\n");
    EXPECT_TRUE(dialogs.Messages.empty());
    EXPECT_EQ(Panel(6), "Windows-1250");
    EXPECT_EQ(Model().Lines()[0], "za\xBF\xF3\xB3\xE6 \xC5\xBC\xFF");
    OpenFile("plain.txt", "abc\r\n");
    EXPECT_EQ(Panel(6), "Windows-1250");
    w.ctxFileNewExecute();
    EXPECT_EQ(Panel(6), "Windows-1250");
}

TEST_F(EncodingTest, ReopeningAsIso88592TurnsTheBytesIntoPolishLetters) {
    TfrmMain& w = Create();
    OpenFile("iso.txt", "\xB1\xB6\xBC\r\n");
    EXPECT_EQ(Model().Lines()[0], cp1250::FromUtf8("±¶Ľ"));
    w.prcFileOpen(QPath("iso.txt"), TDocEncoding::Iso88592);
    EXPECT_EQ(Model().Lines()[0], cp1250::FromUtf8("ąśź"));
    EXPECT_EQ(Panel(6), "ISO-8859-2");
    Type("Ż");
    w.ctxFileSaveExecute();
    EXPECT_EQ(ReadFile(Path("iso.txt")), "\xAF\xB1\xB6\xBC\r\n");
}

TEST_F(EncodingTest, ADocumentTheEncodingCannotHoldIsNeverWritten) {
    TfrmMain& w = Create();
    OpenFile("iso.txt", "abc\r\n");
    w.prcFileOpen(QPath("iso.txt"), TDocEncoding::Iso88592);
    Type("„€");
    w.RunCommand([&] { w.ctxFileSaveExecute(); });
    EXPECT_EQ(ReadFile(Path("iso.txt")), "abc\r\n");
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_TRUE(dialogs.Messages[0].Text.contains("Cannot encode 2 characters"));
    EXPECT_TRUE(w.Modified());
}

// Plik > Kodowanie: reopening asks about changes first; Save as writes in the chosen encoding.
TEST_F(EncodingTest, TheEncodingMenuReopensAndSavesInAChosenEncoding) {
    TfrmMain& w = Create();
    w.mnsFileClick();
    EXPECT_FALSE(w.findChild<QMenu*>("mnsFileReopenAs")->menuAction()->isEnabled());
    OpenFile("iso.txt", "\xB1\xB6\xBC\n");
    Type("x");
    dialogs.MessageAnswers = {TMsgResult::No};
    Item("mnsFileReopenAsISO88592")->trigger();
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_TRUE(dialogs.Messages[0].Text.contains(Utf("został zmieniony")));
    EXPECT_EQ(Model().Text(), cp1250::FromUtf8("ąśź"));
    EXPECT_EQ(Panel(6), "ISO-8859-2");

    for (auto [item, bytes, panel] :
         {std::tuple{"mnsFileSaveAsUTF8BOM", kBom + "\xC4\x85\xC5\x9B\xC5\xBA\n", "UTF-8 BOM"},
          std::tuple{"mnsFileSaveAsUTF8", std::string("\xC4\x85\xC5\x9B\xC5\xBA\n"), "UTF-8"},
          std::tuple{"mnsFileSaveAsWindows1250", std::string("\xB9\x9C\x9F\n"), "Windows-1250"},
          std::tuple{"mnsFileSaveAsISO88592", std::string("\xB1\xB6\xBC\n"), "ISO-8859-2"}}) {
        dialogs.SaveAnswers = {QPath(std::string(item) + ".txt")};
        Item(item)->trigger();
        EXPECT_EQ(ReadFile(Path(std::string(item) + ".txt")), bytes) << item;
        EXPECT_EQ(Panel(6), panel);
    }
    // A cancelled dialog keeps the encoding.
    dialogs.SaveAnswers = {""};
    Item("mnsFileSaveAsUTF8")->trigger();
    EXPECT_EQ(Panel(6), "ISO-8859-2");
}

}  // namespace
}  // namespace krq::test
