#include "data/Connection.h"
#include "data/Statement.h"
#include "data/Money.h"
#include "data/TextCompare.h"
#include "platform/AppError.h"
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <sqlite3.h>

namespace {

// Unicode case-insensitive comparison for text columns: "квартира" = "Квартира".
// Registered for UTF-8, the files' encoding, so that it replaces the built-in
// ASCII-only NOCASE rather than standing beside it.
int compareNoCase(void *, int lenA, const void *a, int lenB, const void *b)
{
    return compareUtf8Text(static_cast<const char *>(a), lenA, static_cast<const char *>(b), lenB);
}

const int NewPageSize = 4096;
const int OldPageSize = 1024;   // the library's former default: files made before pinning

// Given before the first read, these decide how the pages are decrypted.
// SQLCipher 3.4 knows the first three and uses SHA1 for both algorithms anyway;
// the algorithm settings keep SQLCipher 4, whose defaults differ, on the same
// format (older versions ignore them).
QByteArray cipherSettings(int pageSize)
{
    return "PRAGMA cipher_page_size=" + QByteArray::number(pageSize) + ";"
           "PRAGMA kdf_iter=64000;"
           "PRAGMA cipher_use_hmac=ON;"
           "PRAGMA cipher_hmac_algorithm=HMAC_SHA1;"
           "PRAGMA cipher_kdf_algorithm=PBKDF2_HMAC_SHA1;";
}

bool isDamage(int code)
{
    return (code & 0xFF) == SQLITE_CORRUPT || (code & 0xFF) == SQLITE_NOTADB;
}

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

// A file or folder marked write-protected stays so, whoever runs the program.
bool writable(const QFileInfo &info)
{
    return info.isWritable() && (info.permissions() & QFileDevice::WriteOwner);
}

// Why an existing database file can only be read; empty when it can be written.
// The folder matters too: a change is first kept in a journal file beside the database.
QString readOnlyReason(const QFileInfo &file)
{
    if (!writable(file))
        return QStringLiteral("файл «%1» защищен от записи").arg(native(file.absoluteFilePath()));
    if (!writable(QFileInfo(file.absolutePath())))
        return QStringLiteral("папка «%1» защищена от записи").arg(native(file.absolutePath()));
    return QString();
}

const QString DamagedReason = QStringLiteral(
    "файл поврежден, и чтобы не повредить его сильнее, в него больше ничего не записывается. "
    "Восстановите базу данных из резервной копии (меню «Сохранение», «Восстановить»)");

// SQLite's English detail of a failed constraint or statement, said in Russian.
QString describeDetail(int code, const QString &detail)
{
    static const QRegularExpression patterns[] = {
        QRegularExpression(QStringLiteral("^UNIQUE constraint failed: (\\w+)\\.(\\w+)")),
        QRegularExpression(QStringLiteral("^NOT NULL constraint failed: (\\w+)\\.(\\w+)")),
        QRegularExpression(QStringLiteral("^CHECK constraint failed: (\\w+)")),
        QRegularExpression(QStringLiteral("^no such table: (\\S+)")),
        QRegularExpression(QStringLiteral("^(?:no such column: |table \\w+ has no column named )(\\S+)")),
    };
    static const QString texts[] = {
        QStringLiteral("Значение поля «%2» уже есть в таблице «%1». Введите другое значение."),
        QStringLiteral("Поле «%2» таблицы «%1» должно быть заполнено. Заполните его и повторите действие."),
        QStringLiteral("Значение не подходит для таблицы «%1» (например, текст длиннее допустимого). "
                       "Исправьте введенные данные."),
        QStringLiteral("В базе данных нет таблицы «%1». Возможно, выбран файл другой программы: "
                       "откройте файл базы данных Домлар или восстановите его из резервной копии."),
        QStringLiteral("В базе данных нет поля «%1». Возможно, выбран файл другой программы: "
                       "откройте файл базы данных Домлар или восстановите его из резервной копии."),
    };
    for (size_t i = 0; i < std::size(patterns); ++i) {
        const auto m = patterns[i].match(detail);
        if (m.hasMatch())
            return m.lastCapturedIndex() == 2 ? texts[i].arg(m.captured(1), m.captured(2))
                                              : texts[i].arg(m.captured(1));
    }
    if (code == SQLITE_CONSTRAINT)
        return QStringLiteral("Значение не может быть сохранено в базе данных. Проверьте введенные данные.");
    return QStringLiteral("Ошибка в запросе к базе данных. Сообщите о ней разработчику программы.");
}

const QString WaitingText = QStringLiteral("База данных занята другой программой, ожидание...");

} // namespace

