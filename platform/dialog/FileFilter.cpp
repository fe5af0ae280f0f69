#include "platform/dialog/FileFilter.h"

namespace tovrin::dialog {
namespace {

char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string_view Trimmed(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

// '*' any run, '?' one character; iterative with one back-track point.
bool Glob(std::string_view pattern, std::string_view name) {
    std::size_t p = 0, n = 0, starP = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (p < pattern.size() && (pattern[p] == '?' || Lower(pattern[p]) == Lower(name[n]))) {
            ++p;
            ++n;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

}  // namespace

std::vector<FileFilter> ParseFileFilters(std::string_view text) {
    std::vector<std::string_view> fields;
    while (!text.empty()) {
        const std::size_t bar = text.find('|');
        fields.push_back(text.substr(0, bar));
        if (bar == std::string_view::npos) break;
        text.remove_prefix(bar + 1);
    }
    std::vector<FileFilter> filters;
    for (std::size_t i = 0; i + 1 < fields.size(); i += 2) {
        FileFilter filter{std::string(Trimmed(fields[i])), {}};
        std::string_view patterns = fields[i + 1];
        while (!patterns.empty()) {
            const std::size_t semicolon = patterns.find(';');
            const std::string_view pattern = Trimmed(patterns.substr(0, semicolon));
            if (!pattern.empty()) filter.patterns.emplace_back(pattern);
            if (semicolon == std::string_view::npos) break;
            patterns.remove_prefix(semicolon + 1);
        }
        if (!filter.description.empty() && !filter.patterns.empty()) filters.push_back(std::move(filter));
    }
    return filters;
}

bool MatchesPattern(std::string_view pattern, std::string_view fileName) {
    if (pattern == "*.*") return true;
    return Glob(pattern, fileName);
}

bool MatchesFilter(const FileFilter& filter, std::string_view fileName) {
    for (const std::string& pattern : filter.patterns) {
        if (MatchesPattern(pattern, fileName)) return true;
    }
    return false;
}

}  // namespace tovrin::dialog
