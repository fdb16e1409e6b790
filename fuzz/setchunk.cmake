tessaly_fuzz_target(setchunk ${CMAKE_CURRENT_SOURCE_DIR}/setchunk_fuzz.cpp
  tessaly_effect tessaly_host tessaly_core)
