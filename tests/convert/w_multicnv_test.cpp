// The batch conversion window, opened from the Konwersja menu as a user opens it.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <atomic>
#include <filesystem>
#include <future>

#include "app/MainWindowFixture.h"
#include "convert/frMultiCnv.h"
#include "convert/unBase.h"
#include "lexers/unCatalogue.h"

namespace krq::test {
namespace {

const QString kDone = Utf("Konwersja zakończona pomyślnie\r\rSkonwertowano plików : ");

class MultiCnvTest : public MainWindowTest {
  protected:
    // Opens the window through its menu item, runs `body` in it, then presses "Anuluj".
    void WithBatchWindow(const std::function<void(TfrmMultiCnv&)>& body) {
        bool ran = false;
        QTimer once;
        once.setSingleShot(true);
        QObject::connect(&once, &QTimer::timeout, [&] {
            auto* w = qobject_cast<TfrmMultiCnv*>(QApplication::activeModalWidget());
            if (!w) {
                ADD_FAILURE() << "the batch window is not open";
                return;
            }
            ran = true;
            body(*w);
            w->btnCancel->click();
            if (w->isVisible()) {
                ADD_FAILURE() << "Anuluj did not close the window";
                w->done(QDialog::Rejected);
            }
        });
        once.start(0);
        if (!frm) Create();
        Item("mnsConvertMultiCnv")->trigger();
        EXPECT_TRUE(ran);
    }

    void Add(TfrmMultiCnv& w, const QStringList& paths) {
        dialogs.OpenAnswers.push_back(paths);
        w.btnFilesAdd->click();
    }

    std::string Counters(TfrmMultiCnv& w) {
        return w.lbl_5->text().toStdString() + "/" + w.lbl_6->text().toStdString();
    }

    std::vector<std::string> Listed(TfrmMultiCnv& w) {
        std::vector<std::string> names;
        for (int i = 0; i < w.mcFilesList->count(); ++i)
            names.push_back(w.mcFilesList->item(i)->text().toStdString());
        return names;
    }

    // Runs "Start!" with conversion `code`; the progress values it showed, in order.
    std::vector<int> Start(TfrmMultiCnv& w, int code) {
        w.mcCnvSetup->setCurrentIndex(code - 1);
        std::vector<int> values;
        auto c = QObject::connect(w.mcProgress, &QProgressBar::valueChanged,
                                  [&](int v) { values.push_back(v); });
        w.btnStart->click();
        QObject::disconnect(c);
        return values;
    }

