// mimeapps.list edits: only the program's lines change, every other byte stays.
#include "platform/shell/mimeapps.h"

#include <gtest/gtest.h>

using namespace krq;

namespace {

const std::string kHandWritten =
    "# my own notes\n"
    "[Added Associations]\n"
    "text/plain=gedit.desktop;\n"
    "\n"
    "[Default Applications]\n"
    "  text/html = firefox.desktop\n"
    "image/png=eog.desktop;\n"
    "# keep me\n"
    "\n"
    "[X-Other]\n"
    "text/html=weird\n";

}  // namespace

TEST(MimeApps, ReplacingAKeyKeepsEveryOtherLine) {
    EXPECT_EQ(MimeAppsValue(kHandWritten, "Default Applications", "text/html"), "firefox.desktop");
    std::string out =
        SetMimeAppsValue(kHandWritten, "Default Applications", "text/html", "k.desktop;");
    std::string expected = kHandWritten;
    expected.replace(expected.find("  text/html = firefox.desktop\n"), 30,
                     "text/html=k.desktop;\n");
    EXPECT_EQ(out, expected);
    // Removing our line gives back everything else byte for byte.
    EXPECT_EQ(SetMimeAppsValue(out, "Default Applications", "text/html", ""),
              std::string(kHandWritten).erase(kHandWritten.find("  text/html"), 30));
}

TEST(MimeApps, ANewKeyGoesAfterTheGroupsLastEntryAndANewGroupAtTheEnd) {
    std::string out = SetMimeAppsValue(kHandWritten, "Default Applications", "text/css", "k;");
    std::string expected = kHandWritten;
    expected.insert(expected.find("# keep me"), "text/css=k;\n");
    EXPECT_EQ(out, expected);
    std::string noGroup = "[Default Applications]\r\na/b=c\r\n";
    EXPECT_EQ(SetMimeAppsValue(noGroup, "Added Associations", "text/html", "k;"),
              noGroup + "\r\n[Added Associations]\r\ntext/html=k;\r\n");
    EXPECT_EQ(SetMimeAppsValue("", "Added Associations", "text/html", "k;"),
              "[Added Associations]\ntext/html=k;\n");
    // A last line without its line break keeps its bytes and gets one before our line.
    EXPECT_EQ(
        SetMimeAppsValue("[Default Applications]\na/b=c", "Default Applications", "x/y", "k;"),
        "[Default Applications]\na/b=c\nx/y=k;\n");
}

TEST(MimeApps, DesktopIdListsPutOursFirstOrTakeItOut) {
    EXPECT_EQ(WithDesktopIdFirst("a.desktop;k.desktop;b.desktop", "k.desktop"),
              "k.desktop;a.desktop;b.desktop;");
    EXPECT_EQ(WithDesktopIdFirst("", "k.desktop"), "k.desktop;");
    EXPECT_EQ(WithoutDesktopId("k.desktop;a.desktop;", "k.desktop"), "a.desktop;");
    EXPECT_EQ(WithoutDesktopId("k.desktop;", "k.desktop"), "");
}
