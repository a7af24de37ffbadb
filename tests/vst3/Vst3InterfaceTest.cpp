// Our VST3 declarations against Steinberg's own interface headers (the copy Debian's
// juce-modules-source-data carries), compiled side by side in this test alone: the
// published headers go into a namespace of their own, so that both can be compared
// in one translation unit. Nothing shipped includes them.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>
#include <utility>
#if defined(__linux__)
#include <endian.h>
#endif

#include "host/vst3/Vst3EditController.h"
#include "host/vst3/Vst3PlugView.h"

// The published headers name one helper by its full name, which then resolves in our
// namespace; its declaration is enough, since nothing here compares their identifiers.
namespace Steinberg::FUnknownPrivate {
bool iidEqual(const void* iid1, const void* iid2);
}  // namespace Steinberg::FUnknownPrivate

namespace Published {
#include "pluginterfaces/base/ibstream.h"
#include "pluginterfaces/base/ipluginbase.h"
#include "pluginterfaces/gui/iplugview.h"
#include "pluginterfaces/gui/iplugviewcontentscalesupport.h"
#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstcomponent.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "pluginterfaces/vst/ivstevents.h"
#include "pluginterfaces/vst/ivsthostapplication.h"
#include "pluginterfaces/vst/ivstmessage.h"
#include "pluginterfaces/vst/ivstparameterchanges.h"
#include "pluginterfaces/vst/ivstprocesscontext.h"
#include "pluginterfaces/vst/ivstunits.h"
#include "pluginterfaces/vst/vstspeaker.h"
}  // namespace Published

namespace {

namespace Ours = ::Steinberg;
namespace Theirs = ::Published::Steinberg;

// The virtual table slot a pointer to a virtual member function names: in the Itanium C++
// ABI (gcc and clang on Linux, MinGW's gcc on Windows) its first word is the slot's byte
// offset plus one.
template <typename Member>
std::ptrdiff_t Slot(Member member) {
  static_assert(sizeof(Member) == 2 * sizeof(std::ptrdiff_t), "a pointer to member function");
  std::ptrdiff_t word = 0;
  std::memcpy(&word, &member, sizeof(word));
  return (word - 1) / static_cast<std::ptrdiff_t>(sizeof(void*));
}

template <typename A, typename B>
bool SameBytes(const A& a, const B& b) {
  static_assert(sizeof(A) == 16 && sizeof(B) == 16, "identifiers are 16 bytes");
  return std::memcmp(&a, &b, 16) == 0;
}

}  // namespace

#define EXPECT_SAME_ID(name) EXPECT_TRUE(SameBytes(Ours::name::iid.toTUID(), Published::name##_iid)) << #name
#define EXPECT_SAME_SLOT(name, method) \
  EXPECT_EQ(Slot(&Ours::name::method), Slot(&Theirs::name::method)) << #name "::" #method
#define EXPECT_SAME_RECORD(name) EXPECT_EQ(sizeof(Ours::name), sizeof(Theirs::name)) << #name
#define EXPECT_SAME_OFFSET(name, field) \
  EXPECT_EQ(offsetof(Ours::name, field), offsetof(Theirs::name, field)) << #name "::" #field

// Published:: prefixes the identifiers' generated names, which live in the namespaces the
// published headers declare them in.
namespace Published {
using namespace Steinberg;
using namespace Steinberg::Vst;
#if defined(__linux__)
using namespace Steinberg::Linux;
#endif
}  // namespace Published

