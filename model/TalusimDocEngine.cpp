#include "model/TalusimDocEngine.h"

#include "model/DocumentDependencies.h"

namespace
{
CTalusimDoc* DocumentOf(void* context)
{
    return static_cast<CTalusimDoc*>(context);
}
} // namespace

void CTalusimDocEngine::OnFlightSegment(void* context, double x0, double y0, double x1, double y1,
                                        double vx0, double vy0, double g, double, double t)
{
    CTalusimDoc* doc = DocumentOf(context);
    CTalusimRockPath* path = doc != nullptr ? doc->GetCurrentRockPath() : nullptr;
    if (path != nullptr)
        path->AddCurvedSegment(x0, y0, x1, y1, vx0, vy0, t, g);
}

void CTalusimDocEngine::OnLocationPassage(void* context, double x, double y, double vx, double vy,
                                          double mass, int, int locationId, double omega)
{
    // The location's own index is the id it was given; the engine's list
    // position is of no interest here.
    if (CTalusimDoc* doc = DocumentOf(context))
        doc->RecordLocationPassage(x, y, vx, vy, mass, locationId, omega);
}

void CTalusimDocEngine::OnSlidingSegment(void* context, double x0, double y0, double x1, double y1,
                                         double, double, double, double, double g, double)
{
    CTalusimDoc* doc = DocumentOf(context);
    CTalusimRockPath* path = doc != nullptr ? doc->GetCurrentRockPath() : nullptr;
    if (path != nullptr)
        path->AddStraightSegment(x0, y0, x1, y1, 0.0, g);
}

void CTalusimDocEngine::OnBarrierImpact(void* context, double x, double y, double vx, double vy,
                                        double mass, int, CTalusimBarrier* entity, double omega)
{
    if (CTalusimDoc* doc = DocumentOf(context))
        doc->RecordImpact(x, y, vx, vy, mass, omega, entity);
}

void CTalusimDocEngine::OnEndPoint(void* context, double x, double y)
{
    if (CTalusimDoc* doc = DocumentOf(context))
        doc->RecordEndPoint(x, y);
}

