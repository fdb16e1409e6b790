#pragma once
// The images compiled into the Tessaly module (type "PNG", numbers 101 to 104).

#include "platform/ModuleResources.h"

const ModuleResources* TessalyResources();
