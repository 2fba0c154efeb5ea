#include "catalogue.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QRegularExpression>

#include <charconv>
#include <cmath>

namespace zeno::fit {

namespace {

QString tr(const char* text) { return QCoreApplication::translate("fit_correction", text); }

bool number(QStringView text, double& out)
{
    const QByteArray bytes = text.toLatin1();
    const char* end = bytes.constData() + bytes.size();
    const auto [p, ec] = std::from_chars(bytes.constData(), end, out);
    return ec == std::errc() && p == end && std::isfinite(out);
}

// What a column of the "Format." list holds.
enum Column { Unused, Year, Month, Day, Type, Station, Hour, Minute, Second, X, Y, SigmaX, SigmaY, OcX, OcY,
              Angle, SigmaAlong, OcAlong, Quality, MinimumFlux, ColumnCount };

Column columnOf(const QString& item)
{
    const QString s = item.toLower();
    const auto has = [&](const char* w) { return s.contains(QLatin1String(w)); };
    if (has("year of"))
        return Year;
    if (has("month of"))
        return Month;
    if (has("day of"))
        return Day;
    if (has("type of the phenomenon"))
        return Type;
    if (has("observatory code"))
        return Station;
    if (has("hour of"))
        return Hour;
    if (has("minute of"))
        return Minute;
    if ((has("seconde of") || has("seconds of")) && !has("sigma"))
        return Second;
    if (has("sigma of \"o-c\" for x"))
        return SigmaX;
    if (has("sigma of \"o-c\" for y"))
        return SigmaY;
    if (has("sigma of x"))
        return SigmaX;
    if (has("sigma of y"))
        return SigmaY;
    if (s.startsWith(QLatin1String("x coordinate")))
        return X;
    if (s.startsWith(QLatin1String("y coordinate")))
        return Y;
    if (has("\"o-c\" for x"))
        return OcX;
    if (has("\"o-c\" for y"))
        return OcY;
    if (s.startsWith(QLatin1String("position angle a in degrees")))
        return Angle;
    if (has("precision of apparent position"))
        return SigmaAlong;
    if (has("o-c along"))
        return OcAlong;
    // Q (0 normal, else doubtful) or, in the files of one coordinate, R
    // (0 a total event, 1 poor photometry).
    if (s.startsWith(QLatin1String("flag q")) || s.startsWith(QLatin1String("flag r")))
        return Quality;
    if (has("minimum level"))
        return MinimumFlux;
    return Unused;
}

// "76 53 12 W" / "39  8 59 N" -> degrees (east, north positive).
double sexagesimal(const QRegularExpressionMatch& m, int first)
{
    const double v = m.captured(first).toInt() + m.captured(first + 1).toInt() / 60.0 + m.captured(first + 2).toInt() / 3600.0;
    const QString side = m.captured(first + 3);
    return side == u"W" || side == u"S" ? -v : v;
}

double eastLongitude(double lon) { return lon > 180 ? lon - 360 : lon; }

// Observatories named only "in the relevant article" (the Russian campaign
// of 2009, the Kavalur file's "220"): the places from the IAU's list of
// observatory codes and the observatories' own pages, to about 0.01°; an
// error of a kilometre moves a pair's topocentric offset by far less than
// a milliarcsecond.
const QHash<QString, Site>& articleStations()
{
    static const QHash<QString, Site> table = {
        {QStringLiteral("TER"), {43.2744, 42.5000, 3100}},   // Terskol peak
        {QStringLiteral("CRI"), {44.7275, 34.0160, 600}},    // Crimean Astrophysical Observatory, Nauchny
        {QStringLiteral("CRM"), {44.4131, 33.9964, 350}},    // Crimea, Simeiz
        {QStringLiteral("GAS"), {43.7483, 42.6667, 2070}},   // Pulkovo's mountain station, Kislovodsk
        {QStringLiteral("KOU"), {57.0367, 59.5472, 280}},    // Kourovskaya
        {QStringLiteral("P26"), {59.7718, 30.3274, 75}},     // Pulkovo
        {QStringLiteral("PNA"), {59.7718, 30.3274, 75}},
        {QStringLiteral("PUL"), {59.7718, 30.3274, 75}},
        {QStringLiteral("VOR"), {51.6564, 39.2053, 183}},    // Voronezh
        {QStringLiteral("220"), {12.5765, 78.8263, 725}},    // Vainu Bappu Observatory, Kavalur
    };
    return table;
}

struct Description {
    Column columns[40] = {};
    int columnCount = 0;
    bool relativeToOcculter = false;   // "reference body is an occulting"
    bool mutualEvents = false;
    bool repeatsOthers = false;        // "The same observations ... also included in" other files
    QString singleStation;             // " observatory: 220 - ..."
    QHash<QString, Site> stations;
};

bool readDescription(const QString& path, Description& d, QString& error)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        error = tr("%1 : description introuvable ou illisible (attendu à côté du fichier de données)").arg(path);
        return false;
    }
    const QStringList lines = QString::fromLatin1(f.readAll()).split(QLatin1Char('\n'));
    static const QRegularExpression dms(QStringLiteral(
        R"(^\s*([A-Z0-9_]{3}):?\s.*?(\d+)\s+(\d+)\s+(\d+)\s+([EW])\s+(\d+)\s+(\d+)\s+(\d+)\s+([NS])\s+(\S+))"));
    static const QRegularExpression decimal(QStringLiteral(R"(^([A-Z0-9_]{3})\s+([0-9.]+)\s+(-?[0-9.;]+)\s+(\S+))"));
    static const QRegularExpression item(QStringLiteral(R"(^\s*(\d+)\.\s+(.*))"));
    bool inFormat = false;
    for (const QString& raw : lines) {
        const QString line = raw.trimmed().isEmpty() ? QString() : raw;
        if (line.contains(QLatin1String("reduction:")) && line.contains(QLatin1String("mutual occultations")))
            d.mutualEvents = true;
        if (line.contains(QLatin1String("same observations")))
            d.repeatsOthers = true;
        if (line.contains(QLatin1String("reference body is an occulting")))
            d.relativeToOcculter = true;
        if (line.trimmed().startsWith(QLatin1String("observatory:"))) {
            static const QRegularExpression single(QStringLiteral(R"(observatory:\s*(\d{3})\s+-)"));
            if (const auto m = single.match(line); m.hasMatch())
                d.singleStation = m.captured(1);
        }
        if (line.startsWith(QLatin1String("Format.")))
            inFormat = true;
        if (inFormat) {
            if (const auto m = item.match(line); m.hasMatch()) {
                const int n = m.captured(1).toInt();
                if (n >= 1 && n <= 40 && n == d.columnCount + 1) {
                    d.columns[n - 1] = columnOf(m.captured(2));
                    d.columnCount = n;
                }
            }
            continue;
        }
        if (const auto m = dms.match(line); m.hasMatch()) {
            double h = 0;
            const double height = number(m.captured(10), h) ? h : 0;   // "???": sea level
            d.stations.insert(m.captured(1), Site{sexagesimal(m, 6), sexagesimal(m, 2), height});
            continue;
        }
        if (const auto m = decimal.match(line); m.hasMatch()) {
            double lon = 0, lat = 0, h = 0;
            // One latitude of the 2021 files is printed "33;811944".
            QString latText = m.captured(3);
            latText.replace(QLatin1Char(';'), QLatin1Char('.'));
            if (number(m.captured(2), lon) && number(latText, lat))
                d.stations.insert(m.captured(1), Site{lat, eastLongitude(lon), number(m.captured(4), h) ? h : 0});
        }
    }
    return true;
}

