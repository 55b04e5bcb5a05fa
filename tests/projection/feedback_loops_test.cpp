#include "projection/feedback_loops.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "support/projection_input.h"

namespace vorn {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

std::vector<std::string> loopTexts(const LoopDiagram& diagram) {
    std::vector<std::string> texts;
    for (const FeedbackLoop& loop : diagram.search.loops) {
        texts.push_back(loop.name + " " + diagram.loopText(loop));
    }
    return texts;
}

LoopDiagram diagramOf(int n, const std::vector<double>& trend) {
    ProjectionInput input = testing::quietInput(n);
    input.trend = trend;
    return computeLoopDiagram(input);
}

// Population feeds Food (2) and Food feeds Population back (0.5): a reinforcing loop of
// strength sqrt(2 x 0.5) = 1. Food feeds Pollution (4) and Pollution lowers Food (-1): a
// balancing loop of strength sqrt(4) = 2. The diagonal is own growth, never an arrow, and
// nothing leads from Population to Pollution, so there is no loop of three.
TEST(FeedbackLoops, ThreeItemsWithOneReinforcingAndOneBalancingLoop) {
    ProjectionInput input = testing::quietInput(3);
    input.names = {"Population", "Food", "Pollution"};
    input.trend = {1.5, 2,  0,  //
                   0.5, -3, 4,  //
                   0,   -1, 0.2};
    const LoopDiagram diagram = computeLoopDiagram(input);
    EXPECT_EQ(loopTexts(diagram),
              (std::vector<std::string>{"B1 Food -> Pollution -> Food",
                                        "R1 Population -> Food -> Population"}));
    const FeedbackLoop& balancing = diagram.search.loops[0];
    EXPECT_EQ(balancing.kind, LoopKind::Balancing);
    EXPECT_EQ(balancing.strength, 2);
    EXPECT_EQ(balancing.length(), 2);
    EXPECT_EQ(diagram.search.loops[1].kind, LoopKind::Reinforcing);
    EXPECT_EQ(diagram.search.loops[1].strength, 1);
    EXPECT_TRUE(diagram.search.complete());
    EXPECT_EQ(diagram.searchNote(), "2 loops, strongest first");

    EXPECT_EQ(diagram.linkText(1, 0), "Food -> Population: +0.5");
    EXPECT_EQ(diagram.linkText(2, 1), "Pollution -> Food: -1");
    EXPECT_EQ(diagram.linkText(1, 1), "Food, own growth: -3");
    EXPECT_FALSE(diagram.isArrow(1, 1));
    EXPECT_FALSE(diagram.isArrow(0, 2));
    EXPECT_TRUE(diagram.isArrow(2, 1));

    // An arrow from Population to Pollution closes a loop of three with one negative link:
    // balancing, of strength (16 x 1 x 0.5)^(1/3) = 2, after the shorter one as strong.
    input.trend[2] = 16;
    const LoopDiagram closed = computeLoopDiagram(input);
    EXPECT_EQ(loopTexts(closed),
              (std::vector<std::string>{"B1 Food -> Pollution -> Food",
                                        "B2 Population -> Pollution -> Food -> Population",
                                        "R1 Population -> Food -> Population"}));
    EXPECT_NEAR(closed.search.loops[1].strength, 2, 1e-15);
}

TEST(FeedbackLoops, NoLoopsWithoutAWayBackNorWithoutTwoItems) {
    // A chain: Item 1 -> Item 2 -> Item 3, and Item 1 -> Item 3.
    const LoopDiagram chain = diagramOf(3, {5, 1, 1, 0, 5, -2, 0, 0, 5});
    EXPECT_TRUE(chain.search.loops.empty());
    EXPECT_EQ(chain.search.found, 0);
    EXPECT_TRUE(chain.search.complete());
    EXPECT_EQ(chain.searchNote(), "No loops: no chain of arrows leads back to where it starts");

    for (int n : {0, 1}) {
        const LoopDiagram small = diagramOf(n, std::vector<double>(static_cast<std::size_t>(n), 3));
        EXPECT_EQ(small.items, n);
        EXPECT_TRUE(small.search.loops.empty());
        EXPECT_TRUE(small.search.complete());
        EXPECT_EQ(small.searchNote(), chain.searchNote());
    }
}

// An entry that is not a finite number is no arrow: the loops through it are left out, the
// others are found as before.
TEST(FeedbackLoops, NonFiniteEntriesAreSkipped) {
    const LoopDiagram diagram = diagramOf(4, {kNaN, kInf, 0, 0,  //
                                              1, 0, 2, 0,        //
                                              0, 2, 0, -kInf,    //
                                              0, 0, kNaN, 0});
    EXPECT_EQ(loopTexts(diagram), (std::vector<std::string>{"R1 Item  2 -> Item  3 -> Item  2"}));
    EXPECT_FALSE(diagram.isArrow(0, 1));
    EXPECT_FALSE(diagram.isArrow(3, 2));

    // Entries whose product overflows still give a strength, through their logarithms.
    const LoopDiagram huge = diagramOf(2, {0, 1e300, -1e300, 0});
    ASSERT_EQ(huge.search.loops.size(), 1u);
    EXPECT_NEAR(huge.search.loops[0].strength, 1e300, 1e300 * 1e-12);
    EXPECT_EQ(huge.search.loops[0].name, "B1");
}

TEST(FeedbackLoops, PoliciesAddToTheTrendsWhileTheyApply) {
    ProjectionInput input = testing::quietInput(2);
    input.trend = {0, 1, 0, 0};
    input.policy = {0, 0, -4, 0};
    EXPECT_TRUE(computeLoopDiagram(input).search.loops.empty());
    input.policyOn = true;
    const LoopDiagram withPolicies = computeLoopDiagram(input);
    EXPECT_TRUE(withPolicies.withPolicies);
    ASSERT_EQ(withPolicies.search.loops.size(), 1u);
    EXPECT_EQ(withPolicies.search.loops[0].name, "B1");
    EXPECT_EQ(withPolicies.search.loops[0].strength, 2);
    input.horizon = -1;  // a backcast leaves the policies out
    EXPECT_TRUE(computeLoopDiagram(input).search.loops.empty());
}

// ---- The search against every loop, enumerated without any bound ----

struct AllLoops {
    std::vector<FeedbackLoop> loops;

