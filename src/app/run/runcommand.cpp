#include "app/run/runcommand.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>
#include <utility>

#include <sys/stat.h>

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QString>

#include "app/run/consoledialogservice.h"
#include "app/run/csvwriter.h"
#include "app/run/energytable.h"
#include "app/run/headlessrun.h"
#include "app/run/progressline.h"
#include "app/run/runoptions.h"
#include "app/run/silentcentrelist.h"
#include "engine/runsettings.h"
#include "kosmolux_version.h"
#include "platform/programerror.h"
#include "platform/textformats.h"
#include "storage/globals.h"
#include "storage/systemfile.h"

namespace kosmolux {

namespace {

const std::string ProgramName = "kosmolux-run";

// Why a path that exists cannot be a system file or table: a folder, or
// something other than a plain file (a named pipe, a device). Empty for a
// plain file and for a path where nothing is yet.
std::string NotAPlainFile(const QString& path)
{
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0 || S_ISREG(status.st_mode))
        return {};
    return S_ISDIR(status.st_mode) ? "it is a folder" : "it is not a regular file";
}

// Whether two paths name one file: the same file on disk, or, for files not
// yet there, the same name in the same folder.
bool SameFile(const QString& first, const QString& second)
{
    struct stat firstStatus {};
    struct stat secondStatus {};
    const bool firstExists = ::stat(QFile::encodeName(first).constData(), &firstStatus) == 0;
    const bool secondExists = ::stat(QFile::encodeName(second).constData(), &secondStatus) == 0;
    if (firstExists || secondExists)
        return firstExists && secondExists && firstStatus.st_dev == secondStatus.st_dev
               && firstStatus.st_ino == secondStatus.st_ino;
    const auto place = [](const QString& path) {
        const QFileInfo file(path);
        const QString folder = QFileInfo(file.absolutePath()).canonicalFilePath();
        return (folder.isEmpty() ? file.absolutePath() : folder) + QLatin1Char('/') + file.fileName();
    };
    return place(first) == place(second);
}

// One run from the command line: the files checked, the system loaded, run
// and saved, every problem told on standard error.
class CommandLineRun {
public:
    CommandLineRun(const RunOptions& options, const Console& console)
        : options_(options), console_(console), dialogs_(console.Err)
    {
    }

    int Execute()
    {
        if (!FilesDistinct())
            return ExitUsage;
        if (!InputReadable() || !OutputFolderWritable() || !Load()
            || !OpenTable(options_.CsvFile, tableFile_, table_) || !OpenTable(options_.EnergyFile, energyFile_, energy_))
            return ExitFileProblem;
        const bool finite = Run();
        int status = Save() ? (finite ? ExitDone : ExitNonFinite) : ExitFileProblem;
        if (!CloseTable(options_.CsvFile, tableFile_))
            status = ExitFileProblem;
        if (!CloseTable(options_.EnergyFile, energyFile_))
            status = ExitFileProblem;
        return status;
    }

private:
    void Complain(const std::string& text) { console_.Err << ProgramName << ": " << text << std::endl; }

    static QString Path(const std::string& name) { return QFile::decodeName(QByteArray::fromStdString(name)); }

    // The table and the saved system must not overwrite the input, nor each other.
    bool FilesDistinct()
    {
        const auto clash = [this](const std::string& first, const std::string& second, const std::string& what) {
            if (first.empty() || second.empty() || !SameFile(Path(first), Path(second)))
                return false;
            Complain(what + " name the same file, " + second + "; give each its own file");
            return true;
        };
        const std::pair<const std::string&, const char*> files[] = {
            {options_.InputFile, "the input"},
            {options_.CsvFile, "--csv"},
            {options_.EnergyFile, "--energy"},
            {options_.OutputFile, "-o"},
        };
        for (std::size_t first = 0; first < std::size(files); ++first)
            for (std::size_t second = first + 1; second < std::size(files); ++second)
                if (clash(files[first].first, files[second].first,
                          std::string(files[first].second) + " and " + files[second].second))
                    return false;
        return true;
    }

    // LoadSystem reads a missing file as an empty one without a word, so the
    // input is looked at first; opening a named pipe would wait for a writer.
    bool InputReadable()
    {
        QFile file(Path(options_.InputFile));
        const std::string problem = NotAPlainFile(file.fileName());
        if (!problem.empty()) {
            Complain("cannot read " + options_.InputFile + ": " + problem);
            return false;
        }
        if (!file.open(QIODevice::ReadOnly)) {
            Complain("cannot read " + options_.InputFile + ": " + file.errorString().toStdString());
            return false;
        }
        return true;
    }

    // Checked before the run, so that a long run is not lost at its end.
    bool OutputFolderWritable()
    {
        if (options_.OutputFile.empty())
            return true;
        const QFileInfo output(Path(options_.OutputFile));
        const QFileInfo folder(output.absolutePath());
        std::string problem = NotAPlainFile(output.filePath());
        if (problem.empty() && !folder.isDir())
            problem = "the folder " + folder.filePath().toStdString() + " does not exist";
        else if (problem.empty() && !folder.isWritable())
            problem = "the folder " + folder.filePath().toStdString() + " is not writable";
        if (problem.empty())
            return true;
        Complain("cannot write " + options_.OutputFile + ": " + problem);
        return false;
    }

