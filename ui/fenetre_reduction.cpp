#include "fenetre_reduction.h"

#include "approximation_view.h"
#include "drawing_export.h"
#include "erreur.h"
#include "mutual_rows.h"
#include "reduction_plot.h"
#include "regional.h"
#include "safe_write.h"
#include "shared_state.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <cmath>

namespace {

constexpr int kImageWidth = 1200, kImageHeight = 800;   // exported plot, pixels (SVG: user units)
constexpr int kAucune = -1;                              // no uncertainty column

} // namespace

FenetreReduction::FenetreReduction(const QLocale& locale, QWidget* parent, const std::optional<zeno::MutualEvent>& event,
                                   SharedState* etat)
    : QDialog(parent), etat_(etat), locale_(locale)
{
    setObjectName(QStringLiteral("FenetreReduction"));
    setWindowTitle(tr("Réduire une observation"));
    resize(980, 720);
    choixOuverture = [this] {
        const QString dossier = settings::open()->value(QStringLiteral("reduction/dossier")).toString();
        return QFileDialog::getOpenFileName(this, tr("Courbe de lumière observée"), dossier,
                                            tr("Fichiers CSV ou texte (*.csv *.txt *.tsv *.dat);;Tous les fichiers (*)"));
    };
    choixEnregistrement = [this](const QString& nom, const QString& filtre) {
        return QFileDialog::getSaveFileName(this, tr("Exporter"), nom, filtre);
    };
    message = [this](const QString& texte) { QMessageBox::warning(this, tr("Réduire une observation"), texte); };

    const auto nomme = [](QWidget* w, const char* nom) { w->setObjectName(QString::fromLatin1(nom)); };
    TextCode = new QLineEdit(this);
    nomme(TextCode, "TextCode");
    TextCode->setMaximumWidth(60);
    TextCode->setToolTip(tr("Le phénomène, par exemple 1O2 (Io occulte Europe) ou 3E2 (Ganymède éclipse Europe), ou "
                            "l'approximation mutuelle, par exemple 1A2 (Io et Europe au plus près)"));
    TextDate = new QLineEdit(this);
    nomme(TextDate, "TextDate");
    TextDate->setToolTip(tr("Une date et une heure TU proches du maximum (à 24 h près)"));
    TextDate->setMinimumWidth(TextDate->fontMetrics().horizontalAdvance(QStringLiteral("00/00/0000 00:00:00")) + 16);
    CommandChercher = new QPushButton(tr("C&hercher"), this);
    nomme(CommandChercher, "CommandChercher");
    LabelPrevision = new QLabel(this);
    nomme(LabelPrevision, "LabelPrevision");
    LabelPrevision->setWordWrap(true);
    auto* ligneEvenement = new QHBoxLayout;
    ligneEvenement->addWidget(new QLabel(tr("Phénomène :"), this));
    ligneEvenement->addWidget(TextCode);
    ligneEvenement->addWidget(new QLabel(tr("vers (TU) :"), this));
    ligneEvenement->addWidget(TextDate);
    ligneEvenement->addWidget(CommandChercher);
    ligneEvenement->addWidget(LabelPrevision, 1);

    TextFichier = new QLineEdit(this);
    nomme(TextFichier, "TextFichier");
    TextFichier->setReadOnly(true);
    CommandFichier = new QPushButton(tr("&Fichier…"), this);
    nomme(CommandFichier, "CommandFichier");
    ComboTemps = new QComboBox(this);
    nomme(ComboTemps, "ComboTemps");
    ComboTemps->setToolTip(tr("Temps : Jours Juliens TU ou date-heure ISO TU"));
    ComboFlux = new QComboBox(this);
    nomme(ComboFlux, "ComboFlux");
    ComboIncertitude = new QComboBox(this);
    nomme(ComboIncertitude, "ComboIncertitude");
    ComboComparaison = new QComboBox(this);
    nomme(ComboComparaison, "ComboComparaison");
    ComboComparaison->setToolTip(tr("Le flux de comparaison (un troisième satellite) par lequel le flux est divisé"));
    CheckMagnitudes = new QCheckBox(tr("&Magnitudes"), this);
    nomme(CheckMagnitudes, "CheckMagnitudes");
    CheckMagnitudes->setToolTip(tr("La colonne des flux donne des magnitudes (converties en flux)"));
    auto* ligneFichier = new QHBoxLayout;
    ligneFichier->addWidget(new QLabel(tr("Courbe observée :"), this));
    ligneFichier->addWidget(TextFichier, 1);
    ligneFichier->addWidget(CommandFichier);
    auto* ligneColonnes = new QHBoxLayout;
    ligneColonnes->addWidget(new QLabel(tr("Temps :"), this));
    ligneColonnes->addWidget(ComboTemps, 1);
    ligneColonnes->addWidget(new QLabel(tr("Flux :"), this));
    ligneColonnes->addWidget(ComboFlux, 1);
    ligneColonnes->addWidget(CheckMagnitudes);
    ligneColonnes->addWidget(new QLabel(tr("Incertitude :"), this));
    ligneColonnes->addWidget(ComboIncertitude, 1);
    ligneColonnes->addWidget(new QLabel(tr("Comparaison :"), this));
    ligneColonnes->addWidget(ComboComparaison, 1);

    Graphique = new ReductionPlot(locale_, this);
    nomme(Graphique, "Graphique");
    LabelResultats = new QLabel(this);
    nomme(LabelResultats, "LabelResultats");
    LabelResultats->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    LabelResultats->setTextInteractionFlags(Qt::TextSelectableByMouse);
    LabelResultats->setMinimumWidth(260);
    GraphiqueApprox = new ApproximationView(ApproximationView::Distance, locale_, this);
    nomme(GraphiqueApprox, "GraphiqueApprox");
    GraphiqueApprox->setVisible(false);
    auto* milieu = new QHBoxLayout;
    milieu->addWidget(Graphique, 1);
    milieu->addWidget(GraphiqueApprox, 1);
    milieu->addWidget(LabelResultats);

    LabelEtat = new QLabel(this);
    nomme(LabelEtat, "LabelEtat");
    LabelEtat->setWordWrap(true);
    CommandExporterImage = new QPushButton(tr("Exporter l'&image…"), this);
    nomme(CommandExporterImage, "CommandExporterImage");
    CommandExporterRapport = new QPushButton(tr("Exporter le &rapport…"), this);
    nomme(CommandExporterRapport, "CommandExporterRapport");
    CommandFermer = new QPushButton(tr("Fermer"), this);
    nomme(CommandFermer, "CommandFermer");
    auto* ligneBoutons = new QHBoxLayout;
    ligneBoutons->addStretch(1);
    ligneBoutons->addWidget(CommandExporterImage);
    ligneBoutons->addWidget(CommandExporterRapport);
    ligneBoutons->addWidget(CommandFermer);

    auto* pile = new QVBoxLayout(this);
    pile->addLayout(ligneEvenement);
    pile->addLayout(ligneFichier);
    pile->addLayout(ligneColonnes);
    pile->addLayout(milieu, 1);
    pile->addWidget(LabelEtat);
    pile->addLayout(ligneBoutons);

    connect(CommandChercher, &QPushButton::clicked, this, &FenetreReduction::CommandChercher_Click);
    connect(TextDate, &QLineEdit::returnPressed, this, &FenetreReduction::CommandChercher_Click);
    connect(CommandFichier, &QPushButton::clicked, this, &FenetreReduction::CommandFichier_Click);
    for (QComboBox* c : {ComboTemps, ComboFlux, ComboIncertitude, ComboComparaison})
        connect(c, &QComboBox::activated, this, &FenetreReduction::Colonnes_Change);
    connect(CheckMagnitudes, &QCheckBox::clicked, this, &FenetreReduction::Colonnes_Change);
    connect(CommandExporterImage, &QPushButton::clicked, this, &FenetreReduction::CommandExporterImage_Click);
    connect(CommandExporterRapport, &QPushButton::clicked, this, &FenetreReduction::CommandExporterRapport_Click);
    connect(CommandFermer, &QPushButton::clicked, this, &QDialog::close);
    CommandFermer->setAutoDefault(false);
    CommandChercher->setAutoDefault(false);
    setAcceptDrops(true);

    if (etat_)
        connect(etat_, &SharedState::observerChanged, this, &FenetreReduction::reduit);
    if (event)
        setEvenement(*event);
    else
        reduit();
}

