#include "currency/TecKursUE.h"
#include "platform/ErrorReport.h"
#include "currency/CurrentRates.h"
#include "currency/RateText.h"
#include "currency/SprUE.h"
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TFTecKursUE *FTecKursUE = nullptr;

TFTecKursUE::TFTecKursUE(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FTecKursUE"));
    setWindowTitle(QStringLiteral("Курс валют"));
    setWindowFlags(Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowCloseButtonHint);
    setModal(false);

    auto *grid = new QGridLayout(this);
    auto *caption = new QLabel(QStringLiteral("Актуальный курс валют на"), this);
    caption->setObjectName(QStringLiteral("Label1"));
    m_date = new QLabel(this);
    m_date->setObjectName(QStringLiteral("LabelDate"));
    QFont bold = m_date->font();
    bold.setBold(true);
    m_date->setFont(bold);
    grid->addWidget(caption, 0, 0, 1, 2);
    grid->addWidget(m_date, 0, 2);

    m_usd = rateField(QStringLiteral("EditUSD"));
    m_eur = rateField(QStringLiteral("EditEUR"));
    grid->addWidget(new QLabel(QStringLiteral("USD"), this), 1, 0);
    grid->addWidget(m_usd, 1, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("EUR"), this), 2, 0);
    grid->addWidget(m_eur, 2, 1, 1, 2);

    m_button = new QPushButton(QStringLiteral("Перейти к справочнику валют"), this);
    m_button->setObjectName(QStringLiteral("BitBtn1"));
    connect(m_button, &QPushButton::clicked, this, guarded([this] { BitBtn1Click(); }));
    grid->addWidget(m_button, 3, 0, 1, 3);

    ShowRates(QString(), PeremenKursUSD, PeremenKursEURO);
    setFixedSize(sizeHint().expandedTo(QSize(300, 0)));
    FTecKursUE = this;
}

TFTecKursUE::~TFTecKursUE()
{
    if (FTecKursUE == this) FTecKursUE = nullptr;
}

QLineEdit *TFTecKursUE::rateField(const QString &name)
{
    auto *e = new QLineEdit(this);
    e->setObjectName(name);
    e->setReadOnly(true);
    e->setAlignment(Qt::AlignRight);
    e->installEventFilter(this);
    return e;
}

void TFTecKursUE::ShowRates(const QString &date, Money usd, Money eur)
{
    m_date->setText(date);
    m_usd->setText(groupedRateText(usd));
    m_eur->setText(groupedRateText(eur));
}

QString TFTecKursUE::dateText() const { return m_date->text(); }
QString TFTecKursUE::usdText() const { return m_usd->text(); }
QString TFTecKursUE::eurText() const { return m_eur->text(); }

void TFTecKursUE::ShowWindow()
{
    show();
    raise();
    activateWindow();
    m_button->setFocus();
}

void TFTecKursUE::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    m_button->setFocus();
}

void TFTecKursUE::BitBtn1Click()
{
    if (FSprUE) {
        FSprUE->Execute();
        FSprUE->UpdatePeremenKurs();
    }
    m_button->setFocus();
}

// The button keeps the focus: a click into a rate field gives it straight back.
bool TFTecKursUE::eventFilter(QObject *watched, QEvent *event)
{
    if ((watched == m_usd || watched == m_eur)
        && (event->type() == QEvent::FocusIn || event->type() == QEvent::MouseButtonPress)) {
        m_button->setFocus();
        return event->type() == QEvent::MouseButtonPress;
    }
    return QDialog::eventFilter(watched, event);
}
