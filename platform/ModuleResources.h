#pragma once
// The resources a module carries: byte blocks named by a type and a number, compiled into
// the module at build time. A module's table stands in for its module handle: code that
// loads a resource is handed the table of the module the resource belongs to.

struct ModuleResource {
  const char* type;
  int number;
  const unsigned char* bytes;
  int size;
};

struct ModuleResources {
  const ModuleResource* entries;
  int count;
};

// The resource of the given type (compared ignoring case) and number (its low 16 bits, the
// range of resource numbers), or null when the module has none.
const ModuleResource* FindModuleResource(const ModuleResources* module, int number,
                                         const char* type);
