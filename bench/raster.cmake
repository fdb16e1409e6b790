pkg_check_modules(PIXMAN REQUIRED IMPORTED_TARGET pixman-1)
tessaly_benchmark(raster_composite ${CMAKE_CURRENT_SOURCE_DIR}/raster_composite.cpp
  tessaly_raster tessaly_core tessaly_platform PkgConfig::PIXMAN)
tessaly_benchmark(raster_png ${CMAKE_CURRENT_SOURCE_DIR}/raster_png.cpp
  tessaly_raster tessaly_core tessaly_platform)
