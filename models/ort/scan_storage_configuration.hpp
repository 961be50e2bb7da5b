// Scan storages: a back-end's settings kept whole as free-form data (every key
// of its mapping goes into one sorted object, written back as the map's
// entries), and the PostgreSQL store that other storage sections name.
#pragma once

#include <cstdint>
#include <tuple>

#include "models/flatten.hpp"
#include "models/json_value.hpp"
#include "models/ort/name_or_code.hpp"
#include "models/ort/postgres_connection.hpp"

namespace dorvek::ort {

struct ScanStorageConfiguration {
  JsonValue value{JsonValue::Data{JsonObject{}}};

  bool operator==(const ScanStorageConfiguration&) const = default;

  static constexpr const char* type_name = "ScanStorageConfiguration";
  static constexpr auto flatten = &ScanStorageConfiguration::value;
  static constexpr auto fields() { return std::tuple{}; }
};

// How stored data is keyed.
enum class StorageType : uint8_t { PACKAGE_BASED = 1, PROVENANCE_BASED };

constexpr Enumeration<2> enumeration(StorageType) {
  return {"StorageType", {"PACKAGE_BASED", "PROVENANCE_BASED"}};
}

struct PostgresStorageConfiguration {
  PostgresConnection connection;
  StorageType type = StorageType::PROVENANCE_BASED;

  bool operator==(const PostgresStorageConfiguration&) const = default;

  static constexpr const char* type_name = "PostgresStorageConfiguration";
  static constexpr auto fields() {
    using T = PostgresStorageConfiguration;
    return std::tuple{required("connection", &T::connection), defaulted("type", &T::type)};
  }
};

}  // namespace dorvek::ort
