#include "fenetrephenomenes.h"

#include "documents.h"
#include "ical.h"
#include "safe_write.h"
#include "scene_frame.h"
#include "calendar.h"
#include "erreur.h"
#include "shared_state.h"
#include "avx_state.h"
#include "modern_theory.h"
#include "approximation_panel.h"
#include "mutual_event_panel.h"
#include "mutual_rows.h"
#include "place_dialog.h"
#include "phenomena_model.h"
#include "regional.h"
#include "theory_menu.h"

#include <QApplication>
#include <QCheckBox>
#include <QSignalBlocker>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QTableView>
#include <QThread>
#include <QToolButton>
#include <QTimer>
#include <QVBoxLayout>

#include <cmath>

namespace {

constexpr int kAutre = 4;   // "Autre": the range as typed
constexpr int kSaison = 5;  // the mutual events' season
constexpr int kAnnee = 6;   // "Année en cours"

QString nomSatellite(int s)
{
    return s < 0 ? QString() : zeno::satelliteDisplayName(s);
}

} // namespace

FenetrePhenomenes::FenetrePhenomenes(SharedState* etat, const QLocale& locale, QWidget* parent)
    : QWidget(parent, Qt::Window), etat_(etat), locale_(locale)
{
    setObjectName(QStringLiteral("FenetrePhenomenes"));
    setWindowTitle(tr("Phénomènes"));
    resize(960, 720);   // room for a mutual event's panel under the table
    horlogeTU = [] {
        const QDateTime m = QDateTime::currentDateTimeUtc();
        return QDateTime(m.date(), QTime(m.time().hour(), m.time().minute(), m.time().second()), Qt::UTC);
    };
    message = [this](const QString& texte) { QMessageBox::warning(this, tr("Phénomènes"), texte); };
    choixFichier = [this] {
        return QFileDialog::getSaveFileName(this, tr("Exporter les phénomènes"),
                                            tr("phenomenes.csv"),
                                            tr("Fichiers CSV (*.csv);;Tous les fichiers (*)"));
    };
    choixFichierPour = [this](const QString& titre, const QString& nom, const QString& filtre) {
        return QFileDialog::getSaveFileName(this, titre, nom, filtre);
    };

    const auto nomme = [](QWidget* w, const char* nom) {
        w->setObjectName(QString::fromLatin1(nom));
        return w;
    };
    LabelLieu = new QLabel(this);
    nomme(LabelLieu, "LabelLieu");
    LabelLieu->setWordWrap(true);   // a long list of unreadable settings must not widen the window
    CommandLieu = new QPushButton(tr("&Lieu et Tache Rouge…"), this);
    nomme(CommandLieu, "CommandLieu");
    auto* ligneLieu = new QHBoxLayout;
    ligneLieu->addWidget(LabelLieu, 1);
    ligneLieu->addWidget(CommandLieu);

    ComboPeriode = new QComboBox(this);
    nomme(ComboPeriode, "ComboPeriode");
    ComboPeriode->addItems({tr("Nuit prochaine"), tr("24 h"), tr("7 jours"),
                            tr("1 mois"), tr("Autre"), tr("Saison des phénomènes mutuels"), tr("Année en cours")});
    TextDu = new QLineEdit(this);
    nomme(TextDu, "TextDu");
    TextDu->setToolTip(tr("Début, en heure locale du lieu (fuseau du lieu d'observation)"));
    TextAu = new QLineEdit(this);
    nomme(TextAu, "TextAu");
    TextAu->setToolTip(tr("Fin, en heure locale du lieu (fuseau du lieu d'observation)"));
    CommandCalculer = new QPushButton(tr("&Calculer"), this);
    nomme(CommandCalculer, "CommandCalculer");
    CommandAnnuler = new QPushButton(tr("A&nnuler"), this);
    nomme(CommandAnnuler, "CommandAnnuler");
    CommandAnnuler->setEnabled(false);
    // The theory is the main window's, so that a row and the picture it opens agree.
    CheckTheorie = new QCheckBox(tr("&Théorie précise (L1.2)"), this);
    nomme(CheckTheorie, "CheckTheorie");
    CheckTheorie->setToolTip(tr("Les phénomènes et le dessin de la fenêtre principale selon la théorie "
                                            "précise (contacts du centre du satellite)"));
    CheckTheorie->setChecked(etat_->theory() == zeno::Theory::Precise);
    BoutonTheorieL12 = new QToolButton(this);
    nomme(BoutonTheorieL12, "BoutonTheorieL12");
    BoutonTheorieL12->setMenu(theorymenu::build(etat_, this));
    BoutonTheorieL12->setPopupMode(QToolButton::InstantPopup);
    BoutonTheorieL12->setAutoRaise(true);
    // The same "▾" as the main window's, without the style's own arrow beside it.
    BoutonTheorieL12->setText(QStringLiteral("▾"));
    BoutonTheorieL12->setStyleSheet(QStringLiteral("QToolButton::menu-indicator { image: none; }"));
    Progression = new QProgressBar(this);
    nomme(Progression, "Progression");
    Progression->setRange(0, 1000);
    Progression->setTextVisible(false);
    Progression->setVisible(false);
    auto* lignePeriode = new QHBoxLayout;
    lignePeriode->addWidget(new QLabel(tr("Période :"), this));
    lignePeriode->addWidget(ComboPeriode);
    lignePeriode->addWidget(new QLabel(tr("du"), this));
    lignePeriode->addWidget(TextDu, 1);
    lignePeriode->addWidget(new QLabel(tr("au"), this));
    lignePeriode->addWidget(TextAu, 1);
    lignePeriode->addWidget(CheckTheorie);
    lignePeriode->addWidget(BoutonTheorieL12);
    lignePeriode->addWidget(CommandCalculer);
    lignePeriode->addWidget(CommandAnnuler);

    ComboSatellite = new QComboBox(this);
    nomme(ComboSatellite, "ComboSatellite");
    ComboSatellite->addItem(tr("Tous"), PhenomenaModel::kAllSatellites);
    for (int s = 0; s < 4; ++s)
        ComboSatellite->addItem(nomSatellite(s), s);
    ComboSatellite->addItem(tr("Tache Rouge"), PhenomenaModel::kRedSpot);
    ComboSatellite->addItem(tr("Phénomènes mutuels"), PhenomenaModel::kMutualEvents);
    ComboSatellite->addItem(tr("Approximations mutuelles"), PhenomenaModel::kApproximations);
    bullesTheorie();
    CheckObservables = new QCheckBox(tr("&Observables seulement"), this);
    nomme(CheckObservables, "CheckObservables");
    // A French spreadsheet opens the French form as it is.
    ComboFormat = new QComboBox(this);
    nomme(ComboFormat, "ComboFormat");
    ComboFormat->addItems({tr("CSV français (; et virgule décimale)"), tr("CSV international (, et point décimal)")});
    ComboFormat->setToolTip(tr("La forme des fichiers exportés et du texte copié"));
    CommandExporter = new QPushButton(tr("&Exporter CSV…"), this);
    nomme(CommandExporter, "CommandExporter");
    CommandCopier = new QPushButton(tr("Co&pier"), this);
    nomme(CommandCopier, "CommandCopier");
    CommandImprimer = new QPushButton(tr("&Imprimer…"), this);
    nomme(CommandImprimer, "CommandImprimer");
    CommandImprimer->setToolTip(tr("Imprimer le tableau tel qu'il est affiché, avec un aperçu"));
    CommandPdf = new QPushButton(tr("PD&F…"), this);
    nomme(CommandPdf, "CommandPdf");
    CommandPdf->setToolTip(tr("Enregistrer le tableau affiché en PDF (A4)"));
    CommandAgenda = new QPushButton(tr("Agen&da (.ics)…"), this);
    nomme(CommandAgenda, "CommandAgenda");
    CommandAgenda->setToolTip(tr("Les lignes choisies (toutes celles affichées si aucune ne l'est) dans un "
                                             "fichier iCalendar pour l'agenda du téléphone ou de l'ordinateur"));
    auto* ligneFiltre = new QHBoxLayout;
    ligneFiltre->addWidget(new QLabel(tr("Satellite :"), this));
    ligneFiltre->addWidget(ComboSatellite);
    ligneFiltre->addWidget(CheckObservables);
    ligneFiltre->addStretch(1);
    ligneFiltre->addWidget(ComboFormat);
    ligneFiltre->addWidget(CommandExporter);
    ligneFiltre->addWidget(CommandCopier);
    ligneFiltre->addWidget(CommandImprimer);
    ligneFiltre->addWidget(CommandPdf);
    ligneFiltre->addWidget(CommandAgenda);
    CommandReduire = new QPushButton(tr("&Réduire une observation…"), this);
    nomme(CommandReduire, "CommandReduire");
    CommandReduire->setEnabled(false);
    ligneFiltre->addWidget(CommandReduire);

    modele_ = new PhenomenaModel(locale_, this);
    modele_->setTimeZone(etat_->observer().timeZone);
    Tableau = new QTableView(this);
    nomme(Tableau, "Tableau");
    Tableau->setModel(modele_);
    Tableau->setSortingEnabled(true);
    Tableau->sortByColumn(PhenomenaModel::UniversalTime, Qt::AscendingOrder);
    Tableau->setSelectionBehavior(QAbstractItemView::SelectRows);
    Tableau->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Tableau->verticalHeader()->setVisible(false);
    Tableau->verticalHeader()->setDefaultSectionSize(Tableau->fontMetrics().height() + 6);
    Tableau->horizontalHeader()->setStretchLastSection(true);
    Tableau->setToolTip(tr("Double-cliquer sur une ligne pour afficher cet instant dans la fenêtre principale"));
    LabelEtat = new QLabel(this);
    nomme(LabelEtat, "LabelEtat");
    LabelEtat->setWordWrap(true);

    auto* pile = new QVBoxLayout(this);
    pile->addLayout(ligneLieu);
    pile->addLayout(lignePeriode);
    pile->addWidget(Progression);
    pile->addLayout(ligneFiltre);
    // Below the table, what a selected mutual event looks like.
    PanneauMutuel = new MutualEventPanel(locale_, this);
    PanneauMutuel->message = [this](const QString& texte) { message(texte); };
    PanneauMutuel->setVisible(false);
    PanneauApproximation = new ApproximationPanel(locale_, this);
    PanneauApproximation->setVisible(false);
    Partage = new QSplitter(Qt::Vertical, this);
    nomme(Partage, "Partage");
    Partage->addWidget(Tableau);
    Partage->addWidget(PanneauMutuel);
    Partage->addWidget(PanneauApproximation);
    Partage->setStretchFactor(0, 3);
    Partage->setStretchFactor(1, 2);
    Partage->setChildrenCollapsible(false);
    pile->addWidget(Partage, 1);
    pile->addWidget(LabelEtat);

    // The choices of the last run.
    {
        const settings::PhenomenaChoices c = settings::readPhenomenaChoices(&reglagesRemis_);
        ComboPeriode->setCurrentIndex(c.period);
        ComboSatellite->setCurrentIndex(c.satellite);
        CheckObservables->setChecked(c.observableOnly);
        TextDu->setText(c.from);
        TextAu->setText(c.to);
        ComboFormat->setCurrentIndex(c.csvForm);
    }
    modele_->setFilter(ComboSatellite->currentData().toInt(), CheckObservables->isChecked());
    QStringList lieuRemis;   // which kept values were unreadable, to say so
    QStringList theorieRemise;
    settings::readObserver(&lieuRemis);
    settings::readL12Corrected(&theorieRemise);
    reglagesRemis_ = lieuRemis + reglagesRemis_ + theorieRemise;
    afficheLieu();
    connect(etat_, &SharedState::theoryChanged, this, &FenetrePhenomenes::theorieChangee);
    connect(etat_, &SharedState::l12CorrectedChanged, this, [this] {
        bullesTheorie();
        theorieChangee();
    });
    connect(etat_, &SharedState::observerChanged, this, [this] {
        modele_->setTimeZone(etat_->observer().timeZone);
        afficheLieu();
    });

    connect(ComboPeriode, &QComboBox::activated, this, &FenetrePhenomenes::ComboPeriode_Change);
    connect(TextDu, &QLineEdit::textEdited, this, [this] { ComboPeriode->setCurrentIndex(4); });
    connect(TextAu, &QLineEdit::textEdited, this, [this] { ComboPeriode->setCurrentIndex(4); });
    connect(TextDu, &QLineEdit::returnPressed, this, &FenetrePhenomenes::CommandCalculer_Click);
    connect(TextAu, &QLineEdit::returnPressed, this, &FenetrePhenomenes::CommandCalculer_Click);
    connect(CommandCalculer, &QPushButton::clicked, this, &FenetrePhenomenes::CommandCalculer_Click);
    connect(CheckTheorie, &QCheckBox::toggled, this, &FenetrePhenomenes::CheckTheorie_Click);
    connect(CommandAnnuler, &QPushButton::clicked, this, &FenetrePhenomenes::CommandAnnuler_Click);
    connect(CommandLieu, &QPushButton::clicked, this, &FenetrePhenomenes::CommandLieu_Click);
    connect(CommandExporter, &QPushButton::clicked, this, &FenetrePhenomenes::CommandExporter_Click);
    connect(CommandCopier, &QPushButton::clicked, this, &FenetrePhenomenes::CommandCopier_Click);
    connect(CommandImprimer, &QPushButton::clicked, this, &FenetrePhenomenes::CommandImprimer_Click);
    connect(CommandPdf, &QPushButton::clicked, this, &FenetrePhenomenes::CommandPdf_Click);
    connect(CommandAgenda, &QPushButton::clicked, this, &FenetrePhenomenes::CommandAgenda_Click);
    connect(CommandReduire, &QPushButton::clicked, this, &FenetrePhenomenes::CommandReduire_Click);
    connect(Tableau, &QTableView::doubleClicked, this, &FenetrePhenomenes::Tableau_DblClick);
    connect(Tableau->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &FenetrePhenomenes::Tableau_SelectionChange);
    const auto filtre = [this] {
        modele_->setFilter(ComboSatellite->currentData().toInt(), CheckObservables->isChecked());
        afficheEtat();
        gardeChoix();
    };
    connect(ComboSatellite, &QComboBox::currentIndexChanged, this, filtre);
    connect(CheckObservables, &QCheckBox::toggled, this, filtre);
    connect(ComboFormat, &QComboBox::currentIndexChanged, this, [this] { gardeChoix(); });
}

