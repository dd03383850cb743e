#include "ui/main/frmmain.h"

#include <algorithm>
#include <cerrno>
#include <exception>

#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialog>
#include <QFileInfo>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>

#include "engine/runsettings.h"
#include "kosmolux_version.h"
#include "platform/installpaths.h"
#include "platform/textformats.h"
#include "storage/diskfile.h"
#include "ui/dialogs/helpviewer.h"
#include "ui/dialogs/helpwindow.h"
#include "ui/dialogs/programicon.h"
#include "ui/main/mainlayout.h"
#include "ui/main/plotplane.h"
#include "ui/main/reports.h"
#include "ui/main/usersettings.h"

namespace kosmolux {

namespace {

const QString GridOriginEntry = QStringLiteral("Grid Origin");

// Adding an item to a menu costs Qt a pass over all the items already in it,
// and a big system's thousands of items take long to make. Beyond this many,
// Reports > Bodies makes and takes its items when it is first opened.
constexpr qsizetype BodyItemsAddedAtOnce = 1000;

}  // namespace

frmMain::frmMain(Globals& globals, DialogService& dialogs, const QString& commandLine,
                 QWidget* parent)
    : QMainWindow(parent),
      globals_(globals),
      dialogs_(dialogs),
      helpViewer_(std::make_unique<HelpViewer>(globals.ProgramFolder, dialogs))
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QString::fromLatin1(ProgramTitle));
    setWindowIcon(QIcon(DrawProgramIcon(64)));
    BuildControls();
    BuildMenus();
    ConnectHandlers();
    ConnectInput();
    Form_Load(commandLine);
}

frmMain::~frmMain() = default;

