#pragma once

#include <memory>

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace kosmolux {

class ColourSwatch;
class DialogService;
class Planet;
class Planets;
struct Globals;

// The body editor: changes any value of any body of the current system,
// renames, deletes and adds bodies. It works on the live bodies; changes of
// the shown body are stored when another body is shown and on Done, and are
// dropped when the dialog is closed by its window frame.
class frmEdit : public QDialog {
    Q_OBJECT

public:
    frmEdit(Globals& globals, DialogService& dialogs, QWidget* parent = nullptr);

protected:
    // Shows the new-body dialog modally; tests put a scripted stand-in here.
    virtual void RunNewBodyDialog();

private slots:
    void cboBodies_Click();
    // What the change handlers of every value field, the parent box and the
    // two check boxes have in common.
    void Value_Change();
    void picHiColor_Click();
    void picLoColor_Click();
    void butAdd_Click();
    void butDelete_Click();
    void butRename_Click();
    void butOK_Click();

private:
    void FillLists();
    // Stores the shown body's changed values; false when a value box held no
    // number (the user was told) and that value stayed as it was.
    bool StoreBody();
    void ShowBody(const Planet& body);
    void ShowNoBody();
    void ChooseColour(ColourSwatch* swatch);
    // The system, or nullptr while none has been created.
    Planets* System() const;
    // The body of the entry selected in cboBodies, or nullptr.
    Planet* SelectedBody() const;

    Globals& globals_;
    DialogService& dialogs_;

    QComboBox* cboBodies;
    QLineEdit* txtMass;
    QLineEdit* txtDiameter;
    QLineEdit* txtX;
    QLineEdit* txtY;
    QLineEdit* txtZ;
    QLineEdit* txtVX;
    QLineEdit* txtVY;
    QLineEdit* txtVZ;
    ColourSwatch* picHiColor;
    ColourSwatch* picLoColor;
    QComboBox* cboOthers;
    QCheckBox* chkLightweight;
    QCheckBox* chkLocked;
    QPushButton* butAdd;
    QPushButton* butDelete;
    QPushButton* butRename;
    QPushButton* butOK;

    // Shared with the system, so that a deletion never leaves it dangling.
    std::shared_ptr<Planet> EditedBody;
    bool BodyChanged = false;
};

}  // namespace kosmolux
