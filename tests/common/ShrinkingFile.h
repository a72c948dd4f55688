#pragma once

// A file for tests and fuzzers that shrinks while it is read: it holds the given bytes until
// a number of reads have been served, and from then on only its first shrinkTo bytes, as a
// log truncated or replaced by a smaller one behind the reader's back.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <streambuf>
#include <utility>
#include <vector>

class TShrinkingFile : public std::streambuf {
  public:
    TShrinkingFile(std::vector<std::uint8_t> bytes, std::size_t readsBeforeShrink,
                   std::size_t shrinkTo)
        : bytes_(std::move(bytes)), left_(readsBeforeShrink), shrinkTo_(shrinkTo) {
        visible_ = bytes_.size();
        if (left_ == 0) visible_ = std::min(visible_, shrinkTo_);
    }

    std::size_t Reads() const { return reads_; }

  protected:
    pos_type seekoff(off_type off, std::ios_base::seekdir dir, std::ios_base::openmode) override {
        off_type base = dir == std::ios_base::beg   ? 0
                        : dir == std::ios_base::cur ? static_cast<off_type>(pos_)
                                                    : static_cast<off_type>(visible_);
        return seekpos(pos_type(base + off), std::ios_base::in);
    }
    pos_type seekpos(pos_type pos, std::ios_base::openmode) override {
        if (pos < 0) return pos_type(off_type(-1));
        pos_ = static_cast<std::size_t>(pos);
        return pos;
    }
    std::streamsize xsgetn(char* out, std::streamsize n) override {
        ++reads_;
        std::size_t take = pos_ < visible_ ? std::min<std::size_t>(n, visible_ - pos_) : 0;
        std::memcpy(out, bytes_.data() + pos_, take);
        pos_ += take;
        if (left_ > 0 && --left_ == 0) visible_ = std::min(visible_, shrinkTo_);
        return static_cast<std::streamsize>(take);
    }
    int_type underflow() override {
        return pos_ < visible_ ? traits_type::to_int_type(static_cast<char>(bytes_[pos_]))
                               : traits_type::eof();
    }
    int_type uflow() override {
        char c;
        return xsgetn(&c, 1) == 1 ? traits_type::to_int_type(c) : traits_type::eof();
    }

  private:
    std::vector<std::uint8_t> bytes_;
    std::size_t left_;
    std::size_t shrinkTo_;
    std::size_t visible_ = 0;
    std::size_t pos_ = 0;
    std::size_t reads_ = 0;
};
