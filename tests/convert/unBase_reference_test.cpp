// The one-pass conversions against their literal repeated-pass algorithms on random texts.
#include <gtest/gtest.h>

#include <random>

#include "convert/unBase.h"
#include "convert/unBatch.h"
#include "platform/cp1250.h"

namespace krq {
namespace {

// Replaces every occurrence of `from`, found left to right without overlap; the inserted text is
// not searched again. With `fold`, ASCII letters compare without regard to case.
std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to,
                       bool fold = false) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    auto matchesAt = [&](size_t at) {
        for (size_t j = 0; j < from.size(); ++j)
            if (fold ? lower(text[at + j]) != lower(from[j]) : text[at + j] != from[j])
                return false;
        return true;
    };
    std::string out;
    size_t i = 0;
    while (i < text.size()) {
        if (i + from.size() <= text.size() && matchesAt(i)) {
            out += to;
            i += from.size();
        } else {
            out += text[i++];
        }
    }
    return out;
}

std::string LiteralDelSpaces(std::string text) {
    while (text.find("  ") != std::string::npos) text = ReplaceAll(text, "  ", " ");
    return text;
}

std::string LiteralTtoE(std::string text) {
    for (const TEncion& e : tblEncions) text = ReplaceAll(text, std::string(1, e.Sign), e.Code);
    return text;
}

std::string LiteralEtoT(std::string text) {
    for (size_t k = 1; k < tblEncions.size(); ++k)
        text = ReplaceAll(text, tblEncions[k].Code, std::string(1, tblEncions[k].Sign), true);
    return ReplaceAll(text, tblEncions[0].Code, std::string(1, tblEncions[0].Sign), true);
}

std::string LiteralDelHTML(std::string_view text) {
    std::string out;
    uint8_t depth = 0;
    for (char c : text) {
        if (c == '<') ++depth;
        if (depth == 0) out += c;
        if (c == '>') --depth;
    }
    return out;
}

// Capitals after a space and two bytes after a CR, as for texts with CR LF breaks.
std::string LiteralFirstBig(std::string_view text) {
    std::string out = fncLittleChar(text);
    if (out.empty()) return out;
    auto up = [&](size_t i) { out[i] = static_cast<char>(cp1250::ToUpper(out[i])); };
    up(0);
    for (size_t i = 0; i + 1 < out.size(); ++i) {
        if (out[i] == ' ') up(i + 1);
        if (out[i] == '\r' && i + 2 < out.size()) up(i + 2);
    }
    return out;
}

