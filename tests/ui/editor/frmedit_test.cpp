#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
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

    template <typename Control>
    Control* Find(const frmEdit& dialog, const char* name)
    {
        auto* control = dialog.findChild<Control*>(QString::fromLatin1(name));
        EXPECT_NE(control, nullptr) << name;
        return control;
    }

    // Replaces the box's text as a user typing would.
    void Type(const frmEdit& dialog, const char* box, const QString& text)
    {
        QLineEdit* edit = Find<QLineEdit>(dialog, box);
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }

    void SelectBody(const frmEdit& dialog, const QString& name)
    {
        auto* bodies = Find<QComboBox>(dialog, "cboBodies");
        bodies->setCurrentIndex(bodies->findText(name));
    }

    // Chooses an entry of the parent box with the keyboard, as a user would.
    void ChooseParent(const frmEdit& dialog, const QString& name)
    {
        auto* others = Find<QComboBox>(dialog, "cboOthers");
        const int wanted = others->findText(name);
        ASSERT_GE(wanted, 0) << name.toStdString();
        while (others->currentIndex() < wanted)
            QTest::keyClick(others, Qt::Key_Down);
        while (others->currentIndex() > wanted)
            QTest::keyClick(others, Qt::Key_Up);
    }

    QString Text(const frmEdit& dialog, const char* box) { return Find<QLineEdit>(dialog, box)->text(); }

    QStringList Entries(const frmEdit& dialog, const char* list)
    {
        auto* combo = Find<QComboBox>(dialog, list);
        QStringList entries;
        for (int i = 0; i < combo->count(); ++i)
            entries << combo->itemText(i);
        return entries;
    }

    Globals globals;
    ScriptedDialogService dialogs;
    Planet* sun = nullptr;
    Planet* earth = nullptr;
    Planet* moon = nullptr;
};

TEST_F(FrmEditTest, OpensOnTheFirstBodyWithEveryControlLabelled)
{
    sun->HiColor = 65535;
    sun->Locked = true;
    frmEdit dialog(globals, dialogs);

    EXPECT_EQ(dialog.windowTitle(), "Edit Body");
    EXPECT_EQ(dialog.font().family(), "Arial");
    QSet<QString> labels;
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        labels.insert(label->text());
    for (const char* expected : {"Select Body:", "Mass:", "kg", "Diameter:", "metres", "Position X:",
                                 "Position Y:", "Position Z:", "Velocity X:", "Velocity Y:",
                                 "Velocity Z:", "metres/sec", "HiColor:", "LoColor:", "\"Parent\" body:"})
        EXPECT_TRUE(labels.contains(QString::fromLatin1(expected))) << expected;
    EXPECT_EQ(Find<QPushButton>(dialog, "butOK")->text(), "Done");
    EXPECT_EQ(Find<QCheckBox>(dialog, "chkLightweight")->text(), "Lightweight?");

    EXPECT_EQ(Entries(dialog, "cboBodies"), (QStringList{"Sun", "Earth", "Moon"}));
    EXPECT_EQ(Entries(dialog, "cboOthers"), (QStringList{"(none)", "Sun", "Earth", "Moon"}));
    EXPECT_EQ(Find<QComboBox>(dialog, "cboOthers")->itemData(0).toInt(), -1);
    EXPECT_EQ(Find<QComboBox>(dialog, "cboBodies")->currentText(), "Sun");
    EXPECT_EQ(Text(dialog, "txtMass"), "1.989E+30");
    EXPECT_EQ(Text(dialog, "txtDiameter"), "1.392E+9");
    EXPECT_EQ(Text(dialog, "txtX"), "0.0E+0");
    EXPECT_EQ(Find<ColourSwatch>(dialog, "picHiColor")->BackColor(), 65535);
    EXPECT_TRUE(Find<QCheckBox>(dialog, "chkLocked")->isChecked());
    EXPECT_EQ(Find<QComboBox>(dialog, "cboOthers")->currentText(), "(none)");

    SelectBody(dialog, "Moon");
    EXPECT_EQ(Text(dialog, "txtVY"), "3.08E+4");
    EXPECT_EQ(Find<QComboBox>(dialog, "cboOthers")->currentText(), "Earth");
    EXPECT_FALSE(Find<QCheckBox>(dialog, "chkLocked")->isChecked());
}

