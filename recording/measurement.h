// The light curve of a mutual event measured on the observer's recording.
// On the first frames SEP finds Jupiter and the satellites; each is named by
// matching the sources to the configuration the precise theory predicts at
// that instant, the image's scale, rotation and flip being unknown and
// fitted. Then each satellite is followed frame by frame (its centroid near
// its last place) and measured in circular apertures, the background in an
// annulus around each. The pair's flux (one aperture over both while they
// overlap, one each otherwise, summed) divided by the comparison satellite's
// is the relative flux. Frames where a source is lost or saturated are
// dropped and counted.
//
// A mutual approximation is measured the same way, but both satellites of
// the pair are followed by their own centroids and no comparison is needed:
// their relative places give the track whose least distance is fitted.
#pragma once

#include "approximation_fit.h"
#include "mutual_events.h"
#include "observed_curve.h"
#include "recording_reader.h"

#include <QString>
#include <atomic>
#include <functional>
#include <optional>
#include <vector>

namespace zeno {

struct MeasureOptions {
    // The event recorded; nullopt: the deepest whose maximum lies within the
    // recording's times (mutualEventDuring).
    std::optional<MutualEvent> event;
    // A mutual approximation's pair (0..3, first < second) instead of an event.
    std::optional<std::pair<int, int>> approximation = std::nullopt;
    int comparison = -1;          // 0..3: the comparison satellite; -1: the brightest other one found
    int identifyFrames = 5;       // frames added up to find and name the sources
    double apertureRadiusPx = 0;  // 0: from the sources' sizes
    double saturation = 0;        // 0: the recording's (RecordingInfo::saturation)
};

enum class ApertureRole { Pair, Comparison };

struct Aperture {
    ApertureRole role = ApertureRole::Pair;
    double x = 0, y = 0;          // pixels, frame coordinates (0,0 the first pixel's centre)
    double radius = 0;            // pixels
    double annulusInner = 0, annulusOuter = 0;   // the background's annulus, pixels
};

struct FrameMeasurement {
    int frame = 0;                // number in the recording, from 0
    double ut = 0;                // UT seconds since 1970
    double pairFlux = 0;          // background removed, the recording's units
    double comparisonFlux = 0;
    double relativeFlux = 0;      // pairFlux / comparisonFlux
    std::vector<Aperture> apertures;   // the pair's (1 or 2) then the comparison's
    double satelliteX[4] = {}, satelliteY[4] = {};   // followed places, pixels
    bool followed[4] = {};        // satellite k followed in this frame (the pair and the comparison)
};

// How the sources were named on the first frames.
struct Identification {
    bool jupiterFound = false;
    double jupiterX = 0, jupiterY = 0;     // pixels
    double pixelsPerJupiterRadius = 0;     // the fitted scale
    double rotationDeg = 0;                // the sky's north from the image's up, toward the east side
    bool flipped = false;                  // the image is mirrored
    double rmsPx = 0;                      // of the matched places after the fit
    bool found[4] = {};                    // satellite k found and named
    double x[4] = {}, y[4] = {};           // its place on the first frames
    int sources = 0;                       // sources SEP found
};

struct CurveMeasurement {
    QString error;                // non-empty: no curve, says why (French)
    bool cancelled = false;       // stopped by the caller; frames holds what was measured
    MutualEvent event;            // unset for an approximation
    bool approximation = false;   // the pair's centroids followed for an approximation
    int first = -1, second = -1;  // the pair: the event's occulter and target, or the approximation's two
    int comparison = -1;          // 0..3; -1 for an approximation
    Identification identification;
    std::vector<FrameMeasurement> frames;   // the frames kept, in recording order
    int framesRead = 0;
    int droppedLost = 0;          // a satellite of the pair or the comparison lost
    int droppedSaturated = 0;     // a pixel of an aperture at the saturation level
    int droppedUnreadable = 0;    // the frame could not be read, or has no time
    int dropped() const { return droppedLost + droppedSaturated + droppedUnreadable; }
};

// Progress: frames done out of the total; returning false cancels.
using MeasureProgress = std::function<bool(int done, int total)>;

// Measures the whole recording. Never throws; a fault is in `error`. When
// `progress` returns false or *cancel becomes true the measurement stops.
CurveMeasurement measureRecording(RecordingReader& reader, const MeasureOptions& options = {},
                                  const MeasureProgress& progress = {},
                                  const std::atomic<bool>* cancel = nullptr);

// Only the naming, on the first frames (what the window shows before measuring).
CurveMeasurement identifySatellites(RecordingReader& reader, const MeasureOptions& options = {});

// The measured curve as the fit takes it (relative flux, no uncertainty).
std::vector<ObservedPoint> measuredPoints(const CurveMeasurement& m);

// The measured curve as CSV, read back by readObservedCurve: comment lines
// (the event, the recording, the dropped frames), the header
// "frame,ut,pair_flux,comparison_flux,relative_flux", one row per frame kept.
QString measuredCurveCsv(const CurveMeasurement& m, const QString& recordingName);
// Written through the checked writer; false with *error (French) on a fault.
bool writeMeasuredCurve(const QString& path, const CurveMeasurement& m, const QString& recordingName,
                        QString* error);

// An approximation's measurement as its fit takes it: the second's place
// minus the first's in every frame kept, in arcsec (east, Jupiter's north)
// through the naming's scale, rotation and mirror when Jupiter and two
// satellites, or three satellites, fixed them; in pixels otherwise. The
// frames dropped are the track's bad rows.
ObservedTrack measuredTrack(const CurveMeasurement& m);
// The same as CSV read back by readObservedTrack: comment lines, then
// "frame,ut,dx,dy" (ut ISO 8601, dx dy in arcsec, or "dx_px,dy_px").
QString measuredTrackCsv(const CurveMeasurement& m, const QString& recordingName);

// The dropped frames in one French sentence, empty when none.
QString droppedFramesText(const CurveMeasurement& m);

} // namespace zeno
