#include "ui/monkey/monkey.h"

#include <exception>
#include <iostream>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

#include "ui/monkey/systemchecks.h"

namespace kosmolux::monkey {

namespace {

// How many of the last actions the report shows.
constexpr std::size_t LoggedActions = 40;

// What Qt warned about while the monkey acted: a warning is a fault too.
QStringList qtWarnings;

void CollectWarnings(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    // The headless platform says so for what it leaves out, such as window sizes.
    if (type != QtDebugMsg && type != QtInfoMsg
        && !message.startsWith(QStringLiteral("This plugin does not support")))
        qtWarnings << message;
}

}  // namespace

Monkey::Monkey(std::uint32_t seed, int actions, const QString& examplesFolder, bool trace)
    : engine_(seed),
      input_(engine_),
      files_(folder_.path(), examplesFolder, input_),
      seed_(seed),
      total_(actions),
      trace_(trace)
{
    qtWarnings.clear();
    previousHandler_ = qInstallMessageHandler(CollectWarnings);
}

Monkey::~Monkey()
{
    window_.reset();
    qInstallMessageHandler(previousHandler_);
}

QString Monkey::Run()
{
    if (files_.ExampleCount() == 0)
        return QStringLiteral("The monkey found no example systems to load.");
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, &timers_, [this] { Watch(); });
    watch.start(2000);
    while (done_ < total_ && !Failed()) {
        if (!window_ || closed_) {
            OpenWindow();
            continue;
        }
        Act();
        if (!Failed() && !closed_)
            CheckWhileIdle();
        for (const ScriptedDialogService::Call& call :
             dialogs_.CallsOf(ScriptedDialogService::Kind::Message))
            ++tally_.messages[call.title];
        dialogs_.Calls.clear();
    }
    return Failed() ? Report() : QString();
}

void Monkey::OpenWindow()
{
    // A fresh program: the old window and its state go first.
    window_.reset();
    globals_ = std::make_unique<Globals>();
    globals_->ProgramFolder = folder_.path();
    globals_->Random = std::make_unique<SeededRandom>(engine_());
    const QString commandLine = files_.StartupCommandLine();
    Perform([&] {
        Record(commandLine.isEmpty()
                   ? QStringLiteral("start the program")
                   : QStringLiteral("start the program with ") + QFileInfo(commandLine).fileName());
        closed_ = false;
        ++tally_.windows;
        window_ = std::make_unique<frmMain>(*globals_, dialogs_, commandLine);
        window_->StepFinished = [this](std::int64_t steps) { OnStep(steps); };
        window_->show();
        CheckAfterRefresh();
    });
}

void Monkey::Perform(const std::function<void()>& action)
{
    if (Failed())
        return;
    ++depth_;
    try {
        action();
        CheckAfterAction();
    } catch (const std::exception& error) {
        // The scripted dialog service throws when the program asks a question nobody queued an
        // answer for.
        const QString what = QString::fromLocal8Bit(error.what());
        Fail(what.startsWith(QStringLiteral("ScriptedDialogService"))
                 ? QStringLiteral("the program asked a question the monkey did not expect: ") + what
                 : QStringLiteral("an exception escaped: ") + what);
    } catch (...) {
        Fail(QStringLiteral("an exception of unknown type escaped"));
    }
    --depth_;
    KeepPausedRunGoing();
}

void Monkey::Record(const QString& what)
{
    ++done_;
    QString line = QStringLiteral("#%1 ").arg(done_);
    if (!where_.empty())
        line += QStringLiteral("[")
                + QStringList(where_.begin(), where_.end()).join(QStringLiteral(" > "))
                + QStringLiteral("] ");
    line += what;
    if (trace_)
        std::cerr << line.toStdString() << std::endl;
    log_.push_back(line);
    if (log_.size() > LoggedActions)
        log_.pop_front();
}

void Monkey::Fail(const QString& problem)
{
    if (Failed())
        return;
    failure_ = problem;
    // Everything nested (dialogs, runs) ends at once when the window closes.
    if (window_ && !closed_) {
        closed_ = true;
        window_->close();
    }
}

bool Monkey::Finished() const
{
    return Failed() || closed_ || done_ >= total_;
}

void Monkey::CheckAfterAction()
{
    CheckAnswersUsed(true);
    QString problem;
    if (!qtWarnings.isEmpty())
        problem = QStringLiteral("Qt warned: ") + qtWarnings.join(QStringLiteral(" | "));
    else
        problem = NonFiniteProblem(globals_->CurrentSystem.get(), false);
    if (problem.isEmpty())
        problem = files_.CheckSavedFiles(*globals_);
    if (problem.isEmpty() && !closed_) {
        problem =
            ListsAgreeProblem(*Child<QComboBox>("cboCentre"), *Child<QMenu>("mnuReportsBodies"));
        const QString pause =
            window_->Paused() ? QStringLiteral("Resume") : QStringLiteral("Pause");
        if (problem.isEmpty() && Child<QPushButton>("butPause")->text() != pause)
            problem =
                QStringLiteral("the run is%1 paused but the Pause button reads '%2'")
                    .arg(window_->Paused() ? "" : " not", Child<QPushButton>("butPause")->text());
    }
    if (!problem.isEmpty())
        Fail(problem);
}

