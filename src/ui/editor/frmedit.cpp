#include "ui/editor/frmedit.h"

#include <optional>

#include <QCheckBox>
#include <QComboBox>
#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

#include "model/planets.h"
#include "platform/dialogmodality.h"
#include "platform/dialogservice.h"
#include "storage/globals.h"
#include "storage/sciformat.h"
#include "ui/editor/renamecheck.h"
#include "ui/generator/colourswatch.h"
#include "ui/generator/frmnewbody.h"
#include "ui/generator/numberfield.h"

namespace kosmolux {

namespace {

// The swatches' colours while no body is shown.
constexpr Colour NoBodyHiColor = White;
constexpr Colour NoBodyLoColor = 224 + 256 * 224 + 65536 * 224;

template <typename Control>
Control* Named(Control* control, const char* name)
{
    control->setObjectName(QString::fromLatin1(name));
    return control;
}

// Only a box the user edited is read, so an untouched value keeps every
// digit instead of coming back rounded to the 15 digits shown. Text that is
// not a number, or too large for a double, is refused in a message naming
// the field and leaves the value as it was; returns whether it was stored.
// Number is a double or a body's mass.
template <typename Number>
bool StoreNumber(DialogService& dialogs, const QLineEdit* box, const char* fieldName, Number& value)
{
    if (!box->isModified())
        return true;
    const std::optional<double> number = ReadNumberField(dialogs, box->text(), QString::fromLatin1(fieldName));
    if (number)
        value = *number;
    return number.has_value();
}

}  // namespace

frmEdit::frmEdit(Globals& globals, DialogService& dialogs, QWidget* parent)
    : QDialog(parent), globals_(globals), dialogs_(dialogs)
{
    SetDialogModality(*this);
    setWindowTitle(QStringLiteral("Edit Body"));
    setFont(QFont(QStringLiteral("Arial")));

    cboBodies = Named(new QComboBox(this), "cboBodies");
    txtMass = Named(new QLineEdit(this), "txtMass");
    txtDiameter = Named(new QLineEdit(this), "txtDiameter");
    txtX = Named(new QLineEdit(this), "txtX");
    txtY = Named(new QLineEdit(this), "txtY");
    txtZ = Named(new QLineEdit(this), "txtZ");
    txtVX = Named(new QLineEdit(this), "txtVX");
    txtVY = Named(new QLineEdit(this), "txtVY");
    txtVZ = Named(new QLineEdit(this), "txtVZ");
    picHiColor = Named(new ColourSwatch(this), "picHiColor");
    picLoColor = Named(new ColourSwatch(this), "picLoColor");
    cboOthers = Named(new QComboBox(this), "cboOthers");
    chkLightweight = Named(new QCheckBox(QStringLiteral("Lightweight?"), this), "chkLightweight");
    chkLocked = Named(new QCheckBox(QStringLiteral("Locked?"), this), "chkLocked");
    butAdd = Named(new QPushButton(QStringLiteral("Add"), this), "butAdd");
    butDelete = Named(new QPushButton(QStringLiteral("Delete"), this), "butDelete");
    butRename = Named(new QPushButton(QStringLiteral("Rename"), this), "butRename");
    butOK = Named(new QPushButton(QStringLiteral("Done"), this), "butOK");
    for (ColourSwatch* swatch : {picHiColor, picLoColor})
        swatch->setFixedSize(40, 20);

    // Enter in a value box means Done, never Add or Delete.
    for (QPushButton* button : {butAdd, butDelete, butRename})
        button->setAutoDefault(false);
    butOK->setDefault(true);

    auto* grid = new QGridLayout;
    int row = 0;
    auto addRow = [&](const QString& caption, QWidget* field, const QString& unit = {}) {
        auto* label = new QLabel(caption, this);
        label->setBuddy(field);
        grid->addWidget(label, row, 0);
        grid->addWidget(field, row, 1);
        if (!unit.isEmpty())
            grid->addWidget(new QLabel(unit, this), row, 2);
        ++row;
    };
    addRow(QStringLiteral("Select Body:"), cboBodies);
    addRow(QStringLiteral("Mass:"), txtMass, QStringLiteral("kg"));
    addRow(QStringLiteral("Diameter:"), txtDiameter, QStringLiteral("metres"));
    addRow(QStringLiteral("Position X:"), txtX, QStringLiteral("metres"));
    addRow(QStringLiteral("Position Y:"), txtY, QStringLiteral("metres"));
    addRow(QStringLiteral("Position Z:"), txtZ, QStringLiteral("metres"));
    addRow(QStringLiteral("Velocity X:"), txtVX, QStringLiteral("metres/sec"));
    addRow(QStringLiteral("Velocity Y:"), txtVY, QStringLiteral("metres/sec"));
    addRow(QStringLiteral("Velocity Z:"), txtVZ, QStringLiteral("metres/sec"));
    addRow(QStringLiteral("HiColor:"), picHiColor);
    addRow(QStringLiteral("LoColor:"), picLoColor);
    addRow(QStringLiteral("\"Parent\" body:"), cboOthers);
    grid->addWidget(chkLightweight, row, 1);
    grid->addWidget(chkLocked, row + 1, 1);
    grid->setColumnStretch(1, 1);

    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {butAdd, butDelete, butRename})
        buttons->addWidget(button);
    buttons->addStretch();
    buttons->addWidget(butOK);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);

    connect(cboBodies, &QComboBox::currentIndexChanged, this, &frmEdit::cboBodies_Click);
    // Only the user's own changes count; showing a body fills the boxes without a mark.
    for (QLineEdit* box : {txtMass, txtDiameter, txtX, txtY, txtZ, txtVX, txtVY, txtVZ})
        connect(box, &QLineEdit::textEdited, this, &frmEdit::Value_Change);
    connect(cboOthers, &QComboBox::activated, this, &frmEdit::Value_Change);
    connect(chkLightweight, &QCheckBox::clicked, this, &frmEdit::Value_Change);
    connect(chkLocked, &QCheckBox::clicked, this, &frmEdit::Value_Change);
    connect(picHiColor, &ColourSwatch::clicked, this, &frmEdit::picHiColor_Click);
    connect(picLoColor, &ColourSwatch::clicked, this, &frmEdit::picLoColor_Click);
    connect(butAdd, &QPushButton::clicked, this, &frmEdit::butAdd_Click);
    connect(butDelete, &QPushButton::clicked, this, &frmEdit::butDelete_Click);
    connect(butRename, &QPushButton::clicked, this, &frmEdit::butRename_Click);
    connect(butOK, &QPushButton::clicked, this, &frmEdit::butOK_Click);

    FillLists();
}

