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