FenetrePhenomenes::~FenetrePhenomenes()
{
    if (travail_) {
        annule_->store(true);
        travail_->wait();
    }
}

void FenetrePhenomenes::showEvent(QShowEvent* e)
{
    QWidget::showEvent(e);
    // The first opening shows the chosen range at once (the coming night by default).
    if (!dejaMontree_) {
        dejaMontree_ = true;
        if (ComboPeriode->currentIndex() != kAutre || TextDu->text().isEmpty())
            remplitPeriode();
        calcule(false);
    } else if (!lignesAJour()) {
        calcule(false);   // the theory changed while the window was hidden
    }
}

void FenetrePhenomenes::closeEvent(QCloseEvent* e)
{
    CommandAnnuler_Click();
    QWidget::closeEvent(e);
}

void FenetrePhenomenes::gardeChoix() const
{
    settings::writePhenomenaChoices({ComboPeriode->currentIndex(), ComboSatellite->currentIndex(),
                                     CheckObservables->isChecked(), TextDu->text(), TextAu->text(),
                                     ComboFormat->currentIndex()});
}

void FenetrePhenomenes::afficheLieu()
{
    const auto n = [this](double v, int chiffres) { return locale_.toString(v, 'f', chiffres); };
    LabelLieu->setText(
        tr("Lieu : %1%2 — observable : Jupiter à %3° au moins, Soleil à %4° au plus, phénomènes mutuels d'au "
           "moins %5 mag")
            .arg(zeno::placeText(etat_->observer().site, locale_),
                 etat_->observer().siteSet ? QString() : tr(" (Paris, par défaut : à régler)"),
                 n(etat_->observer().visibility.minJupiterDeg, 0), n(etat_->observer().visibility.maxSunDeg, 0),
                 n(etat_->observer().visibility.minDropMag, 2))
        + tr(" — heure locale : %1").arg(QString::fromUtf8(etat_->observer().timeZone.id()))
        + (reglagesRemis_.isEmpty() ? QString()
                                    : tr(" — réglages illisibles, remis à leur valeur par défaut : %1")
                                          .arg(reglagesRemis_.join(QStringLiteral(", ")))));
}