bool parseType(const QString& text, Observation& o)
{
    static const QRegularExpression code(QStringLiteral(R"(^([1-4])([eo])([1-4])$)"));
    const auto m = code.match(text.toLower());
    if (!m.hasMatch() || m.captured(1) == m.captured(3))
        return false;
    o.occulter = m.captured(1).toInt() - 1;
    o.target = m.captured(3).toInt() - 1;
    o.type = m.captured(2) == u"e" ? MutualType::Eclipse : MutualType::Occultation;
    return true;
}

double julianDay(int y, int mo, int d, double dayFraction)
{
    // Gregorian calendar (Meeus ch. 7).
    if (mo <= 2) {
        y -= 1;
        mo += 12;
    }
    const int a = y / 100, b = 2 - a + a / 4;
    return std::floor(365.25 * (y + 4716)) + std::floor(30.6001 * (mo + 1)) + d + b - 1524.5 + dayFraction;
}

} // namespace

int Observation::season() const
{
    const double year = 2000 + (jdUtc - 2451544.5) / 365.25;
    return year < 2012 ? 2009 : year < 2018 ? 2015 : 2021;
}

std::vector<Observation> readCatalogue(const QString& dataPath, QString& error)
{
    QString descPath = dataPath;
    descPath.replace(QRegularExpression(QStringLiteral(R"(\.txt$)")), QStringLiteral(".desc.txt"));
    Description d;
    if (!readDescription(descPath, d, error))
        return {};
    const QString name = QFileInfo(dataPath).completeBaseName();
    int where[ColumnCount];
    std::fill(std::begin(where), std::end(where), -1);
    for (int i = 0; i < d.columnCount; ++i)
        if (d.columns[i] != Unused && where[d.columns[i]] < 0)
            where[d.columns[i]] = i;
    const bool xy = where[X] >= 0 && where[Y] >= 0 && where[SigmaX] >= 0 && where[SigmaY] >= 0;
    const bool angle = where[Angle] >= 0 && where[SigmaAlong] >= 0;
    for (Column c : {Year, Month, Day, Type, Hour, Minute, Second})
        if (where[c] < 0 || (!xy && !angle)) {
            error = tr("%1 : la description ne donne pas toutes les colonnes attendues (année, mois, jour, type, heure, "
                       "minute, seconde, puis X, Y et leurs sigmas ou l'angle de position et sa précision)").arg(descPath);
            return {};
        }
    if (where[Station] < 0 && d.singleStation.isEmpty()) {
        error = tr("%1 : ni colonne d'observatoire ni observatoire unique dans la description").arg(descPath);
        return {};
    }
    QFile f(dataPath);
    if (!f.open(QIODevice::ReadOnly)) {
        error = tr("%1 : fichier illisible").arg(dataPath);
        return {};
    }
    std::vector<Observation> out;
    const QStringList lines = QString::fromLatin1(f.readAll()).split(QLatin1Char('\n'));
    for (int n = 0; n < lines.size(); ++n) {
        const QString line = lines[n].trimmed();
        if (line.isEmpty())
            continue;
        const QStringList t = line.split(QRegularExpression(QStringLiteral("\\s+")));
        const auto fault = [&](const QString& what) {
            error = tr("%1, ligne %2 : %3").arg(dataPath).arg(n + 1).arg(what);
            return std::vector<Observation>{};
        };
        if (t.size() < d.columnCount)
            return fault(tr("%1 colonnes au lieu des %2 que décrit %3").arg(t.size()).arg(d.columnCount).arg(descPath));
        Observation o;
        o.file = name;
        o.line = n + 1;
        if (!parseType(t[where[Type]], o))
            return fault(tr("type « %1 » illisible (attendu par exemple 1o2 ou 3e1)").arg(t[where[Type]]));
        double v[ColumnCount] = {};
        for (Column c : {Year, Month, Day, Hour, Minute, Second, X, Y, SigmaX, SigmaY, OcX, OcY, Angle, SigmaAlong, OcAlong,
                         Quality, MinimumFlux})
            if (where[c] >= 0 && !number(t[where[c]], v[c]))
                return fault(tr("colonne %1 : « %2 » n'est pas un nombre").arg(where[c] + 1).arg(t[where[c]]));
        o.jdUtc = julianDay(int(v[Year]), int(v[Month]), int(v[Day]), (v[Hour] + v[Minute] / 60 + v[Second] / 3600) / 24);
        o.doubtful = where[Quality] >= 0 && v[Quality] != 0;
        if (where[MinimumFlux] >= 0)
            o.minimumFlux = v[MinimumFlux];
        o.station = where[Station] >= 0 ? t[where[Station]] : d.singleStation;
        if (d.stations.contains(o.station))
            o.site = d.stations.value(o.station);
        else if (d.stations.isEmpty() && articleStations().contains(o.station))
            o.site = articleStations().value(o.station);
        else
            return fault(tr("observatoire « %1 » inconnu (ni dans la liste de %2 ni dans celle du programme)")
                             .arg(o.station, descPath));
        const double sign = d.relativeToOcculter ? -1 : 1;
        if (xy) {
            o.x = sign * v[X];
            o.y = sign * v[Y];
            o.sigmaX = v[SigmaX];
            o.sigmaY = v[SigmaY];
            o.hasCatalogueOc = where[OcX] >= 0 && where[OcY] >= 0;
            o.catalogueOcX = sign * v[OcX];
            o.catalogueOcY = sign * v[OcY];
            // Printed to 0.1 mas, a sigma can read 0: the fit adds its floor.
            if (!(o.sigmaX >= 0 && o.sigmaY >= 0))
                return fault(tr("sigma de X ou de Y négatif"));
        } else {
            o.positionAngleOnly = true;
            o.positionAngleDeg = v[Angle] + (d.relativeToOcculter ? 180 : 0);
            o.sigmaAlong = v[SigmaAlong];
            o.hasCatalogueOc = where[OcAlong] >= 0;
            o.catalogueOcX = v[OcAlong];
            if (!(o.sigmaAlong >= 0))
                return fault(tr("précision le long de la trajectoire négative"));
        }
        out.push_back(o);
    }
    if (out.empty())
        error = tr("%1 : aucune observation").arg(dataPath);
    return out;
}

