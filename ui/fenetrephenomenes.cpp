#include "fenetrephenomenes.h"

#include "documents.h"
#include "ical.h"
#include "scene_frame.h"
#include "calendar.h"
#include "erreur.h"
#include "modern_theory.h"
#include "mutual_event_panel.h"
#include "mutual_rows.h"
#include "place_dialog.h"
#include "shared_state.h"
#include "regional.h"
#include "vector_state.h"

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
#include <QSaveFile>
#include <QSortFilterProxyModel>
#include <QSplitter>
#include <QStandardItemModel>
#include <QTableView>
#include <QThread>
#include <QVBoxLayout>

#include <cmath>

namespace {

constexpr int kRoleLigne = Qt::UserRole + 1;   // index into the computed rows
constexpr int kSatelliteSpot = -1;
constexpr int kTous = -2;
constexpr int kMutuels = -3;   // the filter "Phénomènes mutuels"

enum Colonne { DateTC, DateTU, Satellite, Phenomene, Changement, HauteurJupiter, HauteurSoleil, Observable, NbColonnes };

QString nomSatellite(int s)
{
    return s < 0 ? QString() : zeno::satelliteDisplayName(s);
}

} // namespace

// The satellite chosen and "Observables seulement".
class FiltrePhenomenes : public QSortFilterProxyModel {
public:
    FiltrePhenomenes(const std::vector<zeno::ProgrammeRow>& lignes, QObject* parent)
        : QSortFilterProxyModel(parent), lignes_(lignes) {}
    int satellite = kTous;
    bool observablesSeulement = false;
    void change() { invalidateFilter(); }

protected:
    bool filterAcceptsRow(int ligne, const QModelIndex& parent) const override
    {
        const int i = sourceModel()->index(ligne, 0, parent).data(kRoleLigne).toInt();
        const zeno::ProgrammeRow& l = lignes_[std::size_t(i)];
        if (satellite == kMutuels ? l.mutual < 0 : satellite != kTous && l.satellite != satellite)
            return false;
        return !observablesSeulement || l.observable;
    }

private:
    const std::vector<zeno::ProgrammeRow>& lignes_;
};

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
    CommandLieu = new QPushButton(tr("&Lieu et Tache Rouge…"), this);
    nomme(CommandLieu, "CommandLieu");
    auto* ligneLieu = new QHBoxLayout;
    ligneLieu->addWidget(LabelLieu, 1);
    ligneLieu->addWidget(CommandLieu);

    ComboPeriode = new QComboBox(this);
    nomme(ComboPeriode, "ComboPeriode");
    ComboPeriode->addItems({tr("Nuit prochaine"), tr("24 h"), tr("7 jours"),
                            tr("1 mois"), tr("Autre"), tr("Saison des phénomènes mutuels")});
    TextDu = new QLineEdit(this);
    nomme(TextDu, "TextDu");
    TextDu->setToolTip(tr("Début, en heure civile (Différence TU-TC de la fenêtre principale)"));
    TextAu = new QLineEdit(this);
    nomme(TextAu, "TextAu");
    TextAu->setToolTip(tr("Fin, en heure civile (Différence TU-TC de la fenêtre principale)"));
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
    lignePeriode->addWidget(CommandCalculer);
    lignePeriode->addWidget(CommandAnnuler);

    ComboSatellite = new QComboBox(this);
    nomme(ComboSatellite, "ComboSatellite");
    ComboSatellite->addItem(tr("Tous"), kTous);
    for (int s = 0; s < 4; ++s)
        ComboSatellite->addItem(nomSatellite(s), s);
    ComboSatellite->addItem(tr("Tache Rouge"), kSatelliteSpot);
    ComboSatellite->addItem(tr("Phénomènes mutuels"), kMutuels);
    ComboSatellite->setItemData(ComboSatellite->count() - 1, mutualTheoryNote(), Qt::ToolTipRole);
    CheckObservables = new QCheckBox(tr("&Observables seulement"), this);
    nomme(CheckObservables, "CheckObservables");
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
    ligneFiltre->addWidget(CommandExporter);
    ligneFiltre->addWidget(CommandCopier);
    ligneFiltre->addWidget(CommandImprimer);
    ligneFiltre->addWidget(CommandPdf);
    ligneFiltre->addWidget(CommandAgenda);
    CommandReduire = new QPushButton(tr("&Réduire une observation…"), this);
    nomme(CommandReduire, "CommandReduire");
    CommandReduire->setEnabled(false);
    ligneFiltre->addWidget(CommandReduire);

    modele_ = new QStandardItemModel(0, NbColonnes, this);
    modele_->setHorizontalHeaderLabels({tr("Date (TC)"), tr("Date (TU)"),
                                        tr("Satellite"), tr("Phénomène"),
                                        tr("Début/fin"), tr("Jupiter (°)"),
                                        tr("Soleil (°)"), tr("Observable")});
    filtre_ = new FiltrePhenomenes(lignes_, this);
    filtre_->setSourceModel(modele_);
    filtre_->setSortRole(Qt::UserRole);
    Tableau = new QTableView(this);
    nomme(Tableau, "Tableau");
    Tableau->setModel(filtre_);
    Tableau->setSortingEnabled(true);
    Tableau->sortByColumn(DateTU, Qt::AscendingOrder);
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
    auto* partage = new QSplitter(Qt::Vertical, this);
    partage->addWidget(Tableau);
    partage->addWidget(PanneauMutuel);
    partage->setStretchFactor(0, 3);
    partage->setStretchFactor(1, 2);
    partage->setChildrenCollapsible(false);
    pile->addWidget(partage, 1);
    pile->addWidget(LabelEtat);

    // The choices of the last run.
    {
        const settings::PhenomenaChoices c = settings::readPhenomenaChoices();
        ComboPeriode->setCurrentIndex(c.period);
        ComboSatellite->setCurrentIndex(c.satellite);
        CheckObservables->setChecked(c.observableOnly);
        TextDu->setText(c.from);
        TextAu->setText(c.to);
    }
    filtre_->satellite = ComboSatellite->currentData().toInt();
    filtre_->observablesSeulement = CheckObservables->isChecked();
    afficheLieu();

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
    connect(etat_, &SharedState::theoryChanged, this, &FenetrePhenomenes::theorieChangee);
    connect(etat_, &SharedState::observerChanged, this, &FenetrePhenomenes::afficheLieu);
    connect(ComboSatellite, &QComboBox::currentIndexChanged, this, [this] {
        filtre_->satellite = ComboSatellite->currentData().toInt();
        filtre_->change();
        gardeChoix();
    });
    connect(CheckObservables, &QCheckBox::toggled, this, [this](bool oui) {
        filtre_->observablesSeulement = oui;
        filtre_->change();
        gardeChoix();
    });
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
        if (ComboPeriode->currentIndex() != 4 || TextDu->text().isEmpty())
            remplitPeriode();
        CommandCalculer_Click();
    }
}

