#include "cards/RequestCard.h"
#include "platform/ErrorReport.h"
#include "cards/PriceGroup.h"
#include "currency/CurrentRates.h"
#include "data/DataModule.h"
#include "data/Keys.h"
#include "directories/SprAll.h"
#include "directories/SprKlient.h"
#include "directories/SprSotrud.h"
#include "platform/Dialogs.h"
#include "widgets/DateEdit.h"
#include "widgets/Lookups.h"
#include "widgets/NumberEdits.h"
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolButton>

using namespace CardParts;

namespace {

// The attribute lookups: label, lookup (and its list's column), list table, picker, editor caption, clear button.
struct Attribute { const char *label, *lookup, *list, *picker, *caption, *clear; };
const Attribute Attributes[] = {
    {"Тип объекта:", "NameType", "SprType", "TypeBtn", "Типы объектов", "BitBtn3"},
    {"Состояние объекта:", "NameValueKV", "SprValueKV", "ValueKVBtn", "Состояние", "BitBtn4"},
    {"Балкон:", "NameBalkon", "SprBalkon", "BalkonBtn", "Балкон", "BitBtn5"},
    {"Двери:", "NameDoor", "SprDoor", "DoorBtn", "Двери", "BitBtn6"},
    {"Материал дома:", "NameMatHome", "SprMatHome", "NameMatHomeBtn", "Материал дома", "BitBtn7"},
    {"Материал пола:", "NameMatPol", "SprMatPol", "NameMatPolBtn", "Материал пола", "BitBtn8"},
    {"Отопление:", "NameOtoplen", "SprOtoplen", "OtoplenBtn", "Отопление", "BitBtn9"},
    {"Планировка дома:", "NamePlanHome", "SprPlanHome", "NamePlanHomeBtn", "Планировка дома", "BitBtn10"},
    {"Планировка комнат:", "NamePlanRoom", "SprPlanRoom", "NamePlanRoomBtn", "Планировка комнат", "BitBtn11"},
    {"Телефон:", "NameTel", "SprTel", "NameTelBtn", "Телефоны", "BitBtn12"},
    {"Окна:", "NameWindow", "SprWindow", "NameWindowBtn", "Окна", "BitBtn13"},
    {"Водоснабжение:", "NameWater", "SprWater", "NameWaterBtn", "Водоснабжение", "BitBtn14"},
    {"Сан.узел:", "NameBathRoom", "SprBathRoom", "NameBathRoomBtn", "Сан.узел", "BitBtn15"},
};

const QColor FocusColour(192, 220, 192);

Dataset *source(const QString &name)
{
    DataSource *s = DMDomlar ? DMDomlar->dataSource(name) : nullptr;
    return s ? s->dataset() : nullptr;
}

} // namespace

namespace CardParts {

// The label names the widget too, so that messages about its value can name it.
void addRow(QGridLayout *g, const QString &label, QWidget *w)
{
    if (w->accessibleName().isEmpty()) w->setAccessibleName(QString(label).remove(QLatin1Char(':')).trimmed());
    const int row = g->rowCount();
    g->addWidget(new QLabel(label), row, 0);
    g->addWidget(w, row, 1);
}

QWidget *lookupRow(QWidget *lookup, QWidget *pick, QWidget *clear)
{
    auto *row = new QWidget;
    auto *h = new QHBoxLayout(row);
    h->setContentsMargins(0, 0, 0, 0);
    h->setSpacing(2);
    h->addWidget(lookup, 1);
    if (pick) h->addWidget(pick);
    if (clear) h->addWidget(clear);
    return row;
}

QPushButton *smallButton(const char *name, const QString &text)
{
    auto *b = named(new QPushButton(text), name);
    b->setFocusPolicy(Qt::ClickFocus);
    b->setAutoDefault(false);
    b->setFixedWidth(26);
    return b;
}

QWidget *laterTab(const char *name)
{
    auto *tab = named(new QWidget, name);
    auto *v = new QVBoxLayout(tab);
    auto *note = new QLabel(QStringLiteral("Будет доступно в следующей версии"));
    note->setAlignment(Qt::AlignCenter);
    note->setEnabled(false);
    v->addWidget(note);
    return tab;
}

} // namespace CardParts

int currentKey(const QString &dataset, const QString &field)
{
    return Keys::currentKey(DMDomlar->table(dataset), field);
}

