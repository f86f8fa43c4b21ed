// The options, the startup list and the file history in the per-user settings store.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include <QSettings>
#include <QString>

#include "model/Context.h"

namespace vorpel {

inline constexpr const char* kSettingsOrganisation = "Ostavin";
inline constexpr const char* kStartupLoadValue = "Startup load";
inline constexpr const char* kResumeValue = "Resume where you left off";
inline constexpr const char* kFewestPushesValue = "Sokoban solutions with fewest pushes";
inline constexpr const char* kReplaySpeedValue = "Replay speed";
inline constexpr const char* kReadSettingsError = "Error reading data from the Registry.";
inline constexpr const char* kWriteSettingsError = "Error writing data to the Registry.";

// The settings name of a program: its executable's file name up to the first ".".
QString SettingsBaseName(const QString& executablePath);

class SettingsStore {
public:
    // Reads into and writes from `options`; shows its errors through `platform`.
    SettingsStore(Options& options, Platform& platform);

    // Fixes the store: organisation "Ostavin", application `baseName`, in `format` (the
    // platform's own store unless told otherwise; tests use IniFormat under a path of their own).
    void SetSettingsKey(const QString& baseName,
                        QSettings::Format format = QSettings::NativeFormat);

    // The entries first to last (inclusive) and, when first is 0, the startup list. A missing
    // or unreadable value leaves its entry as it is, and the values in memory are written back.
    void ReadOptions(bool showError, int first, int last);
    void WriteOptions(bool showError, int first, int last);
    // Fills the option names and reads every option without messages.
    void SetOptionNames();

    // The history, most recent first, ending with its empty terminator.
    void ReadHistory(std::vector<std::string>& list);
    void AddToHistory(const std::string& fileName);
    void ClearHistory();

    // The names of the options as they are stored.
    std::array<std::string, kOptionCount> optionNames{};

private:
    std::unique_ptr<QSettings> Open(const char* group) const;

    Options& options_;
    Platform& platform_;
    QString baseName_;
    QSettings::Format format_ = QSettings::NativeFormat;
};

} // namespace vorpel
