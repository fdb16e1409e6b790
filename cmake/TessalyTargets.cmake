# The functions that define Tessaly's targets. Every folder of the framework is a layer:
# an object library of its listed sources that names the layers it may use. Together the
# layers form the static tessaly_framework, which every program, test, benchmark, fuzz
# target and plug-in module links through tessaly_link_framework().
find_package(PkgConfig REQUIRED)

set_property(GLOBAL PROPERTY TESSALY_LAYERS "")

# The folders a layer's includes may name: its own and those of every layer it uses,
# directly or through another layer.
function(tessaly_layer_folders layer out)
  get_property(folders TARGET tessaly_${layer}_deps PROPERTY TESSALY_ALLOWED_FOLDERS)
  set(${out} ${folders} PARENT_SCOPE)
endfunction()

# Stops the configuration when a file of the folder includes a header of a folder that
# its layer may not use.
function(tessaly_check_includes layer folder)
  tessaly_layer_folders(${layer} allowed)
  file(GLOB files ${CMAKE_CURRENT_SOURCE_DIR}/*.h ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  # An edited include re-runs the check.
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${files})
  foreach(file IN LISTS files)
    file(STRINGS ${file} includes REGEX "^#include \"[a-z/]+/[A-Za-z0-9_]+\\.h\"")
    foreach(line IN LISTS includes)
      string(REGEX REPLACE "^#include \"([a-z/]+)/[A-Za-z0-9_]+\\.h\".*" "\\1" used "${line}")
      if(NOT used IN_LIST allowed)
        message(FATAL_ERROR "${file}: the ${folder} layer may not include ${used}/ "
                            "(it may use: ${allowed})")
      endif()
    endforeach()
  endforeach()
endfunction()

# tessaly_layer(NAME [USES layer...] [LIBS library...] SOURCES file...)
# Called from the folder's own CMakeLists.txt. NAME is the folder's path with '/' as '_'.
function(tessaly_layer name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "USES;LIBS;SOURCES")
  file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  # Usage requirements live on an interface target so that linking a layer never copies
  # another layer's objects.
  add_library(tessaly_${name}_deps INTERFACE)
  target_include_directories(tessaly_${name}_deps INTERFACE ${PROJECT_SOURCE_DIR})
  target_link_libraries(tessaly_${name}_deps INTERFACE ${arg_LIBS})
  set(allowed ${folder})
  foreach(used IN LISTS arg_USES)
    if(NOT TARGET tessaly_${used}_deps)
      message(FATAL_ERROR "layer ${name} uses ${used}, which is not defined before it")
    endif()
    target_link_libraries(tessaly_${name}_deps INTERFACE tessaly_${used}_deps)
    tessaly_layer_folders(${used} used_folders)
    list(APPEND allowed ${used_folders})
  endforeach()
  list(REMOVE_DUPLICATES allowed)
  set_property(TARGET tessaly_${name}_deps PROPERTY TESSALY_ALLOWED_FOLDERS ${allowed})
  tessaly_check_includes(${name} ${folder})

  add_library(tessaly_${name} OBJECT ${arg_SOURCES})
  target_link_libraries(tessaly_${name} PUBLIC tessaly_${name}_deps)
  set_property(GLOBAL APPEND PROPERTY TESSALY_LAYERS ${name})
endfunction()

# tessaly_embed_resources(VAR FUNCTION name TYPE type RESOURCES number file ...)
# Compiles the files into a source that defines `const ModuleResources* name()`, the
# module's resource table, and sets VAR to that source for a layer's SOURCES.
function(tessaly_embed_resources var)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "FUNCTION;TYPE" "RESOURCES")
  set(output ${CMAKE_CURRENT_BINARY_DIR}/${arg_FUNCTION}.cpp)
  set(resources "")
  set(files "")
  foreach(item IN LISTS arg_RESOURCES)
    if(item MATCHES "^[0-9]+$")
      list(APPEND resources ${item})
    else()
      get_filename_component(file ${item} ABSOLUTE)
      list(APPEND resources ${file})
      list(APPEND files ${file})
    endif()
  endforeach()
  set(script ${PROJECT_SOURCE_DIR}/cmake/EmbedResources.cmake)
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -DOUTPUT=${output} -DFUNCTION=${arg_FUNCTION} -DTYPE=${arg_TYPE}
            "-DRESOURCES=${resources}" -P ${script}
    DEPENDS ${files} ${script}
    COMMENT "Embedding ${arg_TYPE} resources in ${arg_FUNCTION}"
    VERBATIM)
  set(${var} ${output} PARENT_SCOPE)
endfunction()

# Gathers every layer into the static framework library.
function(tessaly_add_framework)
  add_library(tessaly_framework STATIC)
  get_property(layers GLOBAL PROPERTY TESSALY_LAYERS)
  foreach(layer IN LISTS layers)
    target_sources(tessaly_framework PRIVATE $<TARGET_OBJECTS:tessaly_${layer}>)
    target_link_libraries(tessaly_framework PUBLIC tessaly_${layer}_deps)
  endforeach()
endfunction()

# The one link list of programs, tests, benchmarks, fuzz targets and modules.
function(tessaly_link_framework target)
  target_link_libraries(${target} PRIVATE tessaly_framework)
endfunction()

# tessaly_add_plugin(NAME SOURCES file...): the VST 2.4 module NAME.so, made of the
# framework and the sources that define the effect's entry point. It exports only
# VSTPluginMain and main.
function(tessaly_add_plugin name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "SOURCES")
  set(exports ${PROJECT_SOURCE_DIR}/cmake/vst2-exports.map)
  add_library(${name} MODULE ${arg_SOURCES})
  tessaly_link_framework(${name})
  set_target_properties(${name} PROPERTIES PREFIX "" LINK_DEPENDS ${exports})
  target_link_options(${name} PRIVATE -Wl,--no-undefined -Wl,--version-script=${exports})
endfunction()

# Adds every subfolder of the current source folder that has a CMakeLists.txt.
function(tessaly_add_subfolders)
  file(GLOB children CONFIGURE_DEPENDS LIST_DIRECTORIES true ${CMAKE_CURRENT_SOURCE_DIR}/*)
  foreach(child IN LISTS children)
    if(IS_DIRECTORY ${child} AND EXISTS ${child}/CMakeLists.txt)
      add_subdirectory(${child})
    endif()
  endforeach()
endfunction()