RequestCard::RequestCard(const QString &name, QWidget *parent) : QDialog(parent)
{
    setObjectName(name);
    Klient = Sotrud = nullptr;
    DogNo1 = named(new QLineEdit, "DogNo1");
    DogBegin1 = named(new DateEdit, "DogBegin1");
    DogEnd1 = named(new DateEdit, "DogEnd1");
    Price = named(new DecimalEdit, "Price");
    PriceUSD = named(new DecimalEdit, "PriceUSD");
    PriceEUR = named(new DecimalEdit, "PriceEUR");
    makePriceGroup(Price, PriceUSD, PriceEUR);
    Info = named(new QPlainTextEdit, "Info");
    Info->setTabChangesFocus(true);   // Tab goes on to the next field; no tab characters in the notes
    const std::pair<QWidget *, const char *> names[] = {
        {DogNo1, "Договор №"}, {DogBegin1, "Начало договора"}, {DogEnd1, "Окончание договора"}, {Info, "Доп. инфо."}};
    for (const auto &[w, label] : names) w->setAccessibleName(QString::fromUtf8(label));
}

void RequestCard::buildFrame(IntegerEdit *number, const char *numberName, DateEdit *date, const char *dateName,
                             const QString &documentCaption, const QString &documentHint,
                             const QList<QPair<QWidget *, QString>> &tabs)
{
    m_number = named(number, numberName);
    named(date, dateName)->setAccessibleName(QStringLiteral("Дата заявки"));
    auto *v = new QVBoxLayout(this);
    auto *strip = new QHBoxLayout;
    auto *label = new QLabel(QStringLiteral("Заявка №"));
    number->setReadOnly(true);
    number->setFixedWidth(80);
    date->setFixedWidth(120);
    for (QWidget *w : {static_cast<QWidget *>(label), static_cast<QWidget *>(number), static_cast<QWidget *>(date)}) {
        QFont f = w->font();
        f.setBold(true);
        w->setFont(f);
    }
    LMDButton1 = named(new QToolButton, "LMDButton1");
    LMDButton1->setText(documentCaption);
    LMDButton1->setToolTip(documentHint);
    LMDButton1->setPopupMode(QToolButton::InstantPopup);
    DopDoc = named(new QMenu(LMDButton1), "DopDoc");
    LMDButton1->setMenu(DopDoc);
    LMDButton1->setMinimumWidth(LMDButton1->sizeHint().width() + 16);   // the caption clear of the menu arrow
    strip->addWidget(label);
    strip->addWidget(number);
    strip->addWidget(new QLabel(QStringLiteral("от")));
    strip->addWidget(date);
    strip->addStretch();
    strip->addWidget(LMDButton1);
    v->addLayout(strip);

    PageControl1 = named(new QTabWidget, "PageControl1");
    for (const auto &[page, title] : tabs) PageControl1->addTab(page, title);
    v->addWidget(PageControl1, 1);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(new QLabel(QStringLiteral("Доп. инфо.:")), 0, Qt::AlignTop);
    Info->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Info->setFixedHeight(60);
    bottom->addWidget(Info, 1);
    v->addLayout(bottom);
    v->addWidget(named(new QStatusBar, "StatusBar1"));
    // Enter in a field presses no button of the card.
    for (QPushButton *b : findChildren<QPushButton *>()) b->setAutoDefault(false);
}

QWidget *RequestCard::buildAttributes(const QStringList &lookups)
{
    auto *box = new QGroupBox(QStringLiteral("Дополнительные характеристики"));
    auto *g = new QGridLayout(box);
    for (const Attribute &a : Attributes) {
        if (!lookups.contains(QString::fromLatin1(a.lookup))) continue;
        auto *lookup = named(new WordLookup, a.lookup);
        lookup->setMinimumWidth(150);
        lookup->installEventFilter(this);
        m_words.push_back(lookup);
        m_wordLists.push_back(QString::fromLatin1(a.list));
        QPushButton *pick = smallButton(a.picker, QStringLiteral("..."));
        QPushButton *clear = smallButton(a.clear, QStringLiteral("Х"));
        const QString table = QString::fromLatin1(a.list), caption = QString::fromUtf8(a.caption),
                      column = QString::fromLatin1(a.lookup);
        connect(pick, &QPushButton::clicked, this, guarded([table, caption, column] {
            FSprAll->OpenForm(table, caption, column);
        }));
        connect(clear, &QPushButton::clicked, lookup, [lookup] { lookup->setWord(QString()); });
        addRow(g, QString::fromUtf8(a.label), lookupRow(lookup, pick, clear));
    }
    g->setRowStretch(g->rowCount(), 1);
    return box;
}

