// The Qt side of the dialogs interface: filter conversion and the font dialog's size range.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QListWidget>

#include "platform/dialogs.h"
#include "platform/fontdialog.h"

using namespace krq;

TEST(Dialogs, WindowsFiltersBecomeQtFilters) {
    EXPECT_EQ(
        QtFilters("Dokumenty tekstowe (*.txt)|*.txt|HTML (*.htm,*.html)|*.htm;*.html|"),
        (QStringList{"Dokumenty tekstowe (*.txt) (*.txt)", "HTML (*.htm,*.html) (*.htm *.html)"}));
    EXPECT_TRUE(QtFilters("").isEmpty());
}

TEST(FontDialog, OffersExactlyTheSizesOfItsRangeAndKeepsTheStyle) {
    QFont initial("DejaVu Sans Mono", 12);
    initial.setItalic(true);
    TKrqFontDialog dialog(nullptr, initial, 6, 20);
    auto* sizes = dialog.findChild<QListWidget*>();
    ASSERT_NE(sizes, nullptr);
    ASSERT_EQ(sizes->count(), 15);
    EXPECT_EQ(sizes->item(0)->text(), "6");
    EXPECT_EQ(sizes->item(14)->text(), "20");
    QFont chosen = dialog.SelectedFont();
    EXPECT_EQ(chosen.pointSize(), 12);
    EXPECT_TRUE(chosen.italic());
    EXPECT_FALSE(chosen.bold());
    // A stored size outside the range is not offered; the dialog starts on the smallest.
    TKrqFontDialog big(nullptr, QFont("DejaVu Sans Mono", 48), 6, 20);
    EXPECT_EQ(big.SelectedFont().pointSize(), 6);
}
