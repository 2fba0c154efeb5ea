#include "fenetregraphique.h"

#include "avx_state.h"
#include "erreur.h"
#include "regional.h"
#include "scene_frame.h"
#include "shared_state.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QThread>
#include <QToolTip>
#include <QVBoxLayout>

#include <cmath>

namespace {

// The observer's clock, or the system's when the kept zone is unknown here.
QTimeZone placeZone(const settings::Observer& o)
{
    return o.timeZone.isValid() ? o.timeZone : QTimeZone::systemTimeZone();
}

constexpr double kPixelsParJour = 40;                  // at first
constexpr double kEchelleMin = 10, kEchelleMax = 480;  // pixels per day
constexpr double kPasZoom = 1.25;
constexpr double kMarge = 8;                           // around the plot, pixels
constexpr double kProximite = 8;                       // pixels: how near a track the pointer reads it

// A strip above or below the chart drawn by the chart's painter.
class Bandeau : public QWidget {
public:
    Bandeau(int hauteur, std::function<void(QPainter&, const QRect&)> dessin, QWidget* parent)
        : QWidget(parent), dessin_(std::move(dessin))
    {
        setFixedHeight(hauteur);
        setAutoFillBackground(true);
        QPalette pal = palette();
        pal.setColor(QPalette::Window, Qt::white);
        setPalette(pal);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        dessin_(p, rect());
    }

private:
    std::function<void(QPainter&, const QRect&)> dessin_;
};

QString heureTexte(zeno::UtSeconds t)
{
    return QDateTime::fromSecsSinceEpoch(t, Qt::UTC).toString(QStringLiteral("HH:mm"));
}

} // namespace

// ---------------------------------------------------------------------------
// The drawing surface

ZoneGraphique::ZoneGraphique(const QLocale& locale, QWidget* parent) : QWidget(parent), locale_(locale)
{
    setObjectName(QStringLiteral("ZoneGraphique"));
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::CrossCursor);
}

void ZoneGraphique::setGraphique(const zeno::MonthChart* chart, bool flipEW)
{
    chart_ = chart;
    peintre_ = chart ? std::make_unique<zeno::ChartPainter>(*chart, flipEW) : nullptr;
    place();
}

void ZoneGraphique::setEchelle(double pixelsParJour)
{
    pixelsParJour_ = std::clamp(pixelsParJour, kEchelleMin, kEchelleMax);
    place();
}

void ZoneGraphique::place()
{
    const double jours = chart_ ? double(chart_->end - chart_->start) / zeno::kSecondsPerDay : 31;
    const int hauteur = int(std::ceil(jours * pixelsParJour_ + 2 * kMarge));
    setMinimumHeight(hauteur);
    setMaximumHeight(hauteur);
    if (peintre_)
        peintre_->setPlot(QRectF(zeno::ChartPainter::kLeftMargin + kMarge, kMarge,
                                 std::max(100.0, width() - zeno::ChartPainter::kLeftMargin - 2 * kMarge),
                                 jours * pixelsParJour_));
    update();
    emit geometrieChangee();
}

int ZoneGraphique::hauteurDe(zeno::UtSeconds ut) const
{
    return peintre_ ? int(peintre_->yOf(ut)) : 0;
}

void ZoneGraphique::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    place();
}

void ZoneGraphique::paintEvent(QPaintEvent* e)
{
    // Only what shows in the scroll area's view, not the whole month.
    const QRect r = e->rect() & visibleRegion().boundingRect();
    QPainter p(this);
    p.setClipRect(r);
    p.fillRect(r, Qt::white);
    if (!peintre_)
        return;
    peintre_->paint(p, QRectF(r));
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(peintre_->plot());
}

