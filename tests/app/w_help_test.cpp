// The Help menu, sending by e-mail, printing and the about window, through the main window.
#include <QApplication>
#include <QFontMetricsF>
#include <QLabel>
#include <QPointer>
#include <QPrinter>
#include <QRegularExpression>
#include <QTimer>
#include <cmath>
#include <functional>

#include "app/MainWindowFixture.h"
#include "app/help/frAbout.h"
#include "app/help/unMailTo.h"

namespace krq::test {
namespace {

using HelpTest = MainWindowTest;

// Runs `check` on the next modal window once it is shown, then closes that window.
void OnNextModal(std::function<void(QWidget*)> check) {
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, check] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) return;
        timer->stop();
        timer->deleteLater();
        check(modal);
        modal->close();
    });
    timer->start();
}

int PagesInPdf(const std::string& path) {
    const std::string pdf = ReadFile(path);
    static const QRegularExpression page("/Type\\s*/Page(?!s)");
    int n = 0;
    auto it = page.globalMatch(QString::fromLatin1(pdf.data(), static_cast<qsizetype>(pdf.size())));
    while (it.hasNext()) {
        it.next();
        ++n;
    }
    return n;
}

TEST_F(HelpTest, ReadmeOpensTheProgramDirectorysFileMaximised) {
    WriteFile(Path("readme.htm"), "<html></html>");
    Create();
    Item("mnsHelpReadme")->trigger();
    ASSERT_EQ(dialogs.OpenedUrls.size(), 1u);
    EXPECT_EQ(dialogs.OpenedUrls[0].Url,
              QString::fromUtf8(QUrl::fromLocalFile(QPath("readme.htm")).toEncoded()));
    EXPECT_TRUE(dialogs.OpenedUrls[0].Maximised);
    EXPECT_TRUE(dialogs.Messages.empty());
}

TEST_F(HelpTest, AMissingReadmeIsToldInAPlainBox) {
    Create();
    OpenFile("a.txt", "x\r\n");
    Item("mnsHelpReadme")->trigger();
    EXPECT_TRUE(dialogs.OpenedUrls.empty());
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_EQ(dialogs.Messages[0].Caption, "a.txt - Kwerdel RQ");
    EXPECT_EQ(dialogs.Messages[0].Text,
              "Plik \"readme\" nie istnieje. Zainstaluj program jeszcze raz.");
    EXPECT_EQ(dialogs.Messages[0].Icon, TMsgIcon::None);
    EXPECT_EQ(dialogs.Messages[0].Buttons, TMsgButtons::OK);
}

TEST_F(HelpTest, SiteAndSubscriptionOpenTheMakersAddresses) {
    Create();
    Item("mnsHelpSite")->trigger();
    Item("mnsHelpSubscribe")->trigger();
    ASSERT_EQ(dialogs.OpenedUrls.size(), 2u);
    EXPECT_EQ(dialogs.OpenedUrls[0].Url, "https://kwerdel-rq.example/");
    EXPECT_EQ(dialogs.OpenedUrls[1].Url,
              "mailto:subskrypcja@kwerdel-rq.example?Subject=Subskrypcja%20KRQ%204.0%20alpha");
    EXPECT_TRUE(dialogs.OpenedUrls[0].Maximised);
    EXPECT_TRUE(dialogs.OpenedUrls[1].Maximised);
}

// The body is percent-encoded: "&", "#", "%" and "?" would otherwise cut or mangle it.
TEST_F(HelpTest, MailBodyIsPercentEncodedUtf8) {
    Create();
    Type("a&b#c%d?e f\r\nzażółć");
    Item("mnsSendMail")->trigger();
    ASSERT_EQ(dialogs.OpenedUrls.size(), 1u);
    EXPECT_EQ(dialogs.OpenedUrls[0].Url,
              "mailto:?body=a%26b%23c%25d%3Fe%20f%0D%0Aza%C5%BC%C3%B3%C5%82%C4%87%0D%0A");
    EXPECT_FALSE(dialogs.OpenedUrls[0].Maximised);
    EXPECT_EQ(QUrl(dialogs.OpenedUrls[0].Url).query(QUrl::FullyDecoded),
              Utf("body=a&b#c%d?e f\r\nzażółć\r\n"));
}

