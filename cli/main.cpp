// zenolune-ephem: the window's computation pass from the command line, one
// JSON object per line, and a timetable of the phenomena for observers.
#include "approx_commands.h"
#include "documents.h"
#include "enregistreur.h"
#include "erreur.h"
#include "events.h"
#include "language.h"
#include "l12_correction.h"
#include "modern_theory.h"
#include "ical.h"
#include "safe_write.h"
#include "light_curve_fit.h"
#include "measurement.h"
#include "month_chart.h"
#include "mutual_events.h"
#include "night.h"
#include "scene_frame.h"
#include "passe.h"
#include "night_programme.h"
#include "regional.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QSettings>
#include <QStringList>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include <unistd.h>

using namespace zeno;

namespace {

// Where the texts of the documents the companion writes (chart, calendar) come from.
const QSet<QString> kDocumentContexts{QStringLiteral("Documents"), QStringLiteral("Graphique"), QStringLiteral("Calendrier"),
                                      QStringLiteral("Phenomene"), QStringLiteral("Satellite")};

const char* const kAide = QT_TRANSLATE_NOOP("zenolune-ephem", R"(Usage :
  zenolune-ephem [options] DATE...
  zenolune-ephem [options] --from DATE --to DATE [--step PAS]
  zenolune-ephem [options] --events --from DATE --to DATE [--step PAS] [--csv] [--ics FICHIER]
  zenolune-ephem --night --site LAT,LON[,H] [--at DATE]
  zenolune-ephem [options] --chart AAAA-MM --out FICHIER.pdf|.svg|.png
  zenolune-ephem [options] --mutual --from DATE --to DATE [--site LAT,LON[,H]] [--min-drop MAG] [--csv]
  zenolune-ephem [options] --lightcurve CODE,DATE
  zenolune-ephem [options] --reduce FICHIER --event CODE,DATE [--site LAT,LON[,H]]
                 [--time-column N] [--flux-column N] [--sigma-column N]
                 [--comparison-column N] [--magnitudes]
  zenolune-ephem [options] --reduce ENREGISTREMENT [--event CODE,DATE] [--start DATE --fps N]
  zenolune-ephem [options] --measure ENREGISTREMENT [--event CODE,DATE] [--site LAT,LON[,H]]
                 [--start DATE --fps N] --out COURBE.csv
  zenolune-ephem [options] --approx --from DATE --to DATE [--site LAT,LON[,H]]
                 [--max-distance SECONDES_D_ARC] [--csv]
  zenolune-ephem [options] --reduce FICHIER --approx CODE,DATE [--site LAT,LON[,H]]
  zenolune-ephem [options] --reduce ENREGISTREMENT --approx CODE,DATE [--start DATE --fps N]

Calcule, pour chaque date (heure civile, sous la forme Jour/Mois/Année
Heure:Minute:Seconde, par exemple "01/01/2000 12:00:00", ou en ISO 8601,
2000-01-01 12:00:00), exactement ce que
Zenolune affiche après un appui sur « OK » : Jour Julien, date et heure TU,
méridiens centraux (Systèmes I et II), les seize phénomènes, l'enregistrement
complet des éphémérides et les disques dessinés. Une ligne JSON par date.

Options :
  --offset HEURES        Différence TU-TC, en heures (0 par défaut ; -1 en hiver
                         en France, -2 en été), de -14 à 14 ; 5,5 ou 5.5 pour
                         5 h 30.
  --flip-main EO,NS      Inversions Est-Ouest et Nord-Sud de la fenêtre
                         principale (0 ou 1 chacune ; 0,0 par défaut).
  --flip-reduced EO,NS   Inversions de la fenêtre réduite (0,0 par défaut).
  --locale NOM           Paramètres régionaux des dates et des nombres lus et
                         écrits (fr_FR, en_US…) ; par défaut les formes
                         françaises du programme (Jour/Mois/Année, virgule
                         décimale), quels que soient ceux du système : ce qui
                         est écrit se relit tel quel. L'ISO 8601 est toujours lu.
  --from DATE --to DATE  Une ligne par pas entre les deux dates.
  --step PAS             Le pas : un nombre et une unité, yyyy (années),
                         m (mois), d (jours), h (heures), n (minutes),
                         s (secondes) ; 10n par défaut.
  --events               Avec --from/--to : chaque début et chaque fin de
                         phénomène (Eclipsé, Occulté, Passage, Ombre), à la
                         seconde près, en heure civile. Le pas doit être plus
                         court que le plus bref des phénomènes cherchés (sinon,
                         un avertissement).
  --satellite NOM        Avec --events : Io, Europe, Ganymède ou Callisto seul.
  --csv                  Avec --events : tableau CSV au lieu de JSON.
  --theory THEORIE       originale (par défaut : la théorie de Meeus du
                         programme, inchangée), precise (satellites L1.2
                         corrigée par les observations 2009–2021, planètes
                         VSOP87, temps de lumière, Jupiter aplati, pôle et
                         rotation UAI ; horaires à quelques secondes) ou l12
                         (la même avec L1.2 telle que publiée).
                         Contacts de la théorie précise : ceux du centre du
                         satellite. Hors de %1, un avertissement.
  --grs L2,EPOQUE,DERIVE Avec --events : ajoute les passages de la Tache Rouge
                         au méridien central (Système II), sous le nom
                         « Tache Rouge ». L2 : longitude en Système II (degrés)
                         à l'époque EPOQUE (JJ/MM/AAAA ou AAAA-MM-JJ, 0 h TU) ;
                         DERIVE : degrés par mois de 30,436875 jours. Les
                         valeurs sont séparées par des virgules, les nombres
                         prennent un point décimal : 57,2024-07-01,1.5. À
                         mettre à jour d'après les observations récentes.
  --site LAT,LON[,H]     Avec --events : hauteurs de Jupiter et du Soleil au
                         lieu d'observation (latitude nord positive, longitude
                         EST positive, en degrés ; altitude H en mètres) et
                         « observable » quand Jupiter est à 10° au moins, le
                         Soleil à -6° au plus et le phénomène visible (un
                         phénomène « caché » se produit derrière Jupiter ou
                         dans son ombre) ; sinon "why" (colonne pourquoi en
                         CSV) en donne les raisons : hidden, jupiter_low,
                         daylight, faint (phénomène mutuel trop faible, voir
                         --min-drop). Séparateur : la virgule ; décimales :
                         le point. Exemple : 48.85,2.35,35. Le lieu compris est
                         écrit sur la sortie d'erreur.
  --night                Avec --site : la nuit prochaine au lieu (du coucher
                         au lever du Soleil, bord supérieur à -0,8333°), en
                         un objet JSON : start_ut, end_ut (JJ/MM/AAAA
                         hh:mm:ss, TU) et kind : "night", "midnight_sun" (pas
                         de nuit : les 24 h qui suivent) ou "polar_night"
                         (24 h sans lever du Soleil).
  --at DATE              Avec --night : l'instant de départ, en heure civile
                         (--offset) ; maintenant par défaut.
  --ics FICHIER          Avec --events : écrit aussi les phénomènes dans un
                         calendrier iCalendar (.ics), un événement par ligne,
                         heures en TU ; avec --site, le lieu de chaque événement.
  --chart AAAA-MM        Le graphique du mois (trajectoires des satellites,
                         nuits au lieu de --site, passages de la Tache Rouge
                         de --grs), heures civiles de --offset (TU si 0),
                         orientation de --flip-main ; sans écran.
  --out FICHIER          Avec --chart : le fichier écrit, au format de son
                         extension : .pdf (le graphique, puis le tableau des
                         phénomènes du mois ; A4), .svg ou .png. Avec
                         --measure : la courbe mesurée (CSV).
  --mutual               Avec --from/--to : les phénomènes mutuels des
                         satellites (occultations « iOj » : i passe devant j ;
                         éclipses « iEj » : j passe dans l'ombre de i ; 1 Io,
                         2 Europe, 3 Ganymède, 4 Callisto), un objet JSON par
                         phénomène dans l'ordre des maximums : code, type,
                         kind (total, annular, partial, penumbral), début,
                         maximum et fin en TU (jj/mm/aaaa hh:mm:ss), durée,
                         paramètre d'impact (km), part de la lumière de la
                         cible perdue, chute d'éclat du couple (magnitudes),
                         distance au limbe de Jupiter (rayons), cible dans
                         l'ombre de Jupiter, derrière ou devant son disque.
                         max_ut_sigma_s : l'incertitude (1 sigma, s) du
                         maximum : covariance de la correction et erreur du
                         modèle mesurée sur une saison laissée de côté.
                         Toujours avec la théorie précise (avec --theory l12 :
                         L1.2 publiée, sans incertitude). Avec --site : les
                         hauteurs et « observable » au maximum ; avec --csv :
                         un tableau CSV. Un satellite derrière Jupiter ou dans
                         son ombre ne donne aucune lumière : chute et lumière
                         perdue sont celles que mesure un photomètre.
                         Contacts : ceux des deux disques (occultation), de la
                         pénombre avec le disque de la cible (éclipse).
                         Photométrie : disques uniformes, albédos V 0,63,
                         0,67, 0,43, 0,17 ; pénombre d'un Soleil uniforme.
                         Écarts aux prédictions publiées (2014-2015, 2021) :
                         voir l'aide du programme.
  --min-drop MAG         Avec --mutual et --site : la chute d'éclat la plus
                         faible qui reste « observable » (0,02 magnitude par
                         défaut ; de 0 à 5, point décimal).
  --lightcurve CODE,DATE La courbe de lumière prévue du phénomène CODE (par
                         exemple 1O2) dont le maximum est le plus proche de
                         DATE (heure civile, à 24 h au plus), en CSV : instant
                         TU, secondes depuis le maximum, flux du couple (1 hors
                         du phénomène).
  --reduce FICHIER       Réduit une courbe de lumière observée, telle que
                         l'exporte le logiciel de photométrie : Tangra, PyMovie,
                         LiMovie, AstroImageJ (CSV ou tableau à tabulations),
                         C-Munipack/Muniwin, tableur, ou tout tableau d'un temps
                         et d'un flux (séparateur « , », « ; », tabulation ou
                         blancs, guillemets, virgule décimale hors « , » ;
                         UTF-8, UTF-16 ou Latin-1 ; préambule admis), du
                         phénomène donné par --event CODE,DATE (comme
                         --lightcurve). Temps : Jours Juliens TU (JD, MJD,
                         JD-2400000), date-heure ISO ou jj/mm/aaaa hh:mm:ss,
                         colonnes de date et d'heure, heure seule (date du
                         phénomène, passage à minuit compris) ou heures,
                         minutes, secondes en trois colonnes. Flux : relatif ou
                         magnitudes ; signal moins fond (Tangra) ; divisé par
                         la comparaison quand le fichier en donne une.
                         Ajuste la courbe prévue (moindres carrés de la GSL :
                         décalage en temps, paramètre d'impact, échelle du flux,
                         pente de la ligne de base ; incertitudes relevées à
                         0,2 fois leur médiane, points à plus de 5 sigma
                         écartés) et écrit un objet JSON : code, layout et
                         reading (la lecture du fichier), predicted_max_ut,
                         observed_max_ut (jj/mm/aaaa hh:mm:ss.s TU, au dixième
                         de seconde), sigma_s (1 sigma, covariance multipliée
                         par le chi2 réduit), o_minus_c_s, depth (part de la
                         lumière du couple perdue), impact_km, reduced_chi2,
                         points, clipped, warnings... Avec --site, la prévision
                         et l'O-C sont topocentriques ("topocentric": true).
                         Un ajustement qui ne passe pas ses contrôles (baisse du
                         bon signe, minimum entouré de points, profondeur
                         raisonnable, aucun point dominant) donne
                         "converged": false, "why" et le code de sortie 1.
  --time-column N        Avec --reduce : la colonne des temps (1 = la première) ;
                         par défaut d'après l'en-tête et les valeurs.
  --flux-column N        La colonne des flux ; par défaut d'après l'en-tête,
                         sinon le premier nombre qui n'est ni un temps ni un
                         numéro d'image.
  --sigma-column N       La colonne des incertitudes (0 : aucune) ; par défaut
                         d'après l'en-tête (err, sigma, s1...), sinon aucune.
  --comparison-column N  La colonne du flux de comparaison, par lequel le flux
                         est divisé (0 : aucune) ; par défaut d'après le
                         fichier (Signal (2) de Tangra...).
  --magnitudes           Les flux sont des magnitudes (par défaut quand
                         l'en-tête le dit : « mag », V-C de C-Munipack).
                         --reduce accepte aussi un enregistrement (voir
                         --measure) : il est mesuré, puis ajusté ; sans
                         --event, le phénomène dont le maximum tombe dans ses
                         heures.
  --measure FICHIER      Mesure la courbe de lumière sur l'enregistrement de
                         l'observateur : SER (heures TU de chaque image quand
                         il les a), cube FITS ou dossier de FITS (DATE-OBS et
                         EXPTIME : milieu de la pose), vidéo AVI, MP4…
                         Jupiter et les satellites sont trouvés sur les
                         premières images et nommés d'après la configuration
                         prévue (échelle, rotation et miroir ajustés) ; flux
                         du couple sur celui d'un troisième satellite, fond
                         mesuré dans un anneau. Écrit le CSV de --out (frame,
                         ut, relative_flux, pair_adu, comparison_adu, places
                         des ouvertures) et un résumé JSON ; les images
                         perdues ou saturées sont écartées et comptées.
  --start DATE           Avec un enregistrement : l'heure de la première image
                         (heure civile de --offset) quand le fichier n'en a
                         pas (vidéo) ou en a une fausse.
  --fps N                Avec --start : le nombre d'images par seconde (par
                         défaut celui de la vidéo).
  --approx               Avec --from/--to : les approximations mutuelles, quand
                         deux satellites passent au plus près l'un de l'autre
                         sur le ciel (code « iAj », 1 Io .. 4 Callisto), un
                         objet JSON par approximation dans l'ordre des
                         instants : code, central_ut (instant central, TU au
                         dixième de seconde, ISO 8601), distance_arcsec et
                         distance_km (distance apparente minimale),
                         speed_mas_s et motion_angle_deg (vitesse relative et
                         angle de position du mouvement), limb_arcsec (écart
                         de chaque satellite au bord de Jupiter),
                         mutual_event (le phénomène mutuel du couple en cours,
                         ou null), near_stationary (vitesse sous 1 mas/s :
                         instant central mal défini) et observable. Théorie
                         précise ; topocentrique avec --site (avec les
                         hauteurs de Jupiter et du Soleil), géocentrique
                         sinon ; avec --csv : un tableau CSV.
  --max-distance S       Avec --approx : la distance minimale retenue au plus,
                         en secondes d'arc (30 par défaut, de 1 à 300).
  --reduce FICHIER --approx CODE,DATE
                         Réduit la piste observée d'une approximation (CODE
                         comme 1A2, DATE en heure civile à 24 h près) : un
                         CSV du temps (JJ TU ou ISO TU) et de Δx, Δy (colonnes
                         dx, dy ; en pixels si l'en-tête dit px, sinon en
                         secondes d'arc) ou de la distance (colonne distance),
                         incertitude facultative (sigma). Ajuste
                         d(t)² = d0² + v²(t − t0)² (plus un terme de courbure
                         quand la piste se courbe ; Morgado et al. 2016) et
                         écrit un objet JSON : observed_central_ut, sigma_s,
                         o_minus_c_s et o_minus_c_mas contre la prévision
                         (topocentrique avec --site), minimum_distance...
                         Code de sortie 1 si l'ajustement échoue.
                         FICHIER peut être un enregistrement (SER, FITS,
                         vidéo ; --start et --fps s'il ne date pas ses
                         images) : les centres des deux satellites y sont
                         suivis image par image, leur écart donne la piste
                         (en secondes d'arc quand Jupiter et deux satellites,
                         ou trois satellites, fixent l'échelle ; en pixels
                         sinon), et le même objet JSON dit aussi frames et
                         kept ; bad_rows compte les images écartées.
  --version              Affiche la version.
  --help                 Affiche cette aide.

Avec --events, chaque ligne est écrite dès qu'elle est trouvée ; sur un
terminal, l'avancement s'affiche sur la sortie d'erreur.

Une date illisible donne une ligne {"error": {"number": 13, ...}} et le calcul
continue avec la date suivante ; le code de sortie vaut alors 1.
)");

