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

std::string_view TrimRight(std::string_view s) {
    size_t n = s.size();
    while (n > 0 && (s[n - 1] == ' ' || s[n - 1] == '\t')) --n;
    return s.substr(0, n);
}

// Length of the common prefix of a and b, known to be at least `from`, compared a page at a
// time.
size_t CommonPrefix(std::string_view a, std::string_view b, size_t from) {
    size_t limit = std::min(a.size(), b.size());
    size_t p = std::min(from, limit);
    constexpr size_t kChunk = 4096;
    while (p + kChunk <= limit && std::memcmp(a.data() + p, b.data() + p, kChunk) == 0) p += kChunk;
    while (p < limit && a[p] == b[p]) ++p;
    return p;
}

// Length of the common suffix of a and b, at most `limit` and known to be at least `from`.
size_t CommonSuffix(std::string_view a, std::string_view b, size_t limit, size_t from) {
    size_t s = std::min(from, limit);
    constexpr size_t kChunk = 4096;
    while (s + kChunk <= limit && std::memcmp(a.data() + a.size() - s - kChunk,
                                              b.data() + b.size() - s - kChunk, kChunk) == 0)
        s += kChunk;
    while (s < limit && a[a.size() - 1 - s] == b[b.size() - 1 - s]) ++s;
    return s;
}

void Put(char*& out, std::string_view part) {
    if (part.empty()) return;
    std::memcpy(out, part.data(), part.size());
    out += part.size();
}

// A new line made of a, `spaces` blanks, b and c, written once into its own storage.
TKrqLineText Build(std::string_view a, size_t spaces, std::string_view b, std::string_view c = {}) {
    char* out;
    TKrqLineText line = TKrqLineText::Uninitialized(a.size() + spaces + b.size() + c.size(), out);
    if (!out) return line;
    Put(out, a);
    std::memset(out, ' ', spaces);
    out += spaces;
    Put(out, b);
    Put(out, c);
    return line;
}

}  // namespace

void TKrqEditModel::Impl::ReleaseHeld() {
    const int line0 = heldLine0;
    heldLine0 = -1;
    if (line0 < 0 || line0 >= lines.Count()) return;
    TKrqLineText held = lines.Line(line0);
    ChangeLine(line0, TKrqLineText::Copy(held.view()), 0);
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
        std::string_view trimmed = TrimRight(text.view());
        if (trimmed.size() < keep) trimmed = text.view().substr(0, std::min(keep, text.size()));
        if (trimmed.size() != text.size()) {
            text = TKrqLineText::Copy(trimmed);
            sameSuffix = 0;
        }
    }
    TKrqLineText old = lines.Line(line0);
    std::string_view o = old.view();
    std::string_view n = text.view();
    TKrqUndoEntry& e = history.open;
    if (o.size() < kSpliceThreshold) {
        if (o == n) return;
        e.records.push_back({TKrqUndoRecord::kReplaceLines, false, line0, 0, 1, 1, e.texts.size()});
        e.texts.push_back(std::move(old));
        e.texts.push_back(text);
        lines.SetLine(line0, std::move(text));
        OwnChange();
        return;
    }
    size_t limit = std::min(o.size(), n.size());
    size_t p = CommonPrefix(o, n, samePrefix);
    size_t s = CommonSuffix(o, n, limit - p, sameSuffix);
    if (p + s == o.size() && p + s == n.size()) return;
    size_t removed = o.size() - p - s;
    size_t inserted = n.size() - p - s;
    e.records.push_back({TKrqUndoRecord::kSplice, false, line0, static_cast<uint32_t>(p),
                         static_cast<uint32_t>(removed), static_cast<uint32_t>(inserted),
                         e.bytes.size()});
    e.bytes.append(o.substr(p, removed));
    e.bytes.append(n.substr(p, inserted));
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
            std::string_view trimmed = TrimRight(t.view());
            if (writesHeld && static_cast<int>(i) == heldLine0 - line0) {
                const size_t kept = std::max(trimmed.size(), std::min(heldKeep, t.size()));
                trimmed = t.view().substr(0, kept);
            }
            if (trimmed.size() != t.size()) t = TKrqLineText::Copy(trimmed);
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
    TKrqLineText curText = lines.Line(line0);  // keeps the bytes while lines change
    std::string_view cur = curText.view();
    size_t at = static_cast<size_t>(col - 1);
    size_t keep = std::min(at, cur.size());
    size_t pad = at - keep;
    std::string_view head = cur.substr(0, keep);
    std::string_view tail = cur.substr(keep);

    if (pieces.size() == 1) {
        ChangeLine(line0, Build(head, pad, text, tail), keep, tail.size());
        return {col + static_cast<int>(text.size()), line};
    }

    int n = static_cast<int>(pieces.size());
    std::vector<TKrqLineText> added;
    added.reserve(pieces.size());
    if (at == 0) {
        // The whole line moves down, so it is the new lines that go in above it.
        for (int i = 0; i + 1 < n; ++i) added.push_back(TKrqLineText::Copy(pieces[i]));
        ReplaceLines(line0, 0, std::move(added), false);
        ChangeLine(line0 + n - 1, Build(pieces.back(), 0, cur), 0, cur.size());
    } else {
        ChangeLine(line0, Build(head, pad, pieces[0]), keep, 0);
        for (int i = 1; i + 1 < n; ++i) added.push_back(TKrqLineText::Copy(pieces[i]));
        added.push_back(Build(pieces.back(), 0, tail));
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
    if (end.Line > count) end = {static_cast<int>(lines[count - 1].size()) + 1, count};
    end.Line = std::max(1, end.Line);
    end.Char = std::max(1, end.Char);
    if (end <= begin) return;
    int b0 = begin.Line - 1;
    int e0 = end.Line - 1;
    size_t cb = static_cast<size_t>(begin.Char - 1);
    size_t ce = static_cast<size_t>(end.Char - 1);
    TKrqLineText firstText = lines.Line(b0);
    std::string_view first = firstText.view();
    size_t kb = std::min(cb, first.size());
    if (b0 == e0) {
        size_t ke = std::min(ce, first.size());
        if (ke <= kb) return;
        ChangeLine(b0, Build(first.substr(0, kb), 0, first.substr(ke)), kb, first.size() - ke);
        return;
    }
    TKrqLineText lastText = lines.Line(e0);
    std::string_view last = lastText.view();
    std::string_view rest = last.substr(std::min(ce, last.size()));
    // When the deletion starts beyond the end of its line, the joined text still starts at
    // that column, so an insertion there lands right behind it.
    size_t pad = rest.empty() ? 0 : cb - kb;
    ChangeLine(b0, Build(first.substr(0, kb), pad, rest), kb, 0);
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
    Impl::Operation op(*d);
    Impl::BlockGuard block(*d);
    d->ChangeLine(line - 1, TKrqLineText::Copy(text), 0);
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
