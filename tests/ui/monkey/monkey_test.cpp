// A monkey at the window: a user who does anything at all with what the program offers at
// the moment, and the program checked after every action. 500 actions in each language; the
// long run, another seed, every action on standard error: KOSMOLUX_MONKEY_ACTIONS=10000
// KOSMOLUX_MONKEY_SEED=12345 KOSMOLUX_MONKEY_TRACE=1 build/tests/ui/monkey/ui_monkey_tests
#include <cmath>
#include <iostream>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "platform/scripteddialogservice.h"
#include "storage/recordingcentrelist.h"
#include "storage/sciformat.h"
#include "ui/generator/colourswatch.h"
#include "ui/main/frmmain.h"
#include "ui/main/plotplane.h"
#include "ui/monkey/monkeyinput.h"

namespace kosmolux::monkey {
namespace {

// Name, how often a user does it, and which questions it may ask: Y yes/no, I input, O open,
// S save, C colour, * any. "X*" stands for all names that begin with X. Anything else, a
// command added later too, asks nothing and is done now and then.
const std::tuple<const char*, double, const char*> Habits[] = {
    {"mnuFileNewSystem", 3, "S"}, {"mnuFileLoad", 8, "O"}, {"mnuFileSave*", 3, "S"},
    {"mnuEditBodies", 5, "S"}, {"mnuEditAdd", 5, "S"}, {"mnuFileExit", 1, ""}, {"mnuHelp*", 1, ""},
    {"butSimulate", 15, "OY"}, {"butPause", 4, ""}, {"butStop", 3, ""}, {"butZoom*", 3, ""},
    {"butLabel", 3, ""}, {"cboCentre", 4, ""}, {"butGenerate", 4, ""}, {"butAccept", 4, "I"},
    {"butDelete", 2, "Y"}, {"butRename", 2, "I"}, {"pic*", 1, "C"}};

// The files the dialogs hand out besides the examples, in the program's folder (where Stop
// saves "Current.kmx"); unusable: a folder, a file in a missing folder, a missing file.
const QStringList Saved = {"Current.kmx", "Saved1.kmx", "Saved2.kmx", "Saved3.kmx", "Saved4.kmx"};
const QStringList Garbles = {"Garbled0.kmx", "Garbled1.kmx", "Garbled2.kmx"};
const QStringList Unusable = {"Folder.kmx", "NoSuchFolder/Lost.kmx", "Missing.kmx"};

// A warning from Qt is a fault too; not the headless platform's word on what it leaves out.
QStringList qtWarnings;

void CollectWarnings(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type != QtDebugMsg && type != QtInfoMsg && !message.startsWith("This plugin does not"))
        qtWarnings << message;
}

// The program's generator of new bodies, drawn from the monkey's seed.
struct SeededRandom : RandomSource {
    explicit SeededRandom(std::uint32_t seed) : engine(seed) {}
    float Draw() override { return float(engine() >> 8) / 16777216.0f; }
    std::mt19937 engine;
};

std::optional<QByteArray> Contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? std::optional(file.readAll()) : std::nullopt;
}

// A text as the log shows it: quoted, control characters escaped, long texts cut.
QString Shown(const QString& text)
{
    QString shown;
    QDebug(&shown) << text.left(40);
    return text.size() > 40 ? shown + QStringLiteral("... (%1 long)").arg(text.size()) : shown;
}

// A body as the lists show it, by name and key.
QString Entry(const QString& name, const std::string& key)
{
    return name + '|' + QString::fromStdString(key);
}

// The monkey is also the user at the dialog service: it answers at random every question the
// action in progress may ask, and takes any other for a fault. After every action: no
// exception, no warning from Qt, every value finite, the centre list and Reports > Bodies in
// step (and with the system once a command changed it), and every file the program wrote
// loading back as the system it holds.
class Monkey : public ScriptedDialogService {
public:
    Monkey(std::uint32_t seed, int actions, bool trace)
        : dice_(seed), total_(actions), trace_(trace)
    {
        const QDir examples(KOSMOLUX_EXAMPLES_DIR);
        for (const QString& name : examples.entryList({"*.kmx"}, QDir::Files))
            examples_[name] = Contents(examples.filePath(name)).value_or("");
        QDir(folder_.path()).mkdir(Unusable[0]);
        for (const QString& name : examples_.keys() + Saved + Garbles + Unusable)
            files_[name] = Contents(folder_.filePath(name));
        qtWarnings.clear();
        previousHandler_ = qInstallMessageHandler(CollectWarnings);
    }
    ~Monkey() override { qInstallMessageHandler(previousHandler_); }

