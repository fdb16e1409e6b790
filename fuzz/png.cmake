tessaly_fuzz_target(png ${CMAKE_CURRENT_SOURCE_DIR}/png_fuzz.cpp tessaly_raster tessaly_core tessaly_platform)
