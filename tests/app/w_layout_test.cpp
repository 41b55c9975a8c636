// The Konwersja and Kolorowanie menus: conversion codes, radio items, automatic colouring.
#include <QActionGroup>

#include "app/MainWindowFixture.h"

namespace krq::test {
namespace {

using LayoutTest = MainWindowTest;

// "caption|shortcut" per item, "-" for a separator, a submenu by its title.
QStringList Describe(const QMenu* menu) {
    QStringList out;
    for (QAction* a : menu->actions()) {
        if (a->isSeparator()) {
            out << "-";
            continue;
        }
        QString row = a->text();
        if (!a->shortcut().isEmpty()) row += "|" + a->shortcut().toString();
        out << row;
    }
    return out;
}

TEST_F(LayoutTest, EveryConversionCodeHasOneItem) {
    TfrmMain& w = Create();
    EXPECT_FALSE(w.mnsHelpUpdate->isVisible());
    // Every conversion item carries its code, 1 to 19 once each.
    QList<int> codes;
    for (QAction* a : w.findChildren<QAction*>())
        if (a->property("Tag").isValid()) codes << a->property("Tag").toInt();
    std::sort(codes.begin(), codes.end());
    ASSERT_EQ(codes.size(), 19);
    for (int i = 0; i < 19; ++i) EXPECT_EQ(codes[i], i + 1);
}

TEST_F(LayoutTest, KolorowanieHoldsEighteenRadioItemsOfOneGroup) {
    TfrmMain& w = Create();
    QStringList rows = Describe(w.mnsOptionsMarkers);
    ASSERT_EQ(rows.size(), 19);
    EXPECT_EQ(rows[0], "Brak kolorowania");
    EXPECT_EQ(rows[1], "-");
    EXPECT_EQ(rows[9], "Visual Basic");
    EXPECT_EQ(rows[12], Utf("Język wsadowy MS-DOS"));
    EXPECT_EQ(rows[18], "XML");
    EXPECT_EQ(w.markerGroup->actions().size(), 18);
    EXPECT_TRUE(w.markerGroup->isExclusive());
    Item("mnsOptionsMarkersCpp")->trigger();
    EXPECT_EQ(w.CheckedMarker(), "C++");
    EXPECT_EQ(Ini().ReadString("code", "mark", ""), "C++");
    Item("mnsOptionsMarkersNone")->trigger();
    EXPECT_EQ(Ini().ReadString("code", "mark", ""), "nil");
}

TEST_F(LayoutTest, AutomaticColouringFollowsTheExtension) {
    TfrmMain& w = Create();
    OpenFile("page.HTML", "");
    EXPECT_EQ(w.CheckedMarker(), "Dokument HTML");
    // Whole patterns: "*.c" is not found inside "*.cmd", and a name without an extension
    // keeps the highlighter it had, as an unknown extension does.
    OpenFile("main.c", "");
    EXPECT_EQ(w.CheckedMarker(), "C++");
    OpenFile("server.log", "");
    EXPECT_EQ(w.CheckedMarker(), "C++");
    OpenFile("README", "");
    EXPECT_EQ(w.CheckedMarker(), "C++");
    OpenFile("notes.TXT", "");
    EXPECT_EQ(w.CheckedMarker(), "Brak kolorowania");
}

}  // namespace
}  // namespace krq::test
