#pragma once

#include "data/reflector.h"

#include <memory>
#include <vector>

// The document's ordered list of records; it owns every record in it.
using ReflectorList = std::vector<std::unique_ptr<CReflector>>;
