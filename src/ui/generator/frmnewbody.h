#pragma once

#include <array>
#include <optional>
#include <vector>

#include <QDialog>
#include <QString>

#include "platform/dialogservice.h"
#include "storage/globals.h"
#include "model/planet.h"

class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kosmolux {

class ColourSwatch;

// "New Celestial Body": generates bodies from the catalogue, places them in
// orbit or at random, and adds them to the current system one after another.
// Shown modally with exec(); "Done" saves "Current.kmx" and closes, any other
// way of closing saves nothing. Construct a fresh dialog for every opening.
//
// Every control's objectName is its name. Control arrays are named with
// their index: labCustom0..labCustom5, Label1_0..Label1_18.
class frmNewBody : public QDialog {
    Q_OBJECT

public:
    // Fills the lists and creates an empty current system if there is none.
    // globals.Random must be set: generating draws from it.
    frmNewBody(Globals& globals, DialogService& dialogs, QWidget* parent = nullptr);

private:
    void BuildControls();
    // Left: what to generate and where to put it.
    QGroupBox* BuildGeneratorFrame();
    // Right: the values of the body, with their units.
    QGridLayout* BuildValueFields();
    void ConnectHandlers();
    void Load();

private slots:
    void cboBodyType_Click();
    void chkOrbit_Click();
    void cboDistance_Click();
    void butGenerate_Click();
    void butAccept_Click();
    void butDone_Click();

private:
    void ChooseColour(ColourSwatch* swatch);
    // The orbit fields in the order they are shown; shown only while an orbit is asked for.
    std::vector<QWidget*> OrbitControls() const;
    void ShowOrbitControls(bool shown);

    // Writes the six boxes from the orbit fields, or nothing at all.
    void PlaceInOrbit();
    void PlaceFreely();
    // cboOthers: "(none)" and every body of the system.
    void FillParentList();
    void ResetForNextBody();

    // The selected parent; nothing for "(none)" or no selection.
    const Planet* SelectedParent() const;

    Globals& globals_;
    DialogService& dialogs_;

    QGroupBox* Frame1 = nullptr;
    QComboBox* cboBodyType = nullptr;
    QLabel* Label2 = nullptr;
    QComboBox* cboSubType = nullptr;
    QCheckBox* chkOrbit = nullptr;
    QComboBox* cboOthers = nullptr;
    std::array<QLabel*, 6> labCustom{};
    QComboBox* cboOrbitType = nullptr;
    QComboBox* cboDistance = nullptr;
    QLineEdit* txtCustomDistance = nullptr;
    QLineEdit* txtAngle = nullptr;
    QCheckBox* chkRetrograde = nullptr;
    QPushButton* butGenerate = nullptr;
    QLineEdit* txtName = nullptr;
    QLineEdit* txtMass = nullptr;
    QLineEdit* txtDiameter = nullptr;
    QLineEdit* txtX = nullptr;
    QLineEdit* txtY = nullptr;
    QLineEdit* txtZ = nullptr;
    QLineEdit* txtVX = nullptr;
    QLineEdit* txtVY = nullptr;
    QLineEdit* txtVZ = nullptr;
    ColourSwatch* picHiColor = nullptr;
    ColourSwatch* picLoColor = nullptr;
    QCheckBox* chkLightweight = nullptr;
    QCheckBox* chkLocked = nullptr;
    QPushButton* butAccept = nullptr;
    QPushButton* butDone = nullptr;
    std::array<QLabel*, 19> Label1{};
};

}  // namespace kosmolux
