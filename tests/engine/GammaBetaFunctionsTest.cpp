#include <gtest/gtest.h>

#include <cmath>

#include "engine/GammaBetaFunctions.h"

using namespace SpecialFunctions;

namespace
{
const IterationControl control;   // the fitting's own settings: 100 steps, 1e-5
}

TEST(SpecialFunctions, LogGammaAgainstFactorialsAndHalfIntegers)
{
    const double sqrtPi = std::sqrt(3.14159265358979323846);
    const struct { double x, lnGamma; } cases[] = {
        {1.0, 0.0}, {2.0, 0.0}, {5.0, std::log(24.0)}, {10.0, std::log(362880.0)},
        {0.5, std::log(sqrtPi)}, {1.5, std::log(sqrtPi / 2.0)}, {3.5, std::log(15.0 * sqrtPi / 8.0)},
        {100.0, 359.13420536957540},
    };
    for (const auto& c : cases)
        EXPECT_NEAR(LogGamma(c.x), c.lnGamma, 1e-9 * std::max(1.0, std::fabs(c.lnGamma))) << c.x;
    EXPECT_THROW(LogGamma(0.0), SpecialFunctionError);
    EXPECT_THROW(LogGamma(-2.5), SpecialFunctionError);
}

TEST(SpecialFunctions, IncompleteGammaAgainstClosedForms)
{
    for (double x : {0.0, 0.1, 0.5, 1.0, 1.9, 2.0, 3.5, 8.0, 30.0}) {
        EXPECT_NEAR(RegularizedGammaP(1.0, x, control), 1.0 - std::exp(-x), 2e-5) << x;
        EXPECT_NEAR(RegularizedGammaP(2.0, x, control), 1.0 - (1.0 + x) * std::exp(-x), 2e-5) << x;
        EXPECT_NEAR(RegularizedGammaP(3.0, x, control), 1.0 - (1.0 + x + x * x / 2) * std::exp(-x), 2e-5) << x;
    }
    EXPECT_EQ(RegularizedGammaP(0.7, 0.0, control), 0.0);
    EXPECT_THROW(RegularizedGammaP(1.0, -0.1, control), SpecialFunctionError);
    EXPECT_THROW(RegularizedGammaP(0.0, 1.0, control), SpecialFunctionError);
    EXPECT_THROW(RegularizedGammaP(1.0, NAN, control), SpecialFunctionError);
}

TEST(SpecialFunctions, ErrorFunctionAgainstTheLibrary)
{
    EXPECT_EQ(ErrorFunction(0.0, control), 0.0);
    for (double x : {-4.0, -1.5, -0.3, 0.01, 0.2, 0.7, 1.0, 1.2247, 2.0, 3.0, 6.0, 40.0}) {
        EXPECT_NEAR(ErrorFunction(x, control), std::erf(x), 1e-5) << x;
        EXPECT_EQ(ErrorFunction(-x, control), -ErrorFunction(x, control)) << x;
    }
    EXPECT_EQ(ErrorFunction(1e200, control), 1.0);
    EXPECT_THROW(ErrorFunction(NAN, control), SpecialFunctionError);
}

TEST(SpecialFunctions, IncompleteBetaAgainstClosedForms)
{
    for (double x : {0.0, 0.05, 0.3, 0.5, 0.62, 0.9, 0.999, 1.0}) {
        EXPECT_NEAR(RegularizedBeta(1.0, 1.0, x, control), x, 1e-5) << x;
        EXPECT_NEAR(RegularizedBeta(2.5, 1.0, x, control), std::pow(x, 2.5), 1e-5) << x;
        EXPECT_NEAR(RegularizedBeta(1.0, 3.0, x, control), 1.0 - std::pow(1.0 - x, 3.0), 1e-5) << x;
        EXPECT_NEAR(RegularizedBeta(2.0, 2.0, x, control), 3 * x * x - 2 * x * x * x, 1e-5) << x;
        // I(1/2, 1/2; x) is the arcsine law.
        EXPECT_NEAR(RegularizedBeta(0.5, 0.5, x, control), 2.0 / 3.14159265358979323846 * std::asin(std::sqrt(x)),
                    1e-5) << x;
    }
    EXPECT_EQ(RegularizedBeta(3.0, 7.0, 0.0, control), 0.0);
    EXPECT_EQ(RegularizedBeta(3.0, 7.0, 1.0, control), 1.0);
    EXPECT_THROW(RegularizedBeta(2.0, 2.0, -0.01, control), SpecialFunctionError);
    EXPECT_THROW(RegularizedBeta(2.0, 2.0, 1.01, control), SpecialFunctionError);
    EXPECT_THROW(RegularizedBeta(0.0, 2.0, 0.5, control), SpecialFunctionError);
}

TEST(SpecialFunctions, IncompleteBetaConvergesForLargeParameters)
{
    // Beta(a, a) for large a is close to a normal with mean 1/2 and deviation
    // 0.5 / sqrt(2a + 1). Near the mean a fixed budget of 100 steps runs out for
    // a of 1e5 and more.
    for (double a : {1e3, 1e5, 1e6}) {
        const double sd = 0.5 / std::sqrt(2.0 * a + 1.0);
        for (double z : {-3.0, -0.3, 0.0, 0.3, 2.0}) {
            const double phi = 0.5 * std::erfc(-z / std::sqrt(2.0));
            EXPECT_NEAR(RegularizedBeta(a, a, 0.5 + z * sd, control), phi, 1e-3) << a << " " << z;
        }
    }
}

TEST(SpecialFunctions, NoConvergenceWithinTheLimitThrows)
{
    IterationControl strict;
    strict.nBaseIterations = 0;
    strict.dTolerance = 0.0;   // never reached
    EXPECT_THROW(RegularizedBeta(0.5, 0.5, 0.3, strict), SpecialFunctionError);
    EXPECT_THROW(RegularizedGammaP(0.5, 0.2, strict), SpecialFunctionError);
    EXPECT_THROW(RegularizedGammaP(0.5, 4.0, strict), SpecialFunctionError);
}
