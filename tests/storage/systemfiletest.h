#pragma once

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "platform/scripteddialogservice.h"
#include "storage/filebytes.h"
#include "storage/recordingcentrelist.h"
#include "storage/systemfile.h"

namespace kosmolux {

// A loaded system of one body, "Before", that a load must replace or leave alone.
class SystemFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder_.isValid());
        globals_.StartDate = QDate(1999, 1, 1);
        Planets& system = globals_.EnsureSystem();
        system.Add("Before", 7.0, 7.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0);
        system.SystemName = "Before.kmx";
        globals_.SystemLoaded = true;
    }

    QString PathOf(const QString& name) const { return folder_.filePath(name); }

    void Load(const QString& path) { LoadSystem(globals_, dialogs_, centres_, path); }

    // Writes the lines with CRLF ends and loads the file.
    void LoadLines(const QByteArray& lines, const QString& name = "Test.kmx")
    {
        ASSERT_TRUE(WriteBytes(PathOf(name), QByteArray(lines).replace("\n", "\r\n")));
        Load(PathOf(name));
    }

    void ExpectUnchanged()
    {
        ASSERT_EQ(globals_.CurrentSystem->Count(), 1);
        EXPECT_EQ(Body(1).PlanetName, "Before");
        EXPECT_EQ(globals_.CurrentSystem->SystemName, "Before.kmx");
        EXPECT_EQ(globals_.StartDate, QDate(1999, 1, 1));
        EXPECT_TRUE(centres_.Entries.empty());
        EXPECT_EQ(centres_.FirstSelections, 0);
    }

    Planet& Body(int position) { return globals_.CurrentSystem->Item(position); }

    QTemporaryDir folder_;
    Globals globals_;
    ScriptedDialogService dialogs_;
    RecordingCentreList centres_;
};

}  // namespace kosmolux
