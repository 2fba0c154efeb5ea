#include "l12.h"

#include <cmath>
#include <span>

namespace zeno {

namespace {

struct TermeL12 {
    double amplitude;
    double phase;       // rad
    double frequency;   // rad/day
};

#include "l12_series.inc"

constexpr double kEpochJD = 2433282.5;   // 1950 January 1, 0h TT: origin of the arguments
// Rotation from the theory's jovian frame to the J2000 mean equator and
// equinox, as published with the series (rad).
constexpr double kPsi = 6.249501830657150;
constexpr double kInclination = 0.4450947364976650;
constexpr double kTwoPi = 6.283185307179586;

// The distribution's slow corrections to L, Re z, Im z, Re zeta, Im zeta
// (rad): perturbations of periods of centuries, given as Chebyshev series of
// degree 8 in the year over the distribution's interval (years from
// 1950.0, the same coefficients as in the L1 V1.1 distribution,
// coefcheb_1_1.dat). Row k multiplies T_k; row 0 is already half the
// distribution's c0, as its DL1_2 subtracts c0/2. At J2000 they give the
// states of TestL1.2.res to better than a kilometre.
constexpr double kChebyshevFirstYear = -819.727638594856;   // years from 1950.0 (T1)
constexpr double kChebyshevLastYear = 812.721806990360;     // years from 1950.0 (T2)
constexpr double kChebyshev[4][9][5] = {
    {   // Io
        {4.13349410167037e-05, -6.67905577476840e-08, -2.23775040402638e-08, -1.45617464908851e-07, -1.58558513521631e-07},
        {-5.46986318473484e-06, -7.58579668623469e-09, -5.78177122641661e-10, -1.62905002759586e-07, -1.26321744097649e-07},
        {5.94965634346142e-05, -1.73800453537518e-09, -5.35142525086474e-09, -3.68431020234090e-09, 6.51758518535435e-09},
        {-1.10076009434021e-05, -3.02381800276162e-09, 1.02942385189608e-10, 7.77164290527916e-10, 2.62070675646012e-09},
        {-5.75048718532862e-06, -7.21047445746571e-09, -8.49040607452073e-09, 1.59932283427177e-09, 2.59238370832140e-09},
        {5.74994024502453e-06, -3.92259073275152e-10, -2.52840670456370e-09, -2.28491296590504e-09, -7.26318061740534e-10},
        {1.78506935927118e-06, -4.16879673796892e-09, -6.13405545173217e-09, 7.03033944342130e-10, -1.18191642174809e-09},
        {-2.40677412003469e-06, -3.29083173926104e-09, -3.43800069555589e-09, -2.89289190860300e-11, 5.90816038543625e-10},
        {-1.38513209122323e-06, 2.88537255009037e-09, -3.59984191898440e-09, 4.86451562749639e-10, 1.23053999757825e-09},
    },
    {   // Europe
        {-1.17345718523364e-04, -5.01776992634625e-07, -1.30512480107910e-07, -1.37352383697128e-06, -1.49207848327093e-06},
        {2.59036121717763e-05, -5.80438343691240e-08, -1.82656275716032e-07, -1.54365304913777e-06, -1.19708851225481e-06},
        {-1.73835841495123e-04, 3.80875695145265e-08, 2.78016374834476e-08, -3.49546762061882e-08, 5.67146658521585e-08},
        {3.80673357683932e-05, -2.10657418625019e-07, -1.58858363289506e-07, 2.86789414864130e-09, 2.68814727457189e-08},
        {-1.03485888270120e-07, 3.12238251072476e-07, 2.31850746815330e-08, 1.75452766852069e-08, 2.61897719058852e-08},
        {1.17376776995138e-05, -1.72444072203130e-07, -1.10691155968765e-07, -1.97744662243578e-08, -5.11649608698392e-09},
        {3.19509608989603e-06, 2.35985832098386e-07, -3.69048459423356e-08, 3.43169676541053e-09, -1.27841777400320e-08},
        {-4.83167496026174e-06, 6.13727340553035e-08, 6.78631069587260e-09, -1.30924950693160e-10, 1.19534263567129e-08},
        {4.47094431509368e-07, -1.58131098756712e-07, 1.90777145516695e-08, 1.35338072425105e-08, 1.15749543781328e-08},
    },
    {   // Ganymède
        {-2.01249945111849e-04, -5.58987296395410e-08, -5.35221008486725e-08, -7.09841479811065e-06, -7.69880546608065e-06},
        {4.22870514937427e-05, -2.78967292638245e-07, -2.23668695371038e-07, -7.93995493982020e-06, -6.12022141299496e-06},
        {-2.88258753042082e-04, -7.04645336679784e-08, -2.18527598721759e-07, -2.08882224662785e-07, 3.15217558237908e-07},
        {6.23338370193608e-05, -2.38693040681653e-07, -2.00040954734845e-07, 2.09762683478441e-08, 1.48179418616661e-07},
        {1.78692873660163e-06, 1.22869992713930e-08, -3.19586844323525e-07, 8.35070484335148e-08, 1.41150094231365e-07},
        {1.44147643545141e-05, -1.53370399783488e-07, -2.22086683443490e-07, -1.07729670354460e-07, -2.24063936978287e-08},
        {6.58944353306297e-06, 4.47318789843126e-08, -2.98609138042077e-07, 3.06301230195125e-08, -3.33311708439601e-08},
        {-6.19139500170464e-06, -1.65802124252890e-08, -1.29217448782639e-07, 1.12449433356374e-08, 1.07863442857316e-08},
        {7.82954615405540e-07, -8.28946056921499e-08, -1.50654590880644e-07, 7.08786417409988e-09, 6.62499119729457e-08},
    },
    {   // Callisto
        {1.53102173532307e-04, -9.06550129921080e-08, -7.03913087149460e-07, -3.20468327586225e-05, -3.48034717955846e-05},
        {-1.68321429486551e-04, -1.26014618556329e-06, -1.35394137498700e-06, -3.57948862513955e-05, -2.76636397672750e-05},
        {2.02182016979082e-04, -3.82306332383069e-07, -3.20084097458594e-07, -8.87261624128964e-07, 1.38328020437413e-06},
        {-1.37641833741129e-04, -6.67102945644653e-07, -6.20618627039507e-07, 1.64506004407617e-07, 6.51631405812798e-07},
        {-5.30404402536766e-05, -5.05214970641581e-08, -6.11742588608485e-07, 4.77415826267116e-07, 6.20307849865976e-07},
        {-1.10474926063654e-05, 1.53918794369926e-07, -2.76537195728238e-07, -3.59030239515192e-07, -2.66081185506962e-07},
        {-1.05634674903822e-05, 9.28279781805284e-08, -1.33810977431205e-07, 1.17406290303369e-07, -2.09003718083271e-07},
        {3.11526543050599e-05, 3.66048038576706e-07, 2.89677483700145e-07, 8.95051737231057e-08, -1.46372661194868e-07},
        {4.66495863544146e-06, 5.68038769950531e-08, 4.70713328715423e-08, 9.71875658565188e-09, -1.22390974721364e-07},
    },
};

// The corrections at t (days from kEpochJD). Beyond the interval (about
// 1130 to 2763) the distribution gives none; they are held at the value of
// the nearer end, so the positions stay continuous.
void chebyshevCorrections(int satellite, double t, double out[5])
{
    const double years = t / 365.25;
    const double mid = 0.5 * (kChebyshevLastYear + kChebyshevFirstYear);
    const double half = 0.5 * (kChebyshevLastYear - kChebyshevFirstYear);
    const double x = std::fmax(-1.0, std::fmin(1.0, (years - mid) / half));
    double Tk[9];
    Tk[0] = 1;
    Tk[1] = x;
    for (int k = 2; k < 9; ++k)
        Tk[k] = 2 * x * Tk[k - 1] - Tk[k - 2];
    const auto& c = kChebyshev[satellite];
    for (int v = 0; v < 5; ++v) {
        double s = 0;
        for (int k = 0; k < 9; ++k)
            s += c[k][v] * Tk[k];
        out[v] = s;
    }
}

struct SatelliteL12 {
    double mu;             // AU^3/day^2, G (Jupiter + satellite)
    double l0, l1;         // secular mean longitude: l0 + l1 t (rad, rad/day)
    std::span<const TermeL12> a, l, z, zeta;
};

const SatelliteL12 kSatellitesL12[4] = {
    {0.2824894284338140E-06, 0.1446213296021224E+01, 0.3551552286182400E+01, kIoA, kIoL, kIoZ, kIoZeta},
    {0.2824832743928930E-06, -0.3735263437471362E+00, 0.1769322711123470E+01, kEuropeA, kEuropeL, kEuropeZ,
     kEuropeZeta},
    {0.2824981841847230E-06, 0.2874089391143348E+00, 0.8782079235893280E+00, kGanymedeA, kGanymedeL, kGanymedeZ,
     kGanymedeZeta},
    {0.2824921448899090E-06, -0.3620341291375704E+00, 0.3764862334338280E+00, kCallistoA, kCallistoL,
     kCallistoZ, kCallistoZeta},
};

struct Complexe { double re = 0, im = 0; };

double sumCos(std::span<const TermeL12> terms, double t)
{
    double s = 0;
    for (const TermeL12& k : terms)
        s += k.amplitude * std::cos(k.phase + k.frequency * t);
    return s;
}

double sumSin(std::span<const TermeL12> terms, double t)
{
    double s = 0;
    for (const TermeL12& k : terms)
        s += k.amplitude * std::sin(k.phase + k.frequency * t);
    return s;
}

Complexe sumExp(std::span<const TermeL12> terms, double t)
{
    Complexe s;
    for (const TermeL12& k : terms) {
        const double arg = k.phase + k.frequency * t;
        s.re += k.amplitude * std::cos(arg);
        s.im += k.amplitude * std::sin(arg);
    }
    return s;
}

// Eccentric longitude F from the mean longitude L: L = F - k sin F + h cos F.
double eccentricLongitude(double L, double k, double h)
{
    double F = L + k * std::sin(L) - h * std::cos(L);
    for (int i = 0; i < 20; ++i) {
        const double c = std::cos(F), s = std::sin(F);
        const double dF = (L - F + k * s - h * c) / (1 - k * c - h * s);
        F += dF;
        if (std::fabs(dF) < 1e-14)
            break;
    }
    return F;
}

} // namespace

EtatL12 etatL12(int satellite, double jdTT)
{
    const SatelliteL12& sat = kSatellitesL12[satellite];
    const double t = jdTT - kEpochJD;

    // Equinoctial elements: a, mean longitude, z = k + i h, zeta = q + i p.
    const double a = sumCos(sat.a, t);
    double c[5];
    chebyshevCorrections(satellite, t, c);
    const double L = std::fmod(sat.l0 + sat.l1 * t + sumSin(sat.l, t) + c[0], kTwoPi);
    const Complexe z = sumExp(sat.z, t);
    const Complexe zeta = sumExp(sat.zeta, t);
    const double k = z.re + c[1], h = z.im + c[2], q = zeta.re + c[3], p = zeta.im + c[4];

    // Position and velocity in the orbital plane (x axis toward the origin of longitudes).
    const double n = std::sqrt(sat.mu / (a * a * a));   // rad/day
    const double F = eccentricLongitude(L, k, h);
    const double cF = std::cos(F), sF = std::sin(F);
    const double beta = 1 / (1 + std::sqrt(1 - k * k - h * h));
    const double rOverA = 1 - k * cF - h * sF;
    const double x1 = a * ((1 - beta * h * h) * cF + beta * h * k * sF - k);
    const double y1 = a * ((1 - beta * k * k) * sF + beta * h * k * cF - h);
    const double vScale = n * a / rOverA;
    const double vx1 = vScale * (beta * h * k * cF - (1 - beta * h * h) * sF);
    const double vy1 = vScale * ((1 - beta * k * k) * cF - beta * h * k * sF);

    // Orbital plane to the jovian reference frame (q, p = sin(i/2) cos, sin of the node).
    const double w = 2 * std::sqrt(1 - q * q - p * p);
    const double m[3][2] = {{1 - 2 * p * p, 2 * p * q}, {2 * p * q, 1 - 2 * q * q}, {-p * w, q * w}};
    // Jovian frame to the J2000 equator: Rz(psi) Rx(I).
    const double cP = std::cos(kPsi), sP = std::sin(kPsi), cI = std::cos(kInclination), sI = std::sin(kInclination);
    const double r[3][3] = {{cP, -sP * cI, sP * sI}, {sP, cP * cI, -cP * sI}, {0, sI, cI}};

    EtatL12 out{};
    double pj[3], vj[3];
    for (int i = 0; i < 3; ++i) {
        pj[i] = m[i][0] * x1 + m[i][1] * y1;
        vj[i] = m[i][0] * vx1 + m[i][1] * vy1;
    }
    for (int i = 0; i < 3; ++i) {
        out.position[i] = r[i][0] * pj[0] + r[i][1] * pj[1] + r[i][2] * pj[2];
        out.velocity[i] = r[i][0] * vj[0] + r[i][1] * vj[1] + r[i][2] * vj[2];
    }
    return out;
}

void l12PoleJ2000(double pole[3])
{
    pole[0] = std::sin(kPsi) * std::sin(kInclination);
    pole[1] = -std::cos(kPsi) * std::sin(kInclination);
    pole[2] = std::cos(kInclination);
}

} // namespace zeno
