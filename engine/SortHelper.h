// Sorts arrays of doubles ascending or descending. A value that is not a number
// goes to the end in either direction: it has no place in an ordering, and a
// comparison that is false both ways would leave the sort without a strict order.
#pragma once

#include <vector>

class CSortHelper
{
public:
    bool m_bAscending = true;

    void Sort(double* values, int count) const;
    void Sort(std::vector<double>& values) const { Sort(values.data(), static_cast<int>(values.size())); }

    // Whether a comes before b in the current direction.
    bool ComesBefore(double a, double b) const;
};
