#include "tools/host/AudioFile.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <unistd.h>

namespace {

std::string LowerExtension(const std::string& path) {
  const size_t dot = path.rfind('.');
  const size_t slash = path.rfind('/');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
  std::string extension = path.substr(dot + 1);
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (extension == "aif") return "aiff";
  if (extension == "ogg") return "oga";
  return extension;
}

// The container format libsndfile lists under this extension, or 0.
int MajorFormatFor(const std::string& extension) {
  int count = 0;
  sf_command(nullptr, SFC_GET_FORMAT_MAJOR_COUNT, &count, sizeof count);
  for (int i = 0; i < count; ++i) {
    SF_FORMAT_INFO format{};
    format.format = i;
    sf_command(nullptr, SFC_GET_FORMAT_MAJOR, &format, sizeof format);
    if (format.extension && extension == format.extension) return format.format;
  }
  return 0;
}

bool Accepts(int major, int subtype, int channels, int sampleRate) {
  SF_INFO info{};
  info.format = major | subtype;
  info.channels = channels;
  info.samplerate = sampleRate;
  return sf_format_check(&info) != 0;
}

// Sample encodings that any container can carry as they are; compressed encodings (MP3,
// Vorbis, Opus and the like) belong to their own formats.
bool IsPlainSampleEncoding(int subtype) {
  switch (subtype) {
    case SF_FORMAT_PCM_S8: case SF_FORMAT_PCM_U8: case SF_FORMAT_PCM_16: case SF_FORMAT_PCM_24:
    case SF_FORMAT_PCM_32: case SF_FORMAT_FLOAT: case SF_FORMAT_DOUBLE:
      return true;
    default:
      return false;
  }
}

int SubtypeFor(int major, int preferred, int channels, int sampleRate) {
  if (!IsPlainSampleEncoding(preferred)) preferred = SF_FORMAT_PCM_24;
  for (int subtype : {preferred, static_cast<int>(SF_FORMAT_PCM_24)}) {
    if (subtype && Accepts(major, subtype, channels, sampleRate)) return subtype;
  }
  int count = 0;
  sf_command(nullptr, SFC_GET_FORMAT_SUBTYPE_COUNT, &count, sizeof count);
  for (int i = 0; i < count; ++i) {
    SF_FORMAT_INFO format{};
    format.format = i;
    sf_command(nullptr, SFC_GET_FORMAT_SUBTYPE, &format, sizeof format);
    if (Accepts(major, format.format, channels, sampleRate)) return format.format;
  }
  return 0;
}

}  // namespace

std::unique_ptr<AudioFileReader> AudioFileReader::Open(const std::string& path, std::string* error) {
  SF_INFO info{};
  SNDFILE* file = path == "-" ? sf_open_fd(STDIN_FILENO, SFM_READ, &info, SF_FALSE) : sf_open(path.c_str(), SFM_READ, &info);
  if (!file) {
    *error = "cannot read audio file " + path + ": " + sf_strerror(nullptr);
    return nullptr;
  }
  return std::unique_ptr<AudioFileReader>(new AudioFileReader(file, info));
}

AudioFileReader::~AudioFileReader() { sf_close(file_); }

int64_t AudioFileReader::Read(double* interleaved, int64_t frames) {
  return sf_readf_double(file_, interleaved, frames);
}

std::unique_ptr<AudioFileWriter> AudioFileWriter::Create(int descriptor, const std::string& name,
                                                         const std::string& type, int channels, int sampleRate,
                                                         int preferredSubtype, SampleQuantiser::Dither dither,
                                                         std::string* error) {
  const int major = MajorFormatFor(LowerExtension(type.empty() ? name : "." + type));
  if (!major && !type.empty()) {
    *error = "unknown audio type '" + type + "' (wav, flac, aiff, au, ...)";
    return nullptr;
  }
  if (!major) {
    *error = "cannot tell the audio format of " + name + " from its extension (.wav, .flac, .aiff, ...)";
    return nullptr;
  }
  const int subtype = SubtypeFor(major, preferredSubtype, channels, sampleRate);
  SF_INFO info{};
  info.format = major | subtype;
  info.channels = channels;
  info.samplerate = sampleRate;
  SNDFILE* file = subtype ? sf_open_fd(descriptor, SFM_WRITE, &info, SF_FALSE) : nullptr;
  if (!file) {
    *error = "cannot write audio file " + name + ": " + (subtype ? sf_strerror(nullptr) : "format not writable");
    return nullptr;
  }
  // Compressed encodings take doubles, which must not wrap beyond full scale.
  sf_command(file, SFC_SET_CLIPPING, nullptr, SF_TRUE);
  return std::unique_ptr<AudioFileWriter>(new AudioFileWriter(file, name, channels, subtype, dither));
}

AudioFileWriter::~AudioFileWriter() {
  if (file_) sf_close(file_);
}

bool AudioFileWriter::Write(double* interleaved, int64_t frames) {
  const size_t count = static_cast<size_t>(frames * channels_);
  if (!std::all_of(interleaved, interleaved + count, [](double sample) { return std::isfinite(sample); })) {
    return Fail("samples that are not numbers (NaN or infinite) cannot be written");
  }
  quantiser_.Apply(interleaved, count);
  errno = 0;
  if (WriteSamples(interleaved, frames) == frames) return true;
  if (errno) return Fail(std::strerror(errno));
  // Encoders (FLAC's, for one) refuse samples without telling libsndfile's error state.
  return Fail(sf_error(file_) ? sf_strerror(file_) : "the encoder refused the samples");
}

// Integers go in whole, so that libsndfile's own conversion from doubles (which scales
// some widths by 2^(bits-1) - 1) does not move the quantised values.
sf_count_t AudioFileWriter::WriteSamples(const double* interleaved, int64_t frames) {
  if (!quantiser_.IntegerBits()) return sf_writef_double(file_, interleaved, frames);
  integers_.resize(static_cast<size_t>(frames * channels_));
  for (size_t i = 0; i < integers_.size(); ++i) integers_[i] = SampleQuantiser::ToInt32(interleaved[i]);
  return sf_writef_int(file_, integers_.data(), frames);
}

bool AudioFileWriter::Close() {
  errno = 0;
  const int status = sf_close(file_);
  file_ = nullptr;
  if (status == SF_ERR_NO_ERROR) return true;
  return Fail(errno ? std::strerror(errno) : sf_error_number(status));
}

bool AudioFileWriter::Fail(const char* reason) {
  failure_ = "cannot write " + name_ + ": " + reason;
  return false;
}
