// File associations and the HTML-editor role against the registry stand-in and krq.ini.
#include "settings/associations/unEru.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "common/TestHome.h"
#include "platform/errors.h"
#include "platform/files/inifile.h"
#include "platform/shell/registry.h"

namespace krq::test {
namespace {

const THive HKCR = THive::ClassesRoot;
const THive HKCU = THive::CurrentUser;
const char* const kEditor = "Software\\Microsoft\\Internet Explorer\\Default HTML Editor";
const char* const kEditorCommand =
    "Software\\Microsoft\\Internet Explorer\\Default HTML Editor\\shell\\edit\\command";

// Records what the desktop was asked to do.
struct TRecordingShell : TDesktopShell {
    std::vector<std::string> Calls;
    void AssociateExtension(const std::string& ext, const std::string& d) override {
        Calls.push_back("assoc " + ext + " " + d);
    }
    void SetHTMLEditor(bool on) override { Calls.push_back(on ? "html on" : "html off"); }
};

class EruTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        home = MakeTempDir(std::string("eru.") + info->name());
        setenv("KRQ_HOME", home.c_str(), 1);
    }
    void TearDown() override { setenv("KRQ_HOME", TestHome().c_str(), 1); }

    // The options list's ticks with only the given rows (1-based) ticked.
    static std::vector<bool> Ticks(std::initializer_list<int> rows) {
        std::vector<bool> ticks(EruRows().size(), false);
        for (int row : rows) ticks[row - 1] = true;
        return ticks;
    }
    TIniFile Ini() const { return TIniFile(home + "/krq.ini"); }

    std::string home;
    TRegistry Registry() const { return TRegistry(home + "/registry.dat"); }
    TRecordingShell shell;
};

TEST_F(EruTest, TheTableHas27RowsReadFromTheResourceText) {
    const auto& rows = EruRows();
    ASSERT_EQ(rows.size(), 27u);
    EXPECT_EQ(rows[0].IconId, 1);
    EXPECT_EQ(rows[0].Ext, "asm");
    EXPECT_EQ(rows[0].Description, "x86 Assembler");
    EXPECT_EQ(rows[12].Key(), "HTM");
    EXPECT_EQ(rows[12].Shown, "*.htm, *.html");
    EXPECT_EQ(rows[20].Key(), "PHP3");
    EXPECT_EQ(rows[26].Ext, "xml");
}

TEST_F(EruTest, TickingHtmWritesTheFourEntriesAndOnlyDotHtm) {
    prcApplyAssociations(Ticks({13}), false, &shell);
    const std::string exe = ExecutablePath();
    TRegistry reg = Registry();
    EXPECT_EQ(reg.ReadString(HKCR, ".HTM", ""), "KRQ HTMfile");
    EXPECT_EQ(reg.ReadString(HKCR, "KRQ HTMfile", ""), "Dokument HTML");
    EXPECT_EQ(reg.ReadString(HKCR, "KRQ HTMfile\\shell\\open\\command", ""), exe + " \"%1");
    EXPECT_EQ(reg.ReadString(HKCR, "KRQ HTMfile\\DefaultIcon", ""), exe + ",13");
    EXPECT_FALSE(reg.KeyExists(HKCR, ".HTML"));
    EXPECT_FALSE(reg.KeyExists(HKCR, ".ASM"));
    EXPECT_TRUE(Ini().ReadBool("Ext", "HTM", false));
    EXPECT_EQ(shell.Calls, std::vector<std::string>{"assoc htm Dokument HTML"});
}

TEST_F(EruTest, UntickKeepsTheEntriesAndTickingAgainRegistersAgain) {
    prcApplyAssociations(Ticks({13, 25}), false, &shell);
    prcApplyAssociations(Ticks({25}), false, &shell);
    EXPECT_FALSE(Ini().ReadBool("Ext", "HTM", true));
    EXPECT_EQ(Registry().ReadString(HKCR, ".HTM", ""), "KRQ HTMfile");
    EXPECT_EQ(shell.Calls.size(), 2u) << "unticking asks nothing of the desktop";
    // Removed meanwhile, then ticked again: registered again.
    TRegistry reg = Registry();
    reg.DeleteKey(HKCR, ".HTM");
    prcApplyAssociations(Ticks({13, 25}), false, &shell);
    EXPECT_EQ(Registry().ReadString(HKCR, ".HTM", ""), "KRQ HTMfile");
    EXPECT_EQ(shell.Calls.back(), "assoc htm Dokument HTML");
}