QString ZoneGraphique::description(int satellite, zeno::UtSeconds ut) const
{
    const zeno::MonthChart& c = *chart_;
    const QDateTime axe = QDateTime::fromSecsSinceEpoch(c.axisOf(ut), Qt::UTC);
    // The date alone (midnight) in the regional order, then the minute.
    QString quand = zeno::weekdayShort(axe.date().dayOfWeek()) + u' '
                    + zeno::dateTimeText(QDateTime(axe.date(), QTime(0, 0), Qt::UTC), locale_) + u' '
                    + axe.toString(QStringLiteral("HH:mm"));
    if (c.localAxis())
        quand += tr(" (heure locale, %1, %2 TU)").arg(QString::fromUtf8(c.options.zone.id()), heureTexte(ut));
    else
        quand += c.options.civilAxis ? tr(" (heure civile, %1 TU)").arg(heureTexte(ut)) : tr(" TU");
    if (satellite < 0)
        return quand;
    const double x = c.xAt(satellite, ut);
    QStringList etats;
    const unsigned bits = c.phasesAt(satellite, ut);
    if (bits & (1u << int(zeno::PhaseKind::Eclipse)))
        etats << tr("éclipsé");
    if (bits & (1u << int(zeno::PhaseKind::Occultation)))
        etats << tr("occulté");
    if (bits & (1u << int(zeno::PhaseKind::Transit)))
        etats << tr("passage devant Jupiter");
    if (bits & (1u << int(zeno::PhaseKind::Shadow)))
        etats << tr("son ombre sur Jupiter");
    // A mutual event within a few pixels of the pointer, for the satellite hidden or hiding.
    const zeno::UtSeconds marge = zeno::UtSeconds(3 * zeno::kSecondsPerDay / pixelsParJour_);
    for (const zeno::MutualMark& m : c.mutual) {
        if (ut < m.from - marge || ut > m.to + marge)
            continue;
        const QString actif = zeno::satelliteDisplayName(m.active);
        const QString passif = zeno::satelliteDisplayName(m.passive);
        const QString debut = heureTexte(m.from), fin = heureTexte(m.to);
        if (m.passive == satellite)
            etats << (m.eclipse ? tr("dans l'ombre de %1 (%2–%3 TU)") : tr("occulté par %1 (%2–%3 TU)")).arg(actif, debut, fin);
        else if (m.active == satellite)
            etats << (m.eclipse ? tr("son ombre sur %1 (%2–%3 TU)") : tr("devant %1 (%2–%3 TU)")).arg(passif, debut, fin);
    }
    for (const zeno::ApproximationMark& m : c.approximations) {
        if (ut < m.at - marge || ut > m.at + marge || (m.first != satellite && m.second != satellite))
            continue;
        const QString autre = zeno::satelliteDisplayName(m.first == satellite ? m.second : m.first);
        etats << tr("au plus près de %1 (%2″ à %3 TU)").arg(autre, locale_.toString(m.distanceArcsec, 'f', 1), heureTexte(m.at));
    }
    // The side as the chart and the main window's scene name it.
    const QString cote = x >= 0 ? tr("côté est") : tr("côté ouest");
    QString texte = tr("%1 — %2 — %3 rayons de Jupiter, %4")
                        .arg(zeno::satelliteDisplayName(satellite), quand,
                             locale_.toString(std::abs(x), 'f', 2), cote);
    if (!etats.isEmpty())
        texte += tr(" — %1").arg(etats.join(QStringLiteral(", ")));
    return texte;
}

void ZoneGraphique::mouseMoveEvent(QMouseEvent* e)
{
    if (!peintre_)
        return;
    const QPointF m = e->position();
    const zeno::UtSeconds ut = peintre_->utAt(m.y());
    if (ut < chart_->start || ut > chart_->end)
        return;
    const int s = peintre_->satelliteNear(m.x(), m.y(), kProximite);
    const QString texte = description(s, ut);
    if (s >= 0)
        QToolTip::showText(e->globalPosition().toPoint(), texte, this);
    else
        QToolTip::hideText();
    emit survol(texte);
}

