#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include "platform/scripteddialogservice.h"
#include "platform/textformats.h"
#include "storage/globals.h"
#include "ui/dialogs/frmpickdate.h"
#include "ui/dialogs/qstringprinter.h"

namespace kosmolux {
namespace {

TEST(FrmPickDateTest, RefusesWhatIsNotADateAndAcceptsTodayAndOtherFormsTheLocaleReads)
{
    Globals globals;
    globals.StartDate = QDate(1999, 12, 31);
    ScriptedDialogService dialogs;
    frmPickDate dialog(globals, dialogs);
    auto* dateBox = dialog.findChild<QLineEdit*>("txtDate");
    auto* ok = dialog.findChild<QPushButton*>("butOK");
    const QString today = text::FormatLongDate(text::Today());
    EXPECT_EQ(dateBox->text(), today);

    for (const QString& refused : {QString(), QStringLiteral("31 Feb 2001")}) {
        dateBox->setText(refused);
        ok->click();
        EXPECT_EQ(dateBox->text(), today) << refused.toStdString();
    }
    EXPECT_EQ(globals.StartDate, QDate(1999, 12, 31));
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    const auto messages = dialogs.CallsOf(ScriptedDialogService::Kind::Message);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1].text, "Invalid date - please use the format shown in the sample");
    EXPECT_EQ(messages[1].title, "Sorry!");

    // The proposed text, then a form with the month as a number.
    ok->click();
    EXPECT_EQ(globals.StartDate, text::Today());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    dateBox->setText("3/5/2024");
    ok->click();
    EXPECT_EQ(globals.StartDate, QDate(2024, 3, 5));
    EXPECT_EQ(dialogs.Calls.size(), 2u);
}

}  // namespace
}  // namespace kosmolux
