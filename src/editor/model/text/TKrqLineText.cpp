// Long lines in pieces: cutting, joining and reading them.
#include "editor/model/text/TKrqLineText.h"

#include <algorithm>

namespace krq {

size_t TKrqLineText::TRope::Find(size_t at) const {
    return static_cast<size_t>(std::upper_bound(ends.begin(), ends.end(), at) - ends.begin());
}

std::string_view TKrqLineText::FlatView() const {
    TRope& rope = *Rope();
    if (rope.flat.empty() && size() > 0) {
        char* out;
        TKrqLineText flat = Uninitialized(size(), out);
        CopyTo(0, size(), out);
        rope.flat = std::move(flat);
    }
    return {rope.flat.data_, rope.flat.size()};
}

std::string_view TKrqLineText::RunAt(size_t at) const {
    if (Kind() != kRope) return {data_ + at, size() - at};
    const TRope& rope = *Rope();
    size_t i = rope.Find(at);
    size_t off = at - (i ? rope.ends[i - 1] : 0);
    const TPiece& p = rope.pieces[i];
    return {p.data + off, p.size - off};
}

std::string_view TKrqLineText::RunBefore(size_t end) const {
    if (Kind() != kRope) return {data_, end};
    const TRope& rope = *Rope();
    size_t i = rope.Find(end - 1);
    size_t start = i ? rope.ends[i - 1] : 0;
    return {rope.pieces[i].data, end - start};
}

TKrqLineText TKrqLineText::Replaced(size_t at, size_t count, const TKrqLineText& insert) const {
    at = std::min(at, size());
    count = std::min(count, size() - at);
    const size_t total = size() - count + insert.size();
    if (total < kLongLine) {
        char* out;
        TKrqLineText text = Uninitialized(total, out);
        if (!out) return text;
        CopyTo(0, at, out);
        insert.CopyTo(0, insert.size(), out + at);
        CopyTo(at + count, size() - at - count, out + at + insert.size());
        return text;
    }
    std::vector<TPiece> pieces;
    AppendPieces(0, at, pieces);
    insert.AppendPieces(0, insert.size(), pieces);
    AppendPieces(at + count, size(), pieces);
    return FromPieces(std::move(pieces), total);
}

void TKrqLineText::CopyTo(size_t from, size_t count, char* out) const {
    if (count == 0) return;
    ForEachRun(from, from + count, [&](std::string_view run) {
        std::memcpy(out, run.data(), run.size());
        out += run.size();
    });
}

std::string TKrqLineText::Substr(size_t from, size_t count) const {
    from = std::min(from, size());
    count = std::min(count, size() - from);
    std::string out(count, '\0');
    CopyTo(from, count, out.data());
    return out;
}

TKrqLineText TKrqLineText::Sub(size_t from, size_t count) const {
    from = std::min(from, size());
    count = std::min(count, size() - from);
    if (from == 0 && count == size()) return *this;
    if (count == 0) return {};
    // The loaded bytes outlive every line, so a part of them is a slice again.
    if (Kind() == kSlice) return Slice(data_ + from, count);
    if (count < kLongLine) {
        char* out;
        TKrqLineText part = Uninitialized(count, out);
        CopyTo(from, count, out);
        return part;
    }
    std::vector<TPiece> pieces;
    AppendPieces(from, from + count, pieces);
    return FromPieces(std::move(pieces), count);
}

void TKrqLineText::AppendPieces(size_t from, size_t to, std::vector<TPiece>& out) const {
    if (Kind() != kRope) {
        // A long run is cut where pieces end, so that an edit in it copies one piece.
        for (size_t at = from; at < to; at += kPieceMax)
            out.push_back({data_ + at, std::min(kPieceMax, to - at), *this});
        return;
    }
    if (from >= to) return;
    const TRope& rope = *Rope();
    size_t i = rope.Find(from);
    size_t start = i ? rope.ends[i - 1] : 0;
    while (from < to) {
        const TPiece& p = rope.pieces[i];
        size_t off = from - start;
        size_t n = std::min(p.size - off, to - from);
        out.push_back({p.data + off, n, p.owner});
        from += n;
        start = rope.ends[i++];
    }
}

TKrqLineText TKrqLineText::Concat(std::initializer_list<TKrqLineText> parts) {
    size_t total = 0;
    size_t nonEmpty = 0;
    const TKrqLineText* only = nullptr;
    for (const TKrqLineText& part : parts) {
        total += part.size();
        if (part.empty()) continue;
        ++nonEmpty;
        only = &part;
    }
    if (nonEmpty <= 1) return only ? *only : TKrqLineText();
    if (total < kLongLine) {
        char* out;
        TKrqLineText text = Uninitialized(total, out);
        for (const TKrqLineText& part : parts) {
            part.CopyTo(0, part.size(), out);
            out += part.size();
        }
        return text;
    }
    std::vector<TPiece> pieces;
    for (const TKrqLineText& part : parts) part.AppendPieces(0, part.size(), pieces);
    return FromPieces(std::move(pieces), total);
}

TKrqLineText TKrqLineText::FromPieces(std::vector<TPiece>&& pieces, size_t size) {
    // Short pieces left by cuts are merged with a neighbour, so the pieces of a line stay
    // about kPieceMax long however often it is edited.
    std::vector<TPiece> merged;
    merged.reserve(pieces.size());
    for (TPiece& piece : pieces) {
        if (piece.size == 0) continue;
        if (!merged.empty()) {
            TPiece& last = merged.back();
            const bool fits = last.size + piece.size <= kPieceMax;
            if (fits && last.data + last.size == piece.data &&
                last.owner.data_ == piece.owner.data_) {
                last.size += piece.size;  // two parts of one run meet again
                continue;
            }
            if (fits && (last.size < kPieceMin || piece.size < kPieceMin)) {
                char* out;
                TKrqLineText joined = Uninitialized(last.size + piece.size, out);
                std::memcpy(out, last.data, last.size);
                std::memcpy(out + last.size, piece.data, piece.size);
                last = {out, last.size + piece.size, std::move(joined)};
                continue;
            }
        }
        merged.push_back(std::move(piece));
    }
    auto* rope = new TRope;
    rope->ends.reserve(merged.size());
    size_t end = 0;
    for (const TPiece& piece : merged) {
        end += piece.size;
        rope->ends.push_back(end);
    }
    rope->pieces = std::move(merged);
    TKrqLineText text;
    text.data_ = reinterpret_cast<const char*>(rope);
    text.bits_ = static_cast<uint64_t>(size) << 2 | kRope;
    return text;
}

}  // namespace krq
