#include "ui/dialogs/frmabout.h"

#include <QFont>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include "kosmolux_version.h"
#include "platform/dialogmodality.h"
#include "ui/dialogs/programicon.h"

namespace kosmolux {

namespace {

QLabel* NamedLabel(const char* name, const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setWordWrap(true);
    return label;
}

// The two separator lines share one name, as the members of a control array do.
QFrame* SeparatorLine(QWidget* parent)
{
    auto* line = new QFrame(parent);
    line->setObjectName(QStringLiteral("Line1"));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

}  // namespace

frmAbout::frmAbout(QWidget* parent) : QDialog(parent)
{
    SetDialogModality(*this);
    const QString title = QString::fromLatin1(ProgramTitle);
    setWindowTitle(QStringLiteral("About ") + title);

    picIcon = new QLabel(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setPixmap(DrawProgramIcon(64));
    picIcon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    lblTitle = NamedLabel("lblTitle", title, this);
    QFont titleFont = lblTitle->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
    titleFont.setBold(true);
    lblTitle->setFont(titleFont);

    lblVersion = NamedLabel("lblVersion",
                            QStringLiteral("Version %1.%2.%3")
                                .arg(VersionMajor)
                                .arg(VersionMinor)
                                .arg(VersionRevision),
                            this);
    lblDescription = NamedLabel(
        "lblDescription",
        QStringLiteral("Kosmolux is intended for educational and entertainment use to simulate the "
                       "motion of stars, planets and other bodies under the influence of Newtonian "
                       "gravity."),
        this);
    lblDisclaimer = NamedLabel(
        "lblDisclaimer",
        QStringLiteral("All rights reserved. This program is provided as it is, without warranty "
                       "of any kind, and no liability is accepted for any loss or damage arising "
                       "from its use. You use it at your own risk."),
        this);
    lblCredits = NamedLabel(
        "lblCredits",
        QStringLiteral("Written by the Kosmolux developers, with thanks to Isaac Newton for the "
                       "law of gravitation and to the Qt project for the window toolkit."),
        this);

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);

    auto* layout = new QGridLayout(this);
    layout->addWidget(picIcon, 0, 0, 3, 1);
    layout->addWidget(lblTitle, 0, 1);
    layout->addWidget(lblVersion, 1, 1);
    layout->addWidget(lblDescription, 2, 1);
    layout->addWidget(SeparatorLine(this), 3, 0, 1, 2);
    layout->addWidget(lblDisclaimer, 4, 0, 1, 2);
    layout->addWidget(lblCredits, 5, 0, 1, 2);
    layout->addWidget(SeparatorLine(this), 6, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    layout->addLayout(buttons, 7, 0, 1, 2);
    layout->setColumnStretch(1, 1);
    setMinimumWidth(420);
}

void frmAbout::cmdOK_Click()
{
    accept();
}

}  // namespace kosmolux
