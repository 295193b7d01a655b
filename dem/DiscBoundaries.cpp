// Flexible pressure boundaries, polygons moved as rigid bodies by the balls,
// the servo of the stress walls, and the mean stress inside a circle.
#include "dem/Disc.h"

#include <algorithm>
#include <cmath>

using namespace disc;

void CDisc::FlexibleBoundaryStep(bool areaDue)
{
    std::fill(m_boundaryFx.begin(), m_boundaryFx.end(), 0.0);
    std::fill(m_boundaryFy.begin(), m_boundaryFy.end(), 0.0);
    double area = 0;
    for (int f = 1; f <= m_model.Nf(); ++f)
        area += FlexibleBoundary(m_model.flexible[f], areaDue);
    if (areaDue)
        Con().Echo(m_areaFile.get(), "\n%.10f %.10f", m_time, area);
    if (m_model.Nf() == 2) {
        double sx = 0, sy = 0;
        for (int i = 1; i <= m_model.Nb(); ++i) {
            sx += m_boundaryFx[i];
            sy += m_boundaryFy[i];
        }
        if (std::fabs(sx) > 1.0 || std::fabs(sy) > 1.0)
            Con().Print("\nUNBALANCED FORCES %9.4f %9.4f", sx, sy);
    }
}

// One boundary: kind 1 runs along x and pushes in y, kind 0 runs along y and
// pushes in x. Samples every spacing along the boundary find the outermost
// ball there; each found ball takes the pressure of its samples and shares
// those of the empty samples beside it. Returns the signed area between the
// boundary's line and the balls it found (when asked for).
double CDisc::FlexibleBoundary(const FlexibleWall& fw, bool areaDue)
{
    const BoxGrid& g = m_search.Grid();
    const bool alongX = fw.kind == 1;
    const int side = fw.side > 0 ? 1 : -1;
    const int nAlong = alongX ? g.nx : g.ny, nAcross = alongX ? g.ny : g.nx;
    const double origin = alongX ? g.x0 : g.y0, dim = alongX ? g.xdim : g.ydim;
    auto box = [&](int a, int c) { return alongX ? g.Box(a, c) : g.Box(c, a); };
    auto along = [&](const Ball& b) { return alongX ? b.X() : b.Y(); };
    auto across = [&](const Ball& b) { return alongX ? b.Y() : b.X(); };
    std::vector<double>& force = alongX ? m_boundaryFy : m_boundaryFx;
    const Wall& ws = m_model.walls[static_cast<int>(fw.startWall)];
    const Wall& we = m_model.walls[static_cast<int>(fw.endWall)];
    const double start = alongX ? ws.x1 : ws.y1, end = alongX ? we.x1 : we.y1;
    const double F = -side * fw.pressure * fw.spacing;

    auto hasBall = [&](int k) {
        for (int n = m_search.Boxes().First(k); n; n = m_search.Boxes().Next(n))
            if (m_search.Boxes().Body(n) > 0)
                return true;
        return false;
    };
    // The first box with a ball of every line of boxes, met from the boundary's side.
    m_boundaryBoxes.assign(nAlong, -1);
    for (int a = 0; a < nAlong; ++a)
        for (int c = side < 0 ? 0 : nAcross - 1; c >= 0 && c < nAcross; c -= side)
            if (hasBall(box(a, c))) {
                m_boundaryBoxes[a] = c;
                break;
            }

    m_boundaryPoints.clear();
    double u = start;
    long long samples = 0;
    int empty = 0, previous = 0;
    for (int a = 0; a < nAlong; ++a) {
        if (m_boundaryBoxes[a] < 0)
            continue;
        const double limit = origin + (a + 1) * dim;
        while (u <= limit && u <= end) {
            int found = 0;
            for (int c = m_boundaryBoxes[a]; c >= 0 && c < nAcross && !found; c -= side) {
                double best = 0;
                for (int n = m_search.Boxes().First(box(a, c)); n; n = m_search.Boxes().Next(n)) {
                    const int i = m_search.Boxes().Body(n);
                    if (i <= 0)
                        continue;
                    const Ball& b = m_model.balls[i];
                    if (u < along(b) - b.r || u > along(b) + b.r)
                        continue;
                    const double v = across(b) * side;   // the larger, the nearer the boundary
                    if (!found || v > best) {
                        found = i;
                        best = v;
                    }
                }
            }
            if (found) {
                if (empty > 0 && previous) {
                    force[previous] += empty / 2.0 * F;
                    force[found] += empty / 2.0 * F;
                } else if (empty > 0) {
                    force[found] += empty * F;
                }
                force[found] += F;
                empty = 0;
                if (areaDue && (m_boundaryPoints.empty() || m_boundaryPoints.back().ball != found)) {
                    const Ball& b = m_model.balls[found];
                    m_boundaryPoints.push_back(BoundaryPoint{found, along(b), across(b) + side * b.r});
                }
                previous = found;
            } else {
                ++empty;
            }
            ++samples;
            u = start + samples * fw.spacing;
        }
    }
    if (previous)
        force[previous] += empty * F;
    if (!areaDue || m_boundaryPoints.empty())
        return 0;
    // Close the outline along the boundary's line and take its area.
    const double firstAcross = m_boundaryPoints.front().across, lastAcross = m_boundaryPoints.back().across;
    double sum = 0;
    double px = start, py = 0;
    auto add = [&](double x, double y) {
        sum += px * y - x * py;
        px = x;
        py = y;
    };
    add(start, firstAcross);
    for (const BoundaryPoint& p : m_boundaryPoints)
        add(p.along, p.across);
    add(end, lastAcross);
    add(end, 0);
    add(start, 0);
    return std::fabs(sum) / 2 * side;
}