QString Connection::describe(int code, const QString &detail) const
{
    if (m_damaged)
        return QStringLiteral("Изменения не сохранены: ") + DamagedReason + '.';
    switch (code & 0xFF) {
    case SQLITE_READONLY:
        return readOnly() ? QStringLiteral("Изменения не сохранены. ") + readOnlyNotice()
                          : QStringLiteral("Изменения не сохранены: база данных доступна только для чтения. "
                                           "Разрешите запись в файл и его папку и перезапустите программу.");
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return QStringLiteral("База данных занята другой программой: изменения не сохранены. "
                              "Дождитесь, когда другая программа закончит работу с базой, и повторите действие.");
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
        return QStringLiteral("Файл базы данных поврежден или пароль не подходит. "
                              "Восстановите базу данных из резервной копии (меню «Сохранение», «Восстановить»).");
    case SQLITE_FULL:
        return QStringLiteral("Нет места на диске: изменения не сохранены. "
                              "Освободите место на диске и повторите действие.");
    case SQLITE_IOERR:
        return QStringLiteral("Ошибка чтения или записи файла базы данных: изменения не сохранены. "
                              "Проверьте диск или сетевую папку с базой данных и повторите действие.");
    case SQLITE_CANTOPEN:
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return QStringLiteral("Нет доступа к файлу базы данных или к его папке: изменения не сохранены. "
                              "Проверьте права на запись в файл и папку и повторите действие.");
    case SQLITE_NOMEM:
        return QStringLiteral("Недостаточно памяти для работы с базой данных. "
                              "Закройте другие программы и повторите действие.");
    case SQLITE_TOOBIG:
        return QStringLiteral("Значение слишком велико для базы данных (например, очень большой файл рисунка). "
                              "Возьмите значение меньшего размера.");
    case SQLITE_CONSTRAINT:
    case SQLITE_ERROR:
        return describeDetail(code & 0xFF, detail);
    default:
        return QStringLiteral("Внутренняя ошибка базы данных (код %1). Повторите действие; "
                              "если ошибка повторится, перезапустите программу.").arg(code);
    }
}

Connection::~Connection()
{
    close();
}

QString Connection::password()
{
    return QStringLiteral("quebntoszhweckdylvu");
}

QString Connection::connectionTextFor(const QString &databasePath)
{
    return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + databasePath
           + QStringLiteral(";Jet OLEDB:Database Password=") + password();
}

QString Connection::textPart(const QString &connectionText, const QString &name)
{
    for (const QString &part : connectionText.split(';')) {
        const int eq = part.indexOf('=');
        if (eq > 0 && part.left(eq).trimmed().compare(name, Qt::CaseInsensitive) == 0)
            return part.mid(eq + 1);
    }
    return QString();
}

void Connection::open(const QString &connectionText, Mode mode)
{
    close();
    const QString path = textPart(connectionText, QStringLiteral("Data Source"));
    const QByteArray key = textPart(connectionText, QStringLiteral("Jet OLEDB:Database Password")).toUtf8();
    const QFileInfo info(path);
    if (path.isEmpty())
        throw AppError(QStringLiteral("В строке подключения не указан файл базы данных."));
    if (mode == Mode::Existing && !info.isFile())
        throw AppError(QStringLiteral("Файл базы данных не найден: ") + path);
    if (mode == Mode::Existing && info.size() == 0)
        throw AppError(QStringLiteral("Не удается открыть базу данных «%1»: файл пуст или поврежден.").arg(path));
    if (mode == Mode::CreateNew && info.exists())
        throw AppError(QStringLiteral("Файл уже существует, он не будет перезаписан: ") + path);

    m_damaged = false;
    m_readOnlyReason = mode == Mode::Existing ? readOnlyReason(info) : QString();
    int flags = SQLITE_OPEN_NOMUTEX;   // one thread uses the connection
    if (mode == Mode::CreateNew)
        flags |= SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
    else
        flags |= m_readOnlyReason.isEmpty() ? SQLITE_OPEN_READWRITE : SQLITE_OPEN_READONLY;

    int rc = openFile(path, key, flags, NewPageSize);
    if (rc == SQLITE_NOTADB && mode == Mode::Existing)
        rc = openFile(path, key, flags, OldPageSize);
    if (rc == SQLITE_BUSY)
        throw DatabaseBusyError(QStringLiteral("База данных «%1» занята другой программой. Закройте эту "
                                               "программу или дождитесь, когда она закончит работу с базой.")
                                    .arg(native(path)));
    if (isDamage(rc))
        throw AppError(QStringLiteral("Не удается открыть базу данных «%1»: файл поврежден или создан "
                                      "с другим паролем. Восстановите базу данных из резервной копии "
                                      "(меню «Сохранение», «Восстановить»).").arg(native(path)));
    if (rc != SQLITE_OK)
        throw AppError(QStringLiteral("Не удается открыть базу данных «%1». ").arg(native(path))
                       + describe(rc, QString()));
    m_connectionText = connectionText;
    m_path = info.absoluteFilePath();
}

