// The contact pass: for every ball the forces of its ball-ball and ball-wall
// contacts, summed into its accelerations. One force law serves every
// contact: a linear spring and dashpot along the normal that never pulls, an
// incremental shear spring and dashpot held to the Coulomb limit, and a
// rolling resistance that holds the ball's spin while the shear torque stays
// below it.
#include "dem/Disc.h"

#include <algorithm>
#include <array>
#include <cmath>

using namespace disc;

CDisc::ForceResult CDisc::ForceLaw(const ContactProps& p, double overlap, double vn, double vs, double dt,
                                   double storedShear)
{
    ForceResult r{};
    r.fn = p.kn * overlap;
    r.dn = p.cn * p.kn * vn;
    if (r.fn + r.dn < 0)
        r.dn = -r.fn;   // a separating dashpot may ease the spring, never pull
    r.n = r.fn + r.dn;
    r.fs = storedShear + p.ks * vs * dt;
    r.ds = p.cs * p.ks * vs;
    const double limit = p.friction * r.n + p.cohesion;
    if (std::fabs(r.fs) > limit) {
        r.fs = std::copysign(limit, r.fs);
        r.ds = 0;
        r.sliding = true;
    } else if (std::fabs(r.fs + r.ds) > limit) {
        r.ds = std::copysign(limit, r.fs + r.ds) - r.fs;
    }
    r.s = r.fs + r.ds;
    return r;
}

void CDisc::ContactPass()
{
    const int nb = m_model.Nb();
    if (static_cast<int>(m_boundaryFx.size()) != nb + 1 || static_cast<int>(m_polygonForces.size()) != m_model.Np() + 1) {
        // Sized here for a pass run on its own; the cycle sizes them before its first step.
        m_boundaryFx.assign(nb + 1, 0);
        m_boundaryFy.assign(nb + 1, 0);
        m_polygonForces.assign(m_model.Np() + 1, {});
    }
    const int highest = m_search.HighestNumber();
    if (static_cast<int>(m_flag.size()) < highest + 1)
        m_flag.resize(highest + 1);   // sized once per analysis; grows only if the lists did
    std::fill(m_flag.begin(), m_flag.begin() + highest + 1, 0);
    if (static_cast<int>(m_twin.size()) != m_model.Nw() + 1)
        PairTwinWalls();   // a pass run on its own; an analysis pairs them before its first step
    for (int w = 1; w <= m_model.Nw(); ++w) {
        Wall& wall = m_model.walls[w];
        wall.fx = wall.fy = wall.moment = 0;
    }
    if (m_model.Nf() > 0)
        FlexibleBoundaryStep(m_areaDue);
    for (int i = 1; i <= m_model.Nb(); ++i)
        BallForces(i);
}

void CDisc::BallForces(int i)
{
    Ball& bi = m_model.balls[i];
    const double xi = bi.X(), yi = bi.Y();
    double fx = 0, fy = 0, moment = 0, roll = 0;
    const ContactProps& bb = m_model.ballBall;
    SlotLists& lists = m_search.Contacts();
    m_wallWork.clear();
    for (int node = lists.First(i); node; node = lists.Next(node)) {
        const int body = lists.Body(node), c = lists.Number(node);
        if (body < 0) {
            m_wallWork.push_back(node);
            continue;
        }
        ContactState& st = m_search.State(c);
        if (m_flag[c] == 0) {
            const Ball& bj = m_model.balls[body];
            const double ddx = bj.X() - xi, ddy = bj.Y() - yi;
            const double d = std::sqrt(ddx * ddx + ddy * ddy);
            const double u = bi.r + bj.r - d;
            if (u <= 0 || d == 0) {
                m_flag[c] = 2;
                st = ContactState();   // an opened contact starts afresh when it closes again
                continue;
            }
            st.c = ddx / d;
            st.s = ddy / d;
            const double rvx = bi.vx - bj.vx, rvy = bi.vy - bj.vy;
            const double vn = rvx * st.c + rvy * st.s;
            const double vs = rvx * st.s - rvy * st.c - (bi.vtheta * bi.r + bj.vtheta * bj.r);
            const ForceResult f = ForceLaw(bb, u, vn, vs, m_dt, st.fs);
            st.fn = f.fn;
            st.fs = f.fs;
            st.dn = f.dn;
            st.ds = f.ds;
            fx -= f.n * st.c + f.s * st.s;
            fy -= f.n * st.s - f.s * st.c;
            moment += f.s * bi.r;
            roll += f.n * bb.angularity;
            m_flag[c] = 1;
        } else if (m_flag[c] == 1) {
            const double n = st.fn + st.dn, s = st.fs + st.ds;
            fx += n * st.c + s * st.s;
            fy += n * st.s - s * st.c;
            moment += s * bi.r;
            roll += n * bb.angularity;
        }
    }
    for (int node : m_wallWork)
        WallContact(i, -lists.Body(node), lists.Number(node), fx, fy, moment, roll);

    if (m_model.Nf() > 0) {
        fx += m_boundaryFx[i];
        fy += m_boundaryFy[i];
    }
    bi.ax = fx / bi.mass;
    bi.ay = fy / bi.mass - m_model.gravity;
    const double t = std::fabs(moment) - roll * bi.r;
    bi.atheta = t > 0 ? std::copysign(t, moment) / bi.inertia : 0;
}

