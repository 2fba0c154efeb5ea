#include "ical.h"


#include "modern_theory.h"
#include "scene_frame.h"
#include "vocabulary.h"

#include <QCoreApplication>

#include <cmath>

namespace zeno {

namespace {

constexpr int kFoldOctets = 75;   // RFC 5545 3.1: lines longer than this are folded

QString utcStamp(const QDateTime& ut)
{
    return ut.toUTC().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));
}

// TEXT values: backslash, semicolon, comma and newline escaped (RFC 5545 3.3.11).
QString escaped(QString s)
{
    s.replace(u'\\', QStringLiteral("\\\\"));
    s.replace(u';', QStringLiteral("\\;"));
    s.replace(u',', QStringLiteral("\\,"));
    s.replace(u'\n', QStringLiteral("\\n"));
    return s;
}

// One content line, folded at 75 octets without cutting a UTF-8 character.
void appendLine(QByteArray& out, const QString& line)
{
    const QByteArray u = line.toUtf8();
    qsizetype i = 0, room = kFoldOctets;
    while (u.size() - i > room) {
        qsizetype cut = i + room;
        while (cut > i && (static_cast<unsigned char>(u[cut]) & 0xC0) == 0x80)
            --cut;   // back to the first byte of a character
        out += u.mid(i, cut - i);
        out += "\r\n ";
        i = cut;
        room = kFoldOctets - 1;   // the leading space counts
    }
    out += u.mid(i);
    out += "\r\n";
}

QString phrase(const ProgrammeRow& r)
{
    if (r.mutual >= 0)   // phenomenon: the code ("2E1"), change: the kind, at the maximum
        return QCoreApplication::translate("Calendrier", "phénomène mutuel %1 (%2), maximum")
            .arg(r.phenomenon, shownWord(r.change));
    const bool debut = r.change == rowWord(RowWord::Begin);
    if (r.phenomenon == rowWord(RowWord::Eclipse))
        return debut ? QCoreApplication::translate("Calendrier", "début de l'éclipse")
                     : QCoreApplication::translate("Calendrier", "fin de l'éclipse");
    if (r.phenomenon == rowWord(RowWord::Occultation))
        return debut ? QCoreApplication::translate("Calendrier", "début de l'occultation")
                     : QCoreApplication::translate("Calendrier", "fin de l'occultation");
    if (r.phenomenon == rowWord(RowWord::Transit))
        return debut ? QCoreApplication::translate("Calendrier", "début du passage")
                     : QCoreApplication::translate("Calendrier", "fin du passage");
    if (r.phenomenon == rowWord(RowWord::Shadow))
        return debut ? QCoreApplication::translate("Calendrier", "début de l'ombre")
                     : QCoreApplication::translate("Calendrier", "fin de l'ombre");
    return QCoreApplication::translate("Calendrier", "passage au méridien central");
}

} // namespace

QString eventSummary(const ProgrammeRow& row)
{
    const QString who = row.satellite < 0 ? QCoreApplication::translate("Calendrier", "Tache Rouge")
                                          : satelliteDisplayName(row.satellite);
    return who + QStringLiteral(" — ") + phrase(row);
}

QByteArray icsProgramme(const std::vector<ProgrammeRow>& rows, const QString& location, bool withSite, Theory theorie,
                        const QDateTime& stampUt)
{
    QByteArray out;
    appendLine(out, QStringLiteral("BEGIN:VCALENDAR"));
    appendLine(out, QStringLiteral("VERSION:2.0"));
    appendLine(out, QStringLiteral("PRODID:-//Zenolune//Phenomenes de Jupiter//FR"));
    appendLine(out, QStringLiteral("CALSCALE:GREGORIAN"));
    appendLine(out, QStringLiteral("METHOD:PUBLISH"));
    const QString theory = theorie == Theory::Precise
                               ? QCoreApplication::translate("Calendrier", "théorie précise, %1 (contacts du centre du satellite)").arg(l12TheoryName())
                               : QCoreApplication::translate("Calendrier", "théorie originale");
    const QString stamp = utcStamp(stampUt);
    for (const ProgrammeRow& r : rows) {
        const QString when = utcStamp(r.ut);
        // The same event exported twice keeps its UID: a calendar updates it instead of doubling it.
        const QString who = r.satellite < 0 ? QStringLiteral("grs") : QStringLiteral("s%1").arg(r.satellite + 1);
        const QString what = r.label ? QString::fromLatin1(captionName(*r.label))
                             : r.mutual >= 0 ? r.phenomenon : QStringLiteral("RedSpot");
        appendLine(out, QStringLiteral("BEGIN:VEVENT"));
        appendLine(out, QStringLiteral("UID:%1-%2-%3-%4@zenolune").arg(when, who, what, r.change == rowWord(RowWord::End) ? u"fin" : u"debut"));
        appendLine(out, QStringLiteral("DTSTAMP:") + stamp);
        appendLine(out, QStringLiteral("DTSTART:") + when);
        appendLine(out, QStringLiteral("SUMMARY:") + escaped(eventSummary(r)));
        if (!location.isEmpty())
            appendLine(out, QStringLiteral("LOCATION:") + escaped(location));
        QString description = QCoreApplication::translate("Calendrier", "Zenolune, %1.").arg(theory);
        if (withSite)
            description += u'\n'
                           + QCoreApplication::translate("Calendrier", "Jupiter à %1°, Soleil à %2° : %3.")
                                 .arg(QString::number(r.jupiterAltDeg, 'f', 1), QString::number(r.sunAltDeg, 'f', 1),
                                      r.observable ? QCoreApplication::translate("Calendrier", "observable")
                                                   : QCoreApplication::translate("Calendrier", "non observable"));
        appendLine(out, QStringLiteral("DESCRIPTION:") + escaped(description));
        appendLine(out, QStringLiteral("TRANSP:TRANSPARENT"));
        appendLine(out, QStringLiteral("END:VEVENT"));
    }
    appendLine(out, QStringLiteral("END:VCALENDAR"));
    return out;
}

QString placeText(const Site& s, const QLocale& locale)
{
    const auto n = [&](double v, int digits) { return locale.toString(v, 'f', digits); };
    return QStringLiteral("%1° %2, %3° %4, %5 m")
        .arg(n(std::abs(s.latitudeDeg), 2),
             s.latitudeDeg >= 0 ? QCoreApplication::translate("Documents", "N") : QCoreApplication::translate("Documents", "S"),
             n(std::abs(s.longitudeDeg), 2),
             s.longitudeDeg >= 0 ? QCoreApplication::translate("Documents", "E") : QCoreApplication::translate("Documents", "O"),
             n(s.heightM, 0));
}

} // namespace zeno
