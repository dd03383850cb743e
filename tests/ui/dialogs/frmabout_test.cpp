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
    // The build names the version in one place, from which both forms come.
    EXPECT_EQ(dialog.findChild<QLabel*>("lblVersion")->text(), "Version " + QString::fromLatin1(VersionText));
    dialog.show();
    dialog.findChild<QPushButton*>("cmdOK")->click();
    EXPECT_FALSE(dialog.isVisible());
}

}  // namespace
}  // namespace kosmolux
