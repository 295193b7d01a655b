#include "discs/DemElements.h"

#include <algorithm>
#include <cmath>

namespace {

// Below this distance two centres count as one point: the direction between
// them is then chosen, not divided out of nothing.
constexpr double kCoincident = 1e-12;

// Unit vector from a to b; for coincident points a fixed direction whose sign
// depends on which element asks, so that the two see opposite directions and
// push each other apart.
void Direction(double dx, double dy, double d, const void* self, const void* other, double& nx, double& ny)
{
    if (d > kCoincident) {
        nx = dx / d;
        ny = dy / d;
    } else {
        nx = self < other ? 1.0 : -1.0;
        ny = 0.0;
    }
}

// The tangential part of a contact, the same law seen from either side: a
// force against the slip of the two surfaces where they touch, and the turn
// it gives the element. n points from this element's centre to the other's
// (or to the wall); rel is this element's velocity less the other's; spins
// is the sum of each element's spin times its radius. The force opposes the
// slip, so it never adds energy, and brings the pair to rolling on each
// other.
void AddSlipForce(DemForce& f, double nx, double ny, double nz, double relVx, double relVy, double spins,
                  double radius, double damping)
{
    double sx = relVx - spins * ny;
    double sy = relVy + spins * nx;
    double sz = 0.0;
    const double along = sx * nx + sy * ny + sz * nz;
    sx -= along * nx;
    sy -= along * ny;
    sz -= along * nz;
    const double fx = -damping * sx, fy = -damping * sy;
    f.fx += fx;
    f.fy += fy;
    f.fz += -damping * sz;
    f.t1 += radius * (nx * fy - ny * fx);
}

}  // namespace

void DemAxisState::Step(double a, double dt)
{
    acceleration = a;
    velocity += dt * acceleration;
    pending += dt * velocity;
    if (pending > 1e-7) {
        base += pending;
        pending = 0.0;
    }
}

// ---- contact springs -----------------------------------------------------------

double CDemElement::EffectiveMass(const CDemElement& a, const CDemElement& b)
{
    if (a.IsMoving() && b.IsMoving())
        return a.m_mass * b.m_mass / (a.m_mass + b.m_mass);
    return a.IsMoving() ? a.m_mass : b.m_mass;
}

double CDemElement::PairStiffness(const CDemElement& a, const CDemElement& b)
{
    const double rate = std::max(a.m_contactRate, b.m_contactRate);
    const double least = std::max(a.m_leastStiffness, b.m_leastStiffness);
    if (!(rate > 0.0))
        return least;
    const double k = EffectiveMass(a, b) * rate * rate;
    return std::isfinite(k) && k > least ? k : least;
}

double CDemElement::SlipDamping(const CDemElement& a, const CDemElement& b)
{
    const double c = std::sqrt(PairStiffness(a, b) * EffectiveMass(a, b));
    return std::isfinite(c) ? c : 0.0;
}

bool CDemElement::CanTouch(const CDemElement& a, const CDemElement& b)
{
    const int ka = a.GetKind(), kb = b.GetKind();
    if (ka == SPHERE || kb == SPHERE)
        return ka == SPHERE && kb == SPHERE;
    return (ka == DISK && (kb == DISK || kb == WALL)) || (kb == DISK && ka == WALL);
}

// ---- walls ---------------------------------------------------------------------

DemPoint CDemWall::Nearest(double px, double py, double& distance) const
{
    const double dx = x2 - x1, dy = y2 - y1;
    const double len2 = dx * dx + dy * dy;
    double t = 0.0;
    if (len2 > 0.0) {
        t = ((px - x1) * dx + (py - y1) * dy) / len2;
        t = t < 0.0 ? 0.0 : (t > 1.0 ? 1.0 : t);
    }
    DemPoint p{x1 + t * dx, y1 + t * dy};
    distance = std::hypot(px - p.x, py - p.y);
    return p;
}

// ---- disks ---------------------------------------------------------------------

void CDemDisk::SetRadius(double r)
{
    m_radius = r;
    UpdateInertia();
}

void CDemDisk::SetMass(double m)
{
    m_mass = m;
    UpdateInertia();
}

void CDemDisk::UpdateInertia()
{
    if (m_radius != kDemUnset && m_mass != kDemUnset)
        m_inertia = 0.5 * m_mass * m_radius * m_radius;
}

void CDemDisk::Integrate(const DemForce& f, double dt)
{
    x.Step(f.fx / m_mass, dt);
    y.Step(f.fy / m_mass, dt);
    // An element without size or mass turns with its initial angular velocity.
    rotation.Step(m_inertia > 0.0 && m_inertia != kDemUnset ? f.t1 / m_inertia : 0.0, dt);
}

