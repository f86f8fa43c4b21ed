// Starts the program; a stand-in until the main window takes its place.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QMainWindow window;
    window.show();
    return QApplication::exec();
}
