#pragma once

#include <cstdint>

namespace VstToolkit {

// Where an editor showing an instance across a channel sends its commands: the face
// carries the bytes to the instance in its format's own way (LV2: an atom to a port).
// User-interface thread.
class RemoteChannel {
 public:
  virtual void SendToInstance(const uint8_t* bytes, uint32_t size) = 0;

 protected:
  ~RemoteChannel() = default;
};

}  // namespace VstToolkit
