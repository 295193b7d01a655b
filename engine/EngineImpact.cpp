// The bounce: sampled restitution, its scaling, roughness, the rotational
// model, breakable barriers and where the rock is put after the impact.
#include "engine/TalusimEngine.h"

#include <cmath>

#include "geometry/Constants.h"

namespace
{
constexpr double FOUR_PI = 12.566370614359172;
constexpr double BARRIER_OFFSET = 0x1p-23;                     // 1.1920928955078125e-7
constexpr int ROUGHNESS_TRIES = 21;

double Clamp01(double v)
{
    return v < 0.0 ? 0.0 : (v > 1.0 ? 1.0 : v);
}
} // namespace

void CTalusimEngine::ComputeImpact(CRockState& state, int index, int kind)
{
    const double m = state.mass;
    const double vxIn = state.vx, vyIn = state.vy;

    double x1, y1, x2, y2;
    CEngineElement* element;
    if (kind == ENGINE_KIND_SEGMENT)
    {
        x1 = m_vertices[index].x;
        y1 = m_vertices[index].y;
        x2 = m_vertices[index + 1].x;
        y2 = m_vertices[index + 1].y;
        element = &m_vertices[index + 1];
    }
    else
    {
        const CEngineLine& b = m_barriers[index];
        x1 = b.x1;
        y1 = b.y1;
        x2 = b.x2;
        y2 = b.y2;
        element = &m_barriers[index];
    }
    const double dx = x2 - x1, dy = y2 - y1;

    // A breakable barrier gives way when the rock carries more energy than it
    // can take; the rock goes on with what is left.
    bool breaksThrough = false;
    double vxThrough = vxIn, vyThrough = vyIn;
    if (kind == ENGINE_KIND_BARRIER)
    {
        const CEngineLine& b = m_barriers[index];
        const double speed2 = vxIn * vxIn + vyIn * vyIn;
        const double energy = 0.5 * m * speed2;
        if (!b.infiniteCapacity && energy > b.capacity)
        {
            breaksThrough = true;
            const double speed = std::sqrt(speed2);
            const double after = std::sqrt(2.0 * (energy - b.capacity) / m);
            vxThrough = vxIn / speed * after;
            vyThrough = vyIn / speed * after;
        }
    }

    const double Rt = Clamp01(element->Rt.Sample());
    double Rn = Clamp01(element->Rn.Sample());

    const double L = std::sqrt(dx * dx + dy * dy);
    double Vt = (dx * vxIn + dy * vyIn) / L;
    double Vn = (dx * vyIn - dy * vxIn) / L;

    if (kind == ENGINE_KIND_SEGMENT)
    {
        CNormalVariable& roughness = m_vertices[index + 1].roughness;
        if (roughness.GetStdDev() > 0.0)
        {
            // A rough surface turns the local surface by a random angle, as long
            // as the rock still comes in against the turned surface.
            const double alpha = std::atan2(Vn, Vt) * RAD_TO_DEG;
            for (int k = 0; k < ROUGHNESS_TRIES; ++k)
            {
                const double delta = roughness.Sample();
                if ((alpha > -90.0 && alpha > delta) || (alpha < -90.0 && alpha + 180.0 < delta))
                    continue;
                const double beta = (std::atan2(dy, dx) * RAD_TO_DEG + delta) * DEG_TO_RAD;
                Vt = std::sin(beta) * vyIn + std::cos(beta) * vxIn;
                Vn = std::cos(beta) * vyIn - std::sin(beta) * vxIn;
                break;
            }
        }
    }

    if (m_scaleRnByVelocity)
        Rn = Rn / (1.0 + (Vn / m_K) * (Vn / m_K));
    if (m_scaleRnByMass)
        Rn = Rn / (1.0 + (m / m_C) * (m / m_C));

    double VtOut;
    if (!m_angularModel || breaksThrough)
        VtOut = Rt * Vt;
    else
    {
        const double rho = RockDensity(m_metric);
        if (m != m_radiusMass)
        {
            m_radiusMass = m;
            m_radius = std::cbrt(3.0 * m / (FOUR_PI * rho));
        }
        const double r = m_radius;
        const double I = 0.4 * m * r * r;
        const double L0 = m_metric ? 6.096 : 20.0;
        const double L1 = m_metric ? 76.2 : 250.0;
        const double omega = state.omega;
        const double slip = (Vt - omega * r) / L0;
        const double f = Rt + (1.0 - Rt) / (slip * slip + 1.2);
        // Rn of 0 takes all of the normal speed: no tangential recovery either
        // (and no 0/0 when the normal speed is 0 too).
        double s = 0.0;
        if (Rn > 0.0)
        {
            const double q = Vn / (Rn * L1);
            s = Rt / (1.0 + q * q);
        }
        const double rotational = I * omega * omega;
        const double translational = m * Vt * Vt;
        double sign;
        if (rotational <= translational)
            sign = Vt >= 0.0 ? 1.0 : -1.0;
        else
            sign = omega >= 0.0 ? 1.0 : -1.0;
        VtOut = sign * std::sqrt(f * s * r * r * (rotational + translational) / (I + m * r * r));
        state.omega = VtOut / r;
    }
    const double VnOut = Rn * Vn;

    if (breaksThrough)
    {
        state.vx = vxThrough;
        state.vy = vyThrough;
    }
    else
    {
        state.vx = VtOut * dx / L + VnOut * dy / L;
        state.vy = VtOut * dy / L - VnOut * dx / L;
    }

    // Put the rock a hair beyond the surface it hit (before it when it broke
    // through), so that the next flight starts with the crossing back through
    // this surface and the contact search finds it first.
    const CVector2D p = enginegeo::ProjectOnSegment(x1, y1, x2, y2, state.x, state.y);
    double ox, oy;
    if (kind == ENGINE_KIND_SEGMENT)
    {
        const CVector2D& normal = m_region.GetVertex(index + 1).segmentNormal;
        ox = -normal.x;
        oy = -normal.y;
    }
    else
    {
        const bool firstFarther = p.DistanceSquaredTo(x1, y1) >= p.DistanceSquaredTo(x2, y2);
        const double fx = (firstFarther ? x1 : x2) - p.x, fy = (firstFarther ? y1 : y2) - p.y;
        const double f2 = fx * fx + fy * fy;
        double wx = vxIn, wy = vyIn;
        if (f2 > 0.0)
        {
            const double along = (vxIn * fx + vyIn * fy) / f2;
            wx -= along * fx;
            wy -= along * fy;
        }
        double w = std::sqrt(wx * wx + wy * wy);
        if (w == 0.0)
        {
            // The rock came in along the barrier (or at rest): its normal gives
            // the side instead of a zero vector scaled by 0/0.
            wx = -dy;
            wy = dx;
            w = L;
        }
        ox = wx / w * BARRIER_OFFSET;
        oy = wy / w * BARRIER_OFFSET;
    }
    if (breaksThrough)
    {
        ox = -ox;
        oy = -oy;
    }
    state.x = p.x + ox;
    state.y = p.y + oy;
    state.dx = ox;
    state.dy = oy;
}
