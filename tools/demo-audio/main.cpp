// quorvel-demo-audio OUT.wav: writes the project's demo phrase.
#include <cstdio>
#include <string>

#include "tools/demo-audio/DemoPhrase.h"
#include "tools/audio-buffers/AudioFile.h"
#include "tools/audio-buffers/ChannelBuffers.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: quorvel-demo-audio OUT.wav\n", stderr);
    return 2;
  }
  QuorvelHost::ChannelBuffers phrase = QuorvelHost::DemoPhrase::Render();
  QuorvelHost::AudioFile file;
  file.CopyFrom(phrase);
  file.SetSampleRate(QuorvelHost::DemoPhrase::kSampleRate);
  std::string error;
  if (!file.Save(argv[1], argv[1], error)) {
    std::fprintf(stderr, "quorvel-demo-audio: %s\n", error.c_str());
    return 1;
  }
  return 0;
}