void FenetrePhenomenes::closeEvent(QCloseEvent* e)
{
    CommandAnnuler_Click();
    QWidget::closeEvent(e);
}

void FenetrePhenomenes::gardeChoix() const
{
    settings::writePhenomenaChoices(
        {ComboPeriode->currentIndex(), ComboSatellite->currentIndex(), CheckObservables->isChecked(), TextDu->text(),
         TextAu->text()});
}

void FenetrePhenomenes::afficheLieu()
{
    const settings::Observer& observateur = etat_->observer();
    const zeno::Site& s = observateur.site;
    const auto n = [this](double v, int chiffres) { return locale_.toString(v, 'f', chiffres); };
    LabelLieu->setText(
        tr("Lieu : %1° %2, %3° %4, %5 m%6 — observable : Jupiter à %7° au moins, Soleil à %8° au plus")
            .arg(n(std::abs(s.latitudeDeg), 2), s.latitudeDeg >= 0 ? tr("N") : tr("S"),
                 n(std::abs(s.longitudeDeg), 2), s.longitudeDeg >= 0 ? tr("E") : tr("O"),
                 n(s.heightM, 0),
                 observateur.siteSet ? QString() : tr(" (Paris, par défaut : à régler)"),
                 n(observateur.visibility.minJupiterDeg, 0), n(observateur.visibility.maxSunDeg, 0)));
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
    bool ok = false;
    const double decalage = decalageHeures(&ok);
    const QDateTime maintenant = horlogeTU();
    QDateTime debut = maintenant, fin;
    switch (ComboPeriode->currentIndex()) {
    case 0: {
        const zeno::Night nuit = zeno::comingNight(maintenant, etat_->observer().site);
        debut = nuit.startUt;
        fin = nuit.endUt;
        break;
    }
    case 1: fin = maintenant.addSecs(86400); break;
    case 2: fin = maintenant.addDays(7); break;
    case 3: fin = maintenant.addMonths(1); break;
    case 5:   // the season of 2026-2027: the Earth and the Sun near Jupiter's equatorial plane
        debut = QDateTime(QDate(2026, 8, 1), QTime(0, 0), Qt::UTC);
        fin = QDateTime(QDate(2027, 11, 1), QTime(0, 0), Qt::UTC);
        break;
    default: return;   // "Autre": the fields as typed
    }
    try {
        TextDu->setText(zeno::dateTimeText(zeno::addHours(debut, -decalage), locale_));
        TextAu->setText(zeno::dateTimeText(zeno::addHours(fin, -decalage), locale_));
    } catch (const zeno::ErreurExecution&) {
        // Only at the very end of the supported years: the fields stay as they were.
    }
}