void append(std::string& out, const QString& s)
{
    out += '"';
    for (const char c : s.toStdString()) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (u < 0x20) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", u);
            out += buf;
        } else {
            out += c;
        }
    }
    out += '"';
}

template <typename F> void appendNumber(std::string& out, F value)
{
    if constexpr (std::is_floating_point_v<F>)
        value += F(0);   // -0 reads as a sign where there is none
    char buf[40];
    const auto res = std::to_chars(buf, buf + sizeof buf, value);   // shortest round trip
    out.append(buf, res.ptr);
}

// ", "name": value" — the separator, the key, then a text or a number.
void appendKey(std::string& out, const char* name)
{
    out += ", \"";
    out += name;
    out += "\": ";
}

void field(std::string& out, const char* name, const QString& text)
{
    appendKey(out, name);
    append(out, text);
}

template <typename F> void numberField(std::string& out, const char* name, F value)
{
    appendKey(out, name);
    appendNumber(out, value);
}

struct Options {
    QString offset = QStringLiteral("0");   // as the pass reads it, in `locale`
    double offsetHours = 0;
    std::array<int, 4> flips{0, 0, 0, 0};
    QLocale locale = programLocale();
    std::optional<QString> from, to;
    QString step = QStringLiteral("10n");
    bool events = false;
    bool night = false;
    std::optional<QString> at;
    bool mutual = false;
    bool approx = false;                  // --approx alone: the list of a range
    std::optional<QString> approxEvent;   // --approx CODE,DATE: the one reduced
    double maxDistance = 30;
    bool maxDistanceGiven = false;
    std::optional<QString> lightcurve;
    std::optional<QString> reduce, event;
    std::optional<QString> measure, start, fps;   // a recording measured; its first frame's time and frame rate
    CurveColumns columns;
    bool csv = false;
    int satellite = -1;
    Theory theorie = Theory::Original;
    std::optional<RedSpot> grs;
    std::optional<QString> grsText;
    std::optional<Site> site;
    std::optional<double> minDrop;   // --min-drop, magnitudes
    QStringList dates;
    std::optional<QString> chart, out, ics;
};

