#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

#include "kosmolux_version.h"
#include "ui/dialogs/frmabout.h"
#include "ui/dialogs/qstringprinter.h"

namespace kosmolux {
namespace {

QString LabelText(const frmAbout& dialog, const char* name)
{
    const auto* label = dialog.findChild<QLabel*>(QString::fromLatin1(name));
    return label ? label->text() : QStringLiteral("<missing %1>").arg(QString::fromLatin1(name));
}

TEST(FrmAboutTest, ShowsTheTitleAndVersionOfThisBuild)
{
    frmAbout dialog;
    const QString title = QString::fromLatin1(ProgramTitle);
    EXPECT_EQ(dialog.windowTitle(), "About " + title);
    EXPECT_EQ(LabelText(dialog, "lblTitle"), title);
    EXPECT_EQ(LabelText(dialog, "lblVersion"),
              QStringLiteral("Version %1.%2.%3").arg(VersionMajor).arg(VersionMinor).arg(VersionRevision));
    // The numbers come from the build, which names the version in one place.
    EXPECT_EQ(LabelText(dialog, "lblVersion"), "Version " + QString::fromLatin1(VersionText));
}

TEST(FrmAboutTest, HoldsTheDescriptionDisclaimerCreditsAndOK)
{
    frmAbout dialog;
    EXPECT_EQ(LabelText(dialog, "lblDescription"),
              "Kosmolux is intended for educational and entertainment use to simulate the motion of "
              "stars, planets and other bodies under the influence of Newtonian gravity.");
    EXPECT_TRUE(LabelText(dialog, "lblDisclaimer").contains("All rights reserved"));
    EXPECT_FALSE(LabelText(dialog, "lblCredits").isEmpty());
    const auto* icon = dialog.findChild<QLabel*>("picIcon");
    ASSERT_NE(icon, nullptr);
    EXPECT_FALSE(icon->pixmap().isNull());
    EXPECT_EQ(dialog.findChildren<QFrame*>("Line1").size(), 2);

    auto* ok = dialog.findChild<QPushButton*>("cmdOK");
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text(), "OK");
    dialog.show();
    ok->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

}  // namespace
}  // namespace kosmolux
