#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace vorn {

/// Uniform random numbers on [0, 1) in single precision.
///
/// A stream: every run of the projection calls reseed() first. A clock-driven source mixes
/// the clock into its current state, so runs that start within the same clock tick still
/// differ; a seeded source mixes in only a run counter, so the same seed repeats the same
/// sequence of runs (tests).
///
/// A counter-based source instead gives every draw as a function of (seed, run, step, item)
/// alone: what one run, step or item draws does not depend on what was drawn before it, so
/// adding an item, asking for more runs or splitting the runs among threads leaves every
/// other draw as it was (held draws, batch runs).
class RandomSource {
  public:
    /// A source reseeded from the clock.
    RandomSource();
    /// A reproducible stream.
    explicit RandomSource(std::uint64_t seed);
    /// A counter-based source: the draw of item `item` in step `step` of run `run` is
    /// counterDraw(seed, run, step, item).
    static RandomSource counterBased(std::uint64_t seed);
    /// The draw, uniform on [0, 1) with 24 significant bits, of a counter-based source with
    /// `seed` for item `item` (0 for the first) in step `step` of run `run` (0 for the first).
    static float counterDraw(std::uint64_t seed, int run, int step, int item);

    bool isCounterBased() const { return m_counterBased; }

    /// Starts run `run` of a projection (0 for the first): a counter-based source draws that
    /// run's values from now on, a stream reseeds as reseed() does.
    void startRun(int run);
    /// The draws of items 0..`count`-1 in step `step` of the run started last: a stream's
    /// next `count` values (fill), a counter-based source's counterDraw values.
    void fillStep(int step, float* out, std::size_t count);

    /// Starts a new run: mixes the clock (or, when seeded, a run counter) into the state.
    void reseed();

    /// The next value, uniform on [0, 1), with 24 significant bits.
    float next() { return static_cast<float>(nextBits() >> 40) * (1.0f / 16777216.0f); }

    /// Fills `out` with the next `count` values; the same values as `count` calls of next(),
    /// with the state kept in registers.
    void fill(float* out, std::size_t count);

    std::optional<std::uint64_t> seed() const { return m_seed; }

    /// A seeded source whose seed is drawn from this one, for work divided among threads:
    /// a source seeded alike splits off the same sources, so the work stays reproducible. A
    /// counter-based source splits off a copy of itself, whose runs are told by number.
    RandomSource split() { return m_counterBased ? *this : RandomSource(nextBits()); }

    /// A new seed drawn from this source, from 1 to `below` - 1, for a counter-based source.
    std::uint64_t nextSeed(std::uint64_t below);

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
    bool m_counterBased = false;
    std::uint64_t m_runKey = 0;  // counter-based: the key of the run started last
};

}  // namespace vorn
