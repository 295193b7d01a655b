// The elements of the small DEM model: fixed walls, moving disks and spheres,
// and loaded walls (faces of a geometry file that take no part in a run).
// Every degree of freedom of a moving element is a DemAxisState that keeps
// small position increments apart from the large base value.
#pragma once

#include <cfloat>

constexpr double kDemUnset = DBL_MAX;

struct DemAxisState {
    double base = kDemUnset;
    double velocity = kDemUnset;
    double acceleration = kDemUnset;
    double pending = 0.0;

    void Set(double position, double v)
    {
        base = position;
        velocity = v;
        acceleration = 0.0;
        pending = 0.0;
    }
    double Position() const { return base + pending; }
    // Integrates acceleration a over dt (semi-implicit Euler).
    void Step(double a, double dt);
};

// Force x, force y, torque 1, force z, torque 2, torque 3.
struct DemForce {
    double fx = 0, fy = 0, t1 = 0, fz = 0, t2 = 0, t3 = 0;
};

struct DemPoint {
    double x = kDemUnset;
    double y = kDemUnset;
};

class CDemElement
{
public:
    enum { WALL = 1, DISK = 2, SPHERE = 3, LOADED_WALL = 4 };
    // The least stiffness of a contact spring, in newtons per metre.
    static constexpr double kStiffness = 1000.0;
    // The stiffness of the spring between two elements: the least stiffness,
    // or stiffer when either element's contact rate asks for it, so that the
    // pair oscillates at the higher of the two rates whatever their masses.
    // The same for both sides of a contact.
    static double PairStiffness(const CDemElement& a, const CDemElement& b);
    // The mass that a contact of the two moves: walls do not move.
    static double EffectiveMass(const CDemElement& a, const CDemElement& b);
    // The damping of the slip between two touching surfaces: the pair's
    // mass times its contact rate, so that slip dies out within a contact.
    static double SlipDamping(const CDemElement& a, const CDemElement& b);
    // Whether the two can touch at all.
    static bool CanTouch(const CDemElement& a, const CDemElement& b);

    virtual ~CDemElement() = default;
    virtual int GetKind() const = 0;
    virtual void Integrate(const DemForce&, double /*dt*/) {}
    // Code 0 kinetic energy, 2 speed; others unset.
    virtual double GetValue(int /*code*/) const { return kDemUnset; }
    virtual double GetRadius() const { return kDemUnset; }
    // Negative when the two overlap.
    virtual double GetGap(const CDemElement& /*other*/) const { return 0.0; }
    // Adds the spring force of an overlap to f; the contact point, unset when none.
    virtual DemPoint Contact(DemForce& /*f*/, const CDemElement& /*other*/, double /*gap*/) const { return {}; }
    virtual double GetX() const { return kDemUnset; }
    virtual double GetY() const { return kDemUnset; }
    virtual double GetZ() const { return kDemUnset; }
    virtual int GetZRank() const { return -1; }
    virtual void SetZRank(int) {}
    virtual void SetRadius(double) {}
    virtual void SetMass(double m) { m_mass = m; }
    bool IsMoving() const { return GetKind() == DISK || GetKind() == SPHERE; }

    double m_mass = kDemUnset;
    // Angular frequency (1/s) that this element's contacts oscillate at; the
    // model sets it from how fast the element may meet another, so that no
    // contact gives way by more than a small part of its radius. 0 leaves
    // the least stiffness.
    double m_contactRate = 0.0;
    // The least stiffness in the model's units (kStiffness in metric ones).
    double m_leastStiffness = kStiffness;
};

class CDemWall : public CDemElement
{
public:
    int GetKind() const override { return WALL; }
    double GetX() const override { return (x1 + x2) / 2; }
    double GetY() const override { return (y1 + y2) / 2; }
    // The point of the wall nearest to (px, py) and its distance.
    DemPoint Nearest(double px, double py, double& distance) const;

    double x1 = kDemUnset, y1 = kDemUnset, x2 = kDemUnset, y2 = kDemUnset;
};

class CDemLoadedWall : public CDemWall
{
public:
    int GetKind() const override { return LOADED_WALL; }
    int GetZRank() const override { return m_zRank; }
    void SetZRank(int rank) override { m_zRank = rank; }

    int m_zRank = -1;
    double z1 = kDemUnset, z2 = kDemUnset, x3 = kDemUnset, y3 = kDemUnset, z3 = kDemUnset;
};

class CDemDisk : public CDemElement
{
public:
    int GetKind() const override { return DISK; }
    void Integrate(const DemForce& f, double dt) override;
    double GetValue(int code) const override;
    double GetRadius() const override { return m_radius; }
    double GetGap(const CDemElement& other) const override;
    DemPoint Contact(DemForce& f, const CDemElement& other, double gap) const override;
    double GetX() const override { return x.Position(); }
    double GetY() const override { return y.Position(); }
    // The moment of inertia follows the radius and the mass: that of a solid
    // disk, m r^2 / 2.
    void SetRadius(double r) override;
    void SetMass(double m) override;
    double GetInertia() const { return m_inertia; }

    DemAxisState x, y, rotation;

protected:
    virtual void UpdateInertia();
    double m_radius = kDemUnset;
    double m_inertia = kDemUnset;
};

class CDemSphere : public CDemDisk
{
public:
    int GetKind() const override { return SPHERE; }
    double GetGap(const CDemElement& other) const override;
    DemPoint Contact(DemForce& f, const CDemElement& other, double gap) const override;
    double GetZ() const override { return z.Position(); }

    DemAxisState z, rotation2, rotation3;

protected:
    // A solid sphere: 2 m r^2 / 5.
    void UpdateInertia() override;
};
