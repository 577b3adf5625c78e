#include "data/Connection.h"
#include "data/Statement.h"
#include "data/Money.h"
#include "data/TextCompare.h"
#include "platform/AppError.h"
#include <QDate>
#include <QFileInfo>
#include <sqlite3.h>

namespace {

// Unicode case-insensitive comparison for text columns: "квартира" = "Квартира".
// Registered for UTF-8, the files' encoding, so that it replaces the built-in
// ASCII-only NOCASE rather than standing beside it.
int compareNoCase(void *, int lenA, const void *a, int lenB, const void *b)
{
    return compareUtf8Text(static_cast<const char *>(a), lenA, static_cast<const char *>(b), lenB);
}

QString translateError(sqlite3 *db, int code)
{
    const QString detail = QString::fromUtf8(sqlite3_errmsg(db));
    switch (code & 0xFF) {
    case SQLITE_READONLY:
        return QStringLiteral("База данных открыта только для чтения: изменения не сохранены.");
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return QStringLiteral("База данных занята другой программой. Повторите действие позже.");
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
        return QStringLiteral("Файл базы данных поврежден или пароль не подходит.");
    case SQLITE_FULL:
        return QStringLiteral("Нет места на диске: изменения не сохранены.");
    case SQLITE_CONSTRAINT:
        return QStringLiteral("Значение не может быть сохранено в базе данных: ") + detail;
    default:
        return QStringLiteral("Ошибка базы данных: ") + detail;
    }
}

} // namespace

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

    int flags = SQLITE_OPEN_NOMUTEX;   // one thread uses the connection
    if (mode == Mode::CreateNew)
        flags |= SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
    else
        // A file marked read-only stays read-only, whoever runs the program.
        flags |= info.isWritable() && (info.permissions() & QFileDevice::WriteOwner)
                     ? SQLITE_OPEN_READWRITE : SQLITE_OPEN_READONLY;

    sqlite3 *db = nullptr;
    int rc = sqlite3_open_v2(path.toUtf8().constData(), &db, flags, nullptr);
    if (rc == SQLITE_OK && !key.isEmpty())
        rc = sqlite3_key(db, key.constData(), int(key.size()));
    if (rc == SQLITE_OK)
        rc = sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
        const int code = rc & 0xFF;
        sqlite3_close_v2(db);
        if (code == SQLITE_NOTADB || code == SQLITE_CORRUPT)
            throw AppError(QStringLiteral("Не удается открыть базу данных «%1»: файл поврежден "
                                          "или создан с другим паролем.").arg(path));
        throw AppError(QStringLiteral("Не удается открыть базу данных «%1».").arg(path));
    }
    sqlite3_busy_timeout(db, 5000);
    // Decrypted pages stay cached, so re-reading a dataset does not decrypt the file again.
    sqlite3_exec(db, "PRAGMA cache_size=-32768", nullptr, nullptr, nullptr);
    sqlite3_create_collation_v2(db, "NOCASE", SQLITE_UTF8, nullptr, compareNoCase, nullptr);
    m_db = db;
    m_connectionText = connectionText;
    m_path = info.absoluteFilePath();
}

void Connection::close()
{
    if (m_db)
        sqlite3_close_v2(m_db);
    m_db = nullptr;
}

bool Connection::readOnly() const
{
    return m_db && sqlite3_db_readonly(m_db, "main") == 1;
}

sqlite3 *Connection::handle() const
{
    if (!m_db)
        throw AppError(QStringLiteral("Нет подключения к базе данных."));
    return m_db;
}

QString Connection::lastError() const
{
    return m_db ? translateError(m_db, sqlite3_extended_errcode(m_db)) : QStringLiteral("Нет подключения к базе данных.");
}

void Connection::execute(const QString &sql)
{
    char *message = nullptr;
    const int rc = sqlite3_exec(handle(), sql.toUtf8().constData(), nullptr, nullptr, &message);
    sqlite3_free(message);
    if (rc != SQLITE_OK)
        throw AppError(translateError(m_db, rc));
}

long long Connection::lastInsertRowId() const
{
    return sqlite3_last_insert_rowid(handle());
}

Transaction::Transaction(Connection &c) : m_connection(c)
{
    m_connection.execute(QStringLiteral("BEGIN"));
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
        const QString error = connection.lastError();
        sqlite3_finalize(m_stmt);
        m_stmt = nullptr;
        throw AppError(error + QStringLiteral("\nЗапрос: ") + sql);
    }
}

Statement::~Statement()
{
    sqlite3_finalize(m_stmt);
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
    const QString error = translateError(m_connection.handle(), rc);
    sqlite3_reset(m_stmt);
    throw AppError(error);
}

void Statement::reset()
{
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
}
