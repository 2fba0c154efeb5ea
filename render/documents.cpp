#include "documents.h"

#include "scene_frame.h"
#include "chart_painter.h"
#include "modern_theory.h"
#include "regional.h"
#include "safe_write.h"
#include "vocabulary.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <array>
#include <cmath>
#include <iterator>

namespace zeno {

namespace {

constexpr double kMarginPt = 30;          // around the page's contents
constexpr double kHeaderBandPt = 28;      // "OUEST" / "EST" and the scale
constexpr double kLegendPt = 30;          // the key below the chart
constexpr double kRowPt = 11.5;           // one row of the table
constexpr int kPdfDpi = 300;
constexpr int kPngScale = 2;              // PNG pixels per point

QString translate(const char* text) { return QCoreApplication::translate("Documents", text); }

const char* const kLocalTimeLine = QT_TRANSLATE_NOOP("Documents", "heure locale (%1)");
const char* const kLocalTimeHeading = QT_TRANSLATE_NOOP("Documents", "Heure locale (%1)");

QString offsetLine(const MonthChart& c)
{
    if (c.localAxis())
        return translate(kLocalTimeLine).arg(QString::fromUtf8(c.options.zone.id()));
    if (!c.options.civilAxis)
        return QCoreApplication::translate("Documents", "heures en TU");
    return QCoreApplication::translate("Documents", "heures civiles (Différence TU-TC = %1 h)").arg(c.options.offsetText);
}

// The logical page in points, whatever the device's resolution.
void pointsWindow(QPainter& p, const QPagedPaintDevice& device, const QSizeF& pagePt)
{
    p.setWindow(QRectF(QPointF(0, 0), pagePt).toRect());
    p.setViewport(0, 0, device.width(), device.height());
}

struct Colonne {
    const char* titre;
    Qt::Alignment align;
};
constexpr Colonne kColonnes[] = {
    {QT_TRANSLATE_NOOP("Documents", "Date (TC)"), Qt::AlignLeft},
    {QT_TRANSLATE_NOOP("Documents", "Date (TU)"), Qt::AlignLeft},
    {QT_TRANSLATE_NOOP("Documents", "Satellite"), Qt::AlignLeft},
    {QT_TRANSLATE_NOOP("Documents", "Phénomène"), Qt::AlignLeft},
    {QT_TRANSLATE_NOOP("Documents", "Début/fin"), Qt::AlignLeft},
    {QT_TRANSLATE_NOOP("Documents", "Jupiter (°)"), Qt::AlignRight},
    {QT_TRANSLATE_NOOP("Documents", "Soleil (°)"), Qt::AlignRight},
    {QT_TRANSLATE_NOOP("Documents", "Observable"), Qt::AlignHCenter},
};
constexpr int kColumns = int(std::size(kColonnes));
constexpr double kCellPadPt = 8;   // between the widest text of a column and the next

QStringList rowCells(const ProgrammeRow& r, const QLocale& locale)
{
    return {dateTimeText(r.civil, locale),
            dateTimeText(r.ut, locale),
            r.satellite < 0 ? QStringLiteral("—") : satelliteDisplayName(r.satellite),
            shownWord(r.phenomenon),
            shownWord(r.change),
            locale.toString(r.jupiterAltDeg, 'f', 1),
            locale.toString(r.sunAltDeg, 'f', 1),
            r.hidden       ? QCoreApplication::translate("Documents", "caché")
            : r.observable ? QCoreApplication::translate("Documents", "oui")
                           : QCoreApplication::translate("Documents", "non")};
}

// Each column as wide as its header or its widest cell; when that is wider
// than the page, the headers wrap at their spaces and count by their longest word.
struct TableLayout {
    std::array<double, kColumns> widths{};
    bool twoLineHeader = false;
};

TableLayout layoutTable(const QStringList& headers, const std::vector<QStringList>& cells, int columns, double room)
{
    const QFontMetricsF body(ChartPainter::font(8)), bold(ChartPainter::font(8, true));
    TableLayout t;
    std::array<double, kColumns> cellWidths{}, wordWidths{};
    for (const QStringList& row : cells)
        for (int c = 0; c < columns; ++c)
            cellWidths[c] = std::max(cellWidths[c], body.horizontalAdvance(row[c]));
    double total = 0;
    for (int c = 0; c < columns; ++c) {
        for (const QString& word : headers[c].split(u' '))
            wordWidths[c] = std::max(wordWidths[c], bold.horizontalAdvance(word));
        t.widths[c] = std::max(cellWidths[c], bold.horizontalAdvance(headers[c])) + kCellPadPt;
        total += t.widths[c];
    }
    if (total > room) {
        t.twoLineHeader = true;
        total = 0;
        for (int c = 0; c < columns; ++c) {
            t.widths[c] = std::max(cellWidths[c], wordWidths[c]) + kCellPadPt;
            total += t.widths[c];
        }
    }
    // The room left, shared: the table spans the page as its header band does.
    for (int c = 0; c < columns; ++c)
        t.widths[c] += std::max(0.0, room - total) / columns;
    return t;
}

// The table from its first row on, as many pages as it takes; `nextPage`
// first when `newPage` (the device already holds a page).
void paintTablePages(QPainter& p, const std::function<void()>& nextPage, const std::vector<ProgrammeRow>& rows,
                     const QString& title, const QString& subtitle, bool withSite, const QLocale& locale,
                     const QSizeF& pagePt, bool newPage, const QString& civilHeading)
{
    const int columns = withSite ? kColumns : 5;
    QStringList headers;
    for (int c = 0; c < columns; ++c)
        headers << (c == 0 && !civilHeading.isEmpty() ? civilHeading : translate(kColonnes[c].titre));
    std::vector<QStringList> cells;
    cells.reserve(rows.size());
    for (const ProgrammeRow& r : rows)
        cells.push_back(rowCells(r, locale));
    const TableLayout layout = layoutTable(headers, cells, columns, pagePt.width() - 2 * kMarginPt);
    const double headerPt = layout.twoLineHeader ? 2 * kRowPt : kRowPt;
    const double top = kMarginPt + 40;
    const int perPage = int((pagePt.height() - top - headerPt - kMarginPt - 14) / kRowPt);
    const int pages = std::max(1, int((rows.size() + std::size_t(perPage) - 1) / std::size_t(perPage)));
    for (int page = 0; page < pages; ++page) {
        if (newPage || page > 0)
            nextPage();
        p.setPen(Qt::black);
        p.setFont(ChartPainter::font(13, true));
        p.drawText(QRectF(kMarginPt, kMarginPt, pagePt.width() - 2 * kMarginPt, 18), Qt::AlignLeft | Qt::AlignVCenter,
                   title);
        p.setFont(ChartPainter::font(8));
        p.drawText(QRectF(kMarginPt, kMarginPt + 18, pagePt.width() - 2 * kMarginPt, 14),
                   Qt::AlignLeft | Qt::AlignVCenter, subtitle);
        p.drawText(QRectF(kMarginPt, pagePt.height() - kMarginPt, pagePt.width() - 2 * kMarginPt, 12),
                   Qt::AlignRight | Qt::AlignVCenter, QCoreApplication::translate("Documents", "page %1 / %2").arg(page + 1).arg(pages));
        double y = top;
        double x = kMarginPt;
        p.fillRect(QRectF(kMarginPt, y, pagePt.width() - 2 * kMarginPt, headerPt), QColor(225, 225, 225));
        p.setFont(ChartPainter::font(8, true));
        for (int c = 0; c < columns; ++c) {
            p.drawText(QRectF(x + 2, y, layout.widths[c] - 4, headerPt),
                       kColonnes[c].align | Qt::AlignVCenter | Qt::TextWordWrap, headers[c]);
            x += layout.widths[c];
        }
        y += headerPt - kRowPt;
        p.setFont(ChartPainter::font(8));
        const std::size_t first = std::size_t(page) * std::size_t(perPage);
        for (std::size_t i = first; i < rows.size() && i < first + std::size_t(perPage); ++i) {
            y += kRowPt;
            if (i % 2)
                p.fillRect(QRectF(kMarginPt, y, pagePt.width() - 2 * kMarginPt, kRowPt), QColor(245, 245, 245));
            x = kMarginPt;
            for (int c = 0; c < columns; ++c) {
                p.setPen(c == 7 && rows[i].observable ? QColor(0, 120, 0) : QColor(Qt::black));
                p.drawText(QRectF(x + 2, y, layout.widths[c] - 4, kRowPt), kColonnes[c].align | Qt::AlignVCenter,
                           cells[i][c]);
                x += layout.widths[c];
            }
        }
        if (rows.empty())
            p.drawText(QRectF(kMarginPt, y + kRowPt, 400, kRowPt), Qt::AlignLeft | Qt::AlignVCenter,
                       QCoreApplication::translate("Documents", "Aucun phénomène."));
    }
}

QString subtitleOf(const MonthChart& c, const ChartDocumentOptions& o)
{
    QStringList parts;
    if (!o.placeText.isEmpty())
        parts << QCoreApplication::translate("Documents", "Lieu : %1").arg(o.placeText);
    parts << theoryText(c.options.theorie);
    if (c.options.theorie == Theory::Precise && (c.options.year < kModernFirstYear || c.options.year > kModernLastYear))
        parts << QCoreApplication::translate("Documents", "précision réduite hors de %1").arg(fittedYearsText());
    parts << offsetLine(c);
    return parts.join(QStringLiteral("  ·  "));
}

void preparePages(QPagedPaintDevice& device, const QPageSize& size)
{
    device.setPageLayout(QPageLayout(size, QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
}

} // namespace

QString localTimeHeading(const QTimeZone& zone)
{
    return translate(kLocalTimeHeading).arg(QString::fromUtf8(zone.id()));
}

QString theoryText(Theory theorie)
{
    return theorie == Theory::Precise ? QCoreApplication::translate("Documents", "Théorie précise (%1), contacts du centre du satellite").arg(l12TheoryName())
                                       : QCoreApplication::translate("Documents", "Théorie originale (Meeus)");
}

void paintChartPage(QPainter& p, const MonthChart& chart, const ChartDocumentOptions& o, const QSizeF& pagePt)
{
    p.save();
    p.setPen(Qt::black);
    p.setFont(ChartPainter::font(15, true));
    const double width = pagePt.width() - 2 * kMarginPt;
    p.drawText(QRectF(kMarginPt, kMarginPt, width, 20), Qt::AlignLeft | Qt::AlignVCenter,
               QCoreApplication::translate("Documents", "Satellites galiléens de Jupiter — %1").arg(monthTitle(chart.options.year, chart.options.month)));
    p.setFont(ChartPainter::font(9));
    p.drawText(QRectF(kMarginPt, kMarginPt + 20, width, 14), Qt::AlignLeft | Qt::AlignVCenter, subtitleOf(chart, o));

    ChartPainter painter(chart, o.flipEW);
    const double top = kMarginPt + 38 + kHeaderBandPt;
    const QRectF plot(kMarginPt + ChartPainter::kLeftMargin, top, width - ChartPainter::kLeftMargin,
                      pagePt.height() - top - kMarginPt - kLegendPt);
    painter.setPlot(plot);
    painter.paintHeader(p, QRectF(plot.left(), top - kHeaderBandPt, plot.width(), kHeaderBandPt));
    painter.paint(p, plot.adjusted(0, -1, 0, 1));
    p.setPen(QPen(Qt::black, 0.8));
    p.setBrush(Qt::NoBrush);
    p.drawRect(plot);
    painter.paintLegend(p, QRectF(kMarginPt, plot.bottom() + 6, width, kLegendPt - 6));
    p.restore();
}

void paintMonthDocument(QPagedPaintDevice& device, const MonthChart& chart, const ChartDocumentOptions& o,
                        const QLocale& locale)
{
    preparePages(device, o.pageSize);
    const QSizeF pagePt = o.pageSize.size(QPageSize::Point);
    QPainter p(&device);
    pointsWindow(p, device, pagePt);
    paintMonthPages(p, [&device] { device.newPage(); }, chart, o, locale, pagePt);
}

void paintMonthPages(QPainter& p, const std::function<void()>& newPage, const MonthChart& chart,
                     const ChartDocumentOptions& o, const QLocale& locale, const QSizeF& pagePt)
{
    paintChartPage(p, chart, o, pagePt);
    paintTablePages(p, newPage, chart.rows,
                    QCoreApplication::translate("Documents", "Phénomènes — %1").arg(monthTitle(chart.options.year, chart.options.month)),
                    subtitleOf(chart, o), chart.options.site.has_value(), locale, pagePt, true,
                    chart.localAxis() ? localTimeHeading(chart.options.zone) : QString());
}

void paintTableDocument(QPagedPaintDevice& device, const std::vector<ProgrammeRow>& rows, const QString& title,
                        const QString& subtitle, bool withSite, const QLocale& locale, const QString& civilHeading)
{
    const QPageSize size = device.pageLayout().pageSize();
    preparePages(device, size);
    const QSizeF pagePt = size.size(QPageSize::Point);
    QPainter p(&device);
    pointsWindow(p, device, pagePt);
    paintTablePages(p, [&device] { device.newPage(); }, rows, title, subtitle, withSite, locale, pagePt, false,
                    civilHeading);
}

QByteArray monthPdf(const MonthChart& chart, const ChartDocumentOptions& o, const QLocale& locale)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(kPdfDpi);
        writer.setCreator(QStringLiteral("Zenolune"));
        writer.setTitle(QCoreApplication::translate("Documents", "Satellites galiléens de Jupiter — %1").arg(monthTitle(chart.options.year, chart.options.month)));
        paintMonthDocument(writer, chart, o, locale);
    }
    return buffer.data();
}

QByteArray tablePdf(const std::vector<ProgrammeRow>& rows, const QString& title, const QString& subtitle,
                    bool withSite, const QLocale& locale, const QPageSize& pageSize, const QString& civilHeading)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(kPdfDpi);
        writer.setCreator(QStringLiteral("Zenolune"));
        writer.setTitle(title);
        writer.setPageSize(pageSize);
        paintTableDocument(writer, rows, title, subtitle, withSite, locale, civilHeading);
    }
    return buffer.data();
}