void CDisc::PolygonStep()
{
    const double dt = m_dt;
    for (int p = 1; p <= m_model.Np(); ++p) {
        Polygon& poly = m_model.polygons[p];
        const double X = poly.xc + poly.dx, Y = poly.yc + poly.dy;
        double fx = 0, fy = 0, moment = 0;
        for (const PolygonForce& r : m_polygonForces[p]) {
            fx += r.fx;
            fy += r.fy;
            moment += (r.x - X) * r.fy - (r.y - Y) * r.fx;
        }
        const double a = poly.dampU * dt / (2 * poly.mass);
        poly.vx = (dt * fx / poly.mass + (1 - a) * poly.vx) / (1 + a);
        poly.vy = (dt * (fy / poly.mass - m_model.gravity) + (1 - a) * poly.vy) / (1 + a);
        const double b = poly.dampT * dt / (2 * poly.inertia);
        poly.vtheta = (dt * moment / poly.inertia + (1 - b) * poly.vtheta) / (1 + b);
        Accumulate(poly.xc, poly.dx, dt * poly.vx, m_model.tolU);
        Accumulate(poly.yc, poly.dy, dt * poly.vy, m_model.tolU);
        Accumulate(poly.theta, poly.dtheta, dt * poly.vtheta, m_model.tolTheta);
        // Each wall moves as a point of the rigid body.
        for (int w : poly.walls) {
            Wall& wall = m_model.walls[w];
            const double wx = wall.xc + wall.dx - X, wy = wall.yc + wall.dy - Y;
            const double d = std::hypot(wx, wy), phi = std::atan2(wy, wx);
            wall.vx = poly.vx + d * (std::cos(phi + poly.vtheta * dt) - std::cos(phi)) / dt;
            wall.vy = poly.vy + d * (std::sin(phi + poly.vtheta * dt) - std::sin(phi)) / dt;
            wall.vtheta = poly.vtheta;
        }
    }
}

// Still within half a percent of the target, in proportion up to half the
// target, at full gain beyond.
double CDisc::ServoSpeed(double target, double measured, double gain)
{
    if (target == 0)
        return 0;
    const double e = (target - measured) / target;
    if (std::fabs(e) <= 0.005)
        return 0;
    if (std::fabs(e) <= 0.5)
        return 2 * gain * e;
    return gain * (target - measured) / std::fabs(target - measured);
}