    // Acts until every action is done or something is wrong; returns the first fault with the
    // last actions, or nothing.
    QString Run()
    {
        for (; done_ < total_ && !Failed() && !examples_.isEmpty(); Calls.clear()) {
            if (Closed())
                OpenWindow();
            else
                Act(*window_);
        }
        std::cout << "monkey: " << runs_ << " runs of " << steps_ << " steps, " << loadedBack_
                  << " saved files loaded back" << std::endl;
        log_.prepend(QStringLiteral("A fault at action %1: %2").arg(done_).arg(failure_));
        return Failed() || examples_.isEmpty() ? log_.join('\n') : QString();
    }

private:
    // What a user can do now: its line in the log, how often, the questions it may ask, the doing.
    struct Action { QString name; double weight; QString asks; std::function<void()> act; };

    void OpenWindow()
    {
        window_.reset();
        globals_ = std::make_unique<Globals>();
        globals_->ProgramFolder = folder_.path();
        globals_->Random = std::make_unique<SeededRandom>(dice_());
        const QString commandLine = Chance(dice_, 0.5) ? QString() : FileAnswerFor(false).path;
        Do({"start the program", 0, "", [this, commandLine] {
                window_ = std::make_unique<frmMain>(*globals_, *this, commandLine);
                window_->StepFinished = [this](std::int64_t steps) { InRun(steps); };
                window_->show();
            }});
    }

    // What a user does with a control: its Habit, or at the weight given.
    Action On(QObject* control, double weight)
    {
        // A control is known by its name, an unnamed menu item by its text.
        const QString id = control->objectName().isEmpty() ? control->property("text").toString()
                                                            : control->objectName();
        // About a thousand halvings or doublings of the view leave the range of a double.
        const bool far = id.startsWith("butZoom") && Chance(dice_, 0.1);
        const int times = far ? 99 + Below(dice_, 999) : 1;
        const char* slot = control->inherits("QAction") ? "trigger" : "click";
        Action action{"click " + id + (far ? QStringLiteral(" %1 times").arg(times) : ""), weight,
                      "", [=, this] {
                          for (int click = 0; click < times && !Closed(); ++click)
                              QMetaObject::invokeMethod(control, slot);
                      }};
        for (const auto& [name, often, asks] : Habits) {
            const QLatin1String pattern(name);
            if (pattern.endsWith('*') ? id.startsWith(pattern.chopped(1)) : id == pattern)
                std::tie(action.weight, action.asks) = std::tuple(often, asks);
        }
        if (auto* list = qobject_cast<QComboBox*>(control)) {
            const int entry = Below(dice_, list->count());
            action.name = "choose " + Shown(list->itemText(entry)) + " in " + id;
            action.act = [list, entry] {
                list->setCurrentIndex(entry);
                emit list->activated(entry);
            };
        } else if (auto* box = qobject_cast<QLineEdit*>(control)) {
            // As an input method delivers it, so that any letter comes; no control keys.
            QString text = TextFor(dice_, id);
            text.removeIf([](QChar c) { return c.category() == QChar::Other_Control; });
            action.name = "type " + Shown(text) + " into " + id;
            action.act = [box, text] {
                box->selectAll();
                QTest::keyClick(box, Qt::Key_Backspace);
                QInputMethodEvent typed;
                typed.setCommitString(text);
                QCoreApplication::sendEvent(box, &typed);
            };
        } else if (qobject_cast<ColourSwatch*>(control) || qobject_cast<PlotPlane*>(control)) {
            auto* widget = static_cast<QWidget*>(control);
            const QPoint at(Below(dice_, widget->width()), Below(dice_, widget->height()));
            action.name += QStringLiteral(" at %1,%2").arg(at.x()).arg(at.y());
            action.act = [widget, at] { QTest::mouseClick(widget, Qt::LeftButton, {}, at); };
        }
        return action;
    }

