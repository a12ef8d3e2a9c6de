#include "tools/lang-archive/lzari_encoder.h"

#include <algorithm>

#include "lang/lzari_model.h"

namespace lang_archive {
namespace {

using namespace lang::lzari;

class BitWriter {
 public:
  void Put(uint32_t bit) {
    if (bit != 0) current_ |= mask_;
    mask_ >>= 1;
    if (mask_ == 0) {
      bytes_.push_back(current_);
      current_ = 0;
      mask_ = 0x80;
    }
  }

  std::vector<uint8_t> Finish() {
    if (mask_ != 0x80) bytes_.push_back(current_);
    return std::move(bytes_);
  }

 private:
  std::vector<uint8_t> bytes_;
  uint8_t current_ = 0;
  uint8_t mask_ = 0x80;
};

class Encoder {
 public:
  void EncodeChar(int ch) {
    const int sym = symbols_.SymbolOf(ch);
    Narrow(symbols_.Cumulative(sym - 1), symbols_.Cumulative(sym), symbols_.Total());
    symbols_.Update(sym);
  }

  void EncodePosition(int position) {
    Narrow(positions_.Cumulative(position), positions_.Cumulative(position + 1),
           positions_.Total());
  }

  std::vector<uint8_t> Finish() {
    ++pending_;
    Output(low_ < kQ1 ? 0 : 1);
    return bits_.Finish();
  }

 private:
  void Output(uint32_t bit) {
    bits_.Put(bit);
    for (; pending_ > 0; --pending_) bits_.Put(bit ^ 1u);
  }

  void Narrow(uint64_t upper, uint64_t lower, uint64_t total) {
    const uint64_t range = high_ - low_;
    high_ = low_ + static_cast<uint32_t>(range * upper / total);
    low_ += static_cast<uint32_t>(range * lower / total);
    for (;;) {
      if (high_ <= kQ2) {
        Output(0);
      } else if (low_ >= kQ2) {
        Output(1);
        low_ -= kQ2;
        high_ -= kQ2;
      } else if (low_ >= kQ1 && high_ <= kQ3) {
        ++pending_;
        low_ -= kQ1;
        high_ -= kQ1;
      } else {
        break;
      }
      low_ += low_;
      high_ += high_;
    }
  }

  BitWriter bits_;
  SymbolModel symbols_;
  PositionModel positions_;
  uint32_t low_ = 0;
  uint32_t high_ = kQ4;
  int pending_ = 0;
};

// Greedy LZ77 over the history the decoder sees: kStartPosition blanks (the
// pre-filled ring) followed by the data. Candidates come from hash chains of
// three-byte prefixes; a match may reach back up to the whole ring.
class MatchFinder {
 public:
  explicit MatchFinder(const std::vector<uint8_t>& history)
      : history_(history), head_(kHashSize, -1), previous_(history.size(), -1) {}

  void Insert(int pos) {
    if (pos + 3 > static_cast<int>(history_.size())) return;
    const uint32_t h = Hash(pos);
    previous_[pos] = head_[h];
    head_[h] = pos;
  }

  // Longest match for `pos` (length, distance); length 0 when none of at
  // least three bytes exists.
  std::pair<int, int> Find(int pos) const {
    const int limit = std::min<int>(kMaxMatch, static_cast<int>(history_.size()) - pos);
    if (limit <= kThreshold) return {0, 0};
    int bestLength = 0;
    int bestDistance = 0;
    int chain = 0;
    for (int cand = head_[Hash(pos)]; cand >= 0 && pos - cand <= kRingSize && chain < kMaxChain;
         cand = previous_[cand], ++chain) {
      int length = 0;
      while (length < limit && history_[cand + length] == history_[pos + length]) ++length;
      if (length > bestLength) {
        bestLength = length;
        bestDistance = pos - cand;
        if (length == limit) break;
      }
    }
    if (bestLength <= kThreshold) return {0, 0};
    return {bestLength, bestDistance};
  }

 private:
  static constexpr uint32_t kHashSize = 1u << 14;
  static constexpr int kMaxChain = 512;

  uint32_t Hash(int pos) const {
    const uint32_t v = history_[pos] | (history_[pos + 1] << 8) | (history_[pos + 2] << 16);
    return (v * 2654435761u) >> 18;
  }

  const std::vector<uint8_t>& history_;
  std::vector<int> head_;
  std::vector<int> previous_;
};

}  // namespace

std::vector<uint8_t> LzariEncode(std::span<const uint8_t> data) {
  if (data.empty()) return {};
  std::vector<uint8_t> history(kStartPosition + data.size(), ' ');
  std::copy(data.begin(), data.end(), history.begin() + kStartPosition);

  MatchFinder finder(history);
  for (int pos = 0; pos < kStartPosition; ++pos) finder.Insert(pos);

  Encoder encoder;
  int pos = kStartPosition;
  const int end = static_cast<int>(history.size());
  while (pos < end) {
    const auto [length, distance] = finder.Find(pos);
    int advance = 1;
    if (length > 0) {
      encoder.EncodeChar(255 - kThreshold + length);
      encoder.EncodePosition(distance - 1);
      advance = length;
    } else {
      encoder.EncodeChar(history[pos]);
    }
    for (int k = 0; k < advance; ++k) finder.Insert(pos + k);
    pos += advance;
  }
  return encoder.Finish();
}

}  // namespace lang_archive