TEST(Vst3Interface, IdentifiersMatchThePublishedBytes) {
  EXPECT_SAME_ID(FUnknown);
  EXPECT_SAME_ID(IPluginBase);
  EXPECT_SAME_ID(IBStream);
  EXPECT_SAME_ID(IPluginFactory);
  EXPECT_SAME_ID(IPluginFactory2);
  EXPECT_SAME_ID(IPluginFactory3);
  EXPECT_SAME_ID(Vst::IComponent);
  EXPECT_SAME_ID(Vst::IAudioProcessor);
  EXPECT_SAME_ID(Vst::IProcessContextRequirements);
  EXPECT_SAME_ID(Vst::IParamValueQueue);
  EXPECT_SAME_ID(Vst::IParameterChanges);
  EXPECT_SAME_ID(Vst::IEventList);
  EXPECT_SAME_ID(Vst::IComponentHandler);
  EXPECT_SAME_ID(Vst::IComponentHandler2);
  EXPECT_SAME_ID(Vst::IEditController);
  EXPECT_SAME_ID(Vst::IMidiMapping);
  EXPECT_SAME_ID(Vst::IUnitInfo);
  EXPECT_SAME_ID(Vst::IMessage);
  EXPECT_SAME_ID(Vst::IConnectionPoint);
  EXPECT_SAME_ID(Vst::IHostApplication);
  EXPECT_SAME_ID(IPlugView);
  EXPECT_SAME_ID(IPlugFrame);
  EXPECT_SAME_ID(IPlugViewContentScaleSupport);
#if defined(__linux__)  // the published headers declare the run loop on Linux alone
  EXPECT_SAME_ID(Linux::IEventHandler);
  EXPECT_SAME_ID(Linux::ITimerHandler);
  EXPECT_SAME_ID(Linux::IRunLoop);
#endif
}

