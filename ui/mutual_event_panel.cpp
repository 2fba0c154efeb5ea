#include "mutual_event_panel.h"

#include "drawing_export.h"
#include "light_curve_view.h"
#include "mutual_discs_view.h"
#include "mutual_rows.h"
#include "regional.h"
#include "scene_frame.h"

#include <QBuffer>
#include <QDateTime>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QSvgGenerator>
#include <QVBoxLayout>

#include <cmath>

namespace {

// Sizes of the exported pictures, pixels (the SVG's view box).
constexpr QSize kCurveExportSize{1200, 600};
constexpr QSize kDiscsExportSize{800, 800};

QString durationText(double seconds)
{
    const auto s = static_cast<qint64>(std::llround(seconds));
    if (s >= 3600)
        return MutualEventPanel::tr("%1 h %2 min %3 s").arg(s / 3600).arg(s / 60 % 60).arg(s % 60);
    return MutualEventPanel::tr("%1 min %2 s").arg(s / 60).arg(s % 60);
}

QString utClock(double utSeconds) { return QDateTime::fromSecsSinceEpoch(std::llround(utSeconds), Qt::UTC).toString(QStringLiteral("HH:mm:ss")); }
// "22:33:06 ± 2 s": the maximum with its uncertainty, when the theory gives one.
QString withSigma(const QString& clock, double sigmaS)
{
    const QString sigma = zeno::sigmaText(sigmaS);
    return sigma.isEmpty() ? clock : clock + QLatin1Char(' ') + sigma;
}

} // namespace

QLabel* panelDetailsLabel(QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QStringLiteral("LabelDetails"));
    label->setWordWrap(true);
    label->setTextFormat(Qt::RichText);
    label->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

void layOutPanel(QWidget* panel, QWidget* curve, QWidget* drawing, QLabel* details, QPushButton* curveButton,
                 QPushButton* drawingButton)
{
    auto* boutons = new QHBoxLayout;
    boutons->addWidget(curveButton);
    boutons->addWidget(drawingButton);
    boutons->addStretch(1);
    auto* colonne = new QVBoxLayout;
    colonne->addWidget(details, 1);
    colonne->addLayout(boutons);
    auto* rangee = new QHBoxLayout(panel);
    rangee->setContentsMargins(0, 0, 0, 0);
    rangee->addWidget(curve, 5);
    rangee->addWidget(drawing, 3);
    rangee->addLayout(colonne, 4);
}

MutualEventPanel::MutualEventPanel(const QLocale& locale, QWidget* parent) : QWidget(parent), locale_(locale)
{
    setObjectName(QStringLiteral("MutualEventPanel"));
    message = [this](const QString& texte) { QMessageBox::warning(this, tr("Phénomène mutuel"), texte); };
    choixFichier = [this](const QString& titre, const QString& nom, const QString& filtres) {
        return QFileDialog::getSaveFileName(this, titre, nom, filtres);
    };

    LabelDetails = panelDetailsLabel(this);
    Courbe = new LightCurveView(locale_, this);
    Disques = new MutualDiscsView(locale_, this);
    CommandCourbe = new QPushButton(tr("Exporter la &courbe…"), this);
    CommandCourbe->setObjectName(QStringLiteral("CommandCourbe"));
    CommandCourbe->setToolTip(tr("La courbe de lumière en image PNG, en dessin SVG ou en tableau CSV"));
    CommandDessin = new QPushButton(tr("Exporter le &dessin…"), this);
    CommandDessin->setObjectName(QStringLiteral("CommandDessin"));
    CommandDessin->setToolTip(tr("Le dessin des disques en image PNG ou en dessin SVG"));
    layOutPanel(this, Courbe, Disques, LabelDetails, CommandCourbe, CommandDessin);

    connect(CommandCourbe, &QPushButton::clicked, this, &MutualEventPanel::CommandCourbe_Click);
    connect(CommandDessin, &QPushButton::clicked, this, &MutualEventPanel::CommandDessin_Click);
}

void MutualEventPanel::setFlips(bool eastWest, bool northSouth)
{
    Disques->setFlips(eastWest, northSouth);
}

const std::vector<zeno::LightPoint>& MutualEventPanel::curve() const { return Courbe->curve(); }

