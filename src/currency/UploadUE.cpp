#include "currency/UploadUE.h"
#include "currency/SprUE.h"
#include "data/DataModule.h"
#include "platform/AppError.h"
#include "platform/Dialogs.h"
#include "platform/ErrorReport.h"
#include "platform/IniFile.h"
#include "widgets/DateEdit.h"
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QTextStream>
#include <QUrl>

TFUploadUE *FUploadUE = nullptr;

namespace {

const char *const DefaultBase = "http://cbrates.rbc.ru/tsv/";
const char *const DollarCode = "840";
const char *const EuroCode = "978";

QString firstLine(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        throw AppError(QStringLiteral("Не удалось прочитать файл «%1»: %2").arg(path, file.errorString()));
    return QTextStream(&file).readLine();
}

void tell(Dialogs::Kind kind, const char *text, Dialogs::Buttons buttons)
{
    dialogs().message(kind, QString::fromUtf8(text), buttons);
}

const TDMDomlar &dataModule()
{
    if (!DMDomlar) throw AppError(QStringLiteral("Нет модуля данных."));
    return *DMDomlar;
}

} // namespace

TFUploadUE::TFUploadUE(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FUploadUE"));
    setWindowTitle(QStringLiteral("Загрузка курсов валют"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    auto *grid = new QGridLayout(this);
    auto *warning = new QLabel(QStringLiteral("ИНТЕРНЕТ должен быть \"включен\"!"), this);
    warning->setObjectName(QStringLiteral("Label1"));
    QFont bold = warning->font();
    bold.setBold(true);
    warning->setFont(bold);
    grid->addWidget(warning, 0, 0, 1, 2);

    auto *caption = new QLabel(QStringLiteral("Курсы валют за"), this);
    caption->setObjectName(QStringLiteral("Label2"));
    m_date = new DateEdit(this);
    m_date->setObjectName(QStringLiteral("DateEdit1"));
    m_date->setDate(QDate::currentDate());
    grid->addWidget(caption, 1, 0);
    grid->addWidget(m_date, 1, 1);

    m_load = new QPushButton(QStringLiteral("Загрузить"), this);
    m_load->setObjectName(QStringLiteral("BitBtn1"));
    connect(m_load, &QPushButton::clicked, this, guarded([this] { BitBtn1Click(); }));
    grid->addWidget(m_load, 2, 0, 1, 2);

    m_state = new QLabel(this);
    m_state->setObjectName(QStringLiteral("LabelState"));
    m_state->setAlignment(Qt::AlignCenter);
    grid->addWidget(m_state, 3, 0, 1, 2);

    setFixedSize(sizeHint().expandedTo(QSize(280, 0)));
    FUploadUE = this;
}

TFUploadUE::~TFUploadUE()
{
    if (FUploadUE == this) FUploadUE = nullptr;
}

int TFUploadUE::Execute()
{
    m_load->setFocus();
    return dialogs().showModal(this);
}

QString TFUploadUE::stateText() const { return m_state->text(); }

QString TFUploadUE::baseAddress()
{
    IniFile ini(QDir(dataModule().dataFolder()).filePath(QStringLiteral("Data.ini")));
    ini.load();
    QString base = ini.readString(QStringLiteral("Rates"), QStringLiteral("Url")).trimmed();
    if (base.isEmpty()) base = QString::fromLatin1(DefaultBase);
    return base.endsWith(QLatin1Char('/')) ? base : base + QLatin1Char('/');
}

QString TFUploadUE::rateFolder()
{
    const QString program = dataModule().programFolder();
    return QFileInfo(program).isWritable() ? program : dataModule().dataFolder();
}

void TFUploadUE::BitBtn1Click()
{
    const Money dollar = LoadFromInternet(QString::fromLatin1(DollarCode));
    const Money euro = LoadFromInternet(QString::fromLatin1(EuroCode));
    if (!FSprUE) throw AppError(QStringLiteral("Нет справочника курсов валют."));
    FSprUE->appendRates(m_date->date(), dollar, euro);
    close();
}

Money TFUploadUE::LoadFromInternet(const QString &code)
{
    const QString path = QDir(rateFolder()).filePath(rateFileName(code, m_date->date()));
    if (fetch(code, path))
        tell(Dialogs::Kind::Information, "Загрузка завершена", Dialogs::Buttons::Yes);
    else
        tell(Dialogs::Kind::Error, "Ошибка загрузки файла", Dialogs::Buttons::Cancel);
    if (!QFileInfo::exists(path))
        tell(Dialogs::Kind::Error, "Локальная ошибка получения курса", Dialogs::Buttons::Cancel);
    const std::optional<Money> rate = rateFromLine(firstLine(path));
    if (!rate) {
        tell(Dialogs::Kind::Error, "Не верное значение курса", Dialogs::Buttons::Cancel);
        return Money();
    }
    QFile::remove(path);   // a file left behind is replaced by the next fetch anyway
    return *rate;
}

bool TFUploadUE::fetch(const QString &code, const QString &path)
{
    const QUrl url(rateAddress(baseAddress(), code, m_date->date()));
    setLoading(true);
    struct Done {
        TFUploadUE *window;
        ~Done() { window->setLoading(false); }
    } done{this};
    return downloadToFile(url, path, m_limits);
}

// The download holds the user's input off; this shows why the window does not answer.
void TFUploadUE::setLoading(bool loading)
{
    m_loading = loading;
    m_state->setText(loading ? QStringLiteral("Загрузка…") : QString());
    m_load->setEnabled(!loading);
    m_date->setEnabled(!loading);
    if (loading)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void TFUploadUE::closeEvent(QCloseEvent *event)
{
    if (m_loading)
        event->ignore();
    else
        QDialog::closeEvent(event);
}
