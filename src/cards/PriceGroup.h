#pragma once
#include "data/Money.h"
#include <QObject>
#include <functional>

class DecimalEdit;

// A trio of prices in roubles, US dollars and euros kept in step: typing into
// one edit (only while it has the focus) converts into the other two with the
// current rates. Values the program puts into the edits never convert.
class PriceGroup : public QObject {
    Q_OBJECT
public:
    using Rate = std::function<Money()>;
    PriceGroup(DecimalEdit *rub, DecimalEdit *usd, DecimalEdit *eur, Rate usdRate, Rate eurRate, QObject *parent = nullptr);

    // The conversion after the user changed `edit`; throws AppError for a rate
    // that is not set, after the steps before it have been done.
    void convertFrom(DecimalEdit *edit);

private:
    // Converts what the user typed; a missing rate is told once per typing in an edit.
    void convertTyped(DecimalEdit *edit);

    DecimalEdit *m_rub, *m_usd, *m_eur;
    Rate m_usdRate, m_eurRate;
    bool m_rateTold = false;
};