void FenetrePhenomenes::ComboPeriode_Change(int index)
{
    if (index == 5)
        ComboSatellite->setCurrentIndex(ComboSatellite->findData(kMutuels));
    remplitPeriode();
    gardeChoix();
    CommandCalculer_Click();
}

void FenetrePhenomenes::CommandCalculer_Click()
{
    if (travail_)
        return;
    bool ok = false;
    const double decalage = decalageHeures(&ok);
    if (!ok) {
        message(tr("La « Différence TU-TC » de la fenêtre principale n'est pas un nombre."));
        return;
    }
    // One of the range's dates, or a message naming it.
    const auto litDate = [this](const QLineEdit* champ, const QString& quoi, QDateTime& date) {
        try {
            date = zeno::readDateTime(champ->text(), locale_);
            return true;
        } catch (const zeno::ErreurExecution&) {
            message(tr("%1 de la période n'est pas une date (Jour/Mois/Année Heure:Minute:Seconde, "
                                   "années 100 à 9999).").arg(quoi));
            return false;
        }
    };
    QDateTime du, au;
    if (!litDate(TextDu, tr("Le début"), du) || !litDate(TextAu, tr("La fin"), au))
        return;
    zeno::ProgrammeOptions o;
    try {
        o.fromUt = zeno::addHours(du, decalage);
        o.toUt = zeno::addHours(au, decalage);
    } catch (const zeno::ErreurExecution&) {
        message(tr("La période doit rester entre les années 100 et 9999."));
        return;
    }
    if (const QString faute = zeno::checkRange(o.fromUt, o.toUt); !faute.isEmpty()) {
        message(faute);
        return;
    }
    gardeChoix();
    o.offsetHours = decalage;
    o.grs = etat_->observer().redSpot;
    o.site = etat_->observer().site;
    o.visibility = etat_->observer().visibility;
    o.theorie = etat_->theory();
    if (ComboPeriode->currentIndex() == 5) {   // the season: its mutual events alone
        o.satellites = false;
        o.grs.reset();
    }
    annule_ = std::make_shared<std::atomic<bool>>(false);
    o.cancel = annule_.get();
    const auto progres = [this](double fait) {
        QMetaObject::invokeMethod(this, [this, fait] { Progression->setValue(int(fait * 1000)); }, Qt::QueuedConnection);
    };
    const double partMutuels = o.satellites ? 0.5 : 1;   // of the progress bar
    o.progress = [progres, partMutuels](double fait) { progres(fait * (1 - partMutuels)); };

    Progression->setValue(0);
    Progression->setVisible(true);
    enCalcul(true);
    LabelEtat->setText(tr("Calcul en cours…"));
    // The search runs beside the event loop with its own pass, so that the
    // window answers and "Annuler" works; the rows come back here.
    const auto annule = annule_;
    travail_ = QThread::create([this, o, annule, decalage, progres, partMutuels] {
        clearUpperVectorState();
        std::vector<zeno::ProgrammeRow> lignes;
        std::vector<zeno::MutualEvent> mutuels;
        QString faute;
        bool hors = false;   // the precise theory outside its fitted years
        try {
            lignes = zeno::buildProgramme(o);
            // Mutual events in the precise theory whatever the box says.
            mutuels = zeno::findMutualEvents(o.fromUt.toSecsSinceEpoch(), o.toUt.toSecsSinceEpoch(),
                                             [=](double fait) { progres(1 - partMutuels + fait * partMutuels); },
                                             annule.get());
            addMutualRows(lignes, mutuels, decalage, o.site, o.visibility);
            hors = (!zeno::withinFittedYears(zeno::julianDayValue(o.fromUt))
                    || !zeno::withinFittedYears(zeno::julianDayValue(o.toUt)));
        } catch (const zeno::ErreurExecution& e) {
            faute = e.texte();
        }
        QMetaObject::invokeMethod(
            this,
            [this, lignes = std::move(lignes), mutuels = std::move(mutuels), faute, annule, hors,
             theorie = o.theorie]() mutable {
                if (!faute.isEmpty())
                    message(tr("Calcul impossible : %1").arg(faute));
                if (annule->load())
                    LabelEtat->setText(tr("Calcul annulé : %1 phénomènes trouvés avant l'arrêt.").arg(lignes.size()));
                theorieLignes_ = theorie;
                mutuels_ = std::move(mutuels);
                termine(std::move(lignes));
                if (hors)
                    LabelEtat->setText(LabelEtat->text()
                                       + tr(" Attention : période hors de %1, la théorie précise "
                                            "(et les phénomènes mutuels) y perd sa précision.")
                                             .arg(zeno::fittedYearsText()));
            },
            Qt::QueuedConnection);
    });
    connect(travail_, &QThread::finished, travail_, &QObject::deleteLater);
    travail_->start();
}