// Said for a date outside the years L1.2 was fitted over: translated on the
// error output, as written in the JSON line (data for scripts).
// Time zones run from UTC-12 to UTC+14.
constexpr int kLargestOffsetHours = 14;

const char* const kAvertissement = QT_TRANSLATE_NOOP(
    "zenolune-ephem", "date hors de %1 : la théorie L1.2, ajustée aux observations de 1891 à 2003, y perd sa précision");

QString avertissement(bool traduit)
{
    return (traduit ? QCoreApplication::translate("zenolune-ephem", kAvertissement) : QString::fromUtf8(kAvertissement))
        .arg(fittedYearsText());
}

const std::pair<const char*, double ModernEphemeris::*> kModerneFields[] = {
    {"DeltaT", &ModernEphemeris::DeltaT}, {"JDE", &ModernEphemeris::JDE},
    {"Delta", &ModernEphemeris::Delta}, {"r", &ModernEphemeris::r},
    {"X1", &ModernEphemeris::X1}, {"X2", &ModernEphemeris::X2}, {"X3", &ModernEphemeris::X3},
    {"X4", &ModernEphemeris::X4}, {"Y1", &ModernEphemeris::Y1}, {"Y2", &ModernEphemeris::Y2},
    {"Y3", &ModernEphemeris::Y3}, {"Y4", &ModernEphemeris::Y4}, {"Z1", &ModernEphemeris::Z1},
    {"Z2", &ModernEphemeris::Z2}, {"Z3", &ModernEphemeris::Z3}, {"Z4", &ModernEphemeris::Z4},
    {"omega1", &ModernEphemeris::omega1}, {"omega2", &ModernEphemeris::omega2},
    {"omega3", &ModernEphemeris::omega3}, {"Ds", &ModernEphemeris::Ds}, {"De", &ModernEphemeris::De},
};

void modernLine(const ModernEphemeris& m, std::string& out);
void discsLine(const Enregistreur& host, std::string& out);

// One pass as "&OK" runs it in a freshly opened window, as a JSON line.
bool passLine(const Options& o, const QString& date, std::string& out)
{
    Enregistreur host;
    host.flips = o.flips;
    Calcul calcul(host, o.locale);
    calcul.setTheorie(o.theorie);
    out += "{\"date\": ";
    append(out, date);
    field(out, "offset", o.offset);
    try {
        calcul.passe(date, o.offset);
    } catch (const ErreurExecution& e) {
        out += ", \"error\": {\"number\": ";
        appendNumber(out, e.numero());
        const language::SourceTexts french;   // the documented value, in every language
        field(out, "message", e.libelle());
        out += "}}\n";
        return false;
    }
    field(out, "jourjuli", host.caption(Caption::jourjuli));
    field(out, "datetu", host.caption(Caption::datetu));
    field(out, "caption2", host.caption(Caption::Form2));
    field(out, "syst1", host.caption(Caption::syst1));
    field(out, "syst2", host.caption(Caption::syst2));
    out += ", \"labels\": {";
    for (int i = kFirstPhenomenonCaption; i < kCaptionCount; ++i) {
        if (i > kFirstPhenomenonCaption)
            out += ", ";
        append(out, QString::fromLatin1(captionName(Caption(i))));
        out += ": ";
        append(out, host.captions[i]);
    }
    if (o.theorie == Theory::Precise) {
        modernLine(calcul.recordModerne(), out);
        discsLine(host, out);
        return true;
    }
    const Ephemeride& e = calcul.record();
    out += "}, \"record\": {\"JD\": ";
    append(out, e.JD);
    for (const RecordField& f : kRecordFields)
        numberField(out, f.name, e.*f.member);
    const TravailOmbre& w = calcul.shadow();
    out += "}, \"shadow\": {\"DiscOmbre\": ";
    appendNumber(out, w.DiscOmbre);
    numberField(out, "tOmbre", w.tOmbre);
    numberField(out, "XOmbre", w.XOmbre);
    numberField(out, "YOmbre", w.YOmbre);
    discsLine(host, out);
    return true;
}

// The modern record after the labels: "theory", the record, and a warning
// outside the theory's years.
void modernLine(const ModernEphemeris& m, std::string& out)
{
    // As --theory names it: the published L1.2 is "l12".
    out += l12Corrected() ? "}, \"theory\": \"precise\"" : "}, \"theory\": \"l12\"";
    if (m.horsValidite)
        field(out, "warning", avertissement(false));
    out += ", \"record\": {\"JD\": ";
    appendNumber(out, m.JD);
    for (const auto& [name, member] : kModerneFields)
        numberField(out, name, m.*member);
}

// The discs drawn, in drawing order, and the end of the line.
void discsLine(const Enregistreur& host, std::string& out)
{
    out += "}, \"discs\": [";
    for (std::size_t i = 0; i < host.discs.size(); ++i) {
        const DisqueTrace& d = host.discs[i];
        out += i ? ", " : "";
        out += d.scene == Scene::Main ? "{\"scene\": \"main\", \"x\": " : "{\"scene\": \"reduced\", \"x\": ";
        appendNumber(out, d.x);
        numberField(out, "y", d.y);
        numberField(out, "radius", d.radius);
        out += ", \"rgb\": [";
        appendNumber(out, d.colour.red);
        out += ", ";
        appendNumber(out, d.colour.green);
        out += ", ";
        appendNumber(out, d.colour.blue);
        out += "]}";
    }
    out += "]}\n";
}

void flush(std::string& out)
{
    std::fwrite(out.data(), 1, out.size(), stdout);
    out.clear();
}

[[noreturn]] void usageError(const QString& what)
{
    std::fprintf(stderr, "zenolune-ephem : %s\n", QCoreApplication::translate("zenolune-ephem", "%1 (voir --help)").arg(what).toUtf8().constData());
    std::exit(2);
}

std::array<int, 2> readFlips(const QString& text)
{
    const QStringList parts = text.split(u',');
    if (parts.size() != 2)
        usageError(QCoreApplication::translate("zenolune-ephem", "inversions attendues sous la forme EO,NS, par exemple 1,0"));
    std::array<int, 2> v{};
    for (int i = 0; i < 2; ++i) {
        const QString p = parts[i].trimmed();
        if (p != u"0" && p != u"1")
            usageError(QCoreApplication::translate("zenolune-ephem", "une inversion vaut 0 ou 1"));
        v[i] = p == u"1";
    }
    return v;
}

// Comma-separated numbers with a decimal point, whatever the regional settings.
QStringList commaList(const QString& text, int minimum, int maximum, const char* what)
{
    const QStringList parts = text.split(u',');
    if (parts.size() < minimum || parts.size() > maximum)
        usageError(QCoreApplication::translate("zenolune-ephem", what));
    return parts;
}

double plainNumber(const QString& text, const char* what)
{
    bool ok = false;
    const double v = QLocale::c().toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(v))
        usageError(QCoreApplication::translate("zenolune-ephem", what));
    return v;
}

RedSpot readGrs(const QString& text, const QLocale& locale)
{
    const char* what = QT_TRANSLATE_NOOP("zenolune-ephem", "--grs attend L2,EPOQUE,DERIVE, par exemple 57,2024-07-01,1.5");
    const QStringList p = commaList(text, 3, 3, what);
    RedSpot t;
    t.longitudeDeg = plainNumber(p[0], what);
    // The companion's date form, or the ISO one.
    const QString epoch = p[1].trimmed();
    try {
        t.epoch = readDateTime(epoch, locale).date();
    } catch (const ErreurExecution&) {
        usageError(QCoreApplication::translate("zenolune-ephem", "--grs : époque « %1 » illisible ; formes attendues : %2 ou AAAA-MM-JJ")
                       .arg(epoch, dateFormText(locale)));
    }
    t.driftDegPerMonth = plainNumber(p[2], what);
    if (const QString fault = checkRedSpot(t); !fault.isEmpty())
        usageError(fault);
    return t;
}

