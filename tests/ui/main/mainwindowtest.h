#pragma once

#include <memory>
#include <vector>

#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

#include "platform/scripteddialogservice.h"
#include "platform/textformats.h"
#include "storage/globals.h"
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

    static QRgb Rgb(Colour colour) { return PlotPlane::ToRgb(colour); }

    QTemporaryDir folder;
    Globals globals;
    ScriptedDialogService dialogs;
    std::unique_ptr<frmMain> window;
};

}  // namespace kosmolux::testing
