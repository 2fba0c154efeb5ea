// The phenomena of the modern theory from the true geometry: an oblate
// Jupiter (polar/equatorial 66854/71492 km) and the lines through each
// satellite's centre. Contacts are those of the satellite's centre.
#pragma once

#include "modern_theory.h"

namespace zeno {

struct PrecisePhenomena {
    bool eclipse[4] = {};   // the line from the Sun's centre through the satellite's centre meets the globe
    bool occulte[4] = {};   // the line of sight through the satellite's centre meets the globe, satellite behind
    bool passage[4] = {};   // the same line meets it, satellite in front
    bool ombre[4] = {};     // the shadow of the satellite's centre falls on the face turned to the Earth
    double ombreX[4] = {}, ombreY[4] = {};   // that shadow's sky position, equatorial radii
};

// The four satellites' phenomena of one record (pure geometry, no drawing).
PrecisePhenomena precisePhenomena(const ModernEphemeris& e);

// Whether satellite i (0..3) is in front of the lit part of the disk: the
// line of sight through its centre meets the globe at a sunlit point. The
// published predictions time transits against this lit limb; the program's
// "Passage" uses the whole globe (the narrow unlit crescent included).
bool inFrontOfLitDisk(const ModernEphemeris& e, int i);

} // namespace zeno
