#pragma once
#include <vector>

// One figure measured once per round: its median and its range.
class Samples {
public:
    void add(double value) { m_values.push_back(value); }
    bool empty() const { return m_values.empty(); }
    std::size_t size() const { return m_values.size(); }
    double operator[](std::size_t round) const { return m_values[round]; }
    double median() const;
    double lowest() const;
    double highest() const;

private:
    std::vector<double> m_values;
};
