#pragma once

// The VST3 module's base interfaces under their published names and numbers: the
// scalar types, result codes, interface identifiers, FUnknown, IPluginBase, IBStream and
// the plug-in factory. Declared here, by us; no vendor header is included. Only 64-bit
// targets are built, where the calling convention is the platform's one C convention.

#include <cstddef>
#include <cstdint>
#include <cstring>

static_assert(sizeof(void*) == 8, "the VST3 face is declared for 64-bit targets only");

namespace Steinberg {

using int8 = char;
using uint8 = unsigned char;
using int16 = short;
using uint16 = unsigned short;
using int32 = int;
using uint32 = unsigned int;
using int64 = long long;
using uint64 = unsigned long long;
using char8 = char;
using char16 = char16_t;
using TBool = uint8;
using tresult = int32;
using FIDString = const char8*;
using TUID = int8[16];

// Windows follows COM's numbers; every other platform the interface's own.
#if defined(_WIN32)
enum : tresult {
  kNoInterface = static_cast<tresult>(0x80004002L),
  kResultOk = 0,
  kResultTrue = kResultOk,
  kResultFalse = 1,
  kInvalidArgument = static_cast<tresult>(0x80070057L),
  kNotImplemented = static_cast<tresult>(0x80004001L),
  kInternalError = static_cast<tresult>(0x80004005L),
  kNotInitialized = static_cast<tresult>(0x8000FFFFL),
  kOutOfMemory = static_cast<tresult>(0x8007000EL),
};
#else
enum : tresult {
  kNoInterface = -1,
  kResultOk = 0,
  kResultTrue = kResultOk,
  kResultFalse = 1,
  kInvalidArgument = 2,
  kNotImplemented = 3,
  kInternalError = 4,
  kNotInitialized = 5,
  kOutOfMemory = 6,
};
#endif

// A 16-byte identifier written as four 32-bit numbers. On Windows the bytes follow COM's
// GUID layout (the first number, then the two halves of the second, little-endian);
// elsewhere they are stored in the order written.
class FUID {
 public:
  constexpr FUID(uint32 l1, uint32 l2, uint32 l3, uint32 l4)
      : data{B(l1, kFirst[0]),  B(l1, kFirst[1]),  B(l1, kFirst[2]),  B(l1, kFirst[3]),
             B(l2, kSecond[0]), B(l2, kSecond[1]), B(l2, kSecond[2]), B(l2, kSecond[3]),
             B(l3, 24),         B(l3, 16),         B(l3, 8),          B(l3, 0),
             B(l4, 24),         B(l4, 16),         B(l4, 8),          B(l4, 0)} {}

  const TUID& toTUID() const { return data; }
  // Any thread: whether `other` (16 bytes, or null) names this identifier.
  bool Equals(const void* other) const { return other != nullptr && std::memcmp(data, other, sizeof(TUID)) == 0; }

  TUID data;

 private:
#if defined(_WIN32)
  static constexpr int kFirst[4] = {0, 8, 16, 24};
  static constexpr int kSecond[4] = {16, 24, 0, 8};
#else
  static constexpr int kFirst[4] = {24, 16, 8, 0};
  static constexpr int kSecond[4] = {24, 16, 8, 0};
#endif
  static constexpr int8 B(uint32 value, int shift) { return static_cast<int8>((value >> shift) & 0xFFu); }
};

class FUnknown {
 public:
  virtual tresult queryInterface(const TUID iid, void** obj) = 0;
  virtual uint32 addRef() = 0;
  virtual uint32 release() = 0;
  static constexpr FUID iid{0x00000000, 0x00000000, 0xC0000000, 0x00000046};

 protected:
  ~FUnknown() = default;
};

class IPluginBase : public FUnknown {
 public:
  virtual tresult initialize(FUnknown* context) = 0;
  virtual tresult terminate() = 0;
  static constexpr FUID iid{0x22888DDB, 0x156E45AE, 0x8358B348, 0x08190625};

