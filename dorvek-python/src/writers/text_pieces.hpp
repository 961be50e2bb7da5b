// Output text kept in pieces of about a megabyte. The writers append to the
// last piece and start a new one once it is full; whoever turns the whole text
// into something else (a Python str) can free each piece as soon as it is
// copied, so a large text is not held twice.
#pragma once

#include <sys/mman.h>

#include <cstdlib>
#include <new>
#include <string>
#include <utility>
#include <vector>

namespace dorvek {

// Large blocks straight from the system and back to it when freed: the C
// allocator may keep a freed block for reuse, and a text copied into its
// Python str piece by piece would then stay in memory twice all the same.
// Huge pages where the system allows, as fresh memory faults in page by page.
template <class T>
struct PageAllocator {
  using value_type = T;
  static constexpr size_t kLarge = size_t{256} << 10;

  PageAllocator() = default;
  template <class U>
  PageAllocator(const PageAllocator<U>&) {}

  T* allocate(size_t n) {
    const size_t bytes = n * sizeof(T);
    void* p = bytes < kLarge ? std::malloc(bytes)
                             : ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (!p || p == MAP_FAILED) throw std::bad_alloc();
#ifdef MADV_HUGEPAGE
    if (bytes >= kLarge) ::madvise(p, bytes, MADV_HUGEPAGE);
#endif
    return static_cast<T*>(p);
  }
  void deallocate(T* p, size_t n) {
    const size_t bytes = n * sizeof(T);
    if (bytes < kLarge) {
      std::free(p);
    } else {
      ::munmap(p, bytes);
    }
  }
  friend bool operator==(const PageAllocator&, const PageAllocator&) { return true; }
};

// One piece of output text.
using PieceText = std::basic_string<char, std::char_traits<char>, PageAllocator<char>>;

class TextPieces {
 public:
  // A piece fills one 2 MB page of its own (with its final NUL), and is cut
  // once it is nearly full.
  static constexpr size_t kPieceCapacity = (size_t{2} << 20) - 1;
  static constexpr size_t kPieceSize = kPieceCapacity - (size_t{64} << 10);

  TextPieces() { last_.reserve(128); }

  // The piece being written.
  PieceText& last() { return last_; }

  // Starts a new piece when the last one is full. Writers call it only
  // between whole characters.
  void cut_if_full() {
    if (last_.size() < kPieceSize) return;
    done_.push_back(std::move(last_));
    last_ = PieceText();
    last_.reserve(kPieceCapacity);
  }

  // The same for text that comes in blocks of any cut (an emitter's output):
  // the new piece starts after the last line feed, so no piece ends inside
  // a character.
  void cut_at_line_if_full() {
    if (last_.size() < kPieceSize) return;
    const size_t nl = last_.rfind('\n');
    if (nl == PieceText::npos) return;
    PieceText rest;
    rest.reserve(kPieceCapacity);
    rest.append(last_, nl + 1);
    last_.resize(nl + 1);
    done_.push_back(std::move(last_));
    last_ = std::move(rest);
  }

  // The whole text in one string.
  std::string joined() && {
    size_t total = last_.size();
    for (const PieceText& p : done_) total += p.size();
    std::string out;
    out.reserve(total);
    for (PieceText& p : done_) {
      out.append(p.data(), p.size());
      PieceText().swap(p);
    }
    out.append(last_.data(), last_.size());
    return out;
  }

  // The pieces in order.
  std::vector<PieceText> pieces() && {
    done_.push_back(std::move(last_));
    return std::move(done_);
  }

 private:
  std::vector<PieceText> done_;
  PieceText last_;
};

}  // namespace dorvek
