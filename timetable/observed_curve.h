// An observer's light curve of a mutual event, read from the CSV file a
// photometry program exports: one row per image, a time column (Julian Day
// in UTC, or an ISO or dd/MM/yyyy date-time taken as UTC), a flux column
// (relative flux, or magnitudes converted to flux) and optionally an
// uncertainty column. Separator ',', ';', tab or blanks, found from the
// rows; with a separator other than ',' a decimal comma is read too. Lines
// starting with '#' are comments.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace zeno {

struct ObservedPoint {
    double ut = 0;      // UT seconds since 1970-01-01 (fraction allowed)
    double flux = 1;    // relative flux (magnitudes already converted)
    double sigma = 0;   // its 1-sigma uncertainty; 0 when the file gives none
};

// Column choices, numbered from 0; nullopt: found from the header.
struct CurveColumns {
    std::optional<int> time, flux, sigma;   // sigma: -1 for "none"
    std::optional<bool> magnitudes;         // nullopt: magnitudes when the flux column's name says "mag"
    bool anySign = false;                   // the value column may be zero or negative (a track's offsets)
};

struct ObservedCurve {
    std::vector<ObservedPoint> points;   // in time order
    QStringList columnNames;             // the header's, or "1", "2"... without one
    bool hasHeader = false;
    QChar separator;                     // ',', ';', '\t' or ' ' (blanks)
    int timeColumn = 0, fluxColumn = 1, sigmaColumn = -1;   // from 0; sigma -1: none
    bool magnitudes = false;
    double referenceMagnitude = 0;       // magnitudes: the median, flux 1
    int rows = 0;                        // data rows read (not the header nor comments)
    int badRows = 0;                     // rows whose time, flux or uncertainty could not be read
    QStringList badRowNotes;             // the first few, "ligne 12 : flux illisible « abc »"
    QString error;                       // non-empty: no usable curve, says why (French)
};

// Reads the text of a CSV file. Never throws: a fault is in `error`.
ObservedCurve readObservedCurve(const QString& text, const CurveColumns& columns = {});
// The same from a file; a file that cannot be read gives an error.
ObservedCurve loadObservedCurve(const QString& path, const CurveColumns& columns = {});

// The bad rows in one French sentence ("3 lignes illisibles ignorées : …"),
// empty when there are none.
QString badRowsText(const ObservedCurve& curve);

} // namespace zeno
