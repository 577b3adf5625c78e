#include "currency/SprUE.h"
#include "currency/UploadUE.h"
#include "platform/IniFile.h"
#include "support/ProgramForms.h"
#include "widgets/DateEdit.h"
#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

// An HTTP server on 127.0.0.1 that answers the rate requests of each currency
// code as told, and records what it was asked.
class RateServer : public QObject {
public:
    enum class Way { Answer, HangUp, Silent };
    struct Reply {
        Way way = Way::Answer;
        QByteArray status = "200 OK";
        QByteArray body;
    };

    QMap<QByteArray, Reply> replies;   // by currency code
    QList<QByteArray> paths;
    QList<QByteArray> agents;
    std::function<void()> onRequest;   // runs while the program waits for the answer

    RateServer()
    {
        m_server.listen(QHostAddress::LocalHost);
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *s = m_server.nextPendingConnection())
                connect(s, &QTcpSocket::readyRead, this, [this, s] { read(s); });
        });
    }
    QString base() const { return QStringLiteral("http://127.0.0.1:%1/tsv/").arg(m_server.serverPort()); }

private:
    void read(QTcpSocket *s)
    {
        QByteArray &request = m_requests[s];
        request += s->readAll();
        if (!request.contains("\r\n\r\n")) return;
        const QList<QByteArray> lines = request.split('\n');
        const QByteArray path = lines.first().split(' ').value(1);
        paths << path;
        for (const QByteArray &line : lines)
            if (line.toLower().startsWith("user-agent:")) agents << line.mid(11).trimmed();
        if (onRequest) onRequest();
        answer(s, replies.value(path.split('/').value(2)));
    }
    static void answer(QTcpSocket *s, const Reply &r)
    {
        if (r.way == Way::Silent) return;
        if (r.way == Way::Answer)
            s->write("HTTP/1.1 " + r.status + "\r\nContent-Length: " + QByteArray::number(r.body.size())
                     + "\r\nConnection: close\r\n\r\n" + r.body);
        s->disconnectFromHost();
    }

    QTcpServer m_server;
    QHash<QTcpSocket *, QByteArray> m_requests;
};

void pointAt(ProgramForms &f, const QString &base)
{
    IniFile ini(f.dir.file("Data/Data.ini"));
    ini.load();
    ini.writeString("Rates", "Url", base);
    ini.save();
}

struct UploadForms : ProgramForms {
    TFSprUE *rateDirectory = make(FSprUE);
    TFUploadUE *w = make(FUploadUE);
    RateServer server;

    explicit UploadForms(const QString &base = {})
    {
        pointAt(*this, base.isEmpty() ? server.base() : base);
        w->dateEdit()->setDate(QDate(2006, 3, 5));
    }
    void answer(const char *code, const QByteArray &body, const QByteArray &status = "200 OK")
    {
        server.replies[code] = {RateServer::Way::Answer, status, body};
    }
    // Clicks "Загрузить" with the message boxes answered; gives the messages shown.
    QStringList load(int messages)
    {
        dialogs.clearCalls();
        for (int i = 0; i < messages; ++i) dialogs.answerMessage(Dialogs::Cancel);
        w->findChild<QPushButton *>("BitBtn1")->click();
        QStringList shown;
        for (const auto &call : dialogs.calls()) shown << call.text;
        return shown;
    }
    QString storedRows()
    {
        return stored("SELECT group_concat(UEDate || ' ' || Dollar || ' ' || EURO, ';') FROM SprUE").toString();
    }
    bool inProgramFolder(const QString &name) { return QFileInfo::exists(dir.file(name)); }
};

const QString Done = QStringLiteral("Загрузка завершена");
const QString Failed = QStringLiteral("Ошибка загрузки файла");
const QString NoFile = QStringLiteral("Локальная ошибка получения курса");
const QString NotARate = QStringLiteral("Не верное значение курса");

} // namespace