Planets* frmEdit::System() const
{
    return globals_.CurrentSystem.get();
}

Planet* frmEdit::SelectedBody() const
{
    const int index = cboBodies->currentIndex();
    if (index < 0 || !System())
        return nullptr;
    return System()->FindById(cboBodies->itemData(index).toInt());
}

void frmEdit::FillLists()
{
    // Pending changes are stored while the parent box still lists the body's parent.
    StoreBody();
    BodyChanged = false;
    {
        const QSignalBlocker blockBodies(cboBodies);
        const QSignalBlocker blockOthers(cboOthers);
        cboBodies->clear();
        cboOthers->clear();
        cboOthers->addItem(QStringLiteral("(none)"), -1);
        if (const Planets* system = System()) {
            for (const Planet& body : *system) {
                const QString name = QString::fromStdString(body.PlanetName);
                cboBodies->addItem(name, body.Id());
                cboOthers->addItem(name, body.Id());
            }
        }
        cboBodies->setCurrentIndex(cboBodies->count() > 0 ? 0 : -1);
    }
    cboBodies_Click();
}

void frmEdit::cboBodies_Click()
{
    StoreBody();
    BodyChanged = false;
    const Planet* selected = SelectedBody();
    EditedBody = selected ? System()->Share(selected->GetKey()) : nullptr;
    if (EditedBody)
        ShowBody(*EditedBody);
    else
        ShowNoBody();
}

void frmEdit::ShowBody(const Planet& body)
{
    txtMass->setText(SciFormat(body.Mass));
    txtDiameter->setText(SciFormat(body.Diameter));
    txtX->setText(SciFormat(body.Position.XComp));
    txtY->setText(SciFormat(body.Position.YComp));
    txtZ->setText(SciFormat(body.Position.ZComp));
    txtVX->setText(SciFormat(body.Velocity.XComp));
    txtVY->setText(SciFormat(body.Velocity.YComp));
    txtVZ->setText(SciFormat(body.Velocity.ZComp));
    picHiColor->SetBackColor(body.HiColor);
    picLoColor->SetBackColor(body.LoColor);
    chkLightweight->setChecked(body.Lightweight);
    chkLocked->setChecked(body.Locked);
    // A parent no longer in the system shows as "(none)", which is also how it is saved.
    const int parentEntry = cboOthers->findData(body.Parent);
    cboOthers->setCurrentIndex(parentEntry >= 0 ? parentEntry : 0);
}

