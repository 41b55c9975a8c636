// What the lexer benchmarks share: a generated document of about 20 MB and the timed loop that
// lexes it line by line with the state carried, as the editor does.
#pragma once

#include <benchmark/benchmark.h>

#include <string>
#include <string_view>
#include <vector>

#include "lexers/KrqLexer.h"
#include "platform/cp1250.h"

namespace krq::bench {

// A document as its text (Windows-1250 bytes) and its lines without their breaks.
struct TDocument {
    std::string text;
    std::vector<std::string_view> lines;
};

// Repeats `utf8Block` (lines each ending in "\n") until about 20 MB, replacing `marker` by a
// running number (taken modulo `wrap` when it is not 0) so that names and numbers vary. Lines
// end in `lineBreak`; the lexer sees each line without it.
inline TDocument GenerateDocument(std::string_view utf8Block, std::string_view marker,
                                  unsigned wrap, std::string_view lineBreak) {
    constexpr size_t kTarget = 20u << 20;
    const std::string block = cp1250::FromUtf8(utf8Block);
    TDocument doc;
    doc.text.reserve(kTarget + 4096);
    for (unsigned k = 0; doc.text.size() < kTarget; ++k) {
        const std::string number = std::to_string(wrap ? k % wrap : k);
        for (size_t i = 0; i < block.size(); ++i) {
            if (block.compare(i, marker.size(), marker) == 0) {
                doc.text += number;
                i += marker.size() - 1;
            } else if (block[i] == '\n') {
                doc.text += lineBreak;
            } else {
                doc.text += block[i];
            }
        }
    }
    std::string_view all(doc.text);
    for (size_t start = 0; start < all.size();) {
        size_t end = all.find(lineBreak, start);
        if (end == std::string_view::npos) end = all.size();
        doc.lines.push_back(all.substr(start, end - start));
        start = end + lineBreak.size();
    }
    return doc;
}

// Lexes the whole document per iteration, from state 0 and carrying the state between lines.
inline void LexDocument(benchmark::State& state, const TKrqLexer& lexer, const TDocument& doc) {
    std::vector<TKrqToken> tokens;
    tokens.reserve(1024);
    for (auto _ : state) {
        int lineState = 0;
        size_t count = 0;
        for (auto line : doc.lines) {
            tokens.clear();
            lineState = lexer.LexLine(line, lineState, tokens);
            count += tokens.size();
        }
        benchmark::DoNotOptimize(count);
        benchmark::DoNotOptimize(lineState);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(doc.text.size()));
}

}  // namespace krq::bench