TEST(Vst3Interface, MethodsSitInThePublishedSlots) {
  EXPECT_SAME_SLOT(FUnknown, queryInterface);
  EXPECT_SAME_SLOT(FUnknown, addRef);
  EXPECT_SAME_SLOT(FUnknown, release);
  EXPECT_SAME_SLOT(IPluginBase, initialize);
  EXPECT_SAME_SLOT(IPluginBase, terminate);
  EXPECT_SAME_SLOT(IBStream, read);
  EXPECT_SAME_SLOT(IBStream, write);
  EXPECT_SAME_SLOT(IBStream, seek);
  EXPECT_SAME_SLOT(IBStream, tell);
  EXPECT_SAME_SLOT(IPluginFactory, getFactoryInfo);
  EXPECT_SAME_SLOT(IPluginFactory, countClasses);
  EXPECT_SAME_SLOT(IPluginFactory, getClassInfo);
  EXPECT_SAME_SLOT(IPluginFactory, createInstance);
  EXPECT_SAME_SLOT(IPluginFactory2, getClassInfo2);
  EXPECT_SAME_SLOT(IPluginFactory3, getClassInfoUnicode);
  EXPECT_SAME_SLOT(IPluginFactory3, setHostContext);
  EXPECT_SAME_SLOT(Vst::IComponent, getControllerClassId);
  EXPECT_SAME_SLOT(Vst::IComponent, setIoMode);
  EXPECT_SAME_SLOT(Vst::IComponent, getBusCount);
  EXPECT_SAME_SLOT(Vst::IComponent, getBusInfo);
  EXPECT_SAME_SLOT(Vst::IComponent, getRoutingInfo);
  EXPECT_SAME_SLOT(Vst::IComponent, activateBus);
  EXPECT_SAME_SLOT(Vst::IComponent, setActive);
  EXPECT_SAME_SLOT(Vst::IComponent, setState);
  EXPECT_SAME_SLOT(Vst::IComponent, getState);
  EXPECT_SAME_SLOT(Vst::IAudioProcessor, setBusArrangements);
  EXPECT_SAME_SLOT(Vst::IAudioProcessor, getBusArrangement);
  EXPECT_SAME_SLOT(Vst::IAudioProcessor, canProcessSampleSize);
  EXPECT_SAME_SLOT(Vst::IAudioProcessor, getLatencySamples);
  EXPECT_SAME_SLOT(Vst::IAudioProcessor, setupProcessing);
  EXPECT_SAME_SLOT(Vst::IAudioProcessor, setProcessing);
  EXPECT_SAME_SLOT(Vst::IAudioProcessor, process);
  EXPECT_SAME_SLOT(Vst::IAudioProcessor, getTailSamples);
  EXPECT_SAME_SLOT(Vst::IProcessContextRequirements, getProcessContextRequirements);
  EXPECT_SAME_SLOT(Vst::IParamValueQueue, getParameterId);
  EXPECT_SAME_SLOT(Vst::IParamValueQueue, getPointCount);
  EXPECT_SAME_SLOT(Vst::IParamValueQueue, getPoint);
  EXPECT_SAME_SLOT(Vst::IParamValueQueue, addPoint);
  EXPECT_SAME_SLOT(Vst::IParameterChanges, getParameterCount);
  EXPECT_SAME_SLOT(Vst::IParameterChanges, getParameterData);
  EXPECT_SAME_SLOT(Vst::IParameterChanges, addParameterData);
  EXPECT_SAME_SLOT(Vst::IEventList, getEventCount);
  EXPECT_SAME_SLOT(Vst::IEventList, getEvent);
  EXPECT_SAME_SLOT(Vst::IEventList, addEvent);
  EXPECT_SAME_SLOT(Vst::IComponentHandler, beginEdit);
  EXPECT_SAME_SLOT(Vst::IComponentHandler, performEdit);
  EXPECT_SAME_SLOT(Vst::IComponentHandler, endEdit);
  EXPECT_SAME_SLOT(Vst::IComponentHandler, restartComponent);
  EXPECT_SAME_SLOT(Vst::IComponentHandler2, setDirty);
  EXPECT_SAME_SLOT(Vst::IComponentHandler2, requestOpenEditor);
  EXPECT_SAME_SLOT(Vst::IComponentHandler2, startGroupEdit);
  EXPECT_SAME_SLOT(Vst::IComponentHandler2, finishGroupEdit);
  EXPECT_SAME_SLOT(Vst::IEditController, setComponentState);
  EXPECT_SAME_SLOT(Vst::IEditController, setState);
  EXPECT_SAME_SLOT(Vst::IEditController, getState);
  EXPECT_SAME_SLOT(Vst::IEditController, getParameterCount);
  EXPECT_SAME_SLOT(Vst::IEditController, getParameterInfo);
  EXPECT_SAME_SLOT(Vst::IEditController, getParamStringByValue);
  EXPECT_SAME_SLOT(Vst::IEditController, getParamValueByString);
  EXPECT_SAME_SLOT(Vst::IEditController, normalizedParamToPlain);
  EXPECT_SAME_SLOT(Vst::IEditController, plainParamToNormalized);
  EXPECT_SAME_SLOT(Vst::IEditController, getParamNormalized);
  EXPECT_SAME_SLOT(Vst::IEditController, setParamNormalized);
  EXPECT_SAME_SLOT(Vst::IEditController, setComponentHandler);
  EXPECT_SAME_SLOT(Vst::IEditController, createView);
  EXPECT_SAME_SLOT(Vst::IMidiMapping, getMidiControllerAssignment);
  EXPECT_SAME_SLOT(Vst::IUnitInfo, getUnitCount);
  EXPECT_SAME_SLOT(Vst::IUnitInfo, getUnitInfo);
  EXPECT_SAME_SLOT(Vst::IUnitInfo, getProgramListCount);
  EXPECT_SAME_SLOT(Vst::IUnitInfo, getProgramListInfo);
  EXPECT_SAME_SLOT(Vst::IUnitInfo, getProgramName);
  EXPECT_SAME_SLOT(Vst::IUnitInfo, getProgramInfo);
  EXPECT_SAME_SLOT(Vst::IUnitInfo, hasProgramPitchNames);
  EXPECT_SAME_SLOT(Vst::IUnitInfo, getProgramPitchName);
  EXPECT_SAME_SLOT(Vst::IUnitInfo, getSelectedUnit);
  EXPECT_SAME_SLOT(Vst::IUnitInfo, selectUnit);
  EXPECT_SAME_SLOT(Vst::IUnitInfo, getUnitByBus);
  EXPECT_SAME_SLOT(Vst::IUnitInfo, setUnitProgramData);
  EXPECT_SAME_SLOT(Vst::IMessage, getMessageID);
  EXPECT_SAME_SLOT(Vst::IMessage, setMessageID);
  EXPECT_SAME_SLOT(Vst::IMessage, getAttributes);
  EXPECT_SAME_SLOT(Vst::IConnectionPoint, connect);
  EXPECT_SAME_SLOT(Vst::IConnectionPoint, disconnect);
  EXPECT_SAME_SLOT(Vst::IConnectionPoint, notify);
  EXPECT_SAME_SLOT(Vst::IHostApplication, getName);
  EXPECT_SAME_SLOT(Vst::IHostApplication, createInstance);
  EXPECT_SAME_SLOT(IPlugView, isPlatformTypeSupported);
  EXPECT_SAME_SLOT(IPlugView, attached);
  EXPECT_SAME_SLOT(IPlugView, removed);
  EXPECT_SAME_SLOT(IPlugView, onWheel);
  EXPECT_SAME_SLOT(IPlugView, onKeyDown);
  EXPECT_SAME_SLOT(IPlugView, onKeyUp);
  EXPECT_SAME_SLOT(IPlugView, getSize);
  EXPECT_SAME_SLOT(IPlugView, onSize);
  EXPECT_SAME_SLOT(IPlugView, onFocus);
  EXPECT_SAME_SLOT(IPlugView, setFrame);
  EXPECT_SAME_SLOT(IPlugView, canResize);
  EXPECT_SAME_SLOT(IPlugView, checkSizeConstraint);
  EXPECT_SAME_SLOT(IPlugFrame, resizeView);
  EXPECT_SAME_SLOT(IPlugViewContentScaleSupport, setContentScaleFactor);
#if defined(__linux__)
  EXPECT_SAME_SLOT(Linux::IEventHandler, onFDIsSet);
  EXPECT_SAME_SLOT(Linux::ITimerHandler, onTimer);
  EXPECT_SAME_SLOT(Linux::IRunLoop, registerEventHandler);
  EXPECT_SAME_SLOT(Linux::IRunLoop, unregisterEventHandler);
  EXPECT_SAME_SLOT(Linux::IRunLoop, registerTimer);
  EXPECT_SAME_SLOT(Linux::IRunLoop, unregisterTimer);
#endif
}