void CDisc::StressWallServo()
{
    for (int w = 1; w <= m_model.Nw(); ++w) {
        Wall& wall = m_model.walls[w];
        if (!wall.IsStressWall())
            continue;
        const double length = wall.Length();
        if (length <= 0)
            continue;
        const double c = std::cos(wall.thetac + wall.dtheta), s = std::sin(wall.thetac + wall.dtheta);
        const double sn = (wall.fy * c - wall.fx * s) * wall.side / length;
        const double ss = (wall.fy * s + wall.fx * c) * wall.side / length;
        const double vn = ServoSpeed(wall.k23, sn, wall.k25), vs = ServoSpeed(wall.k24, ss, wall.k25);
        wall.vx = (c * vs - s * vn) * wall.side;
        wall.vy = (s * vs + c * vn) * wall.side;
    }
}

double CDisc::LensTerm(double bx, double by, double rb, double cx, double cy, double radius)
{
    const double h = std::hypot(bx - cx, by - cy);
    if (h <= 0 || radius <= 0 || rb <= 0)
        return 0;
    const double R2 = radius * radius, r2 = rb * rb, h2 = h * h;
    const double alpha = std::acos(std::min(1.0, std::fabs((r2 - R2 - h2) / (-2 * radius * h))));
    const double beta = std::acos(std::min(1.0, std::fabs((R2 - r2 - h2) / (-2 * rb * h))));
    double a = r2 / 2 * (2 * beta - std::sin(2 * beta));
    if (R2 < r2 + h2)
        a = -a;
    const double b = -(R2 / 2) * (2 * alpha - std::sin(2 * alpha));
    return a + b;
}

void CDisc::StressTensor(double x0, double y0, double radius, double out[4]) const
{
    const double pi = 4 * std::atan(1.0);
    double area = pi * radius * radius;
    double sxx = 0, sxy = 0, syx = 0, syy = 0;
    const SlotLists& lists = m_search.Contacts();
    for (int i = 1; i <= m_model.Nb(); ++i) {
        const Ball& b = m_model.balls[i];
        const double x = b.X(), y = b.Y(), r = b.r;
        if (!(std::fabs(std::hypot(x - x0, y - y0) - radius) < r))
            continue;   // wholly inside or outside: not cut by the circle
        const double lens = LensTerm(x, y, r, x0, y0, radius);
        area += lens;
        for (int n = lists.First(i); n; n = lists.Next(n)) {
            const int body = lists.Body(n);
            double px, py;
            if (body > 0) {
                const Ball& o = m_model.balls[body];
                px = (x * o.r + o.X() * r) / (r + o.r);
                py = (y * o.r + o.Y() * r) / (r + o.r);
            } else {
                // The foot of the ball's centre on the wall's line.
                const Wall& w = m_model.walls[-body];
                const double t = (x - w.x1) * w.cw + (y - w.y1) * w.sw;
                px = w.x1 + t * w.cw;
                py = w.y1 + t * w.sw;
            }
            if ((std::hypot(px - x0, py - y0) - radius) * lens < 0)
                continue;
            const double d = std::hypot(px - x, py - y);
            if (d <= 0)
                continue;
            const double nx = (px - x) / d, ny = (py - y) / d;
            const ContactState& st = const_cast<disc::ContactSearch&>(m_search).State(lists.Number(n));
            double fx = st.fn * nx + st.fs * ny, fy = st.fn * ny - st.fs * nx;
            if (lens > 0) {
                fx = -fx;
                fy = -fy;
            }
            sxx += (px - x0) * fx;
            sxy += (px - x0) * fy;
            syx += (py - y0) * fx;
            syy += (py - y0) * fy;
        }
    }
    out[0] = sxx / area;
    out[1] = sxy / area;
    out[2] = syx / area;
    out[3] = syy / area;
}