Site readSite(const QString& text)
{
    const char* what = QT_TRANSLATE_NOOP("zenolune-ephem", "--site attend LAT,LON[,H], par exemple 48.85,2.35,35");
    const QStringList p = commaList(text, 2, 3, what);
    Site s;
    s.latitudeDeg = plainNumber(p[0], what);
    s.longitudeDeg = plainNumber(p[1], what);
    s.heightM = p.size() > 2 ? plainNumber(p[2], what) : 0;
    if (const QString fault = checkSite(s); !fault.isEmpty())
        usageError(fault);
    // What was understood, so that a decimal comma read as a separator shows.
    std::fprintf(stderr, "%s\n",
                 QCoreApplication::translate("zenolune-ephem", "Lieu : %1")
                     .arg(placeText(s, QLocale(QLocale::French, QLocale::France)))
                     .toUtf8()
                     .constData());
    return s;
}

// Hours of --offset, with the locale's decimal separator or a point; a
// message naming the offset when it is not a time zone's difference.
double readOffset(const QString& text, const QLocale& locale)
{
    double hours = 0;
    try {
        hours = readNumber(text, locale);
    } catch (const ErreurExecution&) {
        try {
            hours = readNumber(QString(text).replace(u',', u'.'), QLocale::c());
        } catch (const ErreurExecution&) {
            usageError(QCoreApplication::translate("zenolune-ephem", "--offset : « %1 » n'est pas un nombre d'heures (par exemple -1, ou 5,5 pour 5 h 30)")
                           .arg(text));
        }
    }
    if (std::abs(hours) > kLargestOffsetHours)
        usageError(QCoreApplication::translate("zenolune-ephem", "--offset : %1 h, hors de -%2 à %2 h (la différence TU-TC d'un fuseau horaire)")
                       .arg(numberText(hours, locale))
                       .arg(kLargestOffsetHours));
    return hours;
}

int columnNumber(const QString& text, int smallest)
{
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    if (!ok || n < smallest || n > 1000)
        usageError(QCoreApplication::translate("zenolune-ephem", "numéro de colonne attendu (%1 pour la première) : %2").arg(smallest == 0 ? 1 : smallest).arg(text));
    return n;
}

Options parse(const QStringList& args)
{
    Options o;
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString& a = args[i];
        const auto value = [&]() -> QString {
            if (i + 1 >= args.size())
                usageError(QCoreApplication::translate("zenolune-ephem", "%1 attend une valeur").arg(a));
            return args[++i];
        };
        if (a == u"--help" || a == u"-h") {
            std::fputs(QCoreApplication::translate("zenolune-ephem", kAide).arg(fittedYearsText()).toUtf8().constData(), stdout);
            std::exit(0);
        } else if (a == u"--version") {
            std::printf("zenolune-ephem %s\n", ZENOLUNE_VERSION);
            std::exit(0);
        } else if (a == u"--offset") {
            o.offset = value();
        } else if (a == u"--flip-main") {
            const auto f = readFlips(value());
            o.flips[0] = f[0];
            o.flips[1] = f[1];
        } else if (a == u"--flip-reduced") {
            const auto f = readFlips(value());
            o.flips[2] = f[0];
            o.flips[3] = f[1];
        } else if (a == u"--locale") {
            const QString name = value();
            o.locale = QLocale(name);
            if (o.locale.language() == QLocale::C)
                o.locale = QLocale(QLocale::French, QLocale::France);
        } else if (a == u"--from") {
            o.from = value();
        } else if (a == u"--to") {
            o.to = value();
        } else if (a == u"--step") {
            o.step = value();
        } else if (a == u"--events") {
            o.events = true;
        } else if (a == u"--night") {
            o.night = true;
        } else if (a == u"--at") {
            o.at = value();
        } else if (a == u"--mutual") {
            o.mutual = true;
        } else if (a == u"--approx") {
            // With a value (CODE,DATE) it names the approximation reduced; alone, it lists a range.
            if (i + 1 < args.size() && !args[i + 1].startsWith(u'-') && args[i + 1].contains(u','))
                o.approxEvent = value();
            else
                o.approx = true;
        } else if (a == u"--max-distance") {
            o.maxDistance = plainNumber(value(), QT_TRANSLATE_NOOP("zenolune-ephem",
                                                                   "--max-distance attend des secondes d'arc, par exemple 30"));
            o.maxDistanceGiven = true;
        } else if (a == u"--lightcurve") {
            o.lightcurve = value();
        } else if (a == u"--reduce") {
            o.reduce = value();
        } else if (a == u"--measure") {
            o.measure = value();
        } else if (a == u"--start") {
            o.start = value();
        } else if (a == u"--fps") {
            o.fps = value();
        } else if (a == u"--event") {
            o.event = value();
        } else if (a == u"--time-column") {
            o.columns.time = columnNumber(value(), 1) - 1;
        } else if (a == u"--flux-column") {
            o.columns.flux = columnNumber(value(), 1) - 1;
        } else if (a == u"--sigma-column") {
            o.columns.sigma = columnNumber(value(), 0) - 1;
        } else if (a == u"--comparison-column") {
            o.columns.comparison = columnNumber(value(), 0) - 1;
        } else if (a == u"--magnitudes") {
            o.columns.magnitudes = true;
        } else if (a == u"--theory") {
            const QString name = value().toLower();
            if (name == u"precise" || name == u"précise") {
                o.theorie = Theory::Precise;
            } else if (name == u"l12" || name == u"l1.2") {
                o.theorie = Theory::Precise;
                setL12Corrected(false);
            }
            else if (name == u"originale" || name == u"original")
                o.theorie = Theory::Original;
            else
                usageError(QCoreApplication::translate("zenolune-ephem", "théorie inconnue : %1 (originale, precise ou l12)").arg(name));
        } else if (a == u"--chart") {
            o.chart = value();
        } else if (a == u"--out") {
            o.out = value();
        } else if (a == u"--ics") {
            o.ics = value();
        } else if (a == u"--csv") {
            o.csv = true;
        } else if (a == u"--grs") {
            o.grsText = value();   // read once --locale is known
        } else if (a == u"--site") {
            o.site = readSite(value());
        } else if (a == u"--min-drop") {
            const char* what = QT_TRANSLATE_NOOP("zenolune-ephem", "--min-drop attend une chute d'éclat en magnitudes, de 0 à 5, par exemple 0.02");
            const double v = plainNumber(value(), what);
            if (v < 0 || v > kMaxMinDropMag)
                usageError(QCoreApplication::translate("zenolune-ephem", what));
            o.minDrop = v;
        } else if (a == u"--satellite") {
            const QString name = value().toLower();
            for (int s = 0; s < 4; ++s)
                if (name == QString::fromUtf8(kSatellites[s].name).toLower()
                    || (s == 2 && name == u"ganymede"))
                    o.satellite = s;
            if (o.satellite < 0)
                usageError(QCoreApplication::translate("zenolune-ephem", "satellite inconnu : %1").arg(name));
        } else if (a == u"--") {
            o.dates += args.mid(i + 1);
            break;
        } else if (a.startsWith(u"--")) {
            usageError(QCoreApplication::translate("zenolune-ephem", "option inconnue : %1").arg(a));
        } else {
            o.dates += a;
        }
    }
    if (o.grsText)
        o.grs = readGrs(*o.grsText, o.locale);
    o.offsetHours = readOffset(o.offset, o.locale);
    o.offset = numberText(o.offsetHours, o.locale);
    if (o.from.has_value() != o.to.has_value())
        usageError(QCoreApplication::translate("zenolune-ephem", "--from et --to vont ensemble"));
    if (o.chart.has_value() != o.out.has_value() && !o.measure)
        usageError(QCoreApplication::translate("zenolune-ephem", "--chart et --out vont ensemble"));
    if (o.measure) {
        if (!o.out)
            usageError(QCoreApplication::translate("zenolune-ephem", "--measure demande --out COURBE.csv"));
        if (o.chart || o.reduce || o.events || o.mutual || o.lightcurve || o.night || o.from || !o.dates.isEmpty())
            usageError(QCoreApplication::translate("zenolune-ephem",
                                                   "--measure s'emploie seul (avec --out, --event, --site, --start, --fps, --offset ou --locale)"));
        return o;
    }
    if ((o.start || o.fps) && !(o.reduce && isRecordingPath(*o.reduce)))
        usageError(QCoreApplication::translate("zenolune-ephem", "--start et --fps vont avec --measure ou --reduce d'un enregistrement"));
    if (o.chart) {
        if (o.events || o.mutual || o.lightcurve || o.reduce || o.from || !o.dates.isEmpty() || o.ics)
            usageError(QCoreApplication::translate("zenolune-ephem", "--chart ne va ni avec --events, --mutual ou --lightcurve, ni avec --from/--to, ni avec des dates"));
        return o;
    }
    if (o.ics && !o.events)
        usageError(QCoreApplication::translate("zenolune-ephem", "--ics va avec --events"));
    if (o.night) {
        if (!o.site)
            usageError(QCoreApplication::translate("zenolune-ephem", "--night demande --site"));
        if (o.events || o.mutual || o.lightcurve || o.from || o.grs || o.ics || !o.dates.isEmpty())
            usageError(QCoreApplication::translate("zenolune-ephem", "--night va seul, avec --site et --at"));
        return o;
    }
    if (o.at)
        usageError(QCoreApplication::translate("zenolune-ephem", "--at va avec --night"));
    if (o.events && o.mutual)
        usageError(QCoreApplication::translate("zenolune-ephem", "--events et --mutual ne vont pas ensemble"));
    if (o.grs && !o.events)
        usageError(QCoreApplication::translate("zenolune-ephem", "--grs va avec --events ou --chart"));
    if (o.site && !o.events && !o.mutual && !o.chart && !o.reduce && !o.approx)
        usageError(QCoreApplication::translate("zenolune-ephem", "--site va avec --events, --mutual, --approx, --chart ou --reduce"));
    if (o.approx && (o.events || o.mutual || o.reduce || o.lightcurve || o.chart))
        usageError(QCoreApplication::translate("zenolune-ephem", "--approx ne va ni avec --events, --mutual, --lightcurve ou --chart"));
    if (o.approx && !o.from)
        usageError(QCoreApplication::translate("zenolune-ephem", "--approx demande --from et --to"));
    if (o.maxDistanceGiven && !o.approx && !o.approxEvent)
        usageError(QCoreApplication::translate("zenolune-ephem", "--max-distance va avec --approx"));
    if (o.approxEvent && (!o.reduce || o.event))
        usageError(QCoreApplication::translate("zenolune-ephem", "--approx CODE,DATE va avec --reduce, sans --event"));
    if (o.reduce.has_value() != (o.event.has_value() || o.approxEvent.has_value()) && !(o.reduce && isRecordingPath(*o.reduce)))
        usageError(QCoreApplication::translate("zenolune-ephem", "--reduce et --event vont ensemble"));
    const bool columnsGiven = o.columns.time || o.columns.flux || o.columns.sigma || o.columns.comparison || o.columns.magnitudes;
    if (columnsGiven && !o.reduce)
        usageError(QCoreApplication::translate("zenolune-ephem",
                                               "--time-column, --flux-column, --sigma-column, --comparison-column et --magnitudes vont avec --reduce"));
    if (o.reduce && (o.from || o.events || o.mutual || o.lightcurve || o.chart || !o.dates.isEmpty()))
        usageError(QCoreApplication::translate("zenolune-ephem", "--reduce s'emploie seul (avec --event, --site, --offset ou --locale)"));
    if (o.minDrop && !(o.mutual && o.site))
        usageError(QCoreApplication::translate("zenolune-ephem", "--min-drop va avec --mutual et --site"));
    if (o.mutual && !o.from)
        usageError(QCoreApplication::translate("zenolune-ephem", "--mutual demande --from et --to"));
    if ((o.events || o.csv) && !o.from && !o.mutual && !o.approx)
        usageError(QCoreApplication::translate("zenolune-ephem", "--events demande --from et --to"));
    if (o.lightcurve && (o.from || o.events || o.mutual || !o.dates.isEmpty()))
        usageError(QCoreApplication::translate("zenolune-ephem", "--lightcurve s'emploie seul (avec --offset ou --locale)"));
    if (!o.from && !o.lightcurve && !o.reduce && o.dates.isEmpty())
        usageError(QCoreApplication::translate("zenolune-ephem", "aucune date"));
    return o;
}

