#include "chart_painter.h"

#include "scene_frame.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QLocale>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace zeno {

namespace {

const QColor kNight(212, 220, 238);          // the nights at the place
const QColor kJupiter(238, 212, 160);        // Jupiter's band
const QColor kJupiterEdge(176, 136, 72);
const QColor kGrid(222, 222, 222);
const QColor kDayLine(150, 150, 150);
const QColor kRedSpot(196, 38, 26);
const QColor kDirection(0, 0, 255);          // as the main window's direction labels

constexpr double kSecondsPerDayF = 86400.0;

QString translate(const char* text) { return QCoreApplication::translate("Graphique", text); }

} // namespace

QColor trackColour(int satellite)
{
    const Rgb c = kSatellites[satellite].own;
    QColor q(c.red, c.green, c.blue);
    // Europe's cyan and Ganymède's green are too pale on paper.
    return satellite == 1 ? q.darker(150) : satellite == 2 ? q.darker(140) : q.darker(110);
}

QFont ChartPainter::font(int size, bool bold)
{
    QFont f(QStringLiteral("Liberation Sans"));
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(size);
    f.setBold(bold);
    return f;
}

ChartPainter::ChartPainter(const MonthChart& chart, bool flipEW) : chart_(chart), flipEW_(flipEW)
{
    // Where the eclipses, occultations and transits begin and end, and how
    // each track is drawn from there on: hidden wins over in front.
    for (int s = 0; s < 4; ++s) {
        std::vector<UtSeconds> at{chart_.start};
        for (const PhaseInterval& ph : chart_.phases)
            if (ph.satellite == s && ph.kind != PhaseKind::Shadow) {
                at.push_back(ph.from);
                at.push_back(ph.to);
            }
        std::sort(at.begin(), at.end());
        at.erase(std::unique(at.begin(), at.end()), at.end());
        for (UtSeconds t : at) {
            const unsigned bits = chart_.phasesAt(s, t);
            const Trait trait = bits & ((1u << int(PhaseKind::Eclipse)) | (1u << int(PhaseKind::Occultation)))
                                    ? Trait::Hidden
                                : bits & (1u << int(PhaseKind::Transit)) ? Trait::Transit
                                                                         : Trait::Visible;
            if (changes_[s].empty() || changes_[s].back().trait != trait)
                changes_[s].push_back({t, trait});
        }
    }
}

void ChartPainter::setPlot(const QRectF& plot) { plot_ = plot; }

double ChartPainter::xOf(double radii) const
{
    const double scale = plot_.width() / (2 * kHalfWidthRadii);
    return plot_.center().x() + (flipEW_ ? -radii : radii) * scale;
}

double ChartPainter::radiiAt(double x) const
{
    const double scale = plot_.width() / (2 * kHalfWidthRadii);
    const double r = (x - plot_.center().x()) / scale;
    return flipEW_ ? -r : r;
}

double ChartPainter::yOf(UtSeconds ut) const
{
    const double span = double(chart_.end - chart_.start);
    return plot_.top() + double(ut - chart_.start) / span * plot_.height();
}

UtSeconds ChartPainter::utAt(double y) const
{
    const double span = double(chart_.end - chart_.start);
    return chart_.start + UtSeconds(std::llround((y - plot_.top()) / plot_.height() * span));
}

int ChartPainter::satelliteNear(double x, double y, double tolerance) const
{
    const UtSeconds t = utAt(y);
    if (t < chart_.start || t > chart_.end)
        return -1;
    int best = -1;
    double bestGap = tolerance;
    for (int s = 0; s < 4; ++s) {
        const double gap = std::abs(xOf(chart_.xAt(s, t)) - x);
        if (gap <= bestGap) {
            best = s;
            bestGap = gap;
        }
    }
    return best;
}

