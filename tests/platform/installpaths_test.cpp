#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "platform/installpaths.h"

namespace kosmolux {
namespace {

bool Touch(const QString& path)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly);
}

TEST(InstallPathsTest, PrefersTheProgramFolderThenTheInstalledDataFolder)
{
    QTemporaryDir prefix;
    ASSERT_TRUE(prefix.isValid());
    const QString programs = prefix.filePath("bin");
    ASSERT_TRUE(QDir().mkpath(programs));

    const QStringList folders = ShippedDataFolders(programs);
    ASSERT_EQ(folders.size(), 2);
    EXPECT_EQ(folders[0], programs);
    // PREFIX/share/kosmolux: inside the prefix, beside bin rather than in it.
    EXPECT_TRUE(folders[1].startsWith(prefix.path() + "/")) << folders[1].toStdString();
    EXPECT_FALSE(folders[1].startsWith(programs + "/")) << folders[1].toStdString();
    EXPECT_TRUE(folders[1].endsWith("/kosmolux")) << folders[1].toStdString();

    EXPECT_EQ(FindShippedData(programs, "help/index.html"), QString());
    ASSERT_TRUE(Touch(folders[1] + "/help/index.html"));
    EXPECT_EQ(FindShippedData(programs, "help/index.html"), folders[1] + "/help/index.html");
    // A folder is found as a file is; an absent one is not.
    EXPECT_EQ(FindShippedData(programs, "help"), folders[1] + "/help");
    EXPECT_EQ(FindShippedData(programs, "examples"), QString());

    // The build folder's layout wins over an installed copy.
    ASSERT_TRUE(Touch(programs + "/help/index.html"));
    EXPECT_EQ(FindShippedData(programs, "help/index.html"), programs + "/help/index.html");

    // A program folder given relative to the current folder still gives full paths.
    const QString current = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(prefix.path()));
    EXPECT_EQ(ShippedDataFolders("bin"), folders);
    QDir::setCurrent(current);
}

}  // namespace
}  // namespace kosmolux
