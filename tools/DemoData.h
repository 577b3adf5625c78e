#pragma once
#include <QDate>
#include <QString>
#include <cstdint>
#include <utility>
#include <vector>

class Connection;

// How much demo data to make. The same sizes and seed always give the same rows.
struct DemoSizes {
    int offers = 0;
    int demands = 0;
    int clients = 0;
    int towns = 12;
    int districtsPerTown = 3;
    int streetsPerDistrict = 5;
    int employees = 10;
    int rateDays = 400;
    uint32_t seed = 1;

    // N offers, N demands and N/5 clients; the reference lists keep their sizes.
    static DemoSizes forCount(int n);
};

// Rows written, per table in the order written.
using DemoCounts = std::vector<std::pair<QString, int>>;

namespace Demo {

// The last day of the demo data: a fixed date, so that output does not depend on today.
inline QDate lastDay() { return QDate(2026, 12, 1); }

// Fills towns, districts, streets, clients, employees, rates, offers, demands and
// their location variants into a database holding the delivered contents.
// Expects to run inside the caller's transaction.
DemoCounts fill(Connection &connection, const DemoSizes &sizes);

} // namespace Demo