double CDemDisk::GetValue(int code) const
{
    const double speed = std::hypot(x.velocity, y.velocity);
    switch (code) {
    case 2: return speed;
    case 0: return 0.5 * m_mass * speed * speed;
    default: return kDemUnset;
    }
}

double CDemDisk::GetGap(const CDemElement& other) const
{
    if (other.GetKind() == DISK) {
        return std::hypot(other.GetX() - GetX(), other.GetY() - GetY()) - (m_radius + other.GetRadius());
    }
    if (other.GetKind() == WALL) {
        double d = 0.0;
        static_cast<const CDemWall&>(other).Nearest(GetX(), GetY(), d);
        return d - m_radius;
    }
    return 0.0;
}

DemPoint CDemDisk::Contact(DemForce& f, const CDemElement& other, double gap) const
{
    const double ax = GetX(), ay = GetY();
    if (other.GetKind() == DISK) {
        const auto& b = static_cast<const CDemDisk&>(other);
        const double dx = b.GetX() - ax, dy = b.GetY() - ay;
        const double d = std::hypot(dx, dy);
        double nx, ny;
        Direction(dx, dy, d, this, &other, nx, ny);
        const double k = PairStiffness(*this, other);
        f.fx += nx * gap * k;
        f.fy += ny * gap * k;
        AddSlipForce(f, nx, ny, 0.0, x.velocity - b.x.velocity, y.velocity - b.y.velocity,
                     rotation.velocity * m_radius + b.rotation.velocity * b.m_radius, m_radius,
                     SlipDamping(*this, other));
        const double reach = m_radius + (d - (m_radius + b.m_radius)) * 0.5;
        return DemPoint{ax + nx * reach, ay + ny * reach};
    }
    if (other.GetKind() == WALL) {
        const auto& w = static_cast<const CDemWall&>(other);
        double d = 0.0;
        const DemPoint p = w.Nearest(ax, ay, d);
        double nx, ny;
        if (d > kCoincident) {
            nx = (p.x - ax) / d;
            ny = (p.y - ay) / d;
        } else {
            // The centre lies on the wall: push it to the wall's right-hand
            // side, which is up for a wall drawn left to right.
            const double wx = w.x2 - w.x1, wy = w.y2 - w.y1;
            const double len = std::hypot(wx, wy);
            nx = len > 0.0 ? wy / len : 0.0;
            ny = len > 0.0 ? -wx / len : -1.0;
        }
        const double k = PairStiffness(*this, other);
        f.fx += nx * gap * k;
        f.fy += ny * gap * k;
        AddSlipForce(f, nx, ny, 0.0, x.velocity, y.velocity, rotation.velocity * m_radius, m_radius,
                     SlipDamping(*this, other));
        return p;
    }
    return {};
}

// ---- spheres -------------------------------------------------------------------

void CDemSphere::UpdateInertia()
{
    if (m_radius != kDemUnset && m_mass != kDemUnset)
        m_inertia = 0.4 * m_mass * m_radius * m_radius;
}

double CDemSphere::GetGap(const CDemElement& other) const
{
    if (other.GetKind() != SPHERE)
        return 0.0;
    const double dx = other.GetX() - GetX(), dy = other.GetY() - GetY(), dz = other.GetZ() - GetZ();
    return std::sqrt(dx * dx + dy * dy + dz * dz) - (m_radius + other.GetRadius());
}

DemPoint CDemSphere::Contact(DemForce& f, const CDemElement& other, double gap) const
{
    if (other.GetKind() != SPHERE)
        return {};
    const auto& b = static_cast<const CDemSphere&>(other);
    const double dx = b.GetX() - GetX(), dy = b.GetY() - GetY(), dz = b.GetZ() - GetZ();
    const double d = std::sqrt(dx * dx + dy * dy + dz * dz);
    double nx, ny, nz = 0.0;
    if (d > kCoincident) {
        nx = dx / d;
        ny = dy / d;
        nz = dz / d;
    } else {
        Direction(0.0, 0.0, 0.0, this, &other, nx, ny);
    }
    const double k = PairStiffness(*this, other);
    f.fx += nx * gap * k;
    f.fy += ny * gap * k;
    f.fz += nz * gap * k;
    // Spheres move in their plane and turn about its normal, as disks do.
    AddSlipForce(f, nx, ny, nz, x.velocity - b.x.velocity, y.velocity - b.y.velocity,
                 rotation.velocity * m_radius + b.rotation.velocity * b.m_radius, m_radius,
                 SlipDamping(*this, other));
    const double reach = m_radius + (d - (m_radius + b.m_radius)) * 0.5;
    return DemPoint{GetX() + nx * reach, GetY() + ny * reach};
}
