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
