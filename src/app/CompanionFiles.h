// Where the program's companion files live: beside the executable, or in the per-user data folder
// when the executable's folder cannot be written.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include <QString>

#include "io/FileIO.h"
#include "model/Context.h"

namespace vorpel {

class QtPlatform;

class CompanionFiles {
public:
    CompanionFiles() = default;
    // `besideWritable` says whether the executable's folder can be written; by default the file
    // system is asked.
    CompanionFiles(QString executable, QString dataFolder,
                   std::optional<bool> besideWritable = std::nullopt);
    // This program: its own executable and Qt's per-user data folder for it (named after the
    // application's organisation and name, which main sets first).
    static CompanionFiles ForThisProgram();

    const QString& Executable() const { return executable_; }
    const QString& DataFolder() const { return dataFolder_; }

    // The executable's file name up to its first ".": the name of its settings.
    QString SettingsName() const;
    // The executable's file name without its extension: the message boxes' caption.
    QString CaptionName() const;

    // The companion file named `suffix` (".sol", ".htm", " 0.txt") beside the executable and
    // in the data folder.
    QString Beside(const QString& suffix) const;
    QString InDataFolder(const QString& suffix) const;
    // A file the program only reads: beside the executable when it is there, otherwise in the
    // data folder when it is there, otherwise (for the messages) beside the executable.
    QString ForReading(const QString& suffix) const;
    // A file the program writes: beside the executable when that folder can be written.
    QString ForWriting(const QString& suffix) const;

    // The program path the core names written companion files after, and the one it should
    // name the read-only file `suffix` after.
    std::string WritingProgramPath() const;
    std::string ReadingProgramPath(const QString& suffix) const;

private:
    QString executable_;
    QString dataFolder_;
    bool besideWritable_ = true;
};

// At start-up: points the core at the writable place (ctx.programPath), carries an existing
// best-solutions file over when the writable place has none so that no solution goes out of
// sight, and gives the platform the help page and the boxes' caption.
void SetUpCompanionFiles(Context& ctx, QtPlatform& platform, const CompanionFiles& files);

// The startup files of the startup list, each looked up beside the executable and then in the
// data folder; replaces the collection as the core's ReadStartupFiles does.
void ReadStartupLevels(Context& ctx, const CompanionFiles& files);

// The records file, looked up beside the executable and then in the data folder.
std::string RecordsFile(const CompanionFiles& files);
// Reads it as the core's ReadRecordsFile.
FileResult ReadRecords(Context& ctx, const CompanionFiles& files, bool showErrors);

} // namespace vorpel