    AllLoops(int n, const std::vector<double>& links) : m_n(n), m_links(links) {
        for (int root = 0; root < n; ++root) {
            std::vector<int> path{root};
            grow(path);
        }
        std::sort(loops.begin(), loops.end(), strongerLoop);
    }

  private:
    bool arrow(int i, int j) const {
        const double value = m_links[static_cast<std::size_t>(i * m_n + j)];
        return i != j && value != 0 && std::isfinite(value);
    }
    // Every order of every set of items above the root, kept where all its arrows exist.
    void grow(std::vector<int>& path) {
        if (path.size() >= 2) {
            bool closed = true;
            for (std::size_t k = 0; k < path.size(); ++k) {
                closed = closed && arrow(path[k], path[(k + 1) % path.size()]);
            }
            if (closed) {
                FeedbackLoop loop;
                loop.items = path;
                loop.strength = loopStrength(m_n, m_links, path);
                int negative = 0;
                for (std::size_t k = 0; k < path.size(); ++k) {
                    negative += m_links[static_cast<std::size_t>(path[k] * m_n +
                                                                 path[(k + 1) % path.size()])] < 0;
                }
                loop.kind = negative % 2 == 0 ? LoopKind::Reinforcing : LoopKind::Balancing;
                loops.push_back(loop);
            }
        }
        for (int next = path[0] + 1; next < m_n; ++next) {
            if (std::find(path.begin(), path.end(), next) == path.end()) {
                path.push_back(next);
                grow(path);
                path.pop_back();
            }
        }
    }