// Each currency has its address and local file; each outcome its box and buttons.
TEST(UploadUE, AddressesFilesAndMessages)
{
    UploadForms f;
    f.answer("840", "1\t28.1234\n");
    f.answer("978", "1\t34,5678\n");
    f.w->show();
    EXPECT_EQ(f.load(2), (QStringList{Done, Done}));
    EXPECT_EQ(f.server.paths, (QList<QByteArray>{"/tsv/840/2006/03/05.tsv", "/tsv/978/2006/03/05.tsv"}));
    const QByteArray agent = QFileInfo(QCoreApplication::applicationFilePath()).fileName().toUtf8();
    EXPECT_EQ(f.server.agents, (QList<QByteArray>{agent, agent}));
    const auto &call = f.dialogs.calls().first();
    EXPECT_EQ(call.title, QStringLiteral("Информация"));
    EXPECT_EQ(call.buttons, Dialogs::Buttons::Yes);
    EXPECT_EQ(f.storedRows(), QStringLiteral("2006-03-05 281234 345678"));
    EXPECT_FALSE(f.inProgramFolder("840_05032006.tsv"));
    EXPECT_FALSE(f.w->isVisible());

    // An error page is downloaded like a rate, fails the conversion, stays for a look, and stores zero.
    f.answer("840", "<html>Not found</html>", "404 Not Found");
    EXPECT_EQ(f.load(3), (QStringList{Done, NotARate, Done}));
    EXPECT_EQ(f.dialogs.calls().at(1).title, QStringLiteral("Ошибка"));
    EXPECT_EQ(f.dialogs.calls().at(1).buttons, Dialogs::Buttons::Cancel);
    EXPECT_TRUE(f.inProgramFolder("840_05032006.tsv"));
    EXPECT_FALSE(f.inProgramFolder("978_05032006.tsv"));
    EXPECT_EQ(f.storedRows(), QStringLiteral("2006-03-05 281234 345678;2006-03-05 0 345678"));
}

// Only the first line counts; two characters are skipped; "." and "," both separate decimals.
TEST(UploadUE, FirstLineGivesTheRate)
{
    const struct { QByteArray body; long long units; bool rate; } cases[] = {
        {"1\t28.1234", 281234, true},
        {"1\t28,1234", 281234, true},
        {"1\t28.1234\r\n1\t99.0000\r\n", 281234, true},
        {"100\t26.5", 0, false},   // "0\t26.5" after the skip: not a rate alone
        {"1\t 27.5 ", 275000, true},
        {"1\t28.12.34", 0, false},
        {"1\t1 234,5", 0, false},
        {"", 0, false},
    };
    for (const auto &c : cases) {
        UploadForms f;
        f.answer("840", c.body);
        f.answer("978", "1\t35");
        const QStringList expected = c.rate ? QStringList{Done, Done} : QStringList{Done, NotARate, Done};
        EXPECT_EQ(f.load(int(expected.size())), expected) << c.body.constData();
        EXPECT_EQ(f.storedRows(), QStringLiteral("2006-03-05 %1 350000").arg(c.rate ? c.units : 0)) << c.body.constData();
    }
}

TEST(UploadUE, TwoDownloadsOfOneDateStoreTwoRows)
{
    UploadForms f;
    f.answer("840", "1\t28.1234");
    f.answer("978", "1\t34.5");
    f.load(2);
    f.load(2);
    EXPECT_EQ(f.storedRows(), QStringLiteral("2006-03-05 281234 345000;2006-03-05 281234 345000"));
}

// A failed fetch leaves no file, so the read fails too and nothing is stored;
// the same when the euro fails after a good dollar.
TEST(UploadUE, FailedFetchStoresNothing)
{
    QTcpServer closed;
    closed.listen(QHostAddress::LocalHost);
    const QString nobody = QStringLiteral("http://127.0.0.1:%1/tsv/").arg(closed.serverPort());
    closed.close();
    const QString readError = QStringLiteral("Не удалось прочитать файл «");
    {
        UploadForms f(nobody);
        f.w->show();
        const QStringList shown = f.load(3);
        ASSERT_EQ(shown.size(), 3);
        EXPECT_EQ(shown.mid(0, 2), (QStringList{Failed, NoFile}));
        EXPECT_TRUE(shown[2].startsWith(readError)) << shown[2].toStdString();
        for (const auto &call : f.dialogs.calls()) EXPECT_EQ(call.title, QStringLiteral("Ошибка"));
        EXPECT_EQ(f.dialogs.calls().at(0).buttons, Dialogs::Buttons::Cancel);
        EXPECT_EQ(f.storedRows(), QString());
        EXPECT_TRUE(f.w->isVisible());
    }
    {
        UploadForms f;
        f.answer("840", "1\t28.1234");
        f.server.replies["978"].way = RateServer::Way::HangUp;
        const QStringList shown = f.load(4);
        ASSERT_EQ(shown.size(), 4);
        EXPECT_EQ(shown.mid(0, 3), (QStringList{Done, Failed, NoFile}));
        EXPECT_EQ(f.storedRows(), QString());
        EXPECT_FALSE(f.inProgramFolder("840_05032006.tsv"));
    }
}