void ChartPainter::paint(QPainter& p, const QRectF& exposed) const
{
    const UtSeconds t0 = std::max(chart_.start, utAt(exposed.top()) - 3600);
    const UtSeconds t1 = std::min(chart_.end, utAt(exposed.bottom()) + 3600);
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    const auto rowOf = [&](UtSeconds a, UtSeconds b) {
        return QRectF(QPointF(plot_.left(), yOf(a)), QPointF(plot_.right(), yOf(b)));
    };
    for (const NightInterval& n : chart_.nights)
        if (n.to > t0 && n.from < t1)
            p.fillRect(rowOf(std::max(n.from, chart_.start), std::min(n.to, chart_.end)), kNight);

    // Every 5 radii, faintly; Jupiter's band two radii wide.
    p.setPen(QPen(kGrid, 0.6));
    for (int r = -25; r <= 25; r += 5)
        if (r != 0)
            p.drawLine(QPointF(xOf(r), yOf(t0)), QPointF(xOf(r), yOf(t1)));
    const QRectF band(QPointF(std::min(xOf(-1), xOf(1)), yOf(t0)), QPointF(std::max(xOf(-1), xOf(1)), yOf(t1)));
    p.fillRect(band, kJupiter);
    p.setPen(QPen(kJupiterEdge, 0.8));
    p.drawLine(band.topLeft(), band.bottomLeft());
    p.drawLine(band.topRight(), band.bottomRight());

    paintDays(p, exposed, t0, t1);

    // The Red Spot at the central meridian: a red dash across the band.
    p.setPen(QPen(kRedSpot, 1.6, Qt::SolidLine, Qt::FlatCap));
    for (UtSeconds t : chart_.grs)
        if (t >= t0 && t <= t1)
            p.drawLine(QPointF(xOf(-0.75), yOf(t)), QPointF(xOf(0.75), yOf(t)));

    // Shadows on the disk: a black bar in the satellite's lane of the band.
    for (const PhaseInterval& ph : chart_.phases) {
        if (ph.kind != PhaseKind::Shadow || ph.to < t0 || ph.from > t1)
            continue;
        const double lane = xOf(-0.6 + 0.4 * ph.satellite);
        p.setPen(QPen(Qt::black, 2.2, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(QPointF(lane, yOf(ph.from)), QPointF(lane, yOf(ph.to)));
        p.setPen(Qt::NoPen);
        p.setBrush(trackColour(ph.satellite));
        p.drawEllipse(QPointF(lane, yOf(ph.from)), 1.6, 1.6);
    }

    paintTracks(p, t0, t1);

    // Mutual events: a diamond on the satellite hidden or darkened.
    for (const MutualMark& m : chart_.mutual) {
        if (m.to < t0 || m.from > t1)
            continue;
        const UtSeconds mid = m.from + (m.to - m.from) / 2;
        const QPointF c(xOf(chart_.xAt(m.passive, mid)), yOf(mid));
        QPainterPath d;
        d.moveTo(c + QPointF(0, -3.5));
        d.lineTo(c + QPointF(3.5, 0));
        d.lineTo(c + QPointF(0, 3.5));
        d.lineTo(c + QPointF(-3.5, 0));
        d.closeSubpath();
        p.setPen(QPen(Qt::black, 0.8));
        p.setBrush(m.eclipse ? QBrush(Qt::black) : QBrush(trackColour(m.active)));
        p.drawPath(d);
    }
    // Mutual approximations: a ring where the two tracks meet at the central instant.
    for (const ApproximationMark& m : chart_.approximations) {
        if (m.at < t0 || m.at > t1)
            continue;
        const double x = (chart_.xAt(m.first, m.at) + chart_.xAt(m.second, m.at)) / 2;
        p.setPen(QPen(Qt::black, 0.9));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(xOf(x), yOf(m.at)), 3.2, 3.2);
    }
    p.restore();
}

void ChartPainter::paintDays(QPainter& p, const QRectF& exposed, UtSeconds t0, UtSeconds t1) const
{
    const double dayHeight = plot_.height() * kSecondsPerDayF / double(chart_.end - chart_.start);
    const UtSeconds axis0 = chart_.axisOf(chart_.start);
    const UtSeconds firstDay = axis0 - ((axis0 % 86400) + 86400) % 86400;
    // The hours of the axis' clock in a column of their own beside the plot,
    // every six hours, or at noon alone, as their row's height allows.
    const QFont hourFont = font(8);
    const double hourRoom = QFontMetricsF(hourFont).height();
    const int hourEvery = dayHeight / 4 >= hourRoom ? 6 : dayHeight / 2 >= hourRoom ? 12 : 0;
    for (UtSeconds day = firstDay; chart_.utOf(day) <= t1; day += 86400) {
        // A day of the local clock lasts 23 or 25 hours across a change of summer time.
        const UtSeconds ut = chart_.utOf(day), next = chart_.utOf(day + 86400);
        if (next < t0)
            continue;
        // Hour ticks at both edges, every six hours of the axis' clock longer.
        for (UtSeconds th = ut; th < next; th += 3600) {
            if (th < chart_.start || th > chart_.end)
                continue;
            const int h = chart_.axisHour(th);
            const double y = yOf(th);
            const double len = h % 6 == 0 ? 6 : 3;
            if (dayHeight < 30 && h % 6 != 0)
                continue;
            p.setPen(QPen(kDayLine, 0.5));
            p.drawLine(QPointF(plot_.left(), y), QPointF(plot_.left() + len, y));
            p.drawLine(QPointF(plot_.right() - len, y), QPointF(plot_.right(), y));
            if (hourEvery > 0 && h > 0 && h % hourEvery == 0) {
                p.setPen(Qt::darkGray);
                p.setFont(hourFont);
                p.drawText(QRectF(plot_.left() - kHourColumn, y - hourRoom / 2, kHourColumn - 2, hourRoom),
                           Qt::AlignRight | Qt::AlignVCenter, QString::number(h));
            }
        }
        if (ut < chart_.start || ut >= chart_.end)
            continue;
        const double y = yOf(ut);
        p.setPen(QPen(kDayLine, 0.6));
        p.drawLine(QPointF(plot_.left(), y), QPointF(plot_.right(), y));
        if (y + dayHeight < exposed.top() || y > exposed.bottom())
            continue;
        const QDate d = QDateTime::fromSecsSinceEpoch(day, Qt::UTC).date();
        const bool weekEnd = d.dayOfWeek() >= 6;
        p.setPen(weekEnd ? QColor(150, 30, 30) : Qt::black);
        p.setFont(font(dayHeight >= 18 ? 10 : 8, true));
        const QString text = weekdayShort(d.dayOfWeek()) + u' ' + QString::number(d.day());
        p.drawText(QRectF(plot_.left() - kLeftMargin, y, kLeftMargin - kHourColumn - 2, std::min(dayHeight, 16.0)),
                   Qt::AlignRight | Qt::AlignVCenter, text);
    }
}

void ChartPainter::paintTracks(QPainter& p, UtSeconds t0, UtSeconds t1) const
{
    p.setBrush(Qt::NoBrush);
    // Samples closer than 3 units down the page add nothing one can see: a
    // chord of two steps departs from Io's track by less than 0.01 RJ.
    const double unitsPerStep = double(chart_.step) * plot_.height() / double(chart_.end - chart_.start);
    const UtSeconds stride = std::max<UtSeconds>(1, UtSeconds(3.0 / unitsPerStep));
    std::vector<QPointF> line;
    for (int s = 0; s < 4; ++s) {
        const QColor c = trackColour(s);
        const std::vector<Change>& ch = changes_[s];
        auto it = std::upper_bound(ch.begin(), ch.end(), t0, [](UtSeconds t, const Change& c) { return t < c.t; });
        std::size_t i = it == ch.begin() ? 0 : std::size_t(it - ch.begin()) - 1;
        for (UtSeconds a = t0; a < t1 && i < ch.size(); ++i) {
            const UtSeconds b = std::min(t1, i + 1 < ch.size() ? ch[i + 1].t : chart_.end);
            if (b <= a) {
                a = std::max(a, b);
                continue;
            }
            switch (ch[i].trait) {
            case Trait::Visible: p.setPen(QPen(c, 1.3)); break;
            case Trait::Transit: p.setPen(QPen(c, 3.2, Qt::SolidLine, Qt::FlatCap)); break;
            case Trait::Hidden: p.setPen(QPen(c, 1.0, Qt::DotLine, Qt::FlatCap)); break;
            }
            line.clear();
            line.emplace_back(xOf(chart_.xAt(s, a)), yOf(a));
            const UtSeconds first = ((a - chart_.start) / chart_.step / stride + 1) * stride;
            for (UtSeconds k = first; chart_.start + k * chart_.step < b; k += stride)
                line.emplace_back(xOf(chart_.x[std::size_t(k)][s]), yOf(chart_.start + k * chart_.step));
            line.emplace_back(xOf(chart_.xAt(s, b)), yOf(b));
            p.drawPolyline(line.data(), int(line.size()));
            a = b;
        }
    }
}

void ChartPainter::paintHeader(QPainter& p, const QRectF& band) const
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(kDirection);
    p.setFont(font(13, true));
    const QRectF words(plot_.left(), band.top(), plot_.width(), band.height() * 0.55);
    p.drawText(words, Qt::AlignLeft | Qt::AlignVCenter, flipEW_ ? QCoreApplication::translate("Graphique", "EST") : QCoreApplication::translate("Graphique", "OUEST"));
    p.drawText(words, Qt::AlignRight | Qt::AlignVCenter, flipEW_ ? QCoreApplication::translate("Graphique", "OUEST") : QCoreApplication::translate("Graphique", "EST"));
    p.setPen(Qt::black);
    p.setFont(font(9, true));
    p.drawText(words, Qt::AlignHCenter | Qt::AlignVCenter, QCoreApplication::translate("Graphique", "Jupiter"));
    // The scale in Jupiter radii.
    p.setFont(font(8));
    p.setPen(Qt::darkGray);
    const double y = band.top() + band.height() * 0.55;
    for (int r = -25; r <= 25; r += 5) {
        const double x = xOf(r);
        p.drawLine(QPointF(x, band.bottom() - 3), QPointF(x, band.bottom()));
        p.drawText(QRectF(x - 14, y, 28, band.bottom() - 3 - y), Qt::AlignCenter, QString::number(std::abs(r)));
    }
    p.restore();
}