TEST_F(EruTest, ARowAlreadyOneIsNotRegisteredAgain) {
    Ini().WriteBool("Ext", "TXT", true);
    prcApplyAssociations(Ticks({25}), false, &shell);
    EXPECT_FALSE(Registry().KeyExists(HKCR, ".TXT"));
    EXPECT_TRUE(shell.Calls.empty());
}

TEST_F(EruTest, AssociateExtWithoutIconWritesNoDefaultIconAndFailsSilentlyWhenRefused) {
    EXPECT_TRUE(fncAssociateExt(".X", "KRQ Xfile", "x", "", "cmd"));
    EXPECT_FALSE(Registry().KeyExists(HKCR, "KRQ Xfile\\DefaultIcon"));
    EXPECT_EQ(Registry().ReadString(HKCR, "krq xfile\\SHELL\\open\\command", ""), "cmd");
    // A store the user may not write: false, nothing thrown.
    std::filesystem::permissions(home, std::filesystem::perms::owner_all |
                                           std::filesystem::perms::others_read |
                                           std::filesystem::perms::others_exec);
    EXPECT_TRUE(
        RunUnprivileged([] { EXPECT_FALSE(fncAssociateExt(".Y", "KRQ Yfile", "y", "", "c")); }));
}

TEST_F(EruTest, HtmlEditorRoleIsTakenAndGivenBack) {
    prcApplyAssociations(Ticks({}), true, &shell);
    EXPECT_EQ(Registry().ReadString(HKCU, kEditor, "Description"), "KRQ");
    EXPECT_EQ(Registry().ReadString(HKCU, kEditorCommand, ""), ExecutablePath() + " \"%1\"");
    EXPECT_TRUE(Ini().ReadBool("Ext", "HTMLEditor", false));
    prcApplyAssociations(Ticks({}), false, &shell);
    EXPECT_EQ(Registry().ReadString(HKCU, kEditor, "Description"), "Notatnik");
    EXPECT_EQ(Registry().ReadString(HKCU, kEditorCommand, ""), "C:\\WINDOWS\\notepad.exe \"%1\"");
    EXPECT_EQ(shell.Calls, (std::vector<std::string>{"html on", "html off"}));
}

TEST_F(EruTest, DescriptionAlreadyKrqChangesNothing) {
    TRegistry reg = Registry();
    ASSERT_TRUE(reg.CreateKey(HKCU, kEditor));
    reg.WriteString(HKCU, kEditor, "Description", "KRQ");
    reg.WriteString(HKCU, kEditorCommand, "", "someone else");
    prcApplyAssociations(Ticks({}), true, &shell);
    EXPECT_EQ(Registry().ReadString(HKCU, kEditorCommand, ""), "someone else");
}

TEST_F(EruTest, MissingEditorKeyFailsWithSetDataAfterTheFlagIsWritten) {
    TRegistry reg = Registry();
    ASSERT_TRUE(reg.DeleteKey(HKCU, "Software\\Microsoft\\Internet Explorer"));
    try {
        prcApplyAssociations(Ticks({}), true, &shell);
        FAIL() << "no error";
    } catch (const EKrqError& e) {
        EXPECT_STREQ(e.what(), "Failed to set data for 'Description'");
    }
    EXPECT_TRUE(Ini().ReadBool("Ext", "HTMLEditor", false));
    EXPECT_TRUE(shell.Calls.empty());
}

TEST_F(EruTest, RegistryStoreKeepsValuesByteForByte) {
    TRegistry reg = Registry();
    ASSERT_TRUE(reg.CreateKey(HKCR, "A\\B"));
    EXPECT_TRUE(reg.KeyExists(HKCR, "a"));
    const std::string odd = " lead \\ \"%1\r\nnext line=x ";
    ASSERT_TRUE(reg.WriteString(HKCR, "A\\B", "", odd));
    EXPECT_EQ(Registry().ReadString(HKCR, "a\\b", ""), odd);
    EXPECT_FALSE(reg.WriteString(HKCR, "Missing", "", "x"));
}

}  // namespace
}  // namespace krq::test
