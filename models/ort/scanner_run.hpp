// The scanner part of an ORT result: the run header at the run's own level,
// then the configuration, the resolved provenances, the scan results, issues
// and scanner names per package, and the file lists.
#pragma once

#include <optional>
#include <string>
#include <tuple>

#include "models/flatten.hpp"
#include "models/ort/base_run.hpp"
#include "models/ort/file_list.hpp"
#include "models/ort/identifier.hpp"
#include "models/ort/issue.hpp"
#include "models/ort/provenance_resolution_result.hpp"
#include "models/ort/scan_result.hpp"
#include "models/ort/scanner_configuration.hpp"
#include "models/record.hpp"

namespace dorvek::ort {

// The names of the scanners run per package; a repeated identifier keeps its
// last set.
using ScannersById = HashMap<Identifier, HashSet<std::string>>;

struct ScannerRun {
  BaseRun header;
  ScannerConfiguration config;
  ProvenanceResolutionResults provenances;
  // None and an empty set are different values.
  std::optional<ScanResults> scan_results;
  IssuesById issues;
  ScannersById scanners;
  FileLists files;

  static constexpr const char* type_name = "ScannerRun";
  static constexpr auto flatten = &ScannerRun::header;
  static constexpr auto fields() {
    using T = ScannerRun;
    return std::tuple{required("config", &T::config),   required("provenances", &T::provenances),
                      optional("scan_results", &T::scan_results), defaulted("issues", &T::issues),
                      required("scanners", &T::scanners), required("files", &T::files)};
  }
};

}  // namespace dorvek::ort
