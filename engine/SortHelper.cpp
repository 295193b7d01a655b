#include "engine/SortHelper.h"

#include <algorithm>
#include <cmath>

bool CSortHelper::ComesBefore(double a, double b) const
{
    if (std::isnan(a) || std::isnan(b))
        return !std::isnan(a) && std::isnan(b);
    return m_bAscending ? a < b : a > b;
}

void CSortHelper::Sort(double* values, int count) const
{
    if (values == nullptr || count < 2)
        return;
    std::sort(values, values + count, [this](double a, double b) { return ComesBefore(a, b); });
}