double FenetrePhenomenes::decalageHeures(bool* ok) const
{
    try {
        *ok = true;
        return zeno::readNumber(etat_->offsetText(), locale_);
    } catch (const zeno::ErreurExecution&) {
        *ok = false;
        return 0;
    }
}

void FenetrePhenomenes::remplitPeriode()
{
    const QDateTime maintenant = horlogeTU();
    QDateTime debut = maintenant, fin;
    switch (ComboPeriode->currentIndex()) {
    case 0: {
        const zeno::Night nuit = zeno::comingNight(maintenant, etat_->observer().site);
        debut = nuit.startUt;
        fin = nuit.endUt;
        titreNuit(nuit.kind);
        break;
    }
    case 1: fin = maintenant.addSecs(86400); break;
    case 2: fin = maintenant.addDays(7); break;
    case 3: fin = maintenant.addMonths(1); break;
    case kSaison:   // the season of 2026-2027: the Earth and the Sun near Jupiter's equatorial plane
        debut = QDateTime(QDate(2026, 8, 1), QTime(0, 0), Qt::UTC);
        fin = QDateTime(QDate(2027, 11, 1), QTime(0, 0), Qt::UTC);
        break;
    case kAnnee:   // the current year of the place's calendar
    {
        const int annee = modele_->localTime(maintenant).date().year();
        debut = versTU(QDateTime(QDate(annee, 1, 1), QTime(0, 0), Qt::UTC));
        fin = versTU(QDateTime(QDate(annee + 1, 1, 1), QTime(0, 0), Qt::UTC));
    }
        break;
    default: return;   // "Autre": the fields as typed
    }
    if (ComboPeriode->currentIndex() != 0)
        setWindowTitle(tr("Phénomènes"));
    if (zeno::isSupported(debut) && zeno::isSupported(fin)) {
        TextDu->setText(zeno::dateTimeText(modele_->localTime(debut), locale_));
        TextAu->setText(zeno::dateTimeText(modele_->localTime(fin), locale_));
    }
}

