#pragma once
// The opaque cursor of the lists and maps: null means "no element".

struct __POSITION;
typedef __POSITION* POSITION;

// A map's GetStartPosition gives this for a non-empty map; GetNextAssoc
// starts from it.
#define BEFORE_START_POSITION (reinterpret_cast<POSITION>(-1))
