#include <cmath>
#include <memory>

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include "platform/fixeddraws.h"
#include "platform/scripteddialogservice.h"
#include "platform/textformats.h"
#include "storage/bodyname.h"
#include "ui/generator/colourswatch.h"
#include "ui/generator/frmnewbody.h"

namespace kosmolux {
namespace {

using Kind = ScriptedDialogService::Kind;

class NewBodyDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        globals.ProgramFolder = folder.path();
        auto fixed = std::make_unique<FixedDraws>(std::initializer_list<float>{});
        draws = fixed.get();
        globals.Random = std::move(fixed);
    }

    template <typename Control>
    Control* Find(const char* name)
    {
        Control* control = dialog->findChild<Control*>(QString::fromLatin1(name));
        if (!control)
            ADD_FAILURE() << "no control " << name;
        return control;
    }
    QLineEdit* Box(const char* name) { return Find<QLineEdit>(name); }
    QComboBox* List(const char* name) { return Find<QComboBox>(name); }
    QCheckBox* Check(const char* name) { return Find<QCheckBox>(name); }
    void Click(const char* button) { Find<QPushButton>(button)->click(); }

    // Selects an entry the way a user's pick does.
    void Pick(const char* list, int index)
    {
        QComboBox* combo = List(list);
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }

    // Type and sub-type chosen, then "Generate Data" with the given draws.
    void Generate(int typeIndex, int subTypeIndex, std::initializer_list<float> drawn)
    {
        Pick("cboBodyType", typeIndex);
        Pick("cboSubType", subTypeIndex);
        for (float draw : drawn)
            draws->Add(draw);
        Click("butGenerate");
    }

    QStringList SixBoxes()
    {
        QStringList texts;
        for (const char* name : {"txtX", "txtY", "txtZ", "txtVX", "txtVY", "txtVZ"})
            texts << Box(name)->text();
        return texts;
    }

    Planet& AddSun()
    {
        return globals.EnsureSystem().Add("Sun", 1.9891e30, 1392000000, 1e9, 2e9, 3e9, 10, 20, 30);
    }

    void Open() { dialog = std::make_unique<frmNewBody>(globals, dialogs); }

    QTemporaryDir folder;
    Globals globals;
    ScriptedDialogService dialogs;
    FixedDraws* draws = nullptr;
    std::unique_ptr<frmNewBody> dialog;
};

TEST_F(NewBodyDialogTest, OpensWithItsListsFilledAndTheOrbitFieldsHidden)
{
    Open();
    EXPECT_EQ(dialog->windowTitle(), "New Celestial Body");
    EXPECT_TRUE(globals.CurrentSystem);
    EXPECT_EQ(Find<QGroupBox>("Frame1")->title(), "Generate Type of Body:");

    QComboBox* types = List("cboBodyType");
    ASSERT_EQ(types->count(), 5);
    EXPECT_EQ(types->currentIndex(), -1);
    EXPECT_EQ(types->itemText(4), "Point Mass");
    EXPECT_EQ(types->itemData(4).toInt(), 6);
    EXPECT_EQ(List("cboSubType")->count(), 8);
    EXPECT_EQ(List("cboSubType")->currentIndex(), -1);
    EXPECT_EQ(List("cboOthers")->count(), 1);
    EXPECT_EQ(List("cboOthers")->currentText(), "(none)");
    EXPECT_EQ(List("cboOthers")->currentData().toInt(), -1);
    EXPECT_EQ(List("cboDistance")->itemText(6), "Custom Distance");
    EXPECT_EQ(List("cboOrbitType")->itemText(5), "Parabolic");

    EXPECT_EQ(Box("txtName")->text(), "");
    EXPECT_EQ(SixBoxes(), QStringList({"0", "0", "0", "0", "0", "0"}));
    EXPECT_EQ(Find<ColourSwatch>("picHiColor")->BackColor(), 16777215);
    EXPECT_EQ(Find<ColourSwatch>("picLoColor")->BackColor(), 224 + 256 * 224 + 65536 * 224);
    EXPECT_EQ(Find<QLabel>("Label1_0")->text(), "Name:");
    EXPECT_EQ(Find<QLabel>("Label1_12")->text(), "metres/sec");
    EXPECT_EQ(Find<QLabel>("Label1_18")->text(), "LoColor:");

    const char* orbitFields[] = {"labCustom0", "labCustom5", "cboOrbitType", "cboDistance",
                                 "txtCustomDistance", "txtAngle", "chkRetrograde"};
    for (const char* name : orbitFields)
        EXPECT_TRUE(Find<QWidget>(name)->isHidden()) << name;
    EXPECT_EQ(Find<QLabel>("labCustom0")->text(), "metres");
    Check("chkOrbit")->click();
    for (const char* name : orbitFields)
        EXPECT_FALSE(Find<QWidget>(name)->isHidden()) << name;
    EXPECT_FALSE(Find<QWidget>("cboOthers")->isHidden());
    Check("chkOrbit")->click();
    EXPECT_TRUE(Find<QWidget>("txtAngle")->isHidden());
}