// A wall-clock time of the observer's zone (zone-less, as read) as UT.
QDateTime FenetrePhenomenes::versTU(const QDateTime& local) const
{
    const QDateTime t(local.date(), local.time(), modele_->timeZone());
    return t.toUTC();
}

// The title says what the coming night is where the Sun does not set or rise.
void FenetrePhenomenes::titreNuit(zeno::NightKind kind)
{
    switch (kind) {
    case zeno::NightKind::Night: setWindowTitle(tr("Phénomènes — nuit prochaine")); break;
    case zeno::NightKind::MidnightSun:
        setWindowTitle(tr("Phénomènes — soleil de minuit : pas de nuit, les 24 heures qui viennent"));
        break;
    case zeno::NightKind::PolarNight:
        setWindowTitle(tr("Phénomènes — nuit polaire : 24 heures sans lever du Soleil"));
        break;
    }
}

void FenetrePhenomenes::ComboPeriode_Change(int index)
{
    if (index == 5)
        ComboSatellite->setCurrentIndex(ComboSatellite->findData(PhenomenaModel::kMutualEvents));
    remplitPeriode();
    gardeChoix();
    CommandCalculer_Click();
}

void FenetrePhenomenes::CommandCalculer_Click() { calcule(true); }

void FenetrePhenomenes::fermePanneau()
{
    ++generation_;
    PanneauMutuel->setVisible(false);
    CommandReduire->setEnabled(false);
}

void FenetrePhenomenes::signale(const QString& texte, bool modal)
{
    if (modal) {
        message(texte);
        return;
    }
    // Asked by another window: said in the status line, which nothing else then overwrites.
    LabelEtat->setText(QStringLiteral("<span style=\"color:#b00000\">%1</span>").arg(texte.toHtmlEscaped()));
}