void ChartPainter::paintLegend(QPainter& p, const QRectF& band) const
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setFont(font(9));
    const QFontMetricsF fm(p.font());
    double x = band.left();
    double y = band.top() + fm.height() / 2 + 1;
    const auto sample = [&](const QPen& pen, const QString& text) {
        if (x + 24 + fm.horizontalAdvance(text) > band.right() && x > band.left()) {
            x = band.left();
            y += fm.height() + 3;
        }
        QPen flat = pen;
        flat.setCapStyle(Qt::FlatCap);
        p.setPen(flat);
        p.drawLine(QPointF(x, y), QPointF(x + 18, y));
        p.setPen(Qt::black);
        p.drawText(QPointF(x + 22, y + fm.ascent() / 2 - 1), text);
        x += 22 + fm.horizontalAdvance(text) + 14;
    };
    for (int s = 0; s < 4; ++s)
        sample(QPen(trackColour(s), 1.6), satelliteDisplayName(s));
    sample(QPen(Qt::black, 1.0, Qt::DotLine), QCoreApplication::translate("Graphique", "éclipsé ou occulté"));
    sample(QPen(Qt::black, 3.2, Qt::SolidLine, Qt::FlatCap), QCoreApplication::translate("Graphique", "passage devant Jupiter"));
    sample(QPen(Qt::black, 2.2, Qt::SolidLine, Qt::FlatCap), QCoreApplication::translate("Graphique", "ombre sur Jupiter (une colonne par satellite)"));
    if (chart_.options.grs)
        sample(QPen(kRedSpot, 1.6), QCoreApplication::translate("Graphique", "Tache Rouge au méridien central"));
    if (chart_.options.site)
        sample(QPen(kNight, 7), QCoreApplication::translate("Graphique", "nuit au lieu d'observation"));
    if (!chart_.mutual.empty())
        sample(QPen(Qt::black, 1.0), QCoreApplication::translate("Graphique", "◆ phénomène mutuel"));
    if (!chart_.approximations.empty())
        sample(QPen(Qt::black, 1.0), QCoreApplication::translate("Graphique", "○ approximation mutuelle"));
    p.restore();
}

} // namespace zeno
