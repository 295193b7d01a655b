#include "discs/DiscCaseWriter.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>
#include "model/DocumentDependencies.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
// The lowest restitution a contact is given: a material of Rn 0 stops a disc
// as near dead as the damping formula allows, without a logarithm of 0.
constexpr double kLowestRestitution = 1e-3;
constexpr const char* kNoStiffness = "The discs' masses, heights and speeds give the contacts no finite stiffness.";
// Feet in a metre, and the rock density in pounds per cubic foot for one in
// kilograms per cubic metre, as Compute converts them.
constexpr double kFeetPerMetre = 1.0 / 0.3048;
constexpr double kLbPerFt3PerKgPerM3 = 0.0624254795837469;

// The shortest text that reads back as the same double.
std::string Number(double v)
{
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}

struct ContactBlock {
    double kn = 0, ks = 0, beta = 0;
};

ContactBlock Block(double kn, double m, double e)
{
    e = std::min(1.0, std::max(kLowestRestitution, e));
    const double le = std::log(e);
    const double c = -2.0 * le * std::sqrt(kn * m) / std::sqrt(kPi * kPi + le * le);
    return ContactBlock{kn, 2.0 * kn / 3.0, c / kn};
}

// Angle of a direction in [0, 2 pi).
double Angle(double dx, double dy)
{
    const double a = std::atan2(dy, dx);
    return a < 0 ? a + 2 * kPi : a;
}

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

class CaseText
{
public:
    CaseText& operator<<(const std::string& s) { m_text += s; return *this; }
    CaseText& operator<<(double v) { m_text += Number(v); return *this; }
    CaseText& Line(std::initializer_list<double> values)
    {
        m_text += "\n";
        bool first = true;
        for (double v : values) {
            if (!first)
                m_text += " ";
            m_text += Number(v);
            first = false;
        }
        return *this;
    }
    const std::string& Text() const { return m_text; }

private:
    std::string m_text;
};

bool WriteWhole(const std::string& path, const std::string& text)
{
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "w"));
    if (!file)
        return false;
    const bool written = std::fwrite(text.data(), 1, text.size(), file.get()) == text.size();
    return written && std::fclose(file.release()) == 0;
}

}  // namespace

CDiscUnits CDiscUnits::Of(bool metric)
{
    CDiscUnits units;
    if (!metric) {
        units.gravity = 32.0;
        units.density = 2700.0 * kLbPerFt3PerKgPerM3;
        units.perMetre = kFeetPerMetre;
    }
    return units;
}

double CDiscCaseWriter::RadiusOfMass(double m, const CDiscUnits& units)
{
    return std::cbrt(3.0 * m / (4.0 * kPi * units.density));
}

double CDiscCaseWriter::PositiveMass(const CTalusimRaker& seeder)
{
    for (int i = 0; i < 1000; ++i) {
        const double m = seeder.SampleMass();
        if (m > 0.0 && std::isfinite(m))
            return m;
    }
    return 0.0;
}

bool CDiscCaseWriter::Fail(const std::string& message)
{
    m_error = message;
    return false;
}

bool CDiscCaseWriter::CheckCounts(int walls, long long balls)
{
    if (walls > m_limits.maxWalls) {
        return Fail("The slope and barriers make " + std::to_string(walls) + " walls; the disc program takes at most "
                    + std::to_string(m_limits.maxWalls) + ".");
    }
    if (balls > m_limits.maxBalls) {
        return Fail("The throw would hold " + std::to_string(balls) + " discs; the disc program takes at most "
                    + std::to_string(m_limits.maxBalls) + ".");
    }
    return true;
}

bool CDiscCaseWriter::GatherModel(Model& model)
{
    model.slope = m_doc.GetSlope();
    if (!model.slope)
        return Fail("There is no slope to throw discs down.");
    CREGDatabase& db = *m_doc.GetDatabase();
    model.seeders = CollectAs<CTalusimRaker>(db, ID_ANY_CATEGORY, KIND_SEEDER, ID_ANY_GROUP);
    if (model.seeders.empty())
        return Fail("There is no seeder to throw discs from.");
    model.segments = model.slope->GetVertexCount() - 1;
    if (model.segments < 1)
        return Fail("The slope needs at least two vertices.");
    model.barriers = CollectAs<CTalusimBarrier>(db, ID_ANY_CATEGORY, KIND_BARRIER, GROUP_BARRIER);
    model.lowest = model.slope->GetVertex(0).y;
    for (int i = 1; i <= model.segments; ++i)
        model.lowest = std::min(model.lowest, model.slope->GetVertex(i).y);
    for (int i = 0; i <= model.segments; ++i) {
        const CPolyVertex v = model.slope->GetVertex(i);
        model.walls.slope.emplace_back(v.x, v.y);
    }
    // The air is on the left of a slope drawn left to right.
    model.walls.airOnLeft = model.slope->GetVertex(0).x <= model.slope->GetVertex(model.segments).x;
    for (CTalusimBarrier* b : model.barriers)
        model.walls.barriers.emplace_back(b->GetStartPoint(), b->GetEndPoint());
    return true;
}

