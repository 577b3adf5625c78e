#include "app/VerInfo.h"
#include "app/VersionRecord.h"
#include "platform/AppError.h"
#include <QFileInfo>
#include <QLineEdit>
#include <QVBoxLayout>

TFVerInfo *FVerInfo = nullptr;

TFVerInfo::TFVerInfo(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("FVerInfo"));
    new QVBoxLayout(this);
    ECompanyName = edit(QStringLiteral("ECompanyName"));
    EFileVersion = edit(QStringLiteral("EFileVersion"));
    EOriginalFilename = edit(QStringLiteral("EOriginalFilename"));
    EProductName = edit(QStringLiteral("EProductName"));
    EProductVersion = edit(QStringLiteral("EProductVersion"));
    EComments = edit(QStringLiteral("EComments"));
    FVerInfo = this;
}

TFVerInfo::~TFVerInfo()
{
    if (FVerInfo == this) FVerInfo = nullptr;
}

QLineEdit *TFVerInfo::edit(const QString &name)
{
    auto *e = new QLineEdit(this);
    e->setObjectName(name);
    layout()->addWidget(e);
    return e;
}

void TFVerInfo::SetFilename(const QString &fileName)
{
    Filename = fileName;
    QString *texts[] = {&CompanyName, &FileDescription, &FileVersion, &InternalName, &LegalCopyright,
                        &OriginalFilename, &ProductName, &ProductVersion, &Comments};
    static const char *const names[] = {"CompanyName", "FileDescription", "FileVersion", "InternalName",
                                        "LegalCopyright", "OriginalFilename", "ProductName", "ProductVersion",
                                        "Comments"};
    for (QString *t : texts) t->clear();

    if (!QFileInfo(fileName).isFile())
        throw AppError(QStringLiteral("File not found: ") + fileName);
    const std::optional<VersionRecord> record = readVersionRecord(fileName);
    if (!record)
        throw AppError(QStringLiteral("Invalid version info record in file ") + fileName);
    if (record->translation.size() < 4)
        throw AppError(QStringLiteral("Invalid language info in file ") + fileName);
    const auto word = [&](int at) { return quint8(record->translation[at]) | quint8(record->translation[at + 1]) << 8; };
    LanguageInfo = QStringLiteral("%1%2").arg(word(0), 4, 16, QLatin1Char('0')).arg(word(2), 4, 16, QLatin1Char('0')).toUpper();

    for (int i = 0; i < 9; ++i) {
        const QString value = record->texts.value(QStringLiteral("\\StringFileInfo\\%1\\%2").arg(LanguageInfo, QLatin1String(names[i])));
        *texts[i] = value.isEmpty() ? QStringLiteral("n/a") : value;
    }
    ECompanyName->setText(CompanyName);
    EFileVersion->setText(FileVersion);
    EOriginalFilename->setText(OriginalFilename);
    EProductName->setText(ProductName);
    EProductVersion->setText(ProductVersion);
    EComments->setText(Comments);
}