TEST(Vst3Interface, RecordsHaveThePublishedLayout) {
  EXPECT_SAME_RECORD(PFactoryInfo);
  EXPECT_SAME_RECORD(PClassInfo);
  EXPECT_SAME_RECORD(PClassInfo2);
  EXPECT_SAME_RECORD(PClassInfoW);
  EXPECT_SAME_OFFSET(PClassInfo2, subCategories);
  EXPECT_SAME_OFFSET(PClassInfoW, subCategories);
  EXPECT_SAME_OFFSET(PClassInfoW, sdkVersion);
  EXPECT_SAME_RECORD(ViewRect);
  EXPECT_SAME_RECORD(Vst::BusInfo);
  EXPECT_SAME_OFFSET(Vst::BusInfo, busType);
  EXPECT_SAME_RECORD(Vst::RoutingInfo);
  EXPECT_SAME_RECORD(Vst::ProcessSetup);
  EXPECT_SAME_OFFSET(Vst::ProcessSetup, sampleRate);
  EXPECT_SAME_RECORD(Vst::AudioBusBuffers);
  EXPECT_SAME_OFFSET(Vst::AudioBusBuffers, silenceFlags);
  EXPECT_SAME_OFFSET(Vst::AudioBusBuffers, channelBuffers32);
  EXPECT_SAME_RECORD(Vst::ProcessData);
  EXPECT_SAME_OFFSET(Vst::ProcessData, numSamples);
  EXPECT_SAME_OFFSET(Vst::ProcessData, inputs);
  EXPECT_SAME_OFFSET(Vst::ProcessData, outputs);
  EXPECT_SAME_OFFSET(Vst::ProcessData, inputParameterChanges);
  EXPECT_SAME_OFFSET(Vst::ProcessData, outputParameterChanges);
  EXPECT_SAME_OFFSET(Vst::ProcessData, inputEvents);
  EXPECT_SAME_OFFSET(Vst::ProcessData, processContext);
  EXPECT_SAME_RECORD(Vst::ProcessContext);
  EXPECT_SAME_OFFSET(Vst::ProcessContext, sampleRate);
  EXPECT_SAME_OFFSET(Vst::ProcessContext, projectTimeMusic);
  EXPECT_SAME_OFFSET(Vst::ProcessContext, tempo);
  EXPECT_SAME_OFFSET(Vst::ProcessContext, timeSigNumerator);
  EXPECT_SAME_OFFSET(Vst::ProcessContext, timeSigDenominator);
  EXPECT_SAME_OFFSET(Vst::ProcessContext, samplesToNextClock);
  EXPECT_SAME_RECORD(Vst::Event);
  EXPECT_SAME_OFFSET(Vst::Event, sampleOffset);
  EXPECT_SAME_OFFSET(Vst::Event, type);
  EXPECT_SAME_RECORD(Vst::ParameterInfo);
  EXPECT_SAME_OFFSET(Vst::ParameterInfo, shortTitle);
  EXPECT_SAME_OFFSET(Vst::ParameterInfo, units);
  EXPECT_SAME_OFFSET(Vst::ParameterInfo, stepCount);
  EXPECT_SAME_OFFSET(Vst::ParameterInfo, defaultNormalizedValue);
  EXPECT_SAME_OFFSET(Vst::ParameterInfo, unitId);
  EXPECT_SAME_OFFSET(Vst::ParameterInfo, flags);
  EXPECT_SAME_RECORD(Vst::UnitInfo);
  EXPECT_SAME_OFFSET(Vst::UnitInfo, programListId);
  EXPECT_SAME_RECORD(Vst::ProgramListInfo);
  EXPECT_SAME_OFFSET(Vst::ProgramListInfo, programCount);
}

