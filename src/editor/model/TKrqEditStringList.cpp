// The line list of the document: lines in blocks, editing, joining into text.
#include "editor/model/TKrqEditStringList.h"

#include <cstring>
#include <iterator>
#include <stdexcept>

#include "editor/model/TKrqEditStringListImpl.h"

namespace krq {

namespace {

void CheckIndex(bool ok) {
    if (!ok) throw std::out_of_range("TKrqEditStringList: line index out of range");
}

}  // namespace

void TKrqEditStringList::Impl::Renumber(size_t from) {
    starts.resize(blocks.size() + 1);
    starts[0] = 0;
    for (size_t b = from; b < blocks.size(); ++b)
        starts[b + 1] = starts[b] + static_cast<int>(blocks[b].size());
}

void TKrqEditStringList::Impl::SplitIfLarge(size_t b) {
    if (blocks[b].size() <= kBlockMax) return;
    TBlock whole = std::move(blocks[b]);
    std::vector<TBlock> pieces;
    for (size_t i = 0; i < whole.size(); i += kBlockTarget) {
        size_t end = std::min(whole.size(), i + kBlockTarget);
        pieces.emplace_back(std::make_move_iterator(whole.begin() + static_cast<long>(i)),
                            std::make_move_iterator(whole.begin() + static_cast<long>(end)));
    }
    blocks.erase(blocks.begin() + static_cast<long>(b));
    blocks.insert(blocks.begin() + static_cast<long>(b), std::make_move_iterator(pieces.begin()),
                  std::make_move_iterator(pieces.end()));
}

void TKrqEditStringList::Impl::Erase(int index, int count) {
    if (count <= 0) return;
    size_t b = FindBlock(index);
    size_t first = b;
    size_t offset = static_cast<size_t>(index - starts[b]);
    size_t left = static_cast<size_t>(count);
    while (left > 0) {
        TBlock& block = blocks[b];
        size_t k = std::min(left, block.size() - offset);
        if (k == block.size()) {
            // Whole blocks go in one step to keep deleting a million lines linear.
            size_t e = b;
            while (e < blocks.size() && left >= blocks[e].size()) left -= blocks[e++].size();
            blocks.erase(blocks.begin() + static_cast<long>(b),
                         blocks.begin() + static_cast<long>(e));
        } else {
            block.erase(block.begin() + static_cast<long>(offset),
                        block.begin() + static_cast<long>(offset + k));
            left -= k;
            ++b;
        }
        offset = 0;
    }
    // Merge a block left small with a neighbour so the block count stays proportional.
    if (first > 0) --first;
    for (size_t m = first; m < std::min(blocks.size(), first + 3) && m + 1 < blocks.size();) {
        if (blocks[m].size() + blocks[m + 1].size() <= kBlockTarget) {
            blocks[m].insert(blocks[m].end(), std::make_move_iterator(blocks[m + 1].begin()),
                             std::make_move_iterator(blocks[m + 1].end()));
            blocks.erase(blocks.begin() + static_cast<long>(m + 1));
        } else {
            ++m;
        }
    }
    cached = 0;
    Renumber(first);
}

void TKrqEditStringList::Impl::InsertRange(int index, const TKrqLineText* texts, int n) {
    if (n <= 0) return;
    size_t b;
    size_t offset;
    if (blocks.empty()) {
        blocks.emplace_back();
        b = 0;
        offset = 0;
    } else if (index == Count()) {
        b = blocks.size() - 1;
        offset = blocks[b].size();
    } else {
        b = FindBlock(index);
        offset = static_cast<size_t>(index - starts[b]);
    }
    TBlock& block = blocks[b];
    block.insert(block.begin() + static_cast<long>(offset), texts, texts + n);
    SplitIfLarge(b);
    cached = b;
    Renumber(b);
}

void TKrqEditStringList::Impl::Adopt(std::vector<TBlock>&& newBlocks,
                                     std::shared_ptr<TKrqLoadedBytes> bytes) {
    blocks = std::move(newBlocks);
    storage = std::move(bytes);
    cached = 0;
    ++serial;
    Renumber(0);
}

TKrqEditStringList::TKrqEditStringList() : d(std::make_unique<Impl>()) {}
TKrqEditStringList::~TKrqEditStringList() = default;

int TKrqEditStringList::Count() const { return d->Count(); }

std::string_view TKrqEditStringList::operator[](int index) const {
    CheckIndex(index >= 0 && index < d->Count());
    return d->At(index).view();
}

size_t TKrqEditStringList::Length(int index) const {
    CheckIndex(index >= 0 && index < d->Count());
    return d->At(index).size();
}

TKrqLineText TKrqEditStringList::Line(int index) const {
    CheckIndex(index >= 0 && index < d->Count());
    return d->At(index);
}

void TKrqEditStringList::Set(int index, std::string_view text) {
    SetLine(index, TKrqLineText::Copy(text));
}

void TKrqEditStringList::SetLine(int index, TKrqLineText text) {
    CheckIndex(index >= 0 && index < d->Count());
    d->At(index) = std::move(text);
    ++d->serial;
}

void TKrqEditStringList::SwapLine(int index, TKrqLineText& text) {
    CheckIndex(index >= 0 && index < d->Count());
    d->At(index).swap(text);
    ++d->serial;
}

void TKrqEditStringList::Insert(int index, std::string_view text) {
    TKrqLineText line = TKrqLineText::Copy(text);
    Replace(index, 0, &line, 1);
}

void TKrqEditStringList::Insert(int index, const std::vector<std::string>& lines) {
    std::vector<TKrqLineText> texts;
    texts.reserve(lines.size());
    for (const std::string& line : lines) texts.push_back(TKrqLineText::Copy(line));
    Replace(index, 0, texts.data(), static_cast<int>(texts.size()));
}

void TKrqEditStringList::Delete(int index, int count) { Replace(index, count, nullptr, 0); }

void TKrqEditStringList::Replace(int index, int count, const TKrqLineText* texts, int n) {
    CheckIndex(index >= 0 && count >= 0 && n >= 0 && index + count <= d->Count());
    ++d->serial;
    int common = std::min(count, n);
    for (int i = 0; i < common; ++i) d->At(index + i) = texts[i];
    if (count > n)
        d->Erase(index + common, count - common);
    else
        d->InsertRange(index + common, texts + common, n - common);
}

void TKrqEditStringList::Clear() { d->Adopt({}, nullptr); }

TLineBreak TKrqEditStringList::LineBreak() const { return d->lineBreak; }
void TKrqEditStringList::SetLineBreak(TLineBreak lineBreak) { d->lineBreak = lineBreak; }

std::shared_ptr<const void> TKrqEditStringList::Storage() const { return d->storage; }
uint64_t TKrqEditStringList::Serial() const { return d->serial; }

size_t TKrqEditStringList::ByteCount(int first, int count) const {
    CheckIndex(first >= 0 && count >= 0 && first + count <= d->Count());
    size_t total = 0;
    int index = first;
    int end = first + count;
    while (index < end) {
        size_t b = d->FindBlock(index);
        const Impl::TBlock& block = d->blocks[b];
        size_t from = static_cast<size_t>(index - d->starts[b]);
        size_t to = std::min(block.size(), from + static_cast<size_t>(end - index));
        for (size_t i = from; i < to; ++i) total += block[i].size();
        index += static_cast<int>(to - from);
    }
    return total;
}

std::string TKrqEditStringList::Join(int first, int count, std::string_view lineBreak,
                                     bool finalBreak) const {
    std::string out;
    AppendJoined(out, first, count, lineBreak, finalBreak);
    return out;
}

void TKrqEditStringList::AppendJoined(std::string& out, int first, int count,
                                      std::string_view lineBreak, bool finalBreak) const {
    if (count <= 0) return;
    size_t breaks = static_cast<size_t>(count) - (finalBreak ? 0 : 1);
    size_t start = out.size();
    out.resize(start + ByteCount(first, count) + breaks * lineBreak.size());
    char* p = out.data() + start;
    int index = first;
    int end = first + count;
    while (index < end) {
        size_t b = d->FindBlock(index);
        const Impl::TBlock& block = d->blocks[b];
        size_t from = static_cast<size_t>(index - d->starts[b]);
        size_t to = std::min(block.size(), from + static_cast<size_t>(end - index));
        for (size_t i = from; i < to; ++i) {
            const TKrqLineText& line = block[i];
            line.CopyTo(0, line.size(), p);
            p += line.size();
            if (++index < end || finalBreak) {
                std::memcpy(p, lineBreak.data(), lineBreak.size());
                p += lineBreak.size();
            }
        }
    }
}

std::string TKrqEditStringList::LinesText() const { return Join(0, Count(), "\r\n", true); }

std::string TKrqEditStringList::Text() const { return Join(0, Count(), "\r\n", false); }

}  // namespace krq
