#pragma once

namespace VstToolkit {

class Controller;

// Gives a new instance the platform's editor, if the platform has one: the
// Windows module attaches the delay's Editor, which also announces it to
// the host (effFlagsHasEditor). Where there is no editor the instance stays
// complete without one and answers the editor opcodes with 0.
void AttachPlatformEditor(Controller& controller);

}  // namespace VstToolkit