void FenetrePhenomenes::termine(std::vector<zeno::ProgrammeRow> lignes)
{
    if (travail_)
        travail_->wait();
    travail_ = nullptr;
    const bool annule = annule_ && annule_->load();
    lignes_ = std::move(lignes);
    avecLieu_ = true;
    remplitTableau();
    Progression->setVisible(false);
    enCalcul(false);
    if (!annule) {
        const qsizetype observables = std::count_if(lignes_.begin(), lignes_.end(), [](const auto& l) { return l.observable; });
        LabelEtat->setText(tr("%1 phénomènes, dont %2 observables, du %3 au %4 (heure civile, "
                                          "Différence TU-TC = %5 h). Double-cliquer sur une ligne pour l'afficher.")
                               .arg(lignes_.size())
                               .arg(observables)
                               .arg(TextDu->text(), TextAu->text(), etat_->offsetText())
                           + tr(" Phénomènes mutuels : %n, à l'heure du maximum ; toujours selon la théorie précise (L1.2).",
                                nullptr, int(mutuels_.size())));
    }
    emit calculTermine();
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
    if (!isVisible() || theorieLignes_ == etat_->theory())
        return;
    if (travail_)
        LabelEtat->setText(tr("La théorie a changé : recalculer une fois ce calcul terminé."));
    else
        CommandCalculer_Click();
}