// Opens and keys the file with the pinned settings and reads its first page;
// on success the connection holds it, otherwise the result code tells why not.
int Connection::openFile(const QString &path, const QByteArray &key, int flags, int pageSize)
{
    sqlite3 *db = nullptr;
    int rc = sqlite3_open_v2(path.toUtf8().constData(), &db, flags, nullptr);
    // Another program's lock is waited for from the very first read on.
    if (rc == SQLITE_OK)
        rc = sqlite3_busy_handler(db, waitWhileBusy, this);
    if (rc == SQLITE_OK && !key.isEmpty())
        rc = sqlite3_key(db, key.constData(), int(key.size()));
    if (rc == SQLITE_OK)
        rc = sqlite3_exec(db, cipherSettings(pageSize).constData(), nullptr, nullptr, nullptr);
    if (rc == SQLITE_OK)
        rc = sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    if (rc == SQLITE_OK && !(flags & SQLITE_OPEN_READONLY))
        rc = sqlite3_exec(db, "PRAGMA journal_mode=DELETE", nullptr, nullptr, nullptr);
    if (rc == SQLITE_OK)
        rc = sqlite3_exec(db, "PRAGMA synchronous=FULL", nullptr, nullptr, nullptr);
    // Decrypted pages stay cached, so re-reading a dataset does not decrypt the file again.
    if (rc == SQLITE_OK)
        rc = sqlite3_exec(db, "PRAGMA cache_size=-32768", nullptr, nullptr, nullptr);
    // Every text comparison and the matching search rely on the Unicode comparison:
    // a connection without it would silently compare Cyrillic by its bytes.
    if (rc == SQLITE_OK)
        rc = sqlite3_create_collation_v2(db, "NOCASE", SQLITE_UTF8, nullptr, compareNoCase, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_close_v2(db);
        return rc & 0xFF;
    }
    sqlite3_commit_hook(db, refuseCommitWhenDamaged, this);
    m_db = db;
    return SQLITE_OK;
}

int Connection::waitWhileBusy(void *connection, int attempt)
{
    auto *c = static_cast<Connection *>(connection);
    if (attempt == 0) {
        c->m_busySince.start();
        if (c->m_waitNotice)
            c->m_waitNotice(WaitingText);
    }
    if (c->m_busySince.elapsed() >= c->m_busyTimeoutMs)
        return 0;
    sqlite3_sleep(20);
    return 1;
}

// A transaction that reached a damaged file is rolled back instead of committed.
int Connection::refuseCommitWhenDamaged(void *connection)
{
    return static_cast<Connection *>(connection)->m_damaged ? 1 : 0;
}

void Connection::markDamaged()
{
    if (m_damaged || !m_db)
        return;
    m_damaged = true;
    sqlite3_exec(m_db, "PRAGMA query_only=ON", nullptr, nullptr, nullptr);
}

void Connection::close()
{
    if (m_db)
        sqlite3_close_v2(m_db);
    m_db = nullptr;
}

bool Connection::readOnly() const
{
    return m_db && (m_damaged || sqlite3_db_readonly(m_db, "main") == 1);
}

QString Connection::readOnlyNotice() const
{
    if (!readOnly())
        return QString();
    const QString reason = m_damaged ? DamagedReason
                           : m_readOnlyReason.isEmpty() ? QStringLiteral("файл недоступен для записи")
                                                        : m_readOnlyReason;
    return QStringLiteral("База данных открыта только для чтения: ") + reason
           + (m_damaged ? QStringLiteral(".") : QStringLiteral(". Чтобы вносить изменения, снимите защиту "
                                                                "от записи и перезапустите программу."));
}

