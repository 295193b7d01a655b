// The document's side of a computation: what it does with the engine's
// reports (segments, location passages, impacts, end points), the disc
// programs' equivalent, and the start of each rock sampled from a seeder.
#include "model/DocumentDependencies.h"

#include <cmath>

#include "engine/RandomVariables.h"
#include "framework/MessageBox.h"
#include "geometry/Constants.h"
#include "geometry/SegmentRecords.h"
#include "model/RunSeeders.h"
#include "res/resource.h"

namespace
{
constexpr double PI_VALUE = 3.14159265358979323846;

double Speed(double vx, double vy)
{
    return std::sqrt(vx * vx + vy * vy);
}

void UpdateMaxima(CLocationEnvelope& record, double height, double energy, double rotational, double v,
                  double w)
{
    record.UpdateMaxHeight(height);
    record.UpdateMaxEnergies(energy, rotational);
    record.UpdateMaxVelocities(v, w);
}
} // namespace

double CTalusimDoc::RotationalEnergy(double mass, double angularVelocity) const
{
    // A solid sphere of rock of the given mass.
    if (mass != m_inertiaMass || m_bMetric != m_inertiaMetric)
    {
        const double rho = RockDensity(m_bMetric);
        const double r = std::cbrt(3.0 * mass / (4.0 * PI_VALUE * rho));
        m_inertia = 2.0 * mass * r * r / 5.0;
        m_inertiaMass = mass;
        m_inertiaMetric = m_bMetric;
    }
    return 0.5 * m_inertia * angularVelocity * angularVelocity;
}

void CTalusimDoc::RecordEndPoint(double x, double y)
{
    // The end point files the path: both lists grow together, entry i of each
    // belonging to the same rock.
    if (m_pCurrentRockPath == nullptr)
        return;
    m_endPoints.Add(CVector2D(x, y));
    try {
        m_rockPaths.Add(m_pCurrentRockPath);
    } catch (...) {
        // Never an end point without its path.
        m_endPoints.SetSize(m_endPoints.GetSize() - 1);
        throw;
    }
}

void CTalusimDoc::RecordImpact(double x, double y, double vx, double vy, double mass, double angularVelocity,
                               CTalusimBarrier* pBarrier)
{
    if (pBarrier == nullptr)
        return;
    const double v = Speed(vx, vy);
    const double energy = 0.5 * mass * v * v;
    const double rotational = RotationalEnergy(mass, angularVelocity);
    CBarrierHit hit;
    hit.Set(x, y, v, angularVelocity, energy, rotational, mass, m_pCurrentRockPath, vx, vy, 1);
    pBarrier->AddHit(hit, true);
}

void CTalusimDoc::RecordLocationPassage(double x, double y, double vx, double vy, double mass, int location,
                                        double angularVelocity)
{
    (void)x;
    // -1 is the line below the slope that catches rocks leaving it; an index
    // the arrays do not hold is dropped rather than trusted.
    if (location < 0 || location >= m_locationMaxima.GetSize() || location >= m_distributions.GetSize())
        return;
    const double v = Speed(vx, vy);
    const double energy = 0.5 * mass * v * v;
    const double rotational = RotationalEnergy(mass, angularVelocity);
    UpdateMaxima(m_locationMaxima[location], y, energy, rotational, v, angularVelocity);
    m_distributions[location].AddSample(y, energy, rotational, v, angularVelocity, m_pCurrentRockPath);
}