void ZoneGraphique::mousePressEvent(QMouseEvent* e)
{
    if (!peintre_ || e->button() != Qt::LeftButton)
        return;
    const zeno::UtSeconds ut = peintre_->utAt(e->position().y());
    if (ut >= chart_->start && ut <= chart_->end)
        emit clic(ut);
}

void ZoneGraphique::wheelEvent(QWheelEvent* e)
{
    if (e->modifiers() & Qt::ControlModifier) {
        emit zoom(e->angleDelta().y() > 0 ? 1 : -1);
        e->accept();
        return;
    }
    e->ignore();   // the scroll area scrolls
}

// ---------------------------------------------------------------------------
// The window

FenetreGraphique::FenetreGraphique(SharedState* etat, const QLocale& locale, QWidget* parent)
    : QWidget(parent, Qt::Window), etat_(etat), locale_(locale)
{
    setObjectName(QStringLiteral("FenetreGraphique"));
    setWindowTitle(tr("Graphique"));
    resize(860, 900);
    message = [this](const QString& texte) { QMessageBox::warning(this, tr("Graphique"), texte); };
    choixFichier = [this] {
        return QFileDialog::getSaveFileName(
            this, tr("Enregistrer le graphique"),
            QStringLiteral("zenolune-%1-%2.pdf").arg(SpinAnnee->value(), 4, 10, QChar(u'0')).arg(ComboMois->currentIndex() + 1, 2, 10, QChar(u'0')),
            tr("PDF (*.pdf);;SVG (*.svg);;PNG (*.png)"));
    };

    const auto nomme = [](QWidget* w, const char* nom) { w->setObjectName(QString::fromLatin1(nom)); };
    CommandPrecedent = new QPushButton(tr("◀ &Précédent"), this);
    nomme(CommandPrecedent, "CommandPrecedent");
    ComboMois = new QComboBox(this);
    nomme(ComboMois, "ComboMois");
    for (int m = 1; m <= 12; ++m)
        ComboMois->addItem(zeno::monthTitle(2000, m).section(u' ', 0, 0));
    SpinAnnee = new QSpinBox(this);
    nomme(SpinAnnee, "SpinAnnee");
    SpinAnnee->setRange(100, 9999);
    SpinAnnee->setKeyboardTracking(false);
    CommandSuivant = new QPushButton(tr("&Suivant ▶"), this);
    nomme(CommandSuivant, "CommandSuivant");
    CommandCeMois = new QPushButton(tr("&Ce mois-ci"), this);
    nomme(CommandCeMois, "CommandCeMois");
    ComboHeure = new QComboBox(this);
    nomme(ComboHeure, "ComboHeure");
    ComboHeure->addItems({tr("Heures TU"), tr("Heures civiles (TU-TC)"), QString()});   // the zone's name: calcule
    ComboHeure->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    ComboHeure->setToolTip(tr("Les jours et les heures du graphique en Temps Universel, en heure civile selon la "
                              "« Différence TU-TC » de la fenêtre principale, ou à l'heure locale du lieu "
                              "d'observation (heure d'été comprise)"));
    ComboPapier = new QComboBox(this);
    nomme(ComboPapier, "ComboPapier");
    ComboPapier->addItems({QStringLiteral("A4"), QStringLiteral("Letter")});
    ComboPapier->setToolTip(tr("Le format de papier de l'impression et du PDF"));
    CommandMoins = new QPushButton(QStringLiteral("−"), this);
    nomme(CommandMoins, "CommandMoins");
    CommandMoins->setToolTip(tr("Réduire (touche −, ou Ctrl + molette)"));
    CommandPlus = new QPushButton(QStringLiteral("+"), this);
    nomme(CommandPlus, "CommandPlus");
    CommandPlus->setToolTip(tr("Agrandir (touche +, ou Ctrl + molette)"));
    for (QPushButton* b : {CommandMoins, CommandPlus})
        b->setFixedWidth(28);
    CommandImprimer = new QPushButton(tr("&Imprimer…"), this);
    nomme(CommandImprimer, "CommandImprimer");
    CommandEnregistrer = new QPushButton(tr("&Enregistrer…"), this);
    nomme(CommandEnregistrer, "CommandEnregistrer");
    CommandEnregistrer->setToolTip(tr("Enregistrer le graphique en PDF (avec le tableau des phénomènes du mois), SVG ou PNG"));

    auto* ligne = new QHBoxLayout;
    ligne->addWidget(CommandPrecedent);
    ligne->addWidget(ComboMois);
    ligne->addWidget(SpinAnnee);
    ligne->addWidget(CommandSuivant);
    ligne->addWidget(CommandCeMois);
    ligne->addSpacing(12);
    ligne->addWidget(ComboHeure);
    ligne->addStretch(1);
    ligne->addWidget(CommandMoins);
    ligne->addWidget(CommandPlus);
    ligne->addSpacing(12);
    ligne->addWidget(ComboPapier);
    ligne->addWidget(CommandImprimer);
    ligne->addWidget(CommandEnregistrer);

    Zone = new ZoneGraphique(locale_);
    Zone->setEchelle(kPixelsParJour);
    Defilement = new QScrollArea(this);
    nomme(Defilement, "Defilement");
    Defilement->setFrameShape(QFrame::NoFrame);
    Defilement->setWidgetResizable(true);
    Defilement->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Defilement->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Defilement->setWidget(Zone);
    Entete = new Bandeau(34, [this](QPainter& p, const QRect&) {
        if (Zone->peintre())
            Zone->peintre()->paintHeader(p, QRectF(0, 2, width(), 30));
    }, this);
    nomme(Entete, "Entete");
    Legende = new Bandeau(40, [this](QPainter& p, const QRect& r) {
        if (Zone->peintre())
            Zone->peintre()->paintLegend(p, QRectF(r).adjusted(kMarge, 4, -kMarge, -2));
    }, this);
    nomme(Legende, "Legende");
    LabelEtat = new QLabel(this);
    nomme(LabelEtat, "LabelEtat");
    LabelEtat->setWordWrap(true);
    LabelEtat->setMinimumHeight(LabelEtat->fontMetrics().height() * 2);

    auto* pile = new QVBoxLayout(this);
    pile->addLayout(ligne);
    pile->addWidget(Entete);
    pile->addWidget(Defilement, 1);
    pile->addWidget(Legende);
    pile->addWidget(LabelEtat);
    pile->setSpacing(2);

    const QDate aujourdhui = QDateTime::currentDateTimeUtc().date();
    SpinAnnee->setValue(aujourdhui.year());
    ComboMois->setCurrentIndex(aujourdhui.month() - 1);
    {
        nommeHeureLocale();
        QStringList remis;
        const settings::ChartChoices c = settings::readChartChoices(kPixelsParJour, kEchelleMin, kEchelleMax, &remis);
        if (!remis.isEmpty())
            reglagesRemis_ = tr(" Réglages illisibles, remis à leur valeur par défaut : %1.").arg(remis.join(QStringLiteral(", ")));
        ComboHeure->setCurrentIndex(c.hour);
        ComboPapier->setCurrentIndex(c.paper);
        Zone->setEchelle(c.scale);
    }

    connect(etat_, &SharedState::theoryChanged, this, &FenetreGraphique::theorieChangee);
    connect(etat_, &SharedState::l12CorrectedChanged, this, &FenetreGraphique::theorieChangee);   // its mutual events
    connect(etat_, &SharedState::offsetTextChanged, this, &FenetreGraphique::decalageChange);
    connect(CommandPrecedent, &QPushButton::clicked, this, &FenetreGraphique::CommandPrecedent_Click);
    connect(CommandSuivant, &QPushButton::clicked, this, &FenetreGraphique::CommandSuivant_Click);
    connect(CommandCeMois, &QPushButton::clicked, this, &FenetreGraphique::CommandCeMois_Click);
    connect(ComboMois, &QComboBox::activated, this, [this] { afficheMois(SpinAnnee->value(), ComboMois->currentIndex() + 1); });
    connect(SpinAnnee, &QSpinBox::valueChanged, this, [this] { afficheMois(SpinAnnee->value(), ComboMois->currentIndex() + 1); });
    connect(ComboHeure, &QComboBox::activated, this, &FenetreGraphique::ComboHeure_Change);
    connect(ComboPapier, &QComboBox::activated, this, [this] { settings::writeChartPaper(ComboPapier->currentIndex()); });
    connect(CommandPlus, &QPushButton::clicked, this, &FenetreGraphique::CommandPlus_Click);
    connect(CommandMoins, &QPushButton::clicked, this, &FenetreGraphique::CommandMoins_Click);
    connect(CommandImprimer, &QPushButton::clicked, this, &FenetreGraphique::CommandImprimer_Click);
    connect(CommandEnregistrer, &QPushButton::clicked, this, &FenetreGraphique::CommandEnregistrer_Click);
    connect(Zone, &ZoneGraphique::survol, LabelEtat, &QLabel::setText);
    connect(Zone, &ZoneGraphique::clic, this,
            [this](zeno::UtSeconds ut) { emit allerA(QDateTime::fromSecsSinceEpoch(ut, Qt::UTC)); });
    connect(Zone, &ZoneGraphique::geometrieChangee, Entete, qOverload<>(&QWidget::update));
    connect(Zone, &ZoneGraphique::geometrieChangee, Legende, qOverload<>(&QWidget::update));
    connect(Zone, &ZoneGraphique::zoom, this, [this](int crans) { zoome(std::pow(kPasZoom, crans)); });
}