void frmMain::BuildControls()
{
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    // A narrow face small enough for the 16-pixel buttons and the 69-pixel
    // date label of the layout.
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(10);
    client->setFont(font);
    setCentralWidget(client);
    // Every rectangle below is the design's; the layout moves and grows the
    // controls from there when the window is larger.
    mainLayout_ = new MainLayout(client);
    using Anchor = MainLayout::Anchor;

    auto name = [](QWidget* widget, const char* objectName) {
        widget->setObjectName(QString::fromLatin1(objectName));
    };
    auto button = [&](const char* objectName, const char* caption, int left, int top, int width,
                      int height) {
        auto* created = new QPushButton(QString::fromLatin1(caption), client);
        name(created, objectName);
        mainLayout_->Add(created, QRect(left, top, width, height), Anchor::RightColumn);
        return created;
    };
    auto label = [&](const char* objectName, const QString& caption, int left, int top,
                     int width, int height) {
        auto* created = new QLabel(caption, client);
        name(created, objectName);
        mainLayout_->Add(created, QRect(left, top, width, height), Anchor::RightColumn);
        return created;
    };

    // Created before the planes, so that the enlarged planes cover it.
    txtInfo_ = new QPlainTextEdit(client);
    name(txtInfo_, "txtInfo");
    mainLayout_->Add(txtInfo_, QRect(260, 260, 253, 249), Anchor::FreeQuadrant);
    txtInfo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    auto plane = [&](const char* objectName, int left, int top) {
        auto* created = new PlotPlane(client);
        name(created, objectName);
        mainLayout_->Add(created, QRect(left, top, 256, 256), Anchor::Plane);
        return created;
    };
    XYPlane_ = plane("XYPlane", 0, 0);
    ZYPlane_ = plane("ZYPlane", 256, 0);
    XZPlane_ = plane("XZPlane", 0, 256);
    for (std::size_t index = 0; index < Backup_.size(); ++index) {
        Backup_[index] = new PlotPlane(client);
        Backup_[index]->setObjectName(QStringLiteral("Backup%1").arg(index));
        Backup_[index]->Place(QRect(0, 0, 256, 256));
        Backup_[index]->hide();
    }

    labScale_ = new QLabel(QStringLiteral("View width = <not set>"), client);
    name(labScale_, "labScale");
    mainLayout_->Add(labScale_, QRect(0, 512, 265, 17), Anchor::UnderPlanes);
    butSimulate_ = button("butSimulate", "Start", 528, 4, 77, 17);
    butPause_ = button("butPause", "Pause", 528, 28, 77, 17);
    butPause_->setEnabled(false);
    butStop_ = button("butStop", "Stop", 528, 52, 77, 17);
    butStop_->setEnabled(false);
    labDays_ = label("labDays", QStringLiteral("Day: 0"), 532, 76, 69, 17);
    labDate_ = label("labDate", QString(), 532, 96, 69, 17);
    label("Label1_0", QStringLiteral("View Width"), 532, 116, 65, 17);
    butZoomPlus_ = button("butZoomPlus", "+", 532, 136, 29, 16);
    butZoomMinus_ = button("butZoomMinus", "-", 564, 136, 29, 16);
    butAll_ = button("butAll", "All", 532, 164, 61, 16);
    butXY_ = button("butXY", "X-Y Plane", 532, 184, 61, 16);
    butXZ_ = button("butXZ", "X-Z Plane", 532, 204, 61, 16);
    butZY_ = button("butZY", "Z-Y Plane", 532, 224, 61, 16);
    butLabel_ = button("butLabel", "Label", 532, 248, 61, 16);
    butClear_ = button("butClear", "Clear", 532, 268, 61, 16);
    butRedraw_ = button("butRedraw", "Redraw", 532, 288, 61, 16);
    chkTrails_ = new QCheckBox(QStringLiteral("Show Trails"), client);
    name(chkTrails_, "chkTrails");
    mainLayout_->Add(chkTrails_, QRect(524, 308, 85, 21), Anchor::RightColumn);
    chkTrails_->setChecked(true);
    label("Label1_2", QStringLiteral("Centre on:"), 528, 336, 65, 17);
    cboCentre_ = new QComboBox(client);
    name(cboCentre_, "cboCentre");
    mainLayout_->Add(cboCentre_, QRect(528, 352, 81, 22), Anchor::RightColumn);
    label("Label1_3", QStringLiteral("Plot Freq:"), 536, 384, 65, 17);
    butPlotPlus_ = button("butPlotPlus", "+", 536, 404, 29, 16);
    butPlotMinus_ = button("butPlotMinus", "-", 568, 404, 29, 16);
    labPlot_ = label("labPlot", QStringLiteral("quarter day"), 520, 420, 90, 17);
    label("Label1_1", QStringLiteral("Speed:"), 536, 444, 65, 17);
    butSpeedPlus_ = button("butSpeedPlus", "+", 540, 464, 29, 16);
    butSpeedMinus_ = button("butSpeedMinus", "-", 572, 464, 29, 16);
    labInterval_ = label("labInterval", QStringLiteral("Speed: Low"), 524, 480, 90, 17);
    labAccuracy_ = label("labAccuracy", QStringLiteral("Accuracy: High"), 524, 500, 90, 21);

    // Separators between the groups of the right-hand column.
    const int lineTops[] = {113, 158, 244, 331, 378, 440};
    for (int index = 0; index < 6; ++index) {
        auto* line = new QFrame(client);
        line->setObjectName(QStringLiteral("Line%1").arg(index + 1));
        line->setFrameShape(QFrame::HLine);
        line->setFrameShadow(QFrame::Sunken);
        mainLayout_->Add(line, QRect(518, lineTops[index], 92, 3), Anchor::RightColumn);
    }
    // The window opens at the design size, also its smallest; the controls
    // take their places before it is first shown.
    client->resize(MainLayout::DesignSize);
    mainLayout_->activate();

    commonDialog1_.Filter = QStringLiteral("Kosmolux Files|*.kmx|All Files|*.*");
    commonDialog1_.DefaultExt = QStringLiteral("kmx");
    // Until a file is chosen, the dialogs open on the example systems.
    commonDialog1_.InitDir = FindShippedData(globals_.ProgramFolder, QStringLiteral("examples"));

    labelFont_ = QFont(QStringLiteral("Arial"));
    labelFont_.setPixelSize(11);
}