void FenetrePhenomenes::CommandAnnuler_Click()
{
    if (annule_)
        annule_->store(true);
}

void FenetrePhenomenes::remplitTableau()
{
    Tableau->setSortingEnabled(false);
    modele_->removeRows(0, modele_->rowCount());
    modele_->setRowCount(int(lignes_.size()));
    const auto cellule = [](const QString& texte, const QVariant& tri) {
        auto* c = new QStandardItem(texte);
        c->setData(tri, Qt::UserRole);
        return c;
    };
    for (std::size_t i = 0; i < lignes_.size(); ++i) {
        const zeno::ProgrammeRow& l = lignes_[i];
        const int r = int(i);
        auto* date = cellule(zeno::dateTimeText(l.civil, locale_), l.ut.toSecsSinceEpoch() * 8 + (l.satellite < 0 ? 4 : l.satellite));
        date->setData(int(i), kRoleLigne);
        modele_->setItem(r, DateTC, date);
        modele_->setItem(r, DateTU, cellule(zeno::dateTimeText(l.ut, locale_), date->data(Qt::UserRole)));
        const QString sat = l.satellite < 0 ? QStringLiteral("—") : nomSatellite(l.satellite);
        modele_->setItem(r, Satellite, cellule(sat, l.satellite < 0 ? 4 : l.satellite));
        modele_->setItem(r, Phenomene, cellule(shownWord(l.phenomenon), l.phenomenon));
        modele_->setItem(r, Changement, cellule(shownWord(l.change), l.change));
        modele_->setItem(r, HauteurJupiter, cellule(locale_.toString(l.jupiterAltDeg, 'f', 1), l.jupiterAltDeg));
        modele_->setItem(r, HauteurSoleil, cellule(locale_.toString(l.sunAltDeg, 'f', 1), l.sunAltDeg));
        auto* vu = cellule(l.observable ? tr("oui") : tr("non"), l.observable);
        if (l.observable)
            vu->setForeground(QColor(0, 128, 0));
        modele_->setItem(r, Observable, vu);
    }
    Tableau->setSortingEnabled(true);
    Tableau->resizeColumnsToContents();
}

std::vector<zeno::ProgrammeRow> FenetrePhenomenes::lignesVisibles() const
{
    std::vector<zeno::ProgrammeRow> v;
    for (int r = 0; r < filtre_->rowCount(); ++r)
        v.push_back(lignes_[std::size_t(filtre_->index(r, 0).data(kRoleLigne).toInt())]);
    return v;
}

QString FenetrePhenomenes::texteVisible() const
{
    return zeno::programmeCsv(lignesVisibles(), locale_, avecLieu_, theorieLignes_);
}

bool FenetrePhenomenes::exporte(const QString& chemin)
{
    // QSaveFile writes beside and renames at commit: a failure leaves no
    // half-written file under the chosen name.
    QSaveFile f(chemin);
    if (!f.open(QIODevice::WriteOnly) || f.write(texteVisible().toUtf8()) < 0 || !f.commit()) {
        message(tr("Impossible d'écrire le fichier « %1 » : %2").arg(chemin, f.errorString()));
        return false;
    }
    LabelEtat->setText(tr("%1 lignes exportées dans « %2 ».").arg(filtre_->rowCount()).arg(chemin));
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
    LabelEtat->setText(tr("%1 lignes copiées dans le presse-papiers.").arg(filtre_->rowCount()));
}

std::vector<zeno::ProgrammeRow> FenetrePhenomenes::lignesChoisies() const
{
    const QModelIndexList choisies = Tableau->selectionModel()->selectedRows();
    if (choisies.isEmpty())
        return lignesVisibles();
    std::vector<std::size_t> indices;
    for (const QModelIndex& i : choisies)
        indices.push_back(std::size_t(filtre_->index(i.row(), 0).data(kRoleLigne).toInt()));
    std::sort(indices.begin(), indices.end());   // the rows are in time order
    std::vector<zeno::ProgrammeRow> v;
    for (std::size_t i : indices)
        v.push_back(lignes_[i]);
    return v;
}

