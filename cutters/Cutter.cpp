#include "cutters/Cutter.h"

#include <array>

namespace millcalc {
namespace {

constexpr std::array<std::pair<CutterType, std::string_view>, 3> kTypes { {
    { CutterType::Flat, "flat" },
    { CutterType::Ball, "ball" },
    { CutterType::Bull, "bull" },
} };
constexpr std::array<std::pair<ToolMaterial, std::string_view>, 2> kMaterials { {
    { ToolMaterial::Carbide, "carbide" },
    { ToolMaterial::Hss, "hss" },
} };

} // namespace

std::string_view cutterTypeWord(CutterType type)
{
    for (const auto& [t, word] : kTypes) {
        if (t == type)
            return word;
    }
    return {};
}

std::optional<CutterType> cutterTypeFromWord(std::string_view word)
{
    for (const auto& [t, w] : kTypes) {
        if (w == word)
            return t;
    }
    return std::nullopt;
}

std::string_view toolMaterialWord(ToolMaterial material)
{
    for (const auto& [m, word] : kMaterials) {
        if (m == material)
            return word;
    }
    return {};
}

std::optional<ToolMaterial> toolMaterialFromWord(std::string_view word)
{
    for (const auto& [m, w] : kMaterials) {
        if (w == word)
            return m;
    }
    return std::nullopt;
}

const std::string* SavedCut::input(std::string_view name) const
{
    for (const auto& [key, value] : inputs) {
        if (key == name)
            return &value;
    }
    return nullptr;
}

std::string_view fileNameOf(std::string_view path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

} // namespace millcalc