void frmMain::BuildMenus()
{
    auto menu = [&](QMenu* parent, const char* objectName, const char* caption) {
        QMenu* created = parent ? parent->addMenu(QString::fromLatin1(caption))
                                : menuBar()->addMenu(QString::fromLatin1(caption));
        created->setObjectName(QString::fromLatin1(objectName));
        created->menuAction()->setObjectName(QString::fromLatin1(objectName));
        return created;
    };
    auto item = [](QMenu* parent, const char* objectName, const char* caption) {
        QAction* created = parent->addAction(QString::fromLatin1(caption));
        created->setObjectName(QString::fromLatin1(objectName));
        return created;
    };

    QMenu* mnuFile = menu(nullptr, "mnuFile", "&File");
    item(mnuFile, "mnuFileNewSystem", "&New System");
    item(mnuFile, "mnuFileLoad", "&Load System");
    item(mnuFile, "mnuFileSave", "&Save System");
    item(mnuFile, "mnuFileSaveAs", "Save System &As");
    mnuFile->addSeparator()->setObjectName(QStringLiteral("mnuLine1"));
    item(mnuFile, "mnuFileExit", "E&xit");

    QMenu* mnuEdit = menu(nullptr, "mnuEdit", "&Edit");
    item(mnuEdit, "mnuEditBodies", "&Modify System");
    item(mnuEdit, "mnuEditAdd", "&Add New Body");
    item(mnuEdit, "mnuEditDate", "Set Start &Date");
    QMenu* mnuEditMethod = menu(mnuEdit, "mnuEditMethod", "Method");
    mnuEditMethod_ = new QActionGroup(this);
    for (StepMethod method : {StepMethod::Classic, StepMethod::Leapfrog, StepMethod::Yoshida}) {
        const std::string caption(MethodName(method));
        QAction* choice = item(mnuEditMethod, ("mnuEditMethod" + caption).c_str(), caption.c_str());
        choice->setCheckable(true);
        choice->setData(static_cast<int>(method));
        mnuEditMethod_->addAction(choice);
    }

    QMenu* mnuReports = menu(nullptr, "mnuReports", "&Reports");
    item(mnuReports, "mnuReportsSystem", "&System");
    mnuReportsBodies_ = menu(mnuReports, "mnuReportsBodies", "&Bodies");
    QAction* firstBody = item(mnuReportsBodies_, "mnuReportsBody0", "Body1");
    firstBody->setEnabled(false);
    mnuReportsBody_.append(firstBody);
    item(mnuReports, "mnuReportsConservation", "Conservation");
    item(mnuReports, "mnuReportsEnergyPlot", "Energy Plot");

    QMenu* mnuHelp = menu(nullptr, "mnuHelp", "&Help");
    item(mnuHelp, "mnuHelpContents", "&Contents");
    item(mnuHelp, "mnuHelpAbout", "&About Kosmolux");
}

void frmMain::ConnectHandlers()
{
    auto menuItem = [this](const char* name, void (frmMain::*handler)()) {
        connect(findChild<QAction*>(QString::fromLatin1(name)), &QAction::triggered, this, handler);
    };
    menuItem("mnuFileNewSystem", &frmMain::mnuFileNewSystem_Click);
    menuItem("mnuFileLoad", &frmMain::mnuFileLoad_Click);
    menuItem("mnuFileSave", &frmMain::mnuFileSave_Click);
    menuItem("mnuFileSaveAs", &frmMain::mnuFileSaveAs_Click);
    menuItem("mnuFileExit", &frmMain::mnuFileExit_Click);
    menuItem("mnuEditBodies", &frmMain::mnuEditBodies_Click);
    menuItem("mnuEditAdd", &frmMain::mnuEditAdd_Click);
    menuItem("mnuEditDate", &frmMain::mnuEditDate_Click);
    menuItem("mnuReportsSystem", &frmMain::mnuReportsSystem_Click);
    menuItem("mnuReportsConservation", &frmMain::mnuReportsConservation_Click);
    menuItem("mnuReportsEnergyPlot", &frmMain::mnuReportsEnergyPlot_Click);
    connect(mnuEditMethod_, &QActionGroup::triggered, this, &frmMain::mnuEditMethod_Click);
    menuItem("mnuHelpContents", &frmMain::mnuHelpContents_Click);
    menuItem("mnuHelpAbout", &frmMain::mnuHelpAbout_Click);
    // The body items come and go with every rebuild; the submenu stays.
    connect(mnuReportsBodies_, &QMenu::triggered, this,
            [this](QAction* item) { mnuReportsBody_Click(mnuReportsBody_.indexOf(item)); });
    connect(mnuReportsBodies_, &QMenu::aboutToShow, this, &frmMain::AddBodyItemsToMenu);

    connect(butSimulate_, &QPushButton::clicked, this, &frmMain::butSimulate_Click);
    connect(butPause_, &QPushButton::clicked, this, &frmMain::butPause_Click);
    connect(butStop_, &QPushButton::clicked, this, &frmMain::butStop_Click);
    connect(butSpeedMinus_, &QPushButton::clicked, this, &frmMain::butSpeedMinus_Click);
    connect(butSpeedPlus_, &QPushButton::clicked, this, &frmMain::butSpeedPlus_Click);
    connect(butPlotMinus_, &QPushButton::clicked, this, &frmMain::butPlotMinus_Click);
    connect(butPlotPlus_, &QPushButton::clicked, this, &frmMain::butPlotPlus_Click);

    connect(butZoomPlus_, &QPushButton::clicked, this, &frmMain::butZoomPlus_Click);
    connect(butZoomMinus_, &QPushButton::clicked, this, &frmMain::butZoomMinus_Click);
    connect(butAll_, &QPushButton::clicked, this, &frmMain::butAll_Click);
    connect(butXY_, &QPushButton::clicked, this, [this] { ShowPlaneInFront(XYPlane_); });
    connect(butXZ_, &QPushButton::clicked, this, [this] { ShowPlaneInFront(XZPlane_); });
    connect(butZY_, &QPushButton::clicked, this, [this] { ShowPlaneInFront(ZYPlane_); });
    // Only a choice of the user: the program selects entries itself and then
    // reacts explicitly (SelectFirstCentre).
    connect(cboCentre_, &QComboBox::activated, this, &frmMain::cboCentre_Click);
    connect(butClear_, &QPushButton::clicked, this, &frmMain::butClear_Click);
    connect(butRedraw_, &QPushButton::clicked, this, &frmMain::butRedraw_Click);
    connect(butLabel_, &QPushButton::clicked, this, &frmMain::butLabel_Click);
}