    // A table the options ask for, its file written afresh with the header.
    template <typename Table>
    bool OpenTable(const std::string& name, std::ofstream& file, std::optional<Table>& table)
    {
        if (name.empty())
            return true;
        file.open(name, std::ios::binary | std::ios::trunc);
        if (!file) {
            Complain("cannot write " + name + ": " + std::strerror(errno));
            return false;
        }
        table.emplace(file);
        table->WriteHeader();
        return true;
    }

    bool Load()
    {
        globals_.StartDate = text::Today();
        globals_.SpeedLevel = static_cast<std::int16_t>(options_.SpeedLevel);
        globals_.TimeStep = SpeedFor(options_.SpeedLevel).TimeStep;
        globals_.PlotLevel = static_cast<std::int16_t>(options_.PlotLevel);
        globals_.PlotInterval = PlotFrequencyFor(options_.PlotLevel).PlotInterval;
        SilentCentreList centres;
        LoadSystem(globals_, dialogs_, centres, Path(options_.InputFile));
        if (dialogs_.MessagesShown() > 0) {
            Complain("cannot load " + options_.InputFile);
            return false;
        }
        // A file whose TotalBodies is missing, 0 or not a number loads as nothing at all.
        if (!globals_.SystemLoaded || globals_.CurrentSystem->Count() == 0) {
            Complain(options_.InputFile + " holds no bodies (no TotalBodies above 0 in its [General] section)"
                     "; there is nothing to run");
            return false;
        }
        globals_.Method = options_.Method.value_or(globals_.Method);
        return true;
    }

    bool Run()
    {
        const std::int64_t steps = StepCount(options_);
        std::optional<ProgressLine> progress;
        if (console_.ErrIsTerminal && !options_.Quiet)
            progress.emplace(console_.Err, steps, SpeedFor(options_.SpeedLevel).TimeStep);
        const auto message = [&](const std::string& line) {
            if (progress)
                progress->Clear();
            console_.Err << line << std::endl;
        };
        HeadlessRun run(*globals_.CurrentSystem, message, table_ ? &*table_ : nullptr, energy_ ? &*energy_ : nullptr);
        const auto showProgress = [&](std::int64_t stepsDone) {
            if (progress)
                progress->Update(stepsDone);
        };
        const bool finite = run.Run(options_.SpeedLevel, options_.PlotLevel, steps, showProgress, globals_.Method);
        if (progress)
            progress->Clear();
        return finite;
    }

    bool Save()
    {
        if (!options_.OutputFile.empty()) {
            if (SaveSystem(globals_, dialogs_, Path(options_.OutputFile)))
                return true;
            Complain("cannot write " + options_.OutputFile);
            return false;
        }
        try {
            const QByteArray contents = SystemFileContents(globals_);
            console_.Out.write(contents.constData(), contents.size());
            console_.Out.flush();
        } catch (const ProgramError& error) {
            dialogs_.MessageBox(error.MessageText(), QStringLiteral("SaveSystem"), DialogService::Icon::None,
                                DialogService::Buttons::Ok);
            return false;
        }
        if (!console_.Out) {
            Complain("cannot write the system to standard output");
            return false;
        }
        return true;
    }

    bool CloseTable(const std::string& name, std::ofstream& file)
    {
        if (!file.is_open())
            return true;
        file.close();
        if (!file) {
            Complain("cannot write " + name + ": " + std::strerror(errno));
            return false;
        }
        return true;
    }

    const RunOptions& options_;
    const Console& console_;
    ConsoleDialogService dialogs_;
    Globals globals_;
    std::ofstream tableFile_;
    std::optional<CsvWriter> table_;
    std::ofstream energyFile_;
    std::optional<EnergyTable> energy_;
};

}  // namespace

int RunCommand(const std::vector<std::string>& arguments, const Console& console)
{
    const ParsedCommandLine parsed = ParseRunOptions(arguments);
    switch (parsed.Outcome) {
    case ParsedCommandLine::Action::Help:
        console.Out << HelpText() << std::flush;
        return ExitDone;
    case ParsedCommandLine::Action::Version:
        console.Out << ProgramName << " (" << ProgramTitle << ") " << VersionText << std::endl;
        return ExitDone;
    case ParsedCommandLine::Action::UsageError:
        console.Err << ProgramName << ": " << parsed.Error << '\n'
                    << UsageLine() << '\n'
                    << "Try '" << ProgramName << " --help' for more information." << std::endl;
        return ExitUsage;
    case ParsedCommandLine::Action::Run:
        break;
    }
    return CommandLineRun(parsed.Options, console).Execute();
}

}  // namespace kosmolux