bool CDiscCaseWriter::StartOf(const Model& model, size_t index, double r, CVector2D& centre)
{
    CTalusimRaker& seeder = *model.seeders[index];
    const CPolyVertex p = seeder.GetVertex(0);
    if (PlaceDiscClear(model.walls, CVector2D(p.x, p.y), r, centre))
        return true;
    std::string name = static_cast<const char*>(seeder.GetName());
    if (name.empty())
        name = "at (" + Number(p.x) + ", " + Number(p.y) + ")";
    else
        name = "\"" + name + "\"";
    return Fail("The disc of the seeder " + name + " has no room to start: it can't be moved a radius ("
                + Number(r) + ") clear of the slope and the barriers.");
}

bool CDiscCaseWriter::Check(int throws)
{
    m_error.clear();
    Model model;
    if (!GatherModel(model))
        return false;
    // Dependent discs carry every disc thrown so far into the next throw:
    // the last throw holds them all.
    const long long perThrow = static_cast<long long>(model.seeders.size());
    const long long balls = m_doc.GetDiscParameters().IsIndependent() ? perThrow
                                                                       : perThrow * std::max(1, throws);
    if (!CheckCounts(model.segments + 2 * static_cast<int>(model.barriers.size()), balls))
        return false;
    const CDiscUnits units = CDiscUnits::Of(m_doc.IsMetric());
    for (size_t i = 0; i < model.seeders.size(); ++i) {
        double mean, sd;
        model.seeders[i]->GetMass(mean, sd);
        if (!(mean > 0.0) || !std::isfinite(mean) || !std::isfinite(sd))
            return Fail("A seeder's mass gives no positive sample: check its mean and standard deviation.");
        // The disc of the mean mass must find a place; a throw whose sampled
        // disc is larger and finds none fails then, and the run is undone.
        CVector2D centre;
        if (!StartOf(model, i, RadiusOfMass(mean, units), centre))
            return false;
    }
    return true;
}

