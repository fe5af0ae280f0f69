#pragma once

#include <string_view>

namespace tovrin::optionlib {

// Ryl and Mard are one dialog built twice; these are all the points where
// the two differ, apart from the exports themselves.
enum class Variant { Ryl, Mard };

struct VariantTraits {
    std::string_view mainSection;
    std::string_view itemSectionPrefix;  // the item section is prefix + word + "_Item" + item
    bool complementItems;                // ItemType 2 is a complement item (else it is skipped)
    bool startsFromCallerBuffer;         // Ryl's 36-byte input
    int windowHeightBelowReference;      // pixels added below the reference list
    int groupBoxHeightBeyondReference;
    int buttonsAboveClientBottom;
    int buttonHeightUnits;  // template height of OK and Cancel
};

inline constexpr VariantTraits kRylTraits{"RylOption", "RylOption", false, true, 70, 5, 5, 14};
inline constexpr VariantTraits kMardTraits{"MardOption", "MardOption", true, false, 75, 0, 8, 16};

constexpr const VariantTraits& TraitsOf(Variant variant) {
    return variant == Variant::Ryl ? kRylTraits : kMardTraits;
}

}  // namespace tovrin::optionlib
