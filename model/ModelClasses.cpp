#include "model/ModelClasses.h"

#include "model/TalusimBarrier.h"
#include "model/TalusimPathSegment.h"
#include "model/TalusimRaker.h"
#include "model/TalusimRockPath.h"
#include "model/TalusimSlope.h"
#include "model/TalusimSlopeType.h"

namespace {
// A volatile store cannot be optimised away, so neither can the references.
const CRuntimeClass* volatile g_touched = nullptr;
}  // namespace

void RegisterModelClasses()
{
    // Naming each run-time class links its source file, whose static
    // initialiser registers the class.
    static const CRuntimeClass* const classes[] = {
        RUNTIME_CLASS(CTalusimSlopeType), RUNTIME_CLASS(CTalusimSlope),     RUNTIME_CLASS(CTalusimRaker),
        RUNTIME_CLASS(CTalusimBarrier),   RUNTIME_CLASS(CTalusimRockPath), RUNTIME_CLASS(CTalusimPathSegment),
    };
    for (const CRuntimeClass* c : classes)
        g_touched = c;
}
