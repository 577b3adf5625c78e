// domlar-icons: renders the house picture of the main window into the menu
// icons, one PNG per size, so the menu and the window show the same picture.
#include "app/Pictures.h"
#include <QDir>
#include <QGuiApplication>
#include <cstdio>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");   // the build has no display
    QGuiApplication app(argc, argv);
    if (argc < 3) {
        std::fputs("usage: domlar-icons <folder> <size>...\n", stderr);
        return 1;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    for (int i = 2; i < argc; ++i) {
        const int size = QByteArray(argv[i]).toInt();
        const QString file = folder.filePath(QStringLiteral("%1.png").arg(size));
        if (size <= 0 || !Pictures::house(size).save(file)) {
            std::fprintf(stderr, "domlar-icons: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
