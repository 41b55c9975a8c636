// The pages "Lista słówek" and "Autokorekta" as the user works them, and what OK writes.
#include "editor/companions/TKrqAutoCorrect.h"
#include "editor/companions/TKrqCompletionProposal.h"
#include "settings/OptionsFixture.h"

namespace krq::test {
namespace {

using OptionsWordListsTest = OptionsTest;

void TypeInto(QLineEdit* field, const char* text) {
    field->setFocus();
    field->setText(Utf(text));
}

// Types into a grid cell through its editor, as a user does.
void TypeCell(TfrmOptions& w, int row, int column, const char* text) {
    QTableWidget* grid = w.lstAutocorrect;
    w.pcpOptions->setCurrentWidget(w.pcpAutoCorrect);
    grid->setFocus();
    grid->setCurrentCell(row, column);
    grid->editItem(grid->item(row, column));
    QLineEdit* editor = nullptr;
    for (QLineEdit* candidate : grid->findChildren<QLineEdit*>())
        if (candidate->isVisible()) editor = candidate;
    ASSERT_NE(editor, nullptr);
    editor->setText(Utf(text));
    QTest::keyClick(editor, Qt::Key_Return);
    // The delegate commits a Return through a queued call.
    QApplication::processEvents();
}

TEST_F(OptionsWordListsTest, AddingRefusesWhatIsThereInAnyCaseAndTakesTheTextAsTyped) {
    WriteFile(Path("data/proposal.dat"), cp1250::FromUtf8("tekst\r\nżółw\r\n"));
    TfrmMain& main = Create();
    Options([](TfrmOptions& w) {
        EXPECT_EQ(w.lbl_11->text(), Utf("Ilość słówek: 2"));
        TypeInto(w.edtNewProposal, "Tekst");
        KeyClick(w.edtNewProposal, Qt::Key_Return);
        EXPECT_EQ(w.lsbListProposal->count(), 2);
        EXPECT_EQ(w.edtNewProposal->text(), "Tekst");
        // Polish letters fold by the code page's pairs.
        TypeInto(w.edtNewProposal, "ŻÓŁW");
        w.btnAddProposal->click();
        EXPECT_EQ(w.lsbListProposal->count(), 2);
        TypeInto(w.edtNewProposal, " Tekst ");
        KeyClick(w.edtNewProposal, Qt::Key_Enter, Qt::ShiftModifier);
        EXPECT_EQ(w.lsbListProposal->count(), 3);
        EXPECT_EQ(w.lsbListProposal->item(2)->text(), " Tekst ");
        EXPECT_TRUE(w.edtNewProposal->text().isEmpty());
        EXPECT_EQ(w.lbl_11->text(), Utf("Ilość słówek: 3"));
        TypeInto(w.edtNewProposal, "Kolor");
        w.btnAddProposal->click();
        // An empty field adds nothing.
        w.btnAddProposal->click();
        EXPECT_EQ(w.lsbListProposal->count(), 4);
        EXPECT_TRUE(Ok(w));
    });
    EXPECT_EQ(Bytes("data/proposal.dat"),
              cp1250::FromUtf8("tekst\r\nżółw\r\n Tekst \r\nKolor\r\n"));
    // The completion list offers the new words at once.
    EXPECT_EQ(main.ivcKrqProposal->ItemList().size(), 4u);
    EXPECT_EQ(main.ivcKrqProposal->ItemList()[3], "Kolor");
}

TEST_F(OptionsWordListsTest, DeleteRemovesTheSelectedWordOnly) {
    WriteFile(Path("data/proposal.dat"), "div\r\nspan\r\np\r\n");
    Create();
    Options([](TfrmOptions& w) {
        w.lbl_11->setText("x");
        w.lsbListProposal->setFocus();
        KeyClick(w.lsbListProposal, Qt::Key_Delete);
        EXPECT_EQ(w.lsbListProposal->count(), 3);
        // Only the counter is rewritten, with the same number.
        EXPECT_EQ(w.lbl_11->text(), Utf("Ilość słówek: 3"));
        w.lsbListProposal->setCurrentRow(1);
        KeyClick(w.lsbListProposal, Qt::Key_Delete, Qt::ShiftModifier);
        EXPECT_EQ(w.lsbListProposal->count(), 2);
        EXPECT_EQ(w.lsbListProposal->item(1)->text(), "p");
        EXPECT_EQ(w.lbl_11->text(), Utf("Ilość słówek: 2"));
        EXPECT_TRUE(Ok(w));
    });
    EXPECT_EQ(Bytes("data/proposal.dat"), "div\r\np\r\n");
}

TEST_F(OptionsWordListsTest, AnEmptyListCountsZero) {
    WriteFile(Path("data/proposal.dat"), "");
    Create();
    Options([](TfrmOptions& w) {
        EXPECT_EQ(w.lbl_11->text(), Utf("Ilość słówek: 0"));
        EXPECT_EQ(w.lsbListProposal->count(), 0);
        Cancel(w);
    });
}

TEST_F(OptionsWordListsTest, GridShowsPairsSplitAtTheFirstSeparator) {
    WriteFile(Path("data/correct.dat"), "x;y;z\r\nteh;the\r\nalone\r\n");
    Create();
    Options([](TfrmOptions& w) {
        QTableWidget* grid = w.lstAutocorrect;
        EXPECT_EQ(grid->horizontalHeaderItem(0)->text(), "Zamieniane");
        EXPECT_EQ(grid->horizontalHeaderItem(1)->text(), "Zamiana");
        EXPECT_EQ(grid->columnWidth(0), 211);
        ASSERT_EQ(grid->rowCount(), 3);
        EXPECT_EQ(grid->item(0, 0)->text(), "x");
        EXPECT_EQ(grid->item(0, 1)->text(), "y=z");
        EXPECT_EQ(grid->item(2, 0)->text(), "alone");
        EXPECT_EQ(grid->item(2, 1)->text(), "");
        Cancel(w);
    });
}

TEST_F(OptionsWordListsTest, TypedPairsAreSavedWithSemicolonsAndTheBlankRow) {
    WriteFile(Path("data/correct.dat"), "x;y;z\r\n");
    TfrmMain& main = Create();
    const auto pairsAtStart = main.ivcKrqAutoCorrect->Items();
    Options([](TfrmOptions& w) {
        QTableWidget* grid = w.lstAutocorrect;
        // Selecting a cell adds the blank row for a new pair.
        grid->setFocus();
        grid->setCurrentCell(0, 0);
        ASSERT_EQ(grid->rowCount(), 2);
        EXPECT_EQ(grid->item(1, 0)->text(), " ");
        TypeCell(w, 1, 0, "np");
        TypeCell(w, 1, 1, "na przykład");
        ASSERT_EQ(grid->rowCount(), 3);
        EXPECT_EQ(grid->item(2, 0)->text(), " ");
        TypeCell(w, 2, 0, "txt");
        TypeCell(w, 2, 1, "a=b");
        EXPECT_EQ(grid->rowCount(), 4);
        EXPECT_TRUE(Ok(w));
    });
    EXPECT_EQ(Bytes("data/correct.dat"),
              cp1250::FromUtf8("x;y;z\r\nnp;na przykład\r\ntxt;a;b\r\n ;\r\n"));
    // The running auto-correction keeps the pairs it read at start.
    EXPECT_EQ(main.ivcKrqAutoCorrect->Items(), pairsAtStart);
}

TEST_F(OptionsWordListsTest, ALeftColumnRefusesTheEqualsSign) {
    WriteFile(Path("data/correct.dat"), "teh;the\r\n");
    Create();
    Options([this](TfrmOptions& w) {
        TypeCell(w, 0, 0, "a=b");
        ASSERT_EQ(dialogs.Messages.size(), 1u);
        EXPECT_EQ(dialogs.Messages[0].Icon, TMsgIcon::Stop);
        EXPECT_EQ(w.lstAutocorrect->item(0, 0)->text(), "teh");
        EXPECT_EQ(w.AutoCorrectGrid().Line(0), "teh=the");
        EXPECT_TRUE(Ok(w));
    });
    EXPECT_EQ(Bytes("data/correct.dat"), "teh;the\r\n ;\r\n");
}

TEST_F(OptionsWordListsTest, GridKeysInsertAppendDeleteAndUndoARow) {
    WriteFile(Path("data/correct.dat"), "a;1\r\nb;2\r\n");
    Create();
    Options([](TfrmOptions& w) {
        QTableWidget* grid = w.lstAutocorrect;
        const TAutoCorrectGrid& rows = w.AutoCorrectGrid();
        grid->setFocus();
        grid->setCurrentCell(1, 0);
        ASSERT_EQ(rows.RowCount(), 3u);  // a, b and the blank row
        // Insert: an empty row at the cursor.
        KeyClick(grid, Qt::Key_Insert);
        ASSERT_EQ(rows.RowCount(), 4u);
        EXPECT_EQ(rows.Line(1), "");
        EXPECT_EQ(rows.Line(2), "b=2");
        // Not on a row whose left column is empty.
        KeyClick(grid, Qt::Key_Insert);
        EXPECT_EQ(rows.RowCount(), 4u);
        // Leaving the empty row removes it.
        grid->setCurrentCell(0, 0);
        EXPECT_EQ(rows.RowCount(), 3u);
        EXPECT_EQ(grid->rowCount(), 3);
        EXPECT_EQ(rows.Line(1), "b=2");
        // Down on the last row appends one; the blank row's left column is a space.
        grid->setCurrentCell(2, 0);
        KeyClick(grid, Qt::Key_Down);
        EXPECT_EQ(rows.RowCount(), 4u);
        EXPECT_EQ(grid->currentRow(), 3);
        KeyClick(grid, Qt::Key_Up);
        EXPECT_EQ(rows.RowCount(), 3u);
        // Ctrl+Delete deletes the current row.
        grid->setCurrentCell(0, 1);
        KeyClick(grid, Qt::Key_Delete, Qt::ControlModifier);
        EXPECT_EQ(rows.RowCount(), 2u);
        EXPECT_EQ(rows.Line(0), "b=2");
        // Esc puts the row back as it was when the cursor entered it.
        TypeCell(w, 0, 1, "zwei");
        EXPECT_EQ(rows.Line(0), "b=zwei");
        KeyClick(grid, Qt::Key_Escape);
        EXPECT_EQ(rows.Line(0), "b=2");
        EXPECT_EQ(grid->item(0, 1)->text(), "2");
        // Esc in the grid does not close the window.
        EXPECT_TRUE(w.isVisible());
        EXPECT_TRUE(Ok(w));
    });
    EXPECT_EQ(Bytes("data/correct.dat"), "b;2\r\n ;\r\n");
}

TEST_F(OptionsWordListsTest, AnEmptyGridGetsItsBlankRowWhenEntered) {
    WriteFile(Path("data/correct.dat"), "");
    Create();
    Options([](TfrmOptions& w) {
        w.pcpOptions->setCurrentWidget(w.pcpAutoCorrect);
        EXPECT_EQ(w.lstAutocorrect->rowCount(), 0);
        w.activateWindow();
        w.lstAutocorrect->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
        EXPECT_EQ(w.lstAutocorrect->rowCount(), 1);
        EXPECT_EQ(w.lstAutocorrect->currentRow(), 0);
        TypeCell(w, 0, 0, "ok");
        TypeCell(w, 0, 1, "OK");
        EXPECT_TRUE(Ok(w));
    });
    EXPECT_EQ(Bytes("data/correct.dat"), "ok;OK\r\n ;\r\n");
}

TEST_F(OptionsWordListsTest, AMissingListIsReportedTheRestFilledAndOkMakesItAnew) {
    WriteFile(IniPath(), "[View]\r\ngutter=0\r\n");
    std::filesystem::remove(Path("data/proposal.dat"));
    Create();
    dialogs.Messages.clear();
    Options([this](TfrmOptions& w) {
        ASSERT_EQ(dialogs.Messages.size(), 1u);
        EXPECT_EQ(dialogs.Messages[0].Text, "Cannot open file " + QPath("data/proposal.dat") + ".");
        // Every other control is filled all the same.
        EXPECT_FALSE(w.ckbGutter->isChecked());
        EXPECT_EQ(w.lstAutocorrect->rowCount(), 1);
        EXPECT_EQ(w.cbxMark->count(), 17);
        EXPECT_EQ(w.lbl_11->text(), Utf("Ilość słówek: 0"));
        TypeInto(w.edtNewProposal, "nowe");
        w.btnAddProposal->click();
        EXPECT_TRUE(Ok(w));
    });
    EXPECT_EQ(Bytes("data/proposal.dat"), "nowe\r\n");
    EXPECT_FALSE(Ini().ReadBool("View", "gutter", true));
}

TEST_F(OptionsWordListsTest, AListThatCannotBeReadIsNeverWrittenBack) {
    std::filesystem::remove(Path("data/correct.dat"));
    std::filesystem::create_directory(Path("data/correct.dat"));
    Create();
    dialogs.Messages.clear();
    Options([this](TfrmOptions& w) {
        ASSERT_EQ(dialogs.Messages.size(), 1u);
        EXPECT_EQ(dialogs.Messages[0].Text, "Cannot open file " + QPath("data/correct.dat") + ".");
        EXPECT_FALSE(w.lstAutocorrect->isEnabled());
        EXPECT_TRUE(w.lsbListProposal->isEnabled());
        // OK completes: the grid that was never read is not written.
        EXPECT_TRUE(Ok(w));
        EXPECT_EQ(dialogs.Messages.size(), 1u);
    });
    EXPECT_TRUE(std::filesystem::is_directory(Path("data/correct.dat")));
    EXPECT_EQ(Bytes("data/proposal.dat"), "div\r\nspan\r\n");
}

}  // namespace
}  // namespace krq::test
