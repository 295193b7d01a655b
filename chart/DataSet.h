// One data series of x and y values, with the charts that draw it.
#pragma once

#include <vector>

namespace xrt {

class Chart;

class DataSet {
public:
    explicit DataSet(int points) : points_(points) {}
    ~DataSet();
    DataSet(const DataSet&) = delete;
    DataSet& operator=(const DataSet&) = delete;

    int Points() const { return points_; }
    // Null when the values are absent.
    const double* X() const { return x_.empty() ? nullptr : x_.data(); }
    const double* Y() const { return y_.empty() ? nullptr : y_.data(); }
    bool HasValues() const { return points_ > 0 && !x_.empty() && !y_.empty(); }

    // Copies values[0..count) to points first..first+count-1; null values
    // remove the array. Fails for a range outside the set.
    bool SetX(const double* values, int count, int first) { return Set(x_, values, count, first); }
    bool SetY(const double* values, int count, int first) { return Set(y_, values, count, first); }

    // The charts drawing this set are told when it goes away.
    void AddUser(Chart* chart);
    void RemoveUser(Chart* chart);

private:
    bool Set(std::vector<double>& array, const double* values, int count, int first);
    void Changed() const;

    int points_;
    std::vector<double> x_, y_;
    std::vector<Chart*> users_;
};

}  // namespace xrt
