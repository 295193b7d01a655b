// The entity classes the document's sources use. The document is built only
// once the drawing database and the model entities exist in the tree; until
// then its sources compile to nothing, so that the rest of the model builds.
#pragma once

#if __has_include("geometry/REGDatabase.h") && __has_include("model/TalusimSlope.h") \
    && __has_include("model/TalusimSlopeType.h") && __has_include("model/TalusimRaker.h") \
    && __has_include("model/TalusimBarrier.h") && __has_include("model/TalusimRockPath.h") \
    && __has_include("model/MarkerLine.h")
#define CLASTOR_DOCUMENT_BUILT 1

#include <vector>
#include "geometry/Entity.h"
#include "geometry/Line.h"
#include "geometry/Point2D.h"
#include "geometry/PolyLine.h"
#include "geometry/REGDatabase.h"
#include "model/TalusimBarrier.h"
#include "model/TalusimDoc.h"
#include "model/MarkerLine.h"
#include "model/TalusimRaker.h"
#include "model/TalusimRockPath.h"
#include "model/TalusimSlope.h"
#include "model/TalusimSlopeType.h"

#if __has_include("geometry/AxesEnt.h")
#include "geometry/AxesEnt.h"
#define CLASTOR_HAVE_RULERS 1
#elif __has_include("geometry/Rulers.h")
#include "geometry/Rulers.h"
#define CLASTOR_HAVE_RULERS 1
#endif

#if __has_include("model/TalusimDocEngine.h")
#include "model/TalusimDocEngine.h"
#define CLASTOR_HAVE_DOC_ENGINE 1
#endif

// Every entity of the database that matches the ids (wildcards 20, 22, 21),
// in database order. Collected into a list so that callers may change the
// database while they walk it, and never share a set cursor.
std::vector<CEntity*> CollectEntities(CREGDatabase& db, int category, int kind, int group);

template <class T>
std::vector<T*> CollectAs(CREGDatabase& db, int category, int kind, int group)
{
    std::vector<T*> out;
    for (CEntity* e : CollectEntities(db, category, kind, group))
        if (T* t = dynamic_cast<T*>(e))
            out.push_back(t);
    return out;
}

#endif
