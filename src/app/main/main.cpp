// Program entry. The start-up sequence lives in the app library so that tests can drive it.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Quarry");
    QMainWindow window;
    window.setWindowTitle("Quarry");
    window.resize(721, 514);
    window.show();
    return QApplication::exec();
}
