#include "base/decompressor.h"

#include <bzlib.h>
#include <dlfcn.h>
#include <lzma.h>
#include <zlib.h>
#include <zstd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace ugraph {
namespace {

struct Mark {
  Compression compression;
  std::string_view bytes;
};
constexpr std::array<Mark, 4> kMarks = {{
    {Compression::kGzip, {"\x1f\x8b", 2}},
    {Compression::kBzip2, {"BZh", 3}},
    {Compression::kXz,
     {"\xfd"
      "7zXZ\0",
      6}},
    {Compression::kZstd, {"\x28\xb5\x2f\xfd", 4}},
}};

// The fault of the last decompression, for its report.
std::array<char, 256> fault{};

void setFault(const char* format, std::string_view a, std::string_view b) {
  std::snprintf(fault.data(), fault.size(), format, static_cast<int>(a.size()),
                a.data(), static_cast<int>(b.size()), b.data());
}

// Each codec's functions, found in its library when first needed.
struct Zlib {
  decltype(&inflateInit2_) init;
  decltype(&inflate) step;
  decltype(&inflateReset) reset;
  decltype(&inflateEnd) end;
};
struct Bzip2 {
  decltype(&BZ2_bzDecompressInit) init;
  decltype(&BZ2_bzDecompress) step;
  decltype(&BZ2_bzDecompressEnd) end;
};
struct Xz {
  decltype(&lzma_stream_decoder) init;
  decltype(&lzma_code) step;
  decltype(&lzma_end) end;
};
struct Zstd {
  decltype(&ZSTD_createDStream) create;
  decltype(&ZSTD_decompressStream) step;
  decltype(&ZSTD_isError) isError;
  decltype(&ZSTD_getErrorName) errorName;
  decltype(&ZSTD_freeDStream) free;
};
Zlib zlib{};
Bzip2 bzip2{};
Xz xz{};
Zstd zstd{};

// Loads library and sets each of names' pointers in order; false, with
// the fault set, when any is missing.
template <std::size_t N>
bool load(const char* library, const std::array<const char*, N>& names,
          void* (&pointers)[N]) {
  void* const handle = dlopen(library, RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    setFault("%.*s cannot be loaded (%.*s)", library, dlerror());
    return false;
  }
  for (std::size_t i = 0; i < N; ++i) {
    pointers[i] = dlsym(handle, names[i]);
    if (pointers[i] == nullptr) {
      setFault("%.*s has no %.*s", library, names[i]);
      return false;
    }
  }
  return true;
}

template <class Codec, std::size_t N>
bool loadCodec(Codec& codec, const char* library,
               const std::array<const char*, N>& names) {
  static_assert(sizeof(Codec) == N * sizeof(void*));
  if (*reinterpret_cast<void**>(&codec) != nullptr) return true;
  void* pointers[N];
  if (!load(library, names, pointers)) return false;
  std::memcpy(&codec, pointers, sizeof(Codec));
  return true;
}

bool loadFor(Compression compression) {
  switch (compression) {
    case Compression::kGzip:
      return loadCodec(
          zlib, "libz.so.1",
          std::array{"inflateInit2_", "inflate", "inflateReset", "inflateEnd"});
    case Compression::kBzip2:
      return loadCodec(bzip2, "libbz2.so.1.0",
                       std::array{"BZ2_bzDecompressInit", "BZ2_bzDecompress",
                                  "BZ2_bzDecompressEnd"});
    case Compression::kXz:
      return loadCodec(
          xz, "liblzma.so.5",
          std::array{"lzma_stream_decoder", "lzma_code", "lzma_end"});
    case Compression::kZstd:
      return loadCodec(
          zstd, "libzstd.so.1",
          std::array{"ZSTD_createDStream", "ZSTD_decompressStream",
                     "ZSTD_isError", "ZSTD_getErrorName", "ZSTD_freeDStream"});
    case Compression::kNone:
      break;
  }
  return false;
}

// The compressed bytes read and not yet decompressed; one decompressor
// works at a time, as one judge does.
std::array<char, std::size_t{1} << 17> input;
std::size_t inputAt = 0;
std::size_t inputEnd = 0;

// The codecs' states.
z_stream zState;
bz_stream bzState;
lzma_stream xzState;

}  // namespace

Compression compressionOf(std::string_view start) {
  for (const Mark& mark : kMarks) {
    if (start.starts_with(mark.bytes)) return mark.compression;
  }
  return Compression::kNone;
}