void FenetrePhenomenes::calcule(bool parUtilisateur)
{
    if (travail_)
        return;
    fermePanneau();   // a new table: the panel's event belongs to the old one
    bool ok = false;
    const double decalage = decalageHeures(&ok);
    if (!ok) {
        signale(tr("La « Différence TU-TC » de la fenêtre principale n'est pas un nombre."), parUtilisateur);
        return;
    }
    // One of the range's dates, or a message naming it.
    const auto litDate = [this, parUtilisateur](QLineEdit* champ, const QString& quoi, QDateTime& date) {
        try {
            date = zeno::readDateTime(champ->text(), locale_);
            champ->setStyleSheet(QString());
            return true;
        } catch (const zeno::ErreurExecution&) {
            champ->setStyleSheet(QStringLiteral("color: #b00000"));
            signale(tr("%1 de la période n'est pas une date (%2 Heure:Minute:Seconde, "
                       "années 100 à 9999).").arg(quoi, zeno::dateFormText(locale_)), parUtilisateur);
            return false;
        }
    };
    QDateTime du, au;
    if (!litDate(TextDu, tr("Le début"), du) || !litDate(TextAu, tr("La fin"), au))
        return;
    zeno::ProgrammeOptions o;
    o.fromUt = versTU(du);
    o.toUt = versTU(au);
    if (const QString faute = zeno::checkRange(o.fromUt, o.toUt); !faute.isEmpty()) {
        signale(faute, parUtilisateur);
        return;
    }
    if (o.fromUt.addYears(kAnneesMax) < o.toUt) {
        signale(tr("La période dépasse %1 ans : la fenêtre n'est pas faite pour cela. Pour une période plus "
                   "longue, utilisez zenolune-ephem --events, qui écrit chaque ligne dès qu'elle est trouvée.")
                    .arg(kAnneesMax), parUtilisateur);
        return;
    }
    gardeChoix();
    o.offsetHours = decalage;
    o.grs = etat_->observer().redSpot;
    o.site = etat_->observer().site;
    o.visibility = etat_->observer().visibility;
    modele_->setVisibility(o.visibility);
    o.theorie = etat_->theory();
    if (ComboPeriode->currentIndex() == kSaison) {   // the season: its mutual events alone
        o.satellites = false;
        o.grs.reset();
    }
    annule_ = std::make_shared<std::atomic<bool>>(false);
    o.cancel = annule_.get();
    const auto progres = [this](double fait) {
        QMetaObject::invokeMethod(this, [this, fait] { Progression->setValue(int(fait * 1000)); }, Qt::QueuedConnection);
    };
    const bool avecApproximations = ComboPeriode->currentIndex() != kSaison;
    zeno::ApproximationOptions approx = etat_->observer().approximationOptions();
    // Shares of the progress bar: the satellites' phenomena, the mutual events, the approximations.
    const double partApprox = avecApproximations ? 0.3 : 0;
    const double partMutuels = (o.satellites ? 0.5 : 1) * (1 - partApprox);
    o.progress = [progres, partMutuels, partApprox](double fait) { progres(fait * (1 - partMutuels - partApprox)); };

    Progression->setValue(0);
    Progression->setVisible(true);
    enCalcul(true);
    LabelEtat->setText(tr("Calcul en cours…"));
    // The search runs beside the event loop with its own pass, so that the
    // window answers and "Annuler" works; the rows come back here.
    const QLocale locale = locale_;
    const auto annule = annule_;
    const bool corrigee = etat_->l12Corrected();   // the rows' L1.2: a change meanwhile computes them again
    travail_ = QThread::create([this, o, locale, annule, progres, partMutuels, partApprox, approx, parUtilisateur, corrigee] {
        zeno::clearUpperAvxState();
        std::vector<zeno::ProgrammeRow> lignes;
        std::vector<zeno::MutualEvent> mutuels;
        std::vector<zeno::Approximation> approximations;
        QString faute;
        bool hors = false;   // the precise theory outside its fitted years
        try {
            lignes = zeno::buildProgramme(o);
            // Mutual events in the precise theory whatever the box says.
            mutuels = zeno::findMutualEvents(o.fromUt.toSecsSinceEpoch(), o.toUt.toSecsSinceEpoch(),
                                             [=](double fait) { progres(1 - partApprox - partMutuels + fait * partMutuels); },
                                             annule.get());
            addMutualRows(lignes, mutuels, o.offsetHours, o.site, o.visibility);
            if (partApprox > 0) {
                approximations = zeno::findApproximations(o.fromUt.toSecsSinceEpoch(), o.toUt.toSecsSinceEpoch(), approx,
                                                          [=](double fait) { progres(1 - partApprox + fait * partApprox); },
                                                          annule.get());
                addApproximationRows(lignes, approximations, o.offsetHours);
            }
            hors = (!zeno::withinFittedYears(zeno::julianDayValue(o.fromUt))
                    || !zeno::withinFittedYears(zeno::julianDayValue(o.toUt)));
        } catch (const zeno::ErreurExecution& e) {
            faute = e.texte();
        }
        const bool coupe = annule->load();   // stopped before the end of the range
        QMetaObject::invokeMethod(
            this,
            [this, lignes = std::move(lignes), mutuels = std::move(mutuels), approximations = std::move(approximations), faute,
             coupe, hors, parUtilisateur, theorie = o.theorie, corrigee]() mutable {
                mutuels_ = std::move(mutuels);
                approximations_ = std::move(approximations);
                termine(std::move(lignes), theorie, corrigee, coupe, hors);
                if (!faute.isEmpty())
                    signale(tr("Calcul impossible : %1").arg(faute), parUtilisateur);
            },
            Qt::QueuedConnection);
    });
    connect(travail_, &QThread::finished, travail_, &QObject::deleteLater);
    travail_->start();
}

