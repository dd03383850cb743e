#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace kosmolux {

// The About box: title, version of this build, what the program is for, a
// disclaimer and the credits.
class frmAbout : public QDialog {
    Q_OBJECT

public:
    explicit frmAbout(QWidget* parent = nullptr);

private slots:
    void cmdOK_Click();

private:
    QLabel* picIcon;
    QLabel* lblTitle;
    QLabel* lblVersion;
    QLabel* lblDescription;
    QLabel* lblDisclaimer;
    QLabel* lblCredits;
    QPushButton* cmdOK;
};

}  // namespace kosmolux
