#include "cards/PriceGroup.h"
#include "platform/ErrorReport.h"
#include "platform/AppError.h"
#include "widgets/NumberEdits.h"
#include <utility>

namespace {

// The typed value, as the edit holds it before it rounds to two decimals.
long double typed(const DecimalEdit *e)
{
    return Money::parse(e->text()).value_or(Money()).toDouble();
}

Money toMoney(long double v)
{
    return Money::fromDouble(double(v));
}

long double divide(long double value, Money rate, const char *currency)
{
    if (rate.isZero())
        throw AppError(QStringLiteral("Курс %1 не задан: цена не пересчитана. Введите курс в справочнике валют.")
                           .arg(QString::fromUtf8(currency)));
    return value / rate.toDouble();
}

} // namespace

PriceGroup::PriceGroup(DecimalEdit *rub, DecimalEdit *usd, DecimalEdit *eur, Rate usdRate, Rate eurRate, QObject *parent)
    : QObject(parent), m_rub(rub), m_usd(usd), m_eur(eur), m_usdRate(std::move(usdRate)), m_eurRate(std::move(eurRate))
{
    for (DecimalEdit *e : {rub, usd, eur}) {
        connect(e, &QLineEdit::textChanged, this, [this, e] {
            if (e->hasFocus()) convertTyped(e);
        });
        connect(e, &QLineEdit::editingFinished, this, [this] { m_rateTold = false; });
    }
}

void PriceGroup::convertTyped(DecimalEdit *edit)
{
    reportErrors([&] {
        try {
            convertFrom(edit);
        } catch (const AppError &) {
            if (std::exchange(m_rateTold, true)) return;
            throw;
        }
    });
}

void PriceGroup::convertFrom(DecimalEdit *edit)
{
    const long double v = typed(edit);
    if (edit == m_rub) {
        m_usd->setValue(toMoney(divide(v, m_usdRate(), "доллара")));
        m_eur->setValue(toMoney(divide(v, m_eurRate(), "евро")));
    } else if (edit == m_usd) {
        m_rub->setValue(toMoney(v * m_usdRate().toDouble()));
        m_eur->setValue(toMoney(divide(m_rub->value().toDouble(), m_eurRate(), "евро")));
    } else if (edit == m_eur) {
        m_rub->setValue(toMoney(v * m_eurRate().toDouble()));
        m_usd->setValue(toMoney(divide(m_rub->value().toDouble(), m_usdRate(), "доллара")));
    }
}