void FenetreReduction::setEvenement(const zeno::MutualEvent& event)
{
    approx_.reset();
    GraphiqueApprox->setVisible(false);
    Graphique->setVisible(true);
    event_ = event;
    TextCode->setText(event.code());
    TextDate->setText(zeno::mutualUtText(event.maximumExact));
    if (courbe_.datesFromEvent) {   // the file's times took the date of the event before
        zeno::ObservedCurve c = zeno::loadObservedCurve(chemin_, colonnesChoisies());
        if (c.error.isEmpty())
            courbe_ = std::move(c);
    }
    reduit();
}

void FenetreReduction::CommandChercher_Click()
{
    const auto code = zeno::parseMutualCode(TextCode->text());
    const bool approximation = zeno::parseApproximationCode(TextCode->text()).has_value();
    if (!code && !approximation) {
        message(tr("Phénomène illisible « %1 » : un chiffre de 1 à 4, O (occultation) ou E (éclipse), un autre "
                   "chiffre (1 Io, 2 Europe, 3 Ganymède, 4 Callisto), par exemple 1O2 — champ « Phénomène »")
                    .arg(TextCode->text()));
        return;
    }
    QDateTime ut;
    try {
        ut = zeno::readDateTime(TextDate->text(), locale_);
    } catch (const zeno::ErreurExecution& e) {
        message(tr("Date illisible : %1 — champ « vers (TU) »").arg(e.texte()));
        return;
    }
    ut.setTimeSpec(Qt::UTC);
    if (approximation) {
        chercheApproximation(ut);
        return;
    }
    const auto ev = zeno::findMutualEvent(*code, ut.toSecsSinceEpoch());
    if (!ev) {
        message(tr("Aucun phénomène %1 à moins de 24 h du %2 TU.").arg(TextCode->text().trimmed().toUpper(), TextDate->text()));
        return;
    }
    setEvenement(*ev);
}