FenetreGraphique::~FenetreGraphique()
{
    if (travail_) {
        travail_->wait();
        QApplication::restoreOverrideCursor();
    }
}

void FenetreGraphique::showEvent(QShowEvent* e)
{
    QWidget::showEvent(e);
    if (!aJour_)
        calcule();
}

void FenetreGraphique::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Plus || e->key() == Qt::Key_Equal)
        CommandPlus_Click();
    else if (e->key() == Qt::Key_Minus)
        CommandMoins_Click();
    else
        QWidget::keyPressEvent(e);
}

void FenetreGraphique::afficheMois(int annee, int mois)
{
    if (const QString faute = zeno::checkMonth(annee, mois); !faute.isEmpty()) {
        message(faute);
        return;
    }
    {
        const QSignalBlocker a(SpinAnnee), m(ComboMois);
        SpinAnnee->setValue(annee);
        ComboMois->setCurrentIndex(mois - 1);
    }
    CommandPrecedent->setEnabled(annee > 100 || mois > 1);
    CommandSuivant->setEnabled(annee < 9999 || mois < 12);
    aJour_ = false;
    if (isVisible())
        calcule();
}

void FenetreGraphique::CommandPrecedent_Click()
{
    const QDate d = QDate(SpinAnnee->value(), ComboMois->currentIndex() + 1, 1).addMonths(-1);
    afficheMois(d.year(), d.month());
}

