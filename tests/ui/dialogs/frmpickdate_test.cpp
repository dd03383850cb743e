#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include "platform/scripteddialogservice.h"
#include "platform/textformats.h"
#include "storage/globals.h"
#include "ui/dialogs/frmpickdate.h"
#include "ui/dialogs/qstringprinter.h"

namespace kosmolux {
namespace {

class FrmPickDateTest : public ::testing::Test {
protected:
    FrmPickDateTest() { globals.StartDate = QDate(1999, 12, 31); }

    QLineEdit* DateBox() { return dialog.findChild<QLineEdit*>("txtDate"); }

    void PressOK(const QString& text)
    {
        DateBox()->setText(text);
        dialog.findChild<QPushButton*>("butOK")->click();
    }

    Globals globals;
    ScriptedDialogService dialogs;
    frmPickDate dialog{globals, dialogs};
};

TEST_F(FrmPickDateTest, ProposesTodayAndAcceptsIt)
{
    EXPECT_EQ(dialog.windowTitle(), "Date Picker");
    EXPECT_EQ(dialog.findChild<QLabel*>("Label1")->text(), "Choose Start Date:");
    EXPECT_EQ(dialog.findChild<QPushButton*>("butOK")->text(), "OK");
    EXPECT_EQ(DateBox()->text(), text::FormatLongDate(text::Today()));

    dialog.findChild<QPushButton*>("butOK")->click();
    EXPECT_EQ(globals.StartDate, text::Today());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(dialogs.Calls.empty());
}

TEST_F(FrmPickDateTest, AcceptsOtherFormsTheLocaleReads)
{
    PressOK("3/5/2024");
    EXPECT_EQ(globals.StartDate, QDate(2024, 3, 5));
    PressOK("17 Jul 1969");
    EXPECT_EQ(globals.StartDate, QDate(1969, 7, 17));
    EXPECT_TRUE(dialogs.Calls.empty());
}

TEST_F(FrmPickDateTest, RefusesWhatIsNotADateAndProposesTodayAgain)
{
    for (const QString& refused : {QString(), QStringLiteral("31 Feb 2001"), QStringLiteral("2/31/2001"),
                                   QStringLiteral("tomorrow")}) {
        PressOK(refused);
        EXPECT_EQ(DateBox()->text(), text::FormatLongDate(text::Today())) << refused.toStdString();
    }
    EXPECT_EQ(globals.StartDate, QDate(1999, 12, 31));
    EXPECT_NE(dialog.result(), QDialog::Accepted);

    const auto messages = dialogs.CallsOf(ScriptedDialogService::Kind::Message);
    ASSERT_EQ(messages.size(), 4u);
    EXPECT_EQ(messages[0].text, "Invalid date - please use the format shown in the sample");
    EXPECT_EQ(messages[0].title, "Sorry!");
    EXPECT_EQ(messages[0].icon, DialogService::Icon::Exclamation);
    EXPECT_EQ(messages[0].buttons, DialogService::Buttons::Ok);
}

TEST_F(FrmPickDateTest, ClosingByTheFrameChangesNothing)
{
    dialog.show();
    DateBox()->setText("3/5/2024");
    dialog.close();
    EXPECT_EQ(globals.StartDate, QDate(1999, 12, 31));
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

}  // namespace
}  // namespace kosmolux
