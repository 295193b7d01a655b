#include "discs/DemModel.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include "discs/DiscCaseWriter.h"
#include "discs/DiscEnt.h"

void CDemModel::AddDisk(double x, double y, double radius, double mass, double vx, double vy, double angularVelocity)
{
    auto disk = std::make_unique<CDemDisk>();
    disk->x.Set(x, vx);
    disk->y.Set(y, vy);
    disk->rotation.Set(0.0, angularVelocity);
    disk->SetMass(mass);
    disk->SetRadius(radius);
    m_elements.push_back(std::move(disk));
}

void CDemModel::AddSphere(double x, double y, double z, double radius, double mass, double vx, double vy, double vz,
                          double w1, double w2, double w3)
{
    auto sphere = std::make_unique<CDemSphere>();
    sphere->x.Set(x, vx);
    sphere->y.Set(y, vy);
    sphere->z.Set(z, vz);
    sphere->rotation.Set(0.0, w1);
    sphere->rotation2.Set(0.0, w2);
    sphere->rotation3.Set(0.0, w3);
    sphere->SetMass(mass);
    sphere->SetRadius(radius);
    m_elements.push_back(std::move(sphere));
}

void CDemModel::SetUnits(bool metric)
{
    // A pound is 0.45359237 kg: a stiffness of k kg/s^2 is k / 0.45359237 lb/s^2.
    m_dGravity = -CDiscUnits::Of(metric).gravity;
    m_dLeastStiffness = metric ? CDemElement::kStiffness : CDemElement::kStiffness / 0.45359237;
}

void CDemModel::AddWall(double x1, double y1, double x2, double y2)
{
    auto wall = std::make_unique<CDemWall>();
    wall->x1 = x1;
    wall->y1 = y1;
    wall->x2 = x2;
    wall->y2 = y2;
    m_elements.push_back(std::move(wall));
}

bool CDemModel::ReadGeometry(const std::string& path)
{
    std::ifstream in(path);
    if (!in)
        return false;
    std::string line;
    int points = 0, faces = 0, unused = 0;
    if (!std::getline(in, line) || std::sscanf(line.c_str(), "%d %d %d", &points, &faces, &unused) != 3
        || points < 3 || faces < 1)
        return false;
    struct P3 { double x, y, z; };
    std::vector<P3> list;
    for (int i = 0; i < points; ++i) {
        P3 p{};
        if (!std::getline(in, line) || std::sscanf(line.c_str(), "%lg %lg %lg", &p.x, &p.y, &p.z) != 3)
            return false;
        list.push_back(p);
    }
    for (int f = 0; f < faces; ++f) {
        int count = 0, i = 0, j = 0, k = 0;
        if (!std::getline(in, line) || std::sscanf(line.c_str(), "%d %d %d %d", &count, &i, &j, &k) != 4)
            return false;
        if (count == 3)
            continue;
        // Point number n is the (n + 2)-th point line; numbers outside the
        // list name no point and end the reading.
        const int n = static_cast<int>(list.size());
        if (i + 1 < 0 || i + 1 >= n || j + 1 < 0 || j + 1 >= n || k + 1 < 0 || k + 1 >= n)
            return false;
        const P3& a = list[static_cast<size_t>(i + 1)];
        const P3& b = list[static_cast<size_t>(j + 1)];
        const P3& c = list[static_cast<size_t>(k + 1)];
        auto wall = std::make_unique<CDemLoadedWall>();
        wall->x1 = a.x;
        wall->y1 = a.y;
        wall->z1 = a.z;
        wall->x2 = b.x;
        wall->y2 = b.y;
        wall->z2 = b.z;
        wall->x3 = c.x;
        wall->y3 = c.y;
        wall->z3 = c.z;
        m_loadedWalls.push_back(std::move(wall));
    }
    return true;
}

void CDemModel::SetTiming(double timeStep, double endTime)
{
    m_dTimeStep = timeStep;
    m_dEndTime = endTime;
}

void CDemModel::Record(int frame)
{
    if (!m_pResults)
        return;
    for (size_t i = 0; i < m_elements.size(); ++i) {
        const auto* e = m_elements[i].get();
        if (!e->IsMoving())
            continue;
        const auto* d = static_cast<const CDemDisk*>(e);
        m_pResults->AddStateWithMotion(static_cast<int>(i) + 1, frame, d->GetX(), d->GetY(), d->rotation.Position(),
                                       d->GetRadius(), d->x.velocity, d->y.velocity, d->x.acceleration,
                                       d->y.acceleration, d->m_mass);
    }
}

// Every element's force from the positions at the start of the step, so that
// each pair pushes both ways alike whatever the order of the list.
void CDemModel::ComputeForces(int frame)
{
    const size_t n = m_elements.size();
    for (size_t i = 0; i < n; ++i) {
        DemForce& f = m_forces[i];
        f = DemForce{};
        const CDemElement& a = *m_elements[i];
        if (!a.IsMoving())
            continue;
        for (size_t j = 0; j < n; ++j) {
            if (i == j)
                continue;
            const CDemElement& b = *m_elements[j];
            const double gap = a.GetGap(b);
            if (!(gap < 0.0))
                continue;
            const DemPoint p = a.Contact(f, b, gap);
            if (m_pResults && frame >= 0 && p.x != kDemUnset && p.y != kDemUnset)
                m_pResults->AddContact(static_cast<int>(i), frame, p.x, p.y);
        }
        if (m_bGravityOn)
            f.fy += a.m_mass * m_dGravity;
    }
}