bool mayBeCompressed(std::string_view start) {
  return std::ranges::any_of(kMarks, [&](const Mark& mark) {
    return start.size() < mark.bytes.size() && mark.bytes.starts_with(start);
  });
}

std::string_view compressionName(Compression compression) {
  switch (compression) {
    case Compression::kGzip:
      return "gzip";
    case Compression::kBzip2:
      return "bzip2";
    case Compression::kXz:
      return "xz";
    case Compression::kZstd:
      return "zstd";
    case Compression::kNone:
      break;
  }
  return "";
}

std::string_view decompressionFault() { return fault.data(); }

void setDecompressionFault(std::string_view why) {
  setFault("%.*s%.*s", why, "");
}

bool Decompressor::start(Compression compression, const ByteSource& raw,
                         std::string_view first) {
  end();
  fault[0] = '\0';
  if (!loadFor(compression)) return false;
  raw_ = raw;
  rawEnded_ = false;
  streamEnded_ = false;
  first.copy(input.data(), std::min(first.size(), input.size()));
  inputAt = 0;
  inputEnd = first.size();
  bool started = false;
  switch (compression) {
    case Compression::kGzip:
      zState = {};
      // 15 + 32: a window of 32 KiB, the gzip or zlib header told apart.
      started = zlib.init(&zState, 15 + 32, ZLIB_VERSION,
                          static_cast<int>(sizeof(z_stream))) == Z_OK;
      stream_ = &zState;
      break;
    case Compression::kBzip2:
      bzState = {};
      started = bzip2.init(&bzState, 0, 0) == BZ_OK;
      stream_ = &bzState;
      break;
    case Compression::kXz:
      xzState = LZMA_STREAM_INIT;
      started = xz.init(&xzState, UINT64_MAX, LZMA_CONCATENATED) == LZMA_OK;
      stream_ = &xzState;
      break;
    case Compression::kZstd:
      stream_ = zstd.create();
      started = stream_ != nullptr;
      break;
    case Compression::kNone:
      break;
  }
  if (!started) {
    stream_ = nullptr;
    setFault("the %.*s decoder cannot start%.*s", compressionName(compression),
             "");
    return false;
  }
  compression_ = compression;
  return true;
}

void Decompressor::end() {
  if (stream_ == nullptr) return;
  switch (compression_) {
    case Compression::kGzip:
      zlib.end(&zState);
      break;
    case Compression::kBzip2:
      bzip2.end(&bzState);
      break;
    case Compression::kXz:
      xz.end(&xzState);
      break;
    case Compression::kZstd:
      zstd.free(static_cast<ZSTD_DStream*>(stream_));
      break;
    case Compression::kNone:
      break;
  }
  stream_ = nullptr;
}

ByteSource Decompressor::source() {
  return {[](const ByteSource& s, char* data, std::size_t size) {
            return static_cast<Decompressor*>(s.state)->read(data, size);
          },
          this, -1};
}

bool Decompressor::refillInput() {
  if (inputAt < inputEnd) return true;
  if (rawEnded_) return false;
  const ssize_t got = raw_.read(raw_, input.data(), input.size());
  if (got < 0) return false;  // errno is the read's
  inputAt = 0;
  inputEnd = static_cast<std::size_t>(got);
  rawEnded_ = got == 0;
  return got > 0;
}

// Decompresses what input holds into data, at most size bytes, setting out
// to how many came; the codec's reason when the stream is damaged, else
// empty. more: input may grow; without it, the stream must end here.
std::string_view Decompressor::stepGzip(char* data, std::size_t size,
                                        bool /*more*/, std::size_t& out) {
  zState.next_in = reinterpret_cast<Bytef*>(input.data() + inputAt);
  zState.avail_in = static_cast<uInt>(inputEnd - inputAt);
  zState.next_out = reinterpret_cast<Bytef*>(data);
  zState.avail_out = static_cast<uInt>(size);
  const int result = zlib.step(&zState, Z_NO_FLUSH);
  if (result != Z_OK && result != Z_STREAM_END && result != Z_BUF_ERROR) {
    return zState.msg != nullptr ? zState.msg : "a bad block";
  }
  streamEnded_ = result == Z_STREAM_END;
  inputAt = inputEnd - zState.avail_in;
  out = size - zState.avail_out;
  return {};
}

