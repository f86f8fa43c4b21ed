// The fixture the window tests share: a temporary program folder, a context wired to a platform
// whose message boxes are answered by a script, and the main window started on them.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string_view>

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QSettings>
#include <QString>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "app/BoardView.h"
#include "app/MainWindow.h"
#include "app/QtPlatform.h"
#include "files/GameSession.h"
#include "model/Context.h"

namespace vorpel::test {

// Held by a test class as a base after QObject; its init() and cleanup() call NewFolder() and
// Stop(), and each test starts the window it needs.
class MainWindowHarness {
protected:
    std::optional<QTemporaryDir> folder_;
    std::optional<GameSession> session_;
    Context* ctx_ = nullptr; // the session's data
    std::optional<QtPlatform> platform_;
    std::unique_ptr<MainWindow> form_;

    // Writes `text` to `path` as it stands, failing the test if the file cannot be opened.
    static void Write(const QString& path, std::string_view text) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(text.data(), static_cast<qint64>(text.size()));
    }

    QString File(const QString& name) const { return folder_->filePath(name); }
    QString File(const char* name) const { return File(QLatin1String(name)); }
    // The program as if run from the temporary folder, so its companion files are found there.
    QString Program() const { return File("Vorpel"); }

    // A new temporary folder that holds the test's own settings store and, unless `startup` is
    // empty, the startup level file.
    void NewFolder(std::string_view startup = {}) {
        folder_.emplace();
        QVERIFY(folder_->isValid());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder_->path());
        if (!startup.empty()) Write(File("Vorpel 0.txt"), startup);
    }

    // A fresh context and platform, with every message box answered by the script.
    void NewContext() {
        session_.emplace();
        ctx_ = &session_->Data();
        platform_.emplace();
        platform_->script.emplace();
        ctx_->platform = &*platform_;
    }

    // Starts the window as if the program in the temporary folder were run with `argument`;
    // `beforeShow` may adjust the window once it is built.
    MainWindow& Start(const QString& argument = {},
                      const std::function<void(MainWindow&)>& beforeShow = {}) {
        form_.reset();
        NewContext();
        QString line = u'"' + Program() + u'"';
        if (!argument.isEmpty()) line += u' ' + argument;
        form_ = std::make_unique<MainWindow>(*session_, *platform_, line);
        form_->SetSettingsFormat(QSettings::IniFormat);
        if (beforeShow) beforeShow(*form_);
        form_->show();
        if (!QTest::qWaitForWindowExposed(form_.get())) qWarning("the window was not exposed");
        return *form_;
    }

    // Closes everything in the reverse order of building it.
    void Stop() {
        form_.reset();
        platform_.reset();
        ctx_ = nullptr;
        session_.reset();
    }

    // Runs a command whose modal window `act` handles once it is open; the window is closed
    // afterwards when `act` left it open.
    template <typename Window, typename Act> void WithModal(Command command, Act act) {
        bool acted = false;
        QTimer::singleShot(0, [&] {
            auto* window = qobject_cast<Window*>(QApplication::activeModalWidget());
            QVERIFY(window != nullptr);
            act(*window);
            acted = true;
            if (window->isVisible()) window->reject();
        });
        form_->Action(command)->trigger();
        QVERIFY(acted);
    }

    // The board view's cell selection.
    RowSet& Selected() { return form_->Board().Selection().cells; }

    // The kind of block at a cell of the play board (0 for none).
    Byte KindAt(int row, int column) const {
        const PlayBoard& board = ctx_->board;
        const int block = board.blockAt[static_cast<std::size_t>(CellIndex(row, column))];
        return block < kFirstBlock ? Byte{0} : board.blocks[static_cast<std::size_t>(block)].kind;
    }
};

} // namespace vorpel::test