void FenetreGraphique::CommandSuivant_Click()
{
    const QDate d = QDate(SpinAnnee->value(), ComboMois->currentIndex() + 1, 1).addMonths(1);
    afficheMois(d.year(), d.month());
}

void FenetreGraphique::CommandCeMois_Click()
{
    const QDate d = QDateTime::currentDateTimeUtc().date();
    afficheMois(d.year(), d.month());
}

void FenetreGraphique::nommeHeureLocale()
{
    ComboHeure->setItemText(2, zeno::localTimeHeading(placeZone(etat_->observer())));
}

void FenetreGraphique::ComboHeure_Change(int index)
{
    settings::writeChartHour(index);
    aJour_ = false;
    if (isVisible())
        calcule();
}

void FenetreGraphique::theorieChangee()
{
    aJour_ = false;
    if (isVisible())
        calcule(false);
}

void FenetreGraphique::decalageChange(const QString& texteDecalage)
{
    // While the field is being typed ("-", "") the chart waits for a number.
    try {
        zeno::readNumber(texteDecalage, locale_);
    } catch (const zeno::ErreurExecution&) {
        return;
    }
    if (ComboHeure->currentIndex() == 1) {
        aJour_ = false;
        if (isVisible())
            calcule(false);
    }
}

void FenetreGraphique::setInversionEstOuest(bool inversee)
{
    inversee_ = inversee;
    if (aJour_)
        Zone->setGraphique(&chart_, inversee_);
}

