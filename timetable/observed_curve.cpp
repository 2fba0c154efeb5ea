#include "observed_curve.h"

#include "export_text.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace zeno {

namespace {

constexpr double kUnixEpochJD = 2440587.5;   // 1970-01-01 00:00 UT
constexpr double kSecondsPerDay = 86400;
constexpr double kHalfDayS = 43200;          // a step back larger than this is a new day
constexpr double kMjdOffset = 2400000.5;     // JD - MJD
constexpr double kShortJdOffset = 2400000;   // a column named "J.D.-2400000"
constexpr double kShorterJdOffset = 2450000; // "JD-2450000"
constexpr double kSmallestJD = 2000000;      // below: not a Julian Day (year 763)
constexpr int kSniffRows = 20;               // rows looked at to find the separator
constexpr int kSampleRows = 5;               // data rows looked at to find each column's values
constexpr int kDataRun = 3;                  // rows alike that start the data
constexpr int kHeaderLookBack = 4;           // lines above the data searched for the header
constexpr int kNotedBadRows = 5;             // bad rows named in the message
constexpr qint64 kLargestFile = 64 << 20;    // bytes: no photometry export is larger
constexpr int kQuotedText = 80;              // characters of a line quoted in a message

QString qs(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

QString quoted(std::string_view line)
{
    QString t = qs(trimmed(line)).simplified();
    if (t.size() > kQuotedText)
        t = t.left(kQuotedText) + QStringLiteral("…");
    return t;
}

enum class Shape { Empty, Number, Date, Clock, DateTime, Text };

Shape shapeOf(std::string_view f, bool decimalComma)
{
    if (trimmed(f).empty())
        return Shape::Empty;
    if (readNumber(f, decimalComma))
        return Shape::Number;
    if (readDateTime(f))
        return Shape::DateTime;
    if (readDate(f))
        return Shape::Date;
    if (readTimeOfDay(f))
        return Shape::Clock;
    return Shape::Text;
}

// A data row: at least two values, and values for at least half its fields.
bool isDataRow(const std::vector<std::string>& f, bool decimalComma)
{
    int values = 0, filled = 0;
    for (const std::string& s : f) {
        const Shape k = shapeOf(s, decimalComma);
        filled += k != Shape::Empty;
        values += k != Shape::Empty && k != Shape::Text;
    }
    return values >= 2 && 2 * values >= filled;
}

bool isComment(std::string_view line)
{
    line = trimmed(line);
    return !line.empty() && line.front() == '#';
}

// The separator the last rows agree on (the data: a preamble comes first):
// tab, then ';', then ',', else blanks.
char sniffSeparator(const std::vector<TextLine>& lines)
{
    std::vector<std::string_view> tail;
    for (auto it = lines.rbegin(); it != lines.rend() && int(tail.size()) < kSniffRows; ++it)
        if (!isComment(it->text))
            tail.push_back(it->text);
    for (const char c : {'\t', ';', ','}) {
        const bool all = !tail.empty() && std::all_of(tail.begin(), tail.end(), [c](std::string_view r) {
            return r.find(c) != std::string_view::npos;
        });
        if (all)
            return c;
    }
    return ' ';
}

bool nameHas(const QString& lowered, std::initializer_list<const char*> words)
{
    return std::any_of(words.begin(), words.end(), [&](const char* w) { return lowered.contains(QLatin1String(w)); });
}

bool nameIs(const QString& lowered, std::initializer_list<const char*> words)
{
    return std::any_of(words.begin(), words.end(), [&](const char* w) { return lowered == QLatin1String(w); });
}

bool isErrorName(const QString& n)
{
    static const QRegularExpression munipackError(QStringLiteral("^s\\d+$"));
    return nameHas(n, {"err", "sigma", "incert", "unc", "σ"}) || munipackError.match(n).hasMatch();
}
// Heliocentric and barycentric times are not UTC at the Earth: minutes apart for Jupiter.
bool isSolarSystemTime(const QString& n) { return nameHas(n, {"hjd", "bjd", "hel", "bary"}); }
bool isTimeName(const QString& n)
{
    return nameHas(QString(n).remove(u'.'), {"jd", "date", "time", "ut", "temps", "heure", "jour"});
}
bool isIndexName(const QString& n)
{
    return n.isEmpty() || n.startsWith(QLatin1String("frame"))
        || nameIs(n, {"no", "no.", "n", "n°", "#", "nr", "num", "row", "index", "label", "slice", "image", "file", "fichier"});
}
bool isBackgroundName(const QString& n)
{
    return !n.contains(QLatin1String("source")) && nameHas(n, {"background", "bkg", "bckg", "fond", "sky", "ciel"});
}
// C-Munipack's columns: V-C, V-K1, C-K1 (differential) or V, C, K1 (instrumental).
bool isMunipackMagnitude(const QString& n)
{
    static const QRegularExpression re(QStringLiteral("^[vck]\\d*(-[vck]\\d*)?$"));
    return re.match(n).hasMatch();
}
bool isHourName(const QString& n) { return nameIs(n, {"h", "hh", "hr", "hour", "hours", "heure", "heures", "ut h", "uth"}); }
bool isMinuteName(const QString& n) { return nameIs(n, {"m", "mm", "mn", "min", "mins", "minute", "minutes", "ut m", "utm"}); }
bool isSecondName(const QString& n)
{
    return nameIs(n, {"s", "ss", "sec", "secs", "second", "seconds", "seconde", "secondes", "ut s", "uts"});
}

// The rank of a flux column's name, 0 when it names no flux.
int fluxRank(const QString& n, bool munipack)
{
    if (n.contains(QLatin1String("rel_flux")))
        return 9;
    if (nameHas(n, {"flux"}))
        return 8;
    if (nameHas(n, {"result", "signal", "ratio"}))
        return 7;
    if (nameHas(n, {"intens", "mag"}) || (munipack && isMunipackMagnitude(n)))
        return 6;
    if (nameHas(n, {"count", "cnts", "rel", "source-sky", "net"}))
        return 5;
    if (nameHas(n, {"sum"}))
        return 4;
    return 0;
}

// A name without its object's number or label: "Signal (2)" and "Signal (1)",
// "signal-comp" and "signal-target" are alike.
QString stemOf(const QString& n)
{
    static const QRegularExpression digits(QStringLiteral("\\d+"));
    QString s = n;
    const qsizetype dash = s.indexOf(u'-');
    if (dash > 0)
        s.truncate(dash);
    return s.remove(digits).trimmed();
}

struct Sampled {
    std::vector<Shape> shapes;       // of each column's first filled value in the first rows
    std::vector<double> numbers;     // that value when a number
};

double jdOffsetOf(const QString& lowered)
{
    return lowered.contains(QLatin1String("mjd"))     ? kMjdOffset
         : lowered.contains(QLatin1String("2400000")) ? kShortJdOffset
         : lowered.contains(QLatin1String("2450000")) ? kShorterJdOffset
                                                      : 0;
}

struct Reader {
    ObservedCurve c;
    std::vector<QString> lowered;   // the columns' names, lower case, blanks simplified
    Sampled sample;

    Shape shape(int col) const { return col >= 0 && col < int(sample.shapes.size()) ? sample.shapes[std::size_t(col)] : Shape::Empty; }
    int columns() const { return int(c.columnNames.size()); }
    const QString& name(int col) const { return lowered[std::size_t(col)]; }
    int firstShaped(Shape s, int except = -1) const
    {
        for (int i = 0; i < columns(); ++i)
            if (i != except && shape(i) == s)
                return i;
        return -1;
    }
    int columnNamed(const QString& lowered) const
    {
        const auto it = std::find(this->lowered.begin(), this->lowered.end(), lowered);
        return it == this->lowered.end() ? -1 : int(it - this->lowered.begin());
    }
    // Signal (n) -> Background (n): the raw signal's own background, if the file has it.
    int backgroundOf(int col) const
    {
        if (col < 0 || !name(col).contains(QLatin1String("signal")))
            return -1;
        return columnNamed(QString(name(col)).replace(QLatin1String("signal"), QLatin1String("background")));
    }

    void chooseTime(const CurveColumns& chosen);
    void chooseFlux(const CurveColumns& chosen);
};

void Reader::chooseTime(const CurveColumns& chosen)
{
    const auto setForm = [this](int col) {
        c.timeColumn = col;
        switch (shape(col)) {
        case Shape::DateTime: c.timeForm = TimeForm::DateTime; break;
        case Shape::Clock:
            c.timeForm = TimeForm::TimeOfDay;
            if (const int d = firstShaped(Shape::Date); d >= 0) {
                c.timeForm = TimeForm::DateAndTime;
                c.dateColumn = d;
            }
            break;
        case Shape::Date:
            if (const int t = firstShaped(Shape::Clock); t >= 0) {
                c.timeForm = TimeForm::DateAndTime;
                c.dateColumn = col;
                c.timeColumn = t;
            }
            break;
        default:
            c.timeForm = TimeForm::JulianDay;
            if (c.hasHeader && isHourName(name(col)) && col + 2 < columns() && isMinuteName(name(col + 1)) && isSecondName(name(col + 2))) {
                c.timeForm = TimeForm::HourMinuteSecond;
                c.minuteColumn = col + 1;
                c.secondColumn = col + 2;
            }
        }
    };
    if (chosen.time) {
        setForm(*chosen.time);
        return;
    }
    // By the header's names: the best-placed time column, UTC before solar-system times.
    int best = -1, bestRank = 0;
    if (c.hasHeader)
        for (int i = 0; i < columns(); ++i) {
            if (!isTimeName(name(i)) || isErrorName(name(i)))
                continue;
            const Shape s = shape(i);
            const bool julian = s == Shape::Number && sample.numbers[std::size_t(i)] + jdOffsetOf(name(i)) >= kSmallestJD;
            int rank = julian || s == Shape::DateTime ? 4 : s == Shape::Date ? 3 : s == Shape::Clock ? 2 : 0;
            if (rank > 0 && isSolarSystemTime(name(i)))
                rank = 1;   // taken only to be refused with the reason
            if (rank > bestRank) {
                best = i;
                bestRank = rank;
            }
        }
    if (best < 0 && c.hasHeader)
        for (int i = 0; i + 2 < columns(); ++i)
            if (isHourName(name(i)) && isMinuteName(name(i + 1)) && isSecondName(name(i + 2))) {
                best = i;
                break;
            }
    // By the values: a date-time, a date and a time, a time of day, a Julian Day.
    for (const Shape s : {Shape::DateTime, Shape::Date, Shape::Clock})
        if (best < 0)
            best = firstShaped(s);
    for (const bool julian : {true, false})
        for (int i = 0; i < columns() && best < 0; ++i)
            if (shape(i) == Shape::Number && (!c.hasHeader || !isIndexName(name(i)))
                && (!julian || sample.numbers[std::size_t(i)] >= kSmallestJD))
                best = i;
    setForm(std::max(best, 0));
}

void Reader::chooseFlux(const CurveColumns& chosen)
{
    const auto isTime = [this](int i) {
        return i == c.timeColumn || i == c.dateColumn || i == c.minuteColumn || i == c.secondColumn;
    };
    int flux = -1;
    if (chosen.flux) {
        flux = *chosen.flux;
    } else {
        int bestRank = 0;
        if (c.hasHeader)
            for (int i = 0; i < columns(); ++i) {
                const QString& n = name(i);
                if (isTime(i) || isIndexName(n) || isErrorName(n) || isBackgroundName(n) || shape(i) != Shape::Number)
                    continue;
                if (const int r = fluxRank(n, c.layout == QLatin1String("C-Munipack")); r > bestRank) {
                    flux = i;
                    bestRank = r;
                }
            }
        for (int i = 0; i < columns() && flux < 0; ++i)   // else the first number that is no time nor index
            if (!isTime(i) && shape(i) == Shape::Number && !(c.hasHeader && (isIndexName(name(i)) || isErrorName(name(i)))))
                flux = i;
        if (flux < 0)
            flux = c.timeColumn == 0 ? 1 : 0;
    }
    c.fluxColumn = flux;
    if (flux < 0 || flux >= columns())
        return;
    const QString fluxName = c.hasHeader ? name(flux) : QString();
    const bool munipack = c.layout == QLatin1String("C-Munipack");
    c.magnitudes = chosen.magnitudes.value_or(c.hasHeader && (fluxName.contains(QLatin1String("mag")) || (munipack && isMunipackMagnitude(fluxName))));
    // Already relative: AstroImageJ's rel_flux, a ratio, C-Munipack's V-C.
    const bool relative = fluxName.contains(QLatin1String("rel")) || fluxName.contains(QLatin1String("ratio"))
                       || c.layout == QLatin1String("AstroImageJ") || (munipack && fluxName.contains(u'-'));
    c.backgroundColumn = backgroundOf(flux);

    // The comparison: chosen, or the next object of a program measuring
    // objects alike (Tangra, PyMovie, LiMovie), or a column named so.
    if (chosen.comparison) {
        c.comparisonColumn = *chosen.comparison;
    } else if (c.hasHeader && !relative) {
        const bool objects = c.layout == QLatin1String("Tangra") || c.layout == QLatin1String("PyMovie") || c.layout == QLatin1String("LiMovie");
        for (int i = 0; i < columns() && c.comparisonColumn < 0; ++i) {
            if (i == flux || isTime(i) || shape(i) != Shape::Number || isErrorName(name(i)) || isBackgroundName(name(i)))
                continue;
            const bool sibling = objects && i > flux && stemOf(name(i)) == stemOf(fluxName) && !stemOf(fluxName).isEmpty();
            if (sibling || nameHas(name(i), {"comp", "cmp", "ref"}) || (munipack && fluxName == QLatin1String("v") && name(i) == QLatin1String("c")))
                c.comparisonColumn = i;
        }
    }
    if (c.comparisonColumn >= 0 && c.comparisonColumn < columns() && c.backgroundColumn >= 0)
        c.comparisonBackgroundColumn = backgroundOf(c.comparisonColumn);

    if (chosen.sigma) {
        c.sigmaColumn = *chosen.sigma;
    } else if (c.hasHeader) {
        // The flux's own error (AstroImageJ's rel_flux_err_T1), the one after
        // it (C-Munipack's s1), else the first.
        const QString stem = QString(fluxName).remove(QRegularExpression(QStringLiteral("_t\\d+$")));
        int own = -1, next = -1, first = -1;
        for (int i = 0; i < columns(); ++i) {
            if (i == flux || isTime(i) || !isErrorName(name(i)))
                continue;
            if (first < 0)
                first = i;
            if (own < 0 && !stem.isEmpty() && name(i).contains(stem))
                own = i;
            if (i == flux + 1)
                next = i;
        }
        c.sigmaColumn = own >= 0 ? own : next >= 0 ? next : first;
    }
    if (c.sigmaColumn == c.fluxColumn || isTime(c.sigmaColumn))
        c.sigmaColumn = -1;
}

// The program that wrote the file, from the preamble's words and the header's.
QString layoutOf(const std::vector<TextLine>& lines, std::size_t dataStart, const std::vector<QString>& names)
{
    QString above;
    for (std::size_t i = 0; i < dataStart; ++i)
        above += qs(lines[i].text).toLower() + u'\n';
    const auto has = [&](const char* w) { return std::find(names.begin(), names.end(), QLatin1String(w)) != names.end(); };
    const auto any = [&](const char* w) {
        return std::any_of(names.begin(), names.end(), [w](const QString& n) { return n.contains(QLatin1String(w)); });
    };
    if (above.contains(QLatin1String("tangra")) || (any("signal (") && any("time (ut)")))
        return QStringLiteral("Tangra");
    if (above.contains(QLatin1String("pymovie")) || has("timeinfo"))
        return QStringLiteral("PyMovie");
    if (above.contains(QLatin1String("limovie")))
        return QStringLiteral("LiMovie");
    if (above.contains(QLatin1String("munipack")) || above.contains(QLatin1String("muniwin"))
        || (!names.empty() && (names.front() == QLatin1String("jd") || names.front() == QLatin1String("jdhel"))
            && std::any_of(names.begin(), names.end(), isMunipackMagnitude)))
        return QStringLiteral("C-Munipack");
    if (any("rel_flux") || any("j.d.-2400000") || any("source-sky") || has("jd_utc"))
        return QStringLiteral("AstroImageJ");
    return {};
}

void noteBad(ObservedCurve& c, int line, const QString& what)
{
    ++c.badRows;
    if (c.badRowNotes.size() < kNotedBadRows)
        c.badRowNotes << QCoreApplication::translate("ObservedCurve", "ligne %1 : %2").arg(line).arg(what);
}

QString firstUnreadable(const TextLine& line)
{
    return QCoreApplication::translate("ObservedCurve", "première ligne illisible : ligne %1 « %2 »").arg(line.number).arg(quoted(line.text));
}

QString notACurve(const QString& why)
{
    return QCoreApplication::translate("ObservedCurve", "%1. %2").arg(why, acceptedLayoutsText());
}

} // namespace

QString acceptedLayoutsText()
{
    return QCoreApplication::translate("ObservedCurve", "Exports lus : Tangra, PyMovie, LiMovie, AstroImageJ (CSV ou tableau à tabulations), C-Munipack/Muniwin, "
              "tableur (une colonne date-heure, ou une colonne de dates et une d'heures) et tout tableau d'un temps et "
              "d'un flux, séparé par « , », « ; », tabulations ou blancs, en UTF-8, UTF-16 ou Latin-1. Temps lus : Jours "
              "Juliens TU (JD, MJD, JD−2400000), date-heure ISO 8601 ou jj/mm/aaaa hh:mm:ss, heure hh:mm:ss[.s] seule "
              "(date du phénomène), heures, minutes et secondes en trois colonnes");
}

ObservedCurve readObservedCurve(const QString& text, const CurveColumns& chosen)
{
    return readObservedCurve(text.toUtf8(), chosen);
}

ObservedCurve readObservedCurve(const QByteArray& bytes, const CurveColumns& chosen)
{
    Reader r;
    ObservedCurve& c = r.c;
    const DecodedText decoded = decodeExport(bytes);
    c.encoding = decoded.encoding;
    const std::vector<TextLine> lines = splitLines(decoded.utf8);
    if (lines.empty()) {
        c.error = QCoreApplication::translate("ObservedCurve", "le fichier ne contient aucune ligne de données");
        return c;
    }
    const char sep = sniffSeparator(lines);
    c.separator = QChar::fromLatin1(sep);
    const bool decimalComma = sep != ',';
    FieldSplitter splitter(sep), blanks(' ');
    std::vector<std::string> f;

    // The data start where kDataRun rows of values alike begin; a preamble may come first.
    std::vector<int> rowsFrom(lines.size() + 1, 0);   // lines that are no comment, from each on
    for (std::size_t i = lines.size(); i-- > 0;)
        rowsFrom[i] = rowsFrom[i + 1] + !isComment(lines[i].text);
    std::size_t dataStart = lines.size();
    std::size_t dataFields = 0;
    int singleValues = 0;
    for (std::size_t i = 0; i < lines.size() && dataStart == lines.size(); ++i) {
        if (isComment(lines[i].text))
            continue;
        splitter.split(lines[i].text, f);
        if (f.size() == 1 && shapeOf(f[0], decimalComma) != Shape::Text)
            ++singleValues;
        if (!isDataRow(f, decimalComma))
            continue;
        const std::size_t n = f.size();
        int alike = 1;
        for (std::size_t j = i + 1; j < lines.size() && alike < kDataRun; ++j) {
            if (isComment(lines[j].text))
                continue;
            splitter.split(lines[j].text, f);
            if (!isDataRow(f, decimalComma) || f.size() != n)
                break;
            ++alike;
        }
        if (alike >= std::min(kDataRun, rowsFrom[i])) {
            dataStart = i;
            dataFields = n;
        }
    }
    if (dataStart == lines.size()) {
        const auto firstLine = std::find_if(lines.begin(), lines.end(), [](const TextLine& l) { return !isComment(l.text); });
        if (singleValues > 0 && singleValues * 2 >= int(lines.size()))
            c.error = QCoreApplication::translate("ObservedCurve", "le fichier n'a qu'une colonne : ce n'est pas une courbe de lumière (il faut un temps et un flux)");
        else
            c.error = notACurve(QCoreApplication::translate("ObservedCurve", "aucune ligne de données : ce n'est pas une courbe de lumière (%1)")
                                    .arg(firstUnreadable(firstLine != lines.end() ? *firstLine : lines.front())));
        return c;
    }

    // The header: the nearest line above the data (a comment too) with as many fields and some words.
    // Else the line just above, with fewer or more names.
    std::vector<std::string> header;
    for (const bool exact : {true, false})
        for (std::size_t back = 1; back <= (exact ? kHeaderLookBack : 1) && back <= dataStart && header.empty(); ++back) {
            const TextLine& l = lines[dataStart - back];
            std::string_view t = l.text;   // untrimmed: a blank first cell stands over the row numbers
            if (isComment(t))
                t = trimmed(trimmed(t).substr(1));
            for (FieldSplitter* s : {&splitter, &blanks}) {
                s->split(t, f);
                const bool words = std::any_of(f.begin(), f.end(), [&](const std::string& x) { return shapeOf(x, decimalComma) == Shape::Text; });
                if (words && (exact ? f.size() == dataFields : f.size() >= 2 && !isComment(l.text))) {
                    header = f;
                    c.headerLine = l.number;
                    break;
                }
            }
        }
    c.hasHeader = !header.empty();
    const std::size_t columns = std::max(header.size(), dataFields);
    for (std::size_t i = 0; i < columns; ++i) {
        c.columnNames << (i < header.size() ? qs(header[i]) : QString::number(i + 1));
        r.lowered.push_back(c.columnNames.back().toLower().simplified());
    }
    if (columns < 2) {
        c.error = QCoreApplication::translate("ObservedCurve", "le fichier n'a qu'une colonne : ce n'est pas une courbe de lumière (il faut un temps et un flux)");
        return c;
    }
    r.sample.shapes.assign(columns, Shape::Empty);
    r.sample.numbers.assign(columns, 0);
    int sampled = 0;
    for (std::size_t i = dataStart; i < lines.size() && sampled < kSampleRows; ++i) {
        if (isComment(lines[i].text))
            continue;
        splitter.split(lines[i].text, f);
        ++sampled;
        for (std::size_t k = 0; k < f.size() && k < columns; ++k)
            if (r.sample.shapes[k] == Shape::Empty) {
                r.sample.shapes[k] = shapeOf(f[k], decimalComma);
                r.sample.numbers[k] = readNumber(f[k], decimalComma).value_or(0);
            }
    }
    c.layout = layoutOf(lines, dataStart, r.lowered);
    r.chooseTime(chosen);
    r.chooseFlux(chosen);
    if (c.layout.isEmpty())
        c.layout = c.timeForm == TimeForm::DateAndTime || c.timeForm == TimeForm::DateTime ? QCoreApplication::translate("ObservedCurve", "tableur") : QStringLiteral("CSV");

    const int n = int(columns);
    for (const int col : {c.timeColumn, c.fluxColumn, c.sigmaColumn, c.comparisonColumn})
        if (col >= n || col < (col == c.timeColumn || col == c.fluxColumn ? 0 : -1)) {
            c.error = QCoreApplication::translate("ObservedCurve", "la colonne %1 n'existe pas (le fichier en a %2)").arg(col + 1).arg(n);
            return c;
        }
    if (c.comparisonColumn == c.fluxColumn)
        c.comparisonColumn = c.comparisonBackgroundColumn = -1;

    const QString timeName = c.hasHeader ? r.name(c.timeColumn) : QString();
    if (isSolarSystemTime(timeName)) {
        c.error = QCoreApplication::translate("ObservedCurve", "la colonne des temps « %1 » est en temps héliocentrique ou barycentrique : "
                     "exportez des Jours Juliens TU (JD UTC), à la Terre")
                      .arg(c.columnNames[c.timeColumn]);
        return c;
    }
    const double jdOffset = jdOffsetOf(timeName);
    const bool dateless = c.timeForm == TimeForm::TimeOfDay || c.timeForm == TimeForm::HourMinuteSecond;
    if (dateless && !chosen.dateNearUt) {
        c.error = QCoreApplication::translate("ObservedCurve", "les temps de la colonne « %1 » n'ont pas de date : choisissez d'abord le phénomène, "
                     "sa date sert (passage à minuit compris)")
                      .arg(c.columnNames[c.timeColumn]);
        return c;
    }
    c.datesFromEvent = dateless;

    std::vector<double> magnitudes;
    std::vector<int> pointLines;   // each point's line in the file
    int nonPositive = 0;
    const TextLine* firstBad = nullptr;
    std::optional<double> day;            // dateless: the first row's day, seconds
    double previousTod = 0, previousRaw = 0, previousUt = 0, mended = 0;
    bool started = false;
    for (std::size_t li = dataStart; li < lines.size(); ++li) {
        const TextLine& line = lines[li];
        if (isComment(line.text))
            continue;
        ++c.rows;
        splitter.split(line.text, f);
        const auto field = [&](int col) -> std::string_view { return col >= 0 && col < int(f.size()) ? std::string_view(f[std::size_t(col)]) : std::string_view(); };
        const auto bad = [&](const QString& what) {
            noteBad(c, line.number, what);
            if (!firstBad)
                firstBad = &line;
        };
        const auto number = [&](int col) { return readNumber(field(col), decimalComma); };

        std::optional<double> t;
        switch (c.timeForm) {
        case TimeForm::JulianDay:
            if (const auto v = number(c.timeColumn); v && *v + jdOffset >= kSmallestJD)
                t = (*v + jdOffset - kUnixEpochJD) * kSecondsPerDay;
            else
                t = readDateTime(field(c.timeColumn));
            break;
        case TimeForm::DateTime: t = readDateTime(field(c.timeColumn)); break;
        case TimeForm::DateAndTime: {
            const auto d = readDate(field(c.dateColumn));
            const auto h = readTimeOfDay(field(c.timeColumn));
            if (d && h)
                t = double(*d) * kSecondsPerDay + *h;
            break;
        }
        case TimeForm::TimeOfDay: t = readTimeOfDay(field(c.timeColumn)); break;
        case TimeForm::HourMinuteSecond: {
            const auto h = number(c.timeColumn), m = number(c.minuteColumn), s = number(c.secondColumn);
            if (h && m && s && *h >= 0 && *h < 24 && *h == std::floor(*h) && *m >= 0 && *m < 60 && *m == std::floor(*m) && *s >= 0 && *s < 60)
                t = *h * 3600 + *m * 60 + *s;
            break;
        }
        }
        if (!t) {
            const QString shown = c.timeForm == TimeForm::DateAndTime ? qs(field(c.dateColumn)) + u' ' + qs(field(c.timeColumn))
                                : c.timeForm == TimeForm::HourMinuteSecond
                                    ? QStringLiteral("%1 %2 %3").arg(qs(field(c.timeColumn)), qs(field(c.minuteColumn)), qs(field(c.secondColumn)))
                                    : qs(field(c.timeColumn));
            bad(QCoreApplication::translate("ObservedCurve", "temps illisible « %1 »").arg(shown));
            continue;
        }
        auto y = number(c.fluxColumn);
        if (y && c.backgroundColumn >= 0) {
            const auto b = number(c.backgroundColumn);
            y = b ? std::optional<double>(*y - *b) : std::nullopt;
        }
        if (!y) {
            bad(QCoreApplication::translate("ObservedCurve", "flux illisible « %1 »").arg(qs(field(c.fluxColumn))));
            continue;
        }
        double comparison = 1;
        if (c.comparisonColumn >= 0) {
            auto k = number(c.comparisonColumn);
            if (k && c.comparisonBackgroundColumn >= 0) {
                const auto b = number(c.comparisonBackgroundColumn);
                k = b ? std::optional<double>(*k - *b) : std::nullopt;
            }
            if (!k || (!c.magnitudes && *k <= 0)) {
                bad(QCoreApplication::translate("ObservedCurve", "comparaison illisible ou nulle « %1 »").arg(qs(field(c.comparisonColumn))));
                continue;
            }
            comparison = *k;
            if (c.magnitudes)
                *y -= comparison;
            else
                *y /= comparison;
        }
        if (!c.magnitudes && !chosen.anySign && *y <= 0) {
            ++nonPositive;
            bad(QCoreApplication::translate("ObservedCurve", "flux nul ou négatif « %1 »").arg(qs(field(c.fluxColumn))));
            continue;
        }
        double s = 0;
        if (c.sigmaColumn >= 0) {
            const auto e = number(c.sigmaColumn);
            if (!e || *e <= 0) {
                bad(QCoreApplication::translate("ObservedCurve", "incertitude illisible ou nulle « %1 »").arg(qs(field(c.sigmaColumn))));
                continue;
            }
            s = c.magnitudes ? *e : *e / comparison;
        }
        // The day: dateless times take the event's and roll over at 00:00 UT;
        // dated ones whose date stayed behind at 00:00 UT are moved on.
        double ut = *t;
        if (dateless) {
            if (!day)
                day = std::round((*chosen.dateNearUt - *t) / kSecondsPerDay) * kSecondsPerDay;
            else if (*t < previousTod - kHalfDayS) {
                *day += kSecondsPerDay;
                ++c.midnightRollovers;
            }
            previousTod = *t;
            ut = *day + *t;
        } else if (c.timeForm != TimeForm::JulianDay) {
            const double raw = *t;
            if (started && raw + mended < previousUt - kHalfDayS && std::floor(raw / kSecondsPerDay) == std::floor(previousRaw / kSecondsPerDay))
                mended += kSecondsPerDay;
            previousRaw = raw;
            ut = raw + mended;
            c.datesMended += mended > 0;
            previousUt = ut;
            started = true;
        }
        if (!std::isfinite(ut))
            continue;
        c.points.push_back({ut, *y, s});
        pointLines.push_back(line.number);
        if (c.magnitudes)
            magnitudes.push_back(*y);
    }
    if (c.points.empty()) {
        QString why = QCoreApplication::translate("ObservedCurve", "aucune ligne lisible : ce n'est pas une courbe de lumière (colonne des temps %1, des flux %2 ; %3)")
                          .arg(c.timeColumn + 1)
                          .arg(c.fluxColumn + 1)
                          .arg(firstBad ? firstUnreadable(*firstBad) : c.badRowNotes.value(0));
        if (nonPositive * 2 > c.badRows)
            why += QCoreApplication::translate("ObservedCurve", " ; si la colonne des flux donne des magnitudes, cochez « Magnitudes » (--magnitudes)");
        c.error = notACurve(why);
        return c;
    }
    if (c.magnitudes) {
        // Flux relative to the median magnitude; m + dm gives flux x 10^(-0.4 dm).
        std::nth_element(magnitudes.begin(), magnitudes.begin() + std::ptrdiff_t(magnitudes.size() / 2), magnitudes.end());
        c.referenceMagnitude = magnitudes[magnitudes.size() / 2];
        // A magnitude so far from the others that its flux leaves the doubles is no measurement.
        std::vector<ObservedPoint> kept;
        kept.reserve(c.points.size());
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
            c.error = QCoreApplication::translate("ObservedCurve", "aucune magnitude utilisable : ce n'est pas une courbe de lumière (%1)").arg(c.badRowNotes.value(0));
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
    ObservedCurve c;
    if (!file.open(QIODevice::ReadOnly)) {
        c.error = file.exists() ? QCoreApplication::translate("ObservedCurve", "impossible de lire le fichier « %1 » : %2").arg(path, file.errorString())
                                : QCoreApplication::translate("ObservedCurve", "le fichier « %1 » n'existe pas").arg(path);
        return c;
    }
    // The bytes read count, not the size announced: pipes and special files announce none.
    const QByteArray bytes = file.read(kLargestFile + 1);
    if (bytes.size() > kLargestFile) {
        c.error = QCoreApplication::translate("ObservedCurve", "le fichier « %1 » est trop grand pour une courbe de lumière (plus de %2 Mio)").arg(path).arg(kLargestFile >> 20);
        return c;
    }
    return readObservedCurve(bytes, columns);
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

QString readingText(const ObservedCurve& c)
{
    const auto col = [&](int i) { return c.hasHeader ? QCoreApplication::translate("ObservedCurve", "« %1 »").arg(c.columnNames.value(i)) : QCoreApplication::translate("ObservedCurve", "colonne %1").arg(i + 1); };
    QString time;
    switch (c.timeForm) {
    case TimeForm::JulianDay: time = QCoreApplication::translate("ObservedCurve", "%1 (Jours Juliens TU)").arg(col(c.timeColumn)); break;
    case TimeForm::DateTime: time = QCoreApplication::translate("ObservedCurve", "%1 (date-heure TU)").arg(col(c.timeColumn)); break;
    case TimeForm::DateAndTime: time = QCoreApplication::translate("ObservedCurve", "%1 et %2 (date, heure TU)").arg(col(c.dateColumn), col(c.timeColumn)); break;
    case TimeForm::TimeOfDay: time = QCoreApplication::translate("ObservedCurve", "%1 (heure TU sans date)").arg(col(c.timeColumn)); break;
    case TimeForm::HourMinuteSecond: time = QCoreApplication::translate("ObservedCurve", "%1, %2, %3 (heures, minutes, secondes TU)").arg(col(c.timeColumn), col(c.minuteColumn), col(c.secondColumn)); break;
    }
    QString flux = col(c.fluxColumn);
    if (c.backgroundColumn >= 0)
        flux += QCoreApplication::translate("ObservedCurve", " − %1").arg(col(c.backgroundColumn));
    if (c.comparisonColumn >= 0) {
        QString k = col(c.comparisonColumn);
        if (c.comparisonBackgroundColumn >= 0)
            k += QCoreApplication::translate("ObservedCurve", " − %1").arg(col(c.comparisonBackgroundColumn));
        flux = c.magnitudes ? QCoreApplication::translate("ObservedCurve", "%1 moins %2").arg(flux, k) : QCoreApplication::translate("ObservedCurve", "(%1) / (%2)").arg(flux, k);
    }
    if (c.magnitudes)
        flux += QCoreApplication::translate("ObservedCurve", " (magnitudes)");
    if (c.sigmaColumn >= 0)
        flux += QCoreApplication::translate("ObservedCurve", ", incertitude %1").arg(col(c.sigmaColumn));
    QString t = QCoreApplication::translate("ObservedCurve", "%1, %2%3 ; temps : %4 ; flux : %5")
                    .arg(c.layout, c.encoding,
                         c.headerLine > 0 ? QCoreApplication::translate("ObservedCurve", ", en-tête ligne %1").arg(c.headerLine) : QCoreApplication::translate("ObservedCurve", ", sans en-tête"), time, flux);
    if (c.datesFromEvent)
        t += c.midnightRollovers > 0 ? QCoreApplication::translate("ObservedCurve", " ; dates prises du phénomène, passage à minuit compris") : QCoreApplication::translate("ObservedCurve", " ; dates prises du phénomène");
    if (c.datesMended > 0)
        t += QCoreApplication::translate("ObservedCurve", " ; %1 lignes dont la date ne passait pas au lendemain à 0 h TU, reportées au jour suivant").arg(c.datesMended);
    return t;
}

} // namespace zeno
