#pragma once

#include <map>
#include <optional>
#include <vector>

#include <QByteArray>
#include <QDir>
#include <QString>

#include "platform/scripteddialogservice.h"
#include "storage/globals.h"
#include "ui/monkey/monkeyinput.h"

namespace kosmolux::monkey {

// A file dialog's answer and what it stands for, for the action log.
struct FileChoice {
    ScriptedDialogService::FileAnswer answer;
    QString description;
};

// The files the monkey loads and saves, all in one folder that is also the
// program's folder: copies of the examples, the slots the program saves to,
// garbled files written afresh whenever one is handed out, and paths that
// cannot be read or written. It remembers what every file held, so that a
// file the program has written since is noticed and loaded back.
class MonkeyFiles {
public:
    MonkeyFiles(const QString& folder, const QString& examplesFolder, MonkeyInput& input);

    // The answer of the open dialog of Load System (and of Start without a system).
    FileChoice OpenChoice();
    // The answer of the save dialog of Save System As.
    FileChoice SaveChoice();
    // A command line for start-up: empty, or the path of a file to load.
    QString StartupCommandLine();

    // Every file the program has written since the last look must load back
    // as the current system: the first that does not, described; otherwise empty.
    QString CheckSavedFiles(const Globals& globals);
    // Files in the folder the monkey does not know, such as the temporary
    // file of a save that failed: described, or empty.
    QString StrayFiles() const;

    int ExampleCount() const { return static_cast<int>(examples_.size()); }
    // How many saved files were loaded back.
    int FilesLoadedBack() const { return loadedBack_; }

private:
    QString PathOf(const QString& name) const { return folder_.filePath(name); }
    // Writes a file and remembers its contents as not the program's doing.
    QString Write(const QString& name, const QByteArray& contents);
    QString ExamplePath(int index);
    QString GarbledPath(QString& how);
    // A well-formed file to garble: an example or one the program saved.
    QByteArray SomeSystemFile();
    QByteArray RandomBytes();
    QByteArray WithWildValues(const QByteArray& source);
    QByteArray WithLinesShuffled(const QByteArray& source);
    std::vector<QString> KnownNames() const;

    QDir folder_;
    MonkeyInput& input_;
    std::vector<std::pair<QString, QByteArray>> examples_;  // file name, pristine contents
    std::map<QString, std::optional<QByteArray>> seen_;     // path, contents when last looked at
    int nextGarbled_ = 0;
    int loadedBack_ = 0;
};

}  // namespace kosmolux::monkey