QByteArray monthSvg(const MonthChart& chart, const ChartDocumentOptions& o)
{
    const QSizeF pagePt = o.pageSize.size(QPageSize::Point);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(pagePt.toSize());
    svg.setViewBox(QRectF(QPointF(0, 0), pagePt));
    svg.setTitle(QCoreApplication::translate("Documents", "Satellites galiléens de Jupiter — %1").arg(monthTitle(chart.options.year, chart.options.month)));
    svg.setDescription(subtitleOf(chart, o));
    QPainter p;
    if (!p.begin(&svg))
        return {};
    p.fillRect(QRectF(QPointF(0, 0), pagePt), Qt::white);
    paintChartPage(p, chart, o, pagePt);
    p.end();
    return buffer.data();
}

QByteArray monthPng(const MonthChart& chart, const ChartDocumentOptions& o)
{
    const QSizeF pagePt = o.pageSize.size(QPageSize::Point);
    QImage image((pagePt * kPngScale).toSize(), QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter p(&image);
        p.scale(kPngScale, kPngScale);
        paintChartPage(p, chart, o, pagePt);
    }
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        return {};
    return buffer.data();
}

ChartFormat chartFormatOf(const QString& path)
{
    const QString ext = QFileInfo(path).suffix().toLower();
    if (ext == u"pdf")
        return ChartFormat::Pdf;
    if (ext == u"svg")
        return ChartFormat::Svg;
    if (ext == u"png")
        return ChartFormat::Png;
    return ChartFormat::Unknown;
}

QString exportMonth(const MonthChart& chart, const ChartDocumentOptions& o, const QString& path, const QLocale& locale)
{
    QByteArray bytes;
    switch (chartFormatOf(path)) {
    case ChartFormat::Pdf: bytes = monthPdf(chart, o, locale); break;
    case ChartFormat::Svg: bytes = monthSvg(chart, o); break;
    case ChartFormat::Png: bytes = monthPng(chart, o); break;
    case ChartFormat::Unknown:
        return QCoreApplication::translate("Files", "Extension inconnue pour « %1 » : .pdf, .svg ou .png attendu.").arg(path);
    }
    if (bytes.isEmpty())
        return QCoreApplication::translate("Files", "Le graphique n'a pas pu être dessiné pour « %1 ».").arg(path);
    return writeWhole(path, bytes);
}

} // namespace zeno