void FenetreReduction::CommandFichier_Click()
{
    const QString chemin = choixOuverture();
    if (!chemin.isEmpty())
        chargeFichier(chemin);
}

bool FenetreReduction::chargeFichier(const QString& chemin)
{
    if (approx_)
        return chargePiste(chemin);
    return chargeExport(chemin);
}

void FenetreReduction::dragEnterEvent(QDragEnterEvent* event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (!urls.isEmpty() && urls.front().isLocalFile())
        event->acceptProposedAction();
}

void FenetreReduction::dropEvent(QDropEvent* event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.isEmpty() || !urls.front().isLocalFile())
        return;
    event->acceptProposedAction();
    chargeFichier(urls.front().toLocalFile());
}

bool FenetreReduction::chargeExport(const QString& chemin)
{
    zeno::CurveColumns dates;
    if (event_)
        dates.dateNearUt = event_->maximumExact;
    zeno::ObservedCurve c = zeno::loadObservedCurve(chemin, dates);
    if (!c.error.isEmpty()) {
        message(tr("Courbe de lumière illisible « %1 » : %2").arg(QFileInfo(chemin).fileName(), c.error));
        return false;
    }
    chemin_ = chemin;
    courbe_ = std::move(c);
    settings::open()->setValue(QStringLiteral("reduction/dossier"), QFileInfo(chemin).absolutePath());
    TextFichier->setText(chemin);
    remplitColonnes();
    if (!event_) {   // the event the file's times hold, when none was chosen
        if (const auto ev = zeno::mutualEventDuring(courbe_.points)) {
            setEvenement(*ev);
            return true;
        }
    }
    reduit();
    return true;
}

// The combos show the file's columns and the ones read.
void FenetreReduction::remplitColonnes()
{
    const QSignalBlocker a(ComboTemps), b(ComboFlux), c(ComboIncertitude), d(CheckMagnitudes), e(ComboComparaison);
    ComboTemps->clear();
    ComboFlux->clear();
    ComboIncertitude->clear();
    ComboComparaison->clear();
    ComboIncertitude->addItem(tr("(aucune)"), kAucune);
    ComboComparaison->addItem(tr("(aucune)"), kAucune);
    for (int i = 0; i < courbe_.columnNames.size(); ++i) {
        const QString nom = courbe_.hasHeader ? QStringLiteral("%1 : %2").arg(i + 1).arg(courbe_.columnNames[i])
                                              : tr("colonne %1").arg(i + 1);
        ComboTemps->addItem(nom, i);
        ComboFlux->addItem(nom, i);
        ComboIncertitude->addItem(nom, i);
        ComboComparaison->addItem(nom, i);
    }
    ComboTemps->setCurrentIndex(courbe_.timeColumn);
    ComboFlux->setCurrentIndex(courbe_.fluxColumn);
    ComboIncertitude->setCurrentIndex(courbe_.sigmaColumn + 1);
    ComboComparaison->setCurrentIndex(courbe_.comparisonColumn + 1);
    CheckMagnitudes->setChecked(courbe_.magnitudes);
}

void FenetreReduction::Colonnes_Change()
{
    if (chemin_.isEmpty() || approx_)
        return;
    zeno::ObservedCurve c = zeno::loadObservedCurve(chemin_, colonnesChoisies());
    if (!c.error.isEmpty()) {
        message(tr("Ces colonnes ne donnent pas de courbe de lumière : %1").arg(c.error));
        remplitColonnes();   // back to the columns of the curve shown
        return;
    }
    courbe_ = std::move(c);
    reduit();
}

