#pragma once

#include "localization/load_text.h"

namespace keyloom {

// Puts CurrentLcid back as the test found it, so tests stay independent of their order.
class CurrentLcidGuard {
public:
    CurrentLcidGuard() : saved_(CurrentLcid.load()) {}
    ~CurrentLcidGuard() { CurrentLcid.store(saved_); }
    CurrentLcidGuard(const CurrentLcidGuard&) = delete;
    CurrentLcidGuard& operator=(const CurrentLcidGuard&) = delete;

private:
    int saved_;
};

}  // namespace keyloom
