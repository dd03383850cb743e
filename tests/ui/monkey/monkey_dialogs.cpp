// The monkey inside the modal dialogs: the new-body dialog, the body editor,
// the date picker and the About box. A command that opens one blocks in its
// exec(); the monkey acts from a call posted just before, which runs as soon
// as the dialog waits for the user.
#include "ui/monkey/monkey.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include "platform/textformats.h"
#include "ui/dialogs/frmabout.h"
#include "ui/dialogs/frmpickdate.h"
#include "ui/editor/frmedit.h"
#include "ui/generator/frmnewbody.h"
#include "ui/monkey/systemchecks.h"

namespace kosmolux::monkey {

namespace {

template <typename T>
T* ChildOf(QDialog& dialog, const char* name)
{
    T* found = dialog.findChild<T*>(QString::fromLatin1(name));
    if (!found)
        throw std::logic_error(std::string("the dialog has no control ") + name);
    return found;
}

// A typed text as the log shows it: control characters named, long texts cut.
QString Shown(const QString& text)
{
    QString shown;
    for (const QChar c : text)
        shown += c.category() == QChar::Other_Control
                     ? QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QChar(u'0'))
                     : QString(c);
    if (shown.size() > 40)
        shown = shown.left(30) + QStringLiteral("... (%1 characters)").arg(text.size());
    return u'\'' + shown + u'\'';
}

// Types as a user does: plain characters and Tab and Enter as keys, and
// everything else (accented letters, Greek, emoji) as an input method
// delivers it. Other control characters cannot be typed.
void Type(QLineEdit* edit, const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\t') {
            QTest::keyClick(edit, Qt::Key_Tab);
        } else if (c == u'\n') {
            QTest::keyClick(edit, Qt::Key_Return);
        } else if (c.unicode() >= 0x20 && c.unicode() < 0x7F) {
            QTest::keyClick(edit, static_cast<char>(c.unicode()));
        } else if (c.category() != QChar::Other_Control) {
            const qsizetype length = c.isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
            QInputMethodEvent composed;
            composed.setCommitString(text.mid(i, length));
            QCoreApplication::sendEvent(edit, &composed);
            i += length - 1;
        }
    }
}

const char* const ValueBoxes[] = {"txtMass", "txtDiameter", "txtX",  "txtY",
                                  "txtZ",    "txtVX",       "txtVY", "txtVZ"};

}  // namespace

void Monkey::OpenDialog(const std::function<void()>& command, bool saveAsFollows)
{
    const int token = ++lastDialogToken_;
    openDialogs_.push_back(token);
    QTimer::singleShot(0, &timers_,
                       [this, token, saveAsFollows] { DriveDialog(token, saveAsFollows); });
    command();
    openDialogs_.pop_back();
}

void Monkey::DriveDialog(int token, bool saveAsFollows)
{
    // A command that returned without its dialog leaves its call behind.
    if (openDialogs_.empty() || openDialogs_.back() != token)
        return;
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!dialog) {
        Fail(QStringLiteral("the command opened no dialog"));
        return;
    }
    where_.push_back(dialog->windowTitle());
    // Called from the dialog's event loop: nothing may escape into it.
    try {
        if (auto* generator = qobject_cast<frmNewBody*>(dialog))
            DriveGenerator(*generator);
        else if (auto* editor = qobject_cast<frmEdit*>(dialog))
            DriveEditor(*editor);
        else if (auto* picker = qobject_cast<frmPickDate*>(dialog))
            DriveDatePicker(*picker);
        else if (auto* about = qobject_cast<frmAbout*>(dialog))
            DriveAbout(*about);
        else
            Fail(QStringLiteral("an unexpected dialog opened: ") + dialog->windowTitle());
    } catch (const std::exception& error) {
        Fail(QStringLiteral("the monkey could not drive the dialog: ")
             + QString::fromLocal8Bit(error.what()));
    }
    // At the end of the budget, or after a fault, the dialog still has to go.
    if (dialog->isVisible() && !Failed())
        InDialog(QStringLiteral("close by the window frame"), [dialog] { dialog->reject(); });
    if (dialog->isVisible())
        dialog->reject();
    where_.pop_back();
    if (saveAsFollows && !closed_ && !Failed()) {
        const FileChoice choice = files_.SaveChoice();
        Record(QStringLiteral("answer the save dialog that follows: ") + choice.description);
        dialogs_.FileAnswers.push_back(choice.answer);
    }
}

void Monkey::InDialog(const QString& what, const std::function<void()>& action)
{
    Perform([&] {
        Record(what);
        action();
    });
}

