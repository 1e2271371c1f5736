#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace fw {

// Whether the machine has a font family of this name.
using FamilyInstalled = std::function<bool(std::string_view family)>;

// The face a design font name renders with, among the families `installed` accepts. A named
// face the machine has is used as it is. Otherwise the name maps, by its style, to the first
// installed face of that style's chain, Windows faces first, then the Linux ones: the mincho
// names ("MS 明朝", "MS明朝", "ＭＳ 明朝", "ＭＳ明朝", "平成明朝") to a mincho face, "魚石行書"
// to a brush face, "System" (always the UI face, never a family of that name) and unknown
// names to the gothic UI face. A style with no face installed falls back: brush to mincho,
// mincho to the UI face; with no UI face either the result is empty. Blanks and line ends
// around the name are ignored for the look-up only.
std::string ChooseRenderFamily(std::string_view designName, const FamilyInstalled& installed);

// ChooseRenderFamily over this machine's font database, which is asked once per name for the
// run; where it gives nothing, the platform's general UI font.
std::string RenderFamilyFor(std::string_view designName);

}  // namespace fw
