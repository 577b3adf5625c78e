#pragma once
#include "data/Money.h"
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// "Курс валют": the current rates and their date, always on top. The button
// opens the rate directory and refreshes the current rates when it closes.
class TFTecKursUE : public QDialog {
    Q_OBJECT
public:
    explicit TFTecKursUE(QWidget *parent = nullptr);
    ~TFTecKursUE() override;

    // Shows the window without blocking the others, the button focused.
    void ShowWindow();
    void ShowRates(const QString &date, Money usd, Money eur);
    // "Перейти к справочнику валют".
    void BitBtn1Click();

    QString dateText() const;
    QString usdText() const;
    QString eurText() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    QLineEdit *rateField(const QString &name);

    QLabel *m_date;
    QLineEdit *m_usd;
    QLineEdit *m_eur;
    QPushButton *m_button;
};

extern TFTecKursUE *FTecKursUE;