void Monkey::ClickIn(QDialog& dialog, const char* button)
{
    ChildOf<QAbstractButton>(dialog, button)->click();
}

void Monkey::Press(QDialog& dialog, const char* button, const QString& caption)
{
    InDialog(QStringLiteral("click ") + caption, [&] { ClickIn(dialog, button); });
}

void Monkey::TypeInto(QDialog& dialog, const char* box, const QString& text)
{
    InDialog(QStringLiteral("type %1 into %2").arg(Shown(text), QString::fromLatin1(box)), [&] {
        QLineEdit* edit = ChildOf<QLineEdit>(dialog, box);
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        Type(edit, text);
    });
}

void Monkey::Choose(QDialog& dialog, const char* list)
{
    auto* box = ChildOf<QComboBox>(dialog, list);
    if (box->count() == 0)
        return;
    const int entry = input_.Below(box->count());
    InDialog(
        QStringLiteral("choose '%1' in %2").arg(box->itemText(entry), QString::fromLatin1(list)),
        [box, entry] {
            box->setCurrentIndex(entry);
            emit box->activated(entry);
        });
}

void Monkey::ChooseColour(QDialog& dialog, const char* swatch)
{
    const std::optional<Colour> answer = input_.ColourAnswer();
    dialogs_.ColourAnswers.push_back(answer);
    InDialog(QStringLiteral("click %1, choose %2")
                 .arg(QString::fromLatin1(swatch),
                      answer ? QString::number(*answer) : QStringLiteral("Cancel")),
             [&] { QTest::mouseClick(ChildOf<QWidget>(dialog, swatch), Qt::LeftButton); });
}

void Monkey::CloseMainWindowFromDialog()
{
    InDialog(QStringLiteral("close the main window"), [this] {
        closed_ = true;
        window_->close();
    });
}

void Monkey::DriveGenerator(frmNewBody& dialog)
{
    const int actions = input_.Between(1, 10);
    for (int action = 0; action < actions && !Finished() && dialog.isVisible(); ++action) {
        if (!input_.Chance(0.4)) {
            GeneratorStep(dialog);
            continue;
        }
        // What a user who means it does: a type, a sub-type, perhaps an orbit, generate, accept.
        Choose(dialog, "cboBodyType");
        Choose(dialog, "cboSubType");
        if (input_.Chance(0.4)) {
            if (!ChildOf<QAbstractButton>(dialog, "chkOrbit")->isChecked())
                Press(dialog, "chkOrbit", QStringLiteral("In orbit around"));
            Choose(dialog, "cboOthers");
            Choose(dialog, "cboOrbitType");
            Choose(dialog, "cboDistance");
        }
        Press(dialog, "butGenerate", QStringLiteral("Generate Data"));
        AcceptBody(dialog);
    }
    if (Finished() || !dialog.isVisible())
        return;
    if (input_.Chance(0.02))
        CloseMainWindowFromDialog();
    else if (input_.Chance(0.8))
        Press(dialog, "butDone", QStringLiteral("Done"));
}

void Monkey::GeneratorStep(QDialog& dialog)
{
    switch (input_.Below(12)) {
    case 0:
        return Choose(dialog, "cboBodyType");
    case 1:
        return Choose(dialog, "cboSubType");
    case 2:
        return Press(dialog, "chkOrbit", QStringLiteral("In orbit around"));
    case 3:
        return Choose(dialog, "cboOthers");
    case 4:
        return Choose(dialog, input_.Chance(0.5) ? "cboOrbitType" : "cboDistance");
    case 5:
        return TypeInto(dialog, input_.Chance(0.5) ? "txtCustomDistance" : "txtAngle",
                        input_.NumberText());
    case 6: {
        const char* box = input_.PickFrom(
            std::vector<const char*>{"chkRetrograde", "chkLightweight", "chkLocked"});
        return Press(dialog, box, QString::fromLatin1(box));
    }
    case 7:
        return Press(dialog, "butGenerate", QStringLiteral("Generate Data"));
    case 8:
        return TypeInto(dialog, ValueBoxes[input_.Below(8)], input_.NumberText());
    case 9:
        return TypeInto(dialog, "txtName", input_.NameText());
    case 10:
        return ChooseColour(dialog, input_.Chance(0.5) ? "picHiColor" : "picLoColor");
    default:
        return AcceptBody(dialog);
    }
}