const std::vector<zeno::ProgrammeRow>& FenetrePhenomenes::lignes() const { return modele_->rows(); }

bool FenetrePhenomenes::lignesAJour() const
{
    return theorieLignes_ == etat_->theory() && corrigeeLignes_ == etat_->l12Corrected();
}

// The tooltips that name the satellites' theory, kept to the one in use.
void FenetrePhenomenes::bullesTheorie()
{
    BoutonTheorieL12->setToolTip(theorymenu::tip());
    ComboSatellite->setItemData(ComboSatellite->findData(PhenomenaModel::kMutualEvents), mutualTheoryNote(), Qt::ToolTipRole);
    ComboSatellite->setItemData(ComboSatellite->findData(PhenomenaModel::kApproximations),
                                tr("Deux satellites au plus près l'un de l'autre sur le ciel, vus du lieu ; théorie précise (%1)")
                                    .arg(zeno::l12TheoryName()),
                                Qt::ToolTipRole);
}

void FenetrePhenomenes::termine(std::vector<zeno::ProgrammeRow> lignes, zeno::Theory theorie, bool corrigee, bool coupe,
                                bool hors)
{
    if (travail_)
        travail_->wait();
    travail_ = nullptr;
    Progression->setVisible(false);
    enCalcul(false);
    // Rows of another theory than the main window's would open pictures
    // that disagree with them: computed again instead.
    if ((theorie != etat_->theory() || corrigee != etat_->l12Corrected()) && isVisible()) {
        calcule(false);
        return;
    }
    theorieLignes_ = theorie;
    corrigeeLignes_ = corrigee;
    coupe_ = coupe;
    hors_ = hors;
    fermePanneau();   // a row picked in the old table meanwhile
    modele_->setRows(std::move(lignes));
    if (modele_->rowCount() > 0 && !Tableau->property("mesure").toBool()) {
        // Sized on the first rows, so that the dates are never clipped.
        Tableau->resizeColumnsToContents();
        Tableau->setProperty("mesure", true);
    }
    afficheEtat();
    emit calculTermine();
}

// The status line: how many rows, how many shown, how many observable.
void FenetrePhenomenes::afficheEtat()
{
    if (travail_)
        return;
    const auto& toutes = modele_->rows();
    const qsizetype observables = std::count_if(toutes.begin(), toutes.end(), [](const auto& l) { return l.observable; });
    const int affichees = modele_->rowCount();
    QString texte = coupe_ ? tr("Calcul annulé : %1 phénomènes trouvés avant l'arrêt").arg(toutes.size())
                           : tr("%1 phénomènes, dont %2 observables, du %3 au %4 (heure locale, %5)")
                                 .arg(toutes.size())
                                 .arg(observables)
                                 .arg(TextDu->text(), TextAu->text(), QString::fromUtf8(modele_->timeZone().id()));
    if (affichees == 0 && !toutes.empty())
        texte += tr(" ; le filtre les cache tous.");
    else if (affichees < int(toutes.size()))
        texte += tr(" ; %1 affichés par le filtre.").arg(affichees);
    else
        texte += u'.';
    if (!toutes.empty() && affichees > 0)
        texte += tr(" Double-cliquer sur une ligne pour l'afficher.");
    if (hors_)
        texte += tr(" Attention : période hors de %1, la théorie précise (et les phénomènes mutuels) y perd sa "
                    "précision.").arg(zeno::fittedYearsText());
    texte += tr(" Phénomènes mutuels : %n, à l'heure du maximum ; toujours selon la théorie précise (%1).", nullptr,
                int(mutuels_.size())).arg(zeno::l12TheoryName());
    if (!approximations_.empty())
        texte += tr(" Approximations mutuelles : %n, à l'instant central, vues du lieu.", nullptr, int(approximations_.size()));
    LabelEtat->setText(texte);
}

// While a range is computed, what would change the range waits.
void FenetrePhenomenes::enCalcul(bool oui)
{
    for (QWidget* w : {static_cast<QWidget*>(CommandCalculer), static_cast<QWidget*>(ComboPeriode),
                       static_cast<QWidget*>(TextDu), static_cast<QWidget*>(TextAu), static_cast<QWidget*>(CommandLieu)})
        w->setEnabled(!oui);
    CommandAnnuler->setEnabled(oui);
}

// The theory is the main window's: its box follows, and the table with it.
void FenetrePhenomenes::CheckTheorie_Click()
{
    etat_->setTheory(CheckTheorie->isChecked() ? zeno::Theory::Precise : zeno::Theory::Original);
}

