#include "projection/influence_map.h"

#include <algorithm>
#include <cmath>

namespace vorn {
namespace {

constexpr double kTieTolerance = 1e-9;

bool aboveMean(double value, double mean) {
    return value - mean > kTieTolerance * std::abs(mean);
}

Quadrant quadrantOf(double influence, double dependence, double meanInfluence,
                    double meanDependence) {
    if (!std::isfinite(influence) || !std::isfinite(dependence)) {
        return Quadrant::Unplaced;
    }
    const bool drives = aboveMean(influence, meanInfluence);
    const bool driven = aboveMean(dependence, meanDependence);
    if (drives) {
        return driven ? Quadrant::Relay : Quadrant::Driving;
    }
    return driven ? Quadrant::Dependent : Quadrant::Autonomous;
}

bool isPlaced(const InfluenceItem& item) {
    return item.quadrant != Quadrant::Unplaced;
}

// 1 + the number of placed items whose value is larger beyond the tie tolerance; 0 for an
// item that is not placed.
std::vector<int> ranksOf(const std::vector<double>& values,
                         const std::vector<InfluenceItem>& items) {
    std::vector<int> ranks(values.size(), 0);
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (!isPlaced(items[i])) {
            continue;
        }
        ranks[i] = 1;
        for (std::size_t j = 0; j < values.size(); ++j) {
            const double larger = values[j] - values[i];
            if (isPlaced(items[j]) &&
                larger > kTieTolerance * std::max(std::abs(values[i]), std::abs(values[j]))) {
                ++ranks[i];
            }
        }
    }
    return ranks;
}

// The row and column sums of one power of the matrix, divided by its total, and the
// logarithm of that total.
struct Power {
    std::vector<double> rows;
    std::vector<double> columns;
    double logTotal = 0;
    std::vector<int> rowRanks;
    std::vector<int> columnRanks;

    bool sameRanking(const Power& other) const {
        return rowRanks == other.rowRanks && columnRanks == other.columnRanks;
    }
};

// The powers of the matrix of absolute entries off the diagonal, raised until the ranking
// settles, repeats or the chains end.
class ChainPowers {
  public:
    ChainPowers(const ProjectionInput& input, const std::vector<InfluenceItem>& items)
        : m_n(items.size()), m_items(items), m_matrix(m_n * m_n, 0.0) {
        double largest = 0;
        for (std::size_t i = 0; i < m_n; ++i) {
            for (std::size_t j = 0; j < m_n; ++j) {
                const double entry = std::abs(input.trend[i * m_n + j]);
                if (i != j && std::isfinite(entry)) {
                    m_matrix[i * m_n + j] = entry;
                    largest = std::max(largest, entry);
                }
            }
        }
        // Divided by the largest entry, so that no sum of the powers overflows.
        for (double& entry : m_matrix) {
            entry = largest > 0 ? entry / largest : 0;
        }
    }

    /// Fills in the indirect totals and ranks of `map`.
    void apply(InfluenceMap& map) {
        m_power = m_matrix;
        if (!keep(1)) {
            finish(map, 1, 1, true);  // no links at all
            return;
        }
        for (int k = 2; k <= kMaxInfluencePower; ++k) {
            multiply();
            if (!keep(k)) {
                finish(map, k - 1, 1, true);  // the chains end
                return;
            }
            const std::size_t last = m_powers.size() - 1;
            if (k >= 3 && m_powers[last].sameRanking(m_powers[last - 1]) &&
                m_powers[last].sameRanking(m_powers[last - 2])) {
                finish(map, k, 1, true);
                return;
            }
            if (const int period = repeatingPeriod(); period > 1) {
                finish(map, k, period, true);
                return;
            }
        }
        finish(map, kMaxInfluencePower, 1, false);
    }

  private:
    void multiply() {
        std::vector<double> next(m_n * m_n, 0.0);
        for (std::size_t i = 0; i < m_n; ++i) {
            for (std::size_t m = 0; m < m_n; ++m) {
                const double left = m_power[i * m_n + m];
                if (left == 0) {
                    continue;
                }
                for (std::size_t j = 0; j < m_n; ++j) {
                    next[i * m_n + j] += left * m_matrix[m * m_n + j];
                }
            }
        }
        m_power = std::move(next);
    }

    // Divides the power by its total and keeps its sums; false when it is all zero.
    bool keep(int k) {
        double total = 0;
        for (double entry : m_power) {
            total += entry;
        }
        if (!(total > 0) || !std::isfinite(total)) {
            return false;
        }
        Power power;
        power.rows.assign(m_n, 0.0);
        power.columns.assign(m_n, 0.0);
        for (std::size_t i = 0; i < m_n; ++i) {
            for (std::size_t j = 0; j < m_n; ++j) {
                double& entry = m_power[i * m_n + j];
                entry /= total;
                power.rows[i] += entry;
                power.columns[j] += entry;
            }
        }
        power.logTotal = std::log(total) + (k > 1 ? m_powers.back().logTotal : 0);
        power.rowRanks = ranksOf(power.rows, m_items);
        power.columnRanks = ranksOf(power.columns, m_items);
        m_powers.push_back(std::move(power));
        return true;
    }

    // The shortest period p with which the last 2p + 1 rankings repeat; 0 when none does.
    int repeatingPeriod() const {
        const std::size_t count = m_powers.size();
        for (std::size_t p = 2; p <= m_n && 2 * p + 1 <= count; ++p) {
            bool repeats = true;
            for (std::size_t j = 0; j <= p && repeats; ++j) {
                repeats = m_powers[count - 1 - j].sameRanking(m_powers[count - 1 - j - p]);
            }
            if (repeats) {
                return static_cast<int>(p);
            }
        }
        return 0;
    }

