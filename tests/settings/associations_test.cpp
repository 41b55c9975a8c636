// The association table and the krq.ini side of the page "Skojarzenia".
#include <gtest/gtest.h>

#include "common/TestHome.h"
#include "platform/inifile.h"
#include "settings/unAssociations.h"

using namespace krq;

namespace {

TEST(AssociationTable, HoldsTheTwentySevenRowsInOrder) {
    std::vector<TAssociationRow> rows = AssociationTable();
    ASSERT_EQ(rows.size(), 27u);
    for (size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(rows[i].IconId, static_cast<int>(i) + 1);
    EXPECT_EQ(rows[0].Extension, "asm");
    EXPECT_EQ(rows[0].Description, "x86 Assembler");
    EXPECT_EQ(rows[12].Key(), "HTM");
    EXPECT_EQ(rows[12].Shown, "*.htm, *.html");
    EXPECT_EQ(rows[20].Key(), "PHP3");
    EXPECT_EQ(rows[26].Key(), "XML");
}

struct TRecording : TAssociationActions {
    std::vector<std::pair<std::string, int>> Associated;
    int Set = 0, Restored = 0;
    void Associate(const TAssociationRow& row, int number) override {
        Associated.emplace_back(row.Key(), number);
    }
    void SetHTMLEditor() override { ++Set; }
    void RestoreHTMLEditor() override { ++Restored; }
};

TEST(Associations, OnlyChangedTicksAreWrittenAndOnlyNewOnesAssociated) {
    const std::string path = test::MakeTempDir("assoc") + "/krq.ini";
    test::WriteFile(path, "[Ext]\r\nASM=1\r\nAWK=1\r\nHTMLEditor=1\r\n");
    TIniFile ini(path);
    auto rows = AssociationTable();
    std::vector<bool> ticks(rows.size(), false);
    ticks[0] = true;   // ASM: still ticked, not associated again
    ticks[12] = true;  // HTM: new
    TRecording actions;
    ApplyAssociations(ini, rows, ticks, false, actions);
    EXPECT_EQ(actions.Associated, (std::vector<std::pair<std::string, int>>{{"HTM", 13}}));
    EXPECT_EQ(ini.ReadString("Ext", "AWK", ""), "0");
    EXPECT_EQ(ini.ReadString("Ext", "HTM", ""), "1");
    EXPECT_EQ(ini.ReadString("Ext", "BAS", "missing"), "missing");
    EXPECT_EQ(actions.Restored, 1);
    EXPECT_EQ(ini.ReadString("Ext", "HTMLEditor", ""), "0");
    // Ticking an unticked row again associates it again.
    ticks[1] = true;
    ApplyAssociations(ini, rows, ticks, false, actions);
    EXPECT_EQ(actions.Associated.back(), std::make_pair(std::string("AWK"), 2));
    EXPECT_EQ(actions.Restored, 1);
    EXPECT_EQ(actions.Set, 0);
}

}  // namespace
