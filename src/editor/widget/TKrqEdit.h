// The editing control as the user meets it: a Qt widget that draws TKrqEditModel and feeds it
// keys, mouse gestures, the clipboard and dropped files.
#pragma once

#include <QAbstractScrollArea>
#include <QColor>
#include <QFont>
#include <QStringList>
#include <functional>
#include <memory>

#include "editor/model/KrqEditTypes.h"
#include "editor/model/TKrqEditModel.h"

class QMenu;
class QMimeData;

namespace krq {

class TKrqHighlighter;

class TKrqEdit : public QAbstractScrollArea {
    Q_OBJECT

  public:
    explicit TKrqEdit(QWidget* parent = nullptr);
    ~TKrqEdit() override;

    TKrqEditModel& Model();
    const TKrqEditModel& Model() const;

    // Appearance; every setter takes effect at once.
    void SetTextFont(const QFont& font);  // the editor's `Font` (name, size, style)
    QFont TextFont() const;
    QFont DrawnFont() const;  // the font actually drawn (the fallback for a missing family)
    // Zoom for the session: the drawn font is `steps` points larger (smaller when negative)
    // than TextFont(), which stays as chosen; 0 shows it as chosen.
    void SetZoom(int steps);
    int Zoom() const;
    void SetFontColor(const QColor& color);  // `Font.Color`
    QColor FontColor() const;
    void SetColor(const QColor& background);  // `Color`
    QColor Color() const;
    void SetSelectedColor(const QColor& foreground, const QColor& background);
    QColor SelectedForeground() const;
    QColor SelectedBackground() const;
    void SetGutterVisible(bool visible);  // `Gutter.Visible`
    bool GutterVisible() const;
    void SetGutterColor(const QColor& color);  // `Gutter.Color`
    QColor GutterColor() const;
    int GutterWidth() const;  // 0 while hidden
    void SetWordWrap(bool on);
    bool WordWrap() const;
    void SetPopupMenu(QMenu* menu);  // none: no menu on a right click
    QMenu* PopupMenu() const;
    // The highlighter drawn, or none; its identifier characters become the word characters.
    void SetHighlighter(TKrqHighlighter* highlighter);
    TKrqHighlighter* Highlighter() const;
    // `TabWidth`: the model's tab width, which also sets the display's tab stops.
    void SetTabWidth(int width);

    // What the completion list needs: the caret's top-left corner on the screen and the
    // height of a text line.
    QPoint CaretScreenPos() const;
    int LineHeight() const;
    // Mapping between text positions and viewport pixels (top-left of a character's cell).
    QPoint CaretViewportPos() const;
    QPoint PointOfChar(TBufferCoord pos) const;
    TBufferCoord CharAtPoint(QPoint viewportPos) const;
    int TopRow() const;  // row within the top line shown (word wrap)
    // What dragging the selection carries: plain text, the private block and a mark that
    // tells a drop on this widget that it is a move or copy within the text.
    QMimeData* SelectionMimeData() const;
    // Scrolls so that the caret is visible.
    void EnsureCaretVisible();

    // Every event of the widget and of its companions' windows runs through the guard, so a
    // failure (a clipboard that cannot be filled ...) reaches the window's one error report
    // instead of escaping Qt's event loop. Without a guard a failure is written to stderr.
    using TGuard = std::function<void(const std::function<void()>&)>;
    void SetGuard(TGuard guard);
    void Guarded(const std::function<void()>& action);

  signals:
    void Changed();                                          // OnChange
    void StatusChanged(krq::TStatusChanges changes);         // OnStatusChange
    void DropFiles(int x, int y, const QStringList& files);  // OnDropFiles, full paths

  protected:
    bool event(QEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    bool focusNextPrevChild(bool next) override;  // Tab is an editing key (`WantTabs`)

  private:
    bool HandleEvent(QEvent* event);

    struct Impl;
    std::unique_ptr<Impl> d;
};

}  // namespace krq
