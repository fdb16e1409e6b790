pkg_check_modules(PNG REQUIRED IMPORTED_TARGET libpng)
pkg_check_modules(ZLIB REQUIRED IMPORTED_TARGET zlib)
target_link_libraries(${TESSALY_DEPS_TARGET} INTERFACE PkgConfig::PNG PkgConfig::ZLIB)
