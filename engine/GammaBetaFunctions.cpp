#include "engine/GammaBetaFunctions.h"

#include <algorithm>
#include <cmath>

int IterationControl::LimitFor(double scale) const
{
    if (!(scale > 0.0))
        return nBaseIterations;
    // Beyond this the parameters are beyond any sample a rock-fall run produces;
    // the cap keeps a wild value from spinning for minutes.
    const double capped = std::min(scale, 1e8);
    return nBaseIterations + static_cast<int>(std::ceil(10.0 * std::sqrt(capped)));
}

namespace SpecialFunctions
{
namespace
{
// Series for P(a, x), good for x < a + 1.
double GammaSeries(double a, double x, const IterationControl& control)
{
    const double g = LogGamma(a);
    if (x <= 0.0)
        return 0.0;
    double ap = a;
    double del = 1.0 / a;
    double sum = del;
    const int limit = control.LimitFor(std::max(a, x));
    for (int n = 0; n < limit; ++n) {
        ap += 1.0;
        del *= x / ap;
        sum += del;
        if (std::fabs(del) < std::fabs(sum) * control.dTolerance)
            return sum * std::exp(-x + a * std::log(x) - g);
    }
    throw SpecialFunctionError("incomplete gamma series did not converge");
}

// Continued fraction for Q(a, x) = 1 - P(a, x), good for x >= a + 1.
double GammaContinuedFraction(double a, double x, const IterationControl& control)
{
    const double g = LogGamma(a);
    double gold = 0.0, fac = 1.0, b1 = 1.0, b0 = 0.0, a0 = 1.0, a1 = x;
    const int limit = control.LimitFor(std::max(a, x));
    for (int k = 1; k <= limit; ++k) {
        const double an = k;
        const double ana = an - a;
        a0 = (a1 + a0 * ana) * fac;
        b0 = (b1 + b0 * ana) * fac;
        const double anf = an * fac;
        a1 = x * a0 + anf * a1;
        b1 = x * b0 + anf * b1;
        if (a1 != 0.0) {
            fac = 1.0 / a1;
            const double gk = b1 * fac;
            if (std::fabs((gk - gold) / gk) < control.dTolerance)
                return std::exp(-x + a * std::log(x) - g) * gk;
            gold = gk;
        }
    }
    throw SpecialFunctionError("incomplete gamma continued fraction did not converge");
}

// Continued fraction of the incomplete beta function.
double BetaContinuedFraction(double a, double b, double x, const IterationControl& control)
{
    double am = 1.0, bm = 1.0, az = 1.0;
    const double qab = a + b, qap = a + 1.0, qam = a - 1.0;
    double bz = 1.0 - qab * x / qap;
    const int limit = control.LimitFor(std::max(a, b));
    for (int m = 1; m <= limit; ++m) {
        const double em = m;
        const double tem = em + em;
        double d = em * (b - em) * x / ((qam + tem) * (a + tem));
        const double ap = az + d * am;
        const double bp = bz + d * bm;
        d = -(a + em) * (qab + em) * x / ((qap + tem) * (a + tem));
        const double app = ap + d * az;
        const double bpp = bp + d * bz;
        const double aold = az;
        am = ap / bpp;
        bm = bp / bpp;
        az = app / bpp;
        bz = 1.0;
        if (std::fabs(az - aold) < control.dTolerance * std::fabs(az))
            return az;
    }
    throw SpecialFunctionError("incomplete beta continued fraction did not converge");
}
} // namespace

double LogGamma(double x)
{
    if (!(x > 0.0) || std::isinf(x))
        throw SpecialFunctionError("log-gamma argument out of range");
    static const double coefficients[6] = {76.18009173, -86.50532033, 24.01409822,
                                           -1.231739516, 0.00120858003, -5.36382e-6};
    double y = x - 1.0;
    double t = y + 5.5;
    t -= (y + 0.5) * std::log(t);
    double ser = 1.0;
    for (double c : coefficients) {
        y += 1.0;
        ser += c / y;
    }
    return -t + std::log(2.50662827465 * ser);
}

double RegularizedGammaP(double a, double x, const IterationControl& control)
{
    // The negated tests also turn NaN away.
    if (!(x >= 0.0) || !(a > 0.0) || std::isinf(x))
        throw SpecialFunctionError("incomplete gamma argument out of range");
    if (x < a + 1.0)
        return GammaSeries(a, x, control);
    return 1.0 - GammaContinuedFraction(a, x, control);
}

double ErrorFunction(double x, const IterationControl& control)
{
    if (std::isnan(x))
        throw SpecialFunctionError("error function of NaN");
    const double x2 = x * x;
    if (std::isinf(x2))
        return x > 0.0 ? 1.0 : -1.0;
    const double p = RegularizedGammaP(0.5, x2, control);
    return x < 0.0 ? -p : p;
}

double RegularizedBeta(double a, double b, double x, const IterationControl& control)
{
    if (!(x >= 0.0 && x <= 1.0) || !(a > 0.0) || !(b > 0.0))
        throw SpecialFunctionError("incomplete beta argument out of range");
    if (x == 0.0)
        return 0.0;
    if (x == 1.0)
        return 1.0;
    const double bt = std::exp(LogGamma(a + b) - LogGamma(a) - LogGamma(b) + a * std::log(x) +
                               b * std::log(1.0 - x));
    if (x < (a + 1.0) / (a + b + 2.0))
        return bt * BetaContinuedFraction(a, b, x, control) / a;
    return 1.0 - bt * BetaContinuedFraction(b, a, 1.0 - x, control) / b;
}
} // namespace SpecialFunctions