void MutualEventPanel::setEvent(const zeno::MutualEvent& ev, std::optional<AtPlace> place)
{
    event_ = ev;
    Courbe->setCurve(ev, zeno::lightCurve(ev));
    Disques->setEvent(ev);

    const QString target = zeno::satelliteDisplayName(ev.target);
    const auto n = [this](double v, int decimals) { return locale_.toString(v, 'f', decimals); };
    QStringList lines;
    lines << QStringLiteral("<b>%1</b>").arg(mutualTitle(ev).toHtmlEscaped());
    lines << tr("Début %1 · maximum %2 · fin %3 TU, le %4")
                 .arg(utClock(double(ev.start)), withSigma(utClock(ev.maximumExact), ev.maxUtSigmaS), utClock(double(ev.end)),
                      zeno::dateTimeText(QDateTime(QDateTime::fromSecsSinceEpoch(ev.maximum, Qt::UTC).date(), QTime(0, 0), Qt::UTC), locale_));
    lines << tr("Durée %1 · paramètre d'impact %2 km").arg(durationText(ev.durationS), n(ev.impactKm, 0));
    lines << tr("Lumière perdue : %1 % de celle de %2 ; chute du couple %3 mag")
                 .arg(n(100 * ev.targetLightLost, 1), target, n(ev.magnitudeDrop, 3));
    lines << tr("Distance au limbe de Jupiter : %1 %2")
                 .arg(n(ev.limbDistance, 2), std::abs(ev.limbDistance) < 2 ? tr("rayon équatorial") : tr("rayons équatoriaux"));
    if (ev.targetInJupiterShadow)
        lines << tr("%1 est en même temps dans l'ombre de Jupiter").arg(target);
    if (ev.targetBehindJupiter)
        lines << tr("%1 est en même temps derrière Jupiter").arg(target);
    if (ev.targetInFrontOfJupiter)
        lines << tr("%1 passe en même temps devant le disque de Jupiter").arg(target);
    if (place)
        lines << tr("Au maximum : Jupiter à %1°, Soleil à %2° — %3")
                     .arg(n(place->jupiterAltDeg, 1), n(place->sunAltDeg, 1),
                          place->observable ? tr("<span style=\"color:#008000\">observable</span>")
                                            : tr("non observable"));
    lines << QStringLiteral("<i>%1</i>").arg(mutualTheoryNote().toHtmlEscaped());
    LabelDetails->setText(lines.join(QStringLiteral("<br>")));
}

QString MutualEventPanel::suggestedName(const QString& what) const
{
    return QStringLiteral("%1-%2-%3")
        .arg(what, event_.code(),
             QDateTime::fromSecsSinceEpoch(event_.maximum, Qt::UTC).toString(QStringLiteral("yyyyMMdd-HHmm")));
}

bool MutualEventPanel::said(const QString& fault)
{
    if (!fault.isEmpty())
        message(fault);
    return fault.isEmpty();
}

bool MutualEventPanel::exportCurve(const QString& path)
{
    const auto draw = [this](QPainter& p, const QRectF& area) {
        LightCurveView::paint(p, area, event_, Courbe->curve(), locale_);
    };
    return said(writeDrawing(path, kCurveExportSize, mutualTitle(event_), draw,
                             [this] { return zeno::lightCurveCsv(event_, Courbe->curve()); }));
}

bool MutualEventPanel::exportDiscs(const QString& path)
{
    const DiscsPicture picture = Disques->picture();
    const auto draw = [this, &picture](QPainter& p, const QRectF& area) {
        MutualDiscsView::paint(p, area, picture, locale_);
    };
    return said(writeDrawing(path, kDiscsExportSize, mutualTitle(event_), draw));
}

void MutualEventPanel::CommandCourbe_Click()
{
    const QString path = choixFichier(tr("Exporter la courbe de lumière"), suggestedName(tr("courbe")) + QStringLiteral(".png"),
                                      tr("Image PNG (*.png);;Dessin SVG (*.svg);;Tableau CSV (*.csv)"));
    if (!path.isEmpty())
        exportCurve(path);
}

void MutualEventPanel::CommandDessin_Click()
{
    const QString path = choixFichier(tr("Exporter le dessin des disques"), suggestedName(tr("disques")) + QStringLiteral(".png"),
                                      tr("Image PNG (*.png);;Dessin SVG (*.svg)"));
    if (!path.isEmpty())
        exportDiscs(path);
}
