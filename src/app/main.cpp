// Starts the program: the application, the game session, the platform and the main window.
#include <QApplication>
#include <QFileInfo>
#include <QStringList>

#include "app/MainWindow.h"
#include "app/QtPlatform.h"
#include "bricksdll/BricksDll.h"
#include "files/GameSession.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    // The per-user data folder, where companion files go when the program's folder is
    // read-only, is named after these.
    QApplication::setOrganizationName(QStringLiteral("Ostavin"));
    QApplication::setApplicationName(QFileInfo(QApplication::applicationFilePath()).baseName());
    vorpel::RegisterDllReader();
    vorpel::GameSession session;
    vorpel::QtPlatform platform;
    session.Data().platform = &platform;
    // The command line as one text: the program quoted, then the argument as given.
    const QStringList arguments = QApplication::arguments();
    QString line = u'"' + QApplication::applicationFilePath() + u'"';
    if (arguments.size() > 1) line += u' ' + arguments.mid(1).join(u' ');
    vorpel::MainWindow window(session, platform, line);
    window.show();
    const int result = QApplication::exec();
    session.Data().platform = &session.Data().silentPlatform;
    return result;
}
