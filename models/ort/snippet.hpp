// Code elsewhere that a span of a scanned file matched.
#pragma once

#include <string>
#include <tuple>

#include "models/identity.hpp"
#include "models/ort/provenance.hpp"
#include "models/ort/text_location.hpp"
#include "models/record.hpp"

namespace dorvek::ort {

struct Snippet {
  double score = 0;
  TextLocation location;
  Provenance provenance;
  std::string purl;
  std::string license;
  HashMap<std::string, std::string> additional_data;

  // A snippet is its whole value: two matches of one package at different
  // places are both kept.
  bool operator==(const Snippet& o) const {
    return same_float(score, o.score) && location == o.location && provenance == o.provenance && purl == o.purl &&
           license == o.license && additional_data == o.additional_data;
  }
  uint64_t hash_value() const { return hash_fields(purl, location.path, location.start_line, location.end_line); }

  static constexpr const char* type_name = "Snippet";
  static constexpr auto fields() {
    using T = Snippet;
    return std::tuple{required("score", &T::score),     required("location", &T::location),
                      required("provenance", &T::provenance), required("purl", &T::purl),
                      required("license", &T::license), defaulted("additional_data", &T::additional_data)};
  }
};

}  // namespace dorvek::ort