namespace {

// No contact gives way by more than this part of an element's radius.
constexpr double kGive = 0.1;
// Steps that a contact of the stiffest pair lasts at least.
constexpr double kStepsPerContact = 20.0;
constexpr double kPi = 3.14159265358979323846;

double Speed(const CDemElement& e)
{
    const auto& d = static_cast<const CDemDisk&>(e);
    double v2 = d.x.velocity * d.x.velocity + d.y.velocity * d.y.velocity;
    if (e.GetKind() == CDemElement::SPHERE) {
        const double vz = static_cast<const CDemSphere&>(e).z.velocity;
        v2 += vz * vz;
    }
    return std::sqrt(v2);
}

}  // namespace

// The contact springs follow the elements: each moving element's contacts
// are stiff enough that the fastest meeting the model allows - two elements
// at the fastest speed any of them starts with or gains falling to the
// lowest point of the model - presses in by no more than a tenth of its
// radius, however heavy it is. The run then takes steps short enough for the
// stiffest pair.
void CDemModel::PrepareContacts()
{
    double low = HUGE_VAL;
    for (const auto& e : m_elements) {
        if (e->GetKind() == CDemElement::WALL) {
            const auto& w = static_cast<const CDemWall&>(*e);
            low = std::min(low, std::min(w.y1, w.y2));
        } else if (e->IsMoving()) {
            low = std::min(low, e->GetY() - e->GetRadius());
        }
    }
    double fastest = 0.0;
    for (const auto& e : m_elements) {
        if (!e->IsMoving())
            continue;
        double v = Speed(*e);
        if (m_bGravityOn && e->GetY() > low)
            v += std::sqrt(2.0 * std::fabs(m_dGravity) * (e->GetY() - low));
        if (std::isfinite(v))
            fastest = std::max(fastest, v);
    }
    const double closing = 2.0 * fastest;
    for (const auto& e : m_elements) {
        e->m_leastStiffness = m_dLeastStiffness;
        const double r = e->GetRadius();
        e->m_contactRate = e->IsMoving() && closing > 0.0 && r > 0.0 && r != kDemUnset ? closing / (kGive * r) : 0.0;
    }
    double rate = 0.0;
    for (const auto& a : m_elements) {
        if (!a->IsMoving() || !(a->m_mass > 0.0) || a->m_mass == kDemUnset)
            continue;
        for (const auto& b : m_elements) {
            if (a == b || !CDemElement::CanTouch(*a, *b))
                continue;
            const double r2 = CDemElement::PairStiffness(*a, *b) / CDemElement::EffectiveMass(*a, *b);
            if (std::isfinite(r2))
                rate = std::max(rate, std::sqrt(r2));
        }
    }
    m_nSubsteps = 1;
    if (rate > 0.0) {
        const double wanted = std::ceil(m_dTimeStep * rate * kStepsPerContact / kPi);
        m_nSubsteps = wanted > 1e6 ? 1000000 : std::max(1, static_cast<int>(wanted));
    }
}

bool CDemModel::Run()
{
    m_dTime = 0.0;
    m_nStepCount = 0;
    m_nFrameCount = 0;
    m_nStoreEvery = 1;
    if (!(m_dTimeStep > 0.0) || !std::isfinite(m_dTimeStep) || !std::isfinite(m_dEndTime) || !(m_dEndTime > 0.0))
        return true;
    const long long steps = GetTotalSteps();
    size_t movers = 0;
    for (const auto& e : m_elements)
        if (e->IsMoving())
            ++movers;
    if (movers > 0) {
        const long long total = steps * static_cast<long long>(movers);
        m_nStoreEvery = static_cast<int>((total + static_cast<long long>(kMaxStoredStates) - 1)
                                         / static_cast<long long>(kMaxStoredStates));
        if (m_nStoreEvery < 1)
            m_nStoreEvery = 1;
    }
    m_forces.assign(m_elements.size(), DemForce{});
    PrepareContacts();
    const double h = m_dTimeStep / m_nSubsteps;
    int lastPercent = -1;
    for (long long s = 0; s < steps; ++s) {
        const bool stored = s % m_nStoreEvery == 0;
        const int frame = stored ? m_nFrameCount : -1;
        if (stored) {
            Record(frame);
            ++m_nFrameCount;
        }
        for (int k = 0; k < m_nSubsteps; ++k) {
            // The contacts of a stored step are those at its start.
            ComputeForces(k == 0 ? frame : -1);
            for (size_t i = 0; i < m_elements.size(); ++i)
                m_elements[i]->Integrate(m_forces[i], h);
        }
        ++m_nStepCount;
        m_dTime = static_cast<double>(m_nStepCount) * m_dTimeStep;
        const int percent = static_cast<int>((s + 1) * 100 / steps);
        if (m_progress && percent != lastPercent) {
            lastPercent = percent;
            if (!m_progress(percent))
                return false;
        }
    }
    // The state at the end time is the last frame, whatever the stride, so
    // the player can show where the elements came to be.
    ComputeForces(m_nFrameCount);
    Record(m_nFrameCount);
    ++m_nFrameCount;
    if (m_pResults)
        m_pResults->SetFrameTiming(m_dTimeStep * m_nStoreEvery, m_dTime);
    return true;
}
