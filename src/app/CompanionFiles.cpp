// Where the program's companion files live: beside the executable, or in the per-user data folder
// when the executable's folder cannot be written.
#include "app/CompanionFiles.h"

#include <utility>
#include <vector>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include "app/QtPlatform.h"
#include "app/SettingsStore.h"
#include "files/BestSolutions.h"
#include "files/CompanionPath.h"
#include "files/LevelLoad.h"
#include "files/Records.h"

namespace vorpel {

namespace {

// The numbers of a startup list as the core reads them: digits gather, commas end a number,
// anything else is skipped; the empty list stands for 0.
std::vector<std::string> StartupNumbers(const std::string& list) {
    std::vector<std::string> numbers;
    std::string number;
    for (const char ch : list.empty() ? std::string("0,") : list + ",") {
        if (ch >= '0' && ch <= '9') {
            number += ch;
        } else if (ch == ',') {
            numbers.push_back(number);
            number.clear();
        }
    }
    return numbers;
}

QString StartupSuffix(const std::string& number) {
    return QLatin1Char(' ') + QString::fromStdString(number) + QLatin1String(".txt");
}

} // namespace

CompanionFiles::CompanionFiles(QString executable, QString dataFolder,
                               std::optional<bool> besideWritable)
    : executable_(std::move(executable)), dataFolder_(std::move(dataFolder)) {
    besideWritable_ = besideWritable
                          ? *besideWritable
                          : QFileInfo(QFileInfo(executable_).absolutePath()).isWritable();
}

CompanionFiles CompanionFiles::ForThisProgram() {
    return CompanionFiles(QCoreApplication::applicationFilePath(),
                          QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

QString CompanionFiles::SettingsName() const {
    return SettingsBaseName(executable_);
}

QString CompanionFiles::CaptionName() const {
    return QFileInfo(executable_).completeBaseName();
}

QString CompanionFiles::Beside(const QString& suffix) const {
    const QFileInfo info(executable_);
    return info.absolutePath() + QLatin1Char('/') + info.completeBaseName() + suffix;
}

QString CompanionFiles::InDataFolder(const QString& suffix) const {
    return dataFolder_ + QLatin1Char('/') + QFileInfo(executable_).completeBaseName() + suffix;
}

QString CompanionFiles::ForReading(const QString& suffix) const {
    const QString beside = Beside(suffix);
    if (QFileInfo::exists(beside) || dataFolder_.isEmpty()) return beside;
    const QString inData = InDataFolder(suffix);
    return QFileInfo::exists(inData) ? inData : beside;
}

QString CompanionFiles::ForWriting(const QString& suffix) const {
    return besideWritable_ || dataFolder_.isEmpty() ? Beside(suffix) : InDataFolder(suffix);
}

std::string CompanionFiles::WritingProgramPath() const {
    if (besideWritable_ || dataFolder_.isEmpty()) return ToFileName(executable_);
    return ToFileName(dataFolder_ + QLatin1Char('/') + QFileInfo(executable_).fileName());
}

std::string CompanionFiles::ReadingProgramPath(const QString& suffix) const {
    if (ForReading(suffix) == Beside(suffix)) return ToFileName(executable_);
    return ToFileName(dataFolder_ + QLatin1Char('/') + QFileInfo(executable_).fileName());
}

void SetUpCompanionFiles(Context& ctx, QtPlatform& platform, const CompanionFiles& files) {
    platform.helpPage = files.ForReading(QLatin1String(".htm"));
    platform.boxCaption = QLatin1Char(' ') + files.CaptionName();

    ctx.programPath = files.WritingProgramPath();
    const QString solutions = QLatin1String(".sol");
    const QString written = files.ForWriting(solutions);
    if (written != files.Beside(solutions) && !QDir().mkpath(files.DataFolder())) {
        // Without a data folder the writes beside the executable fail with their messages.
        ctx.programPath = ToFileName(files.Executable());
        return;
    }
    if (QFileInfo::exists(written)) return;
    const QString other = written == files.Beside(solutions) ? files.InDataFolder(solutions)
                                                             : files.Beside(solutions);
    if (!files.DataFolder().isEmpty() && QFileInfo::exists(other) && !QFile::copy(other, written))
        platform.ShowInfo({"The best solutions file", ToFileName(other), "could not be copied to",
                           ToFileName(written)});
}

void ReadStartupLevels(Context& ctx, const CompanionFiles& files) {
    // Consecutive numbers found in the same folder are read in one go.
    std::vector<std::pair<std::string, std::string>> runs; // program path, startup list
    for (const std::string& number : StartupNumbers(ctx.options.startupList)) {
        std::string path = files.ReadingProgramPath(StartupSuffix(number));
        if (!runs.empty() && runs.back().first == path) {
            runs.back().second += "," + number;
        } else {
            runs.emplace_back(std::move(path), number);
        }
    }

    std::vector<Level> levels;
    for (const auto& [path, numbers] : runs) {
        ReadStartupFiles(ctx, path, numbers);
        if (runs.size() == 1) break;
        // A run that gave no level leaves the core's "Void level" alone in the collection.
        const bool none = ctx.collection.levels.size() == 1 &&
                          ctx.collection.levels.front().title == "Void level";
        if (!none)
            for (Level& level : ctx.collection.levels) levels.push_back(std::move(level));
    }
    if (!levels.empty()) {
        ctx.collection.levels = std::move(levels);
        ctx.collection.currentLevel = 0;
    }
}

std::string RecordsFile(const CompanionFiles& files) {
    return CompanionPath(files.ReadingProgramPath(QLatin1String(".rec")), ".rec");
}

FileResult ReadRecords(Context& ctx, const CompanionFiles& files, bool showErrors) {
    return ReadRecordsFile(ctx, RecordsFile(files), showErrors);
}

} // namespace vorpel
