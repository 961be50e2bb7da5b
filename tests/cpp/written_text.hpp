// Test-only: what a value read from YAML writes back as text, or the reading
// error. One map entry at most per map, since maps write in hash order.
#pragma once

#include <string>
#include <string_view>

#include "test_support.hpp"
#include "writers/json_writer.hpp"
#include "writers/yaml_writer.hpp"

namespace dorvek::test {

template <class T>
std::string yaml_or_error(std::string_view text) {
  try {
    return to_yaml_string(read_yaml<T>(text));
  } catch (const YamlError& e) {
    return e.text();
  }
}

template <class T>
std::string json_or_error(std::string_view text) {
  try {
    return to_json_string(read_yaml<T>(text));
  } catch (const YamlError& e) {
    return e.text();
  }
}

}  // namespace dorvek::test
