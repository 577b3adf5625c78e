#pragma once
#include "currency/RateDownload.h"
#include <QDialog>

class DateEdit;
class QLabel;
class QPushButton;

// "Загрузка курсов валют": the dollar and euro rates of a chosen date fetched
// from the currency-rate service and stored as a new row of the rate table.
class TFUploadUE : public QDialog {
    Q_OBJECT
public:
    explicit TFUploadUE(QWidget *parent = nullptr);
    ~TFUploadUE() override;

    // Shows the window modally; the date field keeps the last chosen date.
    int Execute();
    // "Загрузить": both rates of the date, stored as one row; the window closes.
    // A rate file that cannot be written or read ends it with nothing stored.
    void BitBtn1Click();
    // One rate of the date in the date field, each outcome told to the user;
    // zero when the answer is not a rate (its file is left for a look).
    Money LoadFromInternet(const QString &code);

    // Data.ini [Rates] Url, else the default service; always ending in "/".
    static QString baseAddress();
    // The program's folder, or the data folder when the program's is not writable.
    static QString rateFolder();

    DateEdit *dateEdit() const { return m_date; }
    QString stateText() const;
    void setLimits(const DownloadLimits &limits) { m_limits = limits; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    bool fetch(const QString &code, const QString &path);
    void setLoading(bool loading);

    DateEdit *m_date;
    QPushButton *m_load;
    QLabel *m_state;
    DownloadLimits m_limits;
    bool m_loading = false;
};

extern TFUploadUE *FUploadUE;
