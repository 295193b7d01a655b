// Throw Discs on a document.
#pragma once

#include <cstddef>
#include <string>
#include "discs/DiscFrameSampler.h"

class CTalusimDoc;

// Runs the disc program once per rock; false (with the reason, also shown to
// the user unless cancelled) when the run did not finish. The results keep at
// most about `maxStoredStates` states for the player.
bool ThrowDiscs(CTalusimDoc* document, std::string* error = nullptr, size_t maxStoredStates = kMaxThrowStates);

// For tests only: from throw `throwNumber` on (counted from 1) the case goes
// to a folder that does not exist, so that the run fails there as it does on
// a file that can't be written; 0 (the default) turns it off.
void SetThrowDiscsCaseFailureForTest(int throwNumber);
