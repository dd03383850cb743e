#pragma once

#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include "platform/scripteddialogservice.h"
#include "platform/textformats.h"
#include "storage/globals.h"
#include "storage/sciformat.h"
#include "storage/systemfile.h"
#include "ui/dialogs/helpwindow.h"
#include "ui/generator/frmnewbody.h"
#include "ui/main/frmmain.h"
#include "ui/main/plotplane.h"

namespace kosmolux::testing {

using Kind = ScriptedDialogService::Kind;
using FileAnswer = ScriptedDialogService::FileAnswer;

struct BodyValues {
    std::string name;
    double mass = 1.0;
    double diameter = 1.0;
    Vector position;
    Vector velocity;
    Colour hiColor = White;
    Colour loColor = LightGrey;
};

// A main window on a fresh program state whose folder is a temporary one, and
// whose dialogs answer from a script.
class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest() { globals.ProgramFolder = folder.path(); }

    frmMain& Open(const QString& commandLine = {})
    {
        window = std::make_unique<frmMain>(globals, dialogs, commandLine);
        return *window;
    }

    // Writes a system file into the temporary folder and returns its path.
    QString WriteSystem(const QString& fileName, const std::vector<BodyValues>& bodies)
    {
        Globals writer;
        writer.StartDate = text::Today();
        for (const BodyValues& values : bodies) {
            const Vector& at = values.position;
            const Vector& moving = values.velocity;
            Planet& body = writer.EnsureSystem().Add(values.name, values.mass, values.diameter,
                                                     at.XComp, at.YComp, at.ZComp, moving.XComp,
                                                     moving.YComp, moving.ZComp);
            body.HiColor = values.hiColor;
            body.LoColor = values.loColor;
            body.Parent = -1;
        }
        ScriptedDialogService quiet;
        EXPECT_TRUE(SaveSystem(writer, quiet, folder.filePath(fileName)));
        return folder.filePath(fileName);
    }

    // Writes bytes into the temporary folder and returns the file's path.
    QString WriteFile(const QString& name, const QByteArray& bytes)
    {
        QDir(folder.path()).mkpath(QFileInfo(name).path());
        QFile file(folder.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        return file.fileName();
    }

    QString SunAndEarth()
    {
        return WriteSystem("SunEarth.kmx",
                           {{"Sun", 1.989e30, 1.392e9, {}, {}},
                            {"Earth", 5.976e24, 1.2756e7, {1.496e11, 0, 0}, {0, 29780, 0}}});
    }

    template <typename T>
    T* Child(const char* name) const
    {
        T* found = window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    PlotPlane* Plane(const char* name) const { return Child<PlotPlane>(name); }
    QPushButton* Button(const char* name) const { return Child<QPushButton>(name); }
    QString Text(const char* label) const { return Child<QLabel>(label)->text(); }
    QString Info() const { return Child<QPlainTextEdit>("txtInfo")->toPlainText(); }
    static QRgb Rgb(Colour colour) { return PlotPlane::ToRgb(colour); }

    // Which of Start, Pause and Stop can be clicked.
    QStringList EnabledRunButtons() const
    {
        QStringList enabled;
        for (const char* name : {"butSimulate", "butPause", "butStop"}) {
            if (Button(name)->isEnabled())
                enabled << QString::fromLatin1(name);
        }
        return enabled;
    }

    QStringList CentreNames() const
    {
        auto* centres = Child<QComboBox>("cboCentre");
        QStringList names;
        for (int index = 0; index < centres->count(); ++index)
            names << centres->itemText(index);
        return names;
    }

    // Chooses an entry of the centre list, as the user does.
    void CentreOn(int entry) const
    {
        Child<QComboBox>("cboCentre")->setCurrentIndex(entry);
        emit Child<QComboBox>("cboCentre")->activated(entry);
    }

    // The user guide, a window of its own, while it is open.
    static HelpWindow* OpenGuide()
    {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* guide = qobject_cast<HelpWindow*>(widget);
            if (guide && guide->isVisible())
                return guide;
        }
        return nullptr;
    }

    void Trigger(const char* menuItem) const { Child<QAction>(menuItem)->trigger(); }

    // File > Load System, choosing path in the open dialog.
    void Load(const QString& path)
    {
        dialogs.FileAnswers.push_back(FileAnswer::Choose(path));
        Trigger("mnuFileLoad");
    }

    static QByteArray Bytes(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // Lets act work on the modal dialog of type Dialog that the next command
    // opens, once it waits for the user; a dialog left open afterwards is
    // closed, so that a failed expectation cannot leave the test waiting.
    template <typename Dialog>
    void WhenOpen(std::function<void(Dialog&)> act)
    {
        QTimer::singleShot(0, [this, act] {
            Dialog* dialog = window->findChild<Dialog*>();
            ASSERT_NE(dialog, nullptr) << "no dialog open";
            act(*dialog);
            if (dialog->isVisible())
                dialog->reject();
        });
    }

    static void Click(QDialog& dialog, const char* button)
    {
        dialog.findChild<QPushButton*>(QString::fromLatin1(button))->click();
    }

    // Chooses command (New System or Add New Body), types the bodies into the
    // generator it opens, accepting each, closes it with Done and cancels the
    // Save As that follows.
    void Generate(const char* command, const std::vector<BodyValues>& bodies)
    {
        WhenOpen<frmNewBody>([bodies](frmNewBody& generator) {
            for (const BodyValues& body : bodies) {
                const Vector& at = body.position;
                const Vector& moving = body.velocity;
                const std::pair<const char*, QString> fields[] = {
                    {"txtName", QString::fromStdString(body.name)},
                    {"txtMass", SciFormat(body.mass)}, {"txtDiameter", SciFormat(body.diameter)},
                    {"txtX", SciFormat(at.XComp)},     {"txtY", SciFormat(at.YComp)},
                    {"txtZ", SciFormat(at.ZComp)},     {"txtVX", SciFormat(moving.XComp)},
                    {"txtVY", SciFormat(moving.YComp)}, {"txtVZ", SciFormat(moving.ZComp)}};
                for (const auto& [box, text] : fields)
                    generator.findChild<QLineEdit*>(QString::fromLatin1(box))->setText(text);
                Click(generator, "butAccept");
            }
            Click(generator, "butDone");
        });
        dialogs.FileAnswers.push_back(FileAnswer::Cancel());
        Trigger(command);
    }

    // Starts a run and returns when it has ended, with the number of steps
    // done; act is called after every step.
    std::int64_t Run(const std::function<void(std::int64_t steps)>& act)
    {
        std::int64_t done = 0;
        window->StepFinished = [&done, act](std::int64_t steps) {
            done = steps;
            act(steps);
        };
        Button("butSimulate")->click();
        window->StepFinished = nullptr;
        return done;
    }

    // Starts a run that Stop ends after the step given.
    std::int64_t RunAndStopAfter(std::int64_t last)
    {
        return Run([this, last](std::int64_t steps) {
            if (steps == last)
                Button("butStop")->click();
        });
    }

    QTemporaryDir folder;
    Globals globals;
    ScriptedDialogService dialogs;
    std::unique_ptr<frmMain> window;
};

}  // namespace kosmolux::testing
