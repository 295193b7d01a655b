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
constexpr double kGravity = 9.81;
// The lowest restitution a contact is given: a material of Rn 0 stops a disc
// as near dead as the damping formula allows, without a logarithm of 0.
constexpr double kLowestRestitution = 1e-3;
constexpr const char* kNoStiffness = "The first seeder lies at the slope's lowest point without a starting velocity, "
                                     "so the contacts get no stiffness.";

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

double CDiscCaseWriter::RadiusOfMass(double m)
{
    return std::cbrt(3.0 * m / (4.0 * kPi * kDensity));
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
    return true;
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
    for (CTalusimRaker* s : model.seeders) {
        double mean, sd;
        s->GetMass(mean, sd);
        if (!(mean > 0.0) || !std::isfinite(mean) || !std::isfinite(sd))
            return Fail("A seeder's mass gives no positive sample: check its mean and standard deviation.");
    }
    double vxMean, vyMean, vxSd, vySd;
    model.seeders.front()->GetVelocity(vxMean, vyMean, vxSd, vySd);
    if (model.seeders.front()->GetVertex(0).y == model.lowest && std::hypot(vxMean, vyMean) == 0.0)
        return Fail(kNoStiffness);
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
    // disc they stop.
    std::vector<double> masses;
    for (CTalusimRaker* s : seeders) {
        const double m = PositiveMass(*s);
        if (!(m > 0.0))
            return Fail("A seeder's mass gives no positive sample: check its mean and standard deviation.");
        masses.push_back(m);
    }

    const double lowest = model.lowest;
    CTalusimRaker& first = *seeders.front();
    double vxMean, vyMean, vxSd, vySd;
    first.GetVelocity(vxMean, vyMean, vxSd, vySd);
    const double h = std::fabs(first.GetVertex(0).y - lowest);
    const double vbar = std::hypot(vxMean, vyMean);
    const double m = masses.front();
    const double r = RadiusOfMass(m);
    const double kPE = 2.0 * m * kGravity * h / ((0.2 * r) * (0.2 * r));
    auto stiffness = [&](double V, double scale) {
        return kPE != 0.0 ? kPE : m * V * V / (36.0 * (scale * r) * (scale * r));
    };
    const double knDisc = stiffness(2.0 * (std::sqrt(2.0 * kGravity * h) + vbar), 0.2);
    const double knWall = stiffness(std::sqrt(2.0 * kGravity * h) + vbar, 0.02);
    if (!(knDisc > 0.0) || !(knWall > 0.0) || !std::isfinite(knDisc) || !std::isfinite(knWall))
        return Fail(kNoStiffness);

    // The air is on the left of a slope drawn left to right.
    const bool leftToRight = slope->GetVertex(0).x <= slope->GetVertex(n).x;
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
    writeBlock(Block(knDisc, m, 0.7));
    // Block k belongs to wall k: segment k's own material, whichever way the
    // slope was drawn.
    ContactBlock last;
    for (int i = 1; i <= n; ++i) {
        CTalusimSlopeType* material = slope->GetSegmentMaterial(i);
        const double e = material ? material->GetRnMean() : 0.0;
        const ContactBlock c = Block(knWall, m, e);
        writeBlock(c);
        // Barriers take the block of the slope's lower end.
        if ((leftToRight && i == n) || (!leftToRight && i == 1))
            last = c;
    }
    for (size_t i = 0; i < 2 * barriers.size(); ++i)
        writeBlock(last);
    for (double v : {0.0, 0.0, 0.25, kGravity, 0.01, 0.01})
        text.Line({v});

    CaseText ballText;
    for (size_t i = 0; i < seeders.size(); ++i) {
        CTalusimRaker& s = *seeders[i];
        const double mi = masses[i];
        const double ri = RadiusOfMass(mi);
        const CVector2D v = s.SampleVelocity();
        const CPolyVertex p = s.GetVertex(0);
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