    std::vector<Action> ActionsOn(QWidget& target)
    {
        std::vector<Action> actions;
        std::vector<QComboBox*> lists;
        for (QWidget* control : target.findChildren<QWidget*>()) {
            auto* list = qobject_cast<QComboBox*>(control);
            auto* box = qobject_cast<QLineEdit*>(control);
            if (!control->isVisible() || control->window() != &target || (list && !list->count()))
                continue;
            if (list)
                lists.push_back(list);
            if (list || (box && !box->isReadOnly()) || qobject_cast<QAbstractButton*>(control)
                || qobject_cast<ColourSwatch*>(control) || qobject_cast<PlotPlane*>(control))
                actions.push_back(On(control, 2));
        }
        // A user who means it: something in every list, then the values generated and accepted.
        if (target.findChild<QAbstractButton*>("butGenerate"))
            actions.push_back({"fill in a body", 15, "", [this, lists, &target] {
                                   for (QObject* list : lists)
                                       Do(On(list, 0));
                                   for (const char* button : {"butGenerate", "butAccept"})
                                       Do(On(target.findChild<QAbstractButton*>(button), 0));
                               }});
        actions.push_back({"close the main window", &target == window_.get() ? 1 : 0.1, "",
                           [this] { window_->close(); }});
        if (&target != window_.get())
            return actions;
        for (QMenu* menu : window_->menuBar()->findChildren<QMenu*>()) {
            emit menu->aboutToShow();  // as it is opened, to fill in what it lists now
            for (QAction* item : menu->actions()) {
                if (!item->isSeparator() && !item->menu())
                    actions.push_back(On(item, 8.0 / double(menu->actions().size())));
            }
        }
        // Windows of their own, such as the guide, closed now and then.
        actions.push_back({"close the other windows", 1, "", [this] {
                               for (QWidget* other : QApplication::topLevelWidgets()) {
                                   if (other != window_.get())
                                       other->close();
                               }
                           }});
        return actions;
    }

    // One action on the window or a dialog, chosen at random.
    void Act(QWidget& target)
    {
        if (Finished())
            return;
        const std::vector<Action> actions = ActionsOn(target);
        std::vector<double> weights;
        for (const Action& action : actions)
            weights.push_back(action.weight);
        Do(actions[std::discrete_distribution<int>(weights.begin(), weights.end())(dice_)]);
    }

    // One action: logged, caught and checked.
    void Do(const Action& action)
    {
        if (Failed())
            return;
        Note(QStringLiteral("#%1 ").arg(++done_) + action.name);
        ++depth_;
        asks_.push_back(action.asks);
        // A window command that changes the system other than by a run refreshes the lists;
        // in a dialog, the command that opened it does.
        const bool command = driven_.empty();
        const QStringList before = Members();
        const std::int64_t stepsBefore = steps_;
        QTimer::singleShot(0, &timers_, [this] { DriveDialog(); });
        try {
            action.act();
            Check(command && steps_ == stepsBefore && Members() != before);
        } catch (const std::exception& error) {
            Fail("an exception escaped: " + QString::fromLocal8Bit(error.what()));
        }
        while (!budgets_.empty() && budgets_.back().first >= depth_)
            budgets_.pop_back();
        asks_.pop_back();
        --depth_;
    }

    void Check(bool changedByCommand)
    {
        QString problem = qtWarnings.isEmpty() ? "" : "Qt warned: " + qtWarnings.join(" | ");
        const auto finite = [](const Vector& v) {
            return std::isfinite(v.XComp) && std::isfinite(v.YComp) && std::isfinite(v.ZComp);
        };
        for (const Planet& body : globals_->CurrentSystem ? *globals_->CurrentSystem : none_) {
            bool sound = std::isfinite(body.Mass) && std::isfinite(body.Diameter)
                         && finite(body.Position) && finite(body.Velocity);
            // Between actions the recorded positions too.
            for (int i = 1; sound && depth_ == 1 && i <= body.History.Count(); ++i)
                sound = finite(body.History.Item(i));
            if (!sound && problem.isEmpty())
                problem = QString::fromStdString(body.PlanetName) + " is no longer finite";
        }
        for (auto& [name, known] : files_) {
            const std::optional<QByteArray> now = Contents(folder_.filePath(name));
            if (now != known && problem.isEmpty())
                problem = SavedFileProblem(name, now);
            known = now;
        }
        if (problem.isEmpty() && !Closed())
            problem = ListsProblem(changedByCommand);
        if (!problem.isEmpty())
            Fail(problem);
    }

