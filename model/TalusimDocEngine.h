// The document's engine: the rock-fall engine whose five reports go to the
// document that owns it, which builds the rock path, the per-location results
// and the impact records from them.
#pragma once

#include "engine/TalusimEngine.h"

class CTalusimDoc;

class CTalusimDocEngine : public CTalusimEngine
{
public:
    CTalusimDocEngine() = default;

protected:
    // Each report goes to the document set with SetDocument; with none set
    // (or no rock path being built) the report is dropped.
    void OnFlightSegment(void* context, double x0, double y0, double x1, double y1, double vx0,
                         double vy0, double g, double mass, double t) override;
    void OnLocationPassage(void* context, double x, double y, double vx, double vy, double mass,
                           int locationIndex, int locationId, double omega) override;
    void OnSlidingSegment(void* context, double x0, double y0, double x1, double y1, double vx0,
                          double vy0, double vx1, double vy1, double g, double mass) override;
    void OnBarrierImpact(void* context, double x, double y, double vx, double vy, double mass,
                         int lineIndex, CTalusimBarrier* entity, double omega) override;
    void OnEndPoint(void* context, double x, double y) override;
};
