// The menu commands of the main window: new, load and save systems, the body
// generator and editor, the start date, the reports, About and help.
//
// They run between two steps of a run, or while it waits paused. A run goes
// on with the system as a command leaves it: the run loop holds the one
// current system, which a command empties and refills but never replaces.
#include "ui/main/frmmain.h"

#include <cstdint>

#include <QAction>
#include <QLabel>
#include <QPlainTextEdit>

#include "ui/dialogs/frmabout.h"
#include "ui/dialogs/frmpickdate.h"
// The help viewer's header needs the help window's declared before it.
#include "ui/dialogs/helpwindow.h"
#include "ui/dialogs/helpviewer.h"
#include "ui/editor/frmedit.h"
#include "ui/generator/frmnewbody.h"
#include "ui/main/reports.h"
#include "ui/main/usersettings.h"

namespace kosmolux {

bool frmMain::FileChosen(const FileDialogResult& result, const QString& title)
{
    if (result.Outcome == FileDialogOutcome::Failed) {
        dialogs_.MessageBox(result.ErrorDescription + QStringLiteral(": ")
                                + QString::number(result.ErrorNumber),
                            title, DialogService::Icon::None, DialogService::Buttons::Ok);
    }
    return result.Outcome == FileDialogOutcome::Chosen;
}

void frmMain::mnuFileNewSystem_Click()
{
    // A run in progress is not paused: it goes on with the bodies built here.
    Planets& system = globals_.EnsureSystem();
    system.SystemName = "<NEW>";
    system.Clear();
    frmNewBody generator(globals_, dialogs_, this);
    generator.exec();
    if (closing_)
        return;
    mnuFileSaveAs_Click();
    RefreshAfterChange(SummaryHeader::SystemName);
    globals_.SystemAltered = false;
}

void frmMain::mnuFileLoad_Click()
{
    const QString currentFile = commonDialog1_.FileName;
    commonDialog1_.Flags = FileDialog::FileMustExist;
    if (!FileChosen(dialogs_.ShowOpen(commonDialog1_), QStringLiteral("File Load")))
        return;
    LoadChosenFile(currentFile);
}

void frmMain::LoadChosenFile(const QString& currentFile)
{
    const Planets* before = globals_.CurrentSystem.get();
    const std::uint64_t revisionBefore = before ? before->Revision() : 0;
    bool complete = true;
    if (!commonDialog1_.FileName.isEmpty())
        complete = LoadSystem(globals_, dialogs_, *this, commonDialog1_.FileName);
    // A file that held no system leaves everything as it was, the current
    // file included: Save must not write the system over a file that was
    // never its own. The system, once created, is never replaced.
    const Planets* after = globals_.CurrentSystem.get();
    if (!after || (after == before && after->Revision() == revisionBefore)) {
        commonDialog1_.FileName = currentFile;
        return;
    }
    // Bodies read up to an error, or with values that could not be read, are
    // not the file: Save must not write them over it without asking.
    saveNeedsName_ = !complete;
    RefreshAfterChange(SummaryHeader::SystemName);
    globals_.SystemAltered = false;
    AddRecentSystem(commonDialog1_.FileName);
}

void frmMain::mnuFileSave_Click()
{
    if (saveNeedsName_)
        mnuFileSaveAs_Click();
    else if (!commonDialog1_.FileName.isEmpty() && SaveSystem(globals_, dialogs_, commonDialog1_.FileName))
        AddRecentSystem(commonDialog1_.FileName);
}

void frmMain::mnuFileSaveAs_Click()
{
    commonDialog1_.Flags = FileDialog::OverwritePrompt | FileDialog::PathMustExist;
    if (!FileChosen(dialogs_.ShowSave(commonDialog1_), QStringLiteral("Save As")))
        return;
    if (!commonDialog1_.FileName.isEmpty() && SaveSystem(globals_, dialogs_, commonDialog1_.FileName)) {
        saveNeedsName_ = false;
        AddRecentSystem(commonDialog1_.FileName);
    }
}

void frmMain::mnuEditAdd_Click()
{
    SetPaused(true);
    frmNewBody generator(globals_, dialogs_, this);
    EditSystemIn(generator);
}

void frmMain::mnuEditBodies_Click()
{
    SetPaused(true);
    frmEdit editor(globals_, dialogs_, this);
    EditSystemIn(editor);
}

void frmMain::EditSystemIn(QDialog& dialog)
{
    // The run stays paused: the user resumes it.
    dialog.exec();
    if (closing_)
        return;
    mnuFileSaveAs_Click();
    RefreshAfterChange(SummaryHeader::FileName);
}

void frmMain::mnuEditDate_Click()
{
    frmPickDate picker(globals_, dialogs_, this);
    picker.exec();
}

void frmMain::mnuReportsSystem_Click()
{
    // The centre list stays as it is.
    const Planets* system = globals_.CurrentSystem.get();
    txtInfo_->setPlainText(system ? SystemSummary(SystemNameHeader(*system), system)
                                  : NoSystemText());
}

void frmMain::mnuReportsBody_Click(int index)
{
    SetPaused(true);
    const QAction* item = mnuReportsBody_.value(index);
    if (!item)
        return;
    // The caption doubles every "&" of the name.
    const QString name = QString(item->text()).replace(QStringLiteral("&&"), QStringLiteral("&"));
    txtInfo_->setPlainText(BodyReport(globals_.CurrentSystem.get(),
                                      item->data().toString().toStdString(), name, labDays_->text()));
}

void frmMain::mnuHelpContents_Click()
{
    helpViewer_->ShowHelp();
}

void frmMain::mnuHelpAbout_Click()
{
    frmAbout about(this);
    about.exec();
}

}  // namespace kosmolux