    // A file the program wrote must load without a word, as the system it holds.
    QString SavedFileProblem(const QString& name, const std::optional<QByteArray>& saved)
    {
        Globals loaded;
        ScriptedDialogService quiet;
        RecordingCentreList centres;
        LoadSystem(loaded, quiet, centres, folder_.filePath(name));
        ++loadedBack_;
        const QStringList kept = Kept(globals_->CurrentSystem.get());
        const QStringList back = Kept(loaded.CurrentSystem.get());
        // A file without bodies loads nothing, not even its date.
        if (saved && quiet.Calls.empty() && back == kept
            && (kept.isEmpty() || SystemFileContents(loaded) == *saved))
            return {};
        return name + " as saved: [" + kept.join(", ") + "] loads back as [" + back.join(", ")
               + "] " + (saved ? quiet.MessageTexts().join(" | ") : "the file has gone");
    }

    // What a file keeps of each body; bodies whose names fold alike share one section.
    QStringList Kept(const Planets* system) const
    {
        QStringList names;
        std::map<QString, QStringList> sections;
        for (const Planet& body : system ? *system : none_) {
            const Planet* parent = system->FindById(body.Parent);
            names << QString::fromStdString(body.PlanetName);
            QStringList& values = sections[names.back().toCaseFolded()] = {
                parent ? QString::fromStdString(parent->PlanetName) : "-",
                QString::number(body.HiColor), QString::number(body.LoColor),
                QString::number(body.Lightweight), QString::number(body.Locked)};
            for (double value : {double(body.Mass), body.Diameter, body.Position.XComp, body.Position.YComp,
                                 body.Position.ZComp, body.Velocity.XComp, body.Velocity.YComp,
                                 body.Velocity.ZComp})
                values << SciFormat(value);
        }
        for (QString& name : names)
            name += ": " + sections[name.toCaseFolded()].join(' ');
        return names;
    }

    QString ListsProblem(bool changedByCommand) const
    {
        const auto* centres = window_->findChild<QComboBox*>("cboCentre");
        QStringList listed, items;
        for (int i = 1; i < centres->count(); ++i)
            listed << Entry(centres->itemText(i), Planet::KeyOf(centres->itemData(i).toInt()));
        // A menu doubles an "&" to show it.
        for (const QAction* item : window_->findChild<QMenu*>("mnuReportsBodies")->actions())
            items << (item->isEnabled() ? Entry(QString(item->text()).replace("&&", "&"),
                                                item->data().toString().toStdString())
                                        : "-");
        if (centres->itemText(0) != "Grid Origin" || centres->itemData(0) != -1
            || items != (listed.isEmpty() ? QStringList{"-"} : listed)
            || (changedByCommand && (listed != Members() || centres->currentIndex() != 0)))
            return QStringLiteral("the centre list [%1] at %2, Reports > Bodies [%3], system [%4]")
                .arg(centres->itemText(0) + ", " + listed.join(", ")).arg(centres->currentIndex())
                .arg(items.join(", "), Members().join(", "));
        return {};
    }

    QStringList Members() const
    {
        QStringList members;
        for (const Planet& body : globals_->CurrentSystem ? *globals_->CurrentSystem : none_)
            members << Entry(QString::fromStdString(body.PlanetName), body.GetKey());
        return members;
    }