QString FenetrePhenomenes::titreDocument() const
{
    return tr("Phénomènes du %1 au %2").arg(TextDu->text(), TextAu->text());
}

QString FenetrePhenomenes::sousTitreDocument() const
{
    QStringList parts;
    if (avecLieu_)
        parts << tr("Lieu : %1").arg(zeno::placeText(etat_->observer().site, locale_));
    parts << zeno::theoryText(theorieLignes_)
          << tr("heures civiles (Différence TU-TC = %1 h)").arg(etat_->offsetText());
    return parts.join(QStringLiteral("  ·  "));
}

bool FenetrePhenomenes::exportePdf(const QString& chemin)
{
    const std::vector<zeno::ProgrammeRow> rows = lignesVisibles();
    const QByteArray pdf = zeno::tablePdf(rows, titreDocument(), sousTitreDocument(), avecLieu_, locale_);
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
    const QByteArray ics = zeno::icsProgramme(rows, avecLieu_ ? zeno::placeText(etat_->observer().site, locale_) : QString(),
                                              avecLieu_, theorieLignes_, QDateTime::currentDateTimeUtc());
    if (const QString faute = zeno::writeWhole(chemin, ics); !faute.isEmpty()) {
        message(faute);
        return false;
    }
    LabelEtat->setText(tr("%1 événements écrits dans l'agenda « %2 ».").arg(rows.size()).arg(chemin));
    return true;
}

void FenetrePhenomenes::imprime(QPrinter* imprimante)
{
    zeno::paintTableDocument(*imprimante, lignesVisibles(), titreDocument(), sousTitreDocument(), avecLieu_, locale_);
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
    if (!index.isValid())
        return;
    const zeno::ProgrammeRow& l = lignes_[std::size_t(filtre_->index(index.row(), 0).data(kRoleLigne).toInt())];
    // The instant in the civil time of the offset now in the main window.
    bool ok = false;
    const double decalage = decalageHeures(&ok);
    double heures = l.civil.secsTo(l.ut) / 3600.0;   // the row's own offset
    if (ok) {
        try {
            zeno::addHours(l.ut, -decalage);
            heures = decalage;
        } catch (const zeno::ErreurExecution&) {
        }
    }
    etat_->requestShow(zeno::Instant{l.ut, heures});
}

void FenetrePhenomenes::Tableau_SelectionChange(const QModelIndex& index)
{
    const int i = index.isValid() ? filtre_->index(index.row(), 0).data(kRoleLigne).toInt() : -1;
    const zeno::ProgrammeRow* l = i >= 0 && std::size_t(i) < lignes_.size() ? &lignes_[std::size_t(i)] : nullptr;
    CommandReduire->setEnabled(l && l->mutual >= 0 && std::size_t(l->mutual) < mutuels_.size());
    if (!l || l->mutual < 0 || std::size_t(l->mutual) >= mutuels_.size()) {
        PanneauMutuel->setVisible(false);
        return;
    }
    PanneauMutuel->setEvent(mutuels_[std::size_t(l->mutual)],
                            MutualEventPanel::AtPlace{l->jupiterAltDeg, l->sunAltDeg, l->observable});
    PanneauMutuel->setVisible(true);
}

void FenetrePhenomenes::CommandReduire_Click()
{
    emit reductionDemandee(PanneauMutuel->event());
}

void FenetrePhenomenes::setInversions(bool estOuest, bool nordSud)
{
    PanneauMutuel->setFlips(estOuest, nordSud);
}

void FenetrePhenomenes::CommandLieu_Click()
{
    DialogueLieu d(etat_->observer(), locale_, this);
    if (d.exec() != QDialog::Accepted)
        return;
    etat_->setObserver(d.resultat());   // the place's line follows
    if (ComboPeriode->currentIndex() == 0)
        remplitPeriode();
    CommandCalculer_Click();
}
