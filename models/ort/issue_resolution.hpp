// An issue that needs no action, and why.
#pragma once

#include <string>
#include <tuple>

#include "models/ort/issue_resolution_reason.hpp"
#include "models/record.hpp"

namespace dorvek::ort {

struct IssueResolution {
  std::string message;
  IssueResolutionReason reason{};
  std::string comment;

  bool operator==(const IssueResolution&) const = default;

  static constexpr const char* type_name = "IssueResolution";
  static constexpr auto fields() {
    using T = IssueResolution;
    return std::tuple{required("message", &T::message), required("reason", &T::reason),
                      required("comment", &T::comment)};
  }
};

}  // namespace dorvek::ort
