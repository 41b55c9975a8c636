// Cutting inserted text into the pieces that go on separate lines.
#pragma once

#include <string_view>
#include <vector>

namespace krq {

// The parts of `text` between line breaks: CR LF, a lone CR and a lone LF each end a piece.
// A break at the very end leaves a final empty piece (the text after it).
inline std::vector<std::string_view> KrqSplitPieces(std::string_view text) {
    std::vector<std::string_view> pieces;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c != '\r' && c != '\n') continue;
        pieces.push_back(text.substr(start, i - start));
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    pieces.push_back(text.substr(start));
    return pieces;
}

}  // namespace krq
