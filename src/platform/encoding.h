// Document encodings: the editor works on Windows-1250 bytes, so a document in another encoding
// is decoded into them when it is read and encoded back when it is written.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace krq {

enum class TDocEncoding : uint8_t { Windows1250, Iso88592, Utf8, Utf8Bom };

// Every encoding, in the order the menus and the save dialog offer them.
inline constexpr TDocEncoding kDocEncodings[] = {TDocEncoding::Windows1250, TDocEncoding::Iso88592,
                                                 TDocEncoding::Utf8, TDocEncoding::Utf8Bom};

// "Windows-1250", "ISO-8859-2", "UTF-8", "UTF-8 BOM": the status bar and the menus show these.
const char* EncodingName(TDocEncoding encoding);
// Accepts the names above and the usual spellings (windows-1250, cp1250, iso-8859-2, latin2,
// utf-8, utf8, utf-8-bom), in any case.
std::optional<TDocEncoding> EncodingFromName(std::string_view name);

// A byte-order mark, or valid UTF-8 with at least one multi-byte sequence, is UTF-8; anything
// else is Windows-1250 (nothing tells ISO-8859-2 from it reliably, so that stays the user's
// choice).
TDocEncoding DetectEncoding(std::string_view bytes);

// The outcome of turning a file's bytes into Windows-1250 bytes.
struct TDecodeReport {
    TDocEncoding Requested = TDocEncoding::Windows1250;  // detected or chosen by the user
    TDocEncoding Encoding = TDocEncoding::Windows1250;   // what the document now is
    // Characters (or ISO-8859-2 bytes) without a Windows-1250 byte; when nonzero the bytes
    // were left as they were and the document is Windows-1250.
    size_t Unmapped = 0;
    // The bytes were not valid in the requested encoding (invalid UTF-8); left as they were.
    bool Invalid = false;
    bool Lossless() const { return Unmapped == 0 && !Invalid; }
};

// Decodes `data[0, size)` from `encoding` into Windows-1250 bytes in place (the result is never
// longer) and sets `size`. Nothing is changed unless every character has a byte: then the
// report says why, and the bytes stay as they were as a Windows-1250 document.
TDecodeReport DecodeInPlace(char* data, size_t& size, TDocEncoding encoding);
// The same on a copy.
TDecodeReport Decode(std::string& bytes, TDocEncoding encoding);

// How every file the user names is read (a document, a batch file, an inserted text): from
// `encoding` when the user chose one, otherwise from the encoding DetectEncoding finds.
TDecodeReport DecodeFileInPlace(char* data, size_t& size,
                                std::optional<TDocEncoding> encoding = std::nullopt);
TDecodeReport DecodeFile(std::string& bytes, std::optional<TDocEncoding> encoding = std::nullopt);

// Encoding Windows-1250 bytes. Bytes without a character in the target (the five undefined
// bytes for UTF-8, most of 80-BF for ISO-8859-2) cannot be written without loss: they are
// counted, and a caller must not write the result.
size_t CountUnencodable(std::string_view cp1250, TDocEncoding encoding);
// The encoded length of `cp1250` (the mark excluded).
size_t EncodedSize(std::string_view cp1250, TDocEncoding encoding);
// Both of the above in one pass: {EncodedSize, CountUnencodable}.
std::pair<size_t, size_t> EncodedSizeAndUnencodable(std::string_view cp1250, TDocEncoding encoding);
// Writes the encoding of `cp1250` to `out`, which has room for EncodedSize bytes; returns the
// end. Unencodable bytes come out as '?'.
char* EncodeTo(std::string_view cp1250, TDocEncoding encoding, char* out);
std::string Encode(std::string_view cp1250, TDocEncoding encoding, bool withMark = true);

// Why a file was read unconverted, in Polish (UTF-8) for the user, naming the file; "" when
// the report is lossless. Every place that reads a user's file shows this one text.
std::string DecodingMessage(std::string_view fileName, const TDecodeReport& report);

// For tools that must not write what they could not read: decodes `bytes` as DecodeFile does
// or throws EKrqError naming `name`; returns the encoding to write back (UTF-8 with the mark
// when the input had it).
TDocEncoding DecodeOrRaise(std::string& bytes, std::optional<TDocEncoding> encoding,
                           const std::string& name);
// Encodes with the mark where the encoding has one, or throws when a byte cannot be held.
std::string EncodeOrRaise(std::string_view cp1250, TDocEncoding encoding, const std::string& name);

namespace detail {
// The code paths of UTF-8, fastest first: 64 bytes a step (AVX-512), 32 (AVX2), 16 (SSSE3), and
// the portable one. A path the processor lacks gives way to the next one it has, and a path
// with no step of that width (decoding has none of 64) to the next narrower; tests run every
// path so that each is held to the same results.
enum class TVectorPath { Fastest, Wide, Narrow, Portable };
// The UTF-8 decoder behind DecodeInPlace: decodes `data[skip, size)` into Windows-1250 bytes in
// place when every character is valid and has a byte (setting `size`, and `multiByte` when a
// sequence was seen), otherwise leaves the bytes as they were and returns false.
bool DecodeUtf8Checked(char* data, size_t& size, size_t skip, bool& multiByte, TVectorPath path);
// EncodeTo and EncodedSizeAndUnencodable for UTF-8.
char* EncodeUtf8(std::string_view cp1250, char* out, TVectorPath path);
std::pair<size_t, size_t> Utf8SizeAndLoss(std::string_view cp1250, TVectorPath path);
}  // namespace detail

// The mark a UTF-8 BOM document starts with.
inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

}  // namespace krq
