// The text model's state: caret, selection, bookmarks, settings, loading and notifications.
#include "editor/model/TKrqEditModel.h"

#include <algorithm>
#include <exception>

#include "editor/model/TKrqEditModelImpl.h"
#include "platform/cp1250.h"

namespace krq {

namespace {

std::array<bool, 256> DefaultWordChars() {
    std::array<bool, 256> chars{};
    for (int c = '0'; c <= '9'; ++c) chars[c] = true;
    for (int c = 'A'; c <= 'Z'; ++c) chars[c] = true;
    for (int c = 'a'; c <= 'z'; ++c) chars[c] = true;
    chars['_'] = true;
    // Letters of the code page's upper half; 215 and 247 are the multiplication and
    // division signs.
    for (int c = 192; c <= 255; ++c) chars[c] = c != 215 && c != 247;
    // The letters below 192 too: ą ł ś ź ż and their capitals live there, and a word move
    // that stopped inside "łódź" would be plainly wrong for Polish text.
    for (int c = 128; c < 192; ++c) chars[c] = cp1250::IsAlnum(static_cast<uint8_t>(c));
    return chars;
}

}  // namespace

TKrqEditModel::Impl::Operation::Operation(Impl& d)
    : d_(d), exceptions_(std::uncaught_exceptions()) {
    ++d_.operationDepth;
    d_.SyncWithLines();
}

TKrqEditModel::Impl::Operation::~Operation() noexcept(false) {
    --d_.operationDepth;
    // While unwinding, the notifications wait for the next operation rather than throw again.
    if (std::uncaught_exceptions() == exceptions_) d_.Flush();
}

TKrqEditModel::Impl::Impl(TKrqEditModel& owner)
    : self(owner), wordChars(DefaultWordChars()), linesSerial(lines.Serial()) {
    ResetHistories(true);
}

TBufferCoord TKrqEditModel::Impl::Clamp(TBufferCoord pos) const {
    pos.Line = std::clamp(pos.Line, 1, std::max(1, lines.Count()));
    pos.Char = std::max(1, pos.Char);
    return pos;
}

void TKrqEditModel::Impl::SetCaretAndAnchor(TBufferCoord newCaret, TBufferCoord newAnchor) {
    newCaret = Clamp(newCaret);
    newAnchor = Clamp(newAnchor);
    if (newCaret.Char != caret.Char) statusPending |= scCaretX;
    if (newCaret.Line != caret.Line) statusPending |= scCaretY;
    bool hadSelection = caret != anchor;
    bool hasSelection = newCaret != newAnchor;
    if ((hadSelection || hasSelection) && (newCaret != caret || newAnchor != anchor))
        statusPending |= scSelection;
    caret = newCaret;
    anchor = newAnchor;
}

void TKrqEditModel::Impl::ClampCaret() {
    if (Clamp(caret) != caret || Clamp(anchor) != anchor) SetCaretAndAnchor(caret, anchor);
}

void TKrqEditModel::Impl::Flush() {
    if (operationDepth > 0 || history.blockDepth > 0) return;
    bool change = changePending;
    TStatusChanges status = statusPending;
    changePending = false;
    statusPending = 0;
    if (change && self.OnChange) self.OnChange();
    if (status && self.OnStatusChange) self.OnStatusChange(status);
}

TKrqEditModel::TKrqEditModel() : d(std::make_unique<Impl>(*this)) {}
TKrqEditModel::~TKrqEditModel() = default;

// --- Text -------------------------------------------------------------------------------------

TKrqEditStringList& TKrqEditModel::Lines() { return d->lines; }
const TKrqEditStringList& TKrqEditModel::Lines() const { return d->lines; }

TDecodeReport TKrqEditModel::LoadLinesFromFile(const std::string& path,
                                               std::optional<TDocEncoding> encoding) {
    Impl::Operation op(*d);
    TDecodeReport report = d->lines.LoadLinesFromFile(path, encoding);
    d->linesSerial = d->lines.Serial();
    d->ResetHistories(!d->modified);
    d->bookmarks = {};
    d->SetCaretAndAnchor({1, 1}, {1, 1});
    SetTopLine(1);
    return report;
}

void TKrqEditModel::SaveLinesToFile(const std::string& path, TDocEncoding encoding) const {
    d->lines.SaveLinesToFile(path, encoding);
}

std::string TKrqEditModel::Text() const { return d->lines.Text(); }
std::string TKrqEditModel::LinesText() const { return d->lines.LinesText(); }

void TKrqEditModel::ClearDocument() {
    Impl::Operation op(*d);
    d->lines.Clear();
    d->linesSerial = d->lines.Serial();
    d->ResetHistories(true);
    d->bookmarks = {};
    d->SetCaretAndAnchor({1, 1}, {1, 1});
    SetTopLine(1);
    if (d->modified) {
        d->modified = false;
        d->statusPending |= scModified;
    }
}

// --- Caret and selection ------------------------------------------------------------------

int TKrqEditModel::CaretColumn() const { return d->caret.Char; }
int TKrqEditModel::CaretLine() const { return d->caret.Line; }
TBufferCoord TKrqEditModel::CaretXY() const { return d->caret; }

void TKrqEditModel::SetCaretXY(TBufferCoord pos) {
    Impl::Operation op(*d);
    d->SetCaretAndAnchor(pos, pos);
}

void TKrqEditModel::SetSelection(TBufferCoord anchor, TBufferCoord caret) {
    Impl::Operation op(*d);
    d->SetCaretAndAnchor(caret, anchor);
}

TBufferCoord TKrqEditModel::SelectionAnchor() const { return d->anchor; }
TBufferCoord TKrqEditModel::BlockBegin() const { return std::min(d->anchor, d->caret); }
TBufferCoord TKrqEditModel::BlockEnd() const { return std::max(d->anchor, d->caret); }
bool TKrqEditModel::SelAvail() const { return d->anchor != d->caret; }
TSelectionMode TKrqEditModel::SelectionMode() const { return d->selectionMode; }

void TKrqEditModel::SetSelectionMode(TSelectionMode mode) {
    Impl::Operation op(*d);
    if (mode == d->selectionMode) return;
    d->selectionMode = mode;
    d->statusPending |= scSelectionMode;
}

void TKrqEditModel::SelectAll() {
    Impl::Operation op(*d);
    int count = d->lines.Count();
    TBufferCoord end{1, 1};
    if (count > 0) end = {static_cast<int>(d->lines[count - 1].size()) + 1, count};
    d->SetCaretAndAnchor(end, {1, 1});
}

bool TKrqEditModel::InsertMode() const { return d->insertMode; }

void TKrqEditModel::SetInsertMode(bool insert) {
    Impl::Operation op(*d);
    if (insert == d->insertMode) return;
    d->insertMode = insert;
    d->statusPending |= scInsertMode;
}

std::optional<int> TKrqEditModel::Bookmark(int number) const {
    if (number < 0 || number > 9 || d->bookmarks[number] == 0) return std::nullopt;
    return d->bookmarks[number];
}

void TKrqEditModel::SetBookmark(int number, int line) {
    if (number < 0 || number > 9) return;
    d->bookmarks[number] = std::clamp(line, 1, std::max(1, d->lines.Count()));
}

void TKrqEditModel::ClearBookmark(int number) {
    if (number >= 0 && number <= 9) d->bookmarks[number] = 0;
}

// --- Settings -----------------------------------------------------------------------------

TKrqEditorOptions TKrqEditModel::Options() const { return d->options; }
void TKrqEditModel::SetOptions(TKrqEditorOptions options) { d->options = options; }
bool TKrqEditModel::HasOption(TKrqEditorOption option) const { return (d->options & option) != 0; }
int TKrqEditModel::TabWidth() const { return d->tabWidth; }
void TKrqEditModel::SetTabWidth(int width) { d->tabWidth = std::max(1, width); }

void TKrqEditModel::SetWordChars(const std::array<bool, 256>* identChars) {
    d->wordChars = identChars ? *identChars : DefaultWordChars();
}

bool TKrqEditModel::IsWordChar(uint8_t c) const { return d->wordChars[c]; }

int TKrqEditModel::TopLine() const { return d->topLine; }

void TKrqEditModel::SetTopLine(int line) {
    Impl::Operation op(*d);
    line = std::max(1, line);
    if (line == d->topLine) return;
    d->topLine = line;
    d->statusPending |= scTopLine;
}

int TKrqEditModel::LinesInWindow() const { return d->linesInWindow; }
void TKrqEditModel::SetLinesInWindow(int lines) { d->linesInWindow = std::max(1, lines); }

}  // namespace krq
