#include <memory>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include "platform/scripteddialogservice.h"
#include "storage/globals.h"
#include "ui/dialogs/qstringprinter.h"
#include "ui/editor/frmedit.h"
#include "ui/generator/colourswatch.h"

namespace kosmolux {
namespace {

using Kind = ScriptedDialogService::Kind;

// A system of a star, a planet around it and a moon around the planet.
class FrmEditTest : public ::testing::Test {
protected:
    FrmEditTest()
    {
        Planets& system = globals.EnsureSystem();
        sun = &system.Add("Sun", 1.989e30, 1.392e9, 0, 0, 0, 0, 0, 0);
        earth = &system.Add("Earth", 5.976e24, 1.2756e7, 1.496e11, 0, 0, 0, 2.978e4, 0);
        moon = &system.Add("Moon", 7.35e22, 3.476e6, 1.5e11, 0, 0, 0, 3.08e4, 0);
        sun->Parent = -1;
        earth->Parent = sun->Id();
        moon->Parent = earth->Id();
    }

    void Open() { dialog = std::make_unique<frmEdit>(globals, dialogs); }

    template <typename Control>
    Control* Find(const char* name)
    {
        auto* control = dialog->findChild<Control*>(QString::fromLatin1(name));
        EXPECT_NE(control, nullptr) << name;
        return control;
    }
    QString Text(const char* box) { return Find<QLineEdit>(box)->text(); }
    QString Parent() { return Find<QComboBox>("cboOthers")->currentText(); }
    void Click(const char* button) { Find<QPushButton>(button)->click(); }

    // Replaces the box's text as a user typing would.
    void Type(const char* box, const QString& text)
    {
        Find<QLineEdit>(box)->selectAll();
        QTest::keyClicks(Find<QLineEdit>(box), text);
    }

    void SelectBody(const QString& name) { Find<QComboBox>("cboBodies")->setCurrentText(name); }

    // Chooses a parent the way a user's pick does.
    void ChooseParent(const QString& name)
    {
        auto* others = Find<QComboBox>("cboOthers");
        others->setCurrentText(name);
        emit others->activated(others->currentIndex());
    }

    QStringList Entries(const char* list)
    {
        auto* combo = Find<QComboBox>(list);
        QStringList entries;
        for (int i = 0; i < combo->count(); ++i)
            entries << combo->itemText(i);
        return entries;
    }

    Globals globals;
    ScriptedDialogService dialogs;
    std::unique_ptr<frmEdit> dialog;
    Planet* sun = nullptr;
    Planet* earth = nullptr;
    Planet* moon = nullptr;
};

TEST_F(FrmEditTest, OnlyTheOneChangedValueIsStored)
{
    // Values with more digits than the boxes show.
    earth->Mass = 1.0 / 3.0;
    earth->Position.XComp = 0.1 + 0.2;
    earth->Velocity.YComp = 29784.123456789012;
    earth->Lightweight = true;
    const Planet before = *earth;
    // Shown before the Earth, so that a check box left as the Sun had it would show.
    sun->Locked = true;
    Open();
    EXPECT_TRUE(Find<QCheckBox>("chkLocked")->isChecked());
    SelectBody("Moon");
    EXPECT_EQ(Parent(), "Earth");

    // Only a new parent, then another body shown.
    ChooseParent("Sun");
    SelectBody("Sun");
    EXPECT_EQ(moon->Parent, sun->Id());
    EXPECT_EQ(moon->Mass, 7.35e22);

    // Only Locked clicked, then Done.
    SelectBody("Earth");
    Find<QCheckBox>("chkLocked")->click();
    Click("butOK");
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_TRUE(earth->Locked);
    // The untouched boxes are not read back through their 15-digit text.
    EXPECT_EQ(earth->Mass, before.Mass);
    EXPECT_EQ(earth->Position, before.Position);
    EXPECT_EQ(earth->Velocity, before.Velocity);
    EXPECT_EQ(earth->Parent, before.Parent);
    EXPECT_TRUE(earth->Lightweight);
}

TEST_F(FrmEditTest, TypedNumbersAndChosenColoursAreStoredAndOtherTextIsRefused)
{
    Open();
    dialog->show();
    SelectBody("Earth");
    Type("txtMass", "abc");
    Type("txtDiameter", "2e7");
    Type("txtX", "1e999");  // too large for a double
    // A cancelled colour choice keeps the colour shown.
    dialogs.ColourAnswers = {Colour{255}, std::nullopt};
    QTest::mouseClick(Find<ColourSwatch>("picLoColor"), Qt::LeftButton);
    QTest::mouseClick(Find<ColourSwatch>("picHiColor"), Qt::LeftButton);
    SelectBody("Sun");
    EXPECT_EQ(earth->Mass, 5.976e24);
    EXPECT_EQ(earth->Diameter, 2e7);
    EXPECT_EQ(earth->Position.XComp, 1.496e11);
    EXPECT_EQ(earth->LoColor, 255);
    EXPECT_EQ(earth->HiColor, White);
    EXPECT_EQ(dialogs.MessageTexts(), (QStringList{"Mass is not a number", "Position X is too large a number"}));
    EXPECT_EQ(dialogs.Calls.back().title, "Invalid Number");

    SelectBody("Earth");
    Type("txtMass", "1e30");
    SelectBody("Sun");
    EXPECT_EQ(earth->Mass, 1e30);
    SelectBody("Earth");
    EXPECT_EQ(Text("txtMass"), "1.0E+30");
    // Done stays open on a refused value, for the user to put right.
    Type("txtMass", "3.30E+23kg");
    Click("butOK");
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialogs.MessageTexts().size(), 3);

