#include "exchange/GisLayer.h"

#include <algorithm>
#include <cctype>

namespace sw {

const std::string* GisFeature::Attribute(std::string_view name) const {
    for (const auto& [field, value] : Attributes) {
        if (field.size() == name.size() &&
            std::equal(field.begin(), field.end(), name.begin(), [](char a, char b) {
                return std::tolower(static_cast<unsigned char>(a)) ==
                       std::tolower(static_cast<unsigned char>(b));
            })) {
            return &value;
        }
    }
    return nullptr;
}

std::string SkippedFeaturesNote(const GisLayer& layer) {
    if (layer.SkippedEmpty <= 0) {
        return {};
    }
    return std::to_string(layer.SkippedEmpty) + (layer.SkippedEmpty == 1
                                                     ? " feature without a geometry was skipped"
                                                     : " features without a geometry were skipped");
}

} // namespace sw