std::vector<Observation> readFolder(const QString& folder, QString& error, QStringList* filesRead)
{
    const QDir dir(folder);
    if (!dir.exists()) {
        error = tr("%1 : dossier introuvable").arg(folder);
        return {};
    }
    std::vector<Observation> all;
    const QStringList names = dir.entryList({QStringLiteral("jg*.txt")}, QDir::Files, QDir::Name);
    for (const QString& n : names) {
        if (n.endsWith(QLatin1String(".desc.txt")))
            continue;
        Description d;
        QString descPath = dir.filePath(n);
        descPath.replace(QRegularExpression(QStringLiteral(R"(\.txt$)")), QStringLiteral(".desc.txt"));
        if (!readDescription(descPath, d, error))
            return {};
        // A file that repeats others' observations (reduced another way)
        // would count them twice.
        if (!d.mutualEvents || d.repeatsOthers)
            continue;
        std::vector<Observation> part = readCatalogue(dir.filePath(n), error);
        if (part.empty())
            return {};
        all.insert(all.end(), part.begin(), part.end());
        if (filesRead)
            filesRead->append(n);
    }
    if (all.empty() && error.isEmpty())
        error = tr("%1 : aucun catalogue de phénomènes mutuels (jgNNNN.txt et sa description)").arg(folder);
    return all;
}

} // namespace zeno::fit
