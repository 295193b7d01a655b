// What a disc run changes of a document's results, kept from before the run
// so that a run that fails can leave the document as it was. The run adds
// rock paths and barrier hits, raises the location maxima, replaces the
// settled discs and the disc parameter block, and points the document at a
// new disc results entity; it adds no distribution samples.
#pragma once

#include <array>
#include <utility>
#include <vector>
#include "model/ResultRecords.h"
#include "model/TalusimBarrier.h"

class CEntity;
class CTalusimRockPath;

struct CDiscRunSnapshot {
    int rockPaths = 0;
    int endPoints = 0;
    std::vector<CLocationEnvelope> maxima;
    // How many distribution records there were, and copies of those past the
    // document's location count, which preparing the run's locations drops
    // (a file may hold more; normally there are none).
    int distributions = 0;
    std::vector<CDistributionSamples> droppedDistributions;
    std::vector<std::pair<CTalusimBarrier*, CTalusimBarrier::HitsMark>> hits;
    CDiscParameters parameters;
    CEntity* discEntity = nullptr;
    std::vector<std::array<double, 16>> settledDiscs;
    CTalusimRockPath* currentRockPath = nullptr;
    bool modified = false;
};