    // The totals of the last `period` powers ending at `power`, each divided by the growth
    // rate of the chains to its power: over a whole period this is their steady mix.
    void finish(InfluenceMap& map, int power, int period, bool settled) {
        map.indirectPower = power;
        map.indirectPeriod = period;
        map.indirectSettled = settled;
        std::vector<double> rows(m_n, 0.0);
        std::vector<double> columns(m_n, 0.0);
        const std::size_t last = static_cast<std::size_t>(power - 1);
        const std::size_t first = last + 1 - static_cast<std::size_t>(period);
        if (last < m_powers.size()) {
            const double logRate =
                period > 1 ? (m_powers[last].logTotal - m_powers[first - 1].logTotal) / period : 0;
            for (std::size_t m = first; m <= last; ++m) {
                const double weight = std::exp(m_powers[m].logTotal - m_powers[last].logTotal -
                                               static_cast<double>(m) * logRate +
                                               static_cast<double>(last) * logRate);
                for (std::size_t i = 0; i < m_n; ++i) {
                    rows[i] += weight * m_powers[m].rows[i];
                    columns[i] += weight * m_powers[m].columns[i];
                }
            }
        }
        scaleToDirect(map, rows, columns);
    }

    // The indirect totals, scaled so that the placed items' add up to their direct totals.
    void scaleToDirect(InfluenceMap& map, const std::vector<double>& rows,
                       const std::vector<double>& columns) const {
        double direct[2] = {0, 0};
        double chains[2] = {0, 0};
        for (std::size_t i = 0; i < m_n; ++i) {
            if (isPlaced(map.items[i])) {
                direct[0] += map.items[i].influence;
                direct[1] += map.items[i].dependence;
                chains[0] += rows[i];
                chains[1] += columns[i];
            }
        }
        for (std::size_t i = 0; i < m_n; ++i) {
            InfluenceItem& item = map.items[i];
            item.indirectInfluence = chains[0] > 0 ? rows[i] / chains[0] * direct[0] : 0;
            item.indirectDependence = chains[1] > 0 ? columns[i] / chains[1] * direct[1] : 0;
        }
    }

    std::size_t m_n;
    const std::vector<InfluenceItem>& m_items;
    std::vector<double> m_matrix;
    std::vector<double> m_power;
    std::vector<Power> m_powers;  // from the first
};

}  // namespace

std::string_view quadrantName(Quadrant quadrant) {
    switch (quadrant) {
        case Quadrant::Driving:
            return "driving";
        case Quadrant::Relay:
            return "relay";
        case Quadrant::Dependent:
            return "dependent";
        case Quadrant::Autonomous:
            return "autonomous";
        case Quadrant::Unplaced:
            break;
    }
    return "unplaced";
}

InfluenceMap computeInfluenceMap(const ProjectionInput& input) {
    InfluenceMap map;
    const int n = input.items;
    const std::size_t un = static_cast<std::size_t>(std::max(n, 0));
    map.items.resize(un);
    for (std::size_t i = 0; i < un; ++i) {
        InfluenceItem& item = map.items[i];
        item.name = input.names[i];
        for (std::size_t j = 0; j < un; ++j) {
            if (j != i) {
                item.influence += std::abs(input.trend[i * un + j]);
                item.dependence += std::abs(input.trend[j * un + i]);
            }
        }
    }

    // Means of the placed items, each total divided before adding so the sum cannot
    // overflow where the totals do not.
    int placed = 0;
    for (const InfluenceItem& item : map.items) {
        placed += std::isfinite(item.influence) && std::isfinite(item.dependence) ? 1 : 0;
    }
    for (const InfluenceItem& item : map.items) {
        if (placed > 0 && std::isfinite(item.influence) && std::isfinite(item.dependence)) {
            map.meanInfluence += item.influence / placed;
            map.meanDependence += item.dependence / placed;
        }
    }
    for (InfluenceItem& item : map.items) {
        item.quadrant =
            quadrantOf(item.influence, item.dependence, map.meanInfluence, map.meanDependence);
    }
    if (map.items.empty()) {
        return map;
    }

    ChainPowers(input, map.items).apply(map);
    std::vector<double> totals[4];
    for (const InfluenceItem& item : map.items) {
        totals[0].push_back(item.influence);
        totals[1].push_back(item.dependence);
        totals[2].push_back(item.indirectInfluence);
        totals[3].push_back(item.indirectDependence);
    }
    const std::vector<int> ranks[4] = {ranksOf(totals[0], map.items), ranksOf(totals[1], map.items),
                                       ranksOf(totals[2], map.items),
                                       ranksOf(totals[3], map.items)};
    for (std::size_t i = 0; i < un; ++i) {
        InfluenceItem& item = map.items[i];
        item.influenceRank = ranks[0][i];
        item.dependenceRank = ranks[1][i];
        item.indirectInfluenceRank = ranks[2][i];
        item.indirectDependenceRank = ranks[3][i];
        item.indirectQuadrant = isPlaced(item)
                                    ? quadrantOf(item.indirectInfluence, item.indirectDependence,
                                                 map.meanInfluence, map.meanDependence)
                                    : Quadrant::Unplaced;
    }
    return map;
}

}  // namespace vorn