TEST_F(FrmEditTest, TextThatIsNotANumberIsSkippedAndTheOtherChangesStored)
{
    frmEdit dialog(globals, dialogs);
    SelectBody(dialog, "Earth");
    Type(dialog, "txtMass", "abc");
    Type(dialog, "txtDiameter", "2e7");
    Type(dialog, "txtVZ", "");
    Type(dialog, "txtX", "1e999");
    Type(dialog, "txtY", "-1,5");
    SelectBody(dialog, "Sun");

    EXPECT_EQ(earth->Mass, 5.976e24);
    EXPECT_EQ(earth->Diameter, 2e7);
    EXPECT_EQ(earth->Velocity.ZComp, 0.0);
    // Too large for a double and a group separator: neither is a usable number.
    EXPECT_EQ(earth->Position.XComp, 1.496e11);
    EXPECT_EQ(earth->Position.YComp, 0.0);
    EXPECT_TRUE(dialogs.Calls.empty());
}

TEST_F(FrmEditTest, AnExponentFormIsStoredAndShownBackInTheScientificForm)
{
    frmEdit dialog(globals, dialogs);
    SelectBody(dialog, "Earth");
    Type(dialog, "txtMass", "1e30");
    Type(dialog, "txtVY", " 29780.5 ");
    SelectBody(dialog, "Sun");
    EXPECT_EQ(earth->Mass, 1e30);
    EXPECT_EQ(earth->Velocity.YComp, 29780.5);

    SelectBody(dialog, "Earth");
    EXPECT_EQ(Text(dialog, "txtMass"), "1.0E+30");
    EXPECT_EQ(Text(dialog, "txtVY"), "2.97805E+4");
}

TEST_F(FrmEditTest, ShowingBodiesChangesNothingAndOnlyLockedClickedStoresOnlyTheFlag)
{
    // Values with more digits than the boxes show.
    earth->Mass = 1.0 / 3.0;
    earth->Position.XComp = 0.1 + 0.2;
    earth->Velocity.YComp = 29784.123456789012;
    earth->HiColor = 123456;
    earth->Lightweight = true;
    const Planet before = *earth;

    frmEdit dialog(globals, dialogs);
    SelectBody(dialog, "Earth");
    SelectBody(dialog, "Moon");
    SelectBody(dialog, "Earth");
    EXPECT_EQ(earth->Mass, before.Mass);
    EXPECT_EQ(earth->Position, before.Position);

    Find<QCheckBox>(dialog, "chkLocked")->click();
    Find<QPushButton>(dialog, "butOK")->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(earth->Locked);
    // The untouched boxes are not read back through their 15-digit text.
    EXPECT_EQ(earth->Mass, before.Mass);
    EXPECT_EQ(earth->Position, before.Position);
    EXPECT_EQ(earth->Velocity, before.Velocity);
    EXPECT_EQ(earth->HiColor, before.HiColor);
    EXPECT_EQ(earth->LoColor, before.LoColor);
    EXPECT_EQ(earth->Parent, before.Parent);
    EXPECT_TRUE(earth->Lightweight);
}

TEST_F(FrmEditTest, ANewParentIsStoredWhenAnotherBodyIsShown)
{
    frmEdit dialog(globals, dialogs);
    SelectBody(dialog, "Moon");
    ChooseParent(dialog, "Sun");
    SelectBody(dialog, "Sun");
    EXPECT_EQ(moon->Parent, sun->Id());

    SelectBody(dialog, "Moon");
    ChooseParent(dialog, "(none)");
    Find<QPushButton>(dialog, "butOK")->click();
    EXPECT_EQ(moon->Parent, -1);
}

TEST_F(FrmEditTest, ClosingByTheFrameDropsThePendingChangesOfTheShownBodyOnly)
{
    frmEdit dialog(globals, dialogs);
    dialog.show();
    SelectBody(dialog, "Earth");
    Type(dialog, "txtMass", "1e20");
    SelectBody(dialog, "Moon");
    Type(dialog, "txtMass", "2e20");
    Find<QCheckBox>(dialog, "chkLocked")->click();
    dialog.close();

    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(earth->Mass, 1e20);
    EXPECT_EQ(moon->Mass, 7.35e22);
    EXPECT_FALSE(moon->Locked);
}

TEST_F(FrmEditTest, AChosenColourIsStoredAndACancelledChoiceChangesNothing)
{
    frmEdit dialog(globals, dialogs);
    SelectBody(dialog, "Earth");
    auto* hi = Find<ColourSwatch>(dialog, "picHiColor");
    auto* lo = Find<ColourSwatch>(dialog, "picLoColor");

    dialogs.ColourAnswers = {std::nullopt};
    QTest::mouseClick(hi, Qt::LeftButton);
    EXPECT_EQ(hi->BackColor(), White);
    SelectBody(dialog, "Sun");
    EXPECT_EQ(earth->HiColor, White);

    SelectBody(dialog, "Earth");
    dialogs.ColourAnswers = {Colour{255}};
    QTest::mouseClick(lo, Qt::LeftButton);
    EXPECT_EQ(lo->BackColor(), 255);
    Find<QPushButton>(dialog, "butOK")->click();
    EXPECT_EQ(earth->LoColor, 255);
    EXPECT_EQ(earth->HiColor, White);
    EXPECT_EQ(dialogs.CallsOf(Kind::Colour).size(), 2u);
}

