// The connection settings of a PostgreSQL store, kept as written: nothing here
// is checked against what a server would accept.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <tuple>

#include "models/record.hpp"

namespace dorvek::ort {

inline std::string default_schema() { return "public"; }
inline std::string default_sslmode() { return "verify-full"; }

struct PostgresConnection {
  std::string url;
  std::string schema = default_schema();
  std::string username;
  std::string password;
  std::string sslmode = default_sslmode();
  std::optional<std::string> sslcert;
  std::optional<std::string> sslkey;
  std::optional<std::string> sslrootcert;
  std::optional<int64_t> connection_timeout;
  std::optional<int64_t> idle_timeout;
  std::optional<int64_t> keepalive_time;
  std::optional<int64_t> max_lifetime;
  std::optional<int64_t> maximum_pool_size;
  std::optional<int64_t> minimum_idle;

  bool operator==(const PostgresConnection&) const = default;

  static constexpr const char* type_name = "PostgresConnection";
  static constexpr auto fields() {
    using T = PostgresConnection;
    return std::tuple{required("url", &T::url),
                      defaulted("schema", &T::schema),
                      required("username", &T::username),
                      defaulted("password", &T::password),
                      defaulted("sslmode", &T::sslmode),
                      optional("sslcert", &T::sslcert),
                      optional("sslkey", &T::sslkey),
                      optional("sslrootcert", &T::sslrootcert),
                      optional("connection_timeout", &T::connection_timeout),
                      optional("idle_timeout", &T::idle_timeout),
                      optional("keepalive_time", &T::keepalive_time),
                      optional("max_lifetime", &T::max_lifetime),
                      optional("maximum_pool_size", &T::maximum_pool_size),
                      optional("minimum_idle", &T::minimum_idle)};
  }
};

}  // namespace dorvek::ort
