#include <memory>

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
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
        globals.ProgramFolder = folder.path();
        auto fixed = std::make_unique<FixedDraws>(std::initializer_list<float>{});
        draws = fixed.get();
        globals.Random = std::move(fixed);
    }

    void Open() { dialog = std::make_unique<frmNewBody>(globals, dialogs); }

    template <typename Control = QWidget>
    Control* Find(const char* name)
    {
        auto* control = dialog->findChild<Control*>(QString::fromLatin1(name));
        EXPECT_NE(control, nullptr) << name;
        return control;
    }
    QLineEdit* Box(const char* name) { return Find<QLineEdit>(name); }
    QComboBox* List(const char* name) { return Find<QComboBox>(name); }
    QCheckBox* Check(const char* name) { return Find<QCheckBox>(name); }
    void Click(const char* button) { Find<QPushButton>(button)->click(); }

    // Selects an entry the way a user's pick does.
    void Pick(const char* list, int index)
    {
        List(list)->setCurrentIndex(index);
        emit List(list)->activated(index);
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
        return {Box("txtX")->text(),  Box("txtY")->text(),  Box("txtZ")->text(),
                Box("txtVX")->text(), Box("txtVY")->text(), Box("txtVZ")->text()};
    }

    // Away from the origin and moving, so that every parent value must be carried over.
    Planet& AddSun() { return globals.EnsureSystem().Add("Sun", 1.9891e30, 1392000000, 1e9, 2e9, 3e9, 10, 20, 30); }

    QTemporaryDir folder;
    Globals globals;
    ScriptedDialogService dialogs;
    FixedDraws* draws = nullptr;
    std::unique_ptr<frmNewBody> dialog;
};

TEST_F(NewBodyDialogTest, GenerateNeedsASubTypeThenFillsTheCatalogueValuesAndPlacesTheBody)
{
    Open();
    Pick("cboBodyType", 0);
    Click("butGenerate");
    ASSERT_EQ(dialogs.MessageTexts(), QStringList{"Must set body type and sub type"});
    EXPECT_EQ(dialogs.Calls.back().title, "Not enough information");
    EXPECT_EQ(Box("txtMass")->text(), "0");

    // Red giant, lowest mass and diameter, over a typed name; the first body starts at the origin.
    Box("txtName")->setText("Sol");
    Box("txtX")->setText("5");
    Generate(0, 6, {0.0f, 0.0f});
    EXPECT_EQ(Box("txtName")->text(), "New Star");
    EXPECT_EQ(Box("txtMass")->text(), "5.9673E+30");
    EXPECT_EQ(Box("txtDiameter")->text(), "3.48E+11");
    EXPECT_EQ(Find<ColourSwatch>("picHiColor")->BackColor(), 255 + 256 * 75 + 65536 * 75);
    EXPECT_EQ(SixBoxes(), QStringList({"0", "0", "0", "0", "0", "0"}));

    // A reference point sets the flags and keeps the star's colours; a later moon keeps the
    // flags and, with a body in the system, is placed in the random region.
    Generate(4, 2, {});
    EXPECT_EQ(Box("txtMass")->text(), "1.0E+0");
    EXPECT_TRUE(Check("chkLocked")->isChecked() && Check("chkLightweight")->isChecked());
    EXPECT_EQ(Find<ColourSwatch>("picLoColor")->BackColor(), 155 + 256 * 15 + 65536 * 15);
    AddSun();
    Generate(2, 1, {0.5f, 0.5f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f});
    EXPECT_TRUE(Check("chkLocked")->isChecked() && Check("chkLightweight")->isChecked());
    EXPECT_EQ(SixBoxes(), QStringList({"1.0E+11", "1.0E+11", "5.0E+8", "-7.0E+3", "-7.0E+3", "-2.0E+3"}));
    EXPECT_TRUE(draws->Empty());
}

TEST_F(NewBodyDialogTest, AcceptAsksForANameAndTakesTheParentOnlyWhenAnOrbitIsAskedFor)
{
    Open();
    Generate(0, 4, {0.5f, 0.5f});
    dialogs.InputAnswers = {"New Moon 2", "", "Newton"};
    // A cancelled colour choice keeps the colour chosen before.
    dialogs.ColourAnswers = {255, std::nullopt};
    QTest::mouseClick(Find<ColourSwatch>("picLoColor"), Qt::LeftButton);
    QTest::mouseClick(Find<ColourSwatch>("picLoColor"), Qt::LeftButton);
    Click("butAccept");
    const auto prompts = dialogs.CallsOf(Kind::Input);
    ASSERT_EQ(prompts.size(), 3u);
    EXPECT_EQ(prompts[0].text, "Name of New Star?");
    EXPECT_EQ(prompts[0].title, "Must name body");
    EXPECT_EQ(prompts[1].text, "Name of New Moon 2?");
    EXPECT_EQ(prompts[2].text, "Name of ?");
    ASSERT_EQ(dialogs.MessageTexts(), QStringList{"Newton added to system"});
    EXPECT_EQ(dialogs.Calls.back().title, "Success");
    const Planet& newton = globals.CurrentSystem->Item(1);
    EXPECT_EQ(newton.PlanetName, "Newton");
    EXPECT_EQ(newton.Parent, -1);
    EXPECT_EQ(newton.LoColor, 255);
    QComboBox* others = List("cboOthers");
    ASSERT_EQ(others->count(), 2);
    EXPECT_EQ(others->itemText(1), "Newton");

    Check("chkOrbit")->click();
    others->setCurrentIndex(1);
    Box("txtName")->setText("New");
    Box("txtMass")->setText("5.976E+24");
    Click("butAccept");
    // Reset for the next body: the choices go, the values stay.
    EXPECT_EQ(others->count(), 3);
    EXPECT_EQ(others->currentIndex(), 0);
    EXPECT_EQ(Box("txtName")->text(), "");
    EXPECT_TRUE(Find("cboDistance")->isHidden());
    EXPECT_EQ(Box("txtMass")->text(), "5.976E+24");

    // Newton selected without an orbit, then an orbit around "(none)".
    others->setCurrentIndex(1);
    Box("txtName")->setText("new moon");
    Click("butAccept");
    Check("chkOrbit")->click();
    Box("txtName")->setText("Drifter");
    Click("butAccept");
    ASSERT_EQ(globals.CurrentSystem->Count(), 4);
    EXPECT_EQ(globals.CurrentSystem->Item(2).Parent, newton.Id());
    EXPECT_EQ(globals.CurrentSystem->Item(2).Mass, 5.976e24);
    EXPECT_EQ(globals.CurrentSystem->Item(3).PlanetName, "new moon");
    EXPECT_EQ(globals.CurrentSystem->Item(3).Parent, -1);
    EXPECT_EQ(globals.CurrentSystem->Item(4).Parent, -1);
}