TEST_F(FrmEditTest, RenamingKeepsTheLinksAndThePendingChanges)
{
    frmEdit dialog(globals, dialogs);
    SelectBody(dialog, "Earth");
    Type(dialog, "txtMass", "6e24");
    dialogs.InputAnswers = {"Terra"};
    Find<QPushButton>(dialog, "butRename")->click();

    const auto asked = dialogs.CallsOf(Kind::Input);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].text, "New Name:");
    EXPECT_EQ(asked[0].title, "Rename");
    EXPECT_EQ(asked[0].proposed, "Earth");

    EXPECT_EQ(earth->PlanetName, "Terra");
    EXPECT_EQ(earth->Mass, 6e24);
    EXPECT_EQ(earth->Parent, sun->Id());
    EXPECT_EQ(Entries(dialog, "cboBodies"), (QStringList{"Sun", "Terra", "Moon"}));
    EXPECT_EQ(Find<QComboBox>(dialog, "cboBodies")->currentText(), "Sun");

    SelectBody(dialog, "Moon");
    EXPECT_EQ(moon->Parent, earth->Id());
    EXPECT_EQ(Find<QComboBox>(dialog, "cboOthers")->currentText(), "Terra");
}

TEST_F(FrmEditTest, RenameRefusesACancelADuplicateAndNamesThatCannotBeKept)
{
    frmEdit dialog(globals, dialogs);
    SelectBody(dialog, "Earth");
    auto* rename = Find<QPushButton>(dialog, "butRename");

    dialogs.InputAnswers = {"", "Sun", "MOON", " Earth", "Io]", "*", "General"};
    for (std::size_t i = 0; i < 7; ++i)
        rename->click();

    EXPECT_EQ(earth->PlanetName, "Earth");
    const auto messages = dialogs.CallsOf(Kind::Message);
    ASSERT_EQ(messages.size(), 6u);  // no message for the cancel
    for (const auto& message : messages) {
        EXPECT_EQ(message.title, "Rename");
        EXPECT_EQ(message.icon, DialogService::Icon::Exclamation);
        EXPECT_EQ(message.buttons, DialogService::Buttons::Ok);
    }
    EXPECT_TRUE(messages[0].text.contains("There is already a body called 'Sun'"));
    EXPECT_TRUE(messages[0].text.contains("lost on the next save and load"));
    EXPECT_TRUE(messages[1].text.contains("There is already a body called 'Moon'"));
    EXPECT_TRUE(messages[2].text.startsWith("A body cannot be called ' Earth'."));
    EXPECT_TRUE(messages[3].text.contains("\"]\""));
    EXPECT_TRUE(messages[4].text.contains("collision"));
    EXPECT_TRUE(messages[5].text.startsWith("A body cannot be called 'General'."));

    // A change of capitals only is the body's own name, not another's.
    dialogs.InputAnswers = {"EARTH"};
    rename->click();
    EXPECT_EQ(earth->PlanetName, "EARTH");
}

TEST_F(FrmEditTest, DeleteAsksThenShowsTheFirstRemainingBody)
{
    frmEdit dialog(globals, dialogs);
    SelectBody(dialog, "Sun");
    auto* remove = Find<QPushButton>(dialog, "butDelete");

    dialogs.YesNoAnswers = {DialogService::Button::No};
    remove->click();
    EXPECT_EQ(globals.CurrentSystem->Count(), 3);
    const auto asked = dialogs.CallsOf(Kind::Message);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].text, "Are you sure you want to delete 'Sun'?");
    EXPECT_EQ(asked[0].title, "Delete?");
    EXPECT_EQ(asked[0].buttons, DialogService::Buttons::YesNo);

    const std::int32_t sunId = sun->Id();
    Type(dialog, "txtMass", "1e31");
    dialogs.YesNoAnswers = {DialogService::Button::Yes};
    remove->click();
    EXPECT_EQ(globals.CurrentSystem->Count(), 2);
    EXPECT_EQ(globals.CurrentSystem->FindById(sunId), nullptr);
    EXPECT_EQ(Entries(dialog, "cboBodies"), (QStringList{"Earth", "Moon"}));
    EXPECT_EQ(Entries(dialog, "cboOthers"), (QStringList{"(none)", "Earth", "Moon"}));
    EXPECT_EQ(Find<QComboBox>(dialog, "cboBodies")->currentText(), "Earth");
    EXPECT_EQ(Text(dialog, "txtMass"), "5.976E+24");

    // The orphan keeps the deleted Id, shows "(none)" and gets no stale parent from an edit.
    EXPECT_EQ(earth->Parent, sunId);
    EXPECT_EQ(Find<QComboBox>(dialog, "cboOthers")->currentText(), "(none)");
    SelectBody(dialog, "Moon");
    SelectBody(dialog, "Earth");
    EXPECT_EQ(Find<QComboBox>(dialog, "cboOthers")->currentText(), "(none)");
    Type(dialog, "txtMass", "5e24");
    Find<QPushButton>(dialog, "butOK")->click();
    EXPECT_EQ(earth->Mass, 5e24);
    EXPECT_EQ(earth->Parent, -1);
}

