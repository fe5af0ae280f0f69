#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/profile/Profile.h"

// What a definition file's author should hear: what the loader takes
// silently, refuses, or what the option dialogs must mend.
namespace tovrin::catalogue {

enum class FindingSeverity {
    Warning,  // read, but likely not as meant
    Error,    // the file is skipped, or part of it can never take effect
};

struct DefinitionFinding {
    FindingSeverity severity = FindingSeverity::Warning;
    std::string section;
    std::string key;
    std::string message;
};

// Half-width columns a GBK text takes in a monospaced CJK face.
std::size_t DisplayColumns(std::string_view gbk);

// chipName is the file name without ".dev"; the keys are the file's text
// (deciphered already).
std::vector<DefinitionFinding> CheckDefinition(const profile::Profile& keys, std::string_view chipName);

bool HasErrors(const std::vector<DefinitionFinding>& findings);

}  // namespace tovrin::catalogue
