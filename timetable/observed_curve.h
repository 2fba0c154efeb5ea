// An observer's light curve of a mutual event, read from the file a
// photometry program exports, as it exports it. The layout is found from
// the file: its encoding (export_text.h), a preamble of any length before
// the header, the separator (',', ';', tab or blanks, with a decimal comma
// beside ';', tab and blanks), the header's words. Known layouts: Tangra
// (times of day, "Signal (n)" with its "Background (n)"), PyMovie ('#'
// block, "timeInfo" in [ ]), LiMovie (hours, minutes and seconds in three
// columns), AstroImageJ (CSV, and its tab table whose blank first header
// cell stands over the row numbers), C-Munipack/Muniwin ("JD V-C s1",
// magnitudes), spreadsheets with one date-time column or a date and a time
// column, and any table of a time and a flux.
//
// Times: Julian Days UTC (JD, MJD, JD−2400000), date-times taken as UTC
// unless they name their zone, a date and a time column, times of day
// alone (the date taken from the event, rolled over at 00:00 UT) or hours,
// minutes and seconds columns. Flux: a relative flux, or magnitudes made
// fluxes; a signal with its background gives signal − background; a
// target with a comparison gives their ratio.
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

// The user's choices, columns numbered from 0; nullopt: found from the file.
struct CurveColumns {
    std::optional<int> time, flux, sigma;   // sigma: -1 for "none"
    std::optional<int> comparison;          // the comparison's column, -1 for "none"
    std::optional<bool> magnitudes;         // nullopt: magnitudes when the header says so
    // Times without a date: the day that puts the first row nearest this
    // UT instant (seconds since 1970; the event's maximum); none: refused.
    std::optional<double> dateNearUt;
    bool anySign = false;                   // the value column may be zero or negative (a track's offsets)
};

enum class TimeForm {
    JulianDay,         // one column of Julian Days (UTC), or MJD, or JD − 2400000
    DateTime,          // one column of date-times
    DateAndTime,       // a date column and a time-of-day column
    TimeOfDay,         // times of day without a date
    HourMinuteSecond,  // hours, minutes and seconds in three columns
};

struct ObservedCurve {
    std::vector<ObservedPoint> points;   // in time order
    QString layout;                      // "Tangra", "PyMovie", "LiMovie", "AstroImageJ", "C-Munipack", a spreadsheet's, or "CSV"
    QString encoding;                    // "UTF-8", "UTF-16LE"... (export_text.h)
    QStringList columnNames;             // the header's, or "1", "2"... without one
    bool hasHeader = false;
    int headerLine = 0;                  // the header's line number (from 1), 0: none
    QChar separator;                     // ',', ';', '\t' or ' ' (blanks)
    TimeForm timeForm = TimeForm::JulianDay;
    // From 0; -1: none. The time column holds the time, or the hours; the
    // date column the date of DateAndTime; minutes and seconds those of HourMinuteSecond.
    int timeColumn = 0, dateColumn = -1, minuteColumn = -1, secondColumn = -1;
    int fluxColumn = 1, sigmaColumn = -1;
    int backgroundColumn = -1;           // subtracted from the flux column (a raw signal)
    int comparisonColumn = -1, comparisonBackgroundColumn = -1;   // the flux divides by comparison − its background
    bool magnitudes = false;
    double referenceMagnitude = 0;       // magnitudes: the median, flux 1
    bool datesFromEvent = false;         // times without a date took the event's
    int midnightRollovers = 0;           // days added where the times of day passed 00:00 UT
    int datesMended = 0;                 // rows whose date the file had not moved on at 00:00 UT
    int rows = 0;                        // data rows read (not the preamble, the header nor comments)
    int badRows = 0;                     // rows whose time, flux or uncertainty could not be read
    QStringList badRowNotes;             // the first few, "ligne 12 : flux illisible « abc »"
    QString error;                       // non-empty: no usable curve, says why (French)
};

// Reads an export's bytes, whatever their encoding. Never throws: a fault is in `error`.
ObservedCurve readObservedCurve(const QByteArray& bytes, const CurveColumns& columns = {});
// The same from text already decoded.
ObservedCurve readObservedCurve(const QString& text, const CurveColumns& columns = {});
// The same from a file; a file that cannot be read, or is larger than any
// export (64 MiB, counted as read), gives an error.
ObservedCurve loadObservedCurve(const QString& path, const CurveColumns& columns = {});

// The bad rows in one French sentence ("3 lignes illisibles ignorées : …"),
// empty when there are none.
QString badRowsText(const ObservedCurve& curve);
// How the file was read, one French sentence: layout, encoding, time, flux,
// and the dates taken from the event ("… dates prises du phénomène, passage à minuit compris").
QString readingText(const ObservedCurve& curve);
// The layouts and time forms read, for the messages of files that are none.
QString acceptedLayoutsText();

} // namespace zeno