bool CDiscCaseWriter::Write(const std::string& folder, CDiscCase& out)
{
    m_error.clear();
    out = CDiscCase{};
    Model model;
    if (!GatherModel(model))
        return false;
    CTalusimSlope* slope = model.slope;
    const int n = model.segments;
    const auto& seeders = model.seeders;
    const auto& barriers = model.barriers;
    const CDiscParameters& block = m_doc.GetDiscParameters();
    const auto& settled = m_doc.GetSettledDiscs();
    const int extra = block.IsIndependent() ? 0 : static_cast<int>(settled.size());
    // Barriers stop discs from either side: each is a wall facing each way.
    const int walls = n + 2 * static_cast<int>(barriers.size());
    const int balls = static_cast<int>(seeders.size()) + extra;
    if (!CheckCounts(walls, balls))
        return false;

    // The masses first, so that the contact blocks are tuned to the very
    // discs they stop; then the speeds (drawn in the order they always were).
    const CDiscUnits units = CDiscUnits::Of(m_doc.IsMetric());
    std::vector<double> masses;
    for (CTalusimRaker* s : seeders) {
        const double m = PositiveMass(*s);
        if (!(m > 0.0))
            return Fail("A seeder's mass gives no positive sample: check its mean and standard deviation.");
        masses.push_back(m);
    }
    std::vector<CVector2D> velocities, centres(seeders.size());
    for (CTalusimRaker* s : seeders)
        velocities.push_back(s->SampleVelocity());
    for (size_t i = 0; i < seeders.size(); ++i)
        if (!StartOf(model, i, RadiusOfMass(masses[i], units), centres[i]))
            return false;

    // Contact stiffness from the most energetic disc the case holds: the one
    // that would press in deepest, falling from its height to the slope's
    // lowest point with its speed, presses in by a fifth of its radius. A
    // disc at rest at the bottom still presses with its weight (its centre
    // is a radius up). The damping is tuned to that disc's mass.
    const double lowest = model.lowest;
    double kn = 0.0, m = 0.0;
    auto consider = [&](double mass, double r, double y, double vx, double vy) {
        const double h = std::max(y - lowest, r);
        const double energy = mass * (units.gravity * h + 0.5 * (vx * vx + vy * vy));
        const double k = 2.0 * energy / ((0.2 * r) * (0.2 * r));
        if (k > kn) {
            kn = k;
            m = mass;
        }
    };
    for (size_t i = 0; i < seeders.size(); ++i)
        consider(masses[i], RadiusOfMass(masses[i], units), centres[i].y, velocities[i].x, velocities[i].y);
    for (int i = 0; i < extra; ++i) {
        const auto& d = settled[static_cast<size_t>(i)];
        consider(d[11], d[3], d[2] + d[14], d[5], d[6]);
    }
    if (!(kn > 0.0) || !std::isfinite(kn) || !(m > 0.0) || !std::isfinite(m))
        return Fail(kNoStiffness);

    const bool leftToRight = model.walls.airOnLeft;
    const double side = leftToRight ? 1.0 : -1.0;

    CaseText text;
    text << "disc file";
    text.Line({0.0});
    text << "\n" << std::to_string(balls) << "\n" << kBallName;
    text << "\n" << std::to_string(walls);
    for (int i = 1; i <= n; ++i) {
        const CPolyVertex a = slope->GetVertex(i - 1), b = slope->GetVertex(i);
        const double length = std::hypot(b.x - a.x, b.y - a.y);
        const double angle = length > 0 ? Angle(b.x - a.x, b.y - a.y) : 0.0;
        text.Line({a.x, a.y, angle, 0, 0, 0, 0, length, side, 0});
    }
    for (CTalusimBarrier* barrier : barriers) {
        const CVector2D a = barrier->GetStartPoint(), b = barrier->GetEndPoint();
        const double length = std::hypot(b.x - a.x, b.y - a.y);
        const double angle = length > 0 ? Angle(b.x - a.x, b.y - a.y) : 0.0;
        text.Line({a.x, a.y, angle, 0, 0, 0, 0, length, 1, 0});
        text.Line({a.x, a.y, angle, 0, 0, 0, 0, length, -1, 0});
    }
    text << "\n0\n0";
    auto writeBlock = [&text](const ContactBlock& c) {
        for (double v : {c.kn, c.ks, c.beta, c.beta, 0.0, 2.74748, 0.0})
            text.Line({v});
    };
    writeBlock(Block(kn, m, 0.7));
    // Block k belongs to wall k: segment k's own material, whichever way the
    // slope was drawn.
    ContactBlock last;
    for (int i = 1; i <= n; ++i) {
        CTalusimSlopeType* material = slope->GetSegmentMaterial(i);
        const double e = material ? material->GetRnMean() : 0.0;
        const ContactBlock c = Block(kn, m, e);
        writeBlock(c);
        // Barriers take the block of the slope's lower end.
        if ((leftToRight && i == n) || (!leftToRight && i == 1))
            last = c;
    }
    for (size_t i = 0; i < 2 * barriers.size(); ++i)
        writeBlock(last);
    // Global damping none; the contact and accumulator tolerances are
    // lengths (a quarter and a hundredth of a metre), the last an angle.
    for (double v : {0.0, 0.0, 0.25 * units.perMetre, units.gravity, 0.01 * units.perMetre, 0.01})
        text.Line({v});

    CaseText ballText;
    for (size_t i = 0; i < seeders.size(); ++i) {
        const double mi = masses[i];
        const double ri = RadiusOfMass(mi, units);
        const CVector2D v = velocities[i], p = centres[i];
        ballText.Line({p.x, p.y, ri, 0, v.x, v.y, 0, 0, 0, 0, mi, 0.15 * mi * ri * ri, 0, 0, 0});
        out.seederRadii.push_back(ri);
    }
    for (int i = 0; i < extra; ++i) {
        const auto& record = settled[static_cast<size_t>(i)];
        ballText << "\n";
        for (int k = 1; k <= 15; ++k)
            ballText << Number(record[static_cast<size_t>(k)]) << " ";
    }

    const std::filesystem::path dir(folder);
    if (!WriteWhole((dir / kCaseName).string(), text.Text()) || !WriteWhole((dir / kBallName).string(), ballText.Text()))
        return Fail("The disc case can't be written to " + folder + ".");
    out.walls = walls;
    out.balls = balls;
    return true;
}
