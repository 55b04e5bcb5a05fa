#include "projection/feedback_loops.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "tables/number_text.h"

namespace vorn {
namespace {

constexpr double kNone = -std::numeric_limits<double>::infinity();
// A path is left out only when its best loop would be weaker than the weakest listed by
// more than this (in the logarithm): loops as strong as the weakest are still compared.
constexpr double kPruneMargin = 1e-9;

bool arrowEntry(double value) {
    return value != 0 && std::isfinite(value);
}

// The simple cycles, each from its lowest-numbered item (the root). Loops of two and three
// arrows are all listed first, which sets a high bar at once; longer ones are searched depth
// first from every root in turn, a slice of steps each, so that no root is left unsearched
// when the steps run out. A path goes on only while a loop that closes it could still be
// listed.
class LoopFinder {
  public:
    LoopFinder(int n, const std::vector<double>& links, int limit, std::int64_t steps)
        : m_n(n), m_links(links), m_limit(limit), m_steps(steps) {
        const std::size_t un = static_cast<std::size_t>(n);
        m_log.assign(un * un, kNone);
        m_next.resize(un);
        for (int i = 0; i < n; ++i) {
            std::vector<int>& next = m_next[static_cast<std::size_t>(i)];
            for (int j = 0; j < n; ++j) {
                const double value = links[index(i, j)];
                if (i != j && arrowEntry(value)) {
                    m_log[index(i, j)] = std::log(std::abs(value));
                    next.push_back(j);
                }
            }
            // The strongest arrows first, so that strong loops are met early.
            std::stable_sort(next.begin(), next.end(),
                             [&](int a, int b) { return m_log[index(i, a)] > m_log[index(i, b)]; });
        }
        m_onPath.assign(un, false);
    }

    LoopSearch run() {
        m_search.counted = true;
        shortLoops();
        std::vector<Root> roots;
        for (int root = 0; root + 3 < m_n; ++root) {
            roots.push_back(startRoot(root));
        }
        bool searching = !roots.empty();
        while (searching && m_taken < m_steps) {
            searching = false;
            for (Root& root : roots) {
                if (!root.stack.empty() && m_taken < m_steps) {
                    search(root, std::min(m_steps, m_taken + kSlice));
                }
                searching = searching || !root.stack.empty();
            }
        }
        m_search.finished = !searching;
        m_search.counted = m_search.counted && m_search.finished;
        std::sort(m_kept.begin(), m_kept.end(), strongerLoop);
        m_search.loops = std::move(m_kept);
        return std::move(m_search);
    }

  private:
    // Steps each root takes in turn.
    static constexpr std::int64_t kSlice = 2000;

    struct Frame {
        int item = 0;
        std::size_t next = 0;  // the next of its arrows to follow
        double sum = 0;        // sum of the logarithms along the path to it
    };
    struct Root {
        int item = 0;
        // back[k][v]: the largest sum of logarithms along a walk of k arrows from v back to
        // the root through items above it, or kNone. No path closes into a stronger loop than
        // its best walk back allows, whichever items the walk repeats.
        std::vector<std::vector<double>> back;
        std::vector<char> anyWay;
        std::vector<double> bestOverBar;
        double bar = kNone;        // the bar bestOverBar was weighed against
        std::vector<Frame> stack;  // the path, from the root
    };

    std::size_t index(int i, int j) const { return static_cast<std::size_t>(i * m_n + j); }
    bool arrow(int i, int j) const { return m_log[index(i, j)] != kNone; }
    bool full() const { return static_cast<int>(m_kept.size()) >= m_limit; }

    void shortLoops() {
        for (int i = 0; i < m_n; ++i) {
            for (int j = i + 1; j < m_n; ++j) {
                if (arrow(i, j) && arrow(j, i)) {
                    record({i, j});
                }
                for (int k = i + 1; k < m_n; ++k) {
                    if (k != j && arrow(i, j) && arrow(j, k) && arrow(k, i)) {
                        record({i, j, k});
                    }
                }
            }
        }
    }

    Root startRoot(int item) const {
        Root root;
        root.item = item;
        const int count = m_n - item;  // the longest loop from this root
        root.back.assign(static_cast<std::size_t>(count + 1),
                         std::vector<double>(static_cast<std::size_t>(m_n), kNone));
        for (int v = item + 1; v < m_n; ++v) {
            root.back[1][static_cast<std::size_t>(v)] = m_log[index(v, item)];
        }
        for (std::size_t k = 2; k <= static_cast<std::size_t>(count); ++k) {
            for (int v = item + 1; v < m_n; ++v) {
                double best = kNone;
                for (int u : m_next[static_cast<std::size_t>(v)]) {
                    if (u > item) {
                        best = std::max(best, m_log[index(v, u)] +
                                                  root.back[k - 1][static_cast<std::size_t>(u)]);
                    }
                }
                root.back[k][static_cast<std::size_t>(v)] = best;
            }
        }
        // anyWay[v][room]: some walk of at most `room` arrows leads from v back.
        root.anyWay.assign(static_cast<std::size_t>(m_n) * (static_cast<std::size_t>(count) + 1),
                           0);
        for (std::size_t v = 0; v < static_cast<std::size_t>(m_n); ++v) {
            for (std::size_t k = 1; k <= static_cast<std::size_t>(count); ++k) {
                root.anyWay[v * (static_cast<std::size_t>(count) + 1) + k] =
                    root.anyWay[v * (static_cast<std::size_t>(count) + 1) + k - 1] ||
                    root.back[k][v] != kNone;
            }
        }
        root.stack.push_back({item, 0, 0.0});
        return root;
    }

