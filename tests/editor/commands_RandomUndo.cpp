// Random command sequences must undo back to the original bytes and redo to the edited ones;
// the search engine must agree with a brute-force search.
#include <random>

#include "commands_Fixture.h"
#include "editor/model/TKrqEditSearch.h"

namespace krq::test {
namespace {

class MemoryClipboard : public TKrqClipboard {
  public:
    std::string plain;
    std::optional<std::string> block;
    void Put(const std::string& p, const std::string& b) override {
        plain = p;
        block = b;
    }
    bool Get(std::string& p, std::optional<std::string>& b) override {
        p = plain;
        b = block;
        return !plain.empty() || block.has_value();
    }
};

std::string Dump(const TKrqEditModel& m) {
    std::string out;
    for (int i = 0; i < m.Lines().Count(); ++i) out.append(m.Lines()[i]).append("|");
    return out;
}

TEST(RandomCommands, EverythingUndoesByteForByte) {
    const std::string chars = cp1250::FromUtf8("ab ąŁ\t_(x)");
    const int keys[][2] = {
        {vkReturn, 0},
        {vkTab, 0},
        {vkTab, ssShift},
        {vkBack, 0},
        {vkDelete, 0},
        {vkBack, ssCtrl},
        {'T', ssCtrl},
        {'Y', ssCtrl},
        {'Y', ssCtrl | ssShift},
        {'N', ssCtrl},
        {'I', ssCtrl | ssShift},
        {'U', ssCtrl | ssShift},
        {'V', ssCtrl},
        {'X', ssCtrl},
        {'C', ssCtrl},
        {vkInsert, 0},
        {vkLeft, ssShift},
        {vkDown, ssShift},
        {vkRight, ssCtrl | ssShift},
        {vkEnd, 0},
        {'C', ssCtrl | ssShift},
        {'N', ssCtrl | ssShift},
        {'L', ssCtrl | ssShift},
    };
    int changed = 0;
    for (unsigned seed = 1; seed <= 40; ++seed) {
        std::mt19937 rng(seed);
        TKrqEditModel m;
        MemoryClipboard clip;
        m.SetClipboard(&clip);
        if (seed % 3 == 0) m.SetOptions(m.Options() & ~eoTrimTrailingSpaces);
        std::string bytes;
        for (int y = rng() % 8; y > 0; --y) {
            for (int n = rng() % 12; n > 0; --n) bytes += chars[rng() % chars.size()];
            bytes += "\r\n";
        }
        m.Lines().LoadFromBytes(bytes);
        const std::string original = Dump(m);
        for (int op = 0; op < 200; ++op) {
            switch (rng() % 6) {
                case 0:
                case 1:
                    m.KeyPress(chars[rng() % chars.size()]);
                    break;
                case 2: {
                    const auto& k = keys[rng() % std::size(keys)];
                    m.KeyDown(k[0], k[1]);
                    break;
                }
                case 3:
                    m.SetCaretXY(
                        {static_cast<int>(rng() % 14) + 1, static_cast<int>(rng() % 9) + 1});
                    break;
                case 4:
                    m.SetSelection(
                        {static_cast<int>(rng() % 14) + 1, static_cast<int>(rng() % 9) + 1},
                        m.CaretXY());
                    break;
                default: {
                    TKrqSearchOptions o = rng() % 2 ? ssoReplaceAll : ssoReplace | ssoPrompt;
                    if (rng() % 2) o |= ssoSelectedOnly;
                    std::string s(1, chars[rng() % 3]);
                    m.FindAndReplace(s, rng() % 2 ? "\r\n" : "zz", o);
                    break;
                }
            }
        }
        const std::string edited = Dump(m);
        if (edited != original) ++changed;
        int undone = 0;
        while (m.CanUndo()) {
            m.Undo();
            ASSERT_LT(++undone, 2000);
        }
        ASSERT_EQ(Dump(m), original) << "seed " << seed;
        while (m.CanRedo()) m.Redo();
        ASSERT_EQ(Dump(m), edited) << "seed " << seed;
    }
    EXPECT_GT(changed, 35);
}

// Every non-overlapping occurrence found greedily from the left, checked position by position.
std::vector<int> BruteForce(std::string_view line, std::string_view pat, bool matchCase,
                            bool wholeWord) {
    auto fold = [&](char c) {
        return matchCase ? static_cast<uint8_t>(c) : cp1250::ToLower(static_cast<uint8_t>(c));
    };
    auto word = [](char c) { return c == '_' || cp1250::IsAlnum(static_cast<uint8_t>(c)); };
    std::vector<int> out;
    for (size_t i = 0; i + pat.size() <= line.size();) {
        bool eq = true;
        for (size_t k = 0; k < pat.size() && eq; ++k) eq = fold(line[i + k]) == fold(pat[k]);
        if (eq && wholeWord) {
            eq = (i == 0 || !word(line[i - 1])) &&
                 (i + pat.size() == line.size() || !word(line[i + pat.size()]));
        }
        if (eq) {
            out.push_back(static_cast<int>(i));
            i += pat.size();
        } else {
            ++i;
        }
    }
    return out;
}

TEST(SearchEngine, AgreesWithBruteForce) {
    std::mt19937 rng(3);
    const std::string alphabet = cp1250::FromUtf8("aAąĄ_ 1łŁ-");
    auto text = [&](int maxLen) {
        std::string s;
        for (int n = rng() % (maxLen + 1); n > 0; --n) s += alphabet[rng() % alphabet.size()];
        return s;
    };
    TKrqEditSearch engine;
    std::vector<int> found;
    for (int round = 0; round < 5000; ++round) {
        std::string line = text(40);
        std::string pat = text(3);
        if (pat.empty()) continue;
        bool matchCase = rng() % 2;
        bool wholeWord = rng() % 2;
        engine.SetPattern(pat, matchCase, wholeWord);
        engine.FindAll(line, found);
        ASSERT_EQ(found, BruteForce(line, pat, matchCase, wholeWord)) << round;
    }
}

}  // namespace
}  // namespace krq::test
