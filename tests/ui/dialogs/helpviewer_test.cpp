#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextBrowser>

#include <gtest/gtest.h>

#include "platform/installpaths.h"
#include "platform/scripteddialogservice.h"
#include "ui/dialogs/helpviewer.h"
#include "ui/dialogs/helpwindow.h"
#include "ui/dialogs/qstringprinter.h"

namespace kosmolux {
namespace {

using Kind = ScriptedDialogService::Kind;

void WriteFile(const QString& path, const QByteArray& contents)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(contents);
}

QTextBrowser* Guide(const HelpViewer& viewer)
{
    return viewer.Window() ? viewer.Window()->findChild<QTextBrowser*>("txtGuide") : nullptr;
}

class HelpViewerTest : public ::testing::Test {
protected:
    QString InFolder(const QString& name) const { return QDir(folder.path()).filePath(name); }

    void WriteGuide()
    {
        WriteFile(InFolder("help/index.html"),
                  "<html><head><title>Contents</title></head><body><a href=\"next.html\">Next</a></body></html>");
        WriteFile(InFolder("help/next.html"),
                  "<html><head><title>Next page</title></head><body>More</body></html>");
    }

    QTemporaryDir folder;
    ScriptedDialogService dialogs;
};

TEST_F(HelpViewerTest, HandsTheCompiledHelpToTheDesktopWhenItOpensIt)
{
    WriteFile(InFolder("Kosmolux.chm"), "ITSF");
    WriteGuide();
    dialogs.HelpOpens = true;
    HelpViewer viewer(folder.path(), dialogs);
    viewer.ShowHelp(nullptr);

    const auto handed = dialogs.CallsOf(Kind::Help);
    ASSERT_EQ(handed.size(), 1u);
    EXPECT_EQ(handed[0].text, InFolder("Kosmolux.chm"));
    EXPECT_EQ(viewer.Window(), nullptr);
    EXPECT_TRUE(dialogs.CallsOf(Kind::Message).empty());
}

TEST_F(HelpViewerTest, ShowsTheGuideInItsOwnWindowWithLinksAndHistory)
{
    // A compiled help file the desktop cannot open falls back to the guide.
    WriteFile(InFolder("Kosmolux.chm"), "ITSF");
    WriteGuide();
    HelpViewer viewer(folder.path(), dialogs);
    viewer.ShowHelp(nullptr);

    EXPECT_EQ(dialogs.CallsOf(Kind::Help).size(), 1u);
    ASSERT_NE(viewer.Window(), nullptr);
    EXPECT_TRUE(viewer.Window()->isVisible());
    QTextBrowser* guide = Guide(viewer);
    ASSERT_NE(guide, nullptr);
    EXPECT_EQ(guide->source(), QUrl::fromLocalFile(InFolder("help/index.html")));
    EXPECT_EQ(viewer.Window()->windowTitle(), "Kosmolux Help - Contents");

    auto* back = viewer.Window()->findChild<QPushButton*>("butBack");
    auto* forward = viewer.Window()->findChild<QPushButton*>("butForward");
    EXPECT_FALSE(back->isEnabled());
    guide->setSource(QUrl(QStringLiteral("next.html")));
    EXPECT_TRUE(guide->toPlainText().contains("More"));
    EXPECT_TRUE(back->isEnabled());
    back->click();
    EXPECT_EQ(guide->documentTitle(), "Contents");
    EXPECT_TRUE(forward->isEnabled());

    // Asking again shows the same window at its first page.
    forward->click();
    HelpWindow* first = viewer.Window();
    viewer.ShowHelp(nullptr);
    EXPECT_EQ(viewer.Window(), first);
    EXPECT_EQ(guide->documentTitle(), "Contents");

    // A closed window goes away and the next request opens a new one.
    first->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(viewer.Window(), nullptr);
    viewer.ShowHelp(nullptr);
    EXPECT_NE(viewer.Window(), nullptr);
    EXPECT_TRUE(dialogs.CallsOf(Kind::Message).empty());
}

TEST_F(HelpViewerTest, FindsTheGuideInstalledBesideTheProgramsFolder)
{
    // PREFIX/bin/kosmolux with its guide in PREFIX/share/kosmolux/help.
    const QString programs = InFolder("bin");
    ASSERT_TRUE(QDir().mkpath(programs));
    const QString installedPage = ShippedDataFolders(programs)[1] + "/help/index.html";
    WriteFile(installedPage, "<html><head><title>Installed</title></head><body>Installed guide</body></html>");
    HelpViewer viewer(programs, dialogs);
    viewer.ShowHelp(nullptr);

    ASSERT_NE(Guide(viewer), nullptr);
    EXPECT_EQ(Guide(viewer)->source(), QUrl::fromLocalFile(installedPage));
    EXPECT_TRUE(dialogs.CallsOf(Kind::Message).empty());
}

TEST_F(HelpViewerTest, ReportsAGuideThatIsMissingAltogether)
{
    HelpViewer viewer(folder.path(), dialogs);
    viewer.ShowHelp(nullptr);

    EXPECT_TRUE(dialogs.CallsOf(Kind::Help).empty());
    EXPECT_EQ(viewer.Window(), nullptr);
    const auto messages = dialogs.CallsOf(Kind::Message);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].icon, DialogService::Icon::Exclamation);
    EXPECT_EQ(messages[0].buttons, DialogService::Buttons::Ok);
    EXPECT_TRUE(messages[0].text.contains(QDir::toNativeSeparators(QDir(folder.path()).absolutePath())));
    EXPECT_TRUE(messages[0].text.contains("Kosmolux.chm"));
    EXPECT_TRUE(messages[0].text.contains(QDir::toNativeSeparators(ShippedDataFolders(folder.path())[1])));

    // A compiled help file that the desktop cannot open, and no guide.
    WriteFile(InFolder("Kosmolux.chm"), "ITSF");
    viewer.ShowHelp(nullptr);
    EXPECT_EQ(dialogs.CallsOf(Kind::Help).size(), 1u);
    EXPECT_EQ(dialogs.CallsOf(Kind::Message).size(), 2u);
    EXPECT_EQ(viewer.Window(), nullptr);
}

