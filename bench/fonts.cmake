tessaly_benchmark(fonts ${CMAKE_CURRENT_SOURCE_DIR}/fonts_text.cpp
  tessaly_raster tessaly_core tessaly_platform)
