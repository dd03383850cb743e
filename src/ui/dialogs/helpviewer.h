#pragma once

#include <QPointer>
#include <QString>

namespace kosmolux {

class DialogService;
class HelpWindow;

// Opens the user guide for Help > Contents and F1. A compiled help file
// "Kosmolux.chm" in the program's folder goes to the desktop when the desktop
// can open it; otherwise the HTML guide "help/index.html" is shown in a
// window of our own, found beside the program or in the installed data folder
// (ShippedDataFolders). A guide missing altogether is reported in a message box.
//
// The guide window has no parent: dialogs are modal to the main window and to
// each other only, so the guide stays usable while one of them is open.
class HelpViewer {
public:
    HelpViewer(const QString& programFolder, DialogService& dialogs);
    ~HelpViewer();
    HelpViewer(const HelpViewer&) = delete;
    HelpViewer& operator=(const HelpViewer&) = delete;

    // The guide window, if any, lives until it is closed or this viewer goes.
    void ShowHelp();

    // The guide window while it is open; nullptr before and after. Defined out
    // of line, so that callers need not see HelpWindow.
    HelpWindow* Window() const;

private:
    QString programFolder_;
    DialogService& dialogs_;
    QPointer<HelpWindow> window_;
};

}  // namespace kosmolux
