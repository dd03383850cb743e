#include "ui/generator/frmnewbody.h"

#include <utility>

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "platform/dialogmodality.h"
#include "platform/programerror.h"
#include "platform/textformats.h"
#include "storage/bodyname.h"
#include "storage/currentfile.h"
#include "storage/sciformat.h"
#include "storage/systemfile.h"
#include "ui/generator/bodycatalogue.h"
#include "ui/generator/colourswatch.h"
#include "ui/generator/numberfield.h"
#include "ui/generator/orbitplacement.h"

namespace kosmolux {

namespace {

constexpr int NoParent = -1;

void Fill(QComboBox* list, const std::vector<ListEntry>& entries)
{
    list->clear();
    for (const ListEntry& entry : entries)
        list->addItem(entry.Text, entry.Code);
    // A list that gets its first entry selects it; nothing is chosen yet.
    list->setCurrentIndex(-1);
}

int SelectedCode(const QComboBox* list)
{
    return list->currentData().toInt();
}

void WriteNumber(QLineEdit* box, double value)
{
    box->setText(SciFormat(value));
}

// A control whose objectName is its name.
template <typename Control, typename... Arguments>
Control* Named(QWidget* parent, const char* name, Arguments&&... arguments)
{
    auto* control = new Control(std::forward<Arguments>(arguments)..., parent);
    control->setObjectName(QString::fromLatin1(name));
    return control;
}

QPushButton* NamedButton(QWidget* parent, const char* name, const char* caption)
{
    auto* button = Named<QPushButton>(parent, name, QString::fromLatin1(caption));
    // Enter in a value box must not press a button behind the user's back.
    button->setAutoDefault(false);
    return button;
}

}  // namespace

frmNewBody::frmNewBody(Globals& globals, DialogService& dialogs, QWidget* parent)
    : QDialog(parent), globals_(globals), dialogs_(dialogs)
{
    SetDialogModality(*this);
    setObjectName(QStringLiteral("frmNewBody"));
    setWindowTitle(QStringLiteral("New Celestial Body"));
    BuildControls();
    ConnectHandlers();
    Load();
}

void frmNewBody::BuildControls()
{
    auto* whole = new QHBoxLayout(this);
    whole->addWidget(BuildGeneratorFrame());
    whole->addLayout(BuildValueFields());

    // The frame keeps its size while the orbit fields come and go.
    for (QWidget* orbitField : OrbitControls()) {
        QSizePolicy policy = orbitField->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        orbitField->setSizePolicy(policy);
    }
    ShowOrbitControls(false);
}

QGroupBox* frmNewBody::BuildGeneratorFrame()
{
    Frame1 = Named<QGroupBox>(this, "Frame1", QStringLiteral("Generate Type of Body:"));
    cboBodyType = Named<QComboBox>(this, "cboBodyType");
    Label2 = Named<QLabel>(this, "Label2", QStringLiteral("Sub-type:"));
    cboSubType = Named<QComboBox>(this, "cboSubType");
    // Placeholder entries until a body type is chosen; the generator never uses them.
    Fill(cboSubType, {{QStringLiteral("Brown Dwarf"), 0}, {QStringLiteral("Super-Jovian"), 1},
                      {QStringLiteral("Jovian"), 2}, {QStringLiteral("Sub-Jovian Gas Giant"), 3},
                      {QStringLiteral("Super-Terrestrial"), 4}, {QStringLiteral("Terrestrial"), 5},
                      {QStringLiteral("Sub-Terrestrial"), 6}, {QStringLiteral("Black Hole"), 0}});
    chkOrbit = Named<QCheckBox>(this, "chkOrbit", QStringLiteral("In orbit around:"));
    cboOthers = Named<QComboBox>(this, "cboOthers");
    const char* customCaptions[] = {"metres", "Shape:", "Dist:", "Dist:", "Angle:", "degrees"};
    for (std::size_t index = 0; index < labCustom.size(); ++index) {
        labCustom[index] = new QLabel(QString::fromLatin1(customCaptions[index]), this);
        labCustom[index]->setObjectName(QStringLiteral("labCustom%1").arg(index));
    }
    labCustom[0]->setAlignment(Qt::AlignRight);
    cboOrbitType = Named<QComboBox>(this, "cboOrbitType");
    Fill(cboOrbitType, orbit::OrbitShapes());
    cboDistance = Named<QComboBox>(this, "cboDistance");
    Fill(cboDistance, orbit::DistanceClasses());
    txtCustomDistance = Named<QLineEdit>(this, "txtCustomDistance", QStringLiteral("0"));
    txtAngle = Named<QLineEdit>(this, "txtAngle", QStringLiteral("0"));
    chkRetrograde = Named<QCheckBox>(this, "chkRetrograde", QStringLiteral("Retrograde?"));
    butGenerate = NamedButton(this, "butGenerate", "Generate Data");

    auto* left = new QGridLayout(Frame1);
    left->addWidget(cboBodyType, 0, 0, 1, 3);
    left->addWidget(Label2, 1, 0, 1, 3);
    left->addWidget(cboSubType, 2, 0, 1, 3);
    left->addWidget(chkOrbit, 3, 0, 1, 3);
    left->addWidget(cboOthers, 4, 0, 1, 3);
    left->addWidget(labCustom[1], 5, 0);
    left->addWidget(cboOrbitType, 5, 1, 1, 2);
    left->addWidget(labCustom[2], 6, 0);
    left->addWidget(cboDistance, 6, 1, 1, 2);
    left->addWidget(labCustom[3], 7, 0);
    left->addWidget(txtCustomDistance, 7, 1, 1, 2);
    left->addWidget(labCustom[0], 8, 1, 1, 2);
    left->addWidget(labCustom[4], 9, 0);
    left->addWidget(txtAngle, 9, 1);
    left->addWidget(labCustom[5], 9, 2);
    left->addWidget(chkRetrograde, 10, 0, 1, 3);
    left->setRowStretch(11, 1);
    left->addWidget(butGenerate, 12, 0, 1, 3);
    return Frame1;
}

QGridLayout* frmNewBody::BuildValueFields()
{
    const char* captions[] = {"Name:", "Mass:", "kg", "Diameter:", "metres",
                              "Position X:", "metres", "Position Y:", "metres",
                              "Position Z:", "metres", "Velocity X:", "metres/sec",
                              "Velocity Y:", "metres/sec", "Velocity Z:", "metres/sec",
                              "HiColor:", "LoColor:"};
    for (std::size_t index = 0; index < Label1.size(); ++index) {
        Label1[index] = new QLabel(QString::fromLatin1(captions[index]), this);
        Label1[index]->setObjectName(QStringLiteral("Label1_%1").arg(index));
    }
    txtName = Named<QLineEdit>(this, "txtName");
    txtMass = Named<QLineEdit>(this, "txtMass", QStringLiteral("0"));
    txtDiameter = Named<QLineEdit>(this, "txtDiameter", QStringLiteral("0"));
    txtX = Named<QLineEdit>(this, "txtX", QStringLiteral("0"));
    txtY = Named<QLineEdit>(this, "txtY", QStringLiteral("0"));
    txtZ = Named<QLineEdit>(this, "txtZ", QStringLiteral("0"));
    txtVX = Named<QLineEdit>(this, "txtVX", QStringLiteral("0"));
    txtVY = Named<QLineEdit>(this, "txtVY", QStringLiteral("0"));
    txtVZ = Named<QLineEdit>(this, "txtVZ", QStringLiteral("0"));
    picHiColor = Named<ColourSwatch>(this, "picHiColor");
    picHiColor->SetBackColor(RgbColour(255, 255, 255));
    picLoColor = Named<ColourSwatch>(this, "picLoColor");
    picLoColor->SetBackColor(RgbColour(224, 224, 224));
    chkLightweight = Named<QCheckBox>(this, "chkLightweight", QStringLiteral("Lightweight?"));
    chkLocked = Named<QCheckBox>(this, "chkLocked", QStringLiteral("Locked?"));
    butAccept = NamedButton(this, "butAccept", "Accept");
    butDone = NamedButton(this, "butDone", "Done");

    auto* right = new QGridLayout;
    right->addWidget(Label1[0], 0, 0);
    right->addWidget(txtName, 0, 1);
    const struct {
        QLabel* caption;
        QLineEdit* box;
        QLabel* unit;
    } valueRows[] = {{Label1[1], txtMass, Label1[2]},   {Label1[3], txtDiameter, Label1[4]},
                     {Label1[5], txtX, Label1[6]},      {Label1[7], txtY, Label1[8]},
                     {Label1[9], txtZ, Label1[10]},     {Label1[11], txtVX, Label1[12]},
                     {Label1[13], txtVY, Label1[14]},   {Label1[15], txtVZ, Label1[16]}};
    int row = 1;
    for (const auto& valueRow : valueRows) {
        right->addWidget(valueRow.caption, row, 0);
        right->addWidget(valueRow.box, row, 1);
        right->addWidget(valueRow.unit, row, 2);
        ++row;
    }
    picHiColor->setMinimumHeight(txtName->sizeHint().height());
    picLoColor->setMinimumHeight(txtName->sizeHint().height());
    right->addWidget(Label1[17], row, 0);
    right->addWidget(picHiColor, row++, 1);
    right->addWidget(Label1[18], row, 0);
    right->addWidget(picLoColor, row++, 1);
    right->addWidget(chkLightweight, row++, 1);
    right->addWidget(chkLocked, row++, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(butAccept);
    buttons->addWidget(butDone);
    right->addLayout(buttons, row, 0, 1, 3);
    right->setColumnMinimumWidth(1, 180);
    return right;
}

void frmNewBody::ConnectHandlers()
{
    // Only a pick by the user counts: the reset after Accept clears the lists
    // without generating anything.
    connect(cboBodyType, &QComboBox::activated, this, &frmNewBody::cboBodyType_Click);
    connect(cboDistance, &QComboBox::activated, this, &frmNewBody::cboDistance_Click);
    connect(chkOrbit, &QCheckBox::toggled, this, &frmNewBody::chkOrbit_Click);
    connect(butGenerate, &QPushButton::clicked, this, &frmNewBody::butGenerate_Click);
    connect(picHiColor, &ColourSwatch::clicked, this, [this] { ChooseColour(picHiColor); });
    connect(picLoColor, &ColourSwatch::clicked, this, [this] { ChooseColour(picLoColor); });
    connect(butAccept, &QPushButton::clicked, this, &frmNewBody::butAccept_Click);
    connect(butDone, &QPushButton::clicked, this, &frmNewBody::butDone_Click);
}

void frmNewBody::Load()
{
    Fill(cboBodyType, catalogue::BodyTypes());
    globals_.EnsureSystem();
    FillParentList();
}

void frmNewBody::FillParentList()
{
    cboOthers->clear();
    cboOthers->addItem(QStringLiteral("(none)"), NoParent);
    for (const Planet& body : *globals_.CurrentSystem)
        cboOthers->addItem(QString::fromStdString(body.PlanetName), body.Id());
    cboOthers->setCurrentIndex(0);
}

void frmNewBody::cboBodyType_Click()
{
    if (cboBodyType->currentIndex() < 0)
        return;
    const std::vector<ListEntry> subTypes = catalogue::SubTypesOf(SelectedCode(cboBodyType));
    if (!subTypes.empty())
        Fill(cboSubType, subTypes);
}

void frmNewBody::chkOrbit_Click()
{
    ShowOrbitControls(chkOrbit->isChecked());
}

std::vector<QWidget*> frmNewBody::OrbitControls() const
{
    std::vector<QWidget*> controls{cboOrbitType, cboDistance, txtCustomDistance};
    controls.insert(controls.end(), labCustom.begin(), labCustom.end());
    controls.push_back(chkRetrograde);
    controls.push_back(txtAngle);
    return controls;
}

void frmNewBody::ShowOrbitControls(bool shown)
{
    for (QWidget* control : OrbitControls())
        control->setVisible(shown);
}

const Planet* frmNewBody::SelectedParent() const
{
    if (cboOthers->currentIndex() < 0)
        return nullptr;
    return globals_.EnsureSystem().FindById(SelectedCode(cboOthers));
}

void frmNewBody::cboDistance_Click()
{
    if (cboOthers->currentIndex() < 0)
        return;
    if (cboOrbitType->currentIndex() < 0)
        cboOrbitType->setCurrentIndex(0);
    const Planet* parent = SelectedParent();
    if (!parent || cboDistance->currentIndex() < 0)
        return;
    const std::optional<double> distance =
        orbit::DrawDistance(SelectedCode(cboDistance), parent->Diameter, *globals_.Random);
    if (distance)
        WriteNumber(txtCustomDistance, *distance);
}

void frmNewBody::butGenerate_Click()
{
    if (cboBodyType->currentIndex() < 0 || cboSubType->currentIndex() < 0) {
        dialogs_.MessageBox(QStringLiteral("Must set body type and sub type"),
                            QStringLiteral("Not enough information"),
                            DialogService::Icon::Exclamation, DialogService::Buttons::Ok);
        return;
    }
    const GeneratedBody body =
        catalogue::Generate(SelectedCode(cboBodyType), SelectedCode(cboSubType), *globals_.Random);
    if (body.Name)
        txtName->setText(*body.Name);
    if (body.Mass)
        WriteNumber(txtMass, *body.Mass);
    if (body.Diameter)
        WriteNumber(txtDiameter, *body.Diameter);
    if (body.HiColor)
        picHiColor->SetBackColor(*body.HiColor);
    if (body.LoColor)
        picLoColor->SetBackColor(*body.LoColor);
    if (body.Locked)
        chkLocked->setChecked(*body.Locked);
    if (body.Lightweight)
        chkLightweight->setChecked(*body.Lightweight);

    if (chkOrbit->isChecked())
        PlaceInOrbit();
    else
        PlaceFreely();
}

void frmNewBody::PlaceInOrbit()
{
    if (cboOthers->currentIndex() < 0)
        return;
    const QString distanceText = txtCustomDistance->text();
    if (!text::IsNumeric(distanceText))
        return;
    const Planet* parent = SelectedParent();
    if (!parent)
        return;

    std::optional<int> shape;
    if (cboOrbitType->currentIndex() >= 0)
        shape = SelectedCode(cboOrbitType);
    orbit::OrbitRequest request;
    request.SpeedFactor = orbit::SpeedFactor(shape);
    request.Retrograde = chkRetrograde->isChecked();
    std::optional<orbit::StateVectors> placed;
    try {
        request.Distance = text::ToDouble(distanceText);
        // Exactly "0", or no number at all, keeps the orbit in the X-Y plane.
        const QString angleText = txtAngle->text();
        if (angleText != QStringLiteral("0") && text::IsNumeric(angleText))
            request.AngleDegrees = text::ToDouble(angleText);
        placed = orbit::PlaceInOrbit(*parent, request);
    } catch (const ProgramError&) {
        // A number too large for a double: placing fails silently, like any other failure.
        return;
    }
    if (!placed)
        return;
    WriteNumber(txtZ, placed->Position.ZComp);
    WriteNumber(txtY, placed->Position.YComp);
    WriteNumber(txtX, placed->Position.XComp);
    WriteNumber(txtVZ, placed->Velocity.ZComp);
    WriteNumber(txtVX, placed->Velocity.XComp);
    WriteNumber(txtVY, placed->Velocity.YComp);
}

void frmNewBody::PlaceFreely()
{
    if (globals_.EnsureSystem().Count() == 0) {
        // The first body of a system starts at the origin, at rest.
        for (QLineEdit* box : {txtX, txtY, txtZ, txtVX, txtVY, txtVZ})
            box->setText(QStringLiteral("0"));
        return;
    }
    const orbit::StateVectors placed = orbit::FreePlacement(*globals_.Random);
    WriteNumber(txtX, placed.Position.XComp);
    WriteNumber(txtY, placed.Position.YComp);
    WriteNumber(txtZ, placed.Position.ZComp);
    WriteNumber(txtVX, placed.Velocity.XComp);
    WriteNumber(txtVY, placed.Velocity.YComp);
    WriteNumber(txtVZ, placed.Velocity.ZComp);
}

void frmNewBody::ChooseColour(ColourSwatch* swatch)
{
    // A cancelled choice leaves the swatch as it was.
    if (const std::optional<Colour> chosen = dialogs_.ChooseColour())
        swatch->SetBackColor(*chosen);
}

void frmNewBody::butAccept_Click()
{
    // Default names from the catalogue are placeholders; a cancel gives an empty name and asks again.
    while (txtName->text().isEmpty() || text::MatchesNewPattern(txtName->text())) {
        const QString prompt = QStringLiteral("Name of ") + txtName->text() + QStringLiteral("?");
        txtName->setText(dialogs_.InputBox(prompt, QStringLiteral("Must name body")));
    }
    const QString name = txtName->text();

    // A name the system file cannot carry would come back as another body after
    // a save and load; "*" would look like an absorbed body.
    QString nameProblem = AbsorbedNameProblem(name);
    if (nameProblem.isEmpty())
        nameProblem = BodyNameProblem(name);
    if (!nameProblem.isEmpty()) {
        dialogs_.MessageBox(nameProblem, QStringLiteral("Invalid Name"),
                            DialogService::Icon::Exclamation, DialogService::Buttons::Ok);
        return;
    }
    // The system file matches section names with their capitals folded, so
    // "Earth" and "earth" (or a sigma and a final sigma, which fold alike but
    // lower apart) would share one section and come back as one body's values twice.
    Planets& system = globals_.EnsureSystem();
    for (const Planet& body : system) {
        if (QString::fromStdString(body.PlanetName).toCaseFolded() == name.toCaseFolded()) {
            dialogs_.MessageBox(QStringLiteral("Body with this name already exists!"),
                                QStringLiteral("Duplicate Name!"), DialogService::Icon::Exclamation,
                                DialogService::Buttons::Ok);
            return;
        }
    }

    const struct {
        const QLineEdit* box;
        const char* fieldName;
    } fields[] = {{txtMass, "Mass"},       {txtDiameter, "Diameter"}, {txtX, "Position X"},
                  {txtY, "Position Y"},    {txtZ, "Position Z"},      {txtVX, "Velocity X"},
                  {txtVY, "Velocity Y"},   {txtVZ, "Velocity Z"}};
    std::array<double, 8> values{};
    for (std::size_t index = 0; index < values.size(); ++index) {
        const std::optional<double> value =
            ReadNumberField(dialogs_, fields[index].box->text(), QString::fromLatin1(fields[index].fieldName));
        if (!value)
            return;
        values[index] = *value;
    }

    Planet& body = system.Add(name.toStdString(), values[0], values[1], values[2], values[3], values[4],
                              values[5], values[6], values[7]);
    body.HiColor = picHiColor->BackColor();
    body.LoColor = picLoColor->BackColor();
    body.Lightweight = chkLightweight->isChecked();
    body.Locked = chkLocked->isChecked();
    const bool parentChosen = chkOrbit->isChecked() && cboOthers->currentIndex() >= 0;
    body.Parent = parentChosen ? SelectedCode(cboOthers) : NoParent;

    FillParentList();
    dialogs_.MessageBox(name + QStringLiteral(" added to system"), QStringLiteral("Success"),
                        DialogService::Icon::Information, DialogService::Buttons::Ok);
    ResetForNextBody();
}

void frmNewBody::ResetForNextBody()
{
    txtName->clear();
    cboBodyType->setCurrentIndex(-1);
    cboSubType->setCurrentIndex(-1);
    cboOrbitType->setCurrentIndex(-1);
    cboOthers->setCurrentIndex(0);
    txtCustomDistance->setText(QStringLiteral("0"));
    chkOrbit->setChecked(false);
    chkRetrograde->setChecked(false);
    txtAngle->setText(QStringLiteral("0"));
}

void frmNewBody::butDone_Click()
{
    globals_.SystemLoaded = true;
    SaveSystem(globals_, dialogs_, CurrentFilePath(globals_));
    accept();
}

}  // namespace kosmolux
