// The pages "Lista słówek" and "Autokorekta": the completion words and the auto-correction
// grid, loaded when the window is shown and written on OK.
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>

#include "editor/companions/unWordLists.h"
#include "platform/cp1250.h"
#include "platform/errors.h"
#include "platform/programdir.h"
#include "settings/frOptions.h"

namespace krq {

namespace {

// The lists hold Windows-1250 bytes; what the user types that the code page lacks becomes "?".
std::string ToBytes(const QString& text) { return cp1250::FromUtf8(text.toStdString()); }
QString ToText(const std::string& bytes) { return QString::fromStdString(cp1250::ToUtf8(bytes)); }

}  // namespace

void TfrmOptions::LoadWordLists() {
    // A file that is missing can be made anew by OK; one that exists but cannot be read stays
    // as it is, and its page cannot be edited.
    auto load = [this](const char* relative, std::vector<std::string>& lines) {
        const std::string path = ProgramFile(relative);
        bool usable = false;
        host_.RunCommand([&] {
            try {
                lines = ReadWordListFile(path);
                usable = true;
            } catch (...) {
                lines.clear();
                usable = !ExistsUnreadable(path);
                throw;
            }
        });
        return usable;
    };
    proposalUsable_ = load(kProposalFile, proposals_);
    lsbListProposal->clear();
    for (const std::string& word : proposals_) lsbListProposal->addItem(ToText(word));
    for (QWidget* control :
         std::initializer_list<QWidget*>{lsbListProposal, edtNewProposal, btnAddProposal})
        control->setEnabled(proposalUsable_);

    std::vector<std::string> pairs;
    correctUsable_ = load(kCorrectFile, pairs);
    grid_.Load(pairs);
    FillGrid(-1, -1);
    lstAutocorrect->setEnabled(correctUsable_);
}

void TfrmOptions::SaveWordLists() {
    if (proposalUsable_) {
        SaveProposalList(proposals_);
        host_.ReloadProposalList();
    }
    // The running auto-correction keeps the pairs it read at start.
    if (correctUsable_) SaveCorrectList(grid_.CorrectLines());
}

void TfrmOptions::RefreshCounter() {
    lbl_11->setText(QString::fromStdString(ProposalCounterText(proposals_.size())));
}

// --- Lista słówek ------------------------------------------------------------------------------

void TfrmOptions::edtNewProposalKeyUp(int key) {
    if (key == Qt::Key_Return || key == Qt::Key_Enter) btnAddProposalClick();
}

void TfrmOptions::btnAddProposalClick() {
    const std::string word = ToBytes(edtNewProposal->text());
    if (!AddProposal(proposals_, word)) return;
    lsbListProposal->addItem(ToText(word));
    edtNewProposal->clear();
    RefreshCounter();
}

void TfrmOptions::lsbListProposalKeyUp(int key) {
    if (key != Qt::Key_Delete) return;
    const QList<QListWidgetItem*> selected = lsbListProposal->selectedItems();
    if (!selected.isEmpty()) {
        const int row = lsbListProposal->row(selected.front());
        proposals_.erase(proposals_.begin() + row);
        delete lsbListProposal->takeItem(row);
        lsbListProposal->clearSelection();
    }
    RefreshCounter();
}

// --- Autokorekta -------------------------------------------------------------------------------

void TfrmOptions::FillGrid(int currentRow, int currentColumn) {
    fillingGrid_ = true;
    const int rows = static_cast<int>(grid_.RowCount());
    lstAutocorrect->setRowCount(rows);
    for (int row = 0; row < rows; ++row) {
        const auto r = static_cast<size_t>(row);
        for (int column = 0; column < 2; ++column) {
            const QString text = ToText(column == 0 ? grid_.Key(r) : grid_.Value(r));
            QTableWidgetItem* item = lstAutocorrect->item(row, column);
            if (!item)
                lstAutocorrect->setItem(row, column, new QTableWidgetItem(text));
            else if (item->text() != text)
                item->setText(text);
        }
    }
    if (currentRow >= 0 && currentRow < rows)
        lstAutocorrect->setCurrentCell(currentRow, std::max(currentColumn, 0));
    fillingGrid_ = false;
}

void TfrmOptions::GridItemChanged(int row, int column) {
    if (fillingGrid_ || row < 0 || row >= static_cast<int>(grid_.RowCount())) return;
    const auto r = static_cast<size_t>(row);
    const std::string text = ToBytes(lstAutocorrect->item(row, column)->text());
    bool refused = false;
    if (column == 0)
        refused = !grid_.SetKey(r, text);
    else
        grid_.SetValue(r, text);
    // The cell shows what the row now holds: the old key when refused, "?" for what the code
    // page cannot hold.
    FillGrid(-1, -1);
    if (refused) throw EKrqError("Invalid key: the character '=' is not allowed in a key");
}

void TfrmOptions::GridCurrentChanged(int row, int column, int previousRow, int) {
    if (fillingGrid_) return;
    if (previousRow >= 0 && previousRow != row &&
        grid_.RemoveIfEmpty(static_cast<size_t>(previousRow))) {
        if (row > previousRow) --row;
        fillingGrid_ = true;
        lstAutocorrect->removeRow(previousRow);
        fillingGrid_ = false;
        FillGrid(row, column);
    }
    if (row < 0) return;
    if (row != previousRow) gridRowOnEntry_ = grid_.Line(static_cast<size_t>(row));
    lstAutocorrectSelectCell(row, column);
}

void TfrmOptions::lstAutocorrectSelectCell(int, int) {
    if (!grid_.EnsureBlankRow()) return;
    const bool noCurrent = lstAutocorrect->currentRow() < 0;
    FillGrid(-1, -1);
    if (noCurrent) lstAutocorrect->setCurrentCell(0, 0);
}

bool TfrmOptions::GridKey(int key, Qt::KeyboardModifiers modifiers) {
    const int row = lstAutocorrect->currentRow();
    const int column = std::max(lstAutocorrect->currentColumn(), 0);
    const bool ctrl = modifiers & Qt::ControlModifier;
    if (row < 0) return false;
    const auto r = static_cast<size_t>(row);
    switch (key) {
        case Qt::Key_Insert:
            if (grid_.InsertRow(r)) {
                FillGrid(row, column);
                gridRowOnEntry_ = grid_.Line(r);
            }
            return true;
        case Qt::Key_Down:
            if (!grid_.AppendRow(r)) return false;
            FillGrid(-1, -1);
            lstAutocorrect->setCurrentCell(row + 1, column);
            return true;
        case Qt::Key_Delete:
            if (!ctrl) return false;
            grid_.DeleteRow(r);
            fillingGrid_ = true;
            lstAutocorrect->removeRow(row);
            fillingGrid_ = false;
            if (grid_.RowCount() > 0) {
                const int next = std::min(row, static_cast<int>(grid_.RowCount()) - 1);
                FillGrid(next, column);
                gridRowOnEntry_ = grid_.Line(static_cast<size_t>(next));
            }
            return true;
        case Qt::Key_Escape:
            grid_.SetLine(r, gridRowOnEntry_);
            FillGrid(row, column);
            return true;
        default:
            return false;
    }
}

}  // namespace krq