TEST_F(NewBodyDialogTest, GenerateNeedsATypeAndASubType)
{
    Open();
    Pick("cboBodyType", 0);
    ASSERT_EQ(List("cboSubType")->count(), 10);
    EXPECT_EQ(List("cboSubType")->itemText(9), "Black Hole");
    EXPECT_EQ(List("cboSubType")->currentIndex(), -1);
    Click("butGenerate");

    const auto messages = dialogs.CallsOf(Kind::Message);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "Must set body type and sub type");
    EXPECT_EQ(messages[0].title, "Not enough information");
    EXPECT_EQ(messages[0].icon, DialogService::Icon::Exclamation);
    EXPECT_EQ(Box("txtName")->text(), "");
    EXPECT_EQ(Box("txtMass")->text(), "0");
}

TEST_F(NewBodyDialogTest, GenerateFillsTheCatalogueValuesAndPlacesTheBody)
{
    Open();
    Box("txtName")->setText("Sol");
    Box("txtX")->setText("5");
    // Red giant, lowest mass and diameter; the first body starts at the origin.
    Generate(0, 6, {0.0f, 0.0f});
    EXPECT_EQ(Box("txtName")->text(), "New Star");
    EXPECT_EQ(Box("txtMass")->text(), "5.9673E+30");
    EXPECT_EQ(Box("txtDiameter")->text(), "3.48E+11");
    EXPECT_EQ(Find<ColourSwatch>("picHiColor")->BackColor(), 255 + 256 * 75 + 65536 * 75);
    EXPECT_EQ(SixBoxes(), QStringList({"0", "0", "0", "0", "0", "0"}));

    // A spacecraft sets the flags and keeps the star's colours; a later moon keeps the flags.
    Generate(4, 1, {});
    EXPECT_EQ(Box("txtMass")->text(), "5.0E+1");
    EXPECT_TRUE(Check("chkLightweight")->isChecked());
    EXPECT_FALSE(Check("chkLocked")->isChecked());
    EXPECT_EQ(Find<ColourSwatch>("picLoColor")->BackColor(), 155 + 256 * 15 + 65536 * 15);

    AddSun();
    Generate(2, 1, {0.5f, 0.5f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, std::nextafter(1.0f, 0.0f)});
    EXPECT_TRUE(Check("chkLightweight")->isChecked());
    EXPECT_EQ(Box("txtName")->text(), "New Moon");
    EXPECT_EQ(SixBoxes().mid(0, 4), QStringList({"1.0E+11", "1.0E+11", "5.0E+8", "-7.0E+3"}));
    EXPECT_LT(text::ToDouble(Box("txtVZ")->text()), 6000.0);
    EXPECT_TRUE(draws->Empty());
}