TEST_F(NewBodyDialogTest, AcceptRefusesNamesAndNumbersThatWouldNotMakeASoundBody)
{
    AddSun();
    Open();
    // A message text of nothing: the storage layer words why the name cannot be saved.
    const struct {
        const char *name, *field, *value, *text, *title;
    } cases[] = {
        {"Sun", "txtMass", "1", "Body with this name already exists!", "Duplicate Name!"},
        // The file folds names: a long s lowers to itself but folds to "s", so this would overwrite the Sun.
        {"\u017FUN", "txtMass", "1", "Body with this name already exists!", "Duplicate Name!"},
        {"Vesta]", "txtMass", "1", nullptr, "Invalid Name"},
        {"*", "txtMass", "1", "A body cannot be called '*'. That name marks a body absorbed in a collision.",
         "Invalid Name"},
        {"Vesta", "txtDiameter", "abc", "Diameter is not a number", "Invalid Number"},
        {"Vesta", "txtY", "1e999", "Position Y is too large a number", "Invalid Number"},
    };
    for (const auto& refused : cases) {
        SCOPED_TRACE(std::string(refused.name) + " " + refused.field + "=" + refused.value);
        Box("txtName")->setText(refused.name);
        Box(refused.field)->setText(refused.value);
        Click("butAccept");
        const auto message = dialogs.Calls.back();
        EXPECT_EQ(message.text, refused.text ? QString::fromLatin1(refused.text) : BodyNameProblem(refused.name));
        EXPECT_EQ(message.title, refused.title);
        EXPECT_EQ(message.icon, DialogService::Icon::Exclamation);
        EXPECT_EQ(globals.CurrentSystem->Count(), 1);
        EXPECT_EQ(Box("txtName")->text(), refused.name);
        Box(refused.field)->setText("0");
    }
}

TEST_F(NewBodyDialogTest, OrbitPlacementWritesTheSixBoxesOrNone)
{
    AddSun();
    globals.CurrentSystem->Add("Giant", 1e31, 1e10, 0, 0, 0, 0, 0, 0);
    Open();
    EXPECT_TRUE(Find("txtAngle")->isHidden());
    Check("chkOrbit")->click();
    EXPECT_FALSE(Find("txtAngle")->isHidden());
    List("cboOthers")->setCurrentIndex(1);

    // "Far" around the Sun, lowest draw: 200 solar diameters; "Circular" becomes the shape.
    draws->Add(0.0f);
    Pick("cboDistance", 0);
    EXPECT_EQ(Box("txtCustomDistance")->text(), "2.784E+11");
    EXPECT_EQ(List("cboOrbitType")->currentIndex(), 0);
    // Another parent keeps the drawn distance until a class is picked again.
    List("cboOthers")->setCurrentIndex(2);
    Generate(1, 5, {0.5f, 0.5f});
    EXPECT_EQ(Box("txtX")->text(), "2.784E+11");
    draws->Add(0.0f);
    Pick("cboDistance", 3);
    EXPECT_EQ(Box("txtCustomDistance")->text(), "9.0E+10");
    List("cboOthers")->setCurrentIndex(0);
    Pick("cboDistance", 0);
    EXPECT_EQ(Box("txtCustomDistance")->text(), "9.0E+10") << "no parent, no draw";

    List("cboOthers")->setCurrentIndex(1);
    Box("txtCustomDistance")->setText("1.496E+11");
    Generate(1, 5, {0.5f, 0.5f});
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
}

TEST_F(NewBodyDialogTest, OnlyDoneSavesTheCurrentFileEvenWithNoBodyAdded)
{
    Open();
    dialog->show();
    dialog->close();
    EXPECT_FALSE(globals.SystemLoaded || QFile::exists(folder.filePath("Current.kmx")));
    Open();
    Click("butDone");
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_TRUE(globals.SystemLoaded && QFile::exists(folder.filePath("Current.kmx")));
}

}  // namespace
}  // namespace kosmolux
