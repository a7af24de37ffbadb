// Writes the LV2 bundle's Turtle (manifest.ttl and the plug-in's description) from the
// delay's parameter table, as a fresh instance presents it: the build runs it, so the
// ports can never disagree with the plug-in.
// Usage: quorvel-lv2-turtle <bundle folder> <minor version> <micro version>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "delay/DelayParameterTable.h"
#include "delay/QuorvelDelayModel.h"
#include "host/lv2/Lv2Identity.h"
#include "instance/InstanceCore.h"

namespace {

using VstToolkit::InstanceCore;
using VstToolkit::ParameterDetails;
using VstToolkit::ParameterKind;
namespace Id = VstToolkit::Lv2Identity;

const char* const kPrefixes =
    "@prefix atom: <http://lv2plug.in/ns/ext/atom#> .\n"
    "@prefix doap: <http://usefulinc.com/ns/doap#> .\n"
    "@prefix foaf: <http://xmlns.com/foaf/0.1/> .\n"
    "@prefix lv2: <http://lv2plug.in/ns/lv2core#> .\n"
    "@prefix midi: <http://lv2plug.in/ns/ext/midi#> .\n"
    "@prefix opts: <http://lv2plug.in/ns/ext/options#> .\n"
    "@prefix rdf: <http://www.w3.org/1999/02/22-rdf-syntax-ns#> .\n"
    "@prefix rdfs: <http://www.w3.org/2000/01/rdf-schema#> .\n"
    "@prefix rsz: <http://lv2plug.in/ns/ext/resize-port#> .\n"
    "@prefix state: <http://lv2plug.in/ns/ext/state#> .\n"
    "@prefix time: <http://lv2plug.in/ns/ext/time#> .\n"
    "@prefix ui: <http://lv2plug.in/ns/extensions/ui#> .\n"
    "@prefix units: <http://lv2plug.in/ns/extensions/units#> .\n"
    "@prefix urid: <http://lv2plug.in/ns/ext/urid#> .\n\n";

const char* const kShortDescription = "Stereo delay with tempo sync and a feedback filter";
const char* const kDescription =
    "A stereo delay: left and right delay times up to one second each, or locked to the host's tempo "
    "in note values from 1/32 to 1/2; feedback through a soft saturator, so even full feedback never "
    "runs away; a low-pass or high-pass filter in the feedback from 20 Hz to 10 kHz; crossed feedback "
    "for ping-pong echoes; a wet/dry mix from input only to echoes only. Any parameter follows a MIDI "
    "controller it has learned.";

// The units vocabulary's name for an SI symbol the parameter table uses, or "" for none.
std::string UnitOf(const std::string& symbol) {
  if (symbol == "s") {
    return "units:s";
  }
  return symbol == "Hz" ? "units:hz" : "";
}

// A float as a Turtle decimal that reads back as the same float.
std::string Number(float value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.9g", static_cast<double>(value));
  std::string number = text;
  if (number.find_first_of(".e") == std::string::npos) {
    number += ".0";
  }
  return number;
}

// A string as a Turtle literal.
std::string Literal(const std::string& text) {
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') {
      quoted += '\\';
    }
    quoted += c;
  }
  return quoted + "\"";
}

// A port symbol from a short name: letters, digits and underscores, never a digit first.
std::string Symbol(const std::string& name) {
  std::string symbol;
  for (char c : name) {
    const bool word = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
    symbol += word ? c : '_';
  }
  if (symbol.empty() || (symbol[0] >= '0' && symbol[0] <= '9')) {
    symbol.insert(0, "_");
  }
  return symbol;
}

std::string AudioPort(uint32_t index, const char* direction, const char* symbol, const char* name) {
  return std::string("  [\n    a lv2:") + direction + "Port , lv2:AudioPort ;\n    lv2:index " +
         std::to_string(index) + " ;\n    lv2:symbol " + Literal(symbol) + " ;\n    lv2:name " + Literal(name) +
         " ;\n  ]";
}

std::string AtomPort(uint32_t index, const char* direction, const char* supports, const char* symbol,
                     const char* name, bool control) {
  std::string port = std::string("  [\n    a lv2:") + direction +
                     "Port , atom:AtomPort ;\n    atom:bufferType atom:Sequence ;\n"
                     "    atom:supports " +
                     supports + " ;\n";
  if (control) {
    port += "    lv2:designation lv2:control ;\n";
  }
  return port + "    rsz:minimumSize " + std::to_string(Id::kAtomBufferSize) + " ;\n    lv2:index " +
         std::to_string(index) + " ;\n    lv2:symbol " + Literal(symbol) + " ;\n    lv2:name " + Literal(name) +
         " ;\n  ]";
}

// A parameter's control input, in its units: switches toggles (Enabled the plug-in's own
// bypass, as hosts' bypass buttons drive it), selectors whole-number enumerations of their
// choices' names.
std::string ControlInput(const InstanceCore& core, int32_t parameter) {
  const ParameterDetails details = core.GetParameterDetails(parameter);
  std::string port = "  [\n    a lv2:InputPort , lv2:ControlPort ;\n    lv2:index " +
                     std::to_string(Id::kFirstControl + static_cast<uint32_t>(parameter)) + " ;\n    lv2:symbol " +
                     Literal(Symbol(details.shortName)) + " ;\n    lv2:name " + Literal(details.longName) +
                     " ;\n    lv2:default " + Number(details.defaultUnits) + " ;\n    lv2:minimum " +
                     Number(details.minimum) + " ;\n    lv2:maximum " + Number(details.maximum) + " ;\n";
  const std::string unit = UnitOf(details.unit);
  if (!unit.empty()) {
    port += "    units:unit " + unit + " ;\n";
  }
  if (parameter == DelayParameter::kEnabled) {
    port += "    lv2:designation lv2:enabled ;\n";
  }
  if (details.kind == ParameterKind::kSwitch) {
    port += "    lv2:portProperty lv2:toggled ;\n";
  } else if (details.kind == ParameterKind::kSelector && details.choiceCount > 1) {
    port += "    lv2:portProperty lv2:integer , lv2:enumeration ;\n";
    for (int32_t k = 0; k < details.choiceCount; ++k) {
      char text[32] = {};
      core.FormatParameterValue(parameter, core.UnitsToValue(parameter, static_cast<float>(k)), text,
                                static_cast<int32_t>(sizeof text));
      port += "    lv2:scalePoint [ rdfs:label " + Literal(text) + " ; rdf:value " +
              Number(static_cast<float>(k)) + " ] ;\n";
    }
  }
  return port + "  ]";
}

