// What the phenomena window shows of the mutual approximation selected in
// its table: the details, the distance against time around the central
// instant and the two satellites' tracks on the sky.
#pragma once

#include "approximations.h"
#include "night_programme.h"

#include <QLocale>
#include <QWidget>

class QLabel;
class ApproximationView;

class ApproximationPanel : public QWidget {
    Q_OBJECT
public:
    explicit ApproximationPanel(const QLocale& locale, QWidget* parent = nullptr);

    // minLimbArcsec: the setting the observability was judged with, to say why not.
    void setApproximation(const zeno::Approximation& approximation, double minLimbArcsec);
    const zeno::Approximation& approximation() const { return approximation_; }
    // The main window's flips: the tracks are drawn as its picture is.
    void setFlips(bool eastWest, bool northSouth);
    QString detailsText() const;

private:
    QLocale locale_;
    zeno::Approximation approximation_;
    double minLimbArcsec_ = 10;
    QLabel* LabelDetails;
    ApproximationView* Distance;
    ApproximationView* Trajets;
};

// One row per approximation at its central instant (satellite: the first;
// phenomenon: the code; change: "approximation"; `approximation`: its
// index), merged into `rows` in time order. Civil times are UT minus offsetHours.
void addApproximationRows(std::vector<zeno::ProgrammeRow>& rows, const std::vector<zeno::Approximation>& list,
                          double offsetHours);

// "Io et Europe", as the windows name a pair.
QString approximationPairName(const zeno::Approximation& a);
// Why an approximation cannot be watched, in French; empty when it can.
QString approximationHindrance(const zeno::Approximation& a, double minLimbArcsec);
