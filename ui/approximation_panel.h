// What the phenomena window shows of the mutual approximation selected in
// its table: the details, the distance against time around the central
// instant and the two satellites' tracks on the sky; their export as PNG,
// SVG and (the distance) CSV.
#pragma once

#include "approximations.h"
#include "night_programme.h"

#include <QLocale>
#include <QWidget>

#include <functional>

class QLabel;
class QPushButton;
class ApproximationView;

class ApproximationPanel : public QWidget {
    Q_OBJECT
public:
    explicit ApproximationPanel(const QLocale& locale, QWidget* parent = nullptr);

    // Where messages go: a message box by default.
    std::function<void(const QString&)> message;
    // Where an export writes (title, suggested name, filters): a file dialog by default.
    std::function<QString(const QString&, const QString&, const QString&)> choixFichier;

    // minLimbArcsec: the setting the observability was judged with, to say why not.
    void setApproximation(const zeno::Approximation& approximation, double minLimbArcsec);
    const zeno::Approximation& approximation() const { return approximation_; }
    // The main window's flips: the tracks are drawn as its picture is.
    void setFlips(bool eastWest, bool northSouth);
    QString detailsText() const;

    // By the name's suffix: .png, .svg or (the distance) .csv. False and a message on failure.
    bool exportDistance(const QString& path);
    bool exportTracks(const QString& path);

public slots:
    void CommandCourbe_Click();
    void CommandDessin_Click();

private:
    bool said(const QString& fault);   // true when empty, else the message shown
    QString suggestedName(const QString& what) const;

    QLocale locale_;
    zeno::Approximation approximation_;
    double minLimbArcsec_ = 10;
    QLabel* LabelDetails;
    ApproximationView* Distance;
    ApproximationView* Trajets;
    QPushButton* CommandCourbe;
    QPushButton* CommandDessin;
};

// The predicted distance as CSV: "ut,dx_arcsec,dy_arcsec,distance_arcsec", ut ISO 8601 to 0.1 s.
QString approximationDistanceCsv(const zeno::Approximation& a, const std::vector<zeno::SkyOffset>& track);

// One row per approximation at its central instant (satellite: the first;
// phenomenon: the code; change: "approximation"; `approximation`: its
// index), merged into `rows` in time order. Civil times are UT minus offsetHours.
void addApproximationRows(std::vector<zeno::ProgrammeRow>& rows, const std::vector<zeno::Approximation>& list,
                          double offsetHours);

// "Io et Europe", as the windows name a pair.
QString approximationPairName(const zeno::Approximation& a);
// Why an approximation cannot be watched, in French; empty when it can.
QString approximationHindrance(const zeno::Approximation& a, double minLimbArcsec);