    // Drives the modal dialog that waits for the user, from inside its exec().
    void DriveDialog()
    {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog || std::find(driven_.begin(), driven_.end(), dialog) != driven_.end())
            return;
        driven_.push_back(dialog);
        Note("in " + dialog->windowTitle());
        if (dialog->inherits("QMessageBox") || dialog->inherits("QFileDialog")
            || dialog->inherits("QInputDialog") || dialog->inherits("QColorDialog"))
            Fail("a dialog the dialog service does not answer: " + dialog->windowTitle());
        for (int count = 1 + Below(dice_, 12); count > 0 && dialog->isVisible(); --count)
            Act(*dialog);
        // Left mostly by its default button or Done, else by the frame; after a fault too.
        QList<QPushButton*> finish = dialog->findChildren<QPushButton*>();
        finish.removeIf([](auto* b) { return !b->isDefault() && b->text() != "Done"; });
        if (dialog->isVisible() && !finish.isEmpty() && Chance(dice_, 0.8))
            Do(On(finish.front(), 0));
        if (dialog->isVisible())
            Do({"close by the window frame", 0, "", [dialog] { dialog->close(); }});
        if (dialog->isVisible())
            dialog->close();
        driven_.pop_back();
    }

    // After each step of a run but the last, and with no steps while the run waits paused: it
    // waits for an event, and one comes that acts on it.
    void InRun(std::int64_t steps)
    {
        steps_ += steps > 0;
        runs_ += steps == 1;
        // Short runs, and runs long enough to plot and record trails at the usual settings.
        if (steps == 1)
            budgets_.emplace_back(depth_, 1 + Below(dice_, Chance(dice_, 0.5) ? 50 : 600));
        if (Failed() || Closed() || (steps > 0 && globals_->StopRequested))
            return;
        if (done_ >= total_ || (steps ? steps >= budgets_.back().second : Chance(dice_, 0.05)))
            Click("butStop");
        else if (!steps && Chance(dice_, 0.3))
            Click("butPause");
        else if (!steps || Chance(dice_, 0.05))
            Act(*window_);
        if (!Failed() && !Closed() && window_->Running() && window_->Paused())
            QTimer::singleShot(0, &timers_, [this] { InRun(0); });
    }

    void Click(const char* button) { Do(On(window_->findChild<QAbstractButton*>(button), 0)); }

    // A question that the action in progress does not ask is a fault; it is answered all the same.
    void MayAsk(char question, const QString& what)
    {
        if (asks_.empty() || !(asks_.back().contains('*') || asks_.back().contains(question)))
            Fail("the program asked what the action does not ask: " + what);
    }

    Button MessageBox(const QString& text, const QString& title, Icon icon, Buttons ok) override
    {
        if (ok == Buttons::YesNo) {
            MayAsk('Y', title + ": " + text);
            YesNoAnswers.push_back(Chance(dice_, 0.5) ? Button::Yes : Button::No);
            Note(title + (YesNoAnswers.back() == Button::Yes ? ": Yes" : ": No"));
        }
        return ScriptedDialogService::MessageBox(text, title, icon, ok);
    }

    QString InputBox(const QString& prompt, const QString& title, const QString& proposed) override
    {
        MayAsk('I', title + ": " + prompt);
        InputAnswers.push_back(Chance(dice_, 0.8) ? TextFor(dice_, "Name") : QString());
        Note(title + ": " + Shown(InputAnswers.back()));
        return ScriptedDialogService::InputBox(prompt, title, proposed);
    }

    FileDialogResult ShowOpen(FileDialog& dialog) override { return ShowFile(dialog, false); }
    FileDialogResult ShowSave(FileDialog& dialog) override { return ShowFile(dialog, true); }

    FileDialogResult ShowFile(FileDialog& dialog, bool saving)
    {
        MayAsk(saving ? 'S' : 'O', "a file dialog");
        FileAnswers.push_back(FileAnswerFor(saving));
        return saving ? ScriptedDialogService::ShowSave(dialog)
                      : ScriptedDialogService::ShowOpen(dialog);
    }

    std::optional<Colour> ChooseColour() override
    {
        MayAsk('C', "a colour");
        const auto colour = std::optional(Colour(Below(dice_, 1 << 24)));
        ColourAnswers.push_back(Chance(dice_, 0.2) ? std::nullopt : colour);
        Note(QStringLiteral("colour %1").arg(ColourAnswers.back().value_or(-1)));
        return ScriptedDialogService::ChooseColour();
    }

    // By the roll of a twenty-sided die: Cancel, the dialog Fails, an Unusable file, an Example,
    // a Saved slot, a Garbled file; an example or a garbled file to open is written afresh.
    FileAnswer FileAnswerFor(bool saving)
    {
        const auto example = std::next(examples_.begin(), Below(dice_, int(examples_.size())));
        const QByteArray saved = Contents(folder_.filePath(Pick(dice_, Saved))).value_or("");
        QString name = Pick(dice_, Garbles);
        QByteArray contents = Garbled(dice_, Chance(dice_, 0.3) ? saved : example.value());
        const char roll = (saving ? "CCCFUUEGSSSSSSSSSSSS" : "CFUUEEEEEESSSSGGGGGG")[dice_() % 20];
        if (roll == 'U')
            name = Unusable[Below(dice_, saving ? 2 : 3)];
        if (roll == 'E')
            std::tie(name, contents) = std::pair(example.key(), example.value());
        if (roll == 'S')
            name = Pick(dice_, Saved);
        Note(roll == 'C' ? "cancel" : roll == 'F' ? "the dialog fails" : "choose " + name);
        if (roll == 'C' || roll == 'F')
            return {roll == 'C' ? FileDialogOutcome::Cancelled : FileDialogOutcome::Failed, {},
                    "Device unavailable", 68};
        QFile file(folder_.filePath(name));
        if (!saving && (roll == 'E' || roll == 'G') && file.open(QIODevice::WriteOnly))
            file.write(contents);
        file.close();
        files_[name] = Contents(file.fileName());
        return FileAnswer::Choose(file.fileName());
    }

    // A line of the log, under the action it comes from: an action, an answer, a dialog.
    void Note(const QString& line)
    {
        log_ << QString(2 * depth_, ' ') + line;
        if (trace_)
            std::cerr << log_.back().toStdString() << std::endl;
        if (log_.size() > 40)
            log_.removeFirst();
    }

    void Fail(const QString& problem)
    {
        if (Failed())
            return;
        failure_ = problem;
        // Everything nested, dialogs and runs, ends at once when the window closes.
        if (!Closed())
            window_->close();
    }

    bool Failed() const { return !failure_.isEmpty(); }
    bool Closed() const { return !window_ || !window_->isVisible(); }
    bool Finished() const { return Failed() || Closed() || done_ >= total_; }

    Dice dice_;
    const int total_;
    const bool trace_;
    QTemporaryDir folder_;
    QMap<QString, QByteArray> examples_;                  // name, pristine contents
    std::map<QString, std::optional<QByteArray>> files_;  // name, contents at the last look
    std::unique_ptr<Globals> globals_;
    std::unique_ptr<frmMain> window_;
    IdentityCounter noIds_;
    const Planets none_{noIds_};  // the system while there is none
    QObject timers_;              // owns the posted calls, so that none outlives the monkey
    QtMessageHandler previousHandler_ = nullptr;
    int done_ = 0, depth_ = 0, runs_ = 0, loadedBack_ = 0;  // depth_: actions in progress
    std::vector<QString> asks_;     // what those in progress may ask, innermost last
    std::vector<QWidget*> driven_;  // the dialogs being driven, innermost last
    // The runs in progress: the depth of the action that started each, and its length in steps.
    std::vector<std::pair<int, std::int64_t>> budgets_;
    QStringList log_;  // the last lines
    QString failure_;
    std::int64_t steps_ = 0;
};

