// One scan of one source by one scanner.
#pragma once

#include <string>
#include <tuple>

#include "models/identity.hpp"
#include "models/ort/provenance.hpp"
#include "models/ort/scan_summary.hpp"
#include "models/ort/scanner_details.hpp"
#include "models/record.hpp"

namespace dorvek::ort {

struct ScanResult {
  Provenance provenance;
  ScannerDetails scanner;
  ScanSummary summary;
  HashMap<std::string, std::string> additional_data;

  bool operator==(const ScanResult&) const = default;

  // One result per source and scanner: the provenance key and the scanner
  // details, so that two scanners' results for one source are both kept.
  uint64_t hash_value() const {
    return hash_fields(provenance.key_hash(), scanner.name, scanner.version, scanner.configuration);
  }
  struct Eq {
    bool operator()(const ScanResult& a, const ScanResult& b) const {
      return a.provenance.same_key(b.provenance) && a.scanner == b.scanner;
    }
  };

  static constexpr const char* type_name = "ScanResult";
  static constexpr auto fields() {
    using T = ScanResult;
    return std::tuple{required("provenance", &T::provenance), required("scanner", &T::scanner),
                      required("summary", &T::summary), defaulted("additional_data", &T::additional_data)};
  }
};

using ScanResults = HashSet<ScanResult, ScanResult::Eq>;

}  // namespace dorvek::ort