zeno::CurveColumns FenetreReduction::colonnesChoisies() const
{
    zeno::CurveColumns choix;
    choix.time = ComboTemps->currentData().toInt();
    choix.flux = ComboFlux->currentData().toInt();
    choix.sigma = ComboIncertitude->currentData().toInt();
    choix.comparison = ComboComparaison->currentData().toInt();
    choix.magnitudes = CheckMagnitudes->isChecked();
    if (event_)
        choix.dateNearUt = event_->maximumExact;
    return choix;
}

std::optional<zeno::Site> FenetreReduction::lieu() const
{
    const settings::Observer o = etat_ ? etat_->observer() : settings::readObserver();
    return o.siteSet ? std::optional<zeno::Site>(o.site) : std::nullopt;
}

void FenetreReduction::reduit()
{
    fit_ = {};
    prevu_ = event_;   // seen from the place when it is known: parallax moves the minimum by seconds
    if (const auto site = lieu(); event_ && site)
        if (const auto vu = zeno::seenFrom(*event_, *site))
            prevu_ = vu;
    if (prevu_ && !courbe_.points.empty())
        fit_ = zeno::fitLightCurve(*prevu_, courbe_.points);
    ReductionPlotData d;
    d.hasEvent = prevu_.has_value();
    if (prevu_)
        d.event = *prevu_;
    d.points = courbe_.points;
    d.fit = fit_;
    Graphique->setData(std::move(d));
    afficheResultats();
}

void FenetreReduction::afficheResultats()
{
    if (approx_) {
        afficheApproximation();
        return;
    }
    const auto nombre = [this](double v, int decimales) {
        return std::isfinite(v) ? locale_.toString(v, 'f', decimales) : tr("indéterminé");
    };
    if (prevu_)
        LabelPrevision->setText(tr("%1 (%2, %3) : début %4, maximum %5, fin %6 TU ; chute prévue %7 mag ; %8")
                                    .arg(prevu_->code(), mutualTypeWord(*prevu_), mutualKindWord(*prevu_), zeno::mutualUtText(double(prevu_->start)),
                                         zeno::mutualUtText(prevu_->maximumExact), zeno::mutualUtText(double(prevu_->end)),
                                         nombre(prevu_->magnitudeDrop, 3),
                                         prevu_->site ? tr("vu du lieu d'observation (topocentrique)") : tr("géocentrique : lieu d'observation non réglé")));
    else
        LabelPrevision->setText(tr("Donnez le phénomène (code et date TU), puis « Chercher »."));

    QStringList etat;
    if (!chemin_.isEmpty()) {
        etat << tr("%1 lignes lues dans « %2 » (%3).").arg(courbe_.rows).arg(QFileInfo(chemin_).fileName(), zeno::readingText(courbe_));
        if (courbe_.badRows > 0)
            etat << zeno::badRowsText(courbe_) + QStringLiteral(".");
        if (fit_.outsideWindow > 0)
            etat << tr("%1 points hors de la fenêtre du phénomène non utilisés.").arg(fit_.outsideWindow);
    }
    if (!fit_.error.isEmpty())
        etat << tr("Réduction impossible : %1.").arg(fit_.error);
    if (!fit_.failure.isEmpty())
        etat << tr("Échec : %1.").arg(fit_.failure);
    for (const QString& w : fit_.warnings)
        etat << tr("Attention : %1.").arg(w);
    LabelEtat->setText(etat.join(u' '));

    const bool ok = fit_.converged;
    CommandExporterRapport->setEnabled(ok);
    CommandExporterImage->setEnabled(prevu_.has_value() || !courbe_.points.empty());
    LabelResultats->setWordWrap(!ok);   // a sentence wraps; the table keeps its lines
    if (!ok) {
        LabelResultats->setText(fit_.points > 0 ? tr("<b>L'ajustement n'a pas convergé.</b>")
                                                : tr("Pas encore de résultat : choisissez le phénomène et le fichier "
                                                     "de votre courbe de lumière (« Fichier… »)."));
        return;
    }
    const auto ligne = [](const QString& nom, const QString& valeur) {
        return QStringLiteral("<tr><td>%1</td><td align=\"right\"><b>%2</b></td></tr>").arg(nom, valeur);
    };
    QString t = QStringLiteral("<table cellspacing=\"4\">");
    t += ligne(tr("Maximum prévu (TU)"), zeno::utTextTenths(prevu_->maximumExact));
    t += ligne(tr("Maximum observé (TU)"), zeno::utTextTenths(fit_.observedMaxUt));
    t += ligne(tr("Incertitude (1 σ)"), tr("%1 s").arg(nombre(fit_.shiftSigmaS, 1)));
    t += ligne(tr("O−C"), tr("%1%2 s").arg(fit_.shiftS >= 0 ? QStringLiteral("+") : QString(), nombre(fit_.shiftS, 1)));
    t += ligne(tr("Profondeur observée"), tr("%1 ± %2").arg(nombre(fit_.depth, 3), nombre(fit_.depthSigma, 3)));
    t += ligne(tr("Chute observée"), tr("%1 mag (prévue %2)").arg(nombre(fit_.magnitudeDrop, 3), nombre(prevu_->magnitudeDrop, 3)));
    t += ligne(tr("Paramètre d'impact"), tr("%1 ± %2 km").arg(nombre(fit_.impactKm, 0), nombre(fit_.impactSigmaKm, 0)));
    t += ligne(tr("Prévu"), tr("%1 km").arg(nombre(prevu_->impactKm, 0)));
    t += ligne(tr("χ² réduit"), nombre(fit_.reducedChi2, fit_.weighted ? 2 : 6));
    t += ligne(tr("Points"), QString::number(fit_.points));
    t += QStringLiteral("</table>");
    if (!fit_.weighted)
        t += tr("<p>Sans incertitudes dans le fichier : poids égaux, incertitudes tirées de la dispersion.</p>");
    LabelResultats->setText(t);
}

