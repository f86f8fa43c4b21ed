// Helpers shared by the program's benchmarks: an offscreen application and a paint watch.
#pragma once

#include <memory>

#include <QApplication>
#include <QEvent>
#include <QObject>
#include <QSettings>
#include <QTemporaryDir>

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
