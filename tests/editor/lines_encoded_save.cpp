// Saving large documents in UTF-8: the buffers encoded and written behind, the size measured
// before the first byte, and a save that fails part way.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "common/TestHome.h"
#include "editor/model/TKrqEditStringList.h"
#include "platform/cp1250.h"
#include "platform/encoding.h"
#include "platform/errors.h"
#include "platform/files/filewriter.h"

namespace krq {
namespace {

using test::MakeTempDir;
using test::ReadFile;
using test::WriteFile;

// A few megabytes of CR LF lines in UTF-8 with Polish letters, quotes and a euro sign, one line
// longer than the save buffer, and no break at the end.
std::string LargeUtf8Text() {
    const std::string words[] = {"zażółć", "gęślą", "jaźń", "„cytat”", "cena 5 €", "Śląsk",
                                 "ale",    "koń",   "—",    "źdźbło",  "noc"};
    std::string text;
    uint64_t state = 99;
    for (int line = 0; text.size() < (3u << 20); ++line) {
        for (int w = 0; w < 12; ++w) {
            state = state * 6364136223846793005ull + 1442695040888963407ull;
            text += words[(state >> 33) % std::size(words)];
            text += ' ';
        }
        if (line == 20000)
            for (int k = 0; k < 150000; ++k) text += "łąka ";
        text += "\r\n";
    }
    return text + "koniec";
}

TEST(LinesEncodedSave, ALargeUtf8DocumentComesBackByteForByteAndEditedAsItsLetters) {
    const std::string dir = MakeTempDir("encoded-large");
    const std::string path = dir + "/doc.txt";
    const std::string utf8 = LargeUtf8Text();
    for (const bool mark : {false, true}) {
        const std::string file = (mark ? std::string(kUtf8Bom) : "") + utf8;
        WriteFile(path, file);
        TKrqEditStringList list;
        const TDecodeReport report = list.LoadLinesFromFile(path);
        ASSERT_EQ(report.Encoding, mark ? TDocEncoding::Utf8Bom : TDocEncoding::Utf8);
        list.SaveLinesToFile(path, report.Encoding);
        ASSERT_EQ(ReadFile(path), file);
        // Lines changed here and there break the runs of lines as read.
        list.Insert(5, cp1250::FromUtf8("wstawiony „wiersz” ąę"));
        list.Set(100, cp1250::FromUtf8("Żółw"));
        list.Delete(2000);
        list.SaveLinesToFile(path, report.Encoding);
        std::string expected;
        for (int i = 0; i < list.Count(); ++i)
            expected += cp1250::ToUtf8(list[i]) + (i + 1 < list.Count() ? "\r\n" : "");
        EXPECT_EQ(ReadFile(path), (mark ? std::string(kUtf8Bom) : "") + expected + "\r\n");
    }
}

TEST(LinesEncodedSave, AUtf8RewriteFailingPartWayPutsTheOldFileBack) {
    const std::string cache = MakeTempDir("encoded-cache");
    setenv("XDG_CACHE_HOME", cache.c_str(), 1);
    const std::string dir = MakeTempDir("encoded-failing");
    const std::string path = dir + "/doc.txt";
    const std::string old = "stara treść\n";
    WriteFile(path, LargeUtf8Text());
    TKrqEditStringList list;
    ASSERT_EQ(list.LoadLinesFromFile(path).Encoding, TDocEncoding::Utf8);
    WriteFile(path, old);
    // The directory takes no new file, so the file is rewritten in place, and the disk fails
    // after a few of the encoded buffers.
    SetWriteFaultsForTests({EACCES, 2500000});
    try {
        list.SaveLinesToFile(path, TDocEncoding::Utf8);
        ADD_FAILURE() << "the save went through";
    } catch (const EKrqError& e) {
        EXPECT_NE(std::string(e.what()).find("The old contents are kept in"), std::string::npos)
            << e.what();
    }
    EXPECT_EQ(ReadFile(path), old);
    unsetenv("XDG_CACHE_HOME");
}

}  // namespace
}  // namespace krq