std::vector<std::string> LiteralLines(std::string_view text) {
    std::vector<std::string> lines;
    std::string line;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            lines.push_back(line);
            line.clear();
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            line += text[i];
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

std::string LiteralDelLines(std::string_view text) {
    std::string out;
    for (const std::string& line : LiteralLines(text))
        if (!line.empty()) out += line + "\r\n";
    return out;
}

std::string LiteralNormalizeLines(std::string_view text) {
    std::string out;
    for (const std::string& line : LiteralLines(text)) out += line + "\r\n";
    return out;
}

std::string LiteralISOCode(std::string_view text) {
    std::string out;
    for (char c : text) out += static_cast<char>(mapWinToIso[static_cast<uint8_t>(c)]);
    for (size_t at = 0; at + 12 <= out.size(); ++at) {
        if (ReplaceAll(out.substr(at, 12), "Windows-1250", "", true).empty()) {
            out.replace(at, 12, "iso-8859-2");
            break;
        }
    }
    return out;
}

// Random texts built from the pieces the conversions react to, in mixed letter case.
class TextMaker {
  public:
    explicit TextMaker(uint32_t seed) : random_(seed) {
        for (const TEncion& e : tblEncions) {
            pieces_.push_back(e.Code);
            pieces_.push_back(std::string(1, e.Sign));
        }
        for (const char* p :
             {"&am",       "&amp", "&",    ";",    "&#",           "&#1",         "&#0163;",
              "&#38;",     "amp;", "lt;",  "&l",   "<b>",          "</p>",        "<",
              ">",         "<<",   ">>",   " ",    "  ",           "   ",         "\t",
              "\r",        "\n",   "\r\n", "\r\r", "\n\r",         "a",           "Z",
              "word",      "KOT",  "1250", "-",    "Windows-1250", "WINDOWS-125", "iso-8859-2",
              "ISO-8859-", "#"})
            pieces_.push_back(p);
        for (const char* polish : {"ą", "ć", "ę", "ł", "ń", "ó", "ś", "ź", "ż", "Ą", "Ć",
                                   "Ę", "Ł", "Ń", "Ó", "Ś", "Ź", "Ż", "é", "É", "ß"})
            pieces_.push_back(cp1250::FromUtf8(polish));
    }

    std::string Make(size_t maxPieces) {
        std::string text;
        size_t count = random_() % (maxPieces + 1);
        for (size_t k = 0; k < count; ++k) {
            uint32_t pick = random_() % 100;
            if (pick < 8) {
                text += static_cast<char>(random_() % 256);
            } else if (pick < 9) {
                text += std::string(250 + random_() % 20, random_() % 2 ? '<' : '>');
            } else {
                std::string piece = pieces_[random_() % pieces_.size()];
                for (char& c : piece)
                    if (random_() % 3 == 0) c = static_cast<char>(cp1250::ToUpper(c));
                text += piece;
            }
        }
        return text;
    }

    std::string RandomBytes(size_t maxLength) {
        std::string text(random_() % (maxLength + 1), '\0');
        for (char& c : text) c = static_cast<char>(random_() % 256);
        return text;
    }

  private:
    std::mt19937 random_;
    std::vector<std::string> pieces_;
};

bool HasLoneBreak(std::string_view text) {
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')) return true;
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) return true;
    }
    return false;
}

TEST(Reference, OnePassConversionsMatchTheLiteralAlgorithms) {
    TextMaker maker(20260101);
    for (int round = 0; round < 3000; ++round) {
        std::string text = round % 4 == 0 ? maker.RandomBytes(300) : maker.Make(120);
        ASSERT_EQ(fncEtoT(text), LiteralEtoT(text)) << testing::PrintToString(text);
        ASSERT_EQ(fncTtoE(text), LiteralTtoE(text)) << testing::PrintToString(text);
        ASSERT_EQ(fncDelSpaces(text), LiteralDelSpaces(text)) << testing::PrintToString(text);
        ASSERT_EQ(fncDelHTML(text), LiteralDelHTML(text)) << testing::PrintToString(text);
        ASSERT_EQ(fncDelLines(text), LiteralDelLines(text)) << testing::PrintToString(text);
        ASSERT_EQ(NormalizeLines(text), LiteralNormalizeLines(text));
        ASSERT_EQ(NormalizeLines(NormalizeLines(text)), LiteralNormalizeLines(text));
        ASSERT_EQ(fncISOCode(text), LiteralISOCode(text)) << testing::PrintToString(text);
        std::string crlf = NormalizeLines(text);
        ASSERT_EQ(fncFirstBig(crlf), LiteralFirstBig(crlf)) << testing::PrintToString(crlf);
        if (!HasLoneBreak(text)) {
            ASSERT_EQ(fncFirstBig(text), LiteralFirstBig(text));
        }
    }
}

TEST(Reference, EntityRoundTripsAndEntityBuiltAcrossDecodedText) {
    TextMaker maker(7);
    for (int round = 0; round < 1000; ++round) {
        std::string text = maker.Make(80);
        ASSERT_EQ(fncEtoT(fncTtoE(text)), text) << testing::PrintToString(text);
    }
    // Decoding never builds a new entity from a decoded byte and the text around it.
    for (const char* text : {"&amp;lt;", "&&lt;lt;", "&#38;lt;", "&amp;&amp;amp;", "&lt&gt;;",
                             "&AMP;#163;", "&#3&#52;;"})
        EXPECT_EQ(fncEtoT(text), LiteralEtoT(text)) << text;
}

}  // namespace
}  // namespace krq