void FenetrePhenomenes::theorieChangee()
{
    const bool precise = etat_->theory() == zeno::Theory::Precise;
    if (CheckTheorie->isChecked() != precise) {
        const QSignalBlocker bloque(CheckTheorie);
        CheckTheorie->setChecked(precise);
    }
    // Hidden, the window computes again when shown; a computation under way
    // is discarded and started again when it ends.
    if (!isVisible() || lignesAJour())
        return;
    if (travail_)
        LabelEtat->setText(tr("La théorie a changé : le calcul reprendra avec elle."));
    else
        calcule(false);   // asked by another window: nothing modal
}

void FenetrePhenomenes::CommandAnnuler_Click()
{
    if (travail_ && annule_)
        annule_->store(true);
}

QString FenetrePhenomenes::texteVisible() const
{
    QString texte = modele_->csv(ComboFormat->currentIndex() == 0);
    if (theorieLignes_ == zeno::Theory::Precise)
        texte.prepend(zeno::preciseCsvComment() + u'\n');
    return texte;
}

bool FenetrePhenomenes::exporte(const QString& chemin)
{
    // Written beside and renamed once complete: a failure (a full disk
    // included) leaves the old file as it was.
    if (const QString faute = zeno::writeWhole(chemin, texteVisible().toUtf8()); !faute.isEmpty()) {
        message(faute);
        return false;
    }
    LabelEtat->setText(tr("%1 lignes exportées dans « %2 ».").arg(modele_->rowCount()).arg(chemin));
    return true;
}

void FenetrePhenomenes::CommandExporter_Click()
{
    const QString chemin = choixFichier();
    if (!chemin.isEmpty())
        exporte(chemin);
}

void FenetrePhenomenes::CommandCopier_Click()
{
    QApplication::clipboard()->setText(texteVisible());
    LabelEtat->setText(tr("%1 lignes copiées dans le presse-papiers.").arg(modele_->rowCount()));
}

// The shown rows, their civil time the observer's local time, as the table shows it.
std::vector<zeno::ProgrammeRow> FenetrePhenomenes::lignesVisibles() const
{
    std::vector<zeno::ProgrammeRow> v = modele_->shownRows();
    for (zeno::ProgrammeRow& l : v)
        l.civil = modele_->localTime(l.ut);
    return v;
}

// The selected rows in time order (all the shown ones when none is).
std::vector<zeno::ProgrammeRow> FenetrePhenomenes::lignesChoisies() const
{
    const QModelIndexList choisies = Tableau->selectionModel()->selectedRows();
    if (choisies.isEmpty())
        return lignesVisibles();
    std::vector<zeno::ProgrammeRow> v;
    for (const QModelIndex& i : choisies) {
        v.push_back(modele_->shownRow(i.row()));
        v.back().civil = modele_->localTime(v.back().ut);
    }
    std::stable_sort(v.begin(), v.end(), [](const auto& x, const auto& y) { return x.ut < y.ut; });
    return v;
}

QString FenetrePhenomenes::titreDocument() const
{
    return tr("Phénomènes du %1 au %2").arg(TextDu->text(), TextAu->text());
}

QString FenetrePhenomenes::sousTitreDocument() const
{
    QStringList parts;
    parts << tr("Lieu : %1").arg(zeno::placeText(etat_->observer().site, locale_)) << zeno::theoryText(theorieLignes_)
          << tr("heure locale (%1)").arg(QString::fromUtf8(modele_->timeZone().id()));
    return parts.join(QStringLiteral("  ·  "));
}

bool FenetrePhenomenes::exportePdf(const QString& chemin)
{
    const std::vector<zeno::ProgrammeRow> rows = lignesVisibles();
    const QByteArray pdf = zeno::tablePdf(rows, titreDocument(), sousTitreDocument(), true, locale_,
                                          QPageSize(QPageSize::A4), zeno::localTimeHeading(modele_->timeZone()));
    if (const QString faute = zeno::writeWhole(chemin, pdf); !faute.isEmpty()) {
        message(faute);
        return false;
    }
    LabelEtat->setText(tr("%1 lignes enregistrées en PDF dans « %2 ».").arg(rows.size()).arg(chemin));
    return true;
}

bool FenetrePhenomenes::exporteIcs(const QString& chemin)
{
    const std::vector<zeno::ProgrammeRow> rows = lignesChoisies();
    if (rows.empty()) {
        message(tr("Aucun phénomène à mettre dans l'agenda : la liste affichée est vide."));
        return false;
    }
    const QByteArray ics = zeno::icsProgramme(rows, zeno::placeText(etat_->observer().site, locale_),
                                              true, theorieLignes_, QDateTime::currentDateTimeUtc());
    if (const QString faute = zeno::writeWhole(chemin, ics); !faute.isEmpty()) {
        message(faute);
        return false;
    }
    LabelEtat->setText(tr("%1 événements écrits dans l'agenda « %2 ».").arg(rows.size()).arg(chemin));
    return true;
}

void FenetrePhenomenes::imprime(QPrinter* imprimante)
{
    zeno::paintTableDocument(*imprimante, lignesVisibles(), titreDocument(), sousTitreDocument(), true, locale_,
                             zeno::localTimeHeading(modele_->timeZone()));
}

