#include "passe.h"

#include "avx_state.h"
#include "scene_frame.h"
#include "erreur.h"
#include "phenomena_geometry.h"
#include "regional.h"

#include <cmath>

namespace zeno {

Calcul::Calcul(Hote& hote, QLocale locale) : hote_(hote), locale_(std::move(locale)) {}

void Calcul::Effacinfo()
{
    for (int i = kFirstPhenomenonCaption; i < kCaptionCount; ++i)
        hote_.setCaption(static_cast<Caption>(i), QStringLiteral(" "));
}

void Calcul::gregor_juli(const QString& dateText, const QString& offsetText)
{
    // Everything that can fail comes first: on an error nothing is written.
    keep(gregorJuli(dateText, offsetText, locale_));
}

void Calcul::gregor_juli(const Instant& at) { keep(jourJulienOfUt(at.ut, locale_)); }

void Calcul::keep(JourJulienTU jd)
{
    record_.JD = jd.text();
    ut_ = jd.ut();
    hote_.setCaption(Caption::jourjuli, jd.text());
    hote_.setCaption(Caption::datetu, jd.dateText());
    hote_.setCaption(Caption::Form2, QStringLiteral("Zenolune    ") + jd.dateText());
    pending_ = std::move(jd);
}

void Calcul::Parametres()
{
    // The UT Julian Day is consumed here: a second call would add Delta T twice.
    if (!pending_)
        throw ErreurExecution(ErreurExecution::ArgumentIncorrect);
    const JourJulienTU jd = std::move(*pending_);
    pending_.reset();
    clearUpperAvxState();   // the window's painting may have left it dirty
    if (theorie_ == Theory::Precise) {
        parametresPrecis(jd);
        return;
    }

    Ephemeride& e = record_;
    calculeJupiter(e, jd, locale_);
    calculeSatellites(e);
    verifieFini(e);

    hote_.setCaption(Caption::syst1, numberText(reduitMeridien(e.omega1), locale_));
    hote_.setCaption(Caption::syst2, numberText(reduitMeridien(e.omega2), locale_));

    hote_.clearScene(Scene::Main);
    hote_.clearScene(Scene::Reduced);

    const double r[4] = {e.r1, e.r2, e.r3, e.r4};
    const double u[4] = {e.u1c, e.u2c, e.u3c, e.u4c};
    const double X[4] = {e.X1, e.X2, e.X3, e.X4};
    const double Y[4] = {e.Y1, e.Y2, e.Y3, e.Y4};
    for (int i = 0; i < 4; ++i) {
        const Satellite& s = kSatellites[i];
        TestOmbre(hote_, e, r[i], u[i], X[i], Y[i], s.radius, std::int16_t(s.own.red), std::int16_t(s.own.green),
                  std::int16_t(s.own.blue), std::int16_t(kEclipseColour.red), std::int16_t(kEclipseColour.green),
                  std::int16_t(kEclipseColour.blue));
    }
    for (int i = 0; i < 4; ++i)
        TestProj(hote_, e, shadow_, r[i], u[i], X[i], Y[i], kSatellites[i].radius);
    for (int i = 0; i < 4; ++i)
        TestCache(hote_, r[i], u[i], X[i], Y[i], kSatellites[i].radius);
}

void Calcul::parametresPrecis(const JourJulienTU& jd)
{
    const ModernEphemeris e = computeModern(jd.value());
    const double check[] = {e.X1, e.X2, e.X3, e.X4, e.Y1, e.Y2, e.Y3, e.Y4, e.omega1, e.omega2, e.omega3};
    for (double v : check)
        if (!std::isfinite(v))
            throw ErreurExecution(ErreurExecution::Depassement);
    moderne_ = e;
    hote_.setCaption(Caption::syst1, numberText(e.omega1, locale_));
    hote_.setCaption(Caption::syst2, numberText(e.omega2, locale_));
    hote_.clearScene(Scene::Main);
    hote_.clearScene(Scene::Reduced);
    dessinePrecis(hote_, e);
}

std::array<double, 2> Calcul::offsets(int k) const
{
    const auto of = [k](const auto& e) {
        const double X[4] = {e.X1, e.X2, e.X3, e.X4}, Y[4] = {e.Y1, e.Y2, e.Y3, e.Y4};
        return std::array<double, 2>{X[k], Y[k]};
    };
    return theorie_ == Theory::Precise ? of(moderne_) : of(record_);
}

void Calcul::passe(const QString& dateText, const QString& offsetText)
{
    Effacinfo();
    gregor_juli(dateText, offsetText);
    Parametres();
}

void Calcul::passe(const Instant& at)
{
    Effacinfo();
    gregor_juli(at);
    Parametres();
}

} // namespace zeno
