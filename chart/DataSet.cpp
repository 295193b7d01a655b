#include "chart/DataSet.h"

#include "chart/Chart.h"

#include <algorithm>

namespace xrt {

DataSet::~DataSet() {
    // A chart must never draw from a set that no longer exists.
    for (Chart* chart : std::vector<Chart*>(users_)) chart->DetachData(this);
}

void DataSet::AddUser(Chart* chart) {
    if (std::find(users_.begin(), users_.end(), chart) == users_.end()) users_.push_back(chart);
}

void DataSet::RemoveUser(Chart* chart) {
    users_.erase(std::remove(users_.begin(), users_.end(), chart), users_.end());
}

bool DataSet::Set(std::vector<double>& array, const double* values, int count, int first) {
    if (!values) {
        array.clear();
        Changed();
        return true;
    }
    if (count < 0 || first < 0 || first > points_ || count > points_ - first) return false;
    if (array.empty()) array.assign(static_cast<size_t>(points_), 0.0);
    std::copy(values, values + count, array.begin() + first);
    Changed();
    return true;
}

void DataSet::Changed() const {
    for (Chart* chart : users_) chart->Invalidate();
}

}  // namespace xrt
