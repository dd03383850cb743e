#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include <QDialog>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include "platform/scripteddialogservice.h"
#include "storage/globals.h"
#include "ui/main/frmmain.h"
#include "ui/monkey/monkeyfiles.h"
#include "ui/monkey/monkeyinput.h"

namespace kosmolux {
class frmAbout;
class frmEdit;
class frmNewBody;
class frmPickDate;
}  // namespace kosmolux

namespace kosmolux::monkey {

// A user who does anything at all, at random: menu commands, buttons, centre
// choices and zooms, runs started, paused and stopped with commands between
// their steps, bodies generated, edited, renamed and deleted, examples and
// garbled files loaded, systems saved, the program closed and started again.
// Every dialog is answered through the scripted dialog service, with exactly
// the answers the action will ask for. After every action the program must
// still be sound: no exception escaped, every value finite, the centre list
// and Reports > Bodies in step (and after a refresh, with the system), every
// file the program saved loading back as the system it saved, no question
// left unasked and no warning from Qt.
class Monkey {
public:
    Monkey(std::uint32_t seed, int actions, const QString& examplesFolder, bool trace);
    ~Monkey();
    Monkey(const Monkey&) = delete;
    Monkey& operator=(const Monkey&) = delete;

    // Acts until every action is done or something is wrong. Returns the
    // report of the first fault, with the seed and the last actions, or an
    // empty text.
    QString Run();
    int ActionsDone() const { return done_; }
    // What the actions came to: windows, runs, steps, saved files loaded
    // back, and the message boxes shown, by title.
    QString Summary() const;

private:
    using Handler = void (Monkey::*)();
    struct Action {
        Handler handler;
        int weight;
    };
    // A run in progress, started by the action at this depth, that ends after this many steps.
    struct ActiveRun {
        int depth;
        std::int64_t budget;
        bool exactAnswers;  // Start asked exactly the questions queued for it
        bool stepped;       // the first step is done
    };
    // Runs and dialogs nest actions in actions; this deep, the monkey only lets runs end.
    static constexpr int MaxDepth = 6;

    // ---- Acting and checking (monkey.cpp) ----
    void OpenWindow();
    // One action of the main window, chosen at random, and the checks after it.
    void Act();
    // Runs an action that records itself, catches what escapes it, and checks.
    void Perform(const std::function<void()>& action);
    // Counts an action and adds it to the log.
    void Record(const QString& what);
    void Fail(const QString& problem);
    // Nothing more to do: a fault was found, the budget is spent, or the window closed.
    bool Finished() const;
    bool Failed() const { return !failure_.isEmpty(); }
    void CheckAfterAction();
    // Answers queued for questions the program did not ask are a fault when
    // the questions were sure to come.
    void CheckAnswersUsed(bool exact);
    // Every two seconds: a dialog or a paused run that has waited since the
    // last look, with no action done in between.
    void Watch();
    void CheckAfterRefresh();
    void CheckWhileIdle();
    QStringList Lists() const;
    QString Report() const;

    template <typename T>
    T* Child(const char* name) const;
    void Click(const char* button) const;
    void Trigger(const char* menuItem) const;

    // ---- Main window actions (monkey_actions.cpp) ----
    void NewSystem();
    void LoadSystemCommand();
    void SaveSystemCommand();
    void SaveSystemAs();
    void Exit();
    void CloseByFrame();
    void ModifySystem();
    void AddNewBody();
    void SetStartDate();
    void ReportSystem();
    void ReportBody();
    void HelpContents();
    void HelpAbout();
    void Start();
    void Pause();
    void Stop();
    void ZoomPlus();
    void ZoomMinus();
    void ZoomFar();
    void AllPlanes();
    void XYPlane();
    void XZPlane();
    void ZYPlane();
    void Label();
    void Clear();
    void Redraw();
    void ShowTrails();
    void ChooseCentre();
    void SpeedPlus();
    void SpeedMinus();
    void PlotPlus();
    void PlotMinus();
    void ClickButton(const char* button, const QString& caption);
    void QueueOpen(QString& asked);

    // ---- Runs (monkey_actions.cpp) ----
    void OnStep(std::int64_t steps);
    void ContinuePaused();
    // A paused run waits for events: make sure one comes that acts on it.
    void KeepPausedRunGoing();

    // ---- Dialogs (monkey_dialogs.cpp) ----
    // Runs a command that opens a modal dialog and drives the dialog from inside its wait.
    void OpenDialog(const std::function<void()>& command, bool saveAsFollows);
    void DriveDialog(int token, bool saveAsFollows);
    void DriveGenerator(frmNewBody& dialog);
    void DriveEditor(frmEdit& dialog);
    void DriveDatePicker(frmPickDate& dialog);
    void DriveAbout(frmAbout& dialog);
    // One action inside a dialog: recorded, caught and checked like the window's.
    void InDialog(const QString& what, const std::function<void()>& action);
    void GeneratorStep(QDialog& dialog);
    void AcceptBody(QDialog& dialog);
    void EditorStep(QDialog& dialog);
    void TypeInto(QDialog& dialog, const char* box, const QString& text);
    void Choose(QDialog& dialog, const char* list);
    void ChooseColour(QDialog& dialog, const char* swatch);
    void CloseMainWindowFromDialog();
    void ClickIn(QDialog& dialog, const char* button);
    // A click on a button of the dialog, as one action.
    void Press(QDialog& dialog, const char* button, const QString& caption);

    std::mt19937 engine_;
    MonkeyInput input_;
    QTemporaryDir folder_;
    MonkeyFiles files_;
    ScriptedDialogService dialogs_;
    std::unique_ptr<Globals> globals_;
    std::unique_ptr<frmMain> window_;
    // Owns the monkey's posted calls, so that none outlives it.
    QObject timers_;

    QtMessageHandler previousHandler_ = nullptr;

    const std::uint32_t seed_;
    const int total_;
    const bool trace_;
    int done_ = 0;
    bool closed_ = false;  // the window was closed; a new one opens at the top
    int depth_ = 0;        // actions in progress, nested in runs and dialogs
    std::vector<ActiveRun> runs_;
    std::vector<int> openDialogs_;  // tokens of the dialogs being opened, innermost last
    int lastDialogToken_ = 0;
    bool continuationPosted_ = false;
    // What the watch saw last time.
    int doneAtLastWatch_ = 0;
    const QWidget* waitingDialog_ = nullptr;
    bool runWaitedAtLastWatch_ = false;
    std::vector<QString> where_;  // what the actions in progress are inside of
    std::deque<QString> log_;     // the last actions
    QString failure_;
    struct Tally {
        int windows = 0;
        int runs = 0;
        std::int64_t steps = 0;
        std::map<QString, int> messages;  // message box title, how many
    } tally_;
};

template <typename T>
T* Monkey::Child(const char* name) const
{
    T* found = window_->findChild<T*>(QString::fromLatin1(name));
    if (!found)
        throw std::logic_error(std::string("the main window has no control ") + name);
    return found;
}

}  // namespace kosmolux::monkey