void frmMain::Form_Load(const QString& commandLine)
{
    // An error in any step ends start-up silently; the window keeps what the
    // steps before did.
    try {
        helpFile_ = globals_.ProgramFolder + QStringLiteral("/Kosmolux.chm");
        setWindowTitle(QStringLiteral("%1 %2.%3.%4")
                           .arg(QString::fromLatin1(ProgramTitle))
                           .arg(VersionMajor)
                           .arg(VersionMinor)
                           .arg(VersionRevision));
        mainLayout_->SetOnePlane(false);
        globals_.SystemLoaded = false;
        SetViewWidth(1e12);
        globals_.SpeedLevel = DefaultSpeedLevel;
        ShowSpeed();
        globals_.PlotLevel = DefaultPlotLevel;
        ShowPlotFrequency();
        SavePlaneLayout();
        labelsShown_ = false;
        paused_ = false;
        ClearCentres();
        AddCentre(GridOriginEntry, -1);
        SelectFirstCentre();
        gridOrigin_ = Vector{};
        // The random generator was seeded from the clock by main().
        globals_.StartDate = text::Today();
        ShowMethod();
        txtInfo_->setPlainText(NoSystemText());
        if (!commandLine.isEmpty()) {
            // A load reads a missing file as an empty one; this file was asked for by name.
            if (QFileInfo::exists(commandLine))
                LoadSystem(globals_, dialogs_, *this, commandLine);
            else
                dialogs_.MessageBox(SystemError(ENOENT).MessageText(), QStringLiteral("LoadSystem"),
                                    DialogService::Icon::None, DialogService::Buttons::Ok);
            RefreshAfterChange(SummaryHeader::FileName);
            if (globals_.SystemLoaded)
                AddRecentSystem(commandLine);
        }
    } catch (const std::exception&) {
        // Start-up ends here, silently.
    }
}

void frmMain::RefreshAfterChange(SummaryHeader header)
{
    ShowMethod();
    // A new or freshly loaded system has had no run yet.
    if (header == SummaryHeader::SystemName)
        runStart_.reset();
    ClearCentres();
    AddCentre(GridOriginEntry, -1);
    if (header == SummaryHeader::SystemName) {
        ShowSystemSummary();
    } else if (!WriteSummary(FileNameHeader(commonDialog1_.FileName))) {
        // Without a system the listing fails after the header, and the refresh
        // ends there.
        return;
    }
    SelectFirstCentre();
    FitViewToSystem();
    SetViewWidth(globals_.ViewWidth);
    BuildBodyReportMenu();
}

