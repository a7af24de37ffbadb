// The one place that wires the model, the delay and the editor together.
#include "host/vst2/CreateEffectInstance.h"

#include <memory>

#include "delay/QuorvelDelayModel.h"
#include "host/vst2/Controller.h"
#include "host/vst2/EditorAttachment.h"
#include "model/Trace.h"

namespace VstToolkit {

Controller* createEffectInstance(audioMasterCallback audioMaster) {
  Trace("createEffectInstance\r\n");
  auto controller = std::make_unique<Controller>(audioMaster, std::make_unique<QuorvelDelayModel>());
  AttachPlatformEditor(*controller);
  return controller.release();
}

}  // namespace VstToolkit
