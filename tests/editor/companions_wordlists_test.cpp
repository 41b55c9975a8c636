// The word-list files: line rules, missing and unwritable files, and the shipped lists.
#include <gtest/gtest.h>

#include <filesystem>

#include "common/TestHome.h"
#include "editor/companions/TKrqAutoCorrect.h"
#include "editor/companions/TKrqCompletionProposal.h"
#include "editor/companions/unWordLists.h"
#include "editor/model/TKrqEditModel.h"
#include "platform/cp1250.h"
#include "platform/errors.h"
#include "platform/programdir.h"

namespace krq {
namespace {

using Lines = std::vector<std::string>;

TEST(WordLists, LinesEndAtCrLfLoneCrOrLoneLf) {
    EXPECT_EQ(SplitWordListLines("a\r\nb\nc\rd"), (Lines{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitWordListLines("a\r\n\r\nb\r\n"), (Lines{"a", "", "b"}));
    EXPECT_EQ(SplitWordListLines("a\r\r\n"), (Lines{"a", ""}));
    EXPECT_EQ(SplitWordListLines(""), Lines{});
    EXPECT_EQ(GridLinesToCorrect(CorrectLinesToGrid({"x;y;z"})), Lines{"x;y;z"});
    EXPECT_EQ(GridLinesToCorrect({"txt=a=b", " ="}), (Lines{"txt;a;b", " ;"}));
    EXPECT_TRUE(WordListContains({cp1250::FromUtf8("źródło")}, cp1250::FromUtf8("ŹRÓDŁO")));
}

TEST(WordLists, ProgramDirectoryFilesLoadSaveAndReportTheirPath) {
    std::filesystem::create_directories(ProgramFile("data"));
    SaveProposalList({"Kolor", "", "Kolor"});
    EXPECT_EQ(test::ReadFile(ProgramFile("data/proposal.dat")), "Kolor\r\n\r\nKolor\r\n");
    TKrqCompletionProposal cp;
    cp.LoadItemListFromFile();
    EXPECT_EQ(cp.ItemList().size(), 3u);

    std::filesystem::remove(ProgramFile("data/correct.dat"));
    TKrqAutoCorrect ac;
    try {
        ac.LoadItemsFromFile();
        FAIL() << "no error";
    } catch (const EKrqError& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot open file " + ProgramFile("data/correct.dat"));
    }
    std::string bad = test::MakeTempDir("wordlists") + "/no/such/x.dat";
    EXPECT_THROW(WriteWordListFile(bad, {"a"}), EKrqError);
}

// The lists shipped beside the executable: Windows-1250, CR LF, and usable as they are.
TEST(WordLists, ShippedListsAreWellFormed) {
    const auto data = std::filesystem::path(KRQ_SOURCE_DIR) / "data";
    for (const char* name : {"proposal.dat", "correct.dat"}) {
        std::string bytes = test::ReadFile((data / name).string());
        Lines lines = SplitWordListLines(bytes);
        EXPECT_EQ(JoinWordListLines(lines), bytes) << name << ": not CR LF throughout";
        EXPECT_GE(lines.size(), 50u) << name;
        for (const std::string& l : lines) {
            EXPECT_FALSE(l.empty()) << name;
            if (std::string(name) == "correct.dat") {
                EXPECT_EQ(l.substr(0, l.rfind(';')).find(' '), std::string::npos) << l;
            }
        }
    }
    TKrqEditModel m;
    TKrqAutoCorrect ac;
    ac.ConfigureAsMainWindow();
    ac.SetItems(ReadWordListFile((data / "correct.dat").string()));
    ac.SetEditor(&m);
    for (char c : cp1250::FromUtf8("Wziąść x")) m.KeyPress(c);
    EXPECT_EQ(cp1250::ToUtf8(m.Text()), "Wziąć x");
}

}  // namespace
}  // namespace krq
