// Resume where you left off: the resume file read at start-up in place of the startup files and
// written when the program closes.
#pragma once

#include <functional>

#include <QString>

#include "model/Context.h"

namespace vorpel {

class QtPlatform;

class ResumeKeeper {
public:
    ResumeKeeper(Context& ctx, QtPlatform& platform) : ctx_(ctx), platform_(platform) {}

    // The resume file; start-up puts it in the per-user data folder unless already set.
    const QString& Path() const { return path_; }
    void SetPath(const QString& path) { path_ = path; }
    // The editor's level while it is open, kept as the last level at close.
    void SetEditedLevel(std::function<const Level*()> editedLevel) {
        editedLevel_ = std::move(editedLevel);
    }
    bool KeepsEditedLevel() const { return static_cast<bool>(editedLevel_); }
    // Whether closing the program writes the resume file, which keeps the work of every window.
    bool SavesAtClose() const { return writes_ && ctx_.options.resume && !path_.isEmpty(); }

    // Reads the resume file (the default one in `dataFolder` unless a path is set) in place of
    // the startup files; false when there was none to read. `writes` is false in a copy started
    // for one level: it reads the file and never writes it.
    bool ResumeAtStart(const QString& dataFolder, bool writes);
    void Save() const;

private:
    Context& ctx_;
    QtPlatform& platform_;
    QString path_;
    bool writes_ = true;
    std::function<const Level*()> editedLevel_;
};

} // namespace vorpel