void FenetreGraphique::zoome(double facteur)
{
    // The instant at the middle of the view stays there.
    QScrollBar* barre = Defilement->verticalScrollBar();
    const double milieu = barre->value() + Defilement->viewport()->height() / 2.0;
    const zeno::UtSeconds ut = Zone->peintre() ? Zone->peintre()->utAt(milieu) : 0;
    Zone->setEchelle(Zone->echelle() * facteur);
    settings::writeChartScale(Zone->echelle());
    Zone->adjustSize();
    if (Zone->peintre())
        barre->setValue(Zone->hauteurDe(ut) - Defilement->viewport()->height() / 2);
}

void FenetreGraphique::CommandPlus_Click() { zoome(kPasZoom); }
void FenetreGraphique::CommandMoins_Click() { zoome(1 / kPasZoom); }

void FenetreGraphique::calcule(bool parUtilisateur)
{
    if (travail_) {
        encoreUneFois_ = true;
        parUtilisateur_ = parUtilisateur_ || parUtilisateur;
        return;
    }
    parUtilisateur_ = parUtilisateur;
    nommeHeureLocale();   // the place may have changed in "Phénomènes"
    const settings::Observer& observateur = etat_->observer();
    zeno::MonthChartOptions o;
    o.year = SpinAnnee->value();
    o.month = ComboMois->currentIndex() + 1;
    o.theorie = etat_->theory();
    o.offsetText = etat_->offsetText();
    o.civilAxis = ComboHeure->currentIndex() == 1;
    if (ComboHeure->currentIndex() == 2)
        o.zone = placeZone(observateur);
    o.site = observateur.site;
    o.visibility = observateur.visibility;
    o.grs = observateur.redSpot;
    LabelEtat->setText(tr("Calcul du mois…"));
    QApplication::setOverrideCursor(Qt::BusyCursor);
    // The month is computed beside the event loop with its own pass.
    const QLocale locale = locale_;
    travail_ = QThread::create([this, o, locale] {
        zeno::clearUpperAvxState();
        zeno::MonthChart c;
        QString faute;
        try {
            c = zeno::computeMonthChart(o, locale);
        } catch (const zeno::ErreurExecution& e) {
            faute = e.texte();
        }
        QMetaObject::invokeMethod(
            this, [this, c = std::move(c), faute]() mutable { termine(std::move(c), faute); }, Qt::QueuedConnection);
    });
    connect(travail_, &QThread::finished, travail_, &QObject::deleteLater);
    travail_->start();
}