void frmMain::ShowSystemSummary()
{
    if (!globals_.CurrentSystem) {
        txtInfo_->setPlainText(NoSystemText());
        return;
    }
    WriteSummary(SystemNameHeader(*globals_.CurrentSystem));
}

bool frmMain::WriteSummary(const QString& header)
{
    const Planets* system = globals_.CurrentSystem.get();
    txtInfo_->setPlainText(SystemSummary(header, system));
    if (!system)
        return false;
    for (const Planet& body : *system)
        AddCentre(QString::fromStdString(body.PlanetName), body.Id());
    return true;
}

void frmMain::BuildBodyReportMenu()
{
    // The items of the last build are kept and changed where they differ:
    // adding an item costs Qt a pass over all items of the menu, so a big
    // system loaded again must not add them all anew.
    const Planets* system = globals_.CurrentSystem.get();
    const qsizetype count = system ? system->Count() : 0;
    // Out of the menu at once, deleted later: the command that asked for the
    // rebuild may have been started from one of these items.
    const qsizetype inMenu = mnuReportsBodies_->actions().size();
    while (mnuReportsBody_.size() > std::max<qsizetype>(count, 1)) {
        QAction* last = mnuReportsBody_.takeLast();
        if (mnuReportsBody_.size() < inMenu)
            mnuReportsBodies_->removeAction(last);
        last->deleteLater();
    }
    mnuReportsBody_.first()->setEnabled(count > 0);
    bodyItemsToMake_.clear();
    if (system) {
        qsizetype index = 0;
        for (const Planet& body : *system) {
            // A single "&" would mark an access key and not be shown.
            QString caption = QString::fromStdString(body.PlanetName).replace(u'&', QStringLiteral("&&"));
            QString key = QString::fromStdString(body.GetKey());
            if (index < mnuReportsBody_.size()) {
                QAction* item = mnuReportsBody_[index];
                if (item->text() != caption)
                    item->setText(caption);
                if (item->data().toString() != key)
                    item->setData(key);
            } else {
                bodyItemsToMake_.emplace_back(std::move(caption), std::move(key));
            }
            ++index;
        }
    }
    if (count <= BodyItemsAddedAtOnce)
        AddBodyItemsToMenu();
}

void frmMain::AddBodyItemsToMenu()
{
    for (const auto& [caption, key] : bodyItemsToMake_) {
        auto* item = new QAction(caption, mnuReportsBodies_);
        item->setObjectName(QStringLiteral("mnuReportsBody%1").arg(mnuReportsBody_.size()));
        item->setData(key);
        mnuReportsBody_.append(item);
    }
    bodyItemsToMake_.clear();
    mnuReportsBodies_->addActions(mnuReportsBody_.mid(mnuReportsBodies_->actions().size()));
}

void frmMain::ClearCentres()
{
    cboCentre_->clear();
}

void frmMain::AddCentre(const QString& name, std::int32_t itemData)
{
    cboCentre_->addItem(name, itemData);
}

void frmMain::SelectFirstCentre()
{
    cboCentre_->setCurrentIndex(0);
    cboCentre_Click();
}

std::int32_t frmMain::SelectedCentreId() const
{
    if (cboCentre_->currentIndex() < 0)
        return -1;
    return cboCentre_->currentData().toInt();
}

void frmMain::mnuFileExit_Click()
{
    close();
}

void frmMain::closeEvent(QCloseEvent* event)
{
    // The one place where closing the program takes effect: the dialogs go, a
    // run in progress ends at its next check, a paused one stops waiting, and
    // the command that opened a dialog ends when the dialog returns.
    globals_.StopRequested = true;
    closing_ = true;
    SaveWindowGeometry(*this);
    CloseDialogs();
    event->accept();
}

void frmMain::CloseDialogs()
{
    // A dialog opened from another (the editor's generator, a message box) is
    // its child and comes later in the list: closing from the end lets every
    // nested wait return before the one around it.
    const QList<QDialog*> dialogs = findChildren<QDialog*>();
    for (auto dialog = dialogs.crbegin(); dialog != dialogs.crend(); ++dialog) {
        if ((*dialog)->isVisible())
            (*dialog)->reject();
    }
    if (HelpWindow* help = helpViewer_->Window())
        help->close();
}

}  // namespace kosmolux
