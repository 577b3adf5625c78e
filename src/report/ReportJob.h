#pragma once
#include "report/ReportModel.h"
#include "report/ReportSource.h"
#include <memory>
#include <vector>

// A report with the sources it reads: everything needed to prepare it again
// (after a page setup, say).
struct ReportJob {
    QString title;
    Report report;
    std::vector<std::unique_ptr<ReportSource>> sources;

    std::vector<ReportSource *> sourceList() const
    {
        std::vector<ReportSource *> list;
        for (const auto &s : sources) list.push_back(s.get());
        return list;
    }
};
