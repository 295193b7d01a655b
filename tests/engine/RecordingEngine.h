// An engine that records every callback in order, for the engine tests.
#pragma once

#include <cmath>
#include <vector>

#include "engine/Random.h"
#include "engine/TalusimEngine.h"

struct EngineEvent
{
    enum Kind { Flight, Location, Sliding, Barrier, End } kind;
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;   // Barrier/Location/End: (x0, y0) is the point
    double vx0 = 0, vy0 = 0, vx1 = 0, vy1 = 0;
    double g = 0, mass = 0, t = 0, omega = 0;
    int index = -1, id = -1;
    CTalusimBarrier* entity = nullptr;
    void* context = nullptr;
};

class RecordingEngine : public CTalusimEngine
{
public:
    std::vector<EngineEvent> events;

    std::vector<EngineEvent> Of(EngineEvent::Kind kind) const
    {
        std::vector<EngineEvent> out;
        for (const EngineEvent& e : events)
            if (e.kind == kind)
                out.push_back(e);
        return out;
    }
    int Count(EngineEvent::Kind kind) const { return static_cast<int>(Of(kind).size()); }

    // A slope of the given vertices, every segment of one material.
    void SetSlope(std::initializer_list<std::pair<double, double>> vertices, double Rn, double Rt,
                  double phi, double roughnessSd = 0.0)
    {
        ClearSlope();
        for (const auto& v : vertices)
            AddSlopeSegment(v.first, v.second, Rn, 0.0, Rt, 0.0, phi, 0.0, roughnessSd);
    }

    int Throw(double x, double y, double vx, double vy, double mass = 1000.0, double omega = 0.0)
    {
        events.clear();
        SetRockStart(x, y, vx, vy, mass, omega);
        return Run();
    }

    // Open the protected steps to the tests.
    using CTalusimEngine::ComputeImpact;
    using CTalusimEngine::GetBarriers;
    using CTalusimEngine::GetRegion;
    using CTalusimEngine::GetVertices;
    using CTalusimEngine::PrepareModel;
    using CTalusimEngine::ReportFlightCrossings;
    using CTalusimEngine::ReportPieceCrossings;

protected:
    void OnFlightSegment(void* c, double x0, double y0, double x1, double y1, double vx0, double vy0,
                         double g, double mass, double t) override
    {
        EngineEvent e{EngineEvent::Flight};
        e.context = c; e.x0 = x0; e.y0 = y0; e.x1 = x1; e.y1 = y1; e.vx0 = vx0; e.vy0 = vy0;
        e.g = g; e.mass = mass; e.t = t;
        events.push_back(e);
    }
    void OnLocationPassage(void* c, double x, double y, double vx, double vy, double mass, int index,
                           int id, double omega) override
    {
        EngineEvent e{EngineEvent::Location};
        e.context = c; e.x0 = x; e.y0 = y; e.vx0 = vx; e.vy0 = vy; e.mass = mass; e.index = index;
        e.id = id; e.omega = omega;
        events.push_back(e);
    }
    void OnSlidingSegment(void* c, double x0, double y0, double x1, double y1, double vx0, double vy0,
                          double vx1, double vy1, double g, double mass) override
    {
        EngineEvent e{EngineEvent::Sliding};
        e.context = c; e.x0 = x0; e.y0 = y0; e.x1 = x1; e.y1 = y1; e.vx0 = vx0; e.vy0 = vy0;
        e.vx1 = vx1; e.vy1 = vy1; e.g = g; e.mass = mass;
        events.push_back(e);
    }
    void OnBarrierImpact(void* c, double x, double y, double vx, double vy, double mass, int index,
                         CTalusimBarrier* entity, double omega) override
    {
        EngineEvent e{EngineEvent::Barrier};
        e.context = c; e.x0 = x; e.y0 = y; e.vx0 = vx; e.vy0 = vy; e.mass = mass; e.index = index;
        e.entity = entity; e.omega = omega;
        events.push_back(e);
    }
    void OnEndPoint(void* c, double x, double y) override
    {
        EngineEvent e{EngineEvent::End};
        e.context = c; e.x0 = x; e.y0 = y;
        events.push_back(e);
    }
};

inline double Speed(double vx, double vy)
{
    return std::sqrt(vx * vx + vy * vy);
}

// Opaque stand-ins for the model's barrier entities: only their addresses matter.
inline CTalusimBarrier* FakeEntity(int n)
{
    static char storage[16];
    return reinterpret_cast<CTalusimBarrier*>(&storage[n]);
}