void RunTheMonkey()
{
    const auto setting = [](const char* name, unsigned otherwise) {
        return qEnvironmentVariableIsEmpty(name) ? otherwise : qgetenv(name).toUInt();
    };
    const std::uint32_t seed = setting("KOSMOLUX_MONKEY_SEED", 20240613);
    const int actions = int(setting("KOSMOLUX_MONKEY_ACTIONS", 500));
    // Printed first, so that a crash can be repeated too.
    std::cout << "monkey: seed " << seed << ", " << actions << " actions" << std::endl;
    const QString report = Monkey(seed, actions, setting("KOSMOLUX_MONKEY_TRACE", 0)).Run();
    EXPECT_TRUE(report.isEmpty()) << "Repeat with KOSMOLUX_MONKEY_SEED=" << seed
                                  << " KOSMOLUX_MONKEY_ACTIONS=" << actions
                                  << " KOSMOLUX_MONKEY_TRACE=1.\n" << report.toStdString();
}

TEST(Monkey, RandomActionsLeaveTheProgramSound)
{
    RunTheMonkey();
}

// In German the comma separates decimals and the point groups thousands, in the files too.
TEST(Monkey, RandomActionsLeaveTheProgramSoundInGerman)
{
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    RunTheMonkey();
    QLocale::setDefault(previous);
}

}  // namespace
}  // namespace kosmolux::monkey
