// Keyboard and mouse of the editing widget: Qt key events become the key map's virtual keys
// and Windows-1250 characters; clicks, drags and the wheel move the caret and the view.
#include <QApplication>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>
#include <cstdio>
#include <exception>

#include "editor/widget/TKrqEditViewImpl.h"
#include "platform/cp1250.h"

namespace krq {

namespace {

TShiftState ShiftOf(Qt::KeyboardModifiers m) {
    TShiftState s = 0;
    if (m & Qt::ShiftModifier) s |= ssShift;
    if (m & Qt::ControlModifier) s |= ssCtrl;
    if (m & Qt::AltModifier) s |= ssAlt;
    return s;
}

// The virtual-key code of a Qt key, or 0 for keys the key map does not know.
int VirtualKey(int key, Qt::KeyboardModifiers m) {
    switch (key) {
        case Qt::Key_Backspace:
            return vkBack;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return vkTab;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return vkReturn;
        case Qt::Key_Escape:
            return vkEscape;
        case Qt::Key_Space:
            return vkSpace;
        case Qt::Key_PageUp:
            return vkPrior;
        case Qt::Key_PageDown:
            return vkNext;
        case Qt::Key_End:
            return vkEnd;
        case Qt::Key_Home:
            return vkHome;
        case Qt::Key_Left:
            return vkLeft;
        case Qt::Key_Up:
            return vkUp;
        case Qt::Key_Right:
            return vkRight;
        case Qt::Key_Down:
            return vkDown;
        case Qt::Key_Insert:
            return vkInsert;
        case Qt::Key_Delete:
            return vkDelete;
        default:
            break;
    }
    if (key >= Qt::Key_A && key <= Qt::Key_Z) return key;
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return key;
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return 0x70 + (key - Qt::Key_F1);
    if (m & Qt::ControlModifier) {
        // With Shift held a digit key reports its shifted sign; bookmarks need the digit.
        static const char kShifted[] = ")!@#$%^&*(";
        for (int digit = 0; digit < 10; ++digit) {
            if (key == kShifted[digit]) return '0' + digit;
        }
    }
    return 0;
}

bool IsTypedText(const QString& text) {
    if (text.isEmpty()) return false;
    for (QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F) return false;
    }
    return true;
}

// Keys the main window's menus own; the widget leaves them to the window's shortcuts.
bool WindowOwnsKey(int vk, TShiftState shift) {
    if (shift == ssCtrl) {
        switch (vk) {
            case 'N':
            case 'O':
            case 'S':
            case 'P':
            case 'F':
            case 'H':
            case 'B':
            case 'Z':
            case 'X':
            case 'C':
            case 'V':
            case 'A':
                return true;
            default:
                return false;
        }
    }
    if (shift == (ssCtrl | ssShift) && vk == 'Z') return true;
    if (shift == 0) {
        switch (vk) {
            case 0x76:
            case 0x77:
            case 0x78:
            case 0x7A:
            case 0x7B:  // F7 F8 F9 F11 F12
                return true;
            default:
                return false;
        }
    }
    return false;
}

// AltGr arrives as Ctrl+Alt on some systems; when it produces a character it is typing.
bool IsAltGrText(const QKeyEvent* e) {
    Qt::KeyboardModifiers m = e->modifiers();
    bool altGr =
        (m & Qt::GroupSwitchModifier) || ((m & Qt::ControlModifier) && (m & Qt::AltModifier));
    return altGr && IsTypedText(e->text());
}

}  // namespace

void TKrqEdit::SetGuard(TGuard guard) { d->guard = std::move(guard); }

void TKrqEdit::Guarded(const std::function<void()>& action) {
    if (d->guard) {
        d->guard(action);
        return;
    }
    try {
        action();
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "%s\n", failure.what());
    }
}

bool TKrqEdit::event(QEvent* e) {
    bool result = true;
    Guarded([&] { result = HandleEvent(e); });
    return result;
}

// Mouse, drag and drop and painting arrive through the viewport.
bool TKrqEdit::viewportEvent(QEvent* e) {
    bool result = true;
    Guarded([&] { result = QAbstractScrollArea::viewportEvent(e); });
    return result;
}

bool TKrqEdit::HandleEvent(QEvent* e) {
    if (e->type() == QEvent::ShortcutOverride) {
        auto* ke = static_cast<QKeyEvent*>(e);
        TShiftState shift = ShiftOf(ke->modifiers());
        int vk = VirtualKey(ke->key(), ke->modifiers());
        bool own = IsAltGrText(ke);
        if (!own && vk && !WindowOwnsKey(vk, shift)) {
            own = TranslateKey(vk, shift) != ecNone || (vk == vkSpace && shift == ssCtrl);
        }
        if (!own && !(shift & (ssCtrl | ssAlt)) && IsTypedText(ke->text())) own = true;
        if (own) {
            e->accept();
            return true;
        }
    }
    return QAbstractScrollArea::event(e);
}

