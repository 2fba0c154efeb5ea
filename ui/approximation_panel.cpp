#include "approximation_panel.h"

#include "approximation_view.h"
#include "drawing_export.h"
#include "mutual_event_panel.h"
#include "calendar.h"
#include "scene_frame.h"

#include <QCoreApplication>
#include <cmath>
#include <algorithm>

#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

namespace {
// Sizes of the exported pictures, pixels (the SVG's view box).
constexpr QSize kDistanceExportSize{1200, 600};
constexpr QSize kTracksExportSize{800, 800};
}

ApproximationPanel::ApproximationPanel(const QLocale& locale, QWidget* parent) : QWidget(parent), locale_(locale)
{
    setObjectName(QStringLiteral("ApproximationPanel"));
    message = [this](const QString& texte) { QMessageBox::warning(this, tr("Approximation mutuelle"), texte); };
    choixFichier = [this](const QString& titre, const QString& nom, const QString& filtres) {
        return QFileDialog::getSaveFileName(this, titre, nom, filtres);
    };
    LabelDetails = panelDetailsLabel(this);
    Distance = new ApproximationView(ApproximationView::Distance, locale_, this);
    Trajets = new ApproximationView(ApproximationView::Tracks, locale_, this);
    CommandCourbe = new QPushButton(tr("Exporter la &courbe…"), this);
    CommandCourbe->setObjectName(QStringLiteral("CommandCourbe"));
    CommandCourbe->setToolTip(tr("La distance prévue en image PNG, en dessin SVG ou en tableau CSV"));
    CommandDessin = new QPushButton(tr("Exporter le &dessin…"), this);
    CommandDessin->setObjectName(QStringLiteral("CommandDessin"));
    CommandDessin->setToolTip(tr("Le dessin des trajets en image PNG ou en dessin SVG"));
    layOutPanel(this, Distance, Trajets, LabelDetails, CommandCourbe, CommandDessin);
    connect(CommandCourbe, &QPushButton::clicked, this, &ApproximationPanel::CommandCourbe_Click);
    connect(CommandDessin, &QPushButton::clicked, this, &ApproximationPanel::CommandDessin_Click);
}

QString ApproximationPanel::suggestedName(const QString& what) const
{
    return QStringLiteral("%1-%2-%3")
        .arg(what, approximation_.code(),
             QDateTime::fromSecsSinceEpoch(std::llround(approximation_.centralUt), Qt::UTC).toString(QStringLiteral("yyyyMMdd-HHmm")));
}

bool ApproximationPanel::said(const QString& fault)
{
    if (!fault.isEmpty())
        message(fault);
    return fault.isEmpty();
}

bool ApproximationPanel::exportDistance(const QString& path)
{
    const ApproximationPicture& picture = Distance->picture();
    const auto draw = [&](QPainter& p, const QRectF& area) { ApproximationView::paintDistance(p, area, picture, locale_); };
    return said(writeDrawing(path, kDistanceExportSize, approximation_.code(), draw,
                             [&] { return approximationDistanceCsv(approximation_, picture.distance); }));
}

bool ApproximationPanel::exportTracks(const QString& path)
{
    const ApproximationPicture& picture = Trajets->picture();
    const auto draw = [&](QPainter& p, const QRectF& area) { ApproximationView::paintTracks(p, area, picture, locale_); };
    return said(writeDrawing(path, kTracksExportSize, approximation_.code(), draw));
}

void ApproximationPanel::CommandCourbe_Click()
{
    const QString path = choixFichier(tr("Exporter la distance"), suggestedName(tr("distance")) + QStringLiteral(".png"),
                                      tr("Image PNG (*.png);;Dessin SVG (*.svg);;Tableau CSV (*.csv)"));
    if (!path.isEmpty())
        exportDistance(path);
}

void ApproximationPanel::CommandDessin_Click()
{
    const QString path = choixFichier(tr("Exporter le dessin des trajets"), suggestedName(tr("trajets")) + QStringLiteral(".png"),
                                      tr("Image PNG (*.png);;Dessin SVG (*.svg)"));
    if (!path.isEmpty())
        exportTracks(path);
}

QString approximationDistanceCsv(const zeno::Approximation& a, const std::vector<zeno::SkyOffset>& track)
{
    QString out = QStringLiteral("# %1 %2 UT, %3\n").arg(a.code(), zeno::utIsoTenths(a.centralUt),
                                                        a.site ? QStringLiteral("topocentric") : QStringLiteral("geocentric"));
    out += QStringLiteral("ut,dx_arcsec,dy_arcsec,distance_arcsec\n");
    for (const zeno::SkyOffset& o : track)
        out += QStringLiteral("%1,%2,%3,%4\n").arg(zeno::utIsoTenths(o.ut), QString::number(o.dx, 'f', 4), QString::number(o.dy, 'f', 4),
                                                   QString::number(o.distance(), 'f', 4));
    return out;
}