TEST_F(FrmEditTest, AnEmptySystemShowsEmptyFieldsAndDeleteAndRenameDoNothing)
{
    auto expectEmpty = [&](const frmEdit& dialog) {
        EXPECT_EQ(Find<QComboBox>(dialog, "cboBodies")->count(), 0);
        EXPECT_EQ(Find<QComboBox>(dialog, "cboBodies")->currentIndex(), -1);
        EXPECT_EQ(Find<QComboBox>(dialog, "cboOthers")->currentIndex(), -1);
        for (const char* box : {"txtMass", "txtDiameter", "txtX", "txtY", "txtZ", "txtVX", "txtVY", "txtVZ"})
            EXPECT_EQ(Text(dialog, box), "") << box;
        EXPECT_EQ(Find<ColourSwatch>(dialog, "picHiColor")->BackColor(), White);
        EXPECT_EQ(Find<ColourSwatch>(dialog, "picLoColor")->BackColor(), 224 + 256 * 224 + 65536 * 224);
        EXPECT_FALSE(Find<QCheckBox>(dialog, "chkLocked")->isChecked());
    };

    // Deleting the last body.
    globals.CurrentSystem->Remove(sun->GetKey());
    globals.CurrentSystem->Remove(moon->GetKey());
    frmEdit lastOne(globals, dialogs);
    lastOne.findChild<QCheckBox*>("chkLocked")->click();
    dialogs.YesNoAnswers = {DialogService::Button::Yes};
    lastOne.findChild<QPushButton*>("butDelete")->click();
    EXPECT_EQ(globals.CurrentSystem->Count(), 0);
    expectEmpty(lastOne);

    // No dialog may be asked for: the scripted service would throw.
    dialogs.Calls.clear();
    Type(lastOne, "txtMass", "1e5");
    lastOne.findChild<QPushButton*>("butDelete")->click();
    lastOne.findChild<QPushButton*>("butRename")->click();
    lastOne.findChild<QPushButton*>("butOK")->click();
    EXPECT_TRUE(dialogs.Calls.empty());

    // No system created yet.
    Globals fresh;
    frmEdit nothing(fresh, dialogs);
    expectEmpty(nothing);
    nothing.findChild<QPushButton*>("butDelete")->click();
    nothing.findChild<QPushButton*>("butRename")->click();
    nothing.findChild<QPushButton*>("butOK")->click();
    EXPECT_TRUE(dialogs.Calls.empty());
    EXPECT_EQ(fresh.CurrentSystem, nullptr);
}

// Stands in for the new-body dialog: adds a body as a user accepting one would.
class ScriptedAddEditor : public frmEdit {
public:
    using frmEdit::frmEdit;
    Globals* globals = nullptr;
    double massSeenByTheGenerator = 0.0;

protected:
    void RunNewBodyDialog() override
    {
        Planets& system = globals->EnsureSystem();
        massSeenByTheGenerator = system.Item(2).Mass;
        system.Add("Phobos", 1.0659e16, 2.25e4, 0, 0, 0, 0, 0, 0).Parent = -1;
    }
};

TEST_F(FrmEditTest, AddStoresThePendingChangesAndListsTheNewBody)
{
    ScriptedAddEditor dialog(globals, dialogs);
    dialog.globals = &globals;
    SelectBody(dialog, "Earth");
    Type(dialog, "txtMass", "7e24");
    dialog.findChild<QPushButton*>("butAdd")->click();

    EXPECT_EQ(dialog.massSeenByTheGenerator, 7e24);
    EXPECT_EQ(earth->Parent, sun->Id());
    EXPECT_EQ(Entries(dialog, "cboBodies"), (QStringList{"Sun", "Earth", "Moon", "Phobos"}));
    EXPECT_EQ(Entries(dialog, "cboOthers"), (QStringList{"(none)", "Sun", "Earth", "Moon", "Phobos"}));
    EXPECT_EQ(Find<QComboBox>(dialog, "cboBodies")->currentText(), "Sun");
}

}  // namespace
}  // namespace kosmolux
