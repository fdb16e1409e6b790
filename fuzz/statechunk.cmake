# Arbitrary bytes read as a state chunk with every reader at every position. Built from
# the chunk's own sources only, so that it does not depend on the rest of the core.
tessaly_fuzz_target(statechunk ${CMAKE_CURRENT_SOURCE_DIR}/statechunk_fuzz.cpp)
target_sources(fuzz_statechunk PRIVATE
  ${CMAKE_SOURCE_DIR}/core/StateChunk.cpp ${CMAKE_SOURCE_DIR}/core/HeapBuffer.cpp)
