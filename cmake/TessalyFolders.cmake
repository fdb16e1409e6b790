# tessaly_folder(NAME DIR): an object library of every .cpp in DIR, plus an interface
# target tessaly_NAME_deps that carries the include path and the external libraries the
# folder needs (set in DIR/deps.cmake when the folder has any).
set(TESSALY_FOLDERS "")
find_package(PkgConfig REQUIRED)

function(tessaly_folder name dir)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*.cpp)
  add_library(tessaly_${name}_deps INTERFACE)
  target_include_directories(tessaly_${name}_deps INTERFACE ${CMAKE_SOURCE_DIR})
  if(EXISTS ${CMAKE_SOURCE_DIR}/${dir}/deps.cmake)
    set(TESSALY_DEPS_TARGET tessaly_${name}_deps)
    include(${CMAKE_SOURCE_DIR}/${dir}/deps.cmake)
  endif()
  if(NOT sources)
    set(sources ${CMAKE_SOURCE_DIR}/cmake/empty.cpp)
  endif()
  add_library(tessaly_${name} OBJECT ${sources})
  target_link_libraries(tessaly_${name} PUBLIC tessaly_${name}_deps)
  set(TESSALY_FOLDERS ${TESSALY_FOLDERS} ${name} PARENT_SCOPE)
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

# Includes every *.cmake file of the current source folder (one per program).
macro(tessaly_include_parts)
  file(GLOB parts CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cmake)
  foreach(part IN LISTS parts)
    include(${part})
  endforeach()
endmacro()