QString FenetreReduction::rapport() const
{
    if (approx_)
        return rapportApproximation();
    if (!prevu_)
        return {};
    const settings::Observer o = settings::readObserver();
    const std::optional<zeno::Site> site = lieu();
    return zeno::reductionReport(*prevu_, courbe_, fit_, QFileInfo(chemin_).fileName(), site ? &*site : nullptr);
}

bool FenetreReduction::ecrit(const QString& chemin, const QByteArray& donnees)
{
    const QString faute = donnees.isEmpty() ? tr("Le dessin n'a pas pu être produit pour « %1 ».").arg(chemin)
                                            : zeno::writeWhole(chemin, donnees);
    if (!faute.isEmpty()) {
        message(faute);
        return false;
    }
    LabelEtat->setText(tr("Écrit : « %1 ».").arg(chemin));
    return true;
}

bool FenetreReduction::exporteImage(const QString& chemin)
{
    const ReductionPlotData& d = Graphique->data();
    const auto dessin = [&](QPainter& p, const QRectF& zone) {
        if (approx_)
            ApproximationView::paintDistance(p, zone, GraphiqueApprox->picture(), locale_);
        else
            paintReductionPlot(p, zone, d, locale_);
    };
    const QSize taille(kImageWidth, kImageHeight);
    return ecrit(chemin, chemin.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive) ? svgOf(taille, windowTitle(), dessin)
                                                                                       : pngOf(taille, dessin));
}

bool FenetreReduction::exporteRapport(const QString& chemin)
{
    const bool converged = approx_ ? approxFit_.converged : fit_.converged;
    if (!converged) {
        const QString why = approx_ ? (approxFit_.error.isEmpty() ? approxFit_.failure : approxFit_.error)
                                    : (fit_.error.isEmpty() ? fit_.failure : fit_.error);
        message(tr("Pas de réduction à exporter : %1").arg(why));
        return false;
    }
    return ecrit(chemin, rapport().toUtf8());
}

void FenetreReduction::CommandExporterImage_Click()
{
    const QString chemin = choixEnregistrement(nomExport(QStringLiteral(".png")), tr("Image PNG (*.png);;Image SVG (*.svg)"));
    if (!chemin.isEmpty())
        exporteImage(chemin);
}

void FenetreReduction::CommandExporterRapport_Click()
{
    if (!event_ && !approx_)
        return;
    const QString chemin = choixEnregistrement(nomExport(QStringLiteral("_reduction.txt")), tr("Texte (*.txt);;Tous les fichiers (*)"));
    if (!chemin.isEmpty())
        exporteRapport(chemin);
}

// "1O2_20150202.png", "1A2_20260301_reduction.txt": the event's or the approximation's code and day.
QString FenetreReduction::nomExport(const QString& suffixe) const
{
    const auto jour = [](double ut) {
        return QDateTime::fromSecsSinceEpoch(std::llround(ut), Qt::UTC).toString(QStringLiteral("yyyyMMdd"));
    };
    if (approx_)
        return approx_->code() + u'_' + jour(approx_->centralUt) + suffixe;
    if (event_)
        return event_->code() + u'_' + jour(double(event_->maximum)) + suffixe;
    return QStringLiteral("courbe") + suffixe;
}
