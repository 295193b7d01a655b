// The entity classes the document's sources use, and the helpers that gather
// entities of one kind from the drawing database.
#pragma once

#include <vector>
#include "geometry/AxesEnt.h"
#include "geometry/Entity.h"
#include "geometry/Line.h"
#include "geometry/Point2D.h"
#include "geometry/PolyLine.h"
#include "geometry/REGDatabase.h"
#include "model/MarkerLine.h"
#include "model/TalusimBarrier.h"
#include "model/TalusimDoc.h"
#include "model/TalusimDocEngine.h"
#include "model/TalusimRaker.h"
#include "model/TalusimRockPath.h"
#include "model/TalusimSlope.h"
#include "model/TalusimSlopeType.h"

// Every entity of the database that matches the ids (wildcards 20, 22, 21),
// in database order. Collected into a list so that callers may change the
// database while they walk it, and never share a set cursor.
std::vector<CEntity*> CollectEntities(CREGDatabase& db, int category, int kind, int group);

// The snap modes and grid styles the program works with; any other comes
// only from a file of another version.
bool IsKnownSnapMode(int mode);
bool IsKnownGridStyle(int style);

template <class T>
std::vector<T*> CollectAs(CREGDatabase& db, int category, int kind, int group)
{
    std::vector<T*> out;
    for (CEntity* e : CollectEntities(db, category, kind, group))
        if (T* t = dynamic_cast<T*>(e))
            out.push_back(t);
    return out;
}
