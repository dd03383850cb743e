#include "platform/filedialogsettings.h"

#include <cerrno>

#include <QDir>
#include <QFileInfo>

namespace kosmolux {

namespace {

QString MatchingBothCases(const QString& pattern)
{
    if (pattern == u"*.*")
        return QStringLiteral("*");
    QString result;
    for (const QChar character : pattern) {
        const QChar lower = character.toLower();
        const QChar upper = character.toUpper();
        if (lower == upper)
            result += character;
        else
            result += u'[' + QString(lower) + upper + u']';
    }
    return result;
}

}  // namespace

QStringList QtNameFilters(const QString& filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList filters;
    // A label without a pattern after it is left out.
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString& pattern : parts[i + 1].split(u';', Qt::SkipEmptyParts))
            patterns << MatchingBothCases(pattern.trimmed());
        filters << parts[i] + QStringLiteral(" (") + patterns.join(u' ') + u')';
    }
    return filters;
}

void ApplyFileDialogSettings(QFileDialog& box, const FileDialog& dialog, QFileDialog::AcceptMode mode)
{
    // Qt's own dialog adds the default extension before it looks for an existing
    // file to confirm; a native one may ask about the name without it.
    box.setOption(QFileDialog::DontUseNativeDialog);
    box.setAcceptMode(mode);
    box.setNameFilters(QtNameFilters(dialog.Filter));
    // The patterns spelled in both cases would only clutter the labels.
    box.setOption(QFileDialog::HideNameFilterDetails);
    box.setDefaultSuffix(dialog.DefaultExt.toLower());
    box.setFileMode((dialog.Flags & FileDialog::FileMustExist) ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    box.setOption(QFileDialog::DontConfirmOverwrite, !(dialog.Flags & FileDialog::OverwritePrompt));
    if (!dialog.FileName.isEmpty())
        box.selectFile(dialog.FileName);
    else if (!dialog.InitDir.isEmpty())
        box.setDirectory(dialog.InitDir);
}

FileDialogResult AcceptChosenPath(FileDialog& dialog, const QString& path)
{
    const QFileInfo chosen(path);
    if ((dialog.Flags & FileDialog::FileMustExist) && !chosen.isFile())
        return {FileDialogOutcome::Failed, QStringLiteral("File not found"), ENOENT};
    if ((dialog.Flags & FileDialog::PathMustExist) && !chosen.dir().exists())
        return {FileDialogOutcome::Failed, QStringLiteral("Path not found"), ENOENT};
    dialog.FileName = path;
    return {FileDialogOutcome::Chosen, {}, 0};
}

}  // namespace kosmolux
