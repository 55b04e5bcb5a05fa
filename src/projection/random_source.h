#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace vorn {

/// Uniform random numbers on [0, 1) in single precision.
///
/// Every run of the projection calls reseed() first. A clock-driven source mixes the clock
/// into its current state, so runs that start within the same clock tick still differ; a
/// seeded source mixes in only a run counter, so the same seed repeats the same sequence of
/// runs (tests, batch runs).
class RandomSource {
  public:
    /// A source reseeded from the clock.
    RandomSource();
    /// A reproducible source.
    explicit RandomSource(std::uint64_t seed);

    /// Starts a new run: mixes the clock (or, when seeded, a run counter) into the state.
    void reseed();

    /// The next value, uniform on [0, 1), with 24 significant bits.
    float next() { return static_cast<float>(nextBits() >> 40) * (1.0f / 16777216.0f); }

    /// Fills `out` with the next `count` values; the same values as `count` calls of next(),
    /// with the state kept in registers.
    void fill(float* out, std::size_t count);

    std::optional<std::uint64_t> seed() const { return m_seed; }

    /// A seeded source whose seed is drawn from this one, for work divided among threads:
    /// a source seeded alike splits off the same sources, so the work stays reproducible.
    RandomSource split() { return RandomSource(nextBits()); }

  private:
    std::uint64_t nextBits() {
        // xoshiro256**
        const std::uint64_t result = rotl(m_state[1] * 5, 7) * 9;
        const std::uint64_t t = m_state[1] << 17;
        m_state[2] ^= m_state[0];
        m_state[3] ^= m_state[1];
        m_state[1] ^= m_state[2];
        m_state[0] ^= m_state[3];
        m_state[2] ^= t;
        m_state[3] = rotl(m_state[3], 45);
        return result;
    }
    static std::uint64_t rotl(std::uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }
    void setState(std::uint64_t mix);

    std::uint64_t m_state[4] = {};
    std::optional<std::uint64_t> m_seed;
    std::uint64_t m_runs = 0;
};

}  // namespace vorn
