#include "projection/level_difference.h"

#include <cstdlib>

namespace vorn {
namespace {

bool allSame(const std::vector<int>& years) {
    return years.empty() || years.front() == years.back();
}

}  // namespace

NamedLevels namedLevels(const ProjectionNumbers& numbers, const std::vector<std::string>& names) {
    NamedLevels out;
    out.names = names;
    out.names.resize(static_cast<std::size_t>(numbers.items));
    out.years = numbers.years;
    out.values.reserve(out.names.size() * out.years.size());
    for (int i = 0; i < numbers.items; ++i) {
        for (int p = 0; p < out.points(); ++p) {
            out.values.push_back(numbers.level(i, p));
        }
    }
    return out;
}

std::vector<std::string> ItemMatch::unmatched() const {
    std::vector<std::string> names = onlyFirst;
    names.insert(names.end(), onlySecond.begin(), onlySecond.end());
    return names;
}

ItemMatch matchItems(const std::vector<std::string>& first,
                     const std::vector<std::string>& second) {
    ItemMatch match;
    std::vector<bool> taken(second.size());
    for (const std::string& name : first) {
        int partner = -1;
        for (std::size_t j = 0; j < second.size() && partner < 0; ++j) {
            if (!taken[j] && second[j] == name) {
                taken[j] = true;
                partner = static_cast<int>(j);
            }
        }
        match.partner.push_back(partner);
        if (partner < 0) {
            match.onlyFirst.push_back(name);
        }
    }
    for (std::size_t j = 0; j < second.size(); ++j) {
        if (!taken[j]) {
            match.onlySecond.push_back(second[j]);
        }
    }
    return match;
}

std::vector<std::optional<double>> positionsOnAxis(const std::vector<int>& axisYears,
                                                   const std::vector<int>& otherYears) {
    std::vector<std::optional<double>> positions(otherYears.size());
    if (axisYears == otherYears) {
        for (std::size_t p = 0; p < positions.size(); ++p) {
            positions[p] = static_cast<double>(p);
        }
        return positions;
    }
    if (axisYears.size() < 2 || allSame(axisYears) || allSame(otherYears)) {
        return positions;
    }
    const long long first = axisYears.front();
    const long long span = axisYears.back() - first;
    const long long gaps = std::ssize(axisYears) - 1;
    for (std::size_t p = 0; p < positions.size(); ++p) {
        const long long scaled = (otherYears[p] - first) * gaps;
        const double position = static_cast<double>(scaled) / static_cast<double>(span);
        if (position >= 0 && position <= static_cast<double>(gaps)) {
            positions[p] = scaled % span == 0 ? static_cast<double>(scaled / span) : position;
        }
    }
    return positions;
}

std::vector<int> samePoints(const std::vector<int>& axisYears, const std::vector<int>& otherYears) {
    std::vector<int> same(axisYears.size(), -1);
    const std::vector<std::optional<double>> positions = positionsOnAxis(axisYears, otherYears);
    for (std::size_t p = 0; p < positions.size(); ++p) {
        if (!positions[p]) {
            continue;
        }
        const double position = *positions[p];
        const auto point = static_cast<std::size_t>(position);
        if (static_cast<double>(point) == position && point < same.size() && same[point] < 0) {
            same[point] = static_cast<int>(p);
        }
    }
    return same;
}

NamedLevels levelDifference(const NamedLevels& live, const NamedLevels& reference) {
    NamedLevels difference;
    const ItemMatch match = matchItems(live.names, reference.names);
    const std::vector<int> same = samePoints(live.years, reference.years);
    std::vector<int> points;
    for (int p = 0; p < live.points(); ++p) {
        if (same[static_cast<std::size_t>(p)] >= 0) {
            points.push_back(p);
            difference.years.push_back(live.years[static_cast<std::size_t>(p)]);
        }
    }
    for (int i = 0; i < live.items(); ++i) {
        const int partner = match.partner[static_cast<std::size_t>(i)];
        if (partner < 0) {
            continue;
        }
        difference.names.push_back(live.names[static_cast<std::size_t>(i)]);
        for (int p : points) {
            difference.values.push_back(live.at(i, p) -
                                        reference.at(partner, same[static_cast<std::size_t>(p)]));
        }
    }
    return difference;
}

}  // namespace vorn
