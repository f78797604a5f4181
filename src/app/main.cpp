#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Sheetwright"));
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Sheetwright"));
    window.resize(1016, 716);
    window.show();
    return QApplication::exec();
}