    enum class Closing { None, TooWeak, Possible };

    // Whether a path of `arrows` arrows ending at `v`, whose logarithms sum to `sum`, can
    // close into a loop, and one strong enough to be listed: whether for some walk of k
    // arrows back, the loop's mean logarithm (sum + back) / (arrows + k) reaches the bar.
    Closing closing(Root& root, int v, int arrows, double sum) {
        const std::size_t room = static_cast<std::size_t>(m_n - root.item - arrows);
        const std::size_t at = static_cast<std::size_t>(v) * root.back.size() + room;
        if (room == 0 || root.anyWay[at] == 0) {
            return Closing::None;
        }
        if (!full()) {
            return Closing::Possible;
        }
        const double bar = m_weakestLog - kPruneMargin;
        if (root.bar != bar) {
            weighWalks(root, bar);
        }
        return sum - bar * arrows + root.bestOverBar[at] >= 0 ? Closing::Possible
                                                              : Closing::TooWeak;
    }

    // bestOverBar[v][room]: the largest back[k][v] - bar * k over k <= room.
    void weighWalks(Root& root, double bar) const {
        const std::size_t rows = root.back.size();
        root.bar = bar;
        root.bestOverBar.assign(static_cast<std::size_t>(m_n) * rows, kNone);
        for (std::size_t v = 0; v < static_cast<std::size_t>(m_n); ++v) {
            double best = kNone;
            for (std::size_t k = 1; k < rows; ++k) {
                if (root.back[k][v] != kNone) {
                    best = std::max(best, root.back[k][v] - bar * static_cast<double>(k));
                }
                root.bestOverBar[v * rows + k] = best;
            }
        }
    }

    // Follows the paths of `root` until it has searched them all or the steps reach `until`.
    void search(Root& root, std::int64_t until) {
        std::vector<Frame>& stack = root.stack;
        for (const Frame& frame : stack) {
            m_onPath[static_cast<std::size_t>(frame.item)] = true;
        }
        while (!stack.empty()) {
            Frame& frame = stack.back();
            const std::vector<int>& next = m_next[static_cast<std::size_t>(frame.item)];
            if (frame.next == next.size()) {
                m_onPath[static_cast<std::size_t>(frame.item)] = false;
                stack.pop_back();
                continue;
            }
            const int u = next[frame.next];
            if (u <= root.item || m_onPath[static_cast<std::size_t>(u)]) {
                ++frame.next;
                continue;
            }
            if (m_taken >= until) {
                break;
            }
            ++m_taken;
            ++frame.next;
            const int arrows = static_cast<int>(stack.size());
            const double sum = frame.sum + m_log[index(frame.item, u)];
            const Closing close = closing(root, u, arrows, sum);
            if (close == Closing::None) {
                continue;  // no way back: no loop is lost
            }
            if (close == Closing::TooWeak) {
                m_search.counted = false;
                continue;
            }
            stack.push_back({u, 0, sum});
            m_onPath[static_cast<std::size_t>(u)] = true;
            if (stack.size() >= 4 && arrow(u, root.item)) {
                const double loopLog =
                    (sum + m_log[index(u, root.item)]) / static_cast<double>(stack.size());
                if (full() && loopLog < m_weakestLog - kPruneMargin) {
                    ++m_search.found;  // too weak to be listed
                    continue;
                }
                std::vector<int> items;
                for (const Frame& step : stack) {
                    items.push_back(step.item);
                }
                record(std::move(items));
            }
        }
        for (const Frame& frame : stack) {
            m_onPath[static_cast<std::size_t>(frame.item)] = false;
        }
    }

    void record(std::vector<int> items) {
        ++m_search.found;
        FeedbackLoop loop;
        loop.strength = loopStrength(m_n, m_links, items);
        loop.items = std::move(items);
        if (full() && !strongerLoop(loop, m_kept.front())) {
            return;
        }
        int negative = 0;
        for (std::size_t k = 0; k < loop.items.size(); ++k) {
            negative += m_links[index(loop.items[k], loop.items[(k + 1) % loop.items.size()])] < 0;
        }
        loop.kind = negative % 2 == 0 ? LoopKind::Reinforcing : LoopKind::Balancing;
        // A heap whose front is the weakest loop kept.
        if (full()) {
            std::pop_heap(m_kept.begin(), m_kept.end(), strongerLoop);
            m_kept.pop_back();
        }
        m_kept.push_back(std::move(loop));
        std::push_heap(m_kept.begin(), m_kept.end(), strongerLoop);
        if (full()) {
            m_weakestLog = std::log(m_kept.front().strength);
        }
    }