void FenetreGraphique::termine(zeno::MonthChart chart, const QString& faute)
{
    travail_->wait();
    travail_ = nullptr;
    QApplication::restoreOverrideCursor();
    if (encoreUneFois_) {
        encoreUneFois_ = false;
        calcule(parUtilisateur_);
        return;
    }
    if (!faute.isEmpty()) {
        LabelEtat->setText(tr("Calcul impossible : %1").arg(faute));
        if (parUtilisateur_)
            message(tr("Calcul impossible : %1 (vérifier la « Différence TU-TC » de la fenêtre principale).").arg(faute));
        emit calculTermine();
        return;
    }
    const bool memeMois = aJour_ || (chart_.options.year == chart.options.year && chart_.options.month == chart.options.month);
    const int position = Defilement->verticalScrollBar()->value();
    chart_ = std::move(chart);
    aJour_ = true;
    Zone->setGraphique(&chart_, inversee_);
    Zone->adjustSize();
    // The month of today opens at today; another month at its start.
    const zeno::UtSeconds maintenant = QDateTime::currentSecsSinceEpoch();
    if (memeMois)
        Defilement->verticalScrollBar()->setValue(position);
    else if (maintenant >= chart_.start && maintenant < chart_.end)
        Defilement->verticalScrollBar()->setValue(Zone->hauteurDe(maintenant) - 2 * int(Zone->echelle()) / 3);
    else
        Defilement->verticalScrollBar()->setValue(0);
    Entete->update();
    Legende->update();
    const auto n = std::count_if(chart_.rows.begin(), chart_.rows.end(), [](const auto& r) { return r.satellite >= 0 && r.mutual < 0; });
    LabelEtat->setText(tr("%1 — %2 phénomènes des satellites — %3. Survoler une trajectoire pour la lire ; cliquer "
                          "pour afficher l'instant dans la fenêtre principale.")
                           .arg(zeno::monthTitle(chart_.options.year, chart_.options.month))
                           .arg(n)
                           .arg(zeno::theoryText(chart_.options.theorie))
                       + reglagesRemis_);
    setWindowTitle(tr("Graphique — %1").arg(zeno::monthTitle(chart_.options.year, chart_.options.month)));
    emit calculTermine();
}

zeno::ChartDocumentOptions FenetreGraphique::optionsDocument() const
{
    zeno::ChartDocumentOptions o;
    o.flipEW = inversee_;
    o.placeText = zeno::placeText(etat_->observer().site, locale_);
    if (!etat_->observer().siteSet)
        o.placeText += tr(" (Paris, par défaut)");
    o.pageSize = QPageSize(ComboPapier->currentIndex() == 1 ? QPageSize::Letter : QPageSize::A4);
    return o;
}

bool FenetreGraphique::enregistre(const QString& chemin)
{
    if (!aJour_ || travail_) {
        message(tr("Le graphique n'est pas encore calculé : réessayer dans un instant."));
        return false;
    }
    if (const QString faute = zeno::exportMonth(chart_, optionsDocument(), chemin, locale_); !faute.isEmpty()) {
        message(faute);
        return false;
    }
    LabelEtat->setText(tr("Graphique enregistré dans « %1 ».").arg(chemin));
    return true;
}

void FenetreGraphique::CommandEnregistrer_Click()
{
    const QString chemin = choixFichier();
    if (!chemin.isEmpty())
        enregistre(chemin);
}

void FenetreGraphique::imprime(QPrinter* imprimante)
{
    zeno::ChartDocumentOptions o = optionsDocument();
    o.pageSize = imprimante->pageLayout().pageSize();
    zeno::paintMonthDocument(*imprimante, chart_, o, locale_);
}

void FenetreGraphique::CommandImprimer_Click()
{
    if (!aJour_ || travail_) {
        message(tr("Le graphique n'est pas encore calculé : réessayer dans un instant."));
        return;
    }
    QPrinter imprimante(QPrinter::HighResolution);
    imprimante.setPageSize(optionsDocument().pageSize);
    imprimante.setDocName(tr("Zenolune — %1").arg(zeno::monthTitle(chart_.options.year, chart_.options.month)));
    QPrintPreviewDialog apercu(&imprimante, this);
    apercu.setWindowTitle(tr("Aperçu avant impression"));
    connect(&apercu, &QPrintPreviewDialog::paintRequested, this, &FenetreGraphique::imprime);
    apercu.exec();
}
