// The disk program's model: balls, walls, contact property sets, flexible
// boundaries, polygons and the vibrating-wall table. Balls and walls are
// numbered from 1 as the console and the case files number them; slot 0 of
// every table is unused. Arrays are sized from the case that is read.
#pragma once

#include <string>
#include <vector>

namespace disc {

// Limits the case reader holds every count to.
constexpr int kMaxBalls = 10000;
constexpr int kMaxWalls = 1000;
constexpr int kMaxFlexibleWalls = 50;
constexpr int kMaxPolygons = 10;
constexpr int kMaxWallKind = 48;
constexpr int kMaxVibrationValues = 25000;
constexpr int kHeaderLength = 79;
constexpr int kNameLength = 255;

// Adds a step to an accumulated increment and folds the increment into its
// base value once it has grown past the tolerance: small steps are summed at
// full precision before they meet a large coordinate.
inline void Accumulate(double& base, double& increment, double step, double tolerance)
{
    increment += step;
    if (increment > tolerance || increment < -tolerance) {
        base += increment;
        increment = 0;
    }
}

struct Ball {
    double x = 0, y = 0, r = 0, theta = 0;
    double vx = 0, vy = 0, vtheta = 0;
    double ax = 0, ay = 0, atheta = 0;
    double mass = 0, inertia = 0;
    double dx = 0, dy = 0, dtheta = 0;

    // Property n, 1 (x) to 15 (dtheta), in the order the console shows them.
    double& Prop(int n);
    double Prop(int n) const { return const_cast<Ball*>(this)->Prop(n); }
    double X() const { return x + dx; }
    double Y() const { return y + dy; }
    double Theta() const { return theta + dtheta; }
};

// A straight wall segment: centre, direction, start and end distances along it.
struct WallLine {
    double cx = 0, cy = 0;   // centre, increments included
    double cw = 1, sw = 0;   // direction
    double d1 = 0, d2 = 0;   // start and end distance along the direction
    double side = 1;         // contact side, +1 or -1

    double Lo() const { return d1 < d2 ? d1 : d2; }
    double Hi() const { return d1 < d2 ? d2 : d1; }
    // Contact normal pointing from a touching ball into the wall.
    double P() const { return side * sw; }
    double Q() const { return -side * cw; }
};

// Overlap of a ball with a wall as the contact search measures it: inside the
// wall's span r minus the distance from its line on the contact side, outside
// it r minus the distance to the nearer end point. A ball wholly behind the
// wall (its overlap reaching its diameter) does not touch it.
double WallOverlap(const WallLine& w, double x, double y, double r);

struct Wall {
    // The 25 values of a wall, in the order the status file writes them.
    double xc = 0, yc = 0, thetac = 0;
    double vx = 0, vy = 0, vtheta = 0;
    double d1 = 0, d2 = 0;
    double side = 1;
    double cw = 1, sw = 0;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    double fx = 0, fy = 0, moment = 0;
    double dx = 0, dy = 0, dtheta = 0;
    double kind = 0;
    double k23 = 0, k24 = 0, k25 = 0;

    double& Value(int n);
    double Value(int n) const { return const_cast<Wall*>(this)->Value(n); }
    int Kind() const { return static_cast<int>(kind); }
    bool HasKindValues() const { return (Kind() >= 1 && Kind() <= 9) || Kind() == 18; }
    bool IsStressWall() const { return Kind() == 1 || (Kind() >= 3 && Kind() <= 6); }
    bool IsVibrating() const { return Kind() == 2 || (Kind() >= 7 && Kind() <= 9); }
    bool IsTableDriven() const { return Kind() >= 20 && Kind() <= 25; }
    // Direction and end points from the centre, angle and increments.
    void UpdateGeometry();
    WallLine Line() const;
    double Length() const { return d2 > d1 ? d2 - d1 : d1 - d2; }
};

struct ContactProps {
    double kn = 0, ks = 0, cn = 0, cs = 0, cohesion = 0, friction = 0, angularity = 0;
    double& Value(int n);   // 1 .. 7 in case-file order
};

struct FlexibleWall {
    double kind = 0, side = -1, pressure = 0, spacing = 0, startWall = 0, endWall = 0;
    double& Value(int n);   // 1 .. 6 in case-file order
};

struct Polygon {
    double mass = 0, inertia = 0, xc = 0, yc = 0, theta = 0;
    double dampU = 0, dampT = 0, vx = 0, vy = 0, vtheta = 0;
    double dx = 0, dy = 0, dtheta = 0;
    std::vector<int> walls;
    double& Value(int n);   // 1 .. 13
};

// A force a ball exerted on a wall of a polygon during one contact pass.
struct PolygonForce {
    double x, y, fx, fy, n, s;
    int wall;
};

struct Model {
    std::string header;
    std::string ballFile;
    double startTime = 0;
    std::vector<Ball> balls;            // 1 .. nb
    std::vector<Wall> walls;            // 1 .. nw
    std::vector<FlexibleWall> flexible; // 1 .. nf
    std::vector<Polygon> polygons;      // 1 .. np
    ContactProps ballBall;
    std::vector<ContactProps> rigid;    // per wall, 1 .. nw
    ContactProps kindProps[kMaxWallKind + 1];
    bool kindPresent[kMaxWallKind + 1] = {};
    double gdampu = 0, gdampt = 0;
    double dntol = 0, gravity = 0;
    double tolU = 0, tolTheta = 0;
    std::vector<int> wallPolygon;       // per wall, its polygon or 0
    std::vector<double> vibration;      // the vibrating-wall table
    int vibrationDirection = 4;         // 4 vx, 5 vy, 6 vtheta

    int Nb() const { return static_cast<int>(balls.size()) - 1; }
    int Nw() const { return static_cast<int>(walls.size()) - 1; }
    int Nf() const { return static_cast<int>(flexible.size()) - 1; }
    int Np() const { return static_cast<int>(polygons.size()) - 1; }
    void Clear();
    // The property set of contacts between balls and wall w.
    const ContactProps& WallProps(int w) const;
    // The polygon that wall w belongs to, 0 when none (after IndexPolygons).
    int PolygonOfWall(int w) const { return wallPolygon[w]; }
    void IndexPolygons();
    double LargestRadius() const;
};

} // namespace disc
