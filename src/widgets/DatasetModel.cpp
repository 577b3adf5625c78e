#include "widgets/DatasetModel.h"
#include "data/Dataset.h"
#include "data/DisplayText.h"
#include "platform/AppError.h"
#include <QColor>
#include <QLocale>

namespace {

bool isNumeric(FieldType t)
{
    return t == FieldType::Integer || t == FieldType::Counter || t == FieldType::Money;
}

} // namespace

DatasetModel::DatasetModel(QObject *parent) : QAbstractTableModel(parent) {}

QColor DatasetModel::frozenText() { return QColor(128, 0, 0); }

void DatasetModel::setDataset(Dataset *dataset)
{
    beginResetModel();
    if (m_dataset) disconnect(m_dataset, nullptr, this, nullptr);
    m_dataset = dataset;
    if (dataset) {
        connect(dataset, &Dataset::aboutToReset, this, [this] { m_changing = true; beginResetModel(); });
        connect(dataset, &Dataset::resetDone, this, [this] { resolveFields(); endResetModel(); m_changing = false; });
        connect(dataset, &Dataset::aboutToInsertRow, this, [this](int r) { m_changing = true; beginInsertRows({}, r, r); });
        connect(dataset, &Dataset::rowInserted, this, [this] { endInsertRows(); m_changing = false; });
        connect(dataset, &Dataset::aboutToRemoveRow, this, [this](int r) { m_changing = true; beginRemoveRows({}, r, r); });
        connect(dataset, &Dataset::rowRemoved, this, [this] { endRemoveRows(); m_changing = false; });
        connect(dataset, &Dataset::rowChanged, this, [this](int r) {
            if (r >= 0 && r < rowCount() && columnCount() > 0)
                emit dataChanged(index(r, 0), index(r, columnCount() - 1));
        });
    }
    resolveFields();
    endResetModel();
    requireKnownFields();
}

void DatasetModel::setColumns(std::vector<GridColumn> columns)
{
    beginResetModel();
    m_columns = std::move(columns);
    resolveFields();
    endResetModel();
    requireKnownFields();
}

void DatasetModel::requireKnownFields() const
{
    // A dataset that is not open yet has no fields to check against.
    if (!m_dataset || m_dataset->fieldCount() == 0) return;
    for (size_t c = 0; c < m_columns.size(); ++c)
        if (m_fieldIndex[c] < 0)
            throw AppError(QStringLiteral("В списке указан столбец «%1», которого нет в данных «%2».")
                               .arg(m_columns[c].field, m_dataset->objectName()));
}

void DatasetModel::resolveFields()
{
    m_fieldIndex.clear();
    for (const GridColumn &c : m_columns)
        m_fieldIndex.push_back(m_dataset ? m_dataset->fieldIndex(c.field) : -1);
}

int DatasetModel::fieldOf(int column) const
{
    return column >= 0 && column < int(m_fieldIndex.size()) ? m_fieldIndex[size_t(column)] : -1;
}

int DatasetModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() || !m_dataset ? 0 : m_dataset->recordCount();
}

int DatasetModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QString DatasetModel::displayText(int row, int column) const
{
    const int f = fieldOf(column);
    if (f < 0 || !m_dataset) return QString();
    return ::displayText(m_dataset->fieldInfo(f).type, m_dataset->value(row, f), m_columns[size_t(column)].format);
}

QVariant DatasetModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || !m_dataset) return QVariant();
    const int f = fieldOf(index.column());
    switch (role) {
    case Qt::DisplayRole:
        return displayText(index.row(), index.column());
    case Qt::CheckStateRole:
        if (f >= 0 && m_dataset->fieldInfo(f).type == FieldType::Bool)
            return m_dataset->value(index.row(), f).toBool() ? Qt::Checked : Qt::Unchecked;
        return QVariant();
    case Qt::TextAlignmentRole:
        if (const Qt::Alignment a = m_columns[size_t(index.column())].alignment; a != Qt::Alignment())
            return int(a | Qt::AlignVCenter);
        if (f >= 0 && isNumeric(m_dataset->fieldInfo(f).type))
            return int(Qt::AlignRight | Qt::AlignVCenter);
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    default:
        return QVariant();
    }
}

QVariant DatasetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < columnCount())
        return m_columns[size_t(section)].title;
    return QVariant();
}

Qt::ItemFlags DatasetModel::flags(const QModelIndex &index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}
