// The month's chart and the phenomena table as documents: printed (print
// preview), PDF (a page of chart, then the month's table), SVG and PNG.
// Every file is written whole or not at all (QSaveFile).
#pragma once

#include "ical.h"
#include "month_chart.h"

#include <QByteArray>
#include <QLocale>
#include <QPageSize>
#include <QString>
#include <QTimeZone>
#include <functional>
#include <vector>

class QPagedPaintDevice;
class QPainter;

namespace zeno {

struct ChartDocumentOptions {
    bool flipEW = false;               // as the main window's "Inversion Est-Ouest"
    QString placeText;                 // "48,85° N, 2,35° E, 35 m", empty without a place
    QPageSize pageSize = QPageSize(QPageSize::A4);
};

// "Théorie originale (Meeus)" or "Théorie précise (…)" naming the L1.2 in use.
QString theoryText(Theory theorie);

// One page of chart (header with the place, the theory and the offset) in a
// page of `pageSize` points.
void paintChartPage(QPainter& p, const MonthChart& chart, const ChartDocumentOptions& o, const QSizeF& pageSize);

// The chart's page and the month's phenomena table after it, on any painter
// whose window is the page in points; `newPage` starts each next page.
void paintMonthPages(QPainter& p, const std::function<void()>& newPage, const MonthChart& chart,
                     const ChartDocumentOptions& o, const QLocale& locale, const QSizeF& pageSize);
// On a printer or a PDF writer: the chart on the first page, the month's
// phenomena table on the following ones.
void paintMonthDocument(QPagedPaintDevice& device, const MonthChart& chart, const ChartDocumentOptions& o,
                        const QLocale& locale);
// The phenomena table alone, under a title and a subtitle; `civilHeading`
// heads the rows' civil time ("Date (TC)" when empty).
void paintTableDocument(QPagedPaintDevice& device, const std::vector<ProgrammeRow>& rows, const QString& title,
                        const QString& subtitle, bool withSite, const QLocale& locale,
                        const QString& civilHeading = {});

QByteArray monthPdf(const MonthChart& chart, const ChartDocumentOptions& o, const QLocale& locale);
QByteArray monthSvg(const MonthChart& chart, const ChartDocumentOptions& o);
QByteArray monthPng(const MonthChart& chart, const ChartDocumentOptions& o);
QByteArray tablePdf(const std::vector<ProgrammeRow>& rows, const QString& title, const QString& subtitle,
                    bool withSite, const QLocale& locale, const QPageSize& pageSize = QPageSize(QPageSize::A4),
                    const QString& civilHeading = {});
// "Heure locale (Europe/Paris)": the heading of times in a zone's local time.
QString localTimeHeading(const QTimeZone& zone);

enum class ChartFormat { Pdf, Svg, Png, Unknown };
// From the file name's extension, in any case.
ChartFormat chartFormatOf(const QString& path);

// The chart as PDF, SVG or PNG by the extension of `path`; empty or the message.
QString exportMonth(const MonthChart& chart, const ChartDocumentOptions& o, const QString& path,
                    const QLocale& locale);

} // namespace zeno
