// The Natural Satellites Data Base's catalogues of mutual events: each
// jgNNNN.txt read after its jgNNNN.desc.txt, which names the columns (its
// "Format." list), the observatories and which body the positions are
// relative to.
#pragma once

#include "mutual_geometry.h"
#include "observer.h"

#include <QString>
#include <cmath>
#include <vector>

namespace zeno::fit {

struct Observation {
    QString file;            // "jg0047"
    int line = 0;            // 1 = the first
    QString station;         // observatory code
    Site site;               // its place
    MutualType type = MutualType::Occultation;
    int occulter = 0, target = 1;   // 0..3
    double jdUtc = 0;        // observed mid-time, UTC Julian Day
    bool positionAngleOnly = false;
    // Occulter (or eclipser) minus target, arcsec: X toward increasing right
    // ascension (times cos dec), Y toward the north; topocentric for an
    // occultation, heliocentric for an eclipse.
    double x = 0, y = 0, sigmaX = 0, sigmaY = 0;
    double positionAngleDeg = 0, sigmaAlong = 0;   // the files that give only the angle
    double catalogueOcX = 0, catalogueOcY = 0;     // their O-C (the along-track one in ocX), arcsec
    bool hasCatalogueOc = false;
    bool doubtful = false;           // the catalogue's flag: doubtful or poor photometry
    double minimumFlux = std::nan("");   // the pair's least normalised flux, when given
    int season() const;      // 2009, 2015 (2014-2015) or 2021
};

// Every observation of the catalogue `dataPath` (its description beside it:
// the same name ending in .desc.txt). On a fault, empty with `error` set
// (French, naming the file, the line and what was expected).
std::vector<Observation> readCatalogue(const QString& dataPath, QString& error);

// Every mutual-event catalogue of a folder (jg*.txt with a description
// giving relative X, Y or a position angle; the approximations file and a
// file repeating others' observations are left out), in name order.
std::vector<Observation> readFolder(const QString& folder, QString& error, QStringList* filesRead = nullptr);

} // namespace zeno::fit
