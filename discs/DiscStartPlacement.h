// Where a thrown disc starts. A disc is a body with a radius, not a point: a
// seeder placed on the slope, under it, or closer to it or to a barrier than
// a disc's radius would start the disc pressed into that wall, where the
// disc program has no sound answer (a centre on a wall's line feels no push
// at all). Such a disc starts one radius clear of the wall instead, along
// the wall's normal: on the air side of the slope (the ground side has no
// room for it, as Compute lifts a start point under the slope into the air)
// and on the side of a barrier that the seeder is on.
#pragma once

#include <utility>
#include <vector>
#include "geometry/Vector2D.h"

struct CDiscWalls {
    std::vector<CVector2D> slope;   // the slope's vertices, in the order they were drawn
    bool airOnLeft = true;          // the air lies on the left of the slope's direction
    std::vector<std::pair<CVector2D, CVector2D>> barriers;
};

// The centre of a disc of radius r thrown from the seeder's point, clear of
// every wall by at least r: the point itself when it is clear already.
// Where a wall is nearer than r the disc is moved along that wall's normal
// (away from the nearest point: a slope vertex's normal is the mean of its
// two segments' normals) until it lies a radius off, wall after wall. False
// when no such place is found that way (a gap narrower than the disc).
bool PlaceDiscClear(const CDiscWalls& walls, CVector2D seeder, double r, CVector2D& centre);