TEST_F(NewBodyDialogTest, AcceptAsksForANameUntilItIsNotADefaultOne)
{
    Open();
    Generate(0, 4, {0.5f, 0.5f});
    dialogs.InputAnswers = {"New Moon 2", "", "Newton"};
    Click("butAccept");

    const auto prompts = dialogs.CallsOf(Kind::Input);
    ASSERT_EQ(prompts.size(), 3u);
    EXPECT_EQ(prompts[0].text, "Name of New Star?");
    EXPECT_EQ(prompts[0].title, "Must name body");
    EXPECT_EQ(prompts[1].text, "Name of New Moon 2?");
    EXPECT_EQ(prompts[2].text, "Name of ?");
    ASSERT_EQ(globals.CurrentSystem->Count(), 1);
    EXPECT_EQ(globals.CurrentSystem->Item(1).PlanetName, "Newton");
    const auto success = dialogs.CallsOf(Kind::Message).back();
    EXPECT_EQ(success.text, "Newton added to system");
    EXPECT_EQ(success.title, "Success");
    EXPECT_EQ(success.icon, DialogService::Icon::Information);

    for (const char* name : {"New", "new moon"}) {
        Box("txtName")->setText(name);
        Click("butAccept");
    }
    EXPECT_EQ(dialogs.CallsOf(Kind::Input).size(), 3u);
    ASSERT_EQ(globals.CurrentSystem->Count(), 3);
    EXPECT_EQ(globals.CurrentSystem->Item(3).PlanetName, "new moon");
}

TEST_F(NewBodyDialogTest, AcceptRefusesNamesAndNumbersThatWouldNotMakeASoundBody)
{
    AddSun();
    Open();
    struct Case {
        const char* name;
        const char* field;
        const char* value;
        const char* text;
        const char* title;
    };
    const Case cases[] = {
        {"Sun", "txtMass", "1", "Body with this name already exists!", "Duplicate Name!"},
        // The file matches names regardless of case: "SUN" would overwrite the Sun.
        {"SUN", "txtMass", "1", "Body with this name already exists!", "Duplicate Name!"},
        {"Vesta]", "txtMass", "1", nullptr, "Invalid Name"},
        {"Vesta", "txtDiameter", "abc", "Diameter is not a number", "Invalid Number"},
        {"Vesta", "txtVZ", "", "Velocity Z is not a number", "Invalid Number"},
        {"Vesta", "txtY", "1e999", "Position Y is too large a number", "Invalid Number"},
    };
    for (const Case& refused : cases) {
        SCOPED_TRACE(std::string(refused.name) + " " + refused.field + "=" + refused.value);
        Box("txtName")->setText(refused.name);
        Box(refused.field)->setText(refused.value);
        Click("butAccept");
        const auto message = dialogs.CallsOf(Kind::Message).back();
        // The storage layer words why a name cannot be saved.
        EXPECT_EQ(message.text, refused.text ? QString::fromLatin1(refused.text) : BodyNameProblem(refused.name));
        EXPECT_FALSE(message.text.isEmpty());
        EXPECT_EQ(message.title, refused.title);
        EXPECT_EQ(message.icon, DialogService::Icon::Exclamation);
        EXPECT_EQ(globals.CurrentSystem->Count(), 1);
        EXPECT_EQ(Box("txtName")->text(), refused.name);
        Box(refused.field)->setText("0");
    }
}