    std::string Converted(const std::string& bytes, int code) {
        WriteFile(Path("one.txt"), bytes);
        WithBatchWindow([&](TfrmMultiCnv& w) {
            Add(w, {QPath("one.txt")});
            Start(w, code);
        });
        return ReadFile(Path("one.txt"));
    }
};

TEST_F(MultiCnvTest, TheMenuItemOpensAFreshModalWindowEachTime) {
    WriteFile(Path("a.txt"), "a");
    WithBatchWindow([&](TfrmMultiCnv& w) {
        EXPECT_TRUE(w.isModal());
        EXPECT_EQ(w.windowTitle(), "Multi - konwersje");
        EXPECT_EQ(w.size(), QSize(423, 201));
        ASSERT_EQ(w.mcCnvSetup->count(), 19);
        for (int i = 0; i < 19; ++i)
            EXPECT_EQ(w.mcCnvSetup->itemText(i), QString::fromUtf8(tblConversions[i].Caption));
        EXPECT_EQ(w.mcCnvSetup->itemText(2), Utf("Usuwanie \"ogonków\""));
        EXPECT_EQ(w.mcCnvSetup->currentIndex(), 0);
        EXPECT_EQ(w.lbl_3->text(), Utf("Wybrano plików : "));
        EXPECT_EQ(w.lbl_4->text(), "Tylko do odczytu: ");
        EXPECT_EQ(Counters(w), "0/0");
        EXPECT_EQ(w.mcProgress->value(), 0);
        EXPECT_EQ(w.mcProgress->text(), "0%");
        Add(w, {QPath("a.txt")});
        EXPECT_EQ(Counters(w), "1/0");
        w.mcCnvSetup->setCurrentIndex(7);
    });
    ASSERT_EQ(dialogs.OpenRequests.size(), 1u);
    EXPECT_EQ(dialogs.OpenRequests[0].Filter, QString::fromUtf8(FileDialogFilter()));
    WithBatchWindow([&](TfrmMultiCnv& w) {
        EXPECT_EQ(w.mcFilesList->count(), 0);
        EXPECT_TRUE(w.FilePaths().isEmpty());
        EXPECT_EQ(Counters(w), "0/0");
        EXPECT_EQ(w.mcCnvSetup->currentIndex(), 0);
    });
}

TEST_F(MultiCnvTest, StartWithAnEmptyListReportsNothingConverted) {
    WithBatchWindow([&](TfrmMultiCnv& w) {
        EXPECT_EQ(Start(w, 1), std::vector<int>{100});
        EXPECT_EQ(w.mcProgress->text(), "100%");
        EXPECT_TRUE(w.btnStart->isEnabled());
    });
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_EQ(dialogs.Messages[0].Caption, "Kwerdel RQ");
    EXPECT_EQ(dialogs.Messages[0].Text, kDone + "0");
    EXPECT_EQ(dialogs.Messages[0].Icon, TMsgIcon::None);
    EXPECT_EQ(dialogs.Messages[0].Buttons, TMsgButtons::OK);
}

TEST_F(MultiCnvTest, FourFilesShowTheProgressBeforeEachAndTheListsStay) {
    QStringList files;
    for (const char* name : {"a.txt", "b.txt", "c.txt", "d.txt"}) {
        WriteFile(Path(name), "Ala ma KOTA\r\n");
        files << QPath(name);
    }
    WithBatchWindow([&](TfrmMultiCnv& w) {
        Add(w, files);
        EXPECT_EQ(Counters(w), "4/0");
        EXPECT_EQ(Start(w, 5), (std::vector<int>{25, 50, 75, 100}));  // 0 was shown already
        for (QPushButton* b : {w.btnFilesAdd, w.btnFilesDelete, w.btnStart, w.btnCancel})
            EXPECT_TRUE(b->isEnabled());
        EXPECT_EQ(Listed(w), (std::vector<std::string>{"a.txt", "b.txt", "c.txt", "d.txt"}));
        // The same files through another conversion.
        EXPECT_EQ(Start(w, 4), (std::vector<int>{0, 25, 50, 75, 100}));
    });
    for (const char* name : {"a.txt", "b.txt", "c.txt", "d.txt"})
        EXPECT_EQ(ReadFile(Path(name)), "ala ma kota\r\n");
    ASSERT_EQ(dialogs.Messages.size(), 2u);
    EXPECT_EQ(dialogs.Messages[1].Text, kDone + "4");
}

TEST_F(MultiCnvTest, AReadOnlyFileIsListedAndCountedButNeverWritten) {
    WriteFile(Path("a.txt"), "abc\n");
    WriteFile(Path("ro.txt"), "abc\n");
    WriteFile(Path("b.txt"), "abc\n");
    chmod(Path("ro.txt").c_str(), 0444);
    chmod(Path("b.txt").c_str(), 0640);
    WithBatchWindow([&](TfrmMultiCnv& w) {
        Add(w, {QPath("a.txt"), QPath("ro.txt"), QPath("b.txt")});
        EXPECT_EQ(Counters(w), "3/1");
        EXPECT_EQ(Listed(w), (std::vector<std::string>{"a.txt", "ro.txt", "b.txt"}));
        Start(w, 5);
    });
    EXPECT_EQ(ReadFile(Path("a.txt")), "ABC\r\n");
    EXPECT_EQ(ReadFile(Path("b.txt")), "ABC\r\n");
    EXPECT_EQ(ReadFile(Path("ro.txt")), "abc\n");
    struct stat info;
    ASSERT_EQ(stat(Path("b.txt").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_EQ(dialogs.Messages[0].Text, kDone + "2");
}

TEST_F(MultiCnvTest, ANameIsListedOnceWhateverItsCaseOrFolder) {
    std::filesystem::create_directories(Path("other"));
    WriteFile(Path("a.txt"), "x");
    WriteFile(Path("other/A.TXT"), "x");
    WriteFile(Path("other/a.txt"), "x");
    WriteFile(Path("b.txt"), "x");
    WithBatchWindow([&](TfrmMultiCnv& w) {
        Add(w, {QPath("a.txt")});
        Add(w, {QPath("a.txt"), QPath("other/A.TXT"), QPath("b.txt"), QPath("other/a.txt")});
        EXPECT_EQ(Listed(w), (std::vector<std::string>{"a.txt", "b.txt"}));
        EXPECT_EQ(w.FilePaths(), (QStringList{QPath("a.txt"), QPath("b.txt")}));
        EXPECT_EQ(Counters(w), "2/0");
        w.btnFilesDelete->click();
        EXPECT_EQ(Counters(w), "0/0");
        EXPECT_TRUE(w.FilePaths().isEmpty());
    });
}

TEST_F(MultiCnvTest, TheDocumentOpenInTheMainWindowIsNeverAdded) {
    Create();
    OpenFile("open.txt", "abc\r\n");
    WriteFile(Path("other.txt"), "abc\r\n");
    WithBatchWindow([&](TfrmMultiCnv& w) {
        Add(w, {QPath("open.txt"), QPath("other.txt")});
        EXPECT_EQ(Listed(w), std::vector<std::string>{"other.txt"});
        Start(w, 5);
    });
    EXPECT_EQ(ReadFile(Path("open.txt")), "abc\r\n");
    EXPECT_EQ(ReadFile(Path("other.txt")), "ABC\r\n");
}

TEST_F(MultiCnvTest, EveryFileIsWrittenAsCrLfLines) {
    // A conversion that changes no byte still rewrites the breaks and adds the final one.
    EXPECT_EQ(Converted("12\n34\n5", 19), "12\r\n34\r\n5\r\n");
    EXPECT_EQ(Converted("12\r34\r\n\n", 19), "12\r\n34\r\n\r\n");
    EXPECT_EQ(Converted("Ab\nCd", 4), "ab\r\ncd\r\n");
    for (int code = 1; code <= 19; ++code) EXPECT_EQ(Converted("", code), "") << code;
}

// A file that disappears, becomes read-only or turns into a folder after it was listed is
// skipped; the others are converted, and a second box names what failed.
TEST_F(MultiCnvTest, FilesThatFailDuringTheRunAreSkippedAndListed) {
    for (const char* name : {"gone.txt", "good.txt", "locked.txt", "folder.txt"})
        WriteFile(Path(name), "abc\n");
    WithBatchWindow([&](TfrmMultiCnv& w) {
        Add(w, {QPath("gone.txt"), QPath("good.txt"), QPath("locked.txt"), QPath("folder.txt")});
        EXPECT_EQ(Counters(w), "4/0");
        std::filesystem::remove(Path("gone.txt"));
        chmod(Path("locked.txt").c_str(), 0444);
        std::filesystem::remove(Path("folder.txt"));
        std::filesystem::create_directories(Path("folder.txt"));
        Start(w, 5);
        EXPECT_TRUE(w.btnStart->isEnabled());
        EXPECT_EQ(w.mcProgress->value(), 100);
    });
    EXPECT_EQ(ReadFile(Path("good.txt")), "ABC\r\n");
    EXPECT_EQ(ReadFile(Path("locked.txt")), "abc\n");
    EXPECT_FALSE(std::filesystem::exists(Path("gone.txt")));
    EXPECT_TRUE(std::filesystem::is_directory(Path("folder.txt")));
    ASSERT_EQ(dialogs.Messages.size(), 2u);
    EXPECT_EQ(dialogs.Messages[0].Text, kDone + "1");
    EXPECT_EQ(dialogs.Messages[1].Caption, "Kwerdel RQ");
    EXPECT_EQ(dialogs.Messages[1].Text, Utf("Nie skonwertowano plików : 3\r\r") +
                                            "Cannot open file " + QPath("gone.txt") +
                                            ".\rCannot create file " + QPath("locked.txt") +
                                            ".\rCannot open file " + QPath("folder.txt") + ".");
    for (const auto& entry : std::filesystem::directory_iterator(home))
        EXPECT_EQ(entry.path().filename().string().find(".krq-"), std::string::npos);
}

// Each file is read as opening a document reads it and written back in its own encoding; one
// holding characters Windows-1250 lacks fails and keeps its bytes.
TEST_F(MultiCnvTest, FilesAreConvertedInTheEncodingTheyAreIn) {
    const std::string bom = "\xEF\xBB\xBF";
    WriteFile(Path("utf8.txt"), "za\xC5\xBC\xC3\xB3\xC5\x82\xC4\x87\n");
    WriteFile(Path("bom.txt"), bom + "\xC4\x85");
    WriteFile(Path("cp.txt"), "za\xBF\xF3\xB3\xE6\n");
    const std::string cyrillic = "\xC4\x85 \xD0\x96\n";
    WriteFile(Path("cyr.txt"), cyrillic);
    WithBatchWindow([&](TfrmMultiCnv& w) {
        Add(w, {QPath("utf8.txt"), QPath("bom.txt"), QPath("cp.txt"), QPath("cyr.txt")});
        Start(w, 5);
    });
    EXPECT_EQ(ReadFile(Path("utf8.txt")), "ZA\xC5\xBB\xC3\x93\xC5\x81\xC4\x86\r\n");
    EXPECT_EQ(ReadFile(Path("bom.txt")), bom + "\xC4\x84\r\n");
    EXPECT_EQ(ReadFile(Path("cp.txt")), "ZA\xAF\xD3\xA3\xC6\r\n");
    EXPECT_EQ(ReadFile(Path("cyr.txt")), cyrillic);
    ASSERT_EQ(dialogs.Messages.size(), 2u);
    EXPECT_EQ(dialogs.Messages[0].Text, kDone + "3");
    EXPECT_EQ(dialogs.Messages[1].Text, Utf("Nie skonwertowano plików : 1\r\r") + "Cannot decode " +
                                            QPath("cyr.txt") +
                                            ": 1 characters have no Windows-1250 byte.");
}

// The window handles its events while the worker is busy with a file: here the worker is held
// at the second file until the test, run from the window's own event loop, lets it go.
TEST_F(MultiCnvTest, TheWindowStaysResponsiveWhileAFileIsConverted) {
    WriteFile(Path("a.txt"), "ab\ncd");
    WriteFile(Path("b.txt"), "ef");
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    std::atomic<bool> held{false};
    bool handledDuringTheRun = false;
    WithBatchWindow([&](TfrmMultiCnv& w) {
        Add(w, {QPath("a.txt"), QPath("b.txt")});
        w.WorkerBeforeFile = [&](size_t i) {
            if (i != 1) return;
            held = true;
            released.wait();
        };
        QTimer check;
        QObject::connect(&check, &QTimer::timeout, [&] {
            if (!held || w.mcProgress->value() != 50) return;
            check.stop();
            handledDuringTheRun = w.Running() && !w.btnStart->isEnabled() &&
                                  !w.btnCancel->isEnabled() && !w.btnFilesAdd->isEnabled() &&
                                  !w.btnFilesDelete->isEnabled();
            // Closing the window now is refused: the run goes on.
            w.close();
            handledDuringTheRun = handledDuringTheRun && w.isVisible();
            release.set_value();
        });
        check.start(5);
        Start(w, 5);
    });
    EXPECT_TRUE(handledDuringTheRun);
    EXPECT_EQ(ReadFile(Path("a.txt")), "AB\r\nCD\r\n");
    EXPECT_EQ(ReadFile(Path("b.txt")), "EF\r\n");
    EXPECT_EQ(dialogs.Messages.back().Text, kDone + "2");
}

}  // namespace
}  // namespace krq::test