TEST_F(HelpTest, MailOfAnEmptyDocumentHasAnEmptyBody) {
    Create();
    Item("mnsSendMail")->trigger();
    ASSERT_EQ(dialogs.OpenedUrls.size(), 1u);
    EXPECT_EQ(dialogs.OpenedUrls[0].Url, "mailto:?body=");
    EXPECT_EQ(MailToBody(""), "mailto:?body=");
    EXPECT_EQ(PercentEncode("A-z_0.9~"), "A-z_0.9~");
}

TEST_F(HelpTest, PrintWithoutAPrinterShowsTheErrorReport) {
    TfrmMain& w = Create();
    w.ivcKrqEditPrint.DefaultPrinter = [] { return QPrinterInfo(); };
    Type("text");
    PressShortcut("mnsFilePrint");
    w.btnFilePrint->click();
    ASSERT_EQ(dialogs.Messages.size(), 2u);
    for (const TAskedMessage& m : dialogs.Messages) {
        EXPECT_EQ(m.Text, "There is no default printer currently selected.");
        EXPECT_EQ(m.Icon, TMsgIcon::Stop);
        EXPECT_EQ(m.Caption, "Kwerdel RQ");
    }
}

TEST_F(HelpTest, PrintLaysOutTheDocumentsLinesOnPagesOfSixtyOddRows) {
    TfrmMain& w = Create();
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    QFontMetricsF fm(TKrqEditPrint::DefaultFont(), &printer);
    const int rowsPerPage =
        static_cast<int>(std::floor((297 - 50) * (printer.resolution() / 25.4) / fm.lineSpacing()));
    EXPECT_GT(rowsPerPage, 50);
    EXPECT_LT(rowsPerPage, 100);

    std::string text;
    for (int i = 0; i < 2 * rowsPerPage + 1; ++i) text += "line " + std::to_string(i) + "\r\n";
    OpenFile("long.txt", text);
    Type("x");
    const std::string pdf = Path("out.pdf");
    w.ivcKrqEditPrint.PdfStandIn = QString::fromStdString(pdf);
    PressShortcut("mnsFilePrint");
    EXPECT_TRUE(dialogs.Messages.empty());
    EXPECT_EQ(PagesInPdf(pdf), 3);
    EXPECT_EQ(w.ivcKrqEditPrint.Lines().size(), static_cast<size_t>(2 * rowsPerPage + 1));
    // Printing leaves the document's flag and name alone.
    EXPECT_TRUE(w.Modified());
    EXPECT_EQ(w.CurrentFileName(), QPath("long.txt"));
}

TEST_F(HelpTest, AboutWindowIsFixedWhiteAndFreshForEachOpening) {
    Create();
    QPointer<QWidget> first;
    int openings = 0;
    auto check = [&](QWidget* modal) {
        ++openings;
        auto* about = qobject_cast<TfrmAbout*>(modal);
        ASSERT_NE(about, nullptr);
        EXPECT_EQ(about->windowTitle(), "Kwerdel RQ - informacje");
        EXPECT_EQ(about->size(), QSize(401, 208));
        EXPECT_EQ(about->minimumSize(), about->maximumSize());
        EXPECT_FALSE(about->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
        EXPECT_FALSE(about->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
        EXPECT_EQ(about->palette().color(QPalette::Window), QColor(Qt::white));
        ASSERT_NE(about->mncAboutImage, nullptr);
        EXPECT_EQ(about->mncAboutImage->geometry(), QRect(0, 8, 401, 201));
        EXPECT_FALSE(about->mncAboutImage->pixmap().isNull());
        // A fresh instance: the mark left on the first opening is not there.
        EXPECT_FALSE(about->property("seen").isValid());
        about->setProperty("seen", true);
        if (!first) first = about;
    };
    OnNextModal(check);
    Item("mnHelpInfo")->trigger();
    EXPECT_TRUE(first.isNull());  // the closed window is gone
    OnNextModal(check);
    Item("mnHelpInfo")->trigger();
    EXPECT_EQ(openings, 2);
}

TEST_F(HelpTest, TheBannerShipsInsideTheProgram) {
    QPixmap banner(":/krq/about.png");
    EXPECT_EQ(banner.size(), QSize(399, 198));
}

// Windows that are not built yet keep their items visible but disabled, never silently dead.
TEST_F(HelpTest, EveryWindowLauncherIsEnabled) {
    Create();
    for (const char* name : {"mnsOptionsProperty", "mnsConvertMultiCnv", "mnHelpInfo",
                             "mnsFilePrint", "mnsSendMail", "mnsHelpSite"})
        EXPECT_TRUE(Item(name)->isEnabled()) << name;
}

}  // namespace
}  // namespace krq::test
