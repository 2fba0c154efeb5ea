// The one settings store: every key the program keeps between runs
// (QSettings) — the observer's place, the visibility limits, the Great Red
// Spot, the phenomena window's and the chart window's choices.
#pragma once

#include "observer.h"
#include "approximations.h"
#include "night_programme.h"

#include <QSettings>
#include <QStringList>
#include <QTimeZone>
#include <memory>

namespace settings {

// The settings store: the user's, or an INI file given by the tests.
std::unique_ptr<QSettings> open();
void setFile(const QString& iniPath);   // empty: the user's own store

struct Observer {
    zeno::Site site;
    bool siteSet = false;       // false: the default place (Paris), shown as such
    QTimeZone timeZone = QTimeZone::systemTimeZone();   // the observer's clock, daylight saving included
    zeno::Visibility visibility;
    zeno::RedSpot redSpot;
    // The mutual approximations' thresholds (the place and visibility above are taken from here too).
    double approxMaxDistanceArcsec = 30, approxMinLimbArcsec = 10, approxStationaryMasS = 1;
    zeno::ApproximationOptions approximationOptions() const;
};

// Every kept value read with a success and a range check: an unreadable one
// falls back to its default, and its name (in French) goes to *reset.
Observer readObserver(QStringList* reset = nullptr);
void writeObserver(const Observer& o);

// The phenomena window's choices of the last run.
struct PhenomenaChoices {
    int period = 0;              // ComboPeriode: 0 the coming night .. 4 "Autre", 5 the mutual events' season, 6 the current year
    int satellite = 0;           // ComboSatellite: 0 "Tous", 1..4 the satellites, 5 the Red Spot, 6 mutual events, 7 approximations
    bool observableOnly = false; // CheckObservables
    QString from, to;            // TextDu, TextAu as typed
    int csvForm = 0;             // ComboFormat: 0 French (; and decimal comma), 1 international
};
// Unreadable or out-of-range values: their defaults, named in *reset.
PhenomenaChoices readPhenomenaChoices(QStringList* reset = nullptr);
void writePhenomenaChoices(const PhenomenaChoices& c);

// Whether the precise theory's satellites are L1.2 corrected by the observed
// mutual events (the default) or L1.2 as published. Unreadable: the
// default, named in *reset.
bool readL12Corrected(QStringList* reset = nullptr);
void writeL12Corrected(bool corrected);

// The chart window's choices of the last run.
struct ChartChoices {
    int hour = 2;        // ComboHeure: 0 UT, 1 civil time of the offset, 2 the place's local time
    int paper = 0;       // ComboPapier: 0 A4, 1 Letter
    double scale = 0;    // pixels per day
};
// The scale outside [minScale, maxScale] is the default, as any unreadable value (named in *reset).
ChartChoices readChartChoices(double defaultScale, double minScale, double maxScale, QStringList* reset = nullptr);
void writeChartHour(int hour);
void writeChartPaper(int paper);
void writeChartScale(double scale);

} // namespace settings
