// The timetable as an iCalendar file (RFC 5545) for the observer's phone or
// desktop calendar: one VEVENT per row, times in UTC.
#pragma once

#include "night_programme.h"

#include <QByteArray>
#include <QDateTime>
#include <QLocale>
#include <QString>
#include <vector>

namespace zeno {

// "Io — début de l'ombre", "Tache Rouge — passage au méridien central".
QString eventSummary(const ProgrammeRow& row);

// The whole calendar, UTF-8, CRLF line ends, lines folded at 75 octets.
// `location` names the place; `withSite`: the rows carry altitudes; `stampUt` is the DTSTAMP of every event (the
// moment of the export). The UID of an event depends only on the event.
QByteArray icsProgramme(const std::vector<ProgrammeRow>& rows, const QString& location, bool withSite, Theory theorie,
                        const QDateTime& stampUt);

// "48,85° N, 2,35° E, 35 m" in the regional number format.
QString placeText(const Site& site, const QLocale& locale);

} // namespace zeno
