// The phenomena window's table: a model over the computed rows, reset once
// per computation; the satellite filter and the sort reorder an index, never
// the rows, so a year of rows is on screen at once.
#pragma once

#include "night_programme.h"

#include <QAbstractTableModel>
#include <QLocale>
#include <QTimeZone>

#include <vector>

class PhenomenaModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { LocalTime, UniversalTime, Satellite, Phenomenon, Change, JupiterAltitude, SunAltitude, Observable, ColumnCount };
    static constexpr int kAllSatellites = -2;
    static constexpr int kRedSpot = -1;
    static constexpr int kMutualEvents = -3;   // the mutual events' rows alone
    static constexpr int kApproximations = -4; // the mutual approximations' rows alone

    PhenomenaModel(const QLocale& locale, QObject* parent = nullptr);

    // New rows: one reset, then the current filter and sort.
    void setRows(std::vector<zeno::ProgrammeRow> rows);
    const std::vector<zeno::ProgrammeRow>& rows() const { return rows_; }
    // The computed row shown at a row of the table.
    const zeno::ProgrammeRow& shownRow(int row) const { return rows_[shown_[std::size_t(row)]]; }
    std::vector<zeno::ProgrammeRow> shownRows() const;

    // A satellite (0..3: its own phenomena, approximations apart), kRedSpot, kMutualEvents,
    // kApproximations or kAllSatellites; observable rows only.
    void setFilter(int satellite, bool observableOnly);
    // The limits the rows were placed with: a row not observable says why in
    // the tooltip of its "Observable" cell.
    void setVisibility(const zeno::Visibility& v) { visibility_ = v; }
    // The zone of the first column, named in its header.
    void setTimeZone(const QTimeZone& zone);
    const QTimeZone& timeZone() const { return zone_; }
    // The observer's wall-clock time of a UT instant, as a zone-less date-time.
    QDateTime localTime(const QDateTime& ut) const;

    // The shown rows as the table shows them, header included: international
    // (comma, decimal point) or French (semicolon, decimal comma).
    QString csv(bool french) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void sort(int column, Qt::SortOrder order) override;

private:
    void refilter();
    void resort();
    QString text(const zeno::ProgrammeRow& l, int column, const QLocale& numbers) const;

    QLocale locale_;
    QTimeZone zone_ = QTimeZone::systemTimeZone();
    zeno::Visibility visibility_;
    std::vector<zeno::ProgrammeRow> rows_;
    std::vector<std::size_t> shown_;   // indices into rows_, filtered and sorted
    int satellite_ = kAllSatellites;
    bool observableOnly_ = false;
    int sortColumn_ = UniversalTime;
    Qt::SortOrder sortOrder_ = Qt::AscendingOrder;
};