TEST_F(NewBodyDialogTest, ParentComesFromTheListOnlyWhenAnOrbitIsAskedFor)
{
    Open();
    Box("txtName")->setText("Sun");
    Click("butAccept");
    const Planet& sun = globals.CurrentSystem->Item(1);
    EXPECT_EQ(sun.Parent, -1);
    QComboBox* others = List("cboOthers");
    ASSERT_EQ(others->count(), 2);
    EXPECT_EQ(others->itemText(1), "Sun");
    EXPECT_EQ(others->itemData(1).toInt(), sun.Id());
    EXPECT_EQ(others->currentIndex(), 0);

    // Around the Sun with the box checked; then the Sun selected but the box unchecked.
    Generate(2, 1, {0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f});
    Check("chkOrbit")->click();
    others->setCurrentIndex(1);
    Pick("cboDistance", 6);
    Check("chkRetrograde")->click();
    Box("txtAngle")->setText("30");
    Box("txtCustomDistance")->setText("1.0E+9");
    Box("txtName")->setText("Earth");
    Box("txtMass")->setText("5.976E+24");
    Click("butAccept");
    EXPECT_EQ(globals.CurrentSystem->Item(2).Parent, sun.Id());
    EXPECT_EQ(globals.CurrentSystem->Item(2).Mass, 5.976e24);
    EXPECT_EQ(others->count(), 3);
    EXPECT_EQ(others->currentIndex(), 0);

    // Reset for the next body: the choices go, the values and the sub-type list stay.
    EXPECT_EQ(Box("txtName")->text(), "");
    EXPECT_EQ(List("cboBodyType")->currentIndex(), -1);
    EXPECT_EQ(List("cboSubType")->currentIndex(), -1);
    EXPECT_EQ(List("cboSubType")->itemText(3), "Asteroidal");
    EXPECT_EQ(List("cboOrbitType")->currentIndex(), -1);
    EXPECT_EQ(List("cboDistance")->currentIndex(), 6);
    EXPECT_EQ(Box("txtCustomDistance")->text(), "0");
    EXPECT_EQ(Box("txtAngle")->text(), "0");
    EXPECT_FALSE(Check("chkRetrograde")->isChecked());
    EXPECT_FALSE(Check("chkOrbit")->isChecked());
    EXPECT_TRUE(Find<QWidget>("cboDistance")->isHidden());
    EXPECT_EQ(Box("txtMass")->text(), "5.976E+24");

    others->setCurrentIndex(1);
    Box("txtName")->setText("Rogue");
    Click("butAccept");
    EXPECT_EQ(globals.CurrentSystem->Item(3).Parent, -1);

    Check("chkOrbit")->click();
    Box("txtName")->setText("Drifter");
    Click("butAccept");
    EXPECT_EQ(globals.CurrentSystem->Item(4).Parent, -1);
}

TEST_F(NewBodyDialogTest, OrbitPlacementWritesTheSixBoxesOrNone)
{
    Planet& sun = AddSun();
    Open();
    Check("chkOrbit")->click();
    List("cboOthers")->setCurrentIndex(1);

    // "Far" around the Sun, lowest draw: 200 solar diameters; "Circular" becomes the shape.
    draws->Add(0.0f);
    Pick("cboDistance", 0);
    EXPECT_EQ(Box("txtCustomDistance")->text(), "2.784E+11");
    EXPECT_EQ(List("cboOrbitType")->currentIndex(), 0);

    QStringList written;
    for (const char* name : {"txtX", "txtY", "txtZ", "txtVX", "txtVY", "txtVZ"})
        QObject::connect(Box(name), &QLineEdit::textChanged, [&written, name] { written << name; });
    Box("txtCustomDistance")->setText("1.496E+11");
    Generate(1, 5, {0.5f, 0.5f});
    EXPECT_EQ(written, QStringList({"txtZ", "txtY", "txtX", "txtVZ", "txtVX", "txtVY"}));
    const QStringList circular = SixBoxes();
    EXPECT_EQ(circular.mid(0, 4), QStringList({"1.506E+11", "2.0E+9", "3.0E+9", "1.0E+1"}));
    EXPECT_NEAR(text::ToDouble(circular[4]) - 20, 29785.83, 0.005);
    EXPECT_EQ(circular[5], "3.0E+1");

    // An angle that is a number but not the text "0" gives the same start; so does no number.
    for (const char* angle : {"0.0", "abc"}) {
        Box("txtAngle")->setText(angle);
        Generate(1, 5, {0.5f, 0.5f});
        EXPECT_EQ(SixBoxes(), circular) << angle;
    }
    Box("txtAngle")->setText("90");
    Check("chkRetrograde")->click();
    Generate(1, 5, {0.5f, 0.5f});
    EXPECT_EQ(Box("txtZ")->text(), "1.526E+11");
    EXPECT_NEAR(text::ToDouble(Box("txtVY")->text()) - 20, -29785.83, 0.005);

    // A distance of 0, or no parent, writes none of the six boxes.
    const QStringList before = SixBoxes();
    Box("txtCustomDistance")->setText("0");
    Generate(1, 5, {0.5f, 0.5f});
    EXPECT_EQ(SixBoxes(), before);
    Box("txtCustomDistance")->setText("1.496E+11");
    List("cboOthers")->setCurrentIndex(0);
    Generate(1, 5, {0.5f, 0.5f});
    EXPECT_EQ(SixBoxes(), before);
    EXPECT_TRUE(draws->Empty());
    EXPECT_EQ(sun.Position, (Vector{1e9, 2e9, 3e9}));
}