void CTalusimDoc::RecordDiscStep(double x0, double y0, double vx0, double vy0, double x1, double y1, double vx1,
                                 double vy1, double mass, double angularVelocity)
{
    const double v = 0.5 * (Speed(vx0, vy0) + Speed(vx1, vy1));
    const double height = 0.5 * (y0 + y1);
    const double energy = 0.5 * mass * v * v;
    const double rotational = RotationalEnergy(mass, angularVelocity);

    // Every location the step passes over, the last one included (it is a
    // location like the others, at the slope's right end).
    for (int i = 0; i < m_locationMaxima.GetSize(); ++i)
    {
        CLocationEnvelope& record = m_locationMaxima[i];
        const double X = record.GetLocation();
        if ((x0 <= X && X <= x1) || (x1 <= X && X <= x0))
            UpdateMaxima(record, height, energy, rotational, v, angularVelocity);
    }

    // The barriers and collectors the disc program put into the second work set: the
    // list the run handed over, or else the set itself.
    std::vector<CTalusimBarrier*> inSet;
    const std::vector<CTalusimBarrier*>* lines = m_pDiscCrossings;
    if (lines == nullptr)
    {
        for (CEntity* e = m_database.GetFirstInSet(SET_WORK2); e != nullptr; e = m_database.GetNextInSet(SET_WORK2))
            if (auto* barrier = dynamic_cast<CTalusimBarrier*>(e))
                inSet.push_back(barrier);
        lines = &inSet;
    }
    for (CTalusimBarrier* barrier : *lines)
    {
        CSegmentIntersector crossing;
        crossing.SetSegmentA(x0, y0, x1, y1);
        crossing.SetSegmentB(barrier->GetX1(), barrier->GetY1(), barrier->GetX2(), barrier->GetY2());
        if (!crossing.Compute())
            continue;
        CBarrierHit hit;
        hit.Set(crossing.GetX(), crossing.GetY(), v, angularVelocity, energy, rotational, mass, m_pCurrentRockPath,
                0.5 * (vx0 + vx1), 0.5 * (vy0 + vy1), 1);
        barrier->AddHit(hit, true);
    }
}

CTalusimRaker* CTalusimDoc::ChooseSeeder()
{
    std::vector<CTalusimRaker*> gathered;
    const std::vector<CTalusimRaker*>* running = CRunSeeders::For(this);
    if (running == nullptr)
        gathered = CollectAs<CTalusimRaker>(m_database, CAT_PLACED, KIND_SEEDER, 21);
    const std::vector<CTalusimRaker*>& seeders = running != nullptr ? *running : gathered;
    const int n = static_cast<int>(seeders.size());
    if (n == 0)
        return nullptr;
    if (n == 1)
        return seeders.front();

    if (m_nSeederProbability == SEEDER_BY_LENGTH)
    {
        double sum = 0.0;
        int counted = 0;
        for (CTalusimRaker* s : seeders)
        {
            const double length = s->GetLength();
            if (length == 0.0)
            {
                AfxMessageBox(IDS_DISCRETE_SEEDER_EXISTS, MB_ICONINFORMATION);
                m_nSeederProbability = SEEDER_EQUAL;
                break;
            }
            sum += length;
            ++counted;
        }
        const double d = RandomInInterval(0.0, sum);
        double running = 0.0;
        for (int i = 0; i < counted; ++i)
        {
            running += seeders[static_cast<size_t>(i)]->GetLength();
            if (running >= d)
                return seeders[static_cast<size_t>(i)];
        }
        // Only a zero-length first seeder (or rounding at the very end) gets here.
        return seeders[static_cast<size_t>(counted > 0 ? counted - 1 : 0)];
    }
    if (m_nSeederProbability == SEEDER_EQUAL)
    {
        const int k = RandomIntInRange(1, n);
        return seeders[static_cast<size_t>(k - 1)];
    }
    return nullptr;
}

void CTalusimDoc::SampleRockStart(CVector2D& start, CVector2D& velocity, double& mass, double& angularVelocity)
{
    CTalusimRaker* seeder = ChooseSeeder();
    if (seeder == nullptr)
    {
        // No seeder to start from: a rock without mass, which the driver skips.
        mass = 0.0;
        return;
    }
    // This order fixes which random numbers each value takes.
    mass = seeder->SampleMass();
    velocity = seeder->SampleVelocity();
    start = seeder->GetStartPoint();
    angularVelocity = seeder->SampleAngularVelocity();
}

