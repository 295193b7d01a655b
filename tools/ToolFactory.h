// Makes a drawing tool of a kind code, with the kind's default style (not
// the registry's); null for a kind this program does not draw.
#pragma once

class CMeasure;

CMeasure* CreateToolOfType(int type);
