// The entity picker, opened from Konwersja > Wstaw > Znak encji: its list, the preview and
// "Wstaw" into the main window's document while it stays open.
#include <QGroupBox>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QTreeWidget>

#include "editing/EditingFixture.h"
#include "editing/frEncions.h"

namespace krq::test {
namespace {

using EncionsTest = EditingTest;

// Whether the label draws anything: an accelerator mark alone would leave it blank.
bool DrawsSomething(QLabel* label) {
    QImage image = label->grab().toImage();
    const QRgb background = image.pixel(0, 0);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != background) return true;
    return false;
}

void Select(TfrmEncions& w, int row) {
    QTreeWidgetItem* item = w.mncListView->topLevelItem(row);
    w.mncListView->setCurrentItem(item);
    QTest::mouseClick(w.mncListView->viewport(), Qt::LeftButton, {},
                      w.mncListView->visualItemRect(item).center());
}

TEST_F(EncionsTest, ListsTheWholeTableWithNothingSelected) {
    Create();
    bool shown = false;
    WhenShown<TfrmEncions>([&](TfrmEncions& w) {
        shown = true;
        EXPECT_EQ(w.windowTitle(), "Wstaw znak encji...");
        EXPECT_TRUE(w.isModal());
        EXPECT_EQ(w.size(), QSize(335, 350));
        QTreeWidget* list = w.mncListView;
        ASSERT_EQ(list->topLevelItemCount(), 86);
        EXPECT_EQ(list->headerItem()->text(0), Utf("Wygląd"));
        EXPECT_EQ(list->headerItem()->text(1), "Encja");
        EXPECT_EQ(list->columnWidth(0), 95);
        EXPECT_EQ(list->columnWidth(1), 120);
        EXPECT_TRUE(list->selectedItems().isEmpty());
        EXPECT_EQ(list->topLevelItem(0)->text(0), "&");
        EXPECT_EQ(list->topLevelItem(0)->text(1), "&amp;");
        EXPECT_EQ(list->topLevelItem(85)->text(0), Utf("™"));
        EXPECT_EQ(list->topLevelItem(85)->text(1), "&#8482;");
        // E0 twice: the named entity in row 4 and the numeric one in row 51.
        EXPECT_EQ(list->topLevelItem(3)->text(0), Utf("ŕ"));
        EXPECT_EQ(list->topLevelItem(3)->text(1), "&agrave;");
        EXPECT_EQ(list->topLevelItem(50)->text(0), Utf("ŕ"));
        EXPECT_EQ(list->topLevelItem(50)->text(1), "&#224;");
        // With nothing selected, Wstaw and the preview do nothing.
        w.btnInsert->click();
        EXPECT_TRUE(w.lblEncion->text().isEmpty());
        w.btnClose->click();
        EXPECT_FALSE(w.isVisible());
    });
    Item("mnsConvertAddEncion")->trigger();
    EXPECT_TRUE(shown);
    EXPECT_EQ(Model().Text(), "");
}

TEST_F(EncionsTest, TheAmpersandRowShowsARealAmpersand) {
    Create();
    WhenShown<TfrmEncions>([&](TfrmEncions& w) {
        Select(w, 0);
        EXPECT_EQ(w.lblEncion->text(), "&");
        EXPECT_EQ(w.lblEncionDesc->text(), "&amp;");
        EXPECT_TRUE(DrawsSomething(w.lblEncion));
        EXPECT_EQ(w.lblEncion->font().pixelSize(), 48);
        EXPECT_TRUE(w.lblEncion->font().bold());
        EXPECT_EQ(w.lblEncionDesc->font().pixelSize(), 11);
        EXPECT_EQ(w.lblEncionDesc->palette().color(QPalette::WindowText), QColor(0, 128, 0));
        w.close();
    });
    Item("mnsConvertAddEncion")->trigger();
}

TEST_F(EncionsTest, ArrowKeysUpdateThePreviewAndWstawInsertsTheCodeWhileTheWindowStays) {
    TfrmMain& main = Create();
    Type("<>");
    Model().SetCaretXY({2, 1});
    WhenShown<TfrmEncions>([&](TfrmEncions& w) {
        Select(w, 2);
        const QString third = w.mncListView->topLevelItem(2)->text(1);
        EXPECT_EQ(w.lblEncionDesc->text(), third);
        QTest::keyClick(w.mncListView, Qt::Key_Down);  // press and release
        EXPECT_EQ(w.lblEncionDesc->text(), "&agrave;");
        EXPECT_EQ(w.lblEncion->text(), Utf("ŕ"));
        w.btnInsert->click();
        w.btnInsert->click();
        EXPECT_TRUE(w.isVisible());
        EXPECT_EQ(Model().Text(), "<&agrave;&agrave;>");
        // Enter presses nothing; a double click inserts.
        QTest::keyClick(w.mncListView, Qt::Key_Return);
        EXPECT_EQ(Model().Text(), "<&agrave;&agrave;>");
        QTreeWidgetItem* last = w.mncListView->topLevelItem(85);
        w.mncListView->scrollToItem(last);
        const QPoint at = w.mncListView->visualItemRect(last).center();
        QTest::mouseClick(w.mncListView->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(w.mncListView->viewport(), Qt::LeftButton, {}, at);
        EXPECT_EQ(Model().Text(), "<&agrave;&agrave;&#8482;>");
        EXPECT_TRUE(w.isVisible());
        w.close();
    });
    Item("mnsConvertAddEncion")->trigger();
    EXPECT_EQ(Panel(0), "Gotowy (modyfikowany)");
    // Each insertion was one step.
    main.ctxEditUndoExecute();
    EXPECT_EQ(Model().Text(), "<&agrave;&agrave;>");
}

}  // namespace
}  // namespace krq::test