void printError(const QString& what, const ErreurExecution& e)
{
    std::fprintf(stderr, "zenolune-ephem : %s : %s\n", what.toUtf8().constData(), e.texte().toUtf8().constData());
}

void printMessage(const QString& what) { std::fprintf(stderr, "zenolune-ephem : %s\n", what.toUtf8().constData()); }

// A date argument in the companion's form or ISO 8601; nullopt after a
// message naming the option and the forms expected.
std::optional<QDateTime> dateArgument(const Options& o, const QString& text, const char* option)
{
    try {
        return readDateTime(text, o.locale);
    } catch (const ErreurExecution&) {
        printMessage(QCoreApplication::translate("zenolune-ephem", "%1 : « %2 » n'est pas une date (%3 Heure:Minute:Seconde, "
                                                                   "ou AAAA-MM-JJ hh:mm:ss ; années 100 à 9999)")
                         .arg(QLatin1String(option), text, dateFormText(o.locale)));
        return std::nullopt;
    }
}

// Progress on standard error, when it is a terminal: "  42 %".
class Progress {
public:
    Progress() : shown_(isatty(STDERR_FILENO) != 0) {}
    ~Progress()
    {
        if (shown_ && percent_ >= 0)
            std::fputs("\r       \r", stderr);
    }
    void operator()(double done)
    {
        const int p = int(done * 100);
        if (!shown_ || p == percent_)
            return;
        percent_ = p;
        std::fprintf(stderr, "\r%4d %%", p);
        std::fflush(stderr);
    }

private:
    bool shown_;
    int percent_ = -1;
};

// ", "why": ["daylight", ...]" for a row placed and not observable.
void whyField(std::string& out, const ProgrammeRow& r)
{
    if (r.observable)
        return;
    appendKey(out, "why");
    out += '[';
    const QStringList codes = notSeenCodes(r.unseen);
    for (qsizetype k = 0; k < codes.size(); ++k) {
        if (k > 0)
            out += ", ";
        append(out, codes[k]);
    }
    out += ']';
}

void eventLine(const Options& o, const ProgrammeRow& r, std::string& out)
{
    out += "{\"satellite\": ";
    append(out, r.satellite < 0 ? QString() : QString::fromUtf8(kSatellites[r.satellite].name));
    field(out, "phenomenon", r.phenomenon);
    field(out, "change", r.change);
    field(out, "date", dateTimeText(r.civil, o.locale));
    field(out, "datetu", dateTimeText(r.ut, o.locale));
    field(out, "label", r.label ? QString::fromLatin1(captionName(*r.label)) : QString());
    out += r.hidden ? ", \"hidden\": true" : ", \"hidden\": false";
    if (o.site) {
        numberField(out, "jupiter_altitude", std::round(r.jupiterAltDeg * 100) / 100);
        numberField(out, "sun_altitude", std::round(r.sunAltDeg * 100) / 100);
        out += r.observable ? ", \"observable\": true" : ", \"observable\": false";
        whyField(out, r);
    }
    out += "}\n";
}

// Each satellite's shortest phenomenon, hours: Jupiter's disc (or its
// shadow) crossed centrally at the orbital speed, period / (pi x orbit radius in Jupiter radii).
constexpr double kShortestPhenomenonHours[4] = {2.29, 2.89, 3.65, 4.84};

// A step longer than the shortest phenomenon looked for steps over some: said on standard error.
void warnLongStep(const Options& o, Step step)
{
    constexpr double kSecondsOf[] = {365.25 * 86400, 30.436875 * 86400, 86400, 3600, 60, 1};   // StepUnit order
    const int s = o.satellite >= 0 ? o.satellite : 0;   // Io's are the shortest
    const double shortestS = kShortestPhenomenonHours[s] * 3600;
    if (step.count * kSecondsOf[int(step.unit)] <= shortestS)
        return;
    printMessage(QCoreApplication::translate("zenolune-ephem", "avertissement : le pas %1 est plus long que le plus bref des "
                                                               "phénomènes cherchés (environ %2 h pour %3) : des phénomènes "
                                                               "seront manqués ; prenez un pas plus court (10n par défaut)")
                     .arg(o.step, numberText(std::round(kShortestPhenomenonHours[s] * 10) / 10, o.locale),
                          QString::fromUtf8(kSatellites[s].name)));
}

