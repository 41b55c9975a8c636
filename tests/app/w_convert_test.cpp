// Conversion commands: every item on the whole text, on a selection and on a column block,
// each undone in one step.
#include <QTest>

#include "app/MainWindowFixture.h"
#include "convert/unBase.h"

namespace krq::test {
namespace {

using ConvertTest = MainWindowTest;

// A text on which every conversion changes something.
const char* const kSample =
    "<p>Zażółć  gęślą JAŹŃ &amp; 12, Windows-1250 iso-8859-2</p>\r\n\r\nala MA kota 3!\r\nkoniec";

std::vector<QAction*> ConversionItems(TfrmMain& w) {
    std::vector<QAction*> items(20, nullptr);
    for (QAction* item : w.findChildren<QAction*>())
        if (item->property("Tag").isValid()) items[item->property("Tag").toInt()] = item;
    return items;
}

TEST_F(ConvertTest, EveryItemConvertsTheWholeTextAndUndoesInOneStep) {
    TfrmMain& w = Create();
    const std::string original = cp1250::FromUtf8(kSample);
    auto items = ConversionItems(w);
    for (int code = 1; code <= 19; ++code) {
        SCOPED_TRACE(code);
        ASSERT_NE(items[code], nullptr);
        w.prcFileNew();
        Model().SetSelectedText(original);
        Model().SetCaretXY({1, 1});
        items[code]->trigger();
        EXPECT_EQ(Model().Text(), fncConvert(code, original));
        EXPECT_FALSE(Model().SelAvail());
        EXPECT_EQ(Panel(0), "Gotowy (modyfikowany)");
        Model().Undo();
        EXPECT_EQ(Model().Text(), original);
    }
}

TEST_F(ConvertTest, OnlyTheSelectionIsConverted) {
    TfrmMain& w = Create();
    OpenFile("a.txt", "ala ma kota\r\ndrugi wiersz\r\n");
    Model().SetSelection({5, 1}, {5, 2});
    w.findChild<QAction*>("mnsConvertCharSizeBigChar")->trigger();
    EXPECT_EQ(Model().Text(), "ala MA KOTA\r\nDRUGi wiersz");
    // The function sees only the selection: the first letter of it is raised mid-word.
    Model().SetSelection({8, 2}, {13, 2});
    w.prcConvert(6);
    EXPECT_EQ(Model().Text(), "ala MA KOTA\r\nDRUGi wIersz");
    Model().Undo();
    EXPECT_EQ(Model().Text(), "ala MA KOTA\r\nDRUGi wiersz");
    Model().Undo();
    EXPECT_EQ(Model().Text(), "ala ma kota\r\ndrugi wiersz");
}

TEST_F(ConvertTest, ColumnBlockIsConvertedAsABlock) {
    TfrmMain& w = Create();
    OpenFile("a.txt", "abcdef\r\nghijkl\r\nmnopqr\r\n");
    w.mnsViewBlock->trigger();
    Model().SetSelection({2, 1}, {4, 3});
    w.prcConvert(5);
    EXPECT_EQ(Model().Text(), "aBCdef\r\ngHIjkl\r\nmNOpqr");
    w.ctxEditUndoExecute();
    EXPECT_EQ(Model().Text(), "abcdef\r\nghijkl\r\nmnopqr");
    Model().SetSelection({2, 1}, {4, 2});
    w.prcConvert(19);
    EXPECT_EQ(Model().Text(), "aopdef\r\nguvjkl\r\nmnopqr");
}

TEST_F(ConvertTest, EmptyDocumentIsLeftAloneWithoutAnUndoStep) {
    TfrmMain& w = Create();
    for (int code = 1; code <= 19; ++code) w.prcConvert(code);
    EXPECT_EQ(Model().Text(), "");
    EXPECT_FALSE(Model().CanUndo());
    EXPECT_FALSE(w.Modified());
}

TEST_F(ConvertTest, FunctionKeysRunTheirConversions) {
    Create();
    const std::pair<const char*, const char*> keys[] = {{"mnsConvertCharSizeLittleChar", "F7"},
                                                        {"mnsConvertCharSizeBigChar", "F8"},
                                                        {"mnsConvertCodersRot13", "F9"},
                                                        {"mnsConvertISOCode", "F11"},
                                                        {"mnsConvertWinCode", "F12"}};
    for (auto [item, key] : keys) {
        auto* shortcut = frm->findChild<QShortcut*>(QString("key_") + item);
        ASSERT_NE(shortcut, nullptr) << item;
        EXPECT_EQ(shortcut->key(), QKeySequence(key)) << item;
        EXPECT_TRUE(Item(item)->text().endsWith('\t' + QKeySequence(key).toString())) << item;
    }
    const std::string text = cp1250::FromUtf8("Ala ŚĄ");
    Model().SetSelectedText(text);
    PressShortcut("mnsConvertCharSizeBigChar");
    EXPECT_EQ(Model().Text(), cp1250::FromUtf8("ALA ŚĄ"));
    PressShortcut("mnsConvertCharSizeLittleChar");
    EXPECT_EQ(Model().Text(), cp1250::FromUtf8("ala śą"));
    PressShortcut("mnsConvertCodersRot13");
    EXPECT_EQ(Model().Text(), cp1250::FromUtf8("nyn śą"));
    PressShortcut("mnsConvertISOCode");
    PressShortcut("mnsConvertWinCode");
    EXPECT_EQ(Model().Text(), cp1250::FromUtf8("nyn śą"));
}

// A real key press on the shown window reaches the same dispatcher.
TEST_F(ConvertTest, KeyPressOnTheWindowRunsTheConversion) {
    TfrmMain& w = Create();
    w.show();
    w.activateWindow();
    QCoreApplication::processEvents();
    if (QApplication::activeWindow() != &w) GTEST_SKIP() << "the window could not be activated";
    Model().SetSelectedText("abc");
    QTest::keyClick(&w, Qt::Key_F8);
    EXPECT_EQ(Model().Text(), "ABC");
    QTest::keyClick(&w, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Model().Text(), "abc");
}

}  // namespace
}  // namespace krq::test
