// Contact detection of the disk program: a uniform grid of boxes over the
// model with a list of bodies per box, and per ball a list of the bodies it
// may touch. The lists are built once from scratch and then kept up to date
// for the balls and walls that have moved far enough.
//
// A body is a ball number (positive) or a wall number negated. Every test is
// made on the positions at which balls and walls were last boxed, so a pair
// is listed exactly while those positions are within the contact tolerance:
// since a ball is re-boxed before it has moved 0.45 dntol and a wall before
// its ends have moved dntol / 2, two bodies that really touch are always
// listed.
#pragma once

#include "dem/DiscModel.h"
#include "dem/DiscSlotLists.h"

#include <string>
#include <vector>

namespace disc {

struct BoxGrid {
    double x0 = 0, y0 = 0;       // lower left corner of the boxed area
    double xdim = 1, ydim = 1;   // box size
    int nx = 1, ny = 1;

    int Count() const { return nx * ny; }
    // Column and row of a coordinate, held to the grid: a body outside the
    // boxed area is kept in the boxes along its edge.
    int Column(double x) const;
    int Row(double y) const;
    int Box(int column, int row) const { return column + nx * row + 1; }
    double Width() const { return nx * xdim; }
    double Height() const { return ny * ydim; }
};

// Stored values of one contact, indexed by its contact number.
struct ContactState {
    double fn = 0, fs = 0, dn = 0, ds = 0;
    double c = 0, s = 0;   // unit vector of the contact
    // A ball-wall contact that began from the wall's own side: the wall
    // pushes back for as long as it lasts, even once the ball's centre has
    // been pressed past the wall's line.
    bool engaged = false;
};

class ContactSearch {
public:
    // Sizes the grid for the case: anchored at the model's lower left corner
    // less a margin, boxes at least twice (rmax + dntol / 2) wide, and no
    // more boxes than a set limit (boxes grow instead).
    void SetupGrid(const Model& m);
    // Widens the boxed area (the console's boxing parameters).
    void ResizeGrid(double width, double height);
    static int MaxBoxes(int balls);

    // Enters every wall and ball into its boxes and builds every contact list
    // from scratch; false when the lists ran out of space.
    bool BuildAll(const Model& m);
    // Re-boxes a ball at its present position and brings its list up to date.
    bool UpdateBall(const Model& m, int i);
    // Re-boxes a wall at its present position and adds it to the lists of the
    // balls that have come within the tolerance.
    bool UpdateWall(const Model& m, int w);

    // Boxes touched by a ball (up to 4); returns their count.
    int CellRange(double x, double y, double r, double tol, int out[4]) const;
    // Boxes a wall crosses, widened by the tolerance on both sides.
    void WallBoxes(const WallLine& line, std::vector<int>& out) const;

    bool BallCandidate(const Model& m, int i, int j) const;
    bool WallCandidate(const Model& m, int i, int w) const;

    const BoxGrid& Grid() const { return m_grid; }
    SlotLists& Contacts() { return m_contacts; }
    const SlotLists& Contacts() const { return m_contacts; }
    const SlotLists& Boxes() const { return m_boxes; }
    ContactState& State(int number) { return m_state[number]; }
    const ContactState& State(int number) const { return m_state[number]; }
    int HighestNumber() const { return m_numbers.NextUnused() - 1; }
    const std::string& Error() const { return m_error; }
    // Bodies in box k, in list order.
    template <class F> void ForEachInBox(int k, F f) const
    {
        for (int n = m_boxes.First(k); n; n = m_boxes.Next(n))
            f(m_boxes.Body(n));
    }
    double BoxedX(int i) const { return m_bx[i]; }
    double BoxedY(int i) const { return m_by[i]; }

private:
    int Mark(int body) const { return body > 0 ? body : m_nb - body; }
    bool Gather(const Model& m, int i, const int* boxes, int count);
    bool Link(int i, int body);
    void Unlink(int i, int body);
    bool Fail(const char* message);

    BoxGrid m_grid;
    int m_nb = 0, m_nw = 0;
    double m_dntol = 0;
    SlotLists m_boxes;
    SlotLists m_contacts;
    FreeSlotStack m_numbers;
    std::vector<ContactState> m_state;
    std::vector<double> m_bx, m_by;          // ball positions at last boxing
    std::vector<WallLine> m_wallBoxed;       // wall lines at last boxing
    std::vector<unsigned> m_mark;            // per body: stamp of the present search
    unsigned m_stamp = 0;
    std::vector<int> m_candidates, m_work, m_oldBoxes, m_newBoxes;
    std::string m_error;
};

} // namespace disc
