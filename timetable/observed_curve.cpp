#include "observed_curve.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QLocale>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace zeno {

namespace {

constexpr double kUnixEpochJD = 2440587.5;   // 1970-01-01 00:00 UT
constexpr double kSecondsPerDay = 86400;
constexpr double kMjdOffset = 2400000.5;     // JD - MJD
constexpr double kShortJdOffset = 2400000;   // a column named "J.D.-2400000"
constexpr double kSmallestJD = 2000000;      // below: not a Julian Day (year 763)
constexpr int kSniffRows = 20;               // rows looked at to find the separator
constexpr int kNotedBadRows = 5;             // bad rows named in the message
constexpr qint64 kLargestFile = 64 << 20;    // bytes: no photometry export is larger


QStringList splitRow(const QString& line, QChar separator)
{
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    QStringList f = separator == u' ' ? line.simplified().split(blanks, Qt::SkipEmptyParts) : line.split(separator);
    for (QString& s : f) {
        s = s.trimmed();
        if (s.size() >= 2 && s.front() == u'"' && s.back() == u'"')
            s = s.mid(1, s.size() - 2).trimmed();
    }
    return f;
}

// A number with a decimal point, or a decimal comma when the separator is not a comma.
std::optional<double> number(QString s, QChar separator)
{
    if (separator != u',')
        s.replace(u',', u'.');
    bool ok = false;
    const double v = QLocale::c().toDouble(s, &ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

// A date-time taken as UTC unless it names its zone: ISO 8601 (T or a
// blank between date and time) or the program's dd/MM/yyyy HH:mm:ss[.zzz].
std::optional<double> dateTimeSeconds(const QString& s)
{
    QDateTime t;
    if (s.size() >= 10 && s[4] == u'-') {
        QString iso = s;
        if (iso.size() > 10 && iso[10] == u' ')
            iso[10] = u'T';
        t = QDateTime::fromString(iso, Qt::ISODateWithMs);
        if (t.isValid() && t.timeSpec() == Qt::LocalTime)
            t.setTimeSpec(Qt::UTC);
    } else if (s.size() >= 19 && s[2] == u'/') {
        t = QDateTime::fromString(s, s.size() > 19 ? QStringLiteral("dd/MM/yyyy HH:mm:ss.zzz")
                                                   : QStringLiteral("dd/MM/yyyy HH:mm:ss"));
        t.setTimeSpec(Qt::UTC);
    }
    if (!t.isValid())
        return std::nullopt;
    return double(t.toMSecsSinceEpoch()) / 1000;
}

// A time field: a date-time, or a Julian Day (UTC) less the column's offset.
std::optional<double> timeSeconds(const QString& s, QChar separator, double jdOffset)
{
    if (const auto t = dateTimeSeconds(s))
        return t;
    auto v = number(s, separator);
    if (!v)
        return std::nullopt;
    *v += jdOffset;
    if (*v < kSmallestJD)
        return std::nullopt;
    return (*v - kUnixEpochJD) * kSecondsPerDay;
}

bool isValue(const QString& s, QChar separator)
{
    return s.isEmpty() || number(s, separator) || dateTimeSeconds(s);
}

// The separator the first rows agree on: tab, then ';', then ',', else blanks.
QChar sniffSeparator(const QStringList& rows)
{
    for (const QChar c : {QChar(u'\t'), QChar(u';'), QChar(u',')}) {
        const bool all = std::all_of(rows.begin(), rows.end(), [c](const QString& r) { return r.contains(c); });
        if (all)
            return c;
    }
    return u' ';
}

bool nameHas(const QString& name, std::initializer_list<const char*> words)
{
    const QString n = name.toLower();
    return std::any_of(words.begin(), words.end(), [&](const char* w) { return n.contains(QLatin1String(w)); });
}

bool isErrorName(const QString& n) { return nameHas(n, {"err", "sigma", "incert", "unc", "σ"}); }
// Heliocentric and barycentric times are not UTC at the Earth: minutes apart for Jupiter.
bool isSolarSystemTime(const QString& n) { return nameHas(n, {"hjd", "bjd", "hel", "bary"}); }

// Columns from the header's names where the user chose none.
void chooseColumns(ObservedCurve& c, const CurveColumns& chosen)
{
    const int n = int(c.columnNames.size());
    int time = -1, flux = -1, sigma = -1, solarSystemTime = -1;
    if (c.hasHeader)
        for (int i = 0; i < n; ++i) {
            const QString& name = c.columnNames[i];
            if (isErrorName(name)) {
                if (sigma < 0 && i != chosen.time.value_or(-1))
                    sigma = i;
            } else if (nameHas(name, {"flux", "mag", "rel", "intens", "ratio", "count", "signal"})) {
                if (flux < 0)
                    flux = i;
            } else if (nameHas(QString(name).remove(u'.'), {"jd", "date", "time", "ut", "temps", "heure"})) {
                if (isSolarSystemTime(name))
                    solarSystemTime = solarSystemTime < 0 ? i : solarSystemTime;
                else if (time < 0)
                    time = i;
            }
        }
    if (time < 0)
        time = solarSystemTime;   // refused below, with the reason
    c.timeColumn = chosen.time.value_or(time >= 0 ? time : 0);
    if (chosen.flux)
        c.fluxColumn = *chosen.flux;
    else if (flux >= 0 && flux != c.timeColumn)
        c.fluxColumn = flux;
    else
        c.fluxColumn = c.timeColumn == 0 ? 1 : 0;
    c.sigmaColumn = chosen.sigma.value_or(sigma);
    if (c.sigmaColumn == c.timeColumn || c.sigmaColumn == c.fluxColumn)
        c.sigmaColumn = -1;
    c.magnitudes = chosen.magnitudes.value_or(c.hasHeader && c.fluxColumn < n && nameHas(c.columnNames[c.fluxColumn], {"mag"}));
}

void noteBad(ObservedCurve& c, int line, const QString& what)
{
    ++c.badRows;
    if (c.badRowNotes.size() < kNotedBadRows)
        c.badRowNotes << QCoreApplication::translate("ObservedCurve", "ligne %1 : %2").arg(line).arg(what);
}

} // namespace

ObservedCurve readObservedCurve(const QString& text, const CurveColumns& chosen)
{
    ObservedCurve c;
    struct Row { int line; QString text; };
    std::vector<Row> rows;
    const QStringList lines = text.split(u'\n');
    for (int i = 0; i < lines.size(); ++i) {
        QString l = lines[i];
        if (i == 0 && l.startsWith(QChar(0xFEFF)))
            l.remove(0, 1);
        l = l.trimmed();
        if (!l.isEmpty() && !l.startsWith(u'#'))
            rows.push_back({i + 1, l});
    }
    if (rows.empty()) {
        c.error = QCoreApplication::translate("ObservedCurve", "le fichier ne contient aucune ligne de données");
        return c;
    }
    QStringList sniff;
    for (std::size_t i = 0; i < rows.size() && i < kSniffRows; ++i)
        sniff << rows[i].text;
    c.separator = sniffSeparator(sniff);

    const QStringList first = splitRow(rows.front().text, c.separator);
    c.hasHeader = std::any_of(first.begin(), first.end(), [&](const QString& f) { return !isValue(f, c.separator); });
    if (c.hasHeader)
        c.columnNames = first;
    else
        for (int i = 1; i <= first.size(); ++i)
            c.columnNames << QString::number(i);
    chooseColumns(c, chosen);
    const int columns = int(c.columnNames.size());
    if (columns < 2) {
        c.error = QCoreApplication::translate("ObservedCurve", "le fichier n'a qu'une colonne : ce n'est pas une courbe de lumière (il faut un temps et un flux)");
        return c;
    }
    for (const int col : {c.timeColumn, c.fluxColumn, c.sigmaColumn})
        if (col >= columns || col < (col == c.sigmaColumn ? -1 : 0)) {
            c.error = QCoreApplication::translate("ObservedCurve", "la colonne %1 n'existe pas (le fichier en a %2)").arg(col + 1).arg(columns);
            return c;
        }

    const QString timeName = c.hasHeader ? c.columnNames[c.timeColumn] : QString();
    const double jdOffset = nameHas(timeName, {"mjd"})     ? kMjdOffset
                          : nameHas(timeName, {"2400000"}) ? kShortJdOffset
                                                           : 0;
    if (isSolarSystemTime(timeName)) {
        c.error = QCoreApplication::translate("ObservedCurve", "la colonne des temps « %1 » est en temps héliocentrique ou barycentrique : "
                     "exportez des Jours Juliens TU (JD UTC), à la Terre")
                      .arg(timeName);
        return c;
    }

    std::vector<double> magnitudes;
    std::vector<int> pointLines;   // each point's line in the file
    for (std::size_t r = c.hasHeader ? 1 : 0; r < rows.size(); ++r) {
        ++c.rows;
        const QStringList f = splitRow(rows[r].text, c.separator);
        const auto field = [&](int col) { return col < f.size() ? f[col] : QString(); };
        const auto t = timeSeconds(field(c.timeColumn), c.separator, jdOffset);
        if (!t) {
            noteBad(c, rows[r].line, QCoreApplication::translate("ObservedCurve", "temps illisible « %1 »").arg(field(c.timeColumn)));
            continue;
        }
        const auto y = number(field(c.fluxColumn), c.separator);
        if (!y || (!c.magnitudes && !chosen.anySign && *y <= 0)) {
            noteBad(c, rows[r].line, chosen.anySign ? QCoreApplication::translate("ObservedCurve", "valeur illisible « %1 » en colonne %2").arg(field(c.fluxColumn)).arg(c.fluxColumn + 1)
                                                    : QCoreApplication::translate("ObservedCurve", "flux illisible « %1 »").arg(field(c.fluxColumn)));
            continue;
        }
        double s = 0;
        if (c.sigmaColumn >= 0) {
            const auto e = number(field(c.sigmaColumn), c.separator);
            if (!e || *e <= 0) {
                noteBad(c, rows[r].line, QCoreApplication::translate("ObservedCurve", "incertitude illisible ou nulle « %1 »").arg(field(c.sigmaColumn)));
                continue;
            }
            s = *e;
        }
        c.points.push_back({*t, *y, s});
        pointLines.push_back(rows[r].line);
        if (c.magnitudes)
            magnitudes.push_back(*y);
    }
    if (c.points.empty()) {
        c.error = QCoreApplication::translate("ObservedCurve", "aucune ligne lisible : ce n'est pas une courbe de lumière (colonne des temps %1, des flux %2 ; %3)")
                      .arg(c.timeColumn + 1)
                      .arg(c.fluxColumn + 1)
                      .arg(c.badRowNotes.value(0));
        return c;
    }
    if (c.magnitudes) {
        // Flux relative to the median magnitude; m + dm gives flux x 10^(-0.4 dm).
        std::nth_element(magnitudes.begin(), magnitudes.begin() + magnitudes.size() / 2, magnitudes.end());
        c.referenceMagnitude = magnitudes[magnitudes.size() / 2];
        // A magnitude so far from the others that its flux leaves the doubles is no measurement.
        std::vector<ObservedPoint> kept;
        for (std::size_t i = 0; i < c.points.size(); ++i) {
            ObservedPoint p = c.points[i];
            const double magnitude = p.flux;
            p.flux = std::pow(10.0, -0.4 * (magnitude - c.referenceMagnitude));
            p.sigma *= p.flux * 0.4 * std::log(10.0);
            if (std::isfinite(p.flux) && p.flux > 0 && std::isfinite(p.sigma))
                kept.push_back(p);
            else
                noteBad(c, pointLines[i], QCoreApplication::translate("ObservedCurve", "magnitude hors d'échelle « %1 »").arg(magnitude));
        }
        c.points = std::move(kept);
        if (c.points.empty()) {
            c.error = QCoreApplication::translate("ObservedCurve", "aucune magnitude utilisable : ce n'est pas une courbe de lumière (%1)")
                          .arg(c.badRowNotes.value(0));
            return c;
        }
    }
    std::stable_sort(c.points.begin(), c.points.end(),
                     [](const ObservedPoint& a, const ObservedPoint& b) { return a.ut < b.ut; });
    return c;
}

ObservedCurve loadObservedCurve(const QString& path, const CurveColumns& columns)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ObservedCurve c;
        c.error = file.exists() ? QCoreApplication::translate("ObservedCurve", "impossible de lire le fichier « %1 » : %2").arg(path, file.errorString())
                                : QCoreApplication::translate("ObservedCurve", "le fichier « %1 » n'existe pas").arg(path);
        return c;
    }
    if (file.size() > kLargestFile) {
        ObservedCurve c;
        c.error = QCoreApplication::translate("ObservedCurve", "le fichier « %1 » est trop grand pour une courbe de lumière").arg(path);
        return c;
    }
    return readObservedCurve(QString::fromUtf8(file.readAll()), columns);
}

QString badRowsText(const ObservedCurve& curve)
{
    if (curve.badRows == 0)
        return {};
    const QString notes = curve.badRowNotes.join(QStringLiteral(" ; "))
                        + (curve.badRows > curve.badRowNotes.size() ? QStringLiteral(" ; …") : QString());
    if (curve.badRows == 1)
        return QCoreApplication::translate("ObservedCurve", "1 ligne illisible ignorée : %1").arg(notes);
    return QCoreApplication::translate("ObservedCurve", "%1 lignes illisibles ignorées : %2").arg(curve.badRows).arg(notes);
}

} // namespace zeno