int runEvents(const Options& o, const QDateTime& from, const QDateTime& to, Step step)
{
    warnLongStep(o, step);
    ProgrammeOptions p;
    const double offsetHours = o.offsetHours;
    p.fromUt = addHours(from, offsetHours);
    p.toUt = addHours(to, offsetHours);
    // As the window: an empty range is refused, not answered with nothing.
    if (const QString fault = checkRange(p.fromUt, p.toUt); !fault.isEmpty()) {
        std::fprintf(stderr, "zenolune-ephem : %s\n", fault.toUtf8().constData());
        return 1;
    }
    if (o.theorie == Theory::Precise
        && (!withinFittedYears(julianDayValue(from)) || !withinFittedYears(julianDayValue(to))))
        std::fprintf(stderr, "zenolune-ephem : %s\n",
                     QCoreApplication::translate("zenolune-ephem", "avertissement : %1").arg(avertissement(true)).toUtf8().constData());
    p.offsetHours = offsetHours;
    p.step = step;
    p.onlySatellite = o.satellite;
    p.grs = o.grs;
    p.site = o.site;
    p.theorie = o.theorie;
    // Each day's rows are written as they come: memory stays flat (a
    // calendar asked with --ics keeps them, to be written at the end).
    std::string out;
    std::vector<ProgrammeRow> calendar;
    if (o.csv)
        out = csvHeader(o.site.has_value(), o.theorie).toStdString();
    p.onRows = [&](std::vector<ProgrammeRow>& rows) {
        if (o.ics)
            calendar.insert(calendar.end(), rows.begin(), rows.end());
        for (const ProgrammeRow& r : rows) {
            if (o.csv)
                out += csvRow(r, o.locale, o.site.has_value()).toStdString();
            else
                eventLine(o, r, out);
        }
        flush(out);
        std::fflush(stdout);
    };
    Progress progress;
    p.progress = [&](double done) { progress(done); };
    buildProgramme(p);
    flush(out);
    if (o.ics) {
        const QByteArray ics = icsProgramme(calendar, o.site ? placeText(*o.site, o.locale) : QString(),
                                            o.site.has_value(), o.theorie, QDateTime::currentDateTimeUtc());
        if (const QString fault = writeWhole(*o.ics, ics); !fault.isEmpty()) {
            std::fprintf(stderr, "zenolune-ephem : %s\n", fault.toUtf8().constData());
            return 1;
        }
    }
    return 0;
}

const char* nightKindName(NightKind k)
{
    switch (k) {
    case NightKind::MidnightSun: return "midnight_sun";
    case NightKind::PolarNight: return "polar_night";
    default: return "night";
    }
}

// The coming night at the place, from --at (civil time of --offset) or now.
int runNight(const Options& o)
{
    QDateTime atUt;
    if (o.at) {
        const std::optional<QDateTime> at = dateArgument(o, *o.at, "--at");
        if (!at)
            return 1;
        atUt = addHours(*at, o.offsetHours);
    } else {
        const QDateTime now = QDateTime::currentDateTimeUtc();
        atUt = QDateTime(now.date(), QTime(now.time().hour(), now.time().minute(), now.time().second()), Qt::UTC);
    }
    // A night ends at most a day and a half later: one that would end
    // after the supported years is refused, not printed as year 10000.
    const Night n = isSupported(atUt) ? comingNight(atUt, *o.site) : Night{};
    if (!isSupported(n.startUt) || !isSupported(n.endUt)) {
        printMessage(QCoreApplication::translate("zenolune-ephem", "--night : la nuit qui suit le %1 TU sort des années 100 à 9999")
                         .arg(dateTimeText(atUt, o.locale, TimeShown::Always)));
        return 1;
    }
    std::string out = "{\"start_ut\": ";
    append(out, dateTimeText(n.startUt, o.locale, TimeShown::Always));
    field(out, "end_ut", dateTimeText(n.endUt, o.locale, TimeShown::Always));
    out += ", \"kind\": \"";
    out += nightKindName(n.kind);
    out += "\"}\n";
    flush(out);
    return 0;
}

[[noreturn]] void chartError(const QString& what)
{
    std::fprintf(stderr, "zenolune-ephem : %s\n", what.toUtf8().constData());
    std::exit(1);
}

// The month's chart into the file of --out; 0, or 1 with a message.
int runChart(const Options& o)
{
    if (chartFormatOf(*o.out) == ChartFormat::Unknown)
        chartError(QCoreApplication::translate("zenolune-ephem", "extension inconnue pour « %1 » : .pdf, .svg ou .png attendu").arg(*o.out));
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("^(\\d{1,4})-(\\d{1,2})$")).match(o.chart->trimmed());
    if (!m.hasMatch())
        chartError(QCoreApplication::translate("zenolune-ephem", "--chart attend un mois AAAA-MM, par exemple 2025-03 (lu : « %1 »)").arg(*o.chart));
    MonthChartOptions c;
    c.year = m.captured(1).toInt();
    c.month = m.captured(2).toInt();
    if (const QString fault = checkMonth(c.year, c.month); !fault.isEmpty())
        chartError(fault);
    c.theorie = o.theorie;
    c.offsetText = o.offset;
    c.site = o.site;
    c.grs = o.grs;
    MonthChart chart;
    try {
        c.civilAxis = o.offsetHours != 0;
        chart = computeMonthChart(c, o.locale);
    } catch (const ErreurExecution& e) {
        printError(QCoreApplication::translate("zenolune-ephem", "calcul impossible"), e);
        return 1;
    }
    ChartDocumentOptions d;
    d.flipEW = o.flips[0] == 1;
    if (o.site)
        d.placeText = placeText(*o.site, o.locale);
    if (const QString fault = exportMonth(chart, d, *o.out, o.locale); !fault.isEmpty())
        chartError(fault);
    return 0;
}

// The chart needs fonts and a painter, without a display.
std::unique_ptr<QCoreApplication> application(int& argc, char** argv)
{
    for (int i = 1; i < argc; ++i)
        if (std::string_view(argv[i]) == "--chart") {
            if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
                qputenv("QT_QPA_PLATFORM", "offscreen");
            return std::make_unique<QGuiApplication>(argc, argv);
        }
    return std::make_unique<QCoreApplication>(argc, argv);
}

// The mutual events of the range, one JSON line each or a CSV table.
int runMutual(const Options& o, const QDateTime& fromUt, const QDateTime& toUt)
{
    if (!withinFittedYears(julianDayValue(fromUt)) || !withinFittedYears(julianDayValue(toUt)))
        std::fprintf(stderr, "zenolune-ephem : %s\n",
                     QCoreApplication::translate("zenolune-ephem", "avertissement : %1").arg(avertissement(true)).toUtf8().constData());
    std::vector<MutualEvent> events;
    {
        Progress progress;
        events = findMutualEvents(fromUt.toSecsSinceEpoch(), toUt.toSecsSinceEpoch(), [&](double done) { progress(done); });
    }
    // Rounded to `scale`ths; + 0 so that a tiny negative never shows as -0.
    const auto rounded = [](double v, double scale) { return std::round(v * scale) / scale + 0.0; };
    Visibility visibility;
    if (o.minDrop)
        visibility.minDropMag = *o.minDrop;
    std::string out;
    if (o.csv) {
        out += "code,type,kind,start_ut,max_ut,end_ut,duration_s,impact_km,target_light_lost,magnitude_drop,"
               "limb_distance,target_in_jupiter_shadow,target_behind_jupiter,target_in_front_of_jupiter,max_ut_sigma_s";
        out += o.site ? ",jupiter_altitude,sun_altitude,observable,why\n" : "\n";
    }
    for (const MutualEvent& ev : events) {
        ProgrammeRow row;
        row.ut = QDateTime::fromSecsSinceEpoch(ev.maximum, Qt::UTC);
        row.hidden = ev.hiddenAtMaximum();
        row.magnitudeDrop = ev.magnitudeDrop;
        if (o.site)
            placeRow(row, *o.site, visibility);
        const auto flag = [](bool b) { return b ? "true" : "false"; };
        if (o.csv) {
            char line[512];
            std::snprintf(line, sizeof line, "%s,%s,%s,%s,%s,%s,%.0f,%.1f,%.3f,%.3f,%.2f,%s,%s,%s,%s",
                          qPrintable(ev.code()), ev.typeName(), ev.kindName(), qPrintable(mutualUtText(double(ev.start), o.locale)),
                          qPrintable(mutualUtText(double(ev.maximum), o.locale)), qPrintable(mutualUtText(double(ev.end), o.locale)),
                          rounded(ev.durationS, 1), rounded(ev.impactKm, 10), rounded(ev.targetLightLost, 1000),
                          rounded(ev.magnitudeDrop, 1000), rounded(ev.limbDistance, 100),
                          flag(ev.targetInJupiterShadow), flag(ev.targetBehindJupiter), flag(ev.targetInFrontOfJupiter),
                          std::isfinite(ev.maxUtSigmaS) ? QByteArray::number(ev.maxUtSigmaS, 'f', 1).constData() : "");
            out += line;
            if (o.site) {
                std::snprintf(line, sizeof line, ",%.2f,%.2f,%s,%s", rounded(row.jupiterAltDeg, 100),
                              rounded(row.sunAltDeg, 100), row.observable ? "oui" : "non",
                              qPrintable(notSeenCodes(row.unseen).join(u' ')));
                out += line;
            }
            out += '\n';
            continue;
        }
        out += "{\"code\": ";
        append(out, ev.code());
        field(out, "type", QString::fromLatin1(ev.typeName()));
        field(out, "kind", QString::fromLatin1(ev.kindName()));
        field(out, "start_ut", mutualUtText(double(ev.start), o.locale));
        field(out, "max_ut", mutualUtText(double(ev.maximum), o.locale));
        field(out, "end_ut", mutualUtText(double(ev.end), o.locale));
        numberField(out, "duration_s", ev.durationS);
        numberField(out, "impact_km", rounded(ev.impactKm, 10));
        numberField(out, "target_light_lost", rounded(ev.targetLightLost, 1000));
        numberField(out, "magnitude_drop", rounded(ev.magnitudeDrop, 1000));
        numberField(out, "limb_distance", rounded(ev.limbDistance, 100));
        out += ", \"target_in_jupiter_shadow\": ";
        out += flag(ev.targetInJupiterShadow);
        out += ", \"target_behind_jupiter\": ";
        out += flag(ev.targetBehindJupiter);
        out += ", \"target_in_front_of_jupiter\": ";
        out += flag(ev.targetInFrontOfJupiter);
        if (std::isfinite(ev.maxUtSigmaS))
            numberField(out, "max_ut_sigma_s", rounded(ev.maxUtSigmaS, 10));
        else
            out += ", \"max_ut_sigma_s\": null";
        if (o.site) {
            numberField(out, "jupiter_altitude", rounded(row.jupiterAltDeg, 100));
            numberField(out, "sun_altitude", rounded(row.sunAltDeg, 100));
            out += row.observable ? ", \"observable\": true" : ", \"observable\": false";
            whyField(out, row);
        }
        out += "}\n";
    }
    flush(out);
    return 0;
}