TEST(Vst3Interface, NumbersMatchThePublishedOnes) {
  EXPECT_EQ(Ours::kNoInterface, Theirs::kNoInterface);
  EXPECT_EQ(Ours::kResultFalse, Theirs::kResultFalse);
  EXPECT_EQ(Ours::kInvalidArgument, Theirs::kInvalidArgument);
  EXPECT_EQ(Ours::kNotImplemented, Theirs::kNotImplemented);
  EXPECT_EQ(Ours::Vst::SpeakerArr::kStereo, Theirs::Vst::SpeakerArr::kStereo);
  EXPECT_EQ(Ours::Vst::SpeakerArr::kMono, Theirs::Vst::SpeakerArr::kMono);
  EXPECT_EQ(Ours::Vst::kInfiniteTail, Theirs::Vst::kInfiniteTail);
  EXPECT_EQ(+Ours::Vst::ParameterInfo::kIsProgramChange, +Theirs::Vst::ParameterInfo::kIsProgramChange);
  EXPECT_EQ(+Ours::Vst::ParameterInfo::kIsHidden, +Theirs::Vst::ParameterInfo::kIsHidden);
  EXPECT_EQ(+Ours::Vst::ParameterInfo::kIsList, +Theirs::Vst::ParameterInfo::kIsList);
  EXPECT_EQ(+Ours::Vst::ProcessContext::kTempoValid, +Theirs::Vst::ProcessContext::kTempoValid);
  EXPECT_EQ(+Ours::Vst::ProcessContext::kProjectTimeMusicValid, +Theirs::Vst::ProcessContext::kProjectTimeMusicValid);
  EXPECT_EQ(+Ours::Vst::ProcessContext::kTimeSigValid, +Theirs::Vst::ProcessContext::kTimeSigValid);
  EXPECT_EQ(+Ours::Vst::ProcessContext::kPlaying, +Theirs::Vst::ProcessContext::kPlaying);
  EXPECT_EQ(+Ours::Vst::IProcessContextRequirements::kNeedTransportState,
            +Theirs::Vst::IProcessContextRequirements::kNeedTransportState);
  EXPECT_EQ(+Ours::Vst::IProcessContextRequirements::kNeedTempo, +Theirs::Vst::IProcessContextRequirements::kNeedTempo);
  EXPECT_EQ(+Ours::Vst::kMidiCCAssignmentChanged, +Theirs::Vst::kMidiCCAssignmentChanged);
  EXPECT_EQ(+Ours::PFactoryInfo::kUnicode, +Theirs::PFactoryInfo::kUnicode);
}