sqlite3 *Connection::handle() const
{
    if (!m_db)
        throw AppError(QStringLiteral("Нет подключения к базе данных."));
    return m_db;
}

QString Connection::lastError() const
{
    return m_db ? describe(sqlite3_extended_errcode(m_db), QString::fromUtf8(sqlite3_errmsg(m_db)))
                : QStringLiteral("Нет подключения к базе данных.");
}

QString Connection::failure(int resultCode)
{
    if (isDamage(resultCode))
        markDamaged();
    return describe(resultCode, m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QString());
}

void Connection::execute(const QString &sql)
{
    char *message = nullptr;
    const int rc = sqlite3_exec(handle(), sql.toUtf8().constData(), nullptr, nullptr, &message);
    sqlite3_free(message);
    if (rc != SQLITE_OK)
        throw AppError(failure(rc));
}

long long Connection::lastInsertRowId() const
{
    return sqlite3_last_insert_rowid(handle());
}

Transaction::Transaction(Connection &c, Kind kind) : m_connection(c)
{
    m_connection.execute(kind == Kind::Immediate ? QStringLiteral("BEGIN IMMEDIATE") : QStringLiteral("BEGIN"));
}

Transaction::~Transaction()
{
    if (!m_done) {
        try { m_connection.execute(QStringLiteral("ROLLBACK")); } catch (const AppError &) {}
    }
}

void Transaction::commit()
{
    m_connection.execute(QStringLiteral("COMMIT"));
    m_done = true;
}

// ---- Statement ----

Statement::Statement(Connection &connection, const QString &sql) : m_connection(connection)
{
    const QByteArray text = sql.toUtf8();
    if (sqlite3_prepare_v2(connection.handle(), text.constData(), int(text.size()), &m_stmt, nullptr) != SQLITE_OK) {
        const QString error = connection.failure(sqlite3_extended_errcode(connection.handle()));
        sqlite3_finalize(m_stmt);
        m_stmt = nullptr;
        throw AppError(error + QStringLiteral("\nЗапрос: ") + sql);
    }
}

Statement::~Statement()
{
    // Finalizing gives the result of the last step, also of steps taken by a
    // reader through handle(): a damaged page found there still protects the file.
    const int rc = sqlite3_finalize(m_stmt);
    if (isDamage(rc))
        m_connection.failure(rc);
}

void Statement::bind(int index, const QVariant &v)
{
    int rc;
    if (isNullValue(v)) {
        rc = sqlite3_bind_null(m_stmt, index);
    } else if (v.metaType() == QMetaType::fromType<Money>()) {
        rc = sqlite3_bind_int64(m_stmt, index, v.value<Money>().units());
    } else {
        switch (v.typeId()) {
        case QMetaType::QDate:
        case QMetaType::QDateTime: {
            const QDate d = v.toDate();
            const QByteArray iso = d.toString(Qt::ISODate).toLatin1();
            rc = d.isValid() ? sqlite3_bind_text(m_stmt, index, iso.constData(), int(iso.size()), SQLITE_TRANSIENT)
                             : sqlite3_bind_null(m_stmt, index);
            break;
        }
        case QMetaType::Bool:
            rc = sqlite3_bind_int(m_stmt, index, v.toBool() ? 1 : 0);
            break;
        case QMetaType::Int: case QMetaType::UInt: case QMetaType::LongLong:
        case QMetaType::ULongLong: case QMetaType::Long: case QMetaType::Short:
            rc = sqlite3_bind_int64(m_stmt, index, v.toLongLong());
            break;
        case QMetaType::Double: case QMetaType::Float:
            rc = sqlite3_bind_double(m_stmt, index, v.toDouble());
            break;
        case QMetaType::QByteArray: {
            const QByteArray b = v.toByteArray();
            rc = sqlite3_bind_blob64(m_stmt, index, b.constData(), sqlite3_uint64(b.size()), SQLITE_TRANSIENT);
            break;
        }
        default: {
            const QString s = v.toString();
            rc = sqlite3_bind_text16(m_stmt, index, s.utf16(), int(s.size() * 2), SQLITE_TRANSIENT);
        }
        }
    }
    if (rc != SQLITE_OK)
        throw AppError(m_connection.lastError());
}

bool Statement::step()
{
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    const QString error = m_connection.failure(rc);
    sqlite3_reset(m_stmt);
    throw AppError(error);
}

void Statement::reset()
{
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
}