    int m_n;
    const std::vector<double>& m_links;
    int m_limit;
    std::int64_t m_steps;
    std::vector<double> m_log;             // log |entry|, kNone where there is no arrow
    std::vector<std::vector<int>> m_next;  // each item's arrows, strongest first
    std::vector<char> m_onPath;
    std::vector<FeedbackLoop> m_kept;
    double m_weakestLog = kNone;
    std::int64_t m_taken = 0;
    LoopSearch m_search;
};

void nameLoops(std::vector<FeedbackLoop>& loops) {
    int reinforcing = 0;
    int balancing = 0;
    for (FeedbackLoop& loop : loops) {
        loop.name = loop.kind == LoopKind::Reinforcing ? "R" + std::to_string(++reinforcing)
                                                       : "B" + std::to_string(++balancing);
    }
}

std::string loopCount(std::int64_t count) {
    return std::to_string(count) + (count == 1 ? " loop" : " loops");
}

}  // namespace

std::string_view loopKindName(LoopKind kind) {
    return kind == LoopKind::Reinforcing ? "reinforcing" : "balancing";
}

double loopStrength(int n, const std::vector<double>& links, const std::vector<int>& items) {
    if (items.empty()) {
        return 0;
    }
    const auto entry = [&](std::size_t k) {
        return std::abs(
            links[static_cast<std::size_t>(items[k] * n + items[(k + 1) % items.size()])]);
    };
    double product = 1;
    for (std::size_t k = 0; k < items.size(); ++k) {
        product *= entry(k);
    }
    const double length = static_cast<double>(items.size());
    // The product where it is an ordinary number, for exact results such as sqrt(2 x 8) = 4;
    // the logarithms where it would overflow or lose its digits.
    if (std::isnormal(product)) {
        return items.size() == 2 ? std::sqrt(product) : std::pow(product, 1 / length);
    }
    double logSum = 0;
    for (std::size_t k = 0; k < items.size(); ++k) {
        logSum += std::log(entry(k));
    }
    return std::exp(logSum / length);
}

bool strongerLoop(const FeedbackLoop& a, const FeedbackLoop& b) {
    if (a.strength != b.strength) {
        return a.strength > b.strength;
    }
    if (a.items.size() != b.items.size()) {
        return a.items.size() < b.items.size();
    }
    return a.items < b.items;
}

LoopSearch findFeedbackLoops(int n, const std::vector<double>& links, int limit,
                             std::int64_t steps) {
    if (n < 2 || limit < 1 || links.size() < static_cast<std::size_t>(n) * n) {
        LoopSearch none;
        none.finished = none.counted = true;
        return none;
    }
    LoopSearch search = LoopFinder(n, links, limit, steps).run();
    nameLoops(search.loops);
    return search;
}

bool LoopDiagram::isArrow(int from, int to) const {
    return from != to && arrowEntry(link(from, to));
}

std::string LoopDiagram::loopText(const FeedbackLoop& loop) const {
    std::string text;
    for (int item : loop.items) {
        text += names[static_cast<std::size_t>(item)] + " -> ";
    }
    return loop.items.empty() ? text : text + names[static_cast<std::size_t>(loop.items[0])];
}

std::string LoopDiagram::linkText(int from, int to) const {
    const double value = link(from, to);
    const std::string number = (value > 0 ? "+" : "") + numberText(value);
    const std::string& name = names[static_cast<std::size_t>(from)];
    if (from == to) {
        return name + ", own growth: " + number;
    }
    return name + " -> " + names[static_cast<std::size_t>(to)] + ": " + number;
}

std::string LoopDiagram::searchNote() const {
    const std::int64_t listed = static_cast<std::int64_t>(search.loops.size());
    if (listed == 0 && search.finished) {
        return "No loops: no chain of arrows leads back to where it starts";
    }
    if (search.complete()) {
        return loopCount(listed) + ", strongest first";
    }
    const std::string strongest = std::to_string(listed) + " strongest of ";
    if (search.counted) {
        return strongest + loopCount(search.found);
    }
    const std::string atLeast = strongest + "at least " + loopCount(search.found) + " found";
    if (search.finished) {
        return atLeast;
    }
    return atLeast + "; the search stopped at its limit, so stronger loops may be missing";
}

LoopDiagram computeLoopDiagram(const ProjectionInput& input) {
    LoopDiagram diagram;
    const int n = std::max(input.items, 0);
    diagram.items = n;
    diagram.names = input.names;
    diagram.names.resize(static_cast<std::size_t>(n));
    diagram.withPolicies = policiesApply(input);
    diagram.links = input.trend;
    diagram.links.resize(static_cast<std::size_t>(n) * n, 0.0);
    if (diagram.withPolicies) {
        for (std::size_t k = 0; k < diagram.links.size() && k < input.policy.size(); ++k) {
            diagram.links[k] += input.policy[k];
        }
    }
    diagram.search = findFeedbackLoops(n, diagram.links);
    return diagram;
}

}  // namespace vorn
