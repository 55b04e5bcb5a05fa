#pragma once

#include <ostream>
#include <string>

namespace vorn {

/// Collects text line by line and hands it to a stream in blocks, so that a long output is
/// neither built as one string nor written in a great many small pieces.
class BlockWriter {
  public:
    static constexpr std::size_t kBlockSize = 1 << 16;

    explicit BlockWriter(std::ostream& out) : m_out(out) { m_text.reserve(kBlockSize * 2); }
    ~BlockWriter() { flush(); }
    BlockWriter(const BlockWriter&) = delete;
    BlockWriter& operator=(const BlockWriter&) = delete;

    /// The text of the line being written.
    std::string& text() { return m_text; }
    /// Ends the line with LF; passes the text on once a block is full.
    void lineDone() {
        m_text += '\n';
        if (m_text.size() >= kBlockSize) {
            flush();
        }
    }
    void flush() {
        m_out.write(m_text.data(), static_cast<std::streamsize>(m_text.size()));
        m_text.clear();
    }

  private:
    std::ostream& m_out;
    std::string m_text;
};

}  // namespace vorn
