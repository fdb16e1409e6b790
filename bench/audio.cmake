tessaly_benchmark(audio ${CMAKE_CURRENT_SOURCE_DIR}/audio_bench.cpp tessaly_effect tessaly_host tessaly_core)
