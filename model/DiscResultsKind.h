// What the document knows of the disc-element results: an entity of its own
// kind in the drawing database, found after opening and deleted with the rock
// paths. The disc-element subsystem owns the entity class; the document only
// finds and deletes it by kind.
#pragma once

enum {
    DISC_RESULTS_KIND = 2180,
};
