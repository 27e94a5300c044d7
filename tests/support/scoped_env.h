// An environment variable set for the life of a scope (SDL reads its drivers from there).
#pragma once

#include <cstdlib>

namespace kelvo::test {

class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) { setenv(name, value, 1); }
  ~ScopedEnv() { unsetenv(name_); }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  const char* name_;
};

}  // namespace kelvo::test