// CODE,DATE (DATE in civil time): the event of that code whose maximum is
// nearest, within 24 h; nullopt after a message on the error output.
std::optional<MutualEvent> eventOf(const Options& o, const QString& text, const char* option)
{
    const qsizetype comma = text.indexOf(u',');
    const std::optional<MutualCode> code = parseMutualCode(text.left(comma));
    if (comma < 0 || !code)
        usageError(QCoreApplication::translate("zenolune-ephem", "%1 attend CODE,DATE, par exemple \"1O2,02/02/2015 03:31:00\" "
                                  "(CODE : chiffre 1 à 4, O ou E, autre chiffre 1 à 4)").arg(QLatin1String(option)));
    const std::optional<QDateTime> civil = dateArgument(o, text.mid(comma + 1).trimmed(), option);
    if (!civil)
        return std::nullopt;
    const QDateTime ut = addHours(*civil, o.offsetHours);
    std::optional<MutualEvent> ev = findMutualEvent(*code, ut.toSecsSinceEpoch());
    if (!ev)
        std::fprintf(stderr, "zenolune-ephem : %s\n",
                     QCoreApplication::translate("zenolune-ephem", "aucun phénomène %1 à moins de 24 h du %2 TU")
                         .arg(text.left(comma).trimmed().toUpper(), mutualUtText(double(ut.toSecsSinceEpoch()), o.locale))
                         .toUtf8()
                         .constData());
    return ev;
}

// --lightcurve CODE,DATE: the curve of the event of that code nearest the date.
int runLightCurve(const Options& o)
{
    const std::optional<MutualEvent> ev = eventOf(o, *o.lightcurve, "--lightcurve");
    if (!ev)
        return 1;
    std::string out = lightCurveCsv(*ev, lightCurve(*ev)).toStdString();
    flush(out);
    return 0;
}

// Rounded to four significant digits; a value too small to round (subnormal) or not finite as it is.
double significant4(double value)
{
    if (!std::isfinite(value) || value == 0)
        return value;
    char buf[40];
    const auto written = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 3);
    double back = value;
    const auto read = std::from_chars(buf, written.ptr, back, std::chars_format::scientific);
    return read.ec == std::errc() ? back : value;
}

// A number rounded to `scale`ths, or null when there is none.
void roundedField(std::string& out, const char* name, double value, double scale)
{
    appendKey(out, name);
    if (std::isfinite(value))
        appendNumber(out, std::round(value * scale) / scale + 0.0);   // + 0.0: no "-0"
    else
        out += "null";
}

// The recording measured (its event from --event, else from its times),
// the progress on a terminal; nullopt once the reason is printed.
std::optional<CurveMeasurement> measureFile(const Options& o, const QString& path,
                                            const std::optional<std::pair<int, int>>& approximation = std::nullopt)
{
    RecordingTiming timing;
    try {
        if (o.start)
            timing.startUt = double(addHours(readDateTime(*o.start, o.locale), readNumber(o.offset, o.locale)).toMSecsSinceEpoch()) / 1000;
        if (o.fps)
            timing.fps = readNumber(*o.fps, o.locale);
    } catch (const ErreurExecution& e) {
        printError(QCoreApplication::translate("zenolune-ephem", "--start (une date) ou --fps (images par seconde) illisible"), e);
        return std::nullopt;
    }
    if (timing.fps && !(*timing.fps > 0)) {
        std::fprintf(stderr, "zenolune-ephem : %s\n",
                     QCoreApplication::translate("zenolune-ephem", "--fps attend un nombre d'images par seconde plus grand que 0 : %1")
                         .arg(*o.fps).toUtf8().constData());
        return std::nullopt;
    }
    MeasureOptions options;
    options.approximation = approximation;
    if (o.event) {
        options.event = eventOf(o, *o.event, "--event");
        if (!options.event)
            return std::nullopt;
    }
    OpenedRecording r = openRecording(path, timing);
    if (!r.reader) {
        std::fprintf(stderr, "zenolune-ephem : %s\n", r.error.toUtf8().constData());
        return std::nullopt;
    }
    Progress progress;
    CurveMeasurement m = measureRecording(*r.reader, options, [&](int done, int total) {
        progress(double(done) / total);
        return true;
    });
    if (!m.error.isEmpty()) {
        std::fprintf(stderr, "zenolune-ephem : %s : %s\n", qPrintable(path), m.error.toUtf8().constData());
        return std::nullopt;
    }
    if (m.dropped() > 0)
        std::fprintf(stderr, "zenolune-ephem : %s\n", droppedFramesText(m).toUtf8().constData());
    return m;
}

// --measure FILE --out CURVE.csv: the recording's light curve written, a JSON summary.
int runMeasure(const Options& o)
{
    const std::optional<CurveMeasurement> m = measureFile(o, *o.measure);
    if (!m)
        return 1;
    if (const QString e = writeWhole(*o.out, measuredCurveCsv(*m, *o.measure).toUtf8()); !e.isEmpty()) {
        std::fprintf(stderr, "zenolune-ephem : %s\n", e.toUtf8().constData());
        return 1;
    }
    std::string out = "{\"code\": ";
    append(out, m->event.code());
    field(out, "predicted_max_ut", utTextTenths(m->event.maximumExact));
    numberField(out, "comparison", m->comparison + 1);
    numberField(out, "frames", m->framesRead);
    numberField(out, "kept", int(m->frames.size()));
    numberField(out, "lost", m->droppedLost);
    numberField(out, "saturated", m->droppedSaturated);
    numberField(out, "unreadable", m->droppedUnreadable);
    roundedField(out, "pixels_per_jupiter_radius", m->identification.pixelsPerJupiterRadius, 1000);
    roundedField(out, "rotation_deg", m->identification.rotationDeg, 10);
    out += m->identification.flipped ? ", \"mirrored\": true" : ", \"mirrored\": false";
    field(out, "out", *o.out);
    out += "}\n";
    flush(out);
    return 0;
}

