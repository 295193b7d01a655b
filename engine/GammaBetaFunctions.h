// Special functions behind the distribution fitting: the logarithm of the gamma
// function, the regularised incomplete gamma and beta functions and the error
// function built on them. The series and continued fractions stop at a relative
// tolerance or at an iteration limit; an argument outside the domain or a
// computation that does not converge throws SpecialFunctionError, so that a caller
// can give up on the one value instead of trusting a half-converged number.
#pragma once

#include <stdexcept>

class SpecialFunctionError : public std::runtime_error
{
public:
    explicit SpecialFunctionError(const char* what) : std::runtime_error(what) {}
};

// How far the iterations go. The limit is a base count that grows with the size of
// the parameters: the continued fractions need about sqrt(max(a, b)) steps, so a
// fixed count fails for the large shape parameters a tight sample produces.
struct IterationControl
{
    int nBaseIterations = 100;
    double dTolerance = 1e-5;

    int LimitFor(double scale) const;
};

namespace SpecialFunctions
{
// ln(Gamma(x)) for x > 0 by a six-term Lanczos series (about ten significant digits).
double LogGamma(double x);

// P(a, x), the regularised lower incomplete gamma function; a > 0, x >= 0.
double RegularizedGammaP(double a, double x, const IterationControl& control);

// erf(x) as P(1/2, x^2) with the sign of x.
double ErrorFunction(double x, const IterationControl& control);

// I_x(a, b), the regularised incomplete beta function; a, b > 0, 0 <= x <= 1.
double RegularizedBeta(double a, double b, double x, const IterationControl& control);
}