    int m_n;
    const std::vector<double>& m_links;
};

std::vector<double> randomMatrix(std::mt19937& random, int n) {
    // Few distinct values, so that equal strengths are common and their order is tested.
    static const double kValues[] = {0, 0, 0, 0.5, -0.5, 1, -1, 2, -2, 3, 0.25, kInf, kNaN};
    std::uniform_int_distribution<std::size_t> pick(0, std::size(kValues) - 1);
    std::uniform_int_distribution<int> rare(0, 20);
    std::vector<double> links;
    for (int k = 0; k < n * n; ++k) {
        const double value = kValues[pick(random)];
        links.push_back(std::isfinite(value) || rare(random) == 0 ? value : 1.5);
    }
    return links;
}

TEST(FeedbackLoops, TheSearchListsTheStrongestOfAllLoops) {
    std::mt19937 random(20240611);
    int searches = 0;
    int pruned = 0;
    for (int round = 0; round < 600; ++round) {
        const int n = 2 + round % 6;
        const std::vector<double> links = randomMatrix(random, n);
        const AllLoops all(n, links);
        for (int limit : {kLoopLimit, 5, 1}) {
            SCOPED_TRACE("round " + std::to_string(round) + ", limit " + std::to_string(limit));
            const LoopSearch search = findFeedbackLoops(n, links, limit);
            ++searches;
            ASSERT_TRUE(search.finished);
            const std::size_t listed = std::min(all.loops.size(), static_cast<std::size_t>(limit));
            ASSERT_EQ(search.loops.size(), listed);
            for (std::size_t k = 0; k < listed; ++k) {
                EXPECT_EQ(search.loops[k].items, all.loops[k].items);
                EXPECT_EQ(search.loops[k].strength, all.loops[k].strength);
                EXPECT_EQ(search.loops[k].kind, all.loops[k].kind);
            }
            const auto total = static_cast<std::int64_t>(all.loops.size());
            if (search.counted) {
                EXPECT_EQ(search.found, total);
            } else {
                ++pruned;
                EXPECT_LE(search.found, total);
                EXPECT_GE(search.found, static_cast<std::int64_t>(listed));
            }
            EXPECT_EQ(search.complete(), total <= limit);
        }
    }
    EXPECT_EQ(searches, 1800);
    EXPECT_GT(pruned, 100);  // the bound was put to work
}

TEST(FeedbackLoops, LoopsAreNamedByStrengthWithinTheirKind) {
    std::mt19937 random(7);
    const std::vector<double> links = randomMatrix(random, 7);
    const LoopSearch search = findFeedbackLoops(7, links);
    int reinforcing = 0;
    int balancing = 0;
    for (std::size_t k = 0; k < search.loops.size(); ++k) {
        const FeedbackLoop& loop = search.loops[k];
        const bool isReinforcing = loop.kind == LoopKind::Reinforcing;
        EXPECT_EQ(loop.name, (isReinforcing ? "R" + std::to_string(++reinforcing)
                                            : "B" + std::to_string(++balancing)));
        if (k > 0) {
            EXPECT_TRUE(strongerLoop(search.loops[k - 1], loop));
        }
    }
    EXPECT_GT(reinforcing, 0);
    EXPECT_GT(balancing, 0);
}

// Twenty items each feeding every other: more loops than could ever be listed. The search
// stops at its step limit and says so; what it lists are real loops, strongest first, and the
// strongest loop of all, 5 -> 9 -> 5 among otherwise weaker arrows, is among them.
TEST(FeedbackLoops, ADenseMatrixIsSearchedWithinTheStepLimit) {
    const int n = 20;
    std::vector<double> links;
    for (int r = 0; r < n; ++r) {
        for (int c = 0; c < n; ++c) {
            links.push_back(((r * 7 + c * 3) % 11 - 5) * 0.1 + 0.05);
        }
    }
    links[4 * n + 8] = 3;
    links[8 * n + 4] = -2;
    ProjectionInput input = testing::quietInput(n);
    input.trend = links;
    const LoopDiagram diagram = computeLoopDiagram(input);
    const LoopSearch& search = diagram.search;
    EXPECT_FALSE(search.finished);
    EXPECT_FALSE(search.counted);
    ASSERT_EQ(search.loops.size(), static_cast<std::size_t>(kLoopLimit));
    EXPECT_GE(search.found, kLoopLimit);
    EXPECT_EQ(diagram.loopText(search.loops[0]), "Item  5 -> Item  9 -> Item  5");
    EXPECT_EQ(search.loops[0].name, "B1");
    for (const FeedbackLoop& loop : search.loops) {
        EXPECT_EQ(loop.strength, loopStrength(n, links, loop.items));
        for (int k = 0; k < loop.length(); ++k) {
            EXPECT_TRUE(
                diagram.isArrow(loop.items[static_cast<std::size_t>(k)],
                                loop.items[static_cast<std::size_t>((k + 1) % loop.length())]));
        }
    }
    EXPECT_EQ(diagram.searchNote(),
              "50 strongest of at least " + std::to_string(search.found) +
                  " loops found; the search stopped at its limit, so stronger loops may be "
                  "missing");

    // Loops as strong as the weakest listed are still met and counted: six items feeding
    // each other alike hold 15 + 40 + 90 + 144 + 120 loops of two to six arrows.
    LoopDiagram alike = diagramOf(6, std::vector<double>(36, 1.0));
    alike.search = findFeedbackLoops(6, alike.links, 10);
    EXPECT_TRUE(alike.search.counted);
    EXPECT_EQ(alike.search.loops.size(), 10u);
    EXPECT_EQ(alike.searchNote(), "10 strongest of 409 loops");
}

}  // namespace
}  // namespace vorn