// Shared end points of two walls, within a tolerance tied to the contact
// tolerance (and to rounding at the coordinates' own scale).
static bool SameCorner(double ax, double ay, double bx, double by, double dntol)
{
    const double tol = 0.1 * dntol + 1e-12 * (std::fabs(ax) + std::fabs(ay));
    return std::fabs(ax - bx) <= tol && std::fabs(ay - by) <= tol;
}

// Where ball (x, y) lies along wall w: -1 before its start, 0 within, 1 past its end.
static int SpanSide(const Wall& w, double x, double y, double& s)
{
    s = w.cw * (x - (w.xc + w.dx)) + w.sw * (y - (w.yc + w.dy));
    const double lo = std::min(w.d1, w.d2), hi = std::max(w.d1, w.d2);
    return s < lo ? -1 : s > hi ? 1 : 0;
}

static void EndPoint(const Wall& w, int side, double& ex, double& ey)
{
    const bool startIsLow = w.d1 <= w.d2;
    const bool start = (side < 0) == startIsLow;
    ex = start ? w.x1 : w.x2;
    ey = start ? w.y1 : w.y2;
}

void CDisc::WallContact(int i, int w, int contact, double& fx, double& fy, double& moment, double& roll)
{
    const Ball& b = m_model.balls[i];
    const Wall& wall = m_model.walls[w];
    const double x = b.X(), y = b.Y();
    double s = 0;
    const int where = SpanSide(wall, x, y, s);
    ContactState& st = m_search.State(contact);
    if (where == 0) {
        const double p = wall.side * wall.sw, q = -wall.side * wall.cw;
        const double u = b.r + (x - (wall.xc + wall.dx)) * p + (y - (wall.yc + wall.dy)) * q;
        // A contact begins only while the ball's centre is on the wall's
        // contact side, and then the wall pushes back for as long as the
        // contact lasts, however deep the ball is pressed: a heavy disc
        // pressed past the line is pushed out, not let through. A barrier is
        // two walls facing away from each other on one line: the face the
        // ball came to holds it, and the other face takes no part while it
        // does, or a ball resting on one face would be pushed across by the
        // other and sink to the line.
        if (u > 0 && u < 2 * b.r) {
            if (!st.engaged && u < b.r && !TwinHolds(w))
                st.engaged = true;
            if (st.engaged) {
                ApplyWallForce(i, w, contact, p, q, u, wall.side * wall.vtheta * s, fx, fy, moment, roll);
                return;
            }
        }
        st = ContactState();
        return;
    }
    // Past an end of the wall: the ball touches the end point itself. Where
    // walls share that point, the wall whose line the ball lies along carries
    // the contact, or, at a convex corner, the first of them in the list.
    double ex = 0, ey = 0;
    EndPoint(wall, where, ex, ey);
    const double ddx = ex - x, ddy = ey - y;
    const double d = std::sqrt(ddx * ddx + ddy * ddy);
    bool mine = d < b.r && d > 0;
    const SlotLists& lists = m_search.Contacts();
    for (int node : m_wallWork) {
        if (!mine)
            break;
        const int other = -lists.Body(node);
        if (other == w)
            break;   // walls after this one in the list defer to it
        const Wall& o = m_model.walls[other];
        double so = 0;
        const int ow = SpanSide(o, x, y, so);
        double ox = 0, oy = 0;
        if (ow == 0) {
            if ((SameCorner(o.x1, o.y1, ex, ey, m_model.dntol) || SameCorner(o.x2, o.y2, ex, ey, m_model.dntol)))
                mine = false;
            continue;
        }
        EndPoint(o, ow, ox, oy);
        if (SameCorner(ox, oy, ex, ey, m_model.dntol))
            mine = false;
    }
    if (mine) {
        // Walls later in the list whose line the ball lies along take it too.
        bool after = false;
        for (int node : m_wallWork) {
            const int other = -lists.Body(node);
            if (other == w) {
                after = true;
                continue;
            }
            if (!after)
                continue;
            const Wall& o = m_model.walls[other];
            double so = 0;
            if (SpanSide(o, x, y, so) == 0 &&
                (SameCorner(o.x1, o.y1, ex, ey, m_model.dntol) || SameCorner(o.x2, o.y2, ex, ey, m_model.dntol)))
                mine = false;
        }
    }
    if (!mine) {
        st = ContactState();
        return;
    }
    const double nx = ddx / d, ny = ddy / d;
    // Velocity of the end point of a moving wall, along the normal.
    const double cx = wall.xc + wall.dx, cy = wall.yc + wall.dy;
    const double pvx = -wall.vtheta * (ey - cy), pvy = wall.vtheta * (ex - cx);
    ApplyWallForce(i, w, contact, nx, ny, b.r - d, -(pvx * nx + pvy * ny), fx, fy, moment, roll);
    // Round the end the ball may come to either face: the side it is on
    // when it comes back within the wall's span decides.
    st.engaged = false;
}

