// A sheet for a person to review the art: every picture at 4x on a grey ground with its name,
// a board composed from the sprites exactly as the painter does it, and the list window's corner
// with text over it.
#pragma once

#include <string>
#include <vector>

#include "Catalogue.h"

namespace assetgen {

bool writeContactSheet(const std::vector<Picture>& pictures, const std::string& path);

} // namespace assetgen