void TKrqEdit::keyPressEvent(QKeyEvent* e) {
    // Ctrl with plus, minus or 0 zooms the text for the session, as desktop editors do.
    if ((e->modifiers() & Qt::ControlModifier) && !(e->modifiers() & Qt::AltModifier)) {
        const int key = e->key();
        if (key == Qt::Key_Plus || key == Qt::Key_Equal || key == Qt::Key_Minus ||
            key == Qt::Key_0) {
            SetZoom(key == Qt::Key_0 ? 0 : Zoom() + (key == Qt::Key_Minus ? -1 : 1));
            e->accept();
            return;
        }
    }
    TShiftState shift = ShiftOf(e->modifiers());
    bool altGrText = IsAltGrText(e);
    int vk = VirtualKey(e->key(), e->modifiers());
    // Every keystroke is a key-down before it is a character, also a key the key map has no
    // code for: the key hooks (the completion list) must see it. Code 0 runs no command.
    if (d->model.KeyDown(altGrText ? 0 : vk, altGrText ? 0 : shift)) {
        d->EnsureCaretVisible();
        e->accept();
        return;
    }
    QString text = e->text();
    // Ctrl and Alt combinations are commands, not text, unless AltGr made a letter.
    if (IsTypedText(text) && (altGrText || !(shift & (ssCtrl | ssAlt)))) {
        for (char32_t c : text.toUcs4())
            d->model.KeyPress(static_cast<char>(cp1250::FromUnicode(c)));
        d->EnsureCaretVisible();
        e->accept();
        return;
    }
    e->ignore();
}

void TKrqEdit::inputMethodEvent(QInputMethodEvent* e) {
    const QString text = e->commitString();
    if (!text.isEmpty()) {
        for (char32_t c : text.toUcs4()) {
            if (c >= 0x20 && c != 0x7F)
                d->model.KeyPress(static_cast<char>(cp1250::FromUnicode(c)));
        }
        d->EnsureCaretVisible();
    }
    e->accept();
}

// --- Mouse ------------------------------------------------------------------------------------

bool TKrqEdit::Impl::InSelection(TBufferCoord pos) const {
    if (!model.SelAvail()) return false;
    TBufferCoord b = model.BlockBegin(), e = model.BlockEnd();
    switch (model.SelectionMode()) {
        case smLine:
            return pos.Line >= b.Line && pos.Line <= e.Line;
        case smColumn:
            return pos.Line >= b.Line && pos.Line <= e.Line &&
                   pos.Char >= std::min(b.Char, e.Char) && pos.Char <= std::max(b.Char, e.Char);
        default:
            return b <= pos && pos <= e;
    }
}

void TKrqEdit::mousePressEvent(QMouseEvent* e) {
    setFocus(Qt::MouseFocusReason);
    if (e->button() == Qt::MiddleButton) {
        // The primary selection goes in where the middle button points, one undo step.
        const std::string text = PrimarySelection();
        if (!text.empty()) {
            d->model.SetCaretXY(d->CoordAt(e->position().toPoint(), false));
            d->model.BeginUndoBlock();
            d->model.SetSelectedText(text);
            d->model.EndUndoBlock();
            d->EnsureCaretVisible();
        }
        e->accept();
        return;
    }
    if (e->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(e);
        return;
    }
    QPoint at = e->position().toPoint();
    bool column = d->model.SelectionMode() == smColumn;
    TBufferCoord pos = d->CoordAt(at, column);
    if (at.x() < d->TextLeft() - Impl::kTextMargin) pos.Char = 1;  // a click in the gutter
    d->pressPos = at;
    d->lastMousePos = at;
    if (e->modifiers() & Qt::ShiftModifier) {
        d->model.SetSelection(d->model.SelectionAnchor(), pos);
        d->selecting = true;
    } else if (d->model.HasOption(eoDragDropEditing) && d->InSelection(pos)) {
        d->dragPending = true;
    } else {
        d->model.SetCaretXY(pos);
        d->selecting = true;
    }
    d->EnsureCaretVisible();
}

