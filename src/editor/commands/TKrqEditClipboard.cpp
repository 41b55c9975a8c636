// Copy, cut and paste over the abstract clipboard, and the private block that carries the
// selection mode of a copy.
#include <algorithm>

#include "editor/commands/KrqEditCommandState.h"
#include "editor/model/TKrqEditModelImpl.h"
#include "editor/model/TKrqUndoBlock.h"

namespace krq {

std::string EncodeEditBlock(TSelectionMode mode, std::string_view text) {
    std::string block;
    block.reserve(text.size() + 2);
    block += static_cast<char>(mode);
    block += text;
    block += '\0';
    return block;
}

std::string_view EditBlockText(std::string_view block) {
    if (block.empty()) return {};
    std::string_view rest = block.substr(1);
    return rest.substr(0, rest.find('\0'));
}

bool DecodeEditBlock(std::string_view block, TSelectionMode& mode, std::string& text) {
    if (block.empty()) return false;
    uint8_t m = static_cast<uint8_t>(block[0]);
    if (m > smColumn) return false;
    mode = static_cast<TSelectionMode>(m);
    text.assign(EditBlockText(block));
    return true;
}

namespace {

// A column copy keeps its rectangle: slices are padded to the full width whether or not
// trailing blanks are trimmed in the text.
void AppendPaddedColumnText(const TKrqEditModel& m, std::string& out) {
    TBufferCoord b = m.BlockBegin();
    TBufferCoord e = m.BlockEnd();
    int left = std::min(b.Char, e.Char);
    int width = std::max(b.Char, e.Char) - left;
    for (int y = b.Line; y <= e.Line; ++y) {
        std::string_view s = editcmd::LineText(m, y);
        size_t from = std::min<size_t>(left - 1, s.size());
        std::string_view slice = s.substr(from, width);
        out += slice;
        out.append(width - slice.size(), ' ');
        if (y < e.Line) out += "\r\n";
    }
}

// Column insertion cuts only at CR LF and CR, so lone LF breaks of foreign text are made CR LF.
std::string NormalizeBreaks(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r') {
            out += "\r\n";
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else if (c == '\n') {
            out += "\r\n";
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace

void TKrqEditModel::SetClipboard(TKrqClipboard* clipboard) { d->commands.clipboard = clipboard; }

void TKrqEditModel::CopySelection() {
    TKrqClipboard* clip = d->commands.clipboard;
    if (!clip || !SelAvail()) return;
    // The block is written straight from the lines: the only copy of a large selection.
    std::string block(1, static_cast<char>(SelectionMode()));
    if (SelectionMode() == smColumn)
        AppendPaddedColumnText(*this, block);
    else
        AppendSelectedText(block, 1);
    block += '\0';
    clip->Put(std::move(block));
}

void TKrqEditModel::CutSelection() {
    if (!d->commands.clipboard || !SelAvail()) return;
    CopySelection();
    TKrqUndoBlock block(*this);
    DeleteSelection();
}

void TKrqEditModel::PasteClipboard() {
    TKrqClipboard* clip = d->commands.clipboard;
    if (!clip) return;
    std::string plain;
    std::optional<std::string> block;
    if (!clip->Get(plain, block)) return;
    TSelectionMode current = SelectionMode();
    TSelectionMode mode = current;
    std::string text;
    if (!block || !DecodeEditBlock(*block, mode, text)) {
        mode = current;
        text = std::move(plain);
    }
    if (text.empty()) return;
    if (mode == smColumn) text = NormalizeBreaks(text);
    TKrqUndoBlock step(*this);
    // The selection goes in the mode it was made in; the text comes in the copy's mode.
    if (SelAvail()) DeleteSelection();
    if (mode != current) SetSelectionMode(mode);
    SetSelectedText(text);
    if (mode != current) SetSelectionMode(current);
}

}  // namespace krq
