// Helpers shared by the program's benchmarks: an offscreen application, the main window on a
// folder of its own and a paint watch.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QObject>
#include <QSettings>
#include <QTemporaryDir>

#include "app/MainWindow.h"
#include "app/QtPlatform.h"
#include "files/GameSession.h"
#include "model/Context.h"

namespace vorpel::bench {

// An application on the offscreen platform for one benchmark, with settings in a folder of its
// own.
class BenchApplication {
public:
    BenchApplication() {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        app_ = std::make_unique<QApplication>(argc_, argv_);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings_.path());
    }

private:
    int argc_ = 1;
    char name_[8] = "bench";
    char* argv_[2] = {name_, nullptr};
    QTemporaryDir settings_;
    std::unique_ptr<QApplication> app_;
};

// The main window built (not shown) as if run from a temporary folder that holds `files` (name
// and bytes; "Vorpel 0.txt" is the startup file), with the file `argumentFile` of the folder, if
// any, named on its command line.
struct BenchProgram {
    QTemporaryDir folder;
    GameSession session;
    Context& ctx = session.Data();
    QtPlatform platform;
    std::unique_ptr<MainWindow> form;
    bool written = true; // every file was written

    explicit BenchProgram(const std::vector<std::pair<QString, std::string>>& files,
                          const QString& argumentFile = {}) {
        platform.script.emplace();
        ctx.platform = &platform;
        for (const auto& [name, bytes] : files) {
            QFile file(folder.filePath(name));
            written = written && file.open(QIODevice::WriteOnly) &&
                      file.write(bytes.data(), qint64(bytes.size())) == qint64(bytes.size());
        }
        QString line = u'"' + folder.filePath(QStringLiteral("Vorpel")) + u'"';
        if (!argumentFile.isEmpty())
            line += QStringLiteral(" \"") + folder.filePath(argumentFile) + u'"';
        form = std::make_unique<MainWindow>(session, platform, line);
        form->SetSettingsFormat(QSettings::IniFormat);
    }
    ~BenchProgram() { form.reset(); }
};

// Records whether the widget it filters has been painted.
class PaintWatch : public QObject {
public:
    bool painted = false;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) painted = true;
        return false;
    }
};

} // namespace vorpel::bench
