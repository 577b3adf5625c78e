#pragma once
#include <QString>
#include <Qt>

// One column of a data grid: the dataset field it shows and how.
struct GridColumn {
    QString field;            // the dataset field's name
    QString title;            // "Этаж|№": a group heading over adjacent columns, then the column's own
    int width = 0;            // pixels; 0 takes the grid's default width for the field
    bool sortable = true;     // a click on the title orders the dataset by the field
    bool visible = true;
    QString format;           // display format of numbers: "0.0000", "0", ",0.00"; empty: the field's default
    Qt::Alignment alignment;  // empty: numbers to the right, the rest to the left
    // Settings kept in layout files and otherwise unused by the grid.
    int sortMarker = 0;
    int sortIndex = 0;
    int dropDownRows = 7;
    int dropDownWidth = 0;

    static GridColumn of(const QString &field, const QString &title, int width = 0, const QString &format = {})
    {
        GridColumn c;
        c.field = field;
        c.title = title;
        c.width = width;
        c.format = format;
        return c;
    }

    QString groupTitle() const { return title.contains('|') ? title.section('|', 0, 0) : QString(); }
    QString ownTitle() const { return title.contains('|') ? title.section('|', 1) : title; }
};
