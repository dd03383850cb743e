#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace kosmolux {

class DialogService;
struct Globals;

// Lets the user choose the calendar date at which the simulated clock starts.
// OK with a date the locale accepts sets Globals::StartDate and closes;
// closing by the window frame changes nothing.
class frmPickDate : public QDialog {
    Q_OBJECT

public:
    frmPickDate(Globals& globals, DialogService& dialogs, QWidget* parent = nullptr);

private slots:
    void butOK_Click();

private:
    void ProposeToday();

    Globals& globals_;
    DialogService& dialogs_;
    QLabel* Label1;
    QLineEdit* txtDate;
    QPushButton* butOK;
};

}  // namespace kosmolux