// --reduce FILE --event CODE,DATE: the observed curve fitted, one JSON object.
// FILE may be a recording: measured first, its event found from its times
// when --event is not given.
int runReduce(const Options& o)
{
    std::optional<MutualEvent> ev;
    std::optional<CurveMeasurement> measured;
    if (isRecordingPath(*o.reduce)) {
        measured = measureFile(o, *o.reduce);
        if (!measured)
            return 1;
        ev = measured->event;
    } else {
        ev = eventOf(o, *o.event, "--event");
        if (!ev)
            return 1;
    }
    if (o.site) {   // the prediction seen from the place, as the observer saw the event
        const std::optional<MutualEvent> seen = seenFrom(*ev, *o.site);
        if (!seen) {
            std::fprintf(stderr, "zenolune-ephem : %s\n",
                         QCoreApplication::translate("zenolune-ephem", "vu du lieu donné par --site, le phénomène %1 n'a pas lieu (les disques ne se rencontrent pas)")
                             .arg(ev->code())
                             .toUtf8()
                             .constData());
            return 1;
        }
        ev = seen;
    }
    ObservedCurve curve;
    if (measured) {
        curve.points = measuredPoints(*measured);
        curve.rows = measured->framesRead;
        curve.badRows = measured->dropped();
    } else {
        CurveColumns columns = o.columns;
        columns.dateNearUt = ev->maximumExact;
        curve = loadObservedCurve(*o.reduce, columns);
    }
    if (!curve.error.isEmpty()) {
        std::fprintf(stderr, "zenolune-ephem : %s : %s\n", qPrintable(*o.reduce), curve.error.toUtf8().constData());
        return 1;
    }
    if (curve.badRows > 0 && !curve.badRowNotes.isEmpty())
        std::fprintf(stderr, "zenolune-ephem : %s\n", badRowsText(curve).toUtf8().constData());
    const CurveFit fit = fitLightCurve(*ev, curve.points, o.locale);
    if (!fit.error.isEmpty()) {
        std::fprintf(stderr, "zenolune-ephem : %s : %s\n", qPrintable(*o.reduce), fit.error.toUtf8().constData());
        return 1;
    }
    std::string out = "{\"code\": ";
    append(out, ev->code());
    field(out, "type", QString::fromLatin1(ev->typeName()));
    field(out, "kind", QString::fromLatin1(ev->kindName()));
    out += fit.converged ? ", \"converged\": true" : ", \"converged\": false";
    if (!fit.converged)
        field(out, "why", fit.failure);
    out += ev->site ? ", \"topocentric\": true" : ", \"topocentric\": false";
    field(out, "layout", curve.layout);
    field(out, "reading", readingText(curve));
    field(out, "predicted_max_ut", utTextTenths(ev->maximumExact, o.locale));
    field(out, "observed_max_ut", utTextTenths(fit.observedMaxUt, o.locale));
    roundedField(out, "observed_max_jd", julianDayOfSeconds(fit.observedMaxUt), 1e7);
    roundedField(out, "sigma_s", fit.shiftSigmaS, 100);
    roundedField(out, "o_minus_c_s", fit.shiftS, 100);
    roundedField(out, "depth", fit.depth, 1e4);
    roundedField(out, "depth_sigma", fit.depthSigma, 1e4);
    roundedField(out, "predicted_depth", fit.predictedDepth, 1e4);
    roundedField(out, "magnitude_drop", fit.magnitudeDrop, 1e3);
    roundedField(out, "predicted_magnitude_drop", ev->magnitudeDrop, 1e3);
    roundedField(out, "impact_km", fit.impactKm, 10);
    roundedField(out, "impact_sigma_km", fit.impactSigmaKm, 10);
    roundedField(out, "predicted_impact_km", ev->impactKm, 10);
    // Four significant digits: with equal weights it is the residuals' variance, often 1e-4.
    roundedField(out, "reduced_chi2", significant4(fit.reducedChi2), 1e12);
    numberField(out, "points", fit.points);
    numberField(out, "bad_rows", curve.badRows);
    numberField(out, "outside_window", fit.outsideWindow);
    numberField(out, "clipped", fit.clipped);
    numberField(out, "floored", fit.floored);
    out += fit.weighted ? ", \"weighted\": true" : ", \"weighted\": false";
    numberField(out, "iterations", fit.iterations);
    appendKey(out, "warnings");
    out += '[';
    for (int i = 0; i < fit.warnings.size(); ++i) {
        if (i > 0)
            out += ", ";
        append(out, fit.warnings[i]);
    }
    out += ']';
    if (o.site) {
        ProgrammeRow row;
        row.ut = QDateTime::fromSecsSinceEpoch(std::llround(fit.observedMaxUt), Qt::UTC);
        placeRow(row, *o.site, Visibility{});
        roundedField(out, "jupiter_altitude", row.jupiterAltDeg, 100);
        roundedField(out, "sun_altitude", row.sunAltDeg, 100);
    }
    out += "}\n";
    flush(out);
    return fit.converged ? 0 : 1;
}

ApproximationOptions approximationOptions(const Options& o)
{
    ApproximationOptions a;
    a.maxDistanceArcsec = o.maxDistance;
    a.site = o.site;
    return a;
}

// --reduce FILE --approx CODE,DATE (DATE in civil time).
int runReduceApproximation(const Options& o)
{
    const qsizetype comma = o.approxEvent->indexOf(u',');
    QDateTime ut;
    try {
        ut = addHours(readDateTime(o.approxEvent->mid(comma + 1).trimmed(), o.locale), readNumber(o.offset, o.locale));
    } catch (const ErreurExecution& e) {
        printError(QCoreApplication::translate("zenolune-ephem", "date de --approx illisible"), e);
        return 1;
    }
    const QString code = o.approxEvent->left(comma);
    if (!isRecordingPath(*o.reduce))
        return approx_cli::reduce(*o.reduce, code, ut, approximationOptions(o));
    // A recording: the pair's centroids measured first, then fitted like a track file.
    const auto pair = parseApproximationCode(code);
    if (!pair)
        return approx_cli::reduce(*o.reduce, code, ut, approximationOptions(o));   // says what is wrong with the code
    const std::optional<CurveMeasurement> m = measureFile(o, *o.reduce, pair);
    if (!m)
        return 1;
    const ObservedTrack track = measuredTrack(*m);
    return approx_cli::reduce(*o.reduce, code, ut, approximationOptions(o), &track);
}

} // namespace

int main(int argc, char** argv)
{
    const std::unique_ptr<QCoreApplication> app = application(argc, argv);
    // The help and every message follow the user's language; the JSON, CSV,
    // chart and calendar keep their French texts, which scripts read.
    language::install(*app, language::fromSettings(QSettings(QStringLiteral("Zenolune"), QStringLiteral("Zenolune"))),
                      QStringLiteral(":/i18n"), {}, kDocumentContexts);
    const Options o = parse(app->arguments());
    if (o.chart)
        return runChart(o);
    if (o.night)
        return runNight(o);
    std::string out;
    bool failed = false;

    if (o.lightcurve)
        return runLightCurve(o);
    if (o.measure)
        return runMeasure(o);
    if (o.reduce && o.approxEvent)
        return runReduceApproximation(o);
    if (o.reduce)
        return runReduce(o);
    if (!o.from) {
        for (const QString& date : o.dates) {
            failed = !passLine(o, date, out) || failed;
            flush(out);
        }
        return failed ? 1 : 0;
    }

    const std::optional<QDateTime> fromArg = dateArgument(o, *o.from, "--from");
    const std::optional<QDateTime> toArg = fromArg ? dateArgument(o, *o.to, "--to") : std::nullopt;
    if (!toArg)
        return 1;
    const QDateTime from = *fromArg, to = *toArg;
    Step step;
    try {
        step = readStep(o.step);
    } catch (const ErreurExecution& e) {
        printError(QCoreApplication::translate("zenolune-ephem", "pas illisible (exemples : 10n, 1h, 2d)"), e);
        return 1;
    }
    if (to < from) {
        std::fprintf(stderr, "zenolune-ephem : %s\n", QCoreApplication::translate("zenolune-ephem", "--to précède --from").toUtf8().constData());
        return 1;
    }
    if (o.mutual || o.approx) {
        try {
            const double offsetHours = o.offsetHours;
            const QDateTime fromUt = addHours(from, offsetHours), toUt = addHours(to, offsetHours);
            if (const QString fault = checkRange(fromUt, toUt); !fault.isEmpty()) {
                std::fprintf(stderr, "zenolune-ephem : %s\n", fault.toUtf8().constData());
                return 1;
            }
            return o.approx ? approx_cli::list(fromUt, toUt, approximationOptions(o), o.csv) : runMutual(o, fromUt, toUt);
        } catch (const ErreurExecution& e) {
            printError(QCoreApplication::translate("zenolune-ephem", "calcul impossible"), e);
            return 1;
        }
    }
    if (o.events) {
        try {
            return runEvents(o, from, to, step);
        } catch (const ErreurExecution& e) {
            printError(QCoreApplication::translate("zenolune-ephem", "calcul impossible"), e);
            return 1;
        }
    }
    for (QDateTime t = from; t <= to;) {
        failed = !passLine(o, dateTimeText(t, o.locale), out) || failed;
        if (out.size() > (1 << 16))
            flush(out);
        try {
            t = addUnits(t, step.unit, step.count);
        } catch (const ErreurExecution&) {
            break;   // the next step would leave the supported years
        }
    }
    flush(out);
    return failed ? 1 : 0;
}
