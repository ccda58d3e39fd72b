// A FILE operand's bytes as the readers of its graphs see them: as they
// are, decompressed when its first bytes show a compression, and member by
// member when they are a tar archive (ustar, GNU and pax), as the graph
// collections ship them (SuiteSparse's NAME.tar.gz, KONECT's .tar.bz2).
#ifndef UGRAPH_BASE_FILE_SOURCE_H_
#define UGRAPH_BASE_FILE_SOURCE_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "base/byte_source.h"
#include "base/decompressor.h"

namespace ugraph {

class FileSource {
 public:
  // Looks at the start of descriptor fd: only the bytes that decide are
  // waited for (up to a line end, or a tar header's 512 bytes).
  // REQUIRES: fd open for reading; one file source at a time.
  explicit FileSource(int fd);
  FileSource(const FileSource&) = delete;
  FileSource& operator=(const FileSource&) = delete;

  // The errno that keeps the file from being read (kDecompressionFault
  // when its codec cannot be had), else 0.
  int fault() const { return fault_; }
  bool isArchive() const { return archive_; }

  // The file's bytes from its first. REQUIRES: not an archive.
  ByteSource bytes();

  // Moves to the archive's next member that is a file; false at its end,
  // or when it cannot be read (error()).
  bool nextMember();
  // The current member's name and its bytes.
  std::string_view memberName() const;
  ByteSource memberBytes();
  // The errno of a read that failed, or kDecompressionFault for a damaged
  // archive (decompressionFault() tells why); else 0.
  int error() const { return error_; }

 private:
  // Reads up to size bytes: the bytes peeked first, then the file or its
  // decompressor; as ByteSource::read.
  ssize_t readOn(char* data, std::size_t size);
  // Reads exactly size bytes, false at the end or on a fault.
  bool readExactly(char* data, std::size_t size);
  bool skip(uint64_t size);
  // Reads a member of type 'L' (GNU) or 'x' (pax) of size bytes, which
  // names the next member: its name into the name's room, length set.
  bool readLongName(char type, uint64_t size, std::size_t& length);
  // Takes the name of a ustar header.
  void takeUstarName(const char* header);

  int fd_;
  Decompressor decompressor_;
  bool compressed_ = false;
  int fault_ = 0;
  bool archive_ = false;
  int error_ = 0;
  // The first bytes, read to decide what the file is (in static storage,
  // as the member's name is), and how far they are read.
  std::size_t peekedAt_ = 0;
  std::size_t peekedEnd_ = 0;
  // The current member: its name's length (the name lies in static
  // storage, as a small stack has no room for it), the bytes of it left,
  // and the padding after it to the next 512-byte block.
  std::size_t nameLength_ = 0;
  uint64_t left_ = 0;
  uint64_t padding_ = 0;
};

// Whether block, a tar header of 512 bytes, is one: "ustar" at 257 and its
// checksum right.
bool isTarHeader(std::string_view block);

}  // namespace ugraph

#endif  // UGRAPH_BASE_FILE_SOURCE_H_
