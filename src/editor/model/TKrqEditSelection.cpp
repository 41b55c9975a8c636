// Reading and replacing the selected text in the three selection modes.
#include <algorithm>

#include "editor/model/TKrqEditModel.h"
#include "editor/model/TKrqEditModelImpl.h"
#include "editor/model/TKrqEditTextPieces.h"

namespace krq {

namespace {

std::string_view Slice(std::string_view line, size_t from, size_t to) {
    from = std::min(from, line.size());
    to = std::min(to, line.size());
    return to > from ? line.substr(from, to - from) : std::string_view();
}

}  // namespace

std::string TKrqEditModel::SelectedText() const {
    std::string out;
    AppendSelectedText(out);
    return out;
}

void TKrqEditModel::AppendSelectedText(std::string& out, size_t spare) const {
    int count = d->lines.Count();
    if (!SelAvail() || count == 0) return;
    TBufferCoord b = BlockBegin();
    TBufferCoord e = BlockEnd();
    int bl = std::clamp(b.Line, 1, count);
    int el = std::clamp(e.Line, 1, count);
    const TKrqEditStringList& lines = d->lines;
    switch (d->selectionMode) {
        case smLine: {
            bool finalBreak = el < count;
            size_t breaks = static_cast<size_t>(el - bl) + (finalBreak ? 1 : 0);
            out.reserve(out.size() + lines.ByteCount(bl - 1, el - bl + 1) + 2 * breaks + spare);
            lines.AppendJoined(out, bl - 1, el - bl + 1, "\r\n", finalBreak);
            return;
        }
        case smColumn: {
            size_t lo = static_cast<size_t>(std::min(b.Char, e.Char) - 1);
            size_t hi = static_cast<size_t>(std::max(b.Char, e.Char) - 1);
            bool pad = !d->Trimming();
            for (int l = bl; l <= el; ++l) {
                std::string_view piece = Slice(lines[l - 1], lo, hi);
                out.append(piece);
                if (pad) out.append(hi - lo - piece.size(), ' ');
                if (l < el) out.append("\r\n");
            }
            return;
        }
        case smNormal:
            break;
    }
    size_t from = static_cast<size_t>(b.Char - 1);
    size_t to = static_cast<size_t>(e.Char - 1);
    if (bl == el) {
        std::string_view piece = Slice(lines[bl - 1], from, to);
        out.reserve(out.size() + piece.size() + spare);
        out.append(piece);
        return;
    }
    std::string_view first = Slice(lines[bl - 1], from, std::string_view::npos);
    std::string_view last = Slice(lines[el - 1], 0, to);
    size_t size = first.size() + 2 + last.size();
    if (el - bl > 1)
        size += lines.ByteCount(bl, el - bl - 1) + 2 * static_cast<size_t>(el - bl - 1);
    out.reserve(out.size() + size + spare);
    out.append(first).append("\r\n");
    lines.AppendJoined(out, bl, el - bl - 1, "\r\n", true);
    out.append(last);
}

TBufferCoord TKrqEditModel::Impl::InsertColumn(TBufferCoord pos, std::string_view text) {
    std::vector<std::string_view> pieces = KrqSplitPieces(text);
    size_t at = static_cast<size_t>(std::max(1, pos.Char) - 1);
    int line0 = std::clamp(pos.Line, 1, lines.Count() + 1) - 1;
    std::string s;
    for (size_t k = 0; k < pieces.size(); ++k) {
        int l = line0 + static_cast<int>(k);
        s.clear();
        if (l < lines.Count()) {
            TKrqLineText curText = lines.Line(l);
            std::string_view cur = curText.view();
            size_t keep = std::min(at, cur.size());
            s.append(cur.substr(0, keep)).append(at - keep, ' ').append(pieces[k]);
            s.append(cur.substr(keep));
            ChangeLine(l, TKrqLineText::Copy(s), keep, cur.size() - keep);
        } else {
            s.append(at, ' ').append(pieces[k]);
            ReplaceLines(lines.Count(), 0, {TKrqLineText::Copy(s)}, false);
        }
    }
    return {static_cast<int>(at + pieces.back().size()) + 1,
            line0 + static_cast<int>(pieces.size())};
}

void TKrqEditModel::Impl::DeleteSelectionInMode() {
    TBufferCoord b = std::min(anchor, caret);
    TBufferCoord e = std::max(anchor, caret);
    int count = lines.Count();
    TBufferCoord at = b;
    if (count > 0) {
        switch (selectionMode) {
            case smNormal:
                DeleteRange(b, e);
                break;
            case smLine: {
                int bl = std::clamp(b.Line, 1, count);
                int el = std::clamp(e.Line, 1, count);
                ReplaceLines(bl - 1, el - bl + 1, {}, false);
                at = {1, bl};
                break;
            }
            case smColumn: {
                int lo = std::min(b.Char, e.Char);
                int hi = std::max(b.Char, e.Char);
                for (int l = b.Line; l <= std::min(e.Line, count); ++l)
                    DeleteRange({lo, l}, {hi, l});
                at = {lo, b.Line};
                break;
            }
        }
    }
    // The insertion point may be one past the last line when whole lines went.
    caret = anchor = at;
}

void TKrqEditModel::SetSelectedText(std::string_view text) {
    Impl::Operation op(*d);
    TBufferCoord oldCaret = d->caret;
    TBufferCoord oldAnchor = d->anchor;
    d->BeginBlock();
    try {
        TBufferCoord at = d->caret;
        if (SelAvail()) {
            d->DeleteSelectionInMode();
            at = d->caret;
        }
        // Positions are compared against the old ones so the status changes are right.
        d->caret = oldCaret;
        d->anchor = oldAnchor;
        TBufferCoord end = at;
        if (!text.empty())
            end = d->selectionMode == smColumn ? d->InsertColumn(at, text)
                                               : d->InsertTextAt(at, text);
        d->SetCaretAndAnchor(end, end);
    } catch (...) {
        d->ClampCaret();
        d->EndBlock();
        throw;
    }
    d->EndBlock();
}

void TKrqEditModel::DeleteSelection() {
    if (SelAvail()) SetSelectedText({});
}

}  // namespace krq
