#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
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

QTextBrowser* Guide(const HelpViewer& viewer)
{
    return viewer.Window() ? viewer.Window()->findChild<QTextBrowser*>("txtGuide") : nullptr;
}

class HelpViewerTest : public ::testing::Test {
protected:
    QString InFolder(const QString& name) const { return QDir(folder.path()).filePath(name); }

    void WriteFile(const QString& name, const QByteArray& contents)
    {
        QDir(folder.path()).mkpath(QFileInfo(name).path());
        QFile file(InFolder(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(contents);
    }

    QTemporaryDir folder;
    ScriptedDialogService dialogs;
    HelpViewer viewer{folder.path(), dialogs};
};

TEST_F(HelpViewerTest, HandsTheCompiledHelpToTheDesktopAndShowsTheGuideWhenTheDesktopCannotOpenIt)
{
    WriteFile("Kosmolux.chm", "ITSF");
    WriteFile("help/index.html",
              "<html><head><title>Contents</title></head><body><a href=\"next.html\">Next</a></body></html>");
    WriteFile("help/next.html", "<html><head><title>Next page</title></head><body>More</body></html>");
    dialogs.HelpOpens = true;
    viewer.ShowHelp();
    const auto handed = dialogs.CallsOf(Kind::Help);
    ASSERT_EQ(handed.size(), 1u);
    EXPECT_EQ(handed[0].text, InFolder("Kosmolux.chm"));
    EXPECT_EQ(viewer.Window(), nullptr);

    dialogs.HelpOpens = false;
    viewer.ShowHelp();
    ASSERT_NE(Guide(viewer), nullptr);
    EXPECT_TRUE(viewer.Window()->isVisible());
    EXPECT_EQ(viewer.Window()->windowTitle(), "Kosmolux Help - Contents");

    // A link followed; asking again shows the same window at its first page.
    Guide(viewer)->setSource(QUrl(QStringLiteral("next.html")));
    EXPECT_EQ(viewer.Window()->windowTitle(), "Kosmolux Help - Next page");
    HelpWindow* first = viewer.Window();
    viewer.ShowHelp();
    EXPECT_EQ(viewer.Window(), first);
    EXPECT_EQ(Guide(viewer)->documentTitle(), "Contents");

    // A closed window goes away and the next request opens a new one.
    first->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(viewer.Window(), nullptr);
    viewer.ShowHelp();
    EXPECT_NE(viewer.Window(), nullptr);
    EXPECT_TRUE(dialogs.CallsOf(Kind::Message).empty());
}

TEST_F(HelpViewerTest, ReportsAGuideThatIsMissingAltogether)
{
    viewer.ShowHelp();
    EXPECT_TRUE(dialogs.CallsOf(Kind::Help).empty());
    EXPECT_EQ(viewer.Window(), nullptr);
    const auto messages = dialogs.CallsOf(Kind::Message);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].icon, DialogService::Icon::Exclamation);
    // Both places the guide was looked for.
    EXPECT_TRUE(messages[0].text.contains(QDir::toNativeSeparators(QDir(folder.path()).absolutePath())));
    EXPECT_TRUE(messages[0].text.contains(QDir::toNativeSeparators(ShippedDataFolders(folder.path())[1])));
}

// The guide as the build ships it beside the programs.
TEST(ShippedGuideTest, EveryPageHasATitleAndEveryLinkLeadsToAShippedPage)
{
    const QDir shipped(QStringLiteral(KOSMOLUX_SHIPPED_HELP_DIR));
    ASSERT_TRUE(shipped.exists("index.html"));
    const QRegularExpression link(QStringLiteral("(?:href|src)=\"([^\"#]*)(#[^\"]*)?\""));
    for (const QString& page : shipped.entryList({QStringLiteral("*.html")}, QDir::Files)) {
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
}

}  // namespace
}  // namespace kosmolux
