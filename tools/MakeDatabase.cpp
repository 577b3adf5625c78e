// domlar-makedb: makes a new encrypted database file for the program,
// optionally filled with reproducible demo data.
#include "platform/AppError.h"
#include "tools/DeliveredDatabase.h"
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>
#include <optional>

namespace {

void print(FILE *stream, const QString &text)
{
    std::fputs(text.toUtf8().constData(), stream);
    std::fputc('\n', stream);
}

// A count option: nullopt when absent; throws AppError when not a number >= 0.
std::optional<int> countOption(const QCommandLineParser &parser, const QString &name)
{
    if (!parser.isSet(name))
        return std::nullopt;
    bool ok = false;
    const int value = parser.value(name).toInt(&ok);
    if (!ok || value < 0)
        throw AppError(QStringLiteral("Неверное значение --%1: %2").arg(name, parser.value(name)));
    return value;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("domlar-makedb");

    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Создает новую зашифрованную базу данных Домлар (существующий файл не перезаписывается).");
    parser.addHelpOption();
    parser.addOptions({
        {"demo", "Заполнить демонстрационными данными: N предложений, N заявок, N/5 клиентов.", "N"},
        {"seed", "Начальное число генератора (по умолчанию 1).", "S"},
        {"offers", "Число предложений.", "N"},
        {"demands", "Число заявок.", "N"},
        {"clients", "Число клиентов.", "N"},
    });
    parser.addPositionalArgument("path", "Путь к файлу базы данных, например Data/domlar.mde.");
    parser.process(app);

    if (parser.positionalArguments().size() != 1) {
        print(stderr, QStringLiteral("Укажите один путь к файлу базы данных.\n") + parser.helpText());
        return 1;
    }
    const QString path = parser.positionalArguments().first();

    try {
        std::optional<DemoSizes> demo;
        const auto n = countOption(parser, "demo");
        const auto offers = countOption(parser, "offers");
        const auto demands = countOption(parser, "demands");
        const auto clients = countOption(parser, "clients");
        const auto seed = countOption(parser, "seed");
        // Any size option asks for demo data; --demo only sets the defaults.
        if (n || offers || demands || clients) {
            demo = DemoSizes::forCount(n.value_or(0));
            demo->offers = offers.value_or(demo->offers);
            demo->demands = demands.value_or(demo->demands);
            demo->clients = clients.value_or(demo->clients);
            demo->seed = uint32_t(seed.value_or(1));
        }

        QElapsedTimer timer;
        timer.start();
        const DemoCounts counts = Delivered::makeDatabase(path, demo);
        const double seconds = timer.elapsed() / 1000.0;

        print(stdout, QStringLiteral("Создана база данных: %1").arg(path));
        for (const auto &[table, rows] : counts)
            print(stdout, QStringLiteral("  %1: %2").arg(table, -18).arg(rows));
        print(stdout, QStringLiteral("Время: %1 с").arg(seconds, 0, 'f', 2));
        return 0;
    } catch (const AppError &e) {
        print(stderr, e.text());
    } catch (const std::exception &e) {
        print(stderr, QString::fromLocal8Bit(e.what()));
    }
    return 1;
}
