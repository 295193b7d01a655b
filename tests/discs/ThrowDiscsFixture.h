// Throw Discs on small documents: a new document with a dull rock, and the
// slope, seeders and barriers each case builds.
#pragma once

#include "tests/model/DocumentFixture.h"

#include <array>
#include <cmath>
#include <functional>
#include <string>
#include <vector>
#include "discs/DiscEnt.h"
#include "discs/DiscServices.h"
#include "discs/ThrowDiscs.h"
#include "model/ModelClasses.h"

inline constexpr double kPi = 3.14159265358979323846;

struct ThrowDiscsTest : ::testing::Test {
    void SetUp() override
    {
        InstallDiscServices();
        Fresh();
    }
    void Fresh()
    {
        doc = NewDocument();
        // A dull rock: the discs settle within a second or two of landing.
        dull = new CTalusimSlopeType;
        dull->SetRnMean(0.3);
        doc->GetDatabase()->AddEntity(dull, false);
        doc->m_nRocks = 1;
    }
    void Slope(std::initializer_list<std::pair<double, double>> points, CTalusimSlopeType* material = nullptr)
    {
        for (const auto& p : points)
            doc->GetSlope()->AddVertexWithMaterial(p.first, p.second, material ? material : dull);
    }
    CTalusimRaker* Seeder(double x, double y, double vx = 0.0, double mass = kMass)
    {
        auto* s = new CTalusimRaker;
        s->AddPoint(x, y);
        s->SetGroupId(GROUP_POINT_SEEDER);
        s->SetCategoryId(CAT_PLACED);
        s->SetMass(mass, 0.0);
        s->SetRadius(0.2, 0.0);
        s->SetVelocity(vx, 0.0, 0.0, 0.0);
        s->SetAngularVelocity(0.0, 0.0);
        doc->GetDatabase()->AddEntity(s, false);
        return s;
    }
    CTalusimBarrier* Barrier(double x1, double y1, double x2, double y2)
    {
        auto* b = new CTalusimBarrier;
        b->SetPoints(x1, y1, x2, y2);
        b->SetGroupId(GROUP_BARRIER);
        b->SetCategoryId(CAT_PLACED);
        doc->GetDatabase()->AddEntity(b, false);
        return b;
    }
    // Every point the disc's path went through, its end point last.
    std::vector<CVector2D> PathPoints(int rock) const
    {
        std::vector<CVector2D> points;
        CTalusimRockPath* path = doc->GetRockPath(rock);
        for (int k = 0; k <= path->GetSegmentUpperBound(); ++k)
            points.push_back(path->GetSegment(k)->GetStartPoint());
        points.push_back(doc->GetEndPoint(rock));
        return points;
    }

    static constexpr double kMass = 100.0;
    // The disc of a mass: a rock sphere's radius.
    static double RadiusOf(double mass) { return std::cbrt(3 * mass / (4 * kPi * 2700)); }
    const double r = RadiusOf(kMass);
    std::unique_ptr<CTalusimDoc> doc;
    CTalusimSlopeType* dull = nullptr;
};

// Where a point lies across a barrier's line (positive on the left of the
// direction from its first end to its second) and along it (0 to 1 within).
struct Across {
    double distance, along;
};
inline Across Measure(const CTalusimBarrier& b, CVector2D p)
{
    const double dx = b.GetX2() - b.GetX1(), dy = b.GetY2() - b.GetY1();
    const double length = std::hypot(dx, dy);
    const double bx = p.x - b.GetX1(), by = p.y - b.GetY1();
    return Across{(dx * by - dy * bx) / length, (dx * bx + dy * by) / (length * length)};
}

