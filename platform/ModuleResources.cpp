#include "platform/ModuleResources.h"

#include <strings.h>

const ModuleResource* FindModuleResource(const ModuleResources* module, int number,
                                         const char* type) {
  if (module == nullptr || module->entries == nullptr || type == nullptr) return nullptr;
  const int wanted = number & 0xFFFF;
  for (int i = 0; i < module->count; ++i) {
    const ModuleResource& entry = module->entries[i];
    if (entry.number == wanted && strcasecmp(entry.type, type) == 0) return &entry;
  }
  return nullptr;
}
