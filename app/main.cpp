#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kelAlbum"));
    QApplication::setOrganizationName(QStringLiteral("tarnel"));
    QWidget w;
    w.setWindowTitle(QStringLiteral("kelAlbum"));
    w.resize(800, 600);
    w.show();
    return app.exec();
}