// The guide as the build ships it beside the programs: every page opens and
// every link within it leads to a shipped page.
TEST(ShippedGuideTest, EveryLinkLeadsToAShippedPage)
{
    const QDir shipped(QStringLiteral(KOSMOLUX_SHIPPED_HELP_DIR));
    const QStringList pages = shipped.entryList({QStringLiteral("*.html")}, QDir::Files);
    ASSERT_GE(pages.size(), 5);
    ASSERT_TRUE(pages.contains("index.html"));
    const QRegularExpression link(QStringLiteral("(?:href|src)=\"([^\"#]*)(#[^\"]*)?\""));

    for (const QString& page : pages) {
        QFile file(shipped.filePath(page));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << page.toStdString();
        const QString html = QString::fromUtf8(file.readAll());
        EXPECT_TRUE(html.contains(QRegularExpression("<title>[^<]+</title>"))) << page.toStdString();
        for (const auto& match : link.globalMatch(html)) {
            const QString target = match.captured(1);
            if (target.isEmpty() || target.contains(':'))
                continue;
            EXPECT_TRUE(shipped.exists(target)) << page.toStdString() << " links to " << target.toStdString();
        }
    }

    ScriptedDialogService dialogs;
    HelpViewer viewer(QDir(shipped.filePath("..")).absolutePath(), dialogs);
    viewer.ShowHelp(nullptr);
    ASSERT_NE(Guide(viewer), nullptr);
    EXPECT_TRUE(Guide(viewer)->toPlainText().contains("Kosmolux User Guide"));
}

}  // namespace
}  // namespace kosmolux
