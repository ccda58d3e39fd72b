// Compressed files, read as the bytes they hold: gzip, bzip2, xz and
// zstd, told by their first bytes whatever the file's name. Each codec's
// library is loaded when a file first needs it, so a run that reads no
// compressed file loads none of them.
#ifndef UGRAPH_BASE_DECOMPRESSOR_H_
#define UGRAPH_BASE_DECOMPRESSOR_H_

#include <cstddef>
#include <string_view>

#include "base/byte_source.h"

namespace ugraph {

enum class Compression { kNone, kGzip, kBzip2, kXz, kZstd };

// The compression start, a file's first bytes, shows; kNone for any other.
Compression compressionOf(std::string_view start);
// Whether start may yet grow into a compression's mark.
bool mayBeCompressed(std::string_view start);
// Its name: "gzip", "bzip2", "xz", "zstd".
std::string_view compressionName(Compression compression);

// Why the last decompression could not begin or go on, for the report of
// a read that failed with kDecompressionFault; empty otherwise.
std::string_view decompressionFault();
// Sets it, for a damaged archive.
void setDecompressionFault(std::string_view why);
// The errno a failed decompression reports.
inline constexpr int kDecompressionFault = 74;  // EBADMSG

class Decompressor {
 public:
  Decompressor() = default;
  Decompressor(const Decompressor&) = delete;
  Decompressor& operator=(const Decompressor&) = delete;
  ~Decompressor() { end(); }

  // Decompresses what raw hands over after first, the bytes already read
  // from it, which are copied. False, with decompressionFault() telling
  // why, when the codec's library cannot be loaded or started.
  // REQUIRES: raw outlives the decompressor; first holds at most 128 KiB.
  bool start(Compression compression, const ByteSource& raw,
             std::string_view first);
  // The decompressed bytes. A damaged or cut stream fails a read with
  // kDecompressionFault. It has no descriptor: it cannot be sought in.
  ByteSource source();

 private:
  ssize_t read(char* data, std::size_t size);
  std::string_view step(char* data, std::size_t size, bool more,
                        std::size_t& out);
  // One step of each codec, as step().
  std::string_view stepGzip(char* data, std::size_t size, bool more,
                            std::size_t& out);
  std::string_view stepBzip2(char* data, std::size_t size, bool more,
                             std::size_t& out);
  std::string_view stepXz(char* data, std::size_t size, bool more,
                          std::size_t& out);
  std::string_view stepZstd(char* data, std::size_t size, bool more,
                            std::size_t& out);
  bool refillInput();
  void end();

  Compression compression_ = Compression::kNone;
  ByteSource raw_;
  void* stream_ = nullptr;  // the codec's own state
  bool rawEnded_ = false;
  bool streamEnded_ = false;  // the last stream read is whole
};

}  // namespace ugraph

#endif  // UGRAPH_BASE_DECOMPRESSOR_H_
