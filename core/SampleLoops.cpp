#include "core/SampleLoops.h"

TESSALY_SAMPLE_LOOP void WidenSamples(const float* __restrict source,
                                      double* __restrict destination, int frames) {
  for (int i = 0; i < frames; ++i) destination[i] = source[i];
}

TESSALY_SAMPLE_LOOP void StoreSamples(const double* __restrict result, float* __restrict host,
                                      int frames) {
  for (int i = 0; i < frames; ++i) host[i] = static_cast<float>(result[i]);
}

TESSALY_SAMPLE_LOOP void AddSamples(const double* __restrict result, float* __restrict host,
                                    int frames) {
  for (int i = 0; i < frames; ++i) host[i] = static_cast<float>(result[i]) + host[i];
}
