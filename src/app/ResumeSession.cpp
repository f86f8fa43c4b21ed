// Resume where you left off: the resume file read at start-up in place of the startup files and
// written when the program closes.
#include "app/ResumeKeeper.h"

#include <QDir>
#include <QFileInfo>

#include "app/QtPlatform.h"
#include "files/ResumeFile.h"
#include "io/FileIO.h"

namespace vorpel {

bool ResumeKeeper::ResumeAtStart(const QString& dataFolder, bool writes) {
    writes_ = writes;
    if (path_.isEmpty() && !dataFolder.isEmpty())
        path_ = dataFolder + u'/' + QLatin1String(kResumeFileName);
    if (!ctx_.options.resume || path_.isEmpty()) return false;
    const std::string path = ToFileName(path_);
    const FileResult read = ReadResumeFile(ctx_, path);
    if (read.Ok()) return true;
    if (read.code == FileError::kNotFound) return false;
    const std::string& error = read.message;
    // A damaged file is kept for a look later, under another name, so that the next close does
    // not write over it.
    std::vector<std::string> lines = {"File " + path + ".", error};
    if (writes_) {
        const std::string aside = SetResumeFileAside(path);
        if (!aside.empty()) {
            lines.push_back(kResumeDamaged);
            lines.push_back(aside);
        }
    }
    platform_.ShowInfo(lines);
    return false;
}

void ResumeKeeper::Save() const {
    if (!writes_ || !ctx_.options.resume || path_.isEmpty()) return;
    QDir().mkpath(QFileInfo(path_).absolutePath());
    const Level* edited = ctx_.editing && editedLevel_ ? editedLevel_() : nullptr;
    const std::string path = ToFileName(path_);
    if (const FileResult written = WriteResumeFile(path, ctx_.collection, edited); !written.Ok())
        platform_.ShowInfo({"File " + path + ".", written.message});
}

} // namespace vorpel
