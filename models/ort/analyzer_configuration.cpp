#include "models/ort/analyzer_configuration.hpp"

namespace dorvek::ort {

namespace {

constexpr std::array<std::string_view, 26> kDefaultEnabled = {
    "Bazel", "Bower", "Bundler", "Cargo", "Carthage", "CocoaPods", "Composer", "Conan", "GoMod",
    "GradleInspector", "Maven", "NPM", "NuGet", "PIP", "Pipenv", "PNPM", "Poetry", "Pub", "SBT",
    "SpdxDocumentFile", "Stack", "SwiftPM", "Tycho", "Unmanaged", "Yarn", "Yarn2"};

}  // namespace

std::vector<std::string> default_enabled_package_managers() {
  return std::vector<std::string>(kDefaultEnabled.begin(), kDefaultEnabled.end());
}

}  // namespace dorvek::ort