    // Closed by the frame: the shown body's pending changes go, the stored ones stay.
    Type("txtMass", "2e20");
    Find<QCheckBox>("chkLocked")->click();
    dialog->close();
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_EQ(earth->Mass, 1e30);
    EXPECT_FALSE(earth->Locked);
}

TEST_F(FrmEditTest, RenameKeepsTheLinksAndRefusesACancelADuplicateAndUnstorableNames)
{
    Open();
    SelectBody("Earth");
    Type("txtMass", "6e24");
    // A long s folds to "s" as the file folds names, though it lowers to itself.
    dialogs.InputAnswers = {"", "Sun", "\u017FUN", "Io]", "Terra"};
    for (int i = 0; i < 5; ++i)
        Click("butRename");
    const auto asked = dialogs.CallsOf(Kind::Input);
    ASSERT_EQ(asked.size(), 5u);
    EXPECT_EQ(asked[0].text, "New Name:");
    EXPECT_EQ(asked[0].proposed, "Earth");
    const auto messages = dialogs.CallsOf(Kind::Message);
    ASSERT_EQ(messages.size(), 3u);  // none for the cancel
    EXPECT_EQ(messages[0].title, "Rename");
    EXPECT_TRUE(messages[0].text.contains("There is already a body called 'Sun'"));
    EXPECT_TRUE(messages[1].text.contains("There is already a body called 'Sun'"));
    EXPECT_TRUE(messages[2].text.contains("\"]\""));

    EXPECT_EQ(earth->PlanetName, "Terra");
    EXPECT_EQ(earth->Mass, 6e24);
    EXPECT_EQ(earth->Parent, sun->Id());
    EXPECT_EQ(Entries("cboBodies"), (QStringList{"Sun", "Terra", "Moon"}));
    SelectBody("Moon");
    EXPECT_EQ(moon->Parent, earth->Id());
    EXPECT_EQ(Parent(), "Terra");

    // A change of capitals only is the body's own name, not another's.
    SelectBody("Terra");
    dialogs.InputAnswers = {"TERRA"};
    Click("butRename");
    EXPECT_EQ(earth->PlanetName, "TERRA");
}

TEST_F(FrmEditTest, DeleteAsksThenShowsTheFirstRemainingBody)
{
    Open();
    dialogs.YesNoAnswers = {DialogService::Button::No};
    Click("butDelete");
    EXPECT_EQ(globals.CurrentSystem->Count(), 3);
    ASSERT_EQ(dialogs.MessageTexts(), QStringList{"Are you sure you want to delete 'Sun'?"});
    EXPECT_EQ(dialogs.Calls.back().title, "Delete?");
    EXPECT_EQ(dialogs.Calls.back().buttons, DialogService::Buttons::YesNo);

    const std::int32_t sunId = sun->Id();
    dialogs.YesNoAnswers = {DialogService::Button::Yes};
    Click("butDelete");
    EXPECT_EQ(globals.CurrentSystem->FindById(sunId), nullptr);
    EXPECT_EQ(Entries("cboBodies"), (QStringList{"Earth", "Moon"}));
    EXPECT_EQ(Entries("cboOthers"), (QStringList{"(none)", "Earth", "Moon"}));
    EXPECT_EQ(Text("txtMass"), "5.976E+24");

    // The orphan shows "(none)"; showing it and leaving it stores nothing, so it keeps the deleted Id.
    EXPECT_EQ(Parent(), "(none)");
    SelectBody("Moon");
    SelectBody("Earth");
    SelectBody("Moon");
    EXPECT_EQ(earth->Parent, sunId);
    // An edit gives it no stale parent.
    SelectBody("Earth");
    Type("txtMass", "5e24");
    Click("butOK");
    EXPECT_EQ(earth->Mass, 5e24);
    EXPECT_EQ(earth->Parent, -1);
}

TEST_F(FrmEditTest, AnEmptySystemShowsEmptyFieldsAndTheButtonsAskNothing)
{
    // The scripted service would throw on any dialog asked for.
    auto expectEmptyAndInert = [this] {
        EXPECT_EQ(Find<QComboBox>("cboBodies")->count(), 0);
        EXPECT_EQ(Text("txtMass"), "");
        EXPECT_EQ(Find<ColourSwatch>("picLoColor")->BackColor(), 224 + 256 * 224 + 65536 * 224);
        dialogs.Calls.clear();
        Type("txtMass", "1e5");
        for (const char* button : {"butDelete", "butRename", "butOK"})
            Click(button);
        EXPECT_TRUE(dialogs.Calls.empty());
    };
    globals.CurrentSystem.reset();
    Open();
    expectEmptyAndInert();
    EXPECT_EQ(globals.CurrentSystem, nullptr);

    // Deleting the last body while a change of it is pending.
    globals.EnsureSystem().Add("Vesta", 2.59e20, 5.25e5, 0, 0, 0, 0, 0, 0);
    Open();
    Find<QCheckBox>("chkLocked")->click();
    dialogs.YesNoAnswers = {DialogService::Button::Yes};
    Click("butDelete");
    EXPECT_EQ(globals.CurrentSystem->Count(), 0);
    expectEmptyAndInert();
}

// Stands in for the new-body dialog: adds a body as a user accepting one would.
class ScriptedAddEditor : public frmEdit {
public:
    ScriptedAddEditor(Globals& globals, DialogService& dialogs) : frmEdit(globals, dialogs), globals_(globals) {}
    double massSeenByTheGenerator = 0.0;

protected:
    void RunNewBodyDialog() override
    {
        massSeenByTheGenerator = globals_.CurrentSystem->Item(2).Mass;
        globals_.CurrentSystem->Add("Phobos", 1.0659e16, 2.25e4, 0, 0, 0, 0, 0, 0);
    }

private:
    Globals& globals_;
};

TEST_F(FrmEditTest, AddStoresThePendingChangesFirstAndListsTheNewBody)
{
    auto* adding = new ScriptedAddEditor(globals, dialogs);
    dialog.reset(adding);
    SelectBody("Earth");
    Type("txtMass", "7e24");
    Click("butAdd");
    // The generator saves the system on Done: it must see the edit.
    EXPECT_EQ(adding->massSeenByTheGenerator, 7e24);
    EXPECT_EQ(Entries("cboOthers"), (QStringList{"(none)", "Sun", "Earth", "Moon", "Phobos"}));
}

}  // namespace
}  // namespace kosmolux
