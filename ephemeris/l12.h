// The L1.2 theory of the Galilean satellites (Lainey, Duriez & Vienne, IMCCE
// 2006): jovicentric positions and velocities from the published series.
#pragma once

namespace zeno {

struct EtatL12 {
    double position[3];   // AU, jovicentric, mean equator and equinox of J2000
    double velocity[3];   // AU/day, same frame
};

// satellite: 0 Io, 1 Europe, 2 Ganymède, 3 Callisto; jdTT: Julian Day in
// Terrestrial Time. The series are evaluated at any date (no exception);
// they were fitted to observations from 1891 to 2003.
EtatL12 etatL12(int satellite, double jdTT);

// The pole of the theory's jovian frame (Jupiter's equator), unit vector in
// the J2000 mean equator: the axis the satellites' orbits turn about.
void l12PoleJ2000(double pole[3]);

} // namespace zeno
