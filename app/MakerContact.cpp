#include "app/MakerContact.h"

const char* MakerContact::BuildDate() { return __DATE__; }