void TKrqEdit::mouseMoveEvent(QMouseEvent* e) {
    QPoint at = e->position().toPoint();
    d->lastMousePos = at;
    if (!(e->buttons() & Qt::LeftButton)) return;
    if (d->dragPending) {
        if ((at - d->pressPos).manhattanLength() >= QApplication::startDragDistance()) {
            d->dragPending = false;
            d->StartDrag();
        }
        return;
    }
    if (!d->selecting) return;
    d->model.SetSelection(d->model.SelectionAnchor(),
                          d->CoordAt(at, d->model.SelectionMode() == smColumn));
    // Beyond the edges the view keeps scrolling while the button is held.
    if (viewport()->rect().contains(at)) {
        d->autoScroll.stop();
    } else if (!d->autoScroll.isActive()) {
        d->autoScroll.start();
    }
    viewport()->update();
}

void TKrqEdit::Impl::AutoScrollStep() {
    if (!selecting) {
        autoScroll.stop();
        return;
    }
    QRect r = q->viewport()->rect();
    if (lastMousePos.y() < 0) ScrollRows(-1);
    if (lastMousePos.y() >= r.height()) ScrollRows(1);
    if (!wordWrap && lastMousePos.x() < TextLeft()) {
        leftPx = std::max(0, leftPx - static_cast<int>(charWidth) * 4);
        UpdateScrollBars();
    }
    if (!wordWrap && lastMousePos.x() >= r.width()) {
        leftPx += static_cast<int>(charWidth) * 4;
        widestSeen = std::max(widestSeen, leftPx + TextWidth());
        UpdateScrollBars();
    }
    QPoint clamped(std::clamp(lastMousePos.x(), 0, r.width() - 1),
                   std::clamp(lastMousePos.y(), 0, r.height() - 1));
    model.SetSelection(model.SelectionAnchor(),
                       CoordAt(clamped, model.SelectionMode() == smColumn));
    q->viewport()->update();
}

void TKrqEdit::mouseReleaseEvent(QMouseEvent* e) {
    if (d->dragPending) {
        // A click inside the selection without dragging places the caret there.
        d->dragPending = false;
        d->model.SetCaretXY(d->CoordAt(e->position().toPoint(), false));
    }
    // A selection made with the mouse becomes the primary selection when the gesture ends.
    if (d->selecting && d->model.SelAvail()) SetPrimarySelection(d->model.SelectedText());
    d->selecting = false;
    d->autoScroll.stop();
    e->accept();
}

void TKrqEdit::keyReleaseEvent(QKeyEvent* e) {
    // A selection made with Shift and the keys becomes the primary selection when Shift is let
    // go, so holding Shift+Down over a long text does not copy it at every step.
    if (e->key() == Qt::Key_Shift && !e->isAutoRepeat() && d->model.SelAvail())
        SetPrimarySelection(d->model.SelectedText());
    QAbstractScrollArea::keyReleaseEvent(e);
}

void TKrqEdit::mouseDoubleClickEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    TBufferCoord pos = d->CoordAt(e->position().toPoint(), false);
    std::string_view s = d->LineText(pos.Line);
    auto isWord = [&](int i) {
        return i >= 0 && i < static_cast<int>(s.size()) &&
               d->model.IsWordChar(static_cast<uint8_t>(s[i]));
    };
    int i = pos.Char - 1;
    if (!isWord(i) && isWord(i - 1)) --i;  // just behind a word still picks that word
    if (!isWord(i)) {
        d->model.SetCaretXY(pos);
        return;
    }
    int from = i, to = i + 1;
    while (isWord(from - 1)) --from;
    while (isWord(to)) ++to;
    d->model.SetSelection({from + 1, pos.Line}, {to + 1, pos.Line});
    SetPrimarySelection(d->model.SelectedText());
    d->selecting = false;
    d->dragPending = false;
}

void TKrqEdit::wheelEvent(QWheelEvent* e) {
    int notches = e->angleDelta().y() / 120;
    if (notches == 0 && e->angleDelta().y() != 0) notches = e->angleDelta().y() > 0 ? 1 : -1;
    if (notches != 0 && (e->modifiers() & Qt::ControlModifier)) {
        SetZoom(Zoom() + notches);
    } else if (notches != 0) {
        d->ScrollRows(-notches * 3);
    } else if (!d->wordWrap && e->angleDelta().x() != 0) {
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() -
                                        e->angleDelta().x() / 120 * 3 *
                                            static_cast<int>(d->charWidth));
    }
    e->accept();
}

void TKrqEdit::contextMenuEvent(QContextMenuEvent* e) {
    if (d->popup) {
        d->popup->exec(e->globalPos());
        e->accept();
    } else {
        e->ignore();
    }
}

}  // namespace krq