// Whether wall w's twin (the other face of its barrier) holds the ball whose
// wall contacts are in m_wallWork.
bool CDisc::TwinHolds(int w) const
{
    const int twin = w < static_cast<int>(m_twin.size()) ? m_twin[w] : 0;
    if (twin == 0)
        return false;
    const SlotLists& lists = m_search.Contacts();
    for (int node : m_wallWork)
        if (-lists.Body(node) == twin)
            return m_search.State(lists.Number(node)).engaged;
    return false;
}

void CDisc::PairTwinWalls()
{
    const int nw = m_model.Nw();
    m_twin.assign(nw + 1, 0);
    // Walls on one line, in the order of their end points, so that twins
    // come next to each other.
    std::vector<int> order;
    order.reserve(nw);
    for (int w = 1; w <= nw; ++w)
        order.push_back(w);
    auto ends = [this](int w) {
        const Wall& a = m_model.walls[w];
        return std::array<double, 4>{a.x1, a.y1, a.x2, a.y2};
    };
    std::sort(order.begin(), order.end(), [&](int a, int b) { return ends(a) < ends(b); });
    for (size_t k = 0; k < order.size();) {
        size_t end = k + 1;
        while (end < order.size() && ends(order[end]) == ends(order[k]))
            ++end;
        // Within a run of walls on the same line, each face finds a partner
        // facing the other way.
        for (size_t a = k; a < end; ++a) {
            const int wa = order[a];
            if (m_twin[wa] != 0)
                continue;
            for (size_t b = a + 1; b < end; ++b) {
                const int wb = order[b];
                if (m_twin[wb] == 0 && m_model.walls[wb].side == -m_model.walls[wa].side) {
                    m_twin[wa] = wb;
                    m_twin[wb] = wa;
                    break;
                }
            }
        }
        k = end;
    }
}

void CDisc::ApplyWallForce(int i, int w, int contact, double p, double q, double overlap, double wallVn,
                           double& fx, double& fy, double& moment, double& roll)
{
    const Ball& b = m_model.balls[i];
    const Wall& wall = m_model.walls[w];
    const ContactProps& props = m_model.WallProps(w);
    ContactState& st = m_search.State(contact);
    const double rvx = b.vx - wall.vx, rvy = b.vy - wall.vy;
    const double vn = rvx * p + rvy * q + wallVn;
    const double vs = rvx * q - rvy * p - b.vtheta * b.r;
    const ForceResult f = ForceLaw(props, overlap, vn, vs, m_dt, st.fs);
    st.fn = f.fn;
    st.fs = f.fs;
    st.dn = f.dn;
    st.ds = f.ds;
    st.c = p;
    st.s = q;
    fx -= p * f.n + q * f.s;
    fy -= q * f.n - p * f.s;
    moment += f.s * b.r;
    roll += f.n * props.angularity;
    RecordWallForce(w, p, q, b.X(), b.Y(), f.n, f.s);
}

void CDisc::RecordWallForce(int w, double p, double q, double bx, double by, double n, double s)
{
    Wall& wall = m_model.walls[w];
    const double rx = bx - (wall.xc + wall.dx), ry = by - (wall.yc + wall.dy);
    // The sums hold the force the wall exerts on the balls.
    wall.fx += -(n * p + s * q);
    wall.fy += -(n * q - s * p);
    wall.moment += n * (rx * wall.cw + ry * wall.sw);
    const int poly = m_model.PolygonOfWall(w);
    if (poly == 0)
        return;
    const double g = -(p * rx + q * ry);
    m_polygonForces[poly].push_back(PolygonForce{bx + p * g, by + q * g, n * p + s * q, n * q - s * p, n, s, w});
}