void frmEdit::ShowNoBody()
{
    for (QLineEdit* box : {txtMass, txtDiameter, txtX, txtY, txtZ, txtVX, txtVY, txtVZ})
        box->clear();
    picHiColor->SetBackColor(NoBodyHiColor);
    picLoColor->SetBackColor(NoBodyLoColor);
    chkLightweight->setChecked(false);
    chkLocked->setChecked(false);
    cboOthers->setCurrentIndex(-1);
}

bool frmEdit::StoreBody()
{
    if (!EditedBody || !BodyChanged)
        return true;
    Planet& body = *EditedBody;
    bool stored = StoreNumber(dialogs_, txtMass, "Mass", body.Mass);
    stored = StoreNumber(dialogs_, txtDiameter, "Diameter", body.Diameter) && stored;
    stored = StoreNumber(dialogs_, txtX, "Position X", body.Position.XComp) && stored;
    stored = StoreNumber(dialogs_, txtY, "Position Y", body.Position.YComp) && stored;
    stored = StoreNumber(dialogs_, txtZ, "Position Z", body.Position.ZComp) && stored;
    stored = StoreNumber(dialogs_, txtVX, "Velocity X", body.Velocity.XComp) && stored;
    stored = StoreNumber(dialogs_, txtVY, "Velocity Y", body.Velocity.YComp) && stored;
    stored = StoreNumber(dialogs_, txtVZ, "Velocity Z", body.Velocity.ZComp) && stored;
    body.HiColor = picHiColor->BackColor();
    body.LoColor = picLoColor->BackColor();
    const int parentEntry = cboOthers->currentIndex();
    body.Parent = parentEntry >= 0 ? cboOthers->itemData(parentEntry).toInt() : -1;
    body.Lightweight = chkLightweight->isChecked();
    body.Locked = chkLocked->isChecked();
    return stored;
}

void frmEdit::Value_Change()
{
    BodyChanged = true;
}

void frmEdit::ChooseColour(ColourSwatch* swatch)
{
    // A cancelled choice leaves the colour as it was.
    if (const auto colour = dialogs_.ChooseColour()) {
        swatch->SetBackColor(*colour);
        BodyChanged = true;
    }
}

void frmEdit::picHiColor_Click()
{
    ChooseColour(picHiColor);
}

void frmEdit::picLoColor_Click()
{
    ChooseColour(picLoColor);
}

void frmEdit::RunNewBodyDialog()
{
    frmNewBody dialog(globals_, dialogs_, this);
    dialog.exec();
}

void frmEdit::butAdd_Click()
{
    // Stored first, so that the generator's automatic save holds them.
    StoreBody();
    BodyChanged = false;
    RunNewBodyDialog();
    FillLists();
}

void frmEdit::butDelete_Click()
{
    const Planet* body = SelectedBody();
    if (!body)
        return;
    const DialogService::Button answer = dialogs_.MessageBox(
        QStringLiteral("Are you sure you want to delete '") + cboBodies->currentText() + QStringLiteral("'?"),
        QStringLiteral("Delete?"), DialogService::Icon::None, DialogService::Buttons::YesNo);
    if (answer != DialogService::Button::Yes)
        return;
    // Bodies that orbited it keep its Id as Parent; they show and save as "(none)".
    System()->Remove(body->GetKey());
    FillLists();
}

void frmEdit::butRename_Click()
{
    Planet* body = SelectedBody();
    if (!body)
        return;
    const QString oldName = cboBodies->currentText();
    const QString newName = dialogs_.InputBox(QStringLiteral("New Name:"), QStringLiteral("Rename"), oldName);
    // An empty answer is the rename box's Cancel.
    if (newName.isEmpty() || newName == oldName)
        return;
    const QString problem = RenameProblem(*System(), body->Id(), newName);
    if (!problem.isEmpty()) {
        dialogs_.MessageBox(problem, QStringLiteral("Rename"), DialogService::Icon::Exclamation,
                            DialogService::Buttons::Ok);
        return;
    }
    body->PlanetName = newName.toStdString();
    FillLists();
}

void frmEdit::butOK_Click()
{
    // A refused field stays open for the user to put right.
    if (StoreBody())
        accept();
}

}  // namespace kosmolux
