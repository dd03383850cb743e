#include "ui/dialogs/helpwindow.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "ui/dialogs/programicon.h"

namespace kosmolux {

namespace {

QPushButton* NamedButton(const char* name, const QString& caption, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

}  // namespace

HelpWindow::HelpWindow(const QString& indexPage, QWidget* parent)
    : QWidget(parent, Qt::Window), indexPage_(indexPage)
{
    butBack = NamedButton("butBack", QStringLiteral("< Back"), this);
    butForward = NamedButton("butForward", QStringLiteral("Forward >"), this);
    butContents = NamedButton("butContents", QStringLiteral("Contents"), this);
    butBack->setEnabled(false);
    butForward->setEnabled(false);

    txtGuide = new QTextBrowser(this);
    txtGuide->setObjectName(QStringLiteral("txtGuide"));
    // Links to the web leave the guide for the desktop's browser.
    txtGuide->setOpenExternalLinks(true);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(butBack);
    buttons->addWidget(butForward);
    buttons->addWidget(butContents);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(txtGuide);

    connect(butBack, &QPushButton::clicked, txtGuide, &QTextBrowser::backward);
    connect(butForward, &QPushButton::clicked, txtGuide, &QTextBrowser::forward);
    connect(butContents, &QPushButton::clicked, this, &HelpWindow::ShowContents);
    connect(txtGuide, &QTextBrowser::backwardAvailable, butBack, &QPushButton::setEnabled);
    connect(txtGuide, &QTextBrowser::forwardAvailable, butForward, &QPushButton::setEnabled);
    connect(txtGuide, &QTextBrowser::sourceChanged, this, &HelpWindow::ShowPageTitle);

    // A window of its own, without the main window's icon to inherit.
    setWindowIcon(QIcon(DrawProgramIcon(64)));
    resize(720, 560);
    ShowContents();
}

void HelpWindow::ShowContents()
{
    txtGuide->setSource(QUrl::fromLocalFile(indexPage_));
}

void HelpWindow::ShowPageTitle()
{
    const QString page = txtGuide->documentTitle();
    setWindowTitle(page.isEmpty() ? QStringLiteral("Kosmolux Help")
                                  : QStringLiteral("Kosmolux Help - ") + page);
}

}  // namespace kosmolux
