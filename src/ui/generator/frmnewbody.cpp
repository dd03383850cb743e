#include "ui/generator/frmnewbody.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "platform/programerror.h"
#include "platform/textformats.h"
#include "storage/bodyname.h"
#include "storage/currentfile.h"
#include "storage/sciformat.h"
#include "storage/systemfile.h"
#include "ui/generator/bodycatalogue.h"
#include "ui/generator/colourswatch.h"

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

}  // namespace

frmNewBody::frmNewBody(Globals& globals, DialogService& dialogs, QWidget* parent)
    : QDialog(parent), globals_(globals), dialogs_(dialogs)
{
    setObjectName(QStringLiteral("frmNewBody"));
    setWindowTitle(QStringLiteral("New Celestial Body"));
    BuildControls();
    ConnectHandlers();
    Load();
}

void frmNewBody::BuildControls()
{
    auto name = [](QWidget* widget, const QString& objectName) {
        widget->setObjectName(objectName);
        return widget;
    };
    auto lineEdit = [&](const char* objectName, const char* text) {
        auto* box = new QLineEdit(QString::fromLatin1(text), this);
        name(box, QString::fromLatin1(objectName));
        return box;
    };
    auto comboBox = [&](const char* objectName) {
        auto* list = new QComboBox(this);
        name(list, QString::fromLatin1(objectName));
        return list;
    };
    auto checkBox = [&](const char* objectName, const char* caption) {
        auto* box = new QCheckBox(QString::fromLatin1(caption), this);
        name(box, QString::fromLatin1(objectName));
        return box;
    };
    auto button = [&](const char* objectName, const char* caption) {
        auto* created = new QPushButton(QString::fromLatin1(caption), this);
        name(created, QString::fromLatin1(objectName));
        // Enter in a value box must not press a button behind the user's back.
        created->setAutoDefault(false);
        return created;
    };

    // Left: what to generate and where to put it.
    Frame1 = new QGroupBox(QStringLiteral("Generate Type of Body:"), this);
    name(Frame1, QStringLiteral("Frame1"));
    cboBodyType = comboBox("cboBodyType");
    Label2 = new QLabel(QStringLiteral("Sub-type:"), this);
    name(Label2, QStringLiteral("Label2"));
    cboSubType = comboBox("cboSubType");
    // Placeholder entries until a body type is chosen; the generator never uses them.
    const std::vector<ListEntry> placeholderSubTypes{
        {QStringLiteral("Brown Dwarf"), 0},  {QStringLiteral("Super-Jovian"), 1},
        {QStringLiteral("Jovian"), 2},       {QStringLiteral("Sub-Jovian Gas Giant"), 3},
        {QStringLiteral("Super-Terrestrial"), 4}, {QStringLiteral("Terrestrial"), 5},
        {QStringLiteral("Sub-Terrestrial"), 6},   {QStringLiteral("Black Hole"), 0},
    };
    Fill(cboSubType, placeholderSubTypes);
    chkOrbit = checkBox("chkOrbit", "In orbit around:");
    cboOthers = comboBox("cboOthers");
    const char* customCaptions[] = {"metres", "Shape:", "Dist:", "Dist:", "Angle:", "degrees"};
    for (std::size_t index = 0; index < labCustom.size(); ++index) {
        labCustom[index] = new QLabel(QString::fromLatin1(customCaptions[index]), this);
        name(labCustom[index], QStringLiteral("labCustom%1").arg(index));
    }
    labCustom[0]->setAlignment(Qt::AlignRight);
    cboOrbitType = comboBox("cboOrbitType");
    Fill(cboOrbitType, orbit::OrbitShapes());
    cboDistance = comboBox("cboDistance");
    Fill(cboDistance, orbit::DistanceClasses());
    txtCustomDistance = lineEdit("txtCustomDistance", "0");
    txtAngle = lineEdit("txtAngle", "0");
    chkRetrograde = checkBox("chkRetrograde", "Retrograde?");
    butGenerate = button("butGenerate", "Generate Data");

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

    // Right: the values of the body, with their units.
    const char* captions[] = {"Name:", "Mass:", "kg", "Diameter:", "metres",
                              "Position X:", "metres", "Position Y:", "metres",
                              "Position Z:", "metres", "Velocity X:", "metres/sec",
                              "Velocity Y:", "metres/sec", "Velocity Z:", "metres/sec",
                              "HiColor:", "LoColor:"};
    for (std::size_t index = 0; index < Label1.size(); ++index) {
        Label1[index] = new QLabel(QString::fromLatin1(captions[index]), this);
        name(Label1[index], QStringLiteral("Label1_%1").arg(index));
    }
    txtName = lineEdit("txtName", "");
    txtMass = lineEdit("txtMass", "0");
    txtDiameter = lineEdit("txtDiameter", "0");
    txtX = lineEdit("txtX", "0");
    txtY = lineEdit("txtY", "0");
    txtZ = lineEdit("txtZ", "0");
    txtVX = lineEdit("txtVX", "0");
    txtVY = lineEdit("txtVY", "0");
    txtVZ = lineEdit("txtVZ", "0");
    picHiColor = new ColourSwatch(this);
    name(picHiColor, QStringLiteral("picHiColor"));
    picHiColor->SetBackColor(RgbColour(255, 255, 255));
    picLoColor = new ColourSwatch(this);
    name(picLoColor, QStringLiteral("picLoColor"));
    picLoColor->SetBackColor(RgbColour(224, 224, 224));
    for (ColourSwatch* swatch : {picHiColor, picLoColor})
        swatch->setMinimumHeight(txtName->sizeHint().height());
    chkLightweight = checkBox("chkLightweight", "Lightweight?");
    chkLocked = checkBox("chkLocked", "Locked?");
    butAccept = button("butAccept", "Accept");
    butDone = button("butDone", "Done");

    auto* right = new QGridLayout;
    right->addWidget(Label1[0], 0, 0);
    right->addWidget(txtName, 0, 1);
    // Caption, box and unit label of each value row.
    const struct {
        std::size_t caption;
        QLineEdit* box;
        std::size_t unit;
    } valueRows[] = {{1, txtMass, 2}, {3, txtDiameter, 4}, {5, txtX, 6},    {7, txtY, 8},
                     {9, txtZ, 10},   {11, txtVX, 12},     {13, txtVY, 14}, {15, txtVZ, 16}};
    int row = 1;
    for (const auto& valueRow : valueRows) {
        right->addWidget(Label1[valueRow.caption], row, 0);
        right->addWidget(valueRow.box, row, 1);
        right->addWidget(Label1[valueRow.unit], row, 2);
        ++row;
    }
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

    auto* whole = new QHBoxLayout(this);
    whole->addWidget(Frame1);
    whole->addLayout(right);

    // The frame keeps its size while the orbit fields come and go.
    for (QWidget* orbitField : OrbitControls()) {
        QSizePolicy policy = orbitField->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        orbitField->setSizePolicy(policy);
    }
    ShowOrbitControls(false);
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

    orbit::OrbitRequest request;
    request.SpeedFactor = orbit::SpeedFactor(cboOrbitType->currentIndex() < 0
                                                 ? std::nullopt
                                                 : std::optional<int>(SelectedCode(cboOrbitType)));
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

std::optional<double> frmNewBody::ReadNumber(const QLineEdit* box, const QString& fieldName)
{
    QString problem;
    if (!text::IsNumeric(box->text())) {
        problem = fieldName + QStringLiteral(" is not a number");
    } else {
        try {
            return text::ToDouble(box->text());
        } catch (const ProgramError&) {
            problem = fieldName + QStringLiteral(" is too large a number");
        }
    }
    dialogs_.MessageBox(problem, QStringLiteral("Invalid Number"), DialogService::Icon::Exclamation,
                        DialogService::Buttons::Ok);
    return std::nullopt;
}

void frmNewBody::butAccept_Click()
{
    // Default names from the catalogue are placeholders; a cancel gives an empty name and asks again.
    while (txtName->text().isEmpty() || text::MatchesNewPattern(txtName->text())) {
        const QString prompt = QStringLiteral("Name of ") + txtName->text() + QStringLiteral("?");
        txtName->setText(dialogs_.InputBox(prompt, QStringLiteral("Must name body")));
    }
    const QString name = txtName->text();

    // A name the system file cannot carry would come back as another body after a save and load.
    const QString nameProblem = BodyNameProblem(name);
    if (!nameProblem.isEmpty()) {
        dialogs_.MessageBox(nameProblem, QStringLiteral("Invalid Name"),
                            DialogService::Icon::Exclamation, DialogService::Buttons::Ok);
        return;
    }
    // The system file matches section names regardless of case, so "Earth" and
    // "earth" would share one section and come back as one body's values twice.
    Planets& system = globals_.EnsureSystem();
    for (const Planet& body : system) {
        if (QString::fromStdString(body.PlanetName).toLower() == name.toLower()) {
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
            ReadNumber(fields[index].box, QString::fromLatin1(fields[index].fieldName));
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
