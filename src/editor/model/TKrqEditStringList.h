// The document as a list of Windows-1250 lines, with its line-break convention and file I/O.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "editor/model/text/TKrqLineText.h"
#include "platform/encoding.h"

namespace krq {

enum class TLineBreak : uint8_t { CRLF, LF, CR };

// A line never holds CR, LF or NUL. Indexes are 0-based. Lines read from a file stay slices
// of the loaded bytes until first changed, so a 100 MB file costs little more than its size.
class TKrqEditStringList {
  public:
    TKrqEditStringList();
    ~TKrqEditStringList();
    TKrqEditStringList(const TKrqEditStringList&) = delete;
    TKrqEditStringList& operator=(const TKrqEditStringList&) = delete;

    int Count() const;
    // Valid until the next change of the list. A long line that was edited is kept in pieces
    // and copied into one run by this on first use; code that reads a few bytes of a line, or
    // walks it once, asks Line() for its pieces instead.
    std::string_view operator[](int index) const;
    // The length of a line, without reading its bytes.
    size_t Length(int index) const;

    void Set(int index, std::string_view text);
    void Insert(int index, std::string_view text);
    void Insert(int index, const std::vector<std::string>& lines);
    void Delete(int index, int count = 1);
    void Clear();

    TLineBreak LineBreak() const;
    void SetLineBreak(TLineBreak lineBreak);

    // Replaces every line by the file's content; the convention follows what the file held.
    // "Cannot open file %s" leaves the lines as they were.
    // The file is decoded from `encoding` (detected when none is given) into Windows-1250
    // bytes; when that would lose a character the bytes are kept as they are (see the report).
    TDecodeReport LoadLinesFromFile(const std::string& path,
                                    std::optional<TDocEncoding> encoding = std::nullopt);
    // The same rules over bytes already in memory (the file reader uses it).
    void LoadFromBytes(std::string bytes);
    // Every line followed by the convention's line break. Never loses the old file: a
    // temporary file is renamed over it. "Cannot create file %s" on failure.
    // In another encoding the lines are encoded on the way; a byte the encoding cannot hold
    // refuses the write with "Cannot encode N characters of %s as ENC" (the file untouched).
    void SaveLinesToFile(const std::string& path,
                         TDocEncoding encoding = TDocEncoding::Windows1250) const;

    // Every line followed by CR LF, whatever the convention.
    std::string LinesText() const;
    // LinesText without its final CR LF; "" for no lines.
    std::string Text() const;

    // --- Line storage shared with the model's undo history ---------------------------------
    TKrqLineText Line(int index) const;
    void SetLine(int index, TKrqLineText text);
    // Exchanges line `index` with `text`.
    void SwapLine(int index, TKrqLineText& text);
    // Replaces lines [index, index + count) by `n` lines taken from `texts`.
    void Replace(int index, int count, const TKrqLineText* texts, int n);
    // Keeps the loaded bytes alive for holders of slices of them (the undo history).
    std::shared_ptr<const void> Storage() const;
    // Changes with every change of the lines, so a holder of line numbers (the model's
    // undo history) can tell that the lines were changed behind its back.
    uint64_t Serial() const;
    // Lines [first, first + count) each followed by `lineBreak`, the last one only when
    // `finalBreak` is set.
    std::string Join(int first, int count, std::string_view lineBreak, bool finalBreak) const;
    // The same appended to `out`, which grows once.
    void AppendJoined(std::string& out, int first, int count, std::string_view lineBreak,
                      bool finalBreak) const;
    // Sum of the lengths of lines [first, first + count).
    size_t ByteCount(int first, int count) const;

  private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

}  // namespace krq
