// Runs every registered Qt test class, or only the one named by the first argument, with the
// settings store and the per-user folders redirected into a temporary folder.
#include "AppTest.h"

#include <string>
#include <utility>
#include <vector>

#include <QApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "bricksdll/BricksDll.h"

namespace vorpel::test {

namespace {

std::vector<std::pair<std::string, AppTestFactory>>& Registry() {
    static std::vector<std::pair<std::string, AppTestFactory>> registry;
    return registry;
}

} // namespace

bool RegisterAppTest(const char* name, AppTestFactory factory) {
    Registry().emplace_back(name, factory);
    return true;
}

} // namespace vorpel::test

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    vorpel::RegisterDllReader(); // as the program does at start-up
    // No test may touch the user's own settings.
    const QTemporaryDir settingsFolder;
    for (const QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
        QSettings::setPath(format, QSettings::UserScope, settingsFolder.path());

    QStringList arguments = QApplication::arguments();
    QString only;
    if (arguments.size() > 1 && !arguments[1].startsWith(QLatin1Char('-')))
        only = arguments.takeAt(1);
    int failures = 0;
    bool ran = false;
    for (const auto& [name, factory] : vorpel::test::Registry()) {
        if (!only.isEmpty() && only != QLatin1String(name.c_str())) continue;
        ran = true;
        const std::unique_ptr<QObject> test = factory();
        failures += QTest::qExec(test.get(), arguments);
    }
    return failures == 0 && ran ? 0 : 1;
}