QWidget *RequestCard::personRow(IdLookup *&lookup, const char *name, const char *pickName, const char *clearName)
{
    lookup = named(new IdLookup, name);
    QPushButton *pick = smallButton(pickName, QStringLiteral("..."));
    QPushButton *clear = smallButton(clearName, QStringLiteral("Х"));
    IdLookup *l = lookup;
    const bool client = QByteArray(name) == "Klient";
    connect(clear, &QPushButton::clicked, l, [l] { l->setKey(0); });
    connect(pick, &QPushButton::clicked, this, guarded([l, client] {
        const int result = client ? FSprKlient->Execute() : FSprSotrud->Execute();
        if (result == 1)
            l->setKey(client ? currentKey("ADOTSprKlient", "IDKlient") : currentKey("ADOTSprSotrud", "IDSotrud"));
    }));
    return lookupRow(lookup, pick, clear);
}

PriceGroup *RequestCard::makePriceGroup(DecimalEdit *rub, DecimalEdit *usd, DecimalEdit *eur)
{
    return new PriceGroup(rub, usd, eur, [] { return PeremenKursUSD; }, [] { return PeremenKursEURO; }, this);
}

void RequestCard::bindSources()
{
    Klient->setSource(source("DSSprKlient"), "IDKlient", "NameKlient");
    Sotrud->setSource(source("DSSprSotrud"), "IDSotrud", "NameSotrud");
    for (size_t i = 0; i < m_words.size(); ++i)
        m_words[i]->setSource(source("DS" + m_wordLists[i]), m_words[i]->objectName());
    CardFields::limitWidths(fieldMapping(), tableName());
}

WordLookup *RequestCard::wordLookup(const QString &name) const
{
    for (WordLookup *w : m_words)
        if (w->objectName() == name) return w;
    return nullptr;
}

void RequestCard::FormCloseQuery()
{
    const int answer = dialogs().message(Dialogs::Kind::Confirmation, QStringLiteral("Сохранить заявку?"),
                                         Dialogs::Buttons::YesNoCancel);
    if (answer == Dialogs::No) { done(Dialogs::No); return; }
    if (answer != Dialogs::Yes) return;
    // A value its column would refuse is told before anything is stored, and the card stays open.
    const CardFields::Refusal refused = CardFields::refusal(fieldMapping(), tableName());
    if (refused.control) {
        dialogs().warning(refused.text);
        showControl(refused.control);
        return;
    }
    const QString missing = NotAllSelect();
    if (missing == "OK") { done(Dialogs::Yes); return; }
    dialogs().message(Dialogs::Kind::Warning, QStringLiteral("Внимение! Необходимо выбрать ") + missing, Dialogs::Buttons::Yes);
}

void RequestCard::showControl(QWidget *control)
{
    for (int i = 0; i < PageControl1->count(); ++i)
        if (PageControl1->widget(i)->isAncestorOf(control)) PageControl1->setCurrentIndex(i);
    control->setFocus();
}

void RequestCard::closeEvent(QCloseEvent *event)
{
    event->ignore();
    reportErrors([this] { FormCloseQuery(); });
}

void RequestCard::reject()
{
    reportErrors([this] { FormCloseQuery(); });
}

void RequestCard::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    emit documentMenuRequested(DopDoc);
    PageControl1->setCurrentIndex(0);
    m_number->setFocus();
}

void RequestCard::paintWordLookups(WordLookup *focused)
{
    for (WordLookup *w : m_words) {
        QPalette p = w->palette();
        for (auto role : {QPalette::Button, QPalette::Base})
            p.setColor(role, w == focused ? FocusColour : QColor(Qt::white));
        w->setPalette(p);
    }
}

bool RequestCard::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn) paintWordLookups(qobject_cast<WordLookup *>(watched));
    else if (event->type() == QEvent::FocusOut) paintWordLookups(nullptr);
    return QDialog::eventFilter(watched, event);
}

bool RequestCard::requestStored() const
{
    return !m_number->text().trimmed().isEmpty()
        && Keys::stored(DMDomlar->ADOConnection, tableName(), QStringLiteral("ID") + tableName(), m_number->value());
}

bool RequestCard::storedOrAskToStore()
{
    if (requestStored()) return true;
    if (dialogs().message(Dialogs::Kind::Warning, QStringLiteral("Для добавления необходимо сохранить документ."),
                          Dialogs::Buttons::YesCancel) == Dialogs::Yes)
        close();
    return false;
}
