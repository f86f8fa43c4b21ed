// The options, the startup list and the file history in the per-user settings store.
#include "app/SettingsStore.h"

#include <QFileInfo>

#include "app/QtPlatform.h"
#include "app/ReplaySpeed.h"

namespace vorpel {

namespace {

constexpr const char* kOptionsGroup = "Options";
constexpr const char* kHistoryGroup = "History";

QString HistoryKey(std::size_t n) {
    return QLatin1String("File_") + QString::number(n);
}

// A stored truth value, whatever form the store gave it; none when it reads as neither.
std::optional<bool> ReadBool(const QVariant& value) {
    if (value.typeId() == QMetaType::Bool) return value.toBool();
    const QString text = value.toString().trimmed().toLower();
    if (text == QLatin1String("true") || text == QLatin1String("1")) return true;
    if (text == QLatin1String("false") || text == QLatin1String("0")) return false;
    return std::nullopt;
}

} // namespace

QString SettingsBaseName(const QString& executablePath) {
    return QFileInfo(executablePath).baseName();
}

SettingsStore::SettingsStore(Options& options, Platform& platform)
    : options_(options), platform_(platform) {
    for (std::size_t i = 0; i < optionNames.size(); ++i) optionNames[i] = kOptionNames[i];
}

void SettingsStore::SetSettingsKey(const QString& baseName, QSettings::Format format) {
    baseName_ = baseName;
    format_ = format;
}

std::unique_ptr<QSettings> SettingsStore::Open(const char* group) const {
    auto settings = std::make_unique<QSettings>(format_, QSettings::UserScope,
                                                QLatin1String(kSettingsOrganisation), baseName_);
    settings->beginGroup(QLatin1String(group));
    return settings;
}

void SettingsStore::ReadOptions(bool showError, int first, int last) {
    bool error = false;
    {
        const auto settings = Open(kOptionsGroup);
        for (int i = first; i <= last; ++i) {
            const QString name = FromCp1252(optionNames[static_cast<std::size_t>(i)]);
            const std::optional<bool> value =
                settings->contains(name) ? ReadBool(settings->value(name)) : std::nullopt;
            if (value)
                options_.value[static_cast<std::size_t>(i)] = *value;
            else
                error = true;
        }
        if (first == 0) {
            options_.startupList =
                ToCp1252(settings->value(QLatin1String(kStartupLoadValue)).toString());
            // Missing before the option existed: it stays on.
            if (const std::optional<bool> resume =
                    ReadBool(settings->value(QLatin1String(kResumeValue), true)))
                options_.resume = *resume;
            if (const std::optional<bool> pushes =
                    ReadBool(settings->value(QLatin1String(kFewestPushesValue), false)))
                options_.fewestPushes = *pushes;
            bool isNumber = false;
            const int speed = settings->value(QLatin1String(kReplaySpeedValue)).toInt(&isNumber);
            if (isNumber && ValidReplaySpeed(speed)) options_.replaySpeed = speed;
        }
        if (settings->status() != QSettings::NoError) error = true;
    }
    if (!error) return;
    if (showError) platform_.ShowInfo({kReadSettingsError});
    WriteOptions(false, first, last);
}

void SettingsStore::WriteOptions(bool showError, int first, int last) {
    bool error = false;
    {
        const auto settings = Open(kOptionsGroup);
        if (!settings->isWritable()) error = true;
        for (int i = first; i <= last; ++i)
            settings->setValue(FromCp1252(optionNames[static_cast<std::size_t>(i)]),
                               options_.value[static_cast<std::size_t>(i)]);
        if (first == 0) {
            settings->setValue(QLatin1String(kStartupLoadValue), FromCp1252(options_.startupList));
            settings->setValue(QLatin1String(kResumeValue), options_.resume);
            settings->setValue(QLatin1String(kFewestPushesValue), options_.fewestPushes);
            settings->setValue(QLatin1String(kReplaySpeedValue), options_.replaySpeed);
        }
        settings->sync();
        if (settings->status() != QSettings::NoError) error = true;
    }
    if (error && showError) platform_.ShowInfo({kWriteSettingsError});
}

void SettingsStore::SetOptionNames() {
    for (std::size_t i = 0; i < optionNames.size(); ++i) optionNames[i] = kOptionNames[i];
    ReadOptions(false, 0, kOptionCount - 1);
}

void SettingsStore::ReadHistory(std::vector<std::string>& list) {
    const auto settings = Open(kHistoryGroup);
    for (std::size_t n = 1;; ++n) {
        const QString name = settings->value(HistoryKey(n)).toString();
        list.push_back(ToFileName(name));
        if (name.isEmpty()) break;
    }
}

void SettingsStore::AddToHistory(const std::string& fileName) {
    std::vector<std::string> list;
    ReadHistory(list);
    const QString added = FromFileName(fileName);
    std::erase_if(list, [&added](const std::string& entry) {
        return FromFileName(entry).compare(added, Qt::CaseInsensitive) == 0;
    });
    list.insert(list.begin(), fileName);
    const auto settings = Open(kHistoryGroup);
    for (std::size_t i = 0; i < list.size(); ++i)
        settings->setValue(HistoryKey(i + 1), FromFileName(list[i]));
}

void SettingsStore::ClearHistory() {
    Open(kHistoryGroup)->setValue(HistoryKey(1), QString());
}

} // namespace vorpel
