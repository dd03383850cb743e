#include <cerrno>

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "platform/filedialogsettings.h"

namespace kosmolux {
namespace {

const QString KmxFilter = QStringLiteral("Kosmolux Files|*.kmx|All Files|*.*");

TEST(FileDialogFilterTest, PairsBecomeQtFiltersMatchingBothCases)
{
    EXPECT_EQ(QtNameFilters(KmxFilter), QStringList({"Kosmolux Files (*.[kK][mM][xX])", "All Files (*)"}));
    EXPECT_EQ(QtNameFilters("Settings|*.ini;*.cfg"), QStringList({"Settings (*.[iI][nN][iI] *.[cC][fF][gG])"}));
    EXPECT_EQ(QtNameFilters("Numbered|*.1|Dangling label"), QStringList({"Numbered (*.1)"}));
}

TEST(FileDialogTest, FlagsChooseTheModeAndWhichChoicesAreKept)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QFileDialog saveBox;
    ApplyFileDialogSettings(saveBox, {KmxFilter, "KMX", FileDialog::OverwritePrompt, folder.filePath("Solar"), {}},
                            QFileDialog::AcceptSave);
    EXPECT_EQ(saveBox.selectedFiles(), QStringList({folder.filePath("Solar.kmx")}));
    EXPECT_EQ(saveBox.nameFilters(), QtNameFilters(KmxFilter));
    EXPECT_EQ(saveBox.fileMode(), QFileDialog::AnyFile);
    EXPECT_FALSE(saveBox.testOption(QFileDialog::DontConfirmOverwrite));
    EXPECT_TRUE(saveBox.testOption(QFileDialog::DontUseNativeDialog));

    QFileDialog openBox;
    ApplyFileDialogSettings(openBox, {KmxFilter, "KMX", FileDialog::FileMustExist, {}, folder.path()},
                            QFileDialog::AcceptOpen);
    EXPECT_EQ(openBox.fileMode(), QFileDialog::ExistingFile);
    EXPECT_TRUE(openBox.testOption(QFileDialog::DontConfirmOverwrite));
    // Before any choice the dialog opens on its starting folder.
    EXPECT_EQ(openBox.directory().absolutePath(), QDir(folder.path()).absolutePath());

    // A choice is kept only when the file or folder the flags ask for exists.
    const QString existing = folder.filePath("Solar.kmx");
    ASSERT_TRUE(QFile(existing).open(QIODevice::WriteOnly));

    FileDialog open{KmxFilter, "KMX", FileDialog::FileMustExist, {}, {}};
    const FileDialogResult result = AcceptChosenPath(open, folder.filePath("Missing.kmx"));
    EXPECT_EQ(result.Outcome, FileDialogOutcome::Failed);
    EXPECT_EQ(result.ErrorDescription, "File not found");
    EXPECT_EQ(result.ErrorNumber, ENOENT);
    EXPECT_EQ(AcceptChosenPath(open, folder.path()).Outcome, FileDialogOutcome::Failed);
    EXPECT_TRUE(open.FileName.isEmpty());
    EXPECT_EQ(AcceptChosenPath(open, existing).Outcome, FileDialogOutcome::Chosen);
    EXPECT_EQ(open.FileName, existing);

    FileDialog save{KmxFilter, "KMX", FileDialog::PathMustExist, existing, {}};
    EXPECT_EQ(AcceptChosenPath(save, folder.filePath("no such folder/New.kmx")).ErrorDescription, "Path not found");
    EXPECT_EQ(save.FileName, existing);
    EXPECT_EQ(AcceptChosenPath(save, folder.filePath("New.kmx")).Outcome, FileDialogOutcome::Chosen);
}

}  // namespace
}  // namespace kosmolux
