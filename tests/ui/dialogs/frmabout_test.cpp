#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

#include "kosmolux_version.h"
#include "ui/dialogs/frmabout.h"
#include "ui/dialogs/qstringprinter.h"

namespace kosmolux {
namespace {

TEST(FrmAboutTest, ShowsTheTitleAndVersionOfThisBuildAndClosesWithOK)
{
    frmAbout dialog;
    const QString title = QString::fromLatin1(ProgramTitle);
    EXPECT_EQ(dialog.windowTitle(), "About " + title);
    EXPECT_EQ(dialog.findChild<QLabel*>("lblTitle")->text(), title);
    const QString version = QStringLiteral("Version %1.%2.%3").arg(VersionMajor).arg(VersionMinor).arg(VersionRevision);
    EXPECT_EQ(dialog.findChild<QLabel*>("lblVersion")->text(), version);
    // The build names the version in one place, from which both forms come.
    EXPECT_EQ(version, "Version " + QString::fromLatin1(VersionText));

    dialog.show();
    dialog.findChild<QPushButton*>("cmdOK")->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

}  // namespace
}  // namespace kosmolux