std::string Description(const InstanceCore& core, const char* minor, const char* micro) {
  std::string text = kPrefixes;
  text += "<" + std::string(Id::kPluginUri) + ">\n  a lv2:Plugin , lv2:DelayPlugin , doap:Project ;\n";
  text += "  doap:name " + Literal(core.GetEffectName()) + " ;\n";
  text += "  doap:shortdesc " + Literal(kShortDescription) + " ;\n";
  text += "  doap:description " + Literal(kDescription) + " ;\n";
  text += "  doap:license <" + std::string(Id::kLicenseUri) + "> ;\n";
  text += "  doap:homepage <" + std::string(Id::kHomepage) + "> ;\n";
  text += "  doap:maintainer [\n    foaf:name " + Literal(core.GetVendorString()) + " ;\n    foaf:homepage <" +
          Id::kHomepage + "> ;\n    foaf:mbox <" + Id::kMaintainerMailbox + "> ;\n  ] ;\n";
  text += std::string("  lv2:minorVersion ") + minor + " ;\n  lv2:microVersion " + micro + " ;\n";
  text += "  lv2:requiredFeature urid:map ;\n  lv2:optionalFeature lv2:hardRTCapable ;\n";
  text += "  lv2:extensionData state:interface ;\n";
  text += "  ui:ui <" + std::string(Id::kUiUri) + "> ;\n  lv2:port\n";
  text += AudioPort(Id::kInputLeft, "Input", "in_left", "Left In") + " ,\n";
  text += AudioPort(Id::kInputRight, "Input", "in_right", "Right In") + " ,\n";
  text += AudioPort(Id::kOutputLeft, "Output", "out_left", "Left Out") + " ,\n";
  text += AudioPort(Id::kOutputRight, "Output", "out_right", "Right Out") + " ,\n";
  for (int32_t i = 0; i < core.GetParameterCount(); ++i) {
    text += ControlInput(core, i) + " ,\n";
  }
  text += AtomPort(Id::kMidiInput, "Input", "midi:MidiEvent", "midi_in", "MIDI In", true) + " ,\n";
  text += AtomPort(Id::kTimeInput, "Input", "time:Position", "time_in", "Time In", false) + " ,\n";
  text += AtomPort(Id::kUiInput, "Input", "atom:Chunk", "ui_in", "UI messages", false) + " ,\n";
  text += AtomPort(Id::kUiNotify, "Output", "atom:Chunk", "notify", "notify", false);
  text += " .\n\n";
  // The UI asks the host's ui:resize where there is one without listing it: hosts that
  // offer it do so unasked, and listing it is deprecated.
  text += "<" + std::string(Id::kUiUri) + ">\n  a ui:X11UI ;\n";
  text += "  lv2:requiredFeature ui:parent , ui:idleInterface , urid:map ;\n";
  text += "  lv2:optionalFeature ui:touch , opts:options ;\n";
  text += "  opts:supportedOption ui:scaleFactor ;\n";
  text += "  lv2:extensionData ui:idleInterface ;\n";
  text += "  ui:portNotification [\n    ui:plugin <" + std::string(Id::kPluginUri) +
          "> ;\n    lv2:symbol \"notify\" ;\n    ui:protocol atom:eventTransfer ;\n    ui:notifyType atom:Chunk\n  ] .\n";
  return text;
}

std::string Manifest() {
  std::string text =
      "@prefix lv2: <http://lv2plug.in/ns/lv2core#> .\n"
      "@prefix rdfs: <http://www.w3.org/2000/01/rdf-schema#> .\n"
      "@prefix ui: <http://lv2plug.in/ns/extensions/ui#> .\n\n";
  text += "<" + std::string(Id::kPluginUri) + ">\n  a lv2:Plugin ;\n  lv2:binary <" + Id::kDspBinary +
          "> ;\n  rdfs:seeAlso <quorvel-delay.ttl> .\n\n";
  text += "<" + std::string(Id::kUiUri) + ">\n  a ui:X11UI ;\n  ui:binary <" + Id::kUiBinary +
          "> ;\n  rdfs:seeAlso <quorvel-delay.ttl> .\n";
  return text;
}

bool WriteFile(const std::string& path, const std::string& text) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) {
    return false;
  }
  const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  return std::fclose(file) == 0 && written;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: quorvel-lv2-turtle <bundle folder> <minor version> <micro version>\n");
    return 2;
  }
  const InstanceCore core(std::make_unique<QuorvelDelayModel>());
  const std::string folder = argv[1];
  if (!WriteFile(folder + "/manifest.ttl", Manifest()) ||
      !WriteFile(folder + "/quorvel-delay.ttl", Description(core, argv[2], argv[3]))) {
    std::fprintf(stderr, "quorvel-lv2-turtle: cannot write into %s\n", argv[1]);
    return 1;
  }
  return 0;
}
