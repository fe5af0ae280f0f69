#include "platform/profile/Profile.h"

#include <algorithm>
#include <unordered_set>

#include "platform/system/FileIo.h"
#include "platform/text/AsciiCase.h"

namespace tovrin::profile {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// What the C library's isspace accepts, without depending on the locale.
bool IsLeadingSpace(char c) {
    return IsBlank(c) || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

std::string_view Unquote(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

// Three-way comparison of a lower-cased stored name with a query of any case.
int CompareFolded(std::string_view stored, std::string_view query) {
    const std::size_t common = std::min(stored.size(), query.size());
    for (std::size_t i = 0; i < common; ++i) {
        const auto a = static_cast<unsigned char>(stored[i]);
        const auto b = static_cast<unsigned char>(text::AsciiLower(query[i]));
        if (a != b) return a < b ? -1 : 1;
    }
    if (stored.size() == query.size()) return 0;
    return stored.size() < query.size() ? -1 : 1;
}

// Splits at LF, CR LF or a lone CR.
class LineReader {
public:
    explicit LineReader(std::string_view text) : rest_(text) {}

    bool Next(std::string_view& line) {
        if (rest_.empty()) return false;
        // A plain loop: find_first_of would call memchr once per byte.
        std::size_t end = 0;
        while (end < rest_.size() && rest_[end] != '\r' && rest_[end] != '\n') ++end;
        if (end == rest_.size()) {
            line = rest_;
            rest_ = {};
            return true;
        }
        line = rest_.substr(0, end);
        std::size_t skip = 1;
        if (rest_[end] == '\r' && end + 1 < rest_.size() && rest_[end + 1] == '\n') skip = 2;
        rest_.remove_prefix(end + skip);
        return true;
    }

private:
    std::string_view rest_;
};

}  // namespace

uint32_t ParseProfileInteger(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsLeadingSpace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';

    uint32_t value = 0;
    if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        for (i += 2; i < text.size(); ++i) {
            const char c = text::AsciiLower(text[i]);
            uint32_t digit;
            if (c >= '0' && c <= '9') {
                digit = static_cast<uint32_t>(c - '0');
            } else if (c >= 'a' && c <= 'f') {
                digit = static_cast<uint32_t>(c - 'a' + 10);
            } else {
                break;
            }
            value = value * 16u + digit;
        }
    } else {
        for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
            value = value * 10u + static_cast<uint32_t>(text[i] - '0');
    }
    return negative ? 0u - value : value;
}

int32_t ParseDecimalInteger(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsLeadingSpace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    uint32_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = value * 10u + static_cast<uint32_t>(text[i] - '0');
    return static_cast<int32_t>(negative ? 0u - value : value);
}

Profile Profile::FromText(std::string_view text) {
    if (const std::size_t zero = text.find('\0'); zero != std::string_view::npos) text = text.substr(0, zero);

    Profile profile;
    profile.text_ = std::string(text);
    profile.lowered_ = text::AsciiLowerCopy(text);
    const std::string_view lowered = profile.lowered_;
    auto spanOf = [&](std::string_view part) {
        return Span{static_cast<std::size_t>(part.data() - text.data()), part.size()};
    };

    // Keys above the first header belong to a nameless section, which
    // therefore already exists when a "[]" header comes along.
    std::unordered_set<std::string_view> seenSections{std::string_view()};
    Span section;
    bool sectionCounts = true;  // false inside a repeated section, which lookups never reach

    LineReader lines(text);
    std::string_view raw;
    while (lines.Next(raw)) {
        std::string_view line = Trim(raw);
        if (line.empty() || line.front() == ';') continue;
        if (line.front() == '[') {
            const std::size_t close = line.rfind(']');
            if (close != 0 && close != std::string_view::npos) {
                section = spanOf(Trim(line.substr(1, close - 1)));
                sectionCounts = seenSections.insert(lowered.substr(section.offset, section.length)).second;
                continue;
            }
            // Without a closing bracket it is an ordinary line.
        }
        if (!sectionCounts) continue;
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) continue;
        profile.entries_.push_back(Entry{section, spanOf(Trim(line.substr(0, equals))),
                                         spanOf(Unquote(Trim(line.substr(equals + 1))))});
    }

    // Equal names stay in text order, so that unique keeps the first occurrence.
    auto byNameThenPlace = [&](const Entry& a, const Entry& b) {
        if (int c = profile.Lowered(a.section).compare(profile.Lowered(b.section)); c != 0) return c < 0;
        if (int c = profile.Lowered(a.key).compare(profile.Lowered(b.key)); c != 0) return c < 0;
        return a.key.offset < b.key.offset;
    };
    auto sameName = [&](const Entry& a, const Entry& b) {
        return profile.Lowered(a.section) == profile.Lowered(b.section) &&
               profile.Lowered(a.key) == profile.Lowered(b.key);
    };
    std::sort(profile.entries_.begin(), profile.entries_.end(), byNameThenPlace);
    profile.entries_.erase(std::unique(profile.entries_.begin(), profile.entries_.end(), sameName),
                           profile.entries_.end());
    return profile;
}

Profile Profile::FromFile(const std::filesystem::path& path) {
    const auto bytes = ReadFileBytes(path);
    if (!bytes) return {};
    return FromText(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
}

const Profile::Entry* Profile::Find(std::string_view section, std::string_view key) const {
    auto before = [&](const Entry& entry) {
        const int bySection = CompareFolded(Lowered(entry.section), section);
        return bySection != 0 ? bySection < 0 : CompareFolded(Lowered(entry.key), key) < 0;
    };
    std::size_t low = 0;
    std::size_t high = entries_.size();
    while (low < high) {
        const std::size_t middle = low + (high - low) / 2;
        if (before(entries_[middle])) {
            low = middle + 1;
        } else {
            high = middle;
        }
    }
    if (low == entries_.size()) return nullptr;
    const Entry& found = entries_[low];
    if (CompareFolded(Lowered(found.section), section) != 0 || CompareFolded(Lowered(found.key), key) != 0)
        return nullptr;
    return &found;
}

std::string Profile::GetString(std::string_view section, std::string_view key, std::string_view defaultValue,
                               std::size_t maxLength) const {
    const Entry* entry = Find(section, key);
    if (!entry) return std::string(defaultValue);
    return text_.substr(entry->value.offset, std::min(entry->value.length, maxLength));
}

uint32_t Profile::GetInteger(std::string_view section, std::string_view key, uint32_t defaultValue) const {
    const Entry* entry = Find(section, key);
    if (!entry || entry->value.length == 0) return defaultValue;
    return ParseProfileInteger(std::string_view(text_).substr(entry->value.offset, entry->value.length));
}

bool Profile::HasKey(std::string_view section, std::string_view key) const {
    return Find(section, key) != nullptr;
}

}  // namespace tovrin::profile