void ApproximationPanel::setFlips(bool eastWest, bool northSouth)
{
    Trajets->setFlips(eastWest, northSouth);
}

void ApproximationPanel::setApproximation(const zeno::Approximation& a, double minLimbArcsec)
{
    approximation_ = a;
    minLimbArcsec_ = minLimbArcsec;
    const ApproximationPicture picture = approximationPicture(a);
    Distance->setPicture(picture);
    Trajets->setPicture(picture);
    LabelDetails->setText(detailsText());
}

void addApproximationRows(std::vector<zeno::ProgrammeRow>& rows, const std::vector<zeno::Approximation>& list,
                          double offsetHours)
{
    for (std::size_t i = 0; i < list.size(); ++i) {
        const zeno::Approximation& a = list[i];
        zeno::ProgrammeRow r;
        r.ut = QDateTime::fromSecsSinceEpoch(std::llround(a.centralUt), Qt::UTC);
        r.civil = zeno::addHours(r.ut, -offsetHours);
        r.satellite = a.first;
        r.phenomenon = a.code();
        r.change = QStringLiteral("approximation");
        r.approximation = int(i);
        r.hidden = !a.clearOfJupiter(0) || !a.clearOfJupiter(1);
        r.observable = a.observable;
        r.jupiterAltDeg = a.jupiterAltDeg;
        r.sunAltDeg = a.sunAltDeg;
        rows.push_back(std::move(r));
    }
    std::stable_sort(rows.begin(), rows.end(), [](const auto& x, const auto& y) { return x.ut < y.ut; });
}

QString approximationPairName(const zeno::Approximation& a)
{
    return QCoreApplication::translate("ApproximationPanel", "%1 et %2")
        .arg(zeno::satelliteDisplayName(a.first), zeno::satelliteDisplayName(a.second));
}

QString approximationHindrance(const zeno::Approximation& a, double minLimbArcsec)
{
    QStringList why;
    const int sat[2] = {a.first, a.second};
    for (int k = 0; k < 2; ++k) {
        const QString name = zeno::satelliteDisplayName(sat[k]);
        if (a.behindJupiter[k])
            why << QCoreApplication::translate("ApproximationPanel", "%1 derrière Jupiter").arg(name);
        else if (a.inJupiterShadow[k])
            why << QCoreApplication::translate("ApproximationPanel", "%1 dans l'ombre de Jupiter").arg(name);
        else if (a.inFrontOfJupiter[k])
            why << QCoreApplication::translate("ApproximationPanel", "%1 devant le disque").arg(name);
        else if (a.limbArcsec[k] < minLimbArcsec)
            why << QCoreApplication::translate("ApproximationPanel", "%1 trop près du bord de Jupiter").arg(name);
    }
    if (!a.observable && why.isEmpty())
        why << QCoreApplication::translate("ApproximationPanel", "Jupiter trop bas ou ciel trop clair");
    return why.join(QStringLiteral(", "));
}

QString ApproximationPanel::detailsText() const
{
    const zeno::Approximation& a = approximation_;
    const auto n = [this](double v, int d) { return locale_.toString(v, 'f', d); };
    QString t = tr("<b>%1 — approximation de %2</b><br>").arg(a.code(), approximationPairName(a));
    t += tr("Instant central : <b>%1 TU</b> (%2)<br>")
             .arg(zeno::utIsoTenths(a.centralUt).replace(u'T', u' '), a.site ? tr("topocentrique") : tr("géocentrique"));
    t += tr("Distance minimale : %1″ (%2 km)<br>").arg(n(a.distanceArcsec, 3), n(a.distanceKm, 0));
    t += tr("Vitesse relative : %1 mas/s, angle de position %2°<br>").arg(n(a.speedMasS, 2), n(a.motionAngleDeg, 1));
    t += tr("Bord de Jupiter : %1″ et %2″<br>").arg(n(a.limbArcsec[0], 1), n(a.limbArcsec[1], 1));
    if (!a.mutualEvent.isEmpty())
        t += tr("Phénomène mutuel en cours : %1<br>").arg(a.mutualEvent);
    if (a.site)
        t += tr("Hauteurs : Jupiter %1°, Soleil %2°<br>").arg(n(a.jupiterAltDeg, 1), n(a.sunAltDeg, 1));
    if (a.stationary)
        t += tr("<b>Passage quasi stationnaire</b> : l'instant central est mal défini.<br>");
    t += a.observable ? tr("Observable.") : tr("Non observable : %1.").arg(approximationHindrance(a, minLimbArcsec_));
    return t;
}
