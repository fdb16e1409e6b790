#pragma once
// The per-sample loops of the audio path that run on every block: widening host samples
// to 64 bits and storing results back. On x86-64 each is built twice, for AVX2 and for
// the baseline instruction set, and the loader picks the one the processor can run; the
// results are identical either way.

#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define TESSALY_SAMPLE_LOOP __attribute__((target_clones("avx2", "default")))
#else
#define TESSALY_SAMPLE_LOOP
#endif

void WidenSamples(const float* source, double* destination, int frames);
// host[i] = float(result[i]), rounded to nearest.
void StoreSamples(const double* result, float* host, int frames);
// host[i] = float(result[i]) + host[i], added in single precision.
void AddSamples(const double* result, float* host, int frames);
