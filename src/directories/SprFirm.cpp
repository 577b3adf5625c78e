#include "directories/SprFirm.h"
#include "platform/ErrorReport.h"
#include "data/DataModule.h"
#include "widgets/RowStore.h"
#include "platform/Dialogs.h"
#include "data/Schema.h"
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

TFSprFirm *FSprFirm = nullptr;

namespace {

Table &firmTable() { return DMDomlar->table(QStringLiteral("ADOTFirm")); }

int widthOf(const QString &field)
{
    const TableDef *firm = Schema::table(QStringLiteral("Firm"));
    const ColumnDef *c = firm ? firm->column(field) : nullptr;
    return c ? c->width : 0;
}

} // namespace

TFSprFirm::TFSprFirm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FSprFirm"));
    setWindowTitle(QStringLiteral("Данные организации (пользователя)"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(buildGroup({}, {{"INN", "ИНН"}, {"KPP", "КПП"}, {"Name", "Наименование"},
                                      {"Adress", "Адрес фактический"}, {"AdressUrid", "Адрес юридический"},
                                      {"TEL", "Телефон/факс"}}));
    layout->addWidget(buildGroup(QStringLiteral("Банковские реквизиты"),
                                 {{"Bank", "Наименование банка"}, {"RS", "Р/с"}, {"KS", "К/с"}, {"Bik", "Бик"}}));
    layout->addWidget(buildGroup({}, {{"FIOBuh", "Бухгалтер"}, {"FIOKass", "Кассир"}}));
    layout->addWidget(buildGroup(QStringLiteral("Руководитель"),
                                 {{"FIORuk", "ФИО"}, {"PassportSer", "Серия"}, {"PassportNom", "№"},
                                  {"PassportVidan", "Выдан"}}));

    m_save = new QPushButton(QStringLiteral("Сохранить"), this);
    m_save->setObjectName(QStringLiteral("BitBtn1"));
    m_save->setDefault(true);
    m_save->setAutoDefault(true);
    connect(m_save, &QPushButton::clicked, this, guarded([this] { BitBtn1Click(); }));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_save);
    layout->addLayout(buttons);

    auto *status = new QStatusBar(this);
    status->setObjectName(QStringLiteral("StatusBar1"));
    status->setSizeGripEnabled(false);
    layout->addWidget(status);
    layout->setContentsMargins(8, 8, 8, 0);
    alignLabels();
    resize(520, sizeHint().height());
    FSprFirm = this;
}

TFSprFirm::~TFSprFirm()
{
    if (FSprFirm == this) FSprFirm = nullptr;
}

QWidget *TFSprFirm::buildGroup(const QString &title, std::vector<Item> items)
{
    auto *box = new QGroupBox(title, this);
    if (title.isEmpty()) box->setFlat(true);
    auto *form = new QFormLayout(box);
    for (const Item &item : items) {
        auto *e = new QLineEdit(box);
        e->setObjectName(QString::fromLatin1(item.field));
        e->setAccessibleName(QString::fromUtf8(item.label));
        if (const int width = widthOf(e->objectName()); width > 0) e->setMaxLength(width);
        form->addRow(QString::fromUtf8(item.label), e);
        m_edits.emplace_back(QString::fromLatin1(item.field), e);
    }
    return box;
}

// The edits of every group start at one line: each label is as wide as the widest.
void TFSprFirm::alignLabels()
{
    QList<QWidget *> labels;
    int widest = 0;
    for (const auto &[name, e] : m_edits) {
        auto *form = qobject_cast<QFormLayout *>(e->parentWidget()->layout());
        if (QWidget *label = form ? form->labelForField(e) : nullptr) {
            labels << label;
            widest = std::max(widest, label->sizeHint().width());
        }
    }
    for (QWidget *label : labels) label->setMinimumWidth(widest);
}

QLineEdit *TFSprFirm::edit(const QString &field) const
{
    for (const auto &[name, e] : m_edits)
        if (name == field) return e;
    return nullptr;
}

void TFSprFirm::LoadFields()
{
    Table &firm = firmTable();
    if (!firm.isEmpty()) firm.first();
    for (const auto &[name, e] : m_edits) e->setText(firm.isEmpty() ? QString() : firm.fieldByName(name).asString());
}

int TFSprFirm::Execute()
{
    LoadFields();
    m_save->setFocus();
    return dialogs().showModal(this);
}

bool TFSprFirm::storeFields()
{
    Table &firm = firmTable();
    auto fill = [&] {
        for (const auto &[name, e] : m_edits) firm.fieldByName(name).setString(e->text());
    };
    if (firm.isEmpty()) return appendRow(firm, fill);
    firm.first();
    return editRow(firm, fill);
}

void TFSprFirm::BitBtn1Click()
{
    if (!storeFields()) return;
    accept();
    emit firmSaved();
}
