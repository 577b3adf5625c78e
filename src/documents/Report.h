#pragma once
#include "report/ReportJob.h"
#include <QByteArray>
#include <QObject>
#include <memory>

class Dataset;
class QWidget;
class PreviewWindow;

// The program's reports: the lists of offers and demands, the two search
// reports, the document of the templates and the picture print. Each is a
// report file built into the program; this class binds their data sources and
// opens the preview.
class TFReport : public QObject {
    Q_OBJECT
public:
    explicit TFReport(QObject *parent = nullptr);

    Report RSale, RSpros, RSearchForSaleDomlar, RSearchForSprosDomlar, RRegDocDop, RImage;

    // What a search window hands over: the request it started from and its results.
    struct SearchData {
        const Dataset *request = nullptr;   // its current row prints in the title
        const Dataset *found = nullptr;     // "ADOQSearch1": one block per visible row
    };
    void setSearchForSaleData(const SearchData &data) { m_searchForSale = data; }
    void setSearchForSprosData(const SearchData &data) { m_searchForSpros = data; }
    // The window the previews open over.
    void setOpener(QWidget *opener) { m_opener = opener; }

    // The jobs, for previewing and for tests.
    std::shared_ptr<ReportJob> saleListJob(const Dataset &sale) const;
    std::shared_ptr<ReportJob> sprosListJob(const Dataset &spros) const;
    std::shared_ptr<ReportJob> searchForSaleJob(const SearchData &data) const;
    std::shared_ptr<ReportJob> searchForSprosJob(const SearchData &data) const;
    // RImage set up for one picture: orientation by its shape; scaled down into
    // the box only when larger than the page, otherwise at its own size; centred.
    std::shared_ptr<ReportJob> pictureJob(const QByteArray &picture) const;

    // The register's two "Документ" buttons: the list as the dataset shows it.
    PreviewWindow *ShowSaleList(const Dataset &sale);
    PreviewWindow *ShowSprosList(const Dataset &spros);
    // The search windows' "Документ" buttons call these with 1.
    PreviewWindow *OnRSearchForSale(int variant);
    PreviewWindow *OnRSearchForSpros(int variant);
    // "Печать изображения": the picture file's bytes.
    PreviewWindow *PrintPicture(const QByteArray &picture);

    static Report builtIn(const QString &name);

private:
    PreviewWindow *preview(std::shared_ptr<ReportJob> job);

    SearchData m_searchForSale, m_searchForSpros;
    QWidget *m_opener = nullptr;
};

extern TFReport *FReport;
