#include "projection/random_source.h"

#include <algorithm>
#include <chrono>
#include <iterator>

namespace vorn {
namespace {

std::uint64_t splitmix(std::uint64_t& x) {
    std::uint64_t z = (x += 0x9e3779b97f4a7c15ULL);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}

// The key of run `run` under `seed`; each step's key and each item's draw are mixed from it
// in turn, so that neighbouring counters give unrelated draws.
std::uint64_t runKey(std::uint64_t seed, int run) {
    std::uint64_t x = seed;
    const std::uint64_t mixedSeed = splitmix(x);
    std::uint64_t y = mixedSeed ^ static_cast<std::uint64_t>(static_cast<std::uint32_t>(run));
    return splitmix(y);
}

std::uint64_t stepKey(std::uint64_t run, int step) {
    std::uint64_t x = run ^ (static_cast<std::uint64_t>(static_cast<std::uint32_t>(step)) << 32);
    return splitmix(x);
}

float itemDraw(std::uint64_t step, int item) {
    std::uint64_t x =
        step + static_cast<std::uint64_t>(static_cast<std::uint32_t>(item)) * 0xd1b54a32d192ed03ULL;
    return static_cast<float>(splitmix(x) >> 40) * (1.0f / 16777216.0f);
}

std::uint64_t clockTicks() {
    return static_cast<std::uint64_t>(
        std::chrono::high_resolution_clock::now().time_since_epoch().count());
}

}  // namespace

RandomSource::RandomSource() {
    setState(clockTicks());
}

RandomSource::RandomSource(std::uint64_t seed) : m_seed(seed) {
    setState(seed);
}

RandomSource RandomSource::counterBased(std::uint64_t seed) {
    RandomSource source(seed);
    source.m_counterBased = true;
    return source;
}

float RandomSource::counterDraw(std::uint64_t seed, int run, int step, int item) {
    return itemDraw(stepKey(runKey(seed, run), step), item);
}

void RandomSource::startRun(int run) {
    if (m_counterBased) {
        m_runKey = runKey(*m_seed, run);
    } else {
        reseed();
    }
}

void RandomSource::fillStep(int step, float* out, std::size_t count) {
    if (!m_counterBased) {
        fill(out, count);
        return;
    }
    const std::uint64_t key = stepKey(m_runKey, step);
    for (std::size_t item = 0; item < count; ++item) {
        out[item] = itemDraw(key, static_cast<int>(item));
    }
}

std::uint64_t RandomSource::nextSeed(std::uint64_t below) {
    return below <= 1 ? 0 : 1 + nextBits() % (below - 1);
}

void RandomSource::setState(std::uint64_t mix) {
    std::uint64_t x = mix;
    for (std::uint64_t& word : m_state) {
        word = splitmix(x);
    }
}

void RandomSource::reseed() {
    ++m_runs;
    const std::uint64_t salt = m_seed ? m_runs : clockTicks();
    setState(nextBits() ^ (salt * 0xd1b54a32d192ed03ULL));
}

void RandomSource::fill(float* out, std::size_t count) {
    RandomSource local = *this;
    for (std::size_t k = 0; k < count; ++k) {
        out[k] = local.next();
    }
    std::copy(std::begin(local.m_state), std::end(local.m_state), std::begin(m_state));
}

}  // namespace vorn
