#include "tools/audio-buffers/AudioFile.h"

#include <sndfile.h>

#include <algorithm>
#include <cctype>
#include <memory>

#include "tools/audio-buffers/ChannelBuffers.h"

namespace QuorvelHost {

namespace {

struct SoundFileCloser {
  void operator()(SNDFILE* file) const { sf_close(file); }
};
using SoundFile = std::unique_ptr<SNDFILE, SoundFileCloser>;

struct Container {
  const char* extension;
  int format;
  int defaultSubtype;
};
constexpr Container kContainers[] = {
    {"wav", SF_FORMAT_WAV, SF_FORMAT_PCM_24},   {"aif", SF_FORMAT_AIFF, SF_FORMAT_PCM_24},
    {"aiff", SF_FORMAT_AIFF, SF_FORMAT_PCM_24}, {"flac", SF_FORMAT_FLAC, SF_FORMAT_PCM_24},
    {"ogg", SF_FORMAT_OGG, SF_FORMAT_VORBIS},   {"caf", SF_FORMAT_CAF, SF_FORMAT_PCM_24},
    {"w64", SF_FORMAT_W64, SF_FORMAT_PCM_24},   {"au", SF_FORMAT_AU, SF_FORMAT_PCM_24}};

const Container* FindContainer(const std::string& path) {
  size_t dot = path.rfind('.');
  size_t slash = path.find_last_of("/\\");
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) {
    return nullptr;
  }
  std::string extension = path.substr(dot + 1);
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  for (const Container& container : kContainers) {
    if (extension == container.extension) {
      return &container;
    }
  }
  return nullptr;
}

}  // namespace

int AudioFile::ContainerFor(const std::string& path) {
  const Container* container = FindContainer(path);
  return container != nullptr ? container->format : 0;
}

bool AudioFile::Load(const std::string& path, std::string& error) {
  SF_INFO info{};
  SoundFile file(sf_open(path.c_str(), SFM_READ, &info));
  if (file == nullptr) {
    error = "cannot read audio file " + path + ": " + sf_strerror(nullptr);
    return false;
  }
  if (info.channels <= 0 || info.samplerate <= 0 || info.frames < 0) {
    error = "audio file " + path + " has no usable channels or sample rate";
    return false;
  }
  channels_ = info.channels;
  sampleRate_ = info.samplerate;
  subtype_ = info.format & SF_FORMAT_SUBMASK;
  samples_.assign(static_cast<size_t>(info.frames) * static_cast<size_t>(info.channels), 0.0f);
  frames_ = sf_readf_float(file.get(), samples_.data(), info.frames);
  if (frames_ != info.frames) {
    error = "audio file " + path + " is cut short: " + sf_strerror(file.get());
    return false;
  }
  return true;
}

bool AudioFile::Save(const std::string& path, const std::string& formatName, std::string& error) const {
  const Container* container = FindContainer(formatName);
  if (container == nullptr) {
    error = "cannot tell the audio format of " + formatName + " from its extension";
    return false;
  }
  SF_INFO info{};
  info.channels = channels_;
  info.samplerate = sampleRate_;
  info.format = container->format | subtype_;
  if (!sf_format_check(&info)) {
    info.format = container->format | container->defaultSubtype;
  }
  SoundFile file(sf_open(path.c_str(), SFM_WRITE, &info));
  if (file == nullptr) {
    error = "cannot write audio file " + path + ": " + sf_strerror(nullptr);
    return false;
  }
  sf_command(file.get(), SFC_SET_CLIPPING, nullptr, SF_TRUE);
  if (sf_writef_float(file.get(), samples_.data(), frames_) != frames_) {
    error = "cannot write audio file " + path + ": " + sf_strerror(file.get());
    return false;
  }
  return true;
}

void AudioFile::CopyTo(ChannelBuffers& buffers) const {
  int64_t frames = std::min(frames_, buffers.Frames());
  for (int32_t c = 0; c < buffers.Channels(); ++c) {
    int32_t source = std::min(c, channels_ - 1);
    float* channel = buffers.Channel(c);
    for (int64_t i = 0; i < frames; ++i) {
      channel[i] = samples_[static_cast<size_t>(i * channels_ + source)];
    }
  }
}

void AudioFile::CopyFrom(ChannelBuffers& buffers) {
  channels_ = buffers.Channels();
  frames_ = buffers.Frames();
  samples_.assign(static_cast<size_t>(frames_) * static_cast<size_t>(channels_), 0.0f);
  for (int32_t c = 0; c < channels_; ++c) {
    const float* channel = buffers.Channel(c);
    for (int64_t i = 0; i < frames_; ++i) {
      samples_[static_cast<size_t>(i * channels_ + c)] = channel[i];
    }
  }
}

}  // namespace QuorvelHost
