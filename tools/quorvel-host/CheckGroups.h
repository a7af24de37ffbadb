#pragma once

#include <cstdint>
#include <string>

namespace QuorvelHost {

class HostedPlugin;
class Validator;

// The groups of checks validate runs, each over the Validator that makes its instances and
// reports its lines, and the shared checks a format's own group runs again.
// Threads: the thread that runs the battery, as host, audio and user-interface thread alike.
namespace CheckGroups {

// Every format (the VST2 module runs Lifecycle and State in place of Portable):

// Modules loaded and released again and again, runs of no frames and without audio, a
// state round trip into a fresh instance, and a state of other bytes refused without a trace.
void Portable(Validator& validator);
// The audio path (ProcessingChecks.cpp): automation at any frame while processing,
// block-size independence, sample rates (fresh and switched), clean numbers, denormal
// silence, in-place buffers.
void Processing(Validator& validator);
// The audio path under watch (RealtimeChecks.cpp): after a warm-up with the largest event
// list, no call of the format's event delivery or processing may allocate or lock, whatever
// settings, programs, mapped controllers and tempi it runs with.
void Realtime(Validator& validator);
// The editor, where the module has one and a display is available: opened (at scales 1 and
// 2 by turns), automated and closed again and again (EditorChecks.cpp).
void Editor(Validator& validator);

// What one format alone has:

// VST2 (LifecycleChecks.cpp): loading and releasing, every opcode, and the call orders that
// real hosts use.
void Vst2Lifecycle(Validator& validator);
// VST2 (StateChecks.cpp): program and bank chunks, rejected chunks, and MIDI controller
// bindings carried by the bank.
void Vst2State(Validator& validator);
// VST2 (EditorChecks.cpp): Editor's openings, and before them the size query, after them a
// second effEditOpen without effEditClose, and effClose with the editor open.
void Vst2Editor(Validator& validator);
// VST3 (Vst3Checks.cpp says which).
void Vst3(Validator& validator);
// CLAP (ClapChecks.cpp): a flush inside a block of no frames, state streamed in pieces while
// audio runs, the editor's timers and descriptors, run as a strict host: each also fails
// when the plug-in called the host on a thread the format forbids for that call.
void Clap(Validator& validator);

// Shared checks (PortableChecks.cpp) that VST2's own groups run:

// The loading check of Portable alone.
void LoadRepeatedly(Validator& validator);
// The state (the program's alone if `program`) of an instance `vary` set up (null: random
// values), loaded into a fresh one, which then selects the program `vary` returned (none if
// negative): the same bytes back and the same sound.
void RoundTrip(Validator& validator, const std::string& check, bool program, int32_t (*vary)(HostedPlugin&));

}  // namespace CheckGroups

}  // namespace QuorvelHost
