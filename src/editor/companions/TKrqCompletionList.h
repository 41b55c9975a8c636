// The word completion's list window beside a TKrqEdit.
#pragma once

#include <QRgb>
#include <QWidget>

#include "editor/companions/TKrqCompletionProposal.h"

class QScrollBar;

namespace krq {

class TKrqEdit;

// Shows the rows of an open TKrqCompletionProposal under the caret of its edit.
//
// The list is a frameless tool window that never takes the keyboard focus: the edit keeps it,
// so every key reaches the proposal through the edit's model hooks exactly as when no list is
// shown, and the edit's caret stays visible. Only the mouse is handled here.
class TKrqCompletionList : public QWidget {
    Q_OBJECT

  public:
    // clSkyBlue behind the selected row.
    static constexpr QRgb kSelectColor = qRgb(166, 202, 240);
    static constexpr int kFrame = 1;  // pixels of border on each side

    TKrqCompletionList(TKrqCompletionProposal& proposal, TKrqEdit* edit);

    int RowHeight() const;
    // The first row shown, and the row under a point of this window (-1 when none).
    int TopRow() const { return top_; }
    int RowAt(QPoint pos) const;
    QRect RowRect(int row) const;

    // Places the window under the caret (kept on the screen's work area) and shows it.
    void ShowAtCaret();
    // Scrolls the selected row into view and repaints.
    void SelectionChanged();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    int RowCount() const;
    int VisibleRows() const;
    void SetTop(int row);
    void UpdateScrollBar();
    void CompleteWith(QPoint pos);

    TKrqCompletionProposal& proposal_;
    TKrqEdit* edit_;
    QScrollBar* bar_;
    int top_ = 0;
};

}  // namespace krq
