#include <cerrno>

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "platform/filedialogsettings.h"

namespace kosmolux {
namespace {

FileDialog SaveDialog(const QString& fileName)
{
    return {QStringLiteral("Kosmolux Files|*.kmx|All Files|*.*"), QStringLiteral("KMX"),
            FileDialog::OverwritePrompt | FileDialog::PathMustExist, fileName, {}};
}

void CreateFile(const QString& path)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
}

TEST(FileDialogFilterTest, PairsBecomeQtFiltersMatchingBothCases)
{
    EXPECT_EQ(QtNameFilters("Kosmolux Files|*.kmx|All Files|*.*"),
              QStringList({"Kosmolux Files (*.[kK][mM][xX])", "All Files (*)"}));
    EXPECT_EQ(QtNameFilters("Settings|*.ini;*.cfg"), QStringList({"Settings (*.[iI][nN][iI] *.[cC][fF][gG])"}));
    EXPECT_EQ(QtNameFilters("Numbered|*.1|Dangling label"), QStringList({"Numbered (*.1)"}));
    EXPECT_TRUE(QtNameFilters("").isEmpty());
}

TEST(FileDialogFilterTest, PatternsFindFilesInEitherCaseOnACaseSensitiveFileSystem)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    for (const char* name : {"solar.kmx", "BINARY.KMX", "Mixed.Kmx", "notes.txt", "solar.kmz"})
        CreateFile(folder.filePath(name));
    QDir listing(folder.path());
    listing.setFilter(QDir::Files | QDir::CaseSensitive);
    listing.setSorting(QDir::Name);

    listing.setNameFilters({"*.kmx"});
    EXPECT_EQ(listing.entryList(), QStringList({"solar.kmx"}));
    listing.setNameFilters({"*.[kK][mM][xX]"});
    EXPECT_EQ(listing.entryList(), QStringList({"BINARY.KMX", "Mixed.Kmx", "solar.kmx"}));
    listing.setNameFilters({"*"});
    EXPECT_EQ(listing.count(), 5u);
}

TEST(FileDialogSetupTest, SaveAddsTheDefaultExtensionInLowerCaseAndAsksBeforeOverwriting)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QFileDialog box;
    ApplyFileDialogSettings(box, SaveDialog(folder.filePath("Solar")), QFileDialog::AcceptSave);
    EXPECT_EQ(box.selectedFiles(), QStringList({folder.filePath("Solar.kmx")}));
    EXPECT_EQ(box.nameFilters(), QtNameFilters("Kosmolux Files|*.kmx|All Files|*.*"));
    EXPECT_EQ(box.fileMode(), QFileDialog::AnyFile);
    EXPECT_FALSE(box.testOption(QFileDialog::DontConfirmOverwrite));
    EXPECT_TRUE(box.testOption(QFileDialog::DontUseNativeDialog));

    // A name with an extension keeps it, whatever its case.
    box.selectFile(folder.filePath("Solar.KMX"));
    EXPECT_EQ(box.selectedFiles(), QStringList({folder.filePath("Solar.KMX")}));
}

TEST(FileDialogSetupTest, FlagsChooseTheFileModeAndTheOverwriteQuestion)
{
    QFileDialog openBox;
    const QString examples = QDir::tempPath();
    ApplyFileDialogSettings(openBox, {"Kosmolux Files|*.kmx", "KMX", FileDialog::FileMustExist, {}, examples},
                            QFileDialog::AcceptOpen);
    EXPECT_EQ(openBox.acceptMode(), QFileDialog::AcceptOpen);
    EXPECT_EQ(openBox.fileMode(), QFileDialog::ExistingFile);
    // Before any choice the dialog opens on its starting folder.
    EXPECT_EQ(openBox.directory().absolutePath(), QDir(examples).absolutePath());

    QFileDialog saveBox;
    ApplyFileDialogSettings(saveBox, {"Kosmolux Files|*.kmx", "KMX", 0, {}, {}}, QFileDialog::AcceptSave);
    EXPECT_TRUE(saveBox.testOption(QFileDialog::DontConfirmOverwrite));
}

TEST(FileDialogResultTest, AChoiceIsKeptOnlyWhenTheRequiredFileOrFolderExists)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString existing = folder.filePath("Solar.kmx");
    CreateFile(existing);

    FileDialog open{"Kosmolux Files|*.kmx", "KMX", FileDialog::FileMustExist, {}, {}};
    FileDialogResult result = AcceptChosenPath(open, folder.filePath("Missing.kmx"));
    EXPECT_EQ(result.Outcome, FileDialogOutcome::Failed);
    EXPECT_EQ(result.ErrorDescription, "File not found");
    EXPECT_EQ(result.ErrorNumber, ENOENT);
    EXPECT_TRUE(open.FileName.isEmpty());
    EXPECT_EQ(AcceptChosenPath(open, folder.path()).Outcome, FileDialogOutcome::Failed);
    EXPECT_EQ(AcceptChosenPath(open, existing).Outcome, FileDialogOutcome::Chosen);
    EXPECT_EQ(open.FileName, existing);

    FileDialog save = SaveDialog(existing);
    result = AcceptChosenPath(save, folder.filePath("no such folder/New.kmx"));
    EXPECT_EQ(result.Outcome, FileDialogOutcome::Failed);
    EXPECT_EQ(result.ErrorDescription, "Path not found");
    EXPECT_EQ(save.FileName, existing);
    EXPECT_EQ(AcceptChosenPath(save, folder.filePath("New.kmx")).Outcome, FileDialogOutcome::Chosen);
    EXPECT_EQ(save.FileName, folder.filePath("New.kmx"));
}

}  // namespace
}  // namespace kosmolux
