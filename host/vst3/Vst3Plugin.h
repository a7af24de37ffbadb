#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <thread>
#include <vector>

#include "host/vst3/ComponentStateBridge.h"
#include "host/vst3/ControllerStateBridge.h"
#include "host/vst3/ParameterChangeQueues.h"
#include "host/vst3/Vst3EditController.h"
#include "instance/InstanceCore.h"
#include "instance/InstanceHost.h"

namespace VstToolkit {

class Model;
class Vst3View;

// The VST3 face of the plug-in: one object that is the component, its audio processor and
// its edit controller, as a single-component plug-in is. It translates every VST3 call
// into the instance core it owns, and the core's news back into the host's interfaces:
// edits through the component handler (user-interface thread), the plug-in's own changes
// (learned MIDI controllers) through the block's output parameter changes (audio thread).
// Pointers, IDs and sizes from the host are checked here; indices and values in the core.
//
// Parameters: IDs 0..11 are the VST2 indices; the program-change parameter and one hidden
// parameter per MIDI channel and controller follow (Vst3ParameterIds). A controller's
// value becomes the VST2 control change it stands for, at its sample offset. The host's
// bypass is listed last, so that no index a host knows moves; it is Enabled inverted and
// has no value of its own, so the state stays the VST2 bank's.
class Vst3Plugin final : public ComponentStateBridge,
                         public Steinberg::Vst::IAudioProcessor,
                         public ControllerStateBridge,
                         public Steinberg::Vst::IMidiMapping,
                         public Steinberg::Vst::IUnitInfo,
                         public Steinberg::Vst::IProcessContextRequirements,
                         private InstanceHost {
 public:
  using tresult = Steinberg::tresult;
  using TBool = Steinberg::TBool;
  using int32 = Steinberg::int32;
  using uint32 = Steinberg::uint32;
  using ParamID = Steinberg::Vst::ParamID;
  using ParamValue = Steinberg::Vst::ParamValue;

  // Takes ownership of the model (not null) and links the core to it. Reference count 1.
  explicit Vst3Plugin(std::unique_ptr<Model> model);
  Vst3Plugin(const Vst3Plugin&) = delete;
  Vst3Plugin& operator=(const Vst3Plugin&) = delete;

  // The core this face translates into (for the editor's wiring and for tests).
  InstanceCore& Core() { return core; }

  // FUnknown: any thread.
  tresult queryInterface(const Steinberg::TUID interfaceId, void** obj) override;
  uint32 addRef() override;
  uint32 release() override;

  // IPluginBase (component and controller alike): the host's main thread.
  tresult initialize(Steinberg::FUnknown* context) override;
  tresult terminate() override;

  // IComponent: the host's main thread (Vst3Plugin.cpp).
  tresult getControllerClassId(Steinberg::TUID classId) override;
  tresult setIoMode(Steinberg::Vst::IoMode mode) override;
  int32 getBusCount(Steinberg::Vst::MediaType type, Steinberg::Vst::BusDirection dir) override;
  tresult getBusInfo(Steinberg::Vst::MediaType type, Steinberg::Vst::BusDirection dir, int32 index,
                     Steinberg::Vst::BusInfo& bus) override;
  tresult getRoutingInfo(Steinberg::Vst::RoutingInfo& inInfo, Steinberg::Vst::RoutingInfo& outInfo) override;
  tresult activateBus(Steinberg::Vst::MediaType type, Steinberg::Vst::BusDirection dir, int32 index,
                      TBool state) override;
  tresult setActive(TBool state) override;

  // IAudioProcessor (Vst3PluginProcessing.cpp): the host's main thread, but process on the
  // audio thread.
  tresult setBusArrangements(Steinberg::Vst::SpeakerArrangement* inputs, int32 numIns,
                             Steinberg::Vst::SpeakerArrangement* outputs, int32 numOuts) override;
  tresult getBusArrangement(Steinberg::Vst::BusDirection dir, int32 index,
                            Steinberg::Vst::SpeakerArrangement& arr) override;
  tresult canProcessSampleSize(int32 symbolicSampleSize) override;
  uint32 getLatencySamples() override;
  tresult setupProcessing(Steinberg::Vst::ProcessSetup& setup) override;
  tresult setProcessing(TBool state) override;
  tresult process(Steinberg::Vst::ProcessData& data) override;
  uint32 getTailSamples() override;

  // IProcessContextRequirements: any thread.
  uint32 getProcessContextRequirements() override;

  // IEditController (Vst3PluginParameters.cpp): the host's main thread.
  tresult setComponentState(Steinberg::IBStream* state) override;
  int32 getParameterCount() override;
  tresult getParameterInfo(int32 paramIndex, Steinberg::Vst::ParameterInfo& info) override;
  tresult getParamStringByValue(ParamID id, ParamValue valueNormalized, Steinberg::Vst::String128 string) override;
  tresult getParamValueByString(ParamID id, Steinberg::Vst::TChar* string, ParamValue& valueNormalized) override;
  ParamValue normalizedParamToPlain(ParamID id, ParamValue valueNormalized) override;
  ParamValue plainParamToNormalized(ParamID id, ParamValue plainValue) override;
  ParamValue getParamNormalized(ParamID id) override;
  tresult setParamNormalized(ParamID id, ParamValue value) override;
  tresult setComponentHandler(Steinberg::Vst::IComponentHandler* handler) override;
  // User-interface thread.
  Steinberg::IPlugView* createView(Steinberg::FIDString name) override;

  // IMidiMapping: the host's main thread. Every controller on every channel of the event
  // bus has its hidden parameter, always.
  tresult getMidiControllerAssignment(int32 busIndex, Steinberg::int16 channel,
                                      Steinberg::Vst::CtrlNumber midiControllerNumber, ParamID& id) override;

  // IUnitInfo (Vst3PluginUnits.cpp): the host's main thread. One unit, the root, with the
  // program list.
  int32 getUnitCount() override;
  tresult getUnitInfo(int32 unitIndex, Steinberg::Vst::UnitInfo& info) override;
  int32 getProgramListCount() override;
  tresult getProgramListInfo(int32 listIndex, Steinberg::Vst::ProgramListInfo& info) override;
  tresult getProgramName(Steinberg::Vst::ProgramListID listId, int32 programIndex,
                         Steinberg::Vst::String128 name) override;
  tresult getProgramInfo(Steinberg::Vst::ProgramListID listId, int32 programIndex, Steinberg::Vst::CString attributeId,
                         Steinberg::Vst::String128 attributeValue) override;
  tresult hasProgramPitchNames(Steinberg::Vst::ProgramListID listId, int32 programIndex) override;
  tresult getProgramPitchName(Steinberg::Vst::ProgramListID listId, int32 programIndex, Steinberg::int16 midiPitch,
                              Steinberg::Vst::String128 name) override;
  Steinberg::Vst::UnitID getSelectedUnit() override;
  tresult selectUnit(Steinberg::Vst::UnitID unitId) override;
  tresult getUnitByBus(Steinberg::Vst::MediaType type, Steinberg::Vst::BusDirection dir, int32 busIndex,
                       int32 channel, Steinberg::Vst::UnitID& unitId) override;
  tresult setUnitProgramData(int32 listOrUnitId, int32 programIndex, Steinberg::IBStream* data) override;

  // User-interface thread. The instance has one editor, held by one view at a time: the
  // view made last, from its making until it is removed or released. A view takes the
  // editor when it is attached (false: another view holds it) and gives it back; it may
  // act on the editor (its scale) only while no other view holds it.
  bool ClaimEditor(Vst3View* view);
  void ReleaseEditor(Vst3View* view);
  bool MayUseEditor(const Vst3View* view) const { return editorView == nullptr || editorView == view; }

  // The program list's ID.
  static constexpr Steinberg::Vst::ProgramListID kProgramListId = 1;
  // The parameters a host lists: the plug-in's, the program, and the hidden controllers.
  int32 ListedParameterCount() const;

 private:
  ~Vst3Plugin();

  // The host's component and controller state (Vst3PluginState.cpp).
  tresult SetComponentState(Steinberg::IBStream* state) override;
  tresult GetComponentState(Steinberg::IBStream* state) override;
  tresult SetControllerState(Steinberg::IBStream* state) override;
  tresult GetControllerState(Steinberg::IBStream* state) override;
  // Loads state bytes in any form the component accepts.
  bool LoadState(const uint8_t* bytes, uint32_t size);

  // What the core tells the host (Vst3PluginHost.cpp).
  void BeginParameterEdit(int32_t index) override;
  void PerformParameterEdit(int32_t index, float value) override;
  void EndParameterEdit(int32_t index) override;
  void ParameterSetByPlugin(int32_t index, float value) override;
  bool ResizeEditor(int32_t width, int32_t height) override;
  void StateChanged() override;
  void EditorTicked() override;
  // The host's user-interface thread (the one that set the handler): tells the handler
  // what other threads marked since: parameter values a program changed
  // (restartComponent), a state the parameters do not show (IComponentHandler2::setDirty).
  void DeliverHostMarks();
  void ReleaseComponentHandler();

  // The block's pieces (audio thread).
  void ApplyHostTime(const Steinberg::Vst::ProcessContext* context);
  void ApplyChangesUpTo(int32_t offset);
  // A host's change of a parameter or of the bypass; the other view of Enabled is told
  // when the switch turns.
  void ApplyParameterChange(ParamID id, ParamValue value, int32_t frame);
  // Tells the host what a program change moved, but for what it set itself at that frame.
  void ReportProgramValues(int32_t frame);
  // Tells the host, in the block's output changes, a value the plug-in set at `frame`;
  // Enabled's changes are told as the bypass's too.
  void ReportParameter(int32_t index, float value, int32_t frame);
  void ReportChange(ParamID id, ParamValue value, int32_t frame);
  // The block's frame for changes taken up to `offset`.
  int32_t FrameOfOffset(int32_t offset) const;
  void PushControllersBefore(int32_t end, int32_t pieceStart);
  static bool StereoBuffers(const Steinberg::Vst::AudioBusBuffers* buses, int32 count, int32 frames);
  // The entry of a list of `steps` + 1 a normalized value stands for, as VST3 steps a
  // list (p / steps is entry p); a NaN is the first.
  static int32_t ListEntryOfValue(ParamValue value, int32_t steps);
  // The program a program-change value selects.
  int32_t ProgramOfValue(ParamValue value) const;
  // A list parameter's step count (the program's, a selector's); 0 for any other ID.
  int32_t ListSteps(ParamID id) const;
  // Any thread: the bypass as Enabled shows it (1: bypassed), and Enabled as a bypass
  // value sets it; a value that leaves the switch as it is changes nothing.
  ParamValue BypassValue() const;
  bool IsEnabledOn() const;
  void SetBypass(ParamValue value);

  std::atomic<uint32> references{1};
  InstanceCore core;
  ParameterChangeQueues changes;
  Steinberg::Vst::IComponentHandler* componentHandler = nullptr;  // user-interface thread
  Steinberg::Vst::IComponentHandler2* componentHandler2 = nullptr;  // the same, where it offers that
  std::atomic<std::thread::id> handlerThread{};                     // the thread that set them
  std::atomic<bool> parameterValuesMark{false};
  std::atomic<bool> stateChangedMark{false};
  Vst3View* editorView = nullptr;  // the view holding the editor; user-interface thread
  std::vector<uint8_t> stateBytes;  // the host's threads: a state being read
  double sampleRate = 44100.0;
  std::atomic<bool> processing{false};
  bool deactivated = false;                   // the host's main thread
  // The block being processed, for the plug-in's own changes (audio thread).
  Steinberg::Vst::IParameterChanges* outputChanges = nullptr;
  // The values before the block's program change, and which ones the host set with it.
  std::unique_ptr<float[]> valuesBeforeProgram;
  std::unique_ptr<bool[]> setByHost;
  int32_t pieceStart = 0;
  int32_t blockFrames = 0;
};

}  // namespace VstToolkit