TEST_F(NewBodyDialogTest, TheDistanceIsDrawnOnlyWhenAClassIsPicked)
{
    AddSun();
    globals.CurrentSystem->Add("Giant", 1e31, 1e10, 0, 0, 0, 0, 0, 0);
    Open();
    Check("chkOrbit")->click();
    List("cboOthers")->setCurrentIndex(1);
    draws->Add(0.0f);
    Pick("cboDistance", 3);
    EXPECT_EQ(Box("txtCustomDistance")->text(), "1.2528E+10");

    List("cboOthers")->setCurrentIndex(2);
    Generate(3, 2, {0.5f, 0.5f});
    EXPECT_EQ(Box("txtCustomDistance")->text(), "1.2528E+10");
    EXPECT_EQ(Box("txtX")->text(), "1.2528E+10");

    draws->Add(0.0f);
    Pick("cboDistance", 3);
    EXPECT_EQ(Box("txtCustomDistance")->text(), "9.0E+10");

    // With "(none)" the pick draws nothing and only defaults the shape.
    List("cboOthers")->setCurrentIndex(0);
    List("cboOrbitType")->setCurrentIndex(-1);
    Pick("cboDistance", 0);
    EXPECT_EQ(Box("txtCustomDistance")->text(), "9.0E+10");
    EXPECT_EQ(List("cboOrbitType")->currentIndex(), 0);
    EXPECT_TRUE(draws->Empty());
}

TEST_F(NewBodyDialogTest, AColourChoiceSetsTheSwatchAndACancelKeepsIt)
{
    Open();
    auto* swatch = Find<ColourSwatch>("picLoColor");
    dialogs.ColourAnswers = {255, std::nullopt};
    QTest::mouseClick(swatch, Qt::LeftButton);
    EXPECT_EQ(swatch->BackColor(), 255);
    QTest::mouseClick(swatch, Qt::LeftButton);
    EXPECT_EQ(swatch->BackColor(), 255);
    EXPECT_EQ(dialogs.CallsOf(Kind::Colour).size(), 2u);

    Box("txtName")->setText("Mars");
    Click("butAccept");
    EXPECT_EQ(globals.CurrentSystem->Item(1).LoColor, 255);
    EXPECT_EQ(globals.CurrentSystem->Item(1).HiColor, 16777215);
}

TEST_F(NewBodyDialogTest, DoneSavesTheCurrentFileEvenWithNoBodyAdded)
{
    Open();
    Click("butDone");
    EXPECT_TRUE(globals.SystemLoaded);
    EXPECT_TRUE(QFile::exists(folder.filePath("Current.kmx")));
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
}

TEST_F(NewBodyDialogTest, ClosingOtherwiseKeepsTheBodiesAndSavesNothing)
{
    Open();
    dialog->show();
    Box("txtName")->setText("Vulcan");
    Click("butAccept");
    dialog->close();
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_FALSE(globals.SystemLoaded);
    EXPECT_FALSE(QFile::exists(folder.filePath("Current.kmx")));
    EXPECT_EQ(globals.CurrentSystem->Count(), 1);
}

}  // namespace
}  // namespace kosmolux
