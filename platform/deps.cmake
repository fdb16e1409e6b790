# FreeType rasterises system fonts; fontconfig finds an installed face by name.
pkg_check_modules(FREETYPE REQUIRED IMPORTED_TARGET freetype2)
pkg_check_modules(FONTCONFIG REQUIRED IMPORTED_TARGET fontconfig)
target_link_libraries(${TESSALY_DEPS_TARGET} INTERFACE PkgConfig::FREETYPE PkgConfig::FONTCONFIG)