void Monkey::AcceptBody(QDialog& dialog)
{
    // A name left empty or "New ..." is asked for until an acceptable one comes.
    const QString typed = ChildOf<QLineEdit>(dialog, "txtName")->text();
    QStringList given;
    if (typed.isEmpty() || text::MatchesNewPattern(typed)) {
        for (int refused = input_.Below(3); refused > 0; --refused) {
            const QString answer = input_.Chance(0.5) ? QString() : QStringLiteral("New Thing");
            dialogs_.InputAnswers.push_back(answer);
            given << Shown(answer);
        }
        QString name;
        do {
            name = input_.NameText();
        } while (name.isEmpty() || text::MatchesNewPattern(name));
        dialogs_.InputAnswers.push_back(name);
        given << Shown(name);
    }
    const int before = globals_->EnsureSystem().Count();
    InDialog(
        QStringLiteral("click Accept")
            + (given.isEmpty() ? QString() : QStringLiteral(", names given: ") + given.join(u' ')),
        [&] {
            ClickIn(dialog, "butAccept");
            const Planets& system = *globals_->CurrentSystem;
            if (system.Count() == before + 1) {
                const QString problem =
                    SharedSectionProblem(system, system.Item(system.Count()).Id());
                if (!problem.isEmpty())
                    Fail(problem);
            }
        });
}

void Monkey::DriveEditor(frmEdit& dialog)
{
    const int actions = input_.Between(1, 10);
    for (int action = 0; action < actions && !Finished() && dialog.isVisible(); ++action)
        EditorStep(dialog);
    if (Finished() || !dialog.isVisible())
        return;
    if (input_.Chance(0.02))
        CloseMainWindowFromDialog();
    else if (input_.Chance(0.8))
        Press(dialog, "butOK", QStringLiteral("Done"));
}

void Monkey::EditorStep(QDialog& dialog)
{
    auto* bodies = ChildOf<QComboBox>(dialog, "cboBodies");
    const bool bodyShown = bodies->currentIndex() >= 0;
    switch (input_.Below(10)) {
    case 0:
    case 1:
        return Choose(dialog, "cboBodies");
    case 2:
    case 3:
        return TypeInto(dialog, ValueBoxes[input_.Below(8)], input_.NumberText());
    case 4:
        return Choose(dialog, "cboOthers");
    case 5: {
        const char* box = input_.Chance(0.5) ? "chkLightweight" : "chkLocked";
        return Press(dialog, box, QString::fromLatin1(box));
    }
    case 6:
        return ChooseColour(dialog, input_.Chance(0.5) ? "picHiColor" : "picLoColor");
    case 7:
        return InDialog(QStringLiteral("click Add"),
                        [&] { OpenDialog([&] { ClickIn(dialog, "butAdd"); }, false); });
    case 8: {
        const bool yes = input_.Chance(0.6);
        if (bodyShown)
            dialogs_.YesNoAnswers.push_back(yes ? DialogService::Button::Yes
                                                : DialogService::Button::No);
        return Press(
            dialog, "butDelete",
            QStringLiteral("Delete") + (bodyShown ? (yes ? ", answer Yes" : ", answer No") : ""));
    }
    default: {
        const QString name = input_.Chance(0.2) ? QString() : input_.NameText();
        const std::int32_t id = bodies->currentData().toInt();
        const QString oldName = bodies->currentText();
        if (bodyShown)
            dialogs_.InputAnswers.push_back(name);
        return InDialog(
            QStringLiteral("click Rename")
                + (bodyShown ? QStringLiteral(", answer ") + Shown(name) : QString()),
            [&] {
                ClickIn(dialog, "butRename");
                const Planet* renamed = bodyShown ? globals_->CurrentSystem->FindById(id) : nullptr;
                if (renamed && name != oldName && renamed->PlanetName == name.toStdString()) {
                    const QString problem = SharedSectionProblem(*globals_->CurrentSystem, id);
                    if (!problem.isEmpty())
                        Fail(problem);
                }
            });
    }
    }
}

void Monkey::DriveDatePicker(frmPickDate& dialog)
{
    for (int attempt = input_.Between(1, 3); attempt > 0 && !Finished() && dialog.isVisible();
         --attempt) {
        TypeInto(dialog, "txtDate", input_.DateText());
        InDialog(QStringLiteral("click OK"), [&] {
            const QString typed = ChildOf<QLineEdit>(dialog, "txtDate")->text();
            ClickIn(dialog, "butOK");
            const std::optional<QDate> date = text::ParseDate(typed);
            if (dialog.isVisible() == date.has_value() || (date && globals_->StartDate != *date))
                Fail(QStringLiteral("the date picker took %1 as %2")
                         .arg(Shown(typed), globals_->StartDate.toString(Qt::ISODate)));
        });
    }
}

void Monkey::DriveAbout(frmAbout& dialog)
{
    if (input_.Chance(0.7))
        Press(dialog, "cmdOK", QStringLiteral("OK"));
}

}  // namespace kosmolux::monkey
