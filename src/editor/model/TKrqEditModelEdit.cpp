// The primitive text changes of the model and the undo records they leave.
#include <algorithm>
#include <cstring>

#include "editor/model/TKrqEditModel.h"
#include "editor/model/TKrqEditModelImpl.h"
#include "editor/model/TKrqEditTextPieces.h"

namespace krq {

namespace {

// Lines at least this long record a splice of the changed bytes instead of keeping the old
// line whole, so a keystroke in a huge line stays small in the history.
constexpr size_t kSpliceThreshold = 4096;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The length of `text` without its trailing spaces and tabs.
size_t TrimmedSize(const TKrqLineText& text) {
    size_t n = text.size();
    while (n > 0) {
        std::string_view run = text.RunBefore(n);
        size_t k = run.size();
        while (k > 0 && IsBlank(run[k - 1])) --k;
        n -= run.size() - k;
        if (k > 0) break;
    }
    return n;
}

// The first index in [0, n) where a and b differ, or n; compared a page at a time.
size_t Mismatch(const char* a, const char* b, size_t n) {
    constexpr size_t kChunk = 4096;
    size_t p = 0;
    if (a == b) return n;
    while (p + kChunk <= n && std::memcmp(a + p, b + p, kChunk) == 0) p += kChunk;
    while (p < n && a[p] == b[p]) ++p;
    return p;
}

// Length of the common prefix of a and b, known to be at least `from`. Pieces the two texts
// share are skipped without being read.
size_t CommonPrefix(const TKrqLineText& a, const TKrqLineText& b, size_t from) {
    const size_t limit = std::min(a.size(), b.size());
    size_t p = std::min(from, limit);
    while (p < limit) {
        std::string_view ra = a.RunAt(p), rb = b.RunAt(p);
        size_t n = std::min({ra.size(), rb.size(), limit - p});
        size_t k = Mismatch(ra.data(), rb.data(), n);
        p += k;
        if (k < n) break;
    }
    return p;
}

// Length of the common suffix of a and b, at most `limit` and known to be at least `from`.
size_t CommonSuffix(const TKrqLineText& a, const TKrqLineText& b, size_t limit, size_t from) {
    size_t s = std::min(from, limit);
    while (s < limit) {
        std::string_view ra = a.RunBefore(a.size() - s), rb = b.RunBefore(b.size() - s);
        size_t n = std::min({ra.size(), rb.size(), limit - s});
        const char* ea = ra.data() + ra.size();
        const char* eb = rb.data() + rb.size();
        if (ea == eb) {
            s += n;
            continue;
        }
        size_t k = 0;
        while (k < n && ea[-1 - static_cast<long>(k)] == eb[-1 - static_cast<long>(k)]) ++k;
        s += k;
        if (k < n) break;
    }
    return s;
}

// A part of an existing line: bytes [from, from + count) of `text`.
struct TPart {
    const TKrqLineText* text = nullptr;
    size_t from = 0;
    size_t count = 0;
};

// A new line made of a, `spaces` blanks, b and c. A short one is written once into its own
// storage; a long one shares the bytes of a and c in pieces.
TKrqLineText Build(TPart a, size_t spaces, std::string_view b, TPart c = {}) {
    const size_t total = a.count + spaces + b.size() + c.count;
    if (total < TKrqLineText::kLongLine) {
        char* out;
        TKrqLineText line = TKrqLineText::Uninitialized(total, out);
        if (!out) return line;
        if (a.count) a.text->CopyTo(a.from, a.count, out);
        out += a.count;
        std::memset(out, ' ', spaces);
        out += spaces;
        if (!b.empty()) std::memcpy(out, b.data(), b.size());
        out += b.size();
        if (c.count) c.text->CopyTo(c.from, c.count, out);
        return line;
    }
    char* out;
    TKrqLineText middle = TKrqLineText::Uninitialized(spaces + b.size(), out);
    if (out) {
        std::memset(out, ' ', spaces);
        if (!b.empty()) std::memcpy(out + spaces, b.data(), b.size());
    }
    return TKrqLineText::Concat({a.count ? a.text->Sub(a.from, a.count) : TKrqLineText(), middle,
                                 c.count ? c.text->Sub(c.from, c.count) : TKrqLineText()});
}

}  // namespace

void TKrqEditModel::Impl::ReleaseHeld() {
    const int line0 = heldLine0;
    heldLine0 = -1;
    if (line0 < 0 || line0 >= lines.Count()) return;
    ChangeLine(line0, lines.Line(line0), 0);
}

void TKrqEditModel::Impl::ChangeLine(int line0, TKrqLineText text, size_t samePrefix,
                                     size_t sameSuffix) {
    size_t keep = 0;
    if (heldLine0 == line0) {
        // An edit of the held line itself ends the hold but keeps the indentation.
        keep = heldKeep;
        heldLine0 = -1;
    } else if (heldLine0 >= 0) {
        ReleaseHeld();
    }
    if (Trimming()) {
        size_t trimmed = TrimmedSize(text);
        if (trimmed < keep) trimmed = std::min(keep, text.size());
        if (trimmed != text.size()) {
            text = text.Sub(0, trimmed);
            sameSuffix = 0;
        }
    }
    TKrqLineText old = lines.Line(line0);
    TKrqUndoEntry& e = history.open;
    if (old.size() < kSpliceThreshold && text.size() < kSpliceThreshold) {
        if (old.size() == text.size() && old.view() == text.view()) return;
        e.records.push_back({TKrqUndoRecord::kReplaceLines, false, line0, 0, 1, 1, e.texts.size()});
        e.texts.push_back(std::move(old));
        e.texts.push_back(text);
        lines.SetLine(line0, std::move(text));
        OwnChange();
        return;
    }
    size_t limit = std::min(old.size(), text.size());
    size_t p = CommonPrefix(old, text, samePrefix);
    size_t s = CommonSuffix(old, text, limit - p, sameSuffix);
    if (p + s == old.size() && p + s == text.size()) return;
    size_t removed = old.size() - p - s;
    size_t inserted = text.size() - p - s;
    // Only the changed bytes are kept, shared with the old and the new text where long.
    e.records.push_back({TKrqUndoRecord::kSplice, false, line0, static_cast<uint32_t>(p),
                         static_cast<uint32_t>(removed), static_cast<uint32_t>(inserted),
                         e.texts.size()});
    e.texts.push_back(old.Sub(p, removed));
    e.texts.push_back(text.Sub(p, inserted));
    lines.SetLine(line0, std::move(text));
    OwnChange();
}

void TKrqEditModel::Impl::ReplaceLines(int line0, int count, std::vector<TKrqLineText> texts,
                                       bool joinBookmarks) {
    if (count == 0 && texts.empty()) return;
    // Only the insertion that writes the held line keeps the hold; any other change of the
    // line list trims the held line first, while its index is still right.
    const bool writesHeld =
        count == 0 && heldLine0 >= line0 && heldLine0 < line0 + static_cast<int>(texts.size());
    if (heldLine0 >= 0 && !writesHeld) ReleaseHeld();
    if (Trimming()) {
        for (size_t i = 0; i < texts.size(); ++i) {
            TKrqLineText& t = texts[i];
            size_t trimmed = TrimmedSize(t);
            if (writesHeld && static_cast<int>(i) == heldLine0 - line0)
                trimmed = std::max(trimmed, std::min(heldKeep, t.size()));
            if (trimmed != t.size()) t = t.Sub(0, trimmed);
        }
    }
    TKrqUndoEntry& e = history.open;
    e.records.push_back({TKrqUndoRecord::kReplaceLines, joinBookmarks, line0, 0,
                         static_cast<uint32_t>(count), static_cast<uint32_t>(texts.size()),
                         e.texts.size()});
    for (int i = 0; i < count; ++i) e.texts.push_back(lines.Line(line0 + i));
    e.texts.insert(e.texts.end(), texts.begin(), texts.end());
    lines.Replace(line0, count, texts.data(), static_cast<int>(texts.size()));
    OwnChange();
    AdjustBookmarks(line0, count, static_cast<int>(texts.size()), joinBookmarks);
}

TBufferCoord TKrqEditModel::Impl::InsertTextAt(TBufferCoord pos, std::string_view text) {
    int count = lines.Count();
    int line = std::clamp(pos.Line, 1, count + 1);
    int col = std::max(1, pos.Char);
    if (text.empty()) return {col, line};
    if (line == count + 1) ReplaceLines(count, 0, {TKrqLineText()}, false);
    int line0 = line - 1;
    std::vector<std::string_view> pieces = KrqSplitPieces(text);
    const TKrqLineText curText = lines.Line(line0);  // keeps the bytes while lines change
    const size_t size = curText.size();
    size_t at = static_cast<size_t>(col - 1);
    size_t keep = std::min(at, size);
    size_t pad = at - keep;
    const TPart head{&curText, 0, keep};
    const TPart tail{&curText, keep, size - keep};

    if (pieces.size() == 1) {
        ChangeLine(line0, Build(head, pad, text, tail), keep, tail.count);
        return {col + static_cast<int>(text.size()), line};
    }

    int n = static_cast<int>(pieces.size());
    std::vector<TKrqLineText> added;
    added.reserve(pieces.size());
    if (at == 0) {
        // The whole line moves down, so it is the new lines that go in above it.
        for (int i = 0; i + 1 < n; ++i) added.push_back(TKrqLineText::Copy(pieces[i]));
        ReplaceLines(line0, 0, std::move(added), false);
        ChangeLine(line0 + n - 1, Build({}, 0, pieces.back(), tail), 0, size);
    } else {
        ChangeLine(line0, Build(head, pad, pieces[0]), keep, 0);
        for (int i = 1; i + 1 < n; ++i) added.push_back(TKrqLineText::Copy(pieces[i]));
        added.push_back(Build({}, 0, pieces.back(), tail));
        ReplaceLines(line0 + 1, 0, std::move(added), false);
    }
    return {static_cast<int>(pieces.back().size()) + 1, line + n - 1};
}

void TKrqEditModel::Impl::DeleteRange(TBufferCoord begin, TBufferCoord end) {
    int count = lines.Count();
    if (count == 0) return;
    if (end < begin) std::swap(begin, end);
    begin.Line = std::clamp(begin.Line, 1, count);
    begin.Char = std::max(1, begin.Char);
    if (end.Line > count) end = {static_cast<int>(lines.Length(count - 1)) + 1, count};
    end.Line = std::max(1, end.Line);
    end.Char = std::max(1, end.Char);
    if (end <= begin) return;
    int b0 = begin.Line - 1;
    int e0 = end.Line - 1;
    size_t cb = static_cast<size_t>(begin.Char - 1);
    size_t ce = static_cast<size_t>(end.Char - 1);
    const TKrqLineText first = lines.Line(b0);
    size_t kb = std::min(cb, first.size());
    if (b0 == e0) {
        size_t ke = std::min(ce, first.size());
        if (ke <= kb) return;
        ChangeLine(b0, Build({&first, 0, kb}, 0, {}, {&first, ke, first.size() - ke}), kb,
                   first.size() - ke);
        return;
    }
    const TKrqLineText last = lines.Line(e0);
    size_t from = std::min(ce, last.size());
    const TPart rest{&last, from, last.size() - from};
    // When the deletion starts beyond the end of its line, the joined text still starts at
    // that column, so an insertion there lands right behind it.
    size_t pad = rest.count == 0 ? 0 : cb - kb;
    ChangeLine(b0, Build({&first, 0, kb}, pad, {}, rest), kb, 0);
    ReplaceLines(b0 + 1, e0 - b0, {}, true);
}

// --- Public primitives ----------------------------------------------------------------------

TBufferCoord TKrqEditModel::InsertText(TBufferCoord pos, std::string_view text) {
    Impl::Operation op(*d);
    TBufferCoord end;
    {
        Impl::BlockGuard block(*d);
        end = d->InsertTextAt(pos, text);
    }
    return end;
}

void TKrqEditModel::DeleteText(TBufferCoord begin, TBufferCoord end) {
    Impl::Operation op(*d);
    Impl::BlockGuard block(*d);
    d->DeleteRange(begin, end);
    d->ClampCaret();
}

void TKrqEditModel::HoldIndent(int line, int length) {
    d->heldLine0 = line - 1;
    d->heldKeep = static_cast<size_t>(std::max(0, length));
}

void TKrqEditModel::SetLineText(int line, std::string_view text) {
    if (line < 1 || line > d->lines.Count()) return;
    SetLineText(line, TKrqLineText::Copy(text));
}

void TKrqEditModel::SetLineText(int line, TKrqLineText text) {
    if (line < 1 || line > d->lines.Count()) return;
    Impl::Operation op(*d);
    Impl::BlockGuard block(*d);
    d->ChangeLine(line - 1, std::move(text), 0);
}

void TKrqEditModel::InsertLines(int line, const std::vector<std::string>& lines) {
    if (lines.empty()) return;
    Impl::Operation op(*d);
    Impl::BlockGuard block(*d);
    int at = std::clamp(line, 1, d->lines.Count() + 1);
    std::vector<TKrqLineText> texts;
    texts.reserve(lines.size());
    for (const std::string& text : lines) texts.push_back(TKrqLineText::Copy(text));
    d->ReplaceLines(at - 1, 0, std::move(texts), false);
}

void TKrqEditModel::DeleteLines(int line, int count) {
    int total = d->lines.Count();
    if (line < 1 || line > total || count <= 0) return;
    Impl::Operation op(*d);
    Impl::BlockGuard block(*d);
    d->ReplaceLines(line - 1, std::min(count, total - line + 1), {}, false);
    d->ClampCaret();
}

}  // namespace krq
