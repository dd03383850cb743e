#include "ui/dialogs/frmpickdate.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/dialogmodality.h"
#include "platform/dialogservice.h"
#include "platform/textformats.h"
#include "storage/globals.h"

namespace kosmolux {

frmPickDate::frmPickDate(Globals& globals, DialogService& dialogs, QWidget* parent)
    : QDialog(parent), globals_(globals), dialogs_(dialogs)
{
    SetDialogModality(*this);
    setWindowTitle(QStringLiteral("Date Picker"));

    Label1 = new QLabel(QStringLiteral("Choose Start Date:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    txtDate = new QLineEdit(this);
    txtDate->setObjectName(QStringLiteral("txtDate"));
    butOK = new QPushButton(QStringLiteral("OK"), this);
    butOK->setObjectName(QStringLiteral("butOK"));
    butOK->setDefault(true);
    Label1->setBuddy(txtDate);

    auto* row = new QHBoxLayout;
    row->addWidget(txtDate, 1);
    row->addWidget(butOK);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addLayout(row);

    connect(butOK, &QPushButton::clicked, this, &frmPickDate::butOK_Click);

    // The proposal is always today, not the start date in force.
    ProposeToday();
}

void frmPickDate::ProposeToday()
{
    txtDate->setText(text::FormatLongDate(text::Today()));
}

void frmPickDate::butOK_Click()
{
    if (const auto date = text::ParseDate(txtDate->text())) {
        globals_.StartDate = *date;
        accept();
        return;
    }
    dialogs_.MessageBox(QStringLiteral("Invalid date - please use the format shown in the sample"),
                        QStringLiteral("Sorry!"), DialogService::Icon::Exclamation,
                        DialogService::Buttons::Ok);
    ProposeToday();
}

}  // namespace kosmolux