 protected:
  ~IPluginBase() = default;
};

class IBStream : public FUnknown {
 public:
  enum IStreamSeekMode { kIBSeekSet = 0, kIBSeekCur, kIBSeekEnd };
  virtual tresult read(void* buffer, int32 numBytes, int32* numBytesRead) = 0;
  virtual tresult write(void* buffer, int32 numBytes, int32* numBytesWritten) = 0;
  virtual tresult seek(int64 pos, int32 mode, int64* result) = 0;
  virtual tresult tell(int64* pos) = 0;
  static constexpr FUID iid{0xC3BF6EA2, 0x30994752, 0x9B6BF990, 0x1EE33E9B};

 protected:
  ~IBStream() = default;
};

struct PFactoryInfo {
  enum FactoryFlags {
    kNoFlags = 0,
    kClassesDiscardable = 1 << 0,
    kLicenseCheck = 1 << 1,
    kComponentNonDiscardable = 1 << 3,
    kUnicode = 1 << 4
  };
  enum { kURLSize = 256, kEmailSize = 128, kNameSize = 64 };
  char8 vendor[kNameSize];
  char8 url[kURLSize];
  char8 email[kEmailSize];
  int32 flags;
};

struct PClassInfo {
  enum ClassCardinality { kManyInstances = 0x7FFFFFFF };
  enum { kCategorySize = 32, kNameSize = 64 };
  TUID cid;
  int32 cardinality;
  char8 category[kCategorySize];
  char8 name[kNameSize];
};

struct PClassInfo2 {
  enum { kVendorSize = 64, kVersionSize = 64, kSubCategoriesSize = 128 };
  TUID cid;
  int32 cardinality;
  char8 category[PClassInfo::kCategorySize];
  char8 name[PClassInfo::kNameSize];
  uint32 classFlags;
  char8 subCategories[kSubCategoriesSize];
  char8 vendor[kVendorSize];
  char8 version[kVersionSize];
  char8 sdkVersion[kVersionSize];
};

struct PClassInfoW {
  enum { kVendorSize = 64, kVersionSize = 64, kSubCategoriesSize = 128 };
  TUID cid;
  int32 cardinality;
  char8 category[PClassInfo::kCategorySize];
  char16 name[PClassInfo::kNameSize];
  uint32 classFlags;
  char8 subCategories[kSubCategoriesSize];
  char16 vendor[kVendorSize];
  char16 version[kVersionSize];
  char16 sdkVersion[kVersionSize];
};

class IPluginFactory : public FUnknown {
 public:
  virtual tresult getFactoryInfo(PFactoryInfo* info) = 0;
  virtual int32 countClasses() = 0;
  virtual tresult getClassInfo(int32 index, PClassInfo* info) = 0;
  virtual tresult createInstance(FIDString cid, FIDString iid, void** obj) = 0;
  static constexpr FUID iid{0x7A4D811C, 0x52114A1F, 0xAED9D2EE, 0x0B43BF9F};

 protected:
  ~IPluginFactory() = default;
};

class IPluginFactory2 : public IPluginFactory {
 public:
  virtual tresult getClassInfo2(int32 index, PClassInfo2* info) = 0;
  static constexpr FUID iid{0x0007B650, 0xF24B4C0B, 0xA464EDB9, 0xF00B2ABB};

 protected:
  ~IPluginFactory2() = default;
};

class IPluginFactory3 : public IPluginFactory2 {
 public:
  virtual tresult getClassInfoUnicode(int32 index, PClassInfoW* info) = 0;
  virtual tresult setHostContext(FUnknown* context) = 0;
  static constexpr FUID iid{0x4555A2AB, 0xC1234E57, 0x9B122910, 0x36878931};

 protected:
  ~IPluginFactory3() = default;
};

static_assert(sizeof(FUID) == 16, "an identifier is 16 bytes");
static_assert(sizeof(PFactoryInfo) == 452, "PFactoryInfo: 64 + 256 + 128 + 4");
static_assert(sizeof(PClassInfo) == 116, "PClassInfo: 16 + 4 + 32 + 64");
static_assert(sizeof(PClassInfo2) == 440, "PClassInfo2");
static_assert(sizeof(PClassInfoW) == 696, "PClassInfoW");
static_assert(offsetof(PClassInfo2, classFlags) == 116 && offsetof(PClassInfo2, subCategories) == 120,
              "PClassInfo2 layout");

}  // namespace Steinberg
