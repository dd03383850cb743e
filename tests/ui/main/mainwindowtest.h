#pragma once

#include <functional>
#include <memory>
#include <vector>

#include <QAction>
#include <QDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include "platform/scripteddialogservice.h"
#include "platform/textformats.h"
#include "storage/globals.h"
#include "storage/sciformat.h"
#include "storage/systemfile.h"
#include "ui/main/frmmain.h"
#include "ui/main/plotplane.h"

namespace kosmolux::testing {

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
    MainWindowTest()
    {
        globals.ProgramFolder = folder.path();
    }

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
        Planets& system = writer.EnsureSystem();
        for (const BodyValues& values : bodies) {
            const Vector& at = values.position;
            const Vector& moving = values.velocity;
            Planet& body = system.Add(values.name, values.mass, values.diameter, at.XComp, at.YComp,
                                      at.ZComp, moving.XComp, moving.YComp, moving.ZComp);
            body.HiColor = values.hiColor;
            body.LoColor = values.loColor;
            body.Parent = -1;
        }
        const QString path = folder.filePath(fileName);
        ScriptedDialogService quiet;
        EXPECT_TRUE(SaveSystem(writer, quiet, path));
        return path;
    }

    template <typename T>
    T* Child(const char* name) const
    {
        T* found = window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    PlotPlane* Plane(const char* name) const { return Child<PlotPlane>(name); }

    // Chooses a menu item, as a click on it does.
    void Trigger(const char* menuItem) const { Child<QAction>(menuItem)->trigger(); }

    // File > Load System, choosing path in the open dialog.
    void Load(const QString& path)
    {
        dialogs.FileAnswers.push_back(ScriptedDialogService::FileAnswer::Choose(path));
        Trigger("mnuFileLoad");
    }

    QString Info() const { return Child<QPlainTextEdit>("txtInfo")->toPlainText(); }

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

    // Types a body's values into the new-body dialog and accepts the body.
    static void AcceptBody(QDialog& generator, const BodyValues& values)
    {
        auto type = [&generator](const char* box, const QString& text) {
            generator.findChild<QLineEdit*>(QString::fromLatin1(box))->setText(text);
        };
        type("txtName", QString::fromStdString(values.name));
        type("txtMass", SciFormat(values.mass));
        type("txtDiameter", SciFormat(values.diameter));
        type("txtX", SciFormat(values.position.XComp));
        type("txtY", SciFormat(values.position.YComp));
        type("txtZ", SciFormat(values.position.ZComp));
        type("txtVX", SciFormat(values.velocity.XComp));
        type("txtVY", SciFormat(values.velocity.YComp));
        type("txtVZ", SciFormat(values.velocity.ZComp));
        generator.findChild<QPushButton*>(QStringLiteral("butAccept"))->click();
    }

    static void Click(QDialog& dialog, const char* button)
    {
        dialog.findChild<QPushButton*>(QString::fromLatin1(button))->click();
    }

    // Starts a run and returns when it has ended, with the number of steps done.
    std::int64_t RunUntilStopped()
    {
        std::int64_t done = 0;
        auto driver = window->StepFinished;
        window->StepFinished = [&done, driver](std::int64_t steps) {
            done = steps;
            if (driver)
                driver(steps);
        };
        Child<QPushButton>("butSimulate")->click();
        window->StepFinished = driver;
        return done;
    }

    void StopAt(std::int64_t step)
    {
        window->StepFinished = [this, step](std::int64_t steps) {
            if (steps == step)
                Child<QPushButton>("butStop")->click();
        };
    }

    static QRgb Rgb(Colour colour) { return PlotPlane::ToRgb(colour); }

    QTemporaryDir folder;
    Globals globals;
    ScriptedDialogService dialogs;
    std::unique_ptr<frmMain> window;
};

}  // namespace kosmolux::testing
