// Copy, cut and paste over a fake clipboard, and the private block they exchange.
#include "commands_Fixture.h"
#include "platform/errors.h"

namespace krq::test {
namespace {

using Lines = std::vector<std::string>;

class FakeClipboard : public TKrqClipboard {
  public:
    bool has = false;
    std::string plain;
    std::optional<std::string> block;
    bool failPut = false;
    bool failGet = false;
    int puts = 0;

    void Put(std::string b) override {
        if (failPut) throw EKrqError("Clipboard copy operation failed");
        ++puts;
        has = true;
        plain = std::string(EditBlockText(b));
        block = std::move(b);
    }
    bool Get(std::string& p, std::optional<std::string>& b) override {
        if (failGet) throw EKrqError("Clipboard paste operation failed.");
        if (!has) return false;
        p = plain;
        b = block;
        return true;
    }
};

class Clipboard : public EditFixture {
  protected:
    FakeClipboard clip;
    void SetUp() override { m.SetClipboard(&clip); }
};

TEST_F(Clipboard, CopyPutsPlainTextAndTheBlockButNothingWhenUnselected) {
    SetText({"abc", "def"});
    m.CopySelection();
    EXPECT_EQ(clip.puts, 0);
    m.SetSelection({2, 1}, {2, 2});
    Key('C', ssCtrl);
    EXPECT_EQ(clip.plain, "bc\r\nd");
    EXPECT_EQ(*clip.block, std::string("\0bc\r\nd\0", 7));
}

TEST_F(Clipboard, ColumnCopyIsPaddedEvenWhileTrimming) {
    ASSERT_TRUE(m.HasOption(eoTrimTrailingSpaces));
    SetText({"abcdef", "ab", "abcdef"});
    m.SetSelectionMode(smColumn);
    m.SetSelection({5, 3}, {2, 1});
    m.CopySelection();
    EXPECT_EQ(clip.plain, "bcd\r\nb  \r\nbcd");
    EXPECT_EQ((*clip.block)[0], '\x02');
}

TEST_F(Clipboard, AColumnCopyIsPastedAsAColumnInAnyMode) {
    SetText({"abcd", "efgh"});
    m.SetSelectionMode(smColumn);
    m.SetSelection({2, 1}, {4, 2});
    m.CopySelection();
    m.SetSelectionMode(smNormal);
    SetText({"xx", "yy"});
    Caret(2, 1);
    Key('V', ssCtrl);
    EXPECT_EQ(Text(), (Lines{"xbcx", "yfgy"}));
    EXPECT_EQ(m.SelectionMode(), smNormal);
    m.Undo();
    EXPECT_EQ(Text(), (Lines{"xx", "yy"}));
}

TEST_F(Clipboard, PlainTextWithLfBreaksPastesAsAColumnInColumnMode) {
    clip.has = true;
    clip.plain = "1\n2";
    SetText({"ab", "cd"});
    m.SetSelectionMode(smColumn);
    Caret(2, 1);
    m.PasteClipboard();
    EXPECT_EQ(Text(), (Lines{"a1b", "c2d"}));
}

TEST_F(Clipboard, AStreamCopyPastesAsAStreamReplacingTheSelection) {
    clip.has = true;
    clip.block = EncodeEditBlock(smNormal, "1\r\n2");
    SetText({"abc", "def"});
    m.SetSelection({2, 1}, {3, 1});
    Key(vkInsert, ssShift);
    EXPECT_EQ(Text(), (Lines{"a1", "2c", "def"}));
    m.Undo();
    EXPECT_EQ(Text(), (Lines{"abc", "def"}));
}

TEST_F(Clipboard, CutIsOneStepAndKeepsTheTextWhenTheCopyFails) {
    SetText({"abc"});
    m.SetSelection({1, 1}, {3, 1});
    Key(vkDelete, ssShift);
    EXPECT_EQ(Text(), Lines{"c"});
    EXPECT_EQ(clip.plain, "ab");
    m.Undo();
    EXPECT_EQ(Text(), Lines{"abc"});
    clip.failPut = true;
    m.SetSelection({1, 1}, {3, 1});
    EXPECT_THROW(m.CutSelection(), EKrqError);
    EXPECT_EQ(Text(), Lines{"abc"});
}

TEST_F(Clipboard, NothingToPasteOrNoClipboardChangesNothing) {
    SetText({"abc"});
    m.PasteClipboard();
    clip.has = true;
    m.PasteClipboard();  // empty text
    clip.failGet = true;
    try {
        m.PasteClipboard();
        FAIL();
    } catch (const EKrqError& e) {
        EXPECT_STREQ(e.what(), "Clipboard paste operation failed.");
    }
    m.SetClipboard(nullptr);
    m.SelectAll();
    m.CutSelection();
    m.PasteClipboard();
    EXPECT_EQ(Text(), Lines{"abc"});
    EXPECT_FALSE(m.CanUndo());
}

}  // namespace
}  // namespace krq::test