// A server that never answers: the window shows it is loading, then the
// no-progress limit fails the fetch.
TEST(UploadUE, SilentServerFailsAfterTheLimit)
{
    UploadForms f;
    f.w->setLimits({200, 64 * 1024});
    f.server.replies["840"].way = RateServer::Way::Silent;
    QString stateWhileWaiting;
    bool buttonWhileWaiting = true;
    f.server.onRequest = [&] {
        stateWhileWaiting = f.w->stateText();
        buttonWhileWaiting = f.w->findChild<QPushButton *>("BitBtn1")->isEnabled();
    };
    const QStringList shown = f.load(3);
    EXPECT_EQ(shown.mid(0, 2), (QStringList{Failed, NoFile}));
    EXPECT_EQ(stateWhileWaiting, QStringLiteral("Загрузка…"));
    EXPECT_FALSE(buttonWhileWaiting);
    EXPECT_EQ(f.w->stateText(), QString());
    EXPECT_TRUE(f.w->findChild<QPushButton *>("BitBtn1")->isEnabled());
    EXPECT_EQ(f.server.paths.size(), 1);
    EXPECT_EQ(f.storedRows(), QString());
}

// A huge body is cut at 64 KiB: the file holds that much and is no rate.
TEST(UploadUE, HugeBodyIsCut)
{
    UploadForms f;
    f.answer("840", QByteArray(10 * 1024 * 1024, 'x'));
    f.answer("978", "1\t35");
    EXPECT_EQ(f.load(3), (QStringList{Done, NotARate, Done}));
    EXPECT_EQ(QFileInfo(f.dir.file("840_05032006.tsv")).size(), 64 * 1024);
    EXPECT_EQ(f.storedRows(), QStringLiteral("2006-03-05 0 350000"));
}

// With the program's folder not writable the rate files go to the data folder.
TEST(UploadUE, ReadOnlyProgramFolderUsesTheDataFolder)
{
    if (geteuid() == 0) GTEST_SKIP() << "a folder cannot be made unwritable for root";
    UploadForms f;
    f.answer("840", "junk");
    f.answer("978", "1\t35");
    QFile::setPermissions(f.dir.path(), QFile::ReadOwner | QFile::ExeOwner);
    const QStringList shown = f.load(3);
    QFile::setPermissions(f.dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(shown, (QStringList{Done, NotARate, Done}));
    EXPECT_TRUE(QFileInfo::exists(f.dir.file("Data/840_05032006.tsv")));
    EXPECT_EQ(f.storedRows(), QStringLiteral("2006-03-05 0 350000"));
}

// Data.ini [Rates] Url gives the base address; without it the public service serves.
TEST(UploadUE, BaseAddress)
{
    const struct { const char *url, *base; } cases[] = {
        {nullptr, "http://cbrates.rbc.ru/tsv/"},
        {"", "http://cbrates.rbc.ru/tsv/"},
        {"http://rates.example/tsv/", "http://rates.example/tsv/"},
        {" http://rates.example/tsv ", "http://rates.example/tsv/"},
    };
    for (const auto &c : cases) {
        ProgramForms f;
        if (c.url) pointAt(f, QString::fromLatin1(c.url));
        EXPECT_EQ(TFUploadUE::baseAddress().toStdString(), c.base);
    }
}

// "Интернет" opens the window modally; it starts on today and then keeps the chosen date.
TEST(UploadUE, OpenedFromTheRateDirectoryKeepsTheDate)
{
    ProgramForms f;
    f.make(FSprUE);
    f.make(FUploadUE);
    EXPECT_EQ(FUploadUE->dateEdit()->date(), QDate::currentDate());
    f.answerModal([](QDialog *w) { static_cast<TFUploadUE *>(w)->dateEdit()->setDate(QDate(2006, 3, 5)); });
    FSprUE->findChild<QAction *>("N2")->trigger();
    f.answerModal([](QDialog *) {});
    FSprUE->findChild<QAction *>("N2")->trigger();
    ASSERT_EQ(f.dialogs.calls().size(), 2);
    EXPECT_EQ(f.dialogs.calls().at(1).title, QStringLiteral("FUploadUE"));
    EXPECT_EQ(f.dialogs.calls().at(1).text, QStringLiteral("Загрузка курсов валют"));
    EXPECT_EQ(FUploadUE->dateEdit()->date(), QDate(2006, 3, 5));
}