std::string_view Decompressor::stepBzip2(char* data, std::size_t size,
                                         bool /*more*/, std::size_t& out) {
  bzState.next_in = input.data() + inputAt;
  bzState.avail_in = static_cast<unsigned>(inputEnd - inputAt);
  bzState.next_out = data;
  bzState.avail_out = static_cast<unsigned>(size);
  const int result = bzip2.step(&bzState);
  if (result != BZ_OK && result != BZ_STREAM_END) {
    return "a bad block";
  }
  streamEnded_ = result == BZ_STREAM_END;
  inputAt = inputEnd - bzState.avail_in;
  out = size - bzState.avail_out;
  return {};
}

std::string_view Decompressor::stepXz(char* data, std::size_t size, bool more,
                                      std::size_t& out) {
  xzState.next_in = reinterpret_cast<const uint8_t*>(input.data() + inputAt);
  xzState.avail_in = inputEnd - inputAt;
  xzState.next_out = reinterpret_cast<uint8_t*>(data);
  xzState.avail_out = size;
  const lzma_ret result = xz.step(&xzState, more ? LZMA_RUN : LZMA_FINISH);
  if (result == LZMA_STREAM_END) {
    streamEnded_ = true;
  } else if (result != LZMA_OK && result != LZMA_BUF_ERROR) {
    return result == LZMA_MEM_ERROR ? "no memory" : "a bad block";
  } else if (!more && result == LZMA_BUF_ERROR) {
    return "it ends before its stream does";
  }
  inputAt = inputEnd - xzState.avail_in;
  out = size - xzState.avail_out;
  return {};
}

// zstd writes its output through a void pointer, which the linter takes
// for a parameter that could be const.
std::string_view Decompressor::stepZstd(
    char* data,  // NOLINT(readability-non-const-parameter)
    std::size_t size, bool /*more*/, std::size_t& out) {
  ZSTD_inBuffer in{input.data() + inputAt, inputEnd - inputAt, 0};
  ZSTD_outBuffer target{data, size, 0};
  const std::size_t result =
      zstd.step(static_cast<ZSTD_DStream*>(stream_), &target, &in);
  if (zstd.isError(result) != 0) return zstd.errorName(result);
  streamEnded_ = result == 0;
  inputAt += in.pos;
  out = target.pos;
  return {};
}

std::string_view Decompressor::step(char* data, std::size_t size, bool more,
                                    std::size_t& out) {
  switch (compression_) {
    case Compression::kGzip:
      return stepGzip(data, size, more, out);
    case Compression::kBzip2:
      return stepBzip2(data, size, more, out);
    case Compression::kXz:
      return stepXz(data, size, more, out);
    case Compression::kZstd:
      return stepZstd(data, size, more, out);
    case Compression::kNone:
      break;
  }
  return {};
}

// Decompresses into data until some bytes come out, the input ends, or
// the stream is found damaged. Concatenated streams (as `cat a.gz b.gz`
// makes) are read one after another.
ssize_t Decompressor::read(char* data, std::size_t size) {
  if (stream_ == nullptr) return 0;
  const auto damaged = [&](std::string_view why) {
    setFault("the %.*s data is damaged: %.*s", compressionName(compression_),
             why);
    errno = kDecompressionFault;
    return ssize_t{-1};
  };
  for (;;) {
    const bool more = refillInput();
    if (!more && !rawEnded_) return -1;
    if (!more) {
      if (streamEnded_) return 0;
      if (compression_ != Compression::kXz) {
        return damaged("it ends before its stream does");
      }
    }
    if (more && streamEnded_ && compression_ != Compression::kXz) {
      // Another stream follows the one ended.
      streamEnded_ = false;
      if (compression_ == Compression::kGzip) zlib.reset(&zState);
      if (compression_ == Compression::kBzip2) {
        bzip2.end(&bzState);
        bzState = {};
        if (bzip2.init(&bzState, 0, 0) != BZ_OK) return damaged("no memory");
      }
    }
    const std::size_t before = inputAt;
    std::size_t out = 0;
    const std::string_view why = step(data, size, more, out);
    if (!why.empty()) return damaged(why);
    if (out > 0) return static_cast<ssize_t>(out);
    if (!more && streamEnded_) return 0;
    if (!more && inputAt == before) {
      return damaged("it ends before its stream does");
    }
  }
}

}  // namespace ugraph
