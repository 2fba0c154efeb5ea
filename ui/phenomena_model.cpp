#include "phenomena_model.h"

#include "scene_frame.h"
#include "regional.h"
#include "vocabulary.h"

#include <QBrush>
#include <QColor>

#include <algorithm>

namespace {

QString satelliteName(int s) { return s < 0 ? QStringLiteral("—") : zeno::satelliteDisplayName(s); }

// Satellites before the spot at the same second.
int satelliteRank(const zeno::ProgrammeRow& l) { return l.satellite < 0 ? 4 : l.satellite; }

// -1, 0 or 1: x before, level with or after y in a column; dates are the tie-break.
int compareIn(int column, const zeno::ProgrammeRow& x, const zeno::ProgrammeRow& y)
{
    const auto cmp = [](const auto& a, const auto& b) { return a < b ? -1 : b < a ? 1 : 0; };
    switch (column) {
    case PhenomenaModel::Satellite: return cmp(satelliteRank(x), satelliteRank(y));
    case PhenomenaModel::Phenomenon: return cmp(x.phenomenon, y.phenomenon);
    case PhenomenaModel::Change: return cmp(x.change, y.change);
    case PhenomenaModel::JupiterAltitude: return cmp(x.jupiterAltDeg, y.jupiterAltDeg);
    case PhenomenaModel::SunAltitude: return cmp(x.sunAltDeg, y.sunAltDeg);
    case PhenomenaModel::Observable: return cmp(x.observable, y.observable);
    default: return 0;
    }
}

} // namespace

PhenomenaModel::PhenomenaModel(const QLocale& locale, QObject* parent) : QAbstractTableModel(parent), locale_(locale) {}

void PhenomenaModel::setRows(std::vector<zeno::ProgrammeRow> rows)
{
    beginResetModel();
    rows_ = std::move(rows);
    refilter();
    resort();
    endResetModel();
}

std::vector<zeno::ProgrammeRow> PhenomenaModel::shownRows() const
{
    std::vector<zeno::ProgrammeRow> v;
    v.reserve(shown_.size());
    for (std::size_t i : shown_)
        v.push_back(rows_[i]);
    return v;
}

void PhenomenaModel::setFilter(int satellite, bool observableOnly)
{
    if (satellite == satellite_ && observableOnly == observableOnly_)
        return;
    beginResetModel();
    satellite_ = satellite;
    observableOnly_ = observableOnly;
    refilter();
    resort();
    endResetModel();
}

void PhenomenaModel::setTimeZone(const QTimeZone& zone)
{
    zone_ = zone.isValid() ? zone : QTimeZone::systemTimeZone();
    emit headerDataChanged(Qt::Horizontal, LocalTime, LocalTime);
    if (!shown_.empty())
        emit dataChanged(index(0, LocalTime), index(rowCount() - 1, LocalTime));
}

QDateTime PhenomenaModel::localTime(const QDateTime& ut) const
{
    const QDateTime t = ut.toTimeZone(zone_);
    return QDateTime(t.date(), t.time(), Qt::UTC);
}

void PhenomenaModel::refilter()
{
    shown_.clear();
    shown_.reserve(rows_.size());
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        const zeno::ProgrammeRow& l = rows_[i];
        const bool chosen = satellite_ == kMutualEvents    ? l.mutual >= 0
                          : satellite_ == kApproximations ? l.approximation >= 0
                                                          : satellite_ == kAllSatellites
                                                                || (l.satellite == satellite_ && l.approximation < 0);
        if (chosen && (!observableOnly_ || l.observable))
            shown_.push_back(i);
    }
}

void PhenomenaModel::resort()
{
    const auto less = [this](std::size_t a, std::size_t b) {
        const zeno::ProgrammeRow& x = rows_[a];
        const zeno::ProgrammeRow& y = rows_[b];
        if (const int c = compareIn(sortColumn_, x, y); c != 0)
            return c < 0;
        if (x.ut != y.ut)
            return x.ut < y.ut;
        return satelliteRank(x) < satelliteRank(y);
    };
    if (sortOrder_ == Qt::AscendingOrder)
        std::stable_sort(shown_.begin(), shown_.end(), less);
    else
        std::stable_sort(shown_.begin(), shown_.end(), [&less](std::size_t a, std::size_t b) { return less(b, a); });
}

void PhenomenaModel::sort(int column, Qt::SortOrder order)
{
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    sortColumn_ = column;
    sortOrder_ = order;
    resort();
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

int PhenomenaModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(shown_.size()); }

int PhenomenaModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

QString PhenomenaModel::text(const zeno::ProgrammeRow& l, int column, const QLocale& numbers) const
{
    switch (column) {
    case LocalTime: return zeno::dateTimeText(localTime(l.ut), locale_);
    case UniversalTime: return zeno::dateTimeText(l.ut, locale_);
    case Satellite: return satelliteName(l.satellite);
    case Phenomenon: return zeno::shownWord(l.phenomenon);
    case Change: return zeno::shownWord(l.change);
    case JupiterAltitude: return numbers.toString(l.jupiterAltDeg, 'f', 1);
    case SunAltitude: return numbers.toString(l.sunAltDeg, 'f', 1);
    case Observable:
        // « caché »: the contact happens behind the disc or in the shadow.
        return l.hidden ? tr("caché") : l.observable ? tr("oui") : tr("non");
    }
    return {};
}

QVariant PhenomenaModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const zeno::ProgrammeRow& l = shownRow(index.row());
    if (role == Qt::DisplayRole)
        return text(l, index.column(), locale_);
    if (role == Qt::ToolTipRole && index.column() == Observable && l.unseen != 0)
        return zeno::notSeenText(l, visibility_);
    if (role == Qt::ForegroundRole && index.column() == Observable && l.observable)
        return QBrush(QColor(0, 128, 0));
    if (role == Qt::TextAlignmentRole && (index.column() == JupiterAltitude || index.column() == SunAltitude))
        return int(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant PhenomenaModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case LocalTime: return tr("Heure locale (%1)").arg(QString::fromUtf8(zone_.id()));
    case UniversalTime: return tr("Date (TU)");
    case Satellite: return tr("Satellite");
    case Phenomenon: return tr("Phénomène");
    case Change: return tr("Début/fin");
    case JupiterAltitude: return tr("Jupiter (°)");
    case SunAltitude: return tr("Soleil (°)");
    case Observable: return tr("Observable");
    }
    return {};
}

QString PhenomenaModel::csv(bool french) const
{
    const QChar separator = french ? u';' : u',';
    QLocale numbers = french ? QLocale(QLocale::French, QLocale::France) : QLocale::c();
    numbers.setNumberOptions(QLocale::OmitGroupSeparator);
    QStringList fields;
    for (int c = 0; c < ColumnCount; ++c)
        fields << zeno::csvField(headerData(c, Qt::Horizontal, Qt::DisplayRole).toString(), separator);
    QString out = fields.join(separator) + u'\n';
    for (std::size_t i : shown_) {
        fields.clear();
        for (int c = 0; c < ColumnCount; ++c)
            fields << zeno::csvField(text(rows_[i], c, numbers), separator);
        out += fields.join(separator) + u'\n';
    }
    return out;
}
