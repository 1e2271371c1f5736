#pragma once

#include <string>
#include <string_view>

namespace fw {

// The installed face a design font name renders with. Names the machine lacks map, by their
// style, to installed faces: the mincho names ("MS 明朝", "MS明朝", "平成明朝") to a mincho face,
// "魚石行書" to a brush face, "System" and unknown names to the gothic UI face. Blanks and line
// ends around the name are ignored for the look-up only.
std::string RenderFamilyFor(std::string_view designName);

}  // namespace fw
