#include "fenetre_reduction.h"

#include "approximation_view.h"
#include "drawing_export.h"
#include "erreur.h"
#include "mutual_rows.h"
#include "recording_timing_dialog.h"
#include "recording_view.h"
#include "reduction_plot.h"
#include "regional.h"
#include "safe_write.h"
#include "scene_frame.h"
#include "shared_state.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCollator>
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
#include <QMimeData>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTimer>
#include <QVBoxLayout>
#include <QtConcurrent>

#include <cmath>

namespace {

constexpr int kImageWidth = 1200, kImageHeight = 800;   // exported plot, pixels (SVG: user units)
constexpr int kAucune = -1;                              // no uncertainty column
constexpr double kCadenceParDefaut = 25;                 // frames per second the dialog offers when the file states none

// The measured curve's columns as the window holds them (frame,ut,pair_flux,comparison_flux,relative_flux).
constexpr int kColonneTemps = 1, kColonneFlux = 4;

QStringList cheminsDeposes(const QMimeData* d)
{
    QStringList c;
    if (d && d->hasUrls())
        for (const QUrl& u : d->urls())
            if (u.isLocalFile())
                c << u.toLocalFile();
    return c;
}

// The naming and the measurement of a recording, run on a worker thread:
// result 0 the naming (shown at once), result 1 the measurement.
void mesureEnregistrement(QPromise<zeno::CurveMeasurement>& promesse, std::shared_ptr<zeno::RecordingReader> lecteur,
                          zeno::MeasureOptions options, std::shared_ptr<std::atomic<bool>> annulation)
{
    zeno::CurveMeasurement nommage = zeno::identifySatellites(*lecteur, options);
    const bool echec = !nommage.error.isEmpty();
    promesse.addResult(std::move(nommage));
    if (echec)
        return;
    int etendue = -1;
    const auto progres = [&](int fait, int total) {
        if (total != etendue)
            promesse.setProgressRange(0, etendue = total);
        promesse.setProgressValue(fait);
        return !annulation->load();
    };
    promesse.addResult(zeno::measureRecording(*lecteur, options, progres, annulation.get()));
}

} // namespace

