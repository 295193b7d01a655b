#include "dem/DiscModel.h"

#include <algorithm>
#include <cmath>

namespace disc {

double& Ball::Prop(int n)
{
    static double Ball::*const members[] = {&Ball::x, &Ball::y, &Ball::r, &Ball::theta, &Ball::vx,
                                            &Ball::vy, &Ball::vtheta, &Ball::ax, &Ball::ay, &Ball::atheta,
                                            &Ball::mass, &Ball::inertia, &Ball::dx, &Ball::dy, &Ball::dtheta};
    return this->*members[std::clamp(n, 1, 15) - 1];
}

double& Wall::Value(int n)
{
    static double Wall::*const members[] = {
        &Wall::xc, &Wall::yc, &Wall::thetac, &Wall::vx,  &Wall::vy,     &Wall::vtheta, &Wall::d1,
        &Wall::d2, &Wall::side, &Wall::cw,   &Wall::sw,  &Wall::x1,     &Wall::y1,     &Wall::x2,
        &Wall::y2, &Wall::fx, &Wall::fy,     &Wall::moment, &Wall::dx,  &Wall::dy,     &Wall::dtheta,
        &Wall::kind, &Wall::k23, &Wall::k24, &Wall::k25};
    return this->*members[std::clamp(n, 1, 25) - 1];
}

void Wall::UpdateGeometry()
{
    const double angle = thetac + dtheta;
    cw = std::cos(angle);
    sw = std::sin(angle);
    const double cx = xc + dx, cy = yc + dy;
    x1 = cx + d1 * cw;
    y1 = cy + d1 * sw;
    x2 = cx + d2 * cw;
    y2 = cy + d2 * sw;
}

WallLine Wall::Line() const
{
    return WallLine{xc + dx, yc + dy, cw, sw, d1, d2, side};
}

double WallOverlap(const WallLine& w, double x, double y, double r)
{
    const double b = x - w.cx, c = y - w.cy;
    const double s = w.cw * b + w.sw * c;
    double u;
    if (s >= w.Lo() && s <= w.Hi()) {
        u = r + b * w.P() + c * w.Q();
    } else {
        const double e = s < w.Lo() ? w.Lo() : w.Hi();
        u = r - std::hypot(b - e * w.cw, c - e * w.sw);
    }
    return u < 2 * r ? u : -1e300;
}

double& ContactProps::Value(int n)
{
    static double ContactProps::*const members[] = {&ContactProps::kn, &ContactProps::ks, &ContactProps::cn,
                                                    &ContactProps::cs, &ContactProps::cohesion,
                                                    &ContactProps::friction, &ContactProps::angularity};
    return this->*members[std::clamp(n, 1, 7) - 1];
}

double& FlexibleWall::Value(int n)
{
    static double FlexibleWall::*const members[] = {&FlexibleWall::kind, &FlexibleWall::side,
                                                    &FlexibleWall::pressure, &FlexibleWall::spacing,
                                                    &FlexibleWall::startWall, &FlexibleWall::endWall};
    return this->*members[std::clamp(n, 1, 6) - 1];
}

double& Polygon::Value(int n)
{
    static double Polygon::*const members[] = {&Polygon::mass,  &Polygon::inertia, &Polygon::xc, &Polygon::yc,
                                               &Polygon::theta, &Polygon::dampU,   &Polygon::dampT,
                                               &Polygon::vx,    &Polygon::vy,      &Polygon::vtheta,
                                               &Polygon::dx,    &Polygon::dy,      &Polygon::dtheta};
    return this->*members[std::clamp(n, 1, 13) - 1];
}

void Model::Clear()
{
    *this = Model();
    balls.resize(1);
    walls.resize(1);
    flexible.resize(1);
    polygons.resize(1);
    rigid.resize(1);
    wallPolygon.assign(1, 0);
}

const ContactProps& Model::WallProps(int w) const
{
    const int kind = walls[w].Kind();
    return kind == 0 ? rigid[w] : kindProps[kind];
}

void Model::IndexPolygons()
{
    wallPolygon.assign(walls.size(), 0);
    for (int p = Np(); p >= 1; --p)   // the first polygon that lists a wall owns it
        for (int w : polygons[p].walls)
            wallPolygon[w] = p;
}

double Model::LargestRadius() const
{
    double rmax = 0;
    for (int i = 1; i <= Nb(); ++i)
        rmax = std::max(rmax, balls[i].r);
    return rmax;
}

} // namespace disc