void FenetrePhenomenes::CommandImprimer_Click()
{
    QPrinter imprimante(QPrinter::HighResolution);
    imprimante.setDocName(titreDocument());
    QPrintPreviewDialog apercu(&imprimante, this);
    apercu.setWindowTitle(tr("Aperçu avant impression"));
    connect(&apercu, &QPrintPreviewDialog::paintRequested, this, &FenetrePhenomenes::imprime);
    apercu.exec();
}

void FenetrePhenomenes::CommandPdf_Click()
{
    const QString chemin = choixFichierPour(tr("Enregistrer les phénomènes en PDF"),
                                            tr("phenomenes.pdf"), tr("PDF (*.pdf)"));
    if (!chemin.isEmpty())
        exportePdf(chemin);
}

void FenetrePhenomenes::CommandAgenda_Click()
{
    const QString chemin = choixFichierPour(tr("Exporter vers l'agenda (iCalendar)"),
                                            tr("phenomenes.ics"),
                                            tr("iCalendar (*.ics);;Tous les fichiers (*)"));
    if (!chemin.isEmpty())
        exporteIcs(chemin);
}

void FenetrePhenomenes::Tableau_DblClick(const QModelIndex& index)
{
    if (!index.isValid() || index.row() >= modele_->rowCount())
        return;
    if (!lignesAJour())
        return;   // a stale table, about to be computed again
    const zeno::ProgrammeRow& l = modele_->shownRow(index.row());
    // The table is in the place's clock time: the main window shows the same.
    PairMark paire;
    if (l.mutual >= 0 && std::size_t(l.mutual) < mutuels_.size())
        paire = {mutuels_[std::size_t(l.mutual)].occulter, mutuels_[std::size_t(l.mutual)].target};
    etat_->requestShowInZone(l.ut, modele_->timeZone(), paire);
}

void FenetrePhenomenes::Tableau_SelectionChange(const QModelIndex& index)
{
    const zeno::ProgrammeRow* l = index.isValid() && index.row() < modele_->rowCount() ? &modele_->shownRow(index.row())
                                                                                       : nullptr;
    const bool approximation = l && l->approximation >= 0 && std::size_t(l->approximation) < approximations_.size();
    PanneauApproximation->setVisible(approximation);
    if (approximation)
        PanneauApproximation->setApproximation(approximations_[std::size_t(l->approximation)],
                                               etat_->observer().approxMinLimbArcsec);
    CommandReduire->setEnabled(approximation || (l && l->mutual >= 0 && std::size_t(l->mutual) < mutuels_.size()));
    if (!l || l->mutual < 0 || std::size_t(l->mutual) >= mutuels_.size()) {
        PanneauMutuel->setVisible(false);
        return;
    }
    PanneauMutuel->setEvent(mutuels_[std::size_t(l->mutual)],
                            MutualEventPanel::AtPlace{l->jupiterAltDeg, l->sunAltDeg, l->observable});
    ouvrePanneau(index);
}

// The panel opens under the table without moving the clicked row from
// under the pointer, so that the second click of a double click lands on
// it: the table keeps at least down to that row. When the panel would then
// find no room, it waits for the double click's time and the row is
// scrolled into view.
void FenetrePhenomenes::ouvrePanneau(const QModelIndex& index)
{
    if (PanneauMutuel->isVisible())
        return;
    const int total = Partage->height() - Partage->handleWidth();
    const int basLigne = Tableau->viewport()->mapTo(Tableau, Tableau->visualRect(index).bottomLeft()).y()
                       + Tableau->frameWidth() + 1;
    const int panneau = PanneauMutuel->minimumSizeHint().height();
    // The stretch factors' share (the panel's least height at most), or down to the row.
    const int table = std::max(total - std::max(panneau, total * 2 / 5), basLigne);
    if (total - table >= panneau) {
        PanneauMutuel->setVisible(true);
        Partage->setSizes({table, total - table});
        return;
    }
    QTimer::singleShot(QApplication::doubleClickInterval(), this, [this, ligne = index.row(), g = generation_] {
        if (g != generation_ || PanneauMutuel->isVisible() || Tableau->currentIndex().row() != ligne
            || !CommandReduire->isEnabled())
            return;   // another row, or another table, since
        PanneauMutuel->setVisible(true);
        Tableau->scrollTo(Tableau->currentIndex());
    });
}

void FenetrePhenomenes::CommandReduire_Click()
{
    if (PanneauApproximation->isVisible())
        emit reductionApproximationDemandee(PanneauApproximation->approximation());
    else
        emit reductionDemandee(PanneauMutuel->event());
}

void FenetrePhenomenes::setInversions(bool estOuest, bool nordSud)
{
    PanneauMutuel->setFlips(estOuest, nordSud);
    PanneauApproximation->setFlips(estOuest, nordSud);
}

void FenetrePhenomenes::CommandLieu_Click()
{
    DialogueLieu d(etat_->observer(), locale_, this);
    if (d.exec() != QDialog::Accepted)
        return;
    reglagesRemis_.clear();
    etat_->setObserver(d.resultat());   // the place's line and the zone follow
    if (ComboPeriode->currentIndex() != kAutre)
        remplitPeriode();
    CommandCalculer_Click();
}