FenetreReduction::FenetreReduction(const QLocale& locale, QWidget* parent, const std::optional<zeno::MutualEvent>& event,
                                   SharedState* etat)
    : QDialog(parent), etat_(etat), locale_(locale)
{
    setObjectName(QStringLiteral("FenetreReduction"));
    setWindowTitle(tr("Réduire une observation"));
    resize(980, 720);
    setAcceptDrops(true);
    choixOuverture = [this] {
        const QString dossier = settings::open()->value(QStringLiteral("reduction/dossier")).toString();
        return QFileDialog::getOpenFileNames(
            this, tr("Courbe de lumière observée ou enregistrement"), dossier,
            tr("Courbes et enregistrements (*.csv *.txt *.tsv *.dat *.ser *.fits *.fit *.fts *.avi *.mp4 *.mov *.mkv);;"
               "Fichiers CSV ou texte (*.csv *.txt *.tsv *.dat);;"
               "Enregistrements SER, FITS ou vidéo (*.ser *.fits *.fit *.fts *.avi *.mp4 *.mov *.mkv);;"
               "Tous les fichiers (*)"));
    };
    choixHoraire = [this](const zeno::RecordingInfo& info) -> std::optional<zeno::RecordingTiming> {
        const double debut = event_    ? double(event_->start)
                             : approx_ ? approx_->centralUt - zeno::approximationHalfWidthS(*approx_)
                                       : double(QDateTime::currentSecsSinceEpoch());
        DialogueHoraire d(info, debut, info.fileFps > 0 ? info.fileFps : kCadenceParDefaut, locale_, this);
        if (d.exec() != QDialog::Accepted)
            return std::nullopt;
        return d.resultat();
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
    TextFichier->setPlaceholderText(tr("Un fichier CSV ou un enregistrement SER, FITS, AVI, MP4 (ou déposez-le sur la fenêtre)"));
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
    auto* bas = new QWidget(this);
    auto* milieu = new QHBoxLayout(bas);
    milieu->setContentsMargins(0, 0, 0, 0);
    milieu->addWidget(Graphique, 1);
    GraphiqueApprox = new ApproximationView(ApproximationView::Distance, locale_, this);
    nomme(GraphiqueApprox, "GraphiqueApprox");
    GraphiqueApprox->setVisible(false);
    milieu->addWidget(GraphiqueApprox, 1);
    // With a recording's lines the results may outgrow the plot's height.
    auto* defilement = new QScrollArea(this);
    defilement->setWidget(LabelResultats);
    defilement->setWidgetResizable(true);
    defilement->setFrameShape(QFrame::NoFrame);
    defilement->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    defilement->setMinimumWidth(LabelResultats->minimumWidth() + defilement->verticalScrollBar()->sizeHint().width());
    milieu->addWidget(defilement);
    VueEnregistrement = new RecordingView(locale_, this);
    nomme(VueEnregistrement, "VueEnregistrement");
    VueEnregistrement->hide();
    Separation = new QSplitter(Qt::Vertical, this);
    nomme(Separation, "Separation");
    Separation->addWidget(VueEnregistrement);
    Separation->addWidget(bas);
    Separation->setChildrenCollapsible(false);

    BarreMesure = new QProgressBar(this);
    nomme(BarreMesure, "BarreMesure");
    BarreMesure->setFormat(tr("%v images sur %m"));
    CommandAnnuler = new QPushButton(tr("Annuler"), this);
    nomme(CommandAnnuler, "CommandAnnuler");
    CommandAnnuler->setAutoDefault(false);
    auto* ligneMesure = new QHBoxLayout;
    ligneMesure->addWidget(BarreMesure, 1);
    ligneMesure->addWidget(CommandAnnuler);
    BarreMesure->hide();
    CommandAnnuler->hide();

    LabelEtat = new QLabel(this);
    nomme(LabelEtat, "LabelEtat");
    LabelEtat->setWordWrap(true);
    CommandExporterImage = new QPushButton(tr("Exporter l'&image…"), this);
    nomme(CommandExporterImage, "CommandExporterImage");
    CommandExporterRapport = new QPushButton(tr("Exporter le &rapport…"), this);
    nomme(CommandExporterRapport, "CommandExporterRapport");
    CommandFermer = new QPushButton(tr("Fermer"), this);
    nomme(CommandFermer, "CommandFermer");
    CommandEnregistrerCourbe = new QPushButton(this);   // its text: the curve's or the track's (resultatsEnregistrement)
    nomme(CommandEnregistrerCourbe, "CommandEnregistrerCourbe");
    CommandEnregistrerCourbe->hide();
    auto* ligneBoutons = new QHBoxLayout;
    ligneBoutons->addWidget(CommandEnregistrerCourbe);
    ligneBoutons->addStretch(1);
    ligneBoutons->addWidget(CommandExporterImage);
    ligneBoutons->addWidget(CommandExporterRapport);
    ligneBoutons->addWidget(CommandFermer);

    auto* pile = new QVBoxLayout(this);
    pile->addLayout(ligneEvenement);
    pile->addLayout(ligneFichier);
    pile->addLayout(ligneColonnes);
    pile->addWidget(Separation, 1);
    pile->addLayout(ligneMesure);
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
    connect(CommandAnnuler, &QPushButton::clicked, this, &FenetreReduction::CommandAnnuler_Click);
    connect(CommandEnregistrerCourbe, &QPushButton::clicked, this, &FenetreReduction::CommandEnregistrerCourbe_Click);
    CommandFermer->setAutoDefault(false);
    CommandChercher->setAutoDefault(false);

    if (etat_)
        connect(etat_, &SharedState::observerChanged, this, &FenetreReduction::reduit);
    if (event)
        setEvenement(*event);
    else
        reduit();
}

FenetreReduction::~FenetreReduction()
{
    arreteMesure();
}

void FenetreReduction::setEvenement(const zeno::MutualEvent& event)
{
    approx_.reset();
    GraphiqueApprox->setVisible(false);
    Graphique->setVisible(true);
    event_ = event;
    TextCode->setText(event.code());
    TextDate->setText(zeno::mutualUtText(event.maximumExact, locale_));
    // A recording measured for another pair, or not measured, is measured again for this one.
    if (!enregistrement_.isEmpty()
        && (!mesure_ || !mesure_->error.isEmpty() || mesure_->approximation || mesure_->first != event.occulter
            || mesure_->second != event.target)) {
        courbe_ = {};
        lanceMesure();
    } else if (courbe_.datesFromEvent) {   // the file's times took the date of the event before
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
    const QStringList chemins = choixOuverture();
    if (!chemins.isEmpty())
        ouvre(chemins);
}

// One file or folder; several: the FITS files of a sequence, in their names' order.
bool FenetreReduction::ouvre(const QStringList& fichiers)
{
    if (fichiers.size() <= 1)
        return !fichiers.isEmpty() && chargeFichier(fichiers.first());
    for (const QString& f : fichiers)
        if (QFileInfo(f).isDir() || !zeno::isRecordingPath(f)) {
            message(tr("« %1 » n'est pas une image FITS : choisissez un seul fichier (courbe CSV ou enregistrement), "
                       "ou plusieurs fichiers FITS d'une séquence (une image par fichier).")
                        .arg(QFileInfo(f).fileName()));
            return false;
        }
    QStringList ordre = fichiers;
    QCollator c;
    c.setNumericMode(true);
    std::sort(ordre.begin(), ordre.end(), [&c](const QString& a, const QString& b) { return c.compare(a, b) < 0; });
    return chargeEnregistrement(ordre);
}

bool FenetreReduction::chargeFichier(const QString& chemin)
{
    if (zeno::isRecordingPath(chemin))
        return chargeEnregistrement({chemin});
    if (approx_)
        return chargePiste(chemin);
    return chargeExport(chemin);
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
    oublieEnregistrement();
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
    if (chemin_.isEmpty() || !enregistrement_.isEmpty() || approx_)
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

bool FenetreReduction::chargeEnregistrement(const QStringList& fichiers)
{
    if (fichiers.isEmpty())
        return false;
    const QString nom = QFileInfo(fichiers.first()).fileName();
    const auto ouvreAvec = [&fichiers](const zeno::RecordingTiming& h) {
        return fichiers.size() > 1 ? zeno::openFitsSequence(fichiers, h) : zeno::openRecording(fichiers.first(), h);
    };
    zeno::OpenedRecording r = ouvreAvec({});
    zeno::RecordingTiming horaire;
    if (r.reader && !r.reader->info().timesFromFile) {
        const auto h = choixHoraire(r.reader->info());
        if (!h) {
            LabelEtat->setText(tr("« %1 » n'est pas ouvert : sans l'heure TU de sa première image et sa cadence, ses "
                                  "images n'ont pas d'heure.").arg(nom));
            return false;
        }
        horaire = *h;
        r = ouvreAvec(horaire);
    }
    if (!r.reader) {
        message(tr("Enregistrement illisible : %1").arg(r.error));
        return false;
    }
    arreteMesure();
    enregistrement_ = fichiers;
    horaire_ = horaire;
    lecteur_ = std::move(r.reader);
    chemin_ = fichiers.first();
    courbe_ = {};
    courbe_.columnNames = {QStringLiteral("frame"), QStringLiteral("ut"), QStringLiteral("pair_flux"),
                           QStringLiteral("comparison_flux"), QStringLiteral("relative_flux")};
    courbe_.hasHeader = true;
    courbe_.timeColumn = kColonneTemps;
    courbe_.fluxColumn = kColonneFlux;
    mesure_.reset();
    piste_ = {};
    settings::open()->setValue(QStringLiteral("reduction/dossier"), QFileInfo(chemin_).absolutePath());
    TextFichier->setText(fichiers.size() > 1 ? tr("%1 (séquence de %2 images FITS)").arg(chemin_).arg(fichiers.size()) : chemin_);
    for (QComboBox* c : {ComboTemps, ComboFlux, ComboIncertitude, ComboComparaison}) {
        c->clear();
        c->setEnabled(false);
    }
    CheckMagnitudes->setChecked(false);
    CheckMagnitudes->setEnabled(false);
    VueEnregistrement->setReader(lecteur_.get());
    if (VueEnregistrement->isHidden()) {
        VueEnregistrement->show();
        // Room for the frame and the curves above the fit, within the screen.
        const QRect ecran = screen() ? screen()->availableGeometry() : QRect(0, 0, 1280, 960);
        resize(std::max(width(), std::min(1180, ecran.width() - 40)), std::max(height(), std::min(980, ecran.height() - 60)));
    }
    lanceMesure();
    reduit();
    return true;
}

bool FenetreReduction::mesureEnCours() const { return veilleur_ != nullptr; }

void FenetreReduction::lanceMesure()
{
    arreteMesure();
    mesure_.reset();
    VueEnregistrement->setMeasurement(nullptr);
    // The measurement's own reader: the slider keeps reading lecteur_ on this thread.
    zeno::OpenedRecording r = enregistrement_.size() > 1 ? zeno::openFitsSequence(enregistrement_, horaire_)
                                                         : zeno::openRecording(enregistrement_.first(), horaire_);
    if (!r.reader) {
        message(tr("Enregistrement illisible : %1").arg(r.error));
        return;
    }
    annulation_ = std::make_shared<std::atomic<bool>>(false);
    zeno::MeasureOptions options;
    options.event = event_;
    if (approx_)
        options.approximation = std::pair(approx_->first, approx_->second);
    auto* veilleur = new QFutureWatcher<zeno::CurveMeasurement>(this);
    veilleur_ = veilleur;
    connect(veilleur, &QFutureWatcherBase::progressRangeChanged, BarreMesure, &QProgressBar::setRange);
    connect(veilleur, &QFutureWatcherBase::progressValueChanged, BarreMesure, &QProgressBar::setValue);
    connect(veilleur, &QFutureWatcherBase::resultReadyAt, this, [this, veilleur](int i) {
        if (i != 0)
            return;
        auto nommage = std::make_shared<const zeno::CurveMeasurement>(veilleur->resultAt(0));
        if (nommage->error.isEmpty())
            VueEnregistrement->setMeasurement(std::move(nommage));
    });
    connect(veilleur, &QFutureWatcherBase::finished, this, [this, veilleur] { finMesure(veilleur); });
    BarreMesure->setRange(0, 0);   // busy until the naming is done
    BarreMesure->show();
    CommandAnnuler->setEnabled(true);
    CommandAnnuler->show();
    veilleur->setFuture(QtConcurrent::run(mesureEnregistrement, std::shared_ptr<zeno::RecordingReader>(std::move(r.reader)),
                                          options, annulation_));
}

// Stops the measurement running, without its result (a new one, or the window closed).
void FenetreReduction::arreteMesure()
{
    if (!veilleur_)
        return;
    *annulation_ = true;
    veilleur_->disconnect();
    veilleur_->waitForFinished();
    veilleur_->deleteLater();
    veilleur_ = nullptr;
    BarreMesure->hide();
    CommandAnnuler->hide();
}

void FenetreReduction::CommandAnnuler_Click()
{
    if (!veilleur_)
        return;
    *annulation_ = true;   // the worker stops at its next frame and gives what it measured
    CommandAnnuler->setEnabled(false);
    LabelEtat->setText(tr("Arrêt de la mesure…"));
}

void FenetreReduction::finMesure(QFutureWatcher<zeno::CurveMeasurement>* veilleur)
{
    if (veilleur != veilleur_)
        return;
    veilleur_ = nullptr;
    veilleur->deleteLater();
    BarreMesure->hide();
    CommandAnnuler->hide();
    const QFuture<zeno::CurveMeasurement> f = veilleur->future();
    zeno::CurveMeasurement m;
    if (f.resultCount() > 0)
        m = f.resultAt(f.resultCount() - 1);
    else
        m.error = tr("la mesure s'est arrêtée sans résultat");
    mesure_ = std::make_shared<const zeno::CurveMeasurement>(std::move(m));
    VueEnregistrement->setMeasurement(mesure_);
    courbe_.points.clear();
    courbe_.rows = mesure_->framesRead;
    if (approx_) {
        mesureApproximation();
        emit mesureTerminee();
        return;
    }
    if (mesure_->error.isEmpty() && !mesure_->cancelled) {
        courbe_.points = zeno::measuredPoints(*mesure_);
        if (!event_) {
            setEvenement(mesure_->event);
            emit mesureTerminee();
            return;
        }
    }
    reduit();
    if (!mesure_->error.isEmpty())
        message(tr("Mesure impossible de « %1 » : %2").arg(QFileInfo(chemin_).fileName(), mesure_->error));
    emit mesureTerminee();
}

void FenetreReduction::oublieEnregistrement()
{
    arreteMesure();
    enregistrement_.clear();
    horaire_ = {};
    mesure_.reset();
    VueEnregistrement->setReader(nullptr);
    VueEnregistrement->hide();
    lecteur_.reset();
    CommandEnregistrerCourbe->hide();
    for (QComboBox* c : {ComboTemps, ComboFlux, ComboIncertitude, ComboComparaison})
        c->setEnabled(true);
    CheckMagnitudes->setEnabled(true);
}

void FenetreReduction::CommandEnregistrerCourbe_Click()
{
    if (!mesure_ || mesure_->frames.empty())
        return;
    const QFileInfo source(chemin_);
    const bool piste = mesure_->approximation;   // an approximation's track, read back as a track file
    const QString chemin = choixEnregistrement(
        source.absoluteDir().filePath(source.completeBaseName() + (piste ? QStringLiteral("_piste.csv") : QStringLiteral("_courbe.csv"))),
        tr("Fichiers CSV (*.csv);;Tous les fichiers (*)"));
    if (chemin.isEmpty())
        return;
    const QString faute = zeno::writeWhole(chemin, (piste ? zeno::measuredTrackCsv : zeno::measuredCurveCsv)(*mesure_, source.fileName()).toUtf8());
    if (!faute.isEmpty()) {
        message(faute);
        return;
    }
    LabelEtat->setText(tr("Écrit : « %1 ».").arg(chemin));
}

void FenetreReduction::dragEnterEvent(QDragEnterEvent* e)
{
    if (!cheminsDeposes(e->mimeData()).isEmpty())
        e->acceptProposedAction();
}

void FenetreReduction::dropEvent(QDropEvent* e)
{
    const QStringList chemins = cheminsDeposes(e->mimeData());
    if (chemins.isEmpty())
        return;
    e->acceptProposedAction();
    // Read once the drop is over: a message or the timing dialog must not hold the source's drag.
    QTimer::singleShot(0, this, [this, chemins] { ouvre(chemins); });
}

void FenetreReduction::closeEvent(QCloseEvent* e)
{
    if (mesureEnCours()) {
        arreteMesure();
        LabelEtat->setText(tr("Mesure arrêtée : la fenêtre a été fermée."));
    }
    QDialog::closeEvent(e);
}

// The recording's lines of the results and of the report: what it is, the
// pair and the comparison, the frames kept, how the satellites were named.
QList<std::pair<QString, QString>> FenetreReduction::lignesEnregistrement(const std::function<QString(double, int)>& nombre) const
{
    QList<std::pair<QString, QString>> l;
    if (!lecteur_)
        return l;
    l.append({tr("Enregistrement"), lecteur_->info().description});
    if (!mesure_ || !mesure_->error.isEmpty())
        return l;
    const zeno::CurveMeasurement& m = *mesure_;
    const QString comparaison = m.comparison >= 0 ? zeno::satelliteDisplayName(m.comparison) : tr("aucune");
    if (m.approximation)
        l.append({tr("Mesure"), tr("centres de %1 et %2 suivis image par image")
                                    .arg(zeno::satelliteDisplayName(m.first), zeno::satelliteDisplayName(m.second))});
    else
        l.append({tr("Mesure"), tr("couple %1 + %2, comparaison %3").arg(zeno::satelliteDisplayName(m.first),
                                                                           zeno::satelliteDisplayName(m.second), comparaison)});
    const QString ecartees = zeno::droppedFramesText(m);
    l.append({tr("Images"), tr("%1 lues, %2 gardées ; %3")
                                .arg(m.framesRead)
                                .arg(m.frames.size())
                                .arg(ecartees.isEmpty() ? tr("aucune écartée") : ecartees)});
    const zeno::Identification& id = m.identification;
    QStringList trouves;
    for (int k = 0; k < 4; ++k)
        if (id.found[k])
            trouves << zeno::satelliteDisplayName(k);
    l.append({tr("Identification"),
              tr("%1 px par rayon de Jupiter, rotation %2°, %3, écart quadratique %4 px ; %5 sources, nommées : %6")
                  .arg(nombre(id.pixelsPerJupiterRadius, 2), nombre(id.rotationDeg, 1),
                       id.flipped ? tr("image retournée") : tr("image non retournée"), nombre(id.rmsPx, 2))
                  .arg(id.sources)
                  .arg(trouves.join(QStringLiteral(", ")))});
    if (m.cancelled)
        l.append({tr("Mesure"), tr("annulée après %1 images").arg(m.framesRead)});
    return l;
}

// The recording's measurement in the state line: running, failed, cancelled or done.
QStringList FenetreReduction::etatEnregistrement() const
{
    QStringList etat;
    if (enregistrement_.isEmpty())
        return etat;
    const QString nomFichier = QFileInfo(chemin_).fileName();
    if (mesureEnCours())
        etat << tr("Mesure de « %1 » : Jupiter et les satellites cherchés, nommés puis suivis image par image…").arg(nomFichier);
    else if (mesure_ && !mesure_->error.isEmpty())
        etat << tr("Mesure impossible de « %1 » : %2").arg(nomFichier, mesure_->error) + u'.';
    else if (mesure_ && mesure_->cancelled)
        etat << tr("Mesure annulée après %1 images sur %2 : la courbe partielle n'est pas ajustée.")
                    .arg(mesure_->framesRead)
                    .arg(lecteur_->info().frames);
    else if (mesure_) {
        etat << tr("%1 images mesurées dans « %2 », %3 gardées.").arg(mesure_->framesRead).arg(nomFichier).arg(mesure_->frames.size());
        if (const QString e = zeno::droppedFramesText(*mesure_); !e.isEmpty())
            etat << e;
    }
    return etat;
}

// The recording's lines under the results (HTML), and its save button.
QString FenetreReduction::resultatsEnregistrement()
{
    CommandEnregistrerCourbe->setVisible(!enregistrement_.isEmpty());
    CommandEnregistrerCourbe->setEnabled(mesure_ && !mesure_->frames.empty());
    CommandEnregistrerCourbe->setText(approx_ ? tr("Enregistrer la &piste mesurée…") : tr("Enregistrer la &courbe mesurée…"));
    CommandEnregistrerCourbe->setToolTip(approx_ ? tr("La piste mesurée sur l'enregistrement en CSV : image, TU, Δx et Δy du "
                                                      "second satellite depuis le premier, relue par « Fichier… »")
                                                 : tr("La courbe mesurée sur l'enregistrement en CSV : image, TU, flux relatif, flux du couple "
                                                      "et de la comparaison (ADU), centres du couple et de la comparaison"));
    QString enregistrement;
    for (const auto& [cle, valeur] : lignesEnregistrement([this](double v, int d) {
             return std::isfinite(v) ? locale_.toString(v, 'f', d) : tr("indéterminé");
         }))
        enregistrement += QStringLiteral("<br><b>%1</b> : %2").arg(cle.toHtmlEscaped(), valeur.toHtmlEscaped());
    if (!enregistrement.isEmpty())
        enregistrement = QStringLiteral("<p>") + enregistrement.mid(4) + QStringLiteral("</p>");
    return enregistrement;
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
        fit_ = zeno::fitLightCurve(*prevu_, courbe_.points, locale_);
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
                                    .arg(prevu_->code(), mutualTypeWord(*prevu_), mutualKindWord(*prevu_), zeno::mutualUtText(double(prevu_->start), locale_),
                                         zeno::mutualUtText(prevu_->maximumExact, locale_), zeno::mutualUtText(double(prevu_->end), locale_),
                                         nombre(prevu_->magnitudeDrop, 3),
                                         prevu_->site ? tr("vu du lieu d'observation (topocentrique)") : tr("géocentrique : lieu d'observation non réglé")));
    else
        LabelPrevision->setText(tr("Donnez le phénomène (code et date TU), puis « Chercher »."));

    QStringList etat = etatEnregistrement();
    if (!enregistrement_.isEmpty()) {
        if (fit_.outsideWindow > 0)
            etat << tr("%1 points hors de la fenêtre du phénomène non utilisés.").arg(fit_.outsideWindow);
    } else if (!chemin_.isEmpty()) {
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
    const QString enregistrement = resultatsEnregistrement();
    LabelResultats->setWordWrap(!ok || !enregistrement.isEmpty());   // a sentence wraps; the table keeps its lines
    if (!ok) {
        QString t;
        if (fit_.points > 0)
            t = tr("<b>L'ajustement n'a pas convergé.</b>");
        else if (mesureEnCours())
            t = tr("Mesure de l'enregistrement en cours…");
        else if (enregistrement_.isEmpty())
            t = tr("Pas encore de résultat : choisissez le phénomène et le fichier de votre courbe de lumière ou "
                   "votre enregistrement (« Fichier… »), ou déposez-le sur la fenêtre.");
        LabelResultats->setText(t + enregistrement);
        return;
    }
    const auto ligne = [](const QString& nom, const QString& valeur) {
        return QStringLiteral("<tr><td>%1</td><td align=\"right\"><b>%2</b></td></tr>").arg(nom, valeur);
    };
    QString t = QStringLiteral("<table cellspacing=\"4\">");
    t += ligne(tr("Maximum prévu (TU)"), zeno::utTextTenths(prevu_->maximumExact, locale_));
    t += ligne(tr("Maximum observé (TU)"), zeno::utTextTenths(fit_.observedMaxUt, locale_));
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
    LabelResultats->setText(t + enregistrement);
}

QString FenetreReduction::rapport() const
{
    if (!approx_ && !prevu_)
        return {};
    const std::optional<zeno::Site> site = lieu();
    QString r = approx_ ? rapportApproximation()
                        : zeno::reductionReport(*prevu_, courbe_, fit_, QFileInfo(chemin_).fileName(), site ? &*site : nullptr, locale_);
    // The recording's lines close the report's heading, before the points.
    QString lignes;
    for (const auto& [cle, valeur] : lignesEnregistrement([this](double v, int d) { return locale_.toString(v, 'f', d); }))
        lignes += QStringLiteral("# %1 : %2\n").arg(cle, valeur);
    qsizetype fin = 0;
    while (fin < r.size() && r[fin] == u'#')
        fin = r.indexOf(u'\n', fin) < 0 ? r.size() : r.indexOf(u'\n', fin) + 1;
    return r.insert(fin, lignes);
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
