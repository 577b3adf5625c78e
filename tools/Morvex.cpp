// morvex: the compaction utility the program starts from its data folder as it
// ends. It waits until the program has ended, compacts the database with a copy
// kept beside it, and shows the sizes before and after.
#include "platform/AppError.h"
#include "platform/Dialogs.h"
#include "platform/SingleInstance.h"
#include "tools/Compaction.h"
#include <QApplication>
#include <QLocale>

namespace {

// Long enough for the program to close its windows and the database.
const int WaitForProgramMs = 120000;

QString sizeText(qint64 bytes)
{
    return QLocale().formattedDataSize(bytes, 1, QLocale::DataSizeTraditionalFormat);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));

    // Held until the end, so the program cannot open the file while it is compacted.
    SingleInstance program(QStringLiteral("Domlar"));
    if (!program.acquire(WaitForProgramMs)) {
        dialogs().error(QStringLiteral("Программа Домлар не завершила работу: сжатие данных не выполнено."));
        return 1;
    }
    try {
        const QString path = databaseToCompact(QCoreApplication::applicationDirPath());
        const CompactionResult r = compactDatabase(path);
        dialogs().information(QStringLiteral("Сжатие данных завершено.\n\nРазмер базы данных до сжатия: %1\n"
                                             "после сжатия: %2")
                                  .arg(sizeText(r.before), sizeText(r.after)));
        return 0;
    } catch (const AppError &e) {
        dialogs().error(QStringLiteral("Сжатие данных не выполнено.\n") + e.text());
    }
    return 1;
}