void Monkey::CheckAnswersUsed(bool exact)
{
    // A closed window asks nothing more.
    if (exact && !closed_
        && (!dialogs_.YesNoAnswers.empty() || !dialogs_.InputAnswers.empty()
            || !dialogs_.FileAnswers.empty() || !dialogs_.ColourAnswers.empty()))
        Fail(QStringLiteral("the program did not ask every question it was expected to ask "
                            "(answers left: %1 yes/no, %2 input, %3 file, %4 colour)")
                 .arg(dialogs_.YesNoAnswers.size())
                 .arg(dialogs_.InputAnswers.size())
                 .arg(dialogs_.FileAnswers.size())
                 .arg(dialogs_.ColourAnswers.size()));
    // Answers left over belong to this action only.
    dialogs_.YesNoAnswers.clear();
    dialogs_.InputAnswers.clear();
    dialogs_.FileAnswers.clear();
    dialogs_.ColourAnswers.clear();
}

void Monkey::Watch()
{
    // Something waits for the user when no action was done since the last look.
    const bool idle = done_ == doneAtLastWatch_;
    doneAtLastWatch_ = done_;
    const QWidget* dialog = QApplication::activeModalWidget();
    if (idle && dialog && dialog == waitingDialog_)
        Fail(QStringLiteral("the dialog '%1' waits for the user, and nothing drives it")
                 .arg(dialog->windowTitle()));
    waitingDialog_ = dialog;
    const bool runWaits = window_ && !closed_ && window_->Running() && window_->Paused()
                          && !continuationPosted_ && !runs_.empty() && depth_ == runs_.back().depth;
    if (idle && runWaits && runWaitedAtLastWatch_)
        Fail(QStringLiteral("a paused run waits, and nothing acts on it"));
    runWaitedAtLastWatch_ = runWaits;
}

void Monkey::CheckAfterRefresh()
{
    if (closed_ || Failed())
        return;
    const QString problem =
        ListsMatchSystemProblem(*Child<QComboBox>("cboCentre"), *Child<QMenu>("mnuReportsBodies"),
                                globals_->CurrentSystem.get());
    if (!problem.isEmpty())
        Fail(problem);
}

void Monkey::CheckWhileIdle()
{
    QString problem = NonFiniteProblem(globals_->CurrentSystem.get(), true);
    if (problem.isEmpty()
        && (window_->Running() || !Child<QPushButton>("butSimulate")->isEnabled()
            || Child<QPushButton>("butStop")->isEnabled()
            || Child<QPushButton>("butPause")->isEnabled()))
        problem = QStringLiteral(
            "no run is in progress, but Start, Pause and Stop are not as before a run");
    if (problem.isEmpty()) {
        const QString stray = files_.StrayFiles();
        if (!stray.isEmpty())
            problem = QStringLiteral("files nobody asked for in the program's folder: ") + stray;
    }
    if (!problem.isEmpty())
        Fail(problem);
}

QStringList Monkey::Lists() const
{
    QStringList entries;
    const auto* centres = Child<QComboBox>("cboCentre");
    for (int i = 0; i < centres->count(); ++i)
        entries << centres->itemText(i) + u'|' + centres->itemData(i).toString();
    for (const QAction* item : Child<QMenu>("mnuReportsBodies")->actions())
        entries << item->text() + u'|' + item->data().toString()
                       + (item->isEnabled() ? "" : "|disabled");
    return entries;
}

QString Monkey::Report() const
{
    QString report = QStringLiteral(
                         "The monkey found a fault at action %1 of %2 (seed %3; repeat with "
                         "KOSMOLUX_MONKEY_SEED=%3 KOSMOLUX_MONKEY_ACTIONS=%2, and "
                         "KOSMOLUX_MONKEY_TRACE=1 to see every action):\n  %4\nThe last actions:\n")
                         .arg(done_)
                         .arg(total_)
                         .arg(seed_)
                         .arg(failure_);
    for (const QString& line : log_)
        report += QStringLiteral("  ") + line + u'\n';
    return report;
}

QString Monkey::Summary() const
{
    QString summary =
        QStringLiteral(
            "%1 actions, %2 windows, %3 runs with %4 steps in all, %5 saved files loaded back")
            .arg(done_)
            .arg(tally_.windows)
            .arg(tally_.runs)
            .arg(tally_.steps)
            .arg(files_.FilesLoadedBack());
    for (const auto& [title, count] : tally_.messages)
        summary += QStringLiteral(", %1 '%2'").arg(count).arg(title);
    return summary;
}

void Monkey::Click(const char* button) const
{
    Child<QAbstractButton>(button)->click();
}

void Monkey::Trigger(const char* menuItem) const
{
    Child<QAction>(menuItem)->trigger();
}

}  // namespace kosmolux::monkey
