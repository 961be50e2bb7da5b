// The files of one provenance, each with its SHA-1 checksum as written.
#pragma once

#include <string>
#include <tuple>

#include "models/identity.hpp"
#include "models/ort/provenance.hpp"
#include "models/record.hpp"

namespace dorvek::ort {

struct FileListEntry {
  std::string path;
  std::string sha1;

  bool operator==(const FileListEntry&) const = default;

  // One entry per path.
  uint64_t hash_value() const { return dorvek::hash_value(path); }
  using Eq = SameKey<&FileListEntry::path>;

  static constexpr const char* type_name = "FileListEntry";
  static constexpr auto fields() {
    using T = FileListEntry;
    return std::tuple{required("path", &T::path), required("sha1", &T::sha1)};
  }
};

struct FileList {
  Provenance provenance;
  HashSet<FileListEntry, FileListEntry::Eq> files;

  bool operator==(const FileList&) const = default;

  // One list per provenance key.
  uint64_t hash_value() const { return provenance.key_hash(); }
  struct Eq {
    bool operator()(const FileList& a, const FileList& b) const { return a.provenance.same_key(b.provenance); }
  };

  static constexpr const char* type_name = "FileList";
  static constexpr auto fields() {
    using T = FileList;
    return std::tuple{required("provenance", &T::provenance), required("files", &T::files)};
  }
};

using FileLists = HashSet<FileList, FileList::Eq>;

}  // namespace dorvek::ort
