// Resume where you left off: the resume file read at start-up in place of the startup files and
// written when the program closes.
#include <QDir>
#include <QFileInfo>

#include "app/MainWindow.h"
#include "app/QtPlatform.h"
#include "files/ResumeFile.h"
#include "io/FileIO.h"
#include "model/History.h"
#include "model/Movement.h"
#include "model/Solved.h"

namespace vorpel {

bool MainWindow::ResumeAtStart() {
    if (resumePath.isEmpty() && !companions_.DataFolder().isEmpty())
        resumePath = companions_.DataFolder() + u'/' + QLatin1String(kResumeFileName);
    if (!ctx_.options.resume || resumePath.isEmpty()) return false;
    const std::string path = ToFileName(resumePath);
    const std::string error = ReadResumeFile(ctx_, path);
    if (error.empty()) return true;
    if (error == kFileNotFound) return false;
    // A damaged file is kept for a look later, under another name, so that the next close does
    // not write over it.
    std::vector<std::string> lines = {"File " + path + ".", error};
    if (resumeWrites) {
        const std::string aside = SetResumeFileAside(path);
        if (!aside.empty()) {
            lines.push_back(kResumeDamaged);
            lines.push_back(aside);
        }
    }
    platform_.ShowInfo(lines);
    return false;
}

void MainWindow::SaveResumeFile() {
    if (!resumeWrites || !ctx_.options.resume || resumePath.isEmpty()) return;
    QDir().mkpath(QFileInfo(resumePath).absolutePath());
    const Level* edited = ctx_.flags.editorActive && editedLevel ? editedLevel() : nullptr;
    const std::string path = ToFileName(resumePath);
    if (const std::string error = WriteResumeFile(path, ctx_.collection, edited); !error.empty())
        platform_.ShowInfo({"File " + path + ".", error});
}

} // namespace vorpel
